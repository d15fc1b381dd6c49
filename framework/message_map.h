// Message routing to member handlers.
//
// Each window class lists the messages it handles in one static table of
// routes inside its RouteMessage override, so the whole set can be read at a
// glance:
//
//     bool CTestDlg::RouteMessage(fw::Message& m) {
//         static const fw::Route<CTestDlg> routes[] = {
//             fw::OnMessage(WM_TIMER, &CTestDlg::OnTimer),
//             fw::OnCommand(IDC_START, &CTestDlg::OnStart),
//         };
//         return fw::Dispatch(this, routes, m);
//     }
//
// A route matches a window message, a command (WM_COMMAND with a notification
// code and an id range) or a notification (WM_NOTIFY with a code and an id
// range). The first matching route wins.
#pragma once

#include <windows.h>

#include <cstddef>

namespace fw {

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;   // what the window procedure answers
    bool handled = true;  // a handler may clear it to ask for default processing

    UINT CommandId() const { return LOWORD(wParam); }
    UINT CommandCode() const { return HIWORD(wParam); }
    const NMHDR* Notify() const { return reinterpret_cast<const NMHDR*>(lParam); }
};

enum class RouteKind { kMessage, kCommand, kNotify };

template <class T>
struct Route {
    RouteKind kind;
    UINT code;  // the window message, the command notification code or the WM_NOTIFY code
    UINT firstId;
    UINT lastId;
    void (T::*handler)(Message&);
};

template <class T>
constexpr Route<T> OnMessage(UINT msg, void (T::*handler)(Message&)) {
    return {RouteKind::kMessage, msg, 0, 0, handler};
}

// A command from a button click or a menu item (code 0 for menus, BN_CLICKED
// for buttons, which is also 0).
template <class T>
constexpr Route<T> OnCommand(UINT id, void (T::*handler)(Message&)) {
    return {RouteKind::kCommand, 0, id, id, handler};
}

template <class T>
constexpr Route<T> OnCommandRange(UINT first, UINT last, void (T::*handler)(Message&)) {
    return {RouteKind::kCommand, 0, first, last, handler};
}

template <class T>
constexpr Route<T> OnControl(UINT code, UINT id, void (T::*handler)(Message&)) {
    return {RouteKind::kCommand, code, id, id, handler};
}

template <class T>
constexpr Route<T> OnNotify(UINT code, UINT id, void (T::*handler)(Message&)) {
    return {RouteKind::kNotify, code, id, id, handler};
}

inline bool RouteMatches(RouteKind kind, UINT code, UINT first, UINT last, const Message& m) {
    switch (kind) {
        case RouteKind::kMessage:
            return m.msg == code;
        case RouteKind::kCommand:
            return m.msg == WM_COMMAND && m.CommandCode() == code && m.CommandId() >= first &&
                   m.CommandId() <= last;
        case RouteKind::kNotify:
            return m.msg == WM_NOTIFY && m.Notify() != nullptr && m.Notify()->code == code &&
                   m.Notify()->idFrom >= first && m.Notify()->idFrom <= last;
    }
    return false;
}

// Calls the handler of the first matching route; true when one ran and left
// the message handled.
template <class T, std::size_t N>
bool Dispatch(T* self, const Route<T> (&routes)[N], Message& m) {
    for (const Route<T>& r : routes) {
        if (RouteMatches(r.kind, r.code, r.firstId, r.lastId, m)) {
            m.handled = true;
            (self->*r.handler)(m);
            return m.handled;
        }
    }
    return false;
}

}  // namespace fw
