// IniFile: the sections and lines as read, their hash chains, and moving a
// section into a body of its own when the program writes it.
#include <algorithm>

#include "records/ini_store.h"
#include "records/ini_text.h"

namespace records {

namespace {

// A bucket holds two entries on average before the buckets double; the
// buckets are made anew then, so the old ones are gone before the new ones
// are filled.
constexpr size_t kEntriesPerBucket = 2;
constexpr size_t kFirstBuckets = 8;

}  // namespace

// Keys of different sections with one name fall into different buckets.
uint32_t IniFile::KeyHash(uint32_t nameHash, size_t section) {
    return nameHash ^ (static_cast<uint32_t>(section) * 0x9E3779B1u);
}

bool IniFile::HasHeader(size_t section) const {
    if (sections_[section].written)
        return bodies_.at(static_cast<uint32_t>(section)).hasHeader;
    return section != 0;
}

IniFile::Line IniFile::HeaderLine(size_t section) const {
    const Section& s = sections_[section];
    if (s.written)
        return bodies_.at(static_cast<uint32_t>(section)).header;
    Line header{text_ + s.offset, s.size, s.eol, 0, 0, 0};
    FindHeaderName(View(header), header.nameStart, header.nameSize);
    return header;
}

std::string_view IniFile::SectionName(size_t section) const {
    const Line header = HeaderLine(section);
    return NameOf(header);
}

size_t IniFile::LinesEnd(size_t section) const {
    return section + 1 < sections_.size() ? sections_[section + 1].first : parsed_.size();
}

// A key's name ends before the first '=' after it.
IniFile::Line IniFile::Expand(const ParsedLine& parsed) const {
    Line line{text_ + parsed.offset, parsed.size, parsed.eol, parsed.isKey, parsed.nameStart, 0};
    if (parsed.isKey) {
        const std::string_view text = View(line);
        const size_t eq = text.find('=', line.nameStart);
        line.nameSize = static_cast<uint32_t>(
            TrimBlanks(text.substr(line.nameStart, eq - line.nameStart)).size());
    }
    return line;
}

// Reads the section's lines once into a body, where writes can change them.
IniFile::Body& IniFile::Detach(size_t section) {
    const uint32_t s = static_cast<uint32_t>(section);
    if (sections_[section].written)
        return bodies_.at(s);
    Body body;
    body.header = HeaderLine(section);
    body.hasHeader = section != 0;
    VisitLines(section, [&](const Line& line) {
        if (line.isKey)
            body.keys.Insert(HashName(NameOf(line)), static_cast<uint32_t>(body.lines.size()));
        body.lines.push_back(line);
    });
    Body& placed = bodies_[s] = std::move(body);
    sections_[section].written = 1;
    return placed;
}

// ---------------------------------------------------------------------------
// The section chains

int IniFile::FindSection(std::string_view name) const {
    if (name.empty() || sectionBuckets_.empty())
        return -1;
    const uint32_t hash = HashName(name);
    for (uint32_t s = sectionBuckets_[hash & (sectionBuckets_.size() - 1)]; s != kNone;
         s = sections_[s].next)
        if (sections_[s].hash == hash && SameName(SectionName(s), name))
            return static_cast<int>(s);
    return -1;
}

// The section already has its header, so a rebuild links it too.
void IniFile::IndexSection(uint32_t section) {
    if (++indexedSections_ > sectionBuckets_.size() * kEntriesPerBucket) {
        RebuildSectionIndex(std::max(kFirstBuckets, sectionBuckets_.size() * 2));
        return;
    }
    uint32_t& head = sectionBuckets_[sections_[section].hash & (sectionBuckets_.size() - 1)];
    sections_[section].next = head;
    head = section;
}

void IniFile::UnindexSection(uint32_t section) {
    uint32_t* link = &sectionBuckets_[sections_[section].hash & (sectionBuckets_.size() - 1)];
    while (*link != section)
        link = &sections_[*link].next;
    *link = sections_[section].next;
    --indexedSections_;
}

void IniFile::RebuildSectionIndex(size_t buckets) {
    std::vector<uint32_t>().swap(sectionBuckets_);
    sectionBuckets_.assign(buckets, kNone);
    for (size_t s = 1; s < sections_.size(); ++s) {
        if (!HasHeader(s))
            continue;
        uint32_t& head = sectionBuckets_[sections_[s].hash & (buckets - 1)];
        sections_[s].next = head;
        head = static_cast<uint32_t>(s);
    }
}

// ---------------------------------------------------------------------------
// The key chains of the lines as read

// The name at the line's nameStart is key: the same bytes, then only blanks
// before the '='. A name never holds '='.
bool IniFile::ReadKeyIs(const ParsedLine& parsed, std::string_view key) const {
    if (key.find('=') != std::string_view::npos)
        return false;
    const std::string_view text(text_ + parsed.offset, parsed.size);
    const std::string_view rest = text.substr(parsed.nameStart);
    if (rest.size() <= key.size() || !SameName(rest.substr(0, key.size()), key))
        return false;
    size_t i = key.size();
    while (i < rest.size() && IsIniBlank(static_cast<unsigned char>(rest[i])))
        ++i;
    return i < rest.size() && rest[i] == '=';
}

uint32_t IniFile::FindReadKey(size_t section, std::string_view key) const {
    if (keyBuckets_.empty())
        return kNone;
    const size_t first = sections_[section].first, end = LinesEnd(section);
    const uint32_t hash = KeyHash(HashName(key), section);
    for (uint32_t l = keyBuckets_[hash & (keyBuckets_.size() - 1)]; l != kNone; l = parsed_[l].next)
        if (parsed_[l].hash == hash && l >= first && l < end && ReadKeyIs(parsed_[l], key))
            return l;
    return kNone;
}

// Keys are indexed while the file is read, each in the last section and
// already in parsed_, so a rebuild links it too.
void IniFile::IndexReadKey(uint32_t line) {
    if (++indexedKeys_ > keyBuckets_.size() * kEntriesPerBucket) {
        RebuildKeyIndex(std::max(kFirstBuckets, keyBuckets_.size() * 2));
        return;
    }
    uint32_t& head = keyBuckets_[parsed_[line].hash & (keyBuckets_.size() - 1)];
    parsed_[line].next = head;
    head = line;
}

void IniFile::RebuildKeyIndex(size_t buckets) {
    std::vector<uint32_t>().swap(keyBuckets_);
    keyBuckets_.assign(buckets, kNone);
    for (size_t l = 0; l < parsed_.size(); ++l) {
        if (!parsed_[l].isKey)
            continue;
        uint32_t& head = keyBuckets_[parsed_[l].hash & (buckets - 1)];
        parsed_[l].next = head;
        head = static_cast<uint32_t>(l);
    }
}

bool IniFile::FindKeyLine(size_t section, std::string_view key, Line& line) const {
    if (sections_[section].written) {
        const Body& body = bodies_.at(static_cast<uint32_t>(section));
        uint32_t l = 0;
        if (!FindKey(body, key, l))
            return false;
        line = body.lines[l];
        return true;
    }
    const uint32_t l = FindReadKey(section, key);
    if (l == kNone)
        return false;
    line = Expand(parsed_[l]);
    return true;
}

bool IniFile::FindKey(const Body& section, std::string_view key, uint32_t& line) const {
    line = section.keys.Find(
        HashName(key), [&](uint32_t other) { return SameName(NameOf(section.lines[other]), key); });
    return line != OpenTable::kEmpty;
}

// The file's last line gets a line end before anything is added after it.
void IniFile::EndLastLine() {
    for (size_t s = sections_.size(); s-- > 0;) {
        if (sections_[s].written) {
            Body& body = bodies_.at(static_cast<uint32_t>(s));
            Line* last = !body.lines.empty() ? &body.lines.back()
                         : body.hasHeader    ? &body.header
                                             : nullptr;
            if (last == nullptr)
                continue;
            if (last->eol == kEolNone)
                last->eol = kEolCrLf;
            return;
        }
        if (LinesEnd(s) > sections_[s].first) {
            ParsedLine& last = parsed_[LinesEnd(s) - 1];
            if (last.eol == kEolNone)
                last.eol = kEolCrLf;
            return;
        }
        if (s != 0) {
            if (sections_[s].eol == kEolNone)
                sections_[s].eol = kEolCrLf;
            return;
        }
    }
}

}  // namespace records
