// CLSMG_DECODE: composes the query that decodes one code, and the list of
// the fields the caller reads from its single row.
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

class decode : public builder {
 public:
  explicit decode(std::shared_ptr<platform> p = nullptr);
  ~decode() override;

  static const class_info<decode>& info();

  // --- The steps every decode operation follows ------------------------------
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) with the field names in
  /// (c, 1); the caption elements (c, 0) stay Empty.
  void set_fields(std::initializer_list<std::string_view> names) {
    set_fields(std::span<const std::string_view>(names.begin(), names.size()));
  }
  void set_fields(std::span<const std::string_view> names) { set_array_fields(names, 1, value()); }
  /// The host's current company code as its own text form, read without the
  /// property and without a converter (fails without an active interface).
  /// Written bare, it must be a plain number: any other answer raises 5.
  std::string host_company_text();

  /// Appends to the statement already stored (StringaSQL), so that a host
  /// that fails on the way leaves that statement complete without it.
  template <class Append>
  void append_to_stored(Append&& append) {
    statement st;
    st << stringa_sql.as_string();
    append(*this, st);
    set_statement(st);
  }
  /// What append_to_stored appends: the filter builder's restriction when
  /// the environment's filter flag is set, the clause for "MG58_CODDEP"
  /// (deposits) or the second kind of clause (articles).
  static void deposit_filter(decode& dc, statement& st);
  static void article_filter(decode& dc, statement& st);

  /// The source of the errors the object raises itself.
  static constexpr class_source_text kSource{"CLSMG_DECODE"};
};

}  // namespace veldrane
