// CLSMG_DECODE: composes the query that decodes one code, and the list of
// the fields the caller reads from its single row.
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

class decode : public host_bound_component {
 public:
  explicit decode(std::shared_ptr<platform> p = nullptr);
  ~decode() override;

  static const class_info<decode>& info();

  // --- Properties -----------------------------------------------------------
  value stringa_sql, array_fields;

  // --- The steps every decode operation follows ------------------------------
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the field names in
  /// (c, 1); the caption elements (c, 0) stay Empty.
  void set_fields(std::initializer_list<std::string_view> names);
  void set_fields(std::span<const std::string_view> names);
  void set_statement(statement& st) { stringa_sql = value(st.take()); }
  /// The host's current company code as its own text form, read without the
  /// property and without a converter (fails without an active interface).
  /// Written bare, it must be a plain number: any other answer raises 5.
  std::string host_company_text();

  /// Appends the filter builder's restriction when the environment's filter
  /// flag is set: the clause for "MG58_CODDEP" (deposits) or the second kind
  /// of clause (articles).
  void append_deposit_filter(statement& st);
  void append_article_filter(statement& st);


  static constexpr std::string_view kSource = "VELDRANE.CLSMG_DECODE";
};

}  // namespace veldrane
