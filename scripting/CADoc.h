#pragma once
// CADoc: the script object "Doc": the text of the active editor view, reached through the edit
// messages of its edit control. Without an active edit control every member answers a fixed value
// (empty text, FALSE, 0 or -1) and does nothing. Its positions and lengths count the characters
// macros see in the text (one for each UTF-8 sequence and for each other byte), as Len and InStr
// do; its texts keep their bytes.

#include "scripting/CHHCmdTarget.h"

class CADoc : public CHHCmdTarget {
    DECLARE_DYNCREATE(CADoc)
public:
    HRESULT GetClassID(CLSID* pClsid) override;
    // Gives the object its dispatch and event interface ids.
    void InitDispatchIIDs();

protected:
    ITypeLib* GetTypeLib() override;
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) override;

private:
    // Members with a number argument and a number result.
    HRESULT NumberMember(CWnd* pCtrl, DISPID dispid, const CHHDispatchArgs& args, VARIANT* pResult);
    HRESULT Selection(CWnd* pCtrl, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult);
    HRESULT SetSel(CWnd* pCtrl, const CHHDispatchArgs& args);
    HRESULT GetLine(CWnd* pCtrl, const CHHDispatchArgs& args, VARIANT* pResult);
    HRESULT LineScroll(CWnd* pCtrl, const CHHDispatchArgs& args);
    HRESULT Find(CWnd* pCtrl, const CHHDispatchArgs& args, VARIANT* pResult);
    // The answer of a member when there is no edit control.
    static HRESULT Fallback(DISPID dispid, WORD wFlags, VARIANT* pResult);
};
