#include "scripting/CHHObjectsDlg.h"

#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "platform/script/activscp.h"
#include "scripting/CHHModule.h"
#include "scripting/ScriptStrings.h"

BEGIN_MESSAGE_MAP(CHHObjectsDlg, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_HHOBJ_NAME, OnEditChange)
    ON_CONTROL(EN_CHANGE, IDC_HHOBJ_TEXT, OnEditChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_HHOBJ_LIST, OnItemChanged)
    ON_COMMAND(IDC_HHOBJ_ADD, OnAdd)
    ON_COMMAND(IDC_HHOBJ_UPDATE, OnUpdate)
    ON_COMMAND(IDC_HHOBJ_REMOVE, OnRemove)
    ON_COMMAND(IDC_HHOBJ_BROWSE, OnBrowse)
END_MESSAGE_MAP()

namespace {

UINT objectsTemplate() {
    DeclareScriptResources();
    return IDD_HHOBJECTS;
}

} // namespace

CHHObjectsDlg::CHHObjectsDlg(CHHModule* pModule, CWnd* pParent)
    : CDialog(objectsTemplate(), pParent), m_pModule(pModule) {}

BOOL CHHObjectsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_HHOBJ_LIST, this);
    RECT name{}, client{};
    ::GetWindowRect(GetDlgItem(IDC_HHOBJ_NAME)->GetSafeHwnd(), &name);
    m_list.GetClientRect(&client);
    const int nameWidth = name.right - name.left;
    m_list.InsertColumn(0, LoadScriptString(IDS_HH_OBJNAME), LVCFMT_LEFT, nameWidth);
    m_list.InsertColumn(1, LoadScriptString(IDS_HH_OBJTEXT), LVCFMT_LEFT, client.right - nameWidth);
    for (const CHHNamedItem& item : m_pModule->GetObjects()) {
        int row = m_list.InsertItem(m_list.GetItemCount(), item.m_strName);
        m_list.SetItemText(row, 1, item.m_strText);
    }
    UpdateButtons();
    return TRUE;
}

void CHHObjectsDlg::UpdateButtons() {
    CString name, text;
    GetEntry(name, text);
    const BOOL filled = !name.IsEmpty() && !text.IsEmpty();
    const BOOL selected = GetSelectedRow() >= 0;
    GetDlgItem(IDC_HHOBJ_ADD)->EnableWindow(filled);
    GetDlgItem(IDC_HHOBJ_UPDATE)->EnableWindow(filled && selected);
    GetDlgItem(IDC_HHOBJ_REMOVE)->EnableWindow(selected);
}

int CHHObjectsDlg::GetSelectedRow() const {
    return m_list.GetSafeHwnd() ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CHHObjectsDlg::GetEntry(CString& strName, CString& strText) const {
    GetDlgItemText(IDC_HHOBJ_NAME, strName);
    GetDlgItemText(IDC_HHOBJ_TEXT, strText);
}

void CHHObjectsDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED)) return;
    SetDlgItemText(IDC_HHOBJ_NAME, m_list.GetItemText(change->iItem, 0));
    SetDlgItemText(IDC_HHOBJ_TEXT, m_list.GetItemText(change->iItem, 1));
    UpdateButtons();
}

BOOL CHHObjectsDlg::CheckEntry(const CString& strName, const CString& strText) {
    if (strName.IsEmpty() || strText.IsEmpty()) {
        AfxMessageBox(LoadScriptString(IDS_HH_OBJBOTHNEEDED), MB_ICONSTOP);
        return FALSE;
    }
    CHHModule probe;
    if (!probe.AddObject(strName, strText, 0)) {
        AfxMessageBox(LoadScriptString(IDS_HH_OBJCANTCREATE), MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

void CHHObjectsDlg::OnAdd() {
    CString name, text;
    GetEntry(name, text);
    if (!CheckEntry(name, text)) return;
    int row = m_list.InsertItem(m_list.GetItemCount(), name);
    m_list.SetItemText(row, 1, text);
    UpdateButtons();
}

void CHHObjectsDlg::OnUpdate() {
    const int row = GetSelectedRow();
    CString name, text;
    GetEntry(name, text);
    if (row < 0 || !CheckEntry(name, text)) return;
    m_list.SetItemText(row, 0, name);
    m_list.SetItemText(row, 1, text);
}

void CHHObjectsDlg::OnRemove() {
    const int row = GetSelectedRow();
    if (row < 0) return;
    m_list.DeleteItem(row);
    const int count = m_list.GetItemCount();
    if (count > 0) {
        const int next = row < count ? row : count - 1;
        m_list.SetItemState(next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    UpdateButtons();
}

void CHHObjectsDlg::OnBrowse() {
    AfxMessageBox("Not yet implemented.", MB_OK);
}

void CHHObjectsDlg::OnOK() {
    CWaitCursor wait;
    m_pModule->RemoveAllObjects();
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        m_pModule->AddObject(m_list.GetItemText(row, 0), m_list.GetItemText(row, 1),
                             SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE);
    CDialog::OnOK();
}
