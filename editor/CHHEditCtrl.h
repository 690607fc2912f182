#pragma once
// CHHEditCtrl: the source-text edit control. A rich-edit control whose whole text is protected,
// so every change is announced (EN_PROTECTED) before it happens: the control classifies it, takes
// an undo snapshot when a new group starts, and after the change (EN_CHANGE) keeps its list of
// block-comment markers in step and recolours the touched lines through its language formater.
// It indents, outdents, comments and uncomments lines, keeps its own undo history and shows the
// caret position in the main frame's status bar.

#include "editor/CHHFormater.h"
#include "editor/CHHUndoManager.h"
#include "editor/EditTransaction.h"
#include "editor/GivenRange.h"
#include "editor/HHColoring.h"
#include "editor/KeptLines.h"
#include "editor/HHEditRules.h"
#include "editor/SpanColours.h"
#include "editor/TextSnapshot.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CommonControls.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CHHEditUndoAction;
class CHHFindParams;
class CPrintInfo;

// Commands and resources of the control.
#define ID_HHEDIT_OPTIONS 60705
#define ID_HHEDIT_INDENT 60712
#define ID_HHEDIT_OUTDENT 60713
#define ID_HHEDIT_COMMENT 60714
#define ID_HHEDIT_UNCOMMENT 60715
#define ID_HHEDIT_STATUS_PANE 60704
#define IDR_HHEDIT_MENU 28165
#define IDS_HHEDIT_LINE_COL 28231

// The message the Replace dialog's buttons send to the control.
extern const UINT HHEDIT_REPLACE_MESSAGE;

class CHHEditCtrl : public CRichEditCtrl {
    DECLARE_DYNAMIC(CHHEditCtrl)
public:
    CHHEditCtrl();
    ~CHHEditCtrl() override;

    // ---- Operations of the control (virtual, in slot order) ----
    virtual BOOL InitControl(BOOL loadSettings);
    virtual BOOL DoOptionsDialog();
    virtual void IndentSelection();
    virtual void OutdentSelection();
    virtual void CommentSelection();
    virtual void UncommentSelection();
    virtual void GoToLine(int line, int column);
    virtual void DoFindDialog();
    virtual void DoReplaceDialog();
    virtual void FindNextMatch();
    virtual CString GetLineCommentString();
    virtual BOOL ColorizeText(const char16_t* text, int length, WORD* attributes);
    // With inComment the text starts inside a block comment (lines rescanned after a change).
    virtual void ScanBlockComments(const char16_t* text, int length, CHHCommentMarkerArray& list,
                                   BOOL inComment = FALSE);
    virtual BOOL AdjustWordCase(LPTSTR word, WORD bits);
    virtual void UpdateStatusCaretPos();
    virtual void OnCaretLineChanged(int line, int charPos);
    virtual void OnTextChanged(BOOL deleted, int start, int end);
    virtual void MessageBeepHook(LPCSTR findText);
    virtual void MarkLine(int line);
    virtual void SaveUndoState(int start, int end, int kind);
    virtual BOOL IsProtectedChange(const ENPROTECTED* protectedChange);
    virtual BOOL TranslateAccel(MSG* pMsg);
    virtual void OnContextMenuPopup(CMenu* pPopup);
    // Marks the document of the view the control sits in as modified (or not).
    virtual void SetDocumentModified(BOOL modified);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Public operations ----
    void SetFormater(CHHFormater* formater) {
        m_pFormater = formater;
        m_scanGiven.Forget();
        m_colourGiven.Forget();
    }
    CHHFormater* GetFormater() const { return m_pFormater; }
    // Stores the modified flag; clearing it makes the current text the saved text that undo and
    // redo compare with.
    void SetModified(BOOL modified);
    BOOL GetModified() const { return m_bModified; }
    void BeginUpdate(BOOL noLock = FALSE);
    void EndUpdate();
    // One-based caret column and line, as last computed.
    CPoint GetCaretLineCol() const { return CPoint(m_nCaretColumn, m_nCaretLine); }
    void SetAccelerators(UINT id);
    // Replaces the whole text (null: empty), coloured, without an undo snapshot or a change report.
    void SetText(LPCSTR text);
    void SetText(std::string_view text);
    // Replaces range (an empty one: inserts at its start) with text, as the control's own edit:
    // no undo snapshot, no change report, keyword case left alone; the selection stays where it
    // was (positions as they were before the change).
    void ReplaceRange(const CHARRANGE& range, LPCSTR text);
    // ReplaceRange at an empty range at pos, and with nothing.
    void InsertText(LPCSTR text, LONG pos) { ReplaceRange(CHARRANGE{pos, pos}, text); }
    void DeleteRange(const CHARRANGE& range) { ReplaceRange(range, ""); }
    CString GetTextRange(const CHARRANGE& range);
    // The whole text with the line ends the last SetText text had (CR LF, LF or, per line, both).
    CString GetText();
    // The line break GetText gives a text whose own breaks did not decide ("\n" for new documents).
    void SetLineEnd(LPCSTR lineEnd) {
        m_lineEnd = lineEnd;
        m_lineEnds.clear();
    }
    void PostScrollCaret() { PostMessage(EM_SCROLLCARET); }
    void EmptyUndoBuffer();
    int GetTabSize() const { return m_nTabSize; }
    int GetLineHeight();
    void ReapplyText();
    BOOL HasSelection() const;
    BOOL IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL readOnly) { m_bReadOnly = readOnly; }
    CHHUndoManager& GetUndoManager() { return m_undo; }
    // The find text the find and replace commands share.
    static CString s_strFindText;
    // The status-bar text of the caret position ("" without the focus).
    CString GetCaretPosText() const;

    // ---- Settings used by the colouring ----
    void SetDefaultSettings();
    void SetFont(LPCSTR face, int height);
    void SetTabSize(int tabSize);
    void SetSyntaxColoring(BOOL on) { m_bSyntaxColoring = on; }
    void SetKeywordCase(BOOL on) { m_bKeywordCase = on; }
    void SetAutoIndent(BOOL on) { m_bAutoIndent = on; }
    const hh::ColorEntry* GetColorTable() const { return m_colors; }
    BOOL GetSyntaxColoring() const { return m_bSyntaxColoring; }
    BOOL GetKeywordCase() const { return m_bKeywordCase; }
    BOOL GetAutoIndent() const { return m_bAutoIndent; }

    // ---- Settings in the application's profile (a null section is "ScriptEditor") ----
    // FALSE, changing nothing, when the section holds no settings.
    BOOL LoadSettings(LPCSTR section);
    void SaveSettings(LPCSTR section);
    // Gives every other edit control of the process this one's settings and recolours it.
    void ApplySettingsToAll();

    // ---- Find and replace ----
    // Selects the next match from the selection on, wrapping once round to where the round
    // began; FALSE when there is none (and for an empty find text).
    BOOL FindNext(const CHHFindParams& params);
    // Starts a new round and beeps.
    void NotFound(LPCSTR findText);
    // Replaces every match in the selection or the whole text as one undo step.
    BOOL ReplaceAll(const CHHFindParams& params, BOOL inSelection);
    BOOL SelectionIsFindText(const CHHFindParams& params);

    // ---- Printing on a fixed letter page (twips) ----
    static constexpr int kPageWidth = 12240;
    static constexpr int kPageHeight = 15840;
    // The margins controls built from now on start with; Page Setup changes them.
    static CRect s_rcMargins;
    const CRect& GetMargins() const { return m_rcMargins; }
    CRect GetPrintRect() const;
    using CRichEditCtrl::FormatRange;
    // Formats [first, last) (last -1: to the end) into the page's printable area; answers the
    // first character that did not fit.
    long FormatRange(CDC* pDC, long first, long last, BOOL render);
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo);
    void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    afx_msg void OnPageSetup();

    // ---- Colouring ----
    void ColorizeRange(int start, int end, BOOL applyParaFormat);
    void ColorizeLines(int posA, int posB, BOOL applyParaFormat);
    void SetRangeFormat(int start, int end, COLORREF colour, BOOL bold, BOOL italic, BOOL large);
    void FixWordCase(int start, int end, LPTSTR word, WORD bits);
    void UpdateDelimiters(BOOL deleted, int start, int end);
    void ResolveBlockComments(BOOL recolour);
    // The RTF SetText streams in (empty when the text cannot be coloured); with a list, the list is
    // filled with the text's markers. The text must outlive the RTF, which reads the control's
    // colouring buffers: it is to be read before the control colours again.
    hh::ColoredRtf BuildColoredRtf(LPCSTR text, int length, BOOL finalParagraph, CHHCommentMarkerArray* list);
    const CHHCommentMarkerArray& GetDelimiters() const { return m_delimiters; }

protected:
    // The change notifications, reflected from the parent.
    afx_msg void OnChange();
    afx_msg void OnProtected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCanUndo(WPARAM, LPARAM);
    afx_msg LRESULT OnCanRedo(WPARAM, LPARAM);
    afx_msg LRESULT OnUndo(WPARAM, LPARAM);
    afx_msg LRESULT OnRedo(WPARAM, LPARAM);
    afx_msg LRESULT OnPaste(WPARAM, LPARAM);
    afx_msg LRESULT OnReplaceMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnTakeBase(WPARAM, LPARAM);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLineCommand(UINT nID);
    afx_msg void OnUpdateLineCommand(CCmdUI* pCmdUI);
    afx_msg void OnOptions();
    afx_msg void OnUpdateOptions(CCmdUI* pCmdUI);
    afx_msg void OnEditFind();
    afx_msg void OnEditRepeat();
    afx_msg void OnEditReplace();
    afx_msg void OnUpdateEditFind(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditReplace(CCmdUI* pCmdUI);
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditCutCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // Indent, outdent, comment or uncomment the selected lines as one undo step.
    void ShiftOrCommentLines(BOOL comment, BOOL add);
    // Its edits, line by line, from first to last; false when no line changed.
    bool shiftOrCommentEach(int first, int last, BOOL comment, BOOL add);
    void ShowContextMenu(CPoint screen);
    // After an undo or redo: the document is modified when the text differs from the saved one.
    void AfterUndoRedo();

    CHHFormater* m_pFormater = nullptr;
    CHHCommentMarkerArray m_delimiters;
    BOOL m_bModified = FALSE;
    int m_nTabSize = 0;
    int m_nTabWidth = 0;
    BOOL m_bKeywordCase = TRUE;
    BOOL m_bAutoIndent = TRUE;
    BOOL m_bSyntaxColoring = TRUE;
    hh::ColorEntry m_colors[hh::kColorClasses];
    CFont m_font;
    CHARFORMAT m_charFormat{};
    PARAFORMAT m_paraFormat{};
    UINT m_nMenuAccelId = 0;
    BOOL m_bMenuToParent = FALSE;
    HACCEL m_hAccel = nullptr;
    UINT m_nStatusPaneId = ID_HHEDIT_STATUS_PANE;
    int m_nRedrawLocks = 0;
    BOOL m_bRedrawLocked = FALSE;
    int m_nSelectionHides = 0; // transactions holding the selection hidden
    BOOL m_bInternalChange = FALSE;
    BOOL m_bDelimiterScan = FALSE;
    BOOL m_bChangeAnnounced = FALSE;
    BOOL m_bBusy = FALSE;
    BOOL m_bColoringSuppressed = FALSE;
    BOOL m_bReadOnly = FALSE;
    int m_nEditKind = 0;
    int m_nEditStart = 0;
    int m_nEditEnd = 0;
    int m_nPendingCaseStart = 0;
    int m_nPendingCaseEnd = 0;
    WORD m_nPendingCaseBits = 0;
    int m_nLastCaretLine = 0;
    int m_nCaretColumn = 0;
    int m_nCaretLine = 0;
    int m_nPrevSelStart = 0;
    int m_nPrevSelEnd = 0;
    BOOL m_bNewSearch = TRUE;
    int m_nWrapPoint = 0;
    CHHUndoManager m_undo{40};
    BOOL m_bSuppressTracking = FALSE;
    int m_nLastSnapshotKind = 0;
    int m_nLastSnapshotStart = -1;
    int m_nLastSnapshotEnd = -1;
    int m_nLastTypedLength = 1; // positions the last typed character took

private:
    friend class CHHEditUndoAction;
    friend class hh::EditTransaction;
    // Sets the font and tab size and recolours the whole text.
    void applyFontAndRecolour(LPCSTR face, int height, int tabSize);
    BOOL findInRange(const CHHFindParams& params, long from, long to, CHARRANGE& found);
    void noteReplacedMatches(const std::vector<CHARRANGE>& matches, int replaceLength);
    // The text from the first match to the last, each match replaced by replace.
    std::string replacedSpan(const std::vector<CHARRANGE>& matches, const CString& replace);
    // Learns page starts up to page; FALSE when the text ends before it.
    BOOL paginateTo(CDC* pDC, CPrintInfo* pInfo, UINT page);
    void notePageEnd(CPrintInfo* pInfo, UINT page, long start, long next);
    CRect m_rcMargins = s_rcMargins;
    // Element i: where page i + 1 starts.
    std::vector<long> m_pageStarts;
    struct DragCut {
        int start = 0;
        int end = 0;
    };
    void classifyChange(const ENPROTECTED& p);
    void trackSnapshot(int start, int end);
    void changeTyped(int selEnd);
    void changeMoved(int selStart, int selEnd);
    // Reports a change to OnTextChanged and keeps it with the undo step it belongs to, so that
    // undoing and redoing the step move what follows the text as the change did.
    void reportChange(BOOL deleted, int start, int end);
    void reportReplacement(int start, int removed, int inserted);
    void noteModified();
    void keepLineEnds(int changeStart);
    // Adds the markers found on the lines from start's to end's.
    void rescanLines(int start, int end);
    // Makes m_linesRead hold the text of [start, end) and its wide copy: the lines rescanLines read
    // when they are those and unchanged since, read afresh otherwise; answers the length.
    int readForColoring(int start, int end);
    // Reads [from, to) into m_linesRead's buffers.
    void readLines(int from, int to);
    // Lets go of the buffers when a long range made them large.
    void keepBuffersSmall();
    void updateCaretColumn(const CHARRANGE& sel);
    // The column counts from lineStart to pos, found from the last ones where they lie near.
    hh::ColumnCounts columnCountsTo(int lineStart, int pos);
    hh::ColumnCounts countColumns(int from, int to);
    // The caret's line and column, and the selection, once the selection became sel.
    void noteCaret(const CHARRANGE& sel);
    std::string lineText(int line);
    // SetText's two ways: one coloured RTF stream (false when it failed), or the plain text
    // coloured afterwards.
    bool streamColoredText(std::string_view text);
    // BuildColoredRtf's steps: the block-comment markers of the whole text, read a block at a
    // time; the token words of one block of it into m_linesRead.tokens (false when the text
    // cannot be coloured); the classes of the longest line kept when the block holds it.
    void scanMarkersByBlock(const char* text, std::size_t size, CHHCommentMarkerArray& list);
    bool colourBlock(const char* text, std::size_t from, std::size_t to, const CHHCommentMarkerArray* list);
    void keepIfLongestLine(const hh::Stretch& longest, std::size_t from, std::size_t to, const WORD* tokens,
                           const CHHCommentMarkerArray* list);
    // Streams RTF in (the whole text, or with SFF_SELECTION the selection); false when it failed.
    bool streamRtf(hh::ColoredRtf& rtf, int format);
    // Gives the text of [start, start + length) the formats of its token words in one message,
    // for the part whose classes changed since it was last coloured so; false when it failed.
    // written: the stretch the tokens were written in, when not whole (first -1 otherwise).
    bool sendRangeFormats(int start, const char* text, int length, WORD* attributes, hh::Stretch overlaid,
                          hh::Stretch written);
    // For a long line coloured again: the stretch of its tokens to be read when the formater
    // writes only some of them, told to the formater (first -1 when all are to be written).
    hh::Stretch tokensToRead(int start, int length, unsigned hinted, hh::Stretch overlaid);
    // After the colouring call: the stretch its tokens were written in, when not whole.
    hh::Stretch retokenised(unsigned before, int start, hh::Stretch read);
    // The end of the block of whole lines from from that a long range is read in, by to.
    int lineBlockEnd(int from, int to);
    // The token words of m_linesRead's text, which starts at start, into m_linesRead.tokens;
    // false when the text cannot be coloured.
    bool tokeniseRead(int start);
    // ColorizeRange's way for a range of many blocks of lines.
    void colourByBlocks(int start, int end, const CHARRANGE& saved, BOOL applyParaFormat);
    // Adds the runs of the classes the token words show, the last held in pending; sends runs
    // from start in one message.
    static void appendShownRuns(pm::PackedFormatRuns& runs, pm::CharFormatRun& pending, const WORD* tokens,
                                int count);
    bool sendShownRuns(int start, const pm::PackedFormatRuns& runs);
    // The control's character format in a class's look.
    CHARFORMAT formatFor(const hh::ColorEntry& look) const;
    void setPlainText(std::string_view text);
    void buildCharFormat();
    void setFontFormats(LPCSTR face, int height);
    void buildParaFormat();
    // Whether a key press waits in the queue (colouring then gives way to typing).
    BOOL keyWaiting();
    // Sets each run's format (unless already formatted) and fixes keyword case.
    void colorRuns(int start, const char* text, int length, const WORD* attributes, const CHARRANGE& saved,
                   bool large, bool formatted, BOOL applyParaFormat);
    void recolour(const std::vector<hh::Stretch>& stretches);
    // Moves the markers, and the stretches left for later, for the change [start, end).
    void shiftForChange(BOOL deleted, int start, int end);
    // Ranges coloured plain because a key was waiting: coloured properly once none waits.
    std::vector<hh::Stretch> m_deferred;
    // The classes the last large range coloured is shown in.
    hh::ShownClasses m_shown;
    unsigned m_shownCall = 0; // the formater's colouring call m_shown's classes were taken from
    // Narrows the stretch that may differ from the last snapshot to hold the change [from, to).
    void noteChange(long from, long to);
    // The whole text now, sharing with the last snapshot what no change has touched since.
    hh::TextSnapshot takeSnapshot();
    // The control's characters [from, to).
    std::string textBetween(long from, long to);
    // Makes the text that of target, replacing only where they differ; the colours kept with
    // target, when given and still right, come back with it instead of a colouring.
    void restoreText(const hh::TextSnapshot& target, const hh::SpanColours* colours = nullptr);
    // The colours of the whole lines from start's to end's, for an undo step to keep (none when
    // part of them waits to be coloured). Only the latest kept are held: older ones are let go.
    std::shared_ptr<hh::SpanColours> keepColours(int start, int end);
    // Whether kept colours hold [from, to) and show as a colouring would show their text now.
    bool coloursHold(const hh::SpanColours& colours, int from, int to) const;
    // Replaces [from, oldEnd) by text, the text of kept colours there, and puts their colours
    // and markers back; what changed its comment status around them is coloured again.
    void restoreColoured(int from, int oldEnd, const std::string& text, const hh::SpanColours& colours);
    std::weak_ptr<hh::SpanColours> m_keptColours;
    // The text was just set to snapshot.
    void snapshotRestored(const hh::TextSnapshot& snapshot);
    // The last snapshot taken: the next shares storage with it. The text now begins with its
    // first m_nSamePrefix and ends with its last m_nSameSuffix characters.
    hh::TextSnapshot m_lastSnapshot;
    // The column counts from the line start to pos, the last caret position; pos is -1 once the
    // text before it changed.
    struct ColumnMark {
        int pos = -1;
        int lineStart = 0;
        hh::ColumnCounts counts;
    };
    ColumnMark m_columnMark;
    // The lines rescanLines read last, for the colouring that follows; from is -1 once they were
    // used or the text changed. The buffers stay for the next edit, so typing on a long line
    // does not take fresh memory for its text and tokens each key.
    struct LinesRead {
        int from = -1;
        int to = -1;
        std::string text;
        std::u16string wide;
        std::vector<WORD> tokens; // the token words the colouring gives the text
        hh::KeptLines kept;       // what text and wide hold, across a change
    };
    LinesRead m_linesRead;
    // The ranges last given to the formater's marker scan and tokeniser, for the hints of the
    // next ones; and what the last BuildColoredRtf gave them (call 0: nothing).
    hh::GivenRange m_scanGiven;
    hh::GivenRange m_colourGiven;
    struct BuiltCalls {
        unsigned scan = 0;
        unsigned colour = 0;
        hh::Stretch blanked{0, 0};
        bool lines = false; // m_linesRead holds the text, its wide copy blanked as blanked says
    };
    BuiltCalls m_built;
    // Gives the formater the hint of range for [from, to) with altered, when one holds; answers
    // the formater's text count before the call.
    unsigned hintFormater(const hh::GivenRange& range, int from, int to, hh::Stretch altered,
                          unsigned* hinted = nullptr);
    // After the call: range notes what the formater was given, when it was given one text.
    void noteGiven(hh::GivenRange& range, unsigned before, int from, int to, hh::Stretch altered);
    long m_nSamePrefix = 0;
    long m_nSameSuffix = 0;
    hh::TextSnapshot m_savedText;
    bool m_bHaveSavedText = false;
    bool m_bKeepSavedText = false; // ReapplyText sets the text
    // The text set last is still to be read back as the undo base (and as the saved text).
    bool m_bBasePending = false;
    bool m_bSavedTextPending = false;
    // Line ends of the text last set: "\r\n", "\n" or "\r"; empty when they were mixed (then
    // m_lineEnds holds a code per line break, in order: 'c' CR LF, 'n' LF, 'r' CR).
    std::string m_lineEnd = "\r\n";
    std::string m_lineEnds;
    DragCut m_dragCut;
    // The matches Replace All replaces in its one change, each where it lies once replaced.
    struct Replaced {
        int start = 0;
        int removed = 0;
        int inserted = 0;
    };
    std::vector<Replaced> m_replaced;
    int m_nLinesBefore = 0;
};
