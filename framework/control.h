// A member object bound to a template control by subclassing.
//
// Binding keeps the control's own window procedure and puts ours in front of
// it (SetWindowSubclass). The object is found again from the control's handle
// through a window property, which is how a dialog reflects WM_CTLCOLOR* and
// WM_DRAWITEM back to the control that must colour or draw itself: no dialog
// carries colour or drawing code of its own.
#pragma once

#include "framework/message_map.h"
#include "framework/window.h"

namespace fw {

class Control : public Window {
  public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Subclasses the control; false when it is already bound or does not exist.
    bool Bind(HWND control);
    void Unbind();
    bool IsBound() const { return hwnd_ != nullptr; }

    // The bound control object of a window, or null.
    static Control* FromHandle(HWND hwnd);

    // A message reflected from the parent (WM_CTLCOLOR*, WM_DRAWITEM). Return
    // true when handled; m.result then is the parent's answer.
    virtual bool OnReflected(Message& m);

  protected:
    // The control's own messages; return false for the original procedure.
    virtual bool RouteMessage(Message& m);
    LRESULT CallOriginal(const Message& m);

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR data);
};

}  // namespace fw
