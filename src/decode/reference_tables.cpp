// Decodes of operators and requesters, commercial-category values, article
// states and article options, document types and sub-types, the below-stock
// and delay parameter sets, rounding brackets, expenses, the two
// customer/supplier classification hierarchies (macro-area, area, zone;
// macro-category, category, sub-category), transport reasons, carriers,
// forwarders and agents.
#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

namespace {

// How one WHERE condition takes its value.
enum class way {
  company,  // get CodiceDitta, bare
  number,   // DecimalOrZero of an argument, bare
  quoted,   // TextOrEmpty of an argument, between single quotes
  doubled,  // the argument as text (Null is an error), then TextOrEmpty, between single quotes
};

struct condition {
  std::string_view column;  // empty: no further condition
  way how = way::company;
  std::size_t arg = 0;
};

using conditions = std::array<condition, 5>;

void insert(decode& dc, statement& st, std::span<value> a, const condition& c) {
  switch (c.how) {
    case way::company: st.number(dc.codice_ditta()); break;
    case way::number: st.number(DecimalOrZero(a[c.arg])); break;
    case way::quoted: st << "'"; st.quoted(TextOrEmpty(a[c.arg])) << "'"; break;
    // quoted() doubles every single quote of the code.
    case way::doubled: st << "'"; st.quoted(TextOrEmpty(value(to_text(a[c.arg])))) << "'"; break;
  }
}

// ---------------------------------------------------------------------------
// The description of one table in the run-on form: " SELECT", the field (or
// the translated description under the field's name), " FROM", the table,
// the register join or the translation join, " WHERE" and the conditions
// separated by " AND".

struct table_decode {
  std::string_view field;
  std::string_view table;
  std::string_view provider;       // translated when set
  std::string_view idprov_column;
  std::string_view registry_link;  // joined to the register of parties when set
  conditions where;
};

value describe(decode& dc, std::span<value> a, const table_decode& d) {
  const bool translated = !d.provider.empty();
  const std::string language = translated ? dc.language(decode::language_source::company) : std::string();
  dc.set_fields({d.field});
  statement st;
  st << " SELECT";
  if (translated)
    st << "    MG0S_DESCRIZIONE AS " << d.field;
  else
    st << "    " << d.field;
  st << " FROM" << "    " << d.table << " WITH (NOLOCK)";
  // The register is read without the NOLOCK hint.
  if (!d.registry_link.empty()) st << " INNER JOIN CG16_ANAGGEN ON" << "    " << d.registry_link;
  if (translated) language_join(st, language, d.provider, d.idprov_column);
  st << " WHERE";
  for (std::size_t i = 0; i < d.where.size() && !d.where[i].column.empty(); ++i) {
    if (i > 0) st << " AND";
    st << "    " << d.where[i].column << " = ";
    insert(dc, st, a, d.where[i]);
  }
  dc.set_statement(st);
  return {};
}

// Plain descriptions.
constexpr table_decode kOperatore{"MG01_DESCR", "MG01_OPERATORI", {}, {}, {},
                                  {{{"MG01_CODICE", way::quoted, 0}}}};
constexpr table_decode kScaglione{"MG02_DESCRSCAGL", "MG02_SCAGLDESCR", {}, {}, {},
                                  {{{"MG02_DITTA_CG18"}, {"MG02_CODICESCAGL", way::number, 0}}}};
constexpr table_decode kSpesa{"MG04_DESCR", "MG04_SPESE", {}, {}, {}, {{{"MG04_CODICE", way::quoted, 0}}}};

// The two customer/supplier classification hierarchies: every level is kept
// per company and per kind (customers or suppliers), under its parents.
constexpr table_decode kMacroArea{
    "MG07_DESCRMACROAR", "MG07_MACROAREE", "1010", "MG07_IDPROV", {},
    {{{"MG07_DITTA_CG18"}, {"MG07_TIPOCF", way::number, 0}, {"MG07_MACROAREA", way::quoted, 1}}}};
constexpr table_decode kArea{"MG08_DESCRAREA", "MG08_AREE", "1011", "MG08_IDPROV", {},
                             {{{"MG08_DITTA_CG18"},
                               {"MG08_TIPOCF_MG07", way::number, 0},
                               {"MG08_MACROAREA_MG07", way::quoted, 1},
                               {"MG08_AREA", way::quoted, 2}}}};
constexpr table_decode kZona{"MG09_DESCRZONA", "MG09_ZONE", "1012", "MG09_IDPROV", {},
                             {{{"MG09_DITTA_CG18"},
                               {"MG09_TIPOCF_MG08", way::number, 0},
                               {"MG09_MACROAREA_MG08", way::quoted, 1},
                               {"MG09_AREA_MG08", way::quoted, 2},
                               {"MG09_ZONA", way::quoted, 3}}}};
constexpr table_decode kMacroCategoria{
    "MG10_DESCRMACROCAT", "MG10_MACROCAT", "1013", "MG10_IDPROV", {},
    {{{"MG10_DITTA_CG18"}, {"MG10_TIPOCF", way::number, 0}, {"MG10_MACROCAT", way::quoted, 1}}}};
constexpr table_decode kCategoria{"MG11_DESCRCAT", "MG11_CATEG", "1014", "MG11_IDPROV", {},
                                  {{{"MG11_DITTA_CG18"},
                                    {"MG11_TIPOCF_MG10", way::number, 0},
                                    {"MG11_MACROCAT_MG10", way::quoted, 1},
                                    {"MG11_CATEG", way::quoted, 2}}}};
constexpr table_decode kSottoCategoria{"MG12_DESCRSOTTOCAT", "MG12_SOTTOCAT", "1015", "MG12_IDPROV", {},
                                       {{{"MG12_DITTA_CG18"},
                                         {"MG12_TIPOCF_MG11", way::number, 0},
                                         {"MG12_MACROCAT_MG11", way::quoted, 1},
                                         {"MG12_CATEG_MG11", way::quoted, 2},
                                         {"MG12_SOTTCAT", way::quoted, 3}}}};
// Transport reasons are shared by all companies.
constexpr table_decode kCausaleTrasporto{"MG13_DESCR", "MG13_CAUTRASP", "1001", "MG13_IDPROV", {},
                                         {{{"MG13_CODICE", way::quoted, 0}}}};

// Names from the register of parties.
constexpr table_decode kVettore{"CG16_RAGSOANAG", "MG14_VETTORI", {}, {}, "MG14_CODICE_CG16 = CG16_CODICE",
                                {{{"MG14_CODICE", way::quoted, 0}}}};
constexpr table_decode kSpedizioniere{"CG16_RAGSOANAG", "MG15_SPEDIZ", {}, {}, "MG15_CODICE_CG16 = CG16_CODICE",
                                      {{{"MG15_CODICE", way::quoted, 0}}}};
constexpr table_decode kAgente{"CG16_RAGSOANAG", "MG17_AGENTI", {}, {}, "MG17_ANAGEN_CG16 = CG16_CODICE",
                               {{{"MG17_DITTA_CG18"}, {"MG17_AGENTE", way::doubled, 0}}}};
constexpr table_decode kAgenteByID{"CG16_RAGSOANAG", "MG17_AGENTI", {}, {}, "MG17_ANAGEN_CG16 = CG16_CODICE",
                                   {{{"MG17_IDAGENTE", way::number, 0}}}};

// ---------------------------------------------------------------------------
// Document types and sub-types (line form): the description in the user's
// language, the type's own description where it has no translation.

struct document_type {
  std::string_view select;     // "    ISNULL(MG0S_DESCRIZIONE,DO01_DESCR) AS DO01_DESCR"
  std::string_view field;
  std::string_view from;       // "    DO01_TIPIDOC WITH (NOLOCK)"
  std::string_view provider;   // "    AND MG0S_PROVID_FW4A = 1033"
  std::string_view idprov;     // "    AND MG0S_IDPROV = DO01_IDPROV"
  std::array<std::string_view, 2> conditions;  // each followed by the number of its argument
};

value document_type_decode(decode& dc, std::span<value> a, const document_type& d) {
  const std::string language = dc.language(decode::language_source::user);
  dc.set_fields({d.field});
  statement st;
  st.line("SELECT");
  st.line(d.select);
  st.line("FROM");
  st.line(d.from);
  st.line("LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON");
  st.line("    MG0S_CODLINGUA_MG52 = '").quoted(language) << "'";
  st.line(d.provider);
  st.line(d.idprov);
  st.line("WHERE");
  for (std::size_t i = 0; i < d.conditions.size() && !d.conditions[i].empty(); ++i)
    st.line(d.conditions[i]).number(DecimalOrZero(a[i]));
  dc.set_statement(st);
  return {};
}

constexpr document_type kTipoDocumento{"    ISNULL(MG0S_DESCRIZIONE,DO01_DESCR) AS DO01_DESCR",
                                       "DO01_DESCR",
                                       "    DO01_TIPIDOC WITH (NOLOCK)",
                                       "    AND MG0S_PROVID_FW4A = 1033",
                                       "    AND MG0S_IDPROV = DO01_IDPROV",
                                       {"    DO01_TIPODOC = "}};
constexpr document_type kSottoTipoDocumento{"    ISNULL(MG0S_DESCRIZIONE,DO02_DESCR) AS DO02_DESCR",
                                            "DO02_DESCR",
                                            "    DO02_STIPIDOC WITH (NOLOCK)",
                                            "    AND MG0S_PROVID_FW4A = 1035",
                                            "    AND MG0S_IDPROV = DO02_IDPROV",
                                            {"    DO02_TIPODOC_DO01 = ", "    AND DO02_STIPODOC = "}};

// ---------------------------------------------------------------------------
// Below-stock and delay parameter sets (compact form). Their code and
// description come back; the caller reads the description.

template <class Step>
void skip_on_error(Step&& step) {
  try {
    step();
  } catch (const automation_error&) {
  }
}

struct parameter_set {
  std::string_view select;   // " SELECT MGFA_CODPARAM, MGFA_DESCPARAM "
  std::string_view field;
  std::string_view from;     // " FROM MGFA_SOTTOSCPARAM WITH (NOLOCK)"
  std::string_view company;  // "  WHERE MGFA_DITTA_CG18 = "
  std::string_view code;     // "  AND   MGFA_CODPARAM = '"
};

// The company is the host's current one as the host writes it. When it
// cannot be read the composition goes on with company 0, the value every
// company filter falls back to without a host: the statement stays
// well-formed and finds no other company's parameters.
value parameter_set_decode(decode& dc, std::span<value> a, const parameter_set& d) {
  dc.set_fields({d.field});
  statement st;
  st << d.select << d.from;
  std::string company = "0";
  skip_on_error([&] { company = dc.host_company_text(); });
  st << d.company << company;
  // The code as the caller passed it, trailing blanks included.
  st << d.code;
  st.quoted(concat_text(a[0])) << "'";
  dc.set_statement(st);
  return {};
}

constexpr parameter_set kSottoscorta{" SELECT MGFA_CODPARAM, MGFA_DESCPARAM ", "MGFA_DESCPARAM",
                                     " FROM MGFA_SOTTOSCPARAM WITH (NOLOCK)", "  WHERE MGFA_DITTA_CG18 = ",
                                     "  AND   MGFA_CODPARAM = '"};
constexpr parameter_set kRitardi{" SELECT MGFB_CODPARAM, MGFB_DESCPARAM ", "MGFB_DESCPARAM",
                                 " FROM MGFB_RITARDIPARAM WITH (NOLOCK)", "  WHERE MGFB_DITTA_CG18 = ",
                                 "  AND   MGFB_CODPARAM = '"};

// ---------------------------------------------------------------------------
// Commercial-category values

constexpr std::int32_t kCommandText = 1;

}  // namespace

// Requesters are operators: the same decode for the same code.
value richiedenti(decode& dc, std::span<value> a) { return operatore(dc, a); }
value operatore(decode& dc, std::span<value> a) { return describe(dc, a, kOperatore); }

// A category's values are kept as numbers or as texts, as its data type
// says; the type is read first. A failing step is left out and the
// composition goes on.
value valore_categoria_commerciale(decode& dc, std::span<value> a) {
  bool numeric = false;
  std::shared_ptr<host::recordset> rs;  // released on return
  skip_on_error([&] {
    statement q;
    q << "SELECT CM01_INDTIPODATO FROM CM01_CATEGORIECOMM WITH (NOLOCK) WHERE CM01_IDCATEGORIA = ";
    q.number(DecimalOrZero(a[0]));
    std::shared_ptr<host::connection> conn = dc.host_interface().database_connection();
    value affected;
    rs = host::deref(conn).execute(q.view(), affected, kCommandText);
  });
  skip_on_error([&] {
    if (!host::deref(rs).bof() && !rs->eof()) numeric = to_integer(rs->field(0)) != 0;
  });
  dc.set_fields({"CM02_DESCR"});
  // One step: a statement whose category or value cannot be written would
  // decode some other value of the category, so none is handed back.
  std::string sql;
  skip_on_error([&] {
    statement st;
    st.line("SELECT");
    st.line("    CM02_DESCR");
    st.line("FROM");
    st.line("    CM02_VALORICATCOMM WITH (NOLOCK)");
    st.line("WHERE");
    st.line("    CM02_IDCATEGORIA_CM01 = ") << plain_number(a[0], decode::kSource);
    if (numeric)
      st.line("    AND CM02_VALORENUM = ").number(DecimalOrZero(a[1]));
    else
      st.line("    AND CM02_VALORESTR = '").quoted(TextOrEmpty(a[1])) << "'";
    sql = st.take();
  });
  dc.stringa_sql = value(std::move(sql));
  return {};
}

value stato_articolo(decode& dc, std::span<value> a) {
  dc.set_fields({"MG6W_DESCR"});
  statement st;
  st.line("SELECT");
  st.line("    MG6W_DESCR");
  st.line("FROM");
  st.line("    MG6W_STATIART WITH (NOLOCK)");
  st.line("WHERE");
  st.line("    MG6W_INDSTATO = ").number(DecimalOrZero(a[0]));
  dc.set_statement(st);
  return {};
}

// The article's description for one option (the second argument), always in
// the empty language, for the host's current company.
value opzione_articolo(decode& dc, std::span<value> a) {
  dc.set_fields({"MG87_DESCART"});
  statement st;
  st.line("SELECT");
  st.line("    MG87_DESCART");
  st.line("FROM");
  st.line("    MG87_ARTDESC WITH (NOLOCK)");
  st.line("WHERE");
  st.line("    MG87_DITTA_CG18 = ") << dc.host_company_text();
  st.line("    AND MG87_CODART_MG66 = '").quoted(TextOrEmpty(a[0])) << "'";
  st.line("    AND MG87_LINGUA_MG52 = ''");
  st.line("    AND MG87_OPZIONE_MG5E = '").quoted(TextOrEmpty(a[1])) << "'";
  dc.set_statement(st);
  return {};
}

value tipo_documento(decode& dc, std::span<value> a) { return document_type_decode(dc, a, kTipoDocumento); }
value parametri_sottoscorta_decode(decode& dc, std::span<value> a) { return parameter_set_decode(dc, a, kSottoscorta); }
value parametri_ritardi_decode(decode& dc, std::span<value> a) { return parameter_set_decode(dc, a, kRitardi); }
value sotto_tipo_documento(decode& dc, std::span<value> a) { return document_type_decode(dc, a, kSottoTipoDocumento); }
value scaglione_di_arrotondamento(decode& dc, std::span<value> a) { return describe(dc, a, kScaglione); }
value spesa(decode& dc, std::span<value> a) { return describe(dc, a, kSpesa); }
value macro_area(decode& dc, std::span<value> a) { return describe(dc, a, kMacroArea); }
value area(decode& dc, std::span<value> a) { return describe(dc, a, kArea); }
value zona(decode& dc, std::span<value> a) { return describe(dc, a, kZona); }
value macro_categoria(decode& dc, std::span<value> a) { return describe(dc, a, kMacroCategoria); }
value categoria(decode& dc, std::span<value> a) { return describe(dc, a, kCategoria); }
value sotto_categoria(decode& dc, std::span<value> a) { return describe(dc, a, kSottoCategoria); }
value causale_trasporto(decode& dc, std::span<value> a) { return describe(dc, a, kCausaleTrasporto); }
value vettore(decode& dc, std::span<value> a) { return describe(dc, a, kVettore); }
value spedizioniere(decode& dc, std::span<value> a) { return describe(dc, a, kSpedizioniere); }
value agente(decode& dc, std::span<value> a) { return describe(dc, a, kAgente); }
value agente_by_id(decode& dc, std::span<value> a) { return describe(dc, a, kAgenteByID); }

}  // namespace veldrane::decode_ops
