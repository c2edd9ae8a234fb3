// Self-registration: the class keys from the installer's rows, the type
// library, and the library's path under the neutral locale; machine-wide
// (DllRegisterServer) or for the current user (DllInstall).
#include "com_classes.h"  // first: it includes the core headers before the Windows ones

#include "com/registration.h"

#include <olectl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "com/module.h"

// The per-user type-library registration of oleaut32 (Windows Vista SP1 and
// later), which the mingw-w64 headers do not declare.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* help_dir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace veldrane::com {

namespace {

// --- The keys both registrations write ---------------------------------------

LSTATUS set_value(HKEY key, const wchar_t* subkey, const wchar_t* name, const std::wstring& data) {
  HKEY k = nullptr;
  LSTATUS rc = RegCreateKeyExW(key, subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return rc;
}

// The class keys go under `root`: HKEY_CLASSES_ROOT for the machine,
// HKEY_CURRENT_USER\Software\Classes for one user. The rows are the
// installer's (com_classes.h, generated with the installer source).
template <class Class>
bool register_class(HKEY root, const std::wstring& path) {
  bool ok = true;
  for (const gen::registry_value& v : Class::registry)
    ok = set_value(root, v.key, v.name, v.value ? std::wstring(v.value) : path) == ERROR_SUCCESS && ok;
  return ok;
}

bool removed(LSTATUS rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND; }

// The registry view of the other architecture's DLL (on 64-bit Windows).
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// The ProgIDs are one key for both architectures on 64-bit Windows (of a
// class's keys only the class key has a view per architecture): while the
// other architecture's DLL has the class registered in the same place
// (`base`: HKEY_LOCAL_MACHINE for the machine, HKEY_CURRENT_USER for one
// user), its clients still need them. Asked once this DLL's own class key
// is gone, so that where there is no other view (32-bit Windows, where the
// flag opens the same one) the answer is no.
template <class Class>
bool other_architecture_has(HKEY base) {
  const std::wstring key = std::wstring(L"Software\\Classes\\") + Class::class_key + L"\\InprocServer32";
  HKEY k = nullptr;
  if (RegOpenKeyExW(base, key.c_str(), 0, KEY_READ | kOtherView, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

template <class Class>
bool unregister_class(HKEY root, HKEY base) {
  bool ok = removed(RegDeleteTreeW(root, Class::class_key));
  if (other_architecture_has<Class>(base)) return ok;
  for (const wchar_t* key : Class::progid_keys) ok = removed(RegDeleteTreeW(root, key)) && ok;
  return ok;
}

bool register_classes(HKEY root, const std::wstring& path) {
  bool ok = true;
#define VELDRANE_REGISTER(C) ok = register_class<gen::C>(root, path) && ok;
  VELDRANE_FOR_EACH_CLASS(VELDRANE_REGISTER)
#undef VELDRANE_REGISTER
  return ok;
}

bool unregister_classes(HKEY root, HKEY base) {
  bool ok = true;
#define VELDRANE_UNREGISTER(C) ok = unregister_class<gen::C>(root, base) && ok;
  VELDRANE_FOR_EACH_CLASS(VELDRANE_UNREGISTER)
#undef VELDRANE_UNREGISTER
  return ok;
}

// The library is registered for this DLL's own architecture.
constexpr SYSKIND kTypelibKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// TypeLib\{...}\<version>\<lcid>\win64 (or win32): where the library's path
// is registered for this architecture under the locale `lcid`.
std::wstring typelib_path_key(unsigned long lcid) {
  wchar_t tail[32];
  swprintf(tail, 32, L"\\%lx\\%ls", lcid, kTypelibKind == SYS_WIN64 ? L"win64" : L"win32");
  return gen::kTypeLibKey + std::wstring(tail);
}

// The type-library marshaler, which serves a dual interface reached through
// a proxy (an object created from a multithreaded apartment, or passed to
// another apartment), looks for the library under the neutral locale;
// the library's own is 409. Registration also writes the library's path
// under the neutral locale, for this architecture, and removal takes it
// away (first, so that removing the library's own registration finds
// nothing else under its version key and removes that key too).
bool register_neutral_locale(HKEY root, const std::wstring& path) {
  // The same path as the registration under the library's own locale.
  std::wstring registered(MAX_PATH * 2, L'\0');
  DWORD size = static_cast<DWORD>(registered.size() * sizeof(wchar_t));
  if (RegGetValueW(root, typelib_path_key(gen::kLibraryLcid).c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                   registered.data(), &size) == ERROR_SUCCESS && size >= sizeof(wchar_t))
    registered.resize(size / sizeof(wchar_t) - 1);
  else
    registered = path;
  return set_value(root, typelib_path_key(0).c_str(), nullptr, registered) == ERROR_SUCCESS;
}

// A key that registration may have created, removed when nothing (no
// subkey, no value) is left in it.
void remove_if_empty(HKEY root, const wchar_t* name) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(root, name, 0, KEY_READ, &k) != ERROR_SUCCESS) return;
  DWORD subkeys = 1, values = 1;
  const bool empty = RegQueryInfoKeyW(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                      nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                     subkeys == 0 && values == 0;
  RegCloseKey(k);
  if (empty) RegDeleteKeyW(root, name);
}

void unregister_neutral_locale(HKEY root) {
  const std::wstring key = typelib_path_key(0);
  RegDeleteKeyW(root, key.c_str());
  // The locale's key goes when no other architecture's path is left in it.
  remove_if_empty(root, key.substr(0, key.rfind(L'\\')).c_str());
}

bool has_typelib_key(HKEY root) {
  HKEY key = nullptr;
  const std::wstring typelib_key = std::wstring(L"TypeLib\\") + gen::kLibraryId;
  if (RegOpenKeyExW(root, typelib_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// --- Per user ----------------------------------------------------------------

// While it lives, HKEY_CLASSES_ROOT stands for the user's classes key in
// this process. RegisterTypeLibForUser and UnRegisterTypeLibForUser write
// the user's keys themselves on Windows, but some implementations (wine's)
// fall back to the machine-wide ones; under the override they reach the
// user's keys either way.
class classes_root_override {
 public:
  explicit classes_root_override(HKEY user_classes)
      : active_(RegOverridePredefKey(HKEY_CLASSES_ROOT, user_classes) == ERROR_SUCCESS) {}
  ~classes_root_override() {
    if (active_) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  }
  classes_root_override(const classes_root_override&) = delete;
  classes_root_override& operator=(const classes_root_override&) = delete;

 private:
  bool active_;
};

// --- The other registry view -------------------------------------------------

// Implementations that register a library in both registry views (wine's)
// also write and delete the interface keys of the other view (kOtherView:
// the 32-bit one for this 64-bit DLL) machine-wide, out of reach of the
// override. A registration meant for one user takes back the keys it added
// there, and a removal puts back the machine's own keys it deleted there.

/// A registry key with its values and subkeys, as read.
struct saved_key {
  struct value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::wstring name;
  std::vector<value> values;
  std::vector<saved_key> subkeys;
};

saved_key read_tree(HKEY key, std::wstring name) {
  saved_key out{std::move(name), {}, {}};
  wchar_t buf[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256, type = 0, size = 0;
    if (RegEnumValueW(key, i, buf, &len, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size);
    len = 256;
    if (RegEnumValueW(key, i, buf, &len, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
      out.values.push_back({std::wstring(buf, len), type, std::move(data)});
  }
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(key, i, buf, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, buf, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    out.subkeys.push_back(read_tree(sub, std::wstring(buf, len)));
    RegCloseKey(sub);
  }
  return out;
}

void write_tree(HKEY parent, const saved_key& k, REGSAM view) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(parent, k.name.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& v : k.values)
    RegSetValueExW(key, v.name.empty() ? nullptr : v.name.c_str(), 0, v.type, v.data.data(),
                   static_cast<DWORD>(v.data.size()));
  for (const saved_key& sub : k.subkeys) write_tree(key, sub, view);
  RegCloseKey(key);
}

/// The machine's interface keys of the other view for the library's
/// automation interfaces: the names of those missing, and those present
/// as they are.
struct other_view_interfaces {
  std::vector<std::wstring> missing;
  std::vector<saved_key> present;
};

other_view_interfaces read_other_view_interfaces() {
  other_view_interfaces out;
  ITypeLib* tl = nullptr;
  if (FAILED(type_library(&tl))) return out;
  for (UINT i = 0, n = tl->GetTypeInfoCount(); i < n; ++i) {
    ITypeInfo* ti = nullptr;
    if (FAILED(tl->GetTypeInfo(i, &ti))) continue;
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(ti->GetTypeAttr(&attr))) {
      if (attr->typekind == TKIND_DISPATCH ||
          (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION))) {
        wchar_t iid[40];
        StringFromGUID2(attr->guid, iid, 40);
        std::wstring name = std::wstring(L"Software\\Classes\\Interface\\") + iid;
        HKEY k = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ | kOtherView, &k) == ERROR_SUCCESS) {
          out.present.push_back(read_tree(k, std::move(name)));
          RegCloseKey(k);
        } else {
          out.missing.push_back(std::move(name));
        }
      }
      ti->ReleaseTypeAttr(attr);
    }
    ti->Release();
  }
  tl->Release();
  return out;
}

bool machine_key_exists(const std::wstring& name) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ | kOtherView, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void take_back_added(const other_view_interfaces& before) {
  for (const std::wstring& name : before.missing) {
    if (!machine_key_exists(name)) continue;  // not written: nothing to take back
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_ALL_ACCESS | kOtherView, &k) == ERROR_SUCCESS) {
      RegDeleteTreeW(k, nullptr);
      RegCloseKey(k);
    }
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), kOtherView, 0);
  }
}

void put_back_deleted(const other_view_interfaces& before) {
  for (const saved_key& k : before.present)
    if (!machine_key_exists(k.name)) write_tree(HKEY_LOCAL_MACHINE, k, kOtherView);
}

// --- Per user, with the other view kept as it was ----------------------------

HRESULT register_for_user(HKEY user_classes) {
  const std::wstring path = module_path();
  if (path.empty()) return SELFREG_E_CLASS;
  ITypeLib* tl = nullptr;
  if (FAILED(type_library(&tl))) return SELFREG_E_TYPELIB;
  const other_view_interfaces before = read_other_view_interfaces();
  HRESULT hr;
  {
    classes_root_override to_user(user_classes);
    hr = RegisterTypeLibForUser(tl, const_cast<wchar_t*>(path.c_str()), nullptr);
  }
  take_back_added(before);
  tl->Release();
  if (FAILED(hr) || !register_neutral_locale(user_classes, path)) return SELFREG_E_TYPELIB;
  return register_classes(user_classes, path) ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregister_for_user(HKEY user_classes) {
  bool ok = unregister_classes(user_classes, HKEY_CURRENT_USER);
  unregister_neutral_locale(user_classes);
  if (has_typelib_key(user_classes)) {
    const other_view_interfaces before = read_other_view_interfaces();
    {
      classes_root_override to_user(user_classes);
      if (FAILED(UnRegisterTypeLibForUser(LIBID_VELDRANE, gen::kLibraryMajor, gen::kLibraryMinor,
                                          gen::kLibraryLcid, kTypelibKind)))
        ok = false;
    }
    put_back_deleted(before);
  }
  for (const wchar_t* folder : {L"CLSID", L"Interface", L"TypeLib"}) remove_if_empty(user_classes, folder);
  return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace

// --- The entries: machine-wide, and per user ---------------------------------

HRESULT register_machine() {
  const std::wstring path = module_path();
  if (path.empty()) return SELFREG_E_CLASS;
  ITypeLib* tl = nullptr;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &tl))) return SELFREG_E_TYPELIB;
  tl->Release();
  if (!register_neutral_locale(HKEY_CLASSES_ROOT, path)) return SELFREG_E_TYPELIB;
  return register_classes(HKEY_CLASSES_ROOT, path) ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregister_machine() {
  bool ok = unregister_classes(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE);
  unregister_neutral_locale(HKEY_CLASSES_ROOT);
  // Also removes the interface keys that registering the library wrote.
  // Unregistering twice is harmless: without the library's key there is
  // nothing left to remove.
  if (has_typelib_key(HKEY_CLASSES_ROOT) &&
      FAILED(UnRegisterTypeLib(LIBID_VELDRANE, gen::kLibraryMajor, gen::kLibraryMinor, gen::kLibraryLcid,
                               kTypelibKind)))
    ok = false;
  return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT install_for_user(bool install) {
  HKEY root = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &root,
                      nullptr) != ERROR_SUCCESS)
    return install ? SELFREG_E_CLASS : S_OK;
  HRESULT hr = install ? register_for_user(root) : unregister_for_user(root);
  // A failed registration leaves nothing half written.
  if (install && FAILED(hr)) unregister_for_user(root);
  RegCloseKey(root);
  return hr;
}

}  // namespace veldrane::com
