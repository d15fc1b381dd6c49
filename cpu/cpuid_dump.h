// Recorded CPUID answers of a real processor, and a platform that answers
// the probe from them.
//
// A dump file is plain text: lines beginning with '#' are comments, blank
// lines are skipped, and every other line is "LEAF EAX EBX ECX EDX" as five
// 8-digit hexadecimal numbers (sub-leaf 0), or "LEAF SUBLEAF EAX EBX ECX
// EDX" as six of them (the further sub-leaves of the deterministic cache
// leaf).
//
// A leaf the dump lists answers as listed. A leaf it does not list answers
// as the processor would:
// - in range (a basic leaf up to leaf 0 EAX, an extended leaf up to leaf
//   0x80000000 EAX where that is a 0x8000xxxx maximum): zeros, as does a
//   sub-leaf not listed;
// - out of range (above leaf 0 EAX; an extended leaf above the maximum, or
//   any extended leaf when leaf 0x80000000 gives none, 0x80000000 itself
//   included): a GenuineIntel processor repeats its highest basic leaf
//   (the same sub-leaf of it), every other vendor answers zeros.
// So a probe that reads past the maxima sees what a real Intel processor
// would show it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cpu/cpu_platform.h"

namespace cpu {

class CpuidDump {
  public:
    // Replaces the leaves with those of the text. On a malformed line, a
    // leaf (or sub-leaf) given twice or a text without leaves it returns
    // false, leaves the dump as it was and says why in error ("line 3:
    // ...").
    bool Parse(const std::string& text, std::string& error);
    // Parse of a file's content. A file that cannot be read or parsed leaves
    // the dump empty and fails with a message that names it.
    bool Load(const std::string& path, std::string& error);

    // The processor's answer to CPUID with EAX = leaf, ECX = subLeaf.
    CpuidResult Leaf(uint32_t leaf, uint32_t subLeaf = 0) const;
    void SetLeaf(uint32_t leaf, const CpuidResult& result) { m_leaves[{leaf, 0}] = result; }
    void SetSubLeaf(uint32_t leaf, uint32_t subLeaf, const CpuidResult& result) {
        m_leaves[{leaf, subLeaf}] = result;
    }
    // Leaves and sub-leaves listed.
    size_t LeafCount() const { return m_leaves.size(); }

  private:
    using LeafKey = std::pair<uint32_t, uint32_t>;  // leaf, sub-leaf
    // The listed words, zeros when not listed.
    CpuidResult Listed(uint32_t leaf, uint32_t subLeaf) const;
    // True when leaf 0 and 0x80000000 announce the leaf.
    bool InRange(uint32_t leaf) const;

    std::map<LeafKey, CpuidResult> m_leaves;
};

// A processor that executes CPUID and answers from a dump; its counters stay
// at 0, its version is empty and it counts one processor. It notes every
// leaf it is asked, in order (a leaf once per sub-leaf asked).
class DumpCpuPlatform : public CpuPlatform {
  public:
    explicit DumpCpuPlatform(const CpuidDump& dump) : m_dump(dump) {}

    bool CpuidAvailable() override { return true; }
    CpuidResult Cpuid(uint32_t leaf) override { return CpuidSubLeaf(leaf, 0); }
    CpuidResult CpuidSubLeaf(uint32_t leaf, uint32_t subLeaf) override {
        m_leavesRead.push_back(leaf);
        return m_dump.Leaf(leaf, subLeaf);
    }
    uint64_t ReadTimeStampCounter() override { return 0; }
    int64_t ReadPerformanceCounter() override { return 0; }
    int64_t PerformanceFrequency() override { return 0; }
    OsVersionInfo VersionInfo() override { return {}; }
    uint32_t ProcessorCount() override { return 1; }

    const std::vector<uint32_t>& LeavesRead() const { return m_leavesRead; }

  private:
    const CpuidDump& m_dump;
    std::vector<uint32_t> m_leavesRead;
};

}  // namespace cpu
