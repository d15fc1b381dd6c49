// Tests 0-6: text updates of static, edit, button and group box, the large
// font, radio buttons and the check box. Each procedure times exactly the
// control calls and number formatting between its two tick readings.
#include "bench/procedures.h"
#include "bench/velkoras.h"
#include "framework/gdi.h"

using bench::ControlOf;
using bench::NumberText;

void CVelkoras::RunTextTest(int index, WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    NumberText number;
    DWORD start = GetTickCount();
    for (unsigned i = 0; i < loop; ++i)
        SetWindowTextA(hwnd, number.Format(i));
    SetElapsed(start, GetTickCount());
    FinishTest(index);
}

void CVelkoras::OnStandardText(WPARAM n, LPARAM control) {
    RunTextTest(0, n, control);
}

void CVelkoras::OnStandardText2(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    NumberText number;
    // 32-pixel bold italic Shift-JIS font, TrueType preferred, proof quality.
    // Deleted when this function returns: after the control gave it back and
    // after FinishTest, so before the next test begins.
    const fw::Font large(CreateFontW(32, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                     OUT_TT_PRECIS, CLIP_LH_ANGLES | CLIP_TT_ALWAYS, PROOF_QUALITY,
                                     VARIABLE_PITCH | FF_DONTCARE, L"ＭＳゴシック"));
    LRESULT previous = SendMessageW(hwnd, WM_GETFONT, 0, 0);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(large.Get()), TRUE);

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < loop; ++i)
        SetWindowTextA(hwnd, number.Format(i));
    SetElapsed(start, GetTickCount());

    SendMessageW(hwnd, WM_SETFONT, static_cast<WPARAM>(previous), TRUE);
    FinishTest(1);
}

void CVelkoras::OnEditBoxText(WPARAM n, LPARAM control) {
    RunTextTest(2, n, control);
}

void CVelkoras::OnButtonText(WPARAM n, LPARAM control) {
    RunTextTest(3, n, control);
}

void CVelkoras::OnGroupBoxText(WPARAM n, LPARAM control) {
    RunTextTest(4, n, control);
}

void CVelkoras::OnRadioButton(WPARAM n, LPARAM control) {
    const unsigned cycles = static_cast<unsigned>(n) >> 1;
    HWND first = ControlOf(control);
    HWND second = GetWindow(first, GW_HWNDNEXT);
    HWND parent = GetParent(first);
    const int firstId = GetDlgCtrlID(first);
    const int secondId = GetDlgCtrlID(second);
    NumberText number;

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < cycles; ++i) {
        number.Format(i);
        SetWindowTextA(first, number.text);
        SetWindowTextA(second, number.text);
        // The id range also covers the check box between the two buttons,
        // which each call clears.
        CheckRadioButton(parent, firstId, secondId, firstId);
        CheckRadioButton(parent, firstId, secondId, secondId);
    }
    SetElapsed(start, GetTickCount());
    FinishTest(5);
}

void CVelkoras::OnCheckBox(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    HWND parent = GetParent(hwnd);
    const int id = GetDlgCtrlID(hwnd);
    NumberText number;

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < loop; ++i) {
        SetWindowTextA(hwnd, number.Format(i));
        CheckDlgButton(parent, id, i & 1);
    }
    SetElapsed(start, GetTickCount());
    FinishTest(6);
}
