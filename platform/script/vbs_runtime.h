#pragma once
// The interpreter: loaded text units, global variables, procedures and named items, and the
// execution of statements and expressions. Everything runs on the caller's thread; entries may
// nest (events during a message box), and an abort flag unwinds every entry.

#include "platform/script/vbs_ast.h"
#include "platform/script/vbs_class_instance.h"
#include "platform/win/handles.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace pm::vbs {

class ErrObject;

// What the interpreter asks of the engine around it.
class RuntimeHost {
public:
    // The object of a named item (asked of the site on first use); null when it has none.
    virtual pm::ComPtr<IDispatch> itemObject(const std::string& name) = 0;
    virtual HWND ownerWindow() = 0;
    virtual void enableModeless(bool enable) = 0;

protected:
    ~RuntimeHost() = default;
};

enum class Flow : unsigned char { Normal, ExitSub, ExitFunction, ExitFor, ExitDo };

class Runtime {
public:
    // interrupt is the engine's flag for InterruptScriptThread (set from any thread).
    Runtime(RuntimeHost& host, const std::atomic<bool>& interrupt);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Adds a parsed unit: its procedures and global names become visible and its global code is
    // queued. Throws ScriptError (compile) for a name defined twice; the unit is then not added.
    void loadUnit(std::unique_ptr<Unit> unit);
    int unitCount() const { return static_cast<int>(m_units.size()); }
    const Unit* unit(int index) const;
    // Runs the queued global code of every unit in order. Throws ScriptError for an uncaught run-time
    // error (the rest of that unit's global code is not run) and AbortUnwind when aborted.
    void runPending();
    bool hasPending() const { return m_nextToRun < m_units.size(); }

    void addNamedItem(const std::string& name, DWORD flags);
    void addConstant(const std::string& name, const Value& value);

    // The global procedure of that name (case-insensitive), or null.
    Procedure* findProcedure(const std::string& name) const;
    // The class of that name, or null.
    ClassDef* findClass(const std::string& key) const;
    // Calls a procedure with the given argument storage (each is passed by reference); me is the
    // object of a class method.
    Value callProcedure(Procedure& proc, std::vector<Value*>& args, ClassInstance* me = nullptr);

    // Classes: a new instance (running Class_Initialize), a member call on one (inside: from a
    // method of the same object, so that private members are reachable), and Class_Terminate.
    Value newInstance(ClassDef& def);
    Value callMember(ClassInstance& inst, DISPID id, WORD flags, Args& args, const Value* put, bool inside);
    void terminate(ClassInstance& inst);

    // Execute (in the current scope) and ExecuteGlobal: runs statements of a text; procedures and
    // classes it defines stay defined.
    void executeText(const std::string& text, bool global);
    // GetRef: an object whose default member calls the procedure.
    Value procedureReference(const std::string& name);
    // The global scope as an object (GetScriptDispatch): variables and procedures as members.
    pm::ComPtr<IDispatch> scriptDispatch();
    DISPID scriptMemberId(const std::string& key);
    Value callScriptMember(DISPID id, Args& args, const Value* put);
    const std::shared_ptr<RuntimeLink>& link() const { return m_link; }
    // Objects this interpreter made that can hold values (class instances, dictionaries): when it
    // ends, their values are dropped so that cycles among them are freed.
    void adopt(AutoObject& obj);
    void forget(AutoObject& obj) { m_adopted.erase(&obj); }

    // Empties the global variables, in order of definition (running the Class_Terminate of the
    // objects they held last).
    void releaseVariables();
    // Makes every running entry of this runtime unwind at its next check.
    void abort() { m_aborted = true; }
    bool aborted() const { return m_aborted || m_interrupt.load(std::memory_order_relaxed); }

    RuntimeHost& host() { return m_host; }

    // Used by the statement and expression code.
    struct Frame;
    struct FrameScope;
    struct ArgSlots;
    class ArgLease;
    Value eval(Expr& e);
    const Value& evalRef(Expr& e, Value& scratch);
    Flow execBlock(Block& block);
    void checkAbort();
    // Error 28 when the native stack of this entry grows too deep (deep recursion of deeply
    // nested expressions), before it overflows.
    void checkStack() const;
    // Member access on an object: a call or property get (args may be written back when they are
    // variables), or a put (putValue not null).
    Value invoke(IDispatch* obj, DISPID id, const std::string& name, WORD flags,
                 const std::vector<ExprPtr>& argExprs, const Value* putValue);
    // The same with evaluated arguments; those marked in byRef are passed by reference and
    // updated from what the object left in them.
    Value invokeValues(IDispatch* obj, DISPID id, const std::string& name, WORD flags,
                       std::vector<Value>& args, const Value* putValue,
                       const std::vector<char>* byRef = nullptr);
    DISPID memberId(IDispatch* obj, const std::string& name);
    // The same for a member written in the script on one of the engine's objects: the site
    // remembers the id for objects of one shape (class).
    DISPID memberId(AutoObject& own, MemberExpr& m);
    // Calls (or reads, or puts) the member written in the script on the object before the dot.
    Value callMemberOf(MemberExpr& m, WORD flags, const std::vector<ExprPtr>& argExprs,
                       const Value* putValue);
    // Calls on the engine's own objects, without VARIANTs.
    Value invokeOwn(AutoObject& obj, DISPID id, WORD flags, const std::vector<ExprPtr>& argExprs,
                    const Value* putValue);
    Value callOwn(AutoObject& obj, DISPID id, WORD flags, Args& args, const Value* putValue);
    // Evaluates an expression text in the current scope (Eval).
    Value evalText(const std::string& text);
    double nextRandom(const Value* seed);
    void randomize(const Value* seed);

private:
    struct Variable {
        Value value;
        bool isConst = false;
    };
    struct Item {
        std::string name;
        DWORD flags = 0;
        pm::ComPtr<IDispatch> object;
        bool fetched = false;
    };
    struct Resolved {
        NameKind kind = NameKind::Unresolved;
        Value* var = nullptr;
    };

    Flow exec(Stmt& s);
    Flow execIf(IfStmt& s);
    Flow execSelect(SelectStmt& s);
    Flow execFor(ForStmt& s);
    Flow execForEach(ForEachStmt& s);
    Flow execForEachItem(ForEachStmt& s, IDispatch* collection);
    Flow execDo(DoStmt& s);
    void execAssign(AssignStmt& s);
    void execCall(CallStmt& s);
    void execDim(DimStmt& s);
    void execReDim(ReDimStmt& s);
    void execConst(ConstStmt& s);
    void execErase(EraseStmt& s);

    Value evalIdent(IdentExpr& id);
    Value evalNew(NewExpr& n);
    Value evalMe();
    Value evalWithObject();
    Flow execWith(WithStmt& s);
    // Evaluates call arguments: variables written without parentheses are passed by reference,
    // everything else through temps.
    void bindArgs(const std::vector<ExprPtr>& args, std::vector<Value>& temps, Args& refs);
    // One argument: the variable itself, or temp holding its value (an omitted one is "missing").
    Value* bindArg(Expr* arg, Value& temp);
    Value fieldAccess(ClassInstance& inst, int index, Args& args, const Value* put, bool inside);
    Value callOwnMember(DISPID id, WORD flags, std::vector<ExprPtr>& args, const Value* put);
    Value invokeValuesOf(const Value& object, Args& args);
    Value evalCall(CallExpr& c);
    Value callWithArgs(Expr& callee, std::vector<ExprPtr>& args);
    Value callNamed(IdentExpr& id, std::vector<ExprPtr>& args);
    Value callProcedureWith(Procedure& proc, std::vector<ExprPtr>& args, ClassInstance* me = nullptr);
    Value applyToValue(const Value& target, std::vector<ExprPtr>& args);
    Value* elementOf(Value& arrayValue, std::vector<ExprPtr>& args);
    void assignTo(Expr& target, Value value, bool isSet);
    void assignIdent(IdentExpr& id, Value value, bool isSet);
    void assignCall(CallExpr& c, Value value, bool isSet);
    std::vector<int32_t> evalBounds(std::vector<ExprPtr>& bounds);

    // Name resolution: finds the variable (creating it where the rules allow) or the other kind.
    Resolved resolve(IdentExpr& id, bool forWrite);
    Value* variable(IdentExpr& id, bool forWrite);
    Item* item(const std::string& key);
    IDispatch* itemDispatch(Item& it);
    [[noreturn]] void undefined(const IdentExpr& id, int number);
    Value* createGlobal(const std::string& key);
    bool optionExplicit() const { return m_optionExplicit; }

    RuntimeHost& m_host;
    const std::atomic<bool>& m_interrupt;
    std::atomic<bool> m_aborted{false};
    std::vector<std::unique_ptr<Unit>> m_units;
    size_t m_nextToRun = 0;
    std::deque<Variable> m_globals;
    std::unordered_map<std::string, int> m_globalIndex;
    std::unordered_map<std::string, Procedure*> m_procedures;
    std::unordered_map<std::string, ClassDef*> m_classes;
    std::vector<std::unique_ptr<Unit>> m_executed; // texts run by Execute and ExecuteGlobal
    std::vector<Procedure*> m_exported;            // procedures called through scriptDispatch
    std::shared_ptr<RuntimeLink> m_link = std::make_shared<RuntimeLink>();
    std::unordered_set<AutoObject*> m_adopted;
    std::unordered_map<std::string, Item> m_items;
    std::vector<Item*> m_globalMemberItems;
    std::unordered_map<std::string, Value> m_constants;
    bool m_optionExplicit = false;
    Frame* m_frame = nullptr;
    const char* m_stackBase = nullptr;               // where the outermost frame's native stack starts
    std::vector<std::unique_ptr<Frame>> m_framePool; // procedure frames by call depth
    int m_callDepth = 0;
    std::vector<std::unique_ptr<ArgSlots>> m_argPool; // argument storage by nesting of calls
    size_t m_argDepth = 0;
    unsigned m_tick = 0;
    std::chrono::steady_clock::time_point m_lastPoll;
    pm::ComPtr<ErrObject> m_err;
    uint32_t m_rndState = 0x50000;
    float m_lastRandom = 0;
};

// The activation of a procedure (or of global code): its slots and implicit variables.
struct Runtime::Frame {
    Procedure* proc = nullptr;
    std::vector<Value> slots;
    std::vector<Value*> refs;
    std::vector<std::pair<std::string, std::unique_ptr<Value>>> implicit;
    pm::ComPtr<ClassInstance> me;
    std::vector<Value> withObjects; // the objects of the enclosing With statements, innermost last
    bool resumeNext = false;
};

// Keeps m_frame and the depth right however a call ends; the outermost one marks where the
// native stack of the entry starts.
struct Runtime::FrameScope {
    FrameScope(Runtime& rt, Frame* frame) : m_rt(rt), m_saved(rt.m_frame) {
        if (rt.m_callDepth == 0) rt.m_stackBase = static_cast<const char*>(__builtin_frame_address(0));
        rt.m_frame = frame;
        ++rt.m_callDepth;
    }
    ~FrameScope() {
        m_rt.m_frame = m_saved;
        if (--m_rt.m_callDepth == 0) m_rt.m_stackBase = nullptr;
    }
    Runtime& m_rt;
    Frame* m_saved;
};

// The argument storage of one call.
struct Runtime::ArgSlots {
    std::vector<Value> temps;
    Args refs;
};

// Lends the argument storage of the next nesting depth, so that binding the arguments of a call
// allocates nothing once the pool is warm. The temporaries are released when the lease ends, while
// the depth still counts it (a Class_Terminate run then takes the next storage).
class Runtime::ArgLease {
public:
    explicit ArgLease(Runtime& rt);
    ~ArgLease();
    ArgLease(const ArgLease&) = delete;
    ArgLease& operator=(const ArgLease&) = delete;
    std::vector<Value>& temps() { return m_slots->temps; }
    Args& refs() { return m_slots->refs; }

private:
    Runtime& m_rt;
    ArgSlots* m_slots;
};

} // namespace pm::vbs
