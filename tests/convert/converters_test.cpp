#include <gtest/gtest.h>

#include "convert/converters.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

TEST(text_or_empty_test, blanks_and_empties) {
  struct {
    value in;
    std::string out;
  } cases[] = {
      {value(), ""},      {value::null(), ""},     {value::missing(), ""}, {value(""), ""},
      {value("   "), ""}, {value("ABC  "), "ABC"}, {value(" ABC"), " ABC"},  {value(std::int32_t{42}), "42"},
      {value(1.5), "1,5"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOrEmpty(c.in), c.out) << c.in.type_name();
}

TEST(decimal_or_zero_test, zero_is_an_integer_everything_else_a_decimal) {
  for (const value& v : {value("   "), value(), value::null(), value::missing()})
    EXPECT_EQ(DecimalOrZero(v), value(std::int16_t{0})) << v.type_name();
  EXPECT_EQ(DecimalOrZero(value(std::int32_t{0})).kind(), value_kind::decimal);
  EXPECT_EQ(DecimalOrZero(value("12")), value(decimal::from_int64(12)));
  EXPECT_EQ(DecimalOrZero(value(true)), value(decimal::from_int64(-1)));
  EXPECT_AUTOMATION_ERROR(DecimalOrZero(value("abc")), err::type_mismatch);
}

TEST(nvl_test, falls_back_on_blank_empty_and_null) {
  const value fallback("ITA");
  for (const value& v : {value(" "), value(), value::null()}) EXPECT_EQ(NVL(v, fallback), fallback);
  EXPECT_EQ(NVL(value("ENG"), fallback), value("ENG"));
  // The value itself comes back, not its text.
  EXPECT_EQ(NVL(value(std::int32_t{5}), fallback), value(std::int32_t{5}));
  try {  // reraised with its own source
    NVL(value(safe_array({{0, 1}})), fallback);
    FAIL() << "expected an error";
  } catch (const automation_error& e) {
    EXPECT_EQ(e.number(), err::type_mismatch);
    EXPECT_EQ(e.description(), "Type mismatch");
    EXPECT_EQ(e.source(), "NVL:\r\nVELDRANE");
  }
}

}  // namespace
