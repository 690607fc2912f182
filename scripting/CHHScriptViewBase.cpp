#include "scripting/CHHScriptViewBase.h"

#include "editor/CHHFormater.h"
#include "scripting/CHHEngine.h"
#include "platform/framework/CCmdUI.h"
#include "platform/script/activscp.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNAMIC(CHHScriptViewBase, CView)

BEGIN_MESSAGE_MAP(CHHScriptViewBase, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEACTIVATE()
    ON_CBN_SETFOCUS(IDC_HHSV_OBJECTS, OnObjectsFocus)
    ON_CBN_SETFOCUS(IDC_HHSV_EVENTS, OnEventsFocus)
    ON_CONTROL(CBN_SELENDOK, IDC_HHSV_OBJECTS, OnObjectChosen)
    ON_CONTROL(CBN_SELENDOK, IDC_HHSV_EVENTS, OnEventChosen)
    ON_BN_CLICKED(IDC_HHSV_CLOSE, OnCloseClicked)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_HHSV_OBJECT_VIEW, IDC_HHSV_MODULE_VIEW, OnModeButton)
    ON_MESSAGE(WM_HHSCRIPT_CARET_MOVED, OnCaretMoved)
    ON_COMMAND(ID_HHSCRIPT_REVERT, OnRevert)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_REVERT, OnUpdateRevert)
    ON_COMMAND(ID_HHSCRIPT_CHECK_SYNTAX, OnCheckSyntax)
    ON_UPDATE_COMMAND_UI(57648, OnUpdateDisabled)
END_MESSAGE_MAP()

namespace {

bool isBlank(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i)
        if (!std::strchr(" \t\r\n", text[i])) return false;
    return true;
}

} // namespace

CHHScriptViewBase::CHHScriptViewBase() = default;
CHHScriptViewBase::~CHHScriptViewBase() = default;

// ---- Window ----

int CHHScriptViewBase::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) return -1;
    return CreateChildren() ? 0 : -1;
}

BOOL CHHScriptViewBase::CreateChildren() {
    m_pEdit = std::make_unique<CHHScriptEditCtrl>();
    m_pEdit->SetOwner(this);
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL |
                            ES_AUTOVSCROLL | ES_MULTILINE;
    if (!m_pEdit->Create(editStyle, CRect(11, 39, 247, 55), this, IDC_HHSV_EDIT)) return FALSE;
    m_pEdit->ModifyStyleEx(0, WS_EX_STATICEDGE);
    const DWORD comboStyle = WS_VISIBLE | WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT;
    if (!m_wndObjects.Create(comboStyle, CRect(101, 11, 169, 181), this, IDC_HHSV_OBJECTS)) return FALSE;
    if (!m_wndEvents.Create(comboStyle, CRect(176, 11, 247, 181), this, IDC_HHSV_EVENTS)) return FALSE;
    const DWORD buttonStyle = WS_CHILD | BS_PUSHLIKE | BS_AUTOCHECKBOX;
    if (!m_wndClose.Create("X", buttonStyle | WS_VISIBLE, CRect(11, 11, 31, 31), this, IDC_HHSV_CLOSE)) return FALSE;
    const UINT ids[3] = {IDC_HHSV_OBJECT_VIEW, IDC_HHSV_EVENT_VIEW, IDC_HHSV_MODULE_VIEW};
    const char* const labels[3] = {"O", "E", "M"};
    const int lefts[3] = {53, 33, 73};
    for (int i = 0; i < 3; ++i)
        if (!m_wndModes[i].Create(labels[i], buttonStyle | WS_VISIBLE, CRect(lefts[i], 11, lefts[i] + 20, 31), this,
                                  ids[i]))
            return FALSE;
    createTips();
    return TRUE;
}

// Tips over the bar; a view without them works all the same.
void CHHScriptViewBase::createTips() {
    if (!m_wndTips.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) return;
    m_wndTips.AddTool(&m_wndClose, "Close Script View");
    m_wndTips.AddTool(&m_wndModes[1], "Event View");
    m_wndTips.AddTool(&m_wndModes[0], "Object View");
    m_wndTips.AddTool(&m_wndModes[2], "Full Module View");
    m_wndTips.AddTool(&m_wndObjects, "Object");
    m_wndTips.AddTool(&m_wndEvents, "Event");
    m_wndTips.Activate(TRUE);
}

BOOL CHHScriptViewBase::PreTranslateMessage(MSG* pMsg) {
    if (m_wndTips.GetSafeHwnd()) m_wndTips.RelayEvent(pMsg);
    return CView::PreTranslateMessage(pMsg);
}

void CHHScriptViewBase::InitView() {
    if (m_bInitialised) return;
    m_bInitialised = TRUE;
    ModifyStyle(0, WS_CLIPCHILDREN);
    m_pEdit->InitControl(TRUE);
    m_wndClose.SetCheck(BST_CHECKED);
    m_wndModes[1].SetCheck(BST_CHECKED); // Event View
    ClearView();
}

void CHHScriptViewBase::OnInitialUpdate() {
    CView::OnInitialUpdate();
    InitView();
    RecalcLayout();
}

void CHHScriptViewBase::RecalcLayout() {
    if (!m_pEdit || !m_pEdit->GetSafeHwnd()) return;
    CRect client;
    GetClientRect(&client);
    const int cx = std::max<int>(client.Width(), 0), cy = std::max<int>(client.Height(), 89);
    CRect combo;
    m_wndObjects.GetWindowRect(&combo);
    ScreenToClient(&combo);
    const int m = combo.top;
    const int w = std::max(0, (cx - 2 * m - combo.left) / 2);
    m_wndObjects.SetWindowPos(nullptr, combo.left, combo.top, w, combo.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndEvents.SetWindowPos(nullptr, combo.left + w + m, combo.top, w, combo.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    CRect edit;
    m_pEdit->GetWindowRect(&edit);
    ScreenToClient(&edit);
    m_pEdit->SetWindowPos(nullptr, edit.left, edit.top, std::max(0, cx - m - edit.left), std::max(0, cy - m - edit.top),
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHHScriptViewBase::OnSize(UINT, int, int) {
    Default();
    RecalcLayout();
}

BOOL CHHScriptViewBase::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CHHScriptViewBase::OnSetFocus(CWnd*) {
    if (m_pEdit && m_pEdit->GetSafeHwnd()) m_pEdit->SetFocus();
}

int CHHScriptViewBase::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (m_bFrameActivation) return CView::OnMouseActivate(pDesktopWnd, nHitTest, message);
    return static_cast<int>(Default());
}

BOOL CHHScriptViewBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pEdit && m_pEdit->GetSafeHwnd() && m_pEdit->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CHHScriptViewBase::UseEngine(CHHEngine* engine) {
    SetFormater(engine ? engine->GetFormater() : nullptr);
    SetTextParser(engine ? engine->GetTextParser() : nullptr);
}

void CHHScriptViewBase::SetFormater(CHHFormater* formater) {
    m_pFormater = formater;
    if (m_pEdit) m_pEdit->SetFormater(formater);
}

void CHHScriptViewBase::SetTextParser(CHHTextParser* parser) {
    m_pTextParser = parser;
    if (m_pEdit) m_pEdit->SetTextParser(parser);
}

void CHHScriptViewBase::NotifyOwner(LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos, BOOL on) {
    if (m_pfnCallback) m_pfnCallback(m_pCallbackData, object, procedure, line, charPos, modulePos, on);
}

// ---- Object information ----

std::string CHHScriptViewBase::Key(LPCTSTR name) const {
    std::string key = name ? name : "";
    if (!const_cast<CHHScriptViewBase*>(this)->IsCaseSensitive())
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    return key;
}

void CHHScriptViewBase::AddSectionObject(LPCTSTR object, LPCTSTR section) {
    CHHScriptObjectInfo info;
    info.m_strName = object ? object : CHHScriptProcedureList::kGeneral;
    info.m_nKind = HHOBJ_SECTIONS;
    info.m_sections.push_back(section ? section : CHHScriptProcedureList::kDeclarations);
    AddObjectInfo(info);
}

void CHHScriptViewBase::AddDispatchObject(LPCTSTR name, IDispatch* dispatch, DWORD flags) {
    CHHScriptObjectInfo info;
    info.m_strName = name;
    info.m_dwFlags = flags;
    info.m_nKind = HHOBJ_DISPATCH;
    info.m_pDispatch = pm::ComPtr<IDispatch>(dispatch);
    AddObjectInfo(info);
}

void CHHScriptViewBase::AddNamedItem(const CHHNamedItem& item) {
    IDispatch* dispatch = nullptr;
    if (!item.m_pUnknown ||
        FAILED(item.m_pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
        return;
    DWORD flags = 0;
    if (item.m_dwFlags & SCRIPTITEM_GLOBALMEMBERS) flags |= HHOBJ_GLOBAL_MEMBERS;
    if (!(item.m_dwFlags & SCRIPTITEM_ISSOURCE)) flags |= HHOBJ_NO_EVENTS;
    AddDispatchObject(item.m_strName, dispatch, flags);
    dispatch->Release();
}

BOOL CHHScriptViewBase::AddObjectInfo(const CHHScriptObjectInfo& info) {
    m_objectInfo[Key(info.m_strName)] = info;
    const int item = m_wndObjects.FindStringExact(-1, info.m_strName);
    const bool listed = (!(info.m_dwFlags & HHOBJ_CODE_ONLY) && HasEvents(info)) || info.m_bCodeOnly;
    if (listed && item < 0)
        m_wndObjects.SetItemData(m_wndObjects.AddString(info.m_strName), info.m_dwFlags);
    else if (listed)
        m_wndObjects.SetItemData(item, info.m_dwFlags);
    else if (item >= 0)
        m_wndObjects.DeleteString(static_cast<UINT>(item));
    return TRUE;
}

void CHHScriptViewBase::RemoveObjectInfo(LPCTSTR name) { m_objectInfo.erase(Key(name)); }

const CHHScriptObjectInfo* CHHScriptViewBase::FindObjectInfo(LPCTSTR name) const {
    const auto it = m_objectInfo.find(Key(name));
    return it == m_objectInfo.end() ? nullptr : &it->second;
}

BOOL CHHScriptViewBase::HasEvents(const CHHScriptObjectInfo& info) {
    return info.m_nKind == HHOBJ_SECTIONS && !(info.m_dwFlags & HHOBJ_NO_EVENTS);
}

void CHHScriptViewBase::GetEventNames(const CHHScriptObjectInfo& info, std::vector<CString>& names) {
    if (info.m_nKind == HHOBJ_SECTIONS) names.insert(names.end(), info.m_sections.begin(), info.m_sections.end());
}

void CHHScriptViewBase::GetEventList(LPCTSTR object, std::vector<CString>& names) {
    if (const CHHScriptObjectInfo* info = FindObjectInfo(object)) GetEventNames(*info, names);
    CHHScriptProcedureList::Location loc;
    m_list.FindOrCreate(FALSE, IsCaseSensitive(), object, "", loc);
    if (!loc.pObject) return;
    for (CHHScriptProcedure& proc : loc.pObject->m_procedures) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const CString& n) {
            return IsCaseSensitive() ? n == proc.m_strName : n.CompareNoCase(proc.m_strName) == 0;
        });
        proc.m_bNotAnEvent = !known;
        if (!known) names.push_back(proc.m_strName);
    }
}

CString CHHScriptViewBase::BuildHead(const CHHScriptObjectInfo& info, LPCTSTR procedure) {
    if (info.m_nKind != HHOBJ_SECTIONS) return "???";
    CString head;
    head.Format("%s%s", m_pFormater ? static_cast<LPCTSTR>(m_pFormater->GetLineComment()) : "", procedure);
    return head;
}

CString CHHScriptViewBase::GetHead(LPCTSTR object, LPCTSTR procedure) {
    const CHHScriptObjectInfo* info = FindObjectInfo(object);
    return info ? BuildHead(*info, procedure) : CString("???");
}

CString CHHScriptViewBase::BuildTail(const CHHScriptObjectInfo& info, LPCTSTR procedure) {
    CString tail;
    if (info.m_nKind == HHOBJ_SECTIONS)
        tail.Format("%sEnd of %s", m_pFormater ? static_cast<LPCTSTR>(m_pFormater->GetLineComment()) : "", procedure);
    else if (m_pFormater)
        tail = m_pFormater->FormatProcedureEnd(info.m_strName, procedure, 24);
    return tail;
}

CString CHHScriptViewBase::GetTail(LPCTSTR object, LPCTSTR procedure) {
    const CHHScriptObjectInfo* info = FindObjectInfo(object);
    return info ? BuildTail(*info, procedure) : CString("???");
}

void CHHScriptViewBase::FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) {
    if (!info.m_strQualifier.IsEmpty() || !info.m_strWord.IsEmpty()) return;
    if (kind == HHLIST_MEMBERS) {
        for (const auto& [key, obj] : m_objectInfo) {
            if ((obj.m_dwFlags & HHOBJ_CODE_ONLY) || obj.m_nKind < HHOBJ_DISPATCH) continue;
            WORD itemKind = 1;
            if (obj.m_dwFlags & HHOBJ_MEMBER_KIND1) itemKind |= 0x4000;
            if (obj.m_dwFlags & HHOBJ_MEMBER_KIND2) itemKind |= 0x8000;
            items.push_back(CHHMemberItem{obj.m_strName, itemKind});
        }
    } else if (kind == HHLIST_FUNCTIONS && m_pFormater) {
        CStringArray names;
        m_pFormater->GetFunctionList(names);
        for (int i = 0; i < names.GetSize(); ++i)
            items.push_back(CHHMemberItem{names[i], 3});
    }
}

int CHHScriptViewBase::OnCloseButton(int state) {
    if (state == 0)
        if (CWnd* parent = GetParent()) parent->PostMessage(WM_CLOSE);
    return 0;
}

void CHHScriptViewBase::AddTypedProcedure(LPCTSTR object, LPCTSTR procedure, const CString& head,
                                          const CString& body, const CString& tail) {
    Commit();
    RemoveBlankProcedures();
    m_list.AddProcedure(object, procedure, head, body, tail);
    if (!FindObjectInfo(object)) {
        CHHScriptObjectInfo info;
        info.m_strName = object;
        info.m_dwFlags = HHOBJ_CODE_ONLY;
        info.m_bCodeOnly = TRUE;
        AddObjectInfo(info);
    }
    m_pEdit->BeginUpdate();
    DisplayProcedure(object, procedure, FALSE);
    m_pEdit->EndUpdate();
    SelectComboText(m_wndObjects, object);
    FillEventsCombo(object);
    SelectComboText(m_wndEvents, procedure);
}

// ---- Showing procedures ----

BOOL CHHScriptViewBase::ShowProcedure(LPCTSTR object, LPCTSTR procedure, BOOL existingOnly) {
    Commit();
    CString o = object && *object ? object : "";
    CString e = procedure && *procedure ? procedure : "";
    if (m_list.GetCount() == 0 && m_bNoCreate) return FALSE;
    if (!o.IsEmpty() && m_wndObjects.FindStringExact(-1, o) < 0) o.Empty();
    CHHScriptProcedureList::Location loc;
    const BOOL hasRecord = !o.IsEmpty() && (m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, e, loc), loc.pObject);
    if (o.IsEmpty()) {
        if (existingOnly) return FALSE;
        if (m_list.GetCount() > 0)
            o = m_list.GetAt(0).m_strName;
        else if (m_wndObjects.GetCount() > 0)
            m_wndObjects.GetLBText(0, o);
        else
            return FALSE;
    } else if (!hasRecord && m_bNoCreate) {
        if (existingOnly || m_list.GetCount() == 0) return FALSE;
        o = m_list.GetAt(0).m_strName;
        e.Empty();
    }
    std::vector<CString> events;
    GetEventList(o, events);
    if (events.empty()) return FALSE;
    const auto inList = [&](const CString& name) {
        return std::any_of(events.begin(), events.end(), [&](const CString& n) {
            return IsCaseSensitive() ? n == name : n.CompareNoCase(name) == 0;
        });
    };
    if (e.IsEmpty() || !inList(e)) {
        if (existingOnly) return FALSE;
        m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, "", loc);
        e = loc.pObject && !loc.pObject->m_procedures.empty() ? loc.pObject->m_procedures.front().m_strName : events.front();
    }
    if (m_bNoCreate && !(m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, e, loc))) return FALSE;
    m_pEdit->BeginUpdate();
    const BOOL shown = DisplayProcedure(o, e, TRUE);
    m_pEdit->EndUpdate();
    if (shown) {
        SelectComboText(m_wndObjects, o);
        FillEventsCombo(o);
        SelectComboText(m_wndEvents, e);
    }
    SaveSnapshot();
    return shown;
}

BOOL CHHScriptViewBase::FindOrCreateProcedure(LPCTSTR object, LPCTSTR procedure, CHHScriptProcedureList::Location& loc,
                                              BOOL& existed) {
    existed = m_list.FindOrCreate(!m_bNoCreate, IsCaseSensitive(), object, procedure, loc);
    if (!loc.pProcedure) return FALSE;
    if (existed) return TRUE;
    CString head = GetHead(object, procedure);
    if (!head.IsEmpty()) head += "\r\n";
    CString tail = GetTail(object, procedure);
    if (!tail.IsEmpty()) tail += "\r\n";
    tail += "\r\n";
    loc.pProcedure->SetTexts(head, GetBody(object, procedure) + "\r\n", tail);
    loc.pObject->AddToTotals(*loc.pProcedure);
    return TRUE;
}

void CHHScriptViewBase::RemoveBlankProcedures() {
    for (int i = m_list.GetCount() - 1; i >= 0; --i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        auto& procs = obj.m_procedures;
        for (auto it = procs.begin(); it != procs.end();) {
            if (it->m_bDirty || !isBlank(it->m_strBody)) {
                ++it;
                continue;
            }
            obj.m_nBodyTotal -= it->m_nBodyLength;
            obj.m_nHeadTailTotal -= it->m_nHeadLength + it->m_nTailLength;
            it = procs.erase(it);
        }
        if (!procs.empty()) continue;
        const CString name = obj.m_strName;
        m_list.RemoveAt(i);
        const CHHScriptObjectInfo* info = FindObjectInfo(name);
        if (info && info->m_bCodeOnly) {
            const int item = m_wndObjects.FindStringExact(-1, name);
            if (item >= 0) m_wndObjects.DeleteString(static_cast<UINT>(item));
            RemoveObjectInfo(name);
        }
    }
}

void CHHScriptViewBase::SetEditText(const CString& text) {
    m_pEdit->SetProcedureView(nullptr, 0, nullptr, 0);
    m_pEdit->SetText(text);
}

// Rebuilds the edit control's text for the mode and puts the caret at the procedure's body.
BOOL CHHScriptViewBase::DisplayProcedure(LPCTSTR object, LPCTSTR procedure, BOOL removeBlank) {
    if (removeBlank && m_strCurrentObject != "?") RemoveBlankProcedures();
    CHHScriptProcedureList::Location loc;
    BOOL existed = FALSE;
    if (!FindOrCreateProcedure(object, procedure, loc, existed)) return FALSE;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        obj.m_bShown = m_nMode == HHMODE_MODULE || &obj == loc.pObject;
        for (CHHScriptProcedure& proc : obj.m_procedures)
            proc.m_bShown = obj.m_bShown && (m_nMode != HHMODE_EVENT || &proc == loc.pProcedure);
    }
    CString text;
    int caret = 0;
    int offset = 0;
    for (int i = 0; i < m_list.GetCount(); ++i)
        for (const CHHScriptProcedure& proc : m_list.GetAt(i).m_procedures) {
            if (!proc.m_bShown) continue;
            if (&proc == loc.pProcedure) caret = offset + proc.m_nHeadLength + std::min(proc.m_nBodyLength, 1);
            text += proc.m_strHead + proc.m_strBody + proc.m_strTail;
            offset += proc.GetLength();
        }
    SetEditText(text);
    switch (m_nMode) {
    case HHMODE_EVENT:
        m_pEdit->SetProcedureView(loc.pObject, 1, loc.pProcedure->m_strName, loc.nObjectStart + loc.nProcedureOffset);
        m_strCurrentObject = object;
        m_strCurrentEvent = procedure;
        break;
    case HHMODE_OBJECT:
        m_pEdit->SetProcedureView(loc.pObject, 1, nullptr, loc.nObjectStart);
        m_strCurrentObject = object;
        m_strCurrentEvent.Empty();
        break;
    default:
        m_pEdit->SetProcedureView(&m_list.GetAt(0), m_list.GetCount(), nullptr, 0);
        m_strCurrentObject.Empty();
        m_strCurrentEvent.Empty();
    }
    m_pEdit->GoToLine(0, caret);
    return TRUE;
}

void CHHScriptViewBase::Commit() {
    if (!m_pEdit || !m_pEdit->GetSafeHwnd()) return;
    int offset = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        if (!obj.m_bShown) continue;
        for (CHHScriptProcedure& proc : obj.m_procedures) {
            if (!proc.m_bShown) continue;
            if (obj.m_bModified && proc.m_bDirty) {
                const int start = offset + proc.m_nHeadLength;
                proc.m_strBody = m_pEdit->GetTextRange(CHARRANGE{start, start + proc.m_nBodyLength});
                proc.m_bDirty = FALSE;
            }
            offset += proc.GetLength();
        }
        obj.m_bModified = FALSE;
    }
}

void CHHScriptViewBase::GoToLineColumn(int line, int column) {
    if (m_nMode != HHMODE_MODULE) SetEditMode(HHMODE_MODULE);
    m_pEdit->GoToLine(line, column);
}

void CHHScriptViewBase::SetEditMode(int mode) {
    const int buttons[3] = {1, 0, 2}; // event, object, module view buttons
    for (CButton& button : m_wndModes)
        button.SetCheck(BST_UNCHECKED);
    m_wndModes[buttons[mode]].SetCheck(BST_CHECKED);
    if (mode == m_nMode) return;
    m_pEdit->BeginUpdate();
    Commit();
    m_nMode = mode;
    const CString o = ComboText(m_wndObjects), e = ComboText(m_wndEvents);
    if (!o.IsEmpty() && !e.IsEmpty()) {
        m_strCurrentObject = m_strCurrentEvent = "??";
        const BOOL noCreate = m_bNoCreate;
        m_bNoCreate = FALSE;
        DisplayProcedure(o, e, FALSE);
        m_bNoCreate = noCreate;
    } else {
        m_strCurrentObject.Empty();
        m_strCurrentEvent.Empty();
        SetEditText("");
    }
    m_pEdit->EndUpdate();
}

// ---- Text and list ----

CString CHHScriptViewBase::GetScriptText() {
    Commit();
    return m_list.GetText();
}

BOOL CHHScriptViewBase::SetScriptText(LPCTSTR text, CHHTextParser* parser) {
    CHHScriptProcedureList fresh;
    if (!fresh.Parse(text, parser)) return FALSE;
    LoadProcedureList(fresh);
    return TRUE;
}

void CHHScriptViewBase::GetBreakpoints(CDWordArray& positions) {
    Commit();
    m_list.GetBreakpoints(positions);
}

void CHHScriptViewBase::LoadProcedureList(const CHHScriptProcedureList& list) {
    SetEditText("");
    m_list = list;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        obj.m_bShown = FALSE;
        for (CHHScriptProcedure& proc : obj.m_procedures)
            proc.m_bShown = proc.m_bDirty = FALSE;
        if (FindObjectInfo(obj.m_strName)) continue;
        obj.m_bUndeclared = TRUE;
        CHHScriptObjectInfo info;
        info.m_strName = obj.m_strName;
        info.m_dwFlags = HHOBJ_CODE_ONLY;
        info.m_bCodeOnly = TRUE;
        AddObjectInfo(info);
    }
    m_strCurrentObject = m_strCurrentEvent = "?";
    ShowProcedure(nullptr, nullptr, FALSE);
}

void CHHScriptViewBase::StoreProcedureList(CHHScriptProcedureList& list) {
    Commit();
    list = m_list;
}

void CHHScriptViewBase::ClearView() {
    m_pSaved.reset();
    SetEditText("");
    m_pEdit->GetUndoManager().ClearAll();
    m_list.RemoveAll();
    m_objectInfo.clear();
    m_wndObjects.ResetContent();
    m_wndEvents.ResetContent();
    m_strCurrentObject = m_strCurrentEvent = "?";
}

void CHHScriptViewBase::Revert() {
    if (!m_pSaved) return;
    const CHHScriptProcedureList saved = *m_pSaved;
    LoadProcedureList(saved);
}

void CHHScriptViewBase::SaveSnapshot() {
    if (!m_pSaved) m_pSaved = std::make_unique<CHHScriptProcedureList>();
    StoreProcedureList(*m_pSaved);
}

void CHHScriptViewBase::Serialize(CArchive& ar) {
    if (ar.IsStoring()) Commit();
    m_list.Serialize(ar);
}

// ---- Combos and buttons ----

CString CHHScriptViewBase::ComboText(CComboBox& combo) {
    CString text;
    const int sel = combo.GetCurSel();
    if (sel >= 0) combo.GetLBText(sel, text);
    return text;
}

BOOL CHHScriptViewBase::SelectComboText(CComboBox& combo, LPCTSTR text) {
    const int item = combo.FindStringExact(-1, text);
    combo.SetCurSel(item);
    return item >= 0;
}

void CHHScriptViewBase::FillEventsCombo(LPCTSTR object) {
    m_wndEvents.ResetContent();
    std::vector<CString> events;
    GetEventList(object, events);
    for (const CString& name : events)
        m_wndEvents.SetItemData(m_wndEvents.AddString(name), 0);
}

void CHHScriptViewBase::OnObjectsFocus() {
    m_strFocusObject = ComboText(m_wndObjects);
    m_strFocusEvent = ComboText(m_wndEvents);
}

void CHHScriptViewBase::OnEventsFocus() { OnObjectsFocus(); }

void CHHScriptViewBase::OnObjectChosen() {
    const CString chosen = ComboText(m_wndObjects);
    if (chosen != m_strFocusObject && !ShowProcedure(chosen, nullptr, FALSE))
        SelectComboText(m_wndObjects, m_strFocusObject);
    m_strFocusObject.Empty();
    m_pEdit->SetFocus();
}

void CHHScriptViewBase::OnEventChosen() {
    const CString object = ComboText(m_wndObjects), event = ComboText(m_wndEvents);
    if (!object.IsEmpty() && !event.IsEmpty() && event != m_strFocusEvent && !ShowProcedure(object, event, FALSE)) {
        SelectComboText(m_wndObjects, m_strFocusObject);
        SelectComboText(m_wndEvents, m_strFocusEvent);
    }
    m_strFocusEvent.Empty();
    m_pEdit->SetFocus();
}

void CHHScriptViewBase::OnCloseClicked() {
    const int state = m_nCloseState ? 0 : 1;
    if (OnCloseButton(state)) m_nCloseState = state;
    m_wndClose.SetCheck(m_nCloseState ? BST_CHECKED : BST_UNCHECKED);
}

void CHHScriptViewBase::OnModeButton(UINT nID) {
    SetEditMode(nID == IDC_HHSV_EVENT_VIEW ? HHMODE_EVENT : nID == IDC_HHSV_OBJECT_VIEW ? HHMODE_OBJECT : HHMODE_MODULE);
}

LRESULT CHHScriptViewBase::OnCaretMoved(WPARAM wParam, LPARAM) {
    SyncCombos(m_pEdit->LineIndex(static_cast<int>(wParam)));
    return 0;
}

void CHHScriptViewBase::SyncCombos(int charIndex) {
    if (m_nMode == HHMODE_EVENT) {
        if (ComboText(m_wndEvents) != m_strCurrentEvent) SelectComboText(m_wndEvents, m_strCurrentEvent);
        return;
    }
    int offset = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        if (!obj.m_bShown) continue;
        if (charIndex >= offset + obj.GetLength()) {
            offset += obj.GetLength();
            continue;
        }
        if (ComboText(m_wndObjects) != obj.m_strName) {
            SelectComboText(m_wndObjects, obj.m_strName);
            FillEventsCombo(obj.m_strName);
        }
        for (const CHHScriptProcedure& proc : obj.m_procedures) {
            if (charIndex < offset + proc.GetLength()) {
                if (ComboText(m_wndEvents) != proc.m_strName) SelectComboText(m_wndEvents, proc.m_strName);
                return;
            }
            offset += proc.GetLength();
        }
        return;
    }
}
