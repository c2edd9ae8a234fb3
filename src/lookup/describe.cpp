#include "lookup/describe.h"

#include <optional>
#include <string>

#include "convert/converters.h"

namespace veldrane::lookup_ops {

const value& filter_value(const value& v) {
  static const value empty;
  return v.is_missing() ? empty : v;
}

void when_label(statement& st, std::string_view branch, std::string_view label) {
  st << branch;
  st.quoted(label) << "'";
}

bool is_customer(const value& tipo_cf) { return to_decimal(DecimalOrZero(tipo_cf)).is_zero(); }

value describe(lookup& lk, std::span<value> a, const table& t) {
  const bool translated = !t.provider.empty();
  const std::string language = translated ? lk.language(lookup::language_source::company) : std::string();
  std::size_t n = 0;
  while (n < t.captions.size() && !t.captions[n].empty()) ++n;
  lk.set_columns(std::span<const std::string_view>(t.captions.data(), n));
  lk.set_title(t.suppliers_title.empty() || is_customer(a[0]) ? t.title : t.suppliers_title);
  const std::string sort = lk.sort_column(a.back(), t.sort, t.when);

  statement st;
  st << " SELECT" << t.select << " FROM" << t.from;
  if (translated) language_join(st, language, t.provider, t.idprov_column);
  std::optional<bool> hierarchical;  // read at the first parent level
  std::size_t written = 0;
  for (std::size_t c = 0; c < t.where.size() && !t.where[c].text.empty(); ++c) {
    const piece& p = t.where[c];
    if (p.how == way::number_if_given && a[p.arg].is_missing()) continue;
    st << (written++ == 0 ? " WHERE" : " AND") << p.text;
    const value& v = filter_value(a[p.arg]);
    switch (p.how) {
      case way::fixed: break;
      case way::company: st.number(lk.codice_ditta()); break;
      case way::number:
      case way::number_if_given: st.number(DecimalOrZero(v)); break;
      case way::quoted: st.quoted(TextOrEmpty(v)) << "'"; break;
      case way::as_given: st.quoted(concat_text(v)) << "'"; break;
      case way::parent:
        if (!hierarchical) hierarchical = lk.read_ind_cod_p_ger();
        if (*hierarchical) st.quoted(TextOrEmpty(v));
        st << "'";
        break;
    }
  }
  st << t.order_by << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

}  // namespace veldrane::lookup_ops
