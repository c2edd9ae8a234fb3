// The connector's events as COM clients receive them: the core's
// DataTransfer and CloseForm raised through the connection point of the
// source interface. Cancel travels by reference through every sink and
// back to the core, so the caller of TransferData sees a handler's change.
#include "com_classes.h"  // first: it includes the core headers before the Windows ones

#include "com/events.h"
#include "com/variant.h"

namespace veldrane::com {

namespace {

using events = gen::connect_class::events;

class event_relay final : public connect_events {
 public:
  explicit event_relay(connection_point& point) : point_(point) {}

  void data_transfer(bool& cancel, const value& data, std::int32_t called_program) override {
    VARIANT_BOOL c = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    variant_holder d;
    to_variant(data, d.get());
    // DISPPARAMS lists the arguments last to first. Data is lent, not given.
    VARIANT args[3];
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = called_program;
    args[1] = *d;
    V_VT(&args[2]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[2]) = &c;
    DISPPARAMS params{args, nullptr, 3, 0};
    point_.fire(events::DataTransfer, params);
    cancel = c != VARIANT_FALSE;
  }

  void close_form(std::int32_t called_program) override {
    VARIANT arg;
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = called_program;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    point_.fire(events::CloseForm, params);
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
