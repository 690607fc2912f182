#include "editor/CHHEditCtrl.h"

#include "editor/CHHEditUndoAction.h"
#include "editor/HHEditResources.h"
#include "editor/HHEditRules.h"
#include "editor/TokenRuns.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

IMPLEMENT_DYNAMIC(CHHEditCtrl, CRichEditCtrl)

CString CHHEditCtrl::s_strFindText;

const UINT HHEDIT_REPLACE_MESSAGE = ::RegisterWindowMessageA("RAZOZOVIVUZIRIZAVEVO");

namespace {

// Posted by SetText: the text set is read back as the undo base.
const UINT HHEDIT_TAKE_BASE_MESSAGE = ::RegisterWindowMessageA("HHEditTakeUndoBase");

bool keyDown(int vk) {
    return (::GetKeyState(vk) & 0x8000) != 0;
}

// Line ends of a text: "\r\n" or "\n" when all breaks are alike (no break at all: "\r\n"), else
// "" with every break listed in order in each, one code a break: 'c' CR LF, 'n' LF, 'r' CR.
// The first CR or LF in [p, end), or null.
const char* firstBreak(const char* p, const char* end) {
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n') return p;
    return nullptr;
}

std::string lineEndsOf(std::string_view text, std::string& each) {
    each.clear();
    bool crlf = false, lf = false, cr = false;
    const char* end = text.data() + text.size();
    for (const char* p = text.data(); p && (p = firstBreak(p, end)) != nullptr; ++p) {
        if (*p == '\r' && p + 1 < end && p[1] == '\n') {
            each += 'c';
            crlf = true;
            ++p;
        } else {
            each += *p == '\n' ? 'n' : 'r';
            (*p == '\n' ? lf : cr) = true;
        }
    }
    if (crlf + lf + cr > 1) return std::string();
    each.clear();
    return lf ? "\n" : cr ? "\r" : "\r\n";
}

const char* breakOf(char code) {
    return code == 'n' ? "\n" : code == 'r' ? "\r" : "\r\n";
}

} // namespace

BEGIN_MESSAGE_MAP(CHHEditCtrl, CRichEditCtrl)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_GETDLGCODE()
    ON_WM_CHAR()
    ON_COMMAND_RANGE(ID_HHEDIT_INDENT, ID_HHEDIT_UNCOMMENT, OnLineCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HHEDIT_INDENT, ID_HHEDIT_UNCOMMENT, OnUpdateLineCommand)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_HHEDIT_OPTIONS, OnOptions)
    ON_UPDATE_COMMAND_UI(ID_HHEDIT_OPTIONS, OnUpdateOptions)
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_FILE_PAGE_SETUP, OnPageSetup)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_REPEAT, OnEditRepeat)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateEditFind)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, OnUpdateEditFind)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateEditReplace)
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_KEYDOWN()
    ON_NOTIFY_REFLECT(EN_PROTECTED, OnProtected)
    ON_NOTIFY_REFLECT(EN_SELCHANGE, OnSelChange)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(EM_CANUNDO, OnCanUndo)
    ON_MESSAGE(EM_CANREDO, OnCanRedo)
    ON_MESSAGE(EM_UNDO, OnUndo)
    ON_MESSAGE(EM_REDO, OnRedo)
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCutCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCutCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_REGISTERED_MESSAGE(HHEDIT_REPLACE_MESSAGE, OnReplaceMessage)
    ON_REGISTERED_MESSAGE(HHEDIT_TAKE_BASE_MESSAGE, OnTakeBase)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CHHEditCtrl::CHHEditCtrl() {
    AfxInitRichEdit();
    hh::DeclareEditResources();
    hh::SetDefaultColors(m_colors);
}

CHHEditCtrl::~CHHEditCtrl() = default;

BOOL CHHEditCtrl::InitControl(BOOL loadSettings) {
    SetEventMask(ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED);
    // The control keeps its own history; the rich edit keeps none.
    SendMessage(EM_SETUNDOLIMIT, 0);
    SetDefaultSettings();
    if (loadSettings) LoadSettings(nullptr);
    if (m_nMenuAccelId == 0) SetAccelerators(IDR_HHEDIT_MENU);
    LimitText(0xA00000);
    return TRUE;
}

void CHHEditCtrl::MarkLine(int) {}
void CHHEditCtrl::OnCaretLineChanged(int, int) {}
void CHHEditCtrl::OnContextMenuPopup(CMenu*) {}
BOOL CHHEditCtrl::IsProtectedChange(const ENPROTECTED*) {
    return FALSE;
}
void CHHEditCtrl::MessageBeepHook(LPCSTR) {
    ::MessageBeep(MB_ICONHAND);
}

CString CHHEditCtrl::GetLineCommentString() {
    return m_pFormater ? m_pFormater->GetLineComment() : CString("?");
}

BOOL CHHEditCtrl::ColorizeText(const char16_t* text, int length, WORD* attributes) {
    if (!m_pFormater) return FALSE;
    m_pFormater->ColorizeText(text, length, attributes);
    return TRUE;
}

void CHHEditCtrl::ScanBlockComments(const char16_t* text, int length, CHHCommentMarkerArray& list,
                                    BOOL inComment) {
    if (m_pFormater) m_pFormater->ScanBlockComments(text, length, list, inComment);
}

BOOL CHHEditCtrl::AdjustWordCase(LPTSTR word, WORD bits) {
    return m_pFormater ? m_pFormater->AdjustWordCase(word, bits) : FALSE;
}

void CHHEditCtrl::SetModified(BOOL modified) {
    m_bModified = modified;
    if (modified || !m_hWnd) return;
    m_savedText = takeSnapshot();
    m_bHaveSavedText = true;
}

void CHHEditCtrl::BeginUpdate(BOOL noLock) {
    ++m_nRedrawLocks;
    if (noLock || m_bRedrawLocked) return;
    SendMessage(WM_SETREDRAW, FALSE);
    m_bRedrawLocked = TRUE;
}

void CHHEditCtrl::EndUpdate() {
    if (m_nRedrawLocks > 0) --m_nRedrawLocks;
    if (m_nRedrawLocks > 0 || !m_bRedrawLocked) return;
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
    m_bRedrawLocked = FALSE;
}

void CHHEditCtrl::SetAccelerators(UINT id) {
    m_nMenuAccelId = id;
    m_hAccel = ::LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(id));
}

// ---- Whole-text operations ----

void CHHEditCtrl::SetText(LPCSTR text) {
    SetText(text ? std::string_view(text) : std::string_view());
}

void CHHEditCtrl::SetText(std::string_view text) {
    // A text set again keeps the saved text of the one before when asked to, so that one is
    // read before it goes; an undo base not read yet is replaced.
    if (m_bSavedTextPending && m_bKeepSavedText) takeSnapshot();
    m_bBasePending = m_bSavedTextPending = false;
    m_lineEnd = lineEndsOf(text, m_lineEnds);
    hh::EditTransaction edit(*this, hh::kBusy | hh::kWaitCursor);
    // Positions are the control's: every line break counts as CR LF.
    std::string converted;
    std::string_view whole = text;
    if (m_lineEnd != "\r\n") {
        converted = hh::WithCrLf(whole.data(), whole.size());
        whole = converted;
    }
    {
        hh::EditTransaction redraw(*this, hh::kLockRedraw);
        m_delimiters.RemoveAll();
        m_deferred.clear();
        m_shown.Clear();
        m_built = BuiltCalls();
        if (!m_bSyntaxColoring || !streamColoredText(whole)) setPlainText(whole);
    }
    // The text set is the base of the next undo snapshot and, set from outside, what the document
    // holds, which undo and redo compare with. Both are read back from the control once the
    // caller's copy of a large text has gone: when the posted message comes, or before the first
    // change or snapshot, whichever is first.
    if (!m_bKeepSavedText) {
        m_savedText = hh::TextSnapshot();
        m_bHaveSavedText = false;
    }
    if (GetTextLength() == static_cast<long>(whole.size())) {
        snapshotRestored(hh::TextSnapshot());
        m_nSamePrefix = m_nSameSuffix = 0;
        m_bBasePending = true;
        m_bSavedTextPending = !m_bKeepSavedText;
        PostMessage(HHEDIT_TAKE_BASE_MESSAGE);
    }
    // The formater was given the text set whole, if it was coloured.
    m_scanGiven.Forget();
    m_colourGiven.Forget();
    const int length = static_cast<int>(whole.size());
    if (GetTextLength() == length && m_built.scan)
        m_scanGiven.Given(m_built.scan, 0, length, length, hh::Stretch(0, 0));
    if (GetTextLength() == length && m_built.colour)
        m_colourGiven.Given(m_built.colour, 0, length, length, m_built.blanked);
    // So were the lines read for colouring: the first change is spliced into them.
    if (GetTextLength() == length && m_built.lines) {
        m_linesRead.kept.Read(0, length);
        m_linesRead.kept.Altered(m_built.blanked);
    }
    m_built = BuiltCalls();
}

bool CHHEditCtrl::streamColoredText(std::string_view text) {
    hh::ColoredRtf rtf = BuildColoredRtf(text.data(), static_cast<int>(text.size()), TRUE, &m_delimiters);
    const bool streamed = streamRtf(rtf, SF_RTF);
    if (!streamed) m_shown.Clear();
    keepBuffersSmall();
    return streamed;
}

bool CHHEditCtrl::streamRtf(hh::ColoredRtf& rtf, int format) {
    if (rtf.empty()) return false;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
    es.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) -> DWORD {
        auto* source = reinterpret_cast<hh::ColoredRtf*>(cookie);
        *got =
            static_cast<LONG>(source->Read(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(size)));
        return 0;
    };
    {
        hh::EditTransaction internal(*this, hh::kInternal);
        StreamIn(format, es);
    }
    return es.dwError == 0;
}

void CHHEditCtrl::setPlainText(std::string_view text) {
    m_delimiters.RemoveAll();
    const std::string terminated(text);
    {
        hh::EditTransaction internal(*this, hh::kInternal);
        DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    }
    CString all;
    GetWindowText(all);
    std::u16string wide = hh::WidenText(all, static_cast<std::size_t>(all.GetLength()));
    CHHCommentMarkerArray found;
    ScanBlockComments(wide.data(), static_cast<int>(wide.size()), found);
    hh::MergeMarkers(m_delimiters, found, 0);
    hh::PairMarkers(m_delimiters);
    hh::EditTransaction asWritten(*this, hh::kNoKeywordCase);
    ColorizeRange(0, all.GetLength(), FALSE);
}

void CHHEditCtrl::ReplaceRange(const CHARRANGE& range, LPCSTR text) {
    hh::EditTransaction edit(*this, hh::kBusy | hh::kNoKeywordCase | hh::kLockRedraw | hh::kWaitCursor |
                                        hh::kHideSelection);
    CHARRANGE saved{};
    GetSel(saved);
    CHARRANGE r = range;
    SetSel(r);
    ReplaceSel(text ? text : "");
    SetSel(saved);
}

CString CHHEditCtrl::GetTextRange(const CHARRANGE& range) {
    TEXTRANGEA tr{};
    // The buffer is sized for the range the control reads: -1 runs to the end, and a range given
    // backwards is read forwards.
    tr.chrg = range;
    if (tr.chrg.cpMax < 0) tr.chrg.cpMax = static_cast<LONG>(GetTextLength());
    if (tr.chrg.cpMax < tr.chrg.cpMin) std::swap(tr.chrg.cpMin, tr.chrg.cpMax);
    // The control writes straight into the string, ending zero included.
    CString text;
    tr.lpstrText = text.GetBuffer(static_cast<int>(std::max<long>(0, tr.chrg.cpMax - tr.chrg.cpMin)) + 1);
    const LRESULT n = SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    text.ReleaseBuffer(static_cast<int>(n));
    return text;
}

CString CHHEditCtrl::GetText() {
    CString text;
    GetWindowText(text);
    if (m_lineEnd == "\r\n") return text;
    std::string out;
    out.reserve(static_cast<std::size_t>(text.GetLength()));
    std::size_t line = 0;
    const char* p = static_cast<LPCTSTR>(text);
    const char* end = p + text.GetLength();
    for (; p < end; ++p) {
        if (*p == '\r' && p + 1 < end && p[1] == '\n') {
            out += !m_lineEnd.empty() ? m_lineEnd.c_str()
                                      : breakOf(line < m_lineEnds.size() ? m_lineEnds[line] : 'c');
            ++line;
            ++p;
        } else {
            out += *p;
        }
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

void CHHEditCtrl::ReapplyText() {
    CHARRANGE saved{};
    GetSel(saved);
    const std::string lineEnd = m_lineEnd;
    const std::string lineEnds = m_lineEnds;
    CString text;
    GetWindowText(text);
    m_bKeepSavedText = true;
    SetText(text);
    m_bKeepSavedText = false;
    m_lineEnd = lineEnd;
    m_lineEnds = lineEnds;
    SetSel(saved);
}

BOOL CHHEditCtrl::HasSelection() const {
    CHARRANGE sel{};
    GetSel(sel);
    return sel.cpMin != sel.cpMax;
}

int CHHEditCtrl::GetLineHeight() {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return tm.tmHeight;
}

// ---- Undo ----

void CHHEditCtrl::SaveUndoState(int, int, int) {
    m_undo.AddAction(new CHHEditUndoAction(this), TRUE);
}

void CHHEditCtrl::noteChange(long from, long to) {
    // The text set last is read as the base before it changes.
    if (m_bBasePending) takeSnapshot();
    const int length = GetTextLength();
    m_scanGiven.Change(static_cast<int>(from), static_cast<int>(to), length);
    m_colourGiven.Change(static_cast<int>(from), static_cast<int>(to), length);
    m_linesRead.kept.Change(static_cast<int>(from), static_cast<int>(to), length);
    m_nSamePrefix = std::min(m_nSamePrefix, from);
    if (from < m_columnMark.pos) m_columnMark.pos = -1;
    m_linesRead.from = -1;
    m_nSameSuffix = std::min(m_nSameSuffix, GetTextLength() - to);
}

hh::TextSnapshot CHHEditCtrl::takeSnapshot() {
    const long length = GetTextLength();
    const long prefix = std::min(m_nSamePrefix, length);
    const long suffix = std::min(m_nSameSuffix, length - prefix);
    m_lastSnapshot =
        hh::TextSnapshot::Splice(m_lastSnapshot, static_cast<std::size_t>(prefix),
                                 textBetween(prefix, length - suffix), static_cast<std::size_t>(suffix));
    m_nSamePrefix = m_nSameSuffix = length;
    m_bBasePending = false;
    if (m_bSavedTextPending) {
        m_savedText = m_lastSnapshot;
        m_bHaveSavedText = true;
        m_bSavedTextPending = false;
    }
    return m_lastSnapshot;
}

std::string CHHEditCtrl::textBetween(long from, long to) {
    // The control writes straight into the string, ending zero included.
    std::string text(static_cast<std::size_t>(std::max(0L, to - from)) + 1, '\0');
    TEXTRANGEA range{};
    range.chrg = CHARRANGE{static_cast<LONG>(from), static_cast<LONG>(to)};
    range.lpstrText = text.data();
    text.resize(static_cast<std::size_t>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    return text;
}

LRESULT CHHEditCtrl::OnTakeBase(WPARAM, LPARAM) {
    if (m_bBasePending) takeSnapshot();
    return 0;
}

// Only the stretch where the two texts differ is replaced, as the control's own edit: it is
// coloured again, and the rest of the text, its colours included, stays. What hangs on lines
// (markers) is the caller's to move.
void CHHEditCtrl::restoreText(const hh::TextSnapshot& target, const hh::SpanColours* colours) {
    const hh::TextSnapshot now = takeSnapshot();
    const std::size_t start = hh::TextSnapshot::CommonStart(now, target);
    const std::size_t shorter = std::min(now.GetLength(), target.GetLength());
    const std::size_t end = hh::TextSnapshot::CommonEnd(now, target, shorter - start);
    const int from = static_cast<int>(start);
    const int oldEnd = static_cast<int>(now.GetLength() - end);
    const int newEnd = static_cast<int>(target.GetLength() - end);
    if (from < oldEnd || from < newEnd) {
        const std::string text = target.Slice(start, target.GetLength() - end);
        if (colours && coloursHold(*colours, from, newEnd)) {
            restoreColoured(from, oldEnd, text, *colours);
        } else {
            hh::EditTransaction edit(*this,
                                     hh::kBusy | hh::kNoKeywordCase | hh::kLockRedraw | hh::kHideSelection);
            SetSel(from, oldEnd);
            ReplaceSel(text.c_str());
        }
    }
    snapshotRestored(target);
}

std::shared_ptr<hh::SpanColours> CHHEditCtrl::keepColours(int start, int end) {
    auto colours = std::make_shared<hh::SpanColours>();
    colours->start = LineIndex(static_cast<int>(LineFromChar(start)));
    const int lastStart = LineIndex(static_cast<int>(LineFromChar(end)));
    colours->end = lastStart + LineLength(lastStart);
    colours->formater = m_pFormater;
    colours->syntaxColoring = m_bSyntaxColoring;
    for (int cls = 0; cls < hh::kColorClasses; ++cls)
        colours->look[cls] = formatFor(m_colors[cls]);
    for (const hh::Stretch& s : m_deferred)
        if (s.first < colours->end && s.second > colours->start) return colours;
    const pm::GetCharFormatRuns get{CHARRANGE{colours->start, colours->end}, &colours->formats, nullptr,
                                    &colours->runs};
    SendMessage(pm::getCharFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&get));
    colours->markers = hh::MarkersIn(m_delimiters, colours->start, colours->end);
    if (const auto older = m_keptColours.lock()) older->LetGo();
    m_keptColours = colours;
    return colours;
}

namespace {

bool sameLook(const CHARFORMAT& a, const CHARFORMAT& b) {
    return a.dwMask == b.dwMask && a.dwEffects == b.dwEffects && a.yHeight == b.yHeight &&
           a.yOffset == b.yOffset && a.crTextColor == b.crTextColor && a.bCharSet == b.bCharSet &&
           std::strcmp(a.szFaceName, b.szFaceName) == 0;
}

} // namespace

bool CHHEditCtrl::coloursHold(const hh::SpanColours& colours, int from, int to) const {
    if (colours.runs.empty() || from < colours.start || to > colours.end) return false;
    if (colours.formater != m_pFormater || colours.syntaxColoring != m_bSyntaxColoring) return false;
    for (int cls = 0; cls < hh::kColorClasses; ++cls)
        if (!sameLook(colours.look[cls], formatFor(m_colors[cls]))) return false;
    return true;
}

// The change is the control's own, not followed: the markers move for it here, and the kept
// colours cover the whole lines around it, so nothing of them is coloured again.
void CHHEditCtrl::restoreColoured(int from, int oldEnd, const std::string& text,
                                  const hh::SpanColours& colours) {
    const int newEnd = from + static_cast<int>(text.size());
    {
        hh::EditTransaction edit(*this, hh::kInternal | hh::kBusy | hh::kNoKeywordCase | hh::kLockRedraw |
                                            hh::kHideSelection);
        SetSel(from, oldEnd);
        ReplaceSel(text.c_str());
        const pm::CharFormatRuns runs{
            colours.start, colours.formats.data(), static_cast<int>(colours.formats.size()), nullptr, 0,
            &colours.runs};
        SendMessage(pm::charFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&runs));
    }
    shiftForChange(TRUE, from, oldEnd);
    shiftForChange(FALSE, from, newEnd);
    m_shown.Forget(colours.start, colours.end);
    hh::PutBackMarkers(m_delimiters, colours.start, colours.end, colours.markers);
    ResolveBlockComments(TRUE);
}

void CHHEditCtrl::snapshotRestored(const hh::TextSnapshot& snapshot) {
    m_lastSnapshot = snapshot;
    m_nSamePrefix = m_nSameSuffix = GetTextLength();
    m_columnMark.pos = -1;
    m_linesRead.from = -1;
    m_linesRead.kept.Forget();
}

void CHHEditCtrl::EmptyUndoBuffer() {
    m_nLastSnapshotKind = 0;
    m_nLastSnapshotStart = -1;
    m_nLastSnapshotEnd = -1;
    m_undo.ClearAll();
}

void CHHEditCtrl::AfterUndoRedo() {
    BOOL modified = TRUE;
    if (m_bHaveSavedText) {
        const hh::TextSnapshot now = takeSnapshot();
        modified = now.GetLength() != m_savedText.GetLength() ||
                   hh::TextSnapshot::CommonStart(now, m_savedText) != now.GetLength();
    }
    m_bModified = modified;
    SetDocumentModified(modified);
}

LRESULT CHHEditCtrl::OnCanUndo(WPARAM, LPARAM) {
    CString description;
    return m_undo.GetUndoText(description);
}

LRESULT CHHEditCtrl::OnCanRedo(WPARAM, LPARAM) {
    CString description;
    return m_undo.GetRedoText(description);
}

LRESULT CHHEditCtrl::OnUndo(WPARAM, LPARAM) {
    if (m_undo.Undo(TRUE)) AfterUndoRedo();
    return 0;
}

LRESULT CHHEditCtrl::OnRedo(WPARAM, LPARAM) {
    if (m_undo.Redo(TRUE)) AfterUndoRedo();
    return 0;
}

BOOL CHHEditCtrl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if ((nID == ID_EDIT_UNDO || nID == ID_EDIT_REDO) && nCode == CN_COMMAND && !pHandlerInfo) {
        // The control's own commands: the history runs them, then the saved text decides the flag.
        if (!m_undo.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return FALSE;
        AfterUndoRedo();
        return TRUE;
    }
    if (m_undo.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CRichEditCtrl::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- Change tracking ----

void CHHEditCtrl::OnProtected(NMHDR* pNMHDR, LRESULT* pResult) {
    const ENPROTECTED& p = *reinterpret_cast<ENPROTECTED*>(pNMHDR);
    *pResult = 0;
    if (p.msg == EM_SETCHARFORMAT || p.msg == WM_COPY) return;
    if (!m_bInternalChange && !m_bBusy && (m_bReadOnly || IsProtectedChange(&p))) {
        // Refused: the rich edit beeps for it.
        *pResult = 1;
        return;
    }
    if (!m_bInternalChange) {
        const int start = p.chrg.cpMin, end = p.chrg.cpMax;
        classifyChange(p);
        if (m_nEditKind != hh::kEditMove) {
            m_nEditStart = start;
            m_nEditEnd = end;
        }
        m_nLinesBefore = GetLineCount();
        if (!m_bSuppressTracking && !m_bBusy && m_nEditKind != hh::kEditMove) trackSnapshot(start, end);
        m_bChangeAnnounced = !(p.msg == WM_CUT && keyDown(VK_LBUTTON));
    }
    // After any snapshot: the snapshot holds the text before this change.
    noteChange(p.chrg.cpMin, p.chrg.cpMax);
}

// The kind of a change from the message causing it. The rich edit announces exact ranges, so no
// range needs mending for its line breaks.
void CHHEditCtrl::classifyChange(const ENPROTECTED& p) {
    switch (p.msg) {
    case WM_SETTEXT:
    case WM_PASTE:
        if (m_nEditKind == hh::kEditCut) {
            m_dragCut = {m_nEditStart, m_nEditEnd};
            m_nEditKind = hh::kEditMove;
        } else {
            m_nEditKind = hh::kEditPaste;
        }
        break;
    case EM_REPLACESEL:
        m_nEditKind = hh::kEditReplace;
        break;
    case WM_KEYDOWN:
        m_nEditKind = (p.wParam == VK_BACK || p.wParam == VK_DELETE) ? hh::kEditDelete : hh::kEditOther;
        break;
    case WM_CHAR:
        m_nEditKind = hh::kEditTyped;
        if (p.wParam == '\t' || p.wParam == '\r' || p.wParam == ' ') m_nLastSnapshotKind = 0;
        break;
    case WM_CUT:
        m_nEditKind = hh::kEditCut;
        break;
    default:
        m_nEditKind = hh::kEditOther;
    }
}

void CHHEditCtrl::trackSnapshot(int start, int end) {
    if (!hh::ContinuesSnapshot(m_nLastSnapshotKind, m_nLastSnapshotStart, m_nLastSnapshotEnd, m_nEditKind,
                               start, end, m_nLastTypedLength))
        SaveUndoState(start, end, m_nEditKind);
    m_nLastSnapshotKind = m_nEditKind;
    m_nLastSnapshotStart = start;
    m_nLastSnapshotEnd = end;
}

void CHHEditCtrl::OnChange() {
    if (m_bInternalChange) return;
    CHARRANGE sel{};
    GetSel(sel);
    if (!m_lineEnds.empty())
        keepLineEnds(std::min(
            {m_nEditStart, sel.cpMin, m_nEditKind == hh::kEditMove ? m_dragCut.start : m_nEditStart}));
    if (m_nEditKind == hh::kEditMove && sel.cpMin == sel.cpMax) m_nEditKind = hh::kEditPaste;
    if (m_nEditKind == hh::kEditMove && keyDown(VK_CONTROL)) m_nEditKind = hh::kEditDropCopy;
    switch (m_nEditKind) {
    case hh::kEditDelete:
    case hh::kEditCut:
        UpdateDelimiters(TRUE, m_nEditStart, m_nEditEnd);
        ResolveBlockComments(TRUE);
        ColorizeLines(sel.cpMin, sel.cpMax, FALSE);
        reportChange(TRUE, m_nEditStart, m_nEditEnd);
        break;
    case hh::kEditMove:
        changeMoved(sel.cpMin, sel.cpMax);
        break;
    case hh::kEditDropCopy:
        UpdateDelimiters(FALSE, sel.cpMin, sel.cpMax);
        ResolveBlockComments(TRUE);
        ColorizeLines(sel.cpMin, sel.cpMax, FALSE);
        reportChange(FALSE, sel.cpMin, sel.cpMax);
        break;
    case hh::kEditTyped:
        m_nLastTypedLength = sel.cpMax - m_nEditStart;
        changeTyped(sel.cpMax);
        break;
    case hh::kEditReplace:
    case hh::kEditPaste:
        changeTyped(sel.cpMax);
        break;
    default:
        // A change not followed: the classes shown are not known any more.
        m_shown.Clear();
        break;
    }
    m_nEditKind = hh::kEditOther;
    m_bChangeAnnounced = FALSE;
}

// Mixed line ends: breaks the change removed go, breaks it added take CR LF.
void CHHEditCtrl::keepLineEnds(int changeStart) {
    const int line = static_cast<int>(LineFromChar(std::max(0, changeStart)));
    const int delta = GetLineCount() - m_nLinesBefore;
    const auto at =
        m_lineEnds.begin() + std::min<std::ptrdiff_t>(line, static_cast<std::ptrdiff_t>(m_lineEnds.size()));
    if (delta > 0) m_lineEnds.insert(at, static_cast<std::size_t>(delta), 'c');
    if (delta < 0) m_lineEnds.erase(at, at + std::min<std::ptrdiff_t>(-delta, m_lineEnds.end() - at));
}

void CHHEditCtrl::changeTyped(int selEnd) {
    // The markers move for the deletion, then for the insertion; the changed lines are scanned
    // once the text is final (a scan between would find markers the insertion then moves on).
    // A character typed over another in overwrite mode arrives as the range it replaces.
    const BOOL paste = m_nEditKind == hh::kEditPaste;
    shiftForChange(TRUE, m_nEditStart, m_nEditEnd);
    shiftForChange(FALSE, m_nEditStart, selEnd);
    rescanLines(m_nEditStart, selEnd);
    ResolveBlockComments(TRUE);
    ColorizeLines(m_nEditStart, selEnd, paste);
    m_linesRead.from = -1;
    keepBuffersSmall();
    if (m_replaced.empty()) {
        reportReplacement(m_nEditStart, m_nEditEnd - m_nEditStart, selEnd - m_nEditStart);
        return;
    }
    // Replace All changed one span: each match is reported where it now lies, in order.
    for (const Replaced& piece : m_replaced)
        reportReplacement(piece.start, piece.removed, piece.inserted);
}

// A replacement is reported as the change of length it makes at its start; one as long as what
// it replaced moves nothing and still makes the text modified.
void CHHEditCtrl::reportReplacement(int start, int removed, int inserted) {
    if (inserted < removed)
        reportChange(TRUE, start, start + removed - inserted);
    else
        reportChange(FALSE, start, start + inserted - removed);
    if (inserted == removed && removed > 0 && !m_bBusy) noteModified();
}

void CHHEditCtrl::reportChange(BOOL deleted, int start, int end) {
    if (!m_bBusy && start != end)
        if (auto* step = dynamic_cast<CHHEditUndoAction*>(m_undo.GetCurrentAction()))
            step->AddChange(deleted, start, end);
    OnTextChanged(deleted, start, end);
}

// A drag move: the cut comes out first, in the positions it had, then the drop goes in, in the
// positions it has now; this holds whichever side of the cut the drop point lies.
void CHHEditCtrl::changeMoved(int selStart, int selEnd) {
    const DragCut cut = m_dragCut;
    shiftForChange(TRUE, cut.start, cut.end);
    shiftForChange(FALSE, selStart, selEnd);
    // Where the cut was, in the positions the text has now.
    const int cutAt =
        std::min<int>(cut.start < selStart ? cut.start : cut.start + (selEnd - selStart), GetTextLength());
    rescanLines(selStart, selEnd);
    rescanLines(cutAt, cutAt);
    ResolveBlockComments(TRUE);
    ColorizeLines(selStart, selEnd, FALSE);
    ColorizeLines(cutAt, cutAt, FALSE);
    reportChange(TRUE, cut.start, cut.end);
    reportChange(FALSE, selStart, selEnd);
}

void CHHEditCtrl::OnTextChanged(BOOL, int start, int end) {
    if (m_bBusy || start == end) return;
    noteModified();
}

void CHHEditCtrl::noteModified() {
    m_bModified = TRUE;
    SetDocumentModified(TRUE);
}

void CHHEditCtrl::SetDocumentModified(BOOL modified) {
    for (CWnd* wnd = GetParent(); wnd; wnd = wnd->GetParent()) {
        if (!wnd->IsKindOf(RUNTIME_CLASS(CView))) continue;
        CDocument* doc = static_cast<CView*>(wnd)->GetDocument();
        if (doc) doc->SetModifiedFlag(modified);
        return;
    }
}

// ---- Selection ----

void CHHEditCtrl::OnSelChange(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if (m_bInternalChange) return;
    const CHARRANGE sel = reinterpret_cast<SELCHANGE*>(pNMHDR)->chrg;
    if (m_nPendingCaseEnd > m_nPendingCaseStart &&
        !(sel.cpMin == sel.cpMax && sel.cpMin >= m_nPendingCaseStart && sel.cpMin <= m_nPendingCaseEnd)) {
        const int start = m_nPendingCaseStart, end = m_nPendingCaseEnd;
        m_nPendingCaseStart = m_nPendingCaseEnd = 0;
        m_nPendingCaseBits = 0;
        ColorizeLines(start, end, FALSE);
    }
    noteCaret(sel);
}

void CHHEditCtrl::noteCaret(const CHARRANGE& sel) {
    if (!m_bBusy && !m_bSuppressTracking && sel.cpMin == sel.cpMax) {
        const int line = static_cast<int>(LineFromChar(sel.cpMin));
        if (line != m_nLastCaretLine) {
            m_nLastCaretLine = line;
            OnCaretLineChanged(line, sel.cpMin);
        }
    }
    updateCaretColumn(sel);
    m_nPrevSelStart = sel.cpMin;
    m_nPrevSelEnd = sel.cpMax;
}

std::string CHHEditCtrl::lineText(int line) {
    const int start = LineIndex(line);
    if (start < 0) return std::string();
    const int length = LineLength(start);
    CHARRANGE r{start, start + length};
    const CString text = GetTextRange(r);
    return std::string(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()));
}

void CHHEditCtrl::updateCaretColumn(const CHARRANGE& sel) {
    const int pos = (sel.cpMin != sel.cpMax && sel.cpMin == m_nPrevSelStart) ? sel.cpMax : sel.cpMin;
    const int line = static_cast<int>(LineFromChar(pos));
    const int lineStart = LineIndex(line);
    const hh::ColumnCounts counts = columnCountsTo(lineStart, pos);
    m_columnMark = ColumnMark{pos, lineStart, counts};
    const int column = counts.Column(m_nTabSize);
    if (column + 1 == m_nCaretColumn && line + 1 == m_nCaretLine) return;
    m_nCaretColumn = column + 1;
    m_nCaretLine = line + 1;
    UpdateStatusCaretPos();
}

// A caret moving along a long line is counted from where it was, not from the line's start.
hh::ColumnCounts CHHEditCtrl::columnCountsTo(int lineStart, int pos) {
    const ColumnMark& mark = m_columnMark;
    if (mark.pos < 0 || mark.lineStart != lineStart || std::abs(pos - mark.pos) >= pos - lineStart)
        return countColumns(lineStart, pos);
    const int sign = pos >= mark.pos ? 1 : -1;
    const hh::ColumnCounts between = countColumns(std::min(pos, mark.pos), std::max(pos, mark.pos));
    return hh::ColumnCounts{mark.counts.characters + sign * between.characters,
                            mark.counts.tabs + sign * between.tabs};
}

hh::ColumnCounts CHHEditCtrl::countColumns(int from, int to) {
    if (to <= from) return hh::ColumnCounts{};
    const CString text = GetTextRange(CHARRANGE{from, to});
    return hh::CountColumns(std::string_view(text, static_cast<std::size_t>(text.GetLength())));
}

CString CHHEditCtrl::GetCaretPosText() const {
    if (::GetFocus() != m_hWnd) return CString();
    CString format;
    format.LoadString(IDS_HHEDIT_LINE_COL);
    CString text;
    text.Format(format, m_nCaretLine, m_nCaretColumn);
    return text;
}

// The main frame's status bar shows the caret position in its pane m_nStatusPaneId, when it has
// one; without the focus the pane is empty.
void CHHEditCtrl::UpdateStatusCaretPos() {
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (!frame) return;
    auto* bar = dynamic_cast<CStatusBar*>(frame->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
    if (!bar) return;
    const int pane = bar->CommandToIndex(m_nStatusPaneId);
    if (pane >= 0) bar->SetPaneText(pane, GetCaretPosText(), TRUE);
}

// ---- Focus, keys, menus ----

UINT CHHEditCtrl::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

BOOL CHHEditCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CHHEditCtrl::OnKillFocus(CWnd*) {
    Default();
    m_nEditKind = 0;
    m_nEditStart = m_nEditEnd = 0;
    UpdateStatusCaretPos();
}

void CHHEditCtrl::OnSetFocus(CWnd*) {
    Default();
    UpdateStatusCaretPos();
    CFrameWnd* frame = GetParentFrame();
    if (frame) frame->ActivateFrame(-1);
}

BOOL CHHEditCtrl::TranslateAccel(MSG* pMsg) {
    return m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg);
}

BOOL CHHEditCtrl::PreTranslateMessage(MSG* pMsg) {
    if (TranslateAccel(pMsg)) return TRUE;
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_BACK && keyDown(VK_MENU)) {
        PostMessage(WM_COMMAND, keyDown(VK_SHIFT) ? ID_EDIT_REDO : ID_EDIT_UNDO);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && keyDown(VK_CONTROL)) {
        UINT command = 0;
        switch (pMsg->wParam) {
        case 'V':
            command = ID_EDIT_PASTE;
            break;
        case 'X':
            command = ID_EDIT_CUT;
            break;
        case 'Y':
            command = ID_EDIT_REDO;
            break;
        case 'Z':
            command = ID_EDIT_UNDO;
            break;
        default:
            break;
        }
        if (command) {
            PostMessage(WM_COMMAND, command);
            return TRUE;
        }
    }
    return CRichEditCtrl::PreTranslateMessage(pMsg);
}

void CHHEditCtrl::OnLineCommand(UINT nID) {
    switch (nID) {
    case ID_HHEDIT_INDENT:
        IndentSelection();
        break;
    case ID_HHEDIT_OUTDENT:
        OutdentSelection();
        break;
    case ID_HHEDIT_COMMENT:
        CommentSelection();
        break;
    default:
        UncommentSelection();
        break;
    }
}

void CHHEditCtrl::OnUpdateLineCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(HasSelection());
}

void CHHEditCtrl::OnOptions() {
    if (!DoOptionsDialog()) return;
    SaveSettings(nullptr);
    ApplySettingsToAll();
}

void CHHEditCtrl::OnUpdateOptions(CCmdUI* pCmdUI) {
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(0);
}

void CHHEditCtrl::OnEditFind() {
    DoFindDialog();
}
void CHHEditCtrl::OnEditRepeat() {
    FindNextMatch();
}
void CHHEditCtrl::OnEditReplace() {
    DoReplaceDialog();
}
void CHHEditCtrl::OnUpdateEditFind(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetTextLength() > 0);
}
void CHHEditCtrl::OnUpdateEditReplace(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetTextLength() > 0 && !s_strFindText.IsEmpty());
}

void CHHEditCtrl::OnEditCut() {
    SendMessage(WM_CUT);
}
void CHHEditCtrl::OnEditCopy() {
    SendMessage(WM_COPY);
}
void CHHEditCtrl::OnEditPaste() {
    SendMessage(WM_PASTE);
}
void CHHEditCtrl::OnUpdateEditCutCopy(CCmdUI* pCmdUI) {
    pCmdUI->Enable(HasSelection());
}
void CHHEditCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bReadOnly && ::IsClipboardFormatAvailable(CF_TEXT));
}

LRESULT CHHEditCtrl::OnSetText(WPARAM, LPARAM lParam) {
    SetText(reinterpret_cast<LPCSTR>(lParam));
    return 0;
}
