// Decodes of languages, the four levels of the article classification,
// applications, deposits (plain and for transfer movements between two
// deposits), deposit groupings, variants with their options, groupings and
// configurators, article sub-codes and pre-codes, fiscal groups, fixed texts,
// discount classes, Incoterms codes, brands, warehouse articles, the four
// statistical groups, print-exclusion flags and the stored selections of the
// margin indices.
#include <array>
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
};

struct condition {
  std::string_view column;  // empty: no further condition
  way how = way::company;
  std::size_t arg = 0;      // the argument's position (number, quoted)
};

using conditions = std::array<condition, 3>;

// The WHERE part of the run-on form: " WHERE", then "    COLUMN = value"
// per condition, separated by " AND".
void where(decode& dc, statement& st, std::span<value> a, const conditions& cs) {
  st << " WHERE";
  bool first = true;
  for (const condition& c : cs) {
    if (c.column.empty()) break;
    if (!first) st << " AND";
    first = false;
    st << "    " << c.column << " = ";
    switch (c.how) {
      case way::company: st.number(dc.codice_ditta()); break;
      case way::number: st.number(DecimalOrZero(a[c.arg])); break;
      case way::quoted: st << "'"; st.quoted(TextOrEmpty(a[c.arg])) << "'"; break;
    }
  }
}

// Appends an access restriction to the statement already stored, so that a
// failing host leaves the statement complete without it.
void restrict_stored(decode& dc, void (decode::*append)(statement&)) {
  statement st;
  st << dc.stringa_sql.as_string();
  (dc.*append)(st);
  dc.set_statement(st);
}

// ---------------------------------------------------------------------------
// The plain description of one table.

struct plain_decode {
  std::string_view field;  // also the select item
  std::string_view table;
  conditions where;
};

value plain(decode& dc, std::span<value> a, const plain_decode& d) {
  dc.set_fields({d.field});
  statement st;
  st << " SELECT" << "    " << d.field << " FROM" << "    " << d.table << " WITH (NOLOCK)";
  where(dc, st, a, d.where);
  dc.set_statement(st);
  return {};
}

constexpr plain_decode kLingua{"MG52_DESCRLINGUA", "MG52_LINGUE", {{{"MG52_CODLINGUA", way::quoted, 0}}}};
constexpr plain_decode kRaggruppamentoDepositi{
    "MG5D_DESCRAGGDEP", "MG5D_RAGGDEPOS", {{{"MG5D_CODRAGGDEP", way::quoted, 0}}}};
constexpr plain_decode kDeposito{
    "MG58_DESCRDEP", "MG58_DEPOSITI", {{{"MG58_DITTA_CG18"}, {"MG58_CODDEP", way::quoted, 0}}}};
constexpr plain_decode kOpzione{
    "MG5E_DESCR", "MG5E_OPZIONI",
    {{{"MG5E_DITTA_CG18"}, {"MG5E_CODICEVAR_MG5F", way::quoted, 0}, {"MG5E_OPZIONE", way::quoted, 1}}}};
constexpr plain_decode kConfiguratore{
    "MG5F_DESCR_VAR", "MG5F_DIMECONF", {{{"MG5F_DITTA_CG18"}, {"MG5F_CODICEVAR", way::quoted, 0}}}};
constexpr plain_decode kRaggruppamentoVariante{
    "MG5G_DESCRRAGGVAR", "MG5G_RAGGVAR",
    {{{"MG5G_DITTA_CG18"}, {"MG5G_CODICEVAR_MG5F", way::quoted, 0}, {"MG5G_CODRAGGVAR", way::quoted, 1}}}};
constexpr plain_decode kSubcodiceArticolo{
    "MG6E_DESCR", "MG6E_SUBCODART",
    {{{"MG6E_DITTA_CG18"}, {"MG6E_PROGR_MG6F", way::number, 0}, {"MG6E_SUBCODICE", way::quoted, 1}}}};
constexpr plain_decode kPrecodice{
    "MG60_DESCRPRECOD", "MG60_PRECODICI", {{{"MG60_DITTA_CG18"}, {"MG60_PRECODICE", way::quoted, 0}}}};
constexpr plain_decode kClasseDiSconto{
    "MG63_DESCRCLASC", "MG63_CLASSISC", {{{"MG63_DITTA_CG18"}, {"MG63_CODCLASC", way::quoted, 0}}}};
constexpr plain_decode kFlagEsclusioneStampa{"MG82_DESCR", "MG82_FLAGESCL", {{{"MG82_CODICE", way::quoted, 0}}}};

// ---------------------------------------------------------------------------
// The translated description of one table, in the current language.

struct translated_decode {
  std::string_view field;  // the alias of MG0S_DESCRIZIONE
  std::string_view table;  // its translation key is <prefix>_IDPROV
  std::string_view provider;
  std::string_view idprov_column;
  conditions where;
};

// " SELECT", the translated description, " FROM", the table and its
// translation in `language`.
void translated_from(statement& st, std::string_view field, std::string_view table, std::string_view language,
                     std::string_view provider, std::string_view idprov_column) {
  st << " SELECT" << "    MG0S_DESCRIZIONE AS " << field << " FROM" << "    " << table << " WITH (NOLOCK)";
  language_join(st, language, provider, idprov_column);
}

value translated(decode& dc, std::span<value> a, const translated_decode& d) {
  const std::string language = dc.language(decode::language_source::company);
  dc.set_fields({d.field});
  statement st;
  translated_from(st, d.field, d.table, language, d.provider, d.idprov_column);
  where(dc, st, a, d.where);
  dc.set_statement(st);
  return {};
}

constexpr translated_decode kFamiglia{"MG53_DESCRFAM", "MG53_FAMIGLIE", "1019", "MG53_IDPROV",
                                      {{{"MG53_DITTA_CG18"}, {"MG53_CODFAM", way::quoted, 0}}}};
constexpr translated_decode kApplicazione{"MG57_DESCRAPPLIC", "MG57_APPLICAZIONI", "1029", "MG57_IDPROV",
                                          {{{"MG57_DITTA_CG18"}, {"MG57_CODAPPLIC", way::quoted, 0}}}};
constexpr translated_decode kGruppoFiscale{"MG61_DESCRGRUFIS", "MG61_GRUPPIFIS", "1027", "MG61_IDPROV",
                                           {{{"MG61_DITTA_CG18"}, {"MG61_CODGRUPFIS", way::quoted, 0}}}};
constexpr translated_decode kTestoFisso{"MG62_DESCR", "MG62_TESTIFIS", "1003", "MG62_IDPROV",
                                        {{{"MG62_CODICE", way::quoted, 0}}}};
constexpr translated_decode kMarca{"MG64_DESCRMARCA", "MG64_MARCHEART", "1028", "MG64_IDPROV",
                                   {{{"MG64_DITTA_CG18"}, {"MG64_CODMARCA", way::quoted, 0}}}};
constexpr translated_decode kGruppoStatistico1{"MG74_DESGRUSTAT1", "MG74_GRUSTAT1", "1023", "MG74_IDPROV",
                                               {{{"MG74_DITTA_CG18"}, {"MG74_CODGRUSTAT1", way::quoted, 0}}}};
constexpr translated_decode kGruppoStatistico2{"MG75_DESGRUSTAT2", "MG75_GRUSTAT2", "1024", "MG75_IDPROV",
                                               {{{"MG75_DITTA_CG18"}, {"MG75_CODGRUSTAT2", way::quoted, 0}}}};
constexpr translated_decode kGruppoStatistico3{"MG76_DESGRUSTAT3", "MG76_GRUSTAT3", "1025", "MG76_IDPROV",
                                               {{{"MG76_DITTA_CG18"}, {"MG76_CODGRUSTAT3", way::quoted, 0}}}};
constexpr translated_decode kGruppoStatistico4{"MG77_DESGRUSTAT4", "MG77_GRUSTAT4", "1026", "MG77_IDPROV",
                                               {{{"MG77_DITTA_CG18"}, {"MG77_CODGRUSTAT4", way::quoted, 0}}}};

// ---------------------------------------------------------------------------
// The classification levels below the family. Under hierarchical coding a
// level's codes are unique only within their parent, so the parent codes
// take part; otherwise the parents of every row hold the empty code.

struct parent {
  std::string_view column;
  std::size_t arg;
};

struct classification_level {
  std::string_view field;
  std::string_view table;
  std::string_view provider;
  std::string_view idprov_column;
  std::string_view company_column;
  std::array<parent, 3> parents;  // the first `levels` in use
  std::size_t levels;
  std::string_view own_column;    // compared with the last argument
};

bool hierarchical_coding(decode& dc) {
  const auto company = dc.company_context();
  const auto coding = company->coding();
  return to_double(DecimalOrZero(host::deref(coding).hierarchical_coding())) == 1.0;
}

value classification(decode& dc, std::span<value> a, const classification_level& d) {
  const std::string language = dc.language(decode::language_source::company);
  dc.set_fields({d.field});
  statement st;
  translated_from(st, d.field, d.table, language, d.provider, d.idprov_column);
  st << " WHERE" << "    " << d.company_column << " = ";
  st.number(dc.codice_ditta());
  st << " AND";
  // Stored before the parameter is read: a failing host leaves the
  // statement up to the company condition.
  dc.stringa_sql = value(std::string(st.view()));
  const bool by_parent = hierarchical_coding(dc);
  for (std::size_t p = 0; p < d.levels; ++p) {
    st << "    " << d.parents[p].column << " = '";
    if (by_parent) st.quoted(TextOrEmpty(a[d.parents[p].arg]));
    st << "' AND";
  }
  st << "    " << d.own_column << " = '";
  st.quoted(TextOrEmpty(a[d.levels])) << "'";
  dc.set_statement(st);
  return {};
}

constexpr classification_level kSottoFamiglia{
    "MG54_DESCRSFAM", "MG54_SOTTOFAM", "1020", "MG54_IDPROV", "MG54_DITTA_CG18",
    {{{"MG54_CODFAM_MG53", 0}}}, 1, "MG54_CODSFAM"};
constexpr classification_level kGruppo{
    "MG55_DESCRGRUPPO", "MG55_GRUPPI", "1021", "MG55_IDPROV", "MG55_DITTA_CG18",
    {{{"MG55_CODFAM_MG53", 0}, {"MG55_CODSFAM_MG54", 1}}}, 2, "MG55_CODGRUPPO"};
constexpr classification_level kSottoGruppo{
    "MG56_DESCRSGRUPPO", "MG56_SOTTOGRUPPI", "1022", "MG56_IDPROV", "MG56_DITTA_CG18",
    {{{"MG56_CODFAM_MG53", 0}, {"MG56_CODSFAM_MG54", 1}, {"MG56_CODGRUPPO_MG55", 2}}}, 3, "MG56_CODSGRUPPO"};

// ---------------------------------------------------------------------------
// The deposit of a transfer movement or of its counterpart. Every host read
// may fail: a failing step leaves out its own contribution and the
// composition goes on.

template <class Step>
void skip_on_error(Step&& step) {
  try {
    step();
  } catch (const automation_error&) {
  }
}

struct transfer_side {
  // The second argument of the transfer function.
  value (*check_value)(decode& dc);
  // Whether the deposit itself comes before the counterpart in the
  // function's arguments when the document's sign is 1 (the other order for
  // any other sign).
  bool deposit_first_on_sign_1;
};

value company_transfer_check(decode& dc) { return dc.company_context()->transfer_check(); }
value connected_user(decode& dc) { return dc.user_context()->user_id(); }

constexpr transfer_side kMovement{company_transfer_check, true};
constexpr transfer_side kCounterpart{connected_user, false};

// Arguments: Codice, SegnoDocumento, the counterpart deposit.
value transfer_deposit(decode& dc, std::span<value> a, const transfer_side& side) {
  const std::string code = concat_text(a[0]);
  const std::string counterpart = concat_text(a[2]);
  dc.set_fields({"MG58_DESCRDEP"});
  bool filtered = false;
  skip_on_error([&] { filtered = to_bool(dc.environment()->filters_apply()); });
  statement st;
  if (filtered && !counterpart.empty()) {
    // Only deposits towards which a transfer from the counterpart (or to
    // it) is not revoked.
    st.line("SELECT");
    st.line("    MG58_DESCRDEP");
    st.line("FROM");
    st.line("    MG58_DEPOSITI WITH (NOLOCK)");
    st.line("WHERE");
    st.line("    MG58_DITTA_CG18 = ").number(dc.codice_ditta());
    skip_on_error([&] {
      const value check = DecimalOrZero(side.check_value(dc));
      st.line("    AND DBO.FNFW_TRASFREVOCATI(").number(dc.codice_ditta()) << ", ";
      st.number(check);
      const bool deposit_first = (to_long(a[1]) == 1) == side.deposit_first_on_sign_1;
      if (deposit_first) {
        st << ", MG58_CODDEP, '";
        st.quoted(counterpart) << "') = 0";
      } else {
        st << ", '";
        st.quoted(counterpart) << "', MG58_CODDEP) = 0";
      }
    });
    st.line("    AND MG58_CODDEP = '").quoted(code) << "'";
  } else {
    // Indented, every line closed by its own line break.
    st << "    SELECT\r\n" << "        MG58_DESCRDEP\r\n" << "    FROM\r\n" << "        MG58_DEPOSITI WITH (NOLOCK)\r\n"
       << "    WHERE\r\n" << "        MG58_DITTA_CG18 = ";
    st.number(dc.codice_ditta()) << "\r\n";
    st << "        AND MG58_CODDEP = '";
    st.quoted(code) << "'\r\n";
  }
  if (filtered) skip_on_error([&] { dc.append_deposit_filter(st); });
  dc.set_statement(st);
  return {};
}

// ---------------------------------------------------------------------------
// Warehouse articles: the description row of the article for the empty
// language, for the empty option or for the given variant.

value warehouse_article(decode& dc, std::span<value> a, bool with_variant) {
  dc.set_fields({"MG87_DESCART"});
  statement st;
  st << " SELECT" << "    MG87_DESCART" << " FROM" << "    MG66_ANAGRART WITH (NOLOCK)"
     << (with_variant ? " INNER JOIN MG87_ARTDESC WITH (NOLOCK) ON" : " INNER JOIN MG87_ARTDESC ON")
     << "    MG66_DITTA_CG18 = MG87_DITTA_CG18 AND" << "    MG66_CODART = MG87_CODART_MG66 AND"
     << "    MG87_OPZIONE_MG5E = '";
  if (with_variant) st.quoted(TextOrEmpty(a[1]));
  st << "' AND" << "    MG87_LINGUA_MG52 = ''";
  where(dc, st, a, {{{"MG66_DITTA_CG18"}, {"MG66_CODART", way::quoted, 0}}});
  dc.set_statement(st);
  restrict_stored(dc, &decode::append_article_filter);
  return {};
}

}  // namespace

// ---------------------------------------------------------------------------
// Languages and the article classification

value lingua(decode& dc, std::span<value> a) { return plain(dc, a, kLingua); }
value famiglia(decode& dc, std::span<value> a) { return translated(dc, a, kFamiglia); }
value sotto_famiglia(decode& dc, std::span<value> a) { return classification(dc, a, kSottoFamiglia); }
value gruppo(decode& dc, std::span<value> a) { return classification(dc, a, kGruppo); }
value sotto_gruppo(decode& dc, std::span<value> a) { return classification(dc, a, kSottoGruppo); }
value applicazione(decode& dc, std::span<value> a) { return translated(dc, a, kApplicazione); }

// ---------------------------------------------------------------------------
// Deposits

value deposito(decode& dc, std::span<value> a) {
  plain(dc, a, kDeposito);
  restrict_stored(dc, &decode::append_deposit_filter);
  return {};
}
value deposito_trasferimento_mov(decode& dc, std::span<value> a) { return transfer_deposit(dc, a, kMovement); }
value deposito_trasferimento_coll(decode& dc, std::span<value> a) { return transfer_deposit(dc, a, kCounterpart); }
value raggruppamento_depositi(decode& dc, std::span<value> a) { return plain(dc, a, kRaggruppamentoDepositi); }

// ---------------------------------------------------------------------------
// Variants, codes and commercial tables

value opzione(decode& dc, std::span<value> a) { return plain(dc, a, kOpzione); }
value configuratore(decode& dc, std::span<value> a) { return plain(dc, a, kConfiguratore); }
value raggruppamento_variante(decode& dc, std::span<value> a) { return plain(dc, a, kRaggruppamentoVariante); }
value subcodice_articolo(decode& dc, std::span<value> a) { return plain(dc, a, kSubcodiceArticolo); }
value precodice(decode& dc, std::span<value> a) { return plain(dc, a, kPrecodice); }
value gruppo_fiscale(decode& dc, std::span<value> a) { return translated(dc, a, kGruppoFiscale); }
value testo_fisso(decode& dc, std::span<value> a) { return translated(dc, a, kTestoFisso); }
value classe_di_sconto(decode& dc, std::span<value> a) { return plain(dc, a, kClasseDiSconto); }

// The description of the first operative dialect, from the table function
// per code and company.
value codice_incoterms(decode& dc, std::span<value> a) {
  dc.set_fields({"MG0T_DESCRIZIONE"});
  statement st;
  st << " SELECT MG0T.MG0T_DESCRIZIONE AS MG0T_DESCRIZIONE " << " FROM MG0T_CODINCOTERMS"
     << " OUTER APPLY dbo.FNMG0T_CODINCOTERMS(MG0T_CODINCOTERMS.MG0T_CODICE,";
  st.number(dc.codice_ditta()) << ") AS MG0T" << " WHERE MG0T_CODINCOTERMS.MG0T_CODICE = '";
  st.quoted(TextOrEmpty(a[0]))
      << "' AND MG0T_CODINCOTERMS.MG0T_ID_BB00 IN (SELECT TOP 1 BB00_ID FROM BB00_DIALETTI WHERE "
         "BB00_STATO='OPERATIVA')";
  dc.set_statement(st);
  return {};
}

value marca(decode& dc, std::span<value> a) { return translated(dc, a, kMarca); }

// ---------------------------------------------------------------------------
// Articles and statistics

value articolo_di_magazzino(decode& dc, std::span<value> a) { return warehouse_article(dc, a, false); }
value articolo_di_magazzino_con_variante(decode& dc, std::span<value> a) { return warehouse_article(dc, a, true); }
value gruppo_statistico1(decode& dc, std::span<value> a) { return translated(dc, a, kGruppoStatistico1); }
value gruppo_statistico2(decode& dc, std::span<value> a) { return translated(dc, a, kGruppoStatistico2); }
value gruppo_statistico3(decode& dc, std::span<value> a) { return translated(dc, a, kGruppoStatistico3); }
value gruppo_statistico4(decode& dc, std::span<value> a) { return translated(dc, a, kGruppoStatistico4); }
value flag_esclusione_stampa(decode& dc, std::span<value> a) { return plain(dc, a, kFlagEsclusioneStampa); }

// The stored selection of an object at company level (no user, no group)
// whose text is the given filter.
value filtro_mov_per_indici_margini(decode& dc, std::span<value> a) {
  dc.set_fields({"MG4V_SELEZIONE"});
  statement st;
  st << " SELECT" << "    MG4V_SELEZIONE" << " FROM" << "    MG4V_SELEZIONEPRS" << " WHERE"
     << "    MG4V_DITTA_CG18 = ";
  st.number(dc.codice_ditta());
  // Both texts as the caller gives them; a quote inside them is doubled so
  // that it cannot end the literal.
  st << "    AND MG4V_UOBJECT = '";
  st.quoted(concat_text(a[0])) << "'" << "    AND MG4V_ID_FW06 = 0" << "    AND MG4V_ID_FW07 = 0"
                               << "    AND MG4V_SELEZIONE = '";
  st.quoted(concat_text(a[1])) << "'" << " GROUP BY" << "    MG4V_SELEZIONE";
  dc.set_statement(st);
  return {};
}

}  // namespace veldrane::decode_ops
