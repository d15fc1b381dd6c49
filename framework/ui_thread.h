// A user-interface worker thread with its own message queue.
//
// Start() creates the thread and returns only after the thread has made its
// queue, so that nothing posted to it right afterwards is lost. The thread
// runs InitInstance, then a standard message loop in which thread messages
// (those without a window) go to RouteThreadMessage. QuitLoop leaves the loop;
// the thread then ends with the given code.
//
// Stop() ends the thread from outside: it posts WM_QUIT, which ends the loop
// after the message under way, waits up to kStopWaitMs and only then, should
// the thread still run, ends it forcibly. The destructor stops the thread, so
// the object never goes while its thread runs. What the thread uses must
// outlive it: a derived class whose own members the thread uses calls Stop()
// first in its destructor, since C++ destroys those members before this
// class's destructor runs; the members then release themselves.
#pragma once

#include <windows.h>

#include "framework/handle.h"

namespace fw {

// One entry of a thread-message table: a message range and its handler.
template <class T>
struct ThreadRoute {
    UINT first;
    UINT last;
    void (T::*handler)(WPARAM, LPARAM);
};

template <class T, size_t N>
bool DispatchThread(T* self, const ThreadRoute<T> (&routes)[N], const MSG& msg) {
    for (const ThreadRoute<T>& r : routes) {
        if (msg.message >= r.first && msg.message <= r.last) {
            (self->*r.handler)(msg.wParam, msg.lParam);
            return true;
        }
    }
    return false;
}

class UiThread {
  public:
    // How long Stop() waits for the loop to end before ending the thread.
    static constexpr DWORD kStopWaitMs = 3000;

    UiThread() = default;
    virtual ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Creates and starts the thread at the given priority; false when the
    // thread could not be created.
    bool Start(int priority = THREAD_PRIORITY_NORMAL);
    HANDLE Handle() const { return thread_.Get(); }
    DWORD ThreadId() const { return threadId_; }
    bool IsRunning() const;
    bool Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    // Waits for the thread to end; false when it still runs after the wait.
    bool Wait(DWORD milliseconds) const;
    // Ends the thread forcibly when it still runs (last resort at shutdown).
    void Terminate();
    // Posts WM_QUIT, waits up to kStopWaitMs for the thread to end and ends
    // it forcibly if it has not. Nothing happens for a thread that has ended
    // or never started.
    void Stop();
    // Stops the thread as Stop() does and starts a new one at the priority
    // Start was given; false when the new one could not be created. What the
    // old thread leaves in the system (its scheduling history above all)
    // goes with it.
    bool Restart();

  protected:
    virtual bool InitInstance() { return true; }
    // Thread messages; false leaves the message ignored.
    virtual bool RouteThreadMessage(const MSG&) { return false; }
    // Called on the thread: the loop ends after the current message.
    void QuitLoop(int exitCode);

  private:
    static DWORD WINAPI ThreadMain(void* self);
    int RunLoop();

    KernelHandle thread_;
    DWORD threadId_ = 0;
    KernelHandle queueReady_;
    bool quit_ = false;
    int exitCode_ = 0;
    int priority_ = THREAD_PRIORITY_NORMAL;
};

}  // namespace fw
