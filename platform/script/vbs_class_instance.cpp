// Script class instances.

#include "platform/script/vbs_class_instance.h"
#include "platform/script/vbs_runtime.h"

namespace pm::vbs {

ClassInstance::ClassInstance(const ClassDef& def, std::shared_ptr<RuntimeLink> link)
    : m_def(&def), m_name(def.name), m_link(std::move(link)), m_fields(def.fields.size()) {}

DISPID ClassInstance::memberId(const std::string& key) const {
    if (!m_link->rt) return DISPID_UNKNOWN;
    if (auto f = m_def->fieldIndex.find(key); f != m_def->fieldIndex.end()) return f->second + 1;
    if (auto m = m_def->memberIndex.find(key); m != m_def->memberIndex.end()) return kMethodBase + m->second;
    return DISPID_UNKNOWN;
}

Value ClassInstance::call(DISPID id, WORD flags, Args& args, const Value* put) {
    if (!m_link->rt) throw ScriptError(kObjectRequired);
    return m_link->rt->callMember(*this, id, flags, args, put, false);
}

namespace {

// Instances released while another one is being deleted (the next node of a long chain): they
// are deleted one after another instead of by recursion, which a long chain would overflow.
thread_local std::vector<ClassInstance*>* t_pending = nullptr;

} // namespace

void ClassInstance::dropValues() {
    std::vector<Value> old(m_fields.size());
    old.swap(m_fields);
}

void ClassInstance::finalRelease() {
    if (!m_terminated && m_def && m_link->rt && m_def->terminate) {
        m_terminated = true;
        m_link->rt->terminate(*this);
        Release(); // deletes the object unless Class_Terminate kept a reference to it
        return;
    }
    if (t_pending) {
        t_pending->push_back(this);
        return;
    }
    std::vector<ClassInstance*> pending{this};
    t_pending = &pending;
    while (!pending.empty()) {
        ClassInstance* next = pending.back();
        pending.pop_back();
        delete next;
    }
    t_pending = nullptr;
}

} // namespace pm::vbs
