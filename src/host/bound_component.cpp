#include "host/bound_component.h"

#include "convert/converters.h"
#include "host/binding.h"
#include "host/classes.h"

namespace veldrane {

namespace {
template <class T>
std::shared_ptr<T> checked(std::shared_ptr<T> p) {
  host::deref(p);
  return p;
}
}  // namespace

host_bound_component::~host_bound_component() {
  if (filter_builder_) {
    try {
      filter_builder_->set_connection(nullptr);
    } catch (const std::exception&) {
      // Teardown goes on; the builder is released all the same.
    }
    filter_builder_.reset();
  }
  active_.reset();
}

std::int32_t host_bound_component::codice_ditta() {
  if (ditta_ != 0) return ditta_;
  try {
    return to_long(DecimalOrZero(company_context()->company_code()));
  } catch (const automation_error&) {
    return 0;
  }
}

host::active_interface& host_bound_component::host_interface() { return host::deref(active_); }
std::shared_ptr<host::environment> host_bound_component::environment() {
  return checked(host_interface().environment_object());
}
std::shared_ptr<host::company_context> host_bound_component::company_context() {
  return checked(environment()->company());
}
std::shared_ptr<host::user_context> host_bound_component::user_context() { return checked(environment()->user()); }

std::string host_bound_component::language(language_source src, std::string_view fallback) {
  if (!active_) return std::string(fallback);
  return to_text(src == language_source::company ? company_context()->language()
                                                 : user_context()->description_language());
}

host::filter_builder& host_bound_component::filter_builder() {
  // Kept only once fully bound, so that a failed binding is retried rather
  // than leaving a half-bound builder behind.
  if (!filter_builder_)
    filter_builder_ = host::bind_filter_builder(host::framework_classes(system()), host_interface(), codice_ditta());
  return *filter_builder_;
}

}  // namespace veldrane
