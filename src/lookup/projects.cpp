// Lookups of projects and subprojects, job orders and sub-orders, margin
// indices, delivery rounds, the accounting groupings of articles,
// customers/suppliers and production phases, the transport-document
// configurations and the delivery addresses of customers or suppliers.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

// `v = n` as the Variant comparison evaluates it: Null equals nothing, Empty
// is 0, a text compares by its numeric value and a text that is no number is
// a type mismatch. Since a value that passes this test is a number, a
// numeric text or Empty/Null, it can afterwards be written bare into the
// statement without further checks.
bool variant_equals(const value& v, std::int64_t n) {
  const value& x = filter_value(v);
  if (x.is_null()) return false;
  return to_decimal(x) == decimal::from_int64(n);
}

// ---------------------------------------------------------------------------
// Transport-document configurations, in the line form.

constexpr std::array<std::string_view, 16> kConfigurationCaptions = {
    "Codice", "Descrizione", "Tipo stampa", "Nr. copie", "Richiesta dati", "Committente", "Anagrafica committente",
    "Caricatore", "Anagrafica caricatore", "Proprietario", "Anagrafica proprietario", "Tipologia prodotti",
    "Luogo carico", "Luogo scarico", "Compilatore", "Anagrafica compilatore"};

constexpr std::array<case_branch, 2> kPrintKinds{{{0, "Integrata in documento"}, {1, "Modulo aggiuntivo"}}};
constexpr std::array<case_branch, 2> kDataRequests{{{0, "Automatica"}, {1, "Manuale"}}};
// Who the principal, the loader and the owner are.
constexpr std::array<case_branch, 3> kParties{{{0, "Azienda"}, {1, "Cliente/destinatario"}, {2, "Da pers. scheda"}}};
constexpr std::array<case_branch, 6> kProductKinds{{{0, "Da pers. scheda"},
                                                    {1, "Gruppo stat. 1"},
                                                    {2, "Gruppo stat. 2"},
                                                    {3, "Gruppo stat. 3"},
                                                    {4, "Gruppo stat. 4"},
                                                    {5, "Aspetto beni"}}};
constexpr std::array<case_branch, 2> kLoadingPlaces{{{0, "Da anagrafica azienda"}, {1, "Da anagrafica deposito"}}};
constexpr std::array<case_branch, 3> kUnloadingPlaces{
    {{0, "Da anagrafica azienda"}, {1, "Da anagrafica deposito"}, {2, "Da anagrafica dep. coll."}}};
constexpr std::array<case_branch, 3> kCompilers{{{0, "Utente orbis connesso"}, {1, "Operatore"},
                                                 {2, "Da pers. scheda"}}};

// One decoded indicator of the configuration: ", CASE <column>", its
// branches, "END AS <column>".
void configuration_case(statement& st, std::string_view column, std::span<const case_branch> branches) {
  st.line("    , CASE ") << column;
  case_branches(st, branches);
  st.line("    END AS ") << column;
}

}  // namespace

// Projects with their customer and responsible employee, whose first name
// and surname are listed under captions of their own; subprojects. An
// empty sort column takes the default too.
constexpr table kAnagraficaProgetti{
    "Elenco Progetti", "Lkp_AnagraficaProgetti", "PD68_CODPROG",
    {"Codice", "Descrizione", "Stato", "Tipo", "Cod.cliente", "Rag.soc. cliente", "Cod.respons.", "Nome responsabile",
     "Cognome responsabile"},
    "    PD68_CODPROG,"
    "    PD68_DESCRPROG,"
    "    PD68_STATO_PD1E,"
    "    PD68_TIPO_PD1D,"
    "    PD68_CODCLI_CG44,"
    "    CG16_RAGSOANAG,"
    "    PD68_CODDIP_PD06,"
    "    PD06_NOME,"
    "    PD06_COGNOME",
    "    PD68_PROGETTI WITH (NOLOCK) "
    "LEFT JOIN CG44_CLIFOR WITH (NOLOCK) ON        CG44_DITTA_CG18 = PD68_DITTA_CG18"
    "   AND        CG44_TIPOCF = 0"
    "   AND        CG44_CLIFOR = PD68_CODCLI_CG44 "
    "LEFT JOIN CG16_ANAGGEN WITH (NOLOCK) ON        CG16_CODICE = CG44_CODICE_CG16 "
    "LEFT JOIN PD06_DIPENDENTI WITH (NOLOCK) ON        PD06_DITTA_CG18 =PD68_DITTA_CG18 "
    "   AND        PD06_CODDIP = PD68_CODDIP_PD06",
    {{{"    PD68_DITTA_CG18 = ", way::company}}},
    {}, {}, sort_default::no_text};
value anagrafica_progetti(lookup& lk, std::span<value> a) { return describe(lk, a, kAnagraficaProgetti); }

// The project code as the caller gives it; a blank follows its closing quote
// (the ORDER BY fragment's first).
constexpr table kAnagraficaSottoprogetti{
    "Elenco Sottoprogetti", "Lkp_AnagraficaSottoProgetti", "PD69_SOTPROG", {"Codice", "Descrizione"},
    "    PD69_SOTPROG," "    PD69_DESCRSOTPROG", "    PD69_SOTTOPROGETTI WITH (NOLOCK)",
    {{{"    PD69_DITTA_CG18 = ", way::company}, {"    PD69_CODPROG_PD68 = '", way::as_given, 0}}},
    {}, {}, sort_default::no_text, "  ORDER BY "};
value anagrafica_sottoprogetti(lookup& lk, std::span<value> a) { return describe(lk, a, kAnagraficaSottoprogetti); }

// Job orders are the rows with sub-order number 0, sub-orders the others.
constexpr table kCommesse{
    "Elenco Commesse", "Lkp_Commesse", "PD25_CODCOMMESSA", {"Codice", "Descrizione"},
    "    PD25_CODCOMMESSA," "    PD25_DESCR", "    PD25_COMMESSA WITH (NOLOCK)",
    {{{"    PD25_DITTA_CG18 = ", way::company}, {"    PD25_CODSOTCOMM = 0 "}}},
    {}, {}, sort_default::no_text};
value commesse(lookup& lk, std::span<value> a) { return describe(lk, a, kCommesse); }

constexpr table kSottoCommesse{
    "Elenco Sottocommesse", "Lkp_Sottocommesse", "PD25_CODSOTCOMM", {"Codice", "Descrizione"},
    "    PD25_CODSOTCOMM," "    PD25_DESCR", "    PD25_COMMESSA WITH (NOLOCK)",
    {{{"    PD25_DITTA_CG18 = ", way::company},
      {"    PD25_CODCOMMESSA = '", way::as_given, 0},
      {"    PD25_CODSOTCOMM <> 0 "}}},
    {}, {}, sort_default::no_text};
value sotto_commesse(lookup& lk, std::span<value> a) { return describe(lk, a, kSottoCommesse); }

// Margin indices; no ELSE: an unknown period shows as NULL.
constexpr table kIndiciMargini{
    "Indici e margini", "Lkp_IndiciMargini", "MG4U_CODINMARG", {"Codice", "Descrizione", "Periodo", "Filtro selezione"},
    "    MG4U_CODINMARG,"
    "    MG4U_DESCR,"
    "    CASE MG4U_INDPERIOD"
    "        WHEN 0 THEN 'Annuale'"
    "        WHEN 1 THEN 'Semestrale'"
    "        WHEN 2 THEN 'Quadrimestrale'"
    "        WHEN 3 THEN 'Trimestrale'"
    "        WHEN 4 THEN 'Bimestrale'"
    "        WHEN 5 THEN 'Mensile'"
    "        WHEN 6 THEN 'Quindicinale'"
    "        WHEN 7 THEN 'Settimanale'"
    "    END AS MG4U_INDPERIOD,"
    "    MG4U_FILTROSEL",
    "    MG4U_TABINMARG WITH (NOLOCK)",
    {{{"    MG4U_DITTA_CG18 = ", way::company}}}};
value indici_margini(lookup& lk, std::span<value> a) { return describe(lk, a, kIndiciMargini); }

// Delivery rounds and the accounting groupings of articles and phases.
constexpr table kGiri{
    "Elenco Giri", "Lkp_Giri", "MG1H_GIRO", {"Codice", "Descrizione"},
    "    MG1H_GIRO," "    MG1H_DESCRIZIONE", "    MG1H_GIRI",
    {{{"    MG1H_DITTA_CG18 = ", way::company}}}};
value giri(lookup& lk, std::span<value> a) { return describe(lk, a, kGiri); }

constexpr table kRaggruppoContabileArticolo{
    "Elenco indici contabili articolo", "Lkp_RaggruppoContabileArticolo", "MGA2_CODCAT", {"Codice", "Descrizione"},
    "    MGA2_CODCAT," "    MGA2_DESCR", "    MGA2_CATCPARART",
    {{{"    MGA2_DITTA_CG18 = ", way::company}}}};
value raggruppo_contabile_articolo(lookup& lk, std::span<value> a) {
  return describe(lk, a, kRaggruppoContabileArticolo);
}

constexpr table kRaggruppoContabileFase{
    "Elenco indici contabili fase", "Lkp_RaggruppoContabileFase", "MGA5_CODCAT", {"Codice", "Descrizione"},
    "    MGA5_CODCAT," "    MGA5_DESCR", "    MGA5_CATCPARFASE",
    {{{"     MGA5_DITTA_CG18 = ", way::company}}}};
value raggruppo_contabile_fase(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppoContabileFase); }

value raggruppo_contabile_cliente_fornitore(lookup& lk, std::span<value> a) {
  const value& tipo_cf = filter_value(a[0]);
  // TipoCf goes in as given, unquoted: checked before any output changes.
  const std::string tipo_cf_text = plain_number(tipo_cf, lookup::kSource);
  lk.set_columns(kCodeDescr);
  lk.set_title(variant_equals(tipo_cf, 0) ? "Elenco indici contabili cliente" : "Elenco indici contabili fornitore");
  const std::string sort = lk.sort_column(a[1], "MGA3_CODCAT");
  statement st;
  st << " SELECT" << "    MGA3_CODCAT," << "    MGA3_DESCR" << " FROM" << "    MGA3_CATCPARCF" << " WHERE";
  company_filter(st, "     MGA3_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND MGA3_TIPOCF_CG44=" << tipo_cf_text;
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_RaggruppoContabileCliFor");
  return {};
}

value configurazioni_schede_trasporto(lookup& lk, std::span<value> a) {
  lk.set_columns(kConfigurationCaptions);
  lk.set_title("Elenco configurazioni schede di trasporto");
  const std::string sort = lk.sort_column(a[0], "MG1N_CODICE");
  // Every line ends with CR LF, the FROM clause's included; the
  // configurations of all companies are listed.
  statement st;
  st.line("SELECT");
  st.line("    MG1N_CODICE");
  st.line("    , MG1N_DESCRIZIONE");
  configuration_case(st, "MG1N_INDTIPOSTAMPA", kPrintKinds);
  st.line("    , MG1N_NRCOPIE");
  configuration_case(st, "MG1N_INDRICHIESTADATI", kDataRequests);
  configuration_case(st, "MG1N_INDCOMMITTENTE", kParties);
  st.line("    , MG1N_ANACOMMITTENTE_CG16");
  configuration_case(st, "MG1N_INDCARICATORE", kParties);
  st.line("    , MG1N_ANACARICATORE_CG16");
  // Only the owner can be "not available".
  st.line("    , CASE MG1N_INDPROPRIETARIO");
  case_branches(st, kParties);
  st.line("    WHEN 3 THEN 'Non disponibile'");
  st.line("    END AS MG1N_INDPROPRIETARIO");
  st.line("    , MG1N_ANAPROPRIETARIO_CG16");
  configuration_case(st, "MG1N_INDTIPOPROD", kProductKinds);
  configuration_case(st, "MG1N_INDLUOGOCAR", kLoadingPlaces);
  configuration_case(st, "MG1N_INDLUOGOSCAR", kUnloadingPlaces);
  configuration_case(st, "MG1N_INDCOMPILATORE", kCompilers);
  st.line("    , MG1N_ANACOMPILATORE_CG16");
  st.line("FROM");
  st.line("    MG1N_CONFSCHETRA");
  st.line(" ORDER BY ") << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_ConfScheTra");
  return {};
}

value destinatari_clienti_fornitori(lookup& lk, std::span<value> a) {
  const value& tipo_cf = filter_value(a[0]);
  const std::string tipo_cf_text = plain_number(tipo_cf, lookup::kSource);
  lk.set_columns(
      {"Codice", "Descrizione", "Indirizzo", "Città", "Provincia", "Telefono", "Cellulare", "E-mail", "Fax"});
  // Suppliers are TipoCf 1 here; every other value lists the customers'.
  lk.set_title(variant_equals(tipo_cf, 1) ? "Elenco Destinatari Fornitori" : "Elenco Destinatari Clienti");
  const std::string sort = lk.sort_column(a[1], "MG22_DESTRAGSOC");
  // The destinations of every customer (or supplier) of the company.
  statement st;
  st << " SELECT DISTINCT " << " MG22_CODDESTIN, " << " MG22_DESTRAGSOC, " << " MG22_DESTIND, " << " MG22_DESTCITTA, "
     << " MG22_DESTPROV, " << " MG22_DESTTEL, " << " MG22_DESTCELL, " << " MG22_DESTEMAIL, " << " MG22_DESTFAX "
     << "     FROM " << " MG22_CLIFORDEST " << "     WHERE ";
  company_filter(st, " MG22_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND MG22_TIPOCF_CG44 = " << tipo_cf_text;
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_DestinatariClientiFornitori");
  return {};
}

}  // namespace veldrane::lookup_ops
