// RegExp over Qt's regular expressions (PCRE2), whose syntax is the language's: Test, Replace with
// $1..$99, $&, $`, $' and $$, and Execute giving a Matches collection.

#include "platform/script/runtime/regexp.h"
#include "platform/script/runtime/vector_collection.h"
#include "platform/com/oleauto.h"
#include "platform/script/vbs_auto_object.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace pm::vbs {

namespace {

// Qt matches valid UTF-16 only. While texts are matched, the escapes of bytes that are not UTF-8
// (U+DC80 to U+DCFF) stand in as private-use characters of a block that none of the texts uses,
// and the results turn them back into the escapes, so that such bytes survive a match or a
// replacement.
class StandIns {
public:
    explicit StandIns(std::initializer_list<const std::string*> texts) {
        for (const std::string* text : texts)
            m_units.push_back(pm::toUtf16(*text));
        for (; m_base > 0xE000; m_base -= 0x80)
            if (std::none_of(m_units.begin(), m_units.end(), [&](const std::u16string& u) {
                    return std::any_of(u.begin(), u.end(), [&](char16_t c) { return inBlock(c); });
                }))
                break;
    }
    char16_t base() const { return m_base; }
    // Text i of those given, for Qt.
    QString text(size_t i) const {
        QString out = QString::fromUtf16(m_units[i].data(), static_cast<qsizetype>(m_units[i].size()));
        for (QChar& c : out)
            if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) c = QChar(m_base + (c.unicode() - 0xDC80));
        return out;
    }
    std::string bytes(const QString& s) const {
        std::u16string units(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
        for (char16_t& c : units)
            if (inBlock(c)) c = static_cast<char16_t>(0xDC80 + (c - m_base));
        return pm::toBytes(units);
    }

private:
    bool inBlock(char16_t c) const { return c >= m_base && c < m_base + 0x80; }
    std::vector<std::u16string> m_units;
    char16_t m_base = 0xF780;
};

// A position in UTF-16 units as the language counts it: in characters (a surrogate pair is one).
int32_t characterIndex(const QString& s, qsizetype unit) {
    int32_t pairs = 0;
    for (qsizetype i = 1; i < unit; ++i)
        pairs += s[i].isLowSurrogate() && s[i - 1].isHighSurrogate();
    return static_cast<int32_t>(unit) - pairs;
}

const Value& itemAt(const std::vector<Value>& items, const Value& index) {
    int32_t i = toLong(index);
    if (i < 0 || static_cast<size_t>(i) >= items.size()) throw ScriptError(kInvalidCall);
    return items[static_cast<size_t>(i)];
}

const Value& itemAt(const std::vector<Value>& items, const Args& args) {
    checkArgCount(args, 1, 1);
    return itemAt(items, *args[0]);
}

// A read-only list whose Item takes an index: Matches and SubMatches.
class ValueList final : public VectorCollection {
public:
    ValueList(std::vector<Value> items, const char* name) : VectorCollection(std::move(items), name) {}

private:
    const Value& item(const Value& index) const override { return itemAt(items(), index); }
};

class MatchObject final : public AutoObject {
public:
    MatchObject(const QRegularExpressionMatch& m, const QString& subject, const StandIns& standIns)
        : m_value(standIns.bytes(m.captured(0))), m_index(characterIndex(subject, m.capturedStart(0))),
          m_length(characterIndex(subject, m.capturedEnd(0)) - m_index) {
        for (int i = 1; i <= m.lastCapturedIndex() || i < m.regularExpression().captureCount() + 1; ++i)
            m_groups.push_back(m.capturedStart(i) < 0 ? Value()
                                                      : Value::string(standIns.bytes(m.captured(i))));
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
            return test(toStr(*args[0]));
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

    // The expression with the given stand-ins for escapes.
    const QRegularExpression& compiled(const StandIns& standIns) {
        if (m_dirty || standIns.base() != m_base) {
            m_base = standIns.base();
            QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
            if (m_ignoreCase) options |= QRegularExpression::CaseInsensitiveOption;
            if (m_multiline) options |= QRegularExpression::MultilineOption;
            m_regex = QRegularExpression(standIns.text(0), options);
            m_dirty = false;
        }
        if (!m_regex.isValid()) throw ScriptError(kRegExpSyntax);
        return m_regex;
    }

    // Every match (Global) or the first one.
    std::vector<QRegularExpressionMatch> matches(const QString& subject, const StandIns& standIns) {
        std::vector<QRegularExpressionMatch> out;
        const QRegularExpression& re = compiled(standIns);
        if (!m_global) {
            QRegularExpressionMatch m = re.match(subject);
            if (m.hasMatch()) out.push_back(m);
            return out;
        }
        for (auto it = re.globalMatch(subject); it.hasNext();)
            out.push_back(it.next());
        return out;
    }

    Value test(const std::string& text) {
        const StandIns standIns{&m_pattern, &text};
        return Value::boolean(compiled(standIns).match(standIns.text(1)).hasMatch());
    }

    Value replace(const std::string& text, const std::string& with) {
        const StandIns standIns{&m_pattern, &text, &with};
        QString subject = standIns.text(1), replacement = standIns.text(2), out;
        int from = 0;
        for (const auto& m : matches(subject, standIns)) {
            out += subject.mid(from, m.capturedStart(0) - from);
            expand(out, replacement, m, subject);
            from = m.capturedEnd(0);
        }
        out += subject.mid(from);
        return Value::string(standIns.bytes(out));
    }

    Value execute(const std::string& text) {
        std::vector<Value> found;
        const StandIns standIns{&m_pattern, &text};
        const QString subject = standIns.text(1);
        for (const auto& m : matches(subject, standIns))
            found.push_back(objectValue(new MatchObject(m, subject, standIns)));
        return objectValue(new ValueList(std::move(found), "IMatchCollection2"));
    }

    std::string m_pattern;
    bool m_ignoreCase = false, m_global = false, m_multiline = false, m_dirty = true;
    char16_t m_base = 0; // the stand-ins the expression was made with
    QRegularExpression m_regex;
};

} // namespace

Value newRegExp() {
    return objectValue(new RegExpObject);
}

} // namespace pm::vbs
