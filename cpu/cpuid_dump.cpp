#include "cpu/cpuid_dump.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cpu {

namespace {

// LEAF EAX EBX ECX EDX, or LEAF SUBLEAF EAX EBX ECX EDX.
constexpr int kLeafFields = 5;
constexpr int kSubLeafFields = 6;
constexpr size_t kDigitsPerField = 8;
constexpr size_t kMaxFileSize = 1 << 20;  // a dump is a few kilobytes

// Leaf 0 gives the highest basic leaf and the vendor; leaf 0x80000000 the
// highest extended leaf, valid when its high half is 0x8000.
constexpr uint32_t kLeafVendor = 0;
constexpr uint32_t kLeafExtendedMax = 0x80000000;
constexpr uint32_t kExtendedRangeMask = 0xFFFF0000;
// "GenuineIntel" in leaf 0 EBX, EDX and ECX, low byte first.
constexpr uint32_t kIntelEbx = 0x756E6547;  // "Genu"
constexpr uint32_t kIntelEdx = 0x49656E69;  // "ineI"
constexpr uint32_t kIntelEcx = 0x6C65746E;  // "ntel"

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Five or six fields of exactly eight hex digits separated by blanks;
// count says how many.
bool ParseLine(const std::string& line, uint32_t (&fields)[kSubLeafFields], int& count) {
    size_t pos = 0;
    count = 0;
    for (int f = 0; f < kSubLeafFields; ++f) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos == line.size() && f == kLeafFields)
            break;
        uint32_t value = 0;
        size_t digits = 0;
        while (pos < line.size() && !IsBlank(line[pos])) {
            int digit = HexDigit(line[pos]);
            if (digit < 0 || ++digits > kDigitsPerField)
                return false;
            value = (value << 4) | static_cast<uint32_t>(digit);
            ++pos;
        }
        if (digits != kDigitsPerField)
            return false;
        fields[f] = value;
        ++count;
    }
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    return pos == line.size();
}

}  // namespace

bool CpuidDump::Parse(const std::string& text, std::string& error) {
    std::map<LeafKey, CpuidResult> leaves;
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;

        size_t first = 0;
        while (first < line.size() && IsBlank(line[first]))
            ++first;
        if (first == line.size() || line[first] == '#')
            continue;

        uint32_t fields[kSubLeafFields];
        int count = 0;
        if (!ParseLine(line, fields, count)) {
            error = "line " + std::to_string(lineNumber) +
                    ": expected LEAF [SUBLEAF] EAX EBX ECX EDX as five or six 8-digit "
                    "hexadecimal numbers";
            return false;
        }
        // The registers are the last four fields; a sixth field is the
        // sub-leaf, between leaf and registers.
        const uint32_t* registers = fields + (count - 4);
        LeafKey key(fields[0], count == kSubLeafFields ? fields[1] : 0);
        CpuidResult result;
        result.eax = registers[0];
        result.ebx = registers[1];
        result.ecx = registers[2];
        result.edx = registers[3];
        if (!leaves.emplace(key, result).second) {
            error = "line " + std::to_string(lineNumber) + ": leaf listed twice";
            return false;
        }
    }
    if (leaves.empty()) {
        error = "no CPUID leaves in the dump";
        return false;
    }
    m_leaves.swap(leaves);
    return true;
}

bool CpuidDump::Load(const std::string& path, std::string& error) {
    m_leaves.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, read);
        if (text.size() > kMaxFileSize)
            break;
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read " + path;
        return false;
    }
    if (text.size() > kMaxFileSize) {
        error = path + ": too large for a CPUID dump";
        return false;
    }
    if (!Parse(text, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

CpuidResult CpuidDump::Listed(uint32_t leaf, uint32_t subLeaf) const {
    auto found = m_leaves.find({leaf, subLeaf});
    return found != m_leaves.end() ? found->second : CpuidResult();
}

bool CpuidDump::InRange(uint32_t leaf) const {
    if (leaf < kLeafExtendedMax)
        return leaf <= Listed(kLeafVendor, 0).eax;
    uint32_t maxExtended = Listed(kLeafExtendedMax, 0).eax;
    return (maxExtended & kExtendedRangeMask) == kLeafExtendedMax && leaf <= maxExtended;
}

CpuidResult CpuidDump::Leaf(uint32_t leaf, uint32_t subLeaf) const {
    auto found = m_leaves.find({leaf, subLeaf});
    if (found != m_leaves.end())
        return found->second;
    if (InRange(leaf))
        return CpuidResult();
    // Out of range: an Intel processor repeats its highest basic leaf.
    CpuidResult vendor = Listed(kLeafVendor, 0);
    bool isIntel = vendor.ebx == kIntelEbx && vendor.edx == kIntelEdx && vendor.ecx == kIntelEcx;
    return isIntel ? Listed(vendor.eax, subLeaf) : CpuidResult();
}

}  // namespace cpu
