// A fake sibling connector under the ProgID the connector creates,
// "TARNELL.CLSMG_CONNECT", and its control object "VeldraneTest.Sibling";
// both late-bound only. The sibling answers any member name, keeps (and at
// its end releases) the object assigned to its ClsConnect, and logs every
// call process-wide as "#<n> <Member>(<arguments>)", n its serial number,
// each argument as Str:"text", Dec:0, I2:5, I4:5, Bool:True, Obj,
// Obj:Nothing, Empty, Null, Missing or Array; also "#<n> get ClsConnect",
// "#<n> set ClsConnect = Object|Nothing" and "#<n> released".
//
// The control object's methods:
//   Log()              the lines logged since the last Log, joined by line feeds
//   Reset()            forgets the settings below and the log; with no sibling
//                      alive, numbering starts again at 1
//   Fail(member)       the member raises an error from now on
//   Write(member, index, value)
//                      the member writes value into its by-reference argument
//                      `index` (0 = first)
//   CallBack(member, event, data)
//                      during the member the sibling calls its ClsConnect's
//                      TransferData (Cancel False, data, 12) or FormClose (12)
//                      and logs "#<n> TransferData gave <hr> Cancel=<True|False>"
//   Preset(object)     new siblings start with this ClsConnect
//   Live               the number of siblings alive
//   ClsConnectOf(n)    what sibling n holds in ClsConnect (Empty once it is gone)
#include "fake_sibling.h"

#include <objbase.h>
#include <oleauto.h>

#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fake_sibling {

namespace {

LONG g_objects = 0;

std::wstring upper(std::wstring s) {
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

class sibling;

struct callback {
  std::wstring event;
  std::wstring data;
};

// What the tests configure, and what the siblings record.
struct state {
  std::vector<std::wstring> log;
  std::map<std::wstring, bool> failing;  // by upper-cased member name
  std::map<std::wstring, std::pair<UINT, VARIANT>> writes;
  std::map<std::wstring, callback> callbacks;
  IDispatch* preset = nullptr;
  std::map<int, sibling*> alive;
  int created = 0;
  std::vector<std::wstring> names;  // dispatch id 100 + i

  void reset() {
    log.clear();
    failing.clear();
    for (auto& w : writes) VariantClear(&w.second.second);
    writes.clear();
    callbacks.clear();
    if (preset) preset->Release();
    preset = nullptr;
    if (alive.empty()) created = 0;  // serial numbers start again at 1
  }
};

state& g() {
  static state s;
  return s;
}

const VARIANT* deref(const VARIANT* v) {
  while (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
  return v;
}

std::wstring describe(const VARIANT* in) {
  const VARIANT* v = deref(in);
  const VARTYPE vt = V_VT(v) & ~VT_BYREF;
  if (V_VT(v) & VT_ARRAY) return L"Array";
  switch (vt) {
    case VT_EMPTY: return L"Empty";
    case VT_NULL: return L"Null";
    case VT_ERROR: return L"Missing";
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      IUnknown* p = (V_VT(v) & VT_BYREF) ? *V_UNKNOWNREF(v) : V_UNKNOWN(v);
      return p ? L"Obj" : L"Obj:Nothing";
    }
    default: break;
  }
  VARIANT text;
  VariantInit(&text);
  std::wstring shown = L"?";
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(v), VARIANT_ALPHABOOL, VT_BSTR)))
    shown.assign(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
  VariantClear(&text);
  switch (vt) {
    case VT_BSTR: return L"Str:\"" + shown + L"\"";
    case VT_DECIMAL: return L"Dec:" + shown;
    case VT_I2: return L"I2:" + shown;
    case VT_I4: return L"I4:" + shown;
    case VT_R8: return L"R8:" + shown;
    case VT_BOOL: return L"Bool:" + shown;
    default: return L"VT" + std::to_wstring(vt) + L":" + shown;
  }
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

HRESULT fail(EXCEPINFO* info, const std::wstring& member) {
  if (info) {
    *info = EXCEPINFO{};
    info->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 1001);
    info->bstrSource = SysAllocString(L"TARNELL.CLSMG_CONNECT");
    info->bstrDescription = SysAllocString((L"Programma non disponibile: " + member).c_str());
  }
  return DISP_E_EXCEPTION;
}

// Calls a member of `target` by name; `args` last to first, as Invoke takes them.
HRESULT call_by_name(IDispatch* target, const wchar_t* name, VARIANT* args, UINT count) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS params{args, nullptr, count, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info, nullptr);
  VariantClear(&result);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  return hr;
}

// A copy of `value` as the answer, when there is a place for one.
HRESULT answer(VARIANT* result, VARIANT value) {
  if (result) VariantCopy(result, &value);
  VariantClear(&value);
  return S_OK;
}

VARIANT of(IDispatch* d) {
  VARIANT v;
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = d;
  if (d) d->AddRef();
  return v;
}

// --- IDispatch plumbing shared by the two classes --------------------------

class dispatch_base : public IDispatch {
 public:
  dispatch_base() { InterlockedIncrement(&g_objects); }
  virtual ~dispatch_base() { InterlockedDecrement(&g_objects); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    *ret = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ? this : nullptr;
    if (!*ret) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&ref_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&ref_);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

 private:
  LONG ref_ = 1;
};

// --- The sibling -------------------------------------------------------------

constexpr DISPID kClsConnect = 1;

class sibling final : public dispatch_base {
 public:
  sibling() : serial_(++g().created), cls_(g().preset) {
    g().alive[serial_] = this;
    if (cls_) cls_->AddRef();
  }
  ~sibling() override {
    record(L"released");
    g().alive.erase(serial_);
    if (cls_) cls_->Release();
  }

  IDispatch* cls_connect() const { return cls_; }

  // ClsConnect, or any other name: known names keep their dispatch id.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    auto& known = g().names;
    std::size_t i = 0;
    while (i < known.size() && lstrcmpiW(known[i].c_str(), names[0]) != 0) ++i;
    const bool cls_connect = lstrcmpiW(names[0], L"ClsConnect") == 0;
    if (i == known.size() && !cls_connect) known.emplace_back(names[0]);
    ids[0] = cls_connect ? kClsConnect : static_cast<DISPID>(100 + i);
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    if (result) VariantInit(result);
    if (id == kClsConnect) return cls_connect_member(flags, params, result);
    const std::size_t index = static_cast<std::size_t>(id - 100);
    if (id < 100 || index >= g().names.size()) return DISP_E_MEMBERNOTFOUND;
    const std::wstring member = g().names[index];
    std::wstring line = member + L"(";
    for (UINT i = 0; i < params->cArgs; ++i)
      line += (i ? L", " : L"") + describe(&params->rgvarg[params->cArgs - 1 - i]);
    record(line + L")");

    const std::wstring key = upper(member);
    if (g().failing.count(key)) return fail(info, member);
    auto w = g().writes.find(key);
    if (w != g().writes.end() && w->second.first < params->cArgs)
      write_into(&params->rgvarg[params->cArgs - 1 - w->second.first], w->second.second);
    auto c = g().callbacks.find(key);
    if (c != g().callbacks.end() && cls_) call_back(c->second);
    return S_OK;
  }

 private:
  void record(const std::wstring& what) { g().log.push_back(L"#" + std::to_wstring(serial_) + L" " + what); }

  HRESULT cls_connect_member(WORD flags, DISPPARAMS* params, VARIANT* result) {
    if (!(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
      record(L"get ClsConnect");
      return answer(result, of(cls_));
    }
    if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const VARIANT* v = deref(&params->rgvarg[0]);
    IDispatch* d = nullptr;
    if (V_VT(v) == VT_DISPATCH) d = V_DISPATCH(v);
    else if (V_VT(v) == (VT_DISPATCH | VT_BYREF)) d = *V_DISPATCHREF(v);
    else if (V_VT(v) != VT_EMPTY) return DISP_E_TYPEMISMATCH;
    if (d) d->AddRef();
    if (cls_) cls_->Release();
    cls_ = d;
    record(std::wstring(L"set ClsConnect = ") + (d ? L"Object" : L"Nothing"));
    return S_OK;
  }

  // What an opened program does when it reports back before it closes:
  // TransferData(Cancel, data, 12) or FormClose(12).
  void call_back(const callback& c) {
    IDispatch* target = cls_;
    target->AddRef();
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[3];  // last to first
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = 12;
    V_VT(&args[1]) = VT_BSTR;
    V_BSTR(&args[1]) = SysAllocString(c.data.c_str());
    V_VT(&args[2]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[2]) = &cancel;
    if (upper(c.event) == L"FORMCLOSE") {
      record(L"FormClose gave " + std::to_wstring(call_by_name(target, L"FormClose", args, 1)));
    } else {
      const HRESULT hr = call_by_name(target, L"TransferData", args, 3);
      record(L"TransferData gave " + std::to_wstring(hr) + L" Cancel=" + (cancel ? L"True" : L"False"));
    }
    SysFreeString(V_BSTR(&args[1]));
    target->Release();
  }

  int serial_;
  IDispatch* cls_ = nullptr;
};

// --- The control object ---------------------------------------------------------

const wchar_t* const kControlNames[] = {L"Log", L"Reset", L"Fail", L"Write", L"CallBack", L"Preset", L"Live",
                                        L"ClsConnectOf"};
const UINT kControlArgs[] = {0, 0, 1, 3, 3, 1, 0, 1};

class control final : public dispatch_base {
 public:
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    ids[0] = DISPID_UNKNOWN;
    for (std::size_t i = 0; i < std::size(kControlNames); ++i)
      if (lstrcmpiW(names[0], kControlNames[i]) == 0) ids[0] = static_cast<DISPID>(i + 1);
    return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (result) VariantInit(result);
    if (id < 1 || id > 8) return DISP_E_MEMBERNOTFOUND;
    if (!p || p->cArgs != kControlArgs[id - 1]) return DISP_E_BADPARAMCOUNT;
    state& s = g();
    // The arguments first to last: as text, as a number, as they are.
    const auto arg = [p](UINT i) { return deref(&p->rgvarg[p->cArgs - 1 - i]); };
    const auto as = [&](UINT i, VARTYPE vt, VARIANT& out) {
      VariantInit(&out);
      return SUCCEEDED(VariantChangeType(&out, const_cast<VARIANT*>(arg(i)), 0, vt));
    };
    const auto text = [&](UINT i) {
      VARIANT t;
      std::wstring out = as(i, VT_BSTR, t) ? std::wstring(V_BSTR(&t), SysStringLen(V_BSTR(&t))) : L"";
      VariantClear(&t);
      return out;
    };
    VARIANT v;
    VariantInit(&v);
    switch (id) {
      case 1: {  // Log
        std::wstring all;
        for (const auto& l : s.log) all += (all.empty() ? L"" : L"\n") + l;
        s.log.clear();
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocStringLen(all.data(), static_cast<UINT>(all.size()));
        return answer(result, v);
      }
      case 2: s.reset(); return S_OK;
      case 3: s.failing[upper(text(0))] = true; return S_OK;
      case 4: {  // Write
        if (!as(1, VT_I4, v)) return DISP_E_TYPEMISMATCH;
        auto& w = s.writes[upper(text(0))];
        w.first = static_cast<UINT>(V_I4(&v));
        VariantCopy(&w.second, const_cast<VARIANT*>(arg(2)));
        return S_OK;
      }
      case 5: s.callbacks[upper(text(0))] = callback{text(1), text(2)}; return S_OK;
      case 6:  // Preset
        v = of(V_VT(arg(0)) == VT_DISPATCH ? V_DISPATCH(arg(0)) : nullptr);
        if (s.preset) s.preset->Release();
        s.preset = V_DISPATCH(&v);
        return S_OK;
      case 7:  // Live
        V_VT(&v) = VT_I4;
        V_I4(&v) = static_cast<LONG>(s.alive.size());
        return answer(result, v);
      default: {  // ClsConnectOf
        if (!as(0, VT_I4, v)) return DISP_E_TYPEMISMATCH;
        auto it = s.alive.find(V_I4(&v));
        return it == s.alive.end() ? S_OK : answer(result, of(it->second->cls_connect()));
      }
    }
  }
};

// --- Class objects ------------------------------------------------------------------

template <class T>
class factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory);
    *ret = known ? static_cast<IClassFactory*>(this) : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ret) override {
    *ret = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    T* obj = new T();
    HRESULT hr = obj->QueryInterface(riid, ret);
    obj->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace

HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret) {
  static factory<sibling> siblings;
  static factory<control> controls;
  return IsEqualCLSID(rclsid, kSiblingClsid) ? siblings.QueryInterface(riid, ret) : controls.QueryInterface(riid, ret);
}

LONG live_objects() { return g_objects; }

}  // namespace fake_sibling
