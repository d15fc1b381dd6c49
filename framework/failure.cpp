#include "framework/failure.h"

#include <exception>
#include <new>
#include <string>

#include "framework/text.h"

namespace fw {

namespace {

FailureMessages g_messages;
volatile LONG g_showing = 0;

std::wstring TextOf(UINT id, const wchar_t* fallback) {
    std::wstring text = id != 0 ? LoadResourceString(id) : std::wstring();
    return text.empty() ? std::wstring(fallback) : text;
}

}  // namespace

void SetFailureMessages(const FailureMessages& messages) {
    g_messages = messages;
}

void ReportEscapedException() noexcept {
    if (InterlockedExchange(&g_showing, 1) != 0)
        return;
    try {
        std::wstring text;
        try {
            throw;
        } catch (const std::bad_alloc&) {
            text = TextOf(g_messages.outOfMemory, L"Out of memory. The data file is unchanged.");
        } catch (const std::exception& e) {
            text =
                TextOf(g_messages.unexpected,
                       L"An unexpected error stopped the operation. The data file is unchanged.");
            text += L"\n\n" + WidenAnsi(e.what());
        } catch (...) {
            text =
                TextOf(g_messages.unexpected,
                       L"An unexpected error stopped the operation. The data file is unchanged.");
        }
        const std::wstring caption = TextOf(g_messages.caption, L"Velkora");
        // No owner: the window whose procedure failed may be half gone.
        MessageBoxW(nullptr, text.c_str(), caption.c_str(),
                    MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    } catch (...) {
        // Not even the message could be made (no memory left for it).
    }
    InterlockedExchange(&g_showing, 0);
}

}  // namespace fw
