#pragma once
// Initialisation, the class registry and object creation. Classes are registered by the program in
// this process: a CLSID, a ProgID and a factory.

#include "platform/com/unknwn.h"

#include <functional>
#include <string>

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

HRESULT CoInitialize(LPVOID pvReserved);
void CoUninitialize();
HRESULT OleInitialize(LPVOID pvReserved);
void OleUninitialize();

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper-case hex), written into a buffer of cchMax.
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// The same text allocated with CoTaskMemAlloc; the caller frees it with CoTaskMemFree.
HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz);
HRESULT StringFromIID(REFIID rclsid, LPOLESTR* lplpsz);
// Reads the braced form (or a registered ProgID, as the platform does); CO_E_CLASSSTRING otherwise.
HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
HRESULT IIDFromString(LPCOLESTR lpsz, LPGUID lpiid);
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv);
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
// Our objects are always running: S_OK for any object.
HRESULT OleRun(LPUNKNOWN pUnknown);

namespace pm {

// Creates a new object of a class (one reference for the caller), or fails with an HRESULT.
using ClassCreator = std::function<HRESULT(IUnknown** object)>;

// Registers a class under its CLSID and ProgID (ProgIDs compare without case). A later
// registration of the same CLSID replaces the earlier one. typeLib and the version describe the
// type library of the class, or GUID_NULL. HKEY_CLASSES_ROOT gets "<ProgID>\CLSID" and
// "CLSID\{clsid}" with "ProgID", "Typelib" and "Version" (each as a key's default value);
// CLSIDFromProgID reads the first, while the factory given here decides what CoCreateInstance makes.
void registerClass(const CLSID& clsid, const char* progId, ClassCreator creator,
                   const GUID& typeLib = GUID_NULL, WORD major = 1, WORD minor = 0);
// Forgets the factory and removes the class's registry entries.
void unregisterClass(const CLSID& clsid);
// The type library registered with a class; false when none.
bool classTypeLib(const CLSID& clsid, GUID& typeLib, WORD& major, WORD& minor);

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" exactly; false for any other text.
bool parseGuid(const char* text, GUID& guid);
std::string guidToString(const GUID& guid);

} // namespace pm
