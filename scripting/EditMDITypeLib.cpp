#include "scripting/EditMDITypeLib.h"

#include "platform/com/typelib_builder.h"

const GUID LIBID_EditMDI = {0x1C8F0177, 0x6993, 0x11D1, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};
const CLSID CLSID_AppObject = {0x1C8F0195, 0x6993, 0x11D2, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};
const IID DIID_IAppObject = {0x1C8F0193, 0x6993, 0x11D2, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};
const IID DIID_IAppObjectEvents = {
    0x1C8F0194, 0x6993, 0x11D2, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};
const CLSID CLSID_ADoc = {0x1B9D17A3, 0x88C2, 0x11D4, {0xA2, 0xC0, 0x00, 0x00, 0xB4, 0xB5, 0x4E, 0xC6}};
const IID DIID_IADoc = {0x1B9D17A1, 0x88C2, 0x11D4, {0xA2, 0xC0, 0x00, 0x00, 0xB4, 0xB5, 0x4E, 0xC6}};
const IID DIID_IADocEvents = {0x1B9D17A2, 0x88C2, 0x11D4, {0xA2, 0xC0, 0x00, 0x00, 0xB4, 0xB5, 0x4E, 0xC6}};

namespace {

// Ids of the two members without objects of their own.
const IID kIEditMDI = {0x1C8F0178, 0x6993, 0x11D1, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};
const CLSID kDocument = {0x1C8F0179, 0x6993, 0x11D1, {0xAC, 0xCF, 0x00, 0x40, 0x33, 0x95, 0xB1, 0x57}};

void declareApp(pm::TypeLibBuilder& b) {
    auto& app = b.dispinterface("IAppObject", DIID_IAppObject);
    pm::addProperty(app, "TimerInterval", 1, VT_I4);
    pm::addProperty(app, "SizeX", 2, VT_I4);
    pm::addProperty(app, "SizeY", 3, VT_I4);
    pm::addProperty(app, "PosX", 4, VT_I4);
    pm::addProperty(app, "PosY", 5, VT_I4);
    pm::addMethod(app, "Open", 6, VT_BOOL, {{"FileName", VT_BSTR}});
    pm::addMethod(app, "SaveAll", 7, VT_VOID);
    pm::addMethod(app, "StopScript", 8, VT_VOID);
    auto& events = b.dispinterface("IAppObjectEvents", DIID_IAppObjectEvents);
    pm::addMethod(events, "Timer", 1, VT_VOID);
    auto& cls = b.coclass("AppObject", CLSID_AppObject);
    cls.impls = {{"IAppObject", IMPLTYPEFLAG_FDEFAULT},
                 {"IAppObjectEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
}

void declareDoc(pm::TypeLibBuilder& b) {
    auto& doc = b.dispinterface("IADoc", DIID_IADoc);
    pm::addProperty(doc, "Selection", 1, VT_BSTR);
    pm::addMethod(doc, "NewLine", 2, VT_BOOL);
    pm::addMethod(doc, "SetSel", 3, VT_VOID, {{"StartChar", VT_I4}, {"EndChar", VT_I4}});
    pm::addMethod(doc, "GetLineCount", 4, VT_I4);
    pm::addMethod(doc, "GetLine", 5, VT_BSTR, {{"Index", VT_I4}});
    pm::addMethod(doc, "GetFirstVisibleLine", 6, VT_I4);
    pm::addMethod(doc, "CharIndex", 7, VT_I4, {{"LineIndex", VT_I4}});
    pm::addMethod(doc, "LineIndex", 8, VT_I4, {{"CharIndex", VT_I4}});
    pm::addMethod(doc, "LineLength", 9, VT_I4, {{"Index", VT_I4}});
    pm::addMethod(doc, "LineScroll", 10, VT_VOID, {{"Lines", VT_I4}, {"Chars", VT_I4}});
    pm::addMethod(doc, "GetTextLength", 11, VT_I4);
    pm::addMethod(doc, "Copy", 12, VT_VOID);
    pm::addMethod(doc, "Cut", 13, VT_VOID);
    pm::addMethod(doc, "Paste", 14, VT_VOID);
    pm::addMethod(doc, "Find", 15, VT_I4, {{"TextToFind", VT_BSTR}, {"StartPos", VT_I4}, {"EndPos", VT_I4}});
    b.dispinterface("IADocEvents", DIID_IADocEvents);
    auto& cls = b.coclass("ADoc", CLSID_ADoc);
    cls.impls = {{"IADoc", IMPLTYPEFLAG_FDEFAULT},
                 {"IADocEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
}

void declareUnused(pm::TypeLibBuilder& b) {
    b.dispinterface("IEditMDI", kIEditMDI);
    auto& cls = b.coclass("Document", kDocument);
    cls.impls = {{"IEditMDI", IMPLTYPEFLAG_FDEFAULT}};
}

} // namespace

ITypeLib* GetEditMDITypeLib() {
    static ITypeLib* lib = [] {
        ITypeLib* registered = nullptr;
        if (SUCCEEDED(LoadRegTypeLib(LIBID_EditMDI, 1, 0, 0, &registered))) return registered;
        pm::TypeLibBuilder b(LIBID_EditMDI, "EditMDI", 1, 0);
        declareApp(b);
        declareDoc(b);
        declareUnused(b);
        ITypeLib* built = b.build();
        RegisterTypeLib(built, nullptr, nullptr);
        return built;
    }();
    return lib;
}
