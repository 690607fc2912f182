#pragma once
// The application object: registers the window classes, builds the frame (tool bar with the
// database combo, MDI client, status bar) and runs the frame's window procedure, its command
// dispatcher and the enabling of menus and tool-bar buttons.

#include "querytool/settings_file.h"

#include "platform/win/commdlg.h"
#include "platform/win/windows.h"

#include <mysql.h>

#include <memory>
#include <string>

class CQueryWindow;
class CBlobViewer;

class CApplication {
public:
    explicit CApplication(HINSTANCE instance);
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    HWND Frame() const { return m_frame; }
    HWND ToolBar() const { return m_toolBar; }
    HWND StatusBar() const { return m_statusBar; }
    HWND MdiClient() const { return m_mdiClient; }
    HWND Combo() const { return m_combo; }
    UINT FindReplaceMessage() const { return m_findReplaceMessage; }
    HWND FindDialog() const { return m_findDialog; }
    void ForgetFindDialog() { m_findDialog = nullptr; }
    SplitterLayout& VerticalLayout() { return m_verticalLayout; }
    SplitterLayout& HorizontalLayout() { return m_horizontalLayout; }
    const TessmarkSettings& Settings() const { return m_settings; }
    HMENU PersonalMenu() const { return m_personalMenu; }
    CBlobViewer& BlobViewer() const { return *m_blobViewer; }

    // The active query window, or null.
    CQueryWindow* ActiveQueryWindow() const;
    // The frame's menu popup at the index, counted as if no child were maximised.
    HMENU MenuPopup(int index) const;

    // Connections.
    void NewConnection();
    // Hands a connected handle to a new query window; false (handle closed) when that fails.
    bool OpenConnection(MYSQL* connection);
    void ShowConnectionCount();
    void ConnectionClosed();
    void SyncCurrentDatabase(MYSQL* connection);
    void SetDatabaseComboText(const std::string& name);
    void UpdateMenuState();

    // Recent files (File menu items 39101 to 39105).
    void LoadRecentFiles();
    void AddRecentFile(const std::string& path);
    void RefreshRecentFiles();

    // Personal folder pop-up.
    void BuildPersonalMenu();
    void AppendPersonalKey(const std::string& name);
    int PersonalKeyCount() const { return m_personalCount; }

    // The frame's command dispatcher (menus, accelerators, tool bar).
    void OnCommand(int id, int code);

    void SetStatusText(const char* text);

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void registerClasses();
    void createFrame();
    void onCreate();
    void createToolBar();
    void createCombo();
    void createStatusBar();
    void createMdiClient();
    void layout();
    LRESULT onNotify(NMHDR* header);
    void onInitMenuPopup(HMENU popup);
    void onMenuSelect(UINT id, UINT flags);
    void showExecuteMenu(NMTOOLBARA* notice);
    bool closeAll(bool exiting);
    void onClose();
    void onComboNotice(int code);
    void fillCombo();
    void chooseDatabase();
    bool dispatchQueryCommand(CQueryWindow& window, int id);
    bool dispatchEditorCommand(CQueryWindow& window, int id);
    void launchFindReplace(CQueryWindow& window, bool replace);
    void openRecentFile(CQueryWindow& window, int id);
    void showHelp();
    void showAbout();
    void removePersonalPlaceholder();

    HWND m_frame = nullptr;
    UINT m_findReplaceMessage = 0;
    HWND m_toolBar = nullptr;
    HWND m_statusBar = nullptr;
    HWND m_mdiClient = nullptr;
    HWND m_combo = nullptr;
    HWND m_findDialog = nullptr;
    FINDREPLACEA m_findReplace{};
    char m_findText[256] = {};
    char m_replaceText[256] = {};
    SplitterLayout m_verticalLayout;
    SplitterLayout m_horizontalLayout;
    HFONT m_comboFont = nullptr;
    HMENU m_personalMenu = nullptr;
    int m_personalCount = 0;
    HIMAGELIST m_toolImages = nullptr;
    HIMAGELIST m_comboImages = nullptr;
    HINSTANCE m_instance;
    TessmarkSettings m_settings;
    std::unique_ptr<CBlobViewer> m_blobViewer;
    HICON m_frameIcon;
    HICON m_queryIcon;
};

// The folder of the running program (its data files lie there).
std::string TessmarkProgramFolder();
// The help page: "tessmarkhelp.htm" of the current folder when there is one there, else the program
// folder's copy.
std::string HelpPagePath(const std::string& currentFolder, const std::string& programFolder);

// Allocates the globals, loads the rich-edit classes and the common controls and creates the
// application object (the start of the program, before its connect dialog).
CApplication* StartTessmark(HINSTANCE instance);
// Deletes the application object and the globals.
void EndTessmark();
// The message loop with the blob viewer's, the Find/Replace dialog's, the MDI and the frame's keys.
int RunTessmarkLoop();
// Gives one message the loop's keyboard handling; false when the message is not taken.
bool TranslateTessmarkMessage(MSG& msg);
