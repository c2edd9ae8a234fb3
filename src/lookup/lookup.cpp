#include "lookup/lookup.h"

#include "convert/converters.h"
#include "host/binding.h"

namespace veldrane {

lookup::lookup(std::shared_ptr<platform> p) : component(std::move(p), "CLSMG_LOOKUP") {
  write_trace("INI");
  active_.reset();
  titolo = value("");
  stringa_sql = value("");
  array_fields = value("");
  solo_lingue_per_ditta = true;
  ditta_ = 0;
}

lookup::~lookup() {
  write_trace("TER");
  // Teardown goes on past any failing step.
  first_extension_.reset();
  try {
    if (!second_extension_) raise(err::object_not_set, std::string(kSource));
    second_extension_->close();
  } catch (const std::exception&) {
  }
  second_extension_.reset();
  if (filter_builder_) {
    try {
      filter_builder_->set_connection(nullptr);
    } catch (const std::exception&) {
    }
    filter_builder_.reset();
  }
  active_.reset();
}

std::int32_t lookup::codice_ditta() {
  if (ditta_ != 0) return ditta_;
  try {
    return to_long(DecimalOrZero(company_context()->company_code()));
  } catch (const automation_error&) {
    return 0;
  }
}

host::active_interface& lookup::host_interface() { return host::deref(active_); }
namespace {
template <class T>
std::shared_ptr<T> checked(std::shared_ptr<T> p) {
  host::deref(p);
  return p;
}
}  // namespace

std::shared_ptr<host::environment> lookup::environment() { return checked(host_interface().environment_object()); }
std::shared_ptr<host::company_context> lookup::company_context() { return checked(environment()->company()); }
std::shared_ptr<host::user_context> lookup::user_context() { return checked(environment()->user()); }

std::string lookup::language(language_source src, std::string_view fallback) {
  if (!active_) return std::string(fallback);
  return to_text(src == language_source::company ? company_context()->language()
                                                 : user_context()->description_language());
}

void lookup::set_columns(std::span<const std::string_view> captions) {
  safe_array a({{0, static_cast<std::uint32_t>(captions.size())}, {0, 2}});
  for (std::size_t c = 0; c < captions.size(); ++c) {
    const auto i = static_cast<std::int32_t>(c);
    a.at({i, 0}) = value(captions[c]);
    a.at({i, 1}) = value("");
  }
  array_fields = value(std::move(a));
}

void lookup::set_columns(std::initializer_list<std::string_view> captions) {
  set_columns(std::span<const std::string_view>(captions.begin(), captions.size()));
}

std::string lookup::sort_column(const value& campo, std::string_view default_column) {
  if (campo.is_missing()) return std::string(default_column);
  std::string text = concat_text(campo);
  // A sort column is names, commas, blanks and directions: it never needs a
  // statement end, a quote or a comment.
  for (std::string_view bad : {";", "'", "--", "/*"}) {
    if (text.find(bad) != std::string::npos) {
      throw automation_error(err::invalid_argument, "Invalid sort column: " + text, std::string(kSource));
    }
  }
  return text;
}

void lookup::not_implemented(std::string_view member) const {
  std::string d(kSource);
  d.append(".").append(member).append(" is not implemented yet");
  throw automation_error(err::action_not_supported, d, std::string(kSource));
}

// ---------------------------------------------------------------------------
// Host binding routines

host::filter_builder& lookup::filter_builder() {
  // Kept only once fully bound, so that a failed binding is retried rather
  // than leaving a half-bound builder behind.
  if (!filter_builder_)
    filter_builder_ = host::bind_filter_builder(system().framework_classes(), host_interface(), codice_ditta());
  return *filter_builder_;
}

bool lookup::read_ind_cod_p_ger() {
  try {
    statement st;
    st << " SELECT" << "      MG50_INDCODPGER" << " FROM" << "      MG50_PARMAGAZ" << " WHERE"
       << "    MG50_DITTA_CG18 = ";
    st.number(codice_ditta());
    std::shared_ptr<host::connection> conn = host_interface().database_connection();
    value affected;
    std::shared_ptr<host::recordset> rs = host::deref(conn).execute(st.view(), affected, -1);
    return to_bool(host::deref(rs).field(0));
  } catch (const std::exception&) {
    return false;
  }
}

void lookup::first_extension(value& columns, std::string& select_list, std::string& from_clause,
                             std::int16_t entity) {
  if (!first_extension_) first_extension_ = system().framework_classes().create_first_extension();
  first_extension_->set_entity(entity);
  if (active_) first_extension_->set_connection(active_->database_connection());
  if (first_extension_->extender()) first_extension_->extend(columns, select_list, from_clause);
}

void lookup::second_extension(value& columns, std::string& select_list, std::string& from_clause,
                              std::int16_t entity) {
  if (!second_extension_) second_extension_ = system().framework_classes().create_second_extension();
  second_extension_->set_entity(entity);
  second_extension_->set_active_interface(active_);
  second_extension_->extend(columns, select_list, from_clause);
}

std::string lookup::translate_label(const std::string& label) {
  if (!active_) return label;
  value translation;
  std::shared_ptr<host::translator> translator = environment()->translation();
  host::deref(translator).translate(label, translation);
  return to_text(translation);
}

}  // namespace veldrane
