// An early-bound client of VELDRANE.CLSMG_CONNECT against the fake sibling
// connector of the test host DLL ("TARNELL.CLSMG_CONNECT", steered and read
// through "VeldraneTest.Sibling"): requests through the vtable, every
// program member late-bound, modal and non-modal siblings, a missing
// sibling class, by-reference write-back, events through the connection
// point, the bound control, null by-reference arguments, and the DLL's
// unload answer once the facade and its sibling let go of each other. The
// conversions themselves are the shared cases' (run on Linux).
//
// Prints one line per failed check and a summary; the exit status is the
// number of failures.
#include "connect/connect.h"  // the member table; core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "client.h"
#include "veldrane.h"

namespace {

using client::g_checks;
using client::g_failures;
using client::missing;
using client::number;
using client::text;
using veldrane::com::to_utf8;
using veldrane::com::to_wide;

// {17C3FA15-58A6-11D4-A8E4-00400519B149}: the interface of the first release.
const IID kLegacyV0 = {0x17C3FA15, 0x58A6, 0x11D4, {0xA8, 0xE4, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49}};

// --- Values -------------------------------------------------------------------

VARIANT boolean(bool b) {
  VARIANT v;
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}
VARIANT object(IDispatch* d) {
  VARIANT v;
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = d;
  if (d) d->AddRef();
  return v;
}

bool same_object(IUnknown* a, IUnknown* b) {
  if (!a || !b) return a == b;
  IUnknown* ua = nullptr;
  IUnknown* ub = nullptr;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
  const bool same = ua && ua == ub;
  if (ua) ua->Release();
  if (ub) ub->Release();
  return same;
}

/// Calls a member by name; `args` first to last, cleared after the call.
HRESULT late(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {}, VARIANT* result = nullptr,
             WORD flags = DISPATCH_METHOD) {
  const DISPID id = client::id_of(target, name);
  const HRESULT hr = id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : client::call(target, id, flags, args, result);
  for (VARIANT& a : args) VariantClear(&a);
  return hr;
}

// --- The fake sibling's control object --------------------------------------

IDispatch* g_control = nullptr;

std::string sibling_log() {
  VARIANT r;
  VariantInit(&r);
  late(g_control, L"Log", {}, &r);
  std::string s = V_VT(&r) == VT_BSTR ? to_utf8(V_BSTR(&r)) : "(no log)";
  VariantClear(&r);
  return s;
}
void sibling_reset() { late(g_control, L"Reset"); }
long live_siblings() {
  VARIANT r;
  VariantInit(&r);
  late(g_control, L"Live", {}, &r);
  return V_VT(&r) == VT_I4 ? V_I4(&r) : -1;
}
/// What sibling n holds in ClsConnect (the caller releases it).
IDispatch* cls_connect_of(long n) {
  VARIANT r;
  VariantInit(&r);
  late(g_control, L"ClsConnectOf", {number(n)}, &r);
  return V_VT(&r) == VT_DISPATCH ? V_DISPATCH(&r) : nullptr;
}

/// The log of one request on a new sibling.
std::string on_new_sibling(const std::string& call) {
  return "#1 get ClsConnect\n#1 set ClsConnect = Object\n#1 " + call + "\n#1 released";
}

_CLSMG_CONNECT* create() {
  _CLSMG_CONNECT* c = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CLSMG_CONNECT, nullptr, CLSCTX_INPROC_SERVER, IID__CLSMG_CONNECT,
                                reinterpret_cast<void**>(&c));
  ok(hr == S_OK && c, "CoCreateInstance: %#lx", hr);
  return c;
}

// --- A sink for the events and a bound control --------------------------------

// What both need of IDispatch: one more interface answered, a count of
// references (they live on the stack), no type information.
class dispatch_stub : public IDispatch {
 public:
  explicit dispatch_stub(const IID& also) : also_(also) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, also_)) {
      *ret = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ret = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++ref_; }
  ULONG STDMETHODCALLTYPE Release() override { return --ref_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  ULONG refs() const { return ref_; }

 private:
  IID also_;
  ULONG ref_ = 0;
};

class event_sink final : public dispatch_stub {
 public:
  std::vector<std::string> seen;
  bool cancel = true;  // what DataTransfer leaves in Cancel

  event_sink() : dispatch_stub(DIID___CLSMG_CONNECT) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id == 1 && p->cArgs == 3) {
      const VARIANT& cancel_arg = p->rgvarg[2];
      const VARIANT& data = p->rgvarg[1];
      const VARIANT& program = p->rgvarg[0];
      std::string line = "DataTransfer(";
      line += V_VT(&cancel_arg) == (VT_BOOL | VT_BYREF) ? (*V_BOOLREF(&cancel_arg) ? "True" : "False") : "?";
      line += ", " + (V_VT(&data) == VT_BSTR ? to_utf8(V_BSTR(&data)) : "vt" + std::to_string(V_VT(&data)));
      line += ", " + (V_VT(&program) == VT_I4 ? std::to_string(V_I4(&program)) : "?") + ")";
      seen.push_back(line);
      if (V_VT(&cancel_arg) == (VT_BOOL | VT_BYREF)) *V_BOOLREF(&cancel_arg) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    if (id == 2 && p->cArgs == 1) {
      seen.push_back("CloseForm(" + std::to_string(V_VT(&p->rgvarg[0]) == VT_I4 ? V_I4(&p->rgvarg[0]) : -1) + ")");
      return S_OK;
    }
    seen.push_back("unexpected " + std::to_string(id));
    return DISP_E_MEMBERNOTFOUND;
  }
};

// Stands for a text box: a writable Text property.
class text_box final : public dispatch_stub {
 public:
  std::string text;
  int writes = 0;

  text_box() : dispatch_stub(IID_IDispatch) {}
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    if (lstrcmpiW(names[0], L"Text") != 0) return DISP_E_UNKNOWNNAME;
    ids[0] = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id != 7 || !(flags & DISPATCH_PROPERTYPUT) || p->cArgs != 1) return DISP_E_MEMBERNOTFOUND;
    VARIANT t;
    VariantInit(&t);
    if (FAILED(VariantChangeType(&t, &p->rgvarg[0], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
    text = to_utf8(V_BSTR(&t));
    ++writes;
    VariantClear(&t);
    return S_OK;
  }
};

// --- Tests ---------------------------------------------------------------------------

// The member table as the object answers it (what the type library
// declares is compared with the published interface by typelib_client),
// and the interface of the first release.
void test_interface() {
  _CLSMG_CONNECT* c = create();
  if (!c) return;
  client::check_member_table(c, veldrane::connect::info(), IID__CLSMG_CONNECT);
  void* p = nullptr;
  HRESULT hr = c->QueryInterface(kLegacyV0, &p);
  ok(hr == S_OK && p == c, "the interface of the first release gives the current one: %#lx", hr);
  if (p) c->Release();
  c->Release();
}

struct forward_case {
  const char* what;
  std::function<HRESULT(_CLSMG_CONNECT*, VARIANT_BOOL*)> call;
  std::string forwarded;  // the call the sibling receives
};

// Requests through the vtable on a new facade with the default properties:
// a new sibling, its ClsConnect set, the request forwarded converted, the
// sibling released: left-out Variants, a member forwarded to another, a
// Boolean parameter. (The conversions: the shared cases and connect.vbs.)
void test_forwarding() {
  const forward_case cases[] = {
      {"MacroAree without arguments",
       [&](auto* c, auto* r) {
         VARIANT a = missing(), b = missing();
         return c->MacroAree(&a, &b, r);
       },
       "MacroAree(Dec:0, Str:\"\")"},
      {"CalendarioDisponibilita through the extended one",
       [&](auto* c, auto* r) {
         VARIANT a = text(L"ART"), b = missing(), d = missing(), e = missing();
         HRESULT hr = c->CalendarioDisponibilita(&a, &b, &d, &e, r);
         VariantClear(&a);
         return hr;
       },
       "CalendarioDisponibilitaEXT(Str:\"ART\", Str:\"\", Str:\"\", Str:\"\", Str:\"\")"},
      {"ArticoloArticoliAlternativi keeps its Boolean",
       [&](auto* c, auto* r) {
         VARIANT a = text(L"A1"), b = missing();
         HRESULT hr = c->ArticoloArticoliAlternativi(&a, &b, VARIANT_TRUE, r);
         VariantClear(&a);
         return hr;
       },
       "ArticoloArticoliAlternativi(Str:\"A1\", Str:\"\", Bool:True)"},
  };
  for (const forward_case& fc : cases) {
    sibling_reset();
    _CLSMG_CONNECT* c = create();
    if (!c) return;
    VARIANT_BOOL result = VARIANT_FALSE;
    HRESULT hr = fc.call(c, &result);
    ok(hr == S_OK && result == VARIANT_TRUE, "%s: %#lx, result %d", fc.what, hr, result);
    const std::string log = sibling_log();
    ok(log == on_new_sibling(fc.forwarded), "%s: the sibling saw [%s]", fc.what, log.c_str());
    ok(live_siblings() == 0, "%s: the sibling is released", fc.what);
    c->Release();
  }
}

// Every program member of the table, late-bound with its arguments left
// out: it answers True and the sibling's member of the same name receives
// as many arguments as the member has parameters. Members with required
// parameters are left to the cases above.
void test_every_program() {
  int walked = 0;
  for (const auto& m : veldrane::connect::info().members) {
    if (m.kind != veldrane::member_kind::method || m.returns != veldrane::param_type::boolean) continue;
    if (m.required_count() > 0) continue;
    std::string target(m.name);
    std::size_t args = m.param_count;
    if (target == "ElencoCliXGiri") target = "ElencoClientiXGiri";
    if (target == "CalendarioDisponibilita") target = "CalendarioDisponibilitaEXT", args = 5;
    if (target == "TrasformazioneDocumenti") ++args;  // the facade's own flag
    sibling_reset();
    _CLSMG_CONNECT* c = create();
    if (!c) return;
    VARIANT result;
    VariantInit(&result);
    const std::wstring name = to_wide(std::string(m.name));
    HRESULT hr = late(c, name.c_str(), {}, &result);
    ok(hr == S_OK && V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_TRUE, "%s: %#lx", target.c_str(), hr);
    const std::string log = sibling_log();
    const std::string head = "#1 get ClsConnect\n#1 set ClsConnect = Object\n#1 " + target + "(";
    const std::string tail = ")\n#1 released";
    const bool shaped = log.size() >= head.size() + tail.size() && log.compare(0, head.size(), head) == 0 &&
                        log.compare(log.size() - tail.size(), tail.size(), tail) == 0;
    std::size_t given = 0;
    if (shaped && log.size() > head.size() + tail.size()) {
      given = 1;
      for (std::size_t i = head.size(); i < log.size() - tail.size(); ++i) given += log[i] == ',';
    }
    ok(shaped && given == args, "%s: %u arguments expected, the sibling saw [%s]", std::string(m.name).c_str(),
       unsigned(args), log.c_str());
    c->Release();
    ++walked;
  }
  ok(walked > 170, "%d program members walked", walked);
}

// A non-modal sibling holds the facade itself in ClsConnect until
// TerminateConnect, which does nothing without a sibling; the next request
// makes a new one. (Both requests on one sibling: connect.vbs.)
void test_non_modal() {
  sibling_reset();
  _CLSMG_CONNECT* c = create();
  if (!c) return;
  c->put_WindowModal(VARIANT_FALSE);
  VARIANT_BOOL r = VARIANT_FALSE;
  VARIANT m = missing();
  c->Depositi(&m, &r);
  IDispatch* held = cls_connect_of(1);
  ok(r == VARIANT_TRUE && same_object(held, c), "the sibling's ClsConnect is the facade itself");
  if (held) held->Release();
  ok(c->TerminateConnect() == S_OK && live_siblings() == 0, "TerminateConnect");
  sibling_log();
  ok(c->TerminateConnect() == S_OK && sibling_log().empty(), "TerminateConnect without a sibling does nothing");
  r = VARIANT_FALSE;
  c->Porto(&m, &r);
  const std::string log = sibling_log();
  ok(r == VARIANT_TRUE && log == "#2 get ClsConnect\n#2 set ClsConnect = Object\n#2 Porto(Str:\"\")",
     "the next request makes a new sibling: [%s]", log.c_str());
  c->TerminateConnect();
  sibling_log();
  c->Release();
}

// A sibling whose ClsConnect is already set keeps it.
void test_preset_cls_connect() {
  sibling_reset();
  _CLSMG_CONNECT* other = create();
  _CLSMG_CONNECT* c = create();
  if (!c || !other) return;
  late(g_control, L"Preset", {object(other)});
  c->put_WindowModal(VARIANT_FALSE);
  VARIANT_BOOL r = VARIANT_FALSE;
  c->StampaBasi(&r);
  const std::string log = sibling_log();
  ok(r == VARIANT_TRUE && log == "#1 get ClsConnect\n#1 StampaBasi()", "ClsConnect left alone: [%s]", log.c_str());
  IDispatch* held = cls_connect_of(1);
  ok(same_object(held, other) && !same_object(held, c), "the sibling keeps the other object");
  if (held) held->Release();
  late(g_control, L"Preset", {object(nullptr)});
  c->TerminateConnect();
  sibling_log();
  c->Release();
  other->Release();
}

// Without a sibling class the creation and the member both fail: False,
// and no sibling made. (A failing sibling member: the shared cases.)
void test_no_sibling_class() {
  sibling_reset();
  _CLSMG_CONNECT* c = create();
  if (!c) return;
  HMODULE host = GetModuleHandleW(L"FAKEHOST.dll");
  using reg_fn = HRESULT(WINAPI*)();
  auto reg = host ? reinterpret_cast<reg_fn>(reinterpret_cast<void*>(GetProcAddress(host, "DllRegisterServer")))
                  : nullptr;
  ok(reg != nullptr, "the test host is loaded");
  if (reg) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TARNELL.CLSMG_CONNECT");
    VARIANT_BOOL r = VARIANT_TRUE;
    const HRESULT hr = c->StampaPorto(&r);
    ok(hr == S_OK && r == VARIANT_FALSE, "no sibling class: %#lx, result %d", hr, r);
    ok(sibling_log().empty() && live_siblings() == 0, "no sibling made");
    reg();
  }
  c->Release();
}

/// A new facade whose new sibling will write `value` into argument
/// `position` of `member`.
_CLSMG_CONNECT* sibling_writes(const wchar_t* member, long position, VARIANT value) {
  sibling_reset();
  late(g_control, L"Write", {text(member), number(position), value});
  return create();
}

// What the sibling writes into an argument, and what the caller then sees
// through the vtable. (Late-bound, connect.vbs and the shared cases.)
void test_by_reference() {
  // The caller's string comes back as the sibling wrote it.
  _CLSMG_CONNECT* c = sibling_writes(L"ConfiguraVariantiArticolo", 0, text(L"VAR-XYZ"));
  if (!c) return;
  BSTR kind = SysAllocString(L"ABC");
  VARIANT b = missing(), d = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  c->ConfiguraVariantiArticolo(&kind, &b, &d, &r);
  ok(r == VARIANT_TRUE && to_utf8(kind) == "VAR-XYZ", "TipoVarArt comes back: [%s]", to_utf8(kind).c_str());
  SysFreeString(kind);
  std::string log = sibling_log();
  ok(log == on_new_sibling("ConfiguraVariantiArticolo(Str:\"ABC\", Str:\"\", Str:\"\")"), "[%s]", log.c_str());
  c->Release();

  // An object the sibling places in the caller's variable reaches the caller.
  // Optional and by reference, it travels as a Variant (see comgen).
  c = sibling_writes(L"InterrogazioneEsposizCambiariaFido", 3, object(g_control));
  VARIANT t = text(L"1"), cf = text(L"C9"), when = missing(), result_object = object(nullptr);
  r = VARIANT_FALSE;
  c->InterrogazioneEsposizCambiariaFido(&t, &cf, &when, &result_object, &r);
  ok(r == VARIANT_TRUE && V_VT(&result_object) == VT_DISPATCH && same_object(V_DISPATCH(&result_object), g_control),
     "OggettoElaborazione comes back: vt %d", V_VT(&result_object));
  VariantClear(&result_object);
  VariantClear(&t);
  VariantClear(&cf);
  log = sibling_log();
  ok(log == on_new_sibling("InterrogazioneEsposizCambiariaFido(Str:\"1\", Str:\"C9\", Str:\"\", Obj:Nothing)"), "[%s]",
     log.c_str());
  c->Release();

  // The facade's own flag goes last, by reference; object arguments left
  // null arrive as Nothing.
  c = sibling_writes(L"TrasformazioneDocumenti", 9, boolean(true));
  VARIANT v[7];
  for (VARIANT& x : v) x = missing();
  VARIANT_BOOL flag = VARIANT_FALSE;
  r = VARIANT_FALSE;
  c->TrasformazioneDocumenti(&v[0], &v[1], &v[2], &v[3], &v[4], nullptr, nullptr, &v[5], &v[6], &r);
  ok(r == VARIANT_TRUE && c->get_Flag_AperturaAutomatica(&flag) == S_OK && flag == VARIANT_TRUE,
     "Flag_AperturaAutomatica as the sibling left it");
  log = sibling_log();
  ok(log == on_new_sibling("TrasformazioneDocumenti(Str:\"\", Str:\"\", Str:\"\", Str:\"\", Str:\"\", Obj:Nothing, "
                           "Obj:Nothing, Str:\"\", Str:\"\", Bool:False)"),
     "TrasformazioneDocumenti forwarded: [%s]", log.c_str());
  c->Release();

  // Documenti hands on copies: the caller's variables stay as they were.
  c = sibling_writes(L"Documenti", 0, text(L"changed"));
  VARIANT code = text(L"D1"), reg = missing();
  r = VARIANT_FALSE;
  c->Documenti(&code, &reg, &r);
  ok(r == VARIANT_TRUE && V_VT(&code) == VT_BSTR && to_utf8(V_BSTR(&code)) == "D1", "Documenti leaves Codice alone");
  VariantClear(&code);
  sibling_log();
  c->Release();
}

IConnectionPoint* connection_point(_CLSMG_CONNECT* c) {
  IConnectionPointContainer* container = nullptr;
  HRESULT hr = c->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
  ok(hr == S_OK && container, "IConnectionPointContainer: %#lx", hr);
  if (!container) return nullptr;
  IConnectionPoint* point = nullptr;
  hr = container->FindConnectionPoint(DIID___CLSMG_CONNECT, &point);
  ok(hr == S_OK && point, "the connection point of the events: %#lx", hr);
  IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(1);
  ok(container->FindConnectionPoint(IID__CLSMG_CONNECT, &none) == CONNECT_E_NOCONNECTION && !none,
     "no connection point for another interface");
  IEnumConnectionPoints* points = nullptr;
  ok(container->EnumConnectionPoints(&points) == S_OK && points, "EnumConnectionPoints");
  if (points) {
    IConnectionPoint* listed[2] = {};
    ULONG n = 0;
    ok(points->Next(2, listed, &n) == S_FALSE && n == 1 && listed[0] == point, "one connection point listed");
    if (listed[0]) listed[0]->Release();
    points->Release();
  }
  if (point) {
    IID iid{};
    ok(point->GetConnectionInterface(&iid) == S_OK && IsEqualIID(iid, DIID___CLSMG_CONNECT), "the source interface");
    IConnectionPointContainer* back = nullptr;
    ok(point->GetConnectionPointContainer(&back) == S_OK && back == container, "the point's container");
    if (back) back->Release();
  }
  container->Release();
  return point;
}

void test_events() {
  sibling_reset();
  _CLSMG_CONNECT* c = create();
  if (!c) return;
  IConnectionPoint* point = connection_point(c);
  if (!point) {
    c->Release();
    return;
  }
  event_sink sink, second;
  DWORD cookie = 0, cookie2 = 0;
  ok(point->Advise(&sink, &cookie) == S_OK && cookie, "Advise");
  IEnumConnections* connections = nullptr;
  ok(point->EnumConnections(&connections) == S_OK && connections, "EnumConnections");
  if (connections) {
    CONNECTDATA cd{};
    ULONG n = 0;
    ok(connections->Next(1, &cd, &n) == S_OK && n == 1 && cd.dwCookie == cookie, "the advised sink is listed");
    if (cd.pUnk) cd.pUnk->Release();
    connections->Release();
  }

  // TransferData without ConnectField: the event, and Cancel back.
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT data = text(L"R-001");
  ok(c->TransferData(&cancel, &data, vxElencoClientiXGiri) == S_OK, "TransferData");
  ok(cancel == VARIANT_TRUE, "the handler's Cancel reaches the caller");
  ok(sink.seen.size() == 1 && sink.seen[0] == "DataTransfer(False, R-001, 47)", "the sink saw [%s]",
     sink.seen.empty() ? "" : sink.seen[0].c_str());
  ok(c->FormClose(vxDepositi) == S_OK && sink.seen.size() == 2 && sink.seen[1] == "CloseForm(27)", "CloseForm");

  // Two sinks: the second sees the first one's Cancel.
  second.cancel = false;
  ok(point->Advise(&second, &cookie2) == S_OK && cookie2 != cookie, "a second sink");
  cancel = VARIANT_FALSE;
  c->TransferData(&cancel, &data, vxOperatori);
  ok(second.seen.size() == 1 && second.seen[0] == "DataTransfer(True, R-001, 12)", "the second sink saw [%s]",
     second.seen.empty() ? "" : second.seen[0].c_str());
  ok(cancel == VARIANT_FALSE, "the last handler's Cancel wins");
  ok(point->Unadvise(cookie2) == S_OK && point->Unadvise(cookie2) == CONNECT_E_NOCONNECTION, "Unadvise once");

  // A program reporting back while its request is still running.
  late(g_control, L"CallBack", {text(L"Operatori"), text(L"TransferData"), text(L"from the program")});
  VARIANT m = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  c->Operatori(&m, &r);
  std::string log = sibling_log();
  ok(r == VARIANT_TRUE && log.find("#1 TransferData gave 0 Cancel=True") != std::string::npos,
     "the program's callback reaches the sink and Cancel comes back: [%s]", log.c_str());
  ok(sink.seen.size() == 4 && sink.seen[3] == "DataTransfer(False, from the program, 12)", "the sink saw [%s]",
     sink.seen.size() > 3 ? sink.seen[3].c_str() : "");

  // With ConnectField set the data go to its Text, and no event (an array
  // gives its element 0: the shared cases).
  text_box box;
  ok(c->putref_ConnectField(&box) == S_OK, "ConnectField set");
  cancel = VARIANT_FALSE;
  c->TransferData(&cancel, &data, vxOperatori);
  ok(box.text == "R-001" && box.writes == 1 && sink.seen.size() == 4 && cancel == VARIANT_FALSE,
     "Text receives the data [%s]", box.text.c_str());
  ok(c->putref_ConnectField(nullptr) == S_OK, "ConnectField back to Nothing");
  ok(box.refs() == 0, "the control is let go: %lu", box.refs());

  // A by-reference argument that refers to nothing is refused before the
  // event, the sibling or anything else sees it, naming the argument.
  VARIANT nothing;
  V_VT(&nothing) = VT_BYREF | VT_BSTR;
  V_BYREF(&nothing) = nullptr;
  ok(c->TransferData(&cancel, &nothing, vxOperatori) == DISP_E_TYPEMISMATCH, "TransferData, Data refers to nothing");
  VARIANT via;
  V_VT(&via) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&via) = &nothing;
  VARIANT cancel_nothing;
  V_VT(&cancel_nothing) = VT_BYREF | VT_BOOL;
  V_BYREF(&cancel_nothing) = nullptr;
  const DISPID transfer = 0x60030000 + 2;
  struct {
    VARIANT args[3];  // rgvarg: last first
    UINT expected;
  } refused[] = {
      {{number(vxOperatori), text(L"R-001"), cancel_nothing}, 2},
      {{number(vxOperatori), via, boolean(false)}, 1},
  };
  for (auto& r : refused) {
    DISPPARAMS params{r.args, nullptr, 3, 0};
    UINT bad = 99;
    EXCEPINFO ei{};
    const HRESULT hr = c->Invoke(transfer, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &ei, &bad);
    ok(hr == DISP_E_TYPEMISMATCH && bad == r.expected && !ei.bstrDescription, "TransferData late-bound: %#lx, argument %u",
       hr, bad);
    VariantClear(&r.args[1]);
  }
  ok(sink.seen.size() == 4 && box.writes == 1, "no event and no write for a refused call");
  VARIANT_BOOL answered = VARIANT_TRUE;
  ok(c->Lingue(&nothing, &answered) == DISP_E_TYPEMISMATCH && sibling_log().empty(),
     "a forwarder refuses it before the sibling sees the call");

  ok(point->Unadvise(cookie) == S_OK, "Unadvise");
  c->FormClose(vxDepositi);
  ok(sink.seen.size() == 4 && sink.refs() == 0, "no events after Unadvise; the sink is let go (%lu)", sink.refs());
  VariantClear(&data);
  point->Release();
  c->Release();
}

// The facade and a non-modal sibling hold each other; TerminateConnect
// breaks the pair and the DLL can unload.
void test_unload() {
  HMODULE dll = GetModuleHandleW(L"VELDRANE.dll");
  using can_unload_fn = HRESULT(WINAPI*)();
  auto can_unload =
      dll ? reinterpret_cast<can_unload_fn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow"))) : nullptr;
  ok(can_unload != nullptr, "DllCanUnloadNow");
  if (!can_unload) return;
  sibling_reset();
  ok(can_unload() == S_OK, "nothing left: S_OK");
  _CLSMG_CONNECT* c = create();
  if (!c) return;
  c->put_WindowModal(VARIANT_FALSE);
  VARIANT m = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  c->Lingue(&m, &r);
  c->Release();
  ok(can_unload() == S_FALSE, "the sibling still holds the facade: S_FALSE");
  IDispatch* held = cls_connect_of(1);
  ok(held != nullptr, "the facade reached through the sibling");
  if (held) {
    ok(late(held, L"TerminateConnect") == S_OK, "TerminateConnect late-bound");
    held->Release();
  }
  ok(live_siblings() == 0, "the sibling is gone");
  ok(can_unload() == S_OK, "after the last release: S_OK");

  // A modal request leaves nothing behind either.
  c = create();
  if (c) {
    c->Lingue(&m, &r);
    c->Release();
  }
  ok(can_unload() == S_OK, "after a modal request and the release: S_OK");
  sibling_log();
}

}  // namespace

int main() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  CoInitialize(nullptr);
  IUnknown* probe = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CLSMG_CONNECT, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&probe));
  CLSID control_clsid;
  if (hr == REGDB_E_CLASSNOTREG || FAILED(CLSIDFromProgID(L"VeldraneTest.Sibling", &control_clsid))) {
    std::printf("SKIP: VELDRANE.CLSMG_CONNECT or the test sibling is not registered\n");
    CoUninitialize();
    return 0;
  }
  if (probe) probe->Release();
  hr = CoCreateInstance(control_clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&g_control));
  ok(hr == S_OK && g_control, "the sibling's control object: %#lx", hr);
  if (g_control) {
    try {
      test_interface();
      test_forwarding();
      test_every_program();
      test_non_modal();
      test_preset_cls_connect();
      test_no_sibling_class();
      test_by_reference();
      test_events();
      test_unload();
    } catch (const std::exception& e) {
      ok(false, "exception: %s", e.what());
    }
    sibling_reset();
    g_control->Release();
  }
  CoUninitialize();
  std::printf("%d checks, %d failures\n", g_checks, g_failures);
  return g_failures;
}
