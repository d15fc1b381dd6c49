// libFuzzer target for the data-file store and the timing record.
//
// The input is a file followed by a script of operations. Checked on every
// input:
// - an untouched file renders back byte for byte;
// - every read agrees with a plain line-by-line reader written here
//   independently of the store's indexes (ANSI files);
// - a value written reads back as written, and the file written reads back
//   the same after a fresh parse;
// - a removed section reads as missing, also after a fresh parse;
// - nothing reads or writes past a buffer (the sanitizers see to that);
// - the timing record loads from any file and what it saves reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "bench/mark_result.h"
#include "records/data_file.h"
#include "records/record_sections.h"
#include "tests/fuzz/fuzz_check.h"
#include "records/ini_store.h"
#include "../native/records_fake_codepage.h"

namespace {

using records::IniFile;

using fuzz::Blank;
using fuzz::Check;

std::string Trimmed(std::string s) {
    while (!s.empty() && Blank(s.back()))
        s.pop_back();
    size_t b = 0;
    while (b < s.size() && Blank(s[b]))
        ++b;
    return s.substr(b);
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

std::string CString(const std::string& s) {
    return s.substr(0, s.find('\0'));
}

// A reader that walks every line for every read: the behaviour of the store
// in its simplest form, for an ANSI file without double-byte characters.
bool ReferenceLookUp(const std::string& file, const std::string& sectionAsked,
                     const std::string& keyAsked, std::string& value) {
    const std::string section = Upper(Trimmed(CString(sectionAsked)));
    const std::string key = Upper(Trimmed(CString(keyAsked)));
    if (section.empty())
        return false;
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' || file[i] == '\n') {
            if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line += file[i];
        }
    }
    lines.push_back(line);
    int state = 0;  // 0: before the section, 1: in it, 2: past it
    for (const std::string& raw : lines) {
        std::string t = Trimmed(raw);
        size_t close = t.rfind(']');
        if (!t.empty() && t[0] == '[' && close != std::string::npos && close > 0) {
            if (state == 1)
                return false;
            if (Upper(Trimmed(t.substr(1, close - 1))) == section)
                state = 1;
            continue;
        }
        if (state != 1 || t.empty() || t[0] == ';')
            continue;
        size_t eq = t.find('=');
        if (eq == std::string::npos || Upper(Trimmed(t.substr(0, eq))) != key)
            continue;
        value = Trimmed(t.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        value = CString(value);  // a value ends at a NUL, as written ones do
        return true;
    }
    return false;
}

std::string ReferenceGet(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) {
    std::string value;
    if (!ReferenceLookUp(file, section, key, value)) {
        value = CString(def);
        while (value.size() > 1 && value.back() == ' ')
            value.pop_back();
    }
    return value.substr(0, records::kTextBufferSize - 1);
}

// A name to ask for: one that occurs in the file (in another case, with
// blanks around it), or any bytes.
std::string PickName(FuzzedDataProvider& in, const std::string& file) {
    if (in.ConsumeBool() && !file.empty()) {
        size_t start = in.ConsumeIntegralInRange<size_t>(0, file.size() - 1);
        size_t length = in.ConsumeIntegralInRange<size_t>(0, 24);
        std::string name = file.substr(start, length);
        size_t cut = name.find_first_of("=]\r\n");
        name = name.substr(0, cut);
        if (!name.empty() && name[0] == '[')
            name.erase(0, 1);
        if (in.ConsumeBool())
            name = Upper(name);
        if (in.ConsumeBool())
            name = " " + name + "\t";
        return name;
    }
    return in.ConsumeRandomLengthString(16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string original = in.ConsumeRandomLengthString(4096);

    IniFile file;
    file.Parse(original);
    Check(file.Render() == original, "untouched file renders byte for byte");
    const bool ansi = file.GetEncoding() == IniFile::Encoding::kAnsi;

    records_test::FakeCodePage932 cp932;
    IniFile doubleByte(cp932);
    doubleByte.Parse(original);
    Check(doubleByte.Render() == original, "untouched file renders byte for byte (932)");

    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 64) {
        const std::string current = file.Render();
        const std::string section = PickName(in, current);
        const std::string key = PickName(in, current);
        switch (in.ConsumeIntegralInRange(0, 5)) {
            case 0: {
                const std::string def = in.ConsumeRandomLengthString(8);
                std::string value = file.GetString(section, key, def);
                Check(value.size() < records::kTextBufferSize, "text read fits its buffer");
                if (ansi && value != ReferenceGet(current, section, key, def)) {
                    std::fprintf(stderr, "[%s] %s: store '%s', reader '%s'\n", section.c_str(),
                                 key.c_str(), value.c_str(),
                                 ReferenceGet(current, section, key, def).c_str());
                    Check(false, "read agrees with the line-by-line reader");
                }
                std::string cut = doubleByte.GetString(section, key, def);
                Check(cut.size() < records::kTextBufferSize, "text read fits its buffer (932)");
                break;
            }
            case 1: {
                const std::string value = in.ConsumeRandomLengthString(256);
                const bool stored = file.SetString(section, key, value);
                if (doubleByte.SetString(section, key, value)) {
                    IniFile reread(cp932);
                    reread.Parse(doubleByte.Render());
                    Check(reread.GetString(section, key, "") ==
                              doubleByte.GetString(section, key, ""),
                          "written value reads back after a fresh parse (932)");
                }
                if (!stored) {
                    Check(file.Render() == current, "a refused write changes nothing");
                    break;
                }
                std::string expected = CString(value);
                expected = expected.substr(0, expected.find_first_of("\r\n"));
                expected = Trimmed(expected);
                if (expected.size() >= 2 && (expected[0] == '"' || expected[0] == '\'') &&
                    expected.back() == expected[0])
                    expected = expected.substr(1, expected.size() - 2);
                expected = expected.substr(0, records::kTextBufferSize - 1);
                if (ansi)
                    Check(file.GetString(section, key, "") == expected, "write reads back");
                IniFile reread;
                reread.Parse(file.Render());
                Check(reread.Render() == file.Render(), "written file parses back unchanged");
                Check(reread.GetString(section, key, "") == file.GetString(section, key, ""),
                      "written value reads back after a fresh parse");
                break;
            }
            case 2: {
                const uint32_t def = in.ConsumeIntegral<uint32_t>();
                file.GetInt(section, key, def);
                doubleByte.GetInt(section, key, def);
                break;
            }
            case 3: {
                const int n = in.ConsumeIntegralInRange(-5, 1100);
                CMarkResult result;
                records::LoadSection(file, n, result);
                records::SaveSection(file, n, result);
                CMarkResult again;
                records::LoadSection(file, n, again);
                for (int i = 0; i < bench::kTestCount; ++i) {
                    const float a = result.m_fTime[i], b = again.m_fTime[i];
                    // Six decimals: what a save keeps of a time.
                    Check(
                        a != a || b != b || a == b || std::abs(a - b) <= 1e-6f * (1 + std::abs(a)),
                        "saved times read back");
                }
                std::string text;
                records::AppendSectionText(text, result);
                break;
            }
            case 4: {
                std::string memo = in.ConsumeRandomLengthString(64);
                const std::string before = memo;
                records::EncodeMemo(memo);
                Check(memo.size() == before.size(), "memo coding keeps the length");
                records::DecodeMemo(memo);
                Check(memo.size() == before.size(), "memo coding keeps the length");
                file.Revert();
                Check(file.Render() == original, "revert brings back the parsed bytes");
                break;
            }
            case 5: {
                // Later reads check the rest of the file against the reader.
                file.RemoveSection(section);
                doubleByte.RemoveSection(section);
                IniFile reread;
                reread.Parse(file.Render());
                IniFile rereadDoubleByte(cp932);
                rereadDoubleByte.Parse(doubleByte.Render());
                Check(!file.HasSection(section) && !reread.HasSection(section) &&
                          !doubleByte.HasSection(section) && !rereadDoubleByte.HasSection(section),
                      "a removed section is gone, also after a fresh parse");
                break;
            }
        }
    }
    return 0;
}
