// Expression evaluation, calls and assignment.

#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_runtime.h"

namespace pm::vbs {

namespace {

[[noreturn]] void typeMismatch(const std::string& name) {
    ScriptError e(kTypeMismatch);
    if (!name.empty()) e.description += ": '" + name + "'";
    throw e;
}

} // namespace

const Value& Runtime::evalRef(Expr& e, Value& scratch) {
    if (e.kind == ExprKind::Ident) {
        Resolved r = resolve(static_cast<IdentExpr&>(e), false);
        if (r.var) return *r.var;
    } else if (e.kind == ExprKind::Literal) {
        return static_cast<LiteralExpr&>(e).value;
    }
    scratch = eval(e);
    return scratch;
}

Value Runtime::eval(Expr& e) {
    checkStack();
    switch (e.kind) {
    case ExprKind::Literal:
        return static_cast<LiteralExpr&>(e).value;
    case ExprKind::Ident:
        return evalIdent(static_cast<IdentExpr&>(e));
    case ExprKind::Call: {
        auto& c = static_cast<CallExpr&>(e);
        return callWithArgs(*c.callee, c.args);
    }
    case ExprKind::Member:
        return callMemberOf(static_cast<MemberExpr&>(e), DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, nullptr);
    case ExprKind::Unary: {
        auto& u = static_cast<UnaryExpr&>(e);
        Value scratch;
        return unaryOp(u.op, evalRef(*u.operand, scratch));
    }
    case ExprKind::Binary: {
        auto& b = static_cast<BinaryExpr&>(e);
        Value s1, s2;
        const Value& left = evalRef(*b.left, s1);
        const Value& right = evalRef(*b.right, s2);
        return binaryOp(b.op, left, right);
    }
    case ExprKind::Me:
        return evalMe();
    case ExprKind::New:
        return evalNew(static_cast<NewExpr&>(e));
    case ExprKind::WithObject:
        return evalWithObject();
    }
    throw ScriptError(kSyntaxError);
}

Value Runtime::evalIdent(IdentExpr& id) {
    Resolved r = resolve(id, false);
    if (r.var) return *r.var;
    std::vector<ExprPtr> none;
    switch (r.kind) {
    case NameKind::Constant:
        return *static_cast<const Value*>(id.cachePtr);
    case NameKind::Item:
        return Value::object(itemDispatch(*static_cast<Item*>(const_cast<void*>(id.cachePtr))));
    default:
        return callNamed(id, none);
    }
}

Value Runtime::callWithArgs(Expr& callee, std::vector<ExprPtr>& args) {
    if (callee.kind == ExprKind::Ident) return callNamed(static_cast<IdentExpr&>(callee), args);
    if (callee.kind == ExprKind::Member)
        return callMemberOf(static_cast<MemberExpr&>(callee), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args,
                            nullptr);
    Value target = eval(callee);
    return applyToValue(target, args);
}

Value Runtime::callNamed(IdentExpr& id, std::vector<ExprPtr>& args) {
    Resolved r = resolve(id, false);
    if (r.kind == NameKind::ReturnValue && !args.empty())
        return callProcedureWith(*m_frame->proc, args, m_frame->me.get());
    if (r.var) {
        if (r.var->isArray() && !args.empty()) return *elementOf(*r.var, args);
        if (r.var->isObject() && r.var->obj()) {
            pm::ComPtr<IDispatch> obj(r.var->obj()); // the arguments may change the variable
            return invoke(obj.get(), DISPID_VALUE, id.name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args,
                          nullptr);
        }
        typeMismatch(id.name);
    }
    switch (r.kind) {
    case NameKind::Procedure:
        return callProcedureWith(**static_cast<Procedure* const*>(id.cachePtr), args);
    case NameKind::Builtin: {
        const auto* b = static_cast<const Builtin*>(id.cachePtr);
        int n = static_cast<int>(args.size());
        if (n < b->minArgs || (b->maxArgs >= 0 && n > b->maxArgs)) throw ScriptError(kWrongArgCount);
        ArgLease lease(*this);
        std::vector<Value>& values = lease.temps();
        values.resize(args.size());
        for (size_t i = 0; i < args.size(); ++i)
            values[i] = args[i] ? eval(*args[i]) : Value::error(DISP_E_PARAMNOTFOUND);
        return b->fn(*this, values);
    }
    case NameKind::Item: {
        IDispatch* obj = itemDispatch(*static_cast<Item*>(const_cast<void*>(id.cachePtr)));
        if (!obj) throw ScriptError(kObjectRequired);
        return invoke(obj, DISPID_VALUE, id.name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
    }
    case NameKind::GlobalMember: {
        IDispatch* obj = itemDispatch(*static_cast<Item*>(const_cast<void*>(id.cachePtr)));
        return invoke(obj, id.cacheIndex, id.name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
    }
    case NameKind::Constant:
        return applyToValue(*static_cast<const Value*>(id.cachePtr), args);
    case NameKind::ClassMember:
        return callOwnMember(id.cacheIndex, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
    default:
        typeMismatch(id.name);
    }
}

Value Runtime::callOwnMember(DISPID id, WORD flags, std::vector<ExprPtr>& args, const Value* put) {
    ArgLease lease(*this);
    bindArgs(args, lease.temps(), lease.refs());
    return callMember(*m_frame->me.get(), id, flags, lease.refs(), put, true);
}

void Runtime::bindArgs(const std::vector<ExprPtr>& args, std::vector<Value>& temps, Args& refs) {
    // Reserved first: refs point into temps.
    temps.reserve(args.size());
    refs.reserve(args.size());
    for (const ExprPtr& arg : args)
        refs.push_back(bindArg(arg.get(), temps.emplace_back()));
}

Value* Runtime::bindArg(Expr* arg, Value& temp) {
    if (!arg) {
        temp = Value::error(DISP_E_PARAMNOTFOUND);
        return &temp;
    }
    if (arg->kind == ExprKind::Ident && !arg->parenthesized) {
        Resolved r = resolve(static_cast<IdentExpr&>(*arg), false);
        if (r.var) return r.var;
    }
    temp = eval(*arg);
    return &temp;
}

Value Runtime::callProcedureWith(Procedure& proc, std::vector<ExprPtr>& args, ClassInstance* me) {
    ArgLease lease(*this);
    bindArgs(args, lease.temps(), lease.refs());
    return callProcedure(proc, lease.refs(), me);
}

Value* Runtime::elementOf(Value& arrayValue, std::vector<ExprPtr>& args) {
    if (!arrayValue.isArray()) throw ScriptError(kTypeMismatch);
    int32_t small[4];
    std::vector<int32_t> big;
    int32_t* idx = small;
    if (args.size() > 4) {
        big.resize(args.size());
        idx = big.data();
    }
    for (size_t i = 0; i < args.size(); ++i) {
        if (!args[i]) throw ScriptError(kSubscriptOutOfRange);
        Value scratch;
        idx[i] = toLong(evalRef(*args[i], scratch));
    }
    // The indexes may have changed the variable; look the array up only now.
    if (!arrayValue.isArray()) throw ScriptError(kTypeMismatch);
    Value* cell = arrayValue.arr()->at(idx, args.size());
    if (!cell) throw ScriptError(kSubscriptOutOfRange);
    return cell;
}

Value Runtime::applyToValue(const Value& target, std::vector<ExprPtr>& args) {
    if (target.isArray()) {
        Value copy = target;
        return *elementOf(copy, args);
    }
    if (target.isObject() && target.obj())
        return invoke(target.obj(), DISPID_VALUE, "", DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
    throw ScriptError(kTypeMismatch);
}

void Runtime::assignTo(Expr& target, Value value, bool isSet) {
    if (isSet) {
        if (!value.isObject()) throw ScriptError(kObjectRequired);
    } else if (value.isObject()) {
        value = defaultValueOf(value.obj());
    }
    switch (target.kind) {
    case ExprKind::Ident:
        assignIdent(static_cast<IdentExpr&>(target), std::move(value), isSet);
        return;
    case ExprKind::Member:
        callMemberOf(static_cast<MemberExpr&>(target), isSet ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT,
                     {}, &value);
        return;
    case ExprKind::Call:
        assignCall(static_cast<CallExpr&>(target), std::move(value), isSet);
        return;
    default:
        throw ScriptError(kIllegalAssignment);
    }
}

void Runtime::assignIdent(IdentExpr& id, Value value, bool isSet) {
    Resolved r = resolve(id, true);
    if (r.var) {
        if (r.kind == NameKind::Global && m_globals[id.cacheIndex].isConst)
            throw ScriptError(kIllegalAssignment);
        *r.var = std::move(value);
        return;
    }
    if (r.kind == NameKind::GlobalMember) {
        IDispatch* obj = itemDispatch(*static_cast<Item*>(const_cast<void*>(id.cachePtr)));
        std::vector<Value> none;
        invokeValues(obj, id.cacheIndex, id.name, isSet ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT,
                     none, &value);
        return;
    }
    if (r.kind == NameKind::ClassMember) {
        std::vector<ExprPtr> none;
        callOwnMember(id.cacheIndex, isSet ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, none, &value);
        return;
    }
    throw ScriptError(kIllegalAssignment);
}

void Runtime::assignCall(CallExpr& c, Value value, bool isSet) {
    WORD put = isSet ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    if (c.callee->kind == ExprKind::Member) {
        callMemberOf(static_cast<MemberExpr&>(*c.callee), put, c.args, &value);
        return;
    }
    if (c.callee->kind != ExprKind::Ident) throw ScriptError(kIllegalAssignment);
    auto& id = static_cast<IdentExpr&>(*c.callee);
    Resolved r = resolve(id, true);
    if (r.var) {
        if (r.var->isArray()) {
            *elementOf(*r.var, c.args) = std::move(value);
            return;
        }
        if (r.var->isObject() && r.var->obj()) {
            pm::ComPtr<IDispatch> obj(r.var->obj());
            invoke(obj.get(), DISPID_VALUE, id.name, put, c.args, &value);
            return;
        }
        typeMismatch(id.name);
    }
    if (r.kind == NameKind::ClassMember) {
        callOwnMember(id.cacheIndex, put, c.args, &value);
        return;
    }
    if (r.kind == NameKind::Item || r.kind == NameKind::GlobalMember) {
        IDispatch* obj = itemDispatch(*static_cast<Item*>(const_cast<void*>(id.cachePtr)));
        DISPID dispid = r.kind == NameKind::Item ? DISPID_VALUE : id.cacheIndex;
        invoke(obj, dispid, id.name, put, c.args, &value);
        return;
    }
    throw ScriptError(kIllegalAssignment);
}

} // namespace pm::vbs
