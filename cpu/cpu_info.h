// The processor record: one processor, either the running one (probed with
// CPUID and clocked with the time-stamp counter) or a stored one (filled from
// the result data file). Its decoders work from the stored fields alone, so
// they read a stored record the same way as the running one.
#pragma once

#include <cstdint>
#include <string>

#include "cpu/cpu_clock.h"
#include "cpu/cpu_platform.h"

namespace cpu {
class CpuidReader;  // the probe's view of CPUID (cpu_probe.cpp)
}

class CCpuInfo {
  public:
    static constexpr int kFeatureCount = 32;
    static constexpr int kProcessorNameSize = 64;
    // Room for a whole 48-character brand string; older readers of the data
    // file keep 31 characters of it.
    static constexpr int kCodeNameSize = 64;
    static constexpr int kVendorNameSize = 16;

    // One cache as the deterministic cache leaf (4) describes it.
    struct DeterministicCash {
        uint32_t EBX = 0;   // ways - 1 (bits 22-31), partitions - 1 (12-21), line size - 1 (0-11)
        uint32_t Sets = 0;  // leaf 4 ECX + 1; 0: leaf 4 does not report this cache
    };

    // Counts the processors, takes the performance-counter rate and the
    // Windows version, starts the clock and tests for CPUID, all on the
    // process-wide platform (or the one given). It does not probe.
    CCpuInfo();
    explicit CCpuInfo(cpu::CpuPlatform& platform);
    // An empty record to fill from a stored one or with CopyFrom: it reads nothing
    // from the running machine (OsVersionText stays empty, the clock does
    // not start).
    static CCpuInfo ForLoading();

    // --- Identification ---

    // Names and describes the 32 bits of FeatureFlag.
    void FillFeatureTable();
    // Reads the CPUID leaves of the vendor's path into the record, names it
    // and fills the feature table. Returns 0 and changes nothing when the
    // processor has no CPUID, else 1.
    int ProbeProcessor();
    // "Type : 0  Family : %x  Model : %x  Step : %x".
    std::string SignatureText() const;
    // Takes over every value of another record and rebuilds the feature
    // table; the platform this record reads stays its own.
    void CopyFrom(const CCpuInfo& other);
    // 1 when the processor executes CPUID, else 0.
    int CpuidSupported();

    // --- Cache and TLB texts ---

    // The text of one cache/TLB descriptor byte; returns the cache size in
    // KB, the page size in KB for a TLB, or 0.
    static int DescriptorText(std::string& text, uint32_t descriptor);
    // Size in KB of a cache leaf 4 describes: ways x partitions x line size
    // x sets; 0 for a cache it does not report.
    static uint32_t DeterministicCashSize(const DeterministicCash& cache);
    // The short L2 text: "Non", "Unknown" or "%dKBytes".
    std::string L2SizeText() const;
    // The text of cache item code 1 to 6, 16 (L2) or 255 (one-line summary);
    // empty for any other code.
    std::string CacheItemText(int code) const;

    // --- Clock and summary ---

    // Takes the clock's end readings and stores its figure in Frequency;
    // every call measures from the start the constructor took.
    void StopClock();
    const cpu::TscClock& Clock() const { return m_clock; }
    // "%s at %dMHz" with the name and the frequency rounded to whole MHz.
    // Where the table names the processor only as its vendor's "(Unknown)"
    // one, the code name (the brand string) names it instead.
    std::string SummaryText() const;
    // True for a vendor's "(Unknown)" name ("AMD-(Unknown) Processor").
    static bool IsUnknownName(const std::string& processorName);

    // Sets OsVersionText to the running Windows' version, for a record
    // loaded from the data file whose report names the Windows it is
    // written on.
    void TakeRunningWindowsVersion();

    // --- The record ---

    std::string OsVersionText;
    std::string FeatureDescription[kFeatureCount];
    std::string FeatureName[kFeatureCount];
    uint32_t FeatureFlag;  // bit i set: feature i present
    uint32_t Signature;    // leaf 1 EAX layout: stepping, model, family, type
    char ProcessorName[kProcessorNameSize];
    char CodeName[kCodeNameSize];
    char VendorName[kVendorNameSize];
    int32_t CpuidAvailable;
    uint32_t L2CashSize;  // KB; 0 when absent or not recognised
    // Standard path (Intel, Cyrix, Rise): leaf 2 EAX, 0, 0, leaf 2 EDX.
    // Extended path (AMD, Centaur): leaf 0x80000006 ECX, then leaf
    // 0x80000005 EBX, ECX and EDX.
    uint32_t CashFlagEAX;
    uint32_t CashFlagEBX;
    uint32_t CashFlagECX;
    uint32_t CashFlagEDX;
    uint32_t MultiProcessor;
    // Standard path, Intel: 1 when leaf 2 left an L1 or L2 size unknown and
    // the caches of items 3, 6 and 16 come from leaf 4 instead; then the
    // three caches, and L2CashSize is L2Cash's size.
    uint32_t CashLeaf4;
    DeterministicCash L1ICash;
    DeterministicCash L1DCash;
    DeterministicCash L2Cash;
    double Frequency;  // MHz

  private:
    struct Unprobed {};
    explicit CCpuInfo(Unprobed);

    // Sets ProcessorName and CodeName from the vendor and signature; on the
    // extended path, and for Intel processors the table does not know, it
    // reads the brand string where the processor announces one. leaf1Eax is
    // leaf 1 EAX as the processor answered it: its extended model and family
    // bits, which Signature does not keep on the standard path, tell a
    // present-day Intel processor from the 1990s ones the table was written
    // for.
    void NameProcessor(cpu::CpuidReader& cpuid, uint32_t leaf1Eax);

    cpu::CpuPlatform* m_pPlatform;
    cpu::TscClock m_clock;  // started only on the running processor's record
};
