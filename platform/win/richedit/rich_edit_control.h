#pragma once
// The rich-edit control behind the window classes "RICHEDIT" and "RichEdit20A": the message
// protocol over a RichTextModel. Every change goes through replaceRange, which announces it with
// EN_PROTECTED (when it touches protected text) before the model changes, and with EN_CHANGE and
// EN_SELCHANGE after, before the causing message returns.

#include "platform/win/richedit.h"
#include "platform/win/richedit_runs.h"
#include "platform/com/comptr.h"
#include "platform/win/richedit/rich_text_model.h"
#include "platform/win/richedit/text_document.h"
#include "platform/win/richedit/undo_history.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pm::richedit {

class RichEditView;

class RichEditControl {
public:
    RichEditControl(HWND hwnd, bool legacy, DWORD style);
    ~RichEditControl();

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);

    RichTextModel& model() { return m_model; }
    HWND hwnd() const { return m_hwnd; }
    bool legacy() const { return m_legacy; }
    DWORD style() const { return m_style; }

    // Positions as the client counts them, and back.
    LONG toClient(int pos) const { return m_legacy ? m_model.legacyFromCompact(pos) : pos; }
    int toModel(LONG cp) const;
    LONG clientLength() const { return m_legacy ? m_model.legacyLength() : m_model.length(); }

    // Where the selection goes after a change.
    enum class Placement {
        After,     // the caret after the new text
        Start,     // the caret at the start of the text
        SelectNew, // the new text selected
    };

    // The one way text changes. cause/wParam/lParam name the message for EN_PROTECTED. The new
    // text takes `format`. Returns false when the change was refused or did not fit.
    bool replaceRange(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to, std::string_view text,
                      FormatId format, bool canUndo, Placement placement = Placement::After);
    // Sets the selection, telling the parent with EN_SELCHANGE when it changed.
    void setSelection(int anchor, int caret);
    // Sets the selection and scrolls the caret into view (user actions).
    void moveSelection(int anchor, int caret);

    // Keyboard and clipboard operations of the user.
    void typeChar(UINT ch, LPARAM lParam);
    void keyDown(UINT vk, LPARAM lParam);
    void cut();
    void copy();
    void paste(UINT cause);
    // Text dropped from another window at pos: a paste there, taken whole or not at all (the
    // text limit), as one undo step, leaving the dropped text selected. False when refused.
    bool takeDroppedText(int pos, std::string_view text);
    void clear(UINT cause);
    bool readOnly() const { return m_readOnly; }
    void beep();

    // Format changes and queries over a range, for the message handlers and the text object model.
    void formatRange(int from, int to, const CHARFORMATA& cf);
    // The first run's format, with the mask bits of attributes that vary over [from, to) cleared.
    CHARFORMATA formatOfRange(int from, int to) const;
    // [start of the first visible line, end of the last visible line).
    std::pair<int, int> visibleRange();
    void suspendUndo(bool suspended) { m_undo.setSuspended(suspended); }
    // EN_LINK for a mouse message over link text at pos: true when the parent handled it.
    bool notifyLink(UINT msg, WPARAM wParam, LPARAM lParam, int pos);

private:
    // Messages.
    LRESULT getSel(WPARAM wParam, LPARAM lParam);
    LRESULT setSel(LONG start, LONG end);
    LRESULT exSetSel(const CHARRANGE* range);
    LRESULT replaceSel(WPARAM canUndo, LPCSTR text);
    LRESULT setText(LPCSTR text);
    LRESULT getText(WPARAM size, LPSTR buffer);
    LRESULT getTextRange(TEXTRANGEA* range);
    LRESULT getSelText(LPSTR buffer);
    LRESULT getTextLengthEx(const GETTEXTLENGTHEX* info);
    LRESULT lineIndex(WPARAM line);
    LRESULT lineLength(WPARAM pos);
    LRESULT lineFromChar(LPARAM pos);
    LRESULT getLine(WPARAM line, LPSTR buffer);
    LRESULT findText(WPARAM flags, FINDTEXTEXA* find, bool extended);
    LRESULT findAllText(WPARAM flags, const FindAllText* find);
    LRESULT setCharFormat(WPARAM scope, const CHARFORMATA* cf);
    LRESULT setFormatRuns(const CharFormatRuns* runs);
    LRESULT getFormatRuns(const GetCharFormatRuns* get) const;
    // The pieces of runs given in client positions from model position from, in model lengths
    // (a break the 1.0 control counts as two goes with the run its first half is in).
    std::vector<FormattedPiece> modelPieces(int from, const CharFormatRuns& runs) const;
    // The pieces from from in the formats each run's format and its piece's make.
    std::vector<FormattedPiece> formatPieces(int from, const std::vector<FormattedPiece>& pieces,
                                             const CharFormatRuns& runs);
    LRESULT getCharFormat(WPARAM scope, CHARFORMATA* cf);
    LRESULT setParaFormat(const PARAFORMAT* pf);
    LRESULT getParaFormat(PARAFORMAT* pf);
    LRESULT streamIn(WPARAM format, EDITSTREAM* stream);
    LRESULT loadRtf(EDITSTREAM* stream, std::size_t cap);
    bool sameText(int from, int to, std::string_view stored) const;
    LRESULT restyleSelection(int from, int to, const std::vector<FormattedPiece>& pieces);
    LRESULT streamOut(WPARAM format, EDITSTREAM* stream);
    LRESULT limitText(LPARAM limit);
    LRESULT setOptions(WPARAM op, LPARAM options);
    LRESULT undo();
    LRESULT redo();

    // Notifications.
    // EN_MSGFILTER for the key and mouse events asked for: true when the parent swallowed it.
    bool filterInput(UINT& msg, WPARAM& wParam, LPARAM& lParam);
    bool announceProtected(UINT cause, WPARAM wParam, LPARAM lParam, int from, int to);
    bool touchesProtected(int from, int to) const;
    void notifyChange();
    void notifySelChange();
    // EN_CHANGE, then EN_SELCHANGE when the change moved the selection from where it was last told.
    void notifyChangeAndSelection();
    LRESULT notifyParent(NMHDR& header, UINT code);

    // Helpers.
    std::string clientText(int from, int to, bool crLf) const;
    FormatId applyCharFormat(FormatId base, const CHARFORMATA& cf);
    void fillCharFormat(const RunFormat& f, CHARFORMATA& cf) const;
    int wordStart(int pos) const;
    int wordEnd(int pos) const;
    int limitRoomFor(int from, int to) const;
    // Client positions taken by stored text (a break is two in the 1.0 control).
    int clientSize(std::string_view stored) const;
    // Replaces [from, to) by stored text once every check is done: undo, model, notifications.
    void applyChange(int from, int to, std::string_view stored, FormatId format, bool canUndo, bool typing,
                     Placement placement = Placement::After);
    // The same for stored text with runs of its own, as one undo step, selecting [selStart, selEnd).
    void applyFormattedChange(int from, int to, const std::string& stored,
                              const std::vector<FormattedPiece>& runs, int selStart, int selEnd);
    void setRuns(int pos, const std::vector<FormattedPiece>& runs);

    HWND m_hwnd;
    bool m_legacy;
    DWORD m_style;
    RichTextModel m_model;
    UndoHistory m_undo;
    DWORD m_eventMask = 0;
    LONG m_limit = 32767;
    bool m_readOnly = false;
    bool m_overwrite = false;
    bool m_modified = false;
    DWORD m_options = 0;
    COLORREF m_background = 0;
    bool m_systemBackground = true;
    FormatId m_insertionFormat = -1; // a format set on the empty selection, until the caret moves
    int m_lastNotifiedAnchor = 0;
    int m_lastNotifiedCaret = 0;
    PARAFORMAT m_para{};
    RichEditView* m_view;
    pm::ComPtr<TextDocument> m_document;
    friend class RichEditView;
};

} // namespace pm::richedit
