// A user-interface worker thread with its own message queue.
//
// Start() creates the thread and returns only after the thread has made its
// queue, so that nothing posted to it right afterwards is lost. The thread
// runs InitInstance, then a standard message loop in which thread messages
// (those without a window) go to RouteThreadMessage. QuitLoop leaves the loop;
// the thread then ends with the given code. ExitInstance is not called by the
// thread itself: the owner calls it when it destroys the object.
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

  protected:
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }
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
};

}  // namespace fw
