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
#include <vector>

#include "convert/converters.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

// An argument the caller left out counts as Empty: it is written as the
// empty text or as 0, like an empty one.
const value& filter_value(const value& v) {
  static const value empty;
  return v.is_missing() ? empty : v;
}

constexpr std::array<std::string_view, 2> kCodeDescr = {"Codice", "Descrizione"};

// ---------------------------------------------------------------------------
// Code lists: a code and a description from one table, the description taken
// from the translation table when a provider is named, and the company
// condition on tables that hold rows per company.

struct code_list {
  std::string_view title;
  std::string_view id;
  std::string_view code_column;  // also the default order
  // The description column, or with a provider the alias of the translated
  // description.
  std::string_view description;
  std::string_view table;
  std::string_view provider;        // empty: the description is the table's own
  std::string_view company_column;  // empty: rows of every company
  std::string_view order_by = " ORDER BY ";
};

// Untranslated descriptions.
const code_list kFlagsEsclusioneStampa{"Elenco Flags esclusione stampa", "Lkp_FlagsEsclusioneStampa", "MG82_CODICE",
                                       "MG82_DESCR", "MG82_FLAGESCL", "", ""};
const code_list kCampagne{"Elenco Campagne", "Lkp_Campagne", "MG94_CODCAMP",
                          "MG94_DESCAMP", "MG94_CAMPANAG", "", "MG94_DITTA_CG18"};
const code_list kTipologiaAgente{"Elenco tipologie Agenti", "Lkp_TipologiaAgente", "MG1P_CODICE",
                                 "MG1P_DESCR", "MG1P_TIPOAGENTE", "", "MG1P_DITTA_CG18"};
const code_list kUbicazioni{"Elenco Ubicazioni", "Lkp_Ubicazioni", "MG97_UBICAZ",
                            "MG97_DESCUBICAZ", "MG97_UBICAZ", "", "MG97_DITTA_CG18"};
const code_list kListini99Prezzi{"Elenco Listini a 99 prezzi", "Lkp_Listini99Prezzi", "LI24_CODICE",
                                 "LI24_DESCR", "LI24_ANAGLIST99", "", "LI24_DITTA_CG18"};
const code_list kListiniPiuArticoli{"Elenco Listini più articoli", "Lkp_ListiniPiuArticoli", "LI26_CODICE",
                                    "LI26_DESCR", "LI26_ANAGLISPIUART", "", "LI26_DITTA_CG18"};
const code_list kBasi{"Elenco Basi", "Lkp_Basi", "MG0C_CODBASE",
                      "MG0C_DESCRBASE", "MG0C_BASI", "", "MG0C_DITTA_CG18"};

// Translated descriptions.
const code_list kGruppiStatistici1{"Elenco Gruppi statistici 1", "Lkp_GruppiStatistici1", "MG74_CODGRUSTAT1",
                                   "MG74_DESGRUSTAT1", "MG74_GRUSTAT1", "1023", "MG74_DITTA_CG18"};
const code_list kGruppiStatistici2{"Elenco Gruppi statistici 2", "Lkp_GruppiStatistici2", "MG75_CODGRUSTAT2",
                                   "MG75_DESGRUSTAT2", "MG75_GRUSTAT2", "1024", "MG75_DITTA_CG18"};
const code_list kGruppiStatistici3{"Elenco Gruppi statistici 3", "Lkp_GruppiStatistici3", "MG76_CODGRUSTAT3",
                                   "MG76_DESGRUSTAT3", "MG76_GRUSTAT3", "1025", "MG76_DITTA_CG18"};
const code_list kGruppiStatistici4{"Elenco Gruppi statistici 4", "Lkp_GruppiStatistici4", "MG77_CODGRUSTAT4",
                                   "MG77_DESGRUSTAT4", "MG77_GRUSTAT4", "1026", "MG77_DITTA_CG18"};
const code_list kImballi{"Elenco Imballi", "Lkp_Imballi", "MG95_CODICE",
                         "MG95_DESCR", "MG95_IMBALLO", "1005", ""};
// The packs' ORDER BY carries four leading blanks.
const code_list kConfezioni{"Elenco Confezioni", "Lkp_Confezioni", "MG96_CODCONFEZ",
                            "MG96_DESCCONFEZ", "MG96_CONFDESC", "1006", "MG96_DITTA_CG18", "    ORDER BY "};
const code_list kAspettoDeiBeni{"Elenco Aspetto dei beni", "Lkp_AspettoDeiBeni", "MG99_CODICE",
                                "MG99_DESCR", "MG99_ASPBENI", "1007", ""};

value code_list_lookup(lookup& lk, const code_list& t, const value& campo) {
  const bool translated = !t.provider.empty();
  const std::string lang = translated ? lk.language(lookup::language_source::company) : std::string();
  lk.set_columns(kCodeDescr);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(campo, t.code_column);

  statement st;
  st << " SELECT" << "    " << t.code_column << ",";
  if (translated) st << "    MG0S_DESCRIZIONE AS " << t.description;
  else st << "    " << t.description;
  st << " FROM" << "    " << t.table << " WITH (NOLOCK)";
  if (translated) {
    // The translation key is the table prefix followed by _IDPROV.
    const std::string idprov = std::string(t.table.substr(0, 4)) + "_IDPROV";
    language_join(st, lang, t.provider, idprov);
  }
  if (!t.company_column.empty()) {
    st << " WHERE" << "    " << t.company_column << " = ";
    st.number(lk.codice_ditta());
  }
  st << t.order_by << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

// ---------------------------------------------------------------------------
// Decoded lists: code, description and an indicator decoded into a label of
// at most `width` characters. No company condition.

struct decoded_list {
  std::string_view title;
  std::string_view id;
  std::string_view table;
  std::string_view code_column;  // also the default order
  std::string_view description_column;
  std::string_view indicator_column;
  std::string_view indicator_caption;
  int width;
  std::vector<case_branch> labels;
};

const decoded_list kPorto{
    "Elenco Porto", "Lkp_Porto", "MG91_PORTO", "MG91_CODICE", "MG91_DESCR", "MG91_INDCONDCONS",
    "Condizioni di consegna", 35,
    {{1, "(C) Costo e nolo, costo ass. e nolo"},
     {2, "(D) Reso frontiera, FOB a destino"},
     {3, "(E) Franco fabbrica"},
     {4, "(F) Franco vettore, franco a bordo"}}};

const decoded_list kTipiSpedizione{
    "Elenco Tipi spedizione", "Lkp_TipiSpedizione", "MG93_TIPOSPED", "MG93_CODICE", "MG93_DESCR", "MG93_INDMODALITA",
    "Modalità di trasporto", 30,
    {{1, "Trasporto marittimo"},
     {2, "Trasporto farroviario"},
     {3, "Trasporto stradale"},
     {4, "Trasporto aereo"},
     {5, "Spedizioni postali"},
     {6, "Install. fisse di trasporto"},
     {7, "Trasporto per vie acque"},
     {8, "Propulsione propria"}}};

value decoded_list_lookup(lookup& lk, const decoded_list& t, const value& campo) {
  lk.set_columns({"Codice", "Descrizione", t.indicator_caption});
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(campo, t.code_column);

  statement st;
  st << " SELECT" << "    " << t.code_column << "," << "    " << t.description_column << ","
     << "    CONVERT(varchar(";
  st.number(t.width);
  st << ")," << "        CASE " << t.indicator_column;
  case_branches(st, false, "            ", t.labels);
  st << "            ELSE ''" << "        END" << "    ) AS " << t.indicator_column
     << " FROM" << "    " << t.table << " WITH (NOLOCK)"
     << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

}  // namespace

value gruppi_statistici1(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kGruppiStatistici1, a[0]); }
value gruppi_statistici2(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kGruppiStatistici2, a[0]); }
value gruppi_statistici3(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kGruppiStatistici3, a[0]); }
value gruppi_statistici4(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kGruppiStatistici4, a[0]); }
value flags_esclusione_stampa(lookup& lk, std::span<value> a) {
  return code_list_lookup(lk, kFlagsEsclusioneStampa, a[0]);
}
value porto(lookup& lk, std::span<value> a) { return decoded_list_lookup(lk, kPorto, a[0]); }
value tipi_spedizione(lookup& lk, std::span<value> a) { return decoded_list_lookup(lk, kTipiSpedizione, a[0]); }
value campagne(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kCampagne, a[0]); }
value imballi(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kImballi, a[0]); }
value confezioni(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kConfezioni, a[0]); }
value ubicazioni(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kUbicazioni, a[0]); }
value aspetto_dei_beni(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kAspettoDeiBeni, a[0]); }
value listini99_prezzi(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kListini99Prezzi, a[0]); }
value listini_piu_articoli(lookup& lk, std::span<value> a) {
  return code_list_lookup(lk, kListiniPiuArticoli, a[0]);
}
value basi(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kBasi, a[0]); }
value tipologia_agente(lookup& lk, std::span<value> a) { return code_list_lookup(lk, kTipologiaAgente, a[0]); }

value testi_vari(lookup& lk, std::span<value> a) {
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco testi vari");
  const std::string sort = lk.sort_column(a[1], "MG0B_CODTESTO");
  statement st;
  st << " SELECT" << "    MG0B_CODTESTO," << "    MG0B_DESCR" << " FROM" << "    MG0B_TESTI WITH (NOLOCK)" << " WHERE";
  company_filter(st, "    MG0B_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND" << "    MG0B_INDTIPO = ";
  st.number(DecimalOrZero(filter_value(a[0])));
  // Only the texts of the base language (empty language code).
  st << " AND" << "    MG0B_LINGUA_MG52 = ''" << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_TestiVari");
  return {};
}

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
