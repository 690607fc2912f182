// Type libraries described in code: the builder, the ITypeLib and ITypeInfo objects it makes, and
// the in-process library registry.

#include "platform/com/typelib_builder.h"
#include "platform/com/comptr.h"

#include <cctype>
#include <cstring>
#include <deque>
#include <mutex>

namespace pm {

namespace {

class TypeLibImpl;

bool sameNameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

struct FuncBlock {
    FUNCDESC desc; // first, so the FUNCDESC pointer is the block's
    std::vector<ELEMDESC> params;
};

struct VarBlock {
    VARDESC desc;
    VARIANT value;
};

class TypeInfoImpl final : public ITypeInfo {
public:
    TypeInfoImpl(TypeLibImpl* lib, UINT index, const TypeDecl& decl)
        : m_lib(lib), m_index(index), m_decl(decl) {}

    // Resolves the named types of every description; false when one is unknown.
    bool resolve(const std::vector<std::unique_ptr<TypeInfoImpl>>& all);
    const TypeDecl& decl() const { return m_decl; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_ITypeInfo)
            return answerInterface(static_cast<ITypeInfo*>(this), ppv);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** pp) override {
        if (!pp) return E_INVALIDARG;
        auto* a = new TYPEATTR{};
        a->guid = m_decl.guid;
        a->lcid = 0;
        a->memidConstructor = MEMBERID_NIL;
        a->memidDestructor = MEMBERID_NIL;
        a->typekind = m_decl.kind;
        a->cFuncs = static_cast<WORD>(m_decl.funcs.size());
        a->cVars = static_cast<WORD>(m_decl.vars.size());
        a->cImplTypes = static_cast<WORD>(m_decl.impls.size());
        a->cbAlignment = 8;
        a->wTypeFlags = m_decl.typeFlags;
        a->wMajorVerNum = 1;
        a->tdescAlias = m_aliasDesc ? *m_aliasDesc : TYPEDESC{};
        *pp = a;
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* p) override { delete p; }

    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** pp) override {
        if (!pp) return E_INVALIDARG;
        if (index >= m_decl.funcs.size()) return TYPE_E_ELEMENTNOTFOUND;
        const FuncDecl& f = m_decl.funcs[index];
        auto* block = new FuncBlock{};
        FUNCDESC& d = block->desc;
        d.memid = f.memid;
        d.funckind = m_decl.kind == TKIND_DISPATCH ? FUNC_DISPATCH : FUNC_PUREVIRTUAL;
        d.invkind = f.invkind;
        d.callconv = CC_STDCALL;
        d.cParams = static_cast<SHORT>(f.params.size());
        d.cParamsOpt = f.cParamsOpt;
        d.wFuncFlags = f.flags;
        d.elemdescFunc.tdesc = *m_funcResult[index];
        for (size_t i = 0; i < f.params.size(); ++i) {
            ELEMDESC e{};
            e.tdesc = *m_funcParams[index][i];
            e.paramdesc.wParamFlags = f.params[i].flags;
            block->params.push_back(e);
        }
        d.lprgelemdescParam = block->params.empty() ? nullptr : block->params.data();
        *pp = &block->desc;
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* p) override { delete reinterpret_cast<FuncBlock*>(p); }

    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** pp) override {
        if (!pp) return E_INVALIDARG;
        if (index >= m_decl.vars.size()) return TYPE_E_ELEMENTNOTFOUND;
        const VarDecl& v = m_decl.vars[index];
        auto* block = new VarBlock{};
        VARDESC& d = block->desc;
        d.memid = v.memid;
        d.varkind = v.kind;
        d.wVarFlags = v.flags;
        d.elemdescVar.tdesc = *m_varTypes[index];
        if (v.kind == VAR_CONST) {
            VariantInit(&block->value);
            block->value.vt = VT_I4;
            block->value.lVal = v.constValue;
            d.lpvarValue = &block->value;
        }
        *pp = &block->desc;
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC* p) override { delete reinterpret_cast<VarBlock*>(p); }

    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID memid, BSTR* names, UINT cMax, UINT* pc) override {
        if (!names || !pc) return E_INVALIDARG;
        *pc = 0;
        for (const FuncDecl& f : m_decl.funcs) {
            if (f.memid != memid) continue;
            if (cMax > 0) names[(*pc)++] = toBstr(f.name);
            for (size_t i = 0; i < f.params.size() && *pc < cMax; ++i)
                names[(*pc)++] = toBstr(f.params[i].name);
            return S_OK;
        }
        for (const VarDecl& v : m_decl.vars)
            if (v.memid == memid) {
                if (cMax > 0) names[(*pc)++] = toBstr(v.name);
                return S_OK;
            }
        return TYPE_E_ELEMENTNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* p) override {
        if (!p) return E_INVALIDARG;
        if (index >= m_implRefs.size()) return TYPE_E_ELEMENTNOTFOUND;
        *p = m_implRefs[index];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* p) override {
        if (!p) return E_INVALIDARG;
        if (index >= m_decl.impls.size()) return TYPE_E_ELEMENTNOTFOUND;
        *p = m_decl.impls[index].flags;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* names, UINT cNames, MEMBERID* ids) override {
        if (!names || !ids || cNames == 0) return E_INVALIDARG;
        std::string name = toBytes(names[0], oleStrLen(names[0]));
        for (const FuncDecl& f : m_decl.funcs)
            if (sameNameNoCase(f.name, name)) return paramIds(f, names, cNames, ids);
        for (const VarDecl& v : m_decl.vars)
            if (sameNameNoCase(v.name, name)) {
                ids[0] = v.memid;
                for (UINT i = 1; i < cNames; ++i)
                    ids[i] = MEMBERID_NIL;
                return cNames > 1 ? DISP_E_UNKNOWNNAME : S_OK;
            }
        for (UINT i = 0; i < cNames; ++i)
            ids[i] = MEMBERID_NIL;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* name, BSTR* doc, DWORD* ctx,
                                               BSTR* helpFile) override {
        const std::string* n = nullptr;
        const std::string* d = nullptr;
        if (memid == MEMBERID_NIL) {
            n = &m_decl.name;
            d = &m_decl.doc;
        }
        for (const FuncDecl& f : m_decl.funcs)
            if (!n && f.memid == memid) n = &f.name, d = &f.doc;
        for (const VarDecl& v : m_decl.vars)
            if (!n && v.memid == memid) n = &v.name, d = &v.doc;
        if (!n) return TYPE_E_ELEMENTNOTFOUND;
        if (name) *name = toBstr(*n);
        if (doc) *doc = d->empty() ? nullptr : toBstr(*d);
        if (ctx) *ctx = 0;
        if (helpFile) *helpFile = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE ref, ITypeInfo** pp) override;
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** pp, UINT* index) override;

private:
    HRESULT paramIds(const FuncDecl& f, LPOLESTR* names, UINT cNames, MEMBERID* ids) {
        ids[0] = f.memid;
        HRESULT hr = S_OK;
        for (UINT i = 1; i < cNames; ++i) {
            ids[i] = MEMBERID_NIL;
            std::string p = toBytes(names[i], oleStrLen(names[i]));
            for (size_t k = 0; k < f.params.size(); ++k)
                if (sameNameNoCase(f.params[k].name, p)) ids[i] = static_cast<MEMBERID>(k);
            if (ids[i] == MEMBERID_NIL) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    const TYPEDESC* makeDesc(const TypeRef& t, const std::vector<std::unique_ptr<TypeInfoImpl>>& all,
                             bool& ok);

    TypeLibImpl* m_lib;
    UINT m_index;
    TypeDecl m_decl;
    std::deque<TYPEDESC> m_descs; // stable storage for every TYPEDESC handed out
    std::vector<const TYPEDESC*> m_funcResult;
    std::vector<std::vector<const TYPEDESC*>> m_funcParams;
    std::vector<const TYPEDESC*> m_varTypes;
    std::vector<HREFTYPE> m_implRefs;
    const TYPEDESC* m_aliasDesc = nullptr;
};

class TypeLibImpl final : public ComObject<ITypeLib> {
public:
    TypeLibImpl(const GUID& libid, std::string name, WORD major, WORD minor)
        : m_libid(libid), m_name(std::move(name)), m_major(major), m_minor(minor) {}

    std::vector<std::unique_ptr<TypeInfoImpl>> types;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_ITypeLib)
            return answerInterface(static_cast<ITypeLib*>(this), ppv);
        return E_NOINTERFACE;
    }
    UINT STDMETHODCALLTYPE GetTypeInfoCount() override { return static_cast<UINT>(types.size()); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, ITypeInfo** pp) override {
        if (!pp) return E_INVALIDARG;
        *pp = nullptr;
        if (index >= types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *pp = types[index].get();
        (*pp)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoType(UINT index, TYPEKIND* kind) override {
        if (!kind) return E_INVALIDARG;
        if (index >= types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *kind = types[index]->decl().kind;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** pp) override {
        if (!pp) return E_INVALIDARG;
        *pp = nullptr;
        for (auto& t : types)
            if (t->decl().guid == guid) {
                *pp = t.get();
                (*pp)->AddRef();
                return S_OK;
            }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE GetLibAttr(TLIBATTR** pp) override {
        if (!pp) return E_INVALIDARG;
        *pp = new TLIBATTR{m_libid, 0, SYS_WIN64, m_major, m_minor, 0};
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseTLibAttr(TLIBATTR* p) override { delete p; }
    HRESULT STDMETHODCALLTYPE GetDocumentation(INT index, BSTR* name, BSTR* doc, DWORD* ctx,
                                               BSTR* helpFile) override {
        if (index == -1) {
            if (name) *name = toBstr(m_name);
            if (doc) *doc = nullptr;
            if (ctx) *ctx = 0;
            if (helpFile) *helpFile = nullptr;
            return S_OK;
        }
        if (index < 0 || static_cast<size_t>(index) >= types.size()) return TYPE_E_ELEMENTNOTFOUND;
        return types[index]->GetDocumentation(MEMBERID_NIL, name, doc, ctx, helpFile);
    }

    const std::string& name() const { return m_name; }

private:
    GUID m_libid;
    std::string m_name;
    WORD m_major, m_minor;
};

ULONG TypeInfoImpl::AddRef() {
    return m_lib->AddRef();
}
ULONG TypeInfoImpl::Release() {
    return m_lib->Release();
}

HRESULT TypeInfoImpl::GetRefTypeInfo(HREFTYPE ref, ITypeInfo** pp) {
    return m_lib->GetTypeInfo(ref, pp);
}

HRESULT TypeInfoImpl::GetContainingTypeLib(ITypeLib** pp, UINT* index) {
    if (!pp) return E_INVALIDARG;
    *pp = m_lib;
    m_lib->AddRef();
    if (index) *index = m_index;
    return S_OK;
}

const TYPEDESC* TypeInfoImpl::makeDesc(const TypeRef& t,
                                       const std::vector<std::unique_ptr<TypeInfoImpl>>& all, bool& ok) {
    TYPEDESC base{};
    base.vt = t.vt;
    if (t.vt == VT_USERDEFINED) {
        base.hreftype = static_cast<HREFTYPE>(-1);
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i]->decl().name == t.userType) base.hreftype = static_cast<HREFTYPE>(i);
        if (base.hreftype == static_cast<HREFTYPE>(-1)) ok = false;
    }
    m_descs.push_back(base);
    TYPEDESC* cur = &m_descs.back();
    for (int i = 0; i < t.pointerLevels; ++i) {
        TYPEDESC ptr{};
        ptr.vt = VT_PTR;
        ptr.lptdesc = cur;
        m_descs.push_back(ptr);
        cur = &m_descs.back();
    }
    return cur;
}

bool TypeInfoImpl::resolve(const std::vector<std::unique_ptr<TypeInfoImpl>>& all) {
    bool ok = true;
    for (const FuncDecl& f : m_decl.funcs) {
        m_funcResult.push_back(makeDesc(f.result, all, ok));
        std::vector<const TYPEDESC*> params;
        for (const ParamDecl& p : f.params)
            params.push_back(makeDesc(p.type, all, ok));
        m_funcParams.push_back(std::move(params));
    }
    for (const VarDecl& v : m_decl.vars)
        m_varTypes.push_back(makeDesc(v.type, all, ok));
    for (const ImplDecl& impl : m_decl.impls) {
        HREFTYPE ref = static_cast<HREFTYPE>(-1);
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i]->decl().name == impl.typeName) ref = static_cast<HREFTYPE>(i);
        if (ref == static_cast<HREFTYPE>(-1)) ok = false;
        m_implRefs.push_back(ref);
    }
    if (m_decl.kind == TKIND_ALIAS) m_aliasDesc = makeDesc(m_decl.aliasOf, all, ok);
    return ok;
}

struct RegisteredLib {
    GUID libid;
    WORD major, minor;
    std::string name;
    ComPtr<ITypeLib> lib;
};

std::mutex& libMutex() {
    static std::mutex m;
    return m;
}

std::vector<RegisteredLib>& libraries() {
    static std::vector<RegisteredLib> list;
    return list;
}

} // namespace

TypeLibBuilder::TypeLibBuilder(const GUID& libid, std::string name, WORD major, WORD minor)
    : m_libid(libid), m_name(std::move(name)), m_major(major), m_minor(minor) {}

TypeDecl& TypeLibBuilder::addType(std::string name, const GUID& guid, TYPEKIND kind) {
    auto decl = std::make_unique<TypeDecl>();
    decl->name = std::move(name);
    decl->guid = guid;
    decl->kind = kind;
    m_types.push_back(std::move(decl));
    return *m_types.back();
}

ITypeLib* TypeLibBuilder::build() const {
    auto* lib = new TypeLibImpl(m_libid, m_name, m_major, m_minor);
    for (size_t i = 0; i < m_types.size(); ++i)
        lib->types.push_back(std::make_unique<TypeInfoImpl>(lib, static_cast<UINT>(i), *m_types[i]));
    for (auto& t : lib->types)
        if (!t->resolve(lib->types)) {
            lib->Release();
            return nullptr;
        }
    return lib;
}

void addConstant(TypeDecl& type, std::string name, LONG value) {
    VarDecl v;
    v.name = std::move(name);
    v.memid = static_cast<MEMBERID>(0x40000000 + type.vars.size());
    v.type = VT_I4;
    v.kind = VAR_CONST;
    v.constValue = value;
    type.vars.push_back(std::move(v));
}

void addProperty(TypeDecl& type, std::string name, MEMBERID memid, TypeRef vt, WORD flags) {
    VarDecl v;
    v.name = std::move(name);
    v.memid = memid;
    v.type = std::move(vt);
    v.flags = flags;
    type.vars.push_back(std::move(v));
}

FuncDecl& addMethod(TypeDecl& type, std::string name, MEMBERID memid, TypeRef result,
                    std::vector<ParamDecl> params) {
    FuncDecl f;
    f.name = std::move(name);
    f.memid = memid;
    f.result = std::move(result);
    f.params = std::move(params);
    type.funcs.push_back(std::move(f));
    return type.funcs.back();
}

} // namespace pm

HRESULT RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR, LPCOLESTR) {
    if (!ptlib) return E_INVALIDARG;
    TLIBATTR* attr = nullptr;
    HRESULT hr = ptlib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    BSTR name = nullptr;
    ptlib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    pm::RegisteredLib entry{attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, pm::fromBstr(name), ptlib};
    SysFreeString(name);
    ptlib->ReleaseTLibAttr(attr);
    std::lock_guard<std::mutex> lock(pm::libMutex());
    auto& list = pm::libraries();
    for (auto& e : list)
        if (e.libid == entry.libid && e.major == entry.major && e.minor == entry.minor) {
            e = std::move(entry);
            return S_OK;
        }
    list.push_back(std::move(entry));
    return S_OK;
}

HRESULT UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID, SYSKIND) {
    std::lock_guard<std::mutex> lock(pm::libMutex());
    auto& list = pm::libraries();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->libid == libID && it->major == wVerMajor && it->minor == wVerMinor) {
            list.erase(it);
            return S_OK;
        }
    return TYPE_E_LIBNOTREGISTERED;
}

HRESULT LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor, LCID, ITypeLib** pptlib) {
    if (!pptlib) return E_INVALIDARG;
    *pptlib = nullptr;
    std::lock_guard<std::mutex> lock(pm::libMutex());
    const pm::RegisteredLib* best = nullptr;
    for (const auto& e : pm::libraries())
        if (e.libid == rguid && e.major == wVerMajor && e.minor >= wVerMinor &&
            (!best || e.minor > best->minor))
            best = &e;
    if (!best) return TYPE_E_LIBNOTREGISTERED;
    *pptlib = best->lib.get();
    (*pptlib)->AddRef();
    return S_OK;
}

HRESULT LoadTypeLib(LPCOLESTR szFile, ITypeLib** pptlib) {
    if (!pptlib || !szFile) return E_INVALIDARG;
    *pptlib = nullptr;
    std::string name = pm::toBytes(szFile, pm::oleStrLen(szFile));
    std::lock_guard<std::mutex> lock(pm::libMutex());
    for (const auto& e : pm::libraries())
        if (pm::sameNameNoCase(e.name, name)) {
            *pptlib = e.lib.get();
            (*pptlib)->AddRef();
            return S_OK;
        }
    return TYPE_E_CANTLOADLIBRARY;
}
