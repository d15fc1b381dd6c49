#include "framework/ui_thread.h"

#include "framework/failure.h"

namespace fw {

UiThread::~UiThread() {
    Stop();
}

bool UiThread::Start(int priority) {
    if (thread_)
        return false;
    priority_ = priority;
    queueReady_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!queueReady_)
        return false;
    thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_));
    if (thread_) {
        SetThreadPriority(thread_.Get(), priority);
        HANDLE both[2] = {queueReady_.Get(), thread_.Get()};
        WaitForMultipleObjects(2, both, FALSE, INFINITE);
    }
    queueReady_.Close();
    return static_cast<bool>(thread_);
}

bool UiThread::IsRunning() const {
    return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

bool UiThread::Post(UINT msg, WPARAM wp, LPARAM lp) const {
    return threadId_ != 0 && PostThreadMessageW(threadId_, msg, wp, lp) != FALSE;
}

bool UiThread::Wait(DWORD milliseconds) const {
    return !thread_ || WaitForSingleObject(thread_.Get(), milliseconds) != WAIT_TIMEOUT;
}

void UiThread::Terminate() {
    if (IsRunning())
        TerminateThread(thread_.Get(), 0);
}

void UiThread::Stop() {
    if (!IsRunning())
        return;
    Post(WM_QUIT);
    if (!Wait(kStopWaitMs))
        Terminate();
}

bool UiThread::Restart() {
    Stop();
    thread_.Close();
    threadId_ = 0;
    quit_ = false;
    exitCode_ = 0;
    return Start(priority_);
}

void UiThread::QuitLoop(int exitCode) {
    quit_ = true;
    exitCode_ = exitCode;
}

DWORD WINAPI UiThread::ThreadMain(void* param) {
    UiThread* self = static_cast<UiThread*>(param);
    // Peeking makes the system create this thread's message queue.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(self->queueReady_.Get());
    // Nothing may escape the thread: its start-up and every message it
    // handles lie inside this boundary.
    try {
        return static_cast<DWORD>(self->RunLoop());
    } catch (...) {
        ReportEscapedException();
        return 1;
    }
}

int UiThread::RunLoop() {
    if (!InitInstance())
        return 1;
    MSG msg;
    while (!quit_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0)
            return got == 0 ? static_cast<int>(msg.wParam) : 1;
        if (msg.hwnd == nullptr) {
            // A message that fails is reported and the loop goes on, so the
            // thread still answers the messages after it (the quit above all).
            try {
                RouteThreadMessage(msg);
            } catch (...) {
                ReportEscapedException();
            }
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return exitCode_;
}

}  // namespace fw
