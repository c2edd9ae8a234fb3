// An early-bound client of VELDRANE.dll: calls the dual interface through
// the vtable of the widl header, checks the interfaces the object answers
// (class information of every class included), walks the member table
// against the type library, checks the error objects, the version resource
// against the type library, the dual interface through a proxy from other
// apartments, and the DLL's unload answer.
//
// Usage: lookup_client <cases folder>. Prints one line per failed check and
// a summary; the exit status is the number of failures.
#include "lookup/lookup.h"  // the member table; core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "client.h"
#include "veldrane.h"

namespace {

using client::g_checks;
using client::g_failures;

using veldrane::com::to_utf8;
using veldrane::com::to_wide;

// {94842239-4BD2-11D3-A7CC-00400519B149}: the interface of the first release.
const IID kLegacyV0 = {0x94842239, 0x4BD2, 0x11D3, {0xA7, 0xCC, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49}};
const IID kIDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

std::string text_of(const VARIANT& v) { return V_VT(&v) == VT_BSTR ? to_utf8(V_BSTR(&v)) : "(not a String)"; }

_CLSMG_LOOKUP* create() {
  _CLSMG_LOOKUP* lk = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CLSMG_LOOKUP, nullptr, CLSCTX_INPROC_SERVER, IID__CLSMG_LOOKUP,
                                reinterpret_cast<void**>(&lk));
  ok(hr == S_OK && lk, "CoCreateInstance: %#lx", hr);
  return lk;
}

VARIANT missing() {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ERROR;
  V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
  return v;
}

// The first shared case without host that calls `member` once with the
// given number of arguments; null when there is none.
nlohmann::json find_case(const std::filesystem::path& dir, const std::string& member, std::size_t args) {
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".json") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    for (const auto& c : nlohmann::json::parse(in)) {
      const auto& sc = c["scenario"];
      if (!sc["host"].is_null() || sc.contains("set") || sc["calls"].size() != 1) continue;
      const auto& call = sc["calls"][0];
      if (call["member"] != member || call.value("args", nlohmann::json::array()).size() != args) continue;
      if (!c["expect"][0]["error"].is_null()) continue;
      return c;
    }
  }
  return nullptr;
}

void test_interfaces() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  IUnknown* unk = nullptr;
  void* p = nullptr;
  ok(lk->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)) == S_OK, "IUnknown");
  HRESULT hr = lk->QueryInterface(kLegacyV0, &p);
  ok(hr == S_OK && p == lk, "the legacy interface identifier gives the current interface: %#lx", hr);
  if (p) static_cast<IUnknown*>(p)->Release();
  p = nullptr;
  hr = lk->QueryInterface(IID_IDispatch, &p);
  ok(hr == S_OK && p == lk, "IDispatch is the dual interface: %#lx", hr);
  if (p) static_cast<IUnknown*>(p)->Release();
  p = reinterpret_cast<void*>(1);
  hr = lk->QueryInterface(kIDispatchEx, &p);
  ok(hr == E_NOINTERFACE && p == nullptr, "IDispatchEx is refused: %#lx", hr);
  ISupportErrorInfo* sei = nullptr;
  hr = lk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&sei));
  ok(hr == S_OK && sei, "ISupportErrorInfo: %#lx", hr);
  if (sei) {
    ok(sei->InterfaceSupportsErrorInfo(IID__CLSMG_LOOKUP) == S_OK, "error info for the interface");
    ok(sei->InterfaceSupportsErrorInfo(IID_IPersist) == S_FALSE, "no error info for another interface");
    IUnknown* unk2 = nullptr;
    sei->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk2));
    ok(unk2 == unk, "one identity through ISupportErrorInfo");
    if (unk2) unk2->Release();
    sei->Release();
  }
  if (unk) unk->Release();
  lk->Release();

  IClassFactory* cf = nullptr;
  hr = CoGetClassObject(CLSID_CLSMG_LOOKUP, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                        reinterpret_cast<void**>(&cf));
  ok(hr == S_OK && cf, "class object: %#lx", hr);
  if (cf) {
    IUnknown* outer = reinterpret_cast<IUnknown*>(cf);  // any pointer: aggregation is refused before use
    p = reinterpret_cast<void*>(1);
    hr = cf->CreateInstance(outer, IID_IUnknown, &p);
    ok(hr == CLASS_E_NOAGGREGATION && p == nullptr, "aggregation refused: %#lx", hr);
    cf->Release();
  }
}

void test_new_object() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  VARIANT v;
  VariantInit(&v);
  ok(lk->get_Titolo(&v) == S_OK && V_VT(&v) == VT_BSTR && SysStringLen(V_BSTR(&v)) == 0, "Titolo is \"\"");
  VariantClear(&v);
  ok(lk->get_IDLookup(&v) == S_OK && V_VT(&v) == VT_EMPTY, "IDLookup is Empty: vt %d", V_VT(&v));
  VariantClear(&v);
  VARIANT_BOOL b = VARIANT_FALSE;
  ok(lk->get_SoloLinguePerDitta(&b) == S_OK && b == VARIANT_TRUE, "SoloLinguePerDitta is True");
  IDispatch* ai = reinterpret_cast<IDispatch*>(1);
  ok(lk->get_ActiveInterface(&ai) == S_OK && ai == nullptr, "ActiveInterface is Nothing");
  long company = -1;
  ok(lk->put_CodiceDitta(7) == S_OK && lk->get_CodiceDitta(&company) == S_OK && company == 7, "CodiceDitta");
  ok(lk->get_Titolo(nullptr) == E_POINTER, "null out pointer");
  lk->Release();
}

void test_operatori(const std::filesystem::path& cases) {
  const auto c = find_case(cases, "Operatori", 0);
  ok(!c.is_null(), "a shared case for Operatori without arguments");
  if (c.is_null()) return;
  const auto& expect = c["expect"][0]["properties"];
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  VARIANT arg = missing();
  HRESULT hr = lk->Operatori(&arg);
  ok(hr == S_OK, "Operatori: %#lx", hr);
  VARIANT v;
  VariantInit(&v);
  lk->get_StringaSQL(&v);
  ok(text_of(v) == expect["StringaSQL"].get<std::string>(), "StringaSQL [%s]", text_of(v).c_str());
  VariantClear(&v);
  lk->get_IDLookup(&v);
  ok(text_of(v) == expect["IDLookup"].get<std::string>(), "IDLookup [%s]", text_of(v).c_str());
  VariantClear(&v);
  lk->get_ArrayFields(&v);
  ok(V_VT(&v) == (VT_ARRAY | VT_VARIANT), "ArrayFields is an array of Variants: vt %#x", V_VT(&v));
  if (V_VT(&v) == (VT_ARRAY | VT_VARIANT)) {
    SAFEARRAY* sa = V_ARRAY(&v);
    const auto& rows = expect["ArrayFields"]["$array"];
    LONG lo1 = -1, hi1 = -1, lo2 = -1, hi2 = -1;
    ok(SafeArrayGetDim(sa) == 2, "two dimensions");
    SafeArrayGetLBound(sa, 1, &lo1);
    SafeArrayGetUBound(sa, 1, &hi1);
    SafeArrayGetLBound(sa, 2, &lo2);
    SafeArrayGetUBound(sa, 2, &hi2);
    ok(lo1 == 0 && hi1 == static_cast<LONG>(rows.size()) - 1 && lo2 == 0 && hi2 == 1, "bounds (%ld To %ld, %ld To %ld)",
       lo1, hi1, lo2, hi2);
    for (LONG i = 0; i <= hi1 && i < static_cast<LONG>(rows.size()); ++i) {
      for (LONG j = 0; j <= hi2; ++j) {
        LONG idx[2] = {i, j};
        VARIANT e;
        VariantInit(&e);
        SafeArrayGetElement(sa, idx, &e);
        ok(text_of(e) == rows[i][j].get<std::string>(), "ArrayFields(%ld, %ld) [%s]", i, j, text_of(e).c_str());
        VariantClear(&e);
      }
    }
  }
  VariantClear(&v);
  lk->Release();
}

void test_errors() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  VARIANT arg;
  VariantInit(&arg);
  V_VT(&arg) = VT_BSTR;
  V_BSTR(&arg) = SysAllocString(L"X;Y");
  HRESULT hr = lk->Operatori(&arg);
  ok(hr == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5), "refused sort column: %#lx", hr);
  IErrorInfo* info = nullptr;
  ok(GetErrorInfo(0, &info) == S_OK && info, "an error object");
  if (info) {
    BSTR d = nullptr, s = nullptr;
    GUID g{};
    info->GetDescription(&d);
    info->GetSource(&s);
    info->GetGUID(&g);
    ok(to_utf8(d) == "Invalid sort column: X;Y", "description [%s]", to_utf8(d).c_str());
    ok(to_utf8(s) == "VELDRANE.CLSMG_LOOKUP", "source [%s]", to_utf8(s).c_str());
    ok(IsEqualGUID(g, IID__CLSMG_LOOKUP), "the error names the interface");
    SysFreeString(d);
    SysFreeString(s);
    info->Release();
  }

  // The same call late-bound: the error arrives in the EXCEPINFO.
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"Operatori");
  lk->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
  DISPPARAMS params{&arg, nullptr, 1, 0};
  EXCEPINFO ei{};
  UINT bad = 0;
  hr = lk->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &ei, &bad);
  ok(hr == DISP_E_EXCEPTION, "Invoke: %#lx", hr);
  ok(ei.scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5), "scode %#lx", ei.scode);
  ok(to_utf8(ei.bstrSource) == "VELDRANE.CLSMG_LOOKUP", "EXCEPINFO source [%s]", to_utf8(ei.bstrSource).c_str());
  SysFreeString(ei.bstrSource);
  SysFreeString(ei.bstrDescription);
  SysFreeString(ei.bstrHelpFile);

  // Wrong argument types are refused by the type library before the core.
  VariantClear(&arg);
  lk->Release();
}

// Late-bound calls by name: a named argument reaches its parameter (VBA's
// `lk.Operatori CampoOrdinamento:="MG01_DESCR"`), unknown names are refused
// one by one, and too many arguments give 450.
void test_late_bound() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"operatori"), const_cast<LPOLESTR>(L"CAMPOORDINAMENTO")};
  DISPID ids[2] = {};
  ok(lk->GetIDsOfNames(IID_NULL, names, 2, 0, ids) == S_OK && ids[0] == 0x60030000 + 73 && ids[1] == 0,
     "member and parameter ids %#lx %ld", ids[0], ids[1]);
  VARIANT args[2];
  for (VARIANT& a : args) {
    VariantInit(&a);
    V_VT(&a) = VT_BSTR;
    V_BSTR(&a) = SysAllocString(L"MG01_DESCR");
  }
  DISPPARAMS named{args, &ids[1], 1, 1};
  ok(lk->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &named, nullptr, nullptr, nullptr) == S_OK, "named call");
  VARIANT sql;
  VariantInit(&sql);
  lk->get_StringaSQL(&sql);
  const std::string text = text_of(sql);
  ok(text.size() > 10 && text.substr(text.size() - 10) == "MG01_DESCR", "named argument used [%s]", text.c_str());
  VariantClear(&sql);

  names[1] = const_cast<LPOLESTR>(L"Nessuno");
  ok(lk->GetIDsOfNames(IID_NULL, names, 2, 0, ids) == DISP_E_UNKNOWNNAME && ids[0] == 0x60030000 + 73 &&
         ids[1] == DISPID_UNKNOWN, "unknown parameter name");
  names[0] = const_cast<LPOLESTR>(L"Operatorix");
  ok(lk->GetIDsOfNames(IID_NULL, names, 1, 0, ids) == DISP_E_UNKNOWNNAME && ids[0] == DISPID_UNKNOWN, "unknown name");

  DISPPARAMS two{args, nullptr, 2, 0};
  ok(lk->Invoke(0x60030000 + 73, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr) ==
         DISP_E_BADPARAMCOUNT, "too many arguments, no EXCEPINFO");
  EXCEPINFO ei{};
  ok(lk->Invoke(0x60030000 + 73, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, &ei, nullptr) == DISP_E_EXCEPTION &&
         ei.scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 450), "too many arguments: scode %#lx", ei.scode);
  SysFreeString(ei.bstrSource);
  SysFreeString(ei.bstrDescription);
  SysFreeString(ei.bstrHelpFile);
  for (VARIANT& a : args) VariantClear(&a);
  lk->Release();
}

/// A late-bound call of `id` with `args` (first to last); *arg_err receives
/// the failing argument's index in rgvarg (0 is the last one), EXCEPINFO is
/// freed, its scode returned in *scode.
HRESULT call_late(IDispatch* obj, DISPID id, WORD flags, std::vector<VARIANT> args, UINT* arg_err = nullptr,
               HRESULT* scode = nullptr) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO ei{};
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = obj->Invoke(id, IID_NULL, 0, flags, &params, &result, &ei, arg_err);
  if (scode) *scode = ei.scode;
  VariantClear(&result);
  SysFreeString(ei.bstrSource);
  SysFreeString(ei.bstrDescription);
  SysFreeString(ei.bstrHelpFile);
  return hr;
}

DISPID id_of(IDispatch* obj, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  return id;
}

VARIANT reference_to_nothing(VARTYPE type) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | type;
  V_BYREF(&v) = nullptr;
  return v;
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
    HRESULT hr = call_late(lk, operatori, DISPATCH_METHOD, {reference_to_nothing(t)}, &bad, &scode);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 0 && scode == 0, "Operatori(null reference of type %#x): %#lx, argument %u",
       t, hr, bad);
    bad = 99;
    hr = call_late(lk, macro_aree, DISPATCH_METHOD, {reference_to_nothing(t), missing()}, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 1, "MacroAree(null reference of type %#x, ...): %#lx, argument %u", t, hr, bad);
    bad = 99;
    hr = call_late(lk, titolo, DISPATCH_PROPERTYPUT, {reference_to_nothing(t)}, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 0, "Titolo = null reference of type %#x: %#lx, argument %u", t, hr, bad);
  }
  // Behind a Variant by reference, and in an array.
  VARIANT inner = reference_to_nothing(VT_BSTR);
  VARIANT outer;
  V_VT(&outer) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&outer) = &inner;
  UINT bad = 99;
  ok(call_late(lk, operatori, DISPATCH_METHOD, {outer}, &bad) == DISP_E_TYPEMISMATCH && bad == 0, "through a Variant");
  VARIANT loop;
  V_VT(&loop) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&loop) = &loop;
  ok(call_late(lk, operatori, DISPATCH_METHOD, {loop}) == DISP_E_TYPEMISMATCH, "a Variant that refers to itself");
  SAFEARRAYBOUND b{2, 0};
  SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, 1, &b);
  VARIANT* data = nullptr;
  SafeArrayAccessData(sa, reinterpret_cast<void**>(&data));
  data[1] = reference_to_nothing(VT_I4);
  SafeArrayUnaccessData(sa);
  VARIANT array;
  V_VT(&array) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&array) = sa;
  bad = 99;
  ok(call_late(lk, macro_aree, DISPATCH_METHOD, {missing(), array}, &bad) == DISP_E_TYPEMISMATCH && bad == 0,
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

// Values the runtime writes no text for: a String argument of a date
// outside 0100-01-01..9999-12-31 (NaN and infinities too) or a Decimal of
// an invalid scale or sign raises 5, a Double NaN or infinite 6, as the
// runtime's conversions; the statement stays as it was.
void test_values_without_text() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  const DISPID member = id_of(lk, L"AnagraficaSottoprogetti");
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const auto date = [](double d) {
    VARIANT v;
    V_VT(&v) = VT_DATE;
    V_DATE(&v) = d;
    return v;
  };
  const auto real = [](double d) {
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
  };
  const auto dec = [](BYTE scale, BYTE sign) {
    VARIANT v;
    DECIMAL d{};
    d.Lo32 = 12345;
    d.scale = scale;
    d.sign = sign;
    V_DECIMAL(&v) = d;
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
      {date(-657435), invalid, "31/12/99"},
      {date(-657434.999999), invalid, "a time that rounds to 31/12/99"},
      {date(2958466), invalid, "01/01/10000"},
      {date(1e10), invalid, "serial 1e10"},
      {date(nan), invalid, "date NaN"},
      {date(-inf), invalid, "date -infinity"},
      {real(nan), overflow, "Double NaN"},
      {real(inf), overflow, "Double infinity"},
      {dec(29, 0), invalid, "Decimal of scale 29"},
      {dec(2, 0x01), invalid, "Decimal of sign byte 1"},
      {dec(2, 0x81), invalid, "Decimal of sign byte 0x81"},
  };
  ok(call_late(lk, member, DISPATCH_METHOD, {date(-657434)}) == S_OK, "0100-01-01 is written");
  VARIANT sql;
  VariantInit(&sql);
  lk->get_StringaSQL(&sql);
  const std::string before = text_of(sql);
  VariantClear(&sql);
  ok(before.find("= '01/01/100'") != std::string::npos, "[%s]", before.c_str());
  for (auto& c : cases) {
    HRESULT scode = 0;
    const HRESULT hr = call_late(lk, member, DISPATCH_METHOD, {c.value}, nullptr, &scode);
    ok(hr == DISP_E_EXCEPTION && scode == c.scode, "%s: %#lx, scode %#lx", c.what, hr, scode);
    lk->get_StringaSQL(&sql);
    ok(text_of(sql) == before, "%s: the statement stays [%s]", c.what, text_of(sql).c_str());
    VariantClear(&sql);
  }
  ok(call_late(lk, member, DISPATCH_METHOD, {dec(28, DECIMAL_NEG)}) == S_OK, "a Decimal of scale 28");
  lk->get_StringaSQL(&sql);
  ok(text_of(sql).find("= '-0,0000000000000000000000012345'") != std::string::npos, "[%s]", text_of(sql).c_str());
  VariantClear(&sql);
  lk->Release();
}

// Every row of the member table against the type library, then the
// library's own attributes and the alias of the first release.
void test_member_table() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  client::check_member_table(lk, veldrane::lookup::info(), IID__CLSMG_LOOKUP);
  ITypeInfo* ti = client::vtable_type_info(lk);
  if (!ti) {
    lk->Release();
    return;
  }

  // The library the object serves (its identity is in the published
  // interface's reference): its architecture, the alias of the first release.
  ITypeLib* tl = nullptr;
  UINT index = 0;
  ok(ti->GetContainingTypeLib(&tl, &index) == S_OK && tl, "containing library");
  if (tl) {
    TLIBATTR* la = nullptr;
    tl->GetLibAttr(&la);
    ok(IsEqualGUID(la->guid, LIBID_VELDRANE), "library identifier");
    // The library is built for the client's own architecture.
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    ok(la->syskind == kind, "library for this architecture (syskind %d)", la->syskind);
    tl->ReleaseTLibAttr(la);
    ITypeInfo* alias = nullptr;
    ok(tl->GetTypeInfoOfGuid(kLegacyV0, &alias) == S_OK && alias, "the alias of the first release");
    if (alias) {
      TYPEATTR* aa = nullptr;
      alias->GetTypeAttr(&aa);
      ok(aa->typekind == TKIND_ALIAS && (aa->wTypeFlags & TYPEFLAG_FHIDDEN), "hidden alias: kind %d", aa->typekind);
      alias->ReleaseTypeAttr(aa);
      alias->Release();
    }
    tl->Release();
  }
  ti->Release();
  lk->Release();
}

// Every class tells its coclass and its default source interface (script
// hosts bind events through them); a class without events has none.
void test_class_info() {
  const struct {
    const char* name;
    const CLSID* clsid;
    const IID* iid;
    const IID* source;  // null: no events
  } classes[] = {
      {"CLSMG_LOOKUP", &CLSID_CLSMG_LOOKUP, &IID__CLSMG_LOOKUP, nullptr},
      {"CLSMG_DECODE", &CLSID_CLSMG_DECODE, &IID__CLSMG_DECODE, nullptr},
      {"CLSMG_CONNECT", &CLSID_CLSMG_CONNECT, &IID__CLSMG_CONNECT, &DIID___CLSMG_CONNECT},
  };
  for (const auto& c : classes) {
    IUnknown* obj = nullptr;
    HRESULT hr = CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&obj));
    ok(hr == S_OK && obj, "%s: created: %#lx", c.name, hr);
    if (!obj) continue;
    IProvideClassInfo* pci = nullptr;
    IProvideClassInfo2* pci2 = nullptr;
    hr = obj->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&pci));
    ok(hr == S_OK && pci, "%s: IProvideClassInfo: %#lx", c.name, hr);
    hr = obj->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&pci2));
    ok(hr == S_OK && pci2, "%s: IProvideClassInfo2: %#lx", c.name, hr);
    if (pci2) {
      IUnknown* unk = nullptr;
      pci2->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk));
      ok(unk == obj, "%s: one identity through IProvideClassInfo2", c.name);
      if (unk) unk->Release();

      ITypeInfo* ti = nullptr;
      hr = pci2->GetClassInfo(&ti);
      ok(hr == S_OK && ti, "%s: GetClassInfo: %#lx", c.name, hr);
      if (ti) {
        TYPEATTR* attr = nullptr;
        ti->GetTypeAttr(&attr);
        ok(attr->typekind == TKIND_COCLASS && IsEqualGUID(attr->guid, *c.clsid), "%s: the coclass (kind %d)", c.name,
           attr->typekind);
        // Its default interface, and its default source interface if any.
        const IID* found_default = nullptr;
        bool source_found = false;
        for (UINT i = 0; i < attr->cImplTypes; ++i) {
          INT flags = 0;
          HREFTYPE ref = 0;
          ITypeInfo* impl = nullptr;
          TYPEATTR* ia = nullptr;
          if (ti->GetImplTypeFlags(i, &flags) != S_OK || ti->GetRefTypeOfImplType(i, &ref) != S_OK ||
              ti->GetRefTypeInfo(ref, &impl) != S_OK)
            continue;
          impl->GetTypeAttr(&ia);
          if ((flags & IMPLTYPEFLAG_FDEFAULT) && !(flags & IMPLTYPEFLAG_FSOURCE) && IsEqualGUID(ia->guid, *c.iid))
            found_default = c.iid;
          if ((flags & IMPLTYPEFLAG_FDEFAULT) && (flags & IMPLTYPEFLAG_FSOURCE))
            source_found = c.source && IsEqualGUID(ia->guid, *c.source);
          impl->ReleaseTypeAttr(ia);
          impl->Release();
        }
        ok(found_default != nullptr, "%s: the coclass's default interface", c.name);
        ok(source_found == (c.source != nullptr), "%s: the coclass's source interface", c.name);
        ti->ReleaseTypeAttr(attr);
        ti->Release();
      }
      ok(pci2->GetClassInfo(nullptr) == E_POINTER, "%s: GetClassInfo(NULL)", c.name);

      GUID g = IID_IUnknown;
      hr = pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &g);
      if (c.source)
        ok(hr == S_OK && IsEqualGUID(g, *c.source), "%s: the event interface: %#lx", c.name, hr);
      else
        ok(hr == E_INVALIDARG && IsEqualGUID(g, GUID_NULL), "%s: no event interface: %#lx", c.name, hr);
      g = IID_IUnknown;
      hr = pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 1, &g);
      ok(hr == E_INVALIDARG && IsEqualGUID(g, GUID_NULL), "%s: another kind refused: %#lx", c.name, hr);
      ok(pci2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr) == E_POINTER, "%s: GetGUID(NULL)", c.name);
      pci2->Release();
    }
    if (pci) pci->Release();
    obj->Release();
  }
}

// The DLL's version resource tells the type library's version, name and
// help string, and names its own file.
void test_version_resource() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  wchar_t path[MAX_PATH] = {};
  ok(GetModuleFileNameW(GetModuleHandleW(L"VELDRANE.dll"), path, MAX_PATH) > 0, "the DLL's path");
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ok(size > 0, "GetFileVersionInfoSize: error %lu", size ? 0ul : GetLastError());
  std::string data(size, '\0');
  if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data())) {
    ok(false, "GetFileVersionInfo");
    lk->Release();
    return;
  }
  ITypeInfo* ti = client::vtable_type_info(lk);
  ITypeLib* tl = nullptr;
  UINT index = 0;
  if (ti) ti->GetContainingTypeLib(&tl, &index);
  ok(tl != nullptr, "the type library");
  if (!tl) {
    if (ti) ti->Release();
    lk->Release();
    return;
  }
  TLIBATTR* la = nullptr;
  tl->GetLibAttr(&la);
  const WORD major = la->wMajorVerNum, minor = la->wMinorVerNum;
  tl->ReleaseTLibAttr(la);
  BSTR lib_name = nullptr, help = nullptr;
  tl->GetDocumentation(-1, &lib_name, &help, nullptr, nullptr);

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ok(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) && fixed &&
         fixed->dwSignature == 0xFEEF04BD,
     "the fixed part");
  if (fixed) {
    const DWORD ms = MAKELONG(minor, major);
    ok(fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == 0, "file version %#lx.%#lx, library %u.%u",
       fixed->dwFileVersionMS, fixed->dwFileVersionLS, major, minor);
    ok(fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == 0, "product version");
    ok(fixed->dwFileType == VFT_DLL, "a DLL: type %lu", fixed->dwFileType);
  }
  auto text = [&](const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    wchar_t* value = nullptr;
    UINT n = 0;
    if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &n) || !value) return std::string();
    return to_utf8(value, wcslen(value));
  };
  char version[32];
  std::snprintf(version, sizeof version, "%u.%u.0.0", major, minor);
  const std::string company = text(L"CompanyName"), description = to_utf8(help);
  const struct {
    const wchar_t* name;
    std::string expected;
  } strings[] = {
      {L"FileVersion", version},          {L"ProductVersion", version},
      {L"ProductName", to_utf8(lib_name)}, {L"InternalName", to_utf8(lib_name)},
      {L"OriginalFilename", "VELDRANE.dll"}, {L"FileDescription", description},
  };
  for (const auto& s : strings)
    ok(text(s.name) == s.expected, "%ls: [%s], expected [%s]", s.name, text(s.name).c_str(), s.expected.c_str());
  // The vendor word that heads the help string.
  ok(!company.empty() && description.rfind(company + " ", 0) == 0, "CompanyName [%s]", company.c_str());
  SysFreeString(lib_name);
  SysFreeString(help);
  tl->Release();
  ti->Release();
  lk->Release();
}

// The dual interface reached through a proxy: from a multithreaded
// apartment (COM creates the object in a host apartment) and from a second
// single-threaded apartment (the object marshalled from this one). Either
// needs the type-library marshaler to find the library.
void use_dual(_CLSMG_LOOKUP* lk, const char* where) {
  VARIANT arg = missing();
  ok(lk->Operatori(&arg) == S_OK, "%s: Operatori", where);
  VARIANT v;
  VariantInit(&v);
  ok(lk->get_IDLookup(&v) == S_OK && text_of(v) == "Lkp_Operatori", "%s: IDLookup [%s]", where, text_of(v).c_str());
  VariantClear(&v);
  long company = -1;
  ok(lk->put_CodiceDitta(12) == S_OK && lk->get_CodiceDitta(&company) == S_OK && company == 12, "%s: CodiceDitta",
     where);
}

DWORD WINAPI multithreaded_client(void*) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  _CLSMG_LOOKUP* lk = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CLSMG_LOOKUP, nullptr, CLSCTX_INPROC_SERVER, IID__CLSMG_LOOKUP,
                                reinterpret_cast<void**>(&lk));
  ok(hr == S_OK && lk, "the dual interface from a multithreaded apartment: %#lx", hr);
  if (lk) {
    use_dual(lk, "multithreaded apartment");
    lk->Release();
  }
  CoUninitialize();
  return 0;
}

DWORD WINAPI second_apartment_client(void* stream) {
  CoInitialize(nullptr);
  _CLSMG_LOOKUP* lk = nullptr;
  HRESULT hr = CoGetInterfaceAndReleaseStream(static_cast<IStream*>(stream), IID__CLSMG_LOOKUP,
                                              reinterpret_cast<void**>(&lk));
  ok(hr == S_OK && lk, "the dual interface in a second apartment: %#lx", hr);
  if (lk) {
    use_dual(lk, "second apartment");
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
  run_and_pump(multithreaded_client, nullptr);
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  IStream* stream = nullptr;
  HRESULT hr = CoMarshalInterThreadInterfaceInStream(IID__CLSMG_LOOKUP, lk, &stream);
  ok(hr == S_OK && stream, "marshalled: %#lx", hr);
  if (stream) run_and_pump(second_apartment_client, stream);
  lk->Release();
}

void test_unload() {
  HMODULE dll = GetModuleHandleW(L"VELDRANE.dll");
  ok(dll != nullptr, "the DLL is loaded");
  if (!dll) return;
  using can_unload_fn = HRESULT(WINAPI*)();
  auto can_unload = reinterpret_cast<can_unload_fn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  using get_class_fn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto get_class =
      reinterpret_cast<get_class_fn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  ok(can_unload && get_class, "exports");
  if (!can_unload || !get_class) return;

  ok(can_unload() == S_OK, "nothing left: S_OK");
  _CLSMG_LOOKUP* lk = create();
  ok(can_unload() == S_FALSE, "an object alive: S_FALSE");
  if (lk) lk->Release();
  ok(can_unload() == S_OK, "after the last release: S_OK");

  IClassFactory* cf = nullptr;
  ok(get_class(CLSID_CLSMG_LOOKUP, IID_IClassFactory, reinterpret_cast<void**>(&cf)) == S_OK && cf, "factory");
  if (cf) {
    cf->LockServer(TRUE);
    ok(can_unload() == S_FALSE, "locked: S_FALSE");
    cf->LockServer(FALSE);
    ok(can_unload() == S_OK, "unlocked: S_OK");
    // An unlock without a lock changes nothing: a live object still keeps
    // the module, and a lock still counts.
    ok(cf->LockServer(FALSE) == S_OK && can_unload() == S_OK, "unmatched unlock: S_OK");
    lk = create();
    ok(can_unload() == S_FALSE, "an object alive after an unmatched unlock: S_FALSE");
    if (lk) lk->Release();
    ok(can_unload() == S_OK, "after its release: S_OK");
    cf->LockServer(TRUE);
    ok(can_unload() == S_FALSE, "locked after an unmatched unlock: S_FALSE");
    cf->LockServer(FALSE);
    ok(can_unload() == S_OK, "and unlocked: S_OK");
    cf->Release();
  }
  void* p = reinterpret_cast<void*>(1);
  ok(get_class(IID_IUnknown, IID_IClassFactory, &p) == CLASS_E_CLASSNOTAVAILABLE && p == nullptr,
     "unknown class identifier refused");
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (argc != 2) {
    std::printf("usage: lookup_client <cases folder>\n");
    return 2;
  }
  CoInitialize(nullptr);
  IUnknown* probe = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CLSMG_LOOKUP, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&probe));
  if (hr == REGDB_E_CLASSNOTREG) {
    std::printf("SKIP: VELDRANE.CLSMG_LOOKUP is not registered\n");
    CoUninitialize();
    return 0;
  }
  if (probe) probe->Release();
  try {
    test_interfaces();
    test_new_object();
    test_operatori(argv[1]);
    test_errors();
    test_late_bound();
    test_references_to_nothing();
    test_values_without_text();
    test_member_table();
    test_class_info();
    test_version_resource();
    test_apartments();
    test_unload();
  } catch (const std::exception& e) {
    ok(false, "exception: %s", e.what());
  }
  CoUninitialize();
  std::printf("%d checks, %d failures\n", g_checks, g_failures);
  return g_failures;
}
