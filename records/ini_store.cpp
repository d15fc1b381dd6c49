#include "records/ini_store.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "records/atomic_file.h"
#include "records/ini_text.h"

namespace records {

namespace {

constexpr size_t kChunkSize = 64 * 1024;
// The platform reads an integer through a buffer of 30 characters.
constexpr size_t kIntegerBufferSize = 30;

// One pair of matching quotes around the whole value does not belong to it.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Leading characters up to the blank are skipped, then an optional sign and
// an optional base prefix, then the digits of the base, wrapping in 32 bits.
uint32_t ParseInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        char p = text[i + 1];
        base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'z')
            digit = static_cast<uint32_t>(c - 'a') + 10;
        else if (c >= 'A' && c <= 'Z')
            digit = static_cast<uint32_t>(c - 'A') + 10;
        else
            break;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction, loading and saving

IniFile::IniFile(const fw::AnsiCodec& codec) : codec_(codec) {
    for (int b = 0; b < 256; ++b) {
        ansiLead_[b] = codec_.IsLeadByte(static_cast<unsigned char>(b));
        hasLeadBytes_ = hasLeadBytes_ || ansiLead_[b];
    }
    ParseShared(std::make_shared<const std::string>());
}

IniFile::~IniFile() = default;

bool IniFile::Load(const FilePath& path) {
    path_ = path;
    // Until the parse is complete the store refuses to save, also when
    // memory runs out on the way.
    loadFailed_ = true;
    std::string bytes;
    if (ReadWholeFile(path, bytes, kMaxFileSize) == ReadResult::kError) {
        ParseShared(std::make_shared<const std::string>());
        return false;
    }
    // A missing file reads as an empty one.
    loadFailed_ = !ParseShared(std::make_shared<const std::string>(std::move(bytes)));
    return !loadFailed_;
}

bool IniFile::Save() {
    if (path_.empty() || loadFailed_)
        return false;
    if (!modified_)
        return true;
    std::string bytes;
    try {
        bytes = Render();
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Never write a file that Load would refuse.
    if (bytes.size() > kMaxFileSize || !ReplaceFileAtomically(path_, bytes))
        return false;
    disk_ = std::make_shared<const std::string>(std::move(bytes));
    modified_ = false;
    return true;
}

void IniFile::Revert() {
    std::shared_ptr<const std::string> disk = disk_;
    ParseShared(std::move(disk));
}

std::string_view IniFile::ToFileText(std::string_view ansi, std::string& storage) const {
    if (encoding_ == Encoding::kAnsi)
        return ansi;
    storage = fw::Utf16ToUtf8(codec_.ToUtf16(ansi));
    return storage;
}

std::string IniFile::ToAnsi(std::string_view text) const {
    if (encoding_ == Encoding::kAnsi)
        return std::string(text);
    return codec_.FromUtf16(fw::Utf8ToUtf16(text));
}

// ---------------------------------------------------------------------------
// Reading

bool IniFile::HasSection(std::string_view section) const {
    std::string storage;
    return FindSection(ToFileText(TrimBlanks(AsCString(section)), storage)) >= 0;
}

bool IniFile::LookUp(std::string_view section, std::string_view key, size_t bufferSize,
                     std::string& value) const {
    std::string sectionStorage, keyStorage;
    const int s = FindSection(ToFileText(TrimBlanks(AsCString(section)), sectionStorage));
    Line line{};
    if (s < 0 || !FindKeyLine(static_cast<size_t>(s),
                              ToFileText(TrimBlanks(AsCString(key)), keyStorage), line))
        return false;
    // Only blanks lie between the name and its '='.
    const std::string_view rest = View(line).substr(line.nameStart + line.nameSize);
    const std::string_view quoted = TrimBlanks(rest.substr(rest.find('=') + 1));
    // A NUL ends the value, as it ends every value written. An ANSI value
    // is the file's bytes, so only those the buffer can take are copied.
    std::string_view text = AsCString(StripQuotes(quoted));
    if (encoding_ == Encoding::kAnsi)
        text = text.substr(0, bufferSize);
    value = ToAnsi(text);
    return true;
}

// At most bufferSize - 1 bytes, never half of a double-byte character.
std::string IniFile::CutToBuffer(std::string text, size_t bufferSize) const {
    if (bufferSize == 0)
        return std::string();
    const size_t limit = bufferSize - 1;
    if (text.size() <= limit)
        return text;
    size_t i = 0;
    while (i < limit) {
        size_t step = ansiLead_[static_cast<unsigned char>(text[i])] && i + 1 < text.size() ? 2 : 1;
        if (i + step > limit)
            break;
        i += step;
    }
    text.resize(i);
    return text;
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view def,
                               size_t bufferSize) const {
    std::string value;
    if (!LookUp(section, key, bufferSize, value)) {
        // Like the platform's, a default loses its trailing blanks, down to
        // its first character.
        std::string_view d = AsCString(def);
        while (d.size() > 1 && d.back() == ' ')
            d.remove_suffix(1);
        value.assign(d.data(), d.size());
    }
    return CutToBuffer(std::move(value), bufferSize);
}

uint32_t IniFile::GetInt(std::string_view section, std::string_view key, uint32_t def) const {
    std::string value;
    if (!LookUp(section, key, kIntegerBufferSize, value) || value.empty())
        return def;
    return ParseInteger(CutToBuffer(std::move(value), kIntegerBufferSize));
}

// ---------------------------------------------------------------------------
// Writing

IniFile::Line IniFile::MakeLine(std::string_view text) {
    if (text.size() > chunkLeft_) {
        const size_t size = text.size() > kChunkSize ? text.size() : kChunkSize;
        chunks_.emplace_back(new char[size]);
        chunkNext_ = chunks_.back().get();
        chunkLeft_ = size;
    }
    char* p = chunkNext_;
    if (!text.empty())
        std::memcpy(p, text.data(), text.size());
    chunkNext_ += text.size();
    chunkLeft_ -= text.size();
    return Line{p, static_cast<uint32_t>(text.size()), kEolCrLf, 0, kNoLine, 0};
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view sectionName = TrimBlanks(AsCString(section));
    std::string_view keyName = TrimBlanks(AsCString(key));
    value = AsCString(value);
    value = value.substr(0, value.find_first_of("\r\n"));
    if (sectionName.empty() || keyName.empty() ||
        sectionName.find_first_of("\r\n") != std::string_view::npos ||
        keyName.find_first_of("\r\n=") != std::string_view::npos || keyName[0] == '[' ||
        keyName[0] == ';')
        return false;

    std::string sectionStorage, keyStorage, valueStorage;
    sectionName = ToFileText(sectionName, sectionStorage);
    keyName = ToFileText(keyName, keyStorage);
    value = ToFileText(value, valueStorage);
    if (sectionName.size() + keyName.size() + value.size() > kMaxFileSize)
        return false;

    int s = FindSection(sectionName);
    if (s < 0 && (s = AddSection(sectionName)) < 0)
        return false;
    Body& target = Detach(static_cast<size_t>(s));

    std::string text;
    uint32_t l = 0;
    if (FindKey(target, keyName, l)) {
        // Keep the line up to its value: indentation, the key as written
        // and the blanks around '='.
        Line& line = target.lines[l];
        std::string_view old = View(line);
        size_t start = old.find('=', line.nameStart + line.nameSize) + 1;
        while (start < old.size() && IsIniBlank(static_cast<unsigned char>(old[start])))
            ++start;
        if (old.substr(start) == value)
            return true;
        text.reserve(start + value.size());
        text.append(old.substr(0, start)).append(value);
        const Line kept = line;
        line = MakeLine(text);
        line.eol = kept.eol;
        line.isKey = 1;
        line.nameStart = kept.nameStart;
        line.nameSize = kept.nameSize;
        modified_ = true;
        return true;
    }

    const size_t at = InsertionPoint(target);
    Line& before = at > 0 ? target.lines[at - 1] : target.header;
    if (before.eol == kEolNone)
        before.eol = kEolCrLf;  // it was the file's last line
    text.reserve(keyName.size() + 1 + value.size());
    text.append(keyName).append("=").append(value);
    Line added = MakeLine(text);
    added.isKey = 1;
    added.nameStart = 0;
    added.nameSize = static_cast<uint32_t>(keyName.size());
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), added);
    // Only runs of lines that are never read follow, so no index entry moves.
    target.keys.Insert(HashName(keyName), static_cast<uint32_t>(at));
    modified_ = true;
    return true;
}

// A new section at the end of the file, named in the file's text: its
// index, or -1 when its header would not read back as the name (a name
// ending in a lead byte would swallow the ']').
int IniFile::AddSection(std::string_view name) {
    std::string header;
    header.reserve(name.size() + 2);
    header.append("[").append(name).append("]");
    uint32_t start = 0, size = 0;
    if (!FindHeaderName(header, start, size) ||
        std::string_view(header).substr(start, size) != name)
        return -1;
    EndLastLine();
    const uint32_t s = static_cast<uint32_t>(sections_.size());
    Body& added = bodies_[s];
    added.header = MakeLine(header);
    added.header.nameStart = start;
    added.header.nameSize = size;
    added.hasHeader = true;
    sections_.push_back(
        Section{0, 0, kEolNone, 1, HashName(name), kNone, static_cast<uint32_t>(parsed_.size())});
    IndexSection(s);
    return static_cast<int>(s);
}

// The lines of a section as the file holds them, each with its line end.
// Its runs may also hold later duplicates of other sections, from their
// headers on; those belong to them, not to this one.
std::string IniFile::SectionText(int section) const {
    static const char* const kEol[] = {"", "\n", "\r", "\r\n"};
    std::string text;
    bool foreign = false;
    VisitLines(static_cast<size_t>(section), [&](const Line& line) {
        if (line.isKey) {
            text.append(View(line)).append(line.eol == kEolNone ? "\r\n" : kEol[line.eol]);
            return;
        }
        const char* const end = line.text + line.size;
        for (const char* p = line.text; !foreign;) {
            const char* q = p;
            while (q < end && *q != '\r' && *q != '\n')
                ++q;
            uint32_t start = 0, size = 0;
            if (FindHeaderName(std::string_view(p, static_cast<size_t>(q - p)), start, size)) {
                foreign = true;
                break;
            }
            text.append(p, q);
            if (q == end) {
                text += line.eol == kEolNone ? "\r\n" : kEol[line.eol];
                break;
            }
            const size_t eol = *q == '\r' && q + 1 < end && q[1] == '\n' ? 2 : 1;
            text.append(q, eol);
            p = q + eol;
        }
    });
    return text;
}

bool IniFile::CopySection(const IniFile& source, std::string_view from, std::string_view to) {
    std::string fromStorage, toStorage;
    const int s = source.FindSection(source.ToFileText(TrimBlanks(AsCString(from)), fromStorage));
    std::string text = s >= 0 ? source.SectionText(s) : std::string();
    if (s >= 0 && source.encoding_ != encoding_) {
        std::string storage;
        text = std::string(ToFileText(source.ToAnsi(text), storage));
    }
    const std::string_view name = ToFileText(TrimBlanks(AsCString(to)), toStorage);
    if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos ||
        text.size() + name.size() > kMaxFileSize)
        return false;
    RemoveSection(to);
    if (s < 0)
        return false;
    const int added = AddSection(name);
    if (added < 0)
        return false;
    // The copy lies in one chunk, so its lines follow each other in memory
    // as parsed lines do and join into runs the same way.
    const Line whole = MakeLine(text);
    Body& section = bodies_.at(static_cast<uint32_t>(added));
    const char* p = whole.text;
    const char* const end = whole.text + whole.size;
    while (p < end)
        AddParsedLine(section, CutLine(p, end), false);
    modified_ = true;
    return true;
}

bool IniFile::RemoveSection(std::string_view section) {
    std::string storage;
    const int s = FindSection(ToFileText(TrimBlanks(AsCString(section)), storage));
    if (s < 0)
        return false;
    const uint32_t removed = static_cast<uint32_t>(s);
    Body& target = Detach(removed);
    // The header's text stays where it is (in the bytes read or a chunk),
    // so its name can still be compared with after the header is gone.
    const std::string_view name = NameOf(target.header);
    UnindexSection(removed);
    DropSectionLines(target, name, true);
    target.hasHeader = false;
    target.keys.Clear();
    const auto hosts = std::equal_range(
        duplicates_.begin(), duplicates_.end(), std::make_pair(removed, uint32_t{0}),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto host = hosts.first; host != hosts.second; ++host)
        DropSectionLines(Detach(host->second), name, false);
    duplicates_.erase(hosts.first, hosts.second);
    modified_ = true;
    return true;
}

// Drops the lines of the host that belong to a section called name: from
// each of its headers up to the next header of any name, and also the lines
// before the first header when dropping starts true (the host's own lines,
// keys included). Other key lines of a section all come before its first
// header line (a new key goes before the runs of duplicates), so their
// indexes do not move.
void IniFile::DropSectionLines(Body& host, std::string_view name, bool dropping) {
    std::vector<Line> kept;
    kept.reserve(host.lines.size());
    for (const Line& line : host.lines) {
        if (line.isKey) {
            if (!dropping)
                kept.push_back(line);
            continue;
        }
        // The run's lines one by one; consecutive kept lines stay one run.
        const char* const end = line.text + line.size;
        const char* keptStart = nullptr;
        Line piece{};
        auto flush = [&]() {
            if (keptStart == nullptr)
                return;
            const uint32_t size = piece.size;
            piece.text = keptStart;
            piece.isKey = 0;
            // Where a new key of the host goes stays in the run's first part.
            piece.nameStart =
                keptStart == line.text && line.nameStart != kNoLine && line.nameStart <= size
                    ? line.nameStart
                    : kNoLine;
            piece.nameSize = 0;
            kept.push_back(piece);
            keptStart = nullptr;
        };
        for (const char* p = line.text;;) {
            const char* q = p;
            while (q < end && *q != '\r' && *q != '\n')
                ++q;
            uint32_t start = 0, size = 0;
            if (FindHeaderName(std::string_view(p, static_cast<size_t>(q - p)), start, size))
                dropping = SameName(std::string_view(p + start, size), name);
            uint32_t eol = line.eol;
            const char* next = end;
            if (q < end) {
                eol = *q == '\n' ? kEolLf : q + 1 < end && q[1] == '\n' ? kEolCrLf : kEolCr;
                next = q + (eol == kEolCrLf ? 2 : 1);
            }
            if (dropping) {
                flush();
            } else {
                if (keptStart == nullptr)
                    keptStart = p;
                piece.size = static_cast<uint32_t>(q - keptStart);
                piece.eol = eol;
            }
            if (q == end)
                break;
            p = next;
        }
        flush();
    }
    host.lines.swap(kept);
}

}  // namespace records
