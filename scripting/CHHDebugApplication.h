#pragma once
// CHHDebugApplication: the program's registration with the system's process debug manager, so
// that a script debugger can attach to macros. This system has no script debugger: Create fails,
// the object stays empty, every wrapper answers E_UNEXPECTED, and the debug commands, the error
// dialog's Debug button and the macro editor's breakpoints stay off.

#include "platform/com/comptr.h"
#include "platform/framework/afxwin.h"
#include "platform/script/activdbg.h"

class CHHDebugApplication : public CObject {
    DECLARE_DYNCREATE(CHHDebugApplication)
public:
    ~CHHDebugApplication() override { Close(); }

    // Registers the program under the name (or none) with the process debug manager. A failure
    // is answered and leaves the object empty.
    HRESULT Create(LPCTSTR lpszName);
    // Removes the registration and lets both interfaces go.
    void Close();
    // TRUE when both the debug manager and the debug application are held.
    BOOL IsAvailable() const { return m_pManager && m_pApplication; }
    // The debug application, with no reference added; null while empty.
    IDebugApplication* GetApplication() const { return m_pApplication.get(); }

    // A new debug document for a script text; E_UNEXPECTED without a debug manager.
    HRESULT CreateDocumentHelper(IDebugDocumentHelper** ppHelper);
    // The debug application's operations; E_UNEXPECTED without one.
    HRESULT GetRootNode(IDebugApplicationNode** ppNode);
    HRESULT CauseBreak();
    HRESULT StartDebugSession();

private:
    DWORD m_dwCookie = 0;
    pm::ComPtr<IProcessDebugManager> m_pManager;
    pm::ComPtr<IDebugApplication> m_pApplication;
};
