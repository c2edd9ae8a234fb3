// Every shared expected-text case, through the scenario runner, one test
// each (--gtest_filter='*/lookup_operators__*' reruns one file's cases), and
// again under a comma-decimal locale: numbers must not follow the process
// locale, as a host may switch its C runtime to one. Under it_IT every case
// gives the same texts as under C, and conversions do not change.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "convert/value.h"
#include "support/cases.h"

namespace {

class shared_case : public ::testing::TestWithParam<veldrane::cases::named_case> {};

TEST_P(shared_case, gives_its_expected_outputs) { veldrane::cases::check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(cases, shared_case, ::testing::ValuesIn(veldrane::cases::all()), veldrane::cases::test_name);

constexpr const char* kLocale = "it_IT.UTF-8";

std::filesystem::path generated;  // a locale compiled here, removed at exit

// Switches the process to Italian once, compiling the locale into a
// temporary directory when the machine has none. Empty when it worked, else
// the reason.
const std::string& no_italian_reason() {
  static const std::string reason = []() -> std::string {
    if (std::setlocale(LC_ALL, kLocale)) return {};
    generated = std::filesystem::temp_directory_path() / ("veldrane-locale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(generated);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(generated, ec);
    });
    const std::string cmd = "localedef -i it_IT -f UTF-8 '" + (generated / kLocale).string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return "localedef could not build it_IT.UTF-8 (Debian package locales)";
    ::setenv("LOCPATH", generated.c_str(), 1);
    return std::setlocale(LC_ALL, kLocale) ? "" : "it_IT.UTF-8 was built but cannot be selected";
  }();
  return reason;
}

// Each suite runs under Italian and gives the C locale back at its end.
class comma_locale_test : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    if (no_italian_reason().empty()) std::setlocale(LC_ALL, kLocale);
  }
  static void TearDownTestSuite() { std::setlocale(LC_ALL, "C"); }

 protected:
  void SetUp() override {
    if (!no_italian_reason().empty()) GTEST_SKIP() << "no comma-decimal locale: " << no_italian_reason();
    ASSERT_STREQ(",", std::localeconv()->decimal_point);
  }
};

TEST_F(comma_locale_test, conversions_keep_their_texts) {
  using namespace veldrane;
  EXPECT_EQ("1.5", sql_number(value(1.5)));
  EXPECT_EQ("1,5", to_text(value(1.5)));  // the runtime's own Italian setting
  EXPECT_EQ("1.5", to_decimal(value(1.5)).to_text('.'));
  EXPECT_EQ("2", to_decimal(value(2.0)).to_text('.'));
  EXPECT_EQ("1E+20", sql_number(value(1e20)));
  EXPECT_EQ(2, to_long(value("1,5")));
  EXPECT_TRUE(to_bool(value("TRUE")));
}

class comma_locale_case : public comma_locale_test,
                          public ::testing::WithParamInterface<veldrane::cases::named_case> {};

TEST_P(comma_locale_case, gives_the_same_texts) { veldrane::cases::check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(cases, comma_locale_case, ::testing::ValuesIn(veldrane::cases::all()),
                         veldrane::cases::test_name);

}  // namespace
