// The interpreter's state: units, names, procedure calls and calls into objects.

#include "platform/script/vbs_runtime.h"
#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_err_object.h"
#include "platform/script/vbs_parser.h"
#include "platform/script/script_hooks.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace pm::vbs {

namespace {

constexpr int kMaxCallDepth = 400;
constexpr std::ptrdiff_t kMaxNativeStack = std::ptrdiff_t(2) << 20;
constexpr auto kPollPeriod = std::chrono::milliseconds(10);

ScriptError errorFromHresult(HRESULT hr, EXCEPINFO& ex, const std::string& member) {
    if (hr == DISP_E_EXCEPTION) {
        if (ex.pfnDeferredFillIn) ex.pfnDeferredFillIn(&ex);
        HRESULT code = ex.scode ? ex.scode : (ex.wCode ? errorHresult(ex.wCode) : E_FAIL);
        ScriptError e(errorNumberOf(code));
        std::string text = fromBstr(ex.bstrDescription);
        if (!text.empty()) e.description = text;
        e.source = fromBstr(ex.bstrSource);
        return e;
    }
    int number;
    switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
        number = kNoSuchMember;
        break;
    case DISP_E_TYPEMISMATCH:
        number = kTypeMismatch;
        break;
    case DISP_E_BADPARAMCOUNT:
        number = kWrongArgCount;
        break;
    case DISP_E_PARAMNOTOPTIONAL:
        number = kArgumentNotOptional;
        break;
    case DISP_E_OVERFLOW:
        number = kOverflow;
        break;
    case DISP_E_BADINDEX:
        number = kSubscriptOutOfRange;
        break;
    case DISP_E_DIVBYZERO:
        number = kDivisionByZero;
        break;
    case DISP_E_NONAMEDARGS:
        number = 446;
        break;
    case E_NOTIMPL:
        number = kNoSuchAction;
        break;
    case E_INVALIDARG:
        number = kInvalidCall;
        break;
    case E_OUTOFMEMORY:
        number = kOutOfMemory;
        break;
    default:
        number = errorNumberOf(hr);
        break;
    }
    ScriptError e(number);
    if (number == kNoSuchMember && !member.empty()) e.description += ": '" + member + "'";
    return e;
}

void freeExcepInfo(EXCEPINFO& ex) {
    SysFreeString(ex.bstrSource);
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrHelpFile);
    ex = EXCEPINFO{};
}

} // namespace

Runtime::Runtime(RuntimeHost& host, const std::atomic<bool>& interrupt)
    : m_host(host), m_interrupt(interrupt) {
    m_err.attach(new ErrObject);
    m_constants["err"] = Value::object(m_err.get());
    m_lastPoll = std::chrono::steady_clock::now();
    m_link->rt = this;
}

// Objects that outlive the interpreter (class instances a host still holds) find it gone, and
// no Class_Terminate runs while the variables are destroyed.
Runtime::~Runtime() {
    m_link->rt = nullptr;
    std::vector<pm::ComPtr<AutoObject>> alive(m_adopted.begin(), m_adopted.end());
    for (auto& obj : alive)
        obj->dropValues();
}

void Runtime::adopt(AutoObject& obj) {
    obj.setOwner(m_link);
    m_adopted.insert(&obj);
}

const Unit* Runtime::unit(int index) const {
    return index >= 0 && index < static_cast<int>(m_units.size()) ? m_units[index].get() : nullptr;
}

namespace {

[[noreturn]] void redefined(const Pos& pos) {
    ScriptError e(kNameRedefined);
    e.compile = true;
    e.pos = pos;
    throw e;
}

} // namespace

void Runtime::loadUnit(std::unique_ptr<Unit> unit) {
    for (const auto& p : unit->procedures)
        if (m_procedures.count(p->key) || m_globalIndex.count(p->key) || m_classes.count(p->key))
            redefined(p->pos);
    for (const auto& cls : unit->classes)
        if (m_procedures.count(cls->key) || m_globalIndex.count(cls->key) || m_classes.count(cls->key))
            redefined(cls->pos);
    for (const auto& cls : unit->classes) {
        for (const auto& p : unit->procedures)
            if (p->key == cls->key) redefined(cls->pos);
        for (const auto& name : unit->globalNames)
            if (name == cls->key) redefined(cls->pos);
    }
    for (const auto& name : unit->globalNames)
        if (m_procedures.count(name)) {
            ScriptError e(kNameRedefined);
            e.compile = true;
            e.pos = {0, 0, unit->index};
            throw e;
        }
    for (const auto& p : unit->procedures)
        m_procedures[p->key] = p.get();
    for (const auto& cls : unit->classes)
        m_classes[cls->key] = cls.get();
    for (const auto& name : unit->globalNames)
        if (!m_globalIndex.count(name)) createGlobal(name);
    m_optionExplicit = m_optionExplicit || unit->optionExplicit;
    m_units.push_back(std::move(unit));
}

void Runtime::runPending() {
    while (m_nextToRun < m_units.size()) {
        Unit& u = *m_units[m_nextToRun++];
        Frame frame;
        FrameScope scope(*this, &frame);
        execBlock(u.globalCode);
    }
}

void Runtime::releaseVariables() {
    for (size_t i = 0; i < m_globals.size(); ++i) {
        Value old = std::move(m_globals[i].value);
        m_globals[i].value = Value();
    }
}

Value* Runtime::createGlobal(const std::string& key) {
    m_globalIndex[key] = static_cast<int>(m_globals.size());
    m_globals.emplace_back();
    return &m_globals.back().value;
}

void Runtime::addNamedItem(const std::string& name, DWORD flags) {
    std::string key = lowerCase(name);
    Item& it = m_items[key];
    bool fresh = it.name.empty();
    it.name = name;
    it.flags = flags;
    if (fresh && (flags & 0x8)) m_globalMemberItems.push_back(&it); // SCRIPTITEM_GLOBALMEMBERS
}

void Runtime::addConstant(const std::string& name, const Value& value) {
    m_constants[lowerCase(name)] = value;
}

Procedure* Runtime::findProcedure(const std::string& name) const {
    auto it = m_procedures.find(lowerCase(name));
    return it == m_procedures.end() ? nullptr : it->second;
}

ClassDef* Runtime::findClass(const std::string& key) const {
    auto it = m_classes.find(key);
    return it == m_classes.end() ? nullptr : it->second;
}

Runtime::Item* Runtime::item(const std::string& key) {
    auto it = m_items.find(key);
    return it == m_items.end() ? nullptr : &it->second;
}

IDispatch* Runtime::itemDispatch(Item& it) {
    if (!it.fetched) {
        it.fetched = true;
        it.object = m_host.itemObject(it.name);
    }
    return it.object.get();
}

void Runtime::undefined(const IdentExpr& id, int number) {
    ScriptError e(number);
    e.description += ": '" + id.name + "'";
    throw e;
}

Runtime::Resolved Runtime::resolve(IdentExpr& id, bool forWrite) {
    switch (id.cacheKind) {
    case NameKind::Local:
    case NameKind::ReturnValue:
        return {id.cacheKind, m_frame->refs[id.cacheIndex]};
    case NameKind::Global:
        return {NameKind::Global, &m_globals[id.cacheIndex].value};
    case NameKind::Field:
        return {NameKind::Field, &m_frame->me->fields()[id.cacheIndex]};
    case NameKind::ImplicitLocal:
        for (auto& v : m_frame->implicit)
            if (v.first == id.key) return {NameKind::ImplicitLocal, v.second.get()};
        m_frame->implicit.emplace_back(id.key, std::make_unique<Value>());
        return {NameKind::ImplicitLocal, m_frame->implicit.back().second.get()};
    case NameKind::Unresolved:
        break;
    default:
        return {id.cacheKind, nullptr};
    }
    if (m_frame && m_frame->proc) {
        auto it = m_frame->proc->locals.find(id.key);
        if (it != m_frame->proc->locals.end()) {
            id.cacheKind = it->second == 0 ? NameKind::ReturnValue : NameKind::Local;
            id.cacheIndex = it->second;
            return resolve(id, forWrite);
        }
    }
    if (m_frame && m_frame->me) {
        const ClassDef& def = m_frame->me->definition();
        if (auto f = def.fieldIndex.find(id.key); f != def.fieldIndex.end()) {
            id.cacheKind = NameKind::Field;
            id.cacheIndex = f->second;
            return resolve(id, forWrite);
        }
        if (auto m = def.memberIndex.find(id.key); m != def.memberIndex.end()) {
            id.cacheKind = NameKind::ClassMember;
            id.cacheIndex = kMethodBase + m->second;
            return {id.cacheKind, nullptr};
        }
    }
    auto g = m_globalIndex.find(id.key);
    if (g != m_globalIndex.end()) {
        id.cacheKind = NameKind::Global;
        id.cacheIndex = g->second;
        return resolve(id, forWrite);
    }
    if (auto p = m_procedures.find(id.key); p != m_procedures.end()) {
        // The entry of the table, not the procedure: ExecuteGlobal may define it anew.
        id.cachePtr = &p->second;
        id.cacheKind = NameKind::Procedure;
    } else if (Item* it = item(id.key)) {
        id.cachePtr = it;
        id.cacheKind = NameKind::Item;
    } else if (auto c = m_constants.find(id.key); c != m_constants.end()) {
        id.cachePtr = &c->second;
        id.cacheKind = NameKind::Constant;
    } else if (const Value* vb = findConstant(id.key)) {
        id.cachePtr = vb;
        id.cacheKind = NameKind::Constant;
    } else if (const Builtin* b = findBuiltin(id.key)) {
        id.cachePtr = b;
        id.cacheKind = NameKind::Builtin;
    }
    if (id.cacheKind != NameKind::Unresolved) return {id.cacheKind, nullptr};
    for (Item* it : m_globalMemberItems) {
        IDispatch* obj = itemDispatch(*it);
        if (!obj) continue;
        DISPID dispid;
        std::u16string wide = toUtf16(id.name);
        LPOLESTR name = wide.data();
        if (SUCCEEDED(obj->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid))) {
            id.cachePtr = it;
            id.cacheIndex = dispid;
            id.cacheKind = NameKind::GlobalMember;
            return {id.cacheKind, nullptr};
        }
    }
    if (optionExplicit()) undefined(id, kUndefinedVariable);
    if (m_frame && m_frame->proc) {
        id.cacheKind = NameKind::ImplicitLocal;
        return resolve(id, forWrite);
    }
    createGlobal(id.key);
    return resolve(id, forWrite);
}

Value* Runtime::variable(IdentExpr& id, bool forWrite) {
    Resolved r = resolve(id, forWrite);
    if (r.var) {
        if (forWrite && r.kind == NameKind::Global && m_globals[id.cacheIndex].isConst)
            throw ScriptError(kIllegalAssignment);
        return r.var;
    }
    if (forWrite) throw ScriptError(kIllegalAssignment);
    return nullptr;
}

Value Runtime::callProcedure(Procedure& proc, std::vector<Value*>& args, ClassInstance* me) {
    if (args.size() != proc.params.size()) throw ScriptError(kWrongArgCount);
    if (m_callDepth >= kMaxCallDepth) throw ScriptError(kOutOfStack);
    // Frames are kept per call depth so that their storage is reused from call to call.
    if (m_framePool.size() <= static_cast<size_t>(m_callDepth)) m_framePool.resize(m_callDepth + 1);
    auto& pooled = m_framePool[m_callDepth];
    if (!pooled) pooled = std::make_unique<Frame>();
    Frame& frame = *pooled;
    frame.proc = &proc;
    frame.me = me;
    // The slots were emptied when the frame was last used; reserved, so that refs stay valid.
    frame.slots.reserve(proc.slotCount);
    frame.refs.reserve(proc.slotCount);
    for (int i = 0; i < proc.slotCount; ++i)
        frame.refs.push_back(&frame.slots.emplace_back());
    for (size_t i = 0; i < args.size(); ++i) {
        int slot = static_cast<int>(i) + 1;
        if (proc.params[i].byRef)
            frame.refs[slot] = args[i];
        else
            frame.slots[slot] = *args[i];
    }
    Value result;
    FrameScope scope(*this, &frame);
    // Emptied while the depth still counts this frame: a Class_Terminate run by releasing a local
    // takes the next frame.
    struct Recycle {
        Frame& f;
        ~Recycle() {
            f.slots.clear();
            f.refs.clear();
            f.implicit.clear();
            f.withObjects.clear();
            f.me.reset();
            f.resumeNext = false;
        }
    } recycle{frame};
    execBlock(proc.body);
    if (proc.isFunction) result = std::move(frame.slots[0]);
    return result;
}

Runtime::ArgLease::ArgLease(Runtime& rt) : m_rt(rt) {
    if (rt.m_argPool.size() <= rt.m_argDepth) rt.m_argPool.push_back(std::make_unique<ArgSlots>());
    m_slots = rt.m_argPool[rt.m_argDepth++].get();
}

Runtime::ArgLease::~ArgLease() {
    m_slots->temps.clear();
    m_slots->refs.clear();
    --m_rt.m_argDepth;
}

void Runtime::checkStack() const {
    // The frame address is the machine stack's even where a sanitizer keeps locals elsewhere.
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    if (m_stackBase && m_stackBase - here > kMaxNativeStack) throw ScriptError(kOutOfStack);
}

void Runtime::checkAbort() {
    if (++m_tick >= 256) {
        m_tick = 0;
        auto now = std::chrono::steady_clock::now();
        if (now - m_lastPoll >= kPollPeriod) {
            m_lastPoll = now;
            scriptPoll();
        }
    }
    if (aborted()) throw AbortUnwind{};
}

DISPID Runtime::memberId(IDispatch* obj, const std::string& name) {
    if (auto* own = autoObjectOf(obj)) {
        DISPID id = own->memberId(lowerCase(name));
        if (id != DISPID_UNKNOWN) return id;
        ScriptError e(kNoSuchMember);
        e.description += ": '" + name + "'";
        throw e;
    }
    std::u16string wide = toUtf16(name);
    LPOLESTR p = wide.data();
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = obj->GetIDsOfNames(IID_NULL, &p, 1, LOCALE_USER_DEFAULT, &id);
    checkAbort();
    if (FAILED(hr)) {
        ScriptError e(kNoSuchMember);
        e.description += ": '" + name + "'";
        throw e;
    }
    return id;
}

DISPID Runtime::memberId(AutoObject& own, MemberExpr& m) {
    if (m.cacheShape == own.shape()) return m.cacheId;
    DISPID id = own.memberId(m.key);
    if (id == DISPID_UNKNOWN) return memberId(&own, m.name); // raises the error
    m.cacheShape = own.shape();
    m.cacheId = id;
    return id;
}

Value Runtime::callMemberOf(MemberExpr& m, WORD flags, const std::vector<ExprPtr>& argExprs,
                            const Value* putValue) {
    Value scratch;
    const Value& target = evalRef(*m.object, scratch);
    if (!target.isObject() || !target.obj()) throw ScriptError(kObjectRequired);
    // Held here: evaluating the arguments may change the variable that holds the object.
    pm::ComPtr<IDispatch> obj(target.obj());
    if (AutoObject* own = autoObjectOf(obj.get()))
        return invokeOwn(*own, memberId(*own, m), flags, argExprs, putValue);
    return invoke(obj.get(), memberId(obj.get(), m.name), m.name, flags, argExprs, putValue);
}

Value Runtime::invoke(IDispatch* obj, DISPID id, const std::string& name, WORD flags,
                      const std::vector<ExprPtr>& argExprs, const Value* putValue) {
    if (auto* own = autoObjectOf(obj)) return invokeOwn(*own, id, flags, argExprs, putValue);
    // Variables are passed by reference (VT_BYREF|VT_VARIANT) and written back after the call.
    std::vector<Value> values(argExprs.size());
    std::vector<Value*> targets(argExprs.size(), nullptr);
    for (size_t i = 0; i < argExprs.size(); ++i) {
        Value* ref = bindArg(argExprs[i].get(), values[i]);
        if (ref == &values[i]) continue;
        targets[i] = ref;
        values[i] = *ref;
    }
    std::vector<char> byRef(targets.size());
    for (size_t i = 0; i < targets.size(); ++i)
        byRef[i] = targets[i] != nullptr;
    Value result = invokeValues(obj, id, name, flags, values, putValue, &byRef);
    for (size_t i = 0; i < targets.size(); ++i)
        if (targets[i]) *targets[i] = std::move(values[i]);
    return result;
}

Value Runtime::invokeValues(IDispatch* obj, DISPID id, const std::string& name, WORD flags,
                            std::vector<Value>& args, const Value* putValue, const std::vector<char>* byRef) {
    if (!obj) throw ScriptError(kObjectRequired);
    if (auto* own = autoObjectOf(obj)) {
        Args refs(args.size());
        for (size_t i = 0; i < args.size(); ++i)
            refs[i] = &args[i];
        return callOwn(*own, id, flags, refs, putValue);
    }
    pm::ComPtr<IDispatch> keep(obj);
    size_t n = args.size() + (putValue ? 1 : 0);
    std::vector<VARIANT> plain(n), refs(n);
    // rgvarg holds the arguments last first; the put value goes first of all.
    for (size_t i = 0; i < args.size(); ++i) {
        VARIANT& cell = plain[args.size() - 1 - i + (putValue ? 1 : 0)];
        toVariant(args[i], cell);
        VARIANT& ref = refs[args.size() - 1 - i + (putValue ? 1 : 0)];
        VariantInit(&ref);
        if (!byRef || !(*byRef)[i]) {
            ref = cell;
        } else {
            ref.vt = VT_VARIANT | VT_BYREF;
            ref.pvarVal = &cell;
        }
    }
    DISPID named = DISPID_PROPERTYPUT;
    if (putValue) {
        toVariant(*putValue, plain[0]);
        refs[0] = plain[0];
    }
    DISPPARAMS params{n ? refs.data() : nullptr, putValue ? &named : nullptr, static_cast<UINT>(n),
                      putValue ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO ex{};
    UINT argErr = 0;
    HRESULT hr = obj->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, putValue ? nullptr : &result,
                             &ex, &argErr);
    for (size_t i = 0; i < args.size(); ++i) {
        VARIANT& cell = plain[args.size() - 1 - i + (putValue ? 1 : 0)];
        if (byRef && (*byRef)[i]) args[i] = fromVariant(cell);
    }
    for (VARIANT& v : plain)
        VariantClear(&v);
    if (FAILED(hr)) {
        ScriptError e = errorFromHresult(hr, ex, name);
        freeExcepInfo(ex);
        VariantClear(&result);
        checkAbort();
        throw e;
    }
    freeExcepInfo(ex);
    Value out = fromVariant(result);
    VariantClear(&result);
    checkAbort();
    return out;
}

Value Runtime::evalText(const std::string& text) {
    ExprPtr e;
    try {
        e = parseExpression(text, -1);
    } catch (ScriptError& err) {
        // Reported as a run-time error of the statement that called Eval.
        throw ScriptError(err.number, err.description);
    }
    return eval(*e);
}

void Runtime::randomize(const Value* seed) {
    double s = seed ? toDouble(*seed) : static_cast<double>(std::time(nullptr) % 86400);
    uint32_t bits;
    float f = static_cast<float>(s);
    std::memcpy(&bits, &f, sizeof bits);
    m_rndState = ((bits ^ (bits >> 16)) & 0xFFFF) << 8 | (m_rndState & 0xFF);
}

double Runtime::nextRandom(const Value* seed) {
    if (seed) {
        double s = toDouble(*seed);
        if (s == 0) return m_lastRandom;
        if (s < 0) {
            uint32_t bits;
            float f = static_cast<float>(s);
            std::memcpy(&bits, &f, sizeof bits);
            m_rndState = (bits + (bits >> 24)) & 0xFFFFFF;
        }
    }
    m_rndState = (m_rndState * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    m_lastRandom = static_cast<float>(m_rndState) / 16777216.0f;
    return m_lastRandom;
}

} // namespace pm::vbs
