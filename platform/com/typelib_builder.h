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
struct TypeSpec {
    VARTYPE vt = VT_EMPTY;
    std::string userType;
    int pointerLevels = 0;

    TypeSpec() = default;
    TypeSpec(VARTYPE v) : vt(v) {}
    static TypeSpec user(std::string name) {
        TypeSpec t(VT_USERDEFINED);
        t.userType = std::move(name);
        return t;
    }
    static TypeSpec pointerTo(TypeSpec inner) {
        inner.pointerLevels++;
        return inner;
    }
};

struct ParamSpec {
    std::string name;
    TypeSpec type;
    USHORT flags = PARAMFLAG_NONE;
};

struct FuncSpec {
    std::string name;
    MEMBERID memid = 0;
    INVOKEKIND invkind = INVOKE_FUNC;
    TypeSpec result = VT_VOID;
    std::vector<ParamSpec> params;
    SHORT cParamsOpt = 0;
    WORD flags = 0;
    std::string doc;
};

struct VarSpec {
    std::string name;
    MEMBERID memid = 0;
    TypeSpec type;
    WORD flags = 0;
    std::string doc;
    VARKIND kind = VAR_DISPATCH;
    LONG constValue = 0; // VAR_CONST values are VT_I4
};

struct ImplSpec {
    std::string typeName;
    INT flags = 0;
};

struct TypeSpecification {
    std::string name;
    GUID guid{};
    TYPEKIND kind = TKIND_DISPATCH;
    WORD typeFlags = 0;
    std::string doc;
    std::vector<FuncSpec> funcs;
    std::vector<VarSpec> vars;
    std::vector<ImplSpec> impls;
    TypeSpec aliasOf;
};

class TypeLibBuilder {
public:
    TypeLibBuilder(const GUID& libid, std::string name, WORD major = 1, WORD minor = 0);

    // Adds a type and returns its description for filling in.
    TypeSpecification& addType(std::string name, const GUID& guid, TYPEKIND kind);
    TypeSpecification& dispinterface(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_DISPATCH);
    }
    TypeSpecification& coclass(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_COCLASS);
    }
    TypeSpecification& enumeration(std::string name, const GUID& guid) {
        return addType(std::move(name), guid, TKIND_ENUM);
    }

    // Builds the library (one reference for the caller); null when a type name does not resolve.
    ITypeLib* build() const;

private:
    GUID m_libid;
    std::string m_name;
    WORD m_major, m_minor;
    std::vector<std::unique_ptr<TypeSpecification>> m_types;
};

// Convenience: adds an enumeration constant / a dispinterface property / a method.
void addConstant(TypeSpecification& type, std::string name, LONG value);
void addProperty(TypeSpecification& type, std::string name, MEMBERID memid, TypeSpec vt, WORD flags = 0);
FuncSpec& addMethod(TypeSpecification& type, std::string name, MEMBERID memid, TypeSpec result,
                    std::vector<ParamSpec> params = {});

} // namespace pm
