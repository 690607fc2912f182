// The runtime's read-only collections: Count, Item and For Each.

#include "platform/script/runtime/vector_collection.h"

#include <iterator>

namespace pm::vbs {

DISPID VectorCollection::memberId(const std::string& key) const {
    static const MemberName names[] = {{"item", DISPID_VALUE}, {"count", kCount}};
    return findMember(std::begin(names), std::end(names), key);
}

Value VectorCollection::call(DISPID id, WORD, Args& args, const Value* put) {
    if (put) throw ScriptError(kNoSuchMember);
    if (id == kCount) return Value::longInt(static_cast<int32_t>(m_items.size()));
    if (id != DISPID_VALUE) throw ScriptError(kNoSuchMember);
    checkArgCount(args, 1, 1);
    return item(*args[0]);
}

bool VectorCollection::enumerate(std::vector<Value>& out) {
    out = m_items;
    return true;
}

} // namespace pm::vbs
