// Agent, customer/supplier, destination, grouping and block-level lookups
// against the stand-in host. The exact texts of one call per operation are in
// tests/cases/parties.json; these tests cover the edge cases around them.
#include <gtest/gtest.h>

#include <algorithm>
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

// `attach` false leaves ActiveInterface Nothing although the framework's
// classes can still be created.
using party_fixture = lookup_fixture;

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (auto p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size())) ++n;
  return n;
}

// The number of items of the customer/supplier select list: commas outside
// quotes and parentheses, plus one.
std::size_t select_width(const std::string& sql) {
  const auto begin = sql.find(" SELECT");
  const auto end = sql.find("from CG44_VCO_AnagCliForWithSost");
  EXPECT_NE(begin, std::string::npos);
  EXPECT_NE(end, std::string::npos);
  std::size_t items = 1;
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = sql[i];
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) ++items;
  }
  return items;
}

// ---------------------------------------------------------------------------
// Every operation: title, identifier, width and the sort column.

struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;  // the arguments before CampoOrdinamento
  const char* title;
  const char* id;
  std::size_t columns;
  const char* default_order;
};

std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  return {
      {"Agenti", agenti, {}, "Elenco Agenti", "Lkp_Agenti", 7, "MG17_AGENTE"},
      {"AgentiByID", agenti_by_id, {}, "Elenco Agenti", "Lkp_AgentiByID", 7, "MG17_AGENTE"},
      {"ClientiFornitori", clienti_fornitori, {value(std::int32_t{0})}, "Elenco Clienti",
       "Lkp_ClientiFornitoriMagazzino", 24, "CG16_RAGSOANAG"},
      {"Destinatari", destinatari, {value(std::int32_t{0}), value(std::int32_t{1})}, "Elenco Destinatari",
       "Lkp_Destinatari", 12, "MG22_DESTRAGSOC"},
      {"RaggruppamentiDocumenti", raggruppamenti_documenti, {value(std::int32_t{0}), value(std::int32_t{1})},
       "Elenco Raggruppamenti", "Lkp_RaggruppamentiDocumenti", 2, "MG24_CODRAG"},
      {"LivelliDiBlocco", livelli_di_blocco, {}, "Elenco Livelli di blocco", "Lkp_LivelliDiBlocco", 3,
       "MG25_CODBLOCCO"},
      {"RaggruppamentiClientiFornitori1", raggruppamenti_clienti_fornitori1, {value(std::int32_t{0})},
       "Elenco Raggruppamenti Clienti 1", "Lkp_RaggruppamentiCF1", 2, "MG31_CODRAGGRCF1"},
      {"RaggruppamentiClientiFornitori2", raggruppamenti_clienti_fornitori2, {value(std::int32_t{0})},
       "Elenco Raggruppamenti Clienti 2", "Lkp_RaggruppamentiCF2", 2, "MG32_CODRAGGRCF2"},
      {"RaggruppamentiClientiFornitori3", raggruppamenti_clienti_fornitori3, {value(std::int32_t{0})},
       "Elenco Raggruppamenti Clienti 3", "Lkp_RaggruppamentiCF3", 2, "MG33_CODRAGGRCF3"},
  };
}

TEST(parties_lookup, only_a_missing_sort_column_takes_the_default) {
  struct sort_case {
    const char* label;
    value campo;
    std::string tail_after_order_by;  // empty: the operation's default
  };
  const std::vector<sort_case> sorts = {
      {"missing", value::missing(), ""},
      {"empty string", value(""), "<nothing>"},
      {"Null", value::null(), "<nothing>"},
      {"Empty", value(), "<nothing>"},
      {"given", value("CODICE DESC, DESCR"), "CODICE DESC, DESCR"},
  };
  for (const auto& row : all_operations()) {
    for (const auto& s : sorts) {
      SCOPED_TRACE(std::string(row.name) + " with " + s.label);
      party_fixture f(standin::default_profile());
      std::vector<value> args = row.leading;
      args.push_back(s.campo);
      f.call(row.op, args);
      const std::string tail = s.tail_after_order_by.empty()        ? row.default_order
                               : s.tail_after_order_by == "<nothing>" ? ""
                                                                    : s.tail_after_order_by;
      EXPECT_TRUE(ends_with(f.sql(), " ORDER BY " + tail)) << f.sql();
      EXPECT_EQ(count(f.sql(), " ORDER BY "), 1u);
      EXPECT_EQ(to_text(f.lk->titolo), row.title);
      EXPECT_EQ(to_text(f.lk->id_lookup), row.id);
      EXPECT_EQ(f.captions().size(), row.columns);
    }
  }
}

// ---------------------------------------------------------------------------
// Customer or supplier

TEST(parties_lookup, tipo_cf_blank_counts_as_customers_any_other_value_as_suppliers) {
  struct tipo_case {
    const char* label;
    value tipo;
    bool customers;
    const char* written;
  };
  const std::vector<tipo_case> tipos = {
      {"Empty", value(), true, "0"},         {"Null", value::null(), true, "0"},
      {"empty text", value(""), true, "0"},  {"blank text", value("   "), true, "0"},
      {"0", value(std::int32_t{0}), true, "0"}, {"1", value(std::int32_t{1}), false, "1"},
      {"text 2", value("2"), false, "2"},
  };
  struct titled {
    operation op;
    const char* customers;
    const char* suppliers;
    const char* condition;
  };
  using namespace lookup_ops;
  const std::vector<titled> ops = {
      {clienti_fornitori, "Elenco Clienti", "Elenco Fornitori", "    CG44_TIPOCF = "},
      {raggruppamenti_clienti_fornitori1, "Elenco Raggruppamenti Clienti 1", "Elenco Raggruppamenti Fornitori 1",
       "    MG31_TIPOCF = "},
      {raggruppamenti_clienti_fornitori2, "Elenco Raggruppamenti Clienti 2", "Elenco Raggruppamenti Fornitori 2",
       "    MG32_TIPOCF = "},
      {raggruppamenti_clienti_fornitori3, "Elenco Raggruppamenti Clienti 3", "Elenco Raggruppamenti Fornitori 3",
       "    MG33_TIPOCF = "},
  };
  for (const auto& op : ops) {
    for (const auto& t : tipos) {
      SCOPED_TRACE(std::string(op.customers) + " / TipoCf " + t.label);
      party_fixture f(standin::default_profile());
      f.call(op.op, {t.tipo, value::missing()});
      EXPECT_EQ(to_text(f.lk->titolo), t.customers ? op.customers : op.suppliers);
      EXPECT_NE(f.sql().find(std::string(op.condition) + t.written + " ORDER BY "), std::string::npos) << f.sql();
    }
  }
  // Where TipoCf only filters, the title stays the same.
  for (const auto& t : tipos) {
    SCOPED_TRACE(std::string("RaggruppamentiDocumenti / TipoCf ") + t.label);
    party_fixture f(standin::default_profile());
    f.call(raggruppamenti_documenti, {t.tipo, value("  17"), value::missing()});
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco Raggruppamenti");
    EXPECT_NE(f.sql().find(std::string("    MG24_TIPOCF_CG44 = ") + t.written + " AND    MG24_CLIFOR_CG44 = 17 "),
              std::string::npos)
        << f.sql();
  }
}

TEST(parties_lookup, a_tipo_cf_that_is_no_number_fails_after_the_columns) {
  party_fixture f(standin::default_profile());
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::clienti_fornitori, {value("abc"), value::missing()}), 13);
  EXPECT_EQ(f.captions().size(), 24u);
  EXPECT_EQ(f.lk->titolo, value("old title"));
  EXPECT_EQ(f.lk->stringa_sql, value("old sql"));

  // Where it only enters the statement, title and columns are already new.
  party_fixture g(standin::default_profile());
  g.mark_outputs();
  EXPECT_AUTOMATION_ERROR(g.call(lookup_ops::destinatari, {value(std::int32_t{0}), value("x1"), value::missing()}),
                          13);
  EXPECT_EQ(to_text(g.lk->titolo), "Elenco Destinatari");
  EXPECT_EQ(g.lk->stringa_sql, value("old sql"));
  EXPECT_EQ(g.lk->id_lookup, value("old id"));
}

// ---------------------------------------------------------------------------
// Agents: labels translated on the server in the user's language

TEST(parties_lookup, agent_labels_use_the_user_language_or_three_letter_ita) {
  struct language_case {
    const char* label;
    json profile;  // null: no host
    const char* expected;
  };
  const std::vector<language_case> cases = {
      {"no host", nullptr, "'ITA'"},
      {"user language", host_with({{"userLanguage", "ENG "}, {"language", "DEU "}}), "'ENG '"},
      {"blank user language", host_with({{"userLanguage", "   "}}), "'ITA'"},
      {"empty user language", host_with({{"userLanguage", ""}}), "'ITA'"},
      {"Null user language", host_with({{"userLanguage", nullptr}}), "'ITA'"},
      {"quote in the language", host_with({{"userLanguage", "I'T"}}), "'I''T'"},
  };
  for (operation op : {lookup_ops::agenti, lookup_ops::agenti_by_id}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.label);
      party_fixture f(c.profile);
      f.call(op, {value::missing()});
      EXPECT_EQ(count(f.sql(), "FNFW_TraduciPerId("), 7u);
      EXPECT_EQ(count(f.sql(), std::string(", ") + c.expected + " ,0,0) \r"), 7u) << f.sql();
      EXPECT_EQ(f.sql().find('\n'), std::string::npos);
    }
  }
}

TEST(parties_lookup, agenti_by_id_differs_only_in_captions_text_ids_and_identifier) {
  party_fixture a(standin::default_profile()), b(standin::default_profile());
  a.call(lookup_ops::agenti, {value::missing()});
  b.call(lookup_ops::agenti_by_id, {value::missing()});
  std::string swapped = b.sql();
  const auto p9880 = swapped.find("(9880, "), p9883 = swapped.find("(9883, ");
  ASSERT_NE(p9880, std::string::npos);
  ASSERT_NE(p9883, std::string::npos);
  EXPECT_LT(p9880, p9883);
  swapped.replace(p9880, 7, "(9883, ");
  swapped.replace(p9883, 7, "(9880, ");
  EXPECT_EQ(swapped, a.sql());

  std::vector<std::string> ca = a.captions(), cb = b.captions();
  ASSERT_EQ(ca.size(), cb.size());
  for (std::size_t i = 0; i < ca.size(); ++i) {
    if (i == 1 || i == 5) {
      EXPECT_NE(ca[i], cb[i]);
    } else {
      EXPECT_EQ(ca[i], cb[i]);
    }
  }
  EXPECT_EQ(cb[1], "Ragione sociale");
  EXPECT_EQ(cb[5], "Tipo liquidazione");
}

TEST(parties_lookup, a_failing_host_language_leaves_every_output_as_it_was) {
  struct failure_case {
    operation op;
    std::vector<value> args;
    const char* fail;
  };
  using namespace lookup_ops;
  const std::vector<failure_case> cases = {
      {agenti, {value::missing()}, "userLanguage"},
      {agenti_by_id, {value::missing()}, "environment"},
      {raggruppamenti_clienti_fornitori1, {value(std::int32_t{0}), value::missing()}, "language"},
      {raggruppamenti_clienti_fornitori2, {value(std::int32_t{1}), value::missing()}, "environment"},
      {raggruppamenti_clienti_fornitori3, {value(std::int32_t{0}), value::missing()}, "language"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fail);
    party_fixture f(host_with({{"fail", {c.fail}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(c.op, c.args), standin::kHostFailure);
    EXPECT_EQ(f.lk->titolo, value("old title"));
    EXPECT_EQ(f.lk->stringa_sql, value("old sql"));
    EXPECT_EQ(f.lk->array_fields, value("old fields"));
    EXPECT_EQ(f.lk->id_lookup, value("old id"));
  }
}

TEST(parties_lookup, grouping_levels_join_their_own_provider_in_the_company_language) {
  struct level {
    operation op;
    const char* provider;
    const char* idprov;
  };
  using namespace lookup_ops;
  const std::vector<level> levels = {{raggruppamenti_clienti_fornitori1, "1016", "MG31_IDPROV"},
                                     {raggruppamenti_clienti_fornitori2, "1017", "MG32_IDPROV"},
                                     {raggruppamenti_clienti_fornitori3, "1018", "MG33_IDPROV"}};
  for (const auto& l : levels) {
    SCOPED_TRACE(l.provider);
    party_fixture none(nullptr);
    none.call(l.op, {value(), value::missing()});
    EXPECT_NE(none.sql().find("MG0S_CODLINGUA_MG52 = 'ITA '    AND MG0S_PROVID_FW4A = " + std::string(l.provider) +
                              "    AND MG0S_IDPROV = " + l.idprov + " WHERE"),
              std::string::npos)
        << none.sql();
    party_fixture host(host_with({{"language", "FRA "}, {"userLanguage", "ENG "}}));
    host.call(l.op, {value(), value::missing()});
    EXPECT_NE(host.sql().find("MG0S_CODLINGUA_MG52 = 'FRA '"), std::string::npos) << host.sql();
  }
}

// ---------------------------------------------------------------------------
// Destinations: the agent restriction

TEST(parties_lookup, destinations_are_restricted_only_for_a_positive_agent) {
  struct agent_case {
    const char* label;
    json profile;
    bool attach;
    const char* restriction;  // nullptr: no restriction
  };
  const std::vector<agent_case> cases = {
      {"agent 0", host_with({{"agent", 0}}), true, nullptr},
      {"negative agent", host_with({{"agent", -3}}), true, nullptr},
      {"agent Empty", host_with({{"agent", {{"$empty", true}}}}), true, nullptr},
      {"agent blank text", host_with({{"agent", "  "}}), true, nullptr},
      {"agent 7", host_with({{"agent", 7}}), true, "MG2G_IDAGENTE_MG17    = 7      )"},
      {"agent as text", host_with({{"agent", "12"}}), true, "MG2G_IDAGENTE_MG17    = 12      )"},
      {"agent 7, no active interface", host_with({{"agent", 7}}), false, nullptr},
      {"no host", nullptr, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    party_fixture f(c.profile, c.attach);
    f.call(lookup_ops::destinatari, {value(std::int32_t{1}), value(std::int32_t{300}), value::missing()});
    const std::string where = "    MG22_CLIFOR_CG44 = 300";
    if (!c.restriction) {
      EXPECT_TRUE(ends_with(f.sql(), where + " ORDER BY MG22_DESTRAGSOC")) << f.sql();
      EXPECT_EQ(f.sql().find("EXISTS"), std::string::npos);
    } else {
      const std::string s = f.sql();
      EXPECT_NE(s.find(where + "  AND  (      EXISTS      (          SELECT"), std::string::npos) << s;
      EXPECT_NE(s.find(c.restriction), std::string::npos) << s;
      EXPECT_EQ(count(s, "MG2G_IDAGENTE_MG17"), 1u);
      EXPECT_EQ(count(s, "MG2G_CODDESTIN_MG22 = MG22_CODDESTIN"), 2u);
      EXPECT_TRUE(ends_with(s, "MG22_CODDESTIN      )  ) ORDER BY MG22_DESTRAGSOC")) << s;
    }
  }
}

TEST(parties_lookup, a_failing_agent_read_keeps_the_old_statement_and_identifier) {
  for (const char* fail : {"agent", "environment"}) {
    SCOPED_TRACE(fail);
    party_fixture f(host_with({{"agent", 7}, {"fail", {fail}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(
        f.call(lookup_ops::destinatari, {value(std::int32_t{0}), value(std::int32_t{1}), value::missing()}),
        standin::kHostFailure);
    EXPECT_EQ(f.captions().size(), 12u);
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco Destinatari");
    EXPECT_EQ(f.lk->stringa_sql, value("old sql"));
    EXPECT_EQ(f.lk->id_lookup, value("old id"));
  }
}

// ---------------------------------------------------------------------------
// Customers and suppliers: the extension objects

json extension(std::vector<std::string> captions, std::string select, std::string from) {
  return {{"captions", captions}, {"select", select}, {"from", from}};
}

TEST(parties_lookup, extensions_add_as_many_select_items_as_columns) {
  struct extension_case {
    const char* label;
    value tipo;
    json extensions;
    std::size_t columns;
    std::vector<std::string> log;  // entity codes handed over
  };
  const json none = {{"first", json::object()}, {"second", json::object()}};
  const std::vector<extension_case> cases = {
      {"customers, none", value(), none, 24, {"FirstExtension.Entity=2", "SecondExtension.Entity=1"}},
      {"suppliers, none", value(std::int32_t{1}), none, 24, {"FirstExtension.Entity=3", "SecondExtension.Entity=2"}},
      {"customers, first adds two",
       value(),
       {{"first", {{"2", extension({"Zona", "Settore"}, ", X1.ZONA, X1.SETTORE", " LEFT JOIN X1 ON X1.ID = CG44_CLIFOR")}}},
        {"second", json::object()}},
       26,
       {}},
      {"customers, both add",
       value::null(),
       {{"first", {{"2", extension({"Zona"}, ", X1.ZONA", " LEFT JOIN X1 ON X1.ID = CG44_CLIFOR")}}},
        {"second", {{"1", extension({"Fido"}, ", ISNULL(X2.FIDO, 0) AS FIDO", " LEFT JOIN X2 ON X2.ID = CG44_CLIFOR")}}}},
       26,
       {}},
      {"suppliers, both add",
       value(std::int32_t{2}),
       {{"first", {{"3", extension({"A", "B"}, ", XA, XB", "")}}}, {"second", {{"2", extension({"C"}, ", XC", "")}}}},
       27,
       {}},
      {"customers ignore the suppliers' extensions",
       value(std::int32_t{0}),
       {{"first", {{"3", extension({"A"}, ", XA", "")}}}, {"second", {{"2", extension({"C"}, ", XC", "")}}}},
       24,
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    party_fixture f(host_with({{"extensions", c.extensions}}));
    f.call(lookup_ops::clienti_fornitori, {c.tipo, value::missing()});
    EXPECT_EQ(f.captions().size(), c.columns);
    EXPECT_EQ(select_width(f.sql()), c.columns) << f.sql();
    for (const auto& line : c.log) EXPECT_TRUE(f.logged(line)) << line;
    // Whatever the extensions join comes before the filter.
    EXPECT_NE(f.sql().find("CG44_IDAGENTE_MG17 "), std::string::npos);
    EXPECT_LT(f.sql().find("CG44_IDAGENTE_MG17 "), f.sql().find(" WHERE    CG44_DITTA_CG18 = 1 AND"));
  }
}

TEST(parties_lookup, customers_and_suppliers_need_no_active_interface_but_the_framework) {
  party_fixture f(standin::default_profile(), /*attach=*/false);
  f.lk->set_codice_ditta(3);
  f.call(lookup_ops::clienti_fornitori, {value(), value::missing()});
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_ClientiFornitoriMagazzino");
  EXPECT_TRUE(f.logged("FirstExtension.Entity=2"));
  EXPECT_FALSE(f.logged("FirstExtension.Connection=Connection"));
  EXPECT_TRUE(f.logged("SecondExtension.ActiveInterface=Nothing"));
  EXPECT_TRUE(f.logged("SecondExtension.Extend"));

  // Without the framework installed the extension objects cannot be created:
  // columns and title are new, statement and identifier as they were.
  for (json profile : {json(nullptr), host_with({{"fail", {"extensions"}}})}) {
    SCOPED_TRACE(profile.dump());
    party_fixture g(profile);
    g.mark_outputs();
    EXPECT_AUTOMATION_ERROR(g.call(lookup_ops::clienti_fornitori, {value(std::int32_t{1}), value::missing()}), 429);
    EXPECT_EQ(g.captions().size(), 24u);
    EXPECT_EQ(to_text(g.lk->titolo), "Elenco Fornitori");
    EXPECT_EQ(g.lk->stringa_sql, value("old sql"));
    EXPECT_EQ(g.lk->id_lookup, value("old id"));
  }
}

TEST(parties_lookup, operations_without_host_values_work_with_nothing_attached) {
  using namespace lookup_ops;
  for (operation op : {raggruppamenti_documenti, destinatari}) {
    party_fixture f(nullptr);
    f.call(op, {value(std::int32_t{1}), value(std::int32_t{2}), value::missing()});
    EXPECT_NE(f.sql().find("_DITTA_CG18 = 0"), std::string::npos) << f.sql();
  }
  party_fixture f(nullptr);
  f.call(livelli_di_blocco, {value::missing()});
  EXPECT_NE(f.sql().find("    MG25_DITTA_CG18 = 0 ORDER BY MG25_CODBLOCCO"), std::string::npos) << f.sql();
}

}  // namespace
}  // namespace veldrane
