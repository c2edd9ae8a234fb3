// An early-bound client of VELDRANE.dll: the dual interface through the
// widl header's vtable, the interfaces the object answers (class information
// of every class), error objects, null by-reference arguments, values
// without text, the version resource, the dual interface through a proxy
// from other apartments, and the DLL's unload answer. What the shared cases
// and the published interface's reference pin is left to them.
#include "lookup/lookup.h"  // the member table; core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "client.h"
#include "veldrane.h"

namespace {

using namespace client;
using veldrane::com::to_utf8;

// {94842239-4BD2-11D3-A7CC-00400519B149}: the interface of the first release.
const IID kLegacyV0 = {0x94842239, 0x4BD2, 0x11D3, {0xA7, 0xCC, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49}};
const IID kIDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

_CLSMG_LOOKUP* create() { return client::create<_CLSMG_LOOKUP>(CLSID_CLSMG_LOOKUP, IID__CLSMG_LOOKUP); }

std::string statement(_CLSMG_LOOKUP* lk) {
  VARIANT sql;
  VariantInit(&sql);
  lk->get_StringaSQL(&sql);
  const std::string text = text_of(sql);
  VariantClear(&sql);
  return text;
}

// The interfaces the object answers, one identity through them, a null out
// pointer refused, and the error object of a refused call.
void test_interfaces() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  IUnknown* unk = nullptr;
  lk->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk));
  const struct {
    const IID* iid;
    HRESULT hr;
    const char* what;
  } asked[] = {
      {&kLegacyV0, S_OK, "the legacy interface identifier gives the current interface"},
      {&IID_IDispatch, S_OK, "IDispatch is the dual interface"},
      {&kIDispatchEx, E_NOINTERFACE, "IDispatchEx is refused"},
  };
  for (const auto& a : asked) {
    void* p = reinterpret_cast<void*>(1);
    const HRESULT hr = lk->QueryInterface(*a.iid, &p);
    ok(hr == a.hr && p == (hr == S_OK ? static_cast<void*>(lk) : nullptr), "%s: %#lx", a.what, hr);
    if (hr == S_OK) lk->Release();
  }
  ISupportErrorInfo* sei = nullptr;
  HRESULT hr = lk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&sei));
  ok(hr == S_OK && sei && sei->InterfaceSupportsErrorInfo(IID__CLSMG_LOOKUP) == S_OK &&
         sei->InterfaceSupportsErrorInfo(IID_IPersist) == S_FALSE && same_object(sei, unk),
     "ISupportErrorInfo, for the interface only, one identity: %#lx", hr);
  if (sei) sei->Release();
  ok(lk->get_Titolo(nullptr) == E_POINTER, "null out pointer");

  // A refused call through the vtable leaves an error object naming the
  // interface (late-bound, contract.vbs reads it from Err).
  VARIANT arg = client::text(L"X;Y");
  hr = lk->Operatori(&arg);
  ok(hr == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5), "refused sort column: %#lx", hr);
  VariantClear(&arg);
  IErrorInfo* info = nullptr;
  ok(GetErrorInfo(0, &info) == S_OK && info, "an error object");
  if (info) {
    BSTR d = nullptr, s = nullptr;
    GUID g{};
    info->GetDescription(&d);
    info->GetSource(&s);
    info->GetGUID(&g);
    ok(to_utf8(d) == "Invalid sort column: X;Y" && to_utf8(s) == "VELDRANE.CLSMG_LOOKUP" &&
           IsEqualGUID(g, IID__CLSMG_LOOKUP),
       "the error object: [%s] from [%s]", to_utf8(d).c_str(), to_utf8(s).c_str());
    SysFreeString(d);
    SysFreeString(s);
    info->Release();
  }
  if (unk) unk->Release();
  lk->Release();
}

// Late-bound calls by name: a named argument reaches its parameter (VBA's
// `lk.Operatori CampoOrdinamento:="MG01_DESCR"`), unknown names are refused
// one by one, and too many arguments give 450.
void test_late_bound() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  const DISPID operatori = id_of(lk, L"Operatori");
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"operatori"), const_cast<LPOLESTR>(L"CAMPOORDINAMENTO")};
  DISPID ids[2] = {};
  ok(lk->GetIDsOfNames(IID_NULL, names, 2, 0, ids) == S_OK && ids[0] == operatori && ids[1] == 0,
     "member and parameter ids %#lx %ld", ids[0], ids[1]);
  VARIANT args[2] = {client::text(L"MG01_DESCR"), client::text(L"MG01_DESCR")};
  DISPPARAMS named{args, &ids[1], 1, 1};
  ok(lk->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &named, nullptr, nullptr, nullptr) == S_OK, "named call");
  const std::string text = statement(lk);
  ok(text.size() > 10 && text.substr(text.size() - 10) == "MG01_DESCR", "named argument used [%s]", text.c_str());

  names[1] = const_cast<LPOLESTR>(L"Nessuno");
  ok(lk->GetIDsOfNames(IID_NULL, names, 2, 0, ids) == DISP_E_UNKNOWNNAME && ids[0] == operatori &&
         ids[1] == DISPID_UNKNOWN,
     "unknown parameter name");
  names[0] = const_cast<LPOLESTR>(L"Operatorix");
  ok(lk->GetIDsOfNames(IID_NULL, names, 1, 0, ids) == DISP_E_UNKNOWNNAME && ids[0] == DISPID_UNKNOWN, "unknown name");

  DISPPARAMS two{args, nullptr, 2, 0};
  ok(lk->Invoke(operatori, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr) == DISP_E_BADPARAMCOUNT,
     "too many arguments, no EXCEPINFO");
  HRESULT scode = 0;
  ok(call(lk, operatori, DISPATCH_METHOD, {args[0], args[1]}, nullptr, nullptr, &scode) == DISP_E_EXCEPTION &&
         scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 450),
     "too many arguments: scode %#lx", scode);
  for (VARIANT& a : args) VariantClear(&a);
  lk->Release();
}

// A native client may hand a Variant by reference whose reference is null:
// every member refuses it with DISP_E_TYPEMISMATCH naming the argument,
// before anything reads through it, wherever it is (itself, behind a
// Variant by reference, in an array); the object stays usable.
void test_references_to_nothing() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  const DISPID operatori = id_of(lk, L"Operatori"), macro_aree = id_of(lk, L"MacroAree"), titolo = id_of(lk, L"Titolo");
  const VARTYPE types[] = {VT_BSTR, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BOOL, VT_VARIANT, VT_DECIMAL,
                           VT_DISPATCH, VT_UNKNOWN, VT_ERROR, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT,
                           VT_UINT, VT_EMPTY, VT_NULL, VT_ARRAY | VT_VARIANT, VT_ARRAY | VT_BSTR};
  for (VARTYPE t : types) {
    UINT bad = 99;
    HRESULT scode = 0;
    HRESULT hr = call(lk, operatori, DISPATCH_METHOD, {reference_to_nothing(t)}, nullptr, &bad, &scode);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 0 && scode == 0, "Operatori(null reference of type %#x): %#lx, argument %u",
       t, hr, bad);
    bad = 99;
    hr = call(lk, macro_aree, DISPATCH_METHOD, {reference_to_nothing(t), missing()}, nullptr, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 1, "MacroAree(null reference of type %#x, ...): %#lx, argument %u", t, hr, bad);
    bad = 99;
    hr = call(lk, titolo, DISPATCH_PROPERTYPUT, {reference_to_nothing(t)}, nullptr, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 0, "Titolo = null reference of type %#x: %#lx, argument %u", t, hr, bad);
  }
  // Behind a Variant by reference, one that refers to itself, and in an array.
  VARIANT inner = reference_to_nothing(VT_BSTR), outer = of_type(VT_BYREF | VT_VARIANT), loop = outer;
  V_VARIANTREF(&outer) = &inner;
  V_VARIANTREF(&loop) = &loop;
  UINT bad = 99;
  ok(call(lk, operatori, DISPATCH_METHOD, {outer}, nullptr, &bad) == DISP_E_TYPEMISMATCH && bad == 0, "through a Variant");
  ok(call(lk, operatori, DISPATCH_METHOD, {loop}) == DISP_E_TYPEMISMATCH, "a Variant that refers to itself");
  SAFEARRAYBOUND b{2, 0};
  SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, 1, &b);
  static_cast<VARIANT*>(sa->pvData)[1] = reference_to_nothing(VT_I4);
  VARIANT array = of_type(VT_ARRAY | VT_VARIANT);
  V_ARRAY(&array) = sa;
  bad = 99;
  ok(call(lk, macro_aree, DISPATCH_METHOD, {missing(), array}, nullptr, &bad) == DISP_E_TYPEMISMATCH && bad == 0,
     "in an array: argument %u", bad);
  SafeArrayDestroy(sa);

  // Through the vtable: the HRESULT alone, and no stale error object.
  VARIANT arg = reference_to_nothing(VT_BSTR);
  ok(lk->Operatori(&arg) == DISP_E_TYPEMISMATCH, "vtable Operatori");
  IErrorInfo* info = nullptr;
  ok(GetErrorInfo(0, &info) == S_FALSE && !info, "no error object");
  if (info) info->Release();
  ok(lk->put_Titolo(reference_to_nothing(VT_DATE)) == DISP_E_TYPEMISMATCH, "vtable Titolo put");

  arg = missing();
  ok(lk->Operatori(&arg) == S_OK, "the object still answers");
  lk->Release();
}

// Values the runtime writes no text for, that no script can give: a String
// argument of a date NaN, infinite or far out of range, or a Decimal of an
// invalid scale or sign raises 5, a Double NaN or infinite 6, as the
// runtime's conversions; the statement stays as it was. (The dates just
// outside 0100-01-01..9999-12-31: the shared cases, also run as a script.)
void test_values_without_text() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  const DISPID member = id_of(lk, L"AnagraficaSottoprogetti");
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const auto date = [](double d) {
    VARIANT v = of_type(VT_DATE);
    V_DATE(&v) = d;
    return v;
  };
  const auto real = [&](double d) {
    VARIANT v = date(d);
    V_VT(&v) = VT_R8;
    return v;
  };
  const auto dec = [](BYTE scale, BYTE sign) {
    VARIANT v;
    V_DECIMAL(&v) = DECIMAL{0, {{scale, sign}}, 0, {{12345, 0}}};
    V_VT(&v) = VT_DECIMAL;
    return v;
  };
  const HRESULT invalid = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5);
  const HRESULT overflow = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 6);
  struct {
    VARIANT value;
    HRESULT scode;
    const char* what;
  } cases[] = {
      {date(1e10), invalid, "serial 1e10"},
      {date(nan), invalid, "date NaN"},
      {date(-inf), invalid, "date -infinity"},
      {real(nan), overflow, "Double NaN"},
      {real(inf), overflow, "Double infinity"},
      {dec(29, 0), invalid, "Decimal of scale 29"},
      {dec(2, 0x01), invalid, "Decimal of sign byte 1"},
      {dec(2, 0x81), invalid, "Decimal of sign byte 0x81"},
  };
  ok(call(lk, member, DISPATCH_METHOD, {date(-657434)}) == S_OK, "0100-01-01 is written");
  const std::string before = statement(lk);
  ok(before.find("= '01/01/100'") != std::string::npos, "[%s]", before.c_str());
  for (auto& c : cases) {
    HRESULT scode = 0;
    const HRESULT hr = call(lk, member, DISPATCH_METHOD, {c.value}, nullptr, nullptr, &scode);
    ok(hr == DISP_E_EXCEPTION && scode == c.scode && statement(lk) == before, "%s: %#lx, scode %#lx, [%s]", c.what, hr,
       scode, statement(lk).c_str());
  }
  ok(call(lk, member, DISPATCH_METHOD, {dec(28, DECIMAL_NEG)}) == S_OK &&
         statement(lk).find("= '-0,0000000000000000000000012345'") != std::string::npos,
     "a Decimal of scale 28: [%s]", statement(lk).c_str());
  lk->Release();
}

// Every class tells its coclass and its default source interface (script
// hosts bind events through them); a class without events has none. What
// the coclass declares is pinned by the published interface's reference.
void test_class_info() {
  const struct {
    const char* name;
    const CLSID* clsid;
    const IID* source;  // null: no events
  } classes[] = {
      {"CLSMG_LOOKUP", &CLSID_CLSMG_LOOKUP, nullptr},
      {"CLSMG_DECODE", &CLSID_CLSMG_DECODE, nullptr},
      {"CLSMG_CONNECT", &CLSID_CLSMG_CONNECT, &DIID___CLSMG_CONNECT},
  };
  for (const auto& c : classes) {
    IUnknown* obj = client::create<IUnknown>(*c.clsid, IID_IUnknown);
    IProvideClassInfo2* pci2 = nullptr;
    IProvideClassInfo* pci = nullptr;
    if (!obj || obj->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&pci2)) != S_OK ||
        obj->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&pci)) != S_OK) {
      ok(false, "%s: IProvideClassInfo and IProvideClassInfo2", c.name);
      continue;
    }
    ok(same_object(pci2, obj), "%s: one identity through IProvideClassInfo2", c.name);
    ITypeInfo* ti = nullptr;
    TYPEATTR* attr = nullptr;
    ok(pci2->GetClassInfo(&ti) == S_OK && ti->GetTypeAttr(&attr) == S_OK && attr->typekind == TKIND_COCLASS &&
           IsEqualGUID(attr->guid, *c.clsid),
       "%s: the coclass", c.name);
    if (attr) ti->ReleaseTypeAttr(attr);
    if (ti) ti->Release();
    ok(pci2->GetClassInfo(nullptr) == E_POINTER, "%s: GetClassInfo(NULL)", c.name);
    GUID g = IID_IUnknown;
    HRESULT hr = pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &g);
    ok(c.source ? hr == S_OK && IsEqualGUID(g, *c.source) : hr == E_INVALIDARG && IsEqualGUID(g, GUID_NULL),
       "%s: the event interface: %#lx", c.name, hr);
    g = IID_IUnknown;
    hr = pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 1, &g);
    ok(hr == E_INVALIDARG && IsEqualGUID(g, GUID_NULL), "%s: another kind refused: %#lx", c.name, hr);
    ok(pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr) == E_POINTER, "%s: GetGUID(NULL)", c.name);
    pci->Release();
    pci2->Release();
    obj->Release();
  }
}

// The library the object serves: built for the client's architecture, with
// the hidden alias of the first release. The DLL's version resource tells
// the library's version, name and help string, and names its own file.
void test_library_and_version() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  client::check_member_table(lk, veldrane::lookup::info());
  ITypeInfo* ti = client::vtable_type_info(lk);
  ITypeLib* tl = nullptr;
  UINT index = 0;
  if (ti) ti->GetContainingTypeLib(&tl, &index);
  if (ti) ti->Release();
  lk->Release();
  ok(tl != nullptr, "the type library");
  if (!tl) return;
  TLIBATTR* la = nullptr;
  tl->GetLibAttr(&la);
  const WORD major = la->wMajorVerNum, minor = la->wMinorVerNum;
  ok(la->syskind == (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32), "library for this architecture: %d", la->syskind);
  tl->ReleaseTLibAttr(la);
  ITypeInfo* alias = nullptr;
  TYPEATTR* aa = nullptr;
  ok(tl->GetTypeInfoOfGuid(kLegacyV0, &alias) == S_OK && alias->GetTypeAttr(&aa) == S_OK &&
         aa->typekind == TKIND_ALIAS && (aa->wTypeFlags & TYPEFLAG_FHIDDEN),
     "the hidden alias of the first release");
  if (aa) alias->ReleaseTypeAttr(aa);
  if (alias) alias->Release();
  BSTR lib_name = nullptr, help = nullptr;
  tl->GetDocumentation(-1, &lib_name, &help, nullptr, nullptr);
  const std::string name = to_utf8(lib_name), description = to_utf8(help);
  SysFreeString(lib_name);
  SysFreeString(help);
  tl->Release();

  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"VELDRANE.dll"), path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  std::string data(size, '\0');
  if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data())) {
    ok(false, "GetFileVersionInfo: error %lu", GetLastError());
    return;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len);
  const DWORD ms = MAKELONG(minor, major);
  ok(fixed && fixed->dwSignature == 0xFEEF04BD && fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == 0 &&
         fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == 0 && fixed->dwFileType == VFT_DLL,
     "the fixed part, library %u.%u", major, minor);
  auto text = [&](const wchar_t* key_name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + key_name;
    wchar_t* value = nullptr;
    UINT n = 0;
    if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &n) || !value) return std::string();
    return to_utf8(value, wcslen(value));
  };
  char version[32];
  std::snprintf(version, sizeof version, "%u.%u.0.0", major, minor);
  const struct {
    const wchar_t* name;
    std::string expected;
  } strings[] = {
      {L"FileVersion", version}, {L"ProductVersion", version},           {L"ProductName", name},
      {L"InternalName", name},   {L"OriginalFilename", "VELDRANE.dll"}, {L"FileDescription", description},
  };
  for (const auto& s : strings)
    ok(text(s.name) == s.expected, "%ls: [%s], expected [%s]", s.name, text(s.name).c_str(), s.expected.c_str());
  // The vendor word that heads the help string.
  const std::string company = text(L"CompanyName");
  ok(!company.empty() && description.rfind(company + " ", 0) == 0, "CompanyName [%s]", company.c_str());
}

// The dual interface reached through a proxy: from a multithreaded
// apartment (COM creates the object in a host apartment) and from a second
// single-threaded apartment (the object marshalled from this one, `stream`).
// Either needs the type-library marshaler to find the library.
DWORD WINAPI other_apartment(void* stream) {
  CoInitializeEx(nullptr, stream ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED);
  const char* where = stream ? "second apartment" : "multithreaded apartment";
  _CLSMG_LOOKUP* lk = nullptr;
  HRESULT hr = stream ? CoGetInterfaceAndReleaseStream(static_cast<IStream*>(stream), IID__CLSMG_LOOKUP,
                                                       reinterpret_cast<void**>(&lk))
                      : CoCreateInstance(CLSID_CLSMG_LOOKUP, nullptr, CLSCTX_INPROC_SERVER, IID__CLSMG_LOOKUP,
                                         reinterpret_cast<void**>(&lk));
  ok(hr == S_OK && lk, "%s: the dual interface: %#lx", where, hr);
  if (lk) {
    VARIANT arg = missing();
    ok(lk->Operatori(&arg) == S_OK, "%s: Operatori", where);
    VARIANT v;
    VariantInit(&v);
    long company = -1;
    ok(lk->get_IDLookup(&v) == S_OK && text_of(v) == "Lkp_Operatori" && lk->put_CodiceDitta(12) == S_OK &&
           lk->get_CodiceDitta(&company) == S_OK && company == 12,
       "%s: IDLookup [%s], CodiceDitta", where, text_of(v).c_str());
    VariantClear(&v);
    lk->Release();
  }
  CoUninitialize();
  return 0;
}

// Runs `thread` and serves this apartment's calls until it ends.
void run_and_pump(LPTHREAD_START_ROUTINE thread, void* arg) {
  HANDLE h = CreateThread(nullptr, 0, thread, arg, 0, nullptr);
  ok(h != nullptr, "thread");
  if (!h) return;
  while (MsgWaitForMultipleObjects(1, &h, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  CloseHandle(h);
}

void test_apartments() {
  run_and_pump(other_apartment, nullptr);
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  IStream* stream = nullptr;
  HRESULT hr = CoMarshalInterThreadInterfaceInStream(IID__CLSMG_LOOKUP, lk, &stream);
  ok(hr == S_OK && stream, "marshalled: %#lx", hr);
  if (stream) run_and_pump(other_apartment, stream);
  lk->Release();
}

// Objects and server locks keep the module; an unlock without a lock
// changes nothing, so a live object or a later lock still counts.
void test_unload() {
  const auto get_class = dll_export<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
  ok(get_class != nullptr, "DllGetClassObject");
  if (!get_class) return;
  IClassFactory* cf = nullptr;
  ok(get_class(CLSID_CLSMG_LOOKUP, IID_IClassFactory, reinterpret_cast<void**>(&cf)) == S_OK && cf, "factory");
  if (!cf) return;
  cf->Release();  // a class object alone does not keep the module
  ok(can_unload() == S_OK, "nothing left: S_OK");
  _CLSMG_LOOKUP* lk = nullptr;
  const struct {
    const char* step;
    std::function<void()> action;
    HRESULT can;
  } steps[] = {
      {"an object alive", [&] { lk = create(); }, S_FALSE},
      {"after the last release", [&] { lk->Release(); }, S_OK},
      {"locked", [&] { cf->LockServer(TRUE); }, S_FALSE},
      {"unlocked", [&] { cf->LockServer(FALSE); }, S_OK},
      {"unmatched unlock", [&] { cf->LockServer(FALSE); }, S_OK},
      {"an object alive after an unmatched unlock", [&] { lk = create(); }, S_FALSE},
      {"after its release", [&] { lk->Release(); }, S_OK},
      {"locked after an unmatched unlock", [&] { cf->LockServer(TRUE); }, S_FALSE},
      {"and unlocked", [&] { cf->LockServer(FALSE); }, S_OK},
  };
  for (const auto& s : steps) {
    s.action();
    const HRESULT hr = can_unload();
    ok(hr == s.can, "%s: %#lx", s.step, hr);
  }
  void* p = reinterpret_cast<void*>(1);
  ok(get_class(IID_IUnknown, IID_IClassFactory, &p) == CLASS_E_CLASSNOTAVAILABLE && p == nullptr,
     "unknown class identifier refused");
}

}  // namespace

int main() {
  return client::run(CLSID_CLSMG_LOOKUP, {test_interfaces, test_late_bound, test_references_to_nothing,
                                          test_values_without_text, test_class_info, test_library_and_version,
                                          test_apartments, test_unload});
}
