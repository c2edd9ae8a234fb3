#include "compose/rules.h"

#include "convert/error.h"

namespace veldrane {

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
  if (alias.empty()) st.line("LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON");
  else st.line("LEFT JOIN MG0S_DESLINGUA AS ") << alias << " WITH (NOLOCK) ON";
  const std::string prefix = alias.empty() ? std::string() : std::string(alias) + ".";
  st.line("    ") << prefix << "MG0S_CODLINGUA_MG52 = '";
  st.quoted(language) << "'";
  st.line("    AND ") << prefix << "MG0S_PROVID_FW4A = " << provider;
  st.line("    AND ") << prefix << "MG0S_IDPROV = " << idprov_column;
}

void company_filter(statement& st, std::string_view fragment, std::int32_t company) {
  st << fragment;
  st.number(company);
}

void case_branches(statement& st, std::span<const case_branch> branches) {
  for (const case_branch& b : branches) {
    st.line("        WHEN ").number(b.n) << " THEN '" << b.label << "'";
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

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }

bool is_plain_number(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto digits = [&] {
    const std::size_t from = i;
    while (i < n && is_digit(s[i])) ++i;
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

// column [ASC | DESC] {, column [ASC | DESC]}, where a column is a number or
// a name of one or more dotted parts, each plain or bracketed.
bool is_sort_list(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto blanks = [&] {
    const std::size_t from = i;
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i > from;
  };
  for (;;) {
    blanks();
    if (i < n && is_digit(s[i])) {
      while (i < n && is_digit(s[i])) ++i;
      if (i < n && (is_name_char(s[i]) || s[i] == '.')) return false;
    } else {
      for (;;) {
        if (i < n && s[i] == '[') {
          const std::size_t close = s.find(']', i + 1);
          if (close == std::string_view::npos || close == i + 1) return false;
          i = close + 1;
        } else if (i < n && (is_letter(s[i]) || s[i] == '_')) {
          while (i < n && is_name_char(s[i])) ++i;
        } else {
          return false;
        }
        if (i < n && s[i] == '.') {
          ++i;
          continue;
        }
        break;
      }
    }
    if (blanks() && i < n && is_letter(s[i])) {
      const std::size_t from = i;
      while (i < n && is_name_char(s[i])) ++i;
      const std::string_view word = s.substr(from, i - from);
      if (!iequal(word, "ASC") && !iequal(word, "DESC")) return false;
      blanks();
    }
    if (i == n) return true;
    if (s[i] != ',') return false;
    ++i;
  }
}

void check_sort_column(const value& campo, std::string_view source) {
  if (campo.is_missing()) return;
  std::string text;
  try {
    text = concat_text(campo);
  } catch (const automation_error&) {
    throw automation_error(err::invalid_argument, "Invalid sort column: a " + std::string(campo.type_name()),
                           std::string(source));
  }
  if (!text.empty() && !is_sort_list(text))
    throw automation_error(err::invalid_argument, "Invalid sort column: " + text, std::string(source));
}

std::string sort_column(const value& campo, std::string_view default_column, sort_default when,
                        std::string_view source) {
  if (campo.is_missing() || (when != sort_default::missing && campo.is_empty())) return std::string(default_column);
  check_sort_column(campo, source);
  std::string text = concat_text(campo);
  if (when == sort_default::no_text && text.empty()) return std::string(default_column);
  return text;
}

}  // namespace veldrane
