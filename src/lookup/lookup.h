// CLSMG_LOOKUP: composes lookup definitions (title, SELECT statement, column
// captions, identifier) for the host's selection window.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "frame/component.h"
#include "frame/members.h"
#include "host/framework.h"
#include "lookup/statement.h"

namespace veldrane {

class lookup : public component {
 public:
  explicit lookup(std::shared_ptr<platform> p = nullptr);
  ~lookup() override;

  static const class_info<lookup>& info();

  // --- Properties -----------------------------------------------------------
  const std::shared_ptr<host::active_interface>& active_interface() const { return active_; }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) { active_ = std::move(ai); }
  value titolo, stringa_sql, array_fields, id_lookup;
  bool solo_lingue_per_ditta = true;
  /// CodiceDitta get: the stored company, or the framework's current one
  /// while the stored value is 0 (0 when that cannot be read).
  std::int32_t codice_ditta();
  void set_codice_ditta(std::int32_t v) { ditta_ = v; }

  // --- The steps every lookup operation follows ------------------------------
  enum class language_source { company, user };
  /// The language code: the framework's (company or user context) when an
  /// active interface is set, otherwise `fallback`.
  std::string language(language_source src, std::string_view fallback = "ITA ");
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the captions in (c, 0)
  /// and "" in (c, 1).
  void set_columns(std::initializer_list<std::string_view> captions);
  void set_columns(std::span<const std::string_view> captions);
  void set_title(std::string_view title) { titolo = value(title); }
  /// The sort column: the operation's default when the argument is missing,
  /// otherwise its text verbatim. A text that could end the statement or
  /// open a comment (";", "'", "--", "/*") is refused with error 5.
  std::string sort_column(const value& campo, std::string_view default_column);
  void set_statement(statement& st) { stringa_sql = value(st.take()); }
  void set_id(std::string_view id) { id_lookup = value(id); }

  /// The framework's objects, read anew at every call; each raises "object
  /// not set" when missing. The framework may hand out a new object each
  /// time, so callers hold the pointer while they use it.
  host::active_interface& host_interface();
  std::shared_ptr<host::environment> environment();
  std::shared_ptr<host::company_context> company_context();
  std::shared_ptr<host::user_context> user_context();

  /// Raised by the members whose operation is not built yet.
  [[noreturn]] void not_implemented(std::string_view member) const;

  // --- Host binding routines --------------------------------------------------
  host::filter_builder& filter_builder();                       // OggettoFiltri
  bool read_ind_cod_p_ger();                                     // LeggiIndCodPGer
  void first_extension(value& columns, std::string& select_list, std::string& from_clause,
                       std::int16_t entity);                     // PrimaEstensione
  void second_extension(value& columns, std::string& select_list, std::string& from_clause,
                        std::int16_t entity);                    // SecondaEstensione
  std::string translate_label(const std::string& label);        // TraduciEtichetta

  /// The source of the errors the object raises itself.
  static constexpr std::string_view kSource = "VELDRANE.CLSMG_LOOKUP";

 private:
  std::shared_ptr<host::active_interface> active_;
  std::shared_ptr<host::filter_builder> filter_builder_;
  std::int32_t ditta_ = 0;
  std::shared_ptr<host::first_extension> first_extension_;
  std::shared_ptr<host::second_extension> second_extension_;
};

}  // namespace veldrane
