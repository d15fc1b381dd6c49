// Recorded CPUID answers of a real processor, and a platform that answers
// the probe from them.
//
// A dump file is plain text: lines beginning with '#' are comments, blank
// lines are skipped, and every other line is "LEAF EAX EBX ECX EDX" as five
// 8-digit hexadecimal numbers (sub-leaf 0). A leaf the file does not list
// answers zeros.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cpu/cpu_platform.h"

namespace cpu {

class CpuidDump {
  public:
    // Replaces the leaves with those of the text. On a malformed line, a
    // leaf given twice or a text without leaves it returns false, leaves the
    // dump as it was and says why in error ("line 3: ...").
    bool Parse(const std::string& text, std::string& error);
    // Parse of a file's content. A file that cannot be read or parsed leaves
    // the dump empty and fails with a message that names it.
    bool Load(const std::string& path, std::string& error);

    CpuidResult Leaf(uint32_t leaf) const;
    void SetLeaf(uint32_t leaf, const CpuidResult& result) { m_leaves[leaf] = result; }
    size_t LeafCount() const { return m_leaves.size(); }

  private:
    std::map<uint32_t, CpuidResult> m_leaves;
};

// A processor that executes CPUID and answers from a dump; its counters stay
// at 0, its version is empty and it counts one processor. It notes every
// leaf it is asked, in order.
class DumpCpuPlatform : public CpuPlatform {
  public:
    explicit DumpCpuPlatform(const CpuidDump& dump) : m_dump(dump) {}

    bool CpuidAvailable() override { return true; }
    CpuidResult Cpuid(uint32_t leaf) override {
        m_leavesRead.push_back(leaf);
        return m_dump.Leaf(leaf);
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
