#include "host/binding.h"

namespace veldrane::host {

namespace {
std::shared_ptr<user_context> user_of(active_interface& host) {
  std::shared_ptr<environment> env = host.environment_object();
  std::shared_ptr<user_context> user = deref(env).user();
  deref(user);
  return user;
}
}  // namespace

std::shared_ptr<filter_builder> bind_filter_builder(class_factory& classes, active_interface& host,
                                                    std::int32_t company) {
  std::shared_ptr<filter_builder> builder = classes.create_filter_builder();
  std::shared_ptr<connection> conn = host.database_connection();
  builder->set_connection(conn);
  builder->set_connection_text(deref(conn).connection_string());
  builder->set_text7(to_text(user_of(host)->text4()));
  builder->set_text9(to_text(user_of(host)->text1()));
  builder->set_text11(to_text(user_of(host)->text1()));
  builder->set_company(company);
  std::shared_ptr<environment> env = host.environment_object();
  builder->set_flag14(!to_bool(deref(env).filters_apply()));
  return builder;
}

}  // namespace veldrane::host
