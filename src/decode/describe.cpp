#include "decode/describe.h"

#include <string>

#include "convert/converters.h"

namespace veldrane::decode_ops {

namespace {

void insert(decode& dc, statement& st, std::span<value> a, const piece& p) {
  switch (p.how) {
    case way::fixed: break;
    case way::company: st.number(dc.codice_ditta()); break;
    case way::host_company: st << dc.host_company_text(); break;
    case way::host_company_or_zero: {
      // Company 0, the value every company filter falls back to without a
      // host, keeps the statement well-formed and finds no other company's
      // rows.
      std::string company = "0";
      try {
        company = dc.host_company_text();
      } catch (const automation_error&) {
      }
      st << company;
      break;
    }
    case way::number: st.number(DecimalOrZero(a[p.arg])); break;
    case way::plain: st << plain_number(a[p.arg], decode::kSource); break;
    case way::plain_text:
      st << plain_number(a[p.arg].is_string() ? value(TextOrEmpty(a[p.arg])) : a[p.arg], decode::kSource);
      break;
    case way::quoted: st.quoted(TextOrEmpty(a[p.arg])) << "'"; break;
    case way::trimmed: st.quoted(TextOrEmpty(value(to_text(a[p.arg])))) << "'"; break;
    case way::as_given: st.quoted(concat_text(a[p.arg])) << "'"; break;
    case way::decimal: st.number(value(to_decimal(a[p.arg]))) << "'"; break;
  }
}

}  // namespace

void put(decode& dc, statement& st, std::span<value> a, std::span<const piece> pieces) {
  for (const piece& p : pieces) {
    st << p.text;
    insert(dc, st, a, p);
  }
}

value compose(decode& dc, std::span<value> a, std::string_view field, std::span<const piece> pieces) {
  dc.set_fields({field});
  statement st;
  put(dc, st, a, pieces);
  dc.set_statement(st);
  return {};
}

value describe(decode& dc, std::span<value> a, const table& t) {
  const bool translated = !t.translated.provider.empty();
  const std::string language = translated ? dc.language(t.translated.language) : std::string();
  std::size_t n = 0;
  while (n < t.fields.size() && !t.fields[n].empty()) ++n;
  dc.set_fields(std::span<const std::string_view>(t.fields.data(), n));

  const bool lines = t.shape == form::lines;
  statement st;
  // A clause keyword or an item: on a line of its own in the line form.
  auto next = [&](std::string_view fragment) -> statement& { return lines ? st.line(fragment) : st << fragment; };
  next(lines ? "SELECT" : " SELECT");
  if (!t.select.empty()) {
    next(t.select);
  } else if (translated) {
    next("    MG0S_DESCRIZIONE AS ") << t.fields[0];
  } else {
    for (std::size_t f = 0; f < n; ++f) next("    ") << t.fields[f] << (f + 1 < n ? "," : "");
  }
  next(lines ? "FROM" : " FROM");
  next(t.from);
  put(dc, st, a, t.joins);
  if (translated) {
    if (lines) language_join_lines(st, "", language, t.translated.provider, t.translated.idprov_column);
    else language_join(st, language, t.translated.provider, t.translated.idprov_column);
  }
  next(lines ? "WHERE" : " WHERE");
  for (std::size_t c = 0; c < t.where.size() && !t.where[c].text.empty(); ++c) {
    if (lines && (c == 0 || t.between == joined::by_line)) st.line("");
    else if (c > 0 && t.between == joined::by_and) st << " AND";
    put(dc, st, a, std::span<const piece>(&t.where[c], 1));
  }
  dc.set_statement(st);
  return {};
}

}  // namespace veldrane::decode_ops
