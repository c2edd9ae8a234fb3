// CLSMG_LOOKUP: composes lookup definitions (title, SELECT statement, column
// captions, identifier) for the host's selection window.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "host/bound_component.h"
#include "frame/members.h"
#include "host/framework.h"
#include "lookup/statement.h"

namespace veldrane {

class lookup : public host_bound_component {
 public:
  explicit lookup(std::shared_ptr<platform> p = nullptr);
  ~lookup() override;

  static const class_info<lookup>& info();

  // --- Properties -----------------------------------------------------------
  value titolo, stringa_sql, array_fields, id_lookup;
  bool solo_lingue_per_ditta = true;

  // --- The steps every lookup operation follows ------------------------------
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the captions in (c, 0)
  /// and "" in (c, 1).
  void set_columns(std::initializer_list<std::string_view> captions);
  void set_columns(std::span<const std::string_view> captions);
  void set_title(std::string_view title) { titolo = value(title); }
  /// The sort column: the operation's default when the argument is missing,
  /// otherwise its text verbatim, once check_sort_column has accepted it.
  std::string sort_column(const value& campo, std::string_view default_column);
  /// Refuses with error 5 a sort column that is not a list of column
  /// references: comma-separated items, each a column name (letters,
  /// digits and "_", optionally dotted, or a bracketed name) or a column
  /// number, optionally followed by ASC or DESC, blanks around. A missing
  /// argument, Empty, Null and the empty text pass.
  static void check_sort_column(const value& campo);
  /// Runs before every member: a refused sort column ends the call before
  /// the operation stores any output.
  static void check_arguments(const member_info<lookup>& m, std::span<const value> args);
  void set_statement(statement& st) { stringa_sql = value(st.take()); }
  void set_id(std::string_view id) { id_lookup = value(id); }


  // --- Host binding routines (OggettoFiltri is filter_builder()) -------------------
  bool read_ind_cod_p_ger();                                     // LeggiIndCodPGer
  void first_extension(value& columns, std::string& select_list, std::string& from_clause,
                       std::int16_t entity);                     // PrimaEstensione
  void second_extension(value& columns, std::string& select_list, std::string& from_clause,
                        std::int16_t entity);                    // SecondaEstensione
  std::string translate_label(const std::string& label);        // TraduciEtichetta

  /// The source of the errors the object raises itself.
  static constexpr std::string_view kSource = "VELDRANE.CLSMG_LOOKUP";

 private:
  std::shared_ptr<host::first_extension> first_extension_;
  std::shared_ptr<host::second_extension> second_extension_;
};

}  // namespace veldrane
