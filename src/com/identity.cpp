#include "com/identity.h"

#include <map>
#include <mutex>

#include "com/client_call.h"
#include "com/errors.h"
#include "com/host_adapters.h"

namespace veldrane::com {

namespace {

// Core objects served by COM objects of this DLL.
std::mutex g_served_mutex;
std::map<const object*, IDispatch*> g_served;

}  // namespace

value wrap_object(IUnknown* p) {
  if (!p) return value::nothing();
  if (object_ptr ai = adapt_active_interface(p)) return value(std::move(ai));
  return value(late_bound_object(com_ptr<IUnknown>::share(p)));
}

void serve(const object* core, IDispatch* iface) {
  std::lock_guard<std::mutex> lock(g_served_mutex);
  g_served[core] = iface;
}

void stop_serving(const object* core) {
  std::lock_guard<std::mutex> lock(g_served_mutex);
  g_served.erase(core);
}

com_ptr<IDispatch> unwrap_dispatch(const object_ptr& o) {
  if (!o) return {};
  {
    std::lock_guard<std::mutex> lock(g_served_mutex);
    auto it = g_served.find(o.get());
    if (it != g_served.end()) return com_ptr<IDispatch>::share(it->second);
  }
  const auto* backed = dynamic_cast<const com_backed*>(o.get());
  if (!backed) raise_own(err::type_mismatch);
  com_ptr<IDispatch> d = com_ptr<IUnknown>::share(backed->identity()).query<IDispatch>(IID_IDispatch);
  if (!d) raise_own(err::type_mismatch);
  return d;
}

}  // namespace veldrane::com
