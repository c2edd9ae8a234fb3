// A client that finds VELDRANE.dll through its application manifest alone
// (regfree_client.exe.manifest, depending on the side-by-side assembly
// beside it), in a prefix where nothing is registered: each class created by
// its ProgID, its version-dependent ProgID and its class identifier, and a
// member called late-bound.
//
// Usage: regfree_client. Prints one line per failed check, then "DONE"
// when every check passed; the exit status is the number of failures.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "veldrane.h"

namespace {

int g_failures = 0;

void fail(const wchar_t* progid, const char* how, const char* what, HRESULT hr) {
  ++g_failures;
  std::printf("FAIL %ls by %s: %s (0x%08lX)\n", progid, how, what, static_cast<unsigned long>(hr));
}

HRESULT invoke(IDispatch* obj, const wchar_t* name, WORD kind, VARIANT* arg, VARIANT* result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = obj->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS params = {arg, nullptr, arg ? 1u : 0u, 0};
  return obj->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

// One class: a method called with one text argument (or none), then a
// property whose text must begin with `expected`.
struct probe {
  const wchar_t* progid;
  const CLSID* clsid;
  const wchar_t* method;
  const wchar_t* argument;
  const wchar_t* property;
  const wchar_t* expected;
};

void check(const probe& p, const CLSID& clsid, const char* how) {
  IDispatch* obj = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&obj));
  if (FAILED(hr)) return fail(p.progid, how, "not created", hr);
  VARIANT arg, result;
  VariantInit(&result);
  V_VT(&arg) = VT_BSTR;
  V_BSTR(&arg) = p.argument ? SysAllocString(p.argument) : nullptr;
  if (p.method && FAILED(hr = invoke(obj, p.method, DISPATCH_METHOD, p.argument ? &arg : nullptr, nullptr)))
    fail(p.progid, how, "method failed", hr);
  else if (FAILED(hr = invoke(obj, p.property, DISPATCH_PROPERTYGET, nullptr, &result)) ||
           FAILED(hr = VariantChangeType(&result, &result, 0, VT_BSTR)))
    fail(p.progid, how, "property unreadable", hr);
  else if (wcsncmp(V_BSTR(&result), p.expected, wcslen(p.expected)) != 0)
    fail(p.progid, how, "unexpected property value", S_OK);
  VariantClear(&arg);
  VariantClear(&result);
  obj->Release();
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  const probe probes[] = {
      {L"VELDRANE.CLSMG_LOOKUP", &CLSID_CLSMG_LOOKUP, L"Operatori", nullptr, L"IDLookup", L"Lkp_Operatori"},
      {L"VELDRANE.CLSMG_DECODE", &CLSID_CLSMG_DECODE, L"Operatore", L"ABC", L"StringaSQL", L" SELECT"},
      {L"VELDRANE.CLSMG_CONNECT", &CLSID_CLSMG_CONNECT, nullptr, nullptr, L"ProgramMode", L"2"},
  };
  for (const probe& p : probes) {
    // Nothing may come from the registry here.
    wchar_t key[60] = L"CLSID\\";
    StringFromGUID2(*p.clsid, key + 6, 40);
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) == ERROR_SUCCESS) {
      RegCloseKey(k);
      fail(p.progid, "registry", "registered in this prefix", S_OK);
    }
    // Within an activation context the ProgID may map to a stand-in
    // identifier of the manifest's class rather than to the class's own.
    const std::wstring versioned = std::wstring(p.progid) + L".1";
    for (const wchar_t* progid : {p.progid, versioned.c_str()}) {
      const char* how = progid == p.progid ? "ProgID" : "version-dependent ProgID";
      CLSID clsid;
      HRESULT hr = CLSIDFromProgID(progid, &clsid);
      if (FAILED(hr)) fail(p.progid, how, "unknown ProgID", hr);
      else check(p, clsid, how);
    }
    check(p, *p.clsid, "class identifier");
  }
  CoUninitialize();
  if (g_failures == 0) std::printf("DONE\n");
  return g_failures;
}
