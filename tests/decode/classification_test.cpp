#include <gtest/gtest.h>

#include <algorithm>

#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

using namespace veldrane;

namespace {

using decode_host = decode_fixture;

standin::json profile(standin::json changes) {
  standin::json p = standin::default_profile();
  for (auto& [k, v] : changes.items()) p[k] = v;
  return p;
}

// The WHERE part of a run-on statement.
std::string where_part(const std::string& sql) { return sql.substr(sql.find(" WHERE")); }

// ---------------------------------------------------------------------------
// Classification levels below the family

const std::string kSottoFamigliaHead =
    " SELECT    MG0S_DESCRIZIONE AS MG54_DESCRSFAM FROM    MG54_SOTTOFAM WITH (NOLOCK)"
    " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '    AND MG0S_PROVID_FW4A = 1020"
    "    AND MG0S_IDPROV = MG54_IDPROV WHERE    MG54_DITTA_CG18 = 1 AND";

TEST(classification_level_decode_test, parents_take_part_only_under_hierarchical_coding) {
  const std::vector<value> args3 = {value("F1 "), value("S1"), value("G1")};
  struct {
    standin::json parameter;
    std::string expected;
  } cases[] = {
      {1, " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = 'F1' AND    MG55_CODSFAM_MG54 = 'S1' AND"
          "    MG55_CODGRUPPO = 'G1'"},
      {"1", " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = 'F1' AND    MG55_CODSFAM_MG54 = 'S1' AND"
            "    MG55_CODGRUPPO = 'G1'"},
      {0, " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = '' AND    MG55_CODSFAM_MG54 = '' AND"
          "    MG55_CODGRUPPO = 'G1'"},
      {2, " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = '' AND    MG55_CODSFAM_MG54 = '' AND"
          "    MG55_CODGRUPPO = 'G1'"},
      {true, " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = '' AND    MG55_CODSFAM_MG54 = '' AND"
             "    MG55_CODGRUPPO = 'G1'"},  // True is -1
      {nullptr, " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = '' AND    MG55_CODSFAM_MG54 = '' AND"
                "    MG55_CODGRUPPO = 'G1'"},
  };
  for (const auto& c : cases) {
    decode_host t(profile({{"hierarchicalCoding", c.parameter}}));
    t.call("Gruppo", args3);
    EXPECT_EQ(where_part(t.sql()), c.expected) << c.parameter.dump();
  }
}

TEST(classification_level_decode_test, each_level_compares_its_own_parents) {
  decode_host on(profile({{"hierarchicalCoding", 1}}));
  on.call("SottoFamiglia", {value("F"), value("S")});
  EXPECT_EQ(on.sql(), kSottoFamigliaHead + "    MG54_CODFAM_MG53 = 'F' AND    MG54_CODSFAM = 'S'");
  on.call("SottoGruppo", {value("F"), value("S"), value("G"), value("SG")});
  EXPECT_EQ(where_part(on.sql()),
            " WHERE    MG56_DITTA_CG18 = 1 AND    MG56_CODFAM_MG53 = 'F' AND    MG56_CODSFAM_MG54 = 'S' AND"
            "    MG56_CODGRUPPO_MG55 = 'G' AND    MG56_CODSGRUPPO = 'SG'");
  EXPECT_EQ(on.field(), "MG56_DESCRSGRUPPO");

  // Without hierarchical coding the family is not even converted.
  decode_host off(standin::default_profile());
  off.call("SottoFamiglia", {value(safe_array({{0, 1}, {0, 1}})), value("S")});
  EXPECT_EQ(off.sql(), kSottoFamigliaHead + "    MG54_CODFAM_MG53 = '' AND    MG54_CODSFAM = 'S'");
}

TEST(classification_level_decode_test, empty_parent_under_hierarchical_coding_is_the_empty_code) {
  decode_host t(profile({{"hierarchicalCoding", 1}}));
  t.call("Gruppo", {value("F"), value(), value("G")});
  EXPECT_EQ(where_part(t.sql()),
            " WHERE    MG55_DITTA_CG18 = 1 AND    MG55_CODFAM_MG53 = 'F' AND    MG55_CODSFAM_MG54 = '' AND"
            "    MG55_CODGRUPPO = 'G'");
}

TEST(classification_level_decode_test, failing_parameter_read_leaves_the_statement_up_to_the_company) {
  struct {
    standin::json profile;
    std::int32_t error;
    std::string company;
  } cases[] = {
      {nullptr, err::object_not_set, "0"},
      {profile({{"fail", {"hierarchicalCoding"}}}), standin::kHostFailure, "1"},
      {profile({{"hierarchicalCoding", "uno"}}), err::type_mismatch, "1"},
  };
  for (const auto& c : cases) {
    decode_host t(c.profile);
    EXPECT_AUTOMATION_ERROR(t.call("SottoFamiglia", {value("F"), value("S")}), c.error);
    EXPECT_EQ(t.sql(), " SELECT    MG0S_DESCRIZIONE AS MG54_DESCRSFAM FROM    MG54_SOTTOFAM WITH (NOLOCK)"
                       " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '"
                       "    AND MG0S_PROVID_FW4A = 1020    AND MG0S_IDPROV = MG54_IDPROV WHERE    MG54_DITTA_CG18 = " +
                           c.company + " AND");
    EXPECT_EQ(t.field(), "MG54_DESCRSFAM");
  }
}

// ---------------------------------------------------------------------------
// Translated descriptions: the language comes from the host when there is one

TEST(translated_decode_test, language_from_the_host_and_failing_language_read) {
  decode_host eng(profile({{"language", "ENG "}}));
  eng.call("Famiglia", {value("F")});
  EXPECT_NE(eng.sql().find("MG0S_CODLINGUA_MG52 = 'ENG '"), std::string::npos);

  decode_host none(nullptr);
  none.call("Marca", {value("M")});
  EXPECT_NE(none.sql().find("MG0S_CODLINGUA_MG52 = 'ITA '"), std::string::npos);
  EXPECT_NE(none.sql().find("MG64_DITTA_CG18 = 0 AND"), std::string::npos);

  // The language is read before anything is replaced.
  decode_host failing(profile({{"fail", {"language"}}}));
  EXPECT_AUTOMATION_ERROR(failing.call("GruppoStatistico3", {value("G")}), standin::kHostFailure);
  EXPECT_EQ(failing.dc.stringa_sql, value(""));
  EXPECT_EQ(failing.dc.array_fields, value(""));
}

// Every one-field decode of this group lists its field, with no caption.
TEST(classification_decode_test, field_lists) {
  struct {
    const char* member;
    std::size_t args;
    const char* field;
  } cases[] = {
      {"Lingua", 1, "MG52_DESCRLINGUA"},         {"Famiglia", 1, "MG53_DESCRFAM"},
      {"SottoFamiglia", 2, "MG54_DESCRSFAM"},    {"Gruppo", 3, "MG55_DESCRGRUPPO"},
      {"SottoGruppo", 4, "MG56_DESCRSGRUPPO"},   {"Applicazione", 1, "MG57_DESCRAPPLIC"},
      {"Deposito", 1, "MG58_DESCRDEP"},          {"DepositoTrasferimentoMov", 2, "MG58_DESCRDEP"},
      {"DepositoTrasferimentoColl", 2, "MG58_DESCRDEP"}, {"RaggruppamentoDepositi", 1, "MG5D_DESCRAGGDEP"},
      {"Opzione", 2, "MG5E_DESCR"},              {"Configuratore", 1, "MG5F_DESCR_VAR"},
      {"RaggruppamentoVariante", 2, "MG5G_DESCRRAGGVAR"}, {"SubcodiceArticolo", 2, "MG6E_DESCR"},
      {"Precodice", 1, "MG60_DESCRPRECOD"},      {"GruppoFiscale", 1, "MG61_DESCRGRUFIS"},
      {"TestoFisso", 1, "MG62_DESCR"},           {"ClasseDiSconto", 1, "MG63_DESCRCLASC"},
      {"CodiceIncoterms", 1, "MG0T_DESCRIZIONE"}, {"Marca", 1, "MG64_DESCRMARCA"},
      {"ArticoloDiMagazzino", 1, "MG87_DESCART"}, {"ArticoloDiMagazzinoConVariante", 2, "MG87_DESCART"},
      {"GruppoStatistico1", 1, "MG74_DESGRUSTAT1"}, {"GruppoStatistico2", 1, "MG75_DESGRUSTAT2"},
      {"GruppoStatistico3", 1, "MG76_DESGRUSTAT3"}, {"GruppoStatistico4", 1, "MG77_DESGRUSTAT4"},
      {"FlagEsclusioneStampa", 1, "MG82_DESCR"}, {"FiltroMovPerIndiciMargini", 2, "MG4V_SELEZIONE"},
  };
  for (const auto& c : cases) {
    decode_host t(standin::default_profile());
    std::vector<value> args(c.args, value("1"));
    t.call(c.member, args);
    const auto& a = t.dc.array_fields.as_array();
    EXPECT_EQ(a.ubound(0), 0) << c.member;
    EXPECT_EQ(a.ubound(1), 1) << c.member;
    EXPECT_TRUE(a.at({0, 0}).is_empty()) << c.member;
    EXPECT_EQ(t.field(), c.field) << c.member;
  }
}

TEST(classification_decode_test, codes_lose_trailing_blanks_and_empty_codes_are_empty) {
  decode_host t(nullptr);
  t.call("Precodice", {value(" P1  ")});
  EXPECT_EQ(where_part(t.sql()), " WHERE    MG60_DITTA_CG18 = 0 AND    MG60_PRECODICE = ' P1'");
  t.call("Opzione", {value::null(), value()});
  EXPECT_EQ(where_part(t.sql()),
            " WHERE    MG5E_DITTA_CG18 = 0 AND    MG5E_CODICEVAR_MG5F = '' AND    MG5E_OPZIONE = ''");
  t.dc.set_codice_ditta(7);
  t.call("SubcodiceArticolo", {value(), value("S'1")});
  EXPECT_EQ(where_part(t.sql()),
            " WHERE    MG6E_DITTA_CG18 = 7 AND    MG6E_PROGR_MG6F = 0 AND    MG6E_SUBCODICE = 'S''1'");
}

TEST(classification_decode_test, non_numeric_progressive_propagates_and_keeps_the_previous_statement) {
  decode_host t(standin::default_profile());
  t.dc.stringa_sql = value("previous");
  EXPECT_AUTOMATION_ERROR(t.call("SubcodiceArticolo", {value("abc"), value("S")}), err::type_mismatch);
  EXPECT_EQ(t.dc.stringa_sql, value("previous"));
  EXPECT_EQ(t.field(), "MG6E_DESCR");
}

// ---------------------------------------------------------------------------
// Deposits and articles: the access restriction

const std::string kDeposito =
    " SELECT    MG58_DESCRDEP FROM    MG58_DEPOSITI WITH (NOLOCK) WHERE    MG58_DITTA_CG18 = 1 AND"
    "    MG58_CODDEP = 'D1'";
const std::string kArticolo =
    " SELECT    MG87_DESCART FROM    MG66_ANAGRART WITH (NOLOCK) INNER JOIN MG87_ARTDESC ON"
    "    MG66_DITTA_CG18 = MG87_DITTA_CG18 AND    MG66_CODART = MG87_CODART_MG66 AND    MG87_OPZIONE_MG5E = '' AND"
    "    MG87_LINGUA_MG52 = '' WHERE    MG66_DITTA_CG18 = 1 AND    MG66_CODART = 'A1'";

TEST(restricted_decode_test, restriction_appended_only_when_the_filter_flag_is_set) {
  const standin::json clauses = {{"filterClause", " AND MG58_CODDEP IN ('D1')"}, {"filterClause2", " AND ART"}};
  for (bool flag : {false, true}) {
    standin::json p = profile(clauses);
    p["filtersApply"] = flag;
    decode_host t(p);
    t.call("Deposito", {value("D1  ")});
    EXPECT_EQ(t.sql(), kDeposito + (flag ? " AND MG58_CODDEP IN ('D1')" : ""));
    EXPECT_EQ(t.logged("FilterBuilder.Clause(MG58_CODDEP, -1, 0)"), flag);
    t.call("ArticoloDiMagazzino", {value("A1")});
    EXPECT_EQ(t.sql(), kArticolo + (flag ? " AND ART" : ""));
    EXPECT_EQ(t.logged("FilterBuilder.Clause2(-1)"), flag);
  }
}

TEST(restricted_decode_test, failing_restriction_leaves_the_complete_statement) {
  struct {
    standin::json profile;
    std::int32_t error;
    std::string company;
  } cases[] = {
      {nullptr, err::object_not_set, "0"},
      {profile({{"fail", {"filtersApply"}}}), standin::kHostFailure, "1"},
      {profile({{"filtersApply", true}, {"fail", {"filterClause", "filterClause2"}}}), standin::kHostFailure, "1"},
  };
  for (const auto& c : cases) {
    decode_host t(c.profile);
    EXPECT_AUTOMATION_ERROR(t.call("Deposito", {value("D1")}), c.error);
    EXPECT_EQ(where_part(t.sql()), " WHERE    MG58_DITTA_CG18 = " + c.company + " AND    MG58_CODDEP = 'D1'");
    EXPECT_AUTOMATION_ERROR(t.call("ArticoloDiMagazzinoConVariante", {value("A1"), value("V1")}), c.error);
    EXPECT_EQ(where_part(t.sql()), " WHERE    MG66_DITTA_CG18 = " + c.company + " AND    MG66_CODART = 'A1'");
  }
}

TEST(restricted_decode_test, article_with_variant_compares_the_option) {
  decode_host t(standin::default_profile());
  t.call("ArticoloDiMagazzinoConVariante", {value("A1"), value("V1 ")});
  EXPECT_EQ(t.sql(),
            " SELECT    MG87_DESCART FROM    MG66_ANAGRART WITH (NOLOCK) INNER JOIN MG87_ARTDESC WITH (NOLOCK) ON"
            "    MG66_DITTA_CG18 = MG87_DITTA_CG18 AND    MG66_CODART = MG87_CODART_MG66 AND"
            "    MG87_OPZIONE_MG5E = 'V1' AND    MG87_LINGUA_MG52 = '' WHERE    MG66_DITTA_CG18 = 1 AND"
            "    MG66_CODART = 'A1'");
}

// ---------------------------------------------------------------------------
// Transfer deposits

std::string indented(const std::string& company, const std::string& code) {
  return "    SELECT\r\n        MG58_DESCRDEP\r\n    FROM\r\n        MG58_DEPOSITI WITH (NOLOCK)\r\n    WHERE\r\n"
         "        MG58_DITTA_CG18 = " + company + "\r\n        AND MG58_CODDEP = '" + code + "'\r\n";
}

std::string transfer(const std::string& condition, const std::string& code) {
  return "SELECT\r\n    MG58_DESCRDEP\r\nFROM\r\n    MG58_DEPOSITI WITH (NOLOCK)\r\nWHERE\r\n    MG58_DITTA_CG18 = 3" +
         condition + "\r\n    AND MG58_CODDEP = '" + code + "'";
}

standin::json transfer_host(standin::json changes = standin::json::object()) {
  standin::json p = profile({{"company", 3}, {"transferCheck", 2}, {"userId", 12}, {"filtersApply", true},
                             {"filterClause", " AND F"}});
  for (auto& [k, v] : changes.items()) p[k] = v;
  return p;
}

TEST(transfer_deposit_decode_test, the_sign_orders_the_two_deposits_oppositely_for_the_two_sides) {
  struct {
    const char* member;
    std::int16_t sign;
    std::string condition;
  } cases[] = {
      {"DepositoTrasferimentoMov", 1, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 2, MG58_CODDEP, 'B1') = 0"},
      {"DepositoTrasferimentoMov", 0, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 2, 'B1', MG58_CODDEP) = 0"},
      {"DepositoTrasferimentoMov", -1, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 2, 'B1', MG58_CODDEP) = 0"},
      {"DepositoTrasferimentoColl", 1, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 12, 'B1', MG58_CODDEP) = 0"},
      {"DepositoTrasferimentoColl", 0, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 12, MG58_CODDEP, 'B1') = 0"},
      {"DepositoTrasferimentoColl", -1, "\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 12, MG58_CODDEP, 'B1') = 0"},
  };
  for (const auto& c : cases) {
    decode_host t(transfer_host());
    t.call(c.member, {value("A1 "), value(c.sign), value("B1")});
    EXPECT_EQ(t.sql(), transfer(c.condition, "A1 ") + " AND F") << c.member << " " << c.sign;
  }
}

TEST(transfer_deposit_decode_test, indented_form_without_flag_or_counterpart) {
  for (const char* member : {"DepositoTrasferimentoMov", "DepositoTrasferimentoColl"}) {
    decode_host off(transfer_host({{"filtersApply", false}}));
    off.call(member, {value("A1"), value(std::int16_t{1}), value("B1")});
    EXPECT_EQ(off.sql(), indented("3", "A1")) << member;
    EXPECT_FALSE(off.logged("FilterBuilder created"));

    decode_host on(transfer_host());
    on.call(member, {value("A1"), value(std::int16_t{1})});
    EXPECT_EQ(on.sql(), indented("3", "A1") + " AND F") << member;

    // A blank counterpart is not empty: it is written as given.
    on.call(member, {value("A1"), value(std::int16_t{1}), value(" ")});
    EXPECT_EQ(on.sql().substr(0, 6), "SELECT") << member;
    const std::string arguments = std::string_view(member) == "DepositoTrasferimentoMov"
                                      ? "TRASFREVOCATI(3, 2, MG58_CODDEP, ' ') = 0"
                                      : "TRASFREVOCATI(3, 12, ' ', MG58_CODDEP) = 0";
    EXPECT_NE(on.sql().find(arguments), std::string::npos) << member;
  }
}

TEST(transfer_deposit_decode_test, failing_host_reads_are_skipped) {
  struct {
    const char* member;
    standin::json profile;
    std::string expected;
  } cases[] = {
      // Without a host every read fails: the indented form on company 0.
      {"DepositoTrasferimentoMov", nullptr, indented("0", "A1")},
      {"DepositoTrasferimentoColl", nullptr, indented("0", "A1")},
      // The flag cannot be read: taken as not set.
      {"DepositoTrasferimentoMov", transfer_host({{"fail", {"filtersApply"}}}), indented("3", "A1")},
      // The function's second argument cannot be read: the whole condition
      // is left out.
      {"DepositoTrasferimentoMov", transfer_host({{"fail", {"transferCheck"}}}), transfer("", "A1") + " AND F"},
      {"DepositoTrasferimentoMov", transfer_host({{"transferCheck", "due"}}), transfer("", "A1") + " AND F"},
      {"DepositoTrasferimentoColl", transfer_host({{"fail", {"userId"}}}), transfer("", "A1") + " AND F"},
      {"DepositoTrasferimentoColl", transfer_host({{"fail", {"transferCheck"}}}),
       transfer("\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 12, 'B1', MG58_CODDEP) = 0", "A1") + " AND F"},
      // The restriction cannot be had: nothing appended.
      {"DepositoTrasferimentoMov", transfer_host({{"fail", {"filterClause"}}}),
       transfer("\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 2, MG58_CODDEP, 'B1') = 0", "A1")},
      {"DepositoTrasferimentoColl", transfer_host({{"fail", {"connection"}}}),
       transfer("\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 12, 'B1', MG58_CODDEP) = 0", "A1")},
  };
  for (const auto& c : cases) {
    decode_host t(c.profile);
    EXPECT_NO_THROW(t.call(c.member, {value("A1"), value(std::int16_t{1}), value("B1")})) << c.member;
    EXPECT_EQ(t.sql(), c.expected) << c.member << " " << c.profile.dump();
    EXPECT_EQ(t.field(), "MG58_DESCRDEP");
  }
}

TEST(transfer_deposit_decode_test, quotes_in_the_deposits_stay_inside_their_literals) {
  decode_host t(transfer_host());
  t.call("DepositoTrasferimentoMov", {value("A'1"), value(std::int16_t{1}), value("B'1")});
  EXPECT_EQ(t.sql(), transfer("\r\n    AND DBO.FNFW_TRASFREVOCATI(3, 2, MG58_CODDEP, 'B''1') = 0", "A''1") + " AND F");
}

// ---------------------------------------------------------------------------
// Stored selections of the margin indices

TEST(filtro_mov_decode_test, texts_inserted_as_given) {
  decode_host t(nullptr);
  t.call("FiltroMovPerIndiciMargini", {value("OBJ "), value("A = 'x'")});
  EXPECT_EQ(t.sql(),
            " SELECT    MG4V_SELEZIONE FROM    MG4V_SELEZIONEPRS WHERE    MG4V_DITTA_CG18 = 0"
            "    AND MG4V_UOBJECT = 'OBJ '    AND MG4V_ID_FW06 = 0    AND MG4V_ID_FW07 = 0"
            "    AND MG4V_SELEZIONE = 'A = ''x''' GROUP BY    MG4V_SELEZIONE");
}

}  // namespace
