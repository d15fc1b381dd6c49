// The commands that open the information windows: processor, video card
// name, system information, options, the test description and the
// comparison. Each shows a
// copy of the record selected in the system selector; only the running
// system's record (entry 0) takes edits back, in one load and one save of
// the data file.
#include <windows.h>

#include <string>

#include "bench/catalogue.h"
#include "bench/option_values.h"
#include "bench/rounds.h"
#include "compare/compare_dlg.h"
#include "cpu/cpu_info.h"
#include "cpu/processor_dlg.h"
#include "cpu/processor_probe.h"
#include "framework/text.h"
#include "mainwnd/description_dlg.h"
#include "mainwnd/main_dlg.h"
#include "mainwnd/options_dlg.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"
#include "sysinfo/system_info_dlg.h"
#include "sysinfo/system_probe.h"
#include "sysinfo/video_name_dlg.h"

namespace {

int Mark(uint32_t setting, uint32_t bit) {
    return (setting & bit) != 0 ? 1 : 0;
}

// A stored record's window is only shown, read-only; the running system's
// may be edited.
bool IsStoredRecord(int sel) {
    return sel > 0;
}

// True when the user confirmed edits of the running system.
bool EditedAsThisSystem(fw::Dialog& dialog, int sel) {
    const INT_PTR answer = dialog.DoModal();
    return !IsStoredRecord(sel) && answer == IDOK;
}

}  // namespace

void CMainDlg::OnProcessorCommand(fw::Message&) {
    records::IniFile file;
    m_book.Load(file);
    CCpuInfo cpu;
    records::LoadSection(file, SelectedRecord(), cpu);
    // The report names the Windows it is written on, whichever record it
    // describes.
    cpu::TakeRunningWindowsVersion(cpu);
    // No owner of its own: the application's main window owns it.
    CProcessorDlg processor(cpu);
    processor.DoModal();
}

void CMainDlg::OnVideoCommand(fw::Message&) {
    const int sel = SelectedRecord();
    std::string name;
    {
        records::IniFile file;
        m_book.Load(file);
        CSysInfo sys;
        records::LoadSection(file, sel, sys);
        name = sys.VideoCard;
    }
    CVideoNameDlg video(name, IsStoredRecord(sel));
    if (!EditedAsThisSystem(video, sel))
        return;
    // Read again after the answer, since another running copy of the
    // program may have saved meanwhile: only the edited text changes.
    records::IniFile file;
    const bool saved = ChangeDataFile(file, Unreadable::kReportOnSave, [&](records::IniFile& f) {
        CSysInfo sys;
        records::LoadSection(f, 0, sys);
        sys.VideoCard = video.VideoName();
        records::SaveSection(f, 0, sys);
        return true;
    });
    if (saved)
        m_lblVideo.SetText(fw::WidenAnsi(video.VideoName()));
}

void CMainDlg::OnSystemCommand(fw::Message&) {
    const int sel = SelectedRecord();
    CSystemInfoDlg::Fields shown;
    {
        records::IniFile file;
        m_book.Load(file);
        CSysInfo sys;
        records::LoadSection(file, sel, sys);
        // The running system shows its settings as they are now.
        if (sel == 0)
            sysinfo::SystemProbe().ProbeSettings(sys);
        shown.platform = sys.PlatformInfo;
        shown.userName = sys.UserName;
        shown.pcName = sys.PCName;
        shown.date = sys.Date;
        shown.memo = sys.MEMO;
        shown.smoothScroll = Mark(sys.Setting, CSysInfo::kSmoothScroll);
        shown.comboAnimation = Mark(sys.Setting, CSysInfo::kComboBoxAnimation);
        shown.listAnimation = Mark(sys.Setting, CSysInfo::kListBoxSmoothScrolling);
        shown.fontSmoothing = Mark(sys.Setting, CSysInfo::kFontSmoothing);
    }
    CSystemInfoDlg info(shown, IsStoredRecord(sel));
    if (!EditedAsThisSystem(info, sel))
        return;
    // As for the video card: the file as it is after the answer, with the
    // three edited texts of the running system's record replaced.
    records::IniFile file;
    ChangeDataFile(file, Unreadable::kReportOnSave, [&](records::IniFile& f) {
        CSysInfo sys;
        records::LoadSection(f, 0, sys);
        // The running system's settings as they are now, as the window
        // showed them.
        sysinfo::SystemProbe().ProbeSettings(sys);
        const CSystemInfoDlg::Fields& edited = info.Result();
        sys.UserName = edited.userName;
        sys.PCName = edited.pcName;
        sys.MEMO = edited.memo;
        records::SaveSection(f, 0, sys);
        return true;
    });
}

void CMainDlg::OnOptionsCommand(fw::Message&) {
    COptionsDlg options({std::to_wstring(m_pThread->LoopCount()),
                         std::to_wstring(m_pThread->Rounds()), std::to_wstring(GraphMax())});
    if (options.DoModal() != IDOK)
        return;

    const COptionsDlg::Texts& typed = options.Result();
    const std::string loop = fw::NarrowAnsi(typed.loop);
    const std::string rounds = fw::NarrowAnsi(typed.rounds);
    const std::string graph = fw::NarrowAnsi(typed.graph);
    m_pThread->SetLoopCount(bench::LoopCountFromText(loop));
    m_pThread->SetRounds(bench::RoundsFromText(rounds));
    SetGraphMax(bench::GraphMaxFromText(graph));
    if (!options.SaveChosen())
        return;
    // Stored as typed; the next start clamps them again.
    records::IniFile file;
    ChangeDataFile(file, Unreadable::kReportOnSave, [&](records::IniFile& f) {
        records::WriteLoopAndGraph(f, loop, graph);
        records::WriteRounds(f, rounds);
        return true;
    });
}

void CMainDlg::OnCompareCommand(fw::Message&) {
    // The window reads the records itself; "This System" comes with the
    // times of the last run, which the file may not hold.
    CCompareDlg compare(m_book, m_pThread->LoopCount(), hwnd_);
    compare.DoModal();
}

void CMainDlg::OnListDoubleClick(fw::Message& m) {
    m.result = 0;
    // The lowest selected row is the one described.
    UINT textId = 0;
    std::wstring title;
    const fw::ListView list = ResultList();
    for (int i = 0; i < bench::kTestCount; ++i) {
        if (!list.IsSelected(i))
            continue;
        std::string name;
        GetTestName(i, name);
        title = fw::WidenAnsi(name);
        textId = IDS_DESCRIPTION_FIRST + i;
        break;
    }
    CDescriptionDlg description(textId, title);
    description.DoModal();
}
