#pragma once
// The syntax tree of a parsed script: expressions, statements, procedures and the text unit.

#include "platform/script/vbs_ops.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace pm::vbs {

struct Procedure;
struct ClassDef;

enum class ExprKind : unsigned char { Literal, Ident, Member, Call, Unary, Binary, Me, New, WithObject };

struct Expr {
    ExprKind kind;
    Pos pos;
    bool parenthesized = false; // written in parentheses: never passed by reference
    int depth = 1;              // height of the tree below, bounded by the parser
    explicit Expr(ExprKind k) : kind(k) {}
    virtual ~Expr() = default;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    Value value;
    LiteralExpr() : Expr(ExprKind::Literal) {}
};

// How a name was found; cached in the node after the first look-up.
enum class NameKind : unsigned char {
    Unresolved,
    Local,
    Global,
    Procedure, // cachePtr is its entry in the procedure table
    Item,
    Builtin,
    Constant,
    GlobalMember,
    ImplicitLocal,
    ReturnValue,
    Field,      // a variable of the class of the running method (cacheIndex)
    ClassMember // a method or property of that class (cacheIndex is its id)
};

struct IdentExpr : Expr {
    std::string name;
    std::string key; // lower case
    NameKind cacheKind = NameKind::Unresolved;
    int cacheIndex = -1;
    const void* cachePtr = nullptr;
    IdentExpr() : Expr(ExprKind::Ident) {}
};

struct MemberExpr : Expr {
    ExprPtr object;
    std::string name;
    std::string key; // lower case
    // The member id last found for objects of one shape (class), for the engine's own objects.
    const void* cacheShape = nullptr;
    DISPID cacheId = DISPID_UNKNOWN;
    MemberExpr() : Expr(ExprKind::Member) {}
};

// "New Name": an instance of a script class (or of RegExp).
struct NewExpr : Expr {
    std::string name;
    std::string key;
    NewExpr() : Expr(ExprKind::New) {}
};

// Me, and the object of the innermost With (the start of ".Member").
struct MeExpr : Expr {
    MeExpr() : Expr(ExprKind::Me) {}
};
struct WithObjectExpr : Expr {
    WithObjectExpr() : Expr(ExprKind::WithObject) {}
};

struct CallExpr : Expr {
    ExprPtr callee;
    std::vector<ExprPtr> args; // a null entry is an omitted argument
    CallExpr() : Expr(ExprKind::Call) {}
};

struct UnaryExpr : Expr {
    Op op;
    ExprPtr operand;
    UnaryExpr() : Expr(ExprKind::Unary) {}
};

struct BinaryExpr : Expr {
    Op op;
    ExprPtr left, right;
    BinaryExpr() : Expr(ExprKind::Binary) {}
};

enum class StmtKind : unsigned char {
    Assign,
    Call,
    Dim,
    ReDim,
    Const,
    Erase,
    If,
    Select,
    For,
    ForEach,
    Do,
    Exit,
    OnError,
    Randomize,
    With
};

struct Stmt {
    StmtKind kind;
    Pos pos;
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    ExprPtr target, value;
    bool isSet = false;
    AssignStmt() : Stmt(StmtKind::Assign) {}
};

struct CallStmt : Stmt {
    ExprPtr callee;            // Ident or Member (or any expression called with args)
    std::vector<ExprPtr> args; // null entries are omitted arguments
    CallStmt() : Stmt(StmtKind::Call) {}
};

struct DimStmt : Stmt {
    struct Decl {
        std::unique_ptr<IdentExpr> target;
        std::vector<ExprPtr> bounds;
        bool isArray = false;
    };
    std::vector<Decl> decls;
    DimStmt() : Stmt(StmtKind::Dim) {}
};

struct ReDimStmt : Stmt {
    bool preserve = false;
    std::vector<DimStmt::Decl> decls;
    ReDimStmt() : Stmt(StmtKind::ReDim) {}
};

struct ConstStmt : Stmt {
    std::vector<std::pair<std::unique_ptr<IdentExpr>, ExprPtr>> items;
    ConstStmt() : Stmt(StmtKind::Const) {}
};

struct EraseStmt : Stmt {
    std::vector<ExprPtr> targets;
    EraseStmt() : Stmt(StmtKind::Erase) {}
};

struct IfStmt : Stmt {
    std::vector<std::pair<ExprPtr, Block>> branches;
    Block elseBlock;
    IfStmt() : Stmt(StmtKind::If) {}
};

struct SelectStmt : Stmt {
    struct Case {
        std::vector<ExprPtr> values; // empty for Case Else
        bool isElse = false;
        Block body;
    };
    ExprPtr subject;
    std::vector<Case> cases;
    SelectStmt() : Stmt(StmtKind::Select) {}
};

struct ForStmt : Stmt {
    std::unique_ptr<IdentExpr> var;
    ExprPtr from, to, step;
    Block body;
    ForStmt() : Stmt(StmtKind::For) {}
};

struct ForEachStmt : Stmt {
    std::unique_ptr<IdentExpr> var;
    ExprPtr group;
    Block body;
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
};

enum class LoopCond : unsigned char { None, While, Until };

struct DoStmt : Stmt {
    LoopCond preKind = LoopCond::None, postKind = LoopCond::None;
    ExprPtr preCond, postCond;
    Block body;
    DoStmt() : Stmt(StmtKind::Do) {}
};

enum class ExitKind : unsigned char { Sub, Function, Property, For, Do };

struct ExitStmt : Stmt {
    ExitKind what;
    ExitStmt() : Stmt(StmtKind::Exit) {}
};

struct OnErrorStmt : Stmt {
    bool resumeNext = false;
    OnErrorStmt() : Stmt(StmtKind::OnError) {}
};

struct RandomizeStmt : Stmt {
    ExprPtr seed;
    RandomizeStmt() : Stmt(StmtKind::Randomize) {}
};

struct WithStmt : Stmt {
    ExprPtr object;
    Block body;
    WithStmt() : Stmt(StmtKind::With) {}
};

enum class ProcKind : unsigned char { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Procedure {
    std::string name;
    std::string key;
    bool isFunction = false; // has a return value (Function, Property Get)
    ProcKind kind = ProcKind::Sub;
    bool isPublic = true;
    ClassDef* owner = nullptr; // the class of a method
    struct Param {
        std::string name;
        bool byRef = true;
    };
    std::vector<Param> params;
    Block body;
    Pos pos;
    // Slots: 0 is the return value, then the parameters, then the Dim'd and Const names.
    std::unordered_map<std::string, int> locals;
    int slotCount = 1;
};

// A Class block: its variables (fields), and its methods and properties by name.
struct ClassDef {
    std::string name;
    std::string key;
    Pos pos;
    struct Field {
        std::string name;
        bool isPublic = true;
        bool isArray = false;
        std::vector<ExprPtr> bounds;
    };
    std::vector<Field> fields;
    std::unordered_map<std::string, int> fieldIndex;
    // A method or property: Sub/Function/Property Get in get, Property Let and Set in let/set.
    struct Member {
        std::string name;
        bool isPublic = true;
        Procedure* get = nullptr;
        Procedure* let = nullptr;
        Procedure* set = nullptr;
    };
    std::vector<Member> members;
    std::unordered_map<std::string, int> memberIndex;
    int defaultMember = -1;
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    std::vector<std::unique_ptr<Procedure>> procedures;
};

// Member ids of class instances: fields count from 1, methods and properties from kMethodBase.
constexpr DISPID kMethodBase = 0x10000;

// One parsed text: its procedures, the global code, and its source lines for error reports.
struct Unit {
    int index = 0;
    DWORD_PTR context = 0;
    ULONG startLine = 0;
    std::string source;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::unique_ptr<ClassDef>> classes;
    Block globalCode;
    std::vector<std::string> globalNames; // Dim'd at global level, created when the unit is loaded
    bool optionExplicit = false;

    // The text of a zero-based line without its line end.
    std::string lineText(int line) const;
};

} // namespace pm::vbs
