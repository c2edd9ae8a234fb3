// Lookups of the public-administration offices of customers and suppliers
// (electronic invoicing) and their administrative references, the
// classification of fictitious articles, the options of a variant seen from
// an article or a grouping, the reorder-level and delay parameters, tax
// groups, and the supply chains of a supplier. All use the run-on form.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

// The framework's current company, read from the active interface itself
// (not the object's CodiceDitta).
value framework_company(lookup& lk) { return DecimalOrZero(lk.company_context()->company_code()); }

// ---------------------------------------------------------------------------
// Offices of a public-administration party.

struct office_list {
  std::string_view customers_title;
  std::string_view suppliers_title;
  std::string_view id;
  bool of_destination;  // the offices of one delivery address
};

constexpr office_list kPartyOffices{"Elenco Uffici clienti", "Elenco Uffici fornitori", "Lkp_UfficiPACliFor", false};
constexpr office_list kDestinationOffices{"Elenco Uffici destinatari clienti", "Elenco Uffici destinatari fornitori",
                                          "Lkp_UfficiPACliForDest", true};

// The electronic-invoicing kind of the party, 0 when it has no row, without
// a connection or on any failure.
std::int16_t invoicing_kind(lookup& lk, const value& cod_cli_for, const value& tipo_cli_for) {
  try {
    statement q;
    q << "SELECT CG1O_INDTYPEB2B FROM CG1O_DATIGESTANAG WHERE CG1O_CODICE_CG16 = ";
    q.number(DecimalOrZero(cod_cli_for));
    q << " AND CG1O_TIPOCF_CG44 = ";
    q.number(DecimalOrZero(tipo_cli_for));
    std::shared_ptr<host::recordset> rs = lk.run_query(q, host::connection::kCommandText);
    if (!host::deref(rs).eof() && !rs->bof()) return to_integer(DecimalOrZero(rs->field(0)));
  } catch (const std::exception&) {
  }
  return 0;
}

// A party code or kind that is no number cannot be written as one; 0 keeps
// the statement well-formed (no party has code 0, so nothing is listed)
// where leaving the value out would hand back a statement the database
// rejects.
void number_or_zero(statement& st, const value& v) {
  value number(std::int16_t{0});
  skip_on_error<std::exception>([&] { number = DecimalOrZero(v); });
  st.number(number);
}

// Arguments: CodCliFor, TipoCliFor, [CodiceDestinatario,] CampoOrdinamento.
// Once the columns are set every step goes on past its failures; the
// operation itself never fails on the host's account.
value office_lookup(lookup& lk, const office_list& o, std::span<value> a) {
  const value& cod_cli_for = filter_value(a[0]);
  const value& tipo_cli_for = filter_value(a[1]);
  const value& campo = a[o.of_destination ? 3 : 2];
  lk.set_columns({"Codice", "Nome", "Pref.", "Indirizzo", "Cap", "Città", "Provincia", "Regione"});
  skip_on_error<std::exception>([&] {
    const bool customers = is_customer(tipo_cli_for);
    lk.set_title(lk.translate_label(std::string(customers ? o.customers_title : o.suppliers_title)));
  });
  // A refused order column is the caller's mistake, not a host failure: it
  // is still reported. The preferred office comes first by default.
  const std::string sort = lk.sort_column(campo, "CG1M_FLGPREFERENZIALE DESC");
  const std::int16_t kind = invoicing_kind(lk, cod_cli_for, tipo_cli_for);

  statement st;
  st << " SELECT DISTINCT " << " CG1M_CODICE, " << " CG1M_NOME, "
     << " CASE CG1M_FLGPREFERENZIALE WHEN 1 THEN 'SI' ELSE '' END AS CG1M_FLGPREFERENZIALE," << " CG1M_INDIRIZZO, "
     << " CG1M_CAP, " << " CG1M_COMUNE, " << " CP02_DENOMINAZIONE, " << " CP01_DENOMINAZIONE " << " FROM "
     << " CG1M_UFFICIOPA " << " LEFT JOIN " << " CP01_REGIONE " << " ON CP01_ID = CG1M_IDREGIONE" << " LEFT JOIN "
     << " CP02_PROVINCIA " << " ON " << " CP02_IDREGIONE_CP01 = CG1M_IDREGIONE" << " AND CP02_ID = CG1M_IDPROVINCIA"
     << " WHERE " << " CG1M_CODICE_CG16 = ";
  number_or_zero(st, cod_cli_for);
  st << " AND CG1M_TIPOCF_CG44 = ";
  number_or_zero(st, tipo_cli_for);
  st << " AND CG1M_INDTYPEB2B = ";
  st.number(kind);
  if (o.of_destination) {
    st << " AND CG1M_CODDESTIN = '";
    skip_on_error<std::exception>([&] { st.quoted(TextOrEmpty(filter_value(a[2]))); });
    st << "' ";
  } else {
    st << " AND CG1M_CODDESTIN = '' ";
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(o.id);
  return {};
}

// ---------------------------------------------------------------------------
// Administrative references of an office.

// Arguments: CodUfficioPa, CodAnagraficaGenerale, [TipoCliFor,]
// CampoOrdinamento.
value reference_lookup(lookup& lk, std::span<value> a, bool with_party_kind) {
  lk.set_columns({"Codice", "Preferenziale"});
  lk.set_title("Elenco Riferimenti Amministrazione PA");
  const std::string sort = lk.sort_column(a[with_party_kind ? 3 : 2], "CG1N_FLGPREFERENZIALE DESC");
  statement st;
  st << " SELECT DISTINCT " << " CG1N_CODICE, "
     << " CASE CG1N_FLGPREFERENZIALE WHEN 1 THEN 'SI' ELSE '' END AS CG1N_FLGPREFERENZIALE " << " FROM "
     << " CG1N_RIFERAMMPA " << " WHERE " << " CG1N_CODICE_CG1M = '";
  st.quoted(TextOrEmpty(filter_value(a[0]))) << "'" << " AND CG1N_CODICE_CG16 = ";
  st.number(DecimalOrZero(filter_value(a[1])));
  if (with_party_kind) {
    st << " AND CG1N_TIPOCF_CG44 = ";
    st.number(DecimalOrZero(filter_value(a[2])));
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_RiferAmmPA");
  return {};
}

// ---------------------------------------------------------------------------
// Reorder-level parameters, delay parameters and tax groups: every step goes
// on past its failures, and an Empty order column takes the default too.

struct parameter_table {
  std::string_view title;
  std::string_view id;
  std::string_view default_sort;
  std::string_view select;
  std::string_view from;
  // The company condition, completed with the framework's company; empty
  // for tables that all companies share.
  std::string_view company;
};

constexpr std::array<parameter_table, 3> kParameterTables{{
    {"Parametri sottoscorta", "lkp_ParametriSottoscorta", "MGFA_CODPARAM", " SELECT MGFA_CODPARAM, MGFA_DESCPARAM ",
     " FROM MGFA_SOTTOSCPARAM ", "  WHERE MGFA_DITTA_CG18 = "},
    {"Elenco ParametriRitardi", "lkp_ParametriRitardi", "MGFB_CODPARAM", " SELECT MGFB_CODPARAM, MGFB_DESCPARAM ",
     " FROM MGFB_RITARDIPARAM  WITH (NOLOCK) ", "  WHERE MGFB_DITTA_CG18 = "},
    {"Elenco TaxGroup", "lkp_TaxGroup", "NV04_CODE", " SELECT NV04_CODE, NV04_DESCRIPTION ",
     " FROM NV04_TAXGROUP  WITH (NOLOCK) ", ""},
}};
enum parameter_row { kSottoscorta, kRitardi, kTaxGroup };

value parameter_lookup(lookup& lk, const parameter_table& t, const value& campo) {
  lk.set_columns(kCodeDescr);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(campo, t.default_sort, sort_default::empty);
  statement st;
  st << t.select << t.from;
  // Condition and company form one step: without an active interface the
  // statement has no WHERE part.
  if (!t.company.empty()) {
    skip_on_error<std::exception>([&] {
      const value company = framework_company(lk);
      st << t.company;
      st.number(company);
    });
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

}  // namespace

// ---------------------------------------------------------------------------
// Classification of fictitious articles; supply chains, whose sort column
// (a String) takes the default when it is empty.

constexpr table kClassificazioneArticoliFittizi{
    "Elenco delle classificazioni", "Lkp_ClassArtFtz", "MG6L_INDFITTIZIO", {"Codice", "Descrizione"},
    "    MG6L_INDFITTIZIO," "    MG6L_DESCR", "    MG6L_CLASSARTFITZ WITH (NOLOCK)"};
value classificazione_articoli_fittizi(lookup& lk, std::span<value> a) {
  return describe(lk, a, kClassificazioneArticoliFittizi);
}

constexpr table kFiliere{
    "Elenco filiere fornitore", "Lkp_FiliereByIdFor", "MGH7_CODICE", {"Codice", "Descrizione"},
    "    MGH7_CODICE," "    MGH7_DESCRIZIONE", "    MGH7_FILIERE WITH (NOLOCK)",
    {},
    {}, {}, sort_default::no_text};
value filiere_by_id_for_ext(lookup& lk, std::span<value> a) {
  const value& fornitore = filter_value(a[0]);
  const std::string articolo = a[1].is_missing() ? std::string() : concat_text(a[1]);
  if (articolo.empty()) lk.set_columns(kCodeDescr);
  else lk.set_columns({"Codice", "Descrizione", "Stato"});
  lk.set_title(kFiliere.title);
  const std::string sort = lk.sort_column(a[2], kFiliere.sort, kFiliere.when);
  statement st;
  if (articolo.empty()) {
    st << " SELECT" << "    MGH7_CODICE," << "    MGH7_DESCRIZIONE" << " FROM" << "    MGH7_FILIERE WITH (NOLOCK)";
  } else {
    // The chains authorised for the article in the framework's current
    // company, with their state.
    st << " SELECT" << "    MGH7_CODICE," << "    MGH7_DESCRIZIONE," << "    CASE MGH8_INDSTATO"
       << "       WHEN 0 THEN 'Disabilitata'" << "       WHEN 1 THEN 'Con riserva'" << "       WHEN 2 THEN 'Abilitata'"
       << "    END AS MGH8_INDSTATO" << " FROM" << "    MGH7_FILIERE WITH (NOLOCK)" << " INNER JOIN"
       << "    MGH8_AUTFILIERE WITH (NOLOCK)" << " ON" << "    MGH8_ID_MGH7 = MGH7_ID" << "    AND MGH8_DITTA_CG18 = ";
    st.number(framework_company(lk));
    st << "    AND MGH8_CODART_MG66 = '";
    st.quoted(TextOrEmpty(value(articolo))) << "'";
  }
  st << " WHERE" << "    MGH7_IDCLIFOR = ";
  st.number(DecimalOrZero(fornitore));
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_FiliereByIdForExt");
  return {};
}

value filiere(lookup& lk, std::span<value> a) { return describe(lk, a, kFiliere); }

value opzioni_ext(lookup& lk, std::span<value> a) {
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco opzioni");
  const std::string sort = lk.sort_column(a[3], "MG5E_OPZIONE");
  const std::string variante = TextOrEmpty(filter_value(a[0]));
  statement st;
  if (!a[1].is_missing()) {
    // The options valid for the article: those of its grouping when it has
    // one, otherwise all options of the variant.
    st << "SELECT MG5E_OPZIONE, (CASE WHEN MG5H_DESCR IS NULL THEN MG5E_DESCR ELSE MG5H_DESCR END) AS MG5E_DESCR "
       << "FROM MG6B_GESVARART WITH (NOLOCK) " << "INNER JOIN MG5E_OPZIONI WITH (NOLOCK) "
       << "ON MG5E_DITTA_CG18     = MG6B_DITTA_CG18 AND " << "   MG5E_CODICEVAR_MG5F = MG6B_CODICEVAR_MG5F "
       << "LEFT OUTER JOIN MG5H_COMPRAGVAR WITH (NOLOCK) " << "ON MG5H_DITTA_CG18     = MG6B_DITTA_CG18      AND "
       << "   MG5H_CODICEVAR_MG5F = MG6B_CODICEVAR_MG5F  AND " << "   MG5H_RAGGR_MG5G     = MG6B_CODRAGGVAR_MG5G AND "
       << "   MG5H_OPZIONE_MG5E   = MG5E_OPZIONE " << "WHERE MG6B_DITTA_CG18     = ";
    st.number(lk.codice_ditta());
    st << " AND " << "      MG6B_CODICEVAR_MG5F = '";
    st.quoted(variante) << "' AND " << "      MG6B_CODART_MG66    = '";
    st.quoted(TextOrEmpty(a[1])) << "' AND " << "      (MG6B_CODRAGGVAR_MG5G IS NULL OR "
                                 << "       (MG6B_CODRAGGVAR_MG5G IS NOT NULL AND MG5H_DITTA_CG18 IS NOT NULL) "
                                 << "       ) ";
  } else if (const std::string raggruppamento = TextOrEmpty(a[2]); !raggruppamento.empty()) {
    // The options of the grouping, with the grouping's own descriptions.
    st << "SELECT MG5E_OPZIONE, (CASE WHEN MG5H_DESCR IS NULL THEN MG5E_DESCR ELSE MG5H_DESCR END) AS MG5E_DESCR "
       << "FROM MG5H_COMPRAGVAR WITH (NOLOCK) " << "INNER JOIN MG5E_OPZIONI WITH (NOLOCK) "
       << "ON MG5E_DITTA_CG18 = MG5H_DITTA_CG18 AND " << "   MG5E_CODICEVAR_MG5F = MG5H_CODICEVAR_MG5F AND "
       << "   MG5E_OPZIONE = MG5H_OPZIONE_MG5E " << "WHERE MG5H_DITTA_CG18 = ";
    st.number(lk.codice_ditta());
    st << " AND " << "      MG5H_CODICEVAR_MG5F = '";
    st.quoted(variante) << "' AND " << "      MG5H_RAGGR_MG5G = '";
    st.quoted(raggruppamento) << "' ";
  } else {
    // All options of the variant.
    st << "SELECT MG5E_OPZIONE, MG5E_DESCR " << "FROM MG5E_OPZIONI WITH (NOLOCK) " << "WHERE MG5E_DITTA_CG18     = ";
    st.number(lk.codice_ditta());
    st << " AND " << "      MG5E_CODICEVAR_MG5F = '";
    st.quoted(variante) << "' ";
  }
  st << "ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Opzioni");
  return {};
}

value uffici_pa(lookup& lk, std::span<value> a) {
  // The offices of a customer.
  std::array<value, 3> args{a[0], value(std::int16_t{0}), a[1]};
  return uffici_pa_cli_for(lk, args);
}

value rifer_amm_pa(lookup&, std::span<value>) {
  // Kept for old callers: the previous lookup definition stays in place.
  return {};
}

value riferimenti_amministrazione_pa(lookup& lk, std::span<value> a) { return reference_lookup(lk, a, false); }

value parametri_sottoscorta(lookup& lk, std::span<value> a) {
  return parameter_lookup(lk, kParameterTables[kSottoscorta], a[0]);
}

value parametri_ritardi(lookup& lk, std::span<value> a) {
  return parameter_lookup(lk, kParameterTables[kRitardi], a[0]);
}

value tax_group(lookup& lk, std::span<value> a) { return parameter_lookup(lk, kParameterTables[kTaxGroup], a[0]); }

value uffici_pa_cli_for(lookup& lk, std::span<value> a) { return office_lookup(lk, kPartyOffices, a); }

value riferimenti_amministrazione_pa_cli_for(lookup& lk, std::span<value> a) {
  return reference_lookup(lk, a, true);
}

value filiere_by_id_for(lookup& lk, std::span<value> a) {
  std::array<value, 3> args{a[0], value(""), a[1]};
  return filiere_by_id_for_ext(lk, args);
}

value uffici_pa_cli_for_dest(lookup& lk, std::span<value> a) { return office_lookup(lk, kDestinationOffices, a); }

}  // namespace veldrane::lookup_ops
