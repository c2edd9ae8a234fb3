// Lookups over the variant tables (options, configurator parameters,
// groupings), article sub-codes and pre-codes, fiscal groups, fixed texts,
// discount classes, Incoterms codes, credit-risk modes with the payment terms
// they exclude, and article brands. All use the run-on form.
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

// One WHEN branch whose label the translator gives: the branch fragment ends
// with the opening quote. Labels are data, so their own quotes are doubled to
// keep each one a single literal.
struct translated_branch {
  std::string_view fragment;
  std::string_view label;
};

// A CASE item over translated labels, written after the plain items.
struct translated_case {
  std::string_view head;
  std::vector<translated_branch> branches;
  std::string_view end;
};

// How the operation's own argument filters the rows.
enum class argument_kind { none, text, number };

// A lookup over one table: its select items as they stand, the translated
// description where a provider is named, the company condition and at most
// one condition on the operation's first argument.
struct single_table {
  std::string_view title;
  std::string_view id;
  std::string_view default_order;
  std::vector<std::string_view> captions;
  std::vector<std::string_view> items;
  translated_case labels;  // head empty: no such item
  std::string_view table;
  std::string_view provider;  // empty: no translated description
  std::string_view idprov_column;
  std::string_view company_condition;  // empty: rows of every company
  argument_kind argument;
  std::string_view argument_condition;  // up to the value (and its opening quote)
};

const single_table kOpzioni{
    "Elenco opzioni", "Lkp_Opzioni", "MG5E_OPZIONE", {"Codice", "Descrizione"},
    {"    MG5E_OPZIONE,", "    MG5E_DESCR"}, {},
    "    MG5E_OPZIONI WITH (NOLOCK)", "", "",
    "    MG5E_DITTA_CG18 = ", argument_kind::text, "    MG5E_CODICEVAR_MG5F = '"};

const single_table kRaggruppamentoVarianti{
    "Elenco raggruppamento varianti", "Lkp_RaggruppamentoVarianti", "MG5G_CODRAGGVAR", {"Codice", "Descrizione"},
    {"    MG5G_CODRAGGVAR,", "    MG5G_DESCRRAGGVAR"}, {},
    "    MG5G_RAGGVAR WITH (NOLOCK)", "", "",
    "    MG5G_DITTA_CG18 = ", argument_kind::text, "    MG5G_CODICEVAR_MG5F = '"};

// Ordered by the description, not by the sub-code.
const single_table kSubcodiciArticoli{
    "Elenco Subcodici Articoli", "Lkp_SubcodiciArticoli", "MG6E_DESCR", {"Subcodice", "Descrizione"},
    {"    MG6E_SUBCODICE,", "    MG6E_DESCR"}, {},
    "    MG6E_SUBCODART WITH (NOLOCK)", "", "",
    "    MG6E_DITTA_CG18 = ", argument_kind::number, "    MG6E_PROGR_MG6F = "};

const single_table kPrecodici{
    "Elenco Precodici", "Lkp_Precodici", "MG60_PRECODICE", {"Precodice", "Descrizione"},
    {"    MG60_PRECODICE,", "    MG60_DESCRPRECOD"}, {},
    "    MG60_PRECODICI WITH (NOLOCK)", "", "",
    "    MG60_DITTA_CG18 = ", argument_kind::none, ""};

// Two captions for the two selected columns: a third one ("UM") would name a
// column the statement does not return.
const single_table kGruppiFiscali{
    "Elenco Gruppi fiscali", "Lkp_GruppiFiscali", "MG61_CODGRUPFIS", {"Codice", "Descrizione"},
    {"    MG61_CODGRUPFIS,", "    MG0S_DESCRIZIONE AS MG61_DESCRGRUFIS"}, {},
    "    MG61_GRUPPIFIS WITH (NOLOCK)", "1027", "MG61_IDPROV",
    "    MG61_DITTA_CG18 = ", argument_kind::none, ""};

// Fixed texts are shared by every company.
const single_table kTestiFissi{
    "Elenco Testi fissi", "Lkp_TestiFissi", "MG62_CODICE",
    {"Codice", "Descrizione", "Escl.1", "Escl.2", "Escl.3", "Escl.4"},
    {"    MG62_CODICE,", "    MG0S_DESCRIZIONE AS MG62_DESCR, ", "    MG62_ESCLST1_MG82,", "    MG62_ESCLST2_MG82,",
     "    MG62_ESCLST3_MG82,", "    MG62_ESCLST4_MG82"},
    {},
    "    MG62_TESTIFIS WITH (NOLOCK)", "1003", "MG62_IDPROV",
    "", argument_kind::none, ""};

const single_table kClassiDiSconto{
    "Elenco Classi di sconto", "Lkp_ClassiDiSconto", "MG63_CODCLASC", {"Codice", "Descrizione"},
    {"    MG63_CODCLASC,", "    MG63_DESCRCLASC"}, {},
    "    MG63_CLASSISC WITH (NOLOCK)", "", "",
    "    MG63_DITTA_CG18 = ", argument_kind::none, ""};

const single_table kMarche{
    "Elenco Marche", "Lkp_Marche", "MG64_CODMARCA", {"Codice", "Descrizione"},
    {"    MG64_CODMARCA,", "    MG0S_DESCRIZIONE AS MG64_DESCRMARCA"}, {},
    "    MG64_MARCHEART WITH (NOLOCK)", "1028", "MG64_IDPROV",
    "    MG64_DITTA_CG18 = ", argument_kind::none, ""};

const single_table kRischio{
    "Elenco modalità controllo rischio", "Lkp_Rischio", "MG2A_CODICE", {"Codice", "Descrizione", "Attiva"},
    {"    MG2A_CODICE,", "    MG0S_DESCRIZIONE AS MG2A_DESCRIZIONE,"},
    {"    CASE MG2A_FLGATTIVO",
     {{"        WHEN 0 THEN '", "No"}, {"        WHEN 1 THEN '", "Si"}},
     "    END AS MG2A_ATTIVO"},
    "    MG2A_RISCHIO WITH (NOLOCK)", "1032", "MG2A_IDPROV",
    "    MG2A_DITTA_CG18 = ", argument_kind::none, ""};

// Arguments: the filter value when the table has one, then CampoOrdinamento.
value single_table_lookup(lookup& lk, const single_table& t, std::span<value> a) {
  const std::string lang = t.provider.empty() ? std::string() : lk.language(lookup::language_source::company);
  lk.set_columns(t.captions);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(a.back(), t.default_order);

  // The labels are translated before the statement is composed.
  std::vector<std::string> labels;
  for (const translated_branch& b : t.labels.branches) labels.push_back(lk.translate_label(std::string(b.label)));

  statement st;
  st << " SELECT";
  for (std::string_view item : t.items) st << item;
  if (!t.labels.head.empty()) {
    st << t.labels.head;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      st << t.labels.branches[i].fragment;
      st.quoted(labels[i]) << "'";
    }
    st << t.labels.end;
  }
  st << " FROM" << t.table;
  if (!t.provider.empty()) language_join(st, lang, t.provider, t.idprov_column);
  if (!t.company_condition.empty()) {
    st << " WHERE";
    company_filter(st, t.company_condition, lk.codice_ditta());
  }
  switch (t.argument) {
    case argument_kind::none: break;
    case argument_kind::text:
      st << " AND" << t.argument_condition;
      st.quoted(TextOrEmpty(filter_value(a[0]))) << "'";
      break;
    case argument_kind::number:
      st << " AND" << t.argument_condition;
      st.number(DecimalOrZero(filter_value(a[0])));
      break;
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

}  // namespace

value opzioni(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kOpzioni, a); }
value raggruppamento_varianti(lookup& lk, std::span<value> a) {
  return single_table_lookup(lk, kRaggruppamentoVarianti, a);
}
value subcodici_articoli(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kSubcodiciArticoli, a); }
value precodici(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kPrecodici, a); }
value gruppi_fiscali(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kGruppiFiscali, a); }
value testi_fissi(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kTestiFissi, a); }
value classi_di_sconto(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kClassiDiSconto, a); }
value marche(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kMarche, a); }
value rischio(lookup& lk, std::span<value> a) { return single_table_lookup(lk, kRischio, a); }

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

value condizioni_di_pagamento_esclusione_rischio(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione"});
  lk.set_title("Condizioni di pagamento per esclusione rischio");
  const std::string sort = lk.sort_column(a[1], "CG62_CODPAG");
  statement st;
  st << " SELECT" << "    CG62_CODPAG," << "    CG62_DESCPAG" << " FROM" << "    CG62_CONDPAGDES WITH (NOLOCK)"
     << " INNER JOIN MG2C_ESCLUSIONIRISCHIO WITH (NOLOCK) ON" << "    CG62_CODPAG = MG2C_CONDPAG_CG62" << " WHERE";
  company_filter(st, "    MG2C_DITTA_CG18 = ", lk.codice_ditta());
  // The risk code as the caller gives it, trailing blanks included: no
  // converter, Null and Empty give ''.
  st << " AND" << "    MG2C_CODICE_MG2A = '";
  st.quoted(concat_text(filter_value(a[0]))) << "'";
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_CondizioniDiPagamentoEsclusioneRischio");
  return {};
}

}  // namespace veldrane::lookup_ops
