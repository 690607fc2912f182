#include "docking/CoolComboCommands.h"

#include <vector>

namespace docking {

namespace {

// A command-update object that only records whether the command was enabled.
class CEnabledProbe : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn = TRUE) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int = 1) override {}
    void SetRadio(BOOL = TRUE) override {}
    void SetText(LPCSTR) override {}
};

} // namespace

int ProbeCommand(CCmdTarget* pTarget, UINT nID) {
    if (!pTarget) return -1;
    CEnabledProbe probe;
    probe.m_nID = nID;
    probe.DoUpdate(pTarget, FALSE);
    if (!probe.m_bEnableChanged) return -1;
    return probe.m_bEnabled ? 1 : 0;
}

BOOL IsCommandEnabled(UINT nID) {
    CWnd* pMain = AfxGetMainWnd();
    return !pMain || ProbeCommand(pMain, nID) == 1;
}

CString AcceleratorText(const ACCEL& accel) {
    CString text;
    if (accel.fVirt & FALT) text += "Alt+";
    if (accel.fVirt & FCONTROL) text += "Ctrl+";
    if (accel.fVirt & FSHIFT) text += "Shift+";
    if (!(accel.fVirt & FVIRTKEY)) return text + CString(static_cast<char>(accel.key), 1);
    char name[64] = {};
    const LONG scan = static_cast<LONG>(::MapVirtualKey(accel.key, 0)) << 16;
    if (::GetKeyNameText(scan, name, sizeof name) > 0) text += name;
    return text;
}

CommandTexts GetCommandTexts(UINT nID) {
    CommandTexts texts;
    CString strings;
    strings.LoadString(nID);
    const int nBreak = strings.Find('\n');
    texts.strPrompt = nBreak >= 0 ? strings.Left(nBreak) : strings;
    texts.strTip = nBreak >= 0 ? strings.Mid(nBreak + 1) : strings;
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
    HACCEL hAccel = pFrame ? pFrame->m_hAccelTable : nullptr;
    const int nCount = hAccel ? ::CopyAcceleratorTable(hAccel, nullptr, 0) : 0;
    if (nCount <= 0) return texts;
    std::vector<ACCEL> table(static_cast<size_t>(nCount));
    ::CopyAcceleratorTable(hAccel, table.data(), nCount);
    for (const ACCEL& accel : table)
        if (accel.cmd == nID) texts.strTip += "\t" + AcceleratorText(accel);
    return texts;
}

} // namespace docking
