// The VBScript parser: statements, expressions and procedures, one line of tokens at a time.

#include "platform/script/vbs_parser.h"
#include "platform/script/vbs_lexer.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <unordered_set>

namespace pm::vbs {

namespace {

constexpr int kMaxNesting = 200;
constexpr int kMaxExprDepth = 1000;

const char* const kReserved[] = {
    "and",      "byref",    "byval",  "call",  "case",    "class",  "const", "dim",    "do",
    "each",     "else",     "elseif", "empty", "end",     "eqv",    "erase", "exit",   "false",
    "for",      "function", "if",     "imp",   "in",      "is",     "let",   "loop",   "me",
    "mod",      "new",      "next",   "not",   "nothing", "null",   "on",    "option", "or",
    "preserve", "private",  "public", "redim", "resume",  "select", "set",   "sub",    "then",
    "to",       "true",     "until",  "wend",  "while",   "with",   "xor"};

bool isReserved(const std::string& lower) {
    static const std::unordered_set<std::string> words(std::begin(kReserved), std::end(kReserved));
    return words.count(lower) != 0;
}

template <class T> std::unique_ptr<T> node(const Pos& at) {
    auto n = std::make_unique<T>();
    n->pos = at;
    return n;
}

class Parser {
public:
    Parser(const std::string& source, int unitIndex) : m_lexer(source), m_unitIndex(unitIndex) {
        m_lexer.nextLine(m_line);
    }

    ExprPtr parseExpressionOnly() {
        Unit scratch;
        m_unit = &scratch;
        ExprPtr e = parseExpr();
        while (cur().kind == Tok::Newline)
            advance();
        if (cur().kind != Tok::End) fail(kExpectedEndOfStatement);
        return e;
    }

    std::unique_ptr<Unit> parse() {
        auto unit = std::make_unique<Unit>();
        m_unit = unit.get();
        unit->index = m_unitIndex;
        parseBlock(unit->globalCode, [](const Token&) { return false; });
        if (cur().kind != Tok::End) fail(kExpectedStatement);
        return unit;
    }

private:
    using Terminator = std::function<bool(const Token&)>;

    // ---- tokens ----
    const Token& cur() const { return m_line[m_i]; }
    const Token& ahead(size_t n) const { return m_line[std::min(m_i + n, m_line.size() - 1)]; }
    void advance() {
        if (cur().kind == Tok::End) return;
        if (cur().kind == Tok::Newline) {
            m_lexer.nextLine(m_line);
            m_i = 0;
            return;
        }
        ++m_i;
    }
    bool isWord(const Token& t, const char* w) const { return t.kind == Tok::Ident && t.lower == w; }
    bool atWord(const char* w) const { return isWord(cur(), w); }
    bool acceptWord(const char* w) {
        if (!atWord(w)) return false;
        advance();
        return true;
    }
    void expectWord(const char* w, int error) {
        if (!acceptWord(w)) fail(error);
    }
    bool accept(Tok k) {
        if (cur().kind != k) return false;
        advance();
        return true;
    }
    void expect(Tok k, int error) {
        if (!accept(k)) fail(error);
    }
    bool atSeparator() const {
        Tok k = cur().kind;
        return k == Tok::Colon || k == Tok::Newline || k == Tok::End || atWord("else");
    }

    [[noreturn]] void fail(int number) const { failPos(number, here()); }
    Pos here() const { return {cur().line, cur().col, m_unitIndex}; }
    [[noreturn]] static void failPos(int number, Pos pos) {
        ScriptError e(number);
        e.compile = true;
        e.pos = pos;
        throw e;
    }

    struct Nesting {
        explicit Nesting(Parser& p) : m_p(p) {
            if (++m_p.m_nesting > kMaxNesting) m_p.fail(kOutOfStack);
        }
        ~Nesting() { --m_p.m_nesting; }
        Parser& m_p;
    };

    std::string identifier() {
        if (cur().kind != Tok::Ident || isReserved(cur().lower)) fail(kExpectedIdentifier);
        std::string name = cur().text;
        advance();
        return name;
    }

    std::unique_ptr<IdentExpr> identNode() {
        auto id = node<IdentExpr>(here());
        id->name = identifier();
        id->key = lowerCase(id->name);
        return id;
    }

    // ---- declarations ----
    void declare(const std::string& name, const Pos& at) {
        std::string key = lowerCase(name);
        if (m_proc) {
            if (m_proc->locals.count(key)) failPos(kNameRedefined, at);
            m_proc->locals[key] = m_proc->slotCount++;
            return;
        }
        if (!m_globalNames.insert(key).second) failPos(kNameRedefined, at);
        m_unit->globalNames.push_back(key);
    }

    // ---- blocks and statements ----
    void skipSeparators() {
        while (cur().kind == Tok::Newline || cur().kind == Tok::Colon)
            advance();
    }

    void parseBlock(Block& out, const Terminator& done) {
        Nesting guard(*this);
        while (true) {
            skipSeparators();
            if (cur().kind == Tok::End || done(cur())) return;
            if (isProcedureStart()) {
                if (m_proc || m_nesting > 1) fail(kSyntaxError);
                parseProcedureHead(nullptr);
                continue;
            }
            if (atWord("class")) {
                if (m_proc || m_nesting > 1) fail(kSyntaxError);
                parseClass();
                continue;
            }
            StmtPtr s = parseStatement();
            if (s) out.push_back(std::move(s));
            if (!atSeparator() || atWord("else")) fail(kExpectedEndOfStatement);
        }
    }

    bool isProcedureStart() const {
        size_t n = (atWord("private") || atWord("public")) ? 1 : 0;
        if (n && isWord(ahead(1), "default")) n = 2;
        const Token& t = ahead(n);
        return isWord(t, "sub") || isWord(t, "function") || isWord(t, "property");
    }

    bool endOf(const char* what) const { return atWord("end") && isWord(ahead(1), what); }

    StmtPtr parseStatement() {
        const Token& t = cur();
        if (t.kind != Tok::Ident) {
            if (t.kind == Tok::Dot && m_withDepth) return parseAssignOrCall();
            if (t.kind == Tok::Dot) fail(kSyntaxError);
            fail(kExpectedStatement);
        }
        const std::string& w = t.lower;
        if (w == "dim") return advance(), parseDim();
        if (w == "private" || w == "public") {
            advance();
            if (atWord("const")) return advance(), parseConst();
            return parseDim();
        }
        if (w == "redim") return advance(), parseReDim();
        if (w == "class") fail(kSyntaxError);
        if (w == "const") return advance(), parseConst();
        if (w == "erase") return advance(), parseErase();
        if (w == "set") return advance(), parseAssignment(true);
        if (w == "let") return advance(), parseAssignment(false);
        if (w == "call") return advance(), parseCall();
        if (w == "if") return parseIf();
        if (w == "select") return parseSelect();
        if (w == "for") return parseFor();
        if (w == "do") return parseDo();
        if (w == "while") return parseWhile();
        if (w == "exit") return parseExit();
        if (w == "on") return parseOnError();
        if (w == "option") return parseOption();
        if (w == "randomize") return parseRandomize();
        if (w == "with") return parseWith();
        if (isReserved(w)) fail(kExpectedStatement);
        return parseAssignOrCall();
    }

    StmtPtr parseDim() {
        auto s = node<DimStmt>(here());
        do {
            const Pos at = here();
            DimStmt::Decl d;
            d.target = identNode();
            if (accept(Tok::LParen)) {
                d.isArray = true;
                if (!accept(Tok::RParen)) {
                    do
                        d.bounds.push_back(parseExpr());
                    while (accept(Tok::Comma));
                    expect(Tok::RParen, kExpectedRParen);
                }
            }
            declare(d.target->name, at);
            s->decls.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    StmtPtr parseReDim() {
        auto s = node<ReDimStmt>(here());
        if (acceptWord("preserve")) s->preserve = true;
        do {
            DimStmt::Decl d;
            d.target = identNode();
            d.isArray = true;
            expect(Tok::LParen, kExpectedLParen);
            do
                d.bounds.push_back(parseExpr());
            while (accept(Tok::Comma));
            expect(Tok::RParen, kExpectedRParen);
            s->decls.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    StmtPtr parseConst() {
        auto s = node<ConstStmt>(here());
        do {
            const Pos at = here();
            auto id = identNode();
            expect(Tok::Eq, kExpectedEquals);
            ExprPtr value = parseExpr();
            declare(id->name, at);
            s->items.emplace_back(std::move(id), std::move(value));
        } while (accept(Tok::Comma));
        return s;
    }

    StmtPtr parseErase() {
        auto s = node<EraseStmt>(here());
        do
            s->targets.push_back(identNode());
        while (accept(Tok::Comma));
        return s;
    }

    StmtPtr parseAssignment(bool isSet) {
        auto s = node<AssignStmt>(here());
        s->isSet = isSet;
        s->target = parsePostfix(false);
        checkTarget(*s->target);
        expect(Tok::Eq, kExpectedEquals);
        s->value = parseExpr();
        return s;
    }

    void checkTarget(const Expr& e) const {
        if (e.kind != ExprKind::Ident && e.kind != ExprKind::Member && e.kind != ExprKind::Call)
            fail(kExpectedStatement);
    }

    StmtPtr parseCall() {
        auto s = node<CallStmt>(here());
        ExprPtr chain = parsePostfix(false);
        if (chain->kind == ExprKind::Call) {
            auto* call = static_cast<CallExpr*>(chain.get());
            s->callee = std::move(call->callee);
            s->args = std::move(call->args);
        } else if (chain->kind == ExprKind::Ident || chain->kind == ExprKind::Member) {
            s->callee = std::move(chain);
        } else {
            fail(kExpectedIdentifier);
        }
        return s;
    }

    StmtPtr parseAssignOrCall() {
        const Pos start = here();
        size_t mark = m_i;
        ExprPtr chain = parsePostfix(false);
        if (cur().kind == Tok::Eq) {
            auto s = node<AssignStmt>(start);
            advance();
            s->target = std::move(chain);
            s->value = parseExpr();
            return s;
        }
        auto s = node<CallStmt>(start);
        if (atSeparator()) {
            if (chain->kind == ExprKind::Call) {
                auto* call = static_cast<CallExpr*>(chain.get());
                s->callee = std::move(call->callee);
                s->args = std::move(call->args);
                // "Foo(x)" as a statement: the parentheses belong to the argument, passed by value.
                if (s->args.size() == 1 && s->args[0]) s->args[0]->parenthesized = true;
            } else {
                s->callee = std::move(chain);
            }
            return s;
        }
        m_i = mark; // read again: the callee ends before a '(' written after a blank
        s->callee = parsePostfix(true);
        do {
            if (cur().kind == Tok::Comma)
                s->args.push_back(nullptr);
            else
                s->args.push_back(parseExpr());
        } while (accept(Tok::Comma));
        return s;
    }

    StmtPtr parseIf() {
        auto s = node<IfStmt>(here());
        advance();
        ExprPtr cond = parseExpr();
        expectWord("then", kExpectedThen);
        if (cur().kind != Tok::Newline && cur().kind != Tok::End)
            return parseSingleLineIf(std::move(s), std::move(cond));
        Block body;
        auto branchEnd = [this](const Token& t) {
            return isWord(t, "elseif") || isWord(t, "else") || endOf("if");
        };
        parseBlock(body, branchEnd);
        s->branches.emplace_back(std::move(cond), std::move(body));
        while (acceptWord("elseif")) {
            ExprPtr c = parseExpr();
            expectWord("then", kExpectedThen);
            Block b;
            parseBlock(b, branchEnd);
            s->branches.emplace_back(std::move(c), std::move(b));
        }
        if (acceptWord("else")) parseBlock(s->elseBlock, [this](const Token&) { return endOf("if"); });
        expectWord("end", kExpectedEnd);
        expectWord("if", kExpectedIf);
        return s;
    }

    // "If c Then a : b Else d : e" on one line.
    StmtPtr parseSingleLineIf(std::unique_ptr<IfStmt> s, ExprPtr cond) {
        Nesting guard(*this);
        Block body;
        parseLineStatements(body);
        s->branches.emplace_back(std::move(cond), std::move(body));
        if (acceptWord("else")) parseLineStatements(s->elseBlock);
        return s;
    }

    void parseLineStatements(Block& out) {
        while (true) {
            while (cur().kind == Tok::Colon)
                advance();
            if (cur().kind == Tok::Newline || cur().kind == Tok::End || atWord("else")) return;
            out.push_back(parseStatement());
            if (!atSeparator()) fail(kExpectedEndOfStatement);
        }
    }

    StmtPtr parseSelect() {
        auto s = node<SelectStmt>(here());
        advance();
        expectWord("case", kExpectedCase);
        s->subject = parseExpr();
        skipSeparators();
        auto caseEnd = [this](const Token& t) { return isWord(t, "case") || endOf("select"); };
        while (acceptWord("case")) {
            SelectStmt::Case c;
            if (acceptWord("else")) {
                c.isElse = true;
            } else {
                do
                    c.values.push_back(parseExpr());
                while (accept(Tok::Comma));
            }
            parseBlock(c.body, caseEnd);
            s->cases.push_back(std::move(c));
        }
        expectWord("end", kExpectedEnd);
        expectWord("select", kExpectedSelect);
        return s;
    }

    StmtPtr parseFor() {
        const Pos start = here();
        advance();
        if (acceptWord("each")) {
            auto s = node<ForEachStmt>(start);
            s->var = identNode();
            expectWord("in", kExpectedIn);
            s->group = parseExpr();
            parseLoopBody(s->body, m_forDepth, "next", kExpectedNext);
            return s;
        }
        auto s = node<ForStmt>(start);
        if (cur().kind != Tok::Ident || isReserved(cur().lower)) fail(kInvalidForVariable);
        s->var = identNode();
        expect(Tok::Eq, kExpectedEquals);
        s->from = parseExpr();
        expectWord("to", kExpectedTo);
        s->to = parseExpr();
        if (acceptWord("step")) s->step = parseExpr();
        parseLoopBody(s->body, m_forDepth, "next", kExpectedNext);
        return s;
    }

    void parseLoopBody(Block& body, int& depth, const char* endWord, int error) {
        ++depth;
        parseBlock(body, [this, endWord](const Token&) { return atWord(endWord); });
        --depth;
        if (!acceptWord(endWord)) fail(error);
        if (std::strcmp(endWord, "next") == 0 && cur().kind == Tok::Ident && !atWord("else")) advance();
    }

    LoopCond loopCondition() {
        if (acceptWord("while")) return LoopCond::While;
        if (acceptWord("until")) return LoopCond::Until;
        return LoopCond::None;
    }

    StmtPtr parseDo() {
        auto s = node<DoStmt>(here());
        advance();
        s->preKind = loopCondition();
        if (s->preKind != LoopCond::None) s->preCond = parseExpr();
        parseLoopBody(s->body, m_doDepth, "loop", kExpectedLoop);
        s->postKind = loopCondition();
        if (s->postKind != LoopCond::None) {
            if (s->preKind != LoopCond::None) fail(kExpectedEndOfStatement);
            s->postCond = parseExpr();
        }
        return s;
    }

    StmtPtr parseWhile() {
        auto s = node<DoStmt>(here());
        advance();
        s->preKind = LoopCond::While;
        s->preCond = parseExpr();
        int noExitDo = 0; // Exit Do does not leave a While loop
        std::swap(noExitDo, m_doDepth);
        parseLoopBody(s->body, noExitDo, "wend", kExpectedWend);
        std::swap(noExitDo, m_doDepth);
        return s;
    }

    bool inProcedure(std::initializer_list<ProcKind> kinds) const {
        return m_proc && std::find(kinds.begin(), kinds.end(), m_proc->kind) != kinds.end();
    }

    StmtPtr parseExit() {
        auto s = node<ExitStmt>(here());
        advance();
        if (acceptWord("sub")) {
            if (!inProcedure({ProcKind::Sub})) fail(kInvalidExit);
            s->what = ExitKind::Sub;
        } else if (acceptWord("function")) {
            if (!inProcedure({ProcKind::Function})) fail(kInvalidExit);
            s->what = ExitKind::Function;
        } else if (acceptWord("property")) {
            if (!inProcedure({ProcKind::PropertyGet, ProcKind::PropertyLet, ProcKind::PropertySet}))
                fail(kInvalidExit);
            s->what = ExitKind::Property;
        } else if (acceptWord("for")) {
            if (!m_forDepth) fail(kInvalidExit);
            s->what = ExitKind::For;
        } else if (acceptWord("do")) {
            if (!m_doDepth) fail(kInvalidExit);
            s->what = ExitKind::Do;
        } else {
            fail(kSyntaxError);
        }
        return s;
    }

    StmtPtr parseOnError() {
        auto s = node<OnErrorStmt>(here());
        advance();
        expectWord("error", kSyntaxError);
        if (acceptWord("resume")) {
            expectWord("next", kSyntaxError);
            s->resumeNext = true;
            return s;
        }
        expectWord("goto", kSyntaxError);
        if (cur().kind != Tok::Number || cur().value.type() != VT_I2 || cur().value.intValue() != 0)
            fail(kSyntaxError);
        advance();
        return s;
    }

    StmtPtr parseOption() {
        advance();
        expectWord("explicit", kSyntaxError);
        m_unit->optionExplicit = true;
        return nullptr;
    }

    StmtPtr parseRandomize() {
        auto s = node<RandomizeStmt>(here());
        advance();
        if (!atSeparator()) s->seed = parseExpr();
        return s;
    }

    // "[Public|Private] [Default] Sub|Function|Property ..." at the start of a procedure.
    void parseProcedureHead(ClassDef* cls) {
        bool isPublic = !atWord("private");
        bool hadVisibility = acceptWord("public") || acceptWord("private");
        bool isDefault = acceptWord("default");
        if (isDefault && !(hadVisibility && isPublic)) fail(kDefaultNeedsPublic);
        if (isDefault && !cls) fail(kMustBeInClass);
        parseProcedure(cls, isPublic, isDefault);
    }

    ProcKind procedureKind() {
        if (acceptWord("sub")) return ProcKind::Sub;
        if (acceptWord("function")) return ProcKind::Function;
        expectWord("property", kSyntaxError);
        if (acceptWord("get")) return ProcKind::PropertyGet;
        if (acceptWord("let")) return ProcKind::PropertyLet;
        if (acceptWord("set")) return ProcKind::PropertySet;
        fail(kExpectedLetSetGet);
    }

    static const char* endWordOf(ProcKind kind) {
        switch (kind) {
        case ProcKind::Sub:
            return "sub";
        case ProcKind::Function:
            return "function";
        default:
            return "property";
        }
    }

    void parseProcedure(ClassDef* cls, bool isPublic, bool isDefault) {
        auto proc = std::make_unique<Procedure>();
        proc->kind = procedureKind();
        proc->pos = {cur().line, cur().col, m_unitIndex};
        proc->isFunction = proc->kind == ProcKind::Function || proc->kind == ProcKind::PropertyGet;
        proc->isPublic = isPublic;
        proc->owner = cls;
        proc->name = identifier();
        proc->key = lowerCase(proc->name);
        if (proc->isFunction) proc->locals[proc->key] = 0;
        m_proc = proc.get();
        if (accept(Tok::LParen) && !accept(Tok::RParen)) {
            do
                parseParam(*proc);
            while (accept(Tok::Comma));
            expect(Tok::RParen, kExpectedRParen);
        }
        if (!atSeparator()) fail(kExpectedEndOfStatement);
        bool isProperty = proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet;
        if (isProperty && proc->params.empty()) failPos(kPropertyNeedsArgument, proc->pos);
        parseBlock(proc->body, [this](const Token&) {
            return atWord("end") && !isWord(ahead(1), "if") && !isWord(ahead(1), "select") &&
                   !isWord(ahead(1), "with");
        });
        expectWord("end", kExpectedEnd);
        const char* endWord = endWordOf(proc->kind);
        int endError = proc->kind == ProcKind::Function ? kExpectedFunction
                       : proc->kind == ProcKind::Sub    ? kExpectedSub
                                                        : kExpectedProperty;
        expectWord(endWord, endError);
        m_proc = nullptr;
        if (cls) {
            addMethod(*cls, std::move(proc), isDefault);
            return;
        }
        if (proc->kind != ProcKind::Sub && proc->kind != ProcKind::Function)
            failPos(kMustBeInClass, proc->pos);
        if (!m_procedureNames.insert(proc->key).second) failPos(kNameRedefined, proc->pos);
        m_unit->procedures.push_back(std::move(proc));
    }

    // Files a method or property under its name in the class.
    void addMethod(ClassDef& cls, std::unique_ptr<Procedure> proc, bool isDefault) {
        if (cls.fieldIndex.count(proc->key)) failPos(kNameRedefined, proc->pos);
        auto found = cls.memberIndex.find(proc->key);
        int index;
        if (found == cls.memberIndex.end()) {
            index = static_cast<int>(cls.members.size());
            cls.memberIndex[proc->key] = index;
            cls.members.emplace_back();
            cls.members.back().name = proc->name;
            cls.members.back().isPublic = proc->isPublic;
        } else {
            index = found->second;
        }
        ClassDef::Member& m = cls.members[index];
        Procedure** slot = proc->kind == ProcKind::PropertyLet   ? &m.let
                           : proc->kind == ProcKind::PropertySet ? &m.set
                                                                 : &m.get;
        bool mixed = m.get && proc->kind != ProcKind::PropertyGet && m.get->kind != ProcKind::PropertyGet;
        if (*slot || mixed) failPos(kNameRedefined, proc->pos);
        if (isDefault) {
            if (cls.defaultMember >= 0) failPos(kMultipleDefault, proc->pos);
            cls.defaultMember = index;
        }
        if (proc->key == "class_initialize" || proc->key == "class_terminate") {
            if (proc->kind != ProcKind::Sub || !proc->params.empty()) failPos(kInitTermArgs, proc->pos);
            (proc->key == "class_initialize" ? cls.initialize : cls.terminate) = proc.get();
        }
        *slot = proc.get();
        cls.procedures.push_back(std::move(proc));
    }

    // "Class Name" ... "End Class": variables, methods and properties.
    void parseClass() {
        auto cls = std::make_unique<ClassDef>();
        advance();
        cls->pos = here();
        cls->name = identifier();
        cls->key = lowerCase(cls->name);
        if (!atSeparator()) fail(kExpectedEndOfStatement);
        while (true) {
            skipSeparators();
            if (cur().kind == Tok::End) fail(kExpectedEnd);
            if (endOf("class")) break;
            if (atWord("end")) {
                advance();
                fail(kExpectedClass);
            }
            if (isProcedureStart() || (atWord("public") && isWord(ahead(1), "default")))
                parseProcedureHead(cls.get());
            else
                parseFields(*cls);
            if (!atSeparator()) fail(kExpectedEndOfStatement);
        }
        advance();
        advance();
        if (!m_classNames.insert(cls->key).second) failPos(kNameRedefined, cls->pos);
        m_unit->classes.push_back(std::move(cls));
    }

    // "Dim|Public|Private name[(bounds)], ..." inside a class.
    void parseFields(ClassDef& cls) {
        bool isPublic = !atWord("private");
        if (!acceptWord("dim") && !acceptWord("public") && !acceptWord("private")) fail(kExpectedStatement);
        do {
            const Pos at = here();
            ClassDef::Field f;
            f.name = identifier();
            f.isPublic = isPublic;
            if (accept(Tok::LParen)) {
                f.isArray = true;
                if (!accept(Tok::RParen)) {
                    do
                        f.bounds.push_back(parseExpr());
                    while (accept(Tok::Comma));
                    expect(Tok::RParen, kExpectedRParen);
                }
            }
            std::string key = lowerCase(f.name);
            if (cls.fieldIndex.count(key) || cls.memberIndex.count(key)) failPos(kNameRedefined, at);
            cls.fieldIndex[key] = static_cast<int>(cls.fields.size());
            cls.fields.push_back(std::move(f));
        } while (accept(Tok::Comma));
    }

    StmtPtr parseWith() {
        auto s = node<WithStmt>(here());
        advance();
        s->object = parseExpr();
        ++m_withDepth;
        parseBlock(s->body, [this](const Token&) { return endOf("with"); });
        --m_withDepth;
        expectWord("end", kExpectedEnd);
        expectWord("with", kExpectedWith);
        return s;
    }

    void parseParam(Procedure& proc) {
        Procedure::Param p;
        if (acceptWord("byval"))
            p.byRef = false;
        else
            acceptWord("byref");
        const Pos at = here();
        p.name = identifier();
        if (accept(Tok::LParen)) expect(Tok::RParen, kExpectedRParen);
        std::string key = lowerCase(p.name);
        if (proc.locals.count(key) && !(proc.isFunction && key == proc.key)) failPos(kNameRedefined, at);
        proc.locals[key] = proc.slotCount++;
        proc.params.push_back(std::move(p));
    }

    // ---- expressions ----
    ExprPtr parseExpr() {
        Nesting guard(*this);
        return parseImp();
    }

    ExprPtr binary(Op op, ExprPtr l, ExprPtr r, const Pos& at) {
        auto b = node<BinaryExpr>(at);
        b->depth = std::max(l->depth, r->depth) + 1;
        if (b->depth > kMaxExprDepth) failPos(kOutOfStack, at);
        b->op = op;
        b->left = std::move(l);
        b->right = std::move(r);
        return b;
    }

    ExprPtr parseLevel(ExprPtr (Parser::*next)(), std::initializer_list<std::pair<const char*, Op>> words) {
        ExprPtr left = (this->*next)();
        while (true) {
            const Pos at = here();
            const std::pair<const char*, Op>* hit = nullptr;
            for (const auto& w : words)
                if (atWord(w.first)) hit = &w;
            if (!hit) return left;
            advance();
            left = binary(hit->second, std::move(left), (this->*next)(), at);
        }
    }

    ExprPtr parseImp() { return parseLevel(&Parser::parseEqv, {{"imp", Op::Imp}}); }
    ExprPtr parseEqv() { return parseLevel(&Parser::parseXor, {{"eqv", Op::Eqv}}); }
    ExprPtr parseXor() { return parseLevel(&Parser::parseOr, {{"xor", Op::Xor}}); }
    ExprPtr parseOr() { return parseLevel(&Parser::parseAnd, {{"or", Op::Or}}); }
    ExprPtr parseAnd() { return parseLevel(&Parser::parseNot, {{"and", Op::And}}); }

    ExprPtr parseNot() {
        if (!atWord("not")) return parseCompare();
        const Pos at = here();
        advance();
        Nesting guard(*this);
        return unary(Op::Not, parseNot(), at);
    }

    ExprPtr unary(Op op, ExprPtr operand, const Pos& at) {
        auto u = node<UnaryExpr>(at);
        u->depth = operand->depth + 1;
        if (u->depth > kMaxExprDepth) failPos(kOutOfStack, at);
        u->op = op;
        u->operand = std::move(operand);
        return u;
    }

    ExprPtr parseCompare() {
        ExprPtr left = parseConcat();
        while (true) {
            const Pos at = here();
            Op op;
            switch (cur().kind) {
            case Tok::Eq:
                op = Op::Eq;
                break;
            case Tok::Ne:
                op = Op::Ne;
                break;
            case Tok::Lt:
                op = Op::Lt;
                break;
            case Tok::Gt:
                op = Op::Gt;
                break;
            case Tok::Le:
                op = Op::Le;
                break;
            case Tok::Ge:
                op = Op::Ge;
                break;
            default:
                if (!atWord("is")) return left;
                op = Op::Is;
            }
            advance();
            left = binary(op, std::move(left), parseConcat(), at);
        }
    }

    ExprPtr parseSymbols(ExprPtr (Parser::*next)(), std::initializer_list<std::pair<Tok, Op>> symbols) {
        ExprPtr left = (this->*next)();
        while (true) {
            const Pos at = here();
            const std::pair<Tok, Op>* hit = nullptr;
            for (const auto& s : symbols)
                if (cur().kind == s.first) hit = &s;
            if (!hit) return left;
            advance();
            left = binary(hit->second, std::move(left), (this->*next)(), at);
        }
    }

    ExprPtr parseConcat() { return parseSymbols(&Parser::parseAdditive, {{Tok::Amp, Op::Concat}}); }
    ExprPtr parseAdditive() {
        return parseSymbols(&Parser::parseMod, {{Tok::Plus, Op::Add}, {Tok::Minus, Op::Sub}});
    }
    ExprPtr parseMod() { return parseLevel(&Parser::parseIntDiv, {{"mod", Op::Mod}}); }
    ExprPtr parseIntDiv() { return parseSymbols(&Parser::parseMul, {{Tok::Backslash, Op::IntDiv}}); }
    ExprPtr parseMul() {
        return parseSymbols(&Parser::parseUnary, {{Tok::Star, Op::Mul}, {Tok::Slash, Op::Div}});
    }

    ExprPtr parseUnary() {
        const Pos at = here();
        if (accept(Tok::Minus)) {
            Nesting guard(*this);
            return unary(Op::Neg, parseUnary(), at);
        }
        if (accept(Tok::Plus)) {
            Nesting guard(*this);
            return parseUnary();
        }
        return parsePower();
    }

    ExprPtr parsePower() {
        ExprPtr left = parsePostfix(false);
        while (cur().kind == Tok::Caret) {
            const Pos at = here();
            advance();
            ExprPtr right;
            const Pos sign = here();
            if (accept(Tok::Minus))
                right = unary(Op::Neg, parsePostfix(false), sign);
            else {
                accept(Tok::Plus);
                right = parsePostfix(false);
            }
            left = binary(Op::Pow, std::move(left), std::move(right), at);
        }
        return left;
    }

    // A primary with its member accesses and calls. In statement mode a '(' written after a blank
    // ends the chain (it starts an argument).
    ExprPtr parsePostfix(bool statementMode) {
        ExprPtr e = parsePrimary();
        while (true) {
            const Pos at = here();
            const Token& t = cur();
            if (t.kind == Tok::Dot && !(m_withDepth && t.spaceBefore)) {
                e = memberOf(std::move(e), at);
            } else if (t.kind == Tok::LParen && !(statementMode && t.spaceBefore)) {
                if (e->kind == ExprKind::Literal) fail(kExpectedEndOfStatement);
                advance();
                auto c = node<CallExpr>(at);
                int depth = e->depth;
                c->callee = std::move(e);
                parseArguments(c->args, depth);
                c->depth = depth + 1;
                e = std::move(c);
            } else {
                return e;
            }
            if (e->depth > kMaxExprDepth) failPos(kOutOfStack, at);
        }
    }

    // ".Name" after an object (the dot is the current token).
    ExprPtr memberOf(ExprPtr object, const Pos& at) {
        advance();
        if (cur().kind != Tok::Ident) fail(kExpectedIdentifier);
        auto m = node<MemberExpr>(at);
        m->name = cur().text;
        m->key = cur().lower;
        advance();
        m->depth = object->depth + 1;
        m->object = std::move(object);
        return m;
    }

    void parseArguments(std::vector<ExprPtr>& args, int& depth) {
        if (accept(Tok::RParen)) return;
        do {
            if (cur().kind == Tok::Comma || cur().kind == Tok::RParen) {
                args.push_back(nullptr);
                continue;
            }
            args.push_back(parseExpr());
            depth = std::max(depth, args.back()->depth);
        } while (accept(Tok::Comma));
        expect(Tok::RParen, kExpectedRParen);
    }

    ExprPtr literal(Value v, const Pos& at) {
        auto l = node<LiteralExpr>(at);
        l->value = std::move(v);
        advance();
        return l;
    }

    ExprPtr parsePrimary() {
        const Token& t = cur();
        switch (t.kind) {
        case Tok::Number:
        case Tok::Date:
            return literal(t.value, here());
        case Tok::String:
            return literal(Value::string(t.text), here());
        case Tok::LParen: {
            advance();
            ExprPtr e = parseExpr();
            expect(Tok::RParen, kExpectedRParen);
            e->parenthesized = true;
            return e;
        }
        case Tok::Ident:
            break;
        case Tok::Dot:
            if (!m_withDepth) fail(kExpectedExpression);
            return memberOf(node<WithObjectExpr>(here()), here());
        case Tok::Newline:
        case Tok::End:
        case Tok::Colon:
            fail(kSyntaxError); // the expression stops short at the end of the statement
        default:
            fail(kExpectedExpression);
        }
        const std::string& w = t.lower;
        if (w == "true") return literal(Value::boolean(true), here());
        if (w == "false") return literal(Value::boolean(false), here());
        if (w == "empty") return literal(Value(), here());
        if (w == "null") return literal(Value::null(), here());
        if (w == "nothing") return literal(Value::object(nullptr), here());
        if (w == "me") {
            auto me = node<MeExpr>(here());
            advance();
            return me;
        }
        if (w == "new") {
            auto n = node<NewExpr>(here());
            advance();
            n->name = identifier();
            n->key = lowerCase(n->name);
            return n;
        }
        if (isReserved(w)) fail(kExpectedExpression);
        return identNode();
    }

    Lexer m_lexer;
    std::vector<Token> m_line;
    size_t m_i = 0;
    int m_unitIndex;
    Unit* m_unit = nullptr;
    Procedure* m_proc = nullptr;
    std::unordered_set<std::string> m_procedureNames;
    std::unordered_set<std::string> m_globalNames;
    std::unordered_set<std::string> m_classNames;
    int m_nesting = 0;
    int m_forDepth = 0;
    int m_doDepth = 0;
    int m_withDepth = 0;
};

} // namespace

std::string Unit::lineText(int line) const {
    if (line < 0) return std::string();
    size_t pos = 0;
    for (int i = 0; i < line; ++i) {
        size_t next = source.find_first_of("\r\n", pos);
        if (next == std::string::npos) return std::string();
        pos = next + ((source[next] == '\r' && next + 1 < source.size() && source[next + 1] == '\n') ? 2 : 1);
    }
    size_t end = source.find_first_of("\r\n", pos);
    return source.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

ExprPtr parseExpression(const std::string& source, int unitIndex) {
    try {
        return Parser(source, unitIndex).parseExpressionOnly();
    } catch (ScriptError& e) {
        e.compile = true;
        e.pos.unit = unitIndex;
        throw;
    }
}

std::unique_ptr<Unit> parseUnit(const std::string& source, int unitIndex) {
    try {
        return Parser(source, unitIndex).parse();
    } catch (ScriptError& e) {
        e.compile = true;
        e.pos.unit = unitIndex;
        throw;
    }
}

} // namespace pm::vbs
