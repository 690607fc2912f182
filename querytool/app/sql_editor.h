#pragma once
// The SQL editor of a query window: a subclassed rich edit that colours the visible SQL by token
// kind, keeps the indentation on Enter, converts case, comments lines, inserts templates, pastes
// plain text, answers Find and Replace and hands its statements to the server.

#include "querytool/sql_tokenizer.h"

#include "platform/win/commdlg.h"
#include "platform/win/richedit.h"
#include "platform/win/tom.h"
#include "platform/win/windows.h"

#include <functional>
#include <memory>
#include <string>

class CQueryWindow;

class CSqlEditor {
public:
    explicit CSqlEditor(CQueryWindow& window);
    virtual ~CSqlEditor();
    CSqlEditor(const CSqlEditor&) = delete;
    CSqlEditor& operator=(const CSqlEditor&) = delete;

    HWND Window() const { return m_edit; }
    bool IsColouring() const { return m_colouring; }

    // The whole text with every CR removed (positions match the control's).
    std::string GetText() const;
    std::string SelectedText() const;
    CHARRANGE Selection() const;
    // Replaces the selection (undoable).
    void ReplaceSelection(const std::string& text);
    void RememberLastQuery(const std::string& text) { m_lastQuery = std::make_unique<std::string>(text); }
    const std::string* LastQuery() const { return m_lastQuery.get(); }

    // Query execution; each returns 1 when it ran and 0 when it stopped early.
    int ExecuteCurrent();
    int ExecuteSelected();
    int ExecuteAll();
    int ExecutePrevious();

    // Commands.
    void MakeUpperCase();
    void MakeLowerCase();
    void CommentSelection();
    void RemoveComment();
    void InsertTemplate(int id);
    void PastePlainText();
    void OnFindReplace(const FINDREPLACEA& request);

    // The token kinds' colours.
    static COLORREF TokenColour(std::uint32_t kind);

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void colourise();
    void tokenize(bool restart);
    void fitFormattingRect();
    void autoIndent();
    void changeCase(bool upper);
    void showContextMenu(POINT screen);
    // Pieces: the text is split and each piece run (the selection, everything); Piece: the statement at
    // the caret, run whole; Previous: the kept statement again, whole, without the "use" test.
    enum class BatchKind { Pieces, Piece, Previous };
    // Runs the text and shows the results and messages (shared by the four paths).
    int runBatch(const std::string& text, BatchKind kind);

    std::unique_ptr<std::string> m_lastQuery;
    FINDREPLACEA m_findReplace{};
    HWND m_edit = nullptr;
    CQueryWindow& m_window;
    bool m_colouring = false;
    HFONT m_font = nullptr;
    WNDPROC m_previous = nullptr;
    long m_visibleFirst = 0;
    long m_visibleLast = 0;
    ITextDocument* m_document = nullptr;
    std::unique_ptr<CSqlTokenizer> m_tokenizer;
    std::string m_passText; // the text of the tokenizer pass under way
    bool m_passRunning = false;
};

// Runs work on a worker thread while this thread keeps painting windows; other input waits in the
// queue until the work is done. Returns what the work threw as the text of an error ("Out of memory
// !!!" when memory ran out), empty when it ran through. Tests may watch each turn of the wait.
std::string RunWhilePainting(const std::function<void()>& work);
void SetBatchWaitHook(std::function<void()> hook);
