// Decodes of operators and requesters, commercial-category values, article
// states and article options, document types and sub-types, the below-stock
// and delay parameter sets, rounding brackets, expenses, the two
// customer/supplier classification hierarchies (macro-area, area, zone;
// macro-category, category, sub-category), transport reasons, carriers,
// forwarders and agents.
#include <memory>
#include <span>

#include "convert/converters.h"
#include "decode/describe.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

constexpr table kOperatore{{"MG01_DESCR"}, "    MG01_OPERATORI WITH (NOLOCK)",
                           {{{"    MG01_CODICE = '", way::quoted, 0}}}};
value operatore(decode& dc, std::span<value> a) { return describe(dc, a, kOperatore); }

constexpr table kScaglione{{"MG02_DESCRSCAGL"}, "    MG02_SCAGLDESCR WITH (NOLOCK)",
                           {{{"    MG02_DITTA_CG18 = ", way::company}, {"    MG02_CODICESCAGL = ", way::number, 0}}}};
value scaglione_di_arrotondamento(decode& dc, std::span<value> a) { return describe(dc, a, kScaglione); }

constexpr table kSpesa{{"MG04_DESCR"}, "    MG04_SPESE WITH (NOLOCK)", {{{"    MG04_CODICE = '", way::quoted, 0}}}};
value spesa(decode& dc, std::span<value> a) { return describe(dc, a, kSpesa); }

// The two customer/supplier classification hierarchies: every level is kept
// per company and per kind (customers or suppliers), under its parents.
constexpr table kMacroArea{{"MG07_DESCRMACROAR"}, "    MG07_MACROAREE WITH (NOLOCK)",
                           {{{"    MG07_DITTA_CG18 = ", way::company},
                             {"    MG07_TIPOCF = ", way::number, 0},
                             {"    MG07_MACROAREA = '", way::quoted, 1}}},
                           {"1010", "MG07_IDPROV"}};
value macro_area(decode& dc, std::span<value> a) { return describe(dc, a, kMacroArea); }

constexpr table kArea{{"MG08_DESCRAREA"}, "    MG08_AREE WITH (NOLOCK)",
                      {{{"    MG08_DITTA_CG18 = ", way::company},
                        {"    MG08_TIPOCF_MG07 = ", way::number, 0},
                        {"    MG08_MACROAREA_MG07 = '", way::quoted, 1},
                        {"    MG08_AREA = '", way::quoted, 2}}},
                      {"1011", "MG08_IDPROV"}};
value area(decode& dc, std::span<value> a) { return describe(dc, a, kArea); }

constexpr table kZona{{"MG09_DESCRZONA"}, "    MG09_ZONE WITH (NOLOCK)",
                      {{{"    MG09_DITTA_CG18 = ", way::company},
                        {"    MG09_TIPOCF_MG08 = ", way::number, 0},
                        {"    MG09_MACROAREA_MG08 = '", way::quoted, 1},
                        {"    MG09_AREA_MG08 = '", way::quoted, 2},
                        {"    MG09_ZONA = '", way::quoted, 3}}},
                      {"1012", "MG09_IDPROV"}};
value zona(decode& dc, std::span<value> a) { return describe(dc, a, kZona); }

constexpr table kMacroCategoria{{"MG10_DESCRMACROCAT"}, "    MG10_MACROCAT WITH (NOLOCK)",
                                {{{"    MG10_DITTA_CG18 = ", way::company},
                                  {"    MG10_TIPOCF = ", way::number, 0},
                                  {"    MG10_MACROCAT = '", way::quoted, 1}}},
                                {"1013", "MG10_IDPROV"}};
value macro_categoria(decode& dc, std::span<value> a) { return describe(dc, a, kMacroCategoria); }

constexpr table kCategoria{{"MG11_DESCRCAT"}, "    MG11_CATEG WITH (NOLOCK)",
                           {{{"    MG11_DITTA_CG18 = ", way::company},
                             {"    MG11_TIPOCF_MG10 = ", way::number, 0},
                             {"    MG11_MACROCAT_MG10 = '", way::quoted, 1},
                             {"    MG11_CATEG = '", way::quoted, 2}}},
                           {"1014", "MG11_IDPROV"}};
value categoria(decode& dc, std::span<value> a) { return describe(dc, a, kCategoria); }

constexpr table kSottoCategoria{{"MG12_DESCRSOTTOCAT"}, "    MG12_SOTTOCAT WITH (NOLOCK)",
                                {{{"    MG12_DITTA_CG18 = ", way::company},
                                  {"    MG12_TIPOCF_MG11 = ", way::number, 0},
                                  {"    MG12_MACROCAT_MG11 = '", way::quoted, 1},
                                  {"    MG12_CATEG_MG11 = '", way::quoted, 2},
                                  {"    MG12_SOTTCAT = '", way::quoted, 3}}},
                                {"1015", "MG12_IDPROV"}};
value sotto_categoria(decode& dc, std::span<value> a) { return describe(dc, a, kSottoCategoria); }

// Transport reasons are shared by all companies.
constexpr table kCausaleTrasporto{{"MG13_DESCR"}, "    MG13_CAUTRASP WITH (NOLOCK)",
                                  {{{"    MG13_CODICE = '", way::quoted, 0}}},
                                  {"1001", "MG13_IDPROV"}};
value causale_trasporto(decode& dc, std::span<value> a) { return describe(dc, a, kCausaleTrasporto); }

// Names from the register of parties, which is read without the NOLOCK hint.
constexpr table kVettore{
    {"CG16_RAGSOANAG"},
    "    MG14_VETTORI WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN ON" "    MG14_CODICE_CG16 = CG16_CODICE",
    {{{"    MG14_CODICE = '", way::quoted, 0}}}};
value vettore(decode& dc, std::span<value> a) { return describe(dc, a, kVettore); }

constexpr table kSpedizioniere{
    {"CG16_RAGSOANAG"},
    "    MG15_SPEDIZ WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN ON" "    MG15_CODICE_CG16 = CG16_CODICE",
    {{{"    MG15_CODICE = '", way::quoted, 0}}}};
value spedizioniere(decode& dc, std::span<value> a) { return describe(dc, a, kSpedizioniere); }

// The agent's code as the caller typed it: its own text, right-trimmed.
constexpr table kAgente{
    {"CG16_RAGSOANAG"},
    "    MG17_AGENTI WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN ON" "    MG17_ANAGEN_CG16 = CG16_CODICE",
    {{{"    MG17_DITTA_CG18 = ", way::company}, {"    MG17_AGENTE = '", way::trimmed, 0}}}};
value agente(decode& dc, std::span<value> a) { return describe(dc, a, kAgente); }

constexpr table kAgenteByID{
    {"CG16_RAGSOANAG"},
    "    MG17_AGENTI WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN ON" "    MG17_ANAGEN_CG16 = CG16_CODICE",
    {{{"    MG17_IDAGENTE = ", way::number, 0}}}};
value agente_by_id(decode& dc, std::span<value> a) { return describe(dc, a, kAgenteByID); }

// Line form.
constexpr table kStatoArticolo{{"MG6W_DESCR"}, "    MG6W_STATIART WITH (NOLOCK)",
                               {{{"    MG6W_INDSTATO = ", way::number, 0}}},
                               {}, {}, {}, joined::by_line, form::lines};
value stato_articolo(decode& dc, std::span<value> a) { return describe(dc, a, kStatoArticolo); }

// The article's description for one option (the second argument), always in
// the empty language, for the host's current company.
constexpr table kOpzioneArticolo{{"MG87_DESCART"}, "    MG87_ARTDESC WITH (NOLOCK)",
                                 {{{"    MG87_DITTA_CG18 = ", way::host_company},
                                   {"    AND MG87_CODART_MG66 = '", way::quoted, 0},
                                   {"    AND MG87_LINGUA_MG52 = ''"},
                                   {"    AND MG87_OPZIONE_MG5E = '", way::quoted, 1}}},
                                 {}, {}, {}, joined::by_line, form::lines};
value opzione_articolo(decode& dc, std::span<value> a) { return describe(dc, a, kOpzioneArticolo); }

// Document types and sub-types: the description in the user's language, the
// type's own description where it has no translation.
constexpr table kTipoDocumento{{"DO01_DESCR"}, "    DO01_TIPIDOC WITH (NOLOCK)",
                               {{{"    DO01_TIPODOC = ", way::number, 0}}},
                               {"1033", "DO01_IDPROV", decode::language_source::user}, {},
                               "    ISNULL(MG0S_DESCRIZIONE,DO01_DESCR) AS DO01_DESCR",
                               joined::by_line,
                               form::lines};
value tipo_documento(decode& dc, std::span<value> a) { return describe(dc, a, kTipoDocumento); }

constexpr table kSottoTipoDocumento{{"DO02_DESCR"}, "    DO02_STIPIDOC WITH (NOLOCK)",
                                    {{{"    DO02_TIPODOC_DO01 = ", way::number, 0},
                                      {"    AND DO02_STIPODOC = ", way::number, 1}}},
                                    {"1035", "DO02_IDPROV", decode::language_source::user}, {},
                                    "    ISNULL(MG0S_DESCRIZIONE,DO02_DESCR) AS DO02_DESCR",
                                    joined::by_line,
                                    form::lines};
value sotto_tipo_documento(decode& dc, std::span<value> a) { return describe(dc, a, kSottoTipoDocumento); }

// A category's values, kept as numbers or as texts.
constexpr table kValoreNumerico{{"CM02_DESCR"}, "    CM02_VALORICATCOMM WITH (NOLOCK)",
                                {{{"    CM02_IDCATEGORIA_CM01 = ", way::plain, 0},
                                  {"    AND CM02_VALORENUM = ", way::number, 1}}},
                                {}, {}, {}, joined::by_line, form::lines};

constexpr table kValoreTesto{{"CM02_DESCR"}, "    CM02_VALORICATCOMM WITH (NOLOCK)",
                             {{{"    CM02_IDCATEGORIA_CM01 = ", way::plain, 0},
                               {"    AND CM02_VALORESTR = '", way::quoted, 1}}},
                             {}, {}, {}, joined::by_line, form::lines};
// The category's data type is read first; a failing step is left out and
// the composition goes on. A statement whose category or value cannot be
// written would decode some other value of the category: none is handed
// back then.
value valore_categoria_commerciale(decode& dc, std::span<value> a) {
  bool numeric = false;
  std::shared_ptr<host::recordset> rs;  // released on return
  skip_on_error([&] {
    statement q;
    q << "SELECT CM01_INDTIPODATO FROM CM01_CATEGORIECOMM WITH (NOLOCK) WHERE CM01_IDCATEGORIA = ";
    q.number(DecimalOrZero(a[0]));
    rs = dc.run_query(q, host::connection::kCommandText);
  });
  skip_on_error([&] {
    if (!host::deref(rs).bof() && !rs->eof()) numeric = to_integer(rs->field(0)) != 0;
  });
  dc.stringa_sql = value("");
  skip_on_error([&] { describe(dc, a, numeric ? kValoreNumerico : kValoreTesto); });
  return {};
}

// Below-stock and delay parameter sets, in the compact form: their code and
// description come back; the caller reads the description. The code as the
// caller passed it, trailing blanks included.
constexpr piece kSottoscorta[] = {{" SELECT MGFA_CODPARAM, MGFA_DESCPARAM "},
                                  {" FROM MGFA_SOTTOSCPARAM WITH (NOLOCK)"},
                                  {"  WHERE MGFA_DITTA_CG18 = ", way::host_company_or_zero},
                                  {"  AND   MGFA_CODPARAM = '", way::as_given, 0}};
value parametri_sottoscorta_decode(decode& dc, std::span<value> a) {
  return compose(dc, a, "MGFA_DESCPARAM", kSottoscorta);
}

constexpr piece kRitardi[] = {{" SELECT MGFB_CODPARAM, MGFB_DESCPARAM "},
                              {" FROM MGFB_RITARDIPARAM WITH (NOLOCK)"},
                              {"  WHERE MGFB_DITTA_CG18 = ", way::host_company_or_zero},
                              {"  AND   MGFB_CODPARAM = '", way::as_given, 0}};
value parametri_ritardi_decode(decode& dc, std::span<value> a) { return compose(dc, a, "MGFB_DESCPARAM", kRitardi); }

// Requesters are operators: the same decode for the same code.
value richiedenti(decode& dc, std::span<value> a) { return operatore(dc, a); }

}  // namespace veldrane::decode_ops
