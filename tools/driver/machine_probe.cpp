// The Win32 side of machine_state.h: /proc as Wine shows it on drive Z:.
#include <windows.h>

#include <string>

#include "tools/driver/machine_state.h"

namespace e2e {

namespace {

const wchar_t kProc[] = L"Z:\\proc\\";

// The whole of a /proc file: these report a size of 0, so read to the end.
bool ReadWholeFile(const std::wstring& path, std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD got = 0;
    while (text.size() < (1u << 20) && ReadFile(file, buffer, sizeof buffer, &got, nullptr) &&
           got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return true;
}

std::string OwnPrefix() {
    wchar_t value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", value, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    std::string narrow;
    for (const wchar_t* c = value; *c != 0; ++c)
        narrow += static_cast<char>(*c < 0x80 ? *c : '?');
    return narrow;
}

int OtherWineProcesses() {
    const std::string ownPrefix = OwnPrefix();
    int others = 0;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(kProc) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring name = found.cFileName;
        if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos)
            continue;
        std::string cmdline, environment;
        if (!ReadWholeFile(kProc + name + L"\\cmdline", cmdline) || !IsWineCommandLine(cmdline))
            continue;
        // Non-ASCII prefixes compare as '?' on both sides.
        std::string prefix;
        if (ReadWholeFile(kProc + name + L"\\environ", environment))
            for (char c : EnvironmentValue(environment, "WINEPREFIX"))
                prefix += static_cast<unsigned char>(c) < 0x80 ? c : '?';
        if (prefix != ownPrefix)
            ++others;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return others;
}

}  // namespace

Idleness ProbeIdleness(unsigned sampleMs) {
    Idleness state;
    std::string load, before, after;
    CpuTimes first, second;
    if (!ReadWholeFile(std::wstring(kProc) + L"loadavg", load) ||
        !ParseLoadAverage(load, state.load) ||
        !ReadWholeFile(std::wstring(kProc) + L"stat", before) || !ParseCpuTimes(before, first)) {
        Judge(state);
        return state;
    }
    Sleep(sampleMs);
    if (ReadWholeFile(std::wstring(kProc) + L"stat", after) && ParseCpuTimes(after, second)) {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        state.busyCores = BusyCores(first, second, static_cast<int>(info.dwNumberOfProcessors));
    }
    state.otherWineProcesses = OtherWineProcesses();
    state.checked = true;
    Judge(state);
    return state;
}

}  // namespace e2e
