#pragma once
// Reads what an automation object offers (methods, properties, events, enumerated constants) from
// its type information: its class infos (IProvideMultipleClassInfo, else IProvideClassInfo), else
// IDispatch::GetTypeInfo (which gives no events).

#include "scripting/TypeInfoRecords.h"

// S_OK and the member's type information when the object has a property or variable of that name
// whose type is user-defined; S_FALSE when there is none; a failure otherwise.
HRESULT FindMemberObjectType(IUnknown* pObject, LPCOLESTR lpszMember, ITypeInfo** ppTypeInfo,
                             BOOL bCaseSensitive);
// TRUE when one of the object's class infos has a default source dispinterface.
BOOL HasEventInterface(IUnknown* pObject);
// Each appends the members of every class info in turn; a name filter (or null) keeps only
// matching members (methods and events: the first match only). E_FAIL from CollectEvents when the
// object gives no class information.
HRESULT CollectEvents(IUnknown* pObject, CHHEventInfoArray& events, LPCOLESTR lpszFilter,
                      BOOL bCaseSensitive);
HRESULT CollectMethods(IUnknown* pObject, CHHMethodInfoArray& methods, LPCOLESTR lpszFilter,
                       BOOL bCaseSensitive);
HRESULT CollectProperties(IUnknown* pObject, CHHPropertyInfoArray& properties, LPCOLESTR lpszFilter,
                          BOOL bCaseSensitive, BOOL bExpandConstants);

UINT GetClassInfoCount(IUnknown* pObject);
HRESULT GetClassInfoAt(IUnknown* pObject, UINT nIndex, ITypeInfo** ppClassInfo);
HRESULT GetDispatchTypeInfo(IUnknown* pObject, ITypeInfo** ppTypeInfo);
// The first implemented dispinterface marked default (and source when bSource), not restricted;
// TYPE_E_ELEMENTNOTFOUND when there is none.
HRESULT GetDefaultDispInterface(ITypeInfo* pClassInfo, ITypeInfo** ppTypeInfo, BOOL bSource);
BOOL MatchName(LPCOLESTR a, LPCOLESTR b, BOOL bCaseSensitive);

HRESULT ReadMethods(ITypeInfo* pTypeInfo, CHHMethodInfoArray& methods, LPCOLESTR lpszFilter,
                    BOOL bCaseSensitive);
HRESULT ReadEvents(ITypeInfo* pTypeInfo, CHHEventInfoArray& events, LPCOLESTR lpszFilter,
                   BOOL bCaseSensitive);
HRESULT ReadProperties(ITypeInfo* pTypeInfo, CHHPropertyInfoArray& properties, LPCOLESTR lpszFilter,
                       BOOL bCaseSensitive, BOOL bExpandConstants);
// Completes a property of user-defined type: its type GUID, its VARTYPE (dispatch, alias target,
// the enumeration's value type) and, with bExpandConstants, the enumeration's constants.
void ReadUserTypeDetail(CHHPropertyInfo& prop, ITypeInfo* pTypeInfo, HREFTYPE hRef, BOOL bExpandConstants);
// The VARTYPE a user-defined type stands for: VT_I4 for enumerations, VT_DISPATCH for
// dispinterfaces, the aliased type for aliases, else VT_USERDEFINED.
VARTYPE ResolveUserType(ITypeInfo* pTypeInfo, HREFTYPE hRef, GUID* pGuid);
// S_OK and the type information of the first property or variable of that name with a
// user-defined type; S_FALSE when there is none.
HRESULT FindMemberType(ITypeInfo* pTypeInfo, LPCOLESTR lpszMember, ITypeInfo** ppTypeInfo,
                       BOOL bCaseSensitive);
