#pragma once
// CHHModule: one macro: its procedures, the objects it creates by ProgID or CLSID, the program
// objects it exposes under names, and the engine that runs it. It runs, pauses, resumes and stops
// the script, and reads and writes the module file (".hbs").

#include "scripting/CHHEngine.h"
#include "scripting/CHHScriptProcedureList.h"

#include <memory>
#include <vector>

class CHHDebugApplication;

// Listener codes: 1 after a run starts, 2 before a pause, 3 before a stop, 4 after a resume.
typedef int (*CHHModuleListener)(int nCode, void* pUserData);

class CHHModule : public CCmdTarget {
    DECLARE_DYNAMIC(CHHModule)
public:
    explicit CHHModule(CRuntimeClass* pEngineClass = nullptr);
    ~CHHModule() override;

    // Keeps the debug application and creates the engine; FALSE when no engine object was made.
    BOOL Init(CHHDebugApplication* pDebugApp);
    // Stops and deletes the engine; empties the named-item and object lists.
    void Close();
    BOOL IsRunning() const;
    BOOL IsPaused() const;

    void AddNamedObject(LPCTSTR lpszName, CCmdTarget* pObject, DWORD dwFlags, BOOL bOwnReference);
    // Creates the object of a ProgID or CLSID text and keeps it under the name; FALSE when it
    // cannot be created.
    BOOL AddObject(LPCTSTR lpszName, LPCTSTR lpszProgIDOrCLSID, DWORD dwFlags);
    void RemoveAllNamedItems() { m_namedItems.clear(); }
    void RemoveAllObjects() { m_objects.clear(); }
    const std::vector<CHHNamedItem>& GetObjects() const { return m_objects; }

    BOOL Run();
    HRESULT Pause();
    void Stop();
    void Break();
    void OpenDebugger();

    // Reads a module file: its engine class, objects (replacing the module's) and procedures. A file
    // that cannot be read whole is refused with a message and leaves the module without objects and
    // procedures; the answer is then FALSE.
    BOOL LoadFromFile(LPCTSTR lpszPath);
    // Writes the module file safely: a failed write leaves the old file whole.
    BOOL SaveToFile(LPCTSTR lpszPath);
    void Serialize(CArchive& ar) override;

    void SetListener(CHHModuleListener pfn, void* pUserData) {
        m_pfnListener = pfn;
        m_pListenerData = pUserData;
    }
    CHHEngine* GetEngine() const { return m_pEngine.get(); }
    CHHScriptProcedureList& GetProcedures() { return m_procedures; }
    CRuntimeClass* GetEngineClass() const { return m_pEngineClass; }
    BOOL IsErrorPending() const { return m_bErrorPending; }
    int GetErrorLine() const { return m_nErrorLine; }
    int GetErrorColumn() const { return m_nErrorColumn; }

    CString m_strModuleName = "Unnamed Module";
    CString m_strItemName;
    CString m_strTypeLibPrefix = "$$TypeLib:";
    int m_bNoHeader = 0;
    int m_bPlainText = 0;

protected:
    virtual CString GetScriptText();
    // The character positions of the breakpoints set in the module's text.
    virtual void GetBreakpoints(CDWordArray& positions);
    virtual BOOL CreateEngine();
    virtual BOOL CanRun();
    virtual void AddNamedItemsToEngine();
    virtual void DeclareObjects(LPCTSTR lpszText);
    // Parses the text and hands the engine the breakpoints (byte positions of the text).
    virtual BOOL ParseScript(LPCTSTR lpszText, const CDWordArray& breakpoints);
    virtual void OnEngineCreated();
    virtual void OnStateChange(int nState);
    // FALSE lets the engine show its error dialog; otherwise the answer is the button.
    virtual int OnScriptError(CHHScriptErrorInfo& info);
    virtual void OnErrorEnd(CHHScriptErrorInfo& info);
    virtual void NotifyRun();
    virtual int NotifyPause();
    virtual void NotifyResume();
    virtual void NotifyStop();
    virtual void OnGetText();
    // Whether the text has a procedure for an event of a named item or object that fires events
    // (its object is one of theirs).
    BOOL HandlesEvents(LPCTSTR lpszText) const;

    afx_msg void OnRun() { Run(); }
    afx_msg void OnPause() { Pause(); }
    afx_msg void OnStop() { Stop(); }
    afx_msg void OnBreak() { Break(); }
    afx_msg void OnOpenDebugger() { OpenDebugger(); }
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePause(CCmdUI* pCmdUI);
    afx_msg void OnUpdateStop(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDebug(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CRuntimeClass* m_pEngineClass;
    std::unique_ptr<CHHEngine> m_pEngine;
    CHHDebugApplication* m_pDebugApp = nullptr;
    DWORD m_dwSourceContext = 0;
    CHHScriptProcedureList m_procedures;
    int m_bErrorPending = 0;
    int m_nErrorLine = 0;
    int m_nErrorColumn = 0;
    std::vector<CHHNamedItem> m_namedItems;
    std::vector<CHHNamedItem> m_objects;

private:
    static int EngineCallback(int nType, void* pModule, void* pArgument);
    int Notify(int nCode) { return m_pfnListener ? m_pfnListener(nCode, m_pListenerData) : 0; }
    // Reads the whole file into temporaries; raises CArchiveException on any fault.
    void Load(CArchive& ar);
    static void ReportLoadError(CException* pError, LPCTSTR lpszPath);

    BOOL m_bStarting = FALSE; // the global code of a run is running
    CHHModuleListener m_pfnListener = nullptr;
    void* m_pListenerData = nullptr;
};

// The command ids of the script module.
#define ID_HHSCRIPT_RUN 60737
#define ID_HHSCRIPT_PAUSE 60738
#define ID_HHSCRIPT_STOP 60739
#define ID_HHSCRIPT_BREAK 60740
#define ID_HHSCRIPT_DEBUGGER 60741
#define ID_HHSCRIPT_OBJECTS 60742
#define ID_HHSCRIPT_EDIT 60743
