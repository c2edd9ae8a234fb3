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

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }

// column [ASC | DESC] {, column [ASC | DESC]}, where a column is a number or
// a name of one or more dotted parts, each plain or bracketed.
bool is_sort_list(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto blanks = [&] {
    const std::size_t from = i;
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i > from;
  };
  for (;;) {
    blanks();
    if (i < n && is_digit(s[i])) {
      while (i < n && is_digit(s[i])) ++i;
      if (i < n && (is_name_char(s[i]) || s[i] == '.')) return false;
    } else {
      for (;;) {
        if (i < n && s[i] == '[') {
          const std::size_t close = s.find(']', i + 1);
          if (close == std::string_view::npos || close == i + 1) return false;
          i = close + 1;
        } else if (i < n && (is_letter(s[i]) || s[i] == '_')) {
          while (i < n && is_name_char(s[i])) ++i;
        } else {
          return false;
        }
        if (i < n && s[i] == '.') {
          ++i;
          continue;
        }
        break;
      }
    }
    if (blanks() && i < n && is_letter(s[i])) {
      const std::size_t from = i;
      while (i < n && is_name_char(s[i])) ++i;
      const std::string_view word = s.substr(from, i - from);
      if (!iequal(word, "ASC") && !iequal(word, "DESC")) return false;
      blanks();
    }
    if (i == n) return true;
    if (s[i] != ',') return false;
    ++i;
  }
}

}  // namespace

void lookup::check_sort_column(const value& campo) {
  if (campo.is_missing()) return;
  std::string text;
  try {
    text = concat_text(campo);
  } catch (const automation_error&) {
    throw automation_error(err::invalid_argument, "Invalid sort column: a " + std::string(campo.type_name()),
                           std::string(kSource));
  }
  if (!text.empty() && !is_sort_list(text))
    throw automation_error(err::invalid_argument, "Invalid sort column: " + text, std::string(kSource));
}

void lookup::check_arguments(const member_info<lookup>& m, std::span<const value> args) {
  const auto params = m.parameters();
  for (std::size_t i = 0; i < params.size() && i < args.size(); ++i)
    if (params[i].name == "CampoOrdinamento") check_sort_column(args[i]);
}

std::string lookup::sort_column(const value& campo, std::string_view default_column) {
  if (campo.is_missing()) return std::string(default_column);
  check_sort_column(campo);
  return concat_text(campo);
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
