// CLSMG_DECODE: composes the query that decodes one code, and the list of
// the fields the caller reads from its single row.
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

class decode : public component {
 public:
  explicit decode(std::shared_ptr<platform> p = nullptr);
  ~decode() override;

  static const class_info<decode>& info();

  // --- Properties -----------------------------------------------------------
  const std::shared_ptr<host::active_interface>& active_interface() const { return active_; }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) { active_ = std::move(ai); }
  value stringa_sql, array_fields;
  /// CodiceDitta get: the stored company, or the framework's current one
  /// while the stored value is 0 (0 when that cannot be read).
  std::int32_t codice_ditta();
  void set_codice_ditta(std::int32_t v) { ditta_ = v; }

  // --- The steps every decode operation follows ------------------------------
  enum class language_source { company, user };
  /// The language code: "ITA " without an active interface, otherwise the
  /// framework's (company or user context) as text, untrimmed.
  std::string language(language_source src);
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the field names in
  /// (c, 1); the caption elements (c, 0) stay Empty.
  void set_fields(std::initializer_list<std::string_view> names);
  void set_fields(std::span<const std::string_view> names);
  void set_statement(statement& st) { stringa_sql = value(st.take()); }
  /// The host's current company code as its own text form, read without the
  /// property and without a converter (fails without an active interface).
  std::string host_company_text();

  /// The framework's objects, read anew at every call; each raises "object
  /// not set" when missing. Callers hold the pointer while they use it.
  host::active_interface& host_interface();
  std::shared_ptr<host::environment> environment();
  std::shared_ptr<host::company_context> company_context();
  std::shared_ptr<host::user_context> user_context();

  /// The filter builder (OggettoFiltri), made and bound on first need.
  host::filter_builder& filter_builder();
  /// Appends the filter builder's restriction when the environment's filter
  /// flag is set: the clause for "MG58_CODDEP" (deposits) or the second kind
  /// of clause (articles).
  void append_deposit_filter(statement& st);
  void append_article_filter(statement& st);

  /// Raised by the members whose operation is not built yet.
  [[noreturn]] void not_implemented(std::string_view member) const;

  static constexpr std::string_view kSource = "VELDRANE.CLSMG_DECODE";

 private:
  std::shared_ptr<host::active_interface> active_;
  std::shared_ptr<host::filter_builder> filter_builder_;
  std::int32_t ditta_ = 0;
};

}  // namespace veldrane
