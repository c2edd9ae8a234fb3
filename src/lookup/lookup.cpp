#include "lookup/lookup.h"

#include "convert/converters.h"
#include "host/classes.h"

namespace veldrane {

lookup::lookup(std::shared_ptr<platform> p) : host_bound_component(std::move(p), "CLSMG_LOOKUP") {
  write_trace("INI");
  titolo = value("");
  stringa_sql = value("");
  array_fields = value("");
  solo_lingue_per_ditta = true;
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
  // The filter builder and the active interface go next, with the base.
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

// ---------------------------------------------------------------------------
// Host binding routines

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
  if (!first_extension_) first_extension_ = host::framework_classes(system()).create_first_extension();
  first_extension_->set_entity(entity);
  if (active_interface()) first_extension_->set_connection(active_interface()->database_connection());
  if (first_extension_->extender()) first_extension_->extend(columns, select_list, from_clause);
}

void lookup::second_extension(value& columns, std::string& select_list, std::string& from_clause,
                              std::int16_t entity) {
  if (!second_extension_) second_extension_ = host::framework_classes(system()).create_second_extension();
  second_extension_->set_entity(entity);
  second_extension_->set_active_interface(active_interface());
  second_extension_->extend(columns, select_list, from_clause);
}

std::string lookup::translate_label(const std::string& label) {
  if (!active_interface()) return label;
  value translation;
  std::shared_ptr<host::translator> translator = environment()->translation();
  host::deref(translator).translate(label, translation);
  return to_text(translation);
}

}  // namespace veldrane
