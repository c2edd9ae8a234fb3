// What the two builder classes share: an object bound to the host that
// leaves a statement and a two-column field array for its caller, and the
// steps that store them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "compose/statement.h"
#include "convert/error.h"
#include "convert/value.h"
#include "host/bound_component.h"
#include "host/framework.h"

namespace veldrane {

class builder : public host_bound_component {
 public:
  using host_bound_component::host_bound_component;

  // --- Properties -----------------------------------------------------------
  value stringa_sql, array_fields;

  /// Stores the composed statement; `st` is empty afterwards.
  void set_statement(statement& st) { stringa_sql = value(st.take()); }
  /// Stores what is composed so far, before a step that asks the host: a
  /// host that fails then leaves this much in StringaSQL.
  void store_so_far(const statement& st) { stringa_sql = value(st.view()); }

  /// Runs one of the few queries the component runs itself, on the host's
  /// database connection, with Execute's `options`.
  std::shared_ptr<host::recordset> run_query(const statement& query, std::int32_t options);

 protected:
  /// Dimensions ArrayFields (0 To n-1, 0 To 1) anew: `texts` in column
  /// `column` of their rows, `other` in the other column.
  void set_array_fields(std::span<const std::string_view> texts, int column, const value& other);
};

/// Runs one step of an operation that goes on past its failures: a step
/// that raises `Failure` is skipped, and what it was to deliver keeps the
/// value it had.
template <class Failure = automation_error, class Step>
void skip_on_error(Step&& step) {
  try {
    step();
  } catch (const Failure&) {
  }
}

}  // namespace veldrane
