// A seeded fuzzer of VELDRANE.dll as a native client sees it: IDispatch calls
// with random arguments on every class the type library lists.
//
// Each round starts from its own seed: it creates one object of each
// creatable class (CoCreateInstance of the registered server), then makes
// random calls. Invoke goes to every dispatch id of the object's type
// information (and a few that are none) with every combination of flags,
// from no argument to two past the member's own, positional and named;
// arguments of every VARTYPE by value and by reference (null references
// included), arrays with odd bounds and three dimensions, Empty, Null,
// missing, very long and odd-length strings, objects that answer anything;
// null result, EXCEPINFO and argument-error pointers. Now and then it also
// asks for names and type information, locks and unlocks the server
// (unmatched unlocks included), and releases an object for a new one.
//
// After each call: the HRESULT is a COM code; DISP_E_EXCEPTION comes with a
// filled EXCEPINFO, a core error never as an internal one (51); an
// argument error names an argument; the result, every by-reference variable
// and every argument are valid Variants (VariantClear succeeds); no
// first-chance access violation or other fault happened (a vectored handler
// counts them, so that one the DLL swallowed shows too). At the end of the
// round every object is released, the objects handed to the DLL are back
// to their own reference, and DllCanUnloadNow answers S_OK.
//
// Usage: com_fuzz [--seeds FILE] [--seed N] [--rounds N] [--seconds S] [--calls N]
//   --seeds    seeds replayed first, one per line (# starts a comment): the
//              rounds that once failed
//   --seed     the first seed of the new rounds (default: from the clock)
//   --rounds   how many new rounds (default 4); --seconds instead runs new
//              rounds until that time is up (also from the environment
//              variable VELDRANE_COM_FUZZ_SECONDS, which wins)
//   --calls    calls per round (default 1500)
// Prints the seeds, the number of calls and every failure with the seed of
// its round (replay it with --seed N --rounds 1); exits with the number of
// failing rounds (capped at 100).
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <ocidl.h>

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// --- Failures and faults ------------------------------------------------------

std::uint64_t g_seed = 0;       // of the current round
long long g_call = 0;           // within the round
int g_round_failures = 0;
// How the Invoke calls ended: run, raised an error, refused by dispatch.
long long g_ran = 0, g_raised = 0, g_refused = 0;

void fail(const char* fmt, ...) {
  ++g_round_failures;
  if (g_round_failures > 20) return;  // the seed is enough to see the rest
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
volatile DWORD g_fault_code = 0;

// First chance: before any handler of the DLL could swallow the fault.
LONG CALLBACK count_fault(EXCEPTION_POINTERS* e) {
  switch (e->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
      g_fault_code = e->ExceptionRecord->ExceptionCode;
      g_fault_address = e->ExceptionRecord->ExceptionAddress;
      InterlockedIncrement(&g_faults);
      break;
    default:
      break;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

std::string module_of(void* address) {
  HMODULE m = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(address), &m))
    return "no module";
  char name[MAX_PATH] = {};
  GetModuleFileNameA(m, name, MAX_PATH);
  const char* base = std::strrchr(name, '\\');
  return base ? base + 1 : name;
}

LONG WINAPI on_crash(EXCEPTION_POINTERS* e) {
  std::printf("FAIL seed %llu call %lld: crash %#lx at %p (%s)\n", static_cast<unsigned long long>(g_seed), g_call,
              e->ExceptionRecord->ExceptionCode, e->ExceptionRecord->ExceptionAddress,
              module_of(e->ExceptionRecord->ExceptionAddress).c_str());
  std::fflush(stdout);
  ExitProcess(101);
}

// --- Randomness ---------------------------------------------------------------

// Every choice of a round comes from its seed, in order, so that a seed
// replays the same calls.
class random_source {
 public:
  explicit random_source(std::uint64_t seed) : g_(seed) {}
  std::uint64_t bits() { return g_(); }
  std::uint32_t below(std::uint64_t n) { return n ? static_cast<std::uint32_t>(g_() % n) : 0; }
  bool percent(unsigned p) { return below(100) < p; }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(N)];
  }

 private:
  std::mt19937_64 g_;
};

// --- Objects handed to the DLL -------------------------------------------------

// An object the fuzzer passes as an argument. The quiet one knows no member;
// the hostile one answers every name and every call, in turn with each of
// the answers below, some of which no sound object gives. They live for the
// whole run: the fuzzer holds one reference, and checks at the end of each
// round that the DLL has given back every other one.
class stand_in final : public IDispatch {
 public:
  explicit stand_in(bool hostile) : hostile_(hostile) {}
  LONG refs() const { return refs_; }
  void restart() { turn_ = 0; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ret = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ret = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n < 1) fail("an object handed to the DLL was released once too often");
    return static_cast<ULONG>(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (!n) return E_POINTER;
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ti) override {
    if (ti) *ti = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = hostile_ ? static_cast<DISPID>(i + 1) : DISPID_UNKNOWN;
    return hostile_ ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT*) override {
    if (!hostile_) return DISP_E_MEMBERNOTFOUND;
    const unsigned turn = turn_++ % 14;
    if (turn == 6) {
      if (!info) return E_FAIL;
      info->scode = E_FAIL;
      info->bstrDescription = SysAllocString(L"hostile");
      return DISP_E_EXCEPTION;
    }
    if (turn == 9) return E_UNEXPECTED;
    if (turn == 13 && params) {
      // Into every Variant the caller lent by reference: a reference to nothing.
      for (UINT i = 0; params->rgvarg && i < params->cArgs; ++i) {
        VARIANT& a = params->rgvarg[i];
        if (V_VT(&a) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(&a)) {
          VariantClear(V_VARIANTREF(&a));
          V_VT(V_VARIANTREF(&a)) = VT_BYREF | VT_I4;
          V_BYREF(V_VARIANTREF(&a)) = nullptr;
        }
      }
    }
    if (!result) return S_OK;
    static LONG kept = 7;
    static VARIANT kept_variant = [] {
      VARIANT v;
      V_VT(&v) = VT_I4;
      V_I4(&v) = 8;
      return v;
    }();
    switch (turn) {
      case 1: V_VT(result) = VT_NULL; break;
      case 2: V_VT(result) = VT_BSTR; V_BSTR(result) = SysAllocString(L"x"); break;
      case 3: V_VT(result) = VT_BYREF | VT_BSTR; V_BYREF(result) = nullptr; break;
      case 4: V_VT(result) = VT_I4; V_I4(result) = 7; break;
      case 5: V_VT(result) = VT_DISPATCH; V_DISPATCH(result) = this; AddRef(); break;
      case 7: V_VT(result) = VT_BYREF | VT_VARIANT; V_VARIANTREF(result) = &kept_variant; break;
      case 8: {
        SAFEARRAYBOUND b{1, 0};
        SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, 1, &b);
        VARIANT* data = nullptr;
        if (sa && SUCCEEDED(SafeArrayAccessData(sa, reinterpret_cast<void**>(&data)))) {
          V_VT(&data[0]) = VT_BYREF | VT_I4;
          V_BYREF(&data[0]) = nullptr;
          SafeArrayUnaccessData(sa);
        }
        V_VT(result) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(result) = sa;
        break;
      }
      case 10: V_VT(result) = VT_DATE; V_DATE(result) = std::numeric_limits<double>::quiet_NaN(); break;
      case 11: {
        DECIMAL d{};
        d.scale = 40;
        d.Lo32 = 5;
        V_DECIMAL(result) = d;
        V_VT(result) = VT_DECIMAL;
        break;
      }
      case 12: V_VT(result) = VT_R8; V_R8(result) = std::numeric_limits<double>::infinity(); break;
      case 0:
      case 13:
      default: V_VT(result) = VT_BYREF | VT_I4; V_I4REF(result) = const_cast<LONG*>(&kept); break;
    }
    return S_OK;
  }

 private:
  bool hostile_;
  LONG refs_ = 1;
  unsigned turn_ = 0;
};

stand_in g_quiet(false), g_hostile(true);

// --- Values --------------------------------------------------------------------

bool valid_type(VARTYPE vt);

// What one call lends by reference: each referenced variable lives in a
// VARIANT of its own type (a Decimal in a DECIMAL) until the call's checks
// are done.
struct lent {
  std::vector<std::unique_ptr<VARIANT>> variables;
  std::vector<std::unique_ptr<DECIMAL>> decimals;

  VARIANT* variable() {
    variables.push_back(std::make_unique<VARIANT>());
    VariantInit(variables.back().get());
    return variables.back().get();
  }
  DECIMAL* decimal() {
    decimals.push_back(std::make_unique<DECIMAL>());
    return decimals.back().get();
  }
  /// The types the variables hold before the call.
  void seal() {
    given.clear();
    for (auto& v : variables) given.push_back(V_VT(v.get()));
  }
  /// Every variable must still be a valid Variant, whatever the DLL wrote
  /// (unless it held an invalid one from the start, untouched).
  void check_and_clear() {
    for (std::size_t i = 0; i < variables.size(); ++i) {
      const VARTYPE vt = V_VT(variables[i].get());
      const HRESULT hr = VariantClear(variables[i].get());
      if (FAILED(hr) && !(i < given.size() && vt == given[i] && !valid_type(vt)))
        fail("a variable lent by reference is no valid Variant afterwards (vt %#x): %#lx", vt, hr);
    }
    variables.clear();
    decimals.clear();
  }

 private:
  std::vector<VARTYPE> given;
};

const wchar_t* const kWords[] = {
    L"MG01_DESCR", L"MG01_CODICE", L"X;Y", L"'", L"''", L"True", L"false", L"1", L"0", L"-1", L"12,5", L"1.5",
    L"1E400", L"NaN", L"2024-03-01", L"31/12/99", L"ABC", L" ", L"%", L"[A]", L"DESC", L"\t", L"NULL", L"Operatori",
    L"N", L"S", L"ITA ", L"--", L"/*", L"CodiceDitta",
};

BSTR random_text(random_source& r) {
  switch (r.below(12)) {
    case 0: return nullptr;
    case 1: return SysAllocString(L"");
    case 2: {
      // Very long, past any 16-bit length.
      const UINT n = r.percent(50) ? 65536 + r.below(4000) : 1 + r.below(5000);
      BSTR s = SysAllocStringLen(nullptr, n);
      if (s)
        for (UINT i = 0; i < n; ++i) s[i] = static_cast<wchar_t>(L'A' + i % 26);
      return s;
    }
    case 3: return SysAllocStringByteLen("abcde", 1 + 2 * r.below(3));  // an odd number of bytes
    case 4: return SysAllocStringLen(L"A\0B", 3);                        // a NUL inside
    case 5: {
      const wchar_t odd[] = {0xD800, L'x', 0xDFFF, 0xFFFF, 0x00E8, 0};
      return SysAllocString(odd);
    }
    case 6: {
      wchar_t digits[32];
      std::swprintf(digits, 32, L"%lld", static_cast<long long>(r.bits() % 2000000) - 1000000);
      return SysAllocString(digits);
    }
    default: return SysAllocString(r.pick(kWords));
  }
}

IDispatch* random_object(random_source& r) {
  switch (r.below(3)) {
    case 0: return nullptr;
    case 1: g_quiet.AddRef(); return &g_quiet;
    default: g_hostile.AddRef(); return &g_hostile;
  }
}

double random_double(random_source& r) {
  const double items[] = {0.0, -0.0, 1.5, 2.5, -7.0, 45352.5, 1e308, -1e308, 4.9e-324, 1e10, 3e9, 32767.5,
                          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
  if (r.percent(20)) {
    double d;
    const std::uint64_t b = r.bits();
    std::memcpy(&d, &b, sizeof d);
    return d;
  }
  return r.pick(items);
}

double random_date(random_source& r) {
  const double items[] = {45352.0, 45352.4375, 0.0, 0.5, -0.5, -657434.0, -657435.0, -657434.999999, 2958465.0,
                          2958465.9999999, 2958466.0, 1e10, -1e10, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
  return r.percent(30) ? static_cast<double>(r.below(3615900)) - 657434.0 : r.pick(items);
}

DECIMAL random_decimal(random_source& r) {
  DECIMAL d{};
  d.Lo32 = static_cast<ULONG>(r.bits());
  d.Mid32 = r.percent(50) ? 0 : static_cast<ULONG>(r.bits());
  d.Hi32 = r.percent(70) ? 0 : static_cast<ULONG>(r.bits());
  const BYTE scales[] = {0, 1, 2, 28, 29, 40, 255};
  d.scale = r.percent(60) ? static_cast<BYTE>(r.below(29)) : r.pick(scales);
  const BYTE signs[] = {0, DECIMAL_NEG, 1, 0x81, 0xFF};
  d.sign = r.percent(70) ? (r.percent(50) ? 0 : DECIMAL_NEG) : r.pick(signs);
  return d;
}

void random_value(random_source& r, lent& l, VARIANT& v, int depth, bool invalid_ok);

// A scalar of the type in `v` (by value), or an array when `vt` has VT_ARRAY.
void fill_scalar(random_source& r, lent& l, VARIANT& v, VARTYPE vt, int depth);

SAFEARRAY* random_array(random_source& r, lent& l, VARTYPE element, int depth) {
  const unsigned dims = r.percent(70) ? 1 : (r.percent(85) ? 2 : 3);
  SAFEARRAYBOUND bounds[3];
  const LONG lowers[] = {0, 0, 1, -1, 5, -100, 0x7FFFFFFF, 0x7FFFFFFE, static_cast<LONG>(0x80000000)};
  std::uint64_t total = 1;
  for (unsigned d = 0; d < dims; ++d) {
    bounds[d].cElements = r.percent(3) ? 300 : r.below(5);
    bounds[d].lLbound = r.percent(20) ? static_cast<LONG>(r.bits()) : r.pick(lowers);
    total *= bounds[d].cElements;
  }
  if (total > 1000)  // one long dimension at most
    for (unsigned d = 1; d < dims; ++d) bounds[d].cElements = 1;
  SAFEARRAY* sa = SafeArrayCreate(element, dims, bounds);
  if (!sa) return nullptr;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(sa, &data))) return sa;
  std::uint64_t n = 1;
  for (unsigned d = 0; d < dims; ++d) n *= bounds[d].cElements;
  for (std::uint64_t i = 0; i < n; ++i) {
    switch (element) {
      case VT_VARIANT: random_value(r, l, static_cast<VARIANT*>(data)[i], depth + 1, false); break;
      case VT_BSTR: static_cast<BSTR*>(data)[i] = random_text(r); break;
      case VT_I4: static_cast<LONG*>(data)[i] = static_cast<LONG>(r.bits()); break;
      case VT_R8: static_cast<double*>(data)[i] = random_double(r); break;
      case VT_DATE: static_cast<DATE*>(data)[i] = random_date(r); break;
      case VT_DECIMAL: static_cast<DECIMAL*>(data)[i] = random_decimal(r); break;
      case VT_DISPATCH: static_cast<IDispatch**>(data)[i] = random_object(r); break;
      case VT_BOOL: static_cast<VARIANT_BOOL*>(data)[i] = r.percent(50) ? VARIANT_TRUE : VARIANT_FALSE; break;
      case VT_UI1: static_cast<BYTE*>(data)[i] = static_cast<BYTE>(r.bits()); break;
      default: break;
    }
  }
  SafeArrayUnaccessData(sa);
  return sa;
}

const VARTYPE kArrayElements[] = {VT_VARIANT, VT_VARIANT, VT_BSTR, VT_I4, VT_R8, VT_DATE,
                                  VT_DECIMAL, VT_DISPATCH, VT_BOOL, VT_UI1};

void fill_scalar(random_source& r, lent& l, VARIANT& v, VARTYPE vt, int depth) {
  VariantInit(&v);
  if (vt & VT_ARRAY) {
    V_VT(&v) = vt;
    V_ARRAY(&v) = r.percent(10) || depth > 2 ? nullptr : random_array(r, l, vt & VT_TYPEMASK, depth);
    return;
  }
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_I2: V_I2(&v) = static_cast<SHORT>(r.percent(50) ? r.below(200) : r.bits()); break;
    case VT_I4:
    case VT_INT: V_I4(&v) = static_cast<LONG>(r.percent(50) ? r.below(200) : r.bits()); break;
    case VT_R4: V_R4(&v) = static_cast<float>(random_double(r)); break;
    case VT_R8: V_R8(&v) = random_double(r); break;
    case VT_CY: V_CY(&v).int64 = static_cast<LONGLONG>(r.bits()); break;
    case VT_DATE: V_DATE(&v) = random_date(r); break;
    case VT_BSTR: V_BSTR(&v) = random_text(r); break;
    case VT_DISPATCH: V_DISPATCH(&v) = random_object(r); break;
    case VT_UNKNOWN: V_UNKNOWN(&v) = random_object(r); break;
    case VT_ERROR: V_ERROR(&v) = r.percent(80) ? DISP_E_PARAMNOTFOUND : static_cast<SCODE>(r.bits()); break;
    case VT_BOOL: V_BOOL(&v) = r.percent(80) ? (r.percent(50) ? VARIANT_TRUE : VARIANT_FALSE) : static_cast<SHORT>(r.bits()); break;
    case VT_DECIMAL: V_DECIMAL(&v) = random_decimal(r); break;
    case VT_I1: V_I1(&v) = static_cast<CHAR>(r.bits()); break;
    case VT_UI1: V_UI1(&v) = static_cast<BYTE>(r.bits()); break;
    case VT_UI2: V_UI2(&v) = static_cast<USHORT>(r.bits()); break;
    case VT_UI4:
    case VT_UINT: V_UI4(&v) = static_cast<ULONG>(r.bits()); break;
    case VT_I8: V_I8(&v) = static_cast<LONGLONG>(r.bits()); break;
    case VT_UI8: V_UI8(&v) = static_cast<ULONGLONG>(r.bits()); break;
    default: break;  // an invalid type, holding nothing anyone may follow
  }
  V_VT(&v) = vt;  // last: a DECIMAL overlays the type field
  (void)l;
}

const VARTYPE kScalars[] = {VT_EMPTY, VT_NULL, VT_I2,       VT_I4,      VT_R4,  VT_R8,   VT_CY,
                            VT_DATE,  VT_BSTR, VT_BSTR,     VT_BSTR,    VT_DISPATCH, VT_ERROR, VT_ERROR,
                            VT_BOOL,  VT_UNKNOWN, VT_DECIMAL, VT_I1,   VT_UI1, VT_UI2,  VT_UI4,
                            VT_I8,    VT_UI8,  VT_INT,      VT_UINT};
// Types no Variant may hold by value.
const VARTYPE kInvalid[] = {15, VT_VARIANT, VT_VOID, VT_HRESULT, VT_PTR, VT_LPSTR, 0x7FFF, VT_BYREF};

void random_value(random_source& r, lent& l, VARIANT& v, int depth, bool invalid_ok) {
  VariantInit(&v);
  const unsigned k = r.below(100);
  if (k < 15 && depth < 3) {
    // By reference: to a variable of the type, or to nothing.
    VARTYPE base = r.percent(15) ? (VT_ARRAY | r.pick(kArrayElements)) : r.pick(kScalars);
    if (r.percent(15)) base = VT_VARIANT;
    V_VT(&v) = VT_BYREF | base;
    if (r.percent(20)) {
      V_BYREF(&v) = nullptr;
    } else if (base == VT_VARIANT) {
      VARIANT* target = l.variable();
      random_value(r, l, *target, depth + 1, false);
      V_VARIANTREF(&v) = target;
    } else if (base == VT_DECIMAL) {
      DECIMAL* d = l.decimal();
      *d = random_decimal(r);
      V_DECIMALREF(&v) = d;
    } else {
      VARIANT* target = l.variable();
      fill_scalar(r, l, *target, base, depth + 1);
      V_BYREF(&v) = &V_I4(target);  // every scalar and the array pointer start there
    }
    return;
  }
  if (k < 25 && depth < 3) return fill_scalar(r, l, v, VT_ARRAY | r.pick(kArrayElements), depth);
  if (k < 27 && invalid_ok) return fill_scalar(r, l, v, r.pick(kInvalid), depth);
  fill_scalar(r, l, v, r.pick(kScalars), depth);
}

// What VariantClear accepts: not the invalid types, nor Empty or Null by
// reference.
bool valid_type(VARTYPE vt) {
  for (VARTYPE bad : kInvalid)
    if (vt == bad) return false;
  return vt != (VT_BYREF | VT_NULL);
}

// --- The classes and their members --------------------------------------------------

struct member {
  DISPID id;
  INVOKEKIND kind;
  unsigned params;
};

struct class_entry {
  CLSID clsid;
  std::wstring name;
  std::vector<member> members;  // from the object's type information
};

struct live_object {
  std::size_t cls;
  IDispatch* obj;
};

WORD flags_of(INVOKEKIND k) {
  switch (k) {
    case INVOKE_PROPERTYGET: return DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT: return DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF: return DISPATCH_PROPERTYPUTREF;
    default: return DISPATCH_METHOD;
  }
}

/// The members of the object's dispatch view, as its type information lists them.
std::vector<member> members_of(IDispatch* obj) {
  std::vector<member> out;
  ITypeInfo* ti = nullptr;
  if (obj->GetTypeInfo(0, 0, &ti) != S_OK || !ti) return out;
  TYPEATTR* attr = nullptr;
  if (SUCCEEDED(ti->GetTypeAttr(&attr))) {
    for (UINT i = 0; i < attr->cFuncs; ++i) {
      FUNCDESC* fd = nullptr;
      if (FAILED(ti->GetFuncDesc(i, &fd))) continue;
      out.push_back({fd->memid, fd->invkind, static_cast<unsigned>(fd->cParams)});
      ti->ReleaseFuncDesc(fd);
    }
    ti->ReleaseTypeAttr(attr);
  }
  ti->Release();
  return out;
}

/// Every creatable class of the library that holds `progid`'s class.
std::vector<class_entry> classes_of_library(const wchar_t* progid) {
  std::vector<class_entry> out;
  CLSID first;
  if (FAILED(CLSIDFromProgID(progid, &first))) return out;
  IDispatch* obj = nullptr;
  if (FAILED(CoCreateInstance(first, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&obj))))
    return out;
  ITypeInfo* ti = nullptr;
  ITypeLib* tl = nullptr;
  UINT index = 0;
  if (obj->GetTypeInfo(0, 0, &ti) == S_OK && ti && ti->GetContainingTypeLib(&tl, &index) == S_OK && tl) {
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
      TYPEKIND kind;
      if (FAILED(tl->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS) continue;
      ITypeInfo* co = nullptr;
      if (FAILED(tl->GetTypeInfo(i, &co))) continue;
      TYPEATTR* attr = nullptr;
      if (SUCCEEDED(co->GetTypeAttr(&attr))) {
        if (attr->wTypeFlags & TYPEFLAG_FCANCREATE) {
          BSTR name = nullptr;
          co->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
          out.push_back({attr->guid, name ? name : L"?", {}});
          SysFreeString(name);
        }
        co->ReleaseTypeAttr(attr);
      }
      co->Release();
    }
    tl->Release();
  }
  if (ti) ti->Release();
  obj->Release();
  return out;
}

// --- One round --------------------------------------------------------------------

using can_unload_fn = HRESULT(WINAPI*)();

bool is_com_code(HRESULT hr) {
  if (hr == S_OK || hr == S_FALSE) return true;
  if (!FAILED(hr)) return false;
  switch (HRESULT_FACILITY(hr)) {
    case FACILITY_NULL:
    case FACILITY_RPC:
    case FACILITY_DISPATCH:
    case FACILITY_ITF:
    case FACILITY_WIN32:
    case FACILITY_CONTROL:
      return true;
    default:
      return false;
  }
}

DISPID id_of(IDispatch* obj, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  return obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK ? id : DISPID_UNKNOWN;
}

class round_runner {
 public:
  round_runner(std::vector<class_entry>& classes, IDispatch* control, std::uint64_t seed)
      : classes_(classes), control_(control), r_(seed) {}

  long long run(long long calls) {
    g_quiet.restart();
    g_hostile.restart();
    for (std::size_t c = 0; c < classes_.size(); ++c) create(c);
    for (g_call = 1; g_call <= calls; ++g_call) step();
    finish();
    return calls;
  }

 private:
  void create(std::size_t c) {
    IDispatch* obj = nullptr;
    const HRESULT hr =
        CoCreateInstance(classes_[c].clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&obj));
    if (FAILED(hr) || !obj) {
      fail("CoCreateInstance of %ls: %#lx", classes_[c].name.c_str(), hr);
      return;
    }
    if (classes_[c].members.empty()) classes_[c].members = members_of(obj);
    objects_.push_back({c, obj});
  }

  // A connector that lent itself to its sibling is held by it until it
  // lets go (TerminateConnect), as the host's programs do.
  void release(live_object& o) {
    const DISPID terminate = id_of(o.obj, L"TerminateConnect");
    if (terminate != DISPID_UNKNOWN) {
      DISPPARAMS none{nullptr, nullptr, 0, 0};
      const HRESULT hr = o.obj->Invoke(terminate, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
      if (hr != S_OK) fail("TerminateConnect: %#lx", hr);
    }
    o.obj->Release();
    o.obj = nullptr;
  }

  void step() {
    const LONG faults = g_faults;
    const unsigned k = r_.below(100);
    if (objects_.empty()) {
      create(r_.below(classes_.size()));
    } else if (k < 2) {
      const std::size_t i = r_.below(objects_.size());
      release(objects_[i]);
      objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(i));
      create(r_.below(classes_.size()));
    } else if (k < 4) {
      lock_or_unlock();
    } else if (k < 8) {
      ask_names(objects_[r_.below(objects_.size())].obj);
    } else if (k < 10) {
      ask_type_information(objects_[r_.below(objects_.size())].obj);
    } else {
      invoke(objects_[r_.below(objects_.size())]);
    }
    if (g_faults != faults) {
      fail("%ld first-chance fault(s), the last %#lx at %p (%s)", g_faults - faults, g_fault_code, g_fault_address,
           module_of(g_fault_address).c_str());
    }
    // The sibling's log would grow for the whole run.
    if (control_ && g_call % 200 == 0) call_control(L"Reset");
  }

  void call_control(const wchar_t* name) {
    const DISPID id = id_of(control_, name);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT ignored;
    VariantInit(&ignored);
    control_->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, &ignored, nullptr, nullptr);
    VariantClear(&ignored);
  }

  void lock_or_unlock() {
    const class_entry& c = classes_[r_.below(classes_.size())];
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(c.clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory))) ||
        !factory) {
      fail("class object of %ls", c.name.c_str());
      return;
    }
    if (r_.percent(50)) {
      factory->LockServer(TRUE);
      ++locks_;
    } else {
      // Unmatched as often as not.
      factory->LockServer(FALSE);
      if (locks_ > 0) --locks_;
    }
    IUnknown* aggregated = nullptr;
    if (r_.percent(20)) {
      const HRESULT hr = factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown,
                                                 reinterpret_cast<void**>(&aggregated));
      if (hr != CLASS_E_NOAGGREGATION || aggregated) fail("aggregation: %#lx", hr);
    }
    factory->Release();
  }

  void ask_names(IDispatch* obj) {
    std::vector<std::wstring> texts;
    const UINT count = r_.below(5);
    for (UINT i = 0; i < count; ++i) {
      BSTR t = random_text(r_);
      texts.push_back(t ? std::wstring(t, SysStringLen(t)) : std::wstring());
      SysFreeString(t);
    }
    std::vector<LPOLESTR> names;
    for (auto& t : texts) names.push_back(r_.percent(10) ? nullptr : t.data());
    std::vector<DISPID> ids(count + 1, 12345);
    const IID other = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    const HRESULT hr = obj->GetIDsOfNames(r_.percent(90) ? IID_NULL : other, r_.percent(5) ? nullptr : names.data(),
                                          count, r_.bits() & 0xFFFF, r_.percent(5) ? nullptr : ids.data());
    if (!is_com_code(hr) || (hr != S_OK && hr != DISP_E_UNKNOWNNAME && hr != E_POINTER && hr != DISP_E_UNKNOWNINTERFACE &&
                             hr != E_OUTOFMEMORY))
      fail("GetIDsOfNames: %#lx", hr);
  }

  void ask_type_information(IDispatch* obj) {
    UINT n = 7;
    if (obj->GetTypeInfoCount(r_.percent(20) ? nullptr : &n) == S_OK && n != 1) fail("GetTypeInfoCount %u", n);
    const UINT indices[] = {0, 0, 1, 0xFFFFFFFF};
    ITypeInfo* ti = reinterpret_cast<ITypeInfo*>(1);
    const bool no_pointer = r_.percent(20);
    const HRESULT hr = obj->GetTypeInfo(r_.pick(indices), r_.bits() & 0xFFFF, no_pointer ? nullptr : &ti);
    if (!is_com_code(hr)) fail("GetTypeInfo: %#lx", hr);
    if (!no_pointer) {
      if (hr == S_OK && ti) ti->Release();
      else if (ti) fail("GetTypeInfo failed (%#lx) but left a pointer", hr);
    }
    void* p = nullptr;
    const IID asked[] = {IID_IUnknown, IID_IDispatch, IID_IConnectionPointContainer, IID_IPersist,
                         IID_ISupportErrorInfo, IID_IClassFactory};
    if (SUCCEEDED(obj->QueryInterface(r_.pick(asked), &p)) && p) static_cast<IUnknown*>(p)->Release();
  }

  void invoke(live_object& o) {
    const class_entry& c = classes_[o.cls];
    if (c.members.empty()) return;
    const member& m = c.members[r_.below(c.members.size())];
    DISPID id = m.id;
    if (r_.percent(5)) {
      const DISPID others[] = {DISPID_VALUE, DISPID_UNKNOWN, DISPID_NEWENUM, DISPID_EVALUATE, DISPID_PROPERTYPUT,
                               0x60030000, 0x7FFFFFFF};
      id = r_.percent(50) ? r_.pick(others) : static_cast<DISPID>(r_.bits());
    }
    WORD flags = flags_of(m.kind);
    if (r_.percent(30)) {
      const WORD any[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                          DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                          0, 0xFFFF};
      flags = r_.percent(80) ? r_.pick(any) : static_cast<WORD>(r_.bits());
    }
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;

    lent l;
    const UINT argc = r_.below(m.params + 3);
    std::vector<VARIANT> args(argc);
    std::vector<bool> checkable(argc, true);
    for (UINT i = 0; i < argc; ++i) {
      random_value(r_, l, args[i], 0, true);
      checkable[i] = valid_type(V_VT(&args[i]));
    }
    // Named arguments: the first of rgvarg, by parameter index (the value of
    // a put by DISPID_PROPERTYPUT), now and then unknown or twice.
    std::vector<DISPID> named;
    if (argc && (put ? r_.percent(85) : r_.percent(20))) {
      const UINT n = put && r_.percent(70) ? 1 : 1 + r_.below(argc);
      for (UINT i = 0; i < n; ++i) {
        if (put && i == 0 && r_.percent(80)) named.push_back(DISPID_PROPERTYPUT);
        else if (r_.percent(85)) named.push_back(static_cast<DISPID>(r_.below(m.params + 1)));
        else named.push_back(r_.percent(50) ? -7 : static_cast<DISPID>(r_.bits()));
      }
    }
    l.seal();
    DISPPARAMS dp{argc ? args.data() : nullptr, named.empty() ? nullptr : named.data(), argc,
                  static_cast<UINT>(named.size())};
    DISPPARAMS* pdp = &dp;
    switch (r_.below(60)) {
      case 0: pdp = nullptr; break;
      case 1: dp.rgvarg = nullptr; break;
      case 2: dp.rgdispidNamedArgs = nullptr; break;
      case 3: dp.cNamedArgs = argc + 1; dp.rgdispidNamedArgs = nullptr; break;
      default: break;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT arg_err = 0xDEADBEEF;
    const bool with_result = r_.percent(75), with_info = r_.percent(75), with_arg_err = r_.percent(75);
    const IID other = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    const IID& riid = r_.percent(97) ? IID_NULL : other;
    const LCID lcid = r_.percent(80) ? 0 : static_cast<LCID>(r_.bits() & 0xFFFF);

    const HRESULT hr = o.obj->Invoke(id, riid, lcid, flags, pdp, with_result ? &result : nullptr,
                                     with_info ? &info : nullptr, with_arg_err ? &arg_err : nullptr);

    ++(hr == S_OK ? g_ran : hr == DISP_E_EXCEPTION || HRESULT_FACILITY(hr) == FACILITY_CONTROL ? g_raised : g_refused);
    if (!is_com_code(hr)) fail("Invoke %#lx flags %#x: %#lx is no COM code", id, flags, hr);
    if (hr == E_UNEXPECTED) fail("Invoke %#lx flags %#x: E_UNEXPECTED", id, flags);
    if (with_info && HRESULT_FACILITY(hr) == FACILITY_CONTROL)
      fail("Invoke %#lx: a member's error %#lx returned bare, with an EXCEPINFO to fill", id, hr);
    if (with_info) {
      if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
      if (hr == DISP_E_EXCEPTION) {
        if (!(FAILED(info.scode) || info.wCode)) fail("Invoke %#lx: DISP_E_EXCEPTION without scode", id);
        if (!info.bstrDescription || !info.bstrSource)
          fail("Invoke %#lx: DISP_E_EXCEPTION without description or source (scode %#lx)", id, info.scode);
        if (info.scode == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 51))
          fail("Invoke %#lx flags %#x: internal error: %ls", id, flags,
               info.bstrDescription ? info.bstrDescription : L"");
      } else if (info.scode || info.wCode || info.bstrDescription || info.bstrSource) {
        fail("Invoke %#lx: EXCEPINFO filled for %#lx", id, hr);
      }
      SysFreeString(info.bstrDescription);
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrHelpFile);
    }
    if (with_arg_err && (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && pdp && arg_err >= argc)
      fail("Invoke %#lx: %#lx names argument %u of %u", id, hr, arg_err, argc);
    if (with_result) {
      const VARTYPE vt = V_VT(&result);
      const HRESULT cleared = VariantClear(&result);
      if (FAILED(cleared)) fail("Invoke %#lx: the result is no valid Variant (vt %#x): %#lx", id, vt, cleared);
    }
    for (UINT i = 0; i < argc; ++i) {
      const VARTYPE vt = V_VT(&args[i]);
      const HRESULT cleared = VariantClear(&args[i]);
      if (checkable[i] && FAILED(cleared)) fail("Invoke %#lx: argument %u is no valid Variant afterwards (vt %#x)", id, i, vt);
    }
    l.check_and_clear();
  }

  void finish() {
    for (live_object& o : objects_) release(o);
    objects_.clear();
    for (; locks_ > 0; --locks_) {
      IClassFactory* factory = nullptr;
      if (SUCCEEDED(CoGetClassObject(classes_[0].clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory))) &&
          factory) {
        factory->LockServer(FALSE);
        factory->Release();
      }
    }
    if (control_) call_control(L"Reset");
    if (g_quiet.refs() != 1 || g_hostile.refs() != 1)
      fail("objects handed to the DLL are still held: %ld and %ld references", g_quiet.refs() - 1,
           g_hostile.refs() - 1);
    HMODULE dll = GetModuleHandleW(L"VELDRANE.dll");
    auto can_unload =
        dll ? reinterpret_cast<can_unload_fn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow"))) : nullptr;
    if (!can_unload) fail("DllCanUnloadNow not found in the loaded VELDRANE.dll");
    else if (const HRESULT hr = can_unload(); hr != S_OK) fail("DllCanUnloadNow after the round: %#lx", hr);
  }

  std::vector<class_entry>& classes_;
  IDispatch* control_;
  random_source r_;
  std::vector<live_object> objects_;
  long locks_ = 0;
};

std::vector<std::uint64_t> read_seeds(const char* path) {
  std::vector<std::uint64_t> seeds;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    char* end = nullptr;
    const unsigned long long s = std::strtoull(line.c_str(), &end, 10);
    if (end != line.c_str()) seeds.push_back(s);
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  const char* seeds_file = nullptr;
  std::uint64_t first = GetTickCount64() * 2654435761u ^ (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32);
  long long rounds = 4, calls = 1500;
  double seconds = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--seeds") seeds_file = argv[i + 1];
    else if (opt == "--seed") first = std::strtoull(argv[i + 1], nullptr, 10);
    else if (opt == "--rounds") rounds = std::atoll(argv[i + 1]);
    else if (opt == "--seconds") seconds = std::atof(argv[i + 1]);
    else if (opt == "--calls") calls = std::atoll(argv[i + 1]);
    else {
      std::printf("usage: com_fuzz [--seeds FILE] [--seed N] [--rounds N] [--seconds S] [--calls N]\n");
      return 2;
    }
  }
  if (const char* env = std::getenv("VELDRANE_COM_FUZZ_SECONDS"); env && *env) seconds = std::atof(env);

  AddVectoredExceptionHandler(1, count_fault);
  SetUnhandledExceptionFilter(on_crash);
  CoInitialize(nullptr);
  std::vector<class_entry> classes = classes_of_library(L"VELDRANE.CLSMG_LOOKUP");
  if (classes.empty()) {
    std::printf("FAIL: no class of VELDRANE.dll can be created (is it registered?)\n");
    return 1;
  }
  // The fake sibling's control object, when the test host is registered:
  // its log is cleared as the rounds go.
  IDispatch* control = nullptr;
  CLSID control_clsid;
  if (SUCCEEDED(CLSIDFromProgID(L"VeldraneTest.Sibling", &control_clsid)))
    CoCreateInstance(control_clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&control));

  std::vector<std::uint64_t> kept;
  if (seeds_file) kept = read_seeds(seeds_file);
  std::printf("com_fuzz: %u classes; %u kept seeds; new rounds from seed %llu\n", static_cast<unsigned>(classes.size()),
              static_cast<unsigned>(kept.size()), static_cast<unsigned long long>(first));
  std::fflush(stdout);

  long long total_calls = 0, done = 0;
  int failing = 0;
  const auto run = [&](std::uint64_t seed) {
    g_seed = seed;
    g_round_failures = 0;
    total_calls += round_runner(classes, control, seed).run(calls);
    ++done;
    if (g_round_failures) {
      ++failing;
      std::printf("failing seed: %llu (%d failures)\n", static_cast<unsigned long long>(seed), g_round_failures);
      std::fflush(stdout);
    }
  };
  const ULONGLONG start = GetTickCount64();  // the kept seeds count against the time too
  for (std::uint64_t s : kept) run(s);
  for (std::uint64_t s = first;; ++s) {
    if (seconds > 0 ? GetTickCount64() - start >= static_cast<ULONGLONG>(seconds * 1000) : done - static_cast<long long>(kept.size()) >= rounds)
      break;
    run(s);
  }
  if (control) control->Release();
  CoUninitialize();
  std::printf("com_fuzz: %lld rounds (seeds %llu.. and %u kept), %lld calls, %d failing rounds, %ld first-chance faults\n",
              done, static_cast<unsigned long long>(first), static_cast<unsigned>(kept.size()), total_calls, failing,
              static_cast<long>(g_faults));
  std::printf("com_fuzz: Invoke ran %lld members, %lld raised an error, %lld calls refused by dispatch\n", g_ran, g_raised,
              g_refused);
  return failing > 100 ? 100 : failing;
}
