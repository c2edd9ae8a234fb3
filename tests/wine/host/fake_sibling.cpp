// A fake sibling connector under the ProgID the connector creates,
// "TARNELL.CLSMG_CONNECT", and its control object for the tests,
// "VeldraneTest.Sibling". Both are reached late-bound only.
//
// The sibling answers any member name. It keeps the object assigned to its
// ClsConnect (and releases it when it goes), and records every call it
// receives as one line of a process-wide log: "#<n> <Member>(<arguments>)"
// with n the sibling's serial number and each argument written as
// <type>:<value> (Str:"text", Dec:0, I2:5, I4:5, Bool:True, Obj:Nothing,
// Obj, Empty, Null, Missing, Array), plus "#<n> get ClsConnect",
// "#<n> set ClsConnect = Object|Nothing" and "#<n> released".
//
// The control object's methods, by name:
//   Log()                       the lines recorded since the last Log, joined
//                               with line feeds; clears them
//   Reset()                     forgets every setting below and the log; with
//                               no sibling alive, numbering starts again at 1
//   Fail(member)                the member raises an error from now on
//   Write(member, index, value) the member writes value into its argument
//                               `index` (0 = first), which is by reference
//   CallBack(member, event, data)
//                               during the member, the sibling calls its
//                               ClsConnect's TransferData (Cancel False,
//                               data, 12) or FormClose (12), and records
//                               "#<n> TransferData gave Cancel=<True|False>"
//   Preset(object)              new siblings start with this ClsConnect
//   Live                        the number of siblings alive
//   ClsConnectOf(n)             what sibling n holds in ClsConnect (Empty
//                               when it is gone)
#include "fake_sibling.h"

#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

namespace fake_sibling {

namespace {

LONG g_objects = 0;

// {3C9A8E21-6F47-4B1D-9E53-2A7B18C4D690}
const CLSID kSiblingClsid = {0x3C9A8E21, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};
// {3C9A8E22-6F47-4B1D-9E53-2A7B18C4D690}
const CLSID kControlClsid = {0x3C9A8E22, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};

struct class_desc {
  const CLSID* clsid;
  const wchar_t* clsid_text;
  const wchar_t* progid;
};
const class_desc kClasses[] = {
    {&kSiblingClsid, L"{3C9A8E21-6F47-4B1D-9E53-2A7B18C4D690}", L"TARNELL.CLSMG_CONNECT"},
    {&kControlClsid, L"{3C9A8E22-6F47-4B1D-9E53-2A7B18C4D690}", L"VeldraneTest.Sibling"},
};

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
    VARIANT* target = V_VARIANTREF(arg);
    VariantClear(target);
    VariantCopy(target, const_cast<VARIANT*>(&value));
    return;
  }
  if (!(V_VT(arg) & VT_BYREF)) return;  // a value: nothing to write into
  VARIANT c;
  VariantInit(&c);
  if (FAILED(VariantChangeType(&c, const_cast<VARIANT*>(&value), 0, V_VT(arg) & ~VT_BYREF))) return;
  switch (V_VT(arg) & ~VT_BYREF) {
    case VT_BSTR:
      SysFreeString(*V_BSTRREF(arg));
      *V_BSTRREF(arg) = V_BSTR(&c);
      return;
    case VT_BOOL: *V_BOOLREF(arg) = V_BOOL(&c); break;
    case VT_I2: *V_I2REF(arg) = V_I2(&c); break;
    case VT_I4: *V_I4REF(arg) = V_I4(&c); break;
    case VT_DISPATCH:
      if (*V_DISPATCHREF(arg)) (*V_DISPATCHREF(arg))->Release();
      *V_DISPATCHREF(arg) = V_DISPATCH(&c);
      return;
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

// Calls a member of `target` by name with arguments given first to last.
HRESULT call_by_name(IDispatch* target, const wchar_t* name, std::vector<VARIANT>& args) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
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

// --- IDispatch plumbing shared by the two classes --------------------------

class dispatch_base : public IDispatch {
 public:
  dispatch_base() { InterlockedIncrement(&g_objects); }
  virtual ~dispatch_base() { InterlockedDecrement(&g_objects); }

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
  sibling() : serial_(++g().created) {
    g().alive[serial_] = this;
    if (g().preset) {
      cls_ = g().preset;
      cls_->AddRef();
    }
  }
  ~sibling() override {
    record(L"released");
    g().alive.erase(serial_);
    if (cls_) cls_->Release();
  }

  IDispatch* cls_connect() const { return cls_; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (lstrcmpiW(names[0], L"ClsConnect") == 0) {
      ids[0] = kClsConnect;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    auto& known = g().names;
    for (std::size_t i = 0; i < known.size(); ++i)
      if (lstrcmpiW(known[i].c_str(), names[0]) == 0) ids[0] = static_cast<DISPID>(100 + i);
    if (ids[0] == DISPID_UNKNOWN) {
      known.emplace_back(names[0]);
      ids[0] = static_cast<DISPID>(100 + known.size() - 1);
    }
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
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
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
    record(L"get ClsConnect");
    if (result) {
      V_VT(result) = VT_DISPATCH;
      V_DISPATCH(result) = cls_;
      if (cls_) cls_->AddRef();
    }
    return S_OK;
  }

  // What an opened program does when it reports back before it closes.
  void call_back(const callback& c) {
    IDispatch* target = cls_;
    target->AddRef();
    if (upper(c.event) == L"FORMCLOSE") {
      std::vector<VARIANT> args(1);
      V_VT(&args[0]) = VT_I4;
      V_I4(&args[0]) = 12;
      HRESULT hr = call_by_name(target, L"FormClose", args);
      record(L"FormClose gave " + std::to_wstring(hr));
    } else {
      VARIANT_BOOL cancel = VARIANT_FALSE;
      std::vector<VARIANT> args(3);
      V_VT(&args[0]) = VT_BOOL | VT_BYREF;
      V_BOOLREF(&args[0]) = &cancel;
      V_VT(&args[1]) = VT_BSTR;
      V_BSTR(&args[1]) = SysAllocString(c.data.c_str());
      V_VT(&args[2]) = VT_I4;
      V_I4(&args[2]) = 12;
      HRESULT hr = call_by_name(target, L"TransferData", args);
      SysFreeString(V_BSTR(&args[1]));
      record(L"TransferData gave " + std::to_wstring(hr) + L" Cancel=" + (cancel ? L"True" : L"False"));
    }
    target->Release();
  }

  int serial_;
  IDispatch* cls_ = nullptr;
};

// --- The control object ---------------------------------------------------------

const wchar_t* const kControlNames[] = {L"Log", L"Reset", L"Fail", L"Write", L"CallBack", L"Preset", L"Live",
                                        L"ClsConnectOf"};

std::wstring text_arg(DISPPARAMS* p, UINT i) {
  VARIANT t;
  VariantInit(&t);
  std::wstring out;
  if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(deref(&p->rgvarg[p->cArgs - 1 - i])), 0, VT_BSTR)))
    out.assign(V_BSTR(&t), SysStringLen(V_BSTR(&t)));
  VariantClear(&t);
  return out;
}

class control final : public dispatch_base {
 public:
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    for (std::size_t i = 0; i < sizeof kControlNames / sizeof *kControlNames; ++i) {
      if (lstrcmpiW(names[0], kControlNames[i]) == 0) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (result) VariantInit(result);
    static const UINT kArgs[] = {0, 0, 1, 3, 3, 1, 0, 1};
    if (id < 1 || id > 8) return DISP_E_MEMBERNOTFOUND;
    if (!p || p->cArgs != kArgs[id - 1]) return DISP_E_BADPARAMCOUNT;
    state& s = g();
    switch (id) {
      case 1: {  // Log
        std::wstring all;
        for (const auto& l : s.log) all += (all.empty() ? L"" : L"\n") + l;
        s.log.clear();
        if (result) {
          V_VT(result) = VT_BSTR;
          V_BSTR(result) = SysAllocStringLen(all.data(), static_cast<UINT>(all.size()));
        }
        return S_OK;
      }
      case 2: s.reset(); return S_OK;
      case 3: s.failing[upper(text_arg(p, 0))] = true; return S_OK;
      case 4: {  // Write
        const std::wstring member = upper(text_arg(p, 0));
        VARIANT index;
        VariantInit(&index);
        if (FAILED(VariantChangeType(&index, const_cast<VARIANT*>(deref(&p->rgvarg[1])), 0, VT_I4)))
          return DISP_E_TYPEMISMATCH;
        auto& w = s.writes[member];
        VariantClear(&w.second);
        w.first = static_cast<UINT>(V_I4(&index));
        VariantCopy(&w.second, const_cast<VARIANT*>(deref(&p->rgvarg[0])));
        return S_OK;
      }
      case 5: s.callbacks[upper(text_arg(p, 0))] = callback{text_arg(p, 1), text_arg(p, 2)}; return S_OK;
      case 6: {  // Preset
        const VARIANT* v = deref(&p->rgvarg[0]);
        IDispatch* d = V_VT(v) == VT_DISPATCH ? V_DISPATCH(v) : nullptr;
        if (d) d->AddRef();
        if (s.preset) s.preset->Release();
        s.preset = d;
        return S_OK;
      }
      case 7:  // Live
        if (result) {
          V_VT(result) = VT_I4;
          V_I4(result) = static_cast<LONG>(s.alive.size());
        }
        return S_OK;
      case 8: {  // ClsConnectOf
        VARIANT n;
        VariantInit(&n);
        if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(deref(&p->rgvarg[0])), 0, VT_I4)))
          return DISP_E_TYPEMISMATCH;
        auto it = s.alive.find(V_I4(&n));
        if (result && it != s.alive.end()) {
          V_VT(result) = VT_DISPATCH;
          V_DISPATCH(result) = it->second->cls_connect();
          if (V_DISPATCH(result)) V_DISPATCH(result)->AddRef();
        }
        return S_OK;
      }
    }
    return DISP_E_MEMBERNOTFOUND;
  }
};

// --- Class objects ------------------------------------------------------------------

template <class T>
class factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ret = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ret = nullptr;
    return E_NOINTERFACE;
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

HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret) {
  static factory<sibling> siblings;
  static factory<control> controls;
  if (IsEqualCLSID(rclsid, kSiblingClsid)) return siblings.QueryInterface(riid, ret);
  if (IsEqualCLSID(rclsid, kControlClsid)) return controls.QueryInterface(riid, ret);
  *ret = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT register_classes(const wchar_t* module_path) {
  for (const class_desc& d : kClasses) {
    const std::wstring key = std::wstring(L"CLSID\\") + d.clsid_text;
    if (set_value(key + L"\\InprocServer32", nullptr, module_path) != ERROR_SUCCESS ||
        set_value(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") != ERROR_SUCCESS ||
        set_value(std::wstring(d.progid) + L"\\CLSID", nullptr, d.clsid_text) != ERROR_SUCCESS)
      return SELFREG_E_CLASS;
  }
  return S_OK;
}

void unregister_classes() {
  for (const class_desc& d : kClasses) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + d.clsid_text).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, d.progid);
  }
}

LONG live_objects() { return g_objects; }

}  // namespace fake_sibling
