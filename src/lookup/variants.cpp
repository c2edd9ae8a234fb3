// Lookups over the variant tables (options, configurator parameters,
// groupings), article sub-codes and pre-codes, fiscal groups, fixed texts,
// discount classes, Incoterms codes, credit-risk modes with the payment terms
// they exclude, and article brands. All use the run-on form.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

constexpr table kOpzioni{
    "Elenco opzioni", "Lkp_Opzioni", "MG5E_OPZIONE", {"Codice", "Descrizione"},
    "    MG5E_OPZIONE," "    MG5E_DESCR", "    MG5E_OPZIONI WITH (NOLOCK)",
    {{{"    MG5E_DITTA_CG18 = ", way::company}, {"    MG5E_CODICEVAR_MG5F = '", way::quoted, 0}}}};
value opzioni(lookup& lk, std::span<value> a) { return describe(lk, a, kOpzioni); }

constexpr table kRaggruppamentoVarianti{
    "Elenco raggruppamento varianti", "Lkp_RaggruppamentoVarianti", "MG5G_CODRAGGVAR", {"Codice", "Descrizione"},
    "    MG5G_CODRAGGVAR," "    MG5G_DESCRRAGGVAR", "    MG5G_RAGGVAR WITH (NOLOCK)",
    {{{"    MG5G_DITTA_CG18 = ", way::company}, {"    MG5G_CODICEVAR_MG5F = '", way::quoted, 0}}}};
value raggruppamento_varianti(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentoVarianti); }

// Ordered by the description, not by the sub-code.
constexpr table kSubcodiciArticoli{
    "Elenco Subcodici Articoli", "Lkp_SubcodiciArticoli", "MG6E_DESCR", {"Subcodice", "Descrizione"},
    "    MG6E_SUBCODICE," "    MG6E_DESCR", "    MG6E_SUBCODART WITH (NOLOCK)",
    {{{"    MG6E_DITTA_CG18 = ", way::company}, {"    MG6E_PROGR_MG6F = ", way::number, 0}}}};
value subcodici_articoli(lookup& lk, std::span<value> a) { return describe(lk, a, kSubcodiciArticoli); }

constexpr table kPrecodici{
    "Elenco Precodici", "Lkp_Precodici", "MG60_PRECODICE", {"Precodice", "Descrizione"},
    "    MG60_PRECODICE," "    MG60_DESCRPRECOD", "    MG60_PRECODICI WITH (NOLOCK)",
    {{{"    MG60_DITTA_CG18 = ", way::company}}}};
value precodici(lookup& lk, std::span<value> a) { return describe(lk, a, kPrecodici); }

// Two captions for the two selected columns: a third one ("UM") would name a
// column the statement does not return.
constexpr table kGruppiFiscali{
    "Elenco Gruppi fiscali", "Lkp_GruppiFiscali", "MG61_CODGRUPFIS", {"Codice", "Descrizione"},
    "    MG61_CODGRUPFIS," "    MG0S_DESCRIZIONE AS MG61_DESCRGRUFIS", "    MG61_GRUPPIFIS WITH (NOLOCK)",
    {{{"    MG61_DITTA_CG18 = ", way::company}}},
    "1027", "MG61_IDPROV"};
value gruppi_fiscali(lookup& lk, std::span<value> a) { return describe(lk, a, kGruppiFiscali); }

// Fixed texts are shared by every company.
constexpr table kTestiFissi{
    "Elenco Testi fissi", "Lkp_TestiFissi", "MG62_CODICE",
    {"Codice", "Descrizione", "Escl.1", "Escl.2", "Escl.3", "Escl.4"},
    "    MG62_CODICE,"
    "    MG0S_DESCRIZIONE AS MG62_DESCR, "
    "    MG62_ESCLST1_MG82,"
    "    MG62_ESCLST2_MG82,"
    "    MG62_ESCLST3_MG82,"
    "    MG62_ESCLST4_MG82",
    "    MG62_TESTIFIS WITH (NOLOCK)",
    {},
    "1003", "MG62_IDPROV"};
value testi_fissi(lookup& lk, std::span<value> a) { return describe(lk, a, kTestiFissi); }

constexpr table kClassiDiSconto{
    "Elenco Classi di sconto", "Lkp_ClassiDiSconto", "MG63_CODCLASC", {"Codice", "Descrizione"},
    "    MG63_CODCLASC," "    MG63_DESCRCLASC", "    MG63_CLASSISC WITH (NOLOCK)",
    {{{"    MG63_DITTA_CG18 = ", way::company}}}};
value classi_di_sconto(lookup& lk, std::span<value> a) { return describe(lk, a, kClassiDiSconto); }

constexpr table kMarche{
    "Elenco Marche", "Lkp_Marche", "MG64_CODMARCA", {"Codice", "Descrizione"},
    "    MG64_CODMARCA," "    MG0S_DESCRIZIONE AS MG64_DESCRMARCA", "    MG64_MARCHEART WITH (NOLOCK)",
    {{{"    MG64_DITTA_CG18 = ", way::company}}},
    "1028", "MG64_IDPROV"};
value marche(lookup& lk, std::span<value> a) { return describe(lk, a, kMarche); }

// The risk code as the caller gives it, trailing blanks included: no
// converter, Null and Empty give ''.
constexpr table kCondizioniDiPagamentoEsclusioneRischio{
    "Condizioni di pagamento per esclusione rischio", "Lkp_CondizioniDiPagamentoEsclusioneRischio", "CG62_CODPAG",
    {"Codice", "Descrizione"},
    "    CG62_CODPAG," "    CG62_DESCPAG",
    "    CG62_CONDPAGDES WITH (NOLOCK)"
    " INNER JOIN MG2C_ESCLUSIONIRISCHIO WITH (NOLOCK) ON"
    "    CG62_CODPAG = MG2C_CONDPAG_CG62",
    {{{"    MG2C_DITTA_CG18 = ", way::company}, {"    MG2C_CODICE_MG2A = '", way::as_given, 0}}}};
value condizioni_di_pagamento_esclusione_rischio(lookup& lk, std::span<value> a) {
  return describe(lk, a, kCondizioniDiPagamentoEsclusioneRischio);
}

// The risk-control modes, with whether each is active in the translator's
// language. The labels are data: their own quotes are doubled to keep each
// one a single literal.
value rischio(lookup& lk, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Attiva"});
  lk.set_title("Elenco modalità controllo rischio");
  const std::string sort = lk.sort_column(a[0], "MG2A_CODICE");
  // The labels are translated before the statement is composed.
  const std::string no = lk.translate_label("No");
  const std::string yes = lk.translate_label("Si");
  statement st;
  st << " SELECT" << "    MG2A_CODICE," << "    MG0S_DESCRIZIONE AS MG2A_DESCRIZIONE," << "    CASE MG2A_FLGATTIVO";
  when_label(st, "        WHEN 0 THEN '", no);
  when_label(st, "        WHEN 1 THEN '", yes);
  st << "    END AS MG2A_ATTIVO" << " FROM" << "    MG2A_RISCHIO WITH (NOLOCK)";
  language_join(st, lang, "1032", "MG2A_IDPROV");
  st << " WHERE";
  company_filter(st, "    MG2A_DITTA_CG18 = ", lk.codice_ditta());
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Rischio");
  return {};
}

value configuratore(lookup& lk, std::span<value> a) {
  lk.set_columns({"Progr.", "Descrizione", "Lungh.", "Raggr."});
  lk.set_title("Elenco parametri configuratore");
  // The default order is the alias of the first CASE item.
  const std::string sort = lk.sort_column(a[0], "MG5F_CODICEVAR");
  statement st;
  st << " SELECT" << "    CASE MG5F_CODICEVAR";
  // The variant codes A0 to A9 are the progressives 1 to 10, B0 to B9 the
  // progressives 11 to 20; any other code gives NULL.
  for (int progr = 1; progr <= 20; ++progr) {
    const char code[] = {progr <= 10 ? 'A' : 'B', static_cast<char>('0' + (progr - 1) % 10), '\0'};
    st << "        WHEN '" << code << "' THEN ";
    st.number(progr);
  }
  st << "    END AS MG5F_CODICEVAR," << "    MG5F_DESCR_VAR," << "    MG5F_SIZE,"
     << "    CASE MG5F_FLGRAGGR" << "        WHEN 1 THEN 'Si'" << "        ELSE 'No'" << "    END AS MG5F_FLGRAGGR"
     << " FROM" << "    MG5F_DIMECONF WITH (NOLOCK)" << " WHERE";
  company_filter(st, "    MG5F_DITTA_CG18 = ", lk.codice_ditta());
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_ConfiguratoreVarianti");
  return {};
}

value codici_incoterms(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione"});
  lk.set_title("Elenco codici Incoterms");
  const std::string sort = lk.sort_column(a[0], "MG0T.MG0T_CODICE");
  // The rows come from the table-valued function applied to each code of the
  // company, restricted to the first operative dialect.
  statement st;
  st << " SELECT MG0T.* FROM MG0T_CODINCOTERMS "
     << " OUTER APPLY dbo.FNMG0T_CODINCOTERMS(MG0T_CODINCOTERMS.MG0T_CODICE,";
  st.number(lk.codice_ditta());
  st << ") AS MG0T"
     << " WHERE MG0T_ID_BB00 IN (SELECT TOP 1 BB00_ID FROM BB00_DIALETTI WHERE BB00_STATO='OPERATIVA')"
     << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_CodiciIncoterms");
  return {};
}

}  // namespace veldrane::lookup_ops
