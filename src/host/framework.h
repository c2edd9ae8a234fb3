// The host framework as the component sees it: every operation it uses,
// named by its role. The number in each comment is the operation's position
// on the framework's interface (after the standard dispatch operations), the
// position the Windows binding calls.
//
// Any operation may fail; a failure raises an automation_error in the
// calling operation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "convert/value.h"

namespace veldrane::host {

/// A recordset as ADO gives it: the component reads only the state and the
/// first fields.
class recordset : public object {
 public:
  virtual bool eof() = 0;
  virtual bool bof() = 0;
  /// Fields.Item(index).Value
  virtual value field(std::int32_t index) = 0;
  std::string type_name() const override { return "Recordset"; }
};

/// The host's open database connection, an ADO Connection.
class connection : public object {
 public:
  /// The Options of Execute: the command's kind left to the provider, or a
  /// statement given as its text (adCmdText).
  static constexpr std::int32_t kUnspecified = -1;
  static constexpr std::int32_t kCommandText = 1;
  /// Connection.Execute(CommandText, RecordsAffected, Options)
  virtual std::shared_ptr<recordset> execute(std::string_view command_text, value& records_affected,
                                             std::int32_t options) = 0;
  /// Connection.ConnectionString
  virtual std::string connection_string() = 0;
  std::string type_name() const override { return "Connection"; }
};

class translator : public object {
 public:
  /// 11: the translation of a label, given back in an out argument.
  virtual void translate(const std::string& label, value& translation) = 0;
};

class coding_parameters : public object {
 public:
  /// 44: hierarchical article coding in force.
  virtual value hierarchical_coding() = 0;
};

class company_context : public object {
 public:
  virtual value company_code() = 0;                               // 10
  virtual value language() = 0;                                   // 169
  virtual value transfer_check() = 0;                             // 144
  virtual std::shared_ptr<coding_parameters> coding() = 0;        // 64
};

class user_context : public object {
 public:
  virtual value text1() = 0;                 // 1
  virtual value text4() = 0;                 // 4
  virtual value description_language() = 0; // 34
  virtual value user_id() = 0;               // 47
  virtual value agent() = 0;                 // 58
};

class environment : public object {
 public:
  virtual std::shared_ptr<company_context> company() = 0;  // 24
  virtual std::shared_ptr<user_context> user() = 0;        // 21
  virtual value filters_apply() = 0;                       // 83
  virtual std::shared_ptr<translator> translation() = 0;   // 89
  virtual value production_columns() = 0;                  // 75
};

/// The object the caller sets as ActiveInterface.
class active_interface : public object {
 public:
  virtual std::shared_ptr<host::environment> environment_object() = 0;         // 2
  virtual std::shared_ptr<connection> database_connection() = 0;    // 38
  std::string type_name() const override { return "ActiveInterface"; }
};

/// Builds the data-access filter clauses of the current user.
class filter_builder : public object {
 public:
  virtual void set_connection(std::shared_ptr<connection> c) = 0;  // 3 (Nothing on release)
  virtual void set_connection_text(const std::string& text) = 0;    // 5
  virtual void set_text7(const std::string& text) = 0;              // 7
  virtual void set_text9(const std::string& text) = 0;              // 9
  virtual void set_text11(const std::string& text) = 0;             // 11
  virtual void set_flag14(bool flag) = 0;                           // 14
  virtual void set_company(std::int32_t company) = 0;               // 22
  /// 39: the filter clause for a field.
  virtual value filter_clause(const std::string& field, std::int32_t a, std::int32_t b) = 0;
  /// 47: the second kind of filter clause.
  virtual value filter_clause2(std::int32_t a) = 0;
};

/// Adds the columns of installed extensions to a lookup.
class first_extension : public object {
 public:
  virtual void set_entity(std::int16_t entity) = 0;                 // 16
  virtual void set_connection(std::shared_ptr<connection> c) = 0;   // 2
  virtual object_ptr extender() = 0;                                // 1 (Nothing: nothing to add)
  virtual void extend(value& columns, std::string& select_list, std::string& from_clause) = 0;  // 90
};

class second_extension : public object {
 public:
  virtual void set_entity(std::int16_t& entity) = 0;                                     // 3
  virtual void set_active_interface(std::shared_ptr<active_interface> ai) = 0;           // 29
  virtual void extend(value& columns, std::string& select_list, std::string& from_clause) = 0;  // 64
  virtual void close() = 0;                                                              // 48
};

/// Converts values for decode statements.
class converter : public object {
 public:
  virtual void put_value(const value& v) = 0;  // 8
  virtual value status() = 0;                  // 3 (0: success)
  virtual value output() = 0;                  // 9
};

/// The four framework classes the component creates. A class that cannot be
/// created raises error 429.
class class_factory {
 public:
  virtual ~class_factory() = default;
  virtual std::shared_ptr<filter_builder> create_filter_builder() = 0;
  virtual std::shared_ptr<first_extension> create_first_extension() = 0;
  virtual std::shared_ptr<second_extension> create_second_extension() = 0;
  virtual std::shared_ptr<converter> create_converter() = 0;
};

/// Raises "object not set" (91) when an object the framework handed back is
/// Nothing, as the runtime does on a call through it.
template <class T>
T& deref(const std::shared_ptr<T>& p) {
  if (!p) raise(err::object_not_set, kComponentSource);
  return *p;
}

}  // namespace veldrane::host
