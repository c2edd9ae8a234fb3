#include "lookup/statement.h"

namespace veldrane {

statement& statement::text(const value& v) {
  append(concat_text(v));
  return *this;
}

statement& statement::quoted(std::string_view text) {
  // Copy the runs between quotes whole; double each quote.
  std::size_t start = 0;
  for (std::size_t q = text.find('\''); q != std::string_view::npos; q = text.find('\'', start)) {
    append(text.substr(start, q + 1 - start));
    append("'");
    start = q + 1;
  }
  append(text.substr(start));
  return *this;
}

statement& statement::number(const value& v) {
  append(sql_number(v));
  return *this;
}

statement& statement::number(std::int64_t n) {
  append(std::to_string(n));
  return *this;
}

void language_join(statement& st, std::string_view language, std::string_view provider,
                   std::string_view idprov_column) {
  st << " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON"
     << "    MG0S_CODLINGUA_MG52 = '";
  st.quoted(language) << "'"
     << "    AND MG0S_PROVID_FW4A = " << provider
     << "    AND MG0S_IDPROV = " << idprov_column;
}

void language_join_lines(statement& st, std::string_view alias, std::string_view language,
                         std::string_view provider, std::string_view idprov_column) {
  st.line("LEFT JOIN MG0S_DESLINGUA AS ") << alias << " WITH (NOLOCK) ON";
  st.line("    ") << alias << ".MG0S_CODLINGUA_MG52 = '";
  st.quoted(language) << "'";
  st.line("    AND ") << alias << ".MG0S_PROVID_FW4A = " << provider;
  st.line("    AND ") << alias << ".MG0S_IDPROV = " << idprov_column;
}

void case_branches(statement& st, bool lines, std::string_view indent, std::span<const case_branch> branches) {
  for (const case_branch& b : branches) {
    if (lines) st.line(indent);
    else st << indent;
    st << "WHEN ";
    st.number(b.n);
    st << " THEN '" << b.label << "'";
  }
}

namespace {
// The subquery's opening and the four conditions that tie an agent
// assignment to the destination.
void destination_assignment(statement& st) {
  st << "      (" << "          SELECT" << "              MG2G_DITTA_CG18" << "          FROM"
     << "              MG2G_DESTAGEMUL WITH (NOLOCK)" << "          WHERE"
     << "              MG2G_DITTA_CG18         = MG22_DITTA_CG18"
     << "              AND MG2G_TIPOCF_CG44    = MG22_TIPOCF_CG44"
     << "              AND MG2G_CLIFOR_CG44    = MG22_CLIFOR_CG44"
     << "              AND MG2G_CODDESTIN_MG22 = MG22_CODDESTIN";
}
}  // namespace

void agent_destination_restriction(statement& st, const value& agent) {
  st << "  AND" << "  (" << "      EXISTS";
  destination_assignment(st);
  st << "              AND MG2G_IDAGENTE_MG17    = ";
  st.number(agent);
  st << "      )" << "      OR NOT EXISTS";
  destination_assignment(st);
  st << "      )" << "  )";
}

namespace {
bool is_plain_number(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto digits = [&] {
    const std::size_t from = i;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
    return i > from;
  };
  while (i < n && s[i] == ' ') ++i;
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  if (!digits()) return false;
  if (i < n && s[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  while (i < n && s[i] == ' ') ++i;
  return i == n;
}
}  // namespace

std::string plain_number(const value& v, std::string_view source) {
  std::string text;
  switch (v.kind()) {
    case value_kind::integer:
    case value_kind::long_:
    case value_kind::decimal:
    case value_kind::boolean:
    case value_kind::double_:
      // Written by sql_number: a decimal point, an exponent for the largest
      // and smallest Doubles; NaN and infinities raise its overflow.
      return sql_number(v);
    case value_kind::string:
      text = v.as_string();
      if (is_plain_number(text)) return text;
      break;
    default:
      text = v.type_name();
      break;
  }
  throw automation_error(err::invalid_argument, "Not a plain number: " + text, std::string(source));
}

void company_filter(statement& st, std::string_view fragment, std::int32_t company) {
  st << fragment;
  st.number(company);
}

}  // namespace veldrane
