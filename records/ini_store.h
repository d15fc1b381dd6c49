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
// - A value ends at its first line break (the rest would become lines of its
//   own); names that could not be read back (empty, with a line break, a key
//   with '=' or starting with '[' or ';') are refused.
// - Names and values are C strings: anything after a NUL is ignored.
//
// Failure contract. Load and Save return false on failure and never throw.
// - Load of a missing file gives an empty store and succeeds (the first save
//   creates the file). Load of a file that exists but cannot be read, or is
//   larger than kMaxFileSize, fails: the store is then empty and Save refuses
//   to write, so an unreadable file is never overwritten with nothing.
// - Save that fails leaves the file on disk exactly as it was and the store
//   holding the changes the file does not have. The caller reports the
//   failure and calls Revert, which brings the store back to the bytes last
//   read from or written to the file, so what the program shows is what the
//   file holds. Save writes nothing when nothing changed since the last Load,
//   Save or Revert.
//
// Lookups go through hash indexes of the case-folded names, so a file of
// thousands of records answers every key in constant time. Not thread-safe:
// the data file is used on the user-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/ansi_codec.h"

namespace records {

// The buffer size of every text read of the data file.
constexpr size_t kTextBufferSize = 200;

class IniFile {
  public:
    enum class Encoding { kAnsi, kUtf8, kUtf16LE, kUtf16BE };

    static constexpr size_t kMaxFileSize = size_t{256} << 20;

    explicit IniFile(const AnsiCodec& codec = SystemAnsiCodec());
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // path is in the ANSI code page.
    bool Load(const std::string& path);
    bool Save();
    void Revert();
    const std::string& Path() const { return path_; }
    bool IsModified() const { return modified_; }

    // The whole file as bytes, for tests and the fuzzer: Parse replaces the
    // store's content (false, and an empty store, when the bytes exceed
    // kMaxFileSize); Render gives the bytes Save would write.
    bool Parse(std::string bytes);
    std::string Render() const;
    Encoding GetEncoding() const { return encoding_; }

    bool HasSection(std::string_view section) const;

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

  private:
    enum : uint8_t { kEolNone, kEolLf, kEolCr, kEolCrLf };

    struct Line {
        // Into the bytes read, the decoded text of a UTF-16 file or a chunk
        // of written lines; not terminated.
        const char* text;
        uint32_t size;
        uint8_t eol;
    };

    // Each section indexes its own keys in an open-addressing table of
    // KeySlots (a slice of keySlots_), so the keys of one record lie
    // together in memory. The table holds hashes and line numbers only;
    // names are compared against the lines themselves, so building it
    // allocates no strings.
    struct KeySlot {
        uint32_t hash;
        uint32_t line;  // kEmptySlot when free
    };

    struct Section {
        Line header;  // unused for the lines before the first header
        bool hasHeader = false;
        bool indexed = false;  // the first section of its name
        std::vector<Line> lines;
        uint32_t keyTable = 0;  // offset in keySlots_
        uint32_t keyTableSize = 0;
        uint32_t keyCount = 0;
    };

    // Open-addressing hash table of the section names.
    struct SectionSlot {
        uint32_t hash;
        uint32_t section;  // kEmptySlot when free
    };
    class SectionIndex {
      public:
        void Clear(size_t expected);
        template <class Match>
        const SectionSlot* Find(uint32_t hash, Match match) const;
        void Insert(const SectionSlot& slot);

      private:
        void Grow();
        std::vector<SectionSlot> slots_;
        size_t count_ = 0;
    };

    void Reset();
    bool ParseShared(std::shared_ptr<const std::string> bytes);
    void SplitLines(const char* text, size_t size);
    void IndexSection(uint32_t section);
    void ReserveKeys(uint32_t section, uint32_t count);
    void AddKey(uint32_t section, uint32_t hash, uint32_t line);

    std::string_view View(const Line& line) const { return {line.text, line.size}; }
    size_t HeaderEnd(std::string_view trimmed) const;
    bool HeaderName(const Line& line, std::string_view& name) const;
    bool KeyName(const Line& line, std::string_view& key) const;
    uint32_t HashName(std::string_view name) const;
    bool SameName(std::string_view a, std::string_view b) const;

    // Names and values as the store holds them: the ANSI text itself, or
    // converted for a Unicode file.
    std::string_view ToFileText(std::string_view ansi, std::string& storage) const;
    std::string ToAnsi(std::string_view text) const;

    int FindSection(std::string_view name) const;
    bool FindKey(int section, std::string_view key, uint32_t& line) const;
    bool LookUp(std::string_view section, std::string_view key, std::string& value) const;
    std::string CutToBuffer(std::string text, size_t bufferSize) const;

    Line MakeLine(std::string_view text);
    Line* LastLine();

    const AnsiCodec& codec_;
    bool ansiLead_[256];  // lead bytes of the ANSI code page
    bool nameLead_[256];  // lead bytes of the file's text (none for Unicode files)
    bool hasLeadBytes_ = false;

    std::string path_;
    bool loadFailed_ = false;
    bool modified_ = false;
    Encoding encoding_ = Encoding::kAnsi;

    std::shared_ptr<const std::string> source_;  // the bytes the lines point into
    std::shared_ptr<const std::string> disk_;    // the bytes last read or written
    std::string decoded_;                        // a UTF-16 file's text as UTF-8
    std::string tail_;                           // the odd last byte of a UTF-16 file

    std::vector<Section> sections_;  // [0]: the lines before the first header
    SectionIndex sectionIndex_;
    std::vector<KeySlot> keySlots_;

    // Texts of the lines this store wrote, in chunks that never move.
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* chunkNext_ = nullptr;
    size_t chunkLeft_ = 0;
};

}  // namespace records
