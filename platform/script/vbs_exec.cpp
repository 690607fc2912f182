// Statement execution.

#include "platform/script/vbs_err_object.h"
#include "platform/script/vbs_runtime.h"

namespace pm::vbs {

namespace {

// The truth of a condition; Null counts as False.
bool truth(const Value& v) {
    return !v.isNull() && toBool(v);
}

bool isInt(const Value& v) {
    return v.type() == VT_I2 || v.type() == VT_I4 || v.type() == VT_UI1;
}

} // namespace

Flow Runtime::execBlock(Block& block) {
    checkStack();
    for (auto& sp : block) {
        Stmt& s = *sp;
        try {
            Flow f = exec(s);
            if (f != Flow::Normal) return f;
        } catch (ScriptError& e) {
            // Code run by Execute has no unit of its own: its errors point at the calling statement.
            if (e.pos.line < 0 || e.pos.unit < 0) e.pos = s.pos;
            if (!m_frame->resumeNext) throw;
            m_err->set(e);
        }
        checkAbort();
    }
    return Flow::Normal;
}

Flow Runtime::exec(Stmt& s) {
    switch (s.kind) {
    case StmtKind::Assign:
        execAssign(static_cast<AssignStmt&>(s));
        break;
    case StmtKind::Call:
        execCall(static_cast<CallStmt&>(s));
        break;
    case StmtKind::Dim:
        execDim(static_cast<DimStmt&>(s));
        break;
    case StmtKind::ReDim:
        execReDim(static_cast<ReDimStmt&>(s));
        break;
    case StmtKind::Const:
        execConst(static_cast<ConstStmt&>(s));
        break;
    case StmtKind::Erase:
        execErase(static_cast<EraseStmt&>(s));
        break;
    case StmtKind::If:
        return execIf(static_cast<IfStmt&>(s));
    case StmtKind::Select:
        return execSelect(static_cast<SelectStmt&>(s));
    case StmtKind::For:
        return execFor(static_cast<ForStmt&>(s));
    case StmtKind::ForEach:
        return execForEach(static_cast<ForEachStmt&>(s));
    case StmtKind::Do:
        return execDo(static_cast<DoStmt&>(s));
    case StmtKind::Exit:
        switch (static_cast<ExitStmt&>(s).what) {
        case ExitKind::Sub:
        case ExitKind::Property:
            return Flow::ExitSub;
        case ExitKind::Function:
            return Flow::ExitFunction;
        case ExitKind::For:
            return Flow::ExitFor;
        case ExitKind::Do:
            return Flow::ExitDo;
        }
        break;
    case StmtKind::OnError:
        m_frame->resumeNext = static_cast<OnErrorStmt&>(s).resumeNext;
        m_err->clear();
        break;
    case StmtKind::With:
        return execWith(static_cast<WithStmt&>(s));
    case StmtKind::Randomize: {
        auto& r = static_cast<RandomizeStmt&>(s);
        if (r.seed) {
            Value seed = eval(*r.seed);
            randomize(&seed);
        } else {
            randomize(nullptr);
        }
        break;
    }
    }
    return Flow::Normal;
}

void Runtime::execAssign(AssignStmt& s) {
    // "s = s & x" appends in place instead of copying the string.
    if (!s.isSet && s.target->kind == ExprKind::Ident && s.value->kind == ExprKind::Binary) {
        auto& target = static_cast<IdentExpr&>(*s.target);
        auto& b = static_cast<BinaryExpr&>(*s.value);
        if (b.op == Op::Concat && b.left->kind == ExprKind::Ident &&
            static_cast<IdentExpr&>(*b.left).key == target.key) {
            Resolved r = resolve(target, true);
            if (r.var && r.var->isString() &&
                !(r.kind == NameKind::Global && m_globals[target.cacheIndex].isConst)) {
                Value scratch;
                const Value& rhs = evalRef(*b.right, scratch);
                if (!rhs.isNull() && r.var->isString()) {
                    std::string tail = toStr(rhs);
                    checkStringSize(r.var->str().size() + tail.size());
                    r.var->mutableStr() += tail;
                    return;
                }
            }
        }
    }
    assignTo(*s.target, eval(*s.value), s.isSet);
}

void Runtime::execCall(CallStmt& s) {
    if (s.callee->kind == ExprKind::Ident) {
        callNamed(static_cast<IdentExpr&>(*s.callee), s.args);
        return;
    }
    if (s.callee->kind == ExprKind::Member) {
        callMemberOf(static_cast<MemberExpr&>(*s.callee), DISPATCH_METHOD, s.args, nullptr);
        return;
    }
    Value target = eval(*s.callee);
    applyToValue(target, s.args);
}

std::vector<int32_t> Runtime::evalBounds(std::vector<ExprPtr>& bounds) {
    std::vector<int32_t> out;
    if (bounds.size() > 60) throw ScriptError(kSubscriptOutOfRange);
    for (auto& b : bounds)
        out.push_back(toLong(eval(*b)));
    return out;
}

void Runtime::execDim(DimStmt& s) {
    for (auto& d : s.decls) {
        Value* var = variable(*d.target, true);
        if (!d.isArray) continue;
        if (d.bounds.empty()) {
            *var = Value::array(std::make_shared<Array>());
            continue;
        }
        auto a = Array::create(evalBounds(d.bounds));
        a->fixed = true;
        *var = Value::array(std::move(a));
    }
}

void Runtime::execReDim(ReDimStmt& s) {
    for (auto& d : s.decls) {
        std::vector<int32_t> bounds = evalBounds(d.bounds);
        Value* var = variable(*d.target, true);
        if (var->isArray() && var->arr()->fixed) throw ScriptError(kArrayFixed);
        if (s.preserve && var->isArray() && !var->arr()->dims.empty())
            var->arr()->resizePreserve(bounds);
        else
            *var = Value::array(Array::create(bounds));
    }
}

void Runtime::execConst(ConstStmt& s) {
    for (auto& item : s.items) {
        IdentExpr& id = *item.first;
        Value v = eval(*item.second);
        *variable(id, true) = std::move(v);
        if (id.cacheKind == NameKind::Global) m_globals[id.cacheIndex].isConst = true;
    }
}

void Runtime::execErase(EraseStmt& s) {
    for (auto& t : s.targets) {
        Value* var = variable(static_cast<IdentExpr&>(*t), true);
        if (!var->isArray()) throw ScriptError(kTypeMismatch);
        if (var->arr()->fixed) {
            for (Value& v : var->arr()->data)
                v = Value();
        } else {
            *var = Value::array(std::make_shared<Array>());
        }
    }
}

Flow Runtime::execIf(IfStmt& s) {
    for (auto& branch : s.branches) {
        Value scratch;
        if (truth(evalRef(*branch.first, scratch))) return execBlock(branch.second);
    }
    return execBlock(s.elseBlock);
}

Flow Runtime::execSelect(SelectStmt& s) {
    Value subject = eval(*s.subject);
    for (auto& c : s.cases) {
        bool hit = c.isElse;
        for (size_t i = 0; !hit && i < c.values.size(); ++i) {
            Value scratch;
            Value eq = binaryOp(Op::Eq, subject, evalRef(*c.values[i], scratch));
            hit = eq.type() == VT_BOOL && eq.boolValue();
        }
        if (hit) return execBlock(c.body);
    }
    return Flow::Normal;
}

Flow Runtime::execFor(ForStmt& s) {
    Value from = toNumeric(eval(*s.from));
    Value to = toNumeric(eval(*s.to));
    Value step = s.step ? toNumeric(eval(*s.step)) : Value::integer(1);
    double limit = toDouble(to), stepValue = toDouble(step);
    bool intStep = isInt(step);
    Value* var = variable(*s.var, true);
    *var = from;
    while (true) {
        double current = isInt(*var) ? var->intValue() : toDouble(*var);
        if (stepValue >= 0 ? current > limit : current < limit) break;
        Flow f = execBlock(s.body);
        if (f == Flow::ExitFor) break;
        if (f != Flow::Normal) return f;
        checkAbort();
        if (intStep && isInt(*var)) {
            VARTYPE t = var->type() == VT_I4 || step.type() == VT_I4 ? VT_I4 : VT_I2;
            *var = Value::fromInt64(static_cast<int64_t>(var->intValue()) + step.intValue(), t);
        } else {
            *var = binaryOp(Op::Add, *var, step);
        }
    }
    return Flow::Normal;
}

Flow Runtime::execForEach(ForEachStmt& s) {
    Value group = eval(*s.group);
    if (group.isObject() && group.obj()) return execForEachItem(s, group.obj());
    if (!group.isArray()) throw ScriptError(kNotACollection);
    std::shared_ptr<Array> items = group.arrPtr();
    Value* var = variable(*s.var, true);
    // Elements come in storage order of the automation layer: the first index changes fastest.
    // The array is stored with the last index fastest, so the offsets are computed per step; an
    // array made smaller by the loop's body ends the loop.
    std::vector<Array::Dim> dims = items->dims;
    std::vector<size_t> stride(dims.size(), 1);
    for (size_t d = dims.size(); d-- > 1;)
        stride[d - 1] = stride[d] * dims[d].count;
    std::vector<uint32_t> index(dims.size(), 0);
    size_t total = dims.empty() ? 0 : 1;
    for (const Array::Dim& d : dims)
        total *= d.count;
    for (size_t step = 0; step < total; ++step) {
        size_t offset = 0;
        for (size_t d = 0; d < dims.size(); ++d)
            offset += index[d] * stride[d];
        if (offset >= items->data.size()) break;
        *var = items->data[offset];
        Flow f = execBlock(s.body);
        if (f == Flow::ExitFor) break;
        if (f != Flow::Normal) return f;
        checkAbort();
        for (size_t d = 0; d < dims.size() && ++index[d] == dims[d].count; ++d)
            index[d] = 0;
    }
    return Flow::Normal;
}

namespace {

// The enumerator of a collection: its DISPID_NEWENUM member, read as a method or a property,
// answering IEnumVARIANT; null when it has none.
pm::ComPtr<IEnumVARIANT> enumeratorOf(IDispatch* collection) {
    pm::ComPtr<IEnumVARIANT> items;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    if (SUCCEEDED(hr) && (result.vt == VT_UNKNOWN || result.vt == VT_DISPATCH) && result.punkVal)
        result.punkVal->QueryInterface(IID_IEnumVARIANT, items.putVoid());
    VariantClear(&result);
    return items;
}

// The next element of an enumerator; false at the end.
bool nextItem(IEnumVARIANT& items, Value& out) {
    VARIANT v;
    VariantInit(&v);
    ULONG fetched = 0;
    HRESULT hr = items.Next(1, &v, &fetched);
    if (hr != S_OK || fetched != 1) {
        VariantClear(&v);
        return false;
    }
    try {
        out = fromVariant(v);
    } catch (...) {
        VariantClear(&v);
        throw;
    }
    VariantClear(&v);
    return true;
}

} // namespace

Flow Runtime::execForEachItem(ForEachStmt& s, IDispatch* collection) {
    pm::ComPtr<IDispatch> keep(collection);
    pm::ComPtr<IEnumVARIANT> items = enumeratorOf(collection);
    checkAbort();
    if (!items) throw ScriptError(kNotACollection);
    Value* var = variable(*s.var, true);
    Value item;
    while (true) {
        bool more = nextItem(*items.get(), item);
        checkAbort();
        if (!more) break;
        *var = std::move(item);
        Flow f = execBlock(s.body);
        if (f == Flow::ExitFor) break;
        if (f != Flow::Normal) return f;
        checkAbort();
    }
    return Flow::Normal;
}

Flow Runtime::execDo(DoStmt& s) {
    auto stop = [this](LoopCond kind, Expr* cond) {
        if (kind == LoopCond::None) return false;
        Value scratch;
        bool t = truth(evalRef(*cond, scratch));
        return kind == LoopCond::While ? !t : t;
    };
    while (true) {
        if (stop(s.preKind, s.preCond.get())) break;
        Flow f = execBlock(s.body);
        if (f == Flow::ExitDo) break;
        if (f != Flow::Normal) return f;
        checkAbort();
        if (stop(s.postKind, s.postCond.get())) break;
    }
    return Flow::Normal;
}

} // namespace pm::vbs
