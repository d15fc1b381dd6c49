#include "tests/e2e/program_folder.h"

#include <cwchar>

#include "tools/driver/remote_ui.h"

namespace e2e {

std::wstring ProgramUnderTest() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"VELKORA_EXE", path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return path;
    n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own(path, n);
    return own.substr(0, own.find_last_of(L"\\/") + 1) + L"velkora.exe";
}

bool ProgramFolder::Create(std::string* error, const wchar_t* prefix) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    wchar_t name[96];
    // A folder name that no ANSI code page spells whole, as users' folders
    // often are: every test runs the program from such a folder.
    swprintf(name, 96, L"%ls-%lu-%d-%lu caf\u00e9 \u2713 \u7d50\u679c", prefix,
             GetCurrentProcessId(), ++counter, GetTickCount());
    folder_ = std::wstring(temp) + name;
    exe_ = folder_ + L"\\velkora.exe";
    dataFile_ = folder_ + L"\\velkora.vlk";
    if (!CreateDirectoryW(folder_.c_str(), nullptr)) {
        *error = "cannot create " + fw::NarrowUtf8(folder_);
        return false;
    }
    if (!CopyFileW(ProgramUnderTest().c_str(), exe_.c_str(), TRUE)) {
        *error =
            "cannot copy " + fw::NarrowUtf8(ProgramUnderTest()) + " (build the velkora target)";
        return false;
    }
    return true;
}

void ProgramFolder::Remove() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
}

bool ProgramFolder::Write(const std::wstring& path, const std::string& bytes) const {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
}

std::string ProgramFolder::Read(const std::wstring& path) const {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::string ProgramFolder::Profile(const std::string& section, const std::string& key,
                                   const std::wstring& file) const {
    const std::wstring& path = file.empty() ? dataFile_ : file;
    // Drop any cached copy: the program has rewritten the file since.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    wchar_t value[256] = {};
    GetPrivateProfileStringW(fw::WidenUtf8(section).c_str(), fw::WidenUtf8(key).c_str(),
                             fw::WidenUtf8(kAbsentKey).c_str(), value, 256, path.c_str());
    return fw::NarrowUtf8(value);
}

std::vector<std::string> ProgramFolder::SectionNames() const {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, dataFile_.c_str());
    std::vector<wchar_t> names(65536);
    DWORD n = GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()),
                                             dataFile_.c_str());
    std::vector<std::string> sections;
    for (DWORD i = 0; i < n && names[i] != L'\0';) {
        std::wstring name(&names[i]);
        sections.push_back(fw::NarrowUtf8(name));
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return sections;
}

}  // namespace e2e
