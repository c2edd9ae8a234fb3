#include "decode/decode.h"

#include "convert/converters.h"

namespace veldrane {

decode::decode(std::shared_ptr<platform> p) : host_bound_component(std::move(p), "CLSMG_DECODE") {
  write_trace("INI");
  stringa_sql = value("");
  array_fields = value("");
}

// The filter builder and the active interface are released by the base,
// after the last trace line.
decode::~decode() { write_trace("TER"); }

std::string decode::host_company_text() { return plain_number(company_context()->company_code(), kSource); }

void decode::set_fields(std::span<const std::string_view> names) {
  safe_array a({{0, static_cast<std::uint32_t>(names.size())}, {0, 2}});
  for (std::size_t c = 0; c < names.size(); ++c) a.at({static_cast<std::int32_t>(c), 1}) = value(names[c]);
  array_fields = value(std::move(a));
}

void decode::set_fields(std::initializer_list<std::string_view> names) {
  set_fields(std::span<const std::string_view>(names.begin(), names.size()));
}

void decode::append_deposit_filter(statement& st) {
  if (!to_bool(environment()->filters_apply())) return;
  st.text(filter_builder().filter_clause("MG58_CODDEP", -1, 0));
}

void decode::append_article_filter(statement& st) {
  if (!to_bool(environment()->filters_apply())) return;
  st.text(filter_builder().filter_clause2(-1));
}

}  // namespace veldrane
