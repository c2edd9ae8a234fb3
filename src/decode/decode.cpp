#include "decode/decode.h"

#include "convert/converters.h"

namespace veldrane {

decode::decode(std::shared_ptr<platform> p) : builder(std::move(p), "CLSMG_DECODE") {
  write_trace("INI");
  stringa_sql = value("");
  array_fields = value("");
}

// The filter builder and the active interface are released by the base,
// after the last trace line.
decode::~decode() { write_trace("TER"); }

std::string decode::host_company_text() { return plain_number(company_context()->company_code(), kSource); }

void decode::deposit_filter(decode& dc, statement& st) {
  if (!to_bool(dc.environment()->filters_apply())) return;
  st.text(dc.filter_builder().filter_clause("MG58_CODDEP", -1, 0));
}

void decode::article_filter(decode& dc, statement& st) {
  if (!to_bool(dc.environment()->filters_apply())) return;
  st.text(dc.filter_builder().filter_clause2(-1));
}

}  // namespace veldrane
