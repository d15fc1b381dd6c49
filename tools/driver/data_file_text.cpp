#include "tools/driver/data_file_text.h"

#include <cstdio>

namespace e2e {

const char* const kTestNames[kTestCount] = {"Standard Text",
                                            "Standard Text(2)",
                                            "EditBox Text",
                                            "Button Text",
                                            "GroupBox Text",
                                            "RadioButton Control",
                                            "CheckBox Control",
                                            "ScrollBar Control",
                                            "ProgressBar Control",
                                            "Smooth ProgressBar Control",
                                            "Slider Control",
                                            "ListBox Control",
                                            "Tab Control",
                                            "ComboBox Control",
                                            "TreeView",
                                            "TreeView(2)",
                                            "ListView",
                                            "ListView(2)",
                                            "Show / Hide Controls",
                                            "Enable / Disable Controls"};

const float kReferenceA[kTestCount] = {4.4f,  4.4f, 9.5f,  4.5f, 10.2f, 12.5f, 7.5f,
                                       10.5f, 5.1f, 24.1f, 5.9f, 2.9f,  9.5f,  3.7f,
                                       4.2f,  4.2f, 9.5f,  9.5f, 16.2f, 7.1f};
const float kReferenceB[kTestCount] = {4.7f, 7.4f, 7.4f, 5.1f, 14.0f, 8.9f, 6.7f, 3.4f, 2.0f, 6.6f,
                                       2.5f, 1.4f, 5.5f, 1.5f, 5.1f,  5.1f, 3.2f, 3.2f, 7.9f, 4.6f};

namespace {

std::string Section(const char* format, int record) {
    char name[48];
    std::snprintf(name, sizeof name, format, record);
    return name;
}

std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
}

std::string Number(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

long long ExpectedMark(float reference, float time) {
    if (time == 0.0f)
        return 0;
    return static_cast<long long>(static_cast<double>(reference) * 1000.0 /
                                  static_cast<double>(time));
}

std::string SystemSection(int record) {
    return Section("SystemInfo-DATA%03d", record);
}
std::string ProcessorSection(int record) {
    return Section("InfoCPU-DATA%03d", record);
}
std::string TimingSection(int record) {
    return Section("Velkora-DATA%03d", record);
}

std::string DataFileText(const std::vector<std::pair<std::string, std::string>>& options,
                         const std::vector<PreparedRecord>& records) {
    std::string text = "[VelkoraDataFile]\r\n";
    for (const auto& option : options)
        text += Line(option.first, option.second);
    for (size_t i = 0; i < records.size(); ++i) {
        const PreparedRecord& r = records[i];
        const int n = static_cast<int>(i) + 1;
        text += "\r\n[" + SystemSection(n) + "]\r\n";
        text += Line("SystemName", r.systemName);
        text += Line("UserName", "tester");
        text += Line("PCName", "E2E-HOST");
        text += Line("PlatformInfo", "Windows 7 (6.1.7601 Service Pack 1)  1024MB Mem");
        text += Line("VideoCard", "Prepared Video");
        text += Line("Date", "2024.01/02.03:04");
        text += Line("MEMO", "first line:;second line");
        text += Line("Setting", "65536");
        text += Line("PlatformID", std::to_string(r.platformId));
        text += "\r\n[" + ProcessorSection(n) + "]\r\n";
        text += Line("ProcessorName", r.processorName);
        text += Line("CodeName", "Prepared");
        text += Line("VendorName", "GenuineIntel");
        text += Line("Signature", "1667");
        text += Line("FeatureFlag", "58589183");
        text += Line("Frequency", Number("%f", 1000.0 + n));
        for (const char* key : {"CashFlagEAX", "CashFlagEBX", "CashFlagECX", "CashFlagEDX"})
            text += Line(key, "0");
        text += Line("L2CashSize", "256");
        text += Line("MultiProcessor", "1");
        text += "\r\n[" + TimingSection(n) + "]\r\n";
        for (int t = 0; t < kTestCount; ++t)
            text += Line(kTestNames[t], Number("%f", static_cast<double>(r.times[t])));
        for (int t = 0; t < kTestCount; ++t) {
            if (r.rounds[t] < 2)
                continue;
            const std::string name = kTestNames[t];
            text += Line(name + " Rounds", std::to_string(r.rounds[t]));
            text += Line(name + " Fastest", Number("%f", static_cast<double>(r.fastest[t])));
            text += Line(name + " Slowest", Number("%f", static_cast<double>(r.slowest[t])));
        }
    }
    return text;
}

std::wstring DataFilePathFor(const std::wstring& exePath) {
    const size_t nameStart = exePath.find_last_of(L"\\/:");
    const size_t dot = exePath.rfind(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
    return (hasExtension ? exePath.substr(0, dot) : exePath) + L".vlk";
}

}  // namespace e2e
