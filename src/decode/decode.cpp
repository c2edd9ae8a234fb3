#include "decode/decode.h"

#include "convert/converters.h"
#include "host/binding.h"

namespace veldrane {

decode::decode(std::shared_ptr<platform> p) : component(std::move(p), "CLSMG_DECODE") {
  write_trace("INI");
  active_.reset();
  stringa_sql = value("");
  array_fields = value("");
  ditta_ = 0;
}

decode::~decode() {
  write_trace("TER");
  if (filter_builder_) {
    try {
      filter_builder_->set_connection(nullptr);
    } catch (const std::exception&) {
      // A destructor cannot hand the error on; the builder is released anyway.
    }
    filter_builder_.reset();
  }
  active_.reset();
}

std::int32_t decode::codice_ditta() {
  if (ditta_ != 0) return ditta_;
  try {
    return to_long(DecimalOrZero(company_context()->company_code()));
  } catch (const automation_error&) {
    return 0;
  }
}

namespace {
template <class T>
std::shared_ptr<T> checked(std::shared_ptr<T> p) {
  host::deref(p);
  return p;
}
}  // namespace

host::active_interface& decode::host_interface() { return host::deref(active_); }
std::shared_ptr<host::environment> decode::environment() { return checked(host_interface().environment_object()); }
std::shared_ptr<host::company_context> decode::company_context() { return checked(environment()->company()); }
std::shared_ptr<host::user_context> decode::user_context() { return checked(environment()->user()); }

std::string decode::language(language_source src) {
  if (!active_) return "ITA ";
  return to_text(src == language_source::company ? company_context()->language()
                                                 : user_context()->description_language());
}

std::string decode::host_company_text() { return concat_text(company_context()->company_code()); }

void decode::set_fields(std::span<const std::string_view> names) {
  safe_array a({{0, static_cast<std::uint32_t>(names.size())}, {0, 2}});
  for (std::size_t c = 0; c < names.size(); ++c) a.at({static_cast<std::int32_t>(c), 1}) = value(names[c]);
  array_fields = value(std::move(a));
}

void decode::set_fields(std::initializer_list<std::string_view> names) {
  set_fields(std::span<const std::string_view>(names.begin(), names.size()));
}

host::filter_builder& decode::filter_builder() {
  if (!filter_builder_)
    filter_builder_ = host::bind_filter_builder(system().framework_classes(), host_interface(), codice_ditta());
  return *filter_builder_;
}

void decode::append_deposit_filter(statement& st) {
  if (!to_bool(environment()->filters_apply())) return;
  st.text(filter_builder().filter_clause("MG58_CODDEP", -1, 0));
}

void decode::append_article_filter(statement& st) {
  if (!to_bool(environment()->filters_apply())) return;
  st.text(filter_builder().filter_clause2(-1));
}

void decode::not_implemented(std::string_view member) const {
  std::string d(kSource);
  d.append(".").append(member).append(" is not implemented yet");
  throw automation_error(err::action_not_supported, d, std::string(kSource));
}

}  // namespace veldrane
