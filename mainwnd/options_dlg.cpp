#include "mainwnd/options_dlg.h"

#include <iterator>
#include <utility>

#include "bench/option_values.h"
#include "bench/rounds.h"
#include "bench/timing.h"
#include "framework/combo_box.h"
#include "framework/data_exchange.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

void FillList(const fw::ComboBox& box, const char* const* choices, size_t count) {
    for (size_t i = 0; i < count; ++i)
        box.AddString(fw::WidenAnsi(choices[i]));
}

}  // namespace

COptionsDlg::COptionsDlg(Texts current) : fw::Dialog(IDD_OPTIONS), m_texts(std::move(current)) {}

bool COptionsDlg::RouteMessage(fw::Message& m) {
    static const fw::Route<COptionsDlg> routes[] = {
        fw::OnCommand(IDC_OPT_DEFAULTS, &COptionsDlg::OnRestoreDefaults),
    };
    return fw::Dispatch(this, routes, m);
}

void COptionsDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.ComboText(IDC_OPT_LOOP, m_texts.loop);
    dx.MaxChars(IDC_OPT_LOOP, m_texts.loop, bench::kOptionMaxChars);
    dx.ComboText(IDC_OPT_ROUNDS, m_texts.rounds);
    dx.MaxChars(IDC_OPT_ROUNDS, m_texts.rounds, bench::kOptionMaxChars);
    dx.ComboText(IDC_OPT_GRAPH, m_texts.graph);
    dx.MaxChars(IDC_OPT_GRAPH, m_texts.graph, bench::kOptionMaxChars);
    dx.Check(IDC_OPT_SAVE, m_bSave);
}

BOOL COptionsDlg::OnInitDialog() {
    // The lists first: opening selects the entry that begins with a text.
    FillList(fw::ComboBox(Item(IDC_OPT_LOOP)), bench::kLoopChoices, std::size(bench::kLoopChoices));
    FillList(fw::ComboBox(Item(IDC_OPT_ROUNDS)), bench::kRoundChoices,
             std::size(bench::kRoundChoices));
    FillList(fw::ComboBox(Item(IDC_OPT_GRAPH)), bench::kGraphChoices,
             std::size(bench::kGraphChoices));
    return fw::Dialog::OnInitDialog();
}

void COptionsDlg::OnRestoreDefaults(fw::Message&) {
    // Every box at once; the save check box keeps its state.
    m_texts.loop = std::to_wstring(bench::kDefaultLoop);
    m_texts.rounds = std::to_wstring(bench::kDefaultRounds);
    m_texts.graph = std::to_wstring(bench::kDefaultGraphMax);
    SetItemText(IDC_OPT_LOOP, m_texts.loop);
    SetItemText(IDC_OPT_ROUNDS, m_texts.rounds);
    SetItemText(IDC_OPT_GRAPH, m_texts.graph);
}
