#include "platform/framework/CString.h"
#include "platform/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string bytes(const CString& s) {
    return std::string(static_cast<LPCTSTR>(s), static_cast<size_t>(s.GetLength()));
}

enum TestEnum { kThree = 3 };

const char kHigh[] = "\xC3\xA9t\xE9\xFF"; // UTF-8 e-acute, 't', Windows-1252 e-acute, 0xFF

TEST(CString, ConstructionAndLength) {
    EXPECT_EQ(CString().GetLength(), 0);
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ(CString(), "");
    EXPECT_EQ(CString(static_cast<LPCTSTR>(nullptr)).GetLength(), 0);
    EXPECT_EQ(bytes(CString('x', 3)), "xxx");
    EXPECT_EQ(CString('x', 0).GetLength(), 0);
    EXPECT_EQ(bytes(CString(kHigh)), kHigh);
    const CString withNul("a\0b", 3);
    EXPECT_EQ(withNul.GetLength(), 3);
    EXPECT_EQ(withNul.GetAt(2), 'b');
    EXPECT_EQ(withNul[static_cast<size_t>(2)], 'b'); // every index type works
    EXPECT_EQ(withNul[2L], 'b');
    EXPECT_EQ(withNul[-1L], '\0');
    EXPECT_EQ(withNul[static_cast<size_t>(3)], '\0');
    EXPECT_EQ(CString("abc").GetAt(3), '\0');
    EXPECT_EQ(CString("abc").GetAt(-1), '\0');
}

TEST(CString, CopiesStayIndependentWhenEitherIsWritten) {
    using Edit = std::function<void(CString&)>;
    const std::pair<const char*, Edit> edits[] = {
        {"SetAt", [](CString& s) { s.SetAt(0, 'X'); }},
        {"+=", [](CString& s) { s += "!"; }},
        {"+= char", [](CString& s) { s += '!'; }},
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }},
        {"MakeReverse", [](CString& s) { s.MakeReverse(); }},
        {"Replace", [](CString& s) { s.Replace('a', 'z'); }},
        {"Remove", [](CString& s) { s.Remove('b'); }},
        {"Insert", [](CString& s) { s.Insert(1, "--"); }},
        {"Delete", [](CString& s) { s.Delete(0, 2); }},
        {"TrimLeft", [](CString& s) { s.TrimLeft('a'); }},
        {"GetBuffer",
         [](CString& s) {
             s.GetBuffer(10)[0] = 'Q';
             s.ReleaseBuffer();
         }},
        {"Format", [](CString& s) { s.Format("%d", 5); }},
        {"Empty", [](CString& s) { s.Empty(); }},
        {"assign", [](CString& s) { s = "other"; }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        CString original("abcabc\xE9");
        CString copy = original;
        EXPECT_EQ(static_cast<LPCTSTR>(copy), static_cast<LPCTSTR>(original)); // shared until written
        edit(copy);
        EXPECT_EQ(bytes(original), "abcabc\xE9");
        CString second = original;
        edit(original);
        EXPECT_EQ(bytes(second), "abcabc\xE9");
        EXPECT_EQ(bytes(original), bytes(copy));
    }
}

TEST(CString, CopiesSharedBetweenThreads) {
    const CString original("shared between threads");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&original, t] {
            for (int i = 0; i < 20000; ++i) {
                CString copy = original;
                CString second = copy;
                if (i % 2) second.SetAt(0, static_cast<char>('a' + t));
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(bytes(original), "shared between threads");
}

TEST(CString, AssignmentFromItselfAndFromItsOwnBytes) {
    CString s("hello");
    CString& alias = s;
    s = alias;
    EXPECT_EQ(bytes(s), "hello");
    s = static_cast<LPCTSTR>(s) + 2;
    EXPECT_EQ(bytes(s), "llo");
    s += static_cast<LPCTSTR>(s);
    EXPECT_EQ(bytes(s), "llollo");
    s.Insert(1, static_cast<LPCTSTR>(s) + 3);
    EXPECT_EQ(bytes(s), "lllolollo");
    CString t("x");
    for (int i = 0; i < 5; ++i)
        t += static_cast<LPCTSTR>(t);
    EXPECT_EQ(t.GetLength(), 32);
}

TEST(CString, Concatenation) {
    const CString a("ab"), e;
    EXPECT_EQ(bytes(a + a), "abab");
    EXPECT_EQ(bytes(a + "c"), "abc");
    EXPECT_EQ(bytes("c" + a), "cab");
    EXPECT_EQ(bytes(a + 'z'), "abz");
    EXPECT_EQ(bytes('z' + a), "zab");
    EXPECT_EQ(bytes(e + e), "");
    CString built;
    built += a; // an empty string takes the other's buffer, and stays independent of it
    EXPECT_EQ(static_cast<LPCTSTR>(built), static_cast<LPCTSTR>(a));
    built += "!";
    EXPECT_EQ(bytes(built), "ab!");
    EXPECT_EQ(bytes(a), "ab");
    EXPECT_EQ(bytes(e + a), "ab");
    EXPECT_EQ(bytes(a + e), "ab");
    EXPECT_EQ(bytes(a + CString(kHigh)), std::string("ab") + kHigh);
    CString grow;
    for (int i = 0; i < 10000; ++i)
        grow += static_cast<char>('a' + i % 26);
    EXPECT_EQ(grow.GetLength(), 10000);
    EXPECT_EQ(grow.GetAt(9999), 'a' + 9999 % 26);
}

struct SubCase {
    const char* text;
    int first, count;
    const char* mid;
    const char* left;
    const char* right;
};

TEST(CString, MidLeftRightClamp) {
    const SubCase cases[] = {
        {"abcdef", 2, 3, "cde", "abc", "def"},
        {"abcdef", 0, 6, "abcdef", "abcdef", "abcdef"},
        {"abcdef", 4, 10, "ef", "abcdef", "abcdef"},
        {"abcdef", 7, 1, "", "a", "f"},
        {"abcdef", -3, 2, "ab", "ab", "ef"},
        {"abcdef", 1, -1, "", "", ""},
        {"", 0, 1, "", "", ""},
        {"\xE9\xFFz", 1, 1, "\xFF", "\xE9", "z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.first) + " " + std::to_string(c.count));
        const CString s(c.text);
        EXPECT_EQ(bytes(s.Mid(c.first, c.count)), c.mid);
        EXPECT_EQ(bytes(s.Left(c.count)), c.left);
        EXPECT_EQ(bytes(s.Right(c.count)), c.right);
    }
    EXPECT_EQ(bytes(CString("abcdef").Mid(2)), "cdef");
    EXPECT_EQ(bytes(CString("abcdef").Mid(9)), "");
}

struct FindCase {
    const char* text;
    const char* sub;
    int start;
    int expected;
};

TEST(CString, FindSubstrings) {
    const FindCase cases[] = {
        {"hello world", "o", 0, 4},     {"hello world", "o", 5, 7},
        {"hello world", "world", 0, 6}, {"hello world", "xyz", 0, -1},
        {"hello world", "", 3, 3},      {"hello", "", 5, 5},
        {"hello", "", 6, -1},           {"hello", "lo", 9, -1},
        {"hello", "he", -4, 0},         {"", "a", 0, -1},
        {"aaab", "aab", 0, 1},          {"x\xE9y\xE9", "\xE9", 2, 3},
        {"abc", "abcd", 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.sub);
        EXPECT_EQ(CString(c.text).Find(c.sub, c.start), c.expected);
    }
    EXPECT_EQ(CString("a\0b", 3).Find('b'), 2); // counted, not stopped by a NUL
}

TEST(CString, FindCharactersAndSets) {
    const CString s("path/to\\file.ext");
    EXPECT_EQ(s.Find('/'), 4);
    EXPECT_EQ(s.Find('/', 5), -1);
    EXPECT_EQ(s.Find('t', 100), -1);
    EXPECT_EQ(s.ReverseFind('.'), 12);
    EXPECT_EQ(s.ReverseFind('#'), -1);
    EXPECT_EQ(CString().ReverseFind('a'), -1);
    EXPECT_EQ(s.FindOneOf("\\/"), 4);
    EXPECT_EQ(s.FindOneOf(""), -1);
    EXPECT_EQ(s.FindOneOf("#"), -1);
    EXPECT_EQ(CString("ab\xE9").FindOneOf("\xE9"), 2);
    EXPECT_EQ(bytes(s.SpanIncluding("pa")), "pa");
    EXPECT_EQ(bytes(s.SpanIncluding("")), "");
    EXPECT_EQ(bytes(s.SpanExcluding("\\")), "path/to");
    EXPECT_EQ(bytes(s.SpanExcluding("#")), bytes(s));
}

TEST(CString, CaseChangesTouchAsciiLettersOnly) {
    CString s("aZ09_\xE9\xC9\xFFx");
    s.MakeUpper();
    EXPECT_EQ(bytes(s), "AZ09_\xE9\xC9\xFFX");
    s.MakeLower();
    EXPECT_EQ(bytes(s), "az09_\xE9\xC9\xFFx");
    s.MakeReverse();
    EXPECT_EQ(bytes(s), "x\xFF\xC9\xE9_90za");
    CString e;
    e.MakeUpper();
    EXPECT_TRUE(e.IsEmpty());
}

struct TrimCase {
    const char* text;
    const char* targets; // nullptr: white space
    const char* left;
    const char* right;
};

TEST(CString, Trim) {
    const TrimCase cases[] = {
        {" \t\r\n x y \v\f", nullptr, "x y \v\f", " \t\r\n x y"},
        {"   ", nullptr, "", ""},
        {"", nullptr, "", ""},
        {"\xA0x\xA0", nullptr, "\xA0x\xA0", "\xA0x\xA0"}, // 0xA0 is no white space
        {"xxaxx", "x", "axx", "xxa"},
        {"abcxcba", "abc", "xcba", "abcx"},
        {"abc", "", "abc", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CString l(c.text), r(c.text);
        if (c.targets) {
            l.TrimLeft(c.targets);
            r.TrimRight(c.targets);
        } else {
            l.TrimLeft();
            r.TrimRight();
        }
        EXPECT_EQ(bytes(l), c.left);
        EXPECT_EQ(bytes(r), c.right);
    }
    CString s("--a--");
    s.TrimLeft('-');
    EXPECT_EQ(bytes(s), "a--");
    s.TrimRight('-');
    EXPECT_EQ(bytes(s), "a");
    CString both("  a b  ");
    both.Trim();
    EXPECT_EQ(bytes(both), "a b");
}

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    int count;
    const char* result;
};

TEST(CString, ReplaceStrings) {
    const ReplaceCase cases[] = {
        {"a.b.c", ".", "::", 2, "a::b::c"},
        {"aaaa", "aa", "a", 2, "aa"},
        {"abc", "x", "y", 0, "abc"},
        {"abc", "", "y", 0, "abc"},
        {"abc", "b", "", 1, "ac"},
        {"", "a", "b", 0, ""},
        {"\r\n\r\n", "\r\n", "\n", 2, "\n\n"},
        {"\xE9\xE9", "\xE9", "e", 2, "ee"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count);
        EXPECT_EQ(bytes(s), c.result);
    }
    CString s("abcb");
    EXPECT_EQ(s.Replace('b', 'x'), 2);
    EXPECT_EQ(bytes(s), "axcx");
    EXPECT_EQ(s.Replace('x', 'x'), 0);
    EXPECT_EQ(s.Replace("x", static_cast<LPCTSTR>(nullptr)), 2);
    EXPECT_EQ(bytes(s), "ac");
}

TEST(CString, RemoveInsertDelete) {
    CString s("banana");
    EXPECT_EQ(s.Remove('a'), 3);
    EXPECT_EQ(bytes(s), "bnn");
    EXPECT_EQ(s.Remove('z'), 0);
    EXPECT_EQ(s.Insert(1, 'A'), 4);
    EXPECT_EQ(bytes(s), "bAnn");
    EXPECT_EQ(s.Insert(100, "!"), 5);
    EXPECT_EQ(s.Insert(-5, "<"), 6);
    EXPECT_EQ(bytes(s), "<bAnn!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(bytes(s), "<nn!");
    EXPECT_EQ(s.Delete(3, 100), 3);
    EXPECT_EQ(s.Delete(10, 1), 3);
    EXPECT_EQ(s.Delete(0, 0), 3);
    EXPECT_EQ(s.Delete(-2), 2);
    EXPECT_EQ(bytes(s), "nn");
    CString e;
    EXPECT_EQ(e.Insert(0, ""), 0);
    EXPECT_EQ(e.Delete(0), 0);
}

TEST(CString, Comparisons) {
    struct Case {
        const char* a;
        const char* b;
        int compare, noCase;
    };
    const Case cases[] = {
        {"abc", "abc", 0, 0}, {"abc", "abd", -1, -1}, {"abc", "ab", 1, 1},
        {"", "", 0, 0},       {"", "a", -1, -1},      {"ABC", "abc", -1, 0},
        {"A", "_", -1, 1},    {"\xE9", "e", 1, 1},    {"\xC9", "\xE9", -1, -1}, // only ASCII letters fold
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(sign(CString(c.a).Compare(c.b)), c.compare);
        EXPECT_EQ(sign(CString(c.a).Collate(c.b)), c.compare);
        EXPECT_EQ(sign(CString(c.a).CompareNoCase(c.b)), c.noCase);
        EXPECT_EQ(sign(CString(c.a).CollateNoCase(c.b)), c.noCase);
        EXPECT_EQ(CString(c.a) == CString(c.b), c.compare == 0);
        EXPECT_EQ(CString(c.a) < CString(c.b), c.compare < 0);
        EXPECT_EQ(CString(c.a) == c.b, c.compare == 0);
        EXPECT_EQ(c.a != CString(c.b), c.compare != 0);
    }
    EXPECT_FALSE(CString("a\0b", 3) == CString("a"));
}

TEST(CString, BufferAccess) {
    CString s;
    char* p = s.GetBuffer(10);
    std::strcpy(p, "hi there");
    s.ReleaseBuffer();
    EXPECT_EQ(bytes(s), "hi there");
    p = s.GetBuffer(0);
    EXPECT_STREQ(p, "hi there");
    s.ReleaseBuffer(2);
    EXPECT_EQ(bytes(s), "hi");
    p = s.GetBufferSetLength(4);
    EXPECT_EQ(s.GetLength(), 4);
    p[2] = '!';
    p[3] = '\xFF';
    s.ReleaseBuffer(4);
    EXPECT_EQ(bytes(s), "hi!\xFF");
    s.GetBufferSetLength(1);
    EXPECT_EQ(bytes(s), "h");
    CString e;
    e.GetBuffer(0);
    e.ReleaseBuffer();
    EXPECT_TRUE(e.IsEmpty());
    e.ReleaseBuffer(); // without GetBuffer: harmless
    EXPECT_TRUE(e.IsEmpty());
    CString big;
    big.GetBuffer(5);
    big.ReleaseBuffer(50); // never beyond the buffer
    EXPECT_EQ(big.GetLength(), 5);
    s.FreeExtra();
    EXPECT_EQ(bytes(s), "h");
    const CString shared("abc");
    CString copy = shared;
    copy.ReleaseBuffer(1); // without GetBuffer, on a shared buffer: the other copy keeps its text
    EXPECT_EQ(bytes(shared), "abc");
    EXPECT_EQ(bytes(copy), "a");
}

struct FormatCase {
    const char* name;
    std::function<CString()> make;
    const char* expected;
};

CString fmt(LPCTSTR f) {
    CString s;
    s.Format(f);
    return s;
}
template <class... A> CString fmt(LPCTSTR f, const A&... a) {
    CString s;
    s.Format(f, a...);
    return s;
}

TEST(CString, Format) {
    const CString name("Penmere");
    const DWORD big = 4000000000u;
    const FormatCase cases[] = {
        {"plain", [] { return fmt("no conversions"); }, "no conversions"},
        {"percent", [] { return fmt("100%%"); }, "100%"},
        {"int", [] { return fmt("%d|%i|%5d|%-5d|%05d", -42, 7, 3, 3, -3); }, "-42|7|    3|3    |-0003"},
        {"CString for %s", [name] { return fmt("[%s]", name); }, "[Penmere]"},
        {"char* and width", [] { return fmt("%-4s|%4s|%.2s", "ab", "ab", "abc"); }, "ab  |  ab|ab"},
        {"null string", [] { return fmt("%s", static_cast<const char*>(nullptr)); }, "(null)"},
        {"DWORD with %lu", [big] { return fmt("%lu", big); }, "4000000000"},
        {"DWORD with %d", [big] { return fmt("%d", big); }, "-294967296"},
        {"-1 with %u", [] { return fmt("%u", -1); }, "4294967295"},
        {"hex", [] { return fmt("%04X|%08x|%x", 0xAB, 0xbeefu, static_cast<WORD>(0xFFFF)); },
         "00AB|0000beef|ffff"},
        {"octal and padded hex", [] { return fmt("%o|%5X|%05x", 8, 255, 255); }, "10|   FF|000ff"},
        {"most negative", [] { return fmt("%d", INT64_MIN); }, "-9223372036854775808"},
        {"zero padded unsigned", [] { return fmt("%04u", 7u); }, "0007"},
        {"64-bit", [] { return fmt("%I64d %lld", static_cast<std::int64_t>(-5000000000), 1LL); },
         "-5000000000 1"},
        {"char", [] { return fmt("%c%c", 'a', 0xE9); }, "a\xE9"},
        {"float", [] { return fmt("%.2f|%g", 3.14159, 0.5); }, "3.14|0.5"},
        {"star width", [] { return fmt("%*d|%-*d|", 4, 1, 3, 2); }, "   1|2  |"},
        {"missing argument", [] { return fmt("a%db%s"); }, "ab"},
        {"high bytes", [] { return fmt("\xE9%s\xFF", "\xC3\xA9"); }, "\xE9\xC3\xA9\xFF"},
        {"bool and enum", [] { return fmt("%d%d", true, kThree); }, "13"},
        {"dangling percent", [] { return fmt("50%"); }, "50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bytes(c.make()), c.expected);
    }
}

TEST(CString, FormatArgumentsMayBeTheTargetItself) {
    CString s("abc");
    s.Format("%s-%s", s, static_cast<LPCTSTR>(s));
    EXPECT_EQ(bytes(s), "abc-abc");
    s.AppendFormat("+%d", 1);
    EXPECT_EQ(bytes(s), "abc-abc+1");
    s.AppendFormat("%s", s);
    EXPECT_EQ(bytes(s), "abc-abc+1abc-abc+1");
    CString reused("a long enough buffer to format into");
    reused.Format("%d-%s", 5, "ab");
    EXPECT_EQ(bytes(reused), "5-ab");
    reused = "%d%%";
    reused.Format(reused, 7); // the format itself lies in the target
    EXPECT_EQ(bytes(reused), "7%");
    CString wide;
    wide.Format("%300d", 1);
    EXPECT_EQ(wide.GetLength(), 300);
}

TEST(CString, HugeLengthsRaiseTheMemoryException) {
    CString s;
    try {
        s.GetBuffer(0x7FFFFFF0);
        FAIL() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_TRUE(s.IsEmpty());
}

} // namespace
