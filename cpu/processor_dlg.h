// The processor information window: one processor record with its cache
// tree and feature list, and the report file that TextOut writes from what
// the window shows.
//
// The window keeps its own copy of the record; nothing it does goes back to
// the record it was given or to the data file. The processor name can be
// edited for the report (the Name button or Enter), the hidden command 4
// cycles through three window sizes, and the frequency field fills one
// second after opening.
#pragma once

#include <string>

#include "cpu/cpu_info.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

class CProcessorDlg : public fw::Dialog {
  public:
    // Without an owner the application's main window owns the window.
    explicit CProcessorDlg(const CCpuInfo& record, HWND owner = nullptr);
    ~CProcessorDlg() override;

    // Asks for a file and writes the report to it.
    void SaveReport();
    // Writes the report to path (replacing a file that is there): 1 on
    // success, 0 when the file cannot be created or written.
    int WriteReport(const std::wstring& path);

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool RouteMessage(fw::Message& m) override;

  private:
    void BuildCacheTree();
    void BuildFeatureList();
    void PlaceOverOwner();
    void SetUpImageList();
    void ToggleNameEdit();
    void CycleSize();

    void OnTextOut(fw::Message& m);
    void OnNameButton(fw::Message& m);
    void OnSizeCommand(fw::Message& m);
    void OnLButtonDown(fw::Message& m);
    void OnLButtonDblClk(fw::Message& m);
    void OnTimer(fw::Message& m);
    void OnHelp(fw::Message& m);
    void OnPaint(fw::Message& m);
    void OnQueryDragIcon(fw::Message& m);

    fw::ImageList m_imageList;  // image 0: feature present, 1: absent
    CCpuInfo m_cpuInfo;
    fw::Font m_listFont;
    int m_nLastColumn = 0;  // the feature list's last column, for a rebuild
    int m_nSizeState = 3;   // 1, 2 or 3: which of the three sizes is current
    SIZE m_fullSize = {};   // size state 3
    HICON m_hIcon = nullptr;
};
