// The processor section of a record: CCpuInfo's part of the data file.
#include <cstdio>
#include <cstdlib>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"

namespace {

const char* const kWordKeys[] = {"CashFlagEAX", "CashFlagEBX", "CashFlagECX",
                                 "CashFlagEDX", "L2CashSize",  "MultiProcessor"};

// The caches of the deterministic cache leaf, after the keys above: a file
// without them reads as a record whose caches come from the older words,
// and readers that do not know them pass them by.
const char* const kLeaf4Keys[] = {"CashLeaf4",   "L1ICashEBX", "L1ICashSets", "L1DCashEBX",
                                  "L1DCashSets", "L2CashEBX",  "L2CashSets"};
constexpr size_t kLeaf4KeyCount = sizeof kLeaf4Keys / sizeof kLeaf4Keys[0];

template <class Record, class Word>
void Leaf4Words(Record& record, Word* (&words)[kLeaf4KeyCount]) {
    Word* list[kLeaf4KeyCount] = {&record.CashLeaf4,   &record.L1ICash.EBX,  &record.L1ICash.Sets,
                                  &record.L1DCash.EBX, &record.L1DCash.Sets, &record.L2Cash.EBX,
                                  &record.L2Cash.Sets};
    for (size_t i = 0; i < kLeaf4KeyCount; ++i)
        words[i] = list[i];
}

// "%f" of any double: the largest has 309 digits before the point.
std::string Fixed6(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::string Format(const char* format, uint32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

namespace records {

void LoadSection(const IniFile& file, int n, CCpuInfo& processor) {
    const std::string section = ProcessorSectionName(n);
    // Names come through the 200-byte text buffer, then are cut to their arrays.
    cpu::CopyFixed(processor.ProcessorName, file.GetString(section, "ProcessorName", ""));
    cpu::CopyFixed(processor.CodeName, file.GetString(section, "CodeName", ""));
    cpu::CopyFixed(processor.VendorName, file.GetString(section, "VendorName", ""));
    processor.Signature = file.GetInt(section, "Signature", 0);
    processor.FeatureFlag = file.GetInt(section, "FeatureFlag", 0);
    processor.Frequency = std::atof(file.GetString(section, "Frequency", "").c_str());
    uint32_t* words[] = {&processor.CashFlagEAX, &processor.CashFlagEBX, &processor.CashFlagECX,
                         &processor.CashFlagEDX, &processor.L2CashSize,  &processor.MultiProcessor};
    for (size_t i = 0; i < 6; ++i)
        *words[i] = file.GetInt(section, kWordKeys[i], i == 5 ? 1 : 0);
    uint32_t* leaf4[kLeaf4KeyCount];
    Leaf4Words(processor, leaf4);
    for (size_t i = 0; i < kLeaf4KeyCount; ++i)
        *leaf4[i] = file.GetInt(section, kLeaf4Keys[i], 0);
}

void SaveSection(IniFile& file, int n, const CCpuInfo& processor) {
    const std::string section = ProcessorSectionName(n);
    file.SetString(section, "ProcessorName", cpu::FixedText(processor.ProcessorName));
    file.SetString(section, "CodeName", cpu::FixedText(processor.CodeName));
    file.SetString(section, "VendorName", cpu::FixedText(processor.VendorName));
    file.SetString(section, "Signature", Format("%u", processor.Signature));
    file.SetString(section, "FeatureFlag", Format("%u", processor.FeatureFlag));
    file.SetString(section, "Frequency", Fixed6(processor.Frequency));
    const uint32_t words[] = {processor.CashFlagEAX, processor.CashFlagEBX,
                              processor.CashFlagECX, processor.CashFlagEDX,
                              processor.L2CashSize,  processor.MultiProcessor};
    for (size_t i = 0; i < 6; ++i)
        file.SetString(section, kWordKeys[i], Format("%u", words[i]));
    // Written for every record, so a section that held a leaf-4 record
    // before never keeps its caches under another record.
    const uint32_t* leaf4[kLeaf4KeyCount];
    Leaf4Words(processor, leaf4);
    for (size_t i = 0; i < kLeaf4KeyCount; ++i)
        file.SetString(section, kLeaf4Keys[i], Format("%u", *leaf4[i]));
}

void AppendSectionText(std::string& text, const CCpuInfo& processor) {
    // The signature in hexadecimal and the words after Frequency as signed
    // decimals.
    const uint32_t words[] = {processor.CashFlagEAX, processor.CashFlagEBX,
                              processor.CashFlagECX, processor.CashFlagEDX,
                              processor.L2CashSize,  processor.MultiProcessor};
    text += "[InfoCPU-DATA001]\r\n";
    text += "\tProcessorName = " + cpu::FixedText(processor.ProcessorName) + "\r\n";
    text += "\tCodeName = " + cpu::FixedText(processor.CodeName) + "\r\n";
    text += "\tVendorName = " + cpu::FixedText(processor.VendorName) + "\r\n";
    text += "\tSignature = " + Format("0x%X", processor.Signature) + "\r\n";
    text += "\tFeatureFlag = " + Format("%u", processor.FeatureFlag) + "\r\n";
    text += "\tFrequency = " + Fixed6(processor.Frequency) + "\r\n";
    auto appendWord = [&text](const char* key, uint32_t word) {
        char line[64];
        std::snprintf(line, sizeof line, "\t%s = %d\r\n", key,
                      static_cast<int>(static_cast<int32_t>(word)));
        text += line;
    };
    for (size_t i = 0; i < 6; ++i)
        appendWord(kWordKeys[i], words[i]);
    const uint32_t* leaf4[kLeaf4KeyCount];
    Leaf4Words(processor, leaf4);
    for (size_t i = 0; i < kLeaf4KeyCount; ++i)
        appendWord(kLeaf4Keys[i], *leaf4[i]);
    text += "\r\n";
}

}  // namespace records
