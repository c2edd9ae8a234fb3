// Lookups over languages, the four levels of the article classification,
// applications, deposits (plain and for transfer documents) and deposit
// groupings.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

constexpr std::array<std::string_view, 2> kCodeDescr = {"Codice", "Descrizione"};

// A code the caller left out counts as Empty: it is written as the empty
// text, like an empty one.
const value& filter_value(const value& v) {
  static const value empty;
  return v.is_missing() ? empty : v;
}

// A company table of codes and descriptions in the run-on form: the
// description from the translation table when a provider is given, and
// conditions on the codes of the parent levels of the classification.
struct company_table {
  std::string_view title;
  std::string_view id;
  std::string_view code_column;  // also the default sort
  std::string_view code_fragment;
  std::string_view descr_fragment;
  std::string_view table_fragment;
  std::string_view provider;  // empty: no translated description
  std::string_view idprov_column;
  std::string_view company_fragment;
  // The conditions on the parent codes, each up to its opening quote.
  std::array<std::string_view, 3> parent_fragments;
  std::size_t parents;
};

constexpr company_table kFamiglie{"Elenco Famiglie", "Lkp_Famiglie", "MG53_CODFAM", "    MG53_CODFAM,",
                                  "    MG0S_DESCRIZIONE AS MG53_DESCRFAM", "    MG53_FAMIGLIE WITH (NOLOCK)",
                                  "1019", "MG53_IDPROV", "    MG53_DITTA_CG18 = ", {}, 0};
constexpr company_table kSottoFamiglie{"Elenco Sottofamiglie", "Lkp_SottoFamiglie", "MG54_CODSFAM",
                                       "    MG54_CODSFAM,", "    MG0S_DESCRIZIONE AS MG54_DESCRSFAM",
                                       "    MG54_SOTTOFAM WITH (NOLOCK)", "1020", "MG54_IDPROV",
                                       "    MG54_DITTA_CG18 = ", {"    MG54_CODFAM_MG53 = '"}, 1};
constexpr company_table kGruppi{"Elenco Gruppi", "Lkp_Gruppi", "MG55_CODGRUPPO", "    MG55_CODGRUPPO,",
                                "    MG0S_DESCRIZIONE AS MG55_DESCRGRUPPO", "    MG55_GRUPPI WITH (NOLOCK)",
                                "1021", "MG55_IDPROV", "    MG55_DITTA_CG18 = ",
                                {"    MG55_CODFAM_MG53 = '", "    MG55_CODSFAM_MG54 = '"}, 2};
constexpr company_table kSottoGruppi{"Elenco Sottogruppi", "Lkp_SottoGruppi", "MG56_CODSGRUPPO",
                                     "    MG56_CODSGRUPPO,", "    MG0S_DESCRIZIONE AS MG56_DESCRSGRUPPO",
                                     "    MG56_SOTTOGRUPPI WITH (NOLOCK)", "1022", "MG56_IDPROV",
                                     "    MG56_DITTA_CG18 = ",
                                     {"    MG56_CODFAM_MG53 = '", "    MG56_CODSFAM_MG54 = '",
                                      "    MG56_CODGRUPPO_MG55 = '"},
                                     3};
constexpr company_table kApplicazioni{"Elenco Applicazioni", "Lkp_Applicazioni", "MG57_CODAPPLIC",
                                      "    MG57_CODAPPLIC,", "    MG0S_DESCRIZIONE AS MG57_DESCRAPPLIC",
                                      "    MG57_APPLICAZIONI WITH (NOLOCK)", "1029", "MG57_IDPROV",
                                      "    MG57_DITTA_CG18 = ", {}, 0};
constexpr company_table kRaggruppamentiDepositi{
    "Elenco Raggruppamenti depositi", "Lkp_RaggruppamentiDepositi", "MG5D_CODRAGGDEP", "    MG5D_CODRAGGDEP,",
    "    MG5D_DESCRAGGDEP", "    MG5D_RAGGDEPOS WITH (NOLOCK)", "", "", "    MG5D_DITTA_CG18 = ", {}, 0};

// Arguments: the parent codes, CampoOrdinamento.
value company_table_lookup(lookup& lk, const company_table& t, std::span<value> a) {
  std::string lang;
  if (!t.provider.empty()) lang = lk.language(lookup::language_source::company);
  lk.set_columns(kCodeDescr);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(a[t.parents], t.code_column);
  statement st;
  st << " SELECT" << t.code_fragment << t.descr_fragment << " FROM" << t.table_fragment;
  if (!t.provider.empty()) language_join(st, lang, t.provider, t.idprov_column);
  st << " WHERE";
  company_filter(st, t.company_fragment, lk.codice_ditta());
  if (t.parents > 0) {
    // Without hierarchical coding the levels do not depend on each other:
    // every parent code is the empty one, whatever the caller passed. The
    // parameter is read anew at every call.
    const bool hierarchical = lk.read_ind_cod_p_ger();
    for (std::size_t p = 0; p < t.parents; ++p) {
      st << " AND" << t.parent_fragments[p];
      if (hierarchical) st.quoted(TextOrEmpty(filter_value(a[p])));
      st << "'";
    }
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

constexpr std::array<std::string_view, 7> kDepositCaptions = {"Codice", "Descrizione", "Indirizzo", "CAP",
                                                              "Città",  "Prov.",       "Raggr."};
// The deposit columns, each with its trailing comma but the last.
constexpr std::array<std::string_view, 7> kDepositColumns = {
    "MG58_CODDEP,", "MG58_DESCRDEP,", "MG58_INDIDEP,", "MG58_CAPDEP,",
    "MG58_LOCDEP,", "MG58_PROVDEP,",  "MG58_CODRAGGDEP_MG5D"};
constexpr std::string_view kDepositTitle = "Elenco Depositi";
constexpr std::string_view kDepositId = "Lkp_Depositi";
constexpr std::string_view kDepositSort = "MG58_CODDEP";
// The field the user's data-access restrictions apply to.
constexpr std::string_view kFilterField = "MG58_CODDEP";
constexpr std::string_view kCrLf = "\r\n";

// The deposits of a transfer document: the movement deposit (listed by
// DepositiTrasferimentoMov) or the linked one (DepositiTrasferimentoColl).
enum class transfer_side { movement, linked };

// Every host call runs with errors ignored: a call that fails is skipped and
// what it should have delivered keeps its initial value (filter flag False,
// user number 0, filter clause empty). Without an active interface the
// lookup thus still lists the company's deposits, unfiltered.
value transfer_deposits(lookup& lk, std::span<value> a, transfer_side side) {
  const bool sign_one = to_integer(a[0]) == 1;
  const std::string other = concat_text(a[1]);
  lk.set_columns(kDepositCaptions);
  lk.set_title(kDepositTitle);
  // A refused sort column is not a host failure: it is still reported.
  const std::string sort = lk.sort_column(a[2], kDepositSort);

  bool filters = false;
  try {
    filters = to_bool(lk.environment()->filters_apply());
  } catch (const std::exception&) {
  }
  value user_number(std::int16_t{0});
  try {
    user_number = DecimalOrZero(lk.user_context()->user_id());
  } catch (const std::exception&) {
  }
  const std::int32_t company = lk.codice_ditta();

  statement st;
  if (other.empty() || !filters) {
    // Line form, every line indented four more blanks.
    st << "    SELECT" << kCrLf;
    for (std::string_view c : kDepositColumns) st << "        " << c << kCrLf;
    st << "    FROM" << kCrLf << "        MG58_DEPOSITI WITH (NOLOCK)" << kCrLf << "    WHERE" << kCrLf;
    company_filter(st, "        MG58_DITTA_CG18 = ", company);
    st << kCrLf;
  } else {
    st << "SELECT" << kCrLf;
    for (std::string_view c : kDepositColumns) st << "    " << c << kCrLf;
    st << "FROM" << kCrLf << "    MG58_DEPOSITI WITH (NOLOCK)" << kCrLf << "WHERE" << kCrLf;
    company_filter(st, "    MG58_DITTA_CG18 = ", company);
    st << kCrLf;
    // Leave out the deposits whose transfer with the other deposit is
    // revoked. The function takes the movement deposit third and the linked
    // one fourth when the document's sign is 1, the reverse otherwise.
    st << "    AND DBO.FNFW_TRASFREVOCATI(";
    st.number(company);
    st << ", ";
    st.number(user_number);
    const bool listed_third = sign_one == (side == transfer_side::movement);
    if (listed_third) {
      st << ", MG58_CODDEP, '";
      st.quoted(other) << "') = 0";
    } else {
      st << ", '";
      st.quoted(other) << "', MG58_CODDEP) = 0";
    }
  }
  if (filters) {
    try {
      const value clause = lk.filter_builder().filter_clause(std::string(kFilterField), -1, 0);
      st.text(clause);
    } catch (const std::exception&) {
    }
  }
  st << kCrLf << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(kDepositId);
  return {};
}

}  // namespace

value lingue(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione", "Sigla"});
  lk.set_title("Elenco Lingue");
  const std::string sort = lk.sort_column(a[0], "MG52_CODLINGUA");
  statement st;
  st << " SELECT" << "    MG52_CODLINGUA," << "    MG52_DESCRLINGUA," << "    MG52_SIGLALINGUA" << " FROM"
     << "    MG52_LINGUE WITH (NOLOCK)";
  // Only the languages enabled for the host's current company (not
  // CodiceDitta); all of them when there is no host or no current company.
  if (lk.solo_lingue_per_ditta && lk.active_interface()) {
    if (!TextOrEmpty(lk.company_context()->company_code()).empty()) {
      st << " INNER JOIN " << "     MG47_PARMAGLINGUE " << " ON " << "     MG52_CODLINGUA = MG47_CODLINGUA_MG52 "
         << "     AND MG47_DITTA_CG18 = " << plain_number(lk.company_context()->company_code(), lookup::kSource);
    }
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Lingue");
  return {};
}

value famiglie(lookup& lk, std::span<value> a) { return company_table_lookup(lk, kFamiglie, a); }
value sotto_famiglie(lookup& lk, std::span<value> a) { return company_table_lookup(lk, kSottoFamiglie, a); }
value gruppi(lookup& lk, std::span<value> a) { return company_table_lookup(lk, kGruppi, a); }
value sotto_gruppi(lookup& lk, std::span<value> a) { return company_table_lookup(lk, kSottoGruppi, a); }
value applicazioni(lookup& lk, std::span<value> a) { return company_table_lookup(lk, kApplicazioni, a); }

value depositi(lookup& lk, std::span<value> a) {
  lk.set_columns(kDepositCaptions);
  lk.set_title(kDepositTitle);
  const std::string sort = lk.sort_column(a[0], kDepositSort);
  statement st;
  st << " SELECT";
  for (std::string_view c : kDepositColumns) st << "    " << c;
  st << " FROM" << "    MG58_DEPOSITI WITH (NOLOCK)" << " WHERE";
  company_filter(st, "    MG58_DITTA_CG18 = ", lk.codice_ditta());
  st << kCrLf;
  // The first part is stored before the host is asked for the filter, so a
  // failing host leaves it in StringaSQL.
  lk.stringa_sql = value(st.view());
  // The filter flag is read even without an active interface, which then
  // fails the operation.
  if (to_bool(lk.environment()->filters_apply())) {
    st.text(lk.filter_builder().filter_clause(std::string(kFilterField), -1, 0));
  }
  st << kCrLf << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(kDepositId);
  return {};
}

value raggruppamenti_depositi(lookup& lk, std::span<value> a) {
  return company_table_lookup(lk, kRaggruppamentiDepositi, a);
}

value depositi_trasferimento_mov(lookup& lk, std::span<value> a) {
  return transfer_deposits(lk, a, transfer_side::movement);
}
value depositi_trasferimento_coll(lookup& lk, std::span<value> a) {
  return transfer_deposits(lk, a, transfer_side::linked);
}

}  // namespace veldrane::lookup_ops
