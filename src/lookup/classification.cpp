// Lookups over languages, the four levels of the article classification,
// applications, deposits (plain and for transfer documents) and deposit
// groupings.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

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
  skip_on_error<std::exception>([&] { filters = to_bool(lk.environment()->filters_apply()); });
  value user_number(std::int16_t{0});
  skip_on_error<std::exception>([&] { user_number = DecimalOrZero(lk.user_context()->user_id()); });
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
    skip_on_error<std::exception>(
        [&] { st.text(lk.filter_builder().filter_clause(std::string(kFilterField), -1, 0)); });
  }
  st << kCrLf << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(kDepositId);
  return {};
}

}  // namespace

// The article classification (families and the levels below them) and the
// applications, translated, and the deposit groupings. Without hierarchical
// coding the levels do not depend on each other: every parent code is the
// empty one, whatever the caller passed.
constexpr table kFamiglie{
    "Elenco Famiglie", "Lkp_Famiglie", "MG53_CODFAM", {"Codice", "Descrizione"},
    "    MG53_CODFAM," "    MG0S_DESCRIZIONE AS MG53_DESCRFAM", "    MG53_FAMIGLIE WITH (NOLOCK)",
    {{{"    MG53_DITTA_CG18 = ", way::company}}},
    "1019", "MG53_IDPROV"};
value famiglie(lookup& lk, std::span<value> a) { return describe(lk, a, kFamiglie); }

constexpr table kSottoFamiglie{
    "Elenco Sottofamiglie", "Lkp_SottoFamiglie", "MG54_CODSFAM", {"Codice", "Descrizione"},
    "    MG54_CODSFAM," "    MG0S_DESCRIZIONE AS MG54_DESCRSFAM", "    MG54_SOTTOFAM WITH (NOLOCK)",
    {{{"    MG54_DITTA_CG18 = ", way::company}, {"    MG54_CODFAM_MG53 = '", way::parent, 0}}},
    "1020", "MG54_IDPROV"};
value sotto_famiglie(lookup& lk, std::span<value> a) { return describe(lk, a, kSottoFamiglie); }

constexpr table kGruppi{
    "Elenco Gruppi", "Lkp_Gruppi", "MG55_CODGRUPPO", {"Codice", "Descrizione"},
    "    MG55_CODGRUPPO," "    MG0S_DESCRIZIONE AS MG55_DESCRGRUPPO", "    MG55_GRUPPI WITH (NOLOCK)",
    {{{"    MG55_DITTA_CG18 = ", way::company},
      {"    MG55_CODFAM_MG53 = '", way::parent, 0},
      {"    MG55_CODSFAM_MG54 = '", way::parent, 1}}},
    "1021", "MG55_IDPROV"};
value gruppi(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppi); }

constexpr table kSottoGruppi{
    "Elenco Sottogruppi", "Lkp_SottoGruppi", "MG56_CODSGRUPPO", {"Codice", "Descrizione"},
    "    MG56_CODSGRUPPO," "    MG0S_DESCRIZIONE AS MG56_DESCRSGRUPPO", "    MG56_SOTTOGRUPPI WITH (NOLOCK)",
    {{{"    MG56_DITTA_CG18 = ", way::company},
      {"    MG56_CODFAM_MG53 = '", way::parent, 0},
      {"    MG56_CODSFAM_MG54 = '", way::parent, 1},
      {"    MG56_CODGRUPPO_MG55 = '", way::parent, 2}}},
    "1022", "MG56_IDPROV"};
value sotto_gruppi(lookup& lk, std::span<value> a) { return describe(lk, a, kSottoGruppi); }

constexpr table kApplicazioni{
    "Elenco Applicazioni", "Lkp_Applicazioni", "MG57_CODAPPLIC", {"Codice", "Descrizione"},
    "    MG57_CODAPPLIC," "    MG0S_DESCRIZIONE AS MG57_DESCRAPPLIC", "    MG57_APPLICAZIONI WITH (NOLOCK)",
    {{{"    MG57_DITTA_CG18 = ", way::company}}},
    "1029", "MG57_IDPROV"};
value applicazioni(lookup& lk, std::span<value> a) { return describe(lk, a, kApplicazioni); }

constexpr table kRaggruppamentiDepositi{
    "Elenco Raggruppamenti depositi", "Lkp_RaggruppamentiDepositi", "MG5D_CODRAGGDEP", {"Codice", "Descrizione"},
    "    MG5D_CODRAGGDEP," "    MG5D_DESCRAGGDEP", "    MG5D_RAGGDEPOS WITH (NOLOCK)",
    {{{"    MG5D_DITTA_CG18 = ", way::company}}}};
value raggruppamenti_depositi(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiDepositi); }

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
  lk.store_so_far(st);
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

value depositi_trasferimento_mov(lookup& lk, std::span<value> a) {
  return transfer_deposits(lk, a, transfer_side::movement);
}

value depositi_trasferimento_coll(lookup& lk, std::span<value> a) {
  return transfer_deposits(lk, a, transfer_side::linked);
}

}  // namespace veldrane::lookup_ops
