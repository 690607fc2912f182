#pragma once
// A query window: the MDI child of one connection, divided by two splitters into the object
// browser, the SQL editor and the result tabs, with its own status bar.

#include "platform/win/windows.h"

#include <mysql.h>

#include <memory>
#include <string>

class CSqlEditor;
class CResultTabs;
class CQueryStatusBar;
class CSplitter;
class CObjectBrowser;

class CQueryWindow {
public:
    // Makes the window in the MDI client for a connected handle, which it owns from then on.
    CQueryWindow(HWND mdiClient, MYSQL* connection);
    virtual ~CQueryWindow();
    CQueryWindow(const CQueryWindow&) = delete;
    CQueryWindow& operator=(const CQueryWindow&) = delete;

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The object bound to a query window, or null for any other window.
    static CQueryWindow* FromWindow(HWND hwnd);

    HWND Window() const { return m_window; }
    MYSQL* Connection() const { return m_connection; }
    HWND Browser() const { return m_browser; }
    CObjectBrowser* ObjectBrowser() const { return m_objectBrowser.get(); }
    CSqlEditor* Editor() const { return m_editor.get(); }
    CResultTabs* Tabs() const { return m_tabs.get(); }
    CQueryStatusBar* StatusBar() const { return m_statusBar.get(); }
    CSplitter* VerticalSplitter() const { return m_vertical.get(); }
    CSplitter* HorizontalSplitter() const { return m_horizontal.get(); }

    const std::string& DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const std::string& name) { m_databaseName = name; }
    const std::string& FilePath() const { return m_filePath; }
    bool HasFile() const { return m_hasFile; }
    bool Modified() const { return m_modified; }
    bool TextMode() const { return m_textMode; }
    bool BrowserVisible() const { return m_browserVisible; }

    // Marks the text changed: the flag and one "*" at the end of the caption.
    void MarkModified();
    // After an open or a save: the file, not modified, caption "Query - host.user - path".
    void SetFile(const std::string& path);

    void Layout();
    void ToggleTextMode();
    void ToggleBrowser();
    // Sets "Show Results In Text" and "Hide Object Browser" in the frame's Edit menu from the flags.
    void SetMenuChecks() const;
    // The personal-folder pop-up at the editor's caret.
    void ShowPersonalPopup();
    // The close question and the release of the connection; false when the window stays.
    bool PrepareToClose();

private:
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onCreate();
    LRESULT onNotify(NMHDR* header);
    void onActivate();
    void selectRememberedDatabase();
    std::string captionBase() const;

    MYSQL* m_connection;
    std::string m_databaseName = "No database selected";
    std::string m_filePath;
    bool m_modified = false;
    bool m_hasFile = false;
    bool m_textMode = false;
    bool m_browserVisible = true;
    bool m_closed = false;
    HWND m_window = nullptr;
    HWND m_browser = nullptr;
    std::unique_ptr<CObjectBrowser> m_objectBrowser;
    std::unique_ptr<CQueryStatusBar> m_statusBar;
    std::unique_ptr<CSplitter> m_vertical;
    std::unique_ptr<CSplitter> m_horizontal;
    std::unique_ptr<CSqlEditor> m_editor;
    std::unique_ptr<CResultTabs> m_tabs;
};
