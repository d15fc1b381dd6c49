// The processor record: one processor, either the running one (filled by
// cpu::ProcessorProbe) or a stored one (filled from the result data file).
// It reads nothing of the machine itself: its decoders work from the stored
// fields alone, so they read a stored record the same way as the running one.
// A default-constructed record is empty: no CPUID, one processor, no names,
// no Windows version text and a frequency of 0.
#pragma once

#include <cstdint>
#include <string>

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

    // --- Identification ---

    // Names and describes the 32 bits of FeatureFlag.
    void FillFeatureTable();
    // "Type : 0  Family : %x  Model : %x  Step : %x".
    std::string SignatureText() const;
    // Takes over every value of another record and rebuilds the feature
    // table.
    void CopyFrom(const CCpuInfo& other);

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

    // --- Summary ---

    // "%s at %dMHz" with the name and the frequency rounded to whole MHz.
    // Where the table names the processor only as its vendor's "(Unknown)"
    // one, the code name (the brand string) names it instead.
    std::string SummaryText() const;
    // True for a vendor's "(Unknown)" name ("AMD-(Unknown) Processor").
    static bool IsUnknownName(const std::string& processorName);

    // --- The record ---

    std::string OsVersionText;
    std::string FeatureDescription[kFeatureCount];
    std::string FeatureName[kFeatureCount];
    uint32_t FeatureFlag = 0;  // bit i set: feature i present
    uint32_t Signature = 0;    // leaf 1 EAX layout: stepping, model, family, type
    char ProcessorName[kProcessorNameSize] = {};
    char CodeName[kCodeNameSize] = {};
    char VendorName[kVendorNameSize] = {};
    int32_t CpuidAvailable = 0;
    uint32_t L2CashSize = 0;  // KB; 0 when absent or not recognised
    // Standard path (Intel, Cyrix, Rise): leaf 2 EAX, 0, 0, leaf 2 EDX.
    // Extended path (AMD, Centaur): leaf 0x80000006 ECX, then leaf
    // 0x80000005 EBX, ECX and EDX.
    uint32_t CashFlagEAX = 0;
    uint32_t CashFlagEBX = 0;
    uint32_t CashFlagECX = 0;
    uint32_t CashFlagEDX = 0;
    uint32_t MultiProcessor = 1;
    // Standard path, Intel: 1 when leaf 2 left an L1 or L2 size unknown and
    // the caches of items 3, 6 and 16 come from leaf 4 instead; then the
    // three caches, and L2CashSize is L2Cash's size.
    uint32_t CashLeaf4 = 0;
    DeterministicCash L1ICash;
    DeterministicCash L1DCash;
    DeterministicCash L2Cash;
    double Frequency = 0.0;  // MHz
};
