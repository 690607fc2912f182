#include "scripting/CHHScriptViewBase.h"

#include "editor/CHHFormater.h"
#include "platform/framework/CCmdUI.h"
#include "platform/script/activscp.h"
#include "scripting/CHHEngine.h"
#include "scripting/ScriptStrings.h"
#include "scripting/ScriptViewImages.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNAMIC(CHHScriptViewBase, CView)

BEGIN_MESSAGE_MAP(CHHScriptViewBase, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DRAWITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
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

CHHScriptViewBase::CHHScriptViewBase() = default;
CHHScriptViewBase::~CHHScriptViewBase() = default;

// ---- Window ----

int CHHScriptViewBase::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) return -1;
    if (!createFonts()) return -1;
    return CreateChildren() ? 0 : -1;
}

// 8-point "MS Sans Serif" for the combos: normal, bold for names the module has code for, italic
// for names that are only code.
BOOL CHHScriptViewBase::createFonts() {
    LOGFONT lf{};
    CClientDC dc(this);
    lf.lfHeight = -MulDiv(8, dc.GetDeviceCaps(LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    if (!m_fontNormal.CreateFontIndirect(&lf)) return FALSE;
    lf.lfItalic = TRUE;
    if (!m_fontItalic.CreateFontIndirect(&lf)) return FALSE;
    lf.lfItalic = FALSE;
    lf.lfWeight = FW_BOLD;
    return m_fontBold.CreateFontIndirect(&lf);
}

// The bar's items move 22 pixels left when there is no close button; the edit control starts
// below the bar, or near the top when the bar is hidden.
BOOL CHHScriptViewBase::CreateChildren() {
    DeclareScriptResources();
    const int b = m_bCloseButton ? 0 : 22;
    const DWORD v = m_bBarVisible ? WS_VISIBLE : 0;
    m_pEdit.reset(CreateEditCtrl());
    if (!m_pEdit) return FALSE;
    m_pEdit->SetOwner(this);
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL |
                            ES_AUTOVSCROLL | ES_MULTILINE;
    if (!m_pEdit->Create(editStyle, CRect(11, m_bBarVisible ? 39 : 11, 247, 55), this, IDC_HHSV_EDIT))
        return FALSE;
    m_pEdit->ModifyStyleEx(0, WS_EX_STATICEDGE);
    const DWORD comboStyle = v | WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT;
    if (!m_wndObjects.Create(comboStyle, CRect(101 - b, 11, 169 - b, 181), this, IDC_HHSV_OBJECTS))
        return FALSE;
    if (!m_wndEvents.Create(comboStyle, CRect(176 - b, 11, 247 - b, 181), this, IDC_HHSV_EVENTS))
        return FALSE;
    m_wndObjects.SetFont(&m_fontNormal);
    m_wndEvents.SetFont(&m_fontNormal);
    const DWORD buttonStyle = WS_CHILD | BS_PUSHLIKE | BS_BITMAP | BS_AUTOCHECKBOX;
    const DWORD closeShown = m_bCloseButton && m_bBarVisible ? WS_VISIBLE : 0;
    if (!m_wndClose.Create("", buttonStyle | closeShown, CRect(11, 11, 31, 31), this, IDC_HHSV_CLOSE))
        return FALSE;
    const UINT ids[3] = {IDC_HHSV_OBJECT_VIEW, IDC_HHSV_EVENT_VIEW, IDC_HHSV_MODULE_VIEW};
    const int lefts[3] = {53, 33, 73};
    for (int i = 0; i < 3; ++i)
        if (!m_wndModes[i].Create("", buttonStyle | v, CRect(lefts[i] - b, 11, lefts[i] - b + 20, 31), this,
                                  ids[i]))
            return FALSE;
    createTips();
    return TRUE;
}

// Tips over the bar; a view without them works all the same.
void CHHScriptViewBase::createTips() {
    if (!m_wndTips.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX) || !m_bBarVisible) return;
    if (m_bCloseButton) m_wndTips.AddTool(&m_wndClose, LoadScriptString(IDS_HHSV_TIP_CLOSE));
    m_wndTips.AddTool(&m_wndModes[1], LoadScriptString(IDS_HHSV_TIP_EVENT_VIEW));
    m_wndTips.AddTool(&m_wndModes[0], LoadScriptString(IDS_HHSV_TIP_OBJECT_VIEW));
    m_wndTips.AddTool(&m_wndModes[2], LoadScriptString(IDS_HHSV_TIP_MODULE_VIEW));
    m_wndTips.AddTool(&m_wndObjects, LoadScriptString(IDS_HHSV_TIP_OBJECT));
    m_wndTips.AddTool(&m_wndEvents, LoadScriptString(IDS_HHSV_TIP_EVENT));
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
    loadButtonImages();
    m_wndClose.SetCheck(BST_CHECKED);
    m_wndModes[1].SetCheck(BST_CHECKED); // Event View
    ClearView();
}

void CHHScriptViewBase::loadButtonImages() {
    const UINT images[3] = {IDB_HHSV_OBJECT_VIEW, IDB_HHSV_EVENT_VIEW, IDB_HHSV_MODULE_VIEW};
    if (m_bmpClose.LoadBitmap(IDB_HHSV_CLOSE)) m_wndClose.SetBitmap(m_bmpClose);
    for (int i = 0; i < 3; ++i)
        if (m_bmpModes[i].LoadBitmap(images[i])) m_wndModes[i].SetBitmap(m_bmpModes[i]);
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
    m_wndObjects.SetWindowPos(nullptr, combo.left, combo.top, w, combo.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndEvents.SetWindowPos(nullptr, combo.left + w + m, combo.top, w, combo.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    CRect edit;
    m_pEdit->GetWindowRect(&edit);
    ScreenToClient(&edit);
    m_pEdit->SetWindowPos(nullptr, edit.left, edit.top, std::max(0, cx - m - edit.left),
                          std::max(0, cy - m - edit.top), SWP_NOZORDER | SWP_NOACTIVATE);
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

// Printing is the edit control's.
void CHHScriptViewBase::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    if (!pInfo || !m_pEdit) {
        CView::OnPrepareDC(pDC, pInfo);
        return;
    }
    m_pEdit->OnPrepareDC(pDC, pInfo);
}

void CHHScriptViewBase::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    m_pEdit->OnBeginPrinting(pDC, pInfo);
}
void CHHScriptViewBase::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    m_pEdit->OnPrint(pDC, pInfo);
}
void CHHScriptViewBase::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {
    m_pEdit->OnEndPrinting(pDC, pInfo);
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

void CHHScriptViewBase::NotifyOwner(LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos,
                                    BOOL on) {
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

// No window of this system hosts an OLE control, so a window's dispatch is its command target's.
BOOL CHHScriptViewBase::AddWindowObject(LPCTSTR name, CWnd* window, DWORD flags) {
    IDispatch* dispatch = window ? window->GetIDispatch(FALSE) : nullptr;
    if (!dispatch) return FALSE;
    AddDispatchObject(name, dispatch, flags);
    return TRUE;
}

void CHHScriptViewBase::AddNamedItem(const CHHNamedItem& item) {
    IDispatch* dispatch = nullptr;
    if (!item.m_pUnknown ||
        FAILED(item.m_pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
        !dispatch)
        return;
    DWORD flags = 0;
    if (item.m_dwFlags & SCRIPTITEM_GLOBALMEMBERS) flags |= HHOBJ_GLOBAL_MEMBERS;
    if (!(item.m_dwFlags & SCRIPTITEM_ISSOURCE)) flags |= HHOBJ_NO_EVENTS;
    AddDispatchObject(item.m_strName, dispatch, flags);
    dispatch->Release();
}

BOOL CHHScriptViewBase::AddObjectInfo(const CHHScriptObjectInfo& info) {
    m_objectInfo[Key(info.m_strName)] = info;
    const int item = FindComboItem(m_wndObjects, info.m_strName);
    const bool listed = (!(info.m_dwFlags & HHOBJ_CODE_ONLY) && HasEvents(info)) || info.m_bCodeOnly;
    if (listed && item < 0) {
        AddComboItem(m_wndObjects, info.m_strName, info.m_dwFlags);
    } else if (listed) {
        static_cast<ComboItem*>(m_wndObjects.GetItemDataPtr(item))->m_dwFlags = info.m_dwFlags;
        m_wndObjects.Invalidate();
    } else if (item >= 0) {
        m_wndObjects.DeleteString(static_cast<UINT>(item));
    }
    return TRUE;
}

void CHHScriptViewBase::AddCodeOnlyObject(LPCTSTR name) {
    CHHScriptObjectInfo info;
    info.m_strName = name;
    info.m_dwFlags = HHOBJ_CODE_ONLY;
    info.m_bCodeOnly = TRUE;
    AddObjectInfo(info);
}

void CHHScriptViewBase::RemoveObjectInfo(LPCTSTR name) {
    m_objectInfo.erase(Key(name));
}

const CHHScriptObjectInfo* CHHScriptViewBase::FindObjectInfo(LPCTSTR name) const {
    const auto it = m_objectInfo.find(Key(name));
    return it == m_objectInfo.end() ? nullptr : &it->second;
}

BOOL CHHScriptViewBase::HasEvents(const CHHScriptObjectInfo& info) {
    return info.m_nKind == HHOBJ_SECTIONS && !(info.m_dwFlags & HHOBJ_NO_EVENTS);
}

void CHHScriptViewBase::GetEventNames(const CHHScriptObjectInfo& info, std::vector<CString>& names) {
    if (info.m_nKind == HHOBJ_SECTIONS)
        names.insert(names.end(), info.m_sections.begin(), info.m_sections.end());
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
    head.Format(LoadScriptString(IDS_HH_SECTIONHEAD),
                m_pFormater ? static_cast<LPCTSTR>(m_pFormater->GetLineComment()) : "", procedure);
    return head;
}

CString CHHScriptViewBase::GetHead(LPCTSTR object, LPCTSTR procedure) {
    const CHHScriptObjectInfo* info = FindObjectInfo(object);
    return info ? BuildHead(*info, procedure) : CString("???");
}

CString CHHScriptViewBase::BuildTail(const CHHScriptObjectInfo& info, LPCTSTR procedure) {
    CString tail;
    if (info.m_nKind == HHOBJ_SECTIONS)
        tail.Format(LoadScriptString(IDS_HH_SECTIONTAIL),
                    m_pFormater ? static_cast<LPCTSTR>(m_pFormater->GetLineComment()) : "", procedure);
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
    ClearShown();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        for (CHHScriptProcedure& proc : obj.m_procedures)
            proc.m_bDirty = FALSE;
        if (FindObjectInfo(obj.m_strName)) continue;
        obj.m_bUndeclared = TRUE;
        AddCodeOnlyObject(obj.m_strName);
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

// A loaded list is shown as LoadProcedureList shows it: names without information are marked as
// objects of code only.
void CHHScriptViewBase::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        Commit();
        m_list.Serialize(ar);
        return;
    }
    CHHScriptProcedureList loaded;
    loaded.Serialize(ar);
    LoadProcedureList(loaded);
}
