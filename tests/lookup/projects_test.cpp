// Project, job-order, margin-index, round, accounting-group, transport
// configuration and destination lookups against the stand-in host. The exact
// texts of one call per operation are in tests/cases/projects.json; these
// tests cover the edge cases around them.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "convert/value.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

namespace veldrane {
namespace {

using operation = lookup_fixture::operation;

struct project_fixture : lookup_fixture {
  explicit project_fixture(json profile = nullptr) : lookup_fixture(std::move(profile)) {}
  std::string title() const { return to_text(lk->titolo); }
  std::int32_t columns() const { return lk->array_fields.as_array().ubound(0) + 1; }
};

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (auto p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size())) ++n;
  return n;
}

// ---------------------------------------------------------------------------
// Every operation: identity, width and how the order column is chosen.

struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;  // the arguments before CampoOrdinamento
  const char* title;
  const char* id;
  std::int32_t columns;
  const char* default_order;
  bool default_when_empty;  // Empty, Null and "" also take the default
};

std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  const value zero(std::int32_t{0});
  return {
      {"AnagraficaProgetti", anagrafica_progetti, {}, "Elenco Progetti", "Lkp_AnagraficaProgetti", 9, "PD68_CODPROG",
       true},
      {"AnagraficaSottoprogetti", anagrafica_sottoprogetti, {value("P1")}, "Elenco Sottoprogetti",
       "Lkp_AnagraficaSottoProgetti", 2, "PD69_SOTPROG", true},
      {"Commesse", commesse, {}, "Elenco Commesse", "Lkp_Commesse", 2, "PD25_CODCOMMESSA", true},
      {"SottoCommesse", sotto_commesse, {value("C1")}, "Elenco Sottocommesse", "Lkp_Sottocommesse", 2,
       "PD25_CODSOTCOMM", true},
      {"IndiciMargini", indici_margini, {}, "Indici e margini", "Lkp_IndiciMargini", 4, "MG4U_CODINMARG", false},
      {"Giri", giri, {}, "Elenco Giri", "Lkp_Giri", 2, "MG1H_GIRO", false},
      {"RaggruppoContabileArticolo", raggruppo_contabile_articolo, {}, "Elenco indici contabili articolo",
       "Lkp_RaggruppoContabileArticolo", 2, "MGA2_CODCAT", false},
      {"RaggruppoContabileClienteFornitore", raggruppo_contabile_cliente_fornitore, {zero},
       "Elenco indici contabili cliente", "Lkp_RaggruppoContabileCliFor", 2, "MGA3_CODCAT", false},
      {"RaggruppoContabileFase", raggruppo_contabile_fase, {}, "Elenco indici contabili fase",
       "Lkp_RaggruppoContabileFase", 2, "MGA5_CODCAT", false},
      {"ConfigurazioniSchedeTrasporto", configurazioni_schede_trasporto, {},
       "Elenco configurazioni schede di trasporto", "Lkp_ConfScheTra", 16, "MG1N_CODICE", false},
      {"DestinatariClientiFornitori", destinatari_clienti_fornitori, {zero}, "Elenco Destinatari Clienti",
       "Lkp_DestinatariClientiFornitori", 9, "MG22_DESTRAGSOC", false},
  };
}

std::vector<value> with_sort(const operation_row& r, value sort) {
  std::vector<value> args = r.leading;
  args.push_back(std::move(sort));
  return args;
}

TEST(project_lookups, every_operation_sets_its_definition_with_and_without_host) {
  for (json profile : {json(nullptr), standin::default_profile()}) {
    for (const auto& r : all_operations()) {
      SCOPED_TRACE(r.name);
      project_fixture f(profile);
      f.call(r.op, with_sort(r, value::missing()));
      EXPECT_EQ(f.title(), r.title);
      EXPECT_EQ(to_text(f.lk->id_lookup), r.id);
      EXPECT_EQ(f.columns(), r.columns);
      EXPECT_TRUE(ends_with(f.sql(), std::string(" ORDER BY ") + r.default_order)) << f.sql();
    }
  }
}

TEST(project_lookups, empty_order_column_takes_the_default_only_where_it_should) {
  for (const auto& r : all_operations()) {
    for (const value& empty : {value(""), value(), value::null()}) {
      SCOPED_TRACE(std::string(r.name) + " with " + std::string(empty.type_name()));
      project_fixture f;
      f.call(r.op, with_sort(r, empty));
      const std::string expected_tail = std::string(" ORDER BY ") + (r.default_when_empty ? r.default_order : "");
      EXPECT_TRUE(ends_with(f.sql(), expected_tail)) << f.sql();
    }
    project_fixture f;
    f.call(r.op, with_sort(r, value("X_COL DESC")));
    EXPECT_TRUE(ends_with(f.sql(), " ORDER BY X_COL DESC")) << r.name;
  }
}

TEST(project_lookups, a_refused_order_column_leaves_the_statement_as_it_was) {
  for (const auto& r : all_operations()) {
    SCOPED_TRACE(r.name);
    project_fixture f;
    f.lk->stringa_sql = value("old sql");
    f.lk->id_lookup = value("old id");
    EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r, value("X; DROP TABLE T"))), 5);
    EXPECT_EQ(f.title(), r.title);
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
}

// ---------------------------------------------------------------------------
// TipoCf: compared as a Variant for the title, then written bare.

struct tipo_cf_row {
  const char* label;
  value tipo_cf;
  bool accounting_supplier;     // "fornitore" in RaggruppoContabileClienteFornitore
  bool destination_supplier;    // "Fornitori" in DestinatariClientiFornitori
  const char* written;
};

TEST(project_lookups, tipo_cf_title_and_condition) {
  const std::vector<tipo_cf_row> rows = {
      {"0", value(std::int32_t{0}), false, false, "0"},
      {"1", value(std::int16_t{1}), true, true, "1"},
      {"2", value(std::int32_t{2}), true, false, "2"},
      {"text 1", value("1"), true, true, "1"},
      {"text 0", value("0"), false, false, "0"},
      {"1.5", value(1.5), true, false, "1.5"},
      {"True", value(true), true, false, "-1"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    project_fixture f;
    f.lk->set_codice_ditta(5);
    f.call(lookup_ops::raggruppo_contabile_cliente_fornitore, {r.tipo_cf, value::missing()});
    EXPECT_EQ(f.title(), std::string("Elenco indici contabili ") + (r.accounting_supplier ? "fornitore" : "cliente"));
    EXPECT_TRUE(ends_with(f.sql(), std::string(" AND MGA3_TIPOCF_CG44=") + r.written + " ORDER BY MGA3_CODCAT"))
        << f.sql();

    f.call(lookup_ops::destinatari_clienti_fornitori, {r.tipo_cf, value::missing()});
    EXPECT_EQ(f.title(), std::string("Elenco Destinatari ") + (r.destination_supplier ? "Fornitori" : "Clienti"));
    EXPECT_TRUE(ends_with(f.sql(), std::string(" AND MG22_TIPOCF_CG44 = ") + r.written + " ORDER BY MG22_DESTRAGSOC"))
        << f.sql();
  }
}

TEST(project_lookups, tipo_cf_that_is_no_number_never_reaches_the_statement) {
  for (operation op : {lookup_ops::raggruppo_contabile_cliente_fornitore, lookup_ops::destinatari_clienti_fornitori}) {
    // Written bare, TipoCf must be a plain number: Empty and Null too are
    // refused, before any output changes.
    for (const value& v : {value("0 OR 1=1"), value("1; DELETE FROM MG22_CLIFORDEST"), value("abc"), value("1e5"),
                           value(), value::null()}) {
      SCOPED_TRACE(std::string(v.type_name()) + " " + concat_text(v));
      project_fixture f;
      f.lk->stringa_sql = value("old sql");
      EXPECT_AUTOMATION_ERROR(f.call(op, {v, value::missing()}), err::invalid_argument);
      EXPECT_EQ(f.sql(), "old sql");
      EXPECT_EQ(f.title(), "");
    }
  }
}

// ---------------------------------------------------------------------------
// Codes inserted between quotes.

TEST(project_lookups, order_and_project_codes_between_quotes) {
  project_fixture f;
  f.lk->set_codice_ditta(5);
  f.call(lookup_ops::sotto_commesse, {value::null(), value::missing()});
  EXPECT_NE(f.sql().find("PD25_CODCOMMESSA = '' AND    PD25_CODSOTCOMM <> 0  ORDER BY"), std::string::npos) << f.sql();
  f.call(lookup_ops::sotto_commesse, {value(std::int32_t{12}), value::missing()});
  EXPECT_NE(f.sql().find("PD25_CODCOMMESSA = '12' AND"), std::string::npos) << f.sql();
  // An embedded quote stays inside the literal.
  f.call(lookup_ops::sotto_commesse, {value("C'1"), value::missing()});
  EXPECT_NE(f.sql().find("PD25_CODCOMMESSA = 'C''1' AND"), std::string::npos) << f.sql();
  f.call(lookup_ops::anagrafica_sottoprogetti, {value("P'1"), value::missing()});
  EXPECT_NE(f.sql().find("PD69_CODPROG_PD68 = 'P''1'  ORDER BY"), std::string::npos) << f.sql();
}

// ---------------------------------------------------------------------------
// Transport-document configurations: one fragment per line.

TEST(project_lookups, transport_configurations_are_one_fragment_per_line) {
  project_fixture f;
  f.call(lookup_ops::configurazioni_schede_trasporto, {value("MG1N_DESCRIZIONE")});
  const std::string sql = f.sql();
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = sql.find("\r\n", start);
    lines.push_back(sql.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  EXPECT_EQ(count(sql, "\r"), count(sql, "\r\n"));  // no lone carriage return
  EXPECT_EQ(lines.front(), "SELECT");
  EXPECT_EQ(lines.back(), " ORDER BY MG1N_DESCRIZIONE");
  EXPECT_EQ(lines[lines.size() - 3], "FROM");
  EXPECT_EQ(lines[lines.size() - 2], "    MG1N_CONFSCHETRA");
  EXPECT_EQ(sql.find("WHERE"), std::string::npos);
  // The three party indicators share their labels; only the owner's has 3.
  EXPECT_EQ(count(sql, "        WHEN 0 THEN 'Azienda'"), 3u);
  EXPECT_EQ(count(sql, "        WHEN 1 THEN 'Cliente/destinatario'"), 3u);
  EXPECT_EQ(count(sql, "WHEN 3 THEN 'Non disponibile'"), 1u);
  EXPECT_NE(sql.find("\r\n    WHEN 3 THEN 'Non disponibile'\r\n    END AS MG1N_INDPROPRIETARIO\r\n"), std::string::npos);
  EXPECT_EQ(count(sql, "CASE "), 9u);
  EXPECT_EQ(count(sql, "END AS "), 9u);
}

}  // namespace
}  // namespace veldrane
