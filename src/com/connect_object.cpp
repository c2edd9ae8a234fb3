// The connector's events as COM clients receive them: the core's
// DataTransfer and CloseForm raised through the connection point of the
// source interface, their arguments passed as the event rows of the member
// table declare them (the rows the type library is generated from). Cancel
// travels by reference through every sink and back to the core, so the
// caller of TransferData sees a handler's change.
#include "com_classes.h"  // first: it includes the core headers before the Windows ones

#include "com/events.h"
#include "com/variant.h"

namespace veldrane::com {

namespace {

using events = gen::connect_class::events;

VARTYPE vartype_of(param_type t) {
  switch (t) {
    case param_type::string: return VT_BSTR;
    case param_type::integer: return VT_I2;
    case param_type::long_: return VT_I4;
    case param_type::boolean: return VT_BOOL;
    case param_type::object: return VT_DISPATCH;
    case param_type::none:
    case param_type::variant: break;
  }
  return VT_VARIANT;
}

/// The row of one of the connector's events, by its dispatch id.
const event_info& event_row(DISPID id) {
  for (const event_info& e : veldrane::connect::info().source->events)
    if (e.dispid == id) return e;
  raise(err::member_not_supported, "VELDRANE.CLSMG_CONNECT");
}

/// Raises an event with its arguments in the order of its row, each passed
/// as its parameter's type. A by-reference argument travels as a reference
/// to a VARIANT of that type, which the sinks may change; `args` then holds
/// what they left.
void raise_event(connection_point& point, DISPID id, std::span<value> args) {
  const event_info& e = event_row(id);
  const std::size_t n = e.params.size();
  if (args.size() != n) raise(err::wrong_argument_count, "VELDRANE.CLSMG_CONNECT");
  // The values are owned here and lent to the sinks.
  std::vector<variant_holder> values(n);
  // DISPPARAMS lists the arguments last to first.
  std::vector<VARIANT> passed(n);
  for (std::size_t i = 0; i < n; ++i) {
    const param_info& p = e.params[i];
    VARIANT* v = values[i].get();
    to_variant(args[i], v);
    const VARTYPE vt = vartype_of(p.type);
    if (vt != VT_VARIANT && V_VT(v) != vt) {
      HRESULT hr = VariantChangeType(v, v, 0, vt);
      if (FAILED(hr)) raise(err::type_mismatch, "VELDRANE.CLSMG_CONNECT");
    }
    VARIANT& slot = passed[n - 1 - i];
    if (!p.by_ref) {
      slot = *v;
    } else if (vt == VT_VARIANT) {
      V_VT(&slot) = VT_VARIANT | VT_BYREF;
      V_VARIANTREF(&slot) = v;
    } else {
      // A typed reference points at the value inside the VARIANT, where
      // every member of its union starts.
      V_VT(&slot) = vt | VT_BYREF;
      V_BYREF(&slot) = &V_I4(v);
    }
  }
  DISPPARAMS params{passed.data(), nullptr, static_cast<UINT>(n), 0};
  point.fire(id, params);
  for (std::size_t i = 0; i < n; ++i)
    if (e.params[i].by_ref) args[i] = from_variant(*values[i]);
}

class event_relay final : public connect_events {
 public:
  explicit event_relay(connection_point& point) : point_(point) {}

  void data_transfer(bool& cancel, const value& data, std::int32_t called_program) override {
    value args[] = {value(cancel), data, value(called_program)};
    raise_event(point_, events::DataTransfer, args);
    cancel = args[0].as_bool();
  }

  void close_form(std::int32_t called_program) override {
    value args[] = {value(called_program)};
    raise_event(point_, events::CloseForm, args);
  }

 private:
  // The point lives inside the COM object that owns the core object.
  connection_point& point_;
};

}  // namespace

void gen::connect_class::bind_events(veldrane::connect& obj, connection_point& point) {
  obj.advise(std::make_shared<event_relay>(point));
}

}  // namespace veldrane::com
