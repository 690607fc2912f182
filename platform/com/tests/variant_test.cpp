#include "platform/com/com.h"

#include <gtest/gtest.h>

namespace {

struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
};

VARIANT fromText(const char* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = pm::toBstr(text);
    return v;
}

VARIANT typed(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

TEST(Bstr, RoundTripsUtf8AndReadsStrayBytesAsWindows1252) {
    BSTR b = pm::toBstr("caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(SysStringLen(b), 7u); // the emoji is a surrogate pair
    EXPECT_EQ(pm::fromBstr(b), "caf\xC3\xA9 \xF0\x9F\x98\x80");
    SysFreeString(b);
    std::u16string w = pm::toUtf16(std::string("\x80\xE9"));
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], 0x20AC);
    EXPECT_EQ(w[1], 0xE9);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
}

// A document's bytes cross as UTF-16 and come back unchanged, whatever their encoding; on the
// way they pass through byte strings (as a script engine keeps them) and back.
TEST(Bstr, BytesThatAreNotUtf8TravelAsEscapesAndComeBackTheSame) {
    const struct {
        const char* name;
        std::string bytes;
        std::u16string units;
    } cases[] = {
        {"Windows-1252", "caf\xE9 \x92", {u'c', u'a', u'f', char16_t(0xDCE9), u' ', char16_t(0xDC92)}},
        {"UTF-8", "caf\xC3\xA9 \xF0\x9F\x98\x80", u"caf\u00E9 \U0001F600"},
        {"mixed", "\xC3\xA9\xE9", {char16_t(0xE9), char16_t(0xDCE9)}},
        {"a cut sequence", "\xE2\x82", {char16_t(0xDCE2), char16_t(0xDC82)}},
        {"an escape's own bytes", "\xED\xB3\xA9", {char16_t(0xDCED), char16_t(0xDCB3), char16_t(0xDCA9)}},
    };
    for (const auto& c : cases) {
        BSTR b = pm::toBstrKeepingBytes(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(std::u16string(b, SysStringLen(b)), c.units) << c.name;
        EXPECT_EQ(pm::fromBstrKeepingBytes(b), c.bytes) << c.name;
        // Through a byte string and back, as text handed to and taken from a script.
        const std::string kept = pm::fromBstr(b);
        BSTR back = pm::toBstr(kept);
        EXPECT_EQ(std::u16string(back, SysStringLen(back)), c.units) << c.name << " through bytes";
        EXPECT_EQ(pm::fromBstrKeepingBytes(back), c.bytes) << c.name << " through bytes";
        SysFreeString(back);
        SysFreeString(b);
    }
    EXPECT_EQ(pm::fromBstrKeepingBytes(nullptr), "");
}

TEST(Guid, TextFormsRoundTrip) {
    GUID g;
    ASSERT_TRUE(pm::parseGuid("{00020400-0000-0000-c000-000000000046}", g));
    EXPECT_EQ(g, IID_IDispatch);
    LPOLESTR text = nullptr;
    ASSERT_EQ(StringFromCLSID(g, &text), S_OK);
    EXPECT_EQ(pm::toBytes(text, pm::oleStrLen(text)), "{00020400-0000-0000-C000-000000000046}");
    CLSID back;
    EXPECT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_EQ(back, g);
    CoTaskMemFree(text);
    std::u16string bad = u"{00020400-0000-0000-C000-00000000004}";
    EXPECT_EQ(CLSIDFromString(bad.c_str(), &back), CO_E_CLASSSTRING);
    EXPECT_FALSE(pm::parseGuid("{00020400+0000-0000-C000-000000000046}", g));
}

struct ChangeCase {
    const char* name;
    const char* text;
    VARTYPE to;
    HRESULT hr;
    double number;
};

TEST(Variant, ChangeTypeFromText) {
    const ChangeCase cases[] = {
        {"integer", "42", VT_I4, S_OK, 42},
        {"blanks and sign", "  -7.5 ", VT_R8, S_OK, -7.5},
        {"half rounds to even", "2.5", VT_I2, S_OK, 2},
        {"hex", "&HFF", VT_I4, S_OK, 255},
        {"hex wraps to negative", "&HFFFF", VT_I2, S_OK, -1},
        {"exponent", "1E3", VT_I4, S_OK, 1000},
        {"overflow", "40000", VT_I2, DISP_E_OVERFLOW, 0},
        {"not a number", "abc", VT_I4, DISP_E_TYPEMISMATCH, 0},
        {"empty text", "", VT_R8, DISP_E_TYPEMISMATCH, 0},
        {"true", "True", VT_BOOL, S_OK, -1},
        {"date", "1/2/2000", VT_DATE, S_OK, 36527},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VARIANT src = fromText(c.text);
        Var dst;
        EXPECT_EQ(VariantChangeType(&dst.v, &src, 0, c.to), c.hr);
        VariantClear(&src);
        if (c.hr != S_OK) continue;
        Var r8;
        ASSERT_EQ(VariantChangeType(&r8.v, &dst.v, 0, VT_R8), S_OK);
        EXPECT_DOUBLE_EQ(r8.v.dblVal, c.number);
    }
}

TEST(Variant, ChangeTypeToText) {
    struct Case {
        VARIANT v;
        USHORT flags;
        const char* text;
    } cases[] = {
        {typed(VT_R8), 0, "0.1"},  {typed(VT_BOOL), VARIANT_ALPHABOOL, "True"},
        {typed(VT_BOOL), 0, "-1"}, {typed(VT_DATE), 0, "12/9/2026 10:20:45 PM"},
        {typed(VT_CY), 0, "12.5"}, {typed(VT_EMPTY), 0, ""},
    };
    cases[0].v.dblVal = 0.1;
    cases[1].v.boolVal = VARIANT_TRUE;
    cases[2].v.boolVal = VARIANT_TRUE;
    double day;
    ASSERT_TRUE(pm::dateFromParts(2026, 12, 9, day));
    cases[3].v.date = day + pm::timeFromParts(22, 20, 45);
    cases[4].v.cyVal.int64 = 125000;
    for (auto& c : cases) {
        Var dst;
        ASSERT_EQ(VariantChangeType(&dst.v, &c.v, c.flags, VT_BSTR), S_OK);
        EXPECT_EQ(pm::fromBstr(dst.v.bstrVal), c.text);
    }
    VARIANT null = typed(VT_NULL);
    Var dst;
    EXPECT_EQ(VariantChangeType(&dst.v, &null, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
}

TEST(Variant, ByRefIsReadThroughAndCopiesAreIndependent) {
    VARIANT inner = fromText("5");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_VARIANT | VT_BYREF;
    ref.pvarVal = &inner;
    Var dst;
    ASSERT_EQ(VariantChangeType(&dst.v, &ref, 0, VT_I4), S_OK);
    EXPECT_EQ(dst.v.lVal, 5);
    Var copy;
    ASSERT_EQ(VariantCopyInd(&copy.v, &ref), S_OK);
    EXPECT_EQ(copy.v.vt, VT_BSTR);
    EXPECT_NE(copy.v.bstrVal, inner.bstrVal);
    VariantClear(&inner);
    // In-place change on the same VARIANT.
    VARIANT v = fromText("12");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I2), S_OK);
    EXPECT_EQ(v.vt, VT_I2);
    EXPECT_EQ(v.iVal, 12);
}

TEST(SafeArray, TwoDimensionsWithBoundsAndCopy) {
    SAFEARRAYBOUND b[2] = {{3, 1}, {2, 0}};
    SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, 2, b);
    ASSERT_NE(sa, nullptr);
    LONG lo, hi;
    SafeArrayGetLBound(sa, 1, &lo);
    SafeArrayGetUBound(sa, 1, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 3);
    SafeArrayGetUBound(sa, 2, &hi);
    EXPECT_EQ(hi, 1);
    LONG idx[2] = {3, 1};
    VARIANT v = fromText("x");
    ASSERT_EQ(SafeArrayPutElement(sa, idx, &v), S_OK);
    VariantClear(&v);
    LONG out[2] = {4, 0};
    EXPECT_EQ(SafeArrayPutElement(sa, out, &v), DISP_E_BADINDEX);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(sa, &copy), S_OK);
    SafeArrayDestroy(sa);
    Var got;
    ASSERT_EQ(SafeArrayGetElement(copy, idx, &got.v), S_OK);
    EXPECT_EQ(pm::fromBstr(got.v.bstrVal), "x");
    SafeArrayDestroy(copy);
    EXPECT_EQ(SafeArrayCreateVector(VT_VARIANT, 0, 0x7FFFFFFF), nullptr);
}

TEST(Dates, PartsTextAndParsing) {
    double d;
    ASSERT_TRUE(pm::dateFromParts(2000, 13, 1, d)); // month carries into the next year
    pm::DateParts p = pm::partsFromDate(d);
    EXPECT_EQ(p.year, 2001);
    EXPECT_EQ(p.month, 1);
    EXPECT_EQ(p.dayOfWeek, 2); // a Monday
    DATE parsed;
    ASSERT_TRUE(pm::parseDate("2026-12-09 10:20 PM", parsed));
    EXPECT_EQ(pm::formatDate(parsed), "12/9/2026 10:20:00 PM");
    ASSERT_TRUE(pm::parseDate("March 5, 1999", parsed));
    EXPECT_EQ(pm::formatDate(parsed), "3/5/1999");
    EXPECT_FALSE(pm::parseDate("2/30/2001", parsed));
    EXPECT_FALSE(pm::parseDate("hello", parsed));
    EXPECT_EQ(pm::formatDate(0.5), "12:00:00 PM");
}

} // namespace
