// The statement layer's rules on their own: quoted insertion, plain numbers
// written bare and the sort-column grammar with its default rule, so that a
// fault there shows here and not only in some operation's text (the line
// forms and the language join are pinned by the shared cases).
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "compose/rules.h"
#include "compose/statement.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

constexpr std::string_view kSource = "VELDRANE.TEST";

TEST(statement_test, quoted_text_doubles_its_own_quotes) {
  const struct {
    std::string_view text, written;
  } cases[] = {{"", ""},           {"ABC", "ABC"},          {"O'Brien", "O''Brien"}, {"'", "''"},
               {"''", "''''"},     {"a'b'c", "a''b''c"},    {"x' OR '1'='1", "x'' OR ''1''=''1"}};
  for (const auto& c : cases) {
    statement st;
    st << "'";
    st.quoted(c.text) << "'";
    EXPECT_EQ(st.view(), "'" + std::string(c.written) + "'") << c.text;
  }
}

TEST(plain_number_test, only_a_plain_number_is_written_bare) {
  const struct {
    value v;
    const char* written;
  } accepted[] = {
      {value("12"), "12"},     {value(" 12 "), " 12 "}, {value("-3.25"), "-3.25"}, {value("+7"), "+7"},
      {value(std::int16_t{5}), "5"}, {value(1.5), "1.5"}, {value(true), "-1"},
  };
  for (const auto& c : accepted) EXPECT_EQ(plain_number(c.v, kSource), c.written) << c.written;

  const std::vector<value> refused = {
      value(""),   value("1e5"), value("0x41"), value(".5"),   value("1."),  value("12a"),
      value("1,5"), value("- 1"), value("1 2"), value(),       value::null(), value(date_value::from_parts(2024, 3, 1))};
  for (const value& v : refused) {
    try {
      plain_number(v, kSource);
      ADD_FAILURE() << "accepted " << v.type_name();
    } catch (const automation_error& e) {
      EXPECT_EQ(e.number(), err::invalid_argument);
      EXPECT_EQ(e.source(), kSource);
    }
  }
  // A Double that is no number at all raises the runtime's overflow, as its
  // text form does everywhere.
  for (double d : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    EXPECT_AUTOMATION_ERROR(plain_number(value(d), kSource), err::overflow);
}

TEST(sort_column_test, the_grammar_takes_column_references_only) {
  for (const char* list : {"MG01_CODICE", "MG01_DESCR DESC", "a, b asc", "2", " 2 , a ", "[Nome colonna] ASC",
                           "T.C", "dbo.[x].y desc", "_a", "\ta"})
    EXPECT_TRUE(is_sort_list(list)) << list;
  for (const char* list : {"", " ", "a;b", "a b", "1a", "1.2", "a,", ",a", "a DESC DESC", "[]", "[a", "a.", ".a",
                           "(SELECT 1)", "a--", "a/*", "a DESC, "})
    EXPECT_FALSE(is_sort_list(list)) << list;
}

TEST(sort_column_test, the_default_stands_in_as_its_rule_says) {
  using enum sort_default;
  const struct {
    value campo;
    sort_default when;
    const char* sort;
  } cases[] = {
      {value::missing(), missing, "DEF"}, {value::missing(), empty, "DEF"}, {value::missing(), no_text, "DEF"},
      {value(), missing, ""},             {value(), empty, "DEF"},          {value(), no_text, "DEF"},
      {value::null(), missing, ""},       {value::null(), empty, ""},       {value::null(), no_text, "DEF"},
      {value(""), missing, ""},           {value(""), empty, ""},           {value(""), no_text, "DEF"},
      {value("A DESC"), missing, "A DESC"}, {value("A DESC"), no_text, "A DESC"}, {value(std::int16_t{2}), empty, "2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sort_column(c.campo, "DEF", c.when, kSource), c.sort)
        << c.campo.type_name() << " " << static_cast<int>(c.when);
  EXPECT_AUTOMATION_ERROR(sort_column(value("A; DROP TABLE T"), "DEF", no_text, kSource), err::invalid_argument);
  EXPECT_AUTOMATION_ERROR(check_sort_column(value::nothing(), kSource), err::invalid_argument);
}

}  // namespace
