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
#include "decode/describe.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

namespace {

// ---------------------------------------------------------------------------
// The classification levels below the family. Under hierarchical coding a
// level's codes are unique only within their parent, so the parent codes
// take part; otherwise the parents of every row hold the empty code.

struct classification_level {
  std::string_view field;  // the alias of the translated description
  std::string_view from;
  translation translated;
  std::string_view company;                // the company condition up to the company code
  std::array<std::string_view, 3> parents;  // up to the opening quote; the arguments in order
  std::string_view own;                     // compared with the argument after the parents'
};

constexpr classification_level kSottoFamiglia{
    "MG54_DESCRSFAM", "    MG54_SOTTOFAM WITH (NOLOCK)", {"1020", "MG54_IDPROV"}, "    MG54_DITTA_CG18 = ",
    {"    MG54_CODFAM_MG53 = '"}, "    MG54_CODSFAM = '"};
constexpr classification_level kGruppo{
    "MG55_DESCRGRUPPO", "    MG55_GRUPPI WITH (NOLOCK)", {"1021", "MG55_IDPROV"}, "    MG55_DITTA_CG18 = ",
    {"    MG55_CODFAM_MG53 = '", "    MG55_CODSFAM_MG54 = '"}, "    MG55_CODGRUPPO = '"};
constexpr classification_level kSottoGruppo{
    "MG56_DESCRSGRUPPO", "    MG56_SOTTOGRUPPI WITH (NOLOCK)", {"1022", "MG56_IDPROV"}, "    MG56_DITTA_CG18 = ",
    {"    MG56_CODFAM_MG53 = '", "    MG56_CODSFAM_MG54 = '", "    MG56_CODGRUPPO_MG55 = '"},
    "    MG56_CODSGRUPPO = '"};

bool hierarchical_coding(decode& dc) {
  const auto company = dc.company_context();
  const auto coding = company->coding();
  return to_double(DecimalOrZero(host::deref(coding).hierarchical_coding())) == 1.0;
}

value classification(decode& dc, std::span<value> a, const classification_level& d) {
  const std::string language = dc.language(d.translated.language);
  dc.set_fields({d.field});
  statement st;
  st << " SELECT" << "    MG0S_DESCRIZIONE AS " << d.field << " FROM" << d.from;
  language_join(st, language, d.translated.provider, d.translated.idprov_column);
  st << " WHERE";
  company_filter(st, d.company, dc.codice_ditta());
  st << " AND";
  // Stored before the parameter is read: a failing host leaves the
  // statement up to the company condition.
  dc.store_so_far(st);
  const bool by_parent = hierarchical_coding(dc);
  std::size_t p = 0;
  for (; p < d.parents.size() && !d.parents[p].empty(); ++p) {
    st << d.parents[p];
    if (by_parent) st.quoted(TextOrEmpty(a[p]));
    st << "' AND";
  }
  st << d.own;
  st.quoted(TextOrEmpty(a[p])) << "'";
  dc.set_statement(st);
  return {};
}

// ---------------------------------------------------------------------------
// The deposit of a transfer movement or of its counterpart. Every host read
// may fail: a failing step leaves out its own contribution and the
// composition goes on.

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
  if (filtered) skip_on_error([&] { decode::deposit_filter(dc, st); });
  dc.set_statement(st);
  return {};
}

}  // namespace

// Languages and the article classification.
constexpr table kLingua{{"MG52_DESCRLINGUA"}, "    MG52_LINGUE WITH (NOLOCK)",
                        {{{"    MG52_CODLINGUA = '", way::quoted, 0}}}};
value lingua(decode& dc, std::span<value> a) { return describe(dc, a, kLingua); }

constexpr table kFamiglia{{"MG53_DESCRFAM"}, "    MG53_FAMIGLIE WITH (NOLOCK)",
                          {{{"    MG53_DITTA_CG18 = ", way::company}, {"    MG53_CODFAM = '", way::quoted, 0}}},
                          {"1019", "MG53_IDPROV"}};
value famiglia(decode& dc, std::span<value> a) { return describe(dc, a, kFamiglia); }

constexpr table kApplicazione{{"MG57_DESCRAPPLIC"}, "    MG57_APPLICAZIONI WITH (NOLOCK)",
                              {{{"    MG57_DITTA_CG18 = ", way::company}, {"    MG57_CODAPPLIC = '", way::quoted, 0}}},
                              {"1029", "MG57_IDPROV"}};
value applicazione(decode& dc, std::span<value> a) { return describe(dc, a, kApplicazione); }

// Deposits.
constexpr table kDeposito{{"MG58_DESCRDEP"}, "    MG58_DEPOSITI WITH (NOLOCK)",
                          {{{"    MG58_DITTA_CG18 = ", way::company}, {"    MG58_CODDEP = '", way::quoted, 0}}}};
value deposito(decode& dc, std::span<value> a) {
  describe(dc, a, kDeposito);
  dc.append_to_stored(decode::deposit_filter);
  return {};
}

constexpr table kRaggruppamentoDepositi{{"MG5D_DESCRAGGDEP"}, "    MG5D_RAGGDEPOS WITH (NOLOCK)",
                                        {{{"    MG5D_CODRAGGDEP = '", way::quoted, 0}}}};
value raggruppamento_depositi(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppamentoDepositi); }

// Variants, codes and commercial tables.
constexpr table kOpzione{{"MG5E_DESCR"}, "    MG5E_OPZIONI WITH (NOLOCK)",
                         {{{"    MG5E_DITTA_CG18 = ", way::company},
                           {"    MG5E_CODICEVAR_MG5F = '", way::quoted, 0},
                           {"    MG5E_OPZIONE = '", way::quoted, 1}}}};
value opzione(decode& dc, std::span<value> a) { return describe(dc, a, kOpzione); }

constexpr table kConfiguratore{{"MG5F_DESCR_VAR"}, "    MG5F_DIMECONF WITH (NOLOCK)",
                               {{{"    MG5F_DITTA_CG18 = ", way::company},
                                 {"    MG5F_CODICEVAR = '", way::quoted, 0}}}};
value configuratore(decode& dc, std::span<value> a) { return describe(dc, a, kConfiguratore); }

constexpr table kRaggruppamentoVariante{{"MG5G_DESCRRAGGVAR"}, "    MG5G_RAGGVAR WITH (NOLOCK)",
                                        {{{"    MG5G_DITTA_CG18 = ", way::company},
                                          {"    MG5G_CODICEVAR_MG5F = '", way::quoted, 0},
                                          {"    MG5G_CODRAGGVAR = '", way::quoted, 1}}}};
value raggruppamento_variante(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppamentoVariante); }

constexpr table kSubcodiceArticolo{{"MG6E_DESCR"}, "    MG6E_SUBCODART WITH (NOLOCK)",
                                   {{{"    MG6E_DITTA_CG18 = ", way::company},
                                     {"    MG6E_PROGR_MG6F = ", way::number, 0},
                                     {"    MG6E_SUBCODICE = '", way::quoted, 1}}}};
value subcodice_articolo(decode& dc, std::span<value> a) { return describe(dc, a, kSubcodiceArticolo); }

constexpr table kPrecodice{{"MG60_DESCRPRECOD"}, "    MG60_PRECODICI WITH (NOLOCK)",
                           {{{"    MG60_DITTA_CG18 = ", way::company}, {"    MG60_PRECODICE = '", way::quoted, 0}}}};
value precodice(decode& dc, std::span<value> a) { return describe(dc, a, kPrecodice); }

constexpr table kGruppoFiscale{{"MG61_DESCRGRUFIS"}, "    MG61_GRUPPIFIS WITH (NOLOCK)",
                               {{{"    MG61_DITTA_CG18 = ", way::company},
                                 {"    MG61_CODGRUPFIS = '", way::quoted, 0}}},
                               {"1027", "MG61_IDPROV"}};
value gruppo_fiscale(decode& dc, std::span<value> a) { return describe(dc, a, kGruppoFiscale); }

constexpr table kTestoFisso{{"MG62_DESCR"}, "    MG62_TESTIFIS WITH (NOLOCK)",
                            {{{"    MG62_CODICE = '", way::quoted, 0}}},
                            {"1003", "MG62_IDPROV"}};
value testo_fisso(decode& dc, std::span<value> a) { return describe(dc, a, kTestoFisso); }

constexpr table kClasseDiSconto{{"MG63_DESCRCLASC"}, "    MG63_CLASSISC WITH (NOLOCK)",
                                {{{"    MG63_DITTA_CG18 = ", way::company},
                                  {"    MG63_CODCLASC = '", way::quoted, 0}}}};
value classe_di_sconto(decode& dc, std::span<value> a) { return describe(dc, a, kClasseDiSconto); }

constexpr table kMarca{{"MG64_DESCRMARCA"}, "    MG64_MARCHEART WITH (NOLOCK)",
                       {{{"    MG64_DITTA_CG18 = ", way::company}, {"    MG64_CODMARCA = '", way::quoted, 0}}},
                       {"1028", "MG64_IDPROV"}};
value marca(decode& dc, std::span<value> a) { return describe(dc, a, kMarca); }

// The description of the first operative dialect, from the table function
// per code and company.
constexpr piece kCodiceIncoterms[] = {
    {" SELECT MG0T.MG0T_DESCRIZIONE AS MG0T_DESCRIZIONE "},
    {" FROM MG0T_CODINCOTERMS"},
    {" OUTER APPLY dbo.FNMG0T_CODINCOTERMS(MG0T_CODINCOTERMS.MG0T_CODICE,", way::company},
    {") AS MG0T WHERE MG0T_CODINCOTERMS.MG0T_CODICE = '", way::quoted, 0},
    {" AND MG0T_CODINCOTERMS.MG0T_ID_BB00 IN (SELECT TOP 1 BB00_ID FROM BB00_DIALETTI WHERE BB00_STATO='OPERATIVA')"}};
value codice_incoterms(decode& dc, std::span<value> a) { return compose(dc, a, "MG0T_DESCRIZIONE", kCodiceIncoterms); }

// Warehouse articles: the description row of the article for the empty
// language, for the empty option or for the given variant.
constexpr table kArticoloDiMagazzino{
    {"MG87_DESCART"},
    "    MG66_ANAGRART WITH (NOLOCK)"
    " INNER JOIN MG87_ARTDESC ON"
    "    MG66_DITTA_CG18 = MG87_DITTA_CG18 AND"
    "    MG66_CODART = MG87_CODART_MG66 AND"
    "    MG87_OPZIONE_MG5E = '' AND"
    "    MG87_LINGUA_MG52 = ''",
    {{{"    MG66_DITTA_CG18 = ", way::company}, {"    MG66_CODART = '", way::quoted, 0}}}};
value articolo_di_magazzino(decode& dc, std::span<value> a) {
  describe(dc, a, kArticoloDiMagazzino);
  dc.append_to_stored(decode::article_filter);
  return {};
}

constexpr piece kVariantDescription[] = {
    {"    MG87_OPZIONE_MG5E = '", way::quoted, 1}, {" AND"}, {"    MG87_LINGUA_MG52 = ''"}};

constexpr table kArticoloDiMagazzinoConVariante{
    {"MG87_DESCART"},
    "    MG66_ANAGRART WITH (NOLOCK)"
    " INNER JOIN MG87_ARTDESC WITH (NOLOCK) ON"
    "    MG66_DITTA_CG18 = MG87_DITTA_CG18 AND"
    "    MG66_CODART = MG87_CODART_MG66 AND",
    {{{"    MG66_DITTA_CG18 = ", way::company}, {"    MG66_CODART = '", way::quoted, 0}}},
    {}, kVariantDescription};
value articolo_di_magazzino_con_variante(decode& dc, std::span<value> a) {
  describe(dc, a, kArticoloDiMagazzinoConVariante);
  dc.append_to_stored(decode::article_filter);
  return {};
}

// Statistics and print exclusion.
constexpr table kGruppoStatistico1{{"MG74_DESGRUSTAT1"}, "    MG74_GRUSTAT1 WITH (NOLOCK)",
                                   {{{"    MG74_DITTA_CG18 = ", way::company},
                                     {"    MG74_CODGRUSTAT1 = '", way::quoted, 0}}},
                                   {"1023", "MG74_IDPROV"}};
value gruppo_statistico1(decode& dc, std::span<value> a) { return describe(dc, a, kGruppoStatistico1); }

constexpr table kGruppoStatistico2{{"MG75_DESGRUSTAT2"}, "    MG75_GRUSTAT2 WITH (NOLOCK)",
                                   {{{"    MG75_DITTA_CG18 = ", way::company},
                                     {"    MG75_CODGRUSTAT2 = '", way::quoted, 0}}},
                                   {"1024", "MG75_IDPROV"}};
value gruppo_statistico2(decode& dc, std::span<value> a) { return describe(dc, a, kGruppoStatistico2); }

constexpr table kGruppoStatistico3{{"MG76_DESGRUSTAT3"}, "    MG76_GRUSTAT3 WITH (NOLOCK)",
                                   {{{"    MG76_DITTA_CG18 = ", way::company},
                                     {"    MG76_CODGRUSTAT3 = '", way::quoted, 0}}},
                                   {"1025", "MG76_IDPROV"}};
value gruppo_statistico3(decode& dc, std::span<value> a) { return describe(dc, a, kGruppoStatistico3); }

constexpr table kGruppoStatistico4{{"MG77_DESGRUSTAT4"}, "    MG77_GRUSTAT4 WITH (NOLOCK)",
                                   {{{"    MG77_DITTA_CG18 = ", way::company},
                                     {"    MG77_CODGRUSTAT4 = '", way::quoted, 0}}},
                                   {"1026", "MG77_IDPROV"}};
value gruppo_statistico4(decode& dc, std::span<value> a) { return describe(dc, a, kGruppoStatistico4); }

constexpr table kFlagEsclusioneStampa{{"MG82_DESCR"}, "    MG82_FLAGESCL WITH (NOLOCK)",
                                      {{{"    MG82_CODICE = '", way::quoted, 0}}}};
value flag_esclusione_stampa(decode& dc, std::span<value> a) { return describe(dc, a, kFlagEsclusioneStampa); }

// The stored selection of an object at company level (no user, no group)
// whose text is the given filter. Both texts as the caller gives them.
constexpr table kFiltroMovPerIndiciMargini{{"MG4V_SELEZIONE"}, "    MG4V_SELEZIONEPRS",
                                           {{{"    MG4V_DITTA_CG18 = ", way::company},
                                             {"    AND MG4V_UOBJECT = '", way::as_given, 0},
                                             {"    AND MG4V_ID_FW06 = 0"},
                                             {"    AND MG4V_ID_FW07 = 0"},
                                             {"    AND MG4V_SELEZIONE = '", way::as_given, 1},
                                             {" GROUP BY    MG4V_SELEZIONE"}}},
                                           {}, {}, {}, joined::as_written};
value filtro_mov_per_indici_margini(decode& dc, std::span<value> a) {
  return describe(dc, a, kFiltroMovPerIndiciMargini);
}

// ---------------------------------------------------------------------------
// Languages and the article classification

value sotto_famiglia(decode& dc, std::span<value> a) { return classification(dc, a, kSottoFamiglia); }
value gruppo(decode& dc, std::span<value> a) { return classification(dc, a, kGruppo); }
value sotto_gruppo(decode& dc, std::span<value> a) { return classification(dc, a, kSottoGruppo); }

// ---------------------------------------------------------------------------
// Deposits

value deposito_trasferimento_mov(decode& dc, std::span<value> a) { return transfer_deposit(dc, a, kMovement); }
value deposito_trasferimento_coll(decode& dc, std::span<value> a) { return transfer_deposit(dc, a, kCounterpart); }

}  // namespace veldrane::decode_ops
