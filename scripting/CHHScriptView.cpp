#include "scripting/CHHScriptView.h"

#include "editor/CHHFormater.h"
#include "scripting/TypeInfoReader.h"

#include <string>

IMPLEMENT_DYNCREATE(CHHScriptView, CHHScriptViewBase)

namespace {

std::u16string wide(LPCTSTR text) {
    std::u16string out;
    for (const char* p = text ? text : ""; *p; ++p)
        out += static_cast<char16_t>(static_cast<unsigned char>(*p));
    return out;
}

pm::ComPtr<ITypeInfo> owned(ITypeInfo* type) {
    pm::ComPtr<ITypeInfo> result;
    result.attach(type);
    return result;
}

} // namespace

pm::ComPtr<ITypeInfo> CHHScriptView::MemberType(const CHHScriptObjectInfo& info) {
    ITypeInfo* type = nullptr;
    if (info.m_nKind == HHOBJ_DISPATCH && info.m_pDispatch && !GetEventTypeInfo(info, &type, TRUE))
        GetDispatchTypeInfo(info.m_pDispatch.get(), &type);
    else if (info.m_nKind == HHOBJ_COCLASS && info.m_pTypeInfo)
        GetDefaultDispInterface(info.m_pTypeInfo.get(), &type, FALSE);
    else if (info.m_nKind == HHOBJ_INTERFACE && info.m_pTypeInfo)
        (type = info.m_pTypeInfo.get())->AddRef();
    return owned(type);
}

pm::ComPtr<ITypeInfo> CHHScriptView::EventClassType(const CHHScriptObjectInfo& info) {
    ITypeInfo* type = nullptr;
    if (info.m_nKind != HHOBJ_DISPATCH || !GetEventTypeInfo(info, &type, FALSE)) type = nullptr;
    return owned(type);
}

// A class type's events are those of its default source interface.
BOOL CHHScriptView::HasEvents(const CHHScriptObjectInfo& info) {
    if (info.m_dwFlags & HHOBJ_NO_EVENTS) return FALSE;
    if (info.m_nKind == HHOBJ_SECTIONS) return TRUE;
    pm::ComPtr<ITypeInfo> classType = info.m_nKind == HHOBJ_COCLASS ? info.m_pTypeInfo : EventClassType(info);
    if (!classType)
        return info.m_nKind == HHOBJ_DISPATCH && info.m_pDispatch &&
               HasEventInterface(info.m_pDispatch.get());
    ITypeInfo* source = nullptr;
    const HRESULT hr = GetDefaultDispInterface(classType.get(), &source, TRUE);
    if (source) source->Release();
    return SUCCEEDED(hr);
}

BOOL CHHScriptView::ReadObjectEvents(const CHHScriptObjectInfo& info, CHHEventInfoArray& events,
                                     LPCTSTR filter) {
    const std::u16string name = wide(filter);
    const LPCOLESTR f = filter ? name.c_str() : nullptr;
    pm::ComPtr<ITypeInfo> classType = info.m_nKind == HHOBJ_COCLASS ? info.m_pTypeInfo : EventClassType(info);
    if (!classType)
        return info.m_nKind == HHOBJ_DISPATCH && info.m_pDispatch &&
               SUCCEEDED(CollectEvents(info.m_pDispatch.get(), events, f, IsCaseSensitive()));
    ITypeInfo* raw = nullptr;
    if (FAILED(GetDefaultDispInterface(classType.get(), &raw, TRUE))) return FALSE;
    const pm::ComPtr<ITypeInfo> source = owned(raw);
    return SUCCEEDED(ReadEvents(source.get(), events, f, IsCaseSensitive()));
}

// A name of code only has its procedures for events; others have their event interface's.
void CHHScriptView::GetEventNames(const CHHScriptObjectInfo& info, std::vector<CString>& names) {
    if (info.m_bCodeOnly) {
        CHHScriptProcedureList::Location loc;
        m_list.FindOrCreate(FALSE, IsCaseSensitive(), info.m_strName, "", loc);
        if (loc.pObject)
            for (const CHHScriptProcedure& proc : loc.pObject->m_procedures)
                names.push_back(proc.m_strName);
        return;
    }
    if (info.m_nKind == HHOBJ_SECTIONS) return CHHScriptViewBase::GetEventNames(info, names);
    CHHEventInfoArray events;
    ReadObjectEvents(info, events, nullptr);
    for (const CHHEventInfo& e : events)
        names.push_back(e.m_strName);
}

CString CHHScriptView::FormatParameters(const std::vector<CHHParamInfo>& params) {
    CString list;
    for (const CHHParamInfo& p : params) {
        if (!list.IsEmpty()) list += ", ";
        list += m_pFormater ? m_pFormater->FormatParameter(p.m_strName, p.m_vt, p.m_bByValue, p.m_bOptional,
                                                           IsCaseSensitive())
                            : p.m_strName;
    }
    return list;
}

CString CHHScriptView::BuildHead(const CHHScriptObjectInfo& info, LPCTSTR procedure) {
    if (info.m_nKind != HHOBJ_DISPATCH && info.m_nKind != HHOBJ_COCLASS)
        return CHHScriptViewBase::BuildHead(info, procedure);
    if (!m_pFormater) return "???";
    CHHEventInfoArray events;
    ReadObjectEvents(info, events, procedure);
    const CString params = events.empty() ? CString() : FormatParameters(events.front().m_params);
    return m_pFormater->FormatEventHandler(info.m_strName, procedure, params, 24);
}

void CHHScriptView::SplitExpression(const CString& expression, CString& object, CString& path) {
    const int dot = expression.Find('.');
    if (dot > 0) {
        object = expression.Left(dot);
        path = expression.Mid(dot + 1);
    } else {
        object = expression;
        path.Empty();
    }
}

BOOL CHHScriptView::ResolveType(const CHHScriptObjectInfo& object, const CString& path,
                                CHHScriptObjectInfo& result) {
    result = object;
    CString rest = path;
    while (!rest.IsEmpty()) {
        const int dot = rest.Find('.');
        const CString element = dot < 0 ? rest : rest.Left(dot);
        rest = dot < 0 ? CString() : rest.Mid(dot + 1);
        const pm::ComPtr<ITypeInfo> type = MemberType(result);
        ITypeInfo* member = nullptr;
        if (!type || FindMemberType(type.get(), wide(element).c_str(), &member, IsCaseSensitive()) != S_OK ||
            !member)
            return FALSE;
        pm::ComPtr<ITypeInfo> owned;
        owned.attach(member);
        TYPEATTR* attr = nullptr;
        if (FAILED(member->GetTypeAttr(&attr)) || !attr) return FALSE;
        const TYPEKIND kind = attr->typekind;
        member->ReleaseTypeAttr(attr);
        if (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH && kind != TKIND_COCLASS) return FALSE;
        result.m_nKind = kind == TKIND_COCLASS ? HHOBJ_COCLASS : HHOBJ_INTERFACE;
        result.m_pDispatch.reset();
        result.m_pTypeInfo = owned;
    }
    return result.m_nKind == HHOBJ_DISPATCH ? result.m_pDispatch.get() != nullptr
                                            : result.m_pTypeInfo.get() != nullptr;
}

// A dispatch object's derived-view hooks answer first, each for its own half.
void CHHScriptView::ReadMembers(const CHHScriptObjectInfo& info, CHHPropertyInfoArray& properties,
                                CHHMethodInfoArray& methods, LPCTSTR filter) {
    const BOOL dispatch = info.m_nKind == HHOBJ_DISPATCH;
    const BOOL variablesDone = dispatch && GetVariablesHook(info, properties, filter, IsCaseSensitive());
    const BOOL functionsDone = dispatch && GetFunctionsHook(info, methods, filter, IsCaseSensitive());
    if (variablesDone && functionsDone) return;
    const pm::ComPtr<ITypeInfo> type = MemberType(info);
    if (!type) return;
    const std::u16string name = wide(filter);
    const LPCOLESTR f = filter ? name.c_str() : nullptr;
    if (!variablesDone) ReadProperties(type.get(), properties, f, IsCaseSensitive(), FALSE);
    if (!functionsDone) ReadMethods(type.get(), methods, f, IsCaseSensitive());
}

void CHHScriptView::FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) {
    CHHScriptViewBase::FillMemberList(info, items, kind);
    const CString& expression = info.m_strQualifier;
    if (!expression.IsEmpty()) {
        CString object, path;
        SplitExpression(expression, object, path);
        const CHHScriptObjectInfo* found = FindObjectInfo(object);
        CHHScriptObjectInfo resolved;
        if (!found || !ResolveType(*found, path, resolved)) return;
        CHHPropertyInfoArray properties;
        CHHMethodInfoArray methods;
        ReadMembers(resolved, properties, methods, nullptr);
        for (const CHHPropertyInfo& p : properties)
            items.push_back(CHHMemberItem{p.m_strName, 2});
        for (const CHHMethodInfo& m : methods)
            items.push_back(CHHMemberItem{m.m_strName, 3});
        return;
    }
    if (kind != HHLIST_FUNCTIONS) return;
    for (const auto& entry : m_objectInfo) {
        if (!(entry.second.m_dwFlags & HHOBJ_GLOBAL_MEMBERS)) continue;
        CHHPropertyInfoArray properties;
        CHHMethodInfoArray methods;
        ReadMembers(entry.second, properties, methods, nullptr);
        for (const CHHMethodInfo& m : methods)
            items.push_back(CHHMemberItem{m.m_strName, 3});
    }
}

CString CHHScriptView::GetQuickInfo(CHHExpressionInfo& info, const CString& name) {
    if (!m_pFormater || name.IsEmpty()) return CString();
    const auto memberText = [&](const CHHScriptObjectInfo& type) {
        CHHPropertyInfoArray properties;
        CHHMethodInfoArray methods;
        ReadMembers(type, properties, methods, name);
        if (!methods.empty())
            return m_pFormater->FormatProcedure(methods.front().m_strName,
                                                FormatParameters(methods.front().m_params),
                                                methods.front().m_vtReturn);
        if (!properties.empty())
            return m_pFormater->FormatParameter(properties.front().m_strName, properties.front().m_vt, FALSE,
                                                FALSE, TRUE);
        return CString();
    };
    if (!info.m_strQualifier.IsEmpty()) {
        CString object, path;
        SplitExpression(info.m_strQualifier, object, path);
        const CHHScriptObjectInfo* found = FindObjectInfo(object);
        CHHScriptObjectInfo resolved;
        return found && ResolveType(*found, path, resolved) ? memberText(resolved) : CString();
    }
    for (const auto& entry : m_objectInfo) {
        const CHHScriptObjectInfo& obj = entry.second;
        if (obj.m_dwFlags & HHOBJ_GLOBAL_MEMBERS) {
            const CString text = memberText(obj);
            if (!text.IsEmpty()) return text;
        }
        if (!(obj.m_dwFlags & HHOBJ_CODE_ONLY) && obj.m_strName.CompareNoCase(name) == 0) {
            CString text = m_pFormater->FormatParameter(name, VT_UNKNOWN, FALSE, FALSE, TRUE);
            if (obj.m_dwFlags & HHOBJ_GLOBAL_MEMBERS) text += " (Global Members)";
            return text;
        }
    }
    return CString();
}
