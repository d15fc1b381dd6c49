#include "compare/entry.h"

#include <algorithm>
#include <cstdio>

#include "framework/text_codec.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "records/record_store.h"

namespace compare {

namespace {

std::string ToUtf8(const std::string& ansi, const fw::AnsiCodec& codec) {
    return fw::Utf16ToUtf8(codec.ToUtf16(ansi));
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The processor's name and clock ("X at 700MHz"); the name alone when the
// clock is none a processor has, and a dash for a record without a name.
std::string ProcessorText(const CCpuInfo& processor, const fw::AnsiCodec& codec) {
    const std::string summary = processor.SummaryText();
    const std::string name = summary.substr(0, summary.rfind(" at "));
    if (Trimmed(name).empty())
        return "\xE2\x80\x94";  // —
    const double mhz = processor.Frequency;
    return ToUtf8(mhz >= 0.5 && mhz < 1e6 ? summary : name, codec);
}

std::string WindowsText(const CSysInfo& system, const fw::AnsiCodec& codec) {
    std::string windows, memory;
    SplitPlatformLine(ToUtf8(system.PlatformInfo, codec), windows, memory);
    return windows;
}

}  // namespace

void SplitPlatformLine(const std::string& line, std::string& windows, std::string& memory) {
    // The memory is the last word, "%dMB Mem" at the end of the line.
    static const std::string kSuffix = "MB Mem";
    windows = Trimmed(line);
    memory.clear();
    if (windows.size() <= kSuffix.size() ||
        windows.compare(windows.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return;
    const size_t digitsEnd = windows.size() - kSuffix.size();
    size_t digits = digitsEnd;
    while (digits > 0 && windows[digits - 1] >= '0' && windows[digits - 1] <= '9')
        --digits;
    if (digits == digitsEnd)
        return;
    memory = windows.substr(digits, digitsEnd - digits) + " MB";
    windows = Trimmed(windows.substr(0, digits));
}

std::string RoundsText(const CMarkResult& timing) {
    int32_t fewest = 0, most = 0;
    for (int t = 0; t < bench::kTestCount; ++t) {
        if (!(timing.m_fTime[t] > 0))
            continue;
        const int32_t rounds = TimingOf(timing, t).rounds;
        fewest = fewest == 0 ? rounds : std::min(fewest, rounds);
        most = std::max(most, rounds);
    }
    if (most == 0)
        return "1";
    if (fewest == most)
        return std::to_string(most);
    return std::to_string(fewest) + "\xE2\x80\x93" + std::to_string(most);  // –
}

Entry MakeEntry(records::Record record, int32_t number, std::string origin, int32_t loop,
                const fw::AnsiCodec& codec) {
    Entry entry;
    entry.name = ToUtf8(record.system.SystemName, codec);
    entry.origin = std::move(origin);
    entry.number = number;
    entry.loop = loop;
    std::string windows, memory;
    SplitPlatformLine(ToUtf8(record.system.PlatformInfo, codec), windows, memory);
    // A clock no processor has (an edited file) reads as none.
    char clock[48] = "\xE2\x80\x94";  // —
    const double mhz = record.processor.Frequency;
    if (mhz >= 0.5 && mhz < 1e6)
        std::snprintf(clock, sizeof clock, "%.0f MHz", mhz);
    entry.machine.resize(kMachineFieldCount);
    entry.machine[static_cast<int>(MachineField::kProcessor)] =
        ProcessorText(record.processor, codec);
    entry.machine[static_cast<int>(MachineField::kClock)] = clock;
    entry.machine[static_cast<int>(MachineField::kWindows)] = windows;
    entry.machine[static_cast<int>(MachineField::kMemory)] = memory;
    entry.machine[static_cast<int>(MachineField::kVideo)] = ToUtf8(record.system.VideoCard, codec);
    entry.machine[static_cast<int>(MachineField::kLoop)] = std::to_string(loop);
    entry.machine[static_cast<int>(MachineField::kRounds)] = RoundsText(record.timing);
    entry.record = std::move(record);
    return entry;
}

Entry ReadStoredEntry(const records::IniFile& file, int32_t n, const std::string& origin,
                      const fw::AnsiCodec& codec) {
    records::Record record;
    record.Load(file, n);
    return MakeEntry(std::move(record), n, origin, kStoredRecordLoop, codec);
}

std::vector<Entry> ReadStoredEntries(const records::IniFile& file, const std::string& origin,
                                     const fw::AnsiCodec& codec) {
    std::vector<Entry> entries;
    for (int32_t n : records::StoredRecordNumbers(file))
        entries.push_back(ReadStoredEntry(file, n, origin, codec));
    return entries;
}

std::vector<Listing> ListStoredRecords(const records::IniFile& file, const fw::AnsiCodec& codec) {
    std::vector<Listing> listings;
    for (int32_t n : records::StoredRecordNumbers(file)) {
        CSysInfo system;
        records::LoadSection(file, n, system);
        CCpuInfo processor;
        records::LoadSection(file, n, processor);
        listings.push_back({n, ToUtf8(system.SystemName, codec), ProcessorText(processor, codec),
                            WindowsText(system, codec)});
    }
    return listings;
}

const std::string& MachineText(const Entry& entry, MachineField field) {
    static const std::string kNone;
    const size_t i = static_cast<size_t>(field);
    return i < entry.machine.size() ? entry.machine[i] : kNone;
}

bool DiffersFromBaseline(const Comparison& comparison, int column, MachineField field) {
    if (comparison.AgainstReference() || column == comparison.baseline)
        return false;
    return MachineText(comparison.entries[column], field) !=
           MachineText(comparison.entries[comparison.baseline], field);
}

std::string EntryLabel(const Entry& entry) {
    std::string label = entry.name.empty() ? "#" + std::to_string(entry.number) : entry.name;
    if (!entry.origin.empty())
        label += " (" + entry.origin + " #" + std::to_string(entry.number) + ")";
    return label;
}

}  // namespace compare
