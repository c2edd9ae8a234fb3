// Logistics and statistics lookups: the four statistical groups, packaging,
// packs (all of them and those of one article), locations (all of them and
// those of one deposit), delivery terms, shipment types, appearance of goods,
// bases, campaigns, agent types, print-exclusion flags, various texts, the
// two special kinds of price list, and the saved movement filters of the
// margin indices. All use the run-on form.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

// Code lists: a code and its description, translated where a provider is
// named, of the company on tables that hold rows per company.
constexpr table kFlagsEsclusioneStampa{
    "Elenco Flags esclusione stampa", "Lkp_FlagsEsclusioneStampa", "MG82_CODICE", {"Codice", "Descrizione"},
    "    MG82_CODICE," "    MG82_DESCR", "    MG82_FLAGESCL WITH (NOLOCK)"};
value flags_esclusione_stampa(lookup& lk, std::span<value> a) { return describe(lk, a, kFlagsEsclusioneStampa); }

constexpr table kCampagne{
    "Elenco Campagne", "Lkp_Campagne", "MG94_CODCAMP", {"Codice", "Descrizione"},
    "    MG94_CODCAMP," "    MG94_DESCAMP", "    MG94_CAMPANAG WITH (NOLOCK)",
    {{{"    MG94_DITTA_CG18 = ", way::company}}}};
value campagne(lookup& lk, std::span<value> a) { return describe(lk, a, kCampagne); }

constexpr table kTipologiaAgente{
    "Elenco tipologie Agenti", "Lkp_TipologiaAgente", "MG1P_CODICE", {"Codice", "Descrizione"},
    "    MG1P_CODICE," "    MG1P_DESCR", "    MG1P_TIPOAGENTE WITH (NOLOCK)",
    {{{"    MG1P_DITTA_CG18 = ", way::company}}}};
value tipologia_agente(lookup& lk, std::span<value> a) { return describe(lk, a, kTipologiaAgente); }

constexpr table kUbicazioni{
    "Elenco Ubicazioni", "Lkp_Ubicazioni", "MG97_UBICAZ", {"Codice", "Descrizione"},
    "    MG97_UBICAZ," "    MG97_DESCUBICAZ", "    MG97_UBICAZ WITH (NOLOCK)",
    {{{"    MG97_DITTA_CG18 = ", way::company}}}};
value ubicazioni(lookup& lk, std::span<value> a) { return describe(lk, a, kUbicazioni); }

constexpr table kListini99Prezzi{
    "Elenco Listini a 99 prezzi", "Lkp_Listini99Prezzi", "LI24_CODICE", {"Codice", "Descrizione"},
    "    LI24_CODICE," "    LI24_DESCR", "    LI24_ANAGLIST99 WITH (NOLOCK)",
    {{{"    LI24_DITTA_CG18 = ", way::company}}}};
value listini99_prezzi(lookup& lk, std::span<value> a) { return describe(lk, a, kListini99Prezzi); }

constexpr table kListiniPiuArticoli{
    "Elenco Listini più articoli", "Lkp_ListiniPiuArticoli", "LI26_CODICE", {"Codice", "Descrizione"},
    "    LI26_CODICE," "    LI26_DESCR", "    LI26_ANAGLISPIUART WITH (NOLOCK)",
    {{{"    LI26_DITTA_CG18 = ", way::company}}}};
value listini_piu_articoli(lookup& lk, std::span<value> a) { return describe(lk, a, kListiniPiuArticoli); }

constexpr table kBasi{
    "Elenco Basi", "Lkp_Basi", "MG0C_CODBASE", {"Codice", "Descrizione"},
    "    MG0C_CODBASE," "    MG0C_DESCRBASE", "    MG0C_BASI WITH (NOLOCK)",
    {{{"    MG0C_DITTA_CG18 = ", way::company}}}};
value basi(lookup& lk, std::span<value> a) { return describe(lk, a, kBasi); }

constexpr table kGruppiStatistici1{
    "Elenco Gruppi statistici 1", "Lkp_GruppiStatistici1", "MG74_CODGRUSTAT1", {"Codice", "Descrizione"},
    "    MG74_CODGRUSTAT1," "    MG0S_DESCRIZIONE AS MG74_DESGRUSTAT1", "    MG74_GRUSTAT1 WITH (NOLOCK)",
    {{{"    MG74_DITTA_CG18 = ", way::company}}},
    "1023", "MG74_IDPROV"};
value gruppi_statistici1(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppiStatistici1); }

constexpr table kGruppiStatistici2{
    "Elenco Gruppi statistici 2", "Lkp_GruppiStatistici2", "MG75_CODGRUSTAT2", {"Codice", "Descrizione"},
    "    MG75_CODGRUSTAT2," "    MG0S_DESCRIZIONE AS MG75_DESGRUSTAT2", "    MG75_GRUSTAT2 WITH (NOLOCK)",
    {{{"    MG75_DITTA_CG18 = ", way::company}}},
    "1024", "MG75_IDPROV"};
value gruppi_statistici2(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppiStatistici2); }

constexpr table kGruppiStatistici3{
    "Elenco Gruppi statistici 3", "Lkp_GruppiStatistici3", "MG76_CODGRUSTAT3", {"Codice", "Descrizione"},
    "    MG76_CODGRUSTAT3," "    MG0S_DESCRIZIONE AS MG76_DESGRUSTAT3", "    MG76_GRUSTAT3 WITH (NOLOCK)",
    {{{"    MG76_DITTA_CG18 = ", way::company}}},
    "1025", "MG76_IDPROV"};
value gruppi_statistici3(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppiStatistici3); }

constexpr table kGruppiStatistici4{
    "Elenco Gruppi statistici 4", "Lkp_GruppiStatistici4", "MG77_CODGRUSTAT4", {"Codice", "Descrizione"},
    "    MG77_CODGRUSTAT4," "    MG0S_DESCRIZIONE AS MG77_DESGRUSTAT4", "    MG77_GRUSTAT4 WITH (NOLOCK)",
    {{{"    MG77_DITTA_CG18 = ", way::company}}},
    "1026", "MG77_IDPROV"};
value gruppi_statistici4(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppiStatistici4); }

constexpr table kImballi{
    "Elenco Imballi", "Lkp_Imballi", "MG95_CODICE", {"Codice", "Descrizione"},
    "    MG95_CODICE," "    MG0S_DESCRIZIONE AS MG95_DESCR", "    MG95_IMBALLO WITH (NOLOCK)",
    {},
    "1005", "MG95_IDPROV"};
value imballi(lookup& lk, std::span<value> a) { return describe(lk, a, kImballi); }

// The packs' ORDER BY carries four leading blanks.
constexpr table kConfezioni{
    "Elenco Confezioni", "Lkp_Confezioni", "MG96_CODCONFEZ", {"Codice", "Descrizione"},
    "    MG96_CODCONFEZ," "    MG0S_DESCRIZIONE AS MG96_DESCCONFEZ", "    MG96_CONFDESC WITH (NOLOCK)",
    {{{"    MG96_DITTA_CG18 = ", way::company}}},
    "1006", "MG96_IDPROV", sort_default::missing, "    ORDER BY "};
value confezioni(lookup& lk, std::span<value> a) { return describe(lk, a, kConfezioni); }

constexpr table kAspettoDeiBeni{
    "Elenco Aspetto dei beni", "Lkp_AspettoDeiBeni", "MG99_CODICE", {"Codice", "Descrizione"},
    "    MG99_CODICE," "    MG0S_DESCRIZIONE AS MG99_DESCR", "    MG99_ASPBENI WITH (NOLOCK)",
    {},
    "1007", "MG99_IDPROV"};
value aspetto_dei_beni(lookup& lk, std::span<value> a) { return describe(lk, a, kAspettoDeiBeni); }

// Only the texts of the base language (empty language code).
constexpr table kTestiVari{
    "Elenco testi vari", "Lkp_TestiVari", "MG0B_CODTESTO", {"Codice", "Descrizione"},
    "    MG0B_CODTESTO," "    MG0B_DESCR", "    MG0B_TESTI WITH (NOLOCK)",
    {{{"    MG0B_DITTA_CG18 = ", way::company},
      {"    MG0B_INDTIPO = ", way::number, 0},
      {"    MG0B_LINGUA_MG52 = ''"}}}};
value testi_vari(lookup& lk, std::span<value> a) { return describe(lk, a, kTestiVari); }

// Code, description and an indicator decoded into a label of at most so
// many characters. No company condition.
constexpr table kPorto{
    "Elenco Porto", "Lkp_Porto", "MG91_CODICE", {"Codice", "Descrizione", "Condizioni di consegna"},
    "    MG91_CODICE,"
    "    MG91_DESCR,"
    "    CONVERT(varchar(35),"
    "        CASE MG91_INDCONDCONS"
    "            WHEN 1 THEN '(C) Costo e nolo, costo ass. e nolo'"
    "            WHEN 2 THEN '(D) Reso frontiera, FOB a destino'"
    "            WHEN 3 THEN '(E) Franco fabbrica'"
    "            WHEN 4 THEN '(F) Franco vettore, franco a bordo'"
    "            ELSE ''"
    "        END"
    "    ) AS MG91_INDCONDCONS",
    "    MG91_PORTO WITH (NOLOCK)"};
value porto(lookup& lk, std::span<value> a) { return describe(lk, a, kPorto); }

constexpr table kTipiSpedizione{
    "Elenco Tipi spedizione", "Lkp_TipiSpedizione", "MG93_CODICE", {"Codice", "Descrizione", "Modalità di trasporto"},
    "    MG93_CODICE,"
    "    MG93_DESCR,"
    "    CONVERT(varchar(30),"
    "        CASE MG93_INDMODALITA"
    "            WHEN 1 THEN 'Trasporto marittimo'"
    "            WHEN 2 THEN 'Trasporto farroviario'"
    "            WHEN 3 THEN 'Trasporto stradale'"
    "            WHEN 4 THEN 'Trasporto aereo'"
    "            WHEN 5 THEN 'Spedizioni postali'"
    "            WHEN 6 THEN 'Install. fisse di trasporto'"
    "            WHEN 7 THEN 'Trasporto per vie acque'"
    "            WHEN 8 THEN 'Propulsione propria'"
    "            ELSE ''"
    "        END"
    "    ) AS MG93_INDMODALITA",
    "    MG93_TIPOSPED WITH (NOLOCK)"};
value tipi_spedizione(lookup& lk, std::span<value> a) { return describe(lk, a, kTipiSpedizione); }

value confezioni_articolo(lookup& lk, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco Confezioni per Articolo");
  const std::string sort = lk.sort_column(a[2], "MG96_CODCONFEZ");
  statement st;
  st << " SELECT" << "    MG96_CODCONFEZ," << "    MG0S_DESCRIZIONE AS MG96_DESCCONFEZ " << " FROM"
     << "    MG66_ANAGRART WITH (NOLOCK)"
     << " INNER JOIN MG50_PARMAGAZ WITH (NOLOCK) ON" << "    MG50_DITTA_CG18 = MG66_DITTA_CG18"
     << " LEFT JOIN MG6D_FLGTABARTVAR WITH (NOLOCK) ON" << "    MG6D_DITTA_CG18 = MG66_DITTA_CG18 AND"
     << "    MG6D_CODART_MG66 = MG66_CODART AND" << "    MG6D_PROG = 1"
     << " LEFT JOIN MG68_CONFART WITH (NOLOCK) ON" << "    MG68_DITTA_CG18 = MG66_DITTA_CG18 AND"
     << "    MG68_CODART_MG66 = MG66_CODART AND";
  // The packs common to every variant (empty variant) come with those of the
  // given one.
  st << "    MG68_OPZIONE_MG5E IN ('', '";
  st.quoted(TextOrEmpty(filter_value(a[1]))) << "')";
  st << " INNER JOIN MG96_CONFDESC WITH (NOLOCK) ON" << "    MG96_DITTA_CG18 = MG68_DITTA_CG18 AND"
     << "    MG96_CODCONFEZ = MG68_CODCONFEZ_MG96";
  language_join(st, lang, "1006", "MG96_IDPROV");
  st << " WHERE";
  company_filter(st, "    MG66_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND" << "    MG66_CODART = '";
  st.quoted(TextOrEmpty(filter_value(a[0]))) << "'";
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_ConfezioniArticolo");
  return {};
}

value ubicazioni_depositi(lookup& lk, std::span<value> a) {
  // Any failure ends the operation quietly: the outputs assigned so far keep
  // their new values, the others their old ones.
  try {
    std::string deposito = concat_text(filter_value(a[0]));
    deposito.erase(deposito.find_last_not_of(' ') + 1);
    // No deposit: the previous lookup definition stays in place.
    if (deposito.empty()) return {};
    lk.set_columns(kCodeDescr);
    lk.set_title("Elenco Ubicazioni del deposito " + deposito);
    const std::string sort = lk.sort_column(a[1], "MG97_UBICAZ");
    statement st;
    st << " SELECT" << "    MG97_UBICAZ," << "    MG97_DESCUBICAZ" << " FROM" << "    MG97_UBICAZ WITH (NOLOCK)"
       << " WHERE";
    company_filter(st, "    MG97_DITTA_CG18 = ", lk.codice_ditta());
    st << " AND" << "    MG97_CODDEP_MG58 = '";
    st.quoted(deposito) << "'";
    st << " ORDER BY " << sort;
    lk.set_statement(st);
    lk.set_id("Lkp_Ubicazioni");
  } catch (const automation_error&) {
  }
  return {};
}

value filtri_mov_per_indici_margini(lookup& lk, std::span<value> a) {
  lk.set_columns({"Filtro"});
  lk.set_title("Elenco filtri per selezione movimenti");
  // The saved selections of the given object; no sort column, no ORDER BY.
  statement st;
  st << " SELECT" << "    MG4V_SELEZIONE" << " FROM" << "    MG4V_SELEZIONEPRS" << " WHERE";
  company_filter(st, "    MG4V_DITTA_CG18 = ", lk.codice_ditta());
  st << "    AND MG4V_UOBJECT = '";
  st.quoted(concat_text(a[0])) << "'";
  st << "    AND MG4V_ID_FW06 = 0" << "    AND MG4V_ID_FW07 = 0" << " GROUP BY" << "    MG4V_SELEZIONE";
  lk.set_statement(st);
  lk.set_id("Lkp_InMargFiltri");
  return {};
}

}  // namespace veldrane::lookup_ops
