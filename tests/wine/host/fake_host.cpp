// A stand-in for the host framework under wine: the four classes the
// component creates, registered under the framework's class identifiers,
// and an active-interface object (test class "VeldraneTest.ActiveInterface")
// with its environment, company and user contexts and translator. Every
// object answers at the vtable positions of src/com/host.idl. The same DLL
// also serves the fake sibling connector (fake_sibling.cpp).
//
// What the objects return is set by the script through the active
// interface's one late-bound method, Configure(text): one entry a line,
// "<key>=<type><value>" with type L (Long), I (Integer), D (Double),
// S (String), B (Boolean, 1 or 0), N (Null) or E (Empty), or
// "~<label>=<translation>" for the translator. A key not configured gives
// Empty. The configuration is process-wide: the created classes read it too.
#define CINTERFACE
#define COBJMACROS
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstring>
#include <map>
#include <iterator>
#include <string>

#include "host.h"
#include "fake_sibling.h"

namespace {

struct entry {
  wchar_t type = L'E';
  std::wstring text;
};

std::map<std::wstring, entry> g_config;
std::map<std::wstring, std::wstring> g_translations;
LONG g_refs = 0;
HMODULE g_module = nullptr;

// {7A1C2E40-3B5D-4F60-8A71-92B3C4D5E6F7}: the test's active-interface class.
const CLSID kActiveClsid = {0x7A1C2E40, 0x3B5D, 0x4F60, {0x8A, 0x71, 0x92, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7}};

void configure(const std::wstring& text) {
  g_config.clear();
  g_translations.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    std::size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    if (line[0] == L'~') {
      g_translations[line.substr(1, eq - 1)] = line.substr(eq + 1);
    } else if (eq + 1 < line.size()) {
      g_config[line.substr(0, eq)] = entry{line[eq + 1], line.substr(eq + 2)};
    }
  }
}

HRESULT get_variant(const wchar_t* key, VARIANT* out) {
  VariantInit(out);
  auto it = g_config.find(key);
  if (it == g_config.end()) return S_OK;
  const entry& e = it->second;
  switch (e.type) {
    case L'L': V_VT(out) = VT_I4; V_I4(out) = std::wcstol(e.text.c_str(), nullptr, 10); break;
    case L'I': V_VT(out) = VT_I2; V_I2(out) = static_cast<SHORT>(std::wcstol(e.text.c_str(), nullptr, 10)); break;
    case L'D':
      V_VT(out) = VT_R8;
      V_R8(out) = std::wcstod(e.text.c_str(), nullptr);
      break;
    case L'S':
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = SysAllocStringLen(e.text.data(), static_cast<UINT>(e.text.size()));
      break;
    case L'B':
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = e.text == L"1" ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case L'N': V_VT(out) = VT_NULL; break;
    default: break;
  }
  return S_OK;
}

// Typed slots take the value as the framework's property of that type
// would (a String passes to the caller).
template <class T>
HRESULT get_as(const wchar_t* key, VARTYPE vt, T* out) {
  VARIANT v;
  get_variant(key, &v);
  const HRESULT hr = VariantChangeType(&v, &v, 0, vt);
  *out = T{};
  if (SUCCEEDED(hr)) std::memcpy(out, &V_I4(&v), sizeof(T));
  else VariantClear(&v);
  return hr;
}

// --- One layout for every fake object: vtable, count, its interface --------

struct fake {
  const void* vtbl;
  LONG ref;
  const IID* iid;
};

HRESULT STDMETHODCALLTYPE fake_QueryInterface(fake* self, REFIID riid, void** ret) {
  if (!ret) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, *self->iid)) {
    *ret = self;
    InterlockedIncrement(&self->ref);
    return S_OK;
  }
  *ret = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE fake_AddRef(fake* self) { return InterlockedIncrement(&self->ref); }
ULONG STDMETHODCALLTYPE fake_Release(fake* self) {
  LONG n = InterlockedDecrement(&self->ref);
  if (n == 0) {
    delete self;
    InterlockedDecrement(&g_refs);
  }
  return n;
}
HRESULT STDMETHODCALLTYPE fake_GetTypeInfoCount(fake*, UINT* n) {
  *n = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE fake_GetTypeInfo(fake*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE fake_GetIDsOfNames(fake*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}
HRESULT STDMETHODCALLTYPE fake_Invoke(fake*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

template <class T>
T* make(const void* vtbl, const IID& iid) {
  InterlockedIncrement(&g_refs);
  return reinterpret_cast<T*>(new fake{vtbl, 1, &iid});
}

// The object a getter hands out: a context, the translator, the connection.
template <auto vtbl, const IID* iid>
HRESULT STDMETHODCALLTYPE child(fake*, void** ret) {
  *ret = make<fake>(vtbl, *iid);
  return S_OK;
}

#define AS(vt, member, fn) .member = reinterpret_cast<decltype(vt::member)>(fn)
#define UNKNOWN_AND_DISPATCH(vt)                                                                          \
  AS(vt, QueryInterface, fake_QueryInterface), AS(vt, AddRef, fake_AddRef), AS(vt, Release, fake_Release), \
      AS(vt, GetTypeInfoCount, fake_GetTypeInfoCount), AS(vt, GetTypeInfo, fake_GetTypeInfo),              \
      AS(vt, GetIDsOfNames, fake_GetIDsOfNames), AS(vt, Invoke, fake_Invoke)

// --- The ADO-like connection: ConnectionString only; Execute fails --------

HRESULT STDMETHODCALLTYPE conn_GetIDsOfNames(fake*, REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) {
  if (lstrcmpiW(names[0], L"ConnectionString") == 0) *id = 1;
  else if (lstrcmpiW(names[0], L"Execute") == 0) *id = 2;
  else return DISP_E_UNKNOWNNAME;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE conn_Invoke(fake*, DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO* ei,
                                      UINT*) {
  if (id == 1 && result) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(L"Provider=FakeHost");
    return S_OK;
  }
  if (id == 2 && ei) {
    // No database behind the fake host.
    ei->scode = E_FAIL;
    ei->bstrDescription = SysAllocString(L"No database");
    ei->bstrSource = SysAllocString(L"FakeHost");
    return DISP_E_EXCEPTION;
  }
  return DISP_E_MEMBERNOTFOUND;
}
const IDispatchVtbl conn_vtbl = {AS(IDispatchVtbl, QueryInterface, fake_QueryInterface),
                                 AS(IDispatchVtbl, AddRef, fake_AddRef),
                                 AS(IDispatchVtbl, Release, fake_Release),
                                 AS(IDispatchVtbl, GetTypeInfoCount, fake_GetTypeInfoCount),
                                 AS(IDispatchVtbl, GetTypeInfo, fake_GetTypeInfo),
                                 AS(IDispatchVtbl, GetIDsOfNames, conn_GetIDsOfNames),
                                 AS(IDispatchVtbl, Invoke, conn_Invoke)};

// --- Contexts ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE coding_get(fake*, VARIANT* v) { return get_variant(L"hierarchicalCoding", v); }
const IHostCodingParametersVtbl coding_vtbl = {UNKNOWN_AND_DISPATCH(IHostCodingParametersVtbl),
                                               AS(IHostCodingParametersVtbl, get_HierarchicalCoding, coding_get)};

HRESULT STDMETHODCALLTYPE company_code(fake*, VARIANT* v) { return get_variant(L"company", v); }
HRESULT STDMETHODCALLTYPE company_transfer(fake*, VARIANT* v) { return get_variant(L"transferCheck", v); }
HRESULT STDMETHODCALLTYPE company_language(fake*, BSTR* s) { return get_as(L"language", VT_BSTR, s); }
const IHostCompanyContextVtbl company_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostCompanyContextVtbl), AS(IHostCompanyContextVtbl, get_CompanyCode, company_code),
    AS(IHostCompanyContextVtbl, get_Coding, (&child<&coding_vtbl, &IID_IHostCodingParameters>)),
    AS(IHostCompanyContextVtbl, get_TransferCheck, company_transfer),
    AS(IHostCompanyContextVtbl, get_Language, company_language)};

HRESULT STDMETHODCALLTYPE user_text1(fake*, BSTR* s) { return get_as(L"userText1", VT_BSTR, s); }
HRESULT STDMETHODCALLTYPE user_text4(fake*, BSTR* s) { return get_as(L"userText4", VT_BSTR, s); }
HRESULT STDMETHODCALLTYPE user_language(fake*, BSTR* s) { return get_as(L"userLanguage", VT_BSTR, s); }
HRESULT STDMETHODCALLTYPE user_id(fake*, VARIANT* v) { return get_variant(L"userId", v); }
HRESULT STDMETHODCALLTYPE user_agent(fake*, VARIANT* v) { return get_variant(L"agent", v); }
const IHostUserContextVtbl user_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostUserContextVtbl), AS(IHostUserContextVtbl, get_Text1, user_text1),
    AS(IHostUserContextVtbl, get_Text4, user_text4), AS(IHostUserContextVtbl, get_DescriptionLanguage, user_language),
    AS(IHostUserContextVtbl, get_UserId, user_id), AS(IHostUserContextVtbl, get_Agent, user_agent)};

HRESULT STDMETHODCALLTYPE translator_translate(fake*, BSTR label, VARIANT* out) {
  std::wstring l(label ? label : L"", label ? SysStringLen(label) : 0);
  auto it = g_translations.find(l);
  const std::wstring& t = it == g_translations.end() ? l : it->second;
  VariantClear(out);
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = SysAllocStringLen(t.data(), static_cast<UINT>(t.size()));
  return S_OK;
}
const IHostTranslatorVtbl translator_vtbl = {UNKNOWN_AND_DISPATCH(IHostTranslatorVtbl),
                                             AS(IHostTranslatorVtbl, Translate, translator_translate)};

HRESULT STDMETHODCALLTYPE env_production(fake*, long* n) { return get_as(L"productionColumns", VT_I4, n); }
HRESULT STDMETHODCALLTYPE env_filters(fake*, VARIANT_BOOL* b) { return get_as(L"filtersApply", VT_BOOL, b); }
const IHostEnvironmentVtbl env_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostEnvironmentVtbl),
    AS(IHostEnvironmentVtbl, get_UserContext, (&child<&user_vtbl, &IID_IHostUserContext>)),
    AS(IHostEnvironmentVtbl, get_CompanyContext, (&child<&company_vtbl, &IID_IHostCompanyContext>)),
    AS(IHostEnvironmentVtbl, get_ProductionColumns, env_production),
    AS(IHostEnvironmentVtbl, get_FiltersApply, env_filters),
    AS(IHostEnvironmentVtbl, get_Translator, (&child<&translator_vtbl, &IID_IHostTranslator>))};

// The active interface also answers Configure by name, for the script.
HRESULT STDMETHODCALLTYPE active_GetIDsOfNames(fake*, REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) {
  if (lstrcmpiW(names[0], L"Configure") != 0) return DISP_E_UNKNOWNNAME;
  *id = 1;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE active_Invoke(fake*, DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                        UINT*) {
  if (id != 1) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, &params->rgvarg[0], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
  configure(std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text))));
  VariantClear(&text);
  return S_OK;
}
const IHostActiveInterfaceVtbl active_vtbl = {
    AS(IHostActiveInterfaceVtbl, QueryInterface, fake_QueryInterface),
    AS(IHostActiveInterfaceVtbl, AddRef, fake_AddRef),
    AS(IHostActiveInterfaceVtbl, Release, fake_Release),
    AS(IHostActiveInterfaceVtbl, GetTypeInfoCount, fake_GetTypeInfoCount),
    AS(IHostActiveInterfaceVtbl, GetTypeInfo, fake_GetTypeInfo),
    AS(IHostActiveInterfaceVtbl, GetIDsOfNames, active_GetIDsOfNames),
    AS(IHostActiveInterfaceVtbl, Invoke, active_Invoke),
    AS(IHostActiveInterfaceVtbl, get_Environment, (&child<&env_vtbl, &IID_IHostEnvironment>)),
    AS(IHostActiveInterfaceVtbl, get_Connection, (&child<&conn_vtbl, &IID_IDispatch>))};

// --- The created classes -------------------------------------------------------

HRESULT STDMETHODCALLTYPE accept_ptr(fake*, void*) { return S_OK; }
HRESULT STDMETHODCALLTYPE accept_long(fake*, long) { return S_OK; }
HRESULT STDMETHODCALLTYPE accept_short(fake*, short) { return S_OK; }
HRESULT STDMETHODCALLTYPE accept_none(fake*) { return S_OK; }
HRESULT STDMETHODCALLTYPE filter_clause(fake*, BSTR, long, long, VARIANT* v) { return get_variant(L"filterClause", v); }
HRESULT STDMETHODCALLTYPE filter_clause2(fake*, long, VARIANT* v) { return get_variant(L"filterClause2", v); }
const IHostFilterBuilderVtbl filter_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostFilterBuilderVtbl), AS(IHostFilterBuilderVtbl, SetConnection, accept_ptr),
    AS(IHostFilterBuilderVtbl, put_ConnectionText, accept_ptr), AS(IHostFilterBuilderVtbl, put_Text7, accept_ptr),
    AS(IHostFilterBuilderVtbl, put_Text9, accept_ptr), AS(IHostFilterBuilderVtbl, put_Text11, accept_ptr),
    AS(IHostFilterBuilderVtbl, put_Flag14, accept_short), AS(IHostFilterBuilderVtbl, put_Company, accept_long),
    AS(IHostFilterBuilderVtbl, FilterClause, filter_clause), AS(IHostFilterBuilderVtbl, FilterClause2, filter_clause2)};

HRESULT STDMETHODCALLTYPE no_extender(fake*, IDispatch** ret) {
  *ret = nullptr;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE extend_nothing(fake*, VARIANT*, BSTR*, BSTR*) { return S_OK; }
const IHostFirstExtensionVtbl first_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostFirstExtensionVtbl), AS(IHostFirstExtensionVtbl, get_Extender, no_extender),
    AS(IHostFirstExtensionVtbl, putref_Connection, accept_ptr), AS(IHostFirstExtensionVtbl, put_Entity, accept_short),
    AS(IHostFirstExtensionVtbl, Extend, extend_nothing)};
const IHostSecondExtensionVtbl second_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostSecondExtensionVtbl), AS(IHostSecondExtensionVtbl, SetEntity, accept_ptr),
    AS(IHostSecondExtensionVtbl, putref_ActiveInterface, accept_ptr), AS(IHostSecondExtensionVtbl, Close, accept_none),
    AS(IHostSecondExtensionVtbl, Extend, extend_nothing)};

HRESULT STDMETHODCALLTYPE converter_status(fake*, VARIANT* v) {
  VariantInit(v);
  V_VT(v) = VT_I4;
  V_I4(v) = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE converter_put(fake*, VARIANT) { return S_OK; }
HRESULT STDMETHODCALLTYPE converter_output(fake*, VARIANT* v) { return get_variant(L"converterOutput", v); }
const IHostConverterVtbl converter_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostConverterVtbl), AS(IHostConverterVtbl, get_Status, converter_status),
    AS(IHostConverterVtbl, put_Value, converter_put), AS(IHostConverterVtbl, get_Output, converter_output)};

// --- Class objects -------------------------------------------------------------

// The classes the DLL registers; those without a vtable are the sibling's.
struct class_desc {
  const CLSID* clsid;
  const void* vtbl;
  const IID* iid;
  const wchar_t* progid;  // only the test's own classes have one
};

const class_desc kClasses[] = {
    {&kActiveClsid, &active_vtbl, &IID_IHostActiveInterface, L"VeldraneTest.ActiveInterface"},
    {&CLSID_HostFilterBuilder, &filter_vtbl, &IID_IHostFilterBuilder, nullptr},
    {&CLSID_HostFirstExtension, &first_vtbl, &IID_IHostFirstExtension, nullptr},
    {&CLSID_HostSecondExtension, &second_vtbl, &IID_IHostSecondExtension, nullptr},
    {&CLSID_HostConverter, &converter_vtbl, &IID_IHostConverter, nullptr},
    {&fake_sibling::kSiblingClsid, nullptr, nullptr, L"TARNELL.CLSMG_CONNECT"},
    {&fake_sibling::kControlClsid, nullptr, nullptr, L"VeldraneTest.Sibling"},
};

struct factory {
  IClassFactory iface;
  const class_desc* desc;
};

HRESULT STDMETHODCALLTYPE cf_QueryInterface(IClassFactory* self, REFIID riid, void** ret) {
  const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory);
  *ret = known ? self : nullptr;
  return known ? S_OK : E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE cf_AddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE cf_Release(IClassFactory*) { return 1; }
HRESULT STDMETHODCALLTYPE cf_CreateInstance(IClassFactory* self, IUnknown* outer, REFIID riid, void** ret) {
  *ret = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  const class_desc* d = reinterpret_cast<factory*>(self)->desc;
  fake* f = make<fake>(d->vtbl, *d->iid);
  HRESULT hr = fake_QueryInterface(f, riid, ret);
  fake_Release(f);
  return hr;
}
HRESULT STDMETHODCALLTYPE cf_LockServer(IClassFactory*, BOOL lock) {
  if (lock) InterlockedIncrement(&g_refs);
  else InterlockedDecrement(&g_refs);
  return S_OK;
}
const IClassFactoryVtbl cf_vtbl = {cf_QueryInterface, cf_AddRef, cf_Release, cf_CreateInstance, cf_LockServer};

std::wstring clsid_key(const class_desc& d) {
  wchar_t text[40];
  StringFromGUID2(*d.clsid, text, 40);
  return std::wstring(L"CLSID\\") + text;
}

LSTATUS set_value(const std::wstring& key, const wchar_t* name, const std::wstring& data) {
  HKEY k = nullptr;
  LSTATUS rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return rc;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ret) {
  static factory factories[std::size(kClasses)];
  for (std::size_t i = 0; i < std::size(kClasses); ++i) {
    if (!IsEqualCLSID(rclsid, *kClasses[i].clsid)) continue;
    if (!kClasses[i].vtbl) return fake_sibling::class_object(rclsid, riid, ret);
    factories[i] = {{const_cast<IClassFactoryVtbl*>(&cf_vtbl)}, &kClasses[i]};
    return cf_QueryInterface(&factories[i].iface, riid, ret);
  }
  *ret = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
  return g_refs == 0 && fake_sibling::live_objects() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  for (const class_desc& d : kClasses) {
    const std::wstring key = clsid_key(d);
    if (set_value(key + L"\\InprocServer32", nullptr, path) != ERROR_SUCCESS ||
        set_value(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") != ERROR_SUCCESS)
      return SELFREG_E_CLASS;
    if (d.progid && set_value(std::wstring(d.progid) + L"\\CLSID", nullptr, key.substr(6)) != ERROR_SUCCESS)
      return SELFREG_E_CLASS;
  }
  return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  for (const class_desc& d : kClasses) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, clsid_key(d).c_str());
    if (d.progid) RegDeleteTreeW(HKEY_CLASSES_ROOT, d.progid);
  }
  return S_OK;
}
