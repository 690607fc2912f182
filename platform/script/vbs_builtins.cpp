// The builtin table, the vb constants, and the builtins that talk to the host and the engine.

#include "platform/script/vbs_builtins.h"
#include "platform/script/script_hooks.h"
#include "platform/script/vbs_runtime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <unordered_map>

namespace pm::vbs {

bool isMissing(const Value& v) {
    return v.type() == VT_ERROR && v.intValue() == DISP_E_PARAMNOTFOUND;
}

int32_t optionalLong(const std::vector<Value>& args, size_t i, int32_t fallback) {
    if (i >= args.size() || isMissing(args[i])) return fallback;
    return toLong(args[i]);
}

std::string argText(const std::vector<Value>& args, size_t i) {
    if (i >= args.size() || isMissing(args[i])) return std::string();
    return toStr(args[i]);
}

namespace {

struct Constant {
    const char* name;
    int64_t value;
};

const Constant kNumbers[] = {
    {"vbblack", 0x0},
    {"vbred", 0xFF},
    {"vbgreen", 0xFF00},
    {"vbyellow", 0xFFFF},
    {"vbblue", 0xFF0000},
    {"vbmagenta", 0xFF00FF},
    {"vbcyan", 0xFFFF00},
    {"vbwhite", 0xFFFFFF},
    {"vbbinarycompare", 0},
    {"vbtextcompare", 1},
    {"vbdatabasecompare", 2},
    {"vbgeneraldate", 0},
    {"vblongdate", 1},
    {"vbshortdate", 2},
    {"vblongtime", 3},
    {"vbshorttime", 4},
    {"vbusesystemdayofweek", 0},
    {"vbsunday", 1},
    {"vbmonday", 2},
    {"vbtuesday", 3},
    {"vbwednesday", 4},
    {"vbthursday", 5},
    {"vbfriday", 6},
    {"vbsaturday", 7},
    {"vbusesystem", 0},
    {"vbfirstjan1", 1},
    {"vbfirstfourdays", 2},
    {"vbfirstfullweek", 3},
    {"vbobjecterror", -2147221504LL},
    {"vbokonly", 0},
    {"vbokcancel", 1},
    {"vbabortretryignore", 2},
    {"vbyesnocancel", 3},
    {"vbyesno", 4},
    {"vbretrycancel", 5},
    {"vbcritical", 16},
    {"vbquestion", 32},
    {"vbexclamation", 48},
    {"vbinformation", 64},
    {"vbdefaultbutton1", 0},
    {"vbdefaultbutton2", 256},
    {"vbdefaultbutton3", 512},
    {"vbdefaultbutton4", 768},
    {"vbapplicationmodal", 0},
    {"vbsystemmodal", 4096},
    {"vbmsgboxhelpbutton", 16384},
    {"vbmsgboxsetforeground", 65536},
    {"vbmsgboxright", 524288},
    {"vbmsgboxrtlreading", 1048576},
    {"vbok", 1},
    {"vbcancel", 2},
    {"vbabort", 3},
    {"vbretry", 4},
    {"vbignore", 5},
    {"vbyes", 6},
    {"vbno", 7},
    {"vbempty", 0},
    {"vbnull", 1},
    {"vbinteger", 2},
    {"vblong", 3},
    {"vbsingle", 4},
    {"vbdouble", 5},
    {"vbcurrency", 6},
    {"vbdate", 7},
    {"vbstring", 8},
    {"vbobject", 9},
    {"vberror", 10},
    {"vbboolean", 11},
    {"vbvariant", 12},
    {"vbdataobject", 13},
    {"vbdecimal", 14},
    {"vbbyte", 17},
    {"vbarray", 8192},
    {"vbusedefault", -2},
    {"vbtrue", -1},
    {"vbfalse", 0},
};

struct TextConstant {
    const char* name;
    const char* value;
    size_t length;
};

const TextConstant kTexts[] = {
    {"vbcr", "\r", 1},        {"vblf", "\n", 1},       {"vbcrlf", "\r\n", 2},
    {"vbnewline", "\r\n", 2}, {"vbtab", "\t", 1},      {"vbnullchar", "\0", 1},
    {"vbnullstring", "", 0},  {"vbformfeed", "\f", 1}, {"vbverticaltab", "\v", 1},
};

const std::unordered_map<std::string, Value>& constants() {
    static const std::unordered_map<std::string, Value> table = [] {
        std::unordered_map<std::string, Value> t;
        for (const Constant& c : kNumbers)
            t[c.name] = Value::fromInt64(c.value);
        for (const TextConstant& c : kTexts)
            t[c.name] = Value::string(std::string(c.value, c.length));
        return t;
    }();
    return table;
}

HWND ownerOf(Runtime& rt) {
    return rt.host().ownerWindow();
}

Value msgBox(Runtime& rt, std::vector<Value>& a) {
    std::string prompt = toStr(a[0]);
    unsigned buttons = static_cast<unsigned>(optionalLong(a, 1, 0));
    std::string title = a.size() > 2 && !isMissing(a[2]) ? toStr(a[2]) : "VBScript";
    rt.host().enableModeless(false);
    int answer = scriptMessageBox(ownerOf(rt), prompt, buttons, title);
    rt.host().enableModeless(true);
    rt.checkAbort();
    return Value::integer(answer);
}

std::optional<int> optionalTwips(const std::vector<Value>& args, size_t i) {
    if (i >= args.size() || isMissing(args[i])) return std::nullopt;
    return optionalLong(args, i, 0);
}

Value inputBox(Runtime& rt, std::vector<Value>& a) {
    ScriptInputRequest request;
    request.prompt = toStr(a[0]);
    request.title = argText(a, 1);
    if (request.title.empty()) request.title = "VBScript";
    request.defaultText = argText(a, 2);
    request.xTwips = optionalTwips(a, 3);
    request.yTwips = optionalTwips(a, 4);
    std::string answer;
    rt.host().enableModeless(false);
    bool ok = scriptInputBox(ownerOf(rt), request, answer);
    rt.host().enableModeless(true);
    rt.checkAbort();
    return Value::string(ok ? answer : std::string());
}

Value createObject(Runtime& rt, std::vector<Value>& a) {
    std::string progId = toStr(a[0]);
    std::u16string wide = toUtf16(progId);
    CLSID clsid;
    pm::ComPtr<IDispatch> obj;
    HRESULT hr = CLSIDFromString(wide.c_str(), &clsid);
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, obj.putVoid());
    rt.checkAbort();
    if (FAILED(hr) || !obj) {
        ScriptError e(kCannotCreateObject);
        e.description += ": '" + progId + "'";
        throw e;
    }
    if (auto* own = dynamic_cast<AutoObject*>(obj.get())) rt.adopt(*own);
    return Value::object(obj.get());
}

Value getObject(Runtime&, std::vector<Value>&) {
    throw ScriptError(kCannotCreateObject);
}
Value loadPicture(Runtime&, std::vector<Value>&) {
    throw ScriptError(kNoSuchAction);
}
Value evalBuiltin(Runtime& rt, std::vector<Value>& a) {
    return rt.evalText(toStr(a[0]));
}

Value executeBuiltin(Runtime& rt, std::vector<Value>& a) {
    rt.executeText(toStr(a[0]), false);
    return Value();
}
Value executeGlobal(Runtime& rt, std::vector<Value>& a) {
    rt.executeText(toStr(a[0]), true);
    return Value();
}
Value getRef(Runtime& rt, std::vector<Value>& a) {
    return rt.procedureReference(toStr(a[0]));
}

// Seconds since midnight, with hundredths.
Value timer(Runtime&, std::vector<Value>&) {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    double fraction = std::chrono::duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
    double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    return Value::single(static_cast<float>(std::floor(seconds * 100) / 100));
}

// The engine formats with one fixed locale, English (United States); SetLocale accepts only it.
constexpr int32_t kLocale = 1033;

Value getLocale(Runtime&, std::vector<Value>&) {
    return Value::longInt(kLocale);
}

Value setLocale(Runtime&, std::vector<Value>& a) {
    if (!a.empty() && !isMissing(a[0])) {
        const Value& v = a[0];
        bool ok = v.isString() ? (lowerCase(v.str()) == "en-us" || v.str().empty())
                               : (toLong(v) == 0 || toLong(v) == kLocale);
        if (!ok) throw ScriptError(kInvalidCall);
    }
    return Value::longInt(kLocale);
}

Value rnd(Runtime& rt, std::vector<Value>& a) {
    bool hasSeed = !a.empty() && !isMissing(a[0]);
    return Value::single(static_cast<float>(rt.nextRandom(hasSeed ? &a[0] : nullptr)));
}

Value scriptEngine(Runtime&, std::vector<Value>&) {
    return Value::string("VBScript");
}
Value engineMajor(Runtime&, std::vector<Value>&) {
    return Value::longInt(5);
}
Value engineMinor(Runtime&, std::vector<Value>&) {
    return Value::longInt(8);
}
Value engineBuild(Runtime&, std::vector<Value>&) {
    return Value::longInt(1);
}

Value isArray(Runtime&, std::vector<Value>& a) {
    return Value::boolean(a[0].isArray());
}
Value isObject(Runtime&, std::vector<Value>& a) {
    return Value::boolean(a[0].isObject());
}
Value typeName(Runtime&, std::vector<Value>& a) {
    return Value::string(typeNameOf(a[0]));
}

Value varType(Runtime&, std::vector<Value>& a) {
    if (a[0].isArray()) return Value::integer(VT_ARRAY | VT_VARIANT);
    return Value::integer(a[0].type());
}

Array& arrayArg(Value& v) {
    if (!v.isArray()) throw ScriptError(kTypeMismatch);
    return *v.arr();
}

Value bound(std::vector<Value>& a, bool upper) {
    Array& arr = arrayArg(a[0]);
    int32_t dim = optionalLong(a, 1, 1);
    if (dim < 1 || static_cast<size_t>(dim) > arr.dims.size()) throw ScriptError(kSubscriptOutOfRange);
    const Array::Dim& d = arr.dims[dim - 1];
    return Value::longInt(upper ? static_cast<int32_t>(d.lower + static_cast<int64_t>(d.count) - 1)
                                : d.lower);
}

Value lBound(Runtime&, std::vector<Value>& a) {
    return bound(a, false);
}
Value uBound(Runtime&, std::vector<Value>& a) {
    return bound(a, true);
}

Value arrayOf(Runtime&, std::vector<Value>& a) {
    auto arr = std::make_shared<Array>();
    arr->dims.push_back({0, static_cast<uint32_t>(a.size())});
    arr->data = std::move(a);
    return Value::array(std::move(arr));
}

Value rgb(Runtime&, std::vector<Value>& a) {
    int32_t c[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = toLong(a[i]);
        if (c[i] < 0) throw ScriptError(kInvalidCall);
        c[i] = std::min(c[i], 255);
    }
    return Value::longInt(c[0] | (c[1] << 8) | (c[2] << 16));
}

const std::vector<Builtin> kOther = {
    {"msgbox", 1, 5, msgBox},
    {"inputbox", 1, 7, inputBox},
    {"createobject", 1, 2, createObject},
    {"getobject", 0, 2, getObject},
    {"loadpicture", 0, 1, loadPicture},
    {"eval", 1, 1, evalBuiltin},
    {"execute", 1, 1, executeBuiltin},
    {"executeglobal", 1, 1, executeGlobal},
    {"getref", 1, 1, getRef},
    {"timer", 0, 0, timer},
    {"getlocale", 0, 0, getLocale},
    {"setlocale", 0, 1, setLocale},
    {"rnd", 0, 1, rnd},
    {"scriptengine", 0, 0, scriptEngine},
    {"scriptenginemajorversion", 0, 0, engineMajor},
    {"scriptengineminorversion", 0, 0, engineMinor},
    {"scriptenginebuildversion", 0, 0, engineBuild},
    {"isarray", 1, 1, isArray},
    {"isobject", 1, 1, isObject},
    {"typename", 1, 1, typeName},
    {"vartype", 1, 1, varType},
    {"lbound", 1, 2, lBound},
    {"ubound", 1, 2, uBound},
    {"array", 0, -1, arrayOf},
    {"rgb", 3, 3, rgb},
};

} // namespace

const std::vector<Builtin>& otherBuiltins() {
    return kOther;
}

const Builtin* findBuiltin(const std::string& key) {
    static const std::unordered_map<std::string, const Builtin*> table = [] {
        std::unordered_map<std::string, const Builtin*> t;
        for (const auto* part :
             {&textBuiltins(), &conversionBuiltins(), &dateBuiltins(), &otherBuiltins(), &byteBuiltins()})
            for (const Builtin& b : *part)
                t[b.name] = &b;
        return t;
    }();
    auto it = table.find(key);
    return it == table.end() ? nullptr : it->second;
}

const Value* findConstant(const std::string& key) {
    const auto& t = constants();
    auto it = t.find(key);
    return it == t.end() ? nullptr : &it->second;
}

} // namespace pm::vbs
