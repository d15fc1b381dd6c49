// The CPUID probe and the naming of a processor from vendor and signature.

#include "cpu/processor_probe.h"

#include <cstring>

#include "cpu/fixed_text.h"
#include "cpu/windows_version.h"

namespace {

constexpr uint32_t kLeafVendor = 0;
constexpr uint32_t kLeafSignature = 1;
constexpr uint32_t kLeafDescriptors = 2;
constexpr uint32_t kLeafDeterministicCache = 4;
constexpr uint32_t kLeafExtendedMax = 0x80000000;
constexpr uint32_t kLeafExtendedFeatures = 0x80000001;
constexpr uint32_t kLeafBrandFirst = 0x80000002;
constexpr uint32_t kLeafBrandLast = 0x80000004;
constexpr uint32_t kLeafL1Cache = 0x80000005;
constexpr uint32_t kLeafL2Cache = 0x80000006;

// Leaf 1 EAX: family, model and stepping (bits 0-11) and the type (12-13);
// above them lie the extended model (16-19) and family (20-27).
constexpr uint32_t kStandardSignatureMask = 0x3FFF;
constexpr uint32_t kExtendedSignatureBits = 0x0FFF0000;
// Names are looked up by family-model-stepping, three hex digits.
constexpr uint32_t kNameKeyMask = 0xFFF;

enum class ProbePath { kNone, kStandard, kExtended };

// Leaf 4 EAX: the cache type (bits 0-4) and level (bits 5-7) of a sub-leaf.
constexpr uint32_t kCacheTypeMask = 0x1F;
constexpr uint32_t kCacheTypeNone = 0;  // no further caches
constexpr uint32_t kCacheTypeData = 1;
constexpr uint32_t kCacheTypeInstruction = 2;
constexpr uint32_t kCacheTypeUnified = 3;
constexpr int kCacheLevelShift = 5;
constexpr uint32_t kCacheLevelMask = 0x7;
// A processor lists a handful of caches; a bound keeps a processor (or a
// dump) that never ends its list from stopping the probe.
constexpr uint32_t kMaxCacheSubLeaves = 64;

struct NameRow {
    uint32_t first;  // key range, inclusive
    uint32_t last;
    const char* name;
    const char* codeName;  // nullptr: the code name is left as it is
};

const NameRow kIntelNames[] = {
    {0x000, 0x531, "Intel-Pentium (or before)", nullptr},
    {0x540, 0x54F, "Intel-MMX Pentium", "P55C"},
    {0x610, 0x62F, "Intel-Pentium Pro", nullptr},
    {0x630, 0x64F, "Intel-Pentium II", "Klamath"},
    {0x650, 0x65F, "Intel-Pentium II", "Deschutes"},
    {0x660, 0x664, "Intel-Celeron", "Mendocino"},
    {0x665, 0x66F, "Intel-Celeron", "PPGA-Mendocino"},
    {0x670, 0x67F, "Intel-Pentium III", "Katmai"},
    {0x680, 0x68F, "Intel-Pentium III", "Coppermine"},
};

const NameRow kRiseNames[] = {
    {0x000, 0x520, "Rise-mP6", nullptr},
    {0x521, 0xFFF, "Rise-mP6-II", nullptr},
};

const NameRow kCyrixNames[] = {
    {0x440, 0x44F, "Cyrix-MediaGX", nullptr},
    {0x540, 0x54F, "Cyrix-MediaGXm", nullptr},
    {0x520, 0x52F, "Cyrix-6x86", nullptr},
    {0x600, 0x60F, "Cyrix-MII", nullptr},
};

const NameRow kAmdNames[] = {
    {0x500, 0x55F, "AMD-K5", nullptr},     {0x560, 0x57F, "AMD-K6", nullptr},
    {0x580, 0x58F, "AMD-K6-2", nullptr},   {0x590, 0x5FF, "AMD-K6-III", nullptr},
    {0x600, 0x6FF, "AMD-Athlon", nullptr},
};

const NameRow kCentaurNames[] = {
    {0x540, 0x57F, "IDT-Winchip C6", nullptr},
    {0x580, 0x586, "IDT-Winchip2", nullptr},
    {0x587, 0x588, "IDT-Winchip2A", nullptr},
    {0x58A, 0x58A, "IDT-Winchip2", nullptr},
};

const char kIntel[] = "GenuineIntel";

struct VendorRule {
    const char* vendor;  // the CPUID vendor identification, matched exactly
    ProbePath path;
    const NameRow* names;
    size_t nameCount;
    const char* unknownName;  // the name for a key outside the rows
};

template <size_t N>
constexpr size_t CountOf(const NameRow (&)[N]) {
    return N;
}

const VendorRule kVendors[] = {
    {kIntel, ProbePath::kStandard, kIntelNames, CountOf(kIntelNames), "Intel-(Unknown)"},
    {"RiseRiseRise", ProbePath::kStandard, kRiseNames, CountOf(kRiseNames), nullptr},
    {"CyrixInstead", ProbePath::kStandard, kCyrixNames, CountOf(kCyrixNames), "Cyrix-(Unknown)"},
    {"AuthenticAMD", ProbePath::kExtended, kAmdNames, CountOf(kAmdNames), "AMD-(Unknown)"},
    {"CentaurHauls", ProbePath::kExtended, kCentaurNames, CountOf(kCentaurNames), "IDT-(Unknown)"},
};

const VendorRule* FindVendor(const char (&vendorName)[CCpuInfo::kVendorNameSize]) {
    std::string vendor = cpu::FixedText(vendorName);
    for (const VendorRule& rule : kVendors) {
        if (vendor == rule.vendor)
            return &rule;
    }
    return nullptr;
}

const NameRow* FindName(const VendorRule& rule, uint32_t key) {
    for (size_t i = 0; i < rule.nameCount; ++i) {
        if (key >= rule.names[i].first && key <= rule.names[i].last)
            return &rule.names[i];
    }
    return nullptr;
}

// Four register bytes in memory order, low byte first.
void PutRegister(char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

namespace cpu {

// CPUID as the probe reads it. Leaf 0 EAX and leaf 0x80000000 EAX announce
// the highest basic and extended leaf; a leaf above them is absent and reads
// as zeros, which the decoders take for "nothing reported". The processor
// itself answers such a leaf with other data: an Intel processor repeats its
// highest basic leaf, so a Pentium (highest leaf 1) would hand its signature
// and feature bits to the leaf-2 descriptor decoder.
class CpuidReader {
  public:
    CpuidReader(CpuPlatform& platform, uint32_t maxBasicLeaf)
        : m_platform(platform), m_maxBasicLeaf(maxBasicLeaf) {}

    // True when the processor announces the leaf. The first question about
    // an extended leaf reads leaf 0x80000000, so a path that needs none
    // never asks for it.
    bool Has(uint32_t leaf) {
        if (leaf < kLeafExtendedMax)
            return leaf <= m_maxBasicLeaf;
        if (!m_extendedKnown) {
            uint32_t eax = m_platform.Cpuid(kLeafExtendedMax).eax;
            // Anything but 0x8000xxxx (zeros, or an old Intel processor's
            // repeated basic leaf) means no extended leaves.
            m_maxExtendedLeaf = (eax & kExtendedRangeMask) == kLeafExtendedMax ? eax : 0;
            m_extendedKnown = true;
        }
        return leaf <= m_maxExtendedLeaf;
    }
    CpuidResult Read(uint32_t leaf) { return Has(leaf) ? m_platform.Cpuid(leaf) : CpuidResult(); }
    CpuidResult ReadSubLeaf(uint32_t leaf, uint32_t subLeaf) {
        return Has(leaf) ? m_platform.CpuidSubLeaf(leaf, subLeaf) : CpuidResult();
    }

  private:
    // The high half of a valid extended maximum.
    static constexpr uint32_t kExtendedRangeMask = 0xFFFF0000;

    CpuPlatform& m_platform;
    uint32_t m_maxBasicLeaf;
    bool m_extendedKnown = false;
    uint32_t m_maxExtendedLeaf = 0;  // 0: no extended leaves
};

}  // namespace cpu

namespace {

// The 48-byte brand string of leaves 0x80000002 to 0x80000004 followed by
// 16 zero bytes, so it is terminated whatever the processor answers.
void ReadBrandString(cpu::CpuidReader& cpuid, char (&brand)[CCpuInfo::kProcessorNameSize]) {
    std::memset(brand, 0, sizeof brand);
    char* out = brand;
    for (uint32_t leaf = kLeafBrandFirst; leaf <= kLeafBrandLast; ++leaf) {
        cpu::CpuidResult r = cpuid.Read(leaf);
        PutRegister(out, r.eax);
        PutRegister(out + 4, r.ebx);
        PutRegister(out + 8, r.ecx);
        PutRegister(out + 12, r.edx);
        out += 16;
    }
}

// Blanks around a brand string: some processors right-align it in its 48
// bytes, others pad it at the end.
std::string TrimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// True when the descriptor bytes of leaf 2 gave the L1 instruction, the L1
// data and the L2 size. Present-day Intel processors answer 0xFF ("see leaf
// 4") or bytes the descriptor table does not hold.
bool DescriptorsGiveEveryCacheSize(const CCpuInfo& info) {
    std::string text;
    return CCpuInfo::DescriptorText(text, (info.CashFlagEDX >> 8) & 0xFF) != 0 &&
           CCpuInfo::DescriptorText(text, (info.CashFlagEDX >> 24) & 0xFF) != 0 &&
           info.L2CashSize != 0;
}

// The L1 instruction, L1 data and L2 caches from the sub-leaves of leaf 4,
// read until the cache type 0 that ends the list. A cache the processor
// does not list stays unreported.
void ReadDeterministicCaches(cpu::CpuidReader& cpuid, CCpuInfo& info) {
    info.CashLeaf4 = 1;
    info.L1ICash = CCpuInfo::DeterministicCash();
    info.L1DCash = CCpuInfo::DeterministicCash();
    info.L2Cash = CCpuInfo::DeterministicCash();
    for (uint32_t subLeaf = 0; subLeaf < kMaxCacheSubLeaves; ++subLeaf) {
        cpu::CpuidResult r = cpuid.ReadSubLeaf(kLeafDeterministicCache, subLeaf);
        uint32_t type = r.eax & kCacheTypeMask;
        uint32_t level = (r.eax >> kCacheLevelShift) & kCacheLevelMask;
        if (type == kCacheTypeNone)
            break;
        CCpuInfo::DeterministicCash* cache = nullptr;
        if (level == 1 && type == kCacheTypeInstruction)
            cache = &info.L1ICash;
        else if (level == 1 && type == kCacheTypeData)
            cache = &info.L1DCash;
        else if (level == 2 && type == kCacheTypeUnified)
            cache = &info.L2Cash;
        if (cache != nullptr && cache->Sets == 0) {  // the first one listed counts
            cache->EBX = r.ebx;
            cache->Sets = r.ecx + 1;
        }
    }
    info.L2CashSize = CCpuInfo::DeterministicCashSize(info.L2Cash);
}

// The L2 size that descriptor byte b of leaf 2 EDX names: 128 KB doubled
// per step from 0x41, where 0x82 (an 8-way 256 KB cache) falls on 256 by
// the same rule. Bytes that name no L2 cache give 0.
uint32_t DescriptorL2Size(uint32_t b) {
    if ((b >= 0x41 && b <= 0x45) || b == 0x82)
        return 128u << ((b - 0x41) % 32);
    return 0;
}

// Sets ProcessorName and CodeName from the vendor and signature; on the
// extended path, and for Intel processors the table does not know, it reads
// the brand string where the processor announces one. leaf1Eax is leaf 1 EAX
// as the processor answered it: its extended model and family bits, which
// Signature does not keep on the standard path, tell a present-day Intel
// processor from the 1990s ones the table was written for.
void NameProcessor(cpu::CpuidReader& cpuid, uint32_t leaf1Eax, CCpuInfo& record) {
    const VendorRule* rule = FindVendor(record.VendorName);
    if (rule != nullptr) {
        uint32_t key = record.Signature & kNameKeyMask;
        bool isIntel = std::strcmp(rule->vendor, kIntel) == 0;

        if (rule->path == ProbePath::kExtended) {
            // The brand string passes through the name field into the code
            // name, where it stays whole but for the blanks around it; the
            // table then names the processor.
            ReadBrandString(cpuid, record.ProcessorName);
            cpu::CopyFixed(record.CodeName, TrimBlanks(cpu::FixedText(record.ProcessorName)));
        }

        // A present-day Intel processor encodes its family and model in the
        // extended bits; its low twelve bits would fall into the ranges of
        // the 1990s processors the table lists.
        bool presentDay = isIntel && (leaf1Eax & kExtendedSignatureBits) != 0;
        const NameRow* row = presentDay ? nullptr : FindName(*rule, key);
        const char* name = row != nullptr ? row->name : rule->unknownName;
        if (name != nullptr)
            cpu::CopyFixed(record.ProcessorName, name, std::strlen(name));
        if (row != nullptr && row->codeName != nullptr) {
            cpu::CopyFixed(record.CodeName, row->codeName, std::strlen(row->codeName));
        }

        // An Intel processor the table does not know shows its own brand
        // string as its code name, where the processor has one.
        if (isIntel && row == nullptr && cpuid.Has(kLeafBrandLast)) {
            char brand[CCpuInfo::kProcessorNameSize];
            ReadBrandString(cpuid, brand);
            cpu::CopyFixed(record.CodeName, TrimBlanks(cpu::FixedText(brand)));
        }
    }
    cpu::AppendFixed(record.ProcessorName, " Processor");
}

}  // namespace

namespace cpu {

ProcessorProbe::ProcessorProbe() : ProcessorProbe(CpuPlatform::Current()) {}

ProcessorProbe::ProcessorProbe(CpuPlatform& platform) : m_platform(platform) {
    // The order matters: the clock starts as late as possible, and the
    // record only claims CPUID once everything else is in place.
    m_record.MultiProcessor = static_cast<uint32_t>(CountProcessors(platform));
    m_clock = TscClock(platform);
    m_record.OsVersionText = FormatWindowsVersion(platform);
    m_clock.Start(platform);
    m_record.CpuidAvailable = CpuidSupported();
}

int ProcessorProbe::ProbeProcessor() {
    CCpuInfo& record = m_record;
    if (record.CpuidAvailable == 0)
        return 0;
    CpuidResult vendor = m_platform.Cpuid(kLeafVendor);
    PutRegister(record.VendorName, vendor.ebx);
    PutRegister(record.VendorName + 4, vendor.edx);
    PutRegister(record.VendorName + 8, vendor.ecx);
    record.VendorName[12] = '\0';
    CpuidReader cpuid(m_platform, vendor.eax);

    const VendorRule* rule = FindVendor(record.VendorName);
    uint32_t leaf1Eax = 0;
    if (rule != nullptr && rule->path == ProbePath::kStandard) {
        CpuidResult leaf1 = cpuid.Read(kLeafSignature);
        leaf1Eax = leaf1.eax;
        record.FeatureFlag = leaf1.edx;
        record.Signature = leaf1.eax & kStandardSignatureMask;
        // Leaf 2 is read once: its repeat count (low byte of EAX) is 1 on
        // every processor whose descriptors the decoder knows.
        CpuidResult leaf2 = cpuid.Read(kLeafDescriptors);
        record.CashFlagEAX = leaf2.eax;
        record.CashFlagEDX = leaf2.edx;
        record.L2CashSize = DescriptorL2Size(leaf2.edx & 0xFF);
        bool isIntel = std::strcmp(rule->vendor, kIntel) == 0;
        if (isIntel && cpuid.Has(kLeafDeterministicCache) &&
            !DescriptorsGiveEveryCacheSize(record)) {
            ReadDeterministicCaches(cpuid, record);
        }
    } else if (rule != nullptr && rule->path == ProbePath::kExtended) {
        CpuidResult leaf1 = cpuid.Read(kLeafSignature);
        CpuidResult extended = cpuid.Read(kLeafExtendedFeatures);
        leaf1Eax = leaf1.eax;
        record.FeatureFlag = leaf1.edx | extended.edx;  // AMD's MMX Ex and 3DNow! bits
        record.Signature = leaf1.eax;
        CpuidResult l1 = cpuid.Read(kLeafL1Cache);
        record.CashFlagEBX = l1.ebx;
        record.CashFlagECX = l1.ecx;
        record.CashFlagEDX = l1.edx;
        CpuidResult l2 = cpuid.Read(kLeafL2Cache);
        record.CashFlagEAX = l2.ecx;
        record.L2CashSize = l2.ecx >> 16;
    }

    NameProcessor(cpuid, leaf1Eax, record);
    record.FillFeatureTable();
    return 1;
}

int ProcessorProbe::CpuidSupported() {
    return m_platform.CpuidAvailable() ? 1 : 0;
}

void ProcessorProbe::StopClock() {
    m_record.Frequency = m_clock.Stop(m_platform);
}

void TakeRunningWindowsVersion(CCpuInfo& record) {
    TakeRunningWindowsVersion(record, CpuPlatform::Current());
}

void TakeRunningWindowsVersion(CCpuInfo& record, CpuPlatform& platform) {
    record.OsVersionText = FormatWindowsVersion(platform);
}

}  // namespace cpu

bool CCpuInfo::IsUnknownName(const std::string& processorName) {
    for (const VendorRule& rule : kVendors) {
        if (rule.unknownName != nullptr &&
            processorName == std::string(rule.unknownName) + " Processor") {
            return true;
        }
    }
    return false;
}
