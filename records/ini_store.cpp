#include "records/ini_store.h"

#include <cstring>
#include <utility>

#include "records/atomic_file.h"

namespace records {

namespace {

constexpr uint32_t kEmptySlot = 0xFFFFFFFFu;
constexpr size_t kChunkSize = 64 * 1024;
// The platform reads an integer through a buffer of 30 characters.
constexpr size_t kIntegerBufferSize = 30;

const char kUtf8Bom[] = "\xEF\xBB\xBF";

bool IsBlank(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// The program hands names and values over as C strings.
std::string_view AsCString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

bool StartsWith(const std::string& s, const char* prefix, size_t n) {
    return s.size() >= n && std::memcmp(s.data(), prefix, n) == 0;
}

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

uint8_t FoldAscii(unsigned char c) {
    return static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
}

}  // namespace

// ---------------------------------------------------------------------------
// SectionIndex

void IniFile::SectionIndex::Clear(size_t expected) {
    size_t size = 16;
    while (size < expected * 2)
        size *= 2;
    slots_.assign(size, SectionSlot{0, kEmptySlot});
    count_ = 0;
}

template <class Match>
const IniFile::SectionSlot* IniFile::SectionIndex::Find(uint32_t hash, Match match) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const SectionSlot& slot = slots_[i];
        if (slot.section == kEmptySlot)
            return nullptr;
        if (slot.hash == hash && match(slot.section))
            return &slot;
    }
}

void IniFile::SectionIndex::Insert(const SectionSlot& slot) {
    if ((count_ + 1) * 2 > slots_.size())
        Grow();
    const size_t mask = slots_.size() - 1;
    size_t i = slot.hash & mask;
    while (slots_[i].section != kEmptySlot)
        i = (i + 1) & mask;
    slots_[i] = slot;
    ++count_;
}

void IniFile::SectionIndex::Grow() {
    std::vector<SectionSlot> old;
    old.swap(slots_);
    slots_.assign(old.size() * 2, SectionSlot{0, kEmptySlot});
    count_ = 0;
    for (const SectionSlot& slot : old)
        if (slot.section != kEmptySlot)
            Insert(slot);
}

// A section's key table: a power of two, at most three quarters full.
void IniFile::ReserveKeys(uint32_t s, uint32_t count) {
    Section& section = sections_[s];
    uint32_t size = 4;
    while (size * 3 < count * 4)
        size *= 2;
    if (size <= section.keyTableSize)
        return;
    const uint32_t oldTable = section.keyTable, oldSize = section.keyTableSize;
    section.keyTable = static_cast<uint32_t>(keySlots_.size());
    section.keyTableSize = size;
    keySlots_.resize(keySlots_.size() + size, KeySlot{0, kEmptySlot});
    section.keyCount = 0;
    for (uint32_t i = 0; i < oldSize; ++i) {
        const KeySlot slot = keySlots_[oldTable + i];
        if (slot.line != kEmptySlot)
            AddKey(s, slot.hash, slot.line);
    }
}

void IniFile::AddKey(uint32_t s, uint32_t hash, uint32_t line) {
    if (sections_[s].keyCount + 1 > sections_[s].keyTableSize * 3 / 4)
        ReserveKeys(s, sections_[s].keyCount + 1);
    Section& section = sections_[s];
    const uint32_t mask = section.keyTableSize - 1;
    uint32_t i = hash & mask;
    while (keySlots_[section.keyTable + i].line != kEmptySlot)
        i = (i + 1) & mask;
    keySlots_[section.keyTable + i] = KeySlot{hash, line};
    ++section.keyCount;
}

// ---------------------------------------------------------------------------
// Construction, loading and saving

IniFile::IniFile(const AnsiCodec& codec) : codec_(codec) {
    for (int b = 0; b < 256; ++b) {
        ansiLead_[b] = codec_.IsLeadByte(static_cast<unsigned char>(b));
        hasLeadBytes_ = hasLeadBytes_ || ansiLead_[b];
    }
    ParseShared(std::make_shared<const std::string>());
}

IniFile::~IniFile() = default;

bool IniFile::Load(const std::string& path) {
    path_ = path;
    std::string bytes;
    if (ReadWholeFile(path, bytes, kMaxFileSize) == ReadResult::kError) {
        ParseShared(std::make_shared<const std::string>());
        loadFailed_ = true;
        return false;
    }
    // A missing file reads as an empty one.
    loadFailed_ = false;
    return ParseShared(std::make_shared<const std::string>(std::move(bytes)));
}

bool IniFile::Save() {
    if (path_.empty() || loadFailed_)
        return false;
    if (!modified_)
        return true;
    std::string bytes = Render();
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

// ---------------------------------------------------------------------------
// Parsing and rendering

void IniFile::Reset() {
    sections_.clear();
    sections_.emplace_back();
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
        decoded_ = Utf16ToUtf8(units);
        text = decoded_.data();
        size = decoded_.size();
    }
    // Inside a Unicode file no byte of a name is part of a double-byte
    // ANSI character.
    for (int c = 0; c < 256; ++c)
        nameLead_[c] = encoding_ == Encoding::kAnsi && ansiLead_[c];

    SplitLines(text, size);
    size_t keys = 0;
    for (const Section& section : sections_)
        keys += section.lines.size();
    keySlots_.clear();
    keySlots_.reserve(keys * 2);
    sectionIndex_.Clear(sections_.size());
    for (uint32_t s = 1; s < sections_.size(); ++s)
        IndexSection(s);
    return fits;
}

void IniFile::SplitLines(const char* text, size_t size) {
    // All lines first, then each section takes its own in one allocation.
    std::vector<Line> lines;
    std::vector<size_t> headers;
    lines.reserve(size / 24 + 1);
    const char* p = text;
    const char* end = text + size;
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        Line line{p, static_cast<uint32_t>(q - p), kEolNone};
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
        std::string_view name;
        if (HeaderName(line, name))
            headers.push_back(lines.size());
        lines.push_back(line);
    }
    headers.push_back(lines.size());
    sections_.reserve(headers.size());
    sections_[0].lines.assign(lines.begin(),
                              lines.begin() + static_cast<std::ptrdiff_t>(headers[0]));
    for (size_t h = 0; h + 1 < headers.size(); ++h) {
        sections_.emplace_back();
        Section& section = sections_.back();
        section.header = lines[headers[h]];
        section.hasHeader = true;
        section.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(headers[h] + 1),
                             lines.begin() + static_cast<std::ptrdiff_t>(headers[h + 1]));
    }
}

void IniFile::IndexSection(uint32_t s) {
    std::string_view name;
    HeaderName(sections_[s].header, name);
    const uint32_t hash = HashName(name);
    auto sameSection = [&](uint32_t other) {
        std::string_view otherName;
        HeaderName(sections_[other].header, otherName);
        return SameName(otherName, name);
    };
    if (name.empty() || sectionIndex_.Find(hash, sameSection))
        return;
    sectionIndex_.Insert(SectionSlot{hash, s});
    sections_[s].indexed = true;
    ReserveKeys(s, static_cast<uint32_t>(sections_[s].lines.size()));
    for (uint32_t l = 0; l < sections_[s].lines.size(); ++l) {
        std::string_view key;
        if (!KeyName(sections_[s].lines[l], key))
            continue;
        uint32_t existing;
        if (!FindKey(static_cast<int>(s), key, existing))
            AddKey(s, HashName(key), l);
    }
}

std::string IniFile::Render() const {
    size_t total = 0;
    for (const Section& section : sections_) {
        if (section.hasHeader)
            total += section.header.size + 2;
        for (const Line& line : section.lines)
            total += line.size + 2;
    }
    std::string text;
    text.reserve(total);
    auto append = [&text](const Line& line) {
        text.append(line.text, line.size);
        static const char* const kEol[] = {"", "\n", "\r", "\r\n"};
        text += kEol[line.eol];
    };
    for (const Section& section : sections_) {
        if (section.hasHeader)
            append(section.header);
        for (const Line& line : section.lines)
            append(line);
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
    const std::u16string units = Utf8ToUtf16(text);
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

bool IniFile::HeaderName(const Line& line, std::string_view& name) const {
    std::string_view t = Trim(View(line));
    if (t.empty() || t[0] != '[')
        return false;
    size_t end = HeaderEnd(t);
    if (end == std::string_view::npos)
        return false;
    name = Trim(t.substr(1, end - 1));
    return true;
}

bool IniFile::KeyName(const Line& line, std::string_view& key) const {
    std::string_view t = Trim(View(line));
    if (t.empty() || t[0] == ';')
        return false;
    // '=' is never the second byte of a double-byte character: trail bytes
    // start at 0x40.
    size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return false;
    if (t[0] == '[' && HeaderEnd(t) != std::string_view::npos)
        return false;
    key = Trim(t.substr(0, eq));
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

std::string_view IniFile::ToFileText(std::string_view ansi, std::string& storage) const {
    if (encoding_ == Encoding::kAnsi)
        return ansi;
    storage = Utf16ToUtf8(codec_.ToUtf16(ansi));
    return storage;
}

std::string IniFile::ToAnsi(std::string_view text) const {
    if (encoding_ == Encoding::kAnsi)
        return std::string(text);
    return codec_.FromUtf16(Utf8ToUtf16(text));
}

int IniFile::FindSection(std::string_view name) const {
    if (name.empty())
        return -1;
    const SectionSlot* slot = sectionIndex_.Find(HashName(name), [&](uint32_t s) {
        std::string_view other;
        HeaderName(sections_[s].header, other);
        return SameName(other, name);
    });
    return slot ? static_cast<int>(slot->section) : -1;
}

bool IniFile::FindKey(int s, std::string_view key, uint32_t& line) const {
    const Section& section = sections_[static_cast<size_t>(s)];
    if (section.keyTableSize == 0)
        return false;
    const uint32_t hash = HashName(key);
    const uint32_t mask = section.keyTableSize - 1;
    for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
        const KeySlot& slot = keySlots_[section.keyTable + i];
        if (slot.line == kEmptySlot)
            return false;
        std::string_view other;
        if (slot.hash == hash && KeyName(section.lines[slot.line], other) && SameName(other, key)) {
            line = slot.line;
            return true;
        }
    }
}

// ---------------------------------------------------------------------------
// Reading

bool IniFile::HasSection(std::string_view section) const {
    std::string storage;
    return FindSection(ToFileText(Trim(AsCString(section)), storage)) >= 0;
}

bool IniFile::LookUp(std::string_view section, std::string_view key, std::string& value) const {
    std::string sectionStorage, keyStorage;
    int s = FindSection(ToFileText(Trim(AsCString(section)), sectionStorage));
    uint32_t l = 0;
    if (s < 0 || !FindKey(s, ToFileText(Trim(AsCString(key)), keyStorage), l))
        return false;
    std::string_view t = Trim(View(sections_[s].lines[l]));
    value = ToAnsi(StripQuotes(Trim(t.substr(t.find('=') + 1))));
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
    if (!LookUp(section, key, value)) {
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
    if (!LookUp(section, key, value) || value.empty())
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
    return Line{p, static_cast<uint32_t>(text.size()), kEolCrLf};
}

IniFile::Line* IniFile::LastLine() {
    for (size_t s = sections_.size(); s-- > 0;) {
        Section& section = sections_[s];
        if (!section.lines.empty())
            return &section.lines.back();
        if (section.hasHeader)
            return &section.header;
    }
    return nullptr;
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view sectionName = Trim(AsCString(section));
    std::string_view keyName = Trim(AsCString(key));
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
    if (s < 0) {
        // A new section at the end of the file, if its header reads back as
        // the name (a name ending in a lead byte would swallow the ']').
        std::string header;
        header.reserve(sectionName.size() + 2);
        header.append("[").append(sectionName).append("]");
        std::string_view parsed;
        if (!HeaderName(Line{header.data(), static_cast<uint32_t>(header.size()), kEolNone},
                        parsed) ||
            parsed != sectionName)
            return false;
        if (Line* last = LastLine(); last && last->eol == kEolNone)
            last->eol = kEolCrLf;
        sections_.emplace_back();
        sections_.back().header = MakeLine(header);
        sections_.back().hasHeader = true;
        s = static_cast<int>(sections_.size() - 1);
        sectionIndex_.Insert(SectionSlot{HashName(sectionName), static_cast<uint32_t>(s)});
        sections_.back().indexed = true;
    }
    Section& target = sections_[s];

    std::string text;
    uint32_t l = 0;
    if (FindKey(s, keyName, l)) {
        // Keep the line up to its value: indentation, the key as written
        // and the blanks around '='.
        Line& line = target.lines[l];
        std::string_view old = View(line);
        size_t start = old.find('=') + 1;
        while (start < old.size() && IsBlank(static_cast<unsigned char>(old[start])))
            ++start;
        if (old.substr(start) == value)
            return true;
        text.reserve(start + value.size());
        text.append(old.substr(0, start)).append(value);
        const uint8_t eol = line.eol;
        line = MakeLine(text);
        line.eol = eol;
        modified_ = true;
        return true;
    }

    // A new key after the section's last line that is neither blank nor a
    // comment, so that blank lines and comments before the next header stay
    // before it.
    size_t at = target.lines.size();
    while (at > 0) {
        std::string_view t = Trim(View(target.lines[at - 1]));
        if (!t.empty() && t[0] != ';')
            break;
        --at;
    }
    Line& before = at > 0 ? target.lines[at - 1] : target.header;
    if (before.eol == kEolNone)
        before.eol = kEolCrLf;  // it was the file's last line
    text.reserve(keyName.size() + 1 + value.size());
    text.append(keyName).append("=").append(value);
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(text));
    // Only blank and comment lines follow, and they are not indexed, so no
    // index entry moves.
    AddKey(static_cast<uint32_t>(s), HashName(keyName), static_cast<uint32_t>(at));
    modified_ = true;
    return true;
}

}  // namespace records
