// Edge cases and failure behaviours of the reference-table decodes. Exact
// statements for the ordinary calls live in the shared cases
// (decode_reference_tables.json).
#include <gtest/gtest.h>

#include <algorithm>

#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

using namespace veldrane;

namespace {

using decode_on_host = decode_fixture;

standin::json profile(standin::json changes) {
  standin::json p = standin::default_profile();
  for (auto& [k, v] : changes.items()) p[k] = v;
  return p;
}

bool ends_with(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
bool contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

value str(const char* s) { return value(s); }

// ---------------------------------------------------------------------------
// Numeric keys: Empty, Null and blank text are 0; text that is no number
// fails, after the field list and before the statement.

TEST(reference_tables_decode_test, numeric_keys) {
  struct {
    const char* member;
    std::vector<value> args;  // the key under test comes last
    const char* field;
    const char* tail;
  } cases[] = {
      {"ScaglioneDiArrotondamento", {}, "MG02_DESCRSCAGL", "MG02_CODICESCAGL = "},
      {"StatoArticolo", {}, "MG6W_DESCR", "MG6W_INDSTATO = "},
      {"TipoDocumento", {}, "DO01_DESCR", "DO01_TIPODOC = "},
      {"SottoTipoDocumento", {value(std::int32_t{3})}, "DO02_DESCR", "AND DO02_STIPODOC = "},
      {"AgenteByID", {}, "CG16_RAGSOANAG", "MG17_IDAGENTE = "},
      {"MacroArea", {}, "MG07_DESCRMACROAR", "MG07_TIPOCF = "},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.member);
    for (const value& zero : {value(), value::null(), str("   ")}) {
      decode_on_host t(standin::default_profile());
      auto args = c.args;
      args.push_back(zero);
      if (std::string_view(c.member) == "MacroArea") args.push_back(str("M"));
      t.call(c.member, args);
      EXPECT_TRUE(contains(t.sql(), std::string(c.tail) + "0")) << t.sql();
    }
    decode_on_host t(standin::default_profile());
    t.dc.stringa_sql = value("previous");
    auto args = c.args;
    args.push_back(str("12A"));
    if (std::string_view(c.member) == "MacroArea") args.push_back(str("M"));
    EXPECT_AUTOMATION_ERROR(t.call(c.member, args), err::type_mismatch);
    EXPECT_EQ(t.field(), c.field);
    EXPECT_EQ(t.sql(), "previous");
  }
}

// The host's language goes between the quotes as the host gives it; a
// failing read leaves both properties as they were.
TEST(reference_tables_decode_test, translated_descriptions_take_the_host_language_verbatim) {
  decode_on_host t(profile({{"language", "EN  "}}));
  t.call("MacroArea", {value(std::int32_t{1}), str("M")});
  EXPECT_TRUE(contains(t.sql(), "MG0S_CODLINGUA_MG52 = 'EN  '    AND MG0S_PROVID_FW4A = 1010")) << t.sql();

  decode_on_host f(profile({{"fail", {"language"}}}));
  EXPECT_AUTOMATION_ERROR(f.call("Categoria", {value(std::int32_t{1}), str("M"), str("C")}), standin::kHostFailure);
  EXPECT_EQ(f.sql(), "");
  EXPECT_TRUE(f.dc.array_fields.is_string());
}

TEST(reference_tables_decode_test, document_types_read_the_user_language) {
  decode_on_host t(profile({{"language", "FRA "}, {"fail", {"language"}}, {"userLanguage", "DEU"}}));
  t.call("SottoTipoDocumento", {str("4"), str("2")});
  EXPECT_TRUE(contains(t.sql(), "\r\n    MG0S_CODLINGUA_MG52 = 'DEU'\r\n")) << t.sql();

  decode_on_host f(profile({{"fail", {"userLanguage"}}}));
  EXPECT_AUTOMATION_ERROR(f.call("TipoDocumento", {str("4")}), standin::kHostFailure);
  EXPECT_EQ(f.sql(), "");
  EXPECT_TRUE(f.dc.array_fields.is_string());
}

// ---------------------------------------------------------------------------
// Agents: the code as text with every quote doubled.

TEST(reference_tables_decode_test, agent_codes_double_every_quote) {
  struct {
    value code;
    const char* literal;
  } cases[] = {
      {str("A'B'C"), "'A''B''C'"},
      {str("''  "), "''''''"},
      {str(" X'"), "' X'''"},
      {value(std::int32_t{7}), "'7'"},
      {value(), "''"},
  };
  for (auto& c : cases) {
    decode_on_host t(nullptr);
    t.call("Agente", {c.code});
    EXPECT_TRUE(ends_with(t.sql(), std::string("MG17_AGENTE = ") + c.literal)) << t.sql();
  }
}

// ---------------------------------------------------------------------------
// Article options: the host's company directly, so no host is an error.

TEST(reference_tables_decode_test, article_option_needs_the_host_company) {
  decode_on_host t(profile({{"fail", {"company"}}}));
  t.dc.set_codice_ditta(5);
  t.dc.stringa_sql = value("previous");
  EXPECT_AUTOMATION_ERROR(t.call("OpzioneArticolo", {str("A"), str("O")}), standin::kHostFailure);
  EXPECT_EQ(t.sql(), "previous");
  EXPECT_EQ(t.field(), "MG87_DESCART");
}

// ---------------------------------------------------------------------------
// Parameter sets: the host's company; when it cannot be read no error
// reaches the caller and the statement stays whole, with company 0.

TEST(reference_tables_decode_test, parameter_sets_without_the_host_company) {
  struct {
    const char* member;
    const char* expected;
  } cases[] = {
      {"ParametriSottoscortaDecode",
       " SELECT MGFA_CODPARAM, MGFA_DESCPARAM  FROM MGFA_SOTTOSCPARAM WITH (NOLOCK)  WHERE MGFA_DITTA_CG18 = 0"
       "  AND   MGFA_CODPARAM = 'P '"},
      {"ParametriRitardiDecode",
       " SELECT MGFB_CODPARAM, MGFB_DESCPARAM  FROM MGFB_RITARDIPARAM WITH (NOLOCK)  WHERE MGFB_DITTA_CG18 = 0"
       "  AND   MGFB_CODPARAM = 'P '"},
  };
  for (auto& c : cases) {
    for (const standin::json& host : {standin::json(nullptr), profile({{"fail", {"company"}}}),
                                      profile({{"fail", {"environment"}}})}) {
      decode_on_host t(host);
      t.dc.set_codice_ditta(9);  // the property plays no part
      EXPECT_NO_THROW(t.call(c.member, {str("P ")})) << host.dump();
      EXPECT_EQ(t.sql(), c.expected) << host.dump();
    }
  }
}

TEST(reference_tables_decode_test, parameter_set_code_is_one_literal) {
  decode_on_host t(profile({{"company", "12"}}));
  t.call("ParametriSottoscortaDecode", {str("P' OR ''='")});
  EXPECT_TRUE(ends_with(t.sql(), "  WHERE MGFA_DITTA_CG18 = 12  AND   MGFA_CODPARAM = 'P'' OR ''''='''")) << t.sql();
}

// ---------------------------------------------------------------------------
// Commercial-category values

const char* const kValueHead =
    "SELECT\r\n    CM02_DESCR\r\nFROM\r\n    CM02_VALORICATCOMM WITH (NOLOCK)\r\nWHERE\r\n    CM02_IDCATEGORIA_CM01 = ";

standin::json category_host(standin::json type) {
  return profile({{"database",
                   {{"CM01_CATEGORIECOMM", {{{"CM01_IDCATEGORIA", 5}, {"CM01_INDTIPODATO", std::move(type)}}}}}}});
}

TEST(reference_tables_decode_test, category_type_is_read_first_with_the_category_as_a_number) {
  decode_on_host t(category_host(1));
  t.call("ValoreCategoriaCommerciale", {str(" 5"), str("7")});
  ASSERT_EQ(t.host->executed().size(), 1u);
  EXPECT_EQ(t.host->executed()[0],
            "SELECT CM01_INDTIPODATO FROM CM01_CATEGORIECOMM WITH (NOLOCK) WHERE CM01_IDCATEGORIA = 5");
  // The category itself goes in as the caller wrote it.
  EXPECT_TRUE(contains(t.sql(), "CM02_IDCATEGORIA_CM01 =  5\r\n")) << testing::PrintToString(t.sql());
}

TEST(reference_tables_decode_test, category_type_chooses_the_value_column) {
  struct {
    standin::json type;
    bool numeric;
  } cases[] = {{0, false}, {1, true}, {2, true}, {-1, true}, {"3", true}, {"0", false},
               {nullptr, false},    // no type: its conversion fails and is left out
               {"abc", false},      // the same
               {100000, false}};    // beyond a 16-bit integer: the same
  for (auto& c : cases) {
    decode_on_host t(category_host(c.type));
    t.call("ValoreCategoriaCommerciale", {value(std::int32_t{5}), str("7  ")});
    EXPECT_EQ(t.sql(), std::string(kValueHead) + "5\r\n" +
                           (c.numeric ? "    AND CM02_VALORENUM = 7" : "    AND CM02_VALORESTR = '7'"))
        << c.type.dump();
    EXPECT_EQ(t.field(), "CM02_DESCR");
  }
}

TEST(reference_tables_decode_test, unreadable_category_type_compares_the_text) {
  for (const standin::json& host : {standin::json(nullptr), profile({{"fail", {"connection"}}}),
                                    category_host(1)}) {
    decode_on_host t(host);
    // Category 6 is not in the table.
    EXPECT_NO_THROW(t.call("ValoreCategoriaCommerciale", {value(std::int32_t{6}), str("V")}));
    EXPECT_EQ(t.sql(), std::string(kValueHead) + "6\r\n    AND CM02_VALORESTR = 'V'") << host.dump();
  }
}

// A category or value that cannot be written leaves no statement at all,
// rather than one that would decode some other value; no error either way.
TEST(reference_tables_decode_test, unwritable_category_or_value_leaves_no_statement) {
  struct {
    value category;
    value val;
  } cases[] = {
      {value::null(), str("V")},
      {value(), str("V")},
      {str("   "), str("V")},
      {str("5 OR 1=1"), str("V")},
      {str("5;DELETE FROM CM02_VALORICATCOMM"), str("V")},
      {str("X"), str("V")},
      {value(std::int32_t{5}), str("not a number")},  // numeric category
  };
  for (auto& c : cases) {
    decode_on_host t(category_host(1));
    t.dc.stringa_sql = value("previous");
    EXPECT_NO_THROW(t.call("ValoreCategoriaCommerciale", {c.category, c.val}));
    EXPECT_EQ(t.sql(), "") << standin::to_json(c.category).dump();
    EXPECT_EQ(t.field(), "CM02_DESCR");
  }
}

TEST(reference_tables_decode_test, category_numbers_keep_a_decimal_point) {
  decode_on_host t(category_host(1));
  t.call("ValoreCategoriaCommerciale", {value(5.0), value(2.25)});
  EXPECT_TRUE(ends_with(t.sql(), "CM02_IDCATEGORIA_CM01 = 5\r\n    AND CM02_VALORENUM = 2.25")) << t.sql();
  t.call("ValoreCategoriaCommerciale", {str("-5.5"), str("1")});
  EXPECT_TRUE(contains(t.sql(), "CM02_IDCATEGORIA_CM01 = -5.5\r\n")) << t.sql();
}

}  // namespace
