// The type-information reader.

#include "scripting/TypeInfoReader.h"

#include <functional>

namespace {

constexpr int kMaxTypeChain = 16; // pointers and aliases followed at most this deep

// Holders that release what the type information handed out.
struct TypeAttr {
    ITypeInfo* info;
    TYPEATTR* attr = nullptr;
    explicit TypeAttr(ITypeInfo* ti) : info(ti) {
        if (FAILED(ti->GetTypeAttr(&attr))) attr = nullptr;
    }
    ~TypeAttr() {
        if (attr) info->ReleaseTypeAttr(attr);
    }
};

struct FuncDesc {
    ITypeInfo* info;
    FUNCDESC* desc = nullptr;
    FuncDesc(ITypeInfo* ti, UINT i) : info(ti) {
        if (FAILED(ti->GetFuncDesc(i, &desc))) desc = nullptr;
    }
    ~FuncDesc() {
        if (desc) info->ReleaseFuncDesc(desc);
    }
};

struct VarDesc {
    ITypeInfo* info;
    VARDESC* desc = nullptr;
    VarDesc(ITypeInfo* ti, UINT i) : info(ti) {
        if (FAILED(ti->GetVarDesc(i, &desc))) desc = nullptr;
    }
    ~VarDesc() {
        if (desc) info->ReleaseVarDesc(desc);
    }
};

// The names of a member: its own and its parameters'.
struct Names {
    BSTR names[64] = {};
    UINT count = 0;
    Names(ITypeInfo* ti, MEMBERID memid) {
        if (FAILED(ti->GetNames(memid, names, 64, &count))) count = 0;
    }
    ~Names() {
        for (UINT i = 0; i < count; ++i)
            SysFreeString(names[i]);
    }
    LPCOLESTR at(UINT i) const { return i < count && names[i] ? names[i] : u""; }
};

const TYPEDESC& pointee(const TYPEDESC& td) {
    const TYPEDESC* t = &td;
    for (int i = 0; i < kMaxTypeChain && t->vt == VT_PTR && t->lptdesc; ++i)
        t = t->lptdesc;
    return *t;
}

VARTYPE typeOf(ITypeInfo* ti, const TYPEDESC& td) {
    const TYPEDESC& t = pointee(td);
    return t.vt == VT_USERDEFINED ? ResolveUserType(ti, t.hreftype, nullptr) : t.vt;
}

CString text(LPCOLESTR s) {
    return CString(pm::toBytes(s, pm::oleStrLen(s)).c_str());
}

CString helpString(ITypeInfo* ti, MEMBERID memid) {
    BSTR doc = nullptr;
    CString out;
    if (SUCCEEDED(ti->GetDocumentation(memid, nullptr, &doc, nullptr, nullptr)))
        out = pm::fromBstr(doc).c_str();
    SysFreeString(doc);
    return out;
}

CString memberName(ITypeInfo* ti, MEMBERID memid) {
    BSTR name = nullptr;
    CString out;
    if (SUCCEEDED(ti->GetDocumentation(memid, &name, nullptr, nullptr, nullptr)))
        out = pm::fromBstr(name).c_str();
    SysFreeString(name);
    return out;
}

bool passesFilter(LPCOLESTR name, LPCOLESTR filter, BOOL bCaseSensitive) {
    return !filter || MatchName(name, filter, bCaseSensitive);
}

CHHParamInfo paramOf(ITypeInfo* ti, const ELEMDESC& e, LPCOLESTR name) {
    CHHParamInfo p;
    p.m_strName = text(name);
    p.m_vt = typeOf(ti, e.tdesc);
    p.m_bByValue = e.tdesc.vt != VT_PTR;
    return p;
}

// Calls read on the default (or default source) dispinterface of every class info, or on the
// dispatch type information when the object has no class information.
HRESULT walk(IUnknown* pObject, BOOL bSource, const std::function<HRESULT(ITypeInfo*)>& read) {
    UINT count = GetClassInfoCount(pObject);
    if (count == 0) {
        if (bSource) return E_FAIL;
        pm::ComPtr<ITypeInfo> ti;
        HRESULT hr = GetDispatchTypeInfo(pObject, ti.put());
        return FAILED(hr) ? hr : read(ti.get());
    }
    for (UINT i = 0; i < count; ++i) {
        pm::ComPtr<ITypeInfo> ci, di;
        HRESULT hr = GetClassInfoAt(pObject, i, ci.put());
        if (SUCCEEDED(hr)) hr = GetDefaultDispInterface(ci.get(), di.put(), bSource);
        if (hr == TYPE_E_ELEMENTNOTFOUND) continue;
        if (FAILED(hr)) return hr;
        hr = read(di.get());
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

} // namespace

BOOL MatchName(LPCOLESTR a, LPCOLESTR b, BOOL bCaseSensitive) {
    return (bCaseSensitive ? pm::oleStrCmp(a, b) : pm::oleStrICmp(a, b)) == 0;
}

UINT GetClassInfoCount(IUnknown* pObject) {
    if (!pObject) return 0;
    pm::ComPtr<IProvideMultipleClassInfo> multi;
    ULONG count = 0;
    if (SUCCEEDED(pObject->QueryInterface(IID_IProvideMultipleClassInfo, multi.putVoid())) &&
        SUCCEEDED(multi->GetMultiTypeInfoCount(&count)))
        return count;
    pm::ComPtr<IProvideClassInfo> single;
    pm::ComPtr<ITypeInfo> ci;
    if (SUCCEEDED(pObject->QueryInterface(IID_IProvideClassInfo, single.putVoid())) &&
        SUCCEEDED(single->GetClassInfo(ci.put())) && ci)
        return 1;
    return 0;
}

HRESULT GetClassInfoAt(IUnknown* pObject, UINT nIndex, ITypeInfo** ppClassInfo) {
    if (!pObject || !ppClassInfo) return E_POINTER;
    *ppClassInfo = nullptr;
    pm::ComPtr<IProvideMultipleClassInfo> multi;
    if (SUCCEEDED(pObject->QueryInterface(IID_IProvideMultipleClassInfo, multi.putVoid())))
        return multi->GetInfoOfIndex(nIndex, MULTICLASSINFO_GETTYPEINFO, ppClassInfo, nullptr, nullptr,
                                     nullptr, nullptr);
    if (nIndex != 0) return E_INVALIDARG;
    pm::ComPtr<IProvideClassInfo> single;
    HRESULT hr = pObject->QueryInterface(IID_IProvideClassInfo, single.putVoid());
    return FAILED(hr) ? hr : single->GetClassInfo(ppClassInfo);
}

HRESULT GetDispatchTypeInfo(IUnknown* pObject, ITypeInfo** ppTypeInfo) {
    if (!pObject || !ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    pm::ComPtr<IDispatch> disp;
    HRESULT hr = pObject->QueryInterface(IID_IDispatch, disp.putVoid());
    return FAILED(hr) ? hr : disp->GetTypeInfo(0, GetUserDefaultLCID(), ppTypeInfo);
}

HRESULT GetDefaultDispInterface(ITypeInfo* pClassInfo, ITypeInfo** ppTypeInfo, BOOL bSource) {
    if (!pClassInfo || !ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    TypeAttr attr(pClassInfo);
    if (!attr.attr) return E_FAIL;
    for (UINT i = 0; i < attr.attr->cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref;
        if (FAILED(pClassInfo->GetImplTypeFlags(i, &flags))) continue;
        if (!(flags & IMPLTYPEFLAG_FDEFAULT) || (flags & IMPLTYPEFLAG_FRESTRICTED)) continue;
        if (((flags & IMPLTYPEFLAG_FSOURCE) != 0) != (bSource != FALSE)) continue;
        pm::ComPtr<ITypeInfo> impl;
        if (FAILED(pClassInfo->GetRefTypeOfImplType(i, &ref)) ||
            FAILED(pClassInfo->GetRefTypeInfo(ref, impl.put())))
            continue;
        pm::ComPtr<ITypeLib> lib;
        UINT index = 0;
        TYPEKIND kind = TKIND_MAX;
        if (FAILED(impl->GetContainingTypeLib(lib.put(), &index)) ||
            FAILED(lib->GetTypeInfoType(index, &kind)) || kind != TKIND_DISPATCH)
            continue;
        *ppTypeInfo = impl.detach();
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ReadMethods(ITypeInfo* ti, CHHMethodInfoArray& methods, LPCOLESTR lpszFilter, BOOL bCaseSensitive) {
    TypeAttr attr(ti);
    if (!attr.attr) return E_FAIL;
    bool vtable = attr.attr->typekind == TKIND_INTERFACE;
    for (UINT i = 0; i < attr.attr->cFuncs; ++i) {
        FuncDesc f(ti, i);
        if (!f.desc) continue;
        const FUNCDESC& d = *f.desc;
        if (d.wFuncFlags & (FUNCFLAG_FRESTRICTED | FUNCFLAG_FHIDDEN | FUNCFLAG_FNONBROWSABLE)) continue;
        if (d.invkind != INVOKE_FUNC) continue;
        Names names(ti, d.memid);
        if (names.count == 0 || names.at(0)[0] == u'_' ||
            !passesFilter(names.at(0), lpszFilter, bCaseSensitive))
            continue;
        CHHMethodInfo m;
        m.m_dispid = d.memid;
        m.m_strName = text(names.at(0));
        m.m_vtReturn = typeOf(ti, d.elemdescFunc.tdesc);
        if (vtable) {
            bool retval = d.cParams > 0 &&
                          (d.lprgelemdescParam[d.cParams - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
            m.m_vtReturn =
                retval ? typeOf(ti, d.lprgelemdescParam[d.cParams - 1].tdesc) : static_cast<VARTYPE>(VT_VOID);
        }
        for (SHORT p = 0; p < d.cParams; ++p) {
            const ELEMDESC& e = d.lprgelemdescParam[p];
            if (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) continue;
            CHHParamInfo param = paramOf(ti, e, names.at(p + 1));
            param.m_bOptional = (e.paramdesc.wParamFlags & PARAMFLAG_FOPT) || p >= d.cParams - d.cParamsOpt;
            m.m_params.push_back(param);
        }
        m.m_strHelp = helpString(ti, d.memid);
        methods.push_back(std::move(m));
        if (lpszFilter) break;
    }
    return S_OK;
}

HRESULT ReadEvents(ITypeInfo* ti, CHHEventInfoArray& events, LPCOLESTR lpszFilter, BOOL bCaseSensitive) {
    TypeAttr attr(ti);
    if (!attr.attr) return E_FAIL;
    for (UINT i = 0; i < attr.attr->cFuncs; ++i) {
        FuncDesc f(ti, i);
        if (!f.desc) continue;
        const FUNCDESC& d = *f.desc;
        if (d.wFuncFlags & (FUNCFLAG_FHIDDEN | FUNCFLAG_FNONBROWSABLE)) continue;
        Names names(ti, d.memid);
        if (names.count == 0 || !passesFilter(names.at(0), lpszFilter, bCaseSensitive)) continue;
        CHHEventInfo e;
        e.m_dispid = d.memid;
        e.m_strName = text(names.at(0));
        for (SHORT p = 0; p < d.cParams; ++p)
            e.m_params.push_back(paramOf(ti, d.lprgelemdescParam[p], names.at(p + 1)));
        events.push_back(std::move(e));
        if (lpszFilter) break;
    }
    return S_OK;
}

void ReadUserTypeDetail(CHHPropertyInfo& prop, ITypeInfo* ti, HREFTYPE hRef, BOOL bExpandConstants) {
    pm::ComPtr<ITypeInfo> current(ti);
    for (int depth = 0; depth < kMaxTypeChain && hRef != static_cast<HREFTYPE>(-1); ++depth) {
        pm::ComPtr<ITypeInfo> ref;
        if (FAILED(current->GetRefTypeInfo(hRef, ref.put()))) return;
        TypeAttr attr(ref.get());
        if (!attr.attr) return;
        prop.m_typeGuid = attr.attr->guid;
        switch (attr.attr->typekind) {
        case TKIND_DISPATCH:
            prop.m_vt = VT_DISPATCH;
            return;
        case TKIND_ALIAS: {
            const TYPEDESC& target = pointee(attr.attr->tdescAlias);
            prop.m_vt = target.vt;
            if (target.vt != VT_USERDEFINED) return;
            hRef = target.hreftype; // an alias of a user-defined type: read that one
            current = ref;
            continue;
        }
        case TKIND_ENUM: {
            prop.m_vt = VT_I4; // also for an enumeration without constants
            for (UINT v = 0; v < attr.attr->cVars; ++v) {
                VarDesc vd(ref.get(), v);
                if (!vd.desc || !vd.desc->lpvarValue) continue;
                if (v == 0) prop.m_vt = vd.desc->lpvarValue->vt;
                if (!bExpandConstants) break;
                CHHConstantInfo c;
                c.m_strName = memberName(ref.get(), vd.desc->memid);
                VariantCopy(&c.m_value, vd.desc->lpvarValue);
                prop.m_constants.push_back(c);
            }
            return;
        }
        default:
            prop.m_vt = VT_USERDEFINED;
            return;
        }
    }
}

VARTYPE ResolveUserType(ITypeInfo* ti, HREFTYPE hRef, GUID* pGuid) {
    pm::ComPtr<ITypeInfo> current(ti);
    for (int depth = 0; depth < kMaxTypeChain; ++depth) {
        pm::ComPtr<ITypeInfo> ref;
        if (FAILED(current->GetRefTypeInfo(hRef, ref.put()))) return VT_USERDEFINED;
        TypeAttr attr(ref.get());
        if (!attr.attr) return VT_USERDEFINED;
        if (pGuid && depth == 0) *pGuid = attr.attr->guid;
        switch (attr.attr->typekind) {
        case TKIND_ENUM:
            return VT_I4;
        case TKIND_DISPATCH:
            return VT_DISPATCH;
        case TKIND_ALIAS: {
            const TYPEDESC& target = pointee(attr.attr->tdescAlias);
            if (target.vt != VT_USERDEFINED) return target.vt;
            hRef = target.hreftype;
            current = ref;
            continue;
        }
        default:
            return VT_USERDEFINED;
        }
    }
    return VT_USERDEFINED;
}

HRESULT ReadProperties(ITypeInfo* ti, CHHPropertyInfoArray& properties, LPCOLESTR lpszFilter,
                       BOOL bCaseSensitive, BOOL bExpandConstants) {
    TypeAttr attr(ti);
    if (!attr.attr) return E_FAIL;
    bool vtable = attr.attr->typekind == TKIND_INTERFACE;
    auto accept = [&](MEMBERID memid, const TYPEDESC& type, BOOL settable) {
        CString name = memberName(ti, memid);
        std::u16string wide = pm::toUtf16(std::string(static_cast<LPCTSTR>(name), name.GetLength()));
        if (name.IsEmpty() || name[0] == '_' || !passesFilter(wide.c_str(), lpszFilter, bCaseSensitive))
            return;
        CHHPropertyInfo prop;
        prop.m_dispid = memid;
        prop.m_strName = name;
        prop.m_bSettable = settable;
        prop.m_strHelp = helpString(ti, memid);
        const TYPEDESC& t = pointee(type);
        prop.m_vt = t.vt;
        if (t.vt == VT_USERDEFINED) ReadUserTypeDetail(prop, ti, t.hreftype, bExpandConstants);
        properties.push_back(std::move(prop));
    };
    for (UINT i = 0; i < attr.attr->cVars; ++i) {
        VarDesc v(ti, i);
        if (!v.desc || (v.desc->wVarFlags & (VARFLAG_FRESTRICTED | VARFLAG_FNONBROWSABLE))) continue;
        if (v.desc->elemdescVar.tdesc.vt == VT_VOID) continue;
        accept(v.desc->memid, v.desc->elemdescVar.tdesc, TRUE);
    }
    MEMBERID remembered = MEMBERID_NIL;
    bool previousWasPut = false;
    for (UINT i = 0; i < attr.attr->cFuncs; ++i) {
        FuncDesc f(ti, i);
        if (!f.desc) continue;
        const FUNCDESC& d = *f.desc;
        if ((d.wFuncFlags & (FUNCFLAG_FRESTRICTED | FUNCFLAG_FNONBROWSABLE)) || d.invkind == INVOKE_FUNC)
            continue;
        const TYPEDESC& type =
            vtable && d.cParams > 0 ? d.lprgelemdescParam[d.cParams - 1].tdesc : d.elemdescFunc.tdesc;
        if (d.invkind == INVOKE_PROPERTYGET) {
            accept(d.memid, type, previousWasPut && remembered == d.memid);
            remembered = d.memid;
            previousWasPut = false;
            continue;
        }
        if (remembered == d.memid && !properties.empty() && properties.back().m_dispid == d.memid)
            properties.back().m_bSettable = TRUE;
        else
            remembered = d.memid;
        previousWasPut = true;
    }
    return S_OK;
}

HRESULT FindMemberType(ITypeInfo* ti, LPCOLESTR lpszMember, ITypeInfo** ppTypeInfo, BOOL bCaseSensitive) {
    if (!ti || !ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    TypeAttr attr(ti);
    if (!attr.attr) return E_FAIL;
    auto found = [&](MEMBERID memid, const TYPEDESC& type) {
        const TYPEDESC& t = pointee(type);
        if (t.vt != VT_USERDEFINED) return false;
        Names names(ti, memid);
        if (names.count == 0 || !MatchName(names.at(0), lpszMember, bCaseSensitive)) return false;
        return SUCCEEDED(ti->GetRefTypeInfo(t.hreftype, ppTypeInfo));
    };
    for (UINT i = 0; i < attr.attr->cVars; ++i) {
        VarDesc v(ti, i);
        if (!v.desc || (v.desc->wVarFlags & (VARFLAG_FHIDDEN | VARFLAG_FRESTRICTED | VARFLAG_FNONBROWSABLE)))
            continue;
        if (found(v.desc->memid, v.desc->elemdescVar.tdesc)) return S_OK;
    }
    for (UINT i = 0; i < attr.attr->cFuncs; ++i) {
        FuncDesc f(ti, i);
        if (!f.desc || f.desc->invkind == INVOKE_FUNC) continue;
        if (f.desc->wFuncFlags & (FUNCFLAG_FRESTRICTED | FUNCFLAG_FHIDDEN | FUNCFLAG_FNONBROWSABLE)) continue;
        if (found(f.desc->memid, f.desc->elemdescFunc.tdesc)) return S_OK;
    }
    return S_FALSE;
}

HRESULT FindMemberObjectType(IUnknown* pObject, LPCOLESTR lpszMember, ITypeInfo** ppTypeInfo,
                             BOOL bCaseSensitive) {
    if (!ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    HRESULT result = S_FALSE;
    HRESULT hr = walk(pObject, FALSE, [&](ITypeInfo* ti) {
        if (result == S_OK) return S_OK;
        HRESULT r = FindMemberType(ti, lpszMember, ppTypeInfo, bCaseSensitive);
        if (FAILED(r)) return r;
        result = r;
        return S_OK;
    });
    return FAILED(hr) ? hr : result;
}

BOOL HasEventInterface(IUnknown* pObject) {
    UINT count = GetClassInfoCount(pObject);
    for (UINT i = 0; i < count; ++i) {
        pm::ComPtr<ITypeInfo> ci, events;
        if (SUCCEEDED(GetClassInfoAt(pObject, i, ci.put())) &&
            SUCCEEDED(GetDefaultDispInterface(ci.get(), events.put(), TRUE)))
            return TRUE;
    }
    return FALSE;
}

HRESULT CollectEvents(IUnknown* pObject, CHHEventInfoArray& events, LPCOLESTR lpszFilter,
                      BOOL bCaseSensitive) {
    return walk(pObject, TRUE,
                [&](ITypeInfo* ti) { return ReadEvents(ti, events, lpszFilter, bCaseSensitive); });
}

HRESULT CollectMethods(IUnknown* pObject, CHHMethodInfoArray& methods, LPCOLESTR lpszFilter,
                       BOOL bCaseSensitive) {
    return walk(pObject, FALSE,
                [&](ITypeInfo* ti) { return ReadMethods(ti, methods, lpszFilter, bCaseSensitive); });
}

HRESULT CollectProperties(IUnknown* pObject, CHHPropertyInfoArray& properties, LPCOLESTR lpszFilter,
                          BOOL bCaseSensitive, BOOL bExpandConstants) {
    return walk(pObject, FALSE, [&](ITypeInfo* ti) {
        return ReadProperties(ti, properties, lpszFilter, bCaseSensitive, bExpandConstants);
    });
}
