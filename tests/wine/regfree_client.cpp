// A client that finds VELDRANE.dll through its application manifest alone
// (regfree_client.exe.manifest, depending on the side-by-side assembly
// beside it), in a prefix where nothing is registered: each class created by
// its ProgID, its version-dependent ProgID and its class identifier, and a
// member called late-bound. Prints "DONE" when every check passed.
#include "com/variant.h"  // core headers before <windows.h>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "client.h"
#include "veldrane.h"

namespace {

using namespace client;

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

void check(const probe& p, const CLSID& clsid, const wchar_t* how) {
  IDispatch* obj = create<IDispatch>(clsid, IID_IDispatch);
  if (!obj) return;
  std::vector<VARIANT> args;
  if (p.argument) args.push_back(text(p.argument));
  ok(!p.method || late(obj, p.method, args) == S_OK, "%ls by %ls: the method", p.progid, how);
  VARIANT v;
  VariantInit(&v);
  ok(call(obj, id_of(obj, p.property), DISPATCH_PROPERTYGET, {}, &v) == S_OK &&
         VariantChangeType(&v, &v, 0, VT_BSTR) == S_OK && wcsncmp(V_BSTR(&v), p.expected, wcslen(p.expected)) == 0,
     "%ls by %ls: the property", p.progid, how);
  VariantClear(&v);
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
    const bool registered = RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) == ERROR_SUCCESS;
    ok(!registered, "%ls: registered in this prefix", p.progid);
    if (registered) RegCloseKey(k);
    // Within an activation context the ProgID may map to a stand-in
    // identifier of the manifest's class rather than to the class's own.
    const std::wstring versioned = std::wstring(p.progid) + L".1";
    for (const wchar_t* progid : {p.progid, versioned.c_str()}) {
      CLSID clsid;
      const HRESULT hr = CLSIDFromProgID(progid, &clsid);
      ok(hr == S_OK, "%ls: unknown ProgID: %#lx", progid, hr);
      if (hr == S_OK) check(p, clsid, progid);
    }
    check(p, *p.clsid, L"class identifier");
  }
  CoUninitialize();
  std::printf("%d checks, %d failures\n", g_checks, g_failures);
  if (g_failures == 0) std::printf("DONE\n");
  return g_failures;
}
