// A stand-in for the host framework under wine, and a fake sibling
// connector: every object is one layout (fake) of a kind, served from one
// class table.
//
// The framework: the four classes the component creates, under the
// framework's class identifiers, and an active interface
// ("VeldraneTest.ActiveInterface") with its contexts and translator, at the
// vtable positions of src/com/host.idl. What they return is set through the
// active interface's late-bound Configure(text): one "<key>=<type><value>"
// a line, type L (Long), I (Integer), D (Double), S (String), B (Boolean, 1
// or 0), N (Null) or E (Empty), or "~<label>=<translation>"; a key not
// configured gives Empty. The configuration is process-wide.
//
// The sibling ("TARNELL.CLSMG_CONNECT") answers any member name, holds the
// object assigned to its ClsConnect until its end, and logs every call as
// "#<n> <Member>(<arguments>)", n its serial number, each argument as
// Str:"text", Dec:0, I2:5, I4:5, Bool:True, Obj, Obj:Nothing, Empty, Null,
// Missing or Array; also "#<n> get ClsConnect", "#<n> set ClsConnect =
// Object|Nothing" and "#<n> released". Its control ("VeldraneTest.Sibling"):
//   Log(): the lines logged since the last Log, joined by line feeds
//   Reset(): forgets the settings below and the log (numbering starts again
//     at 1 when no sibling is alive)
//   Fail(member): the member raises an error from now on
//   Write(member, index, value): the member writes value into its
//     by-reference argument `index` (0 = first)
//   CallBack(member, data): during the member the sibling calls its
//     ClsConnect's TransferData (Cancel False, data, 12) and logs
//     "#<n> TransferData gave <hr> Cancel=<True|False>"
//   Live(): the number of siblings alive
//   ClsConnectOf(n): what sibling n holds in ClsConnect (Empty once gone)
#define CINTERFACE
#define COBJMACROS
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host.h"

namespace {

LONG g_objects = 0;  // objects alive and server locks
HMODULE g_module = nullptr;

// --- The framework's configuration ----------------------------------------------

std::map<std::wstring, VARIANT> g_config;
std::map<std::wstring, std::wstring> g_translations;

void configure(const std::wstring& text) {
  for (auto& c : g_config) VariantClear(&c.second);
  g_config.clear();
  g_translations.clear();
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    const std::size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    if (line[0] == L'~') g_translations[line.substr(1, eq - 1)] = line.substr(eq + 1);
    if (line[0] == L'~' || eq + 1 >= line.size()) continue;
    VARIANT& v = g_config[line.substr(0, eq)];
    const std::wstring t = line.substr(eq + 2);
    switch (line[eq + 1]) {
      case L'L': V_VT(&v) = VT_I4; V_I4(&v) = std::wcstol(t.c_str(), nullptr, 10); break;
      case L'I': V_VT(&v) = VT_I2; V_I2(&v) = static_cast<SHORT>(std::wcstol(t.c_str(), nullptr, 10)); break;
      case L'D': V_VT(&v) = VT_R8; V_R8(&v) = std::wcstod(t.c_str(), nullptr); break;
      case L'S': V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocStringLen(t.data(), static_cast<UINT>(t.size())); break;
      case L'B': V_VT(&v) = VT_BOOL; V_BOOL(&v) = t == L"1" ? VARIANT_TRUE : VARIANT_FALSE; break;
      case L'N': V_VT(&v) = VT_NULL; break;
      default: break;  // Empty
    }
  }
}

HRESULT get_variant(const wchar_t* key, VARIANT* out) {
  VariantInit(out);
  auto it = g_config.find(key);
  return it == g_config.end() ? S_OK : VariantCopy(out, &it->second);
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

// A configured value as a getter's answer, by key.
template <std::size_t N>
struct key {
  wchar_t text[N];
  constexpr key(const wchar_t (&t)[N]) { std::copy_n(t, N, text); }
};
template <key k>
HRESULT STDMETHODCALLTYPE value_of(void*, VARIANT* v) {
  return get_variant(k.text, v);
}
template <key k, VARTYPE vt, class T>
HRESULT STDMETHODCALLTYPE typed(void*, T* out) {
  return get_as(k.text, vt, out);
}

// --- One layout for every object: vtable, count, its kind --------------------

struct fake;

// A member answered by name (dispatch id: its index + 1): how many
// arguments it takes (~0u: any) and what it does with them, first to last,
// Variants by reference followed.
using args_t = const std::vector<const VARIANT*>&;
struct late_member {
  const wchar_t* name;
  UINT args;
  HRESULT (*run)(fake* self, args_t args, VARIANT* result, EXCEPINFO* info);
};

struct kind {
  const void* vtbl;
  const IID* iid;  // answered besides IUnknown and IDispatch
  std::vector<late_member> members;
  void (*begin)(fake*) = nullptr;
  void (*end)(fake*) = nullptr;
};

struct fake {
  const void* vtbl;
  LONG ref;
  const kind* k;
  int serial = 0;            // a sibling's number
  IDispatch* cls = nullptr;  // a sibling's ClsConnect
  const kind* makes = nullptr;  // a class object's class
};

fake* make(const kind& k) {
  InterlockedIncrement(&g_objects);
  fake* f = new fake{k.vtbl, 1, &k};
  if (k.begin) k.begin(f);
  return f;
}

HRESULT STDMETHODCALLTYPE fake_QueryInterface(fake* self, REFIID riid, void** ret) {
  if (!ret) return E_POINTER;
  const bool known =
      IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, *self->k->iid);
  *ret = known ? self : nullptr;
  if (known) InterlockedIncrement(&self->ref);
  return known ? S_OK : E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE fake_AddRef(fake* self) { return InterlockedIncrement(&self->ref); }
ULONG STDMETHODCALLTYPE fake_Release(fake* self) {
  const LONG n = InterlockedDecrement(&self->ref);
  if (n == 0) {
    if (self->k->end) self->k->end(self);
    delete self;
    InterlockedDecrement(&g_objects);
  }
  return n;
}
HRESULT STDMETHODCALLTYPE fake_GetTypeInfoCount(fake*, UINT* n) { return *n = 0, S_OK; }
HRESULT STDMETHODCALLTYPE fake_GetTypeInfo(fake*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE fake_GetIDsOfNames(fake* self, REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) {
  *id = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < self->k->members.size(); ++i)
    if (lstrcmpiW(names[0], self->k->members[i].name) == 0) *id = static_cast<DISPID>(i + 1);
  return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
}

const VARIANT* deref(const VARIANT* v) {
  while (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
  return v;
}

HRESULT STDMETHODCALLTYPE fake_Invoke(fake* self, DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result,
                                      EXCEPINFO* info, UINT*) {
  if (result) VariantInit(result);
  const auto& members = self->k->members;
  if (id < 1 || static_cast<std::size_t>(id) > members.size()) return DISP_E_MEMBERNOTFOUND;
  const late_member& m = members[id - 1];
  if (m.args != ~0u && (!p || p->cArgs != m.args)) return DISP_E_BADPARAMCOUNT;
  std::vector<const VARIANT*> args;
  for (UINT i = p ? p->cArgs : 0; i-- > 0;) args.push_back(deref(&p->rgvarg[i]));
  VARIANT r;
  VariantInit(&r);
  const HRESULT hr = m.run(self, args, &r, info);
  if (result) *result = r;
  else VariantClear(&r);
  return hr;
}

// The object a getter hands out: a context, the translator, the connection.
template <const kind* k>
HRESULT STDMETHODCALLTYPE child(fake*, void** ret) {
  *ret = make(*k);
  return S_OK;
}

#define AS(vt, member, fn) .member = reinterpret_cast<decltype(vt::member)>(fn)
#define UNKNOWN_AND_DISPATCH(vt)                                                                          \
  AS(vt, QueryInterface, fake_QueryInterface), AS(vt, AddRef, fake_AddRef), AS(vt, Release, fake_Release), \
      AS(vt, GetTypeInfoCount, fake_GetTypeInfoCount), AS(vt, GetTypeInfo, fake_GetTypeInfo),              \
      AS(vt, GetIDsOfNames, fake_GetIDsOfNames), AS(vt, Invoke, fake_Invoke)

const IDispatchVtbl dispatch_vtbl = {UNKNOWN_AND_DISPATCH(IDispatchVtbl)};

// --- Values for the late-bound members ----------------------------------------

std::wstring text(const VARIANT* v) {
  VARIANT t;
  VariantInit(&t);
  std::wstring out;
  if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(v), 0, VT_BSTR)))
    out.assign(V_BSTR(&t), SysStringLen(V_BSTR(&t)));
  VariantClear(&t);
  return out;
}
long number(const VARIANT* v) { return std::wcstol(text(v).c_str(), nullptr, 10); }
std::wstring upper(std::wstring s) {
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}
void put_text(VARIANT* out, const std::wstring& s) {
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}
void put_object(VARIANT* out, IDispatch* d) {
  V_VT(out) = VT_DISPATCH;
  V_DISPATCH(out) = d;
  if (d) IDispatch_AddRef(d);
}
HRESULT raise_error(EXCEPINFO* info, HRESULT scode, const wchar_t* source, const std::wstring& description) {
  if (info) {
    *info = EXCEPINFO{};
    info->scode = scode;
    info->bstrSource = SysAllocString(source);
    info->bstrDescription = SysAllocString(description.c_str());
  }
  return DISP_E_EXCEPTION;
}

// --- The framework's objects ------------------------------------------------------

// The ADO-like connection: ConnectionString; Execute fails, no database behind.
const kind conn_kind = {
    &dispatch_vtbl, &IID_IDispatch,
    {{L"ConnectionString", ~0u,
      [](fake*, args_t, VARIANT* r, EXCEPINFO*) { return put_text(r, L"Provider=FakeHost"), S_OK; }},
     {L"Execute", ~0u,
      [](fake*, args_t, VARIANT*, EXCEPINFO* e) { return raise_error(e, E_FAIL, L"FakeHost", L"No database"); }}}};

#define TEXT_OF(k) (typed<L##k, VT_BSTR, BSTR>)
const IHostCodingParametersVtbl coding_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostCodingParametersVtbl),
    AS(IHostCodingParametersVtbl, get_HierarchicalCoding, value_of<L"hierarchicalCoding">)};
const kind coding_kind = {&coding_vtbl, &IID_IHostCodingParameters};

const IHostCompanyContextVtbl company_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostCompanyContextVtbl), AS(IHostCompanyContextVtbl, get_CompanyCode, value_of<L"company">),
    AS(IHostCompanyContextVtbl, get_Coding, &child<&coding_kind>),
    AS(IHostCompanyContextVtbl, get_TransferCheck, value_of<L"transferCheck">),
    AS(IHostCompanyContextVtbl, get_Language, TEXT_OF("language"))};
const kind company_kind = {&company_vtbl, &IID_IHostCompanyContext};

const IHostUserContextVtbl user_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostUserContextVtbl), AS(IHostUserContextVtbl, get_Text1, TEXT_OF("userText1")),
    AS(IHostUserContextVtbl, get_Text4, TEXT_OF("userText4")),
    AS(IHostUserContextVtbl, get_DescriptionLanguage, TEXT_OF("userLanguage")),
    AS(IHostUserContextVtbl, get_UserId, value_of<L"userId">), AS(IHostUserContextVtbl, get_Agent, value_of<L"agent">)};
const kind user_kind = {&user_vtbl, &IID_IHostUserContext};

HRESULT STDMETHODCALLTYPE translator_translate(fake*, BSTR label, VARIANT* out) {
  const std::wstring l(label ? label : L"", label ? SysStringLen(label) : 0);
  auto it = g_translations.find(l);
  VariantClear(out);
  put_text(out, it == g_translations.end() ? l : it->second);
  return S_OK;
}
const IHostTranslatorVtbl translator_vtbl = {UNKNOWN_AND_DISPATCH(IHostTranslatorVtbl),
                                             AS(IHostTranslatorVtbl, Translate, translator_translate)};
const kind translator_kind = {&translator_vtbl, &IID_IHostTranslator};

const IHostEnvironmentVtbl env_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostEnvironmentVtbl), AS(IHostEnvironmentVtbl, get_UserContext, &child<&user_kind>),
    AS(IHostEnvironmentVtbl, get_CompanyContext, &child<&company_kind>),
    AS(IHostEnvironmentVtbl, get_ProductionColumns, (typed<L"productionColumns", VT_I4, long>)),
    AS(IHostEnvironmentVtbl, get_FiltersApply, (typed<L"filtersApply", VT_BOOL, VARIANT_BOOL>)),
    AS(IHostEnvironmentVtbl, get_Translator, &child<&translator_kind>)};
const kind env_kind = {&env_vtbl, &IID_IHostEnvironment};

// The active interface also answers Configure by name, for the script.
const IHostActiveInterfaceVtbl active_vtbl = {UNKNOWN_AND_DISPATCH(IHostActiveInterfaceVtbl),
                                              AS(IHostActiveInterfaceVtbl, get_Environment, &child<&env_kind>),
                                              AS(IHostActiveInterfaceVtbl, get_Connection, &child<&conn_kind>)};
const kind active_kind = {
    &active_vtbl, &IID_IHostActiveInterface,
    {{L"Configure", 1, [](fake*, args_t a, VARIANT*, EXCEPINFO*) { return configure(text(a[0])), S_OK; }}}};

// The created classes.
// Takes what it is given and does nothing.
template <class... A>
HRESULT STDMETHODCALLTYPE accept(fake*, A...) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE filter_clause(fake*, BSTR, long, long, VARIANT* v) { return get_variant(L"filterClause", v); }
HRESULT STDMETHODCALLTYPE filter_clause2(fake*, long, VARIANT* v) { return get_variant(L"filterClause2", v); }
const IHostFilterBuilderVtbl filter_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostFilterBuilderVtbl), AS(IHostFilterBuilderVtbl, SetConnection, accept<void*>),
    AS(IHostFilterBuilderVtbl, put_ConnectionText, accept<void*>), AS(IHostFilterBuilderVtbl, put_Text7, accept<void*>),
    AS(IHostFilterBuilderVtbl, put_Text9, accept<void*>), AS(IHostFilterBuilderVtbl, put_Text11, accept<void*>),
    AS(IHostFilterBuilderVtbl, put_Flag14, accept<short>), AS(IHostFilterBuilderVtbl, put_Company, accept<long>),
    AS(IHostFilterBuilderVtbl, FilterClause, filter_clause), AS(IHostFilterBuilderVtbl, FilterClause2, filter_clause2)};

HRESULT STDMETHODCALLTYPE no_extender(fake*, IDispatch** ret) { return *ret = nullptr, S_OK; }
const IHostFirstExtensionVtbl first_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostFirstExtensionVtbl), AS(IHostFirstExtensionVtbl, get_Extender, no_extender),
    AS(IHostFirstExtensionVtbl, putref_Connection, accept<void*>),
    AS(IHostFirstExtensionVtbl, put_Entity, accept<short>),
    AS(IHostFirstExtensionVtbl, Extend, (accept<VARIANT*, BSTR*, BSTR*>))};
const IHostSecondExtensionVtbl second_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostSecondExtensionVtbl), AS(IHostSecondExtensionVtbl, SetEntity, accept<void*>),
    AS(IHostSecondExtensionVtbl, putref_ActiveInterface, accept<void*>), AS(IHostSecondExtensionVtbl, Close, accept<>),
    AS(IHostSecondExtensionVtbl, Extend, (accept<VARIANT*, BSTR*, BSTR*>))};

HRESULT STDMETHODCALLTYPE converter_status(fake*, VARIANT* v) { return V_VT(v) = VT_I4, V_I4(v) = 0, S_OK; }
const IHostConverterVtbl converter_vtbl = {
    UNKNOWN_AND_DISPATCH(IHostConverterVtbl), AS(IHostConverterVtbl, get_Status, converter_status),
    AS(IHostConverterVtbl, put_Value, accept<VARIANT>),
    AS(IHostConverterVtbl, get_Output, value_of<L"converterOutput">)};

// --- The sibling ---------------------------------------------------------------------

// What the tests configure, and what the siblings record.
struct state {
  std::vector<std::wstring> log;
  std::map<std::wstring, bool> failing;  // by upper-cased member name
  std::map<std::wstring, std::pair<UINT, VARIANT>> writes;
  std::map<std::wstring, std::wstring> callbacks;  // the data
  std::map<int, fake*> alive;
  int created = 0;
  std::vector<std::wstring> names;  // dispatch id 100 + i

  void reset() {
    log.clear();
    failing.clear();
    for (auto& w : writes) VariantClear(&w.second.second);
    writes.clear();
    callbacks.clear();
    if (alive.empty()) created = 0;  // serial numbers start again at 1
  }
} g;

void record(fake* s, const std::wstring& what) { g.log.push_back(L"#" + std::to_wstring(s->serial) + L" " + what); }

std::wstring describe(const VARIANT* in) {
  const VARIANT* v = deref(in);
  const VARTYPE vt = V_VT(v) & ~VT_BYREF;
  if (V_VT(v) & VT_ARRAY) return L"Array";
  if (vt == VT_DISPATCH || vt == VT_UNKNOWN)
    return ((V_VT(v) & VT_BYREF) ? *V_UNKNOWNREF(v) : V_UNKNOWN(v)) ? L"Obj" : L"Obj:Nothing";
  const std::pair<VARTYPE, const wchar_t*> names[] = {{VT_EMPTY, L"Empty"}, {VT_NULL, L"Null"}, {VT_ERROR, L"Missing"},
                                                      {VT_BSTR, L"Str"},    {VT_DECIMAL, L"Dec"}, {VT_I2, L"I2"},
                                                      {VT_I4, L"I4"},       {VT_R8, L"R8"},     {VT_BOOL, L"Bool"}};
  std::wstring name = L"VT" + std::to_wstring(vt);
  for (const auto& [t, n] : names)
    if (t == vt) name = n;
  if (vt <= VT_NULL || vt == VT_ERROR) return name;
  VARIANT t;
  VariantInit(&t);
  std::wstring shown = L"?";
  if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(v), VARIANT_ALPHABOOL, VT_BSTR)))
    shown.assign(V_BSTR(&t), SysStringLen(V_BSTR(&t)));
  VariantClear(&t);
  return name + L":" + (vt == VT_BSTR ? L"\"" + shown + L"\"" : shown);
}

// Writes `value` into the by-reference argument, in the variable's type.
void write_into(VARIANT* arg, const VARIANT& value) {
  if (V_VT(arg) == (VT_VARIANT | VT_BYREF)) {
    VariantCopy(V_VARIANTREF(arg), const_cast<VARIANT*>(&value));
    return;
  }
  VARIANT c;
  VariantInit(&c);
  if (!(V_VT(arg) & VT_BYREF) || FAILED(VariantChangeType(&c, const_cast<VARIANT*>(&value), 0, V_VT(arg) & ~VT_BYREF)))
    return;  // a value, or no value of the variable's type
  switch (V_VT(arg) & ~VT_BYREF) {
    case VT_BSTR: std::swap(*V_BSTRREF(arg), V_BSTR(&c)); break;  // the old one is cleared below
    case VT_DISPATCH: std::swap(*V_DISPATCHREF(arg), V_DISPATCH(&c)); break;
    case VT_BOOL: *V_BOOLREF(arg) = V_BOOL(&c); break;
    case VT_I2: *V_I2REF(arg) = V_I2(&c); break;
    case VT_I4: *V_I4REF(arg) = V_I4(&c); break;
    default: break;
  }
  VariantClear(&c);
}

// What an opened program does when it reports back before it closes:
// TransferData(Cancel, data, 12) on its ClsConnect.
void call_back(fake* s, const std::wstring& data) {
  IDispatch* target = s->cls;
  IDispatch_AddRef(target);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT args[3];  // last to first
  V_VT(&args[0]) = VT_I4;
  V_I4(&args[0]) = 12;
  put_text(&args[1], data);
  V_VT(&args[2]) = VT_BOOL | VT_BYREF;
  V_BOOLREF(&args[2]) = &cancel;
  LPOLESTR name[] = {const_cast<LPOLESTR>(L"TransferData")};
  DISPID id = 0;
  DISPPARAMS params{args, nullptr, 3, 0};
  HRESULT hr = IDispatch_GetIDsOfNames(target, IID_NULL, name, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(hr))
    hr = IDispatch_Invoke(target, id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  record(s, L"TransferData gave " + std::to_wstring(hr) + L" Cancel=" + (cancel ? L"True" : L"False"));
  SysFreeString(V_BSTR(&args[1]));
  IDispatch_Release(target);
}

constexpr DISPID kClsConnect = 1;

// ClsConnect, or any other name: known names keep their dispatch id.
HRESULT STDMETHODCALLTYPE sibling_GetIDsOfNames(fake*, REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  std::size_t i = 0;
  while (i < g.names.size() && lstrcmpiW(g.names[i].c_str(), names[0]) != 0) ++i;
  const bool cls_connect = lstrcmpiW(names[0], L"ClsConnect") == 0;
  if (i == g.names.size() && !cls_connect) g.names.emplace_back(names[0]);
  ids[0] = cls_connect ? kClsConnect : static_cast<DISPID>(100 + i);
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT cls_connect_member(fake* s, WORD flags, DISPPARAMS* params, VARIANT* result) {
  if (!(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
    record(s, L"get ClsConnect");
    if (result) put_object(result, s->cls);
    return S_OK;
  }
  if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
  const VARIANT* v = deref(&params->rgvarg[0]);
  IDispatch* d = nullptr;
  if (V_VT(v) == VT_DISPATCH) d = V_DISPATCH(v);
  else if (V_VT(v) == (VT_DISPATCH | VT_BYREF)) d = *V_DISPATCHREF(v);
  else if (V_VT(v) != VT_EMPTY) return DISP_E_TYPEMISMATCH;
  if (d) IDispatch_AddRef(d);
  if (s->cls) IDispatch_Release(s->cls);
  s->cls = d;
  record(s, std::wstring(L"set ClsConnect = ") + (d ? L"Object" : L"Nothing"));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE sibling_Invoke(fake* s, DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                         VARIANT* result, EXCEPINFO* info, UINT*) {
  if (result) VariantInit(result);
  if (id == kClsConnect) return cls_connect_member(s, flags, params, result);
  const std::size_t index = static_cast<std::size_t>(id - 100);
  if (id < 100 || index >= g.names.size()) return DISP_E_MEMBERNOTFOUND;
  const std::wstring member = g.names[index], key = upper(member);
  std::wstring line = member + L"(";
  for (UINT i = 0; i < params->cArgs; ++i) line += (i ? L", " : L"") + describe(&params->rgvarg[params->cArgs - 1 - i]);
  record(s, line + L")");
  if (g.failing.count(key))
    return raise_error(info, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 1001), L"TARNELL.CLSMG_CONNECT",
                 L"Programma non disponibile: " + member);
  auto w = g.writes.find(key);
  if (w != g.writes.end() && w->second.first < params->cArgs)
    write_into(&params->rgvarg[params->cArgs - 1 - w->second.first], w->second.second);
  auto c = g.callbacks.find(key);
  if (c != g.callbacks.end() && s->cls) call_back(s, c->second);
  return S_OK;
}

const IDispatchVtbl sibling_vtbl = {
    AS(IDispatchVtbl, QueryInterface, fake_QueryInterface), AS(IDispatchVtbl, AddRef, fake_AddRef),
    AS(IDispatchVtbl, Release, fake_Release), AS(IDispatchVtbl, GetTypeInfoCount, fake_GetTypeInfoCount),
    AS(IDispatchVtbl, GetTypeInfo, fake_GetTypeInfo), AS(IDispatchVtbl, GetIDsOfNames, sibling_GetIDsOfNames),
    AS(IDispatchVtbl, Invoke, sibling_Invoke)};
const kind sibling_kind = {&sibling_vtbl, &IID_IDispatch, {}, [](fake* s) { g.alive[s->serial = ++g.created] = s; },
                           [](fake* s) {
                             record(s, L"released");
                             g.alive.erase(s->serial);
                             if (s->cls) IDispatch_Release(s->cls);
                           }};

const kind control_kind = {&dispatch_vtbl, &IID_IDispatch, {
  {L"Log", 0, [](fake*, args_t, VARIANT* r, EXCEPINFO*) {
     std::wstring all;
     for (const auto& l : g.log) all += (all.empty() ? L"" : L"\n") + l;
     g.log.clear();
     put_text(r, all);
     return S_OK;
   }},
  {L"Reset", 0, [](fake*, args_t, VARIANT*, EXCEPINFO*) { g.reset(); return S_OK; }},
  {L"Fail", 1, [](fake*, args_t a, VARIANT*, EXCEPINFO*) { g.failing[upper(text(a[0]))] = true; return S_OK; }},
  {L"Write", 3, [](fake*, args_t a, VARIANT*, EXCEPINFO*) {
     auto& w = g.writes[upper(text(a[0]))];
     w.first = static_cast<UINT>(number(a[1]));
     VariantCopy(&w.second, const_cast<VARIANT*>(a[2]));
     return S_OK;
   }},
  {L"CallBack", 2, [](fake*, args_t a, VARIANT*, EXCEPINFO*) {
     g.callbacks[upper(text(a[0]))] = text(a[1]);
     return S_OK;
   }},
  {L"Live", 0, [](fake*, args_t, VARIANT* r, EXCEPINFO*) {
     V_VT(r) = VT_I4;
     V_I4(r) = static_cast<LONG>(g.alive.size());
     return S_OK;
   }},
  {L"ClsConnectOf", 1, [](fake*, args_t a, VARIANT* r, EXCEPINFO*) {
     auto it = g.alive.find(number(a[0]));
     if (it != g.alive.end()) put_object(r, it->second->cls);
     return S_OK;
   }}}};

// --- Class objects -------------------------------------------------------------------

// {7A1C2E40-3B5D-4F60-8A71-92B3C4D5E6F7}: the test's active-interface class;
// {3C9A8E21-6F47-4B1D-9E53-2A7B18C4D690}: the sibling; ...22: its control object.
const CLSID kActiveClsid = {0x7A1C2E40, 0x3B5D, 0x4F60, {0x8A, 0x71, 0x92, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7}};
const CLSID kSiblingClsid = {0x3C9A8E21, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};
const CLSID kControlClsid = {0x3C9A8E22, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};

const kind filter_kind = {&filter_vtbl, &IID_IHostFilterBuilder};
const kind first_kind = {&first_vtbl, &IID_IHostFirstExtension};
const kind second_kind = {&second_vtbl, &IID_IHostSecondExtension};
const kind converter_kind = {&converter_vtbl, &IID_IHostConverter};

// The classes the DLL registers; only the test's own have a ProgID.
struct class_desc {
  const CLSID* clsid;
  const kind* k;
  const wchar_t* progid;
};
const class_desc kClasses[] = {
    {&kActiveClsid, &active_kind, L"VeldraneTest.ActiveInterface"},
    {&CLSID_HostFilterBuilder, &filter_kind, nullptr},
    {&CLSID_HostFirstExtension, &first_kind, nullptr},
    {&CLSID_HostSecondExtension, &second_kind, nullptr},
    {&CLSID_HostConverter, &converter_kind, nullptr},
    {&kSiblingClsid, &sibling_kind, L"TARNELL.CLSMG_CONNECT"},
    {&kControlClsid, &control_kind, L"VeldraneTest.Sibling"},
};

// A new object's interface, or its end.
HRESULT hand_out(fake* f, REFIID riid, void** ret) {
  const HRESULT hr = fake_QueryInterface(f, riid, ret);
  fake_Release(f);
  return hr;
}

// Class objects are fakes too, counted as objects while they live.
HRESULT STDMETHODCALLTYPE cf_CreateInstance(fake* self, IUnknown* outer, REFIID riid, void** ret) {
  *ret = nullptr;
  return outer ? CLASS_E_NOAGGREGATION : hand_out(make(*self->makes), riid, ret);
}
HRESULT STDMETHODCALLTYPE cf_LockServer(fake*, BOOL lock) {
  return (lock ? InterlockedIncrement(&g_objects) : InterlockedDecrement(&g_objects)), S_OK;
}
const IClassFactoryVtbl cf_vtbl = {
    AS(IClassFactoryVtbl, QueryInterface, fake_QueryInterface), AS(IClassFactoryVtbl, AddRef, fake_AddRef),
    AS(IClassFactoryVtbl, Release, fake_Release), AS(IClassFactoryVtbl, CreateInstance, cf_CreateInstance),
    AS(IClassFactoryVtbl, LockServer, cf_LockServer)};
const kind factory_kind = {&cf_vtbl, &IID_IClassFactory};

std::wstring clsid_key(const class_desc& d) {
  wchar_t text[40];
  StringFromGUID2(*d.clsid, text, 40);
  return std::wstring(L"CLSID\\") + text;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ret) {
  for (const class_desc& d : kClasses) {
    if (!IsEqualCLSID(rclsid, *d.clsid)) continue;
    fake* f = make(factory_kind);
    f->makes = d.k;
    return hand_out(f, riid, ret);
  }
  *ret = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  const auto set = [](const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  };
  for (const class_desc& d : kClasses) {
    const std::wstring key = clsid_key(d);
    const std::wstring server = key + L"\\InprocServer32";
    if (!set(server, nullptr, path) || !set(server, L"ThreadingModel", L"Apartment") ||
        (d.progid && !set(std::wstring(d.progid) + L"\\CLSID", nullptr, key.substr(6))))
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
