// A fresh folder under the temporary folder holding a copy of the program
// under test, so its data file starts from nothing (or from what a test
// writes), with the file helpers the end-to-end tests share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// What a missing key of the data file reads as in the tests.
constexpr char kAbsentKey[] = "<absent>";

// velkora.exe beside the test program, or the one VELKORA_EXE names.
std::wstring ProgramUnderTest();

class ProgramFolder {
  public:
    bool Create(std::string* error, const wchar_t* prefix = L"velkora-e2e");
    // Removes the folder and the files in it.
    void Remove();

    const std::wstring& Path() const { return folder_; }
    const std::wstring& Exe() const { return exe_; }
    const std::wstring& DataFile() const { return dataFile_; }

    bool Write(const std::wstring& path, const std::string& bytes) const;
    bool WriteDataFile(const std::string& bytes) const { return Write(dataFile_, bytes); }
    std::string Read(const std::wstring& path) const;

    // A key of a data file (this folder's by default) as the platform's
    // profile functions read it; kAbsentKey when it is missing.
    std::string Profile(const std::string& section, const std::string& key,
                        const std::wstring& file = std::wstring()) const;
    std::vector<std::string> SectionNames() const;

  private:
    std::wstring folder_, exe_, dataFile_;
};

}  // namespace e2e
