#include "compose/builder.h"

namespace veldrane {

void builder::set_array_fields(std::span<const std::string_view> texts, int column, const value& other) {
  safe_array a({{0, static_cast<std::uint32_t>(texts.size())}, {0, 2}});
  for (std::size_t c = 0; c < texts.size(); ++c) {
    const auto row = static_cast<std::int32_t>(c);
    a.at({row, column}) = value(texts[c]);
    a.at({row, 1 - column}) = other;
  }
  array_fields = value(std::move(a));
}

std::shared_ptr<host::recordset> builder::run_query(const statement& query, std::int32_t options) {
  std::shared_ptr<host::connection> conn = host_interface().database_connection();
  value affected;
  return host::deref(conn).execute(query.view(), affected, options);
}

}  // namespace veldrane
