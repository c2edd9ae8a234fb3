// Document-configuration and price-list lookups: warehouse document models
// (all of them, or those enabled for the company), formula groupings and
// formulas, document-transformation models, article data sheets, price lists
// of the master data and warehouse movement reasons. All use the run-on form.
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

constexpr table kRaggruppamentiFormule{
    "Elenco Raggruppamenti formule", "Lkp_RaggruppamentiFormule", "MG3E_CODICE", {"Codice", "Descrizione"},
    "    MG3E_CODICE," "    MG3E_DESCR", "    MG3E_FORMULERAGGR WITH (NOLOCK)"};
value raggruppamenti_formule(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiFormule); }

constexpr table kFormule{
    "Elenco Formule", "Lkp_Formule", "MG3F_CODICE", {"Codice", "Descrizione", "Raggr."},
    "    MG3F_CODICE," "    MG3F_DESCR," "    MG3F_RAGGR_MG3E", "    MG3F_FORMULE WITH (NOLOCK)"};
value formule(lookup& lk, std::span<value> a) { return describe(lk, a, kFormule); }

constexpr table kSchedeArticoli{
    "Elenco Schede articoli", "Lkp_SchedeArticoli", "MG42_CODSCHEDA", {"Codice", "Descrizione"},
    "    MG42_CODSCHEDA," "    MG42_DESCSCHEDA", "    MG42_SCHEDANAG WITH (NOLOCK)",
    {{{"    MG42_DITTA_CG18 = ", way::company}}}};
value schede_articoli(lookup& lk, std::span<value> a) { return describe(lk, a, kSchedeArticoli); }

// VenditeAcquisti selects sales or purchase price lists.
constexpr table kListiniAnagrafica{
    "Elenco Listini anagrafica", "Lkp_ListiniAnagrafica", "MG44_NUMLIST", {"Num.", "Descrizione"},
    "    MG44_NUMLIST," "    MG44_DESCLIST", "    MG44_PARMAGLIST WITH (NOLOCK)",
    {{{"    MG44_DITTA_CG18 = ", way::company}, {"    MG44_FLGVENACQ = ", way::number, 0}}}};
value listini_anagrafica(lookup& lk, std::span<value> a) { return describe(lk, a, kListiniAnagrafica); }

// The standard and personalised models of a kind, with their translated
// description and a CASE naming the kind. StandardPersonalizzato, when
// supplied, keeps one kind.
constexpr table kDocumenti{
    "Elenco Documenti", "Lkp_Documenti", "MG36_CODDOCUM, MG36_INDSTAPER", {"Codice", "Descrizione", "Standard/Pers."},
    "    MG36_CODDOCUM,"
    "    MG0S_DESCRIZIONE AS MG36_DESCDOCUM, "
    "    CASE MG36_INDSTAPER"
    "        WHEN 0 THEN 'Standard'"
    "        WHEN 1 THEN 'Personalizzato'"
    "    END AS MG36_STAPER",
    "    MG36_DOCUMENTI WITH (NOLOCK)",
    {{{"    MG36_INDSTAPER = ", way::number_if_given, 0}}},
    "1002", "MG36_IDPROV"};
value documenti(lookup& lk, std::span<value> a) { return describe(lk, a, kDocumenti); }

constexpr table kTrasformazioneDocumenti{
    "Elenco modelli di trasformazione documenti", "Lkp_TrasformazioneDocumenti", "MG3N_CODTRASFDOC, MG3N_INDSTAPER",
    {"Codice", "Descrizione", "Standard/Pers."},
    "    MG3N_CODTRASFDOC,"
    "    MG0S_DESCRIZIONE AS MG3N_DESCMOD,"
    "    CASE MG3N_INDSTAPER"
    "        WHEN 0 THEN 'Standard'"
    "        WHEN 1 THEN 'Personalizzato'"
    "    END AS MG3N_STAPER",
    "    MG3N_MODTRASFDOC WITH (NOLOCK)",
    {{{"    MG3N_INDSTAPER = ", way::number_if_given, 0}}},
    "1037", "MG3N_IDPROV"};
value trasformazione_documenti(lookup& lk, std::span<value> a) { return describe(lk, a, kTrasformazioneDocumenti); }

// The transformation models enabled for the company, joined to the model
// table for the translation key.
constexpr table kTrasformazioneDocumentiDitta{
    "Elenco modelli di trasformazione documenti ditta", "Lkp_TrasformazioneDocumentiDitta", "MG3T_CODTRASFDOC_MG3N",
    {"Codice", "Descrizione", "Standard/Pers."},
    "    MG3T_CODTRASFDOC_MG3N,"
    "    MG0S_DESCRIZIONE AS MG3N_DESCMOD,"
    "    CASE MG3T_INDSTAPER_MG3N"
    "        WHEN 0 THEN 'Standard'"
    "        WHEN 1 THEN 'Personalizzato'"
    "    END AS MG3T_INDSTAPER",
    "    MG3T_MODTRASFDITTA WITH (NOLOCK)"
    " INNER JOIN MG3N_MODTRASFDOC WITH (NOLOCK) ON"
    "    MG3T_CODTRASFDOC_MG3N = MG3N_CODTRASFDOC AND"
    "    MG3T_INDSTAPER_MG3N = MG3N_INDSTAPER",
    {{{"    MG3T_DITTA_CG18 = ", way::company}}},
    "1037", "MG3N_IDPROV"};
value trasformazione_documenti_ditta(lookup& lk, std::span<value> a) {
  return describe(lk, a, kTrasformazioneDocumentiDitta);
}

// Warehouse movement reasons, with the load/unload and quantity/value labels
// in the translator's language.
value causali_magazzino(lookup& lk, std::span<value> a) {
  const value& campo = a[0];
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Alias", "Car./Sca.", "Qta./Val."});
  lk.set_title("Elenco Causali di magazzino");
  const std::string sort = lk.sort_column(campo, "MG51_CAUSMAG");

  const std::string carico = lk.translate_label("Carico");
  const std::string scarico = lk.translate_label("Scarico");
  const std::string solo_quantita = lk.translate_label("Solo Quantità");
  const std::string solo_valore = lk.translate_label("Solo Valore");
  const std::string quantita_e_valore = lk.translate_label("Quantità e valore");

  statement st;
  st << " SELECT"
     << "    MG51_CAUSMAG,"
     << "    MG0S_DESCRIZIONE AS MG51_DESCR,"
     << "    MG51_ALIAS,"
     << "    CASE MG51_INDCARSCA";
  when_label(st, "        WHEN 0 THEN '", carico);
  when_label(st, "        WHEN 1 THEN '", scarico);
  st << "    END AS MG51_CARSCA,"
     << "    CASE MG51_INDMOVQTAVAL";
  when_label(st, "        WHEN 1 THEN '", solo_quantita);
  when_label(st, "        WHEN 2 THEN '", solo_valore);
  when_label(st, "        WHEN 3 THEN '", quantita_e_valore);
  st << "    END AS MG51_MOVQTAVAL"
     << " FROM"
     << "    MG51_CAUSMAG WITH (NOLOCK)";
  language_join(st, lang, "1030", "MG51_IDPROV");
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_CausaliMagazzino");
  return {};
}

// The documents enabled for the company, in state 0 or 1, with the kind's
// labels in the translator's language.
value documenti_ditta(lookup& lk, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Standard/Pers."});
  lk.set_title("Elenco Documenti Attivi");
  const std::string sort = lk.sort_column(a[0], "MG3G_CODDOCUM_MG36");
  const std::string standard = lk.translate_label("Standard");
  const std::string personalizzato = lk.translate_label("Personalizzato");
  statement st;
  st << " SELECT" << "    MG3G_CODDOCUM_MG36," << "    MG0S_DESCRIZIONE AS MG36_DESCDOCUM,"
     << "    CASE MG3G_INDSTAPER_MG36";
  when_label(st, "        WHEN 0 THEN '", standard);
  when_label(st, "        WHEN 1 THEN '", personalizzato);
  st << "    END AS MG3G_INDSTAPER" << " FROM" << "    MG3G_DOCDITTA WITH (NOLOCK)"
     << " INNER JOIN MG36_DOCUMENTI WITH (NOLOCK) ON" << "    MG3G_CODDOCUM_MG36 = MG36_CODDOCUM AND"
     << "    MG3G_INDSTAPER_MG36 = MG36_INDSTAPER";
  language_join(st, lang, "1002", "MG36_IDPROV");
  st << " WHERE";
  company_filter(st, "    MG3G_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND" << "    MG36_INDSTATODOC IN (0, 1)" << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_DocumentiDitta");
  return {};
}

}  // namespace veldrane::lookup_ops
