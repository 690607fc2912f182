#pragma once
// AutoObject: the base of the automation objects the engine makes itself (class instances,
// procedure references, regular expressions, the scripting runtime's objects). Members are called
// with Values; IDispatch callers get the same members through Invoke, and the interpreter calls
// them directly without converting to VARIANTs.

#include "platform/script/vbs_value.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace pm::vbs {

class Runtime;
class ClassInstance;

// The interpreter an object calls back into; rt is null once that interpreter is gone.
struct RuntimeLink {
    Runtime* rt = nullptr;
};

// The arguments of a member call: each points at the caller's storage (a variable when passed by
// reference, else a temporary), first argument first.
using Args = std::vector<Value*>;

class AutoObject : public IDispatch {
public:
    AutoObject() = default;
    AutoObject(const AutoObject&) = delete;
    AutoObject& operator=(const AutoObject&) = delete;

    // The member of that lower-case name, or DISPID_UNKNOWN.
    virtual DISPID memberId(const std::string& key) const = 0;
    // Calls a member (flags are the DISPATCH_ values; put is the value of a property put) and
    // throws ScriptError on failure. DISPID_NEWENUM answers the object's enumerator.
    virtual Value call(DISPID id, WORD flags, Args& args, const Value* put) = 0;
    // The name TypeName gives.
    virtual std::string typeName() const = 0;
    // A stamp that stays the same for objects whose member ids are the same (their class).
    virtual const void* shape() const = 0;
    // The elements For Each walks; false when the object is no collection.
    virtual bool enumerate(std::vector<Value>&) { return false; }
    // Empties what the object holds; run by the interpreter that made it when that one ends, so
    // that objects holding each other (a cycle) are freed.
    virtual void dropValues() {}
    // The object as an instance of a script class, or null: the interpreter asks on every call.
    virtual ClassInstance* classInstance() { return nullptr; }
    // Makes the object one the interpreter behind link drops the values of when it ends.
    void setOwner(std::shared_ptr<RuntimeLink> link) { m_owner = std::move(link); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;

protected:
    virtual ~AutoObject();
    // Called when the last reference goes; deletes the object by default.
    virtual void finalRelease() { delete this; }
    ULONG refCount() const { return m_refs; }

private:
    HRESULT newEnum(VARIANT* result);

    std::atomic<ULONG> m_refs{1};
    std::shared_ptr<RuntimeLink> m_owner;
};

// A value holding a new object (taking over its first reference).
Value objectValue(AutoObject* fresh);

// The AutoObject behind an object, or null for other objects and null.
AutoObject* autoObjectOf(IDispatch* obj);

// A member table: names (lower case) and their ids.
struct MemberName {
    const char* key;
    DISPID id;
};
DISPID findMember(const MemberName* begin, const MemberName* end, const std::string& key);

// Argument helpers for members: the count check (error 450) and optional arguments.
void checkArgCount(const Args& args, size_t min, size_t max);
const Value* optionalArg(const Args& args, size_t i); // null when absent or omitted

} // namespace pm::vbs
