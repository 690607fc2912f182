#pragma once
// VectorCollection: the base of the runtime's read-only collections (the Files and Folders of a
// folder, Matches, SubMatches): Count, Item (the default member) and For Each over a list of values.
// A collection says how Item finds an element.

#include "platform/script/vbs_auto_object.h"

#include <string>
#include <vector>

namespace pm::vbs {

class VectorCollection : public AutoObject {
public:
    DISPID memberId(const std::string& key) const final;
    Value call(DISPID id, WORD flags, Args& args, const Value* put) final;
    std::string typeName() const final { return m_typeName; }
    const void* shape() const final { return &kShape; }
    bool enumerate(std::vector<Value>& out) final;

protected:
    VectorCollection(std::vector<Value> items, const char* typeName)
        : m_items(std::move(items)), m_typeName(typeName) {}
    // The element Item's one argument names; throws ScriptError when there is none.
    virtual const Value& item(const Value& key) const = 0;
    const std::vector<Value>& items() const { return m_items; }

private:
    static constexpr char kShape = 0;
    enum : DISPID { kCount = 1 };
    std::vector<Value> m_items;
    const char* m_typeName;
};

} // namespace pm::vbs
