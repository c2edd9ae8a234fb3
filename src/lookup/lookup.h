// CLSMG_LOOKUP: composes lookup definitions (title, SELECT statement, column
// captions, identifier) for the host's selection window.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "compose/builder.h"
#include "compose/rules.h"
#include "frame/members.h"
#include "host/framework.h"

namespace veldrane {

class lookup : public builder {
 public:
  explicit lookup(std::shared_ptr<platform> p = nullptr);
  ~lookup() override;

  static const class_info<lookup>& info();

  // --- Properties -----------------------------------------------------------
  value titolo, id_lookup;  // and the builder's StringaSQL and ArrayFields
  bool solo_lingue_per_ditta = true;

  // --- The steps every lookup operation follows ------------------------------
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the captions in (c, 0)
  /// and "" in (c, 1).
  void set_columns(std::initializer_list<std::string_view> captions) {
    set_columns(std::span<const std::string_view>(captions.begin(), captions.size()));
  }
  void set_columns(std::span<const std::string_view> captions) { set_array_fields(captions, 0, value("")); }
  void set_title(std::string_view title) { titolo = value(title); }
  /// The sort column: the operation's default where `when` says the
  /// argument names none, otherwise its text verbatim (sort_column).
  static std::string sort_column(const value& campo, std::string_view default_column,
                                 sort_default when = sort_default::missing) {
    return veldrane::sort_column(campo, default_column, when, kSource);
  }
  /// Runs before every member: a sort column (CampoOrdinamento) that is not
  /// a sort list is refused with error 5 before the operation stores any
  /// output.
  static void check_arguments(const member_info<lookup>& m, std::span<const value> args);
  void set_id(std::string_view id) { id_lookup = value(id); }

  // --- Host binding routines (OggettoFiltri is filter_builder()) -------------------
  bool read_ind_cod_p_ger();                                     // LeggiIndCodPGer
  void first_extension(value& columns, std::string& select_list, std::string& from_clause,
                       std::int16_t entity);                     // PrimaEstensione
  void second_extension(value& columns, std::string& select_list, std::string& from_clause,
                        std::int16_t entity);                    // SecondaEstensione
  std::string translate_label(const std::string& label);        // TraduciEtichetta

  /// The source of the errors the object raises itself.
  static constexpr class_source_text kSource{"CLSMG_LOOKUP"};

 private:
  std::shared_ptr<host::first_extension> first_extension_;
  std::shared_ptr<host::second_extension> second_extension_;
};

}  // namespace veldrane
