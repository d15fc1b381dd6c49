#include "tools/driver/gui_objects.h"

#include <psapi.h>

#include <cstdint>
#include <vector>

namespace e2e {

namespace {

// Wine's GDI handle table entry: the same 24 bytes in 32- and 64-bit
// processes. A free entry has type 0; bit 7 of the byte after the owner
// marks a stock object.
#pragma pack(push, 4)
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint8_t extType;  // bit 7: stock object
    uint8_t generation;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI_HANDLE_ENTRY is 24 bytes");
const size_t kGdiHandleCount = 0x10000;
const uint8_t kStockFlag = 0x80;

// Where the PEB keeps the table's address: the same pointer size as ours,
// since the driver and the program are built alike.
#ifdef _WIN64
const size_t kPebGdiTableOffset = 0xF8;
#else
const size_t kPebGdiTableOffset = 0x94;
#endif

struct BasicInformation {
    LONG_PTR exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask, basePriority, processId, parentProcessId;
};
typedef LONG(WINAPI* QueryInformationProcess)(HANDLE, int, void*, ULONG, ULONG*);

void* PebAddress(HANDLE process) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    BasicInformation info{};
    if (query == nullptr || query(process, 0, &info, sizeof info, nullptr) < 0)
        return nullptr;
    return info.pebBaseAddress;
}

long CountGdiHandleTable(HANDLE process) {
    char* peb = static_cast<char*>(PebAddress(process));
    void* table = nullptr;
    if (peb == nullptr ||
        !ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, nullptr) ||
        table == nullptr)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0],
                           nullptr))
        return -1;
    long live = 0;
    for (const GdiHandleEntry& e : entries)
        if (e.type != 0 && (e.extType & kStockFlag) == 0)
            ++live;
    return live;
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    auto* counts = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == counts->processId) {
        ++counts->count;
        EnumChildWindows(window, CountChild, data);  // every descendant
    }
    return TRUE;
}

long CountWindows(DWORD processId) {
    WindowCount counts{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counts));
    // Message-only windows are not top-level windows of the desktop.
    HWND messageOnly = nullptr;
    while ((messageOnly = FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr)) != nullptr)
        CountTopLevel(messageOnly, reinterpret_cast<LPARAM>(&counts));
    return counts.count;
}

}  // namespace

GuiObjectCounts CountGuiObjects(HANDLE process, DWORD processId) {
    GuiObjectCounts counts;
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi != 0) {
        counts.gdi = static_cast<long>(gdi);
        counts.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
        counts.source = "GetGuiResources";
    } else {
        // A process with a window always holds GDI objects: 0 is Wine's stub.
        counts.gdi = CountGdiHandleTable(process);
        counts.user = CountWindows(processId);
        counts.source = "GDI handle table + windows";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        // Wine leaves PrivateUsage 0; the commit charge is the same figure.
        counts.privateBytes = static_cast<double>(memory.PrivateUsage != 0 ? memory.PrivateUsage
                                                                           : memory.PagefileUsage);
    return counts;
}

}  // namespace e2e
