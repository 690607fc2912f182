#pragma once
// CHHScriptView: the script view of the macro editor. Event lists, event procedure heads, member
// lists and quick information come from the objects' type information.

#include "scripting/CHHScriptViewBase.h"
#include "scripting/TypeInfoRecords.h"

class CHHScriptView : public CHHScriptViewBase {
    DECLARE_DYNCREATE(CHHScriptView)
public:
    BOOL HasEvents(const CHHScriptObjectInfo& info) override;
    void GetEventNames(const CHHScriptObjectInfo& info, std::vector<CString>& names) override;
    CString BuildHead(const CHHScriptObjectInfo& info, LPCTSTR procedure) override;
    void FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) override;
    CString GetQuickInfo(CHHExpressionInfo& info, const CString& name) override;

    // The type the dotted path leads to from the object (kind 4 or 3 with type information);
    // FALSE when a step has no interface or class type.
    BOOL ResolveType(const CHHScriptObjectInfo& object, const CString& path, CHHScriptObjectInfo& result);

    // A derived view may describe a dispatch object itself: with bMembers FALSE by a class type
    // whose default source interface holds its events, with bMembers TRUE by the type that holds
    // its members. FALSE (and no type) lets the dispatch object's own type information answer.
    virtual BOOL GetEventTypeInfo(const CHHScriptObjectInfo&, ITypeInfo** ppTypeInfo, BOOL) {
        *ppTypeInfo = nullptr;
        return FALSE;
    }
    // A derived view may list a dispatch object's functions or variables itself (only those named
    // by the filter when one is given); FALSE lets the type information answer.
    virtual BOOL GetFunctionsHook(const CHHScriptObjectInfo&, CHHMethodInfoArray&, LPCTSTR, BOOL) {
        return FALSE;
    }
    virtual BOOL GetVariablesHook(const CHHScriptObjectInfo&, CHHPropertyInfoArray&, LPCTSTR, BOOL) {
        return FALSE;
    }

protected:
    // The events of an object's default source interface.
    BOOL ReadObjectEvents(const CHHScriptObjectInfo& info, CHHEventInfoArray& events, LPCTSTR filter);
    // The properties and methods of the type an object information stands for.
    void ReadMembers(const CHHScriptObjectInfo& info, CHHPropertyInfoArray& properties,
                     CHHMethodInfoArray& methods, LPCTSTR filter);
    CString FormatParameters(const std::vector<CHHParamInfo>& params);
    // The type information whose members an object information lists: the derived view's, the
    // dispatch object's own, the coclass's default interface, or the interface itself.
    pm::ComPtr<ITypeInfo> MemberType(const CHHScriptObjectInfo& info);
    // The class type a derived view gives for a dispatch object's events, or null.
    pm::ComPtr<ITypeInfo> EventClassType(const CHHScriptObjectInfo& info);
    // Splits "Object.path" at the first dot after the first character.
    static void SplitExpression(const CString& expression, CString& object, CString& path);
};
