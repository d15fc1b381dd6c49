// IniFile: splitting the bytes into sections, keys and runs of other lines,
// rendering them back, and the rules for names.
#include <algorithm>
#include <cstring>

#include "records/ini_store.h"
#include "records/ini_text.h"

namespace records {

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& s, const char* prefix, size_t n) {
    return s.size() >= n && std::memcmp(s.data(), prefix, n) == 0;
}

uint8_t FoldAscii(unsigned char c) {
    return static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
}

size_t EolLength(uint32_t eol) {
    static const size_t kLength[] = {0, 1, 1, 2};
    return kLength[eol];
}

}  // namespace

void IniFile::Reset() {
    std::deque<Section>().swap(sections_);
    sections_.push_back(Section{0, 0, kEolNone, 0, 0, kNone, 0});
    std::deque<ParsedLine>().swap(parsed_);
    bodies_.clear();
    std::vector<uint32_t>().swap(sectionBuckets_);
    indexedSections_ = 0;
    std::vector<uint32_t>().swap(keyBuckets_);
    indexedKeys_ = 0;
    std::deque<std::pair<uint32_t, uint32_t>>().swap(duplicates_);
    text_ = nullptr;
    decoded_.clear();
    tail_.clear();
    chunks_.clear();
    chunkNext_ = nullptr;
    chunkLeft_ = 0;
    modified_ = false;
    encoding_ = Encoding::kAnsi;
}

bool IniFile::Parse(std::string bytes) {
    return ParseShared(std::make_shared<const std::string>(std::move(bytes)));
}

bool IniFile::ParseShared(std::shared_ptr<const std::string> bytes) {
    Reset();
    bool fits = bytes->size() <= kMaxFileSize;
    if (!fits)
        bytes = std::make_shared<const std::string>();
    source_ = bytes;
    disk_ = bytes;

    const std::string& b = *source_;
    const char* text = b.data();
    size_t size = b.size();
    if (StartsWith(b, kUtf8Bom, 3)) {
        encoding_ = Encoding::kUtf8;
        text += 3;
        size -= 3;
    } else if (StartsWith(b, "\xFF\xFE", 2) || StartsWith(b, "\xFE\xFF", 2)) {
        encoding_ = b[0] == '\xFF' ? Encoding::kUtf16LE : Encoding::kUtf16BE;
        const bool le = encoding_ == Encoding::kUtf16LE;
        std::u16string units;
        units.reserve((b.size() - 2) / 2);
        size_t i = 2;
        for (; i + 1 < b.size(); i += 2) {
            unsigned lo = static_cast<unsigned char>(b[le ? i : i + 1]);
            unsigned hi = static_cast<unsigned char>(b[le ? i + 1 : i]);
            units += static_cast<char16_t>(lo | (hi << 8));
        }
        tail_ = b.substr(i);
        decoded_ = fw::Utf16ToUtf8(units);
        text = decoded_.data();
        size = decoded_.size();
    }
    // Inside a Unicode file no byte of a name is part of a double-byte
    // ANSI character.
    for (int c = 0; c < 256; ++c)
        nameLead_[c] = encoding_ == Encoding::kAnsi && ansiLead_[c];

    tooManySections_ = false;
    SplitLines(text, size);
    if (tooManySections_) {
        // Refused whole: nothing of a file too large stays in the store.
        Reset();
        source_ = disk_ = std::make_shared<const std::string>();
        return false;
    }
    return fits;
}

IniFile::Line IniFile::CutLine(const char*& p, const char* end) {
    const char* q = p;
    while (q < end && *q != '\r' && *q != '\n')
        ++q;
    Line line{p, static_cast<uint32_t>(q - p), kEolNone, 0, kNoLine, 0};
    if (q < end) {
        if (*q == '\n') {
            line.eol = kEolLf;
            ++q;
        } else if (q + 1 < end && q[1] == '\n') {
            line.eol = kEolCrLf;
            q += 2;
        } else {
            line.eol = kEolCr;
            ++q;
        }
    }
    p = q;
    return line;
}

void IniFile::SplitLines(const char* text, size_t size) {
    text_ = text;
    // The lines before the first header, those of a duplicate section and
    // those after a header with an empty name are never read: they only
    // have to come back as they were.
    bool inert = true;
    const char* p = text;
    const char* end = text + size;
    while (p < end) {
        const Line line = CutLine(p, end);
        if (line.size == 0) {
            // Empty lines are most of a file of line breaks: the quick way.
            AppendToReadRun(line, false);
            continue;
        }

        uint32_t start = 0, length = 0;
        if (FindHeaderName(View(line), start, length)) {
            const std::string_view name(line.text + start, length);
            const int first = name.empty() ? -1 : FindSection(name);
            if (!name.empty() && first < 0) {
                if (sectionLimit_ != 0 && sections_.size() > sectionLimit_) {
                    tooManySections_ = true;
                    return;
                }
                const uint32_t s = static_cast<uint32_t>(sections_.size());
                sections_.push_back(Section{static_cast<uint32_t>(line.text - text_), line.size,
                                            line.eol, 0, HashName(name), kNone,
                                            static_cast<uint32_t>(parsed_.size())});
                IndexSection(s);
                inert = false;
                continue;
            }
            // Reads and writes of this name go to its first section; where
            // its duplicates lie is kept for when it is removed.
            const uint32_t host = static_cast<uint32_t>(sections_.size() - 1);
            if (first >= 0 && static_cast<uint32_t>(first) != host) {
                const std::pair<uint32_t, uint32_t> entry(static_cast<uint32_t>(first), host);
                if (duplicates_.empty() || duplicates_.back() != entry)
                    duplicates_.push_back(entry);
            }
            inert = true;
        }
        AddReadLine(line, inert);
    }
    std::sort(duplicates_.begin(), duplicates_.end());
    duplicates_.erase(std::unique(duplicates_.begin(), duplicates_.end()), duplicates_.end());
}

void IniFile::AddReadLine(const Line& parsed, bool inert) {
    const std::string_view whole = View(parsed);
    const std::string_view t = TrimBlanks(whole);
    const bool blankOrComment = t.empty() || t[0] == ';';
    if (inert) {
        AppendToReadRun(parsed, false);
        return;
    }
    // '=' is never the second byte of a double-byte character: trail bytes
    // start at 0x40. A header line never gets here.
    const size_t eq = blankOrComment ? std::string_view::npos : t.find('=');
    if (eq == std::string_view::npos) {
        AppendToReadRun(parsed, !blankOrComment);
        return;
    }
    const std::string_view name = TrimBlanks(t.substr(0, eq));
    if (FindReadKey(sections_.size() - 1, name) != kNone) {
        // A later duplicate is never read or written.
        AppendToReadRun(parsed, true);
        return;
    }
    const uint32_t l = static_cast<uint32_t>(parsed_.size());
    parsed_.push_back(ParsedLine{static_cast<uint32_t>(parsed.text - text_), parsed.size,
                                 parsed.eol, 1, static_cast<uint32_t>(name.data() - parsed.text),
                                 KeyHash(HashName(name), sections_.size() - 1), kNone});
    IndexReadKey(l);
}

// Lines read lie one after the other in the text, so a run of the last
// section grows by taking in the next line with the line end between them.
void IniFile::AppendToReadRun(const Line& line, bool other) {
    const uint32_t offset = static_cast<uint32_t>(line.text - text_);
    if (parsed_.size() > sections_.back().first) {
        ParsedLine& run = parsed_.back();
        if (!run.isKey && run.offset + run.size + EolLength(run.eol) == offset) {
            run.size = offset + line.size - run.offset;
            run.eol = line.eol;
            if (other)
                run.nameStart = run.size;
            return;
        }
    }
    parsed_.push_back(
        ParsedLine{offset, line.size, line.eol, 0, other ? line.size : kNoLine, 0, kNone});
}

// A copied section's lines, added to its body as the reader adds them.
void IniFile::AddParsedLine(Body& section, const Line& parsed, bool inert) {
    const std::string_view whole = View(parsed);
    const std::string_view t = TrimBlanks(whole);
    const bool blankOrComment = t.empty() || t[0] == ';';
    if (inert) {
        AppendToRun(section.lines, parsed, false);
        return;
    }
    const size_t eq = blankOrComment ? std::string_view::npos : t.find('=');
    if (eq == std::string_view::npos) {
        AppendToRun(section.lines, parsed, !blankOrComment);
        return;
    }
    const std::string_view name = TrimBlanks(t.substr(0, eq));
    Line line = parsed;
    line.isKey = 1;
    line.nameStart = static_cast<uint32_t>(name.data() - parsed.text);
    line.nameSize = static_cast<uint32_t>(name.size());
    uint32_t existing;
    if (FindKey(section, name, existing)) {
        AppendToRun(section.lines, parsed, true);
        return;
    }
    section.keys.Insert(HashName(name), static_cast<uint32_t>(section.lines.size()));
    section.lines.push_back(line);
}

// Copied lines lie one after the other in one chunk, so a run grows by
// taking in the next line with the line end between them.
void IniFile::AppendToRun(std::vector<Line>& lines, const Line& line, bool other) {
    if (!lines.empty()) {
        Line& run = lines.back();
        if (!run.isKey && run.text + run.size + EolLength(run.eol) == line.text) {
            run.size = static_cast<uint32_t>(line.text + line.size - run.text);
            run.eol = line.eol;
            if (other)
                run.nameStart = run.size;
            return;
        }
    }
    Line run = line;
    run.isKey = 0;
    run.nameStart = other ? line.size : kNoLine;
    run.nameSize = 0;
    lines.push_back(run);
}

// Where a new key of the section goes: after its last line that is neither
// blank nor a comment, so that blank lines and comments before the next
// header stay before it. A run is split there; only runs follow the place.
size_t IniFile::InsertionPoint(Body& section) {
    std::vector<Line>& lines = section.lines;
    size_t at = lines.size();
    while (at > 0) {
        Line& before = lines[at - 1];
        if (before.isKey)
            break;
        if (before.nameStart == kNoLine) {
            --at;
            continue;
        }
        if (before.nameStart < before.size) {
            const char* cut = before.text + before.nameStart;
            const uint32_t eol = cut[0] == '\n'                                          ? kEolLf
                                 : cut + 1 < before.text + before.size && cut[1] == '\n' ? kEolCrLf
                                                                                         : kEolCr;
            Line rest = before;
            rest.text = cut + EolLength(eol);
            rest.size = static_cast<uint32_t>(before.text + before.size - rest.text);
            rest.nameStart = kNoLine;
            before.size = before.nameStart;
            before.eol = eol;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), rest);
        }
        break;
    }
    return at;
}

std::string IniFile::Render() const {
    size_t total = 0;
    for (size_t s = 0; s < sections_.size(); ++s) {
        if (HasHeader(s))
            total += HeaderLine(s).size + 2;
        VisitLines(s, [&total](const Line& line) { total += line.size + 2; });
    }
    std::string text;
    text.reserve(total);
    auto append = [&text](const Line& line) {
        text.append(line.text, line.size);
        static const char* const kEol[] = {"", "\n", "\r", "\r\n"};
        text += kEol[line.eol];
    };
    for (size_t s = 0; s < sections_.size(); ++s) {
        if (HasHeader(s))
            append(HeaderLine(s));
        VisitLines(s, append);
    }
    switch (encoding_) {
        case Encoding::kAnsi:
            return text;
        case Encoding::kUtf8:
            return kUtf8Bom + text;
        case Encoding::kUtf16LE:
        case Encoding::kUtf16BE:
            break;
    }
    const bool le = encoding_ == Encoding::kUtf16LE;
    const std::u16string units = fw::Utf8ToUtf16(text);
    std::string bytes;
    bytes.reserve(2 + units.size() * 2 + tail_.size());
    bytes += le ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : units) {
        char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        bytes += le ? lo : hi;
        bytes += le ? hi : lo;
    }
    return bytes + tail_;
}

// ---------------------------------------------------------------------------
// Names

// The position of the ']' that ends a section name: the last one on the line
// that is not the second byte of a double-byte character; npos if none
// follows the '['.
size_t IniFile::HeaderEnd(std::string_view t) const {
    if (!hasLeadBytes_ || encoding_ != Encoding::kAnsi) {
        size_t end = t.rfind(']');
        return end == 0 ? std::string_view::npos : end;
    }
    size_t end = std::string_view::npos;
    for (size_t i = 1; i < t.size(); ++i) {
        if (t[i] == ']')
            end = i;
        else if (nameLead_[static_cast<unsigned char>(t[i])])
            ++i;
    }
    return end;
}

// A header line: its trimmed section name as a position in text.
bool IniFile::FindHeaderName(std::string_view text, uint32_t& start, uint32_t& size) const {
    const std::string_view t = TrimBlanks(text);
    if (t.empty() || t[0] != '[')
        return false;
    const size_t end = HeaderEnd(t);
    if (end == std::string_view::npos)
        return false;
    const std::string_view name = TrimBlanks(t.substr(1, end - 1));
    start = static_cast<uint32_t>(name.data() - text.data());
    size = static_cast<uint32_t>(name.size());
    return true;
}

// FNV-1a over the name with ASCII letters folded to upper case; the second
// byte of a double-byte character is taken as it is.
uint32_t IniFile::HashName(std::string_view name) const {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (nameLead_[c] && i + 1 < name.size()) {
            h = (h ^ c) * 16777619u;
            c = static_cast<unsigned char>(name[++i]);
        } else {
            c = FoldAscii(c);
        }
        h = (h ^ c) * 16777619u;
    }
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    return h;
}

bool IniFile::SameName(std::string_view a, std::string_view b) const {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            if (FoldAscii(x) != FoldAscii(y))
                return false;
        } else if (nameLead_[x] && i + 1 < a.size()) {
            ++i;
            if (a[i] != b[i])
                return false;
        }
    }
    return true;
}

}  // namespace records
