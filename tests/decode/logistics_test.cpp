// Edge cases and failure behaviours of the logistics, project, accounting,
// public-administration and supply-chain decodes. Exact statements for the
// ordinary calls live in the shared cases (decode_logistics.json).
#include <gtest/gtest.h>

#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

using namespace veldrane;

namespace {

using decode_on_host = decode_fixture;

bool ends_with(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

value str(const char* s) { return value(s); }
value lng(std::int32_t n) { return value(n); }

// Empty and Null codes go in as '' and numeric keys as 0; a numeric key
// that is no number fails.
TEST(logistics_decode_test, quoted_and_numeric_insertion) {
  struct {
    const char* member;
    std::vector<value> args;
    const char* tail;
  } cases[] = {
      {"TestiVari", {value::null(), str("T")}, "MG0B_INDTIPO = 0 AND    MG0B_CODTESTO = 'T' AND    MG0B_LINGUA_MG52 = ''"},
      {"TestiVari", {value(2.5), str("T")}, "MG0B_INDTIPO = 2.5 AND    MG0B_CODTESTO = 'T' AND    MG0B_LINGUA_MG52 = ''"},
      {"SottoCommessa", {str("C"), value()}, "PD25_CODSOTCOMM = 0"},
      {"FilereByIdFor", {value(), str("F")}, "MGH7_IDCLIFOR = 0    AND MGH7_CODICE = 'F'"},
      {"ConfezioneArticolo", {str("A"), value::null(), str("C")}, "MG68_OPZIONE_MG5E IN ('', '') INNER JOIN"},
      {"UfficioPACliForDest", {str("U"), value(), value(), value::null()},
       "CG1M_CODICE = 'U' AND CG1M_CODICE_CG16 = 0 AND CG1M_TIPOCF_CG44 = 0 AND (CG1M_CODDESTIN = ISNULL('', '') OR "
       "CG1M_CODDESTIN = '')"},
  };
  for (auto& c : cases) {
    decode_on_host t(nullptr);
    t.call(c.member, c.args);
    const std::string sql = t.sql();
    EXPECT_NE(sql.find(c.tail), std::string::npos) << c.member << ": " << sql;
  }
  decode_on_host t(nullptr);
  EXPECT_AUTOMATION_ERROR(t.call("SottoCommessa", {str("C"), str("x")}), err::type_mismatch);
  EXPECT_AUTOMATION_ERROR(t.call("UfficioPACliFor", {str("U"), str("abc"), lng(0)}), err::type_mismatch);
}

TEST(logistics_decode_test, company_filter_from_the_property_or_the_host) {
  for (const char* member : {"Campagna", "TipologiaAgente", "Ubicazione", "Listino99Prezzi", "ListinoPiuArticoli",
                             "Base", "Progetto", "IndiceMargine", "Giro", "RaggruppoContabileArticolo",
                             "RaggruppoContabileFase", "Confezione", "Rischio"}) {
    decode_on_host none(nullptr);
    none.call(member, {str("X")});
    EXPECT_NE(none.sql().find("_DITTA_CG18 = 0 AND"), std::string::npos) << member;
    decode_on_host host(standin::json{{"company", 6}, {"language", "ITA "}});
    host.call(member, {str("X")});
    EXPECT_NE(host.sql().find("_DITTA_CG18 = 6 AND"), std::string::npos) << member;
    host.dc.set_codice_ditta(11);
    host.call(member, {str("X")});
    EXPECT_NE(host.sql().find("_DITTA_CG18 = 11 AND"), std::string::npos) << member;
  }
}

TEST(logistics_decode_test, opzione_ext_chooses_its_form) {
  const value missing = value::missing();
  struct {
    std::vector<value> args;
    const char* from;
  } cases[] = {
      {{str("V"), str("O"), missing, missing}, "FROM MG5E_OPZIONI"},
      {{str("V"), str("O"), missing, str("")}, "FROM MG5E_OPZIONI"},
      {{str("V"), str("O"), missing, str("   ")}, "FROM MG5E_OPZIONI"},
      {{str("V"), str("O"), missing, value::null()}, "FROM MG5E_OPZIONI"},
      {{str("V"), str("O"), missing, str("G")}, "FROM MG5H_COMPRAGVAR"},
      {{str("V"), str("O"), str(""), str("G")}, "FROM MG6B_GESVARART"},
      {{str("V"), str("O"), value(), missing}, "FROM MG6B_GESVARART"},
      {{str("V"), str("O"), value::null(), missing}, "FROM MG6B_GESVARART"},
  };
  for (auto& c : cases) {
    decode_on_host t(nullptr);
    t.call("OpzioneExt", c.args);
    EXPECT_NE(t.sql().find(c.from), std::string::npos) << t.sql();
    // Only the grouping form uses the grouping argument.
    EXPECT_EQ(t.sql().find("'G'") != std::string::npos, std::string(c.from) == "FROM MG5H_COMPRAGVAR") << t.sql();
  }
  decode_on_host t(nullptr);
  t.call("OpzioneExt", {str("V"), str("O")});  // the optional ones left out by the caller
  EXPECT_NE(t.sql().find("FROM MG5E_OPZIONI"), std::string::npos);
}

TEST(logistics_decode_test, ubicazione_deposito_doubles_quotes_and_swallows_failures) {
  decode_on_host t(standin::json{{"company", 2}});
  t.call("UbicazioneDeposito", {str("D'1  "), str(" 'U'")});
  EXPECT_TRUE(ends_with(t.sql(), "MG97_CODDEP_MG58 = 'D''1' AND    MG97_UBICAZ = ' ''U'''")) << t.sql();
  t.call("UbicazioneDeposito", {value(), lng(5)});
  EXPECT_TRUE(ends_with(t.sql(), "MG97_CODDEP_MG58 = '' AND    MG97_UBICAZ = '5'")) << t.sql();

  // A Null code in either place: no error, the statement stays, the field
  // list is the new one.
  for (std::size_t null_at : {0u, 1u}) {
    decode_on_host u(standin::json{{"company", 2}});
    u.call("Porto", {str("P")});
    const value before = u.dc.stringa_sql;
    std::vector<value> args{str("D"), str("U")};
    args[null_at] = value::null();
    EXPECT_NO_THROW(u.call("UbicazioneDeposito", args));
    EXPECT_EQ(u.dc.stringa_sql, before);
    EXPECT_EQ(u.fields(), (std::vector<std::string>{"MG97_DESCUBICAZ"}));
  }
  // The plain location decode takes Null as an empty code.
  t.call("Ubicazione", {value::null()});
  EXPECT_TRUE(ends_with(t.sql(), "MG97_UBICAZ = ''"));
}

TEST(logistics_decode_test, raw_and_quoted_decimal_arguments) {
  decode_on_host t(nullptr);
  const std::string cf = "    MGA3_TIPOCF_CG44 = ";
  struct {
    value tipo_cf;
    const char* written;
  } raw[] = {{lng(1), "1"}, {str("0"), "0"}, {str(" 1 "), " 1 "},
             {value(std::int16_t{1}), "1"}, {value(1.5), "1.5"}};
  for (auto& r : raw) {
    t.call("RaggruppoContabileClienteFornitore", {str("RC"), r.tipo_cf});
    EXPECT_NE(t.sql().find(cf + r.written + " AND    MGA3_CODCAT= 'RC'"), std::string::npos) << t.sql();
  }
  struct {
    value code;
    const char* written;
  } dec[] = {{value(), "'0'"}, {lng(3), "'3'"}, {str(" 7 "), "'7'"}, {value(2.25), "'2.25'"}};
  for (auto& d : dec) {
    t.call("ClassificazioneArticoliFittizi", {d.code});
    EXPECT_TRUE(ends_with(t.sql(), std::string("MG6L_INDFITTIZIO = ") + d.written)) << t.sql();
  }
  EXPECT_AUTOMATION_ERROR(t.call("ClassificazioneArticoliFittizi", {str("A1")}), err::type_mismatch);
  EXPECT_AUTOMATION_ERROR(t.call("ClassificazioneArticoliFittizi", {str("")}), err::type_mismatch);
  EXPECT_AUTOMATION_ERROR(t.call("ClassificazioneArticoliFittizi", {value::null()}), err::invalid_use_of_null);
}

// Values written without quotes cannot carry SQL of their own: only plain
// numbers pass; anything else, a code, Empty or Null included, is refused
// before the statement changes.
TEST(logistics_decode_test, bare_values_must_be_one_plain_token) {
  decode_on_host t(nullptr);
  t.call("ConfigurazioneSchedaTrasporto", {str(" 12  ")});
  EXPECT_TRUE(ends_with(t.sql(), "MG1N_CODICE=  12")) << t.sql();
  t.call("ConfigurazioneSchedaTrasporto", {lng(-4)});
  EXPECT_TRUE(ends_with(t.sql(), "MG1N_CODICE= -4"));
  const value before = t.dc.stringa_sql;
  for (const value& bad : {str("A01"), str("1 OR 1=1"), str("1; DELETE FROM MG1N_CONFSCHETRA"), str("A 01"),
                           str("1--"), str("1'"), str("(1)"), str("1/*"), value(), value::null()}) {
    SCOPED_TRACE(concat_text(bad));
    EXPECT_AUTOMATION_ERROR(t.call("ConfigurazioneSchedaTrasporto", {bad}), err::invalid_argument);
    EXPECT_AUTOMATION_ERROR(t.call("RaggruppoContabileClienteFornitore", {str("RC"), bad}), err::invalid_argument);
    EXPECT_EQ(t.dc.stringa_sql, before);
  }
}

TEST(logistics_decode_test, translated_descriptions_read_the_language_first) {
  // The language is read first: when it fails, nothing has changed yet.
  decode_on_host failing(standin::json{{"company", 1}, {"fail", {"language"}}});
  for (const char* member : {"Imballo", "Confezione", "AspettoDeiBeni", "Rischio"}) {
    EXPECT_THROW(failing.call(member, {str("X")}), automation_error) << member;
    EXPECT_EQ(failing.dc.stringa_sql, value(""));
    EXPECT_EQ(failing.dc.array_fields, value(""));
  }
  EXPECT_THROW(failing.call("ConfezioneArticolo", {str("A"), str("O"), str("C")}), automation_error);
  EXPECT_EQ(failing.dc.array_fields, value(""));
  // Plain descriptions do not read it at all.
  failing.call("Porto", {str("P")});
  EXPECT_EQ(failing.fields(), (std::vector<std::string>{"MG91_DESCR"}));
}

TEST(logistics_decode_test, filere_by_id_for_ext_takes_the_host_company) {
  decode_on_host t(standin::json{{"company", 4}});
  t.dc.set_codice_ditta(9);
  t.call("FilereByIdForExt", {lng(15), str("F"), str("A")});
  EXPECT_NE(t.sql().find("    AND MGH8_DITTA_CG18 = 4    AND MGH8_CODART_MG66 = 'A'"), std::string::npos);

  for (standin::json profile : {standin::json(nullptr), standin::json{{"company", 4}, {"fail", {"company"}}}}) {
    decode_on_host u(profile);
    u.call("Filere", {str("F")});
    const value before = u.dc.stringa_sql;
    EXPECT_THROW(u.call("FilereByIdForExt", {lng(15), str("F"), str("A")}), automation_error);
    EXPECT_EQ(u.dc.stringa_sql, before);
    EXPECT_EQ(u.fields(), (std::vector<std::string>{"MGH7_DESCRIZIONE"}));
  }
}

}  // namespace
