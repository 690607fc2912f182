#pragma once
// An instance of a script Class: its variables, and calls of its methods and properties through
// the interpreter that defined the class. Class_Terminate runs when the last reference goes.

#include "platform/script/vbs_ast.h"
#include "platform/script/vbs_auto_object.h"

namespace pm::vbs {

class ClassInstance final : public AutoObject {
public:
    ClassInstance(const ClassDef& def, std::shared_ptr<RuntimeLink> link);

    const ClassDef& definition() const { return *m_def; }
    std::vector<Value>& fields() { return m_fields; }

    DISPID memberId(const std::string& key) const override;
    // A call from outside the class: private members are not reachable.
    Value call(DISPID id, WORD flags, Args& args, const Value* put) override;
    std::string typeName() const override { return m_name; }
    const void* shape() const override { return m_def; }
    void dropValues() override;
    ClassInstance* classInstance() override { return this; }

protected:
    void finalRelease() override;

private:
    const ClassDef* m_def;
    std::string m_name;
    std::shared_ptr<RuntimeLink> m_link;
    std::vector<Value> m_fields;
    bool m_terminated = false;
};

} // namespace pm::vbs
