// The COM object of one class: the generated dual interface (whose thunks
// call `call`), IDispatch answered from the member table, ISupportErrorInfo,
// IProvideClassInfo2 (the coclass and its event interface, which script
// hosts look up to bind events), for a class with events
// IConnectionPointContainer and its connection point, and the portable core
// object it serves. Also the class's factory.
#pragma once

#include "com_classes.h"  // first: it includes the core headers before the Windows ones

#include <memory>
#include <new>
#include <type_traits>

#include "com/dispatch.h"
#include "com/events.h"
#include "com/identity.h"
#include "com/late_bound.h"
#include "com/module.h"
#include "com/platform.h"

namespace veldrane::com {

/// What a class with a source interface adds: the container of its
/// connection point. Nothing for the others.
template <class Class, bool = Class::has_events>
struct event_base {};
template <class Class>
struct event_base<Class, true> : connection_point_container {
  event_base() : connection_point_container(Class::source_iid()) {}
};

template <class Class>
class dual_object final : public Class::template dual<dual_object<Class>>,
                          public ISupportErrorInfo,
                          public IProvideClassInfo2,
                          public event_base<Class> {
  using iface = typename Class::iface;
  using core_type = typename Class::core;

 public:
  static HRESULT create(REFIID riid, void** ret) noexcept {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    dual_object* obj = nullptr;
    try {
      obj = new dual_object();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
    HRESULT hr = obj->QueryInterface(riid, ret);
    obj->Release();
    return hr;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || answers(riid)) {
      *ret = static_cast<iface*>(this);
    } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
      *ret = static_cast<ISupportErrorInfo*>(this);
    } else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2)) {
      *ret = static_cast<IProvideClassInfo2*>(this);
    } else if (Class::has_events && IsEqualIID(riid, IID_IConnectionPointContainer)) {
      *ret = container();
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&ref_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&ref_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  // IDispatch: names and calls are answered from the member table
  // (late_bound.h); the type library describes the same members to the
  // clients that read it, through GetTypeInfo.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** ret) override {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return interface_type_info(Class::type_index, Class::iid(), ret);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const name_index* index = names_index();
    if (!index) return E_OUTOFMEMORY;
    return late_bound_ids(*index, core_type::info().members, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT* arg_err) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const name_index* index = names_index();
    if (!index) return E_OUTOFMEMORY;
    AddRef();  // as in `call`
    const HRESULT hr = late_bound_invoke(*core_, *index, core_type::info().members, id, flags, params, result, info,
                                         arg_err, Class::source, Class::iid());
    Release();
    return hr;
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return answers(riid) ? S_OK : S_FALSE;
  }

  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** ret) override { return coclass_type_info(Class::clsid(), ret); }
  /// The default source interface: the class's event interface. A class
  /// without events has none, and says that this kind is not one it
  /// supports.
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* ret) override {
    if (!ret) return E_POINTER;
    *ret = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    if constexpr (Class::has_events) {
      *ret = Class::source_iid();
      return S_OK;
    } else {
      return E_INVALIDARG;
    }
  }

  /// Called by every thunk of the dual interface with the member's row.
  HRESULT call(std::size_t row, std::span<const raw_arg> args, const raw_result& result) noexcept {
    const auto& info = core_type::info();
    // A call may release the caller's own reference (a sibling that lets go
    // of the connector it was handed): the object stays until it returns.
    AddRef();
    const HRESULT hr = dispatch_call(*core_, info.members[row], args, result, Class::source, Class::iid());
    Release();
    return hr;
  }

 private:
  // The core object is shared: the connector hands itself on as an object.
  // What can fail comes first, so that a failed construction leaves no
  // record behind.
  dual_object() : core_(std::make_shared<core_type>(dll_platform())) {
    if constexpr (Class::has_events) Class::bind_events(*core_, this->point());
    if constexpr (std::is_base_of_v<object, core_type>)
      serve(static_cast<const object*>(core_.get()), static_cast<iface*>(this));
    add_module_ref();
  }
  ~dual_object() {
    if constexpr (std::is_base_of_v<object, core_type>) stop_serving(static_cast<const object*>(core_.get()));
    // The core object's destructor writes its trace line and releases the
    // framework objects it made; the module may unload only afterwards.
    core_.reset();
    release_module_ref();
  }

  /// The class's members by name and dispatch id, built at first use.
  static const name_index* names_index() noexcept {
    try {
      static const name_index index(core_type::info().members);
      return &index;
    } catch (...) {
      return nullptr;
    }
  }

  IConnectionPointContainer* container() {
    if constexpr (Class::has_events) return static_cast<IConnectionPointContainer*>(this);
    else return nullptr;
  }

  /// The current interface and its identifiers in earlier releases.
  static bool answers(REFIID riid) {
    if (IsEqualIID(riid, Class::iid())) return true;
    for (const IID& legacy : Class::legacy_iids)
      if (IsEqualIID(riid, legacy)) return true;
    return false;
  }

  LONG ref_ = 1;
  std::shared_ptr<core_type> core_;
};

/// The class factory of one class: a static object, refusing aggregation.
template <class Class>
class class_factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ret = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ret = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return dual_object<Class>::create(riid, ret);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override { return lock_server(lock); }
};

}  // namespace veldrane::com
