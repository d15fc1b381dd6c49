// Where an exception that no handler caught ends.
//
// No C++ exception may cross back into the system: every window procedure,
// every thread and WinMain catches what reaches it and calls
// ReportEscapedException from inside its catch block. That shows one message
// and nothing more: nothing is saved on the way, so the data file keeps what
// the last completed operation wrote. While a failure message is on screen
// further failures (a paint handler that throws again, say) are not shown,
// so one fault never stacks up message boxes.
#pragma once

#include <windows.h>

namespace fw {

// The program's string resources for the message: its caption, the text for
// running out of memory and the text for any other failure. An id of 0 (or a
// string that is missing) falls back to a built-in English text.
struct FailureMessages {
    UINT caption = 0;
    UINT outOfMemory = 0;
    UINT unexpected = 0;
};
void SetFailureMessages(const FailureMessages& messages);

// Shows the message for the exception being handled; call it only inside a
// catch block. Never throws.
void ReportEscapedException() noexcept;

}  // namespace fw
