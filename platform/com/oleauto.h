#pragma once
// BSTR, VARIANT and SAFEARRAY functions, and the conversions between our byte strings and BSTRs.

#include "platform/com/comtypes.h"
#include "platform/com/unknwn.h"

#include <string>

// BSTR: a length-prefixed UTF-16 string; SysFreeString and SysStringLen accept null.
BSTR SysAllocString(const OLECHAR* psz);
BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);
UINT SysStringByteLen(BSTR bstr);
int SysReAllocString(BSTR* pbstr, const OLECHAR* psz);

void* CoTaskMemAlloc(SIZE_T cb);
void CoTaskMemFree(void* pv);

void VariantInit(VARIANT* pvarg);
HRESULT VariantClear(VARIANT* pvarg);
HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc);
HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANT* pvargDest, const VARIANT* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt);

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
UINT SafeArrayGetDim(SAFEARRAY* psa);
UINT SafeArrayGetElemsize(SAFEARRAY* psa);
HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData);
HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);
HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
HRESULT SafeArrayLock(SAFEARRAY* psa);
HRESULT SafeArrayUnlock(SAFEARRAY* psa);

LCID GetUserDefaultLCID();

namespace pm {

// Bytes to UTF-16: each valid UTF-8 sequence is one character, any other byte its Windows-1252
// character (so old single-byte texts convert too). The three bytes of a byte's escape (U+DC80 +
// byte, as toBytes writes it) are that escape again.
std::u16string toUtf16(const std::string& bytes);
std::u16string toUtf16(const char* bytes, size_t length);
// UTF-16 to UTF-8 bytes; an unpaired surrogate becomes U+FFFD, except a byte's escape, which keeps
// its three bytes (so text handed on through byte strings comes back as it was).
std::string toBytes(const OLECHAR* text, size_t length);
std::string toBytes(const std::u16string& text);
// A document's bytes to UTF-16 and back without losing any: every byte that is not part of a
// valid UTF-8 sequence travels as its escape (U+DC80 + byte) and comes back as that byte.
BSTR toBstrKeepingBytes(const char* bytes, size_t length);
std::string fromBstrKeepingBytes(BSTR bstr);
// BSTR <-> bytes; null reads as empty.
std::string fromBstr(BSTR bstr);
BSTR toBstr(const std::string& bytes);
BSTR toBstr(const char* bytes);
// Length of a zero-terminated wide text.
size_t oleStrLen(const OLECHAR* text);
// Case-insensitive (ASCII and Latin-1 letters) comparison of wide texts, as the name look-ups want.
int oleStrICmp(const OLECHAR* a, const OLECHAR* b);
int oleStrCmp(const OLECHAR* a, const OLECHAR* b);

// Number text in the fixed locale of the automation layer (English, '.' decimal point):
// doubles with up to 15 significant digits, in exponent form where VBScript uses it.
std::string formatDouble(double value, int significantDigits = 15);
std::string formatCurrency(LONGLONG cy); // CY value (times 10,000) as text
// Parses a number text (blanks around, sign, digits, '.', exponent, &H and &O forms); false when it
// is not a number.
bool parseNumber(const std::string& text, double& value);

} // namespace pm
