// cpuid-decode: runs the processor probe on a recorded CPUID dump and prints
// what the record holds, one KEY=VALUE line each (numbers in decimal).
//
//   cpuid-decode DUMPFILE
//
// Exit status: 0 when the dump was decoded, 1 when it is missing or
// malformed, 2 on wrong usage.

#include <cstdio>
#include <string>
#include <utility>

#include "cpu/cpu_info.h"
#include "cpu/cpuid_dump.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"

namespace {

void PrintText(const char* key, const std::string& value) {
    std::printf("%s=%s\n", key, value.c_str());
}

void PrintNumber(const char* key, uint32_t value) {
    std::printf("%s=%lu\n", key, static_cast<unsigned long>(value));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cpuid-decode DUMPFILE\n");
        return 2;
    }
    cpu::CpuidDump dump;
    std::string error;
    if (!dump.Load(argv[1], error)) {
        std::fprintf(stderr, "cpuid-decode: %s\n", error.c_str());
        return 1;
    }

    cpu::DumpCpuPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    probe.ProbeProcessor();
    const CCpuInfo& info = probe.Record();

    PrintText("VendorName", cpu::FixedText(info.VendorName));
    PrintText("ProcessorName", cpu::FixedText(info.ProcessorName));
    PrintText("CodeName", cpu::FixedText(info.CodeName));
    PrintNumber("Signature", info.Signature);
    PrintNumber("FeatureFlag", info.FeatureFlag);
    PrintNumber("CashFlagEAX", info.CashFlagEAX);
    PrintNumber("CashFlagEBX", info.CashFlagEBX);
    PrintNumber("CashFlagECX", info.CashFlagECX);
    PrintNumber("CashFlagEDX", info.CashFlagEDX);
    PrintNumber("L2CashSize", info.L2CashSize);
    PrintNumber("CashLeaf4", info.CashLeaf4);
    const std::pair<const char*, const CCpuInfo::DeterministicCash*> caches[] = {
        {"L1ICash", &info.L1ICash}, {"L1DCash", &info.L1DCash}, {"L2Cash", &info.L2Cash}};
    for (const auto& cache : caches) {
        PrintNumber((std::string(cache.first) + "EBX").c_str(), cache.second->EBX);
        PrintNumber((std::string(cache.first) + "Sets").c_str(), cache.second->Sets);
    }
    PrintText("SignatureText", info.SignatureText());
    PrintText("L2SizeText", info.L2SizeText());
    const int codes[] = {1, 2, 3, 4, 5, 6, 16, 255};
    for (int code : codes) {
        std::string key = "CacheItem" + std::to_string(code);
        PrintText(key.c_str(), info.CacheItemText(code));
    }
    return 0;
}
