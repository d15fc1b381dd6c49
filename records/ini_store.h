// The result data file in memory.
//
// IniFile reads a whole INI file once, answers reads and applies writes in
// memory, and writes the whole file back once per user operation, through a
// temporary file that replaces the old one atomically.
//
// Reading follows the platform's private-profile functions, so that a file
// written by them or edited by hand reads the same:
// - Section and key names match without regard to the case of ASCII letters.
//   The first of duplicate sections is the one read and written, and in it
//   the first of duplicate keys.
// - Blanks, tabs and the other control blanks 0x0A-0x0D around names and
//   values are ignored, and so are they around the names asked for.
// - One pair of matching single or double quotes around a whole value is
//   removed when reading.
// - A line that starts with ';' is a comment. There are no end-of-line
//   comments.
// - The name of a section ends at the last ']' of its header line. A line
//   starting with '[' without a later ']' is an ordinary line.
// - A line without '=' belongs to its section but never matches a key.
// - CR, LF and CR LF all end lines.
// - A file that starts with a UTF-8 or UTF-16 (LE or BE) byte-order mark is
//   read in that encoding and written back in it; names and values cross to
//   and from the program's ANSI texts. Any other file is bytes in the ANSI
//   code page.
// - A text read hands back at most bufferSize - 1 bytes (the program reads
//   every text into a 200-byte buffer, so 199), never half of a double-byte
//   character.
// - Integer reads: see GetInt.
//
// Writing changes nothing but the lines it must:
// - A changed key keeps its line up to the value (indentation, spelling and
//   spacing of the key) and gets the new value after it.
// - A new key goes after the last line of its section that is neither blank
//   nor a comment; a new section goes to the end of the file. New lines end
//   with CR LF; a last line without a line end gets one first.
// - Every other byte of the file stays as it was: comments, unknown sections,
//   blank lines, line ends and the formatting of untouched lines.
// - A removed section takes its header and its lines up to the next header
//   with it, and so does every later duplicate of it, which would otherwise
//   be read in its place once the file is read again.
// - A value ends at its first line break (the rest would become lines of its
//   own); names that could not be read back (empty, with a line break, a key
//   with '=' or starting with '[' or ';') are refused.
// - Names and values are C strings: anything after a NUL is ignored, and a
//   value read ends at its first NUL too, so it reads the way it would be
//   written back.
//
// Failure contract. Load and Save return false on failure; the only
// exception is std::bad_alloc from Load, for a file that does not fit in
// memory, which the caller reports at the boundary of its user operation.
// - Load of a missing file gives an empty store and succeeds (the first save
//   creates the file). Load of a file that exists but cannot be read, is
//   larger than kMaxFileSize or does not fit in memory fails: the store then
//   refuses to save, so such a file is never overwritten.
// - Save that fails leaves the file on disk exactly as it was and the store
//   holding the changes the file does not have. The caller reports the
//   failure and calls Revert, which brings the store back to the bytes last
//   read from or written to the file, so what the program shows is what the
//   file holds. Save writes nothing when nothing changed since the last Load,
//   Save or Revert.
//
// Lookups go through hash indexes of the case-folded names, so a file of
// thousands of records answers every key in constant time. Parsing is linear
// in the file's size whatever it holds: every line is trimmed once and the
// position of its name kept. Lines that no read or write addresses are kept
// as runs, so a file of line breaks costs little more memory than its bytes.
// Not thread-safe: the data file is used on the user-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/text_codec.h"
#include "records/file_path.h"
#include "records/open_table.h"

namespace records {

// The buffer size of every text read of the data file.
constexpr size_t kTextBufferSize = 200;

class IniFile {
  public:
    enum class Encoding { kAnsi, kUtf8, kUtf16LE, kUtf16BE };

    static constexpr size_t kMaxFileSize = size_t{256} << 20;

    explicit IniFile(const fw::AnsiCodec& codec = fw::SystemAnsiCodec());
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    bool Load(const FilePath& path);
    // A file from elsewhere may hold far more sections than any data file:
    // with a limit set, a load or parse of a file holding more sections
    // stops there and fails, leaving the store empty, and TooManySections
    // says so until the next load.
    void LimitSections(size_t most) { sectionLimit_ = most; }
    bool TooManySections() const { return tooManySections_; }
    bool Save();
    void Revert();
    const FilePath& Path() const { return path_; }
    bool IsModified() const { return modified_; }

    // The whole file as bytes, for tests and the fuzzer: Parse replaces the
    // store's content (false, and an empty store, when the bytes exceed
    // kMaxFileSize); Render gives the bytes Save would write.
    bool Parse(std::string bytes);
    std::string Render() const;
    Encoding GetEncoding() const { return encoding_; }

    bool HasSection(std::string_view section) const;

    // Calls visit(name) with the name of every section that reads can
    // reach (the first of each name), as the file spells it; ASCII names
    // read the same in every encoding.
    template <class Visit>
    void VisitSectionNames(Visit visit) const {
        for (size_t s = 1; s < sections_.size(); ++s)
            if (HasHeader(s))
                visit(SectionName(s));
    }

    // The value of key in section, or def when the section or the key is
    // missing (without trailing blanks, but keeping its first character);
    // cut to bufferSize - 1 bytes.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          size_t bufferSize = kTextBufferSize) const;

    // The value read as an integer, the way the platform reads one: def for
    // a missing key or an empty value. Otherwise only the value's first 29
    // characters count: leading control characters and blanks are skipped,
    // then come an optional sign, an optional base prefix ("0x", "0o" or
    // "0b", lower case only) and the digits of that base, kept in the low
    // 32 bits; text without digits gives 0. Values written with "%u" come
    // back unchanged up to 4294967295; a negative decimal comes back as its
    // two's complement, so a cast to int32_t restores it.
    uint32_t GetInt(std::string_view section, std::string_view key, uint32_t def) const;

    // Creates the file's section and key as needed and replaces an existing
    // value. False (and no change) for a name that cannot be stored.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // Removes every section of this name, as the contract above says, so
    // that it reads as missing. False (and no change) when there is none.
    bool RemoveSection(std::string_view section);

    // Makes section to of this store a copy of section from of source
    // (which may be this store): every line of it as it stands, keys,
    // comments and lines without '=' alike, whatever their length, under a
    // header of its own at the end of the file. The old section to goes
    // first. Lines cross to this file's encoding when the two differ. When
    // source has no section from, section to is only removed. False when
    // the copy would not fit (nothing changes then) or there was nothing
    // to copy.
    bool CopySection(const IniFile& source, std::string_view from, std::string_view to);

  private:
    enum : uint8_t { kEolNone, kEolLf, kEolCr, kEolCrLf };
    static constexpr uint32_t kNoLine = 0xFFFFFFFFu;
    static constexpr uint32_t kNone = 0xFFFFFFFFu;

    // One entry of a section: a key line, or a run of consecutive lines
    // that no read or write addresses (blank lines, comments, lines without
    // '=', later duplicates of a key, whole duplicate sections). Keeping
    // such lines as one run keeps memory proportional to the keys, not to
    // the line breaks, of a file.
    struct Line {
        // Into the text read, or a chunk of written lines; not terminated.
        // A run holds its inner line ends; eol is the line end after the
        // last of its lines.
        const char* text;
        uint32_t size : 29;
        uint32_t eol : 2;
        uint32_t isKey : 1;
        // A key line or a header: its trimmed name is
        // text[nameStart, nameStart + nameSize). A run: nameStart is where
        // the text of its last line that is neither blank nor a comment
        // ends (a new key goes after that line), kNoLine when it has none.
        uint32_t nameStart;
        uint32_t nameSize;
    };

    // Memory. A file is mostly read and rarely written, so what is read
    // stays in three flat tables of 32-bit fields: sections_ (one entry
    // per section header), parsed_ (its lines, in file order, each
    // section's a range) and the hash chains that index them, and no
    // section allocates anything of its own. A section the program writes
    // or removes first moves its lines into a Body of the older, editable
    // shape; only those sections pay for it. Names are positions in the
    // text, so a file of bare headers or tiny keys costs a few bytes per
    // byte read.

    // A line as read: Line with its text as an offset into text_. A key's
    // name ends before its first '='; hash is that of its section and name,
    // and next chains the key lines of one bucket of keyBuckets_.
    struct ParsedLine {
        uint32_t offset;
        uint32_t size : 29;
        uint32_t eol : 2;
        uint32_t isKey : 1;
        uint32_t nameStart;
        uint32_t hash;
        uint32_t next;
    };

    // A section: its header line in text_ (none for [0], the lines before
    // the first header), the hash of its name and the next section in its
    // bucket of sectionBuckets_. Its lines as read are
    // parsed_[first, the next section's first); once written they are
    // bodies_[its index] instead. A section added by a write has a body
    // from the start and no lines in parsed_.
    struct Section {
        uint32_t offset;
        uint32_t size : 29;
        uint32_t eol : 2;
        uint32_t written : 1;
        uint32_t hash;
        uint32_t next;
        uint32_t first;
    };

    // A written section. A removed one keeps its place without a header,
    // holding only the lines of other sections' duplicates that followed
    // it, so that the indexes of the sections after it do not move.
    struct Body {
        Line header;  // unused for the lines before the first header
        bool hasHeader = false;
        std::vector<Line> lines;
        OpenTable keys;  // the first key line of each name
    };

    void Reset();
    int AddSection(std::string_view name);
    std::string SectionText(int section) const;
    bool ParseShared(std::shared_ptr<const std::string> bytes);
    void SplitLines(const char* text, size_t size);
    // The line at p (up to CR, LF or CR LF, which it records) and p past it.
    static Line CutLine(const char*& p, const char* end);
    void AddReadLine(const Line& line, bool inert);
    void AppendToReadRun(const Line& line, bool other);
    void AddParsedLine(Body& section, const Line& line, bool inert);
    static void AppendToRun(std::vector<Line>& lines, const Line& line, bool other);
    size_t InsertionPoint(Body& section);
    void DropSectionLines(Body& host, std::string_view name, bool dropping);

    static std::string_view View(const Line& line) { return {line.text, line.size}; }
    static std::string_view NameOf(const Line& line) {
        return {line.text + line.nameStart, line.nameSize};
    }
    size_t HeaderEnd(std::string_view trimmed) const;
    bool FindHeaderName(std::string_view text, uint32_t& start, uint32_t& size) const;
    uint32_t HashName(std::string_view name) const;
    bool SameName(std::string_view a, std::string_view b) const;

    // Names and values as the store holds them: the ANSI text itself, or
    // converted for a Unicode file.
    std::string_view ToFileText(std::string_view ansi, std::string& storage) const;
    std::string ToAnsi(std::string_view text) const;

    // The sections and the lines as read (ini_sections.cpp).
    bool HasHeader(size_t section) const;
    std::string_view SectionName(size_t section) const;
    Line HeaderLine(size_t section) const;
    Line Expand(const ParsedLine& line) const;
    size_t LinesEnd(size_t section) const;
    template <class Visit>
    void VisitLines(size_t section, Visit visit) const {
        if (sections_[section].written) {
            for (const Line& line : bodies_.at(static_cast<uint32_t>(section)).lines)
                visit(line);
            return;
        }
        const size_t end = LinesEnd(section);
        for (size_t l = sections_[section].first; l < end; ++l)
            visit(Expand(parsed_[l]));
    }
    Body& Detach(size_t section);
    void IndexSection(uint32_t section);
    void UnindexSection(uint32_t section);
    void RebuildSectionIndex(size_t buckets);
    uint32_t FindReadKey(size_t section, std::string_view key) const;
    void IndexReadKey(uint32_t line);
    void RebuildKeyIndex(size_t buckets);
    bool ReadKeyIs(const ParsedLine& line, std::string_view key) const;
    static uint32_t KeyHash(uint32_t nameHash, size_t section);
    void EndLastLine();

    int FindSection(std::string_view name) const;
    bool FindKey(const Body& section, std::string_view key, uint32_t& line) const;
    bool FindKeyLine(size_t section, std::string_view key, Line& line) const;
    // The value of key in section, at least its first bufferSize bytes.
    bool LookUp(std::string_view section, std::string_view key, size_t bufferSize,
                std::string& value) const;
    std::string CutToBuffer(std::string text, size_t bufferSize) const;

    Line MakeLine(std::string_view text);

    const fw::AnsiCodec& codec_;
    bool ansiLead_[256];  // lead bytes of the ANSI code page
    bool nameLead_[256];  // lead bytes of the file's text (none for Unicode files)
    bool hasLeadBytes_ = false;

    FilePath path_;
    bool loadFailed_ = false;
    size_t sectionLimit_ = 0;  // 0: none
    bool tooManySections_ = false;
    bool modified_ = false;
    Encoding encoding_ = Encoding::kAnsi;

    std::shared_ptr<const std::string> source_;  // the bytes the lines point into
    std::shared_ptr<const std::string> disk_;    // the bytes last read or written
    std::string decoded_;                        // a UTF-16 file's text as UTF-8
    std::string tail_;                           // the odd last byte of a UTF-16 file
    const char* text_ = nullptr;                 // the text parsed: in source_ or decoded_

    // Deques: they grow without moving (and so without a second copy).
    std::deque<Section> sections_;  // [0]: the lines before the first header
    std::deque<ParsedLine> parsed_;
    std::unordered_map<uint32_t, Body> bodies_;
    // Chains of the sections with a header, by name, at most two a bucket.
    std::vector<uint32_t> sectionBuckets_;
    size_t indexedSections_ = 0;
    // Chains of the key lines of parsed_, by section and name.
    std::vector<uint32_t> keyBuckets_;
    size_t indexedKeys_ = 0;
    // (section, host): the host's runs hold a later duplicate of the
    // section's header; sorted once the file is read.
    std::deque<std::pair<uint32_t, uint32_t>> duplicates_;

    // Texts of the lines this store wrote, in chunks that never move.
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* chunkNext_ = nullptr;
    size_t chunkLeft_ = 0;
};

}  // namespace records
