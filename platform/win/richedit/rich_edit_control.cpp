#include "platform/win/richedit/rich_edit_control.h"

#include "platform/win/richedit/rich_edit_view.h"
#include "platform/win/richedit/rtf_reader.h"
#include "platform/win/shell/text_drop.h"
#include "platform/win/utf8.h"
#include "platform/win/winbase.h"
#include "platform/win/wingdi.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace pm::richedit {

namespace {

constexpr LONG kLimitForZero = 65535;

// The line breaks of a text met in order, from a position on, found a stretch of text at a time.
class BreakCursor {
public:
    BreakCursor(const RichTextModel& model, int from) : m_model(model), m_scanned(from) {}
    // The first break at or after pos, which is at least the last pos asked for; INT_MAX when
    // none follows.
    int nextFrom(int pos) {
        while (peek() < pos)
            ++m_next;
        return peek();
    }
    // The breaks before pos from the last pos asked for, or from the start.
    int countTo(int pos) {
        int n = 0;
        for (; peek() < pos; ++n)
            ++m_next;
        return n;
    }

private:
    static constexpr int kStretch = 1 << 16;

    int peek() {
        while (m_next == m_breaks.size()) {
            if (m_scanned >= m_model.length()) return std::numeric_limits<int>::max();
            scanStretch();
        }
        return m_breaks[m_next];
    }
    void scanStretch() {
        m_breaks.clear();
        m_next = 0;
        const int length = std::min(kStretch, m_model.length() - m_scanned);
        m_model.forEachPiece(m_scanned, length, [this](const char* bytes, int count, int pos) {
            for (const char* p = bytes;
                 (p = static_cast<const char*>(std::memchr(p, '\r', bytes + count - p))); ++p)
                m_breaks.push_back(pos + static_cast<int>(p - bytes));
            return true;
        });
        m_scanned += length;
    }

    const RichTextModel& m_model;
    int m_scanned; // where the breaks not yet found begin
    std::vector<int> m_breaks;
    std::size_t m_next = 0;
};

// Calls f(length, format) for each run the message gives, packed or not.
template <class F> void forEachRun(const CharFormatRuns& runs, F f) {
    if (runs.packed) {
        runs.packed->forEach(f);
        return;
    }
    for (std::size_t i = 0; i < runs.runCount; ++i)
        f(runs.runs[i].length, runs.runs[i].format);
}

// Hands each piece an EDITSTREAM callback offers to `take`, until the stream ends, fails (the
// error goes to dwError) or more than `cap` bytes came.
template <class Take> void readStream(EDITSTREAM* stream, std::size_t cap, Take&& take) {
    BYTE buffer[4096];
    for (std::size_t total = 0; total < cap + 1;) {
        LONG got = 0;
        DWORD error = stream->pfnCallback(stream->dwCookie, buffer, sizeof buffer, &got);
        if (error != 0) {
            stream->dwError = error;
            return;
        }
        if (got <= 0) return;
        std::size_t n = static_cast<std::size_t>(std::min<LONG>(got, sizeof buffer));
        take(std::string_view(reinterpret_cast<const char*>(buffer), n));
        total += n;
    }
}

std::string readStream(EDITSTREAM* stream, std::size_t cap) {
    std::string data;
    readStream(stream, cap, [&data](std::string_view piece) { data.append(piece); });
    return data;
}

// Text and runs of a whole-text RTF load, built apart from the model and cut at the text limit
// (bytes past it are counted, not kept; a UTF-8 sequence the cut would split goes whole).
class LoadOutput : public RtfOutput {
public:
    explicit LoadOutput(std::size_t limit) : m_limit(limit) {}

    void append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) override {
        std::size_t n = bytes.size();
        std::size_t kept = m_total >= m_limit ? 0 : std::min(n, m_limit - m_total);
        if (kept < n && !m_cut) {
            m_cut = true;
            m_firstCut = bytes[kept];
        }
        m_total += n;
        if (kept == n) {
            m_content.append(bytes, pieces, count);
            return;
        }
        // The pieces that reach into the cut end at it.
        std::vector<FormattedPiece> cut;
        for (std::size_t i = 0, at = 0; i < count && at < kept;
             at += static_cast<std::size_t>(pieces[i++].length))
            cut.push_back(FormattedPiece{
                static_cast<int>(std::min(kept - at, static_cast<std::size_t>(pieces[i].length))),
                pieces[i].format});
        m_content.append(bytes.substr(0, kept), cut.data(), cut.size());
    }

    void dropLast() override {
        --m_total;
        if (m_total < static_cast<std::size_t>(m_content.length())) m_content.dropLast();
    }

    FormattedText& content() {
        if (m_cut && m_total > static_cast<std::size_t>(m_content.length()) && isContinuation(m_firstCut)) {
            while (m_content.length() > 0 && isContinuation(m_content.byteAt(m_content.length() - 1)))
                m_content.dropLast();
            if (m_content.length() > 0 &&
                (static_cast<unsigned char>(m_content.byteAt(m_content.length() - 1)) & 0xC0) == 0xC0)
                m_content.dropLast();
        }
        return m_content;
    }

private:
    static bool isContinuation(char c) { return utf8::isContinuation(static_cast<unsigned char>(c)); }

    std::size_t m_limit;
    std::size_t m_total = 0;
    bool m_cut = false;
    char m_firstCut = 0; // the first byte past the limit
    FormattedText m_content;
};

} // namespace

RichEditControl::RichEditControl(HWND hwnd, bool legacy, DWORD style)
    : m_hwnd(hwnd), m_legacy(legacy), m_style(style), m_readOnly((style & ES_READONLY) != 0),
      m_view(new RichEditView(*this)) {
    m_para.cbSize = sizeof m_para;
    m_para.wAlignment = PFA_LEFT;
}

RichEditControl::~RichEditControl() {
    if (m_document) m_document->detach();
    delete m_view;
}

int RichEditControl::toModel(LONG cp) const {
    if (cp < 0) return m_model.length();
    return m_legacy ? m_model.compactFromLegacy(cp)
                    : m_model.validPosition(std::min<LONG>(cp, m_model.length()));
}

// ---- Notifications ----

LRESULT RichEditControl::notifyParent(NMHDR& header, UINT code) {
    header.hwndFrom = m_hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd));
    header.code = code;
    return SendMessage(GetParent(m_hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool RichEditControl::touchesProtected(int from, int to) const {
    if (from == to) return m_model.formats().get(m_model.formatForInsertion(from)).protect;
    for (int pos = from; pos < to;) {
        Run run = m_model.runs().runAt(pos);
        if (m_model.formats().get(run.format).protect) return true;
        pos = run.end;
    }
    return false;
}

bool RichEditControl::announceProtected(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to) {
    if (!(m_eventMask & ENM_PROTECTED) || !touchesProtected(from, to)) return true;
    ENPROTECTED info{};
    info.msg = cause;
    info.wParam = wParam;
    info.lParam = lParam;
    info.chrg = CHARRANGE{toClient(from), toClient(to)};
    if (notifyParent(info.nmhdr, EN_PROTECTED) == 0) return true;
    beep();
    return false;
}

void RichEditControl::notifyChange() {
    if (!(m_eventMask & ENM_CHANGE)) return;
    SendMessage(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hwnd), EN_CHANGE),
                reinterpret_cast<LPARAM>(m_hwnd));
}

void RichEditControl::notifySelChange() {
    if (m_lastNotifiedAnchor == m_model.anchor() && m_lastNotifiedCaret == m_model.caret()) return;
    m_lastNotifiedAnchor = m_model.anchor();
    m_lastNotifiedCaret = m_model.caret();
    if (!(m_eventMask & ENM_SELCHANGE)) return;
    SELCHANGE info{};
    info.chrg = CHARRANGE{toClient(m_model.selectionStart()), toClient(m_model.selectionEnd())};
    int len = m_model.selectionEnd() - m_model.selectionStart();
    info.seltyp = len == 0 ? SEL_EMPTY : len == 1 ? SEL_TEXT : SEL_TEXT | SEL_MULTICHAR;
    notifyParent(info.nmhdr, EN_SELCHANGE);
}

void RichEditControl::notifyChangeAndSelection() {
    const int anchor = m_lastNotifiedAnchor, caret = m_lastNotifiedCaret;
    notifyChange();
    // A handler of EN_CHANGE that moved the selection about and back has been told of the place
    // it put it back to, which the change itself moved it to: that move is still told.
    if (m_model.anchor() != anchor || m_model.caret() != caret)
        m_lastNotifiedAnchor = m_lastNotifiedCaret = -1;
    notifySelChange();
}

void RichEditControl::beep() {
    MessageBeep(0);
}

// ---- Changes ----

int RichEditControl::limitRoomFor(int from, int to) const {
    LONG removed = toClient(to) - toClient(from);
    return static_cast<int>(std::max<LONG>(0, m_limit - (clientLength() - removed)));
}

int RichEditControl::clientSize(std::string_view stored) const {
    return static_cast<int>(stored.size()) +
           (m_legacy ? static_cast<int>(std::count(stored.begin(), stored.end(), '\r')) : 0);
}

bool RichEditControl::replaceRange(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to,
                                   std::string_view text, FormatId format, bool canUndo,
                                   Placement placement) {
    from = m_model.validPosition(from);
    to = m_model.validPosition(std::max(from, to), true);
    std::string stored = normalizeLineBreaks(text);
    // The limit counts client positions: a break is two of them in the 1.0 control.
    int room = limitRoomFor(from, to);
    if (clientSize(stored) > room) {
        if (cause == WM_CHAR) {
            beep();
            return false;
        }
        std::size_t keep = 0;
        for (int used = 0; keep < stored.size(); ++keep) {
            used += (m_legacy && stored[keep] == '\r') ? 2 : 1;
            if (used > room) break;
        }
        // Never keep half of a UTF-8 sequence.
        while (keep > 0 && keep < stored.size() &&
               utf8::isContinuation(static_cast<unsigned char>(stored[keep])))
            --keep;
        stored.resize(keep);
    }
    if (stored.empty() && from == to) return false; // nothing fits and nothing goes
    if (!announceProtected(cause, wParam, lParam, from, to)) return false;
    applyChange(from, to, stored, format, canUndo, cause == WM_CHAR, placement);
    return true;
}

void RichEditControl::applyChange(int from, int to, std::string_view stored, FormatId format, bool canUndo,
                                  bool typing, Placement placement) {
    if (canUndo && !m_undo.suspended()) {
        UndoStep step;
        step.pos = from;
        step.removed = m_model.text(from, to - from);
        step.removedRuns = runsOf(m_model, from, to - from);
        step.inserted = std::string(stored);
        step.insertedFormat = format;
        m_undo.record(std::move(step), typing);
    } else if (!canUndo) {
        m_undo.clear();
    }
    int inserted = m_model.replaceStored(from, to - from, stored, format);
    m_insertionFormat = -1;
    m_modified = true;
    int end = from + inserted;
    if (placement == Placement::Start)
        m_model.setSelection(0, 0);
    else
        m_model.setSelection(placement == Placement::SelectNew ? from : end, end);
    m_view->textChanged(from, to, from + inserted);
    notifyChangeAndSelection();
}

void RichEditControl::applyFormattedChange(int from, int to, const std::string& stored,
                                           const std::vector<FormattedPiece>& runs, int selStart,
                                           int selEnd) {
    if (!m_undo.suspended()) {
        UndoStep step;
        step.pos = from;
        step.removed = m_model.text(from, to - from);
        step.removedRuns = runsOf(m_model, from, to - from);
        step.inserted = stored;
        step.insertedRuns = runs;
        m_undo.record(std::move(step), false);
    }
    m_model.replaceStored(from, to - from, stored, m_model.formatForInsertion(from));
    setRuns(from, runs);
    m_insertionFormat = -1;
    m_modified = true;
    m_model.setSelection(selStart, selEnd);
    m_view->textChanged(from, to, from + static_cast<int>(stored.size()));
    notifyChangeAndSelection();
}

void RichEditControl::setRuns(int pos, const std::vector<FormattedPiece>& runs) {
    for (const FormattedPiece& p : runs) {
        m_model.setFormat(pos, p.length, p.format);
        pos += p.length;
    }
}

void RichEditControl::setSelection(int anchor, int caret) {
    int oldStart = m_model.selectionStart(), oldEnd = m_model.selectionEnd();
    m_model.setSelection(anchor, caret);
    if (oldStart != m_model.selectionStart() || oldEnd != m_model.selectionEnd()) m_insertionFormat = -1;
    m_view->selectionChanged(oldStart, oldEnd);
    notifySelChange();
}

void RichEditControl::moveSelection(int anchor, int caret) {
    setSelection(anchor, caret);
    m_view->scrollCaretIntoView();
}

// ---- User operations ----

void RichEditControl::typeChar(UINT ch, LPARAM lParam) {
    if (m_readOnly) {
        beep();
        return;
    }
    if (ch == '\b' || ch == 27 || (ch == '\t' && (GetKeyState(VK_CONTROL) & 0x8000))) return;
    if (ch < 32 && ch != '\r' && ch != '\t' && ch != '\n') return;
    if (ch == '\n') ch = '\r';
    // A character is typed as its UTF-8 bytes.
    char bytes[4];
    std::size_t n = utf8::encode(ch, bytes);
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    // Overwrite replaces the next character, never a line break.
    if (m_overwrite && from == to && to < m_model.length() && m_model.charAt(to) != '\r' && ch != '\r')
        to = m_model.nextCharPosition(to);
    FormatId format = m_insertionFormat >= 0 ? m_insertionFormat : m_model.formatForInsertion(from);
    if (replaceRange(WM_CHAR, ch, lParam, from, to, std::string_view(bytes, n), format, true))
        m_view->scrollCaretIntoView();
}

void RichEditControl::cut() {
    if (m_model.selectionStart() == m_model.selectionEnd()) return;
    copy();
    clear(WM_CUT);
}

void RichEditControl::copy() {
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    if (from == to) return;
    std::string text = m_model.textCrLf(from, to - from);
    if (!OpenClipboard(m_hwnd)) return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (mem) {
        char* p = static_cast<char*>(GlobalLock(mem));
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        SetClipboardData(CF_TEXT, mem);
    }
    CloseClipboard();
}

void RichEditControl::paste(UINT cause) {
    if (m_readOnly) {
        beep();
        return;
    }
    std::string text;
    if (!OpenClipboard(m_hwnd)) return;
    HANDLE mem = GetClipboardData(CF_TEXT);
    if (mem) {
        const char* p = static_cast<const char*>(GlobalLock(mem));
        if (p) text.assign(p, strnlen(p, GlobalSize(mem)));
        GlobalUnlock(mem);
    }
    CloseClipboard();
    if (text.empty()) return;
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    FormatId format = m_insertionFormat >= 0 ? m_insertionFormat : m_model.formatForInsertion(from);
    if (replaceRange(cause, 0, 0, from, to, text, format, true)) m_view->scrollCaretIntoView();
}

bool RichEditControl::takeDroppedText(int pos, std::string_view text) {
    std::string stored = normalizeLineBreaks(text);
    pos = m_model.validPosition(pos);
    if (stored.empty()) return false;
    if (clientSize(stored) > limitRoomFor(pos, pos)) {
        beep();
        return false;
    }
    if (!announceProtected(WM_PASTE, 0, 0, pos, pos)) return false;
    applyChange(pos, pos, stored, m_model.formatForInsertion(pos), true, false, Placement::SelectNew);
    return true;
}

void RichEditControl::clear(UINT cause) {
    if (m_readOnly) {
        beep();
        return;
    }
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    if (from == to) return;
    replaceRange(cause, 0, 0, from, to, {}, m_model.formatForInsertion(from), true);
}

int RichEditControl::wordStart(int pos) const {
    while (pos > 0 && m_model.charAt(pos - 1) == ' ')
        --pos;
    bool word = pos > 0 && isWordByte(static_cast<unsigned char>(m_model.charAt(pos - 1)));
    while (pos > 0 && m_model.charAt(pos - 1) != '\r' && m_model.charAt(pos - 1) != ' ' &&
           isWordByte(static_cast<unsigned char>(m_model.charAt(pos - 1))) == word)
        --pos;
    return pos;
}

int RichEditControl::wordEnd(int pos) const {
    int len = m_model.length();
    if (pos < len && m_model.charAt(pos) == '\r') return pos + 1;
    bool word = pos < len && isWordByte(static_cast<unsigned char>(m_model.charAt(pos)));
    while (pos < len && m_model.charAt(pos) != '\r' && m_model.charAt(pos) != ' ' &&
           isWordByte(static_cast<unsigned char>(m_model.charAt(pos))) == word)
        ++pos;
    while (pos < len && m_model.charAt(pos) == ' ')
        ++pos;
    return pos;
}

void RichEditControl::keyDown(UINT vk, LPARAM lParam) {
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    int anchor = m_model.anchor(), caret = m_model.caret();
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    auto go = [&](int target) { moveSelection(shift ? anchor : target, target); };
    switch (vk) {
    case VK_LEFT:
        if (!shift && from != to) return moveSelection(from, from);
        return go(ctrl ? wordStart(caret) : m_model.previousCharPosition(caret));
    case VK_RIGHT:
        if (!shift && from != to) return moveSelection(to, to);
        return go(ctrl ? wordEnd(caret) : m_model.nextCharPosition(caret));
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return go(m_view->verticalTarget(caret, vk));
    case VK_HOME:
        return go(ctrl ? 0 : m_model.lineStart(m_model.lineFromPosition(caret)));
    case VK_END:
        return go(ctrl ? m_model.length() : m_model.lineEnd(m_model.lineFromPosition(caret)));
    case VK_INSERT:
        if (shift) return paste(WM_PASTE);
        if (ctrl) return copy();
        m_overwrite = !m_overwrite;
        return;
    case VK_BACK:
    case VK_DELETE: {
        if (m_readOnly) return beep();
        if (vk == VK_DELETE && shift && from != to) {
            copy();
            return clear(WM_CUT);
        }
        if (from == to) {
            if (vk == VK_BACK)
                from = ctrl ? wordStart(from) : m_model.previousCharPosition(from);
            else
                to = ctrl ? wordEnd(to) : m_model.nextCharPosition(to);
        }
        if (from == to) return;
        replaceRange(WM_KEYDOWN, vk, lParam, from, to, {}, m_model.formatForInsertion(from), true);
        m_view->scrollCaretIntoView();
        return;
    }
    default:
        break;
    }
    if (!ctrl) return;
    switch (vk) {
    case 'A':
        return moveSelection(0, m_model.length());
    case 'C':
        return copy();
    case 'X':
        if (m_readOnly) return beep();
        return cut();
    case 'V':
        return paste(WM_PASTE);
    case 'Z':
        undo();
        return;
    case 'Y':
        redo();
        return;
    default:
        return;
    }
}

// ---- Text messages ----

std::string RichEditControl::clientText(int from, int to, bool crLf) const {
    return crLf ? m_model.textCrLf(from, to - from) : m_model.text(from, to - from);
}

LRESULT RichEditControl::setText(LPCSTR text) {
    std::string_view s = text ? std::string_view(text) : std::string_view();
    if (!replaceRange(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), 0, m_model.length(), s,
                      m_model.defaultFormat(), false, Placement::Start))
        return FALSE;
    m_modified = false;
    m_view->scrollTo(0, 0);
    return TRUE;
}

LRESULT RichEditControl::getText(WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0) return 0;
    // Straight into the caller's buffer: the text may be large.
    std::size_t n = m_model.copyText(0, m_model.length(), true, buffer, size - 1);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::getTextRange(TEXTRANGEA* range) {
    if (!range || !range->lpstrText) return 0;
    int from = toModel(range->chrg.cpMin);
    int to = toModel(range->chrg.cpMax);
    if (range->chrg.cpMin < 0) return 0;
    if (to < from) std::swap(from, to);
    // Written straight into the caller's buffer, which has room for the range: a long range is
    // not copied twice.
    const std::size_t n = m_model.copyText(from, to - from, m_legacy, range->lpstrText, SIZE_MAX);
    range->lpstrText[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::getSelText(LPSTR buffer) {
    if (!buffer) return 0;
    const int from = m_model.selectionStart();
    const std::size_t n = m_model.copyText(from, m_model.selectionEnd() - from, m_legacy, buffer, SIZE_MAX);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::getTextLengthEx(const GETTEXTLENGTHEX* info) {
    bool crLf = info && (info->flags & GTL_USECRLF);
    return crLf || m_legacy ? m_model.legacyLength() : m_model.length();
}

// ---- Selection messages ----

LRESULT RichEditControl::getSel(WPARAM wParam, LPARAM lParam) {
    LONG start = toClient(m_model.selectionStart()), end = toClient(m_model.selectionEnd());
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return MAKELRESULT(start, end);
}

// A selection set from outside is scrolled into view unless EM_HIDESELECTION hides it for now
// (as callers do who select text only to read or format it).
LRESULT RichEditControl::setSel(LONG start, LONG end) {
    if (start == -1) {
        setSelection(m_model.caret(), m_model.caret());
    } else if (start == 0 && end == -1) {
        setSelection(0, m_model.length());
    } else {
        setSelection(toModel(start), toModel(end));
    }
    if (!m_view->selectionHidden()) m_view->scrollCaretIntoView();
    return toClient(m_model.selectionEnd());
}

LRESULT RichEditControl::exSetSel(const CHARRANGE* range) {
    if (!range) return 0;
    return setSel(range->cpMin, range->cpMax);
}

LRESULT RichEditControl::replaceSel(WPARAM canUndo, LPCSTR text) {
    int from = m_model.selectionStart(), to = m_model.selectionEnd();
    FormatId format = m_insertionFormat >= 0 ? m_insertionFormat : m_model.formatForInsertion(from);
    replaceRange(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text), from, to, text ? text : "", format,
                 canUndo != 0);
    return 0;
}

// ---- Lines ----

LRESULT RichEditControl::lineIndex(WPARAM line) {
    int l = static_cast<int>(static_cast<LONG>(line));
    if (l < 0) l = m_model.lineFromPosition(m_model.caret());
    if (l >= m_model.lineCount()) return -1;
    return toClient(m_model.lineStart(l));
}

LRESULT RichEditControl::lineLength(WPARAM pos) {
    LONG cp = static_cast<LONG>(pos);
    if (cp < 0) {
        int from = m_model.selectionStart(), to = m_model.selectionEnd();
        int first = m_model.lineFromPosition(from), last = m_model.lineFromPosition(to);
        return (from - m_model.lineStart(first)) + (m_model.lineEnd(last) - to);
    }
    int line = m_model.lineFromPosition(toModel(cp));
    return m_model.lineLength(line);
}

LRESULT RichEditControl::lineFromChar(LPARAM pos) {
    LONG cp = static_cast<LONG>(pos);
    if (cp < 0) return m_model.lineFromPosition(m_model.selectionStart());
    // Line breaks are single bytes, so a position inside a UTF-8 sequence lies on the line of the
    // sequence's start: the line needs no move to a character boundary.
    return m_model.lineFromPosition(m_legacy ? m_model.compactFromLegacy(cp) : cp);
}

LRESULT RichEditControl::getLine(WPARAM line, LPSTR buffer) {
    if (!buffer) return 0;
    int l = static_cast<int>(line);
    if (l < 0 || l >= m_model.lineCount()) return 0;
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    int start = m_model.lineStart(l), end = m_model.lineEnd(l);
    if (end < m_model.length()) ++end; // with its break
    std::string text = clientText(start, end, m_legacy);
    std::size_t n = std::min<std::size_t>(text.size(), size);
    std::memcpy(buffer, text.data(), n);
    return static_cast<LRESULT>(n);
}

// ---- Find ----

LRESULT RichEditControl::findText(WPARAM flags, FINDTEXTEXA* find, bool extended) {
    if (!find || !find->lpstrText) return -1;
    int from = toModel(std::max<LONG>(0, find->chrg.cpMin));
    int to = find->chrg.cpMax < 0 ? m_model.length() : toModel(find->chrg.cpMax);
    if (to < from) std::swap(from, to);
    FindOptions options{(flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
    int hit = m_model.find(from, to, find->lpstrText, options);
    if (hit < 0) return -1;
    if (extended) {
        int end = hit + static_cast<int>(normalizeLineBreaks(find->lpstrText).size());
        find->chrgText = CHARRANGE{toClient(hit), toClient(end)};
    }
    return toClient(hit);
}

LRESULT RichEditControl::findAllText(WPARAM flags, const FindAllText* find) {
    if (!find || !find->lpstrText || !find->found) return 0;
    int from = toModel(std::max<LONG>(0, find->chrg.cpMin));
    int to = find->chrg.cpMax < 0 ? m_model.length() : toModel(find->chrg.cpMax);
    if (to < from) std::swap(from, to);
    const FindOptions options{(flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
    const int length = static_cast<int>(normalizeLineBreaks(find->lpstrText).size());
    const std::vector<int> hits = m_model.findAll(from, to, find->lpstrText, options);
    find->found->clear();
    find->found->reserve(hits.size());
    for (int hit : hits)
        find->found->push_back(CHARRANGE{toClient(hit), toClient(hit + length)});
    return static_cast<LRESULT>(hits.size());
}

// ---- Formats ----

FormatId RichEditControl::applyCharFormat(FormatId base, const CHARFORMATA& cf) {
    RunFormat f = m_model.formats().get(base);
    DWORD m = cf.dwMask, e = cf.dwEffects;
    if (m & CFM_BOLD) f.bold = (e & CFE_BOLD) != 0;
    if (m & CFM_ITALIC) f.italic = (e & CFE_ITALIC) != 0;
    if (m & CFM_UNDERLINE) f.underline = (e & CFE_UNDERLINE) != 0;
    if (m & CFM_STRIKEOUT) f.strikeOut = (e & CFE_STRIKEOUT) != 0;
    if (m & CFM_PROTECTED) f.protect = (e & CFE_PROTECTED) != 0;
    if (m & CFM_LINK) f.link = (e & CFE_LINK) != 0;
    if (m & CFM_COLOR) {
        f.autoColor = (e & CFE_AUTOCOLOR) != 0;
        f.color = cf.crTextColor;
    }
    if (m & CFM_SIZE) f.heightTwips = cf.yHeight;
    if (m & CFM_OFFSET) f.offsetTwips = cf.yOffset;
    if (m & CFM_CHARSET) f.charSet = cf.bCharSet;
    if (m & CFM_FACE) {
        f.face.assign(cf.szFaceName, strnlen(cf.szFaceName, LF_FACESIZE));
        f.pitchAndFamily = cf.bPitchAndFamily;
    }
    return m_model.formats().intern(f);
}

void RichEditControl::fillCharFormat(const RunFormat& f, CHARFORMATA& cf) const {
    cf.dwEffects = (f.bold ? CFE_BOLD : 0) | (f.italic ? CFE_ITALIC : 0) | (f.underline ? CFE_UNDERLINE : 0) |
                   (f.strikeOut ? CFE_STRIKEOUT : 0) | (f.protect ? CFE_PROTECTED : 0) |
                   (f.link ? CFE_LINK : 0) | (f.autoColor ? CFE_AUTOCOLOR : 0);
    cf.yHeight = f.heightTwips;
    cf.yOffset = f.offsetTwips;
    cf.crTextColor = f.autoColor ? GetSysColor(COLOR_WINDOWTEXT) : f.color;
    cf.bCharSet = f.charSet;
    cf.bPitchAndFamily = f.pitchAndFamily;
    std::memset(cf.szFaceName, 0, sizeof cf.szFaceName);
    std::memcpy(cf.szFaceName, f.face.data(), std::min<std::size_t>(f.face.size(), LF_FACESIZE - 1));
}

LRESULT RichEditControl::setCharFormat(WPARAM scope, const CHARFORMATA* cf) {
    if (!cf) return 0;
    if (scope == SCF_DEFAULT) {
        FormatId id = applyCharFormat(m_model.defaultFormat(), *cf);
        m_model.setDefaultFormat(id);
        m_view->formatsChanged(0, m_model.length());
        return 1;
    }
    int from = 0, to = m_model.length();
    if (scope & SCF_SELECTION) {
        from = m_model.selectionStart();
        to = m_model.selectionEnd();
        if (scope & SCF_WORD && from == to) {
            from = wordStart(from);
            to = wordEnd(to);
        }
    }
    if (from == to && !(scope & SCF_ALL)) {
        // An empty selection keeps the format for what is typed next.
        m_insertionFormat = applyCharFormat(
            m_insertionFormat >= 0 ? m_insertionFormat : m_model.formatForInsertion(from), *cf);
        return 1;
    }
    if (!announceProtected(EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(cf), from, to)) return 0;
    formatRange(from, to, *cf);
    if (m_model.length() == 0) m_model.setDefaultFormat(applyCharFormat(m_model.defaultFormat(), *cf));
    return 1;
}

LRESULT RichEditControl::setFormatRuns(const CharFormatRuns* runs) {
    if (!runs || runs->cpMin < 0 || (runs->runCount > 0 && (!runs->runs || !runs->formats))) return 0;
    const int from = toModel(runs->cpMin);
    std::vector<FormattedPiece> pieces = modelPieces(from, *runs);
    int to = from;
    for (const FormattedPiece& p : pieces)
        to += p.length;
    if (to == from) return 1;
    if (!announceProtected(EM_SETCHARFORMAT, 0, 0, from, to)) return 0;
    const std::vector<FormattedPiece> formatted = formatPieces(from, pieces, *runs);
    // The pieces' memory serves the restyling.
    std::vector<FormattedPiece>().swap(pieces);
    const std::pair<int, int> changed = m_model.restyle(from, formatted);
    if (changed.first < changed.second) m_view->formatsChanged(changed.first, changed.second);
    return 1;
}

std::vector<FormattedPiece> RichEditControl::formatPieces(int from, const std::vector<FormattedPiece>& pieces,
                                                          const CharFormatRuns& runs) {
    // Each run under a piece keeps what the piece's format leaves alone, as EM_SETCHARFORMAT has
    // it; a run format and a piece format make the same format each time they meet, looked up by
    // the pair (the runs' formats are those the table holds now).
    const std::size_t pieceFormats = static_cast<std::size_t>(runs.formatCount);
    std::vector<FormatId> made(static_cast<std::size_t>(m_model.formats().size()) * pieceFormats, -1);
    std::vector<FormattedPiece> formatted;
    formatted.reserve(pieces.size());
    const FormatRuns& have = m_model.runs();
    int index = have.runIndexAt(from);
    Run run = have.run(index);
    int at = from;
    for (const FormattedPiece& p : pieces) {
        for (const int end = at + p.length; at < end;) {
            while (run.end <= at)
                run = have.run(++index);
            const int stop = std::min(end, run.end);
            FormatId& found = made[static_cast<std::size_t>(run.format) * pieceFormats +
                                   static_cast<std::size_t>(p.format)];
            if (found < 0) found = applyCharFormat(run.format, runs.formats[p.format]);
            if (!formatted.empty() && formatted.back().format == found)
                formatted.back().length += stop - at;
            else
                formatted.push_back(FormattedPiece{stop - at, found});
            at = stop;
        }
    }
    return formatted;
}

// In the 1.0 control each break a run holds adds a position.
LRESULT RichEditControl::getFormatRuns(const GetCharFormatRuns* get) const {
    if (!get || !get->formats || (!get->runs && !get->packed)) return 0;
    int from = toModel(std::max<LONG>(0, get->chrg.cpMin));
    int to = get->chrg.cpMax < 0 ? m_model.length() : toModel(get->chrg.cpMax);
    if (to < from) std::swap(from, to);
    get->formats->clear();
    if (get->runs) get->runs->clear();
    if (get->packed) get->packed->clear();
    if (from == to) return 0;
    const FormatRuns& have = m_model.runs();
    const std::size_t count = static_cast<std::size_t>(have.runIndexAt(to - 1) - have.runIndexAt(from) + 1);
    if (get->packed)
        get->packed->reserve(count);
    else
        get->runs->reserve(count);
    std::vector<int> indexOf; // by format id: its index in formats, or -1
    BreakCursor breaks(m_model, from);
    std::size_t made = 0;
    have.forEach(from, [&](const Run& run) {
        const std::size_t id = static_cast<std::size_t>(run.format);
        if (id >= indexOf.size()) indexOf.resize(id + 1, -1);
        if (indexOf[id] < 0) {
            indexOf[id] = static_cast<int>(get->formats->size());
            CHARFORMATA cf{};
            cf.cbSize = sizeof cf;
            cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK |
                        CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
            fillCharFormat(m_model.formats().get(run.format), cf);
            get->formats->push_back(cf);
        }
        const int end = std::min(run.end, to);
        const LONG length = end - std::max(run.start, from) + (m_legacy ? breaks.countTo(end) : 0);
        if (get->packed)
            get->packed->push_back(length, indexOf[id]);
        else
            get->runs->push_back(CharFormatRun{length, indexOf[id]});
        ++made;
        return run.end < to;
    });
    return static_cast<LRESULT>(made);
}

std::vector<FormattedPiece> RichEditControl::modelPieces(int from, const CharFormatRuns& runs) const {
    std::vector<FormattedPiece> pieces;
    pieces.reserve(runs.packed ? runs.packed->size() : runs.runCount);
    const int length = m_model.length();
    BreakCursor breaks(m_model, from);
    int at = from;    // the model position the runs taken reach
    int left = 0;     // client positions the runs taken have still to take (below 0: taken ahead)
    int start = from; // where the last run taken starts
    int format = -1;  // its format
    forEachRun(runs, [&](LONG runLength, int runFormat) {
        if (runFormat < 0 || runFormat >= runs.formatCount || (at >= length && left > 0)) return;
        left += std::max<LONG>(0, runLength);
        start = at;
        format = runFormat;
        while (left > 0 && at < length) {
            // In the 1.0 control a break takes two positions; one half taken is taken whole.
            const int brk = m_legacy ? breaks.nextFrom(at) : std::numeric_limits<int>::max();
            if (brk - at >= left) {
                const int step = std::min(left, length - at);
                at += step;
                left -= step;
            } else {
                left -= brk - at + 2;
                at = brk + 1;
            }
        }
        if (at > start) pieces.push_back(FormattedPiece{at - start, format});
    });
    return pieces;
}

void RichEditControl::formatRange(int from, int to, const CHARFORMATA& cf) {
    // Each run keeps what the mask leaves alone.
    std::vector<Run> changes;
    for (int pos = from; pos < to;) {
        Run run = m_model.runs().runAt(pos);
        int end = std::min(run.end, to);
        FormatId id = applyCharFormat(run.format, cf);
        if (id != run.format) changes.push_back(Run{pos, end, id});
        pos = end;
    }
    for (const Run& r : changes)
        m_model.setFormat(r.start, r.end - r.start, r.format);
    if (!changes.empty()) m_view->formatsChanged(changes.front().start, changes.back().end);
}

CHARFORMATA RichEditControl::formatOfRange(int from, int to) const {
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    FormatId firstId = from == to
                           ? (m_insertionFormat >= 0 ? m_insertionFormat : m_model.formatForInsertion(from))
                           : m_model.runs().formatAt(from);
    const RunFormat& first = m_model.formats().get(firstId);
    fillCharFormat(first, cf);
    DWORD mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK | CFM_SIZE |
                 CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    for (int pos = from; pos < to;) {
        Run run = m_model.runs().runAt(pos);
        const RunFormat& f = m_model.formats().get(run.format);
        if (f.bold != first.bold) mask &= ~CFM_BOLD;
        if (f.italic != first.italic) mask &= ~CFM_ITALIC;
        if (f.underline != first.underline) mask &= ~CFM_UNDERLINE;
        if (f.strikeOut != first.strikeOut) mask &= ~CFM_STRIKEOUT;
        if (f.protect != first.protect) mask &= ~CFM_PROTECTED;
        if (f.link != first.link) mask &= ~CFM_LINK;
        if (f.heightTwips != first.heightTwips) mask &= ~CFM_SIZE;
        if (f.color != first.color || f.autoColor != first.autoColor) mask &= ~CFM_COLOR;
        if (f.face != first.face) mask &= ~CFM_FACE;
        if (f.offsetTwips != first.offsetTwips) mask &= ~CFM_OFFSET;
        if (f.charSet != first.charSet) mask &= ~CFM_CHARSET;
        pos = run.end;
    }
    cf.dwMask = mask;
    return cf;
}

std::pair<int, int> RichEditControl::visibleRange() {
    return m_view->visibleRange();
}

LRESULT RichEditControl::getCharFormat(WPARAM scope, CHARFORMATA* cf) {
    if (!cf) return 0;
    UINT size = cf->cbSize;
    if (scope == SCF_DEFAULT) {
        fillCharFormat(m_model.formats().get(m_model.defaultFormat()), *cf);
        cf->dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK |
                     CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    } else {
        *cf = formatOfRange(m_model.selectionStart(), m_model.selectionEnd());
    }
    cf->cbSize = size;
    return cf->dwMask;
}

LRESULT RichEditControl::setParaFormat(const PARAFORMAT* pf) {
    if (!pf) return FALSE;
    if (pf->dwMask & PFM_TABSTOPS) {
        m_para.cTabCount = static_cast<SHORT>(std::clamp<int>(pf->cTabCount, 0, MAX_TAB_STOPS));
        std::copy_n(pf->rgxTabs, m_para.cTabCount, m_para.rgxTabs);
    }
    if (pf->dwMask & PFM_STARTINDENT) m_para.dxStartIndent = pf->dxStartIndent;
    if (pf->dwMask & PFM_OFFSETINDENT) m_para.dxStartIndent += pf->dxStartIndent;
    if (pf->dwMask & PFM_RIGHTINDENT) m_para.dxRightIndent = pf->dxRightIndent;
    if (pf->dwMask & PFM_OFFSET) m_para.dxOffset = pf->dxOffset;
    if (pf->dwMask & PFM_ALIGNMENT) m_para.wAlignment = pf->wAlignment;
    if (pf->dwMask & PFM_NUMBERING) m_para.wNumbering = pf->wNumbering;
    m_view->formatsChanged(0, m_model.length());
    return TRUE;
}

LRESULT RichEditControl::getParaFormat(PARAFORMAT* pf) {
    if (!pf) return 0;
    UINT size = pf->cbSize;
    *pf = m_para;
    pf->cbSize = size;
    pf->dwMask =
        PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS | PFM_NUMBERING;
    return pf->dwMask;
}

// ---- Streams ----

LRESULT RichEditControl::streamIn(WPARAM format, EDITSTREAM* stream) {
    if (!stream || !stream->pfnCallback) return 0;
    stream->dwError = 0;
    bool selection = (format & SFF_SELECTION) != 0;
    std::size_t cap = static_cast<std::size_t>(std::max<LONG>(m_limit, 0)) * 8 + 65536;
    if ((format & 0xFF) != SF_TEXT && !selection) return loadRtf(stream, cap);
    int from = selection ? m_model.selectionStart() : 0;
    int to = selection ? m_model.selectionEnd() : m_model.length();
    std::string data = readStream(stream, cap);
    if (stream->dwError != 0) return 0;
    if ((format & 0xFF) == SF_TEXT) {
        FormatId f = selection ? m_model.formatForInsertion(from) : m_model.defaultFormat();
        if (!replaceRange(selection ? EM_REPLACESEL : WM_SETTEXT, 0, 0, from, to, data, f, false,
                          selection ? Placement::After : Placement::Start))
            return 0;
        return static_cast<LRESULT>(toClient(m_model.length()));
    }
    RtfDocument doc;
    RtfError error =
        readRtf(data, m_model.formats().get(m_model.defaultFormat()), m_model.formats(), false, doc);
    if (error != RtfError::None) {
        stream->dwError = static_cast<DWORD>(-static_cast<int>(error));
        return 0;
    }
    if (sameText(from, to, doc.text)) return restyleSelection(from, to, doc.pieces);
    int before = m_model.length();
    if (!replaceRange(EM_REPLACESEL, 0, 0, from, to, doc.text, m_model.formatForInsertion(from), false))
        return 0;
    int pos = from;
    for (const FormattedPiece& p : doc.pieces) {
        m_model.setFormat(pos, p.length, p.format);
        pos += p.length;
    }
    m_view->formatsChanged(from, pos);
    return toClient(m_model.length()) - toClient(before) + (toClient(to) - toClient(from));
}

bool RichEditControl::sameText(int from, int to, std::string_view stored) const {
    if (static_cast<int>(stored.size()) != to - from || from == to) return false;
    bool same = true;
    m_model.forEachPiece(from, to - from, [&](const char* bytes, int count, int at) {
        same = std::memcmp(bytes, stored.data() + (at - from), static_cast<std::size_t>(count)) == 0;
        return same;
    });
    return same;
}

// The selection replaced by the very text it holds, in other formats (text coloured again): the
// same change and notifications as a replacement, but only the runs whose format differs change.
LRESULT RichEditControl::restyleSelection(int from, int to, const std::vector<FormattedPiece>& pieces) {
    if (!announceProtected(EM_REPLACESEL, 0, 0, from, to)) return 0;
    m_undo.clear();
    std::pair<int, int> changed = m_model.restyle(from, pieces);
    m_insertionFormat = -1;
    m_modified = true;
    int oldStart = m_model.selectionStart(), oldEnd = m_model.selectionEnd();
    m_model.setSelection(to, to);
    if (changed.first < changed.second) m_view->formatsChanged(changed.first, changed.second);
    m_view->selectionChanged(oldStart, oldEnd);
    notifyChangeAndSelection();
    return toClient(to) - toClient(from);
}

// A whole-text RTF load is read piece by piece straight into new text and runs, which replace
// the model's in one step.
LRESULT RichEditControl::loadRtf(EDITSTREAM* stream, std::size_t cap) {
    LoadOutput output(static_cast<std::size_t>(m_limit));
    RtfReader reader(m_model.formats().get(m_model.defaultFormat()), m_model.formats(), output);
    RtfError error = RtfError::None;
    readStream(stream, cap, [&](std::string_view piece) {
        if (error == RtfError::None) error = reader.feed(piece);
    });
    if (stream->dwError != 0) return 0;
    if (error == RtfError::None) error = reader.finish(true);
    if (error != RtfError::None) {
        stream->dwError = static_cast<DWORD>(-static_cast<int>(error));
        return 0;
    }
    if (!announceProtected(WM_SETTEXT, 0, 0, 0, m_model.length())) return 0;
    m_undo.clear();
    int before = m_model.length();
    m_model.setFormattedText(std::move(output.content()));
    m_modified = false;
    m_insertionFormat = -1;
    m_view->textChanged(0, before, m_model.length());
    notifyChangeAndSelection();
    return toClient(m_model.length());
}

LRESULT RichEditControl::streamOut(WPARAM format, EDITSTREAM* stream) {
    if (!stream || !stream->pfnCallback) return 0;
    stream->dwError = 0;
    bool selection = (format & SFF_SELECTION) != 0;
    int from = selection ? m_model.selectionStart() : 0;
    int to = selection ? m_model.selectionEnd() : m_model.length();
    std::string text = m_model.textCrLf(from, to - from);
    std::size_t done = 0;
    while (done < text.size()) {
        LONG chunk = static_cast<LONG>(std::min<std::size_t>(text.size() - done, 4096));
        LONG written = 0;
        DWORD error = stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(text.data() + done),
                                          chunk, &written);
        if (error != 0) {
            stream->dwError = error;
            break;
        }
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    return static_cast<LRESULT>(done);
}

// ---- Settings ----

LRESULT RichEditControl::limitText(LPARAM limit) {
    m_limit = limit <= 0 ? kLimitForZero : static_cast<LONG>(std::min<LPARAM>(limit, 0x7FFFFFFE));
    return 0;
}

LRESULT RichEditControl::setOptions(WPARAM op, LPARAM options) {
    DWORD v = static_cast<DWORD>(options);
    switch (op) {
    case ECOOP_SET:
        m_options = v;
        break;
    case ECOOP_OR:
        m_options |= v;
        break;
    case ECOOP_AND:
        m_options &= v;
        break;
    case ECOOP_XOR:
        m_options ^= v;
        break;
    default:
        break;
    }
    m_readOnly = (m_options & ECO_READONLY) != 0;
    return m_options;
}

LRESULT RichEditControl::undo() {
    if (!m_undo.canUndo() || m_readOnly) return FALSE;
    UndoStep s = m_undo.takeUndo();
    int insertedLen = static_cast<int>(s.inserted.size());
    int removedLen = static_cast<int>(s.removed.size());
    m_model.replaceStored(s.pos, insertedLen, s.removed, m_model.defaultFormat());
    setRuns(s.pos, s.removedRuns);
    m_model.setSelection(s.pos, s.pos + removedLen);
    m_view->textChanged(s.pos, s.pos + insertedLen, s.pos + removedLen);
    m_view->repaint(); // the selection moved too
    m_undo.pushRedo(std::move(s));
    m_modified = true;
    notifyChangeAndSelection();
    return TRUE;
}

LRESULT RichEditControl::redo() {
    if (!m_undo.canRedo() || m_readOnly) return FALSE;
    UndoStep s = m_undo.takeRedo();
    int removedLen = static_cast<int>(s.removed.size());
    m_model.replaceStored(s.pos, removedLen, s.inserted, s.insertedFormat);
    setRuns(s.pos, s.insertedRuns);
    int end = s.pos + static_cast<int>(s.inserted.size());
    m_model.setSelection(end, end);
    m_view->textChanged(s.pos, s.pos + removedLen, end);
    m_view->repaint(); // the selection moved too
    m_undo.pushUndo(std::move(s));
    m_modified = true;
    notifyChangeAndSelection();
    return TRUE;
}

// ---- Dispatch ----

bool RichEditControl::filterInput(UINT& msg, WPARAM& wParam, LPARAM& lParam) {
    bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
    bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
    if (!(key && (m_eventMask & ENM_KEYEVENTS)) && !(mouse && (m_eventMask & ENM_MOUSEEVENTS))) return false;
    MSGFILTER filter{};
    filter.msg = msg;
    filter.wParam = wParam;
    filter.lParam = lParam;
    if (notifyParent(filter.nmhdr, EN_MSGFILTER) != 0) return true;
    // The parent may have changed the message.
    msg = filter.msg;
    wParam = filter.wParam;
    lParam = filter.lParam;
    return false;
}

bool RichEditControl::notifyLink(UINT msg, WPARAM wParam, LPARAM lParam, int pos) {
    if (!(m_eventMask & ENM_LINK) || pos < 0 || pos >= m_model.length()) return false;
    Run run = m_model.runs().runAt(pos);
    if (!m_model.formats().get(run.format).link) return false;
    ENLINK link{};
    link.msg = msg;
    link.wParam = wParam;
    link.lParam = lParam;
    link.chrg = CHARRANGE{toClient(run.start), toClient(run.end)};
    return notifyParent(link.nmhdr, EN_LINK) != 0;
}

LRESULT RichEditControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Keys and mouse messages lie in one range: other messages skip the filter at once.
    if (msg >= WM_KEYFIRST && msg <= WM_MOUSELAST && filterInput(msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (create->lpszName && *create->lpszName)
            handle(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(create->lpszName));
        return 0;
    }
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (m_style & ES_MULTILINE) code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_CHAR:
        typeChar(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_KEYDOWN:
        keyDown(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_SETTEXT:
        return setText(reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return getText(wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return m_model.legacyLength();
    case WM_CUT:
        if (m_readOnly) {
            beep();
            return 0;
        }
        cut();
        return 0;
    case WM_COPY:
        copy();
        return 0;
    case WM_PASTE:
        paste(WM_PASTE);
        return 0;
    case WM_CLEAR:
        clear(WM_CLEAR);
        return 0;
    case EM_GETSEL:
        return getSel(wParam, lParam);
    case EM_SETSEL:
        return setSel(static_cast<LONG>(wParam), static_cast<LONG>(lParam));
    case EM_EXGETSEL: {
        auto* r = reinterpret_cast<CHARRANGE*>(lParam);
        if (r) *r = CHARRANGE{toClient(m_model.selectionStart()), toClient(m_model.selectionEnd())};
        return 0;
    }
    case EM_EXSETSEL:
        return exSetSel(reinterpret_cast<const CHARRANGE*>(lParam));
    case EM_REPLACESEL:
        return replaceSel(wParam, reinterpret_cast<LPCSTR>(lParam));
    case EM_GETSELTEXT:
        return getSelText(reinterpret_cast<LPSTR>(lParam));
    case EM_GETTEXTRANGE:
        return getTextRange(reinterpret_cast<TEXTRANGEA*>(lParam));
    case EM_GETTEXTLENGTHEX:
        return getTextLengthEx(reinterpret_cast<const GETTEXTLENGTHEX*>(wParam));
    case EM_LINEINDEX:
        return lineIndex(wParam);
    case EM_LINELENGTH:
        return lineLength(wParam);
    case EM_LINEFROMCHAR:
        return lineFromChar(static_cast<LPARAM>(static_cast<LONG>(wParam)));
    case EM_EXLINEFROMCHAR:
        return lineFromChar(lParam);
    case EM_GETLINE:
        return getLine(wParam, reinterpret_cast<LPSTR>(lParam));
    case EM_GETLINECOUNT:
        return m_model.lineCount();
    case EM_FINDTEXT:
        return findText(wParam, reinterpret_cast<FINDTEXTEXA*>(lParam), false);
    case EM_FINDTEXTEX:
        return findText(wParam, reinterpret_cast<FINDTEXTEXA*>(lParam), true);
    case EM_SETCHARFORMAT:
        return setCharFormat(wParam, reinterpret_cast<const CHARFORMATA*>(lParam));
    case EM_GETCHARFORMAT:
        return getCharFormat(wParam, reinterpret_cast<CHARFORMATA*>(lParam));
    case EM_SETPARAFORMAT:
        return setParaFormat(reinterpret_cast<const PARAFORMAT*>(lParam));
    case EM_GETPARAFORMAT:
        return getParaFormat(reinterpret_cast<PARAFORMAT*>(lParam));
    case EM_STREAMIN:
        return streamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_STREAMOUT:
        return streamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_SETEVENTMASK: {
        DWORD old = m_eventMask;
        m_eventMask = static_cast<DWORD>(lParam);
        return old;
    }
    case EM_GETEVENTMASK:
        return m_eventMask;
    case EM_GETOLEINTERFACE: {
        if (!lParam) return 0;
        if (!m_document) m_document.attach(new TextDocument(this));
        m_document->AddRef();
        *reinterpret_cast<IRichEditOle**>(lParam) = static_cast<IRichEditOle*>(m_document.get());
        return 1;
    }
    case EM_EXLIMITTEXT:
        return limitText(lParam);
    case EM_LIMITTEXT:
        return limitText(static_cast<LPARAM>(wParam));
    case EM_GETLIMITTEXT:
        return m_limit;
    case EM_SETREADONLY:
        m_readOnly = wParam != 0;
        m_options = m_readOnly ? (m_options | ECO_READONLY) : (m_options & ~static_cast<DWORD>(ECO_READONLY));
        return TRUE;
    case EM_SETOPTIONS:
        return setOptions(wParam, lParam);
    case EM_GETOPTIONS:
        return m_options;
    case EM_GETMODIFY:
        return m_modified;
    case EM_SETMODIFY:
        m_modified = wParam != 0;
        return 0;
    case EM_CANPASTE:
        return IsClipboardFormatAvailable(CF_TEXT) && !m_readOnly;
    case EM_CANUNDO:
        return m_undo.canUndo();
    case EM_CANREDO:
        return m_undo.canRedo();
    case EM_UNDO:
    case WM_UNDO:
        return undo();
    case EM_REDO:
        return redo();
    case EM_EMPTYUNDOBUFFER:
        m_undo.clear();
        return 0;
    case EM_STOPGROUPTYPING:
        m_undo.stopGrouping();
        return 0;
    case EM_SETUNDOLIMIT:
        m_undo.setLimit(static_cast<std::size_t>(wParam));
        return static_cast<LRESULT>(wParam);
    case EM_SETBKGNDCOLOR: {
        COLORREF old = m_systemBackground ? GetSysColor(COLOR_WINDOW) : m_background;
        m_systemBackground = wParam != 0;
        m_background = static_cast<COLORREF>(lParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return old;
    }
    default:
        break;
    }
    if (msg == charFormatRunsMessage()) return setFormatRuns(reinterpret_cast<const CharFormatRuns*>(lParam));
    if (msg == getCharFormatRunsMessage())
        return getFormatRuns(reinterpret_cast<const GetCharFormatRuns*>(lParam));
    if (msg == findAllTextMessage()) return findAllText(wParam, reinterpret_cast<const FindAllText*>(lParam));
    if (msg == textDropMessage()) {
        const auto* drop = reinterpret_cast<const TextDrop*>(lParam);
        return drop ? m_view->takeDrop(drop->point, drop->text, drop->query) : 0;
    }
    return m_view->handle(msg, wParam, lParam);
}

} // namespace pm::richedit
