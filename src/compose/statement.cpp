#include "compose/statement.h"

namespace veldrane {

statement& statement::text(const value& v) {
  buf_.append(concat_text(v));
  return *this;
}

statement& statement::quoted(std::string_view text) {
  // Copy the runs between quotes whole; double each quote.
  std::size_t start = 0;
  for (std::size_t q = text.find('\''); q != std::string_view::npos; q = text.find('\'', start)) {
    buf_.append(text.substr(start, q + 1 - start));
    buf_.append("'");
    start = q + 1;
  }
  buf_.append(text.substr(start));
  return *this;
}

statement& statement::number(const value& v) {
  buf_.append(sql_number(v));
  return *this;
}

statement& statement::number(std::int64_t n) {
  buf_.append(std::to_string(n));
  return *this;
}

}  // namespace veldrane
