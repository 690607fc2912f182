#pragma once
// Describes a type library in code and builds an ITypeLib from the description. Types refer to
// other types of the same library by name; the names are resolved when the library is built.

#include "platform/com/typeinfo.h"
#include "platform/com/oleauto.h"

#include <memory>
#include <string>
#include <vector>

namespace pm {

// A type as written in a description: a VARTYPE, a named type of the library (VT_USERDEFINED), or
// a pointer to either.
struct TypeRef {
    VARTYPE vt = VT_EMPTY;
    std::string userType;
    int pointerLevels = 0;

    TypeRef() = default;
    TypeRef(VARTYPE v) : vt(v) {}
    static TypeRef user(std::string name) {
        TypeRef t(VT_USERDEFINED);
        t.userType = std::move(name);
        return t;
    }
    static TypeRef pointerTo(TypeRef inner) {
        inner.pointerLevels++;
        return inner;
    }
};

struct ParamDecl {
    std::string name;
    TypeRef type;
    USHORT flags = PARAMFLAG_NONE;
};

struct FuncDecl {
    std::string name;
    MEMBERID memid = 0;
    INVOKEKIND invkind = INVOKE_FUNC;
    TypeRef result = VT_VOID;
    std::vector<ParamDecl> params;
    SHORT cParamsOpt = 0;
    WORD flags = 0;
    std::string doc;
};

struct VarDecl {
    std::string name;
    MEMBERID memid = 0;
    TypeRef type;
    WORD flags = 0;
    std::string doc;
    VARKIND kind = VAR_DISPATCH;
    LONG constValue = 0; // VAR_CONST values are VT_I4
};

struct ImplDecl {
    std::string typeName;
    INT flags = 0;
};

struct TypeDecl {
    std::string name;
    GUID guid{};
    TYPEKIND kind = TKIND_DISPATCH;
    WORD typeFlags = 0;
    std::string doc;
    std::vector<FuncDecl> funcs;
    std::vector<VarDecl> vars;
    std::vector<ImplDecl> impls;
    TypeRef aliasOf;
};

class TypeLibBuilder {
public:
    TypeLibBuilder(const GUID& libid, std::string name, WORD major = 1, WORD minor = 0);

    // Adds a type and returns its description for filling in.
    TypeDecl& addType(std::string name, const GUID& guid, TYPEKIND kind);
    TypeDecl& dispinterface(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_DISPATCH);
    }
    TypeDecl& coclass(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_COCLASS);
    }
    TypeDecl& enumeration(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_ENUM);
    }

    // Builds the library (one reference for the caller); null when a type name does not resolve.
    ITypeLib* build() const;

private:
    GUID m_libid;
    std::string m_name;
    WORD m_major, m_minor;
    std::vector<std::unique_ptr<TypeDecl>> m_types;
};

// Convenience: adds an enumeration constant / a dispinterface property / a method.
void addConstant(TypeDecl& type, std::string name, LONG value);
void addProperty(TypeDecl& type, std::string name, MEMBERID memid, TypeRef vt, WORD flags = 0);
FuncDecl& addMethod(TypeDecl& type, std::string name, MEMBERID memid, TypeRef result,
                    std::vector<ParamDecl> params = {});

} // namespace pm
