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

protected:
    // The events of an object's default source interface.
    BOOL ReadObjectEvents(const CHHScriptObjectInfo& info, CHHEventInfoArray& events, LPCTSTR filter);
    // The properties and methods of the type an object information stands for.
    void ReadMembers(const CHHScriptObjectInfo& info, CHHPropertyInfoArray& properties, CHHMethodInfoArray& methods,
                     LPCTSTR filter);
    CString FormatParameters(const std::vector<CHHParamInfo>& params);
    // Splits "Object.path" at the first dot after the first character.
    static void SplitExpression(const CString& expression, CString& object, CString& path);
};
