// A client of VELDRANE.CLSMG_CONNECT against the fake sibling connector of
// the test host DLL ("TARNELL.CLSMG_CONNECT", steered and read through
// "VeldraneTest.Sibling"): what a script sees, the vtable's shapes a script
// cannot give, every program member late-bound, by-reference write-back,
// events through the connection point, the bound control, null by-reference
// arguments, and the DLL's unload answer once the facade and a non-modal
// sibling let go of each other. The conversions and a sibling already bound
// are the Linux tests' (tests/connect, the shared cases), a missing sibling
// class and a failing member messagebox.cmake's.
#include "connect/connect.h"  // the member table; core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "client.h"
#include "veldrane.h"

namespace {

using namespace client;
using veldrane::com::to_utf8;

// {17C3FA15-58A6-11D4-A8E4-00400519B149}: the interface of the first release.
const IID kLegacyV0 = {0x17C3FA15, 0x58A6, 0x11D4, {0xA8, 0xE4, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49}};

// --- The fake sibling's control object --------------------------------------

IDispatch* g_control = nullptr;

VARIANT ask(const wchar_t* member, std::vector<VARIANT> args = {}) {
  VARIANT r;
  VariantInit(&r);
  late(g_control, member, std::move(args), &r);
  return r;
}
std::string sibling_log() {
  VARIANT r = ask(L"Log");
  const std::string s = text_of(r);
  VariantClear(&r);
  return s;
}
long live_siblings() {
  VARIANT r = ask(L"Live");
  return V_VT(&r) == VT_I4 ? V_I4(&r) : -1;
}
/// What sibling n holds in ClsConnect (the caller releases it).
IDispatch* cls_connect_of(long n) {
  VARIANT r = ask(L"ClsConnectOf", {number(n)});
  return V_VT(&r) == VT_DISPATCH ? V_DISPATCH(&r) : nullptr;
}
/// The log of one request on sibling n, new.
std::string on_new_sibling(const std::string& call, bool released = true, int n = 1) {
  std::string log;
  for (const std::string& line : {std::string("get ClsConnect"), std::string("set ClsConnect = Object"), call,
                                  std::string(released ? "released" : "")})
    if (!line.empty()) log.append(log.empty() ? "#" : "\n#").append(std::to_string(n)).append(" ").append(line);
  return log;
}

/// A new facade; the sibling state reset first.
_CLSMG_CONNECT* fresh() {
  late(g_control, L"Reset");
  return create<_CLSMG_CONNECT>(CLSID_CLSMG_CONNECT, IID__CLSMG_CONNECT);
}

// --- A sink for the events and a bound control --------------------------------

// Both on the stack (references counted, never freed): records the events
// it receives as text (answering `cancel` in DataTransfer's Cancel), and the
// writes to its Text property as a bound control.
class recorder final : public IDispatch {
 public:
  std::vector<std::string> seen;
  bool cancel = true;
  ULONG refs = 0;

  std::string last() const { return seen.empty() ? "" : seen.back(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
                       IsEqualIID(riid, DIID___CLSMG_CONNECT);
    *ret = known ? static_cast<IDispatch*>(this) : nullptr;
    if (known) AddRef();
    return known ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    ids[0] = 7;  // Text, the bound control's one member
    return lstrcmpiW(names[0], L"Text") == 0 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    const auto arg = [&](UINT i) {
      VARIANT t;
      VariantInit(&t);
      VariantChangeType(&t, &p->rgvarg[i], 0, VT_BSTR);  // what a text box shows, whatever the type
      const std::string shown = text_of(t);
      VariantClear(&t);
      return shown;
    };
    const auto num = [&](UINT i) { return V_VT(&p->rgvarg[i]) == VT_I4 ? std::to_string(V_I4(&p->rgvarg[i])) : "?"; };
    if (id == 7 && (flags & DISPATCH_PROPERTYPUT) && p->cArgs == 1) {
      seen.push_back("Text = " + arg(0));
    } else if (id == 2 && p->cArgs == 1) {
      seen.push_back("CloseForm(" + num(0) + ")");
    } else if (id == 1 && p->cArgs == 3 && V_VT(&p->rgvarg[2]) == (VT_BOOL | VT_BYREF)) {
      VARIANT_BOOL* c = V_BOOLREF(&p->rgvarg[2]);
      seen.push_back(std::string("DataTransfer(") + (*c ? "True" : "False") + ", " + arg(1) + ", " + num(0) + ")");
      *c = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
      seen.push_back("unexpected " + std::to_string(id));
      return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
  }
};

// --- Tests ---------------------------------------------------------------------------

// The member table as the object answers it, the interface of the first
// release, and a Boolean by value through the vtable on a new facade with
// the default properties: a new sibling, its ClsConnect set, the request
// forwarded, the sibling released.
void test_interface() {
  _CLSMG_CONNECT* c = fresh();
  if (!c) return;
  check_member_table(c, veldrane::connect::info());
  void* p = nullptr;
  const HRESULT hr = c->QueryInterface(kLegacyV0, &p);
  ok(hr == S_OK && p == c, "the interface of the first release gives the current one: %#lx", hr);
  if (p) c->Release();
  VARIANT a = text(L"A1"), b = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  ok(c->ArticoloArticoliAlternativi(&a, &b, VARIANT_TRUE, &r) == S_OK && r == VARIANT_TRUE, "a Boolean by value");
  VariantClear(&a);
  const std::string log = sibling_log();
  ok(log == on_new_sibling("ArticoloArticoliAlternativi(Str:\"A1\", Str:\"\", Bool:True)") && live_siblings() == 0,
     "the sibling saw [%s]", log.c_str());
  c->Release();
}

// What a script sees, late-bound: the property types, arguments given,
// left out (a gap too) or taken as their defaults, a member forwarded under
// the sibling's name, and a variable handed by reference to a Variant
// parameter, which goes as a value: the sibling's write does not reach it.
void test_late_bound() {
  _CLSMG_CONNECT* c = fresh();
  if (!c) return;
  ok(call(c, id_of(c, L"Top"), DISPATCH_PROPERTYPUT, {number(100000)}) == S_OK, "Top = 100000");
  const std::pair<const wchar_t*, const char*> properties[] = {{L"WindowModal", "11:True"}, {L"ProgramMode", "3:2"},
      {L"Top", "3:100000"}, {L"Flag_AperturaAutomatica", "11:False"}, {L"ConnectField", "9:"}};
  for (const auto& [name, shown] : properties)
    ok(property(c, name) == shown, "%ls: %s", name, property(c, name).c_str());
  c->Release();
  const struct {
    const wchar_t* member;
    std::vector<VARIANT> args;
    const char* forwarded;
  } calls[] = {
      {L"Zone", {number(1), text(L"MA"), missing(), text(L"Z1")}, "Zone(Dec:1, Str:\"MA\", Str:\"\", Str:\"Z1\")"},
      {L"ElencoCliXGiri", {text(L"G1")}, "ElencoClientiXGiri(Str:\"G1\")"},
      {L"RiferimentiGraficiEXT", {of_type(VT_I2, 1), text(L"H"), text(L"R-1"), number(3)},  // a script's 1: Integer
       "RiferimentiGraficiEXT(I2:1, Str:\"H\", Str:\"R-1\", I2:3, I2:0, Bool:False)"},
  };
  for (const auto& k : calls) {
    c = fresh();
    VARIANT r;
    VariantInit(&r);
    const HRESULT hr = late(c, k.member, k.args, &r);
    const std::string log = sibling_log();
    ok(hr == S_OK && V_VT(&r) == VT_BOOL && V_BOOL(&r) && log == on_new_sibling(k.forwarded), "%ls: %#lx [%s]",
       k.member, hr, log.c_str());
    c->Release();
  }
  c = fresh();
  late(g_control, L"Write", {text(L"ListiniUltPrArtClientiArtFornitori"), number(0), text(L"changed")});
  VARIANT variable = text(L"P"), reference = of_type(VT_BYREF | VT_VARIANT);
  V_VARIANTREF(&reference) = &variable;
  ok(late(c, L"ListiniUltPrArtClientiArtFornitori", {reference}) == S_OK && text_of(variable) == "P",
     "ArrayParametri goes as a value: [%s]", text_of(variable).c_str());
  VariantClear(&variable);
  c->Release();
}

// Every program member of the table without required parameters,
// late-bound with its arguments left out: it answers True and the
// sibling's member of the same name receives as many arguments as the
// member has parameters.
void test_every_program() {
  int walked = 0;
  for (const auto& m : veldrane::connect::info().members) {
    if (m.kind != veldrane::member_kind::method || m.returns != veldrane::param_type::boolean || m.required_count())
      continue;
    std::string target(m.name);
    std::size_t args = m.param_count;
    if (target == "ElencoCliXGiri") target = "ElencoClientiXGiri";
    if (target == "CalendarioDisponibilita") target = "CalendarioDisponibilitaEXT", args = 5;
    if (target == "TrasformazioneDocumenti") ++args;  // the facade's own flag
    _CLSMG_CONNECT* c = fresh();
    if (!c) return;
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = late(c, veldrane::com::to_wide(std::string(m.name)).c_str(), {}, &result);
    ok(hr == S_OK && V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_TRUE, "%s: %#lx", target.c_str(), hr);
    const std::string log = sibling_log(), head = on_new_sibling(target + "(", false), tail = ")\n#1 released";
    const std::size_t given = std::count(log.begin(), log.end(), ',') + (log.find(target + "()") == std::string::npos);
    ok(log.rfind(head, 0) == 0 && log.size() >= head.size() + tail.size() &&
           log.compare(log.size() - tail.size(), tail.size(), tail) == 0 && given == args,
       "%s: %u arguments expected, the sibling saw [%s]", target.c_str(), unsigned(args), log.c_str());
    c->Release();
    ++walked;
  }
  ok(walked > 170, "%d program members walked", walked);
}

// What the sibling writes into an argument, and what the caller then sees
// through the vtable: a String and an object come back, the facade's own
// flag is the sibling's, copies handed on leave the caller's variables
// alone. (Late-bound: test_late_bound.)
void test_by_reference() {
  const auto writes = [](const wchar_t* member, long position, VARIANT value) {
    _CLSMG_CONNECT* c = fresh();
    late(g_control, L"Write", {text(member), number(position), value});
    return c;
  };
  _CLSMG_CONNECT* c = writes(L"ConfiguraVariantiArticolo", 0, text(L"VAR-XYZ"));
  if (!c) return;
  BSTR kind = SysAllocString(L"ABC");
  VARIANT v[7] = {missing(), missing(), missing(), missing(), missing(), missing(), missing()};
  VARIANT_BOOL r = VARIANT_FALSE;
  c->ConfiguraVariantiArticolo(&kind, &v[0], &v[1], &r);
  ok(r == VARIANT_TRUE && to_utf8(kind) == "VAR-XYZ", "TipoVarArt comes back: [%s]", to_utf8(kind).c_str());
  SysFreeString(kind);
  c->Release();

  // Optional and by reference, an object travels as a Variant (see comgen).
  c = writes(L"InterrogazioneEsposizCambiariaFido", 3, object(g_control));
  VARIANT t = text(L"1"), cf = text(L"C9"), result_object = object(nullptr);
  c->InterrogazioneEsposizCambiariaFido(&t, &cf, &v[0], &result_object, &r);
  ok(V_VT(&result_object) == VT_DISPATCH && same_object(V_DISPATCH(&result_object), g_control),
     "OggettoElaborazione comes back: vt %d", V_VT(&result_object));
  for (VARIANT* x : {&t, &cf, &result_object}) VariantClear(x);
  std::string log = sibling_log();
  ok(log == on_new_sibling("InterrogazioneEsposizCambiariaFido(Str:\"1\", Str:\"C9\", Str:\"\", Obj:Nothing)"), "[%s]",
     log.c_str());
  c->Release();

  // The flag goes last, by reference; null object arguments arrive as Nothing.
  c = writes(L"TrasformazioneDocumenti", 9, client::boolean(true));
  VARIANT_BOOL flag = VARIANT_FALSE;
  c->TrasformazioneDocumenti(&v[0], &v[1], &v[2], &v[3], &v[4], nullptr, nullptr, &v[5], &v[6], &r);
  ok(c->get_Flag_AperturaAutomatica(&flag) == S_OK && flag == VARIANT_TRUE, "Flag_AperturaAutomatica as left");
  log = sibling_log();
  ok(log == on_new_sibling("TrasformazioneDocumenti(Str:\"\", Str:\"\", Str:\"\", Str:\"\", Str:\"\", Obj:Nothing, "
                           "Obj:Nothing, Str:\"\", Str:\"\", Bool:False)"),
     "TrasformazioneDocumenti forwarded: [%s]", log.c_str());
  c->Release();

  c = writes(L"Documenti", 0, text(L"changed"));
  VARIANT code = text(L"D1");
  c->Documenti(&code, &v[0], &r);
  ok(text_of(code) == "D1", "Documenti leaves Codice alone: [%s]", text_of(code).c_str());
  VariantClear(&code);
  c->Release();
}

// The container's one connection point, and what it tells of itself.
IConnectionPoint* connection_point(_CLSMG_CONNECT* c) {
  IConnectionPointContainer* container = nullptr;
  IConnectionPoint *point = nullptr, *none = reinterpret_cast<IConnectionPoint*>(1), *listed[2] = {};
  IEnumConnectionPoints* points = nullptr;
  IConnectionPointContainer* back = nullptr;
  IID iid{};
  ULONG n = 0;
  if (c->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)) != S_OK ||
      container->FindConnectionPoint(DIID___CLSMG_CONNECT, &point) != S_OK || !point) {
    ok(false, "the connection point of the events");
    return nullptr;
  }
  ok(container->FindConnectionPoint(IID__CLSMG_CONNECT, &none) == CONNECT_E_NOCONNECTION && !none,
     "no connection point for another interface");
  ok(container->EnumConnectionPoints(&points) == S_OK && points && points->Next(2, listed, &n) == S_FALSE && n == 1 &&
         listed[0] == point,
     "one connection point listed");
  ok(point->GetConnectionInterface(&iid) == S_OK && IsEqualIID(iid, DIID___CLSMG_CONNECT) &&
         point->GetConnectionPointContainer(&back) == S_OK && back == container,
     "the source interface and the point's container");
  for (IUnknown* u : std::initializer_list<IUnknown*>{listed[0], points, back, container})
    if (u) u->Release();
  return point;
}

// The events through the connection point, the bound control, refusals.
void test_events() {
  _CLSMG_CONNECT* c = fresh();
  IConnectionPoint* point = c ? connection_point(c) : nullptr;
  if (!point) return;
  recorder sink, second;
  DWORD cookie = 0, cookie2 = 0;
  IEnumConnections* connections = nullptr;
  CONNECTDATA cd{};
  ok(point->Advise(&sink, &cookie) == S_OK && point->EnumConnections(&connections) == S_OK &&
         connections->Next(1, &cd, nullptr) == S_OK && cd.dwCookie == cookie,
     "Advise, the sink listed");
  if (cd.pUnk) cd.pUnk->Release();
  if (connections) connections->Release();

  // TransferData without ConnectField: the event, and Cancel back.
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT data = text(L"R-001");
  ok(c->TransferData(&cancel, &data, vxElencoClientiXGiri) == S_OK && cancel == VARIANT_TRUE,
     "the handler's Cancel reaches the caller");
  ok(sink.last() == "DataTransfer(False, R-001, 47)", "the sink saw [%s]", sink.last().c_str());
  ok(c->FormClose(vxDepositi) == S_OK && sink.last() == "CloseForm(27)", "CloseForm");

  // Two sinks: the second sees the first one's Cancel, the last one wins.
  second.cancel = false;
  ok(point->Advise(&second, &cookie2) == S_OK && cookie2 != cookie, "a second sink");
  cancel = VARIANT_FALSE;
  c->TransferData(&cancel, &data, vxOperatori);
  ok(second.last() == "DataTransfer(True, R-001, 12)" && cancel == VARIANT_FALSE, "the second sink saw [%s]",
     second.last().c_str());
  ok(point->Unadvise(cookie2) == S_OK && point->Unadvise(cookie2) == CONNECT_E_NOCONNECTION, "Unadvise once");

  // A program reporting back while its request is still running.
  late(g_control, L"CallBack", {text(L"Operatori"), text(L"from the program")});
  VARIANT m = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  c->Operatori(&m, &r);
  std::string log = sibling_log();
  ok(r == VARIANT_TRUE && log.find("#1 TransferData gave 0 Cancel=True") != std::string::npos,
     "the program's callback reaches the sink and Cancel comes back: [%s]", log.c_str());
  ok(sink.seen.size() == 4 && sink.last() == "DataTransfer(False, from the program, 12)", "the sink saw [%s]",
     sink.last().c_str());

  // With ConnectField set the data go to its Text, and no event.
  recorder box;
  ok(c->putref_ConnectField(&box) == S_OK, "ConnectField set");
  cancel = VARIANT_FALSE;
  c->TransferData(&cancel, &data, vxOperatori);
  ok(box.seen.size() == 1 && box.last() == "Text = R-001" && sink.seen.size() == 4 && cancel == VARIANT_FALSE,
     "Text receives the data [%s]", box.last().c_str());
  ok(c->putref_ConnectField(nullptr) == S_OK && box.refs == 0, "ConnectField back to Nothing, the control let go");

  // A by-reference argument that refers to nothing is refused before the
  // event, the sibling or anything else sees it, naming the argument.
  VARIANT nothing = reference_to_nothing(VT_BSTR);
  ok(c->TransferData(&cancel, &nothing, vxOperatori) == DISP_E_TYPEMISMATCH, "TransferData, Data refers to nothing");
  VARIANT args[3] = {number(vxOperatori), text(L"R-001"), reference_to_nothing(VT_BOOL)};  // last first
  DISPPARAMS params{args, nullptr, 3, 0};
  UINT bad = 99;
  EXCEPINFO ei{};
  const HRESULT hr = c->Invoke(0x60030002, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &ei, &bad);
  ok(hr == DISP_E_TYPEMISMATCH && bad == 2 && !ei.bstrDescription, "late-bound, Cancel refers to nothing: %#lx, %u",
     hr, bad);
  VariantClear(&args[1]);
  ok(sink.seen.size() == 4 && box.seen.size() == 1, "no event and no write for a refused call");
  ok(c->Lingue(&nothing, &r) == DISP_E_TYPEMISMATCH && sibling_log().empty(),
     "a forwarder refuses it before the sibling sees the call");

  ok(point->Unadvise(cookie) == S_OK, "Unadvise");
  c->FormClose(vxDepositi);
  ok(sink.seen.size() == 4 && sink.refs == 0, "no events after Unadvise; the sink is let go (%lu)", sink.refs);
  VariantClear(&data);
  point->Release();
  c->Release();
}

// A non-modal sibling holds the facade itself in ClsConnect: the DLL stays
// until TerminateConnect breaks the pair, which does nothing without a
// sibling; the next request makes a new sibling. A modal request leaves
// nothing behind.
void test_non_modal_and_unload() {
  _CLSMG_CONNECT* c = fresh();
  if (!c) return;
  c->Release();
  ok(can_unload() == S_OK, "nothing left: S_OK");
  c = fresh();
  c->put_WindowModal(VARIANT_FALSE);
  VARIANT m = missing();
  VARIANT_BOOL r = VARIANT_FALSE;
  c->Depositi(&m, &r);
  IDispatch* held = cls_connect_of(1);
  ok(r == VARIANT_TRUE && held && same_object(held, c), "the sibling's ClsConnect is the facade itself");
  c->Release();
  ok(can_unload() == S_FALSE, "the sibling still holds the facade: S_FALSE");
  if (!held) return;
  ok(late(held, L"TerminateConnect") == S_OK && live_siblings() == 0, "TerminateConnect late-bound");
  sibling_log();
  ok(late(held, L"TerminateConnect") == S_OK && sibling_log().empty(), "TerminateConnect without a sibling");
  ok(late(held, L"Porto") == S_OK && sibling_log() == on_new_sibling("Porto(Str:\"\")", false, 2),
     "the next request makes a new sibling");
  late(held, L"TerminateConnect");
  held->Release();
  ok(can_unload() == S_OK, "after the last release: S_OK");
  c = fresh();
  if (c) {
    c->Lingue(&m, &r);
    c->Release();
  }
  ok(can_unload() == S_OK, "after a modal request and the release: S_OK");
}

void test_all() {
  CLSID control{};
  CLSIDFromProgID(L"VeldraneTest.Sibling", &control);
  g_control = create<IDispatch>(control, IID_IDispatch);
  if (!g_control) return;
  for (auto test : {test_interface, test_late_bound, test_every_program, test_by_reference, test_events,
                    test_non_modal_and_unload})
    test();
  late(g_control, L"Reset");
  g_control->Release();
}

}  // namespace

int main() { return client::run(CLSID_CLSMG_CONNECT, {test_all}); }
