#include "platform/win/richedit/rich_edit_control.h"

#include "platform/win/richedit/rich_edit_view.h"
#include "platform/win/richedit/rtf_reader.h"
#include "platform/win/shell/text_drop.h"
#include "platform/win/utf8.h"
#include "platform/win/winbase.h"
#include "platform/win/wingdi.h"

#include <algorithm>
#include <cstring>

namespace pm::richedit {

namespace {

constexpr LONG kLimitForZero = 65535;

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
    explicit LoadOutput(std::size_t limit) : limit_(limit) {}

    void append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) override {
        std::size_t n = bytes.size();
        std::size_t kept = total_ >= limit_ ? 0 : std::min(n, limit_ - total_);
        if (kept < n && !cut_) {
            cut_ = true;
            firstCut_ = bytes[kept];
        }
        total_ += n;
        if (kept == n) {
            content_.append(bytes, pieces, count);
            return;
        }
        // The pieces that reach into the cut end at it.
        std::vector<FormattedPiece> cut;
        for (std::size_t i = 0, at = 0; i < count && at < kept; at += static_cast<std::size_t>(pieces[i++].length))
            cut.push_back(FormattedPiece{static_cast<int>(std::min(kept - at, static_cast<std::size_t>(pieces[i].length))),
                                         pieces[i].format});
        content_.append(bytes.substr(0, kept), cut.data(), cut.size());
    }

    void dropLast() override {
        --total_;
        if (total_ < static_cast<std::size_t>(content_.length())) content_.dropLast();
    }

    FormattedText& content() {
        if (cut_ && total_ > static_cast<std::size_t>(content_.length()) && isContinuation(firstCut_)) {
            while (content_.length() > 0 && isContinuation(content_.byteAt(content_.length() - 1)))
                content_.dropLast();
            if (content_.length() > 0 &&
                (static_cast<unsigned char>(content_.byteAt(content_.length() - 1)) & 0xC0) == 0xC0)
                content_.dropLast();
        }
        return content_;
    }

private:
    static bool isContinuation(char c) { return utf8::isContinuation(static_cast<unsigned char>(c)); }

    std::size_t limit_;
    std::size_t total_ = 0;
    bool cut_ = false;
    char firstCut_ = 0; // the first byte past the limit
    FormattedText content_;
};

} // namespace

RichEditControl::RichEditControl(HWND hwnd, bool legacy, DWORD style)
    : hwnd_(hwnd), legacy_(legacy), style_(style), readOnly_((style & ES_READONLY) != 0),
      view_(new RichEditView(*this)) {
    para_.cbSize = sizeof para_;
    para_.wAlignment = PFA_LEFT;
}

RichEditControl::~RichEditControl() {
    if (document_) document_->detach();
    delete view_;
}

int RichEditControl::toModel(LONG cp) const {
    if (cp < 0) return model_.length();
    return legacy_ ? model_.compactFromLegacy(cp) : model_.validPosition(std::min<LONG>(cp, model_.length()));
}

// ---- Notifications ----

LRESULT RichEditControl::notifyParent(NMHDR& header, UINT code) {
    header.hwndFrom = hwnd_;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    header.code = code;
    return SendMessage(GetParent(hwnd_), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool RichEditControl::touchesProtected(int from, int to) const {
    if (from == to) return model_.formats().get(model_.formatForInsertion(from)).protect;
    for (int pos = from; pos < to;) {
        Run run = model_.runs().runAt(pos);
        if (model_.formats().get(run.format).protect) return true;
        pos = run.end;
    }
    return false;
}

bool RichEditControl::announceProtected(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to) {
    if (!(eventMask_ & ENM_PROTECTED) || !touchesProtected(from, to)) return true;
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
    if (!(eventMask_ & ENM_CHANGE)) return;
    SendMessage(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), EN_CHANGE),
                reinterpret_cast<LPARAM>(hwnd_));
}

void RichEditControl::notifySelChange() {
    if (lastNotifiedAnchor_ == model_.anchor() && lastNotifiedCaret_ == model_.caret()) return;
    lastNotifiedAnchor_ = model_.anchor();
    lastNotifiedCaret_ = model_.caret();
    if (!(eventMask_ & ENM_SELCHANGE)) return;
    SELCHANGE info{};
    info.chrg = CHARRANGE{toClient(model_.selectionStart()), toClient(model_.selectionEnd())};
    int len = model_.selectionEnd() - model_.selectionStart();
    info.seltyp = len == 0 ? SEL_EMPTY : len == 1 ? SEL_TEXT : SEL_TEXT | SEL_MULTICHAR;
    notifyParent(info.nmhdr, EN_SELCHANGE);
}

void RichEditControl::notifyChangeAndSelection() {
    const int anchor = lastNotifiedAnchor_, caret = lastNotifiedCaret_;
    notifyChange();
    // A handler of EN_CHANGE that moved the selection about and back has been told of the place
    // it put it back to, which the change itself moved it to: that move is still told.
    if (model_.anchor() != anchor || model_.caret() != caret) lastNotifiedAnchor_ = lastNotifiedCaret_ = -1;
    notifySelChange();
}

void RichEditControl::beep() {
    MessageBeep(0);
}

// ---- Changes ----

int RichEditControl::limitRoomFor(int from, int to) const {
    LONG removed = toClient(to) - toClient(from);
    return static_cast<int>(std::max<LONG>(0, limit_ - (clientLength() - removed)));
}

int RichEditControl::clientSize(std::string_view stored) const {
    return static_cast<int>(stored.size()) +
           (legacy_ ? static_cast<int>(std::count(stored.begin(), stored.end(), '\r')) : 0);
}

bool RichEditControl::replaceRange(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to,
                                   std::string_view text, FormatId format, bool canUndo,
                                   Placement placement) {
    from = model_.validPosition(from);
    to = model_.validPosition(std::max(from, to), true);
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
            used += (legacy_ && stored[keep] == '\r') ? 2 : 1;
            if (used > room) break;
        }
        // Never keep half of a UTF-8 sequence.
        while (keep > 0 && keep < stored.size() && utf8::isContinuation(static_cast<unsigned char>(stored[keep])))
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
    if (canUndo && !undo_.suspended()) {
        UndoStep step;
        step.pos = from;
        step.removed = model_.text(from, to - from);
        step.removedRuns = runsOf(model_, from, to - from);
        step.inserted = std::string(stored);
        step.insertedFormat = format;
        undo_.record(std::move(step), typing);
    } else if (!canUndo) {
        undo_.clear();
    }
    int inserted = model_.replaceStored(from, to - from, stored, format);
    insertionFormat_ = -1;
    modified_ = true;
    int end = from + inserted;
    if (placement == Placement::Start)
        model_.setSelection(0, 0);
    else
        model_.setSelection(placement == Placement::SelectNew ? from : end, end);
    view_->textChanged(from, to, from + inserted);
    notifyChangeAndSelection();
}

void RichEditControl::applyFormattedChange(int from, int to, const std::string& stored,
                                           const std::vector<FormattedPiece>& runs, int selStart,
                                           int selEnd) {
    if (!undo_.suspended()) {
        UndoStep step;
        step.pos = from;
        step.removed = model_.text(from, to - from);
        step.removedRuns = runsOf(model_, from, to - from);
        step.inserted = stored;
        step.insertedRuns = runs;
        undo_.record(std::move(step), false);
    }
    model_.replaceStored(from, to - from, stored, model_.formatForInsertion(from));
    setRuns(from, runs);
    insertionFormat_ = -1;
    modified_ = true;
    model_.setSelection(selStart, selEnd);
    view_->textChanged(from, to, from + static_cast<int>(stored.size()));
    notifyChangeAndSelection();
}

void RichEditControl::setRuns(int pos, const std::vector<FormattedPiece>& runs) {
    for (const FormattedPiece& p : runs) {
        model_.setFormat(pos, p.length, p.format);
        pos += p.length;
    }
}

void RichEditControl::setSelection(int anchor, int caret) {
    int oldStart = model_.selectionStart(), oldEnd = model_.selectionEnd();
    model_.setSelection(anchor, caret);
    if (oldStart != model_.selectionStart() || oldEnd != model_.selectionEnd()) insertionFormat_ = -1;
    view_->selectionChanged(oldStart, oldEnd);
    notifySelChange();
}

void RichEditControl::moveSelection(int anchor, int caret) {
    setSelection(anchor, caret);
    view_->scrollCaretIntoView();
}

// ---- User operations ----

void RichEditControl::typeChar(UINT ch, LPARAM lParam) {
    if (readOnly_) {
        beep();
        return;
    }
    if (ch == '\b' || ch == 27 || (ch == '\t' && (GetKeyState(VK_CONTROL) & 0x8000))) return;
    if (ch < 32 && ch != '\r' && ch != '\t' && ch != '\n') return;
    if (ch == '\n') ch = '\r';
    // A character is typed as its UTF-8 bytes.
    char bytes[4];
    std::size_t n = utf8::encode(ch, bytes);
    int from = model_.selectionStart(), to = model_.selectionEnd();
    // Overwrite replaces the next character, never a line break.
    if (overwrite_ && from == to && to < model_.length() && model_.charAt(to) != '\r' && ch != '\r')
        to = model_.nextCharPosition(to);
    FormatId format = insertionFormat_ >= 0 ? insertionFormat_ : model_.formatForInsertion(from);
    if (replaceRange(WM_CHAR, ch, lParam, from, to, std::string_view(bytes, n),
                     format, true))
        view_->scrollCaretIntoView();
}

void RichEditControl::cut() {
    if (model_.selectionStart() == model_.selectionEnd()) return;
    copy();
    clear(WM_CUT);
}

void RichEditControl::copy() {
    int from = model_.selectionStart(), to = model_.selectionEnd();
    if (from == to) return;
    std::string text = model_.textCrLf(from, to - from);
    if (!OpenClipboard(hwnd_)) return;
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
    if (readOnly_) {
        beep();
        return;
    }
    std::string text;
    if (!OpenClipboard(hwnd_)) return;
    HANDLE mem = GetClipboardData(CF_TEXT);
    if (mem) {
        const char* p = static_cast<const char*>(GlobalLock(mem));
        if (p) text.assign(p, strnlen(p, GlobalSize(mem)));
        GlobalUnlock(mem);
    }
    CloseClipboard();
    if (text.empty()) return;
    int from = model_.selectionStart(), to = model_.selectionEnd();
    FormatId format = insertionFormat_ >= 0 ? insertionFormat_ : model_.formatForInsertion(from);
    if (replaceRange(cause, 0, 0, from, to, text, format, true)) view_->scrollCaretIntoView();
}

bool RichEditControl::takeDroppedText(int pos, std::string_view text) {
    std::string stored = normalizeLineBreaks(text);
    pos = model_.validPosition(pos);
    if (stored.empty()) return false;
    if (clientSize(stored) > limitRoomFor(pos, pos)) {
        beep();
        return false;
    }
    if (!announceProtected(WM_PASTE, 0, 0, pos, pos)) return false;
    applyChange(pos, pos, stored, model_.formatForInsertion(pos), true, false, Placement::SelectNew);
    return true;
}

void RichEditControl::clear(UINT cause) {
    if (readOnly_) {
        beep();
        return;
    }
    int from = model_.selectionStart(), to = model_.selectionEnd();
    if (from == to) return;
    replaceRange(cause, 0, 0, from, to, {}, model_.formatForInsertion(from), true);
}

int RichEditControl::wordStart(int pos) const {
    while (pos > 0 && model_.charAt(pos - 1) == ' ')
        --pos;
    bool word = pos > 0 && isWordByte(static_cast<unsigned char>(model_.charAt(pos - 1)));
    while (pos > 0 && model_.charAt(pos - 1) != '\r' && model_.charAt(pos - 1) != ' ' &&
           isWordByte(static_cast<unsigned char>(model_.charAt(pos - 1))) == word)
        --pos;
    return pos;
}

int RichEditControl::wordEnd(int pos) const {
    int len = model_.length();
    if (pos < len && model_.charAt(pos) == '\r') return pos + 1;
    bool word = pos < len && isWordByte(static_cast<unsigned char>(model_.charAt(pos)));
    while (pos < len && model_.charAt(pos) != '\r' && model_.charAt(pos) != ' ' &&
           isWordByte(static_cast<unsigned char>(model_.charAt(pos))) == word)
        ++pos;
    while (pos < len && model_.charAt(pos) == ' ')
        ++pos;
    return pos;
}

void RichEditControl::keyDown(UINT vk, LPARAM lParam) {
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    int anchor = model_.anchor(), caret = model_.caret();
    int from = model_.selectionStart(), to = model_.selectionEnd();
    auto go = [&](int target) { moveSelection(shift ? anchor : target, target); };
    switch (vk) {
    case VK_LEFT:
        if (!shift && from != to) return moveSelection(from, from);
        return go(ctrl ? wordStart(caret) : model_.previousCharPosition(caret));
    case VK_RIGHT:
        if (!shift && from != to) return moveSelection(to, to);
        return go(ctrl ? wordEnd(caret) : model_.nextCharPosition(caret));
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return go(view_->verticalTarget(caret, vk));
    case VK_HOME:
        return go(ctrl ? 0 : model_.lineStart(model_.lineFromPosition(caret)));
    case VK_END:
        return go(ctrl ? model_.length() : model_.lineEnd(model_.lineFromPosition(caret)));
    case VK_INSERT:
        if (shift) return paste(WM_PASTE);
        if (ctrl) return copy();
        overwrite_ = !overwrite_;
        return;
    case VK_BACK:
    case VK_DELETE: {
        if (readOnly_) return beep();
        if (vk == VK_DELETE && shift && from != to) {
            copy();
            return clear(WM_CUT);
        }
        if (from == to) {
            if (vk == VK_BACK)
                from = ctrl ? wordStart(from) : model_.previousCharPosition(from);
            else
                to = ctrl ? wordEnd(to) : model_.nextCharPosition(to);
        }
        if (from == to) return;
        replaceRange(WM_KEYDOWN, vk, lParam, from, to, {}, model_.formatForInsertion(from), true);
        view_->scrollCaretIntoView();
        return;
    }
    default:
        break;
    }
    if (!ctrl) return;
    switch (vk) {
    case 'A':
        return moveSelection(0, model_.length());
    case 'C':
        return copy();
    case 'X':
        if (readOnly_) return beep();
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
    return crLf ? model_.textCrLf(from, to - from) : model_.text(from, to - from);
}

LRESULT RichEditControl::setText(LPCSTR text) {
    std::string_view s = text ? std::string_view(text) : std::string_view();
    if (!replaceRange(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), 0, model_.length(), s,
                      model_.defaultFormat(), false, Placement::Start))
        return FALSE;
    modified_ = false;
    view_->scrollTo(0, 0);
    return TRUE;
}

LRESULT RichEditControl::getText(WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0) return 0;
    std::string text = model_.textCrLf(0, model_.length());
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::getTextRange(TEXTRANGEA* range) {
    if (!range || !range->lpstrText) return 0;
    int from = toModel(range->chrg.cpMin);
    int to = toModel(range->chrg.cpMax);
    if (range->chrg.cpMin < 0) return 0;
    if (to < from) std::swap(from, to);
    std::string text = clientText(from, to, legacy_);
    std::memcpy(range->lpstrText, text.data(), text.size());
    range->lpstrText[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT RichEditControl::getSelText(LPSTR buffer) {
    if (!buffer) return 0;
    std::string text = clientText(model_.selectionStart(), model_.selectionEnd(), legacy_);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT RichEditControl::getTextLengthEx(const GETTEXTLENGTHEX* info) {
    bool crLf = info && (info->flags & GTL_USECRLF);
    return crLf || legacy_ ? model_.legacyLength() : model_.length();
}

// ---- Selection messages ----

LRESULT RichEditControl::getSel(WPARAM wParam, LPARAM lParam) {
    LONG start = toClient(model_.selectionStart()), end = toClient(model_.selectionEnd());
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return MAKELRESULT(start, end);
}

LRESULT RichEditControl::setSel(LONG start, LONG end) {
    if (start == -1) {
        setSelection(model_.caret(), model_.caret());
    } else if (start == 0 && end == -1) {
        setSelection(0, model_.length());
    } else {
        setSelection(toModel(start), toModel(end));
    }
    return toClient(model_.selectionEnd());
}

LRESULT RichEditControl::exSetSel(const CHARRANGE* range) {
    if (!range) return 0;
    return setSel(range->cpMin, range->cpMax);
}

LRESULT RichEditControl::replaceSel(WPARAM canUndo, LPCSTR text) {
    int from = model_.selectionStart(), to = model_.selectionEnd();
    FormatId format = insertionFormat_ >= 0 ? insertionFormat_ : model_.formatForInsertion(from);
    replaceRange(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text), from, to, text ? text : "", format,
                 canUndo != 0);
    return 0;
}

// ---- Lines ----

LRESULT RichEditControl::lineIndex(WPARAM line) {
    int l = static_cast<int>(static_cast<LONG>(line));
    if (l < 0) l = model_.lineFromPosition(model_.caret());
    if (l >= model_.lineCount()) return -1;
    return toClient(model_.lineStart(l));
}

LRESULT RichEditControl::lineLength(WPARAM pos) {
    LONG cp = static_cast<LONG>(pos);
    if (cp < 0) {
        int from = model_.selectionStart(), to = model_.selectionEnd();
        int first = model_.lineFromPosition(from), last = model_.lineFromPosition(to);
        return (from - model_.lineStart(first)) + (model_.lineEnd(last) - to);
    }
    int line = model_.lineFromPosition(toModel(cp));
    return model_.lineLength(line);
}

LRESULT RichEditControl::lineFromChar(LPARAM pos) {
    LONG cp = static_cast<LONG>(pos);
    if (cp < 0) return model_.lineFromPosition(model_.selectionStart());
    return model_.lineFromPosition(toModel(cp));
}

LRESULT RichEditControl::getLine(WPARAM line, LPSTR buffer) {
    if (!buffer) return 0;
    int l = static_cast<int>(line);
    if (l < 0 || l >= model_.lineCount()) return 0;
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    int start = model_.lineStart(l), end = model_.lineEnd(l);
    if (end < model_.length()) ++end; // with its break
    std::string text = clientText(start, end, legacy_);
    std::size_t n = std::min<std::size_t>(text.size(), size);
    std::memcpy(buffer, text.data(), n);
    return static_cast<LRESULT>(n);
}

// ---- Find ----

LRESULT RichEditControl::findText(WPARAM flags, FINDTEXTEXA* find, bool extended) {
    if (!find || !find->lpstrText) return -1;
    int from = toModel(std::max<LONG>(0, find->chrg.cpMin));
    int to = find->chrg.cpMax < 0 ? model_.length() : toModel(find->chrg.cpMax);
    if (to < from) std::swap(from, to);
    FindOptions options{(flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
    int hit = model_.find(from, to, find->lpstrText, options);
    if (hit < 0) return -1;
    if (extended) {
        int end = hit + static_cast<int>(normalizeLineBreaks(find->lpstrText).size());
        find->chrgText = CHARRANGE{toClient(hit), toClient(end)};
    }
    return toClient(hit);
}

// ---- Formats ----

FormatId RichEditControl::applyCharFormat(FormatId base, const CHARFORMATA& cf) {
    RunFormat f = model_.formats().get(base);
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
    return model_.formats().intern(f);
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
        FormatId id = applyCharFormat(model_.defaultFormat(), *cf);
        model_.setDefaultFormat(id);
        view_->formatsChanged(0, model_.length());
        return 1;
    }
    int from = 0, to = model_.length();
    if (scope & SCF_SELECTION) {
        from = model_.selectionStart();
        to = model_.selectionEnd();
        if (scope & SCF_WORD && from == to) {
            from = wordStart(from);
            to = wordEnd(to);
        }
    }
    if (from == to && !(scope & SCF_ALL)) {
        // An empty selection keeps the format for what is typed next.
        insertionFormat_ =
            applyCharFormat(insertionFormat_ >= 0 ? insertionFormat_ : model_.formatForInsertion(from), *cf);
        return 1;
    }
    if (!announceProtected(EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(cf), from, to)) return 0;
    formatRange(from, to, *cf);
    if (model_.length() == 0) model_.setDefaultFormat(applyCharFormat(model_.defaultFormat(), *cf));
    return 1;
}

void RichEditControl::formatRange(int from, int to, const CHARFORMATA& cf) {
    // Each run keeps what the mask leaves alone.
    std::vector<Run> changes;
    for (int pos = from; pos < to;) {
        Run run = model_.runs().runAt(pos);
        int end = std::min(run.end, to);
        FormatId id = applyCharFormat(run.format, cf);
        if (id != run.format) changes.push_back(Run{pos, end, id});
        pos = end;
    }
    for (const Run& r : changes)
        model_.setFormat(r.start, r.end - r.start, r.format);
    if (!changes.empty()) view_->formatsChanged(changes.front().start, changes.back().end);
}

CHARFORMATA RichEditControl::formatOfRange(int from, int to) const {
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    FormatId firstId = from == to
                           ? (insertionFormat_ >= 0 ? insertionFormat_ : model_.formatForInsertion(from))
                           : model_.runs().formatAt(from);
    const RunFormat& first = model_.formats().get(firstId);
    fillCharFormat(first, cf);
    DWORD mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK | CFM_SIZE |
                 CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    for (int pos = from; pos < to;) {
        Run run = model_.runs().runAt(pos);
        const RunFormat& f = model_.formats().get(run.format);
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
    return view_->visibleRange();
}

LRESULT RichEditControl::getCharFormat(WPARAM scope, CHARFORMATA* cf) {
    if (!cf) return 0;
    UINT size = cf->cbSize;
    if (scope == SCF_DEFAULT) {
        fillCharFormat(model_.formats().get(model_.defaultFormat()), *cf);
        cf->dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK |
                     CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    } else {
        *cf = formatOfRange(model_.selectionStart(), model_.selectionEnd());
    }
    cf->cbSize = size;
    return cf->dwMask;
}

LRESULT RichEditControl::setParaFormat(const PARAFORMAT* pf) {
    if (!pf) return FALSE;
    if (pf->dwMask & PFM_TABSTOPS) {
        para_.cTabCount = static_cast<SHORT>(std::clamp<int>(pf->cTabCount, 0, MAX_TAB_STOPS));
        std::copy_n(pf->rgxTabs, para_.cTabCount, para_.rgxTabs);
    }
    if (pf->dwMask & PFM_STARTINDENT) para_.dxStartIndent = pf->dxStartIndent;
    if (pf->dwMask & PFM_OFFSETINDENT) para_.dxStartIndent += pf->dxStartIndent;
    if (pf->dwMask & PFM_RIGHTINDENT) para_.dxRightIndent = pf->dxRightIndent;
    if (pf->dwMask & PFM_OFFSET) para_.dxOffset = pf->dxOffset;
    if (pf->dwMask & PFM_ALIGNMENT) para_.wAlignment = pf->wAlignment;
    if (pf->dwMask & PFM_NUMBERING) para_.wNumbering = pf->wNumbering;
    view_->formatsChanged(0, model_.length());
    return TRUE;
}

LRESULT RichEditControl::getParaFormat(PARAFORMAT* pf) {
    if (!pf) return 0;
    UINT size = pf->cbSize;
    *pf = para_;
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
    std::size_t cap = static_cast<std::size_t>(std::max<LONG>(limit_, 0)) * 8 + 65536;
    if ((format & 0xFF) != SF_TEXT && !selection) return loadRtf(stream, cap);
    int from = selection ? model_.selectionStart() : 0;
    int to = selection ? model_.selectionEnd() : model_.length();
    std::string data = readStream(stream, cap);
    if (stream->dwError != 0) return 0;
    if ((format & 0xFF) == SF_TEXT) {
        FormatId f = selection ? model_.formatForInsertion(from) : model_.defaultFormat();
        if (!replaceRange(selection ? EM_REPLACESEL : WM_SETTEXT, 0, 0, from, to, data, f, false,
                          selection ? Placement::After : Placement::Start))
            return 0;
        return static_cast<LRESULT>(toClient(model_.length()));
    }
    RtfDocument doc;
    RtfError error =
        readRtf(data, model_.formats().get(model_.defaultFormat()), model_.formats(), false, doc);
    if (error != RtfError::None) {
        stream->dwError = static_cast<DWORD>(-static_cast<int>(error));
        return 0;
    }
    if (sameText(from, to, doc.text)) return restyleSelection(from, to, doc.pieces);
    int before = model_.length();
    if (!replaceRange(EM_REPLACESEL, 0, 0, from, to, doc.text, model_.formatForInsertion(from), false))
        return 0;
    int pos = from;
    for (const FormattedPiece& p : doc.pieces) {
        model_.setFormat(pos, p.length, p.format);
        pos += p.length;
    }
    view_->formatsChanged(from, pos);
    return toClient(model_.length()) - toClient(before) + (toClient(to) - toClient(from));
}

bool RichEditControl::sameText(int from, int to, std::string_view stored) const {
    if (static_cast<int>(stored.size()) != to - from || from == to) return false;
    bool same = true;
    model_.forEachPiece(from, to - from, [&](const char* bytes, int count, int at) {
        same = std::memcmp(bytes, stored.data() + (at - from), static_cast<std::size_t>(count)) == 0;
        return same;
    });
    return same;
}

// The selection replaced by the very text it holds, in other formats (text coloured again): the
// same change and notifications as a replacement, but only the runs whose format differs change.
LRESULT RichEditControl::restyleSelection(int from, int to, const std::vector<FormattedPiece>& pieces) {
    if (!announceProtected(EM_REPLACESEL, 0, 0, from, to)) return 0;
    undo_.clear();
    std::pair<int, int> changed = model_.restyle(from, pieces);
    insertionFormat_ = -1;
    modified_ = true;
    int oldStart = model_.selectionStart(), oldEnd = model_.selectionEnd();
    model_.setSelection(to, to);
    if (changed.first < changed.second) view_->formatsChanged(changed.first, changed.second);
    view_->selectionChanged(oldStart, oldEnd);
    notifyChangeAndSelection();
    return toClient(to) - toClient(from);
}

// A whole-text RTF load is read piece by piece straight into new text and runs, which replace
// the model's in one step.
LRESULT RichEditControl::loadRtf(EDITSTREAM* stream, std::size_t cap) {
    LoadOutput output(static_cast<std::size_t>(limit_));
    RtfReader reader(model_.formats().get(model_.defaultFormat()), model_.formats(), output);
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
    if (!announceProtected(WM_SETTEXT, 0, 0, 0, model_.length())) return 0;
    undo_.clear();
    int before = model_.length();
    model_.setFormattedText(std::move(output.content()));
    modified_ = false;
    insertionFormat_ = -1;
    view_->textChanged(0, before, model_.length());
    notifyChangeAndSelection();
    return toClient(model_.length());
}

LRESULT RichEditControl::streamOut(WPARAM format, EDITSTREAM* stream) {
    if (!stream || !stream->pfnCallback) return 0;
    stream->dwError = 0;
    bool selection = (format & SFF_SELECTION) != 0;
    int from = selection ? model_.selectionStart() : 0;
    int to = selection ? model_.selectionEnd() : model_.length();
    std::string text = model_.textCrLf(from, to - from);
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
    limit_ = limit <= 0 ? kLimitForZero : static_cast<LONG>(std::min<LPARAM>(limit, 0x7FFFFFFE));
    return 0;
}

LRESULT RichEditControl::setOptions(WPARAM op, LPARAM options) {
    DWORD v = static_cast<DWORD>(options);
    switch (op) {
    case ECOOP_SET:
        options_ = v;
        break;
    case ECOOP_OR:
        options_ |= v;
        break;
    case ECOOP_AND:
        options_ &= v;
        break;
    case ECOOP_XOR:
        options_ ^= v;
        break;
    default:
        break;
    }
    readOnly_ = (options_ & ECO_READONLY) != 0;
    return options_;
}

LRESULT RichEditControl::undo() {
    if (!undo_.canUndo() || readOnly_) return FALSE;
    UndoStep s = undo_.takeUndo();
    int insertedLen = static_cast<int>(s.inserted.size());
    int removedLen = static_cast<int>(s.removed.size());
    model_.replaceStored(s.pos, insertedLen, s.removed, model_.defaultFormat());
    setRuns(s.pos, s.removedRuns);
    model_.setSelection(s.pos, s.pos + removedLen);
    view_->textChanged(s.pos, s.pos + insertedLen, s.pos + removedLen);
    view_->repaint(); // the selection moved too
    undo_.pushRedo(std::move(s));
    modified_ = true;
    notifyChangeAndSelection();
    return TRUE;
}

LRESULT RichEditControl::redo() {
    if (!undo_.canRedo() || readOnly_) return FALSE;
    UndoStep s = undo_.takeRedo();
    int removedLen = static_cast<int>(s.removed.size());
    model_.replaceStored(s.pos, removedLen, s.inserted, s.insertedFormat);
    setRuns(s.pos, s.insertedRuns);
    int end = s.pos + static_cast<int>(s.inserted.size());
    model_.setSelection(end, end);
    view_->textChanged(s.pos, s.pos + removedLen, end);
    view_->repaint(); // the selection moved too
    undo_.pushUndo(std::move(s));
    modified_ = true;
    notifyChangeAndSelection();
    return TRUE;
}

// ---- Dispatch ----

bool RichEditControl::filterInput(UINT& msg, WPARAM& wParam, LPARAM& lParam) {
    bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
    bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
    if (!(key && (eventMask_ & ENM_KEYEVENTS)) && !(mouse && (eventMask_ & ENM_MOUSEEVENTS))) return false;
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
    if (!(eventMask_ & ENM_LINK) || pos < 0 || pos >= model_.length()) return false;
    Run run = model_.runs().runAt(pos);
    if (!model_.formats().get(run.format).link) return false;
    ENLINK link{};
    link.msg = msg;
    link.wParam = wParam;
    link.lParam = lParam;
    link.chrg = CHARRANGE{toClient(run.start), toClient(run.end)};
    return notifyParent(link.nmhdr, EN_LINK) != 0;
}

LRESULT RichEditControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (filterInput(msg, wParam, lParam)) return 0;
    if (msg == textDropMessage()) {
        const auto* drop = reinterpret_cast<const TextDrop*>(lParam);
        return drop ? view_->takeDrop(drop->point, drop->text, drop->query) : 0;
    }
    switch (msg) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (create->lpszName && *create->lpszName) handle(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(create->lpszName));
        return 0;
    }
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (style_ & ES_MULTILINE) code |= DLGC_WANTALLKEYS;
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
        return model_.legacyLength();
    case WM_CUT:
        if (readOnly_) {
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
        if (r) *r = CHARRANGE{toClient(model_.selectionStart()), toClient(model_.selectionEnd())};
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
        return model_.lineCount();
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
        DWORD old = eventMask_;
        eventMask_ = static_cast<DWORD>(lParam);
        return old;
    }
    case EM_GETEVENTMASK:
        return eventMask_;
    case EM_GETOLEINTERFACE: {
        if (!lParam) return 0;
        if (!document_) document_.attach(new TextDocument(this));
        document_->AddRef();
        *reinterpret_cast<IRichEditOle**>(lParam) = static_cast<IRichEditOle*>(document_.get());
        return 1;
    }
    case EM_EXLIMITTEXT:
        return limitText(lParam);
    case EM_LIMITTEXT:
        return limitText(static_cast<LPARAM>(wParam));
    case EM_GETLIMITTEXT:
        return limit_;
    case EM_SETREADONLY:
        readOnly_ = wParam != 0;
        options_ = readOnly_ ? (options_ | ECO_READONLY) : (options_ & ~static_cast<DWORD>(ECO_READONLY));
        return TRUE;
    case EM_SETOPTIONS:
        return setOptions(wParam, lParam);
    case EM_GETOPTIONS:
        return options_;
    case EM_GETMODIFY:
        return modified_;
    case EM_SETMODIFY:
        modified_ = wParam != 0;
        return 0;
    case EM_CANPASTE:
        return IsClipboardFormatAvailable(CF_TEXT) && !readOnly_;
    case EM_CANUNDO:
        return undo_.canUndo();
    case EM_CANREDO:
        return undo_.canRedo();
    case EM_UNDO:
    case WM_UNDO:
        return undo();
    case EM_REDO:
        return redo();
    case EM_EMPTYUNDOBUFFER:
        undo_.clear();
        return 0;
    case EM_STOPGROUPTYPING:
        undo_.stopGrouping();
        return 0;
    case EM_SETUNDOLIMIT:
        undo_.setLimit(static_cast<std::size_t>(wParam));
        return static_cast<LRESULT>(wParam);
    case EM_SETBKGNDCOLOR: {
        COLORREF old = systemBackground_ ? GetSysColor(COLOR_WINDOW) : background_;
        systemBackground_ = wParam != 0;
        background_ = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return old;
    }
    default:
        return view_->handle(msg, wParam, lParam);
    }
}

} // namespace pm::richedit
