#include "com/events.h"

#include <olectl.h>

#include <algorithm>
#include <new>

#include "com/module.h"

namespace veldrane::com {

namespace {

void add_ref(CONNECTDATA& c) { c.pUnk->AddRef(); }
void release(CONNECTDATA& c) { c.pUnk->Release(); }
void add_ref(IConnectionPoint* p) { p->AddRef(); }
void release(IConnectionPoint* p) { p->Release(); }

/// An enumerator over a snapshot taken when it was made; it holds a
/// reference to every item it lists.
template <class Enum, class Item>
class snapshot_enum final : public Enum {
 public:
  snapshot_enum(const IID& iid, std::vector<Item> items, ULONG position = 0)
      : iid_(iid), items_(std::move(items)), position_(position) {
    for (Item& i : items_) add_ref(i);
    add_module_ref();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override {
    if (!ret) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, iid_)) {
      *ret = this;
      AddRef();
      return S_OK;
    }
    *ret = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&ref_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&ref_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < items_.size(); ++n, ++position_) {
      out[n] = items_[position_];
      add_ref(out[n]);
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const ULONG left = static_cast<ULONG>(items_.size()) - position_;
    position_ += std::min(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Enum** ret) override {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    auto* copy = new (std::nothrow) snapshot_enum(iid_, items_, position_);
    if (!copy) return E_OUTOFMEMORY;
    *ret = copy;
    return S_OK;
  }

 private:
  ~snapshot_enum() {
    for (Item& i : items_) release(i);
    release_module_ref();
  }

  LONG ref_ = 1;
  const IID& iid_;
  std::vector<Item> items_;
  ULONG position_;
};

}  // namespace

// --- connection_point -------------------------------------------------------

HRESULT STDMETHODCALLTYPE connection_point::QueryInterface(REFIID riid, void** ret) {
  if (!ret) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
    *ret = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *ret = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE connection_point::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE connection_point::GetConnectionPointContainer(IConnectionPointContainer** ret) {
  if (!ret) return E_POINTER;
  *ret = &owner_;
  owner_.AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE connection_point::Advise(IUnknown* sink_object, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink_object) return E_POINTER;
  // The sink answers the source interface, or at least IDispatch (a script
  // engine's sink knows the events only by dispatch id).
  com_ptr<IUnknown> unknown = com_ptr<IUnknown>::share(sink_object);
  com_ptr<IDispatch> target = unknown.query<IDispatch>(iid_);
  if (!target) target = unknown.query<IDispatch>(IID_IDispatch);
  if (!target) return CONNECT_E_CANNOTCONNECT;
  try {
    sinks_.push_back({next_cookie_, std::move(target)});
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  *cookie = next_cookie_++;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE connection_point::Unadvise(DWORD cookie) {
  auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](const sink& s) { return s.cookie == cookie; });
  if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
  // Released after leaving the list: the sink's release may call back.
  com_ptr<IDispatch> released = std::move(it->target);
  sinks_.erase(it);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE connection_point::EnumConnections(IEnumConnections** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  try {
    std::vector<CONNECTDATA> items;
    for (const sink& s : sinks_) items.push_back({s.target.get(), s.cookie});
    *ret = new snapshot_enum<IEnumConnections, CONNECTDATA>(IID_IEnumConnections, std::move(items));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void connection_point::fire(DISPID id, DISPPARAMS& params) {
  // A handler may advise or unadvise while it runs: walk a copy.
  const std::vector<sink> targets = sinks_;
  for (const sink& s : targets) {
    EXCEPINFO info{};
    UINT bad_arg = 0;
    const HRESULT hr =
        s.target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &info, &bad_arg);
    if (hr == DISP_E_EXCEPTION) {
      if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrDescription);
      SysFreeString(info.bstrHelpFile);
    }
  }
}

// --- connection_point_container --------------------------------------------

HRESULT STDMETHODCALLTYPE connection_point_container::FindConnectionPoint(REFIID riid, IConnectionPoint** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  IID source{};
  point_.GetConnectionInterface(&source);
  if (!IsEqualIID(riid, source)) return CONNECT_E_NOCONNECTION;
  *ret = &point_;
  point_.AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE connection_point_container::EnumConnectionPoints(IEnumConnectionPoints** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  try {
    *ret = new snapshot_enum<IEnumConnectionPoints, IConnectionPoint*>(IID_IEnumConnectionPoints, {&point_});
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace veldrane::com
