// RegExp over Qt's regular expressions (PCRE2), whose syntax is the language's: Test, Replace with
// $1..$99, $&, $`, $' and $$, and Execute giving a Matches collection.

#include "platform/script/runtime/regexp.h"
#include "platform/script/vbs_auto_object.h"

#include <QRegularExpression>
#include <QString>

namespace pm::vbs {

namespace {

QString qtext(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

std::string bytes(const QString& s) {
    QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

Value& itemAt(std::vector<Value>& items, const Args& args) {
    checkArgCount(args, 1, 1);
    int32_t i = toLong(*args[0]);
    if (i < 0 || static_cast<size_t>(i) >= items.size()) throw ScriptError(kInvalidCall);
    return items[static_cast<size_t>(i)];
}

// A read-only list with Count, Item (default) and For Each: Matches and SubMatches.
class ValueList final : public AutoObject {
public:
    ValueList(std::vector<Value> items, const char* name) : m_items(std::move(items)), m_name(name) {}
    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {{"item", DISPID_VALUE}, {"count", 1}};
        return findMember(std::begin(names), std::end(names), key);
    }
    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) throw ScriptError(kNoSuchMember);
        if (id == DISPID_VALUE) return itemAt(m_items, args);
        if (id == 1) return Value::longInt(static_cast<int32_t>(m_items.size()));
        throw ScriptError(kNoSuchMember);
    }
    std::string typeName() const override { return m_name; }
    const void* shape() const override { return &kShape; }
    bool enumerate(std::vector<Value>& out) override {
        out = m_items;
        return true;
    }

private:
    static constexpr char kShape = 0;
    std::vector<Value> m_items;
    const char* m_name;
};

class MatchObject final : public AutoObject {
public:
    explicit MatchObject(const QRegularExpressionMatch& m)
        : m_value(bytes(m.captured(0))), m_index(m.capturedStart(0)), m_length(m.capturedLength(0)) {
        for (int i = 1; i <= m.lastCapturedIndex() || i < m.regularExpression().captureCount() + 1; ++i)
            m_groups.push_back(m.capturedStart(i) < 0 ? Value() : Value::string(bytes(m.captured(i))));
    }
    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {
            {"value", DISPID_VALUE}, {"firstindex", 1}, {"length", 2}, {"submatches", 3}};
        return findMember(std::begin(names), std::end(names), key);
    }
    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) throw ScriptError(kNoSuchMember);
        if (id == 3 && !args.empty()) return itemAt(m_groups, args); // SubMatches(i)
        checkArgCount(args, 0, 0);
        switch (id) {
        case DISPID_VALUE:
            return Value::string(m_value);
        case 1:
            return Value::longInt(m_index);
        case 2:
            return Value::longInt(m_length);
        case 3:
            return objectValue(new ValueList(m_groups, "ISubMatches"));
        default:
            throw ScriptError(kNoSuchMember);
        }
    }
    std::string typeName() const override { return "IMatch2"; }
    const void* shape() const override { return &kShape; }

private:
    static constexpr char kShape = 0;
    std::string m_value;
    int32_t m_index, m_length;
    std::vector<Value> m_groups;
};

// Appends the replacement for one match, expanding $n, $&, $`, $' and $$.
void expand(QString& out, const QString& with, const QRegularExpressionMatch& m, const QString& subject) {
    int groups = m.regularExpression().captureCount();
    for (int i = 0; i < with.size(); ++i) {
        QChar c = with[i];
        if (c != '$' || i + 1 >= with.size()) {
            out += c;
            continue;
        }
        QChar n = with[i + 1];
        if (n == '$') {
            out += '$';
        } else if (n == '&') {
            out += m.captured(0);
        } else if (n == '`') {
            out += subject.left(m.capturedStart(0));
        } else if (n == '\'') {
            out += subject.mid(m.capturedEnd(0));
        } else if (n.isDigit()) {
            int group = n.digitValue();
            // Two digits when that group exists.
            if (i + 2 < with.size() && with[i + 2].isDigit() &&
                group * 10 + with[i + 2].digitValue() <= groups) {
                group = group * 10 + with[i + 2].digitValue();
                ++i;
            }
            if (group == 0 || group > groups) {
                out += c;
                continue;
            }
            out += m.captured(group);
        } else {
            out += c;
            continue;
        }
        ++i;
    }
}

class RegExpObject final : public AutoObject {
public:
    enum : DISPID { kPattern = 1, kIgnoreCase, kGlobal, kMultiline, kTest, kReplace, kExecute };

    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {{"pattern", kPattern}, {"ignorecase", kIgnoreCase},
                                           {"global", kGlobal},   {"multiline", kMultiline},
                                           {"test", kTest},       {"replace", kReplace},
                                           {"execute", kExecute}};
        return findMember(std::begin(names), std::end(names), key);
    }

    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) return setProperty(id, *put);
        switch (id) {
        case kPattern:
            return Value::string(m_pattern);
        case kIgnoreCase:
            return Value::boolean(m_ignoreCase);
        case kGlobal:
            return Value::boolean(m_global);
        case kMultiline:
            return Value::boolean(m_multiline);
        case kTest:
            checkArgCount(args, 1, 1);
            return Value::boolean(compiled().match(qtext(toStr(*args[0]))).hasMatch());
        case kReplace:
            checkArgCount(args, 2, 2);
            return replace(toStr(*args[0]), toStr(*args[1]));
        case kExecute:
            checkArgCount(args, 1, 1);
            return execute(toStr(*args[0]));
        default:
            throw ScriptError(kNoSuchMember);
        }
    }
    std::string typeName() const override { return "IRegExp2"; }
    const void* shape() const override { return &kShape; }

private:
    static constexpr char kShape = 0;

    Value setProperty(DISPID id, const Value& v) {
        switch (id) {
        case kPattern:
            m_pattern = toStr(v);
            break;
        case kIgnoreCase:
            m_ignoreCase = toBool(v);
            break;
        case kGlobal:
            m_global = toBool(v);
            break;
        case kMultiline:
            m_multiline = toBool(v);
            break;
        default:
            throw ScriptError(kNoSuchMember);
        }
        m_dirty = true;
        return Value();
    }

    const QRegularExpression& compiled() {
        if (m_dirty) {
            QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
            if (m_ignoreCase) options |= QRegularExpression::CaseInsensitiveOption;
            if (m_multiline) options |= QRegularExpression::MultilineOption;
            m_regex = QRegularExpression(qtext(m_pattern), options);
            m_dirty = false;
        }
        if (!m_regex.isValid()) throw ScriptError(kRegExpSyntax);
        return m_regex;
    }

    // Every match (Global) or the first one.
    std::vector<QRegularExpressionMatch> matches(const QString& subject) {
        std::vector<QRegularExpressionMatch> out;
        const QRegularExpression& re = compiled();
        if (!m_global) {
            QRegularExpressionMatch m = re.match(subject);
            if (m.hasMatch()) out.push_back(m);
            return out;
        }
        for (auto it = re.globalMatch(subject); it.hasNext();)
            out.push_back(it.next());
        return out;
    }

    Value replace(const std::string& text, const std::string& with) {
        QString subject = qtext(text), replacement = qtext(with), out;
        int from = 0;
        for (const auto& m : matches(subject)) {
            out += subject.mid(from, m.capturedStart(0) - from);
            expand(out, replacement, m, subject);
            from = m.capturedEnd(0);
        }
        out += subject.mid(from);
        return Value::string(bytes(out));
    }

    Value execute(const std::string& text) {
        std::vector<Value> found;
        for (const auto& m : matches(qtext(text)))
            found.push_back(objectValue(new MatchObject(m)));
        return objectValue(new ValueList(std::move(found), "IMatchCollection2"));
    }

    std::string m_pattern;
    bool m_ignoreCase = false, m_global = false, m_multiline = false, m_dirty = true;
    QRegularExpression m_regex;
};

} // namespace

Value newRegExp() {
    return objectValue(new RegExpObject);
}

} // namespace pm::vbs
