#pragma once
// CAppObject: the script object "App": the main window's size and position, opening and saving
// documents, stopping the running macro, and a periodic Timer event (fired by the main window on
// each tick of its timer 1).

#include "scripting/CHHCmdTarget.h"

class CAppObject : public CHHCmdTarget {
    DECLARE_DYNCREATE(CAppObject)
public:
    // Ids of the main window's timers: 1 fires Timer, 2 stops the running macro.
    enum : UINT_PTR { kTimerEvent = 1, kTimerStopScript = 2 };
    enum : DISPID { DISPID_Timer = 1 };

    HRESULT GetClassID(CLSID* pClsid) override;
    // Gives the object its dispatch and event interface ids.
    void InitDispatchIIDs();
    long GetTimerInterval() const { return m_nTimerInterval; }

protected:
    ITypeLib* GetTypeLib() override;
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) override;

private:
    HRESULT Geometry(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult);
    void SetTimerInterval(long nInterval);
    BOOL Open(const CString& strFileName);
    void SaveAll();
    void StopScript();

    long m_nTimerInterval = 0; // milliseconds; 0: no timer
};
