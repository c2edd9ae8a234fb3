// A seeded fuzzer of VELDRANE.dll as a native client sees it. Each round
// (from its own seed) creates one object of each creatable class of the type
// library and makes random Invoke calls: every dispatch id (and some that are
// none), any flags, up to two arguments past the member's own, named ones,
// every VARTYPE by value and by reference (null references too), odd arrays,
// long and odd strings, objects that answer anything, null out pointers.
// Each answer must be a COM code with valid Variants (a filled EXCEPINFO on
// DISP_E_EXCEPTION, never internal error 51 nor 445, a member not built: a
// round calls each member many times) and no first-chance fault; each round
// must end with every reference given back and DllCanUnloadNow S_OK.
//
// Usage: com_fuzz [--seeds FILE] [--seed N] [--rounds N] [--calls N]: FILE's
// seeds (one a line, # comments) replay first, then new rounds from seed N
// (default: the clock), 4 of them or for VELDRANE_COM_FUZZ_SECONDS seconds,
// 1500 calls each. Prints each failure with its seed (replay: --seed N
// --rounds 1); exits with the number of failing rounds (at most 100).
#include "com/variant.h"  // core headers before <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <cctype>
#include <limits>
#include <random>

#include "client.h"

namespace {

using client::can_unload;
using client::id_of;
using client::of_type;

std::uint64_t g_seed = 0;  // of the current round
long long g_call = 0;      // within the round
int g_round_failures = 0;

void fail(const char* fmt, ...) {
  if (++g_round_failures > 20) return;  // the seed is enough to see the rest
  std::printf("FAIL seed %llu call %lld: ", static_cast<unsigned long long>(g_seed), g_call);
  va_list args;
  va_start(args, fmt);
  std::vprintf(fmt, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

volatile LONG g_faults = 0;
void* volatile g_fault_address = nullptr;

// First chance: before any handler of the DLL could swallow the fault.
LONG CALLBACK count_fault(EXCEPTION_POINTERS* e) {
  const DWORD faults[] = {EXCEPTION_ACCESS_VIOLATION, EXCEPTION_STACK_OVERFLOW, EXCEPTION_ILLEGAL_INSTRUCTION,
                          EXCEPTION_INT_DIVIDE_BY_ZERO, EXCEPTION_DATATYPE_MISALIGNMENT};
  if (std::count(std::begin(faults), std::end(faults), e->ExceptionRecord->ExceptionCode)) {
    g_fault_address = e->ExceptionRecord->ExceptionAddress;
    InterlockedIncrement(&g_faults);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI on_crash(EXCEPTION_POINTERS* e) {
  fail("crash %#lx at %p", e->ExceptionRecord->ExceptionCode, e->ExceptionRecord->ExceptionAddress);
  ExitProcess(101);
}

// Every choice of a round comes from its seed, in order: a seed replays.
struct random_source {
  std::mt19937_64 g;
  std::uint64_t bits() { return g(); }
  std::uint32_t below(std::uint64_t n) { return n ? static_cast<std::uint32_t>(g() % n) : 0; }
  bool percent(unsigned p) { return below(100) < p; }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(N)];
  }
};

// An object passed as an argument. The quiet one knows no member; the
// hostile one answers every name and call, in turn with each answer below,
// some of which no sound object gives. They live for the whole run with one
// reference of the fuzzer's; the DLL must give back every other one.
class stand_in final : public IDispatch {
 public:
  explicit stand_in(bool hostile) : hostile_(hostile) {}
  LONG refs() const { return refs_; }
  void restart() { turn_ = 0; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    *ret = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ? this : nullptr;
    return *ret ? (AddRef(), S_OK) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n < 1) fail("an object handed to the DLL was released once too often");
    return static_cast<ULONG>(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return n ? (*n = 0, S_OK) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ti) override {
    return ti && (*ti = nullptr), E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = hostile_ ? static_cast<DISPID>(i + 1) : DISPID_UNKNOWN;
    return hostile_ ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT*) override {
    if (!hostile_) return DISP_E_MEMBERNOTFOUND;
    const unsigned turn = turn_++ % 12;
    if (turn == 0 && info) {
      info->scode = E_FAIL;
      info->bstrDescription = SysAllocString(L"hostile");
      return DISP_E_EXCEPTION;
    }
    if (turn == 1) return E_UNEXPECTED;
    // Into every Variant lent by reference: a reference to nothing.
    for (UINT i = 0; turn == 2 && params && params->rgvarg && i < params->cArgs; ++i) {
      VARIANT& a = params->rgvarg[i];
      if (V_VT(&a) != (VT_VARIANT | VT_BYREF) || !V_VARIANTREF(&a)) continue;
      VariantClear(V_VARIANTREF(&a));
      V_VT(V_VARIANTREF(&a)) = VT_BYREF | VT_I4;
      V_BYREF(V_VARIANTREF(&a)) = nullptr;
    }
    if (!result) return S_OK;
    // A String, a reference to nothing, itself, a reference to a Variant, a
    // NaN date, an infinite Double, a Decimal past any scale, a reference to
    // a Long, an array holding a reference to nothing; else Null.
    static LONG kept = 7;
    static VARIANT kept_variant{};
    SAFEARRAYBOUND one{1, 0};
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const VARIANT answers[] = {of_type(VT_BSTR), of_type(VT_BYREF | VT_BSTR), of_type(VT_DISPATCH),
                               of_type(VT_BYREF | VT_VARIANT), of_type(VT_DATE), of_type(VT_R8), of_type(VT_DECIMAL),
                               of_type(VT_BYREF | VT_I4), of_type(VT_ARRAY | VT_VARIANT)};
    *result = turn >= 3 && turn - 3 < std::size(answers) ? answers[turn - 3] : of_type(VT_NULL);
    switch (turn) {
      case 3: V_BSTR(result) = SysAllocString(L"x"); break;
      case 5: V_DISPATCH(result) = this, AddRef(); break;
      case 6: V_VARIANTREF(result) = &kept_variant; break;
      case 7: V_DATE(result) = nan; break;
      case 8: V_R8(result) = inf; break;
      case 9: V_DECIMAL(result) = DECIMAL{0, {{40, 0}}, 0, {{5, 0}}}, V_VT(result) = VT_DECIMAL; break;
      case 10: V_I4REF(result) = &kept; break;
      case 11:
        if ((V_ARRAY(result) = SafeArrayCreate(VT_VARIANT, 1, &one)))
          V_VT(static_cast<VARIANT*>(V_ARRAY(result)->pvData)) = VT_BYREF | VT_I4;  // to nothing
        break;
    }
    return S_OK;
  }

 private:
  bool hostile_;
  LONG refs_ = 1;
  unsigned turn_ = 0;
};

stand_in g_quiet(false), g_hostile(true);

// Types no Variant may hold by value; VariantClear refuses them (and Null by
// reference), so such an argument is not checked afterwards.
const VARTYPE kInvalid[] = {15, VT_VARIANT, VT_VOID, VT_HRESULT, VT_PTR, VT_LPSTR, 0x7FFF, VT_BYREF};
bool valid_type(VARTYPE vt) {
  for (VARTYPE bad : kInvalid)
    if (vt == bad) return false;
  return vt != (VT_BYREF | VT_NULL);
}

// The variables one call lends by reference, each in a VARIANT of its own
// type (a Decimal in the whole VARIANT), with the type it had before.
struct lent {
  std::deque<std::pair<VARIANT, VARTYPE>> variables;
  VARIANT* variable() { return &variables.emplace_back().first; }
  void seal() {
    for (auto& [v, vt] : variables) vt = V_VT(&v);
  }
  void check_and_clear() {
    for (auto& [v, given] : variables) {
      const VARTYPE vt = V_VT(&v);
      const HRESULT hr = VariantClear(&v);
      if (FAILED(hr) && (vt != given || valid_type(vt)))
        fail("a variable lent by reference is no valid Variant afterwards (vt %#x): %#lx", vt, hr);
    }
  }
};

const wchar_t* const kWords[] = {
    L"MG01_DESCR", L"MG01_CODICE", L"X;Y", L"'", L"True", L"false", L"1", L"-1", L"12,5", L"1.5", L"1E400", L"NaN",
    L"2024-03-01", L"31/12/99", L" ", L"%", L"[A]", L"\t", L"NULL", L"Operatori", L"N", L"S", L"--", L"CodiceDitta",
};

BSTR random_text(random_source& r) {
  static const wchar_t odd[] = {0xD800, L'x', 0xDFFF, 0xFFFF, 0x00E8, 0};
  switch (r.below(10)) {
    case 0: return nullptr;
    case 1: {
      // Very long, now and then past any 16-bit length.
      const UINT n = r.percent(50) ? 65536 + r.below(4000) : 1 + r.below(5000);
      BSTR s = SysAllocStringLen(nullptr, n);
      for (UINT i = 0; s && i < n; ++i) s[i] = static_cast<wchar_t>(L'A' + i % 26);
      return s;
    }
    case 2: return SysAllocStringByteLen("abcde", 1 + 2 * r.below(3));  // an odd number of bytes
    case 3: return SysAllocStringLen(L"A\0B", 3);                        // a NUL inside
    case 4: return SysAllocString(odd);
    case 5: return SysAllocString(std::to_wstring(static_cast<long long>(r.bits() % 2000000) - 1000000).c_str());
    default: return SysAllocString(r.pick(kWords));
  }
}

IDispatch* random_object(random_source& r) {
  stand_in* const objects[] = {nullptr, &g_quiet, &g_hostile};
  stand_in* o = r.pick(objects);
  if (o) o->AddRef();
  return o;
}

// A double, a date (days from 1899-12-30) in and out of range, or any bits.
double random_double(random_source& r) {
  const double inf = std::numeric_limits<double>::infinity();
  const double items[] = {0.0, -0.0, 1.5, 2.5, 45352.4375, 1e308, 4.9e-324, 3e9, 32767.5, -657434.0, -657435.0,
                          2958465.9999999, 2958466.0, std::numeric_limits<double>::quiet_NaN(), inf, -inf};
  double d = r.pick(items);
  const std::uint64_t b = r.bits();
  if (r.percent(20)) std::memcpy(&d, &b, sizeof d);
  return d;
}

DECIMAL random_decimal(random_source& r) {
  DECIMAL d{};
  d.Lo32 = static_cast<ULONG>(r.bits());
  d.Mid32 = r.percent(50) ? 0 : static_cast<ULONG>(r.bits());
  d.Hi32 = r.percent(70) ? 0 : static_cast<ULONG>(r.bits());
  d.scale = static_cast<BYTE>(r.percent(70) ? r.below(29) : r.bits());  // past 28 too
  d.sign = static_cast<BYTE>(r.percent(70) ? r.below(2) * DECIMAL_NEG : r.bits());
  return d;
}

void random_value(random_source& r, lent& l, VARIANT& v, int depth, bool invalid_ok);
void fill(random_source& r, lent& l, VARIANT& v, VARTYPE vt, int depth);

const VARTYPE kArrayElements[] = {VT_VARIANT, VT_VARIANT, VT_BSTR, VT_I4, VT_R8, VT_DATE,
                                  VT_DECIMAL, VT_DISPATCH, VT_BOOL, VT_UI1};

// Up to three dimensions with odd lower bounds, now and then one long one.
SAFEARRAY* random_array(random_source& r, lent& l, VARTYPE element, int depth) {
  const unsigned dims = 1 + r.below(3);
  SAFEARRAYBOUND bounds[3];
  const LONG lowers[] = {0, 1, -1, 5, -100, 0x7FFFFFFF, 0x7FFFFFFE, static_cast<LONG>(0x80000000)};
  ULONG n = 1;
  for (unsigned d = 0; d < dims; ++d) {
    bounds[d].cElements = d == 0 && r.percent(3) ? 300 : r.below(5);
    bounds[d].lLbound = r.percent(20) ? static_cast<LONG>(r.bits()) : r.pick(lowers);
    n *= bounds[d].cElements;
  }
  SAFEARRAY* sa = SafeArrayCreate(element, dims, bounds);
  void* data = nullptr;
  if (!sa || FAILED(SafeArrayAccessData(sa, &data))) return sa;
  for (ULONG i = 0; i < n; ++i) {
    // Each element through a Variant of its type, copied in at its size.
    VARIANT e;
    if (element == VT_VARIANT) random_value(r, l, static_cast<VARIANT*>(data)[i], depth + 1, false);
    else fill(r, l, e, element, depth + 1);
    if (element == VT_VARIANT) continue;
    if (element == VT_DECIMAL) static_cast<DECIMAL*>(data)[i] = V_DECIMAL(&e);
    else std::memcpy(static_cast<char*>(data) + i * SafeArrayGetElemsize(sa), &V_I4(&e), SafeArrayGetElemsize(sa));
  }
  SafeArrayUnaccessData(sa);
  return sa;
}

// A value of type `vt`; an invalid type holds nothing.
void fill(random_source& r, lent& l, VARIANT& v, VARTYPE vt, int depth) {
  VariantInit(&v);
  V_UI8(&v) = r.percent(50) ? r.below(200) : r.bits();  // any integer, currency or error code
  if (vt & VT_ARRAY) {
    V_ARRAY(&v) = r.percent(10) || depth > 2 ? nullptr : random_array(r, l, vt & VT_TYPEMASK, depth);
  } else if (vt == VT_R4) {
    V_R4(&v) = static_cast<float>(random_double(r));
  } else if (vt == VT_R8 || vt == VT_DATE) {
    V_R8(&v) = random_double(r);
  } else if (vt == VT_BSTR) {
    V_BSTR(&v) = random_text(r);
  } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    V_DISPATCH(&v) = random_object(r);
  } else if (vt == VT_ERROR && r.percent(80)) {
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;  // missing
  } else if (vt == VT_BOOL && r.percent(80)) {
    V_BOOL(&v) = r.percent(50) ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (vt == VT_DECIMAL) {
    V_DECIMAL(&v) = random_decimal(r);
  } else if (!valid_type(vt) || vt == VT_EMPTY || vt == VT_NULL) {
    V_UI8(&v) = 0;
  }
  V_VT(&v) = vt;  // last: a DECIMAL overlays the type field
}

const VARTYPE kScalars[] = {VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_BSTR,
                            VT_BSTR, VT_DISPATCH, VT_ERROR, VT_ERROR, VT_BOOL, VT_UNKNOWN, VT_DECIMAL, VT_I1,
                            VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT};

void random_value(random_source& r, lent& l, VARIANT& v, int depth, bool invalid_ok) {
  VariantInit(&v);
  const unsigned k = r.below(100);
  if (k < 15 && depth < 3) {
    // By reference: to a variable of the type (every scalar and the array
    // pointer start where V_I4 is), or to nothing.
    VARTYPE base = r.percent(15) ? VT_ARRAY | r.pick(kArrayElements) : r.pick(kScalars);
    if (r.percent(15)) base = VT_VARIANT;
    VARIANT* target = l.variable();
    if (base == VT_VARIANT) random_value(r, l, *target, depth + 1, false);
    else fill(r, l, *target, base, depth + 1);
    V_VT(&v) = VT_BYREF | base;
    V_BYREF(&v) = r.percent(20) ? nullptr
                  : base == VT_VARIANT || base == VT_DECIMAL ? static_cast<void*>(target)
                                                             : static_cast<void*>(&V_I4(target));
  } else if (k < 25 && depth < 3) {
    fill(r, l, v, VT_ARRAY | r.pick(kArrayElements), depth);
  } else {
    fill(r, l, v, k < 27 && invalid_ok ? r.pick(kInvalid) : r.pick(kScalars), depth);
  }
}

const IID kOther = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};

struct member {
  DISPID id;
  INVOKEKIND kind;
  unsigned params;
};

struct class_entry {
  CLSID clsid;
  std::vector<member> members;  // from the object's type information
};

IDispatch* create(const CLSID& clsid) {
  IDispatch* obj = nullptr;
  const HRESULT hr =
      CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&obj));
  if (FAILED(hr) || !obj) fail("CoCreateInstance: %#lx", hr);
  return SUCCEEDED(hr) ? obj : nullptr;
}

/// Every creatable class of the library that holds `progid`'s class, with
/// the members of its dispatch view.
std::vector<class_entry> classes_of_library(const wchar_t* progid) {
  std::vector<class_entry> out;
  CLSID first;
  IDispatch* obj = SUCCEEDED(CLSIDFromProgID(progid, &first)) ? create(first) : nullptr;
  ITypeInfo *ti = nullptr, *co = nullptr;
  ITypeLib* tl = nullptr;
  UINT index = 0;
  TYPEATTR* attr = nullptr;
  if (obj && obj->GetTypeInfo(0, 0, &ti) == S_OK && ti->GetContainingTypeLib(&tl, &index) == S_OK) {
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i, co->ReleaseTypeAttr(attr), co->Release()) {
      if (tl->GetTypeInfo(i, &co) != S_OK || co->GetTypeAttr(&attr) != S_OK) return out;
      IDispatch* o = attr->typekind == TKIND_COCLASS && (attr->wTypeFlags & TYPEFLAG_FCANCREATE) ? create(attr->guid)
                                                                                                 : nullptr;
      ITypeInfo* view = nullptr;
      TYPEATTR* va = nullptr;
      if (!o || o->GetTypeInfo(0, 0, &view) != S_OK || view->GetTypeAttr(&va) != S_OK) continue;
      out.push_back({attr->guid, {}});
      for (UINT f = 0; f < va->cFuncs; ++f) {
        FUNCDESC* fd = nullptr;
        if (view->GetFuncDesc(f, &fd) != S_OK) continue;
        out.back().members.push_back({fd->memid, fd->invkind, static_cast<unsigned>(fd->cParams)});
        view->ReleaseFuncDesc(fd);
      }
      view->ReleaseTypeAttr(va);
      view->Release();
      o->Release();
    }
    tl->Release();
  }
  if (ti) ti->Release();
  if (obj) obj->Release();
  return out;
}

bool is_com_code(HRESULT hr) {
  const int facilities[] = {FACILITY_NULL, FACILITY_RPC, FACILITY_DISPATCH, FACILITY_ITF, FACILITY_WIN32,
                            FACILITY_CONTROL};
  return hr == S_OK || hr == S_FALSE ||
         (FAILED(hr) && std::count(facilities, std::end(facilities), HRESULT_FACILITY(hr)));
}

// A method without arguments, by name; false when the object has none.
bool call(IDispatch* obj, const wchar_t* name) { return client::late(obj, name) == S_OK; }

class round_runner {
 public:
  round_runner(std::vector<class_entry>& classes, IDispatch* control, std::uint64_t seed)
      : classes_(classes), control_(control), r_{std::mt19937_64(seed)} {}

  void run(long long calls) {
    g_quiet.restart();
    g_hostile.restart();
    for (std::size_t c = 0; c < classes_.size(); ++c) objects_.push_back({c, create(classes_[c].clsid)});
    for (g_call = 1; g_call <= calls; ++g_call) step();
    for (auto& o : objects_) release(o.second);
    if (control_) call(control_, L"Reset");
    if (g_quiet.refs() != 1 || g_hostile.refs() != 1)
      fail("objects handed to the DLL still held: %ld and %ld references", g_quiet.refs() - 1, g_hostile.refs() - 1);
    if (const HRESULT hr = can_unload(); hr != S_OK) fail("DllCanUnloadNow after the round: %#lx", hr);
  }

 private:
  // A connector that lent itself to its sibling is held by it until it lets
  // go (TerminateConnect), as the host's programs do.
  static void release(IDispatch* obj) {
    if (!obj) return;
    if (id_of(obj, L"TerminateConnect") != DISPID_UNKNOWN && !call(obj, L"TerminateConnect"))
      fail("TerminateConnect failed");
    obj->Release();
  }

  void step() {
    const LONG faults = g_faults;
    const unsigned k = r_.below(100);
    auto& [cls, obj] = objects_[r_.below(objects_.size())];
    if (!obj) {
      return;
    } else if (k < 2) {
      release(obj);
      obj = create(classes_[cls].clsid);
    } else if (k < 6) {
      ask_names(obj);
    } else {
      invoke(classes_[cls], obj);
    }
    if (g_faults != faults)
      fail("%ld first-chance fault(s), the last at %p", g_faults - faults, g_fault_address);
    if (control_ && g_call % 200 == 0) call(control_, L"Reset");  // else the sibling's log grows all run
  }

  void ask_names(IDispatch* obj) {
    std::vector<BSTR> names(r_.below(5));
    for (BSTR& n : names) n = random_text(r_);
    std::vector<DISPID> ids(names.size() + 1);
    const HRESULT hr = obj->GetIDsOfNames(r_.percent(90) ? IID_NULL : kOther, r_.percent(5) ? nullptr : names.data(),
                                          static_cast<UINT>(names.size()), r_.bits() & 0xFFFF,
                                          r_.percent(5) ? nullptr : ids.data());
    const HRESULT expected[] = {S_OK, DISP_E_UNKNOWNNAME, E_POINTER, DISP_E_UNKNOWNINTERFACE, E_OUTOFMEMORY};
    if (std::find(std::begin(expected), std::end(expected), hr) == std::end(expected)) fail("GetIDsOfNames: %#lx", hr);
    for (BSTR n : names) SysFreeString(n);
  }

  void invoke(const class_entry& c, IDispatch* obj) {
    if (c.members.empty()) return;
    const member& m = c.members[r_.below(c.members.size())];
    const DISPID others[] = {DISPID_VALUE, DISPID_UNKNOWN, DISPID_NEWENUM, DISPID_EVALUATE, DISPID_PROPERTYPUT,
                             0x60030000, 0x7FFFFFFF, static_cast<DISPID>(r_.bits())};
    const DISPID id = r_.percent(5) ? r_.pick(others) : m.id;
    WORD flags = static_cast<WORD>(m.kind);  // INVOKE_FUNC is DISPATCH_METHOD, and so on
    if (r_.percent(30)) flags = static_cast<WORD>(r_.percent(70) ? r_.below(16) : r_.bits());  // any combination
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;

    lent l;
    const UINT argc = r_.below(m.params + 3);
    std::vector<VARIANT> args(argc);
    for (VARIANT& a : args) random_value(r_, l, a, 0, true);
    // Named arguments: the first ones of rgvarg, by parameter index (a put's
    // value by DISPID_PROPERTYPUT), now and then unknown or twice.
    std::vector<DISPID> named(argc && r_.percent(put ? 85 : 20) ? 1 + r_.below(put && r_.percent(70) ? 1 : argc) : 0);
    for (DISPID& n : named) {
      const std::uint64_t unknown = r_.percent(50) ? -7 : r_.bits();
      n = static_cast<DISPID>(r_.percent(85) ? r_.below(m.params + 1) : unknown);
      if (put && &n == &named[0] && r_.percent(80)) n = DISPID_PROPERTYPUT;
    }
    l.seal();
    DISPPARAMS dp{argc ? args.data() : nullptr, named.empty() ? nullptr : named.data(), argc,
                  static_cast<UINT>(named.size())};
    const unsigned odd = r_.below(60);
    if (odd == 1) dp.rgvarg = nullptr;
    if (odd == 2) dp.cNamedArgs = argc + 1;
    if (odd == 2 || odd == 3) dp.rgdispidNamedArgs = nullptr;
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT arg_err = 0xDEADBEEF;
    const bool with_result = r_.percent(75), with_info = r_.percent(75), with_arg_err = r_.percent(75);
    const LCID lcid = static_cast<LCID>(r_.percent(80) ? 0 : r_.bits() & 0xFFFF);
    const HRESULT hr = obj->Invoke(id, r_.percent(97) ? IID_NULL : kOther, lcid, flags, odd == 0 ? nullptr : &dp,
                                   with_result ? &result : nullptr, with_info ? &info : nullptr,
                                   with_arg_err ? &arg_err : nullptr);

    if (!is_com_code(hr) || hr == E_UNEXPECTED) fail("Invoke %#lx flags %#x: %#lx", id, flags, hr);
    if (with_info && HRESULT_FACILITY(hr) == FACILITY_CONTROL)
      fail("Invoke %#lx: a member's error %#lx returned bare, with an EXCEPINFO to fill", id, hr);
    if (with_info && info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    const bool filled = info.scode || info.wCode || info.bstrDescription || info.bstrSource;
    if (with_info && hr == DISP_E_EXCEPTION &&
        (!(FAILED(info.scode) || info.wCode) || !info.bstrDescription || !info.bstrSource))
      fail("Invoke %#lx: DISP_E_EXCEPTION without scode, description or source (scode %#lx)", id, info.scode);
    if (with_info && hr != DISP_E_EXCEPTION && filled) fail("Invoke %#lx: EXCEPINFO filled for %#lx", id, hr);
    if (info.scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 51) ||
        info.scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 445))
      fail("Invoke %#lx flags %#x: internal error or a member not built: %ls", id, flags,
           info.bstrDescription ? info.bstrDescription : L"");
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    if (with_arg_err && (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && odd != 0 && arg_err >= argc)
      fail("Invoke %#lx: %#lx names argument %u of %u", id, hr, arg_err, argc);
    const VARTYPE vt = V_VT(&result);
    if (const HRESULT cleared = VariantClear(&result); FAILED(cleared))
      fail("Invoke %#lx: the result is no valid Variant (vt %#x): %#lx", id, vt, cleared);
    for (VARIANT& a : args) {
      const VARTYPE given = V_VT(&a);
      if (FAILED(VariantClear(&a)) && valid_type(given))
        fail("Invoke %#lx: an argument is no valid Variant afterwards (vt %#x)", id, given);
    }
    l.check_and_clear();
  }

  std::vector<class_entry>& classes_;
  IDispatch* control_;
  random_source r_;
  std::vector<std::pair<std::size_t, IDispatch*>> objects_;
};

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  std::vector<std::uint64_t> seeds;
  std::uint64_t first = GetTickCount64() * 2654435761u ^ (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32);
  long long rounds = 4, calls = 1500;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    FILE* in = opt == "--seeds" ? std::fopen(argv[i + 1], "r") : nullptr;
    for (char line[256]; in && std::fgets(line, sizeof line, in);)
      if (std::isdigit(static_cast<unsigned char>(line[0]))) seeds.push_back(std::strtoull(line, nullptr, 10));
    if (in) std::fclose(in);
    if (opt == "--seed") first = std::strtoull(argv[i + 1], nullptr, 10);
    else if (opt == "--rounds") rounds = std::atoll(argv[i + 1]);
    else if (opt == "--calls") calls = std::atoll(argv[i + 1]);
    else if (opt != "--seeds") {
      std::printf("usage: com_fuzz [--seeds FILE] [--seed N] [--rounds N] [--calls N]\n");
      return 2;
    }
  }
  const char* env = std::getenv("VELDRANE_COM_FUZZ_SECONDS");
  const double seconds = env ? std::atof(env) : 0;

  AddVectoredExceptionHandler(1, count_fault);
  SetUnhandledExceptionFilter(on_crash);
  CoInitialize(nullptr);
  std::vector<class_entry> classes = classes_of_library(L"VELDRANE.CLSMG_LOOKUP");
  if (classes.empty()) return std::printf("FAIL: no class of VELDRANE.dll can be created (is it registered?)\n"), 1;
  // The fake sibling's control object, when the test host is registered:
  // its log is cleared as the rounds go.
  CLSID control_clsid;
  IDispatch* control =
      SUCCEEDED(CLSIDFromProgID(L"VeldraneTest.Sibling", &control_clsid)) ? create(control_clsid) : nullptr;
  const std::size_t kept = seeds.size();
  std::printf("com_fuzz: %u classes; %u kept seeds; new rounds from seed %llu\n", unsigned(classes.size()),
              unsigned(kept), static_cast<unsigned long long>(first));

  long long done = 0;
  int failing = 0;
  const ULONGLONG start = GetTickCount64();  // the kept seeds count against the time too
  for (std::uint64_t s = first;;) {
    const long long fresh = done - static_cast<long long>(kept);
    if (fresh >= 0 && (seconds > 0 ? GetTickCount64() - start >= seconds * 1000 : fresh >= rounds)) break;
    g_seed = fresh < 0 ? seeds[done] : s++;
    g_round_failures = 0;
    round_runner(classes, control, g_seed).run(calls);
    ++done;
    if (g_round_failures && ++failing)
      std::printf("failing seed: %llu (%d failures)\n", static_cast<unsigned long long>(g_seed), g_round_failures);
    std::fflush(stdout);
  }
  if (control) control->Release();
  CoUninitialize();
  std::printf("com_fuzz: %lld rounds (seeds %llu.. and %u kept), %lld calls, %d failing rounds, %ld faults\n", done,
              static_cast<unsigned long long>(first), unsigned(kept), done * calls, failing, long(g_faults));
  return failing > 100 ? 100 : failing;
}
