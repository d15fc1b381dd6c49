// Cache and TLB texts of a processor record.
//
// Intel processors report their caches as descriptor bytes (leaf 2); the
// others report sizes and associativities in fields of the extended leaves
// 0x80000005 and 0x80000006. The vendor alone decides which reading applies,
// because a stored record does not say which path filled its words.

#include <cstdint>
#include <cstdio>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"

namespace {

struct Descriptor {
    uint32_t code;
    const char* text;
    int size;  // KB of cache, page size in KB for a TLB, 0 for nothing
};

const Descriptor kDescriptors[] = {
    {0x00, "Null", 0},
    {0x01, "4KB pages TLB(4-way set associative, 32entries)", 4},
    {0x02, "4MB pages TLB(fully associative, 2entries)", 4096},
    {0x03, "4KB pages TLB(4-way set associative, 64entries)", 4},
    {0x04, "4MB pages TLB(4-way set associative, 8entries)", 4096},
    {0x06, "8KB size(4-way set associative, 32byte line size)", 8},
    {0x08, "16KB size(4-way set associative, 32byte line size)", 16},
    {0x0A, "8KB size(2-way set associative, 32byte line size)", 8},
    {0x0C, "16KB size(4-way set associative, 32byte line size)", 16},
    {0x40, "Non L2 cache", 0},
    {0x41, "128KBytes(4-way set associative, 32byte line size)", 128},
    {0x42, "256KBytes(4-way set associative, 32byte line size)", 256},
    {0x43, "512KBytes(4-way set associative, 32byte line size)", 512},
    {0x44, "1MBytes(4-way set associative, 32byte line size)", 1024},
    {0x45, "2MBytes(4-way set associative, 32byte line size)", 2048},
    {0x82, "256KBytes(8-way set associative, 32byte line size)", 256},
};

// Cache item codes: which entry of the processor window a text is for.
constexpr int kItemInstructionTlb = 1;
constexpr int kItemInstructionExtra = 2;
constexpr int kItemInstructionCache = 3;
constexpr int kItemDataTlb = 4;
constexpr int kItemDataExtra = 5;
constexpr int kItemDataCache = 6;
constexpr int kItemL2 = 16;
constexpr int kItemSummary = 255;

// Where the standard path finds each item's descriptor byte: in leaf 2 EAX
// or EDX, and which byte of it.
struct DescriptorPlace {
    int code;
    bool inEdx;
    int byte;
};

const DescriptorPlace kDescriptorPlaces[] = {
    {kItemInstructionTlb, false, 1},
    {kItemInstructionExtra, false, 2},
    {kItemInstructionCache, true, 1},
    {kItemDataTlb, false, 3},
    {kItemDataExtra, true, 2},
    {kItemDataCache, true, 3},
    {kItemL2, true, 0},
};

// Processors below this signature have no L2 leaf.
constexpr uint32_t kFirstL2LeafSignature = 0x590;

uint32_t Byte(uint32_t word, int index) {
    return (word >> (8 * index)) & 0xFF;
}

std::string Format(const char* format, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Format(const char* format, int a, int b, int c, int d) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// AMD's L1 TLB fields: associativity and entry count, as they stand.
std::string TlbText(uint32_t ways, uint32_t entries) {
    return Format("TLB(%d-way set associative, %dentries)", static_cast<int>(ways),
                  static_cast<int>(entries));
}

// AMD's L1 cache word: size in KB, ways, lines per tag, line size.
std::string L1CacheText(uint32_t word) {
    return Format("%dKB size(%d-way set associative, %dlines per Tag, %dbyte line size)",
                  static_cast<int>(Byte(word, 3)), static_cast<int>(Byte(word, 2)),
                  static_cast<int>(Byte(word, 1)), static_cast<int>(Byte(word, 0)));
}

// The cache text of the extended path, for a cache leaf 4 describes; "Non"
// for one it does not report.
std::string DeterministicCacheText(const CCpuInfo::DeterministicCash& cache) {
    if (cache.Sets == 0)
        return "Non";
    char text[128];
    std::snprintf(text, sizeof text,
                  "%uKB size(%u-way set associative, %ulines per Tag, %ubyte line size)",
                  CCpuInfo::DeterministicCashSize(cache), (cache.EBX >> 22) + 1,
                  ((cache.EBX >> 12) & 0x3FF) + 1, (cache.EBX & 0xFFF) + 1);
    return text;
}

}  // namespace

uint32_t CCpuInfo::DeterministicCashSize(const DeterministicCash& cache) {
    if (cache.Sets == 0)
        return 0;
    uint64_t ways = (cache.EBX >> 22) + 1;
    uint64_t partitions = ((cache.EBX >> 12) & 0x3FF) + 1;
    uint64_t lineSize = (cache.EBX & 0xFFF) + 1;
    uint64_t bytesPerSet = ways * partitions * lineSize;  // at most 2^32
    // Bytes per set times sets can reach 2^64: take the KB in two parts.
    uint64_t kilobytes =
        (bytesPerSet >> 10) * cache.Sets + ((bytesPerSet & 0x3FF) * cache.Sets >> 10);
    return kilobytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(kilobytes);
}

int CCpuInfo::DescriptorText(std::string& text, uint32_t descriptor) {
    for (const Descriptor& d : kDescriptors) {
        if (d.code == descriptor) {
            text = d.text;
            return d.size;
        }
    }
    text = "Unknown";
    return 0;
}

std::string CCpuInfo::L2SizeText() const {
    bool standard = cpu::FixedText(VendorName) == "GenuineIntel";
    if (standard && L2CashSize == 0)
        return "Non";
    if (!standard && Signature < kFirstL2LeafSignature)
        return "Unknown";
    char text[32];
    std::snprintf(text, sizeof text, "%dKBytes", static_cast<int>(L2CashSize));
    return text;
}

std::string CCpuInfo::CacheItemText(int code) const {
    bool standard = cpu::FixedText(VendorName) == "GenuineIntel";
    std::string text;

    if (code == kItemSummary) {
        int instruction;
        int data;
        if (standard && CashLeaf4 != 0) {
            instruction = static_cast<int>(DeterministicCashSize(L1ICash));
            data = static_cast<int>(DeterministicCashSize(L1DCash));
        } else if (standard) {  // the descriptors of items 3 and 6
            instruction = DescriptorText(text, Byte(CashFlagEDX, 1));
            data = DescriptorText(text, Byte(CashFlagEDX, 3));
        } else {
            instruction = static_cast<int>(Byte(CashFlagEDX, 3));
            data = static_cast<int>(Byte(CashFlagECX, 3));
        }
        return Format("I-%dK,D-%dK / ", instruction, data) + L2SizeText();
    }

    if (standard && CashLeaf4 != 0) {
        // The caches leaf 2 left unknown come from leaf 4; the TLBs stay.
        switch (code) {
            case kItemInstructionCache:
                return DeterministicCacheText(L1ICash);
            case kItemDataCache:
                return DeterministicCacheText(L1DCash);
            case kItemL2:
                return DeterministicCacheText(L2Cash);
            default:
                break;
        }
    }
    if (standard) {
        for (const DescriptorPlace& place : kDescriptorPlaces) {
            if (place.code == code) {
                DescriptorText(text, Byte(place.inEdx ? CashFlagEDX : CashFlagEAX, place.byte));
                break;
            }
        }
        return text;
    }

    switch (code) {
        case kItemInstructionTlb:
            return TlbText(Byte(CashFlagEBX, 1), Byte(CashFlagEBX, 0));
        case kItemInstructionCache:
            return L1CacheText(CashFlagEDX);
        case kItemDataTlb:
            return TlbText(Byte(CashFlagEBX, 3), Byte(CashFlagEBX, 2));
        case kItemDataCache:
            return L1CacheText(CashFlagECX);
        case kItemL2:
            if (Signature < kFirstL2LeafSignature)
                return "Unknown";
            return Format(
                "%dKB size(%d-way set associative, %dlines per Tag, %dbyte line size)",
                static_cast<int>(CashFlagEAX >> 16), static_cast<int>((CashFlagEAX >> 12) & 0xF),
                static_cast<int>((CashFlagEAX >> 8) & 0xF), static_cast<int>(Byte(CashFlagEAX, 0)));
        default:  // 2 and 5 have no extended counterpart
            return text;
    }
}
