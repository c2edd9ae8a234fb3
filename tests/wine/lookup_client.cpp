// An early-bound client of VELDRANE.dll: the dual interface through the
// widl header's vtable, the interfaces the object answers (class information
// of every class), error objects, null by-reference arguments, values
// without text, the version resource, the type library against the
// published interface's reference, the dual interface through a proxy from
// other apartments, and the DLL's unload answer. What the shared cases pin
// is left to them. Usage: lookup_client <published.txt>
#include "lookup/lookup.h"  // the member table; core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <algorithm>
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

std::string statement(_CLSMG_LOOKUP* lk) { return property(lk, L"StringaSQL"); }  // "8:<text>"

// The interfaces the object answers, one identity through them, a null out
// pointer refused, and the error object of a refused call.
void test_interfaces() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  check_member_table(lk, veldrane::lookup::info());
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
  // interface (late-bound, cases.vbs reads the shared cases' from Err).
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

// Properties late-bound, as a script sets and reads them: a new object's
// types and values, what a let leaves, and ActiveInterface taking only the
// framework's active interface, or Nothing. (Their values after calls: the
// shared cases.)
void test_properties() {
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  const std::pair<const wchar_t*, const char*> fresh[] = {
      {L"Titolo", "8:"},  {L"StringaSQL", "8:"},  {L"ArrayFields", "8:"}, {L"IDLookup", "0:"},
      {L"CodiceDitta", "3:0"}, {L"SoloLinguePerDitta", "11:True"}, {L"ActiveInterface", "9:"}};
  for (const auto& [name, shown] : fresh)
    ok(property(lk, name) == shown, "a new object's %ls: %s", name, property(lk, name).c_str());
  struct {
    const wchar_t* name;
    VARIANT value;
    bool taken;  // else refused as a script's error 13: only the framework's active interface is
    const char* shown;
  } lets[] = {{L"CodiceDitta", number(5), true, "3:5"},
              {L"CodiceDitta", number(0), true, "3:0"},
              {L"Titolo", text(L"Mio titolo"), true, "8:Mio titolo"},
              {L"SoloLinguePerDitta", client::boolean(false), true, "11:False"},
              {L"ActiveInterface", object(lk), false, "9:"},
              {L"ActiveInterface", object(nullptr), true, "9:"}};
  for (auto& l : lets) {
    const WORD flags = V_VT(&l.value) == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    HRESULT scode = 0;
    const HRESULT hr = call(lk, id_of(lk, l.name), flags, {l.value}, nullptr, nullptr, &scode);
    const bool refused = hr == DISP_E_TYPEMISMATCH || scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 13);
    ok((l.taken ? hr == S_OK : refused) && property(lk, l.name) == l.shown, "%ls let: %#lx, %s", l.name, hr,
       property(lk, l.name).c_str());
    VariantClear(&l.value);
  }
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
    ok(hr == DISP_E_TYPEMISMATCH && bad == 1, "MacroAree(null reference of type %#x, ...): %#lx, %u", t, hr, bad);
    bad = 99;
    hr = call(lk, titolo, DISPATCH_PROPERTYPUT, {reference_to_nothing(t)}, nullptr, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == 0, "Titolo = null reference of type %#x: %#lx, argument %u", t, hr, bad);
  }
  // Behind a Variant by reference, one that refers to itself, and in an array.
  VARIANT inner = reference_to_nothing(VT_BSTR), outer = of_type(VT_BYREF | VT_VARIANT), loop = outer;
  V_VARIANTREF(&outer) = &inner;
  V_VARIANTREF(&loop) = &loop;
  UINT bad = 99;
  ok(call(lk, operatori, DISPATCH_METHOD, {outer}, nullptr, &bad) == DISP_E_TYPEMISMATCH && !bad, "through a Variant");
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

// --- The type library as the published interface's reference writes it -----

std::string guid_text(const GUID& g) {
  wchar_t buf[40];
  return to_utf8(buf, StringFromGUID2(g, buf, 40) - 1);
}

std::string doc_name(ITypeInfo* ti, MEMBERID id = MEMBERID_NIL) {
  BSTR b = nullptr;
  ti->GetDocumentation(id, &b, nullptr, nullptr, nullptr);
  const std::string s = to_utf8(b);
  SysFreeString(b);
  return s;
}

// A pointer shows as a trailing "*"; a type of the library by its name.
std::string type_text(ITypeInfo* ti, const TYPEDESC& td) {
  const std::pair<VARTYPE, const char*> names[] = {{VT_VARIANT, "Variant"}, {VT_BSTR, "String"}, {VT_I2, "Integer"},
                                                   {VT_I4, "Long"}, {VT_BOOL, "Boolean"}, {VT_DISPATCH, "Object"}};
  for (const auto& [vt, name] : names)
    if (td.vt == vt) return name;
  if (td.vt == VT_PTR) return type_text(ti, *td.lptdesc) + "*";
  ITypeInfo* ref = nullptr;
  if (td.vt != VT_USERDEFINED) return "vt" + std::to_string(td.vt);
  if (ti->GetRefTypeInfo(td.hreftype, &ref) != S_OK) return "?";
  const std::string name = doc_name(ref);
  ref->Release();
  return name == "IDispatch" ? "Object" : name;
}

// A default as the reference writes it. widl keeps a Variant pointer's
// number inline, typed with the pointer's target (VT_VARIANT).
std::string default_text(VARIANT d, const std::string& type) {
  if (type == "Object") return "Nothing";
  if (V_VT(&d) == VT_VARIANT) return std::to_string(V_I4(&d));
  if (V_VT(&d) == VT_BSTR) return std::string("\"").append(to_utf8(V_BSTR(&d))).append("\"");
  const bool truth = type == "Boolean" || V_VT(&d) == VT_BOOL;
  VARIANT v;
  VariantInit(&v);
  if (VariantChangeType(&v, &d, 0, truth ? VT_BOOL : VT_I4) != S_OK) return "?";
  return truth ? (V_BOOL(&v) ? "True" : "False") : std::to_string(V_I4(&v));
}

// A parameter; a method's Variant comes as an in-only pointer (so that a
// left-out one can be marked missing): still an argument by value.
std::string param_text(ITypeInfo* ti, const ELEMDESC& e, const std::string& name) {
  const USHORT f = e.paramdesc.wParamFlags;
  std::string type = type_text(ti, e.tdesc);
  if (((f & PARAMFLAG_FOUT) || type == "Variant*") && type.back() == '*') type.pop_back();
  std::string out = std::string(f & PARAMFLAG_FOPT ? "Optional " : "") + (f & PARAMFLAG_FOUT ? "ByRef " : "") + name;
  out += " As " + type;
  if ((f & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex)
    out += " = " + default_text(e.paramdesc.pparamdescex->varDefaultValue, type);
  return out;
}

/// A function as the reference writes a member: interface, dispatch id,
/// hidden flag, then the declaration; the [out, retval] parameter is the
/// result, and a property's value shows only its type.
std::string function_line(ITypeInfo* ti, const std::string& iface, const FUNCDESC& fd) {
  BSTR names[32] = {};
  UINT count = 0;
  ti->GetNames(fd.memid, names, 32, &count);
  char id[16];
  std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(fd.memid));
  const std::string head = iface + " " + id + (fd.wFuncFlags & FUNCFLAG_FHIDDEN ? " [hidden] " : " "),
                    name = to_utf8(names[0]);
  const VARTYPE ret = fd.elemdescFunc.tdesc.vt;
  std::string result = ret == VT_VOID || ret == VT_HRESULT ? "" : type_text(ti, fd.elemdescFunc.tdesc);
  std::string list, value_type;
  for (SHORT i = 0; i < fd.cParams; ++i) {
    const ELEMDESC& e = fd.lprgelemdescParam[i];
    if (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
      result = type_text(ti, e.tdesc);
      if (result.back() == '*') result.pop_back();
    } else if (fd.invkind != INVOKE_FUNC && i + 1 == fd.cParams) {
      value_type = type_text(ti, e.tdesc);
    } else {
      list += (list.empty() ? "" : ", ") + param_text(ti, e, i + 1 < SHORT(count) ? to_utf8(names[i + 1]) : "?");
    }
  }
  for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
  const std::string args = list.empty() ? "" : "(" + list + ")";
  switch (fd.invkind) {
    case INVOKE_PROPERTYGET: return head + "Property Get " + name + args + " As " + result;
    case INVOKE_PROPERTYPUT: return head + "Property Let " + name + args + " As " + value_type;
    case INVOKE_PROPERTYPUTREF: return head + "Property Set " + name + args + " As " + value_type;
    default: return head + (result.empty() ? "Sub " : "Function ") + name + "(" + list + ")" +
                    (result.empty() ? "" : " As " + result);
  }
}

/// A coclass, its default interface (the vtable view of the dual one) and
/// its source interface, members in slot order; an enumeration's values.
void type_lines(ITypeInfo* ti, std::vector<std::string>& out, std::vector<std::string>& enums) {
  TYPEATTR* a = nullptr;
  ti->GetTypeAttr(&a);
  const std::string name = doc_name(ti);
  std::string head = (a->typekind == TKIND_COCLASS ? "coclass " : "enum ") + name + " " + guid_text(a->guid);
  std::vector<std::string> members;
  for (UINT i = 0; a->typekind == TKIND_COCLASS && i < a->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    ITypeInfo *it = nullptr, *vt = nullptr;
    if (ti->GetImplTypeFlags(i, &flags) != S_OK || ti->GetRefTypeOfImplType(i, &ref) != S_OK ||
        ti->GetRefTypeInfo(ref, &it) != S_OK)
      continue;
    if (!(flags & IMPLTYPEFLAG_FSOURCE) && it->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref) == S_OK &&
        it->GetRefTypeInfo(ref, &vt) == S_OK) {
      it->Release();
      it = vt;
    }
    TYPEATTR* ia = nullptr;
    it->GetTypeAttr(&ia);
    const std::string iface = doc_name(it);
    const bool source = flags & IMPLTYPEFLAG_FSOURCE, by_default = flags & IMPLTYPEFLAG_FDEFAULT;
    head += std::string(" [") + (by_default ? "default" : "") + (by_default && source ? ", " : "") +
            (source ? "source" : "") + "] " + iface + " " + guid_text(ia->guid);
    for (UINT f = 0; f < ia->cFuncs; ++f) {
      FUNCDESC* fd = nullptr;
      if (it->GetFuncDesc(f, &fd) != S_OK) continue;
      members.push_back(function_line(it, iface, *fd));
      it->ReleaseFuncDesc(fd);
    }
    it->ReleaseTypeAttr(ia);
    it->Release();
  }
  for (UINT i = 0; a->typekind == TKIND_ENUM && i < a->cVars; ++i) {
    VARDESC* vd = nullptr;
    if (ti->GetVarDesc(i, &vd) != S_OK) continue;
    VARIANT v;
    VariantInit(&v);
    const bool number = vd->varkind == VAR_CONST && VariantChangeType(&v, vd->lpvarValue, 0, VT_I4) == S_OK;
    members.push_back(name + " " + doc_name(ti, vd->memid) + " = " + (number ? std::to_string(V_I4(&v)) : "?"));
    ti->ReleaseVarDesc(vd);
  }
  auto& to = a->typekind == TKIND_COCLASS ? out : enums;
  if (a->typekind == TKIND_COCLASS || a->typekind == TKIND_ENUM) to.push_back(head);
  to.insert(to.end(), members.begin(), members.end());
  ti->ReleaseTypeAttr(a);
}

std::vector<std::string> library_lines(ITypeLib* tl) {
  TLIBATTR* la = nullptr;
  tl->GetLibAttr(&la);
  BSTR name = nullptr, help = nullptr;
  tl->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  char version[32];
  std::snprintf(version, sizeof version, " %u.%u 0x%04X \"", la->wMajorVerNum, la->wMinorVerNum, unsigned(la->lcid));
  std::vector<std::string> out{"library " + to_utf8(name) + " " + guid_text(la->guid) + version + to_utf8(help) + "\""},
      enums;
  SysFreeString(name);
  SysFreeString(help);
  tl->ReleaseTLibAttr(la);
  for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
    ITypeInfo* ti = nullptr;
    if (tl->GetTypeInfo(i, &ti) != S_OK) continue;
    type_lines(ti, out, enums);
    ti->Release();
  }
  out.insert(out.end(), enums.begin(), enums.end());
  return out;
}

/// A reference line as the type library can carry it. Automation marks only
/// a Variant as left out, so an optional parameter of another type carries
/// a default (its own, or its type's zero), and one passed by reference
/// without a default travels as a Variant; a Variant's text default is not
/// carried (the component binds it when the argument is missing).
std::string carried(const std::string& line) {
  const auto open = line.find('('), close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos) return line;
  std::string list, rest = line.substr(open + 1, close - open - 1);
  while (!rest.empty()) {
    const auto comma = rest.find(", ");
    std::string p = rest.substr(0, comma);
    rest = comma == std::string::npos ? "" : rest.substr(comma + 2);
    const auto as = p.find(" As "), eq = p.find(" = ");
    const std::string type = p.substr(as + 4, eq == std::string::npos ? std::string::npos : eq - as - 4);
    if (p.rfind("Optional ", 0) == 0 && eq == std::string::npos && type != "Variant") {
      if (p.rfind("Optional ByRef ", 0) == 0)
        p = p.substr(0, as) + " As Variant";
      else
        p += type == "String" ? " = \"\"" : type == "Boolean" ? " = False" : type == "Object" ? " = Nothing" : " = 0";
    } else if (type == "Variant" && eq != std::string::npos && p[eq + 3] == '"') {
      p = p.substr(0, eq);
    }
    list += (list.empty() ? "" : ", ") + p;
  }
  return line.substr(0, open + 1) + list + line.substr(close);
}

// The library the object serves (the DLL reads it from its own file): built
// for the client's architecture, with the hidden alias of the first release,
// its types as the published interface's reference (its path the program's
// argument) writes them: a member a line, with dispatch id, kind, hidden
// flag, parameters with types, optional and in/out flags and defaults; the
// event interface; the enumeration's values. The DLL's version resource
// tells the library's version, name and help string, and names its own file.
const char* g_published = "";

void test_library_and_version() {
  std::string all;
  if (FILE* f = std::fopen(g_published, "rb")) {
    for (char buf[4096]; std::size_t n = std::fread(buf, 1, sizeof buf, f);) all.append(buf, n);
    std::fclose(f);
  }
  std::vector<std::string> reference;
  for (std::size_t at = 0, end; at < all.size(); at = end + 1) {
    end = std::min(all.find('\n', at), all.size());
    reference.push_back(carried(all.substr(at, end - at)));
  }
  _CLSMG_LOOKUP* lk = create();
  if (!lk) return;
  ITypeInfo* ti = client::vtable_type_info(lk);
  ITypeLib* tl = nullptr;
  UINT index = 0;
  if (ti) ti->GetContainingTypeLib(&tl, &index);
  if (ti) ti->Release();
  lk->Release();
  ok(tl && !reference.empty(), "the type library, the reference %s (%u lines)", g_published,
     unsigned(reference.size()));
  if (!tl) return;
  const std::vector<std::string> actual = library_lines(tl);
  for (std::size_t i = 0, shown = 0; i < reference.size() || i < actual.size(); ++i) {
    const std::string r = i < reference.size() ? reference[i] : "(end)", a = i < actual.size() ? actual[i] : "(end)";
    if (r != a && ++shown <= 10)
      ok(false, "type library line %u\n  reference:    %s\n  type library: %s", unsigned(i + 1), r.c_str(), a.c_str());
  }
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

int main(int argc, char** argv) {
  if (argc > 1) g_published = argv[1];
  return client::run(CLSID_CLSMG_LOOKUP, {test_interfaces, test_properties, test_late_bound, test_references_to_nothing,
                                          test_values_without_text, test_class_info, test_library_and_version,
                                          test_apartments, test_unload});
}
