// The processor section of a record: CCpuInfo's part of the data file.
#include <cstdio>
#include <cstdlib>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"
#include "records/data_file.h"
#include "records/ini_store.h"

namespace {

const char* const kWordKeys[] = {"CashFlagEAX", "CashFlagEBX", "CashFlagECX",
                                 "CashFlagEDX", "L2CashSize",  "MultiProcessor"};

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

int CCpuInfo::LoadRecord(const records::IniFile& file, int n) {
    const std::string section = records::ProcessorSectionName(n);
    // Names come through the 200-byte text buffer, then are cut to their arrays.
    cpu::CopyFixed(ProcessorName, file.GetString(section, "ProcessorName", ""));
    cpu::CopyFixed(CodeName, file.GetString(section, "CodeName", ""));
    cpu::CopyFixed(VendorName, file.GetString(section, "VendorName", ""));
    Signature = file.GetInt(section, "Signature", 0);
    FeatureFlag = file.GetInt(section, "FeatureFlag", 0);
    Frequency = std::atof(file.GetString(section, "Frequency", "").c_str());
    uint32_t* words[] = {&CashFlagEAX, &CashFlagEBX, &CashFlagECX,
                         &CashFlagEDX, &L2CashSize,  &MultiProcessor};
    for (size_t i = 0; i < 6; ++i)
        *words[i] = file.GetInt(section, kWordKeys[i], i == 5 ? 1 : 0);
    return 1;
}

int CCpuInfo::SaveRecord(records::IniFile& file, int n) const {
    const std::string section = records::ProcessorSectionName(n);
    file.SetString(section, "ProcessorName", cpu::FixedText(ProcessorName));
    file.SetString(section, "CodeName", cpu::FixedText(CodeName));
    file.SetString(section, "VendorName", cpu::FixedText(VendorName));
    file.SetString(section, "Signature", Format("%u", Signature));
    file.SetString(section, "FeatureFlag", Format("%u", FeatureFlag));
    file.SetString(section, "Frequency", Fixed6(Frequency));
    const uint32_t words[] = {CashFlagEAX, CashFlagEBX, CashFlagECX,
                              CashFlagEDX, L2CashSize,  MultiProcessor};
    for (size_t i = 0; i < 6; ++i)
        file.SetString(section, kWordKeys[i], Format("%u", words[i]));
    return 1;
}

int CCpuInfo::AppendRecordText(std::string& text) const {
    // The signature in hexadecimal and the six last words as signed decimals.
    const uint32_t words[] = {CashFlagEAX, CashFlagEBX, CashFlagECX,
                              CashFlagEDX, L2CashSize,  MultiProcessor};
    text += "[InfoCPU-DATA001]\r\n";
    text += "\tProcessorName = " + cpu::FixedText(ProcessorName) + "\r\n";
    text += "\tCodeName = " + cpu::FixedText(CodeName) + "\r\n";
    text += "\tVendorName = " + cpu::FixedText(VendorName) + "\r\n";
    text += "\tSignature = " + Format("0x%X", Signature) + "\r\n";
    text += "\tFeatureFlag = " + Format("%u", FeatureFlag) + "\r\n";
    text += "\tFrequency = " + Fixed6(Frequency) + "\r\n";
    for (size_t i = 0; i < 6; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "\t%s = %d\r\n", kWordKeys[i],
                      static_cast<int>(static_cast<int32_t>(words[i])));
        text += line;
    }
    text += "\r\n";
    return 1;
}
