// A modal dialog built from a resource template.
//
// DoModal creates the dialog modeless and runs its own message loop, so that
// PreTranslateMessage sees every message first (the main window uses it to
// see key-downs addressed to any of its controls). The owner is disabled for
// the modal run; a dialog without a parent is owned by the application's main
// window. All dialogs share one dialog procedure: it keeps the object pointer
// in DWLP_USER, reflects control colours and owner drawing to bound controls,
// routes the rest to the class's route table, and lets no C++ exception cross
// back into the system.
#pragma once

#include "framework/message_map.h"
#include "framework/window.h"

namespace fw {

class DataExchange;

class Dialog : public Window {
  public:
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR DoModal();
    // Ends the modal run after the current message; safe from any message
    // handler, also one reached by a message sent from another thread.
    void EndDialog(INT_PTR result);
    bool IsEnding() const { return ended_; }

    // Data exchange between the members and the controls; false when a
    // validation refused a value (the focus is then on that control).
    bool UpdateData(bool save);

  protected:
    virtual BOOL OnInitDialog();  // default: controls from members, TRUE
    virtual void OnOK();          // default: members from controls, then IDOK
    virtual void OnCancel();      // default: IDCANCEL
    virtual void DoDataExchange(DataExchange&) {}
    virtual bool RouteMessage(Message&) { return false; }
    // Sees every message of the modal loop first; true consumes it.
    virtual bool PreTranslateMessage(MSG*) { return false; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool ReflectToControl(Message& m);
    void RunModalLoop();

    UINT templateId_;
    HWND parent_;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

}  // namespace fw
