#include "com/ado.h"

#include "com/client_call.h"
#include "com/identity.h"

namespace veldrane::com {

namespace {

com_ptr<IDispatch> dispatch_of(const value& v) {
  if (!v.is_object() || v.is_nothing()) raise(err::object_not_set, std::string(kHostSource));
  return unwrap_dispatch(v.as_object());
}

class ado_recordset final : public host::recordset, public com_backed {
 public:
  explicit ado_recordset(com_ptr<IDispatch> rs) : rs_(std::move(rs)) {}
  bool eof() override { return to_bool(late_get(rs_.get(), "EOF")); }
  bool bof() override { return to_bool(late_get(rs_.get(), "BOF")); }
  value field(std::int32_t index) override {
    com_ptr<IDispatch> fields = dispatch_of(late_get(rs_.get(), "Fields"));
    value i(index);
    com_ptr<IDispatch> item = dispatch_of(late_get(fields.get(), "Item", {&i}));
    return late_get(item.get(), "Value");
  }
  IUnknown* identity() const override { return rs_.get(); }

 private:
  com_ptr<IDispatch> rs_;
};

class ado_connection final : public host::connection, public com_backed {
 public:
  explicit ado_connection(com_ptr<IDispatch> c) : c_(std::move(c)) {}
  std::shared_ptr<host::recordset> execute(std::string_view command_text, value& records_affected,
                                           std::int32_t options) override {
    value text(command_text), opts(options);
    value rs = late_call(c_.get(), "Execute", member_kind::method, {&text, &records_affected, &opts}, kHostSource);
    if (!rs.is_object() || rs.is_nothing()) return nullptr;
    return std::make_shared<ado_recordset>(unwrap_dispatch(rs.as_object()));
  }
  std::string connection_string() override { return to_text(late_get(c_.get(), "ConnectionString")); }
  IUnknown* identity() const override { return c_.get(); }

 private:
  com_ptr<IDispatch> c_;
};

}  // namespace

std::shared_ptr<host::connection> adapt_connection(IDispatch* d) {
  if (!d) return nullptr;
  return std::make_shared<ado_connection>(com_ptr<IDispatch>::adopt(d));
}

IDispatch* connection_dispatch(const std::shared_ptr<host::connection>& c) { return unwrap_dispatch(c).detach(); }

}  // namespace veldrane::com
