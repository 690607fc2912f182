// Script classes, With, Execute, GetRef and the global scope as an object.

#include "platform/script/runtime/regexp.h"
#include "platform/script/vbs_parser.h"
#include "platform/script/vbs_runtime.h"

namespace pm::vbs {

namespace {

Value* elementAt(Value& arrayValue, Args& args) {
    if (!arrayValue.isArray()) throw ScriptError(kTypeMismatch);
    std::vector<int32_t> indexes(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        indexes[i] = toLong(*args[i]);
    Value* cell = arrayValue.arr()->at(indexes.data(), indexes.size());
    if (!cell) throw ScriptError(kSubscriptOutOfRange);
    return cell;
}

// GetRef's object: its default member calls the procedure.
class ProcedureReference final : public AutoObject {
public:
    ProcedureReference(Procedure& proc, std::shared_ptr<RuntimeLink> link)
        : m_proc(&proc), m_link(std::move(link)) {}
    DISPID memberId(const std::string&) const override { return DISPID_UNKNOWN; }
    Value call(DISPID id, WORD flags, Args& args, const Value* put) override {
        if (id != DISPID_VALUE || put || !(flags & DISPATCH_METHOD)) throw ScriptError(kNoSuchMember);
        if (!m_link->rt) throw ScriptError(kObjectRequired);
        return m_link->rt->callProcedure(*m_proc, args);
    }
    std::string typeName() const override { return "Object"; }
    const void* shape() const override { return m_proc; }

private:
    Procedure* m_proc;
    std::shared_ptr<RuntimeLink> m_link;
};

// GetScriptDispatch's object: the global variables and procedures.
class ScriptScope final : public AutoObject {
public:
    explicit ScriptScope(std::shared_ptr<RuntimeLink> link) : m_link(std::move(link)) {}
    DISPID memberId(const std::string& key) const override {
        return m_link->rt ? m_link->rt->scriptMemberId(key) : DISPID_UNKNOWN;
    }
    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (!m_link->rt) throw ScriptError(kObjectRequired);
        return m_link->rt->callScriptMember(id, args, put);
    }
    std::string typeName() const override { return "Object"; }
    const void* shape() const override { return m_link.get(); }

private:
    std::shared_ptr<RuntimeLink> m_link;
};

} // namespace

Value Runtime::newInstance(ClassDef& def) {
    pm::ComPtr<ClassInstance> inst;
    inst.attach(new ClassInstance(def, m_link));
    adopt(*inst.get());
    for (size_t i = 0; i < def.fields.size(); ++i) {
        ClassDef::Field& f = def.fields[i];
        if (!f.isArray) continue;
        if (f.bounds.empty()) {
            inst->fields()[i] = Value::array(std::make_shared<Array>());
            continue;
        }
        auto a = Array::create(evalBounds(f.bounds));
        a->fixed = true;
        inst->fields()[i] = Value::array(std::move(a));
    }
    if (def.initialize) {
        Args none;
        callProcedure(*def.initialize, none, inst.get());
    }
    return Value::object(inst.get());
}

Value Runtime::fieldAccess(ClassInstance& inst, int index, Args& args, const Value* put, bool inside) {
    if (!inst.definition().fields[index].isPublic && !inside) throw ScriptError(kNoSuchMember);
    Value& field = inst.fields()[index];
    if (put) {
        (args.empty() ? field : *elementAt(field, args)) = *put;
        return Value();
    }
    if (args.empty()) return field;
    if (field.isObject() && field.obj()) return invokeValuesOf(field, args);
    return *elementAt(field, args);
}

Value Runtime::invokeValuesOf(const Value& object, Args& args) {
    std::vector<Value> values(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        values[i] = *args[i];
    Value keep = object;
    return invokeValues(keep.obj(), DISPID_VALUE, "", DISPATCH_METHOD | DISPATCH_PROPERTYGET, values,
                        nullptr);
}

Value Runtime::callMember(ClassInstance& inst, DISPID id, WORD flags, Args& args, const Value* put,
                          bool inside) {
    pm::ComPtr<ClassInstance> keep(&inst);
    const ClassDef& def = inst.definition();
    if (id == DISPID_VALUE) {
        if (def.defaultMember < 0) throw ScriptError(kNoSuchMember);
        id = kMethodBase + def.defaultMember;
    }
    if (id >= 1 && id <= static_cast<DISPID>(def.fields.size()))
        return fieldAccess(inst, id - 1, args, put, inside);
    DISPID index = id - kMethodBase;
    if (index < 0 || index >= static_cast<DISPID>(def.members.size())) throw ScriptError(kNoSuchMember);
    const ClassDef::Member& m = def.members[index];
    if (!m.isPublic && !inside) throw ScriptError(kNoSuchMember);
    if (put) {
        Procedure* p = (flags & DISPATCH_PROPERTYPUTREF) ? m.set : m.let;
        if (!p) throw ScriptError(kIllegalAssignment);
        ArgLease lease(*this);
        Value& value = lease.temps().emplace_back(*put);
        Args& all = lease.refs();
        all.assign(args.begin(), args.end());
        all.push_back(&value);
        callProcedure(*p, all, &inst);
        return Value();
    }
    if (!m.get) throw ScriptError(kNoSuchMember);
    return callProcedure(*m.get, args, &inst);
}

void Runtime::terminate(ClassInstance& inst) {
    if (aborted()) return;
    // Class_Terminate runs where the last reference went (possibly while a Value is destroyed):
    // its errors end it quietly.
    try {
        Args none;
        callProcedure(*inst.definition().terminate, none, &inst);
    } catch (const ScriptError&) {
    } catch (const AbortUnwind&) {
    }
}

Value Runtime::evalNew(NewExpr& n) {
    if (ClassDef* def = findClass(n.key)) return newInstance(*def);
    if (n.key == "regexp") return newRegExp();
    ScriptError e(kClassNotDefined);
    e.description += ": '" + n.name + "'";
    throw e;
}

Value Runtime::evalMe() {
    if (!m_frame || !m_frame->me) throw ScriptError(kObjectRequired);
    return Value::object(m_frame->me.get());
}

Value Runtime::evalWithObject() {
    if (!m_frame || m_frame->withObjects.empty()) throw ScriptError(kObjectRequired);
    return m_frame->withObjects.back();
}

Flow Runtime::execWith(WithStmt& s) {
    Frame& frame = *m_frame;
    frame.withObjects.push_back(eval(*s.object));
    struct Pop {
        std::vector<Value>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{frame.withObjects};
    return execBlock(s.body);
}

Value Runtime::invokeOwn(AutoObject& obj, DISPID id, WORD flags, const std::vector<ExprPtr>& argExprs,
                         const Value* putValue) {
    ArgLease lease(*this);
    bindArgs(argExprs, lease.temps(), lease.refs());
    return callOwn(obj, id, flags, lease.refs(), putValue);
}

Value Runtime::callOwn(AutoObject& obj, DISPID id, WORD flags, Args& args, const Value* putValue) {
    pm::ComPtr<AutoObject> keep(&obj);
    ClassInstance* inst = obj.classInstance();
    Value out = inst ? callMember(*inst, id, flags, args, putValue, m_frame && inst == m_frame->me.get())
                     : obj.call(id, flags, args, putValue);
    checkAbort();
    return out;
}

void Runtime::executeText(const std::string& text, bool global) {
    std::unique_ptr<Unit> unit;
    try {
        unit = parseUnit(text, -1);
    } catch (const ScriptError& err) {
        throw ScriptError(err.number, err.description); // a run-time error of the calling statement
    }
    for (const auto& p : unit->procedures) {
        if (m_globalIndex.count(p->key)) throw ScriptError(kNameRedefined);
        m_procedures[p->key] = p.get();
    }
    for (const auto& cls : unit->classes)
        m_classes[cls->key] = cls.get();
    bool local = !global && m_frame && m_frame->proc;
    if (!local)
        for (const auto& name : unit->globalNames)
            if (!m_globalIndex.count(name)) createGlobal(name);
    Unit& u = *unit;
    m_executed.push_back(std::move(unit));
    if (m_frame && (local || !m_frame->proc)) {
        execBlock(u.globalCode);
        return;
    }
    Frame frame;
    FrameScope scope(*this, &frame);
    execBlock(u.globalCode);
}

Value Runtime::procedureReference(const std::string& name) {
    Procedure* proc = findProcedure(name);
    if (!proc) throw ScriptError(kInvalidCall);
    pm::ComPtr<AutoObject> ref;
    ref.attach(new ProcedureReference(*proc, m_link));
    return Value::object(ref.get());
}

pm::ComPtr<IDispatch> Runtime::scriptDispatch() {
    pm::ComPtr<IDispatch> scope;
    scope.attach(new ScriptScope(m_link));
    return scope;
}

DISPID Runtime::scriptMemberId(const std::string& key) {
    if (auto g = m_globalIndex.find(key); g != m_globalIndex.end()) return g->second + 1;
    Procedure* proc = findProcedure(key);
    if (!proc) return DISPID_UNKNOWN;
    auto at = std::find(m_exported.begin(), m_exported.end(), proc);
    if (at == m_exported.end()) at = m_exported.insert(m_exported.end(), proc);
    return kMethodBase + static_cast<DISPID>(at - m_exported.begin());
}

Value Runtime::callScriptMember(DISPID id, Args& args, const Value* put) {
    if (id >= 1 && id <= static_cast<DISPID>(m_globals.size())) {
        Variable& var = m_globals[id - 1];
        if (put) {
            if (var.isConst) throw ScriptError(kIllegalAssignment);
            (args.empty() ? var.value : *elementAt(var.value, args)) = *put;
            return Value();
        }
        return args.empty() ? var.value : *elementAt(var.value, args);
    }
    DISPID index = id - kMethodBase;
    if (put || index < 0 || index >= static_cast<DISPID>(m_exported.size())) throw ScriptError(kNoSuchMember);
    return callProcedure(*m_exported[index], args);
}

} // namespace pm::vbs
