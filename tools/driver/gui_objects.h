// What a process holds of the window system, counted from outside (or from
// inside, for the process itself), so that a run that leaves objects behind
// shows up as counts that grow from run to run.
//
// GetGuiResources answers on Windows. Under Wine it is a stub that answers
// 0, so the counts come from elsewhere there:
// - GDI: the process's GDI handle table, which Wine keeps in the process's
//   own memory and publishes in its PEB (GdiSharedHandleTable); every entry
//   with a type is a live object. Stock objects are left out.
// - USER: the windows of the process (top-level and every descendant), the
//   USER objects a run creates; menus, icons and hooks are not seen there.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

struct GuiObjectCounts {
    long gdi = -1;  // -1: could not be counted
    long user = -1;
    double privateBytes = -1;  // committed private memory
    std::string source;        // "GetGuiResources" or "handle table + windows"
};

// The process handle needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
GuiObjectCounts CountGuiObjects(HANDLE process, DWORD processId);

}  // namespace e2e
