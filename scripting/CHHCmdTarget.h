#pragma once
// CHHCmdTarget: the base of the program objects that scripts see as named items. It is an
// automation object whose dispatch interface is described by a type library, it fires events on
// the sinks connected to its one connection point, and it tells an engine its coclass and event
// interface through IProvideClassInfo2. Derived objects run their members in InvokeMember.

#include "platform/com/comptr.h"
#include "platform/com/connection_point.h"
#include "platform/com/oleauto.h"
#include "platform/com/typeinfo.h"
#include "platform/framework/afxwin.h"

#include <cstdarg>
#include <memory>

// The arguments of one dispatch call in call order (a property put's value comes last).
class CHHDispatchArgs {
public:
    explicit CHHDispatchArgs(DISPPARAMS* pParams) : m_pParams(pParams) {}
    UINT GetCount() const { return m_pParams ? m_pParams->cArgs : 0; }
    // Converts argument i; DISP_E_BADPARAMCOUNT when missing, DISP_E_TYPEMISMATCH when it does not
    // convert.
    HRESULT GetLong(UINT i, long& value) const;
    // A text's bytes as they were before they crossed (see ReturnString).
    HRESULT GetString(UINT i, CString& value) const;

private:
    HRESULT Convert(UINT i, VARTYPE vt, VARIANT& out) const;
    DISPPARAMS* m_pParams;
};

class CHHCmdTarget : public CCmdTarget {
    DECLARE_DYNAMIC(CHHCmdTarget)
public:
    CHHCmdTarget();
    ~CHHCmdTarget() override;

    // Stores both interface ids (pointers to constants) and makes the connection point source
    // the event interface. Called once after construction.
    void SetDispatchIIDs(const IID* pDispatchIID, const IID* pEventIID);
    // Copies the dispatch IID; FALSE when none is set.
    BOOL GetDispatchIID(IID* pIID) const;

    // Calls the event on every connected sink in order, with the arguments that follow, one for
    // each character of the parameter-type string (VTS_ values). A sink without a handler
    // (DISP_E_UNKNOWNNAME, DISP_E_MEMBERNOTFOUND) is skipped; another failure stops the firing and
    // is answered when the rethrow flag is set, else it is ignored and the next sink is called.
    // DISP_E_BADVARTYPE, with no sink called, for a character that names no argument type.
    HRESULT FireEvent(DISPID dispid, const char* pbParams, ...);
    // FireEvent with an argument list. With a dispatch map, the map's level in the object's
    // dispatch-map chain goes into the high 16 bits of the dispid.
    HRESULT FireEventV(DISPID dispid, const char* pbParams, va_list argList,
                       const AFX_DISPMAP* pDispMap = nullptr);

    // The object's IDispatch (its automation part), with a reference added when asked.
    IDispatch* GetIDispatch(BOOL bAddRef) override;
    // Type information of a type of the object's library.
    HRESULT GetTypeInfoOfGuid(LCID lcid, REFGUID guid, ITypeInfo** ppTypeInfo);

    // The coclass of the object; the base has none.
    virtual HRESULT GetClassID(CLSID* pClsid);
    // Called when a sink connects to (TRUE) or disconnects from (FALSE) the connection point.
    virtual void OnAdvise(BOOL bAdvise);
    virtual BOOL OnCommandHook(UINT nID);
    virtual BOOL OnUpdateCommandHook(UINT nID, CCmdUI* pCmdUI);
    // The connection point of an interface: the one point once an event IID is set and asked
    // for; null for any other interface. No reference is added.
    virtual IConnectionPoint* GetConnectionHook(REFIID iid);
    // The map FireEventV counts dispatch-map levels from: the object's own dispatch map.
    virtual const AFX_DISPMAP* GetDispatchMapHead() const { return GetDispatchMap(); }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Whether a sink's failure during FireEvent is passed on (TRUE after construction).
    BOOL m_bRethrow = TRUE;

protected:
    // The type library that describes the object; none in the base.
    virtual ITypeLib* GetTypeLib();
    // Runs one member of the dispatch interface. wFlags are the DISPATCH_ flags of the call.
    virtual HRESULT InvokeMember(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult);

    // Results for InvokeMember.
    static HRESULT ReturnLong(VARIANT* pResult, long value);
    static HRESULT ReturnBool(VARIANT* pResult, BOOL value);
    // A text crosses keeping its bytes: bytes that are not UTF-8 travel as escapes.
    static HRESULT ReturnString(VARIANT* pResult, const CString& value);
    static bool IsPut(WORD wFlags) {
        return (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    }

private:
    class XAutomation;
    friend class XAutomation;

    // The dispid with the map's level in its high word; unchanged without a map or for a map
    // outside the chain.
    DISPID PlaceDispid(DISPID dispid, const AFX_DISPMAP* pDispMap) const;
    void MakeConnectionPoint(const IID& iid);

    const IID* m_pEventIID = nullptr;
    const IID* m_pDispatchIID = nullptr;
    std::unique_ptr<XAutomation> m_xAutomation;
    pm::ComPtr<pm::ConnectionPoint> m_connectionPoint;
};

// The interface under which a program object is shown to scripts; null when it has none.
inline IDispatch* GetScriptInterfaceOf(CCmdTarget* pObject) {
    return pObject ? pObject->GetIDispatch(FALSE) : nullptr;
}
