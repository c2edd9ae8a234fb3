// Classification and deposit lookups against the stand-in host: languages,
// the article classification, applications, deposits and deposit groupings.
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

using fixture = lookup_fixture;

// A host whose warehouse parameters give the hierarchical coding flag of
// company 1 and company 2.
json coding_host(json company1, json company2) {
  return host_with({{"database",
                     {{"MG50_PARMAGAZ", {{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", company1}},
                                         {{"MG50_DITTA_CG18", 2}, {"MG50_INDCODPGER", company2}}}}}}});
}

const std::vector<std::string> kCodeDescr = {"Codice", "Descrizione"};
const std::vector<std::string> kDepositCaptions = {"Codice", "Descrizione", "Indirizzo", "CAP",
                                                    "Città",  "Prov.",       "Raggr."};

struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;
  const char* title;
  const char* id;
  std::vector<std::string> captions;
  const char* order_prefix;
  const char* default_order;
  const char* company_condition;  // nullptr: none
  const char* provider;           // nullptr: no language join
};

std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  const value none = value::missing();
  const value sign = value(std::int16_t{1});
  return {
      {"Lingue", lingue, {}, "Elenco Lingue", "Lkp_Lingue", {"Codice", "Descrizione", "Sigla"}, " ORDER BY ",
       "MG52_CODLINGUA", nullptr, nullptr},
      {"Famiglie", famiglie, {}, "Elenco Famiglie", "Lkp_Famiglie", kCodeDescr, " ORDER BY ", "MG53_CODFAM",
       " WHERE    MG53_DITTA_CG18 = 7", "1019"},
      {"SottoFamiglie", sotto_famiglie, {none}, "Elenco Sottofamiglie", "Lkp_SottoFamiglie", kCodeDescr,
       " ORDER BY ", "MG54_CODSFAM", " WHERE    MG54_DITTA_CG18 = 7", "1020"},
      {"Gruppi", gruppi, {none, none}, "Elenco Gruppi", "Lkp_Gruppi", kCodeDescr, " ORDER BY ", "MG55_CODGRUPPO",
       " WHERE    MG55_DITTA_CG18 = 7", "1021"},
      {"SottoGruppi", sotto_gruppi, {none, none, none}, "Elenco Sottogruppi", "Lkp_SottoGruppi", kCodeDescr,
       " ORDER BY ", "MG56_CODSGRUPPO", " WHERE    MG56_DITTA_CG18 = 7", "1022"},
      {"Applicazioni", applicazioni, {}, "Elenco Applicazioni", "Lkp_Applicazioni", kCodeDescr, " ORDER BY ",
       "MG57_CODAPPLIC", " WHERE    MG57_DITTA_CG18 = 7 ORDER BY ", "1029"},
      {"RaggruppamentiDepositi", raggruppamenti_depositi, {}, "Elenco Raggruppamenti depositi",
       "Lkp_RaggruppamentiDepositi", kCodeDescr, " ORDER BY ", "MG5D_CODRAGGDEP",
       " WHERE    MG5D_DITTA_CG18 = 7 ORDER BY ", nullptr},
      {"Depositi", depositi, {}, "Elenco Depositi", "Lkp_Depositi", kDepositCaptions, "\r\n ORDER BY ",
       "MG58_CODDEP", " WHERE    MG58_DITTA_CG18 = 7\r\n", nullptr},
      {"DepositiTrasferimentoMov", depositi_trasferimento_mov, {sign, value("")}, "Elenco Depositi", "Lkp_Depositi",
       kDepositCaptions, "\r\n ORDER BY ", "MG58_CODDEP", "        MG58_DITTA_CG18 = 7\r\n", nullptr},
      {"DepositiTrasferimentoColl", depositi_trasferimento_coll, {sign, value("")}, "Elenco Depositi",
       "Lkp_Depositi", kDepositCaptions, "\r\n ORDER BY ", "MG58_CODDEP", "        MG58_DITTA_CG18 = 7\r\n",
       nullptr},
  };
}

TEST(ClassificationLookups, DefinitionAndSortColumnOfEveryOperation) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    // The plain deposits read the host's filter flag: they need a host.
    fixture f(std::string(r.name) == "Depositi" ? standin::default_profile() : json(nullptr));
    f.lk->set_codice_ditta(7);

    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(to_text(f.lk->titolo), r.title);
    EXPECT_EQ(to_text(f.lk->id_lookup), r.id);
    EXPECT_EQ(f.captions(), r.captions);
    EXPECT_TRUE(ends_with(f.sql(), std::string(r.order_prefix) + r.default_order)) << f.sql();

    f.expect_given_sort_columns(r.op, r.leading, r.order_prefix);

    f.call(r.op, with_sort(r.leading, value::missing()));
    if (r.company_condition) EXPECT_TRUE(contains(f.sql(), r.company_condition)) << f.sql();
    else EXPECT_FALSE(contains(f.sql(), "_DITTA_CG18")) << f.sql();
    if (r.provider) {
      EXPECT_TRUE(contains(f.sql(), std::string(" LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 "
                                                "= 'ITA '    AND MG0S_PROVID_FW4A = ") + r.provider))
          << f.sql();
    } else {
      EXPECT_FALSE(contains(f.sql(), "MG0S_")) << f.sql();
    }
  }
}

// --- Languages ----------------------------------------------------------------------

TEST(ClassificationLookups, LanguagesOfTheHostCompany) {
  const std::string all = " SELECT    MG52_CODLINGUA,    MG52_DESCRLINGUA,    MG52_SIGLALINGUA FROM"
                          "    MG52_LINGUE WITH (NOLOCK) ORDER BY MG52_CODLINGUA";
  const std::string company42 = " SELECT    MG52_CODLINGUA,    MG52_DESCRLINGUA,    MG52_SIGLALINGUA FROM"
                                "    MG52_LINGUE WITH (NOLOCK) INNER JOIN      MG47_PARMAGLINGUE  ON "
                                "     MG52_CODLINGUA = MG47_CODLINGUA_MG52      AND MG47_DITTA_CG18 = 42"
                                " ORDER BY MG52_CODLINGUA";
  struct row {
    const char* name;
    json profile;
    bool only_company;
    std::string expected;
  };
  const row rows[] = {
      {"host, flag on", host_with({{"company", 42}}), true, company42},
      {"host, flag off", host_with({{"company", 42}}), false, all},
      {"no host, flag on", nullptr, true, all},
      {"host without company", host_with({{"company", ""}}), true, all},
      {"host with blank company", host_with({{"company", "   "}}), true, all},
      {"host with Null company", host_with({{"company", nullptr}}), true, all},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(r.profile);
    f.lk->set_codice_ditta(5);  // never used
    f.lk->solo_lingue_per_ditta = r.only_company;
    f.call(lookup_ops::lingue, {value::missing()});
    EXPECT_EQ(f.sql(), r.expected);
  }
}

TEST(ClassificationLookups, LanguagesFailWithTheHost) {
  fixture f(host_with({{"fail", {"company"}}}));
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::lingue, {value::missing()}), standin::kHostFailure);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco Lingue");
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  // Not asked when only the company's languages are not wanted.
  f.lk->solo_lingue_per_ditta = false;
  f.call(lookup_ops::lingue, {value::missing()});
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_Lingue");
}

// --- Article classification -----------------------------------------------------------

TEST(ClassificationLookups, ParentCodesFollowTheHierarchicalCodingParameter) {
  const std::string sub_groups_head =
      " SELECT    MG56_CODSGRUPPO,    MG0S_DESCRIZIONE AS MG56_DESCRSGRUPPO FROM    MG56_SOTTOGRUPPI WITH (NOLOCK)"
      " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '"
      "    AND MG0S_PROVID_FW4A = 1022    AND MG0S_IDPROV = MG56_IDPROV";
  fixture f(coding_host(true, false));
  const std::vector<value> codes = {value("F1"), value("SF1"), value("G1"), value::missing()};

  f.lk->set_codice_ditta(1);
  f.call(lookup_ops::sotto_gruppi, codes);
  EXPECT_EQ(f.sql(), sub_groups_head + " WHERE    MG56_DITTA_CG18 = 1 AND    MG56_CODFAM_MG53 = 'F1'"
                                       " AND    MG56_CODSFAM_MG54 = 'SF1' AND    MG56_CODGRUPPO_MG55 = 'G1'"
                                       " ORDER BY MG56_CODSGRUPPO");
  // Read anew at every call: the same object for a company without it.
  f.lk->set_codice_ditta(2);
  f.call(lookup_ops::sotto_gruppi, codes);
  EXPECT_EQ(f.sql(), sub_groups_head + " WHERE    MG56_DITTA_CG18 = 2 AND    MG56_CODFAM_MG53 = ''"
                                       " AND    MG56_CODSFAM_MG54 = '' AND    MG56_CODGRUPPO_MG55 = ''"
                                       " ORDER BY MG56_CODSGRUPPO");
  // A company without parameters, and a failing connection, read as False.
  f.lk->set_codice_ditta(3);
  f.call(lookup_ops::gruppi, {value("F1"), value("SF1"), value::missing()});
  EXPECT_TRUE(contains(f.sql(), " WHERE    MG55_DITTA_CG18 = 3 AND    MG55_CODFAM_MG53 = ''"
                                " AND    MG55_CODSFAM_MG54 = '' ORDER BY MG55_CODGRUPPO"))
      << f.sql();
  const std::size_t queries = f.platform->executed().size();
  EXPECT_EQ(queries, 3u);
  EXPECT_EQ(f.platform->executed().back(),
            " SELECT      MG50_INDCODPGER FROM      MG50_PARMAGAZ WHERE    MG50_DITTA_CG18 = 3");

  fixture down(host_with({{"fail", {"connection"}}}));
  down.call(lookup_ops::sotto_famiglie, {value("F1"), value::missing()});
  EXPECT_TRUE(contains(down.sql(), " WHERE    MG54_DITTA_CG18 = 1 AND    MG54_CODFAM_MG53 = '' ORDER BY ")) << down.sql();
  fixture none(nullptr);
  none.call(lookup_ops::sotto_famiglie, {value("F1"), value::missing()});
  EXPECT_TRUE(contains(none.sql(), " WHERE    MG54_DITTA_CG18 = 0 AND    MG54_CODFAM_MG53 = '' ORDER BY ")) << none.sql();
}

TEST(ClassificationLookups, ParentCodesAreTrimmedTextWithHierarchicalCoding) {
  struct code_case {
    value given;
    const char* written;
  };
  const code_case cases[] = {{value::null(), ""},  {value(), ""},          {value::missing(), ""},
                             {value("F1  "), "F1"}, {value(" F1"), " F1"}, {value(std::int32_t{7}), "7"},
                             {value("O'K"), "O''K"}};
  for (const code_case& c : cases) {
    fixture f(coding_host(1, 0));
    f.call(lookup_ops::sotto_famiglie, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string(" AND    MG54_CODFAM_MG53 = '") + c.written + "' ORDER BY ")) << f.sql();
    f.call(lookup_ops::gruppi, {value("A"), c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("MG55_CODFAM_MG53 = 'A' AND    MG55_CODSFAM_MG54 = '") + c.written +
                                      "' ORDER BY "))
        << f.sql();
  }
}

// --- Deposits -------------------------------------------------------------------------

const std::string kDepositsHead =
    " SELECT    MG58_CODDEP,    MG58_DESCRDEP,    MG58_INDIDEP,    MG58_CAPDEP,    MG58_LOCDEP,    MG58_PROVDEP,"
    "    MG58_CODRAGGDEP_MG5D FROM    MG58_DEPOSITI WITH (NOLOCK) WHERE    MG58_DITTA_CG18 = 1\r\n";

TEST(ClassificationLookups, DepositsWithAndWithoutFilter) {
  {
    fixture f(host_with({{"filterClause", " AND MG58_CODDEP IN ('A')"}}));
    f.call(lookup_ops::depositi, {value::missing()});
    EXPECT_EQ(f.sql(), kDepositsHead + "\r\n ORDER BY MG58_CODDEP");
    EXPECT_EQ(f.log_count("FilterBuilder created"), 0);
  }
  fixture f(host_with({{"filtersApply", true}, {"filterClause", " AND MG58_CODDEP IN ('A')"}}));
  f.call(lookup_ops::depositi, {value::missing()});
  EXPECT_EQ(f.sql(), kDepositsHead + " AND MG58_CODDEP IN ('A')\r\n ORDER BY MG58_CODDEP");
  f.call(lookup_ops::depositi, {value("MG58_DESCRDEP")});
  EXPECT_EQ(f.log_count("FilterBuilder created"), 1);
  EXPECT_EQ(f.log_count("FilterBuilder.Clause(MG58_CODDEP, -1, 0)"), 2);
}

// The first part of the statement is stored before the host is asked for
// the filter; the identifier keeps its old value.
TEST(ClassificationLookups, DepositsFailWithTheHost) {
  struct row {
    const char* name;
    json profile;
    std::int32_t error;
  };
  const row rows[] = {
      {"no host", nullptr, err::object_not_set},
      {"environment", host_with({{"fail", {"environment"}}}), standin::kHostFailure},
      {"filter flag", host_with({{"fail", {"filtersApply"}}}), standin::kHostFailure},
      {"filter clause", host_with({{"filtersApply", true}, {"fail", {"filterClause"}}}), standin::kHostFailure},
      {"filter builder", host_with({{"filtersApply", true}, {"fail", {"filterBuilder"}}}), err::cannot_create_object},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(r.profile);
    f.lk->set_codice_ditta(1);
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::depositi, {value::missing()}), r.error);
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco Depositi");
    EXPECT_EQ(f.captions(), kDepositCaptions);
    EXPECT_EQ(f.sql(), kDepositsHead);
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
}

const std::string kIndentedHead =
    "    SELECT\r\n        MG58_CODDEP,\r\n        MG58_DESCRDEP,\r\n        MG58_INDIDEP,\r\n        MG58_CAPDEP,"
    "\r\n        MG58_LOCDEP,\r\n        MG58_PROVDEP,\r\n        MG58_CODRAGGDEP_MG5D\r\n    FROM"
    "\r\n        MG58_DEPOSITI WITH (NOLOCK)\r\n    WHERE\r\n        MG58_DITTA_CG18 = 1\r\n";
const std::string kRevokedHead =
    "SELECT\r\n    MG58_CODDEP,\r\n    MG58_DESCRDEP,\r\n    MG58_INDIDEP,\r\n    MG58_CAPDEP,"
    "\r\n    MG58_LOCDEP,\r\n    MG58_PROVDEP,\r\n    MG58_CODRAGGDEP_MG5D\r\nFROM"
    "\r\n    MG58_DEPOSITI WITH (NOLOCK)\r\nWHERE\r\n    MG58_DITTA_CG18 = 1\r\n"
    "    AND DBO.FNFW_TRASFREVOCATI(1, 9, ";

TEST(ClassificationLookups, TransferDepositsBySignAndSide) {
  struct row {
    const char* name;
    operation op;
    std::int16_t sign;
    const char* arguments;  // the third and fourth arguments of the function
  };
  const row rows[] = {
      {"Mov +1", lookup_ops::depositi_trasferimento_mov, 1, "MG58_CODDEP, 'D2'"},
      {"Mov -1", lookup_ops::depositi_trasferimento_mov, -1, "'D2', MG58_CODDEP"},
      {"Mov 0", lookup_ops::depositi_trasferimento_mov, 0, "'D2', MG58_CODDEP"},
      {"Coll +1", lookup_ops::depositi_trasferimento_coll, 1, "'D2', MG58_CODDEP"},
      {"Coll -1", lookup_ops::depositi_trasferimento_coll, -1, "MG58_CODDEP, 'D2'"},
      {"Coll 2", lookup_ops::depositi_trasferimento_coll, 2, "MG58_CODDEP, 'D2'"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(host_with({{"filtersApply", true}, {"userId", 9}, {"filterClause", " AND F"}}));
    f.call(r.op, {value(r.sign), value("D2"), value::missing()});
    EXPECT_EQ(f.sql(), kRevokedHead + r.arguments + ") = 0 AND F\r\n ORDER BY MG58_CODDEP");
    EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_Depositi");
    EXPECT_EQ(f.captions(), kDepositCaptions);

    // Without the other deposit: the indented form, filtered.
    f.call(r.op, {value(r.sign), value(""), value("MG58_DESCRDEP")});
    EXPECT_EQ(f.sql(), kIndentedHead + " AND F\r\n ORDER BY MG58_DESCRDEP");

    // Without filters: no revoked-transfer condition and no filter builder.
    fixture off(host_with({{"filtersApply", false}, {"userId", 9}, {"filterClause", " AND F"}}));
    off.call(r.op, {value(r.sign), value("D2"), value::missing()});
    EXPECT_EQ(off.sql(), kIndentedHead + "\r\n ORDER BY MG58_CODDEP");
    EXPECT_EQ(off.log_count("FilterBuilder created"), 0);
  }
}

TEST(ClassificationLookups, TransferDepositQuoteIsDoubled) {
  fixture f(host_with({{"filtersApply", true}, {"userId", 9}}));
  f.call(lookup_ops::depositi_trasferimento_mov, {value(std::int16_t{1}), value("D'2"), value::missing()});
  EXPECT_EQ(f.sql(), kRevokedHead + "MG58_CODDEP, 'D''2') = 0\r\n ORDER BY MG58_CODDEP");
}

// Host failures are skipped one by one; what a failed step should have
// delivered keeps its initial value.
TEST(ClassificationLookups, TransferDepositsIgnoreHostFailures) {
  struct row {
    const char* name;
    json profile;
    std::string expected;
  };
  const row rows[] = {
      {"no host", nullptr, kIndentedHead + "\r\n ORDER BY MG58_CODDEP"},
      {"environment", host_with({{"fail", {"environment"}}, {"filtersApply", true}}),
       kIndentedHead + "\r\n ORDER BY MG58_CODDEP"},
      {"filter flag", host_with({{"fail", {"filtersApply"}}}), kIndentedHead + "\r\n ORDER BY MG58_CODDEP"},
      {"user number", host_with({{"fail", {"userId"}}, {"filtersApply", true}, {"filterClause", " AND F"}}),
       "SELECT\r\n    MG58_CODDEP,\r\n    MG58_DESCRDEP,\r\n    MG58_INDIDEP,\r\n    MG58_CAPDEP,"
       "\r\n    MG58_LOCDEP,\r\n    MG58_PROVDEP,\r\n    MG58_CODRAGGDEP_MG5D\r\nFROM"
       "\r\n    MG58_DEPOSITI WITH (NOLOCK)\r\nWHERE\r\n    MG58_DITTA_CG18 = 1\r\n"
       "    AND DBO.FNFW_TRASFREVOCATI(1, 0, MG58_CODDEP, 'D2') = 0 AND F\r\n ORDER BY MG58_CODDEP"},
      {"filter clause", host_with({{"fail", {"filterClause"}}, {"filtersApply", true}, {"userId", 9}}),
       kRevokedHead + "MG58_CODDEP, 'D2') = 0\r\n ORDER BY MG58_CODDEP"},
      {"filter builder", host_with({{"fail", {"filterBuilder"}}, {"filtersApply", true}, {"userId", 9}}),
       kRevokedHead + "MG58_CODDEP, 'D2') = 0\r\n ORDER BY MG58_CODDEP"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(r.profile);
    f.lk->set_codice_ditta(1);
    f.mark_outputs();
    f.call(lookup_ops::depositi_trasferimento_mov, {value(std::int16_t{1}), value("D2"), value::missing()});
    EXPECT_EQ(f.sql(), r.expected);
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco Depositi");
    EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_Depositi");
  }
}

// A refused sort column is reported even where host failures are skipped.
TEST(ClassificationLookups, TransferDepositsRefuseABadSortColumn) {
  fixture f(nullptr);
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(
      f.call(lookup_ops::depositi_trasferimento_coll, {value(std::int16_t{1}), value("D"), value("X; DROP")}),
      err::invalid_argument);
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
}

// The language is read first: a failure changes nothing.
TEST(ClassificationLookups, LanguageFailureChangesNothing) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    if (!r.provider) continue;
    fixture f(host_with({{"fail", {"language"}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r.leading, value::missing())), standin::kHostFailure);
    EXPECT_EQ(to_text(f.lk->titolo), "old title");
    EXPECT_EQ(to_text(f.lk->array_fields), "old fields");
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
}

}  // namespace
}  // namespace veldrane
