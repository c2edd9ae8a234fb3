// Document-configuration and price-list lookups: warehouse document models
// (all of them, or those enabled for the company), formula groupings and
// formulas, document-transformation models, article data sheets, price lists
// of the master data and warehouse movement reasons. All use the run-on form.
#include <string>
#include <string_view>
#include <vector>

#include "convert/converters.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

// One WHEN branch of a CASE whose label is a text: the label goes between the
// quotes. Labels the translator hands back are data, so their own quotes are
// doubled to keep each one a single literal.
void when_label(statement& st, std::string_view branch, std::string_view label) {
  st << branch;
  st.quoted(label) << "'";
}

// ---------------------------------------------------------------------------
// Plain tables: one table, its columns, and at most a company condition and a
// numeric condition on the operation's first argument.

struct column {
  std::string_view item;
  std::string_view caption;
};

struct plain_table {
  std::string_view title;
  std::string_view id;
  std::string_view default_order;
  std::vector<column> columns;
  std::string_view table;
  std::string_view company_column;   // empty: the table holds no rows per company
  std::string_view argument_column;  // empty: no argument filters the rows
};

const plain_table kRaggruppamentiFormule{
    "Elenco Raggruppamenti formule", "Lkp_RaggruppamentiFormule", "MG3E_CODICE",
    {{"MG3E_CODICE", "Codice"}, {"MG3E_DESCR", "Descrizione"}},
    "MG3E_FORMULERAGGR", "", ""};

const plain_table kFormule{
    "Elenco Formule", "Lkp_Formule", "MG3F_CODICE",
    {{"MG3F_CODICE", "Codice"}, {"MG3F_DESCR", "Descrizione"}, {"MG3F_RAGGR_MG3E", "Raggr."}},
    "MG3F_FORMULE", "", ""};

const plain_table kSchedeArticoli{
    "Elenco Schede articoli", "Lkp_SchedeArticoli", "MG42_CODSCHEDA",
    {{"MG42_CODSCHEDA", "Codice"}, {"MG42_DESCSCHEDA", "Descrizione"}},
    "MG42_SCHEDANAG", "MG42_DITTA_CG18", ""};

// VenditeAcquisti selects sales or purchase price lists.
const plain_table kListiniAnagrafica{
    "Elenco Listini anagrafica", "Lkp_ListiniAnagrafica", "MG44_NUMLIST",
    {{"MG44_NUMLIST", "Num."}, {"MG44_DESCLIST", "Descrizione"}},
    "MG44_PARMAGLIST", "MG44_DITTA_CG18", "MG44_FLGVENACQ"};

value plain_lookup(lookup& lk, std::span<value> a, const plain_table& t) {
  const value& campo = a.back();
  std::vector<std::string_view> captions;
  for (const column& c : t.columns) captions.push_back(c.caption);
  lk.set_columns(captions);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(campo, t.default_order);

  statement st;
  st << " SELECT";
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    st << "    " << t.columns[i].item;
    if (i + 1 < t.columns.size()) st << ",";
  }
  st << " FROM" << "    " << t.table << " WITH (NOLOCK)";
  bool where = false;
  auto condition = [&](std::string_view column) {
    st << (where ? " AND" : " WHERE") << "    " << column << " = ";
    where = true;
  };
  if (!t.company_column.empty()) {
    condition(t.company_column);
    st.number(lk.codice_ditta());
  }
  if (!t.argument_column.empty()) {
    condition(t.argument_column);
    st.number(DecimalOrZero(a[0]));
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

// ---------------------------------------------------------------------------
// Model lists: the standard and personalised models of a kind, with their
// translated description and a CASE naming the kind. StandardPersonalizzato,
// when supplied, keeps one kind.

struct model_list {
  std::string_view title;
  std::string_view id;
  std::string_view default_order;
  std::string_view code_item;
  std::string_view description_item;
  std::string_view case_column;
  std::string_view case_end;
  std::string_view table;
  std::string_view provider;
  std::string_view idprov_column;
  std::string_view kind_condition;
};

const model_list kDocumenti{
    "Elenco Documenti", "Lkp_Documenti", "MG36_CODDOCUM, MG36_INDSTAPER",
    "    MG36_CODDOCUM,",
    "    MG0S_DESCRIZIONE AS MG36_DESCDOCUM, ",
    "    CASE MG36_INDSTAPER",
    "    END AS MG36_STAPER",
    "    MG36_DOCUMENTI WITH (NOLOCK)",
    "1002", "MG36_IDPROV",
    "    MG36_INDSTAPER = "};

const model_list kTrasformazioneDocumenti{
    "Elenco modelli di trasformazione documenti", "Lkp_TrasformazioneDocumenti",
    "MG3N_CODTRASFDOC, MG3N_INDSTAPER",
    "    MG3N_CODTRASFDOC,",
    "    MG0S_DESCRIZIONE AS MG3N_DESCMOD,",
    "    CASE MG3N_INDSTAPER",
    "    END AS MG3N_STAPER",
    "    MG3N_MODTRASFDOC WITH (NOLOCK)",
    "1037", "MG3N_IDPROV",
    "    MG3N_INDSTAPER = "};

value model_lookup(lookup& lk, std::span<value> a, const model_list& m) {
  const value& standard_personalizzato = a[0];
  const value& campo = a[1];
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Standard/Pers."});
  lk.set_title(m.title);
  const std::string sort = lk.sort_column(campo, m.default_order);

  statement st;
  st << " SELECT" << m.code_item << m.description_item << m.case_column
     << "        WHEN 0 THEN 'Standard'"
     << "        WHEN 1 THEN 'Personalizzato'"
     << m.case_end << " FROM" << m.table;
  language_join(st, lang, m.provider, m.idprov_column);
  if (!standard_personalizzato.is_missing()) {
    st << " WHERE" << m.kind_condition;
    st.number(DecimalOrZero(standard_personalizzato));
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(m.id);
  return {};
}

// ---------------------------------------------------------------------------
// Company model lists: the models enabled for the company, joined to the model
// table for the translation key.

struct company_model_list {
  std::string_view title;
  std::string_view id;
  std::string_view default_order;
  std::string_view code_item;
  std::string_view description_item;
  std::string_view case_column;
  std::string_view case_end;
  std::string_view table;
  std::string_view model_join;
  std::string_view join_code;
  std::string_view join_kind;
  std::string_view provider;
  std::string_view idprov_column;
  std::string_view company_condition;
  std::string_view state_condition;  // empty: every state is listed
  bool translated_labels;
};

const company_model_list kDocumentiDitta{
    "Elenco Documenti Attivi", "Lkp_DocumentiDitta", "MG3G_CODDOCUM_MG36",
    "    MG3G_CODDOCUM_MG36,",
    "    MG0S_DESCRIZIONE AS MG36_DESCDOCUM,",
    "    CASE MG3G_INDSTAPER_MG36",
    "    END AS MG3G_INDSTAPER",
    "    MG3G_DOCDITTA WITH (NOLOCK)",
    " INNER JOIN MG36_DOCUMENTI WITH (NOLOCK) ON",
    "    MG3G_CODDOCUM_MG36 = MG36_CODDOCUM AND",
    "    MG3G_INDSTAPER_MG36 = MG36_INDSTAPER",
    "1002", "MG36_IDPROV",
    "    MG3G_DITTA_CG18 = ",
    "    MG36_INDSTATODOC IN (0, 1)",
    true};

const company_model_list kTrasformazioneDocumentiDitta{
    "Elenco modelli di trasformazione documenti ditta", "Lkp_TrasformazioneDocumentiDitta",
    "MG3T_CODTRASFDOC_MG3N",
    "    MG3T_CODTRASFDOC_MG3N,",
    "    MG0S_DESCRIZIONE AS MG3N_DESCMOD,",
    "    CASE MG3T_INDSTAPER_MG3N",
    "    END AS MG3T_INDSTAPER",
    "    MG3T_MODTRASFDITTA WITH (NOLOCK)",
    " INNER JOIN MG3N_MODTRASFDOC WITH (NOLOCK) ON",
    "    MG3T_CODTRASFDOC_MG3N = MG3N_CODTRASFDOC AND",
    "    MG3T_INDSTAPER_MG3N = MG3N_INDSTAPER",
    "1037", "MG3N_IDPROV",
    "    MG3T_DITTA_CG18 = ",
    "",
    false};

value company_model_lookup(lookup& lk, std::span<value> a, const company_model_list& m) {
  const value& campo = a[0];
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Standard/Pers."});
  lk.set_title(m.title);
  const std::string sort = lk.sort_column(campo, m.default_order);

  const std::string standard = m.translated_labels ? lk.translate_label("Standard") : "Standard";
  const std::string personalizzato =
      m.translated_labels ? lk.translate_label("Personalizzato") : "Personalizzato";

  statement st;
  st << " SELECT" << m.code_item << m.description_item << m.case_column;
  when_label(st, "        WHEN 0 THEN '", standard);
  when_label(st, "        WHEN 1 THEN '", personalizzato);
  st << m.case_end << " FROM" << m.table << m.model_join << m.join_code << m.join_kind;
  language_join(st, lang, m.provider, m.idprov_column);
  st << " WHERE";
  company_filter(st, m.company_condition, lk.codice_ditta());
  if (!m.state_condition.empty()) st << " AND" << m.state_condition;
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(m.id);
  return {};
}

}  // namespace

value documenti(lookup& lk, std::span<value> a) { return model_lookup(lk, a, kDocumenti); }
value raggruppamenti_formule(lookup& lk, std::span<value> a) {
  return plain_lookup(lk, a, kRaggruppamentiFormule);
}
value formule(lookup& lk, std::span<value> a) { return plain_lookup(lk, a, kFormule); }
value schede_articoli(lookup& lk, std::span<value> a) { return plain_lookup(lk, a, kSchedeArticoli); }
value listini_anagrafica(lookup& lk, std::span<value> a) {
  return plain_lookup(lk, a, kListiniAnagrafica);
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

value trasformazione_documenti(lookup& lk, std::span<value> a) {
  return model_lookup(lk, a, kTrasformazioneDocumenti);
}
value documenti_ditta(lookup& lk, std::span<value> a) {
  return company_model_lookup(lk, a, kDocumentiDitta);
}
value trasformazione_documenti_ditta(lookup& lk, std::span<value> a) {
  return company_model_lookup(lk, a, kTrasformazioneDocumentiDitta);
}

}  // namespace veldrane::lookup_ops
