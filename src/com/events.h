// Connection points: how a client advises a sink for an object's events,
// and how the object raises an event to every advised sink.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "com/com_ptr.h"

namespace veldrane::com {

/// The connection point of an object's source interface. It lives inside
/// its object (its container) and shares the object's reference count.
class connection_point final : public IConnectionPoint {
 public:
  connection_point(IConnectionPointContainer& owner, const IID& iid) : owner_(owner), iid_(iid) {}
  connection_point(const connection_point&) = delete;
  connection_point& operator=(const connection_point&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ret) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

  // IConnectionPoint
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** ret) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** ret) override;

  /// Raises one event (a method of the source interface) to every advised
  /// sink, in the order they were advised; a by-reference argument carries
  /// one sink's change on to the next. A sink that fails is passed over:
  /// its error belongs to its own program.
  void fire(DISPID id, DISPPARAMS& params);

 private:
  struct sink {
    DWORD cookie;
    com_ptr<IDispatch> target;
  };

  IConnectionPointContainer& owner_;
  const IID& iid_;
  std::vector<sink> sinks_;
  DWORD next_cookie_ = 1;
};

/// IConnectionPointContainer of an object with one source interface. The
/// object derives from it and supplies IUnknown.
class connection_point_container : public IConnectionPointContainer {
 public:
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ret) override;
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** ret) override;

  connection_point& point() { return point_; }

 protected:
  explicit connection_point_container(const IID& source) : point_(*this, source) {}
  ~connection_point_container() = default;

 private:
  connection_point point_;
};

}  // namespace veldrane::com
