#pragma once
// The result tabs of a query window: one "Records" tab per result set of the last run and one
// "Messages" tab, over three views of which one shows at a time (grid, messages pane, text view).

#include "querytool/query_result.h"

#include "platform/win/windows.h"

#include <memory>
#include <vector>

class CQueryWindow;
class CResultGrid;
class CMessagesPane;
class CResultText;

class CResultTabs {
public:
    explicit CResultTabs(CQueryWindow& window);
    virtual ~CResultTabs();
    CResultTabs(const CResultTabs&) = delete;
    CResultTabs& operator=(const CResultTabs&) = delete;

    HWND Window() const { return m_tabs; }
    CResultGrid* Grid() const { return m_grid.get(); }
    CMessagesPane* Messages() const { return m_messages.get(); }
    CResultText* Text() const { return m_text.get(); }

    // Frees every record and deletes all tabs.
    void FreeResults();
    // Takes ownership of the record.
    void InsertRecordsTab(int index, std::unique_ptr<QueryResult> record);
    void InsertMessagesTab(int index);
    void ShowViews(bool records);
    void SelectTab(int index);
    // The record of the selected tab when it is a "Records" tab, else null.
    QueryResult* CurrentResult() const;
    void ShowResult();
    void Layout(int x, int y, int width, int height);
    int TabCount() const;
    bool IsRecordsTab(int index) const;
    // Ctrl+R: the focus goes to the view that shows (grid, text view or messages pane); from there,
    // to the tab strip, whose arrow keys then walk through the tabs.
    void FocusResults();

    // TCN_SELCHANGING and TCN_SELCHANGE from the query window.
    void OnSelChanging();
    void OnSelChange();

private:
    static LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    QueryResult* recordOf(int index) const;
    // The view that shows the selected tab: the messages pane, the text view or the grid.
    HWND shownView() const;

    CQueryWindow& m_window;
    HWND m_tabs = nullptr;
    HFONT m_font = nullptr;
    HCURSOR m_savedCursor = nullptr;
    bool m_changeByStripKeys = false; // the tab change under way came from the tab strip's own keys
    HIMAGELIST m_images = nullptr;
    WNDPROC m_previous = nullptr;
    std::vector<std::unique_ptr<QueryResult>> m_records;
    std::unique_ptr<CResultGrid> m_grid;
    std::unique_ptr<CMessagesPane> m_messages;
    std::unique_ptr<CResultText> m_text;
};
