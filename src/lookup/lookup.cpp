#include "lookup/lookup.h"

#include "convert/converters.h"
#include "host/classes.h"

namespace veldrane {

lookup::lookup(std::shared_ptr<platform> p) : builder(std::move(p), "CLSMG_LOOKUP") {
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
    if (!second_extension_) raise(err::object_not_set, kSource);
    second_extension_->close();
  } catch (const std::exception&) {
  }
  second_extension_.reset();
  // The filter builder and the active interface go next, with the base.
}

void lookup::check_arguments(const member_info<lookup>& m, std::span<const value> args) {
  const auto params = m.parameters();
  for (std::size_t i = 0; i < params.size() && i < args.size(); ++i)
    if (params[i].name == "CampoOrdinamento") check_sort_column(args[i], kSource);
}

// ---------------------------------------------------------------------------
// Host binding routines

bool lookup::read_ind_cod_p_ger() {
  try {
    statement st;
    st << " SELECT" << "      MG50_INDCODPGER" << " FROM" << "      MG50_PARMAGAZ" << " WHERE"
       << "    MG50_DITTA_CG18 = ";
    st.number(codice_ditta());
    return to_bool(host::deref(run_query(st, host::connection::kUnspecified)).field(0));
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
