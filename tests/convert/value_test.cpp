#include <gtest/gtest.h>

#include <limits>

#include "convert/text_locale.h"
#include "convert/value.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

decimal dec(std::string_view s) {
  decimal d;
  EXPECT_TRUE(decimal::parse(s, '.', '\0', d)) << s;
  return d;
}

TEST(decimal_test, text_round_trip) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"0", "0"},           {"12", "12"},     {"12.5", "12.5"},
      {"12.50", "12.5"},    // trailing fractional zeros are not written
      {"-0.001", "-0.001"}, {"-0", "0"},      {"1.5E3", "1500"}, {"25E-2", "0.25"},
      {"79228162514264337593543950335", "79228162514264337593543950335"},  // 2^96 - 1
      {"0.0000000000000000000000000001", "0.0000000000000000000000000001"},
  };
  for (const auto& c : cases) EXPECT_EQ(dec(c.in).to_text('.'), c.out) << c.in;
  decimal d;
  ASSERT_TRUE(decimal::parse("1.234,5", ',', '.', d));
  EXPECT_EQ(d.to_text(','), "1234,5");
  ASSERT_TRUE(decimal::parse("  -7 ", ',', '.', d));
  EXPECT_EQ(d.to_text('.'), "-7");
  // From a Double: fifteen significant digits.
  for (auto [in, out] : {std::pair{0.1, "0.1"}, {-2.5, "-2.5"}, {1.0 / 3, "0.333333333333333"}})
    EXPECT_EQ(decimal::from_double(in).to_text('.'), out);
}

TEST(decimal_test, refuses_what_is_not_a_number_and_overflows_past_96_bits) {
  decimal d;
  for (const char* bad : {"", "abc", "1.2.3", "--1", "12a", "E5"}) EXPECT_FALSE(decimal::parse(bad, '.', '\0', d)) << bad;
  EXPECT_AUTOMATION_ERROR(decimal::parse("79228162514264337593543950336", '.', '\0', d), err::overflow);
  EXPECT_AUTOMATION_ERROR(decimal::from_double(1e30), err::overflow);
}

TEST(date_test, serials_and_parts) {
  EXPECT_EQ(date_value::from_parts(1899, 12, 30).serial, 0);
  EXPECT_EQ(date_value::from_parts(1900, 1, 1).serial, 2);
  EXPECT_EQ(date_value::from_parts(2024, 3, 1).serial, 45352);
  EXPECT_DOUBLE_EQ(date_value::from_parts(2024, 3, 1, 12).serial, 45352.5);
  int y, m, d, h, mi, s;
  date_value::from_parts(2024, 2, 29, 10, 30, 15).to_parts(y, m, d, h, mi, s);
  EXPECT_EQ((std::array{y, m, d, h, mi, s}), (std::array{2024, 2, 29, 10, 30, 15}));
}

class locale_test : public ::testing::Test {
 protected:
  void TearDown() override { set_current_locale(text_locale::italian()); }
};

TEST_F(locale_test, text_forms_follow_the_locale) {
  EXPECT_EQ(to_text(value(12.5)), "12,5");
  EXPECT_EQ(to_text(value(dec("-0.25"))), "-0,25");
  EXPECT_EQ(to_text(value(date_value::from_parts(2024, 3, 1))), "01/03/2024");
  EXPECT_EQ(to_text(value(date_value::from_parts(2024, 3, 1, 10, 30))), "01/03/2024 10:30:00");
  EXPECT_EQ(to_text(value(true)), "True");
  set_current_locale(text_locale::english_us());
  EXPECT_EQ(to_text(value(12.5)), "12.5");
  EXPECT_EQ(to_text(value(date_value::from_parts(2024, 3, 1))), "3/1/2024");
  set_current_locale(text_locale::italian());
  // A time that rounds to midnight is the next day.
  EXPECT_EQ(to_text(value(date_value{45351.999999999})), "01/03/2024");
  EXPECT_EQ(to_text(value(date_value{-1.999999999})), "28/12/1899");
  EXPECT_EQ(to_text(value(date_value{0.999999999})), "31/12/1899");
  EXPECT_EQ(to_text(value(date_value{-0.999999999})), "29/12/1899");
  EXPECT_EQ(to_text(value(date_value{0.000000001})), "00:00:00");
  // Text is read by the locale: in the Italian setting the point groups thousands.
  EXPECT_EQ(to_decimal(value("12,5")).to_text('.'), "12.5");
  EXPECT_EQ(to_decimal(value("1.234")).to_text('.'), "1234");
}

TEST_F(locale_test, numbers_in_sql_never_carry_a_comma) {
  for (auto loc : {text_locale::italian(), text_locale::english_us()}) {
    set_current_locale(loc);
    EXPECT_EQ(sql_number(value(dec("1234.5"))), "1234.5");
    EXPECT_EQ(sql_number(value(0.75)), "0.75");
    EXPECT_EQ(sql_number(value(std::int16_t{0})), "0");
    EXPECT_EQ(sql_number(value(std::int32_t{-12})), "-12");
    EXPECT_EQ(sql_number(value(true)), "-1");
    EXPECT_EQ(sql_number(value::null()), "");
    EXPECT_EQ(sql_number(value()), "");
  }
}

TEST(coercion_test, runtime_conversions_and_their_errors) {
  EXPECT_AUTOMATION_ERROR(to_decimal(value("abc")), err::type_mismatch);
  EXPECT_AUTOMATION_ERROR(to_text(value::null()), err::invalid_use_of_null);
  EXPECT_AUTOMATION_ERROR(to_long(value(3e9)), err::overflow);
  EXPECT_AUTOMATION_ERROR(to_integer(value(std::int32_t{40000})), err::overflow);
  EXPECT_AUTOMATION_ERROR(to_text(value::nothing()), err::object_not_set);
  EXPECT_AUTOMATION_ERROR(to_text(value(safe_array({{0, 1}}))), err::type_mismatch);
  EXPECT_EQ(concat_text(value::null()), "");
  for (auto [v, d] : {std::pair{value(true), -1.0}, {value(false), 0.0}, {value("12,5"), 12.5}, {value(), 0.0},
                      {value(date_value::from_parts(2024, 3, 1, 12)), 45352.5}})
    EXPECT_EQ(to_double(v), d) << v.type_name();
  EXPECT_AUTOMATION_ERROR(to_double(value::null()), err::invalid_use_of_null);
  // Whole numbers round half to even.
  EXPECT_EQ((std::array{to_long(value(2.5)), to_long(value(3.5)), to_long(value(-2.5))}),
            (std::array<std::int32_t, 3>{2, 4, -2}));
  EXPECT_EQ(to_long(value(true)), -1);
  EXPECT_EQ(to_integer(value("7")), 7);
  // The texts of the two truth values, in any case, before any number.
  EXPECT_FALSE(to_bool(value("False")));
  EXPECT_TRUE(to_bool(value("TRUE")));
  EXPECT_EQ(to_long(value("false")), 0);
}

// Values no runtime conversion writes: the text form raises the runtime's
// error instead of writing a made-up date, NAN or INF, or a scale past 28.
TEST_F(locale_test, values_without_a_text_form) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct {
    double serial;
    const char* text;  // null: refused with error 5
  } dates[] = {
      {-657434, "01/01/100"},  {-657434.5, "01/01/100 12:00:00"},  // the first day, its noon before the epoch
      {2958465, "31/12/9999"}, {2958465.99998, "31/12/9999 23:59:58"},  // the last day
      {-657435, nullptr},         // 31/12/99, which a server reads as 1999
      {-657434.999999, nullptr},  // rounds to 31/12/99
      {2958465.999999, nullptr},  // rounds to 01/01/10000
      {2958466, nullptr},      {1e10, nullptr}, {-1e300, nullptr}, {nan, nullptr}, {inf, nullptr}, {-inf, nullptr},
  };
  for (const auto& c : dates) {
    const value v(date_value{c.serial});
    if (c.text) {
      EXPECT_EQ(to_text(v), c.text) << c.serial;
    } else {
      EXPECT_AUTOMATION_ERROR(to_text(v), err::invalid_argument);
      EXPECT_AUTOMATION_ERROR(sql_number(v), err::invalid_argument);
    }
  }
  for (double d : {nan, inf, -inf}) {
    EXPECT_AUTOMATION_ERROR(to_text(value(d)), err::overflow);
    EXPECT_AUTOMATION_ERROR(sql_number(value(d)), err::overflow);
  }
  EXPECT_EQ(to_text(value(-1.5e308)), "-1,5E+308");
  decimal bad = dec("1.5");
  bad.scale = 29;
  for (auto convert : {+[](const value& v) { to_text(v); }, +[](const value& v) { sql_number(v); },
                       +[](const value& v) { to_decimal(v); }, +[](const value& v) { to_double(v); },
                       +[](const value& v) { to_long(v); }, +[](const value& v) { to_bool(v); }})
    EXPECT_AUTOMATION_ERROR(convert(value(bad)), err::invalid_argument);
  bad.scale = 28;
  EXPECT_EQ(to_text(value(bad)), "0,0000000000000000000000000015");
}

TEST(safe_array_test, bounds_and_copies) {
  safe_array a({{0, 2}, {1, 2}});
  a.at({1, 2}) = value("x");
  EXPECT_EQ(a.ubound(0), 1);
  EXPECT_EQ(a.ubound(1), 2);
  EXPECT_AUTOMATION_ERROR(a.at({2, 1}), err::subscript_out_of_range);
  EXPECT_AUTOMATION_ERROR(a.at({0, 0}), err::subscript_out_of_range);
  value v(a);
  value copy = v;
  copy.as_array().at({1, 2}) = value("y");  // a Variant's array is its own
  EXPECT_EQ(v.as_array().at({1, 2}), value("x"));
  // Bounds stay in the 32-bit range.
  EXPECT_EQ(safe_array({{INT32_MAX, 1}}).ubound(0), INT32_MAX);
  EXPECT_EQ(safe_array({{INT32_MIN + 1, 0}}).ubound(0), INT32_MIN);
  for (const auto& b : {safe_array::bound{INT32_MIN, 0}, safe_array::bound{INT32_MAX, 2}})
    EXPECT_AUTOMATION_ERROR(safe_array({b}), err::overflow);
}

}  // namespace
