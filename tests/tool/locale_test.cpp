// Numbers must not follow the process locale: a host may switch its C
// runtime to a comma-decimal locale. Under it_IT every shared case must give
// the same texts as under C, and conversions must not change.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "convert/value.h"
#include "support/cases.h"

namespace {

constexpr const char* kLocale = "it_IT.UTF-8";

// Switches the process to Italian; when the machine has no such locale it is
// compiled into a temporary directory. Empty when it worked, else the reason.
std::string switch_to_italian(std::filesystem::path& generated) {
  if (std::setlocale(LC_ALL, kLocale)) return {};
  generated = std::filesystem::temp_directory_path() / ("veldrane-locale-" + std::to_string(::getpid()));
  std::filesystem::create_directories(generated);
  const std::string cmd =
      "localedef -i it_IT -f UTF-8 '" + (generated / kLocale).string() + "' >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return "localedef could not build it_IT.UTF-8 (Debian package locales)";
  ::setenv("LOCPATH", generated.c_str(), 1);
  if (!std::setlocale(LC_ALL, kLocale)) return "it_IT.UTF-8 was built but cannot be selected";
  return {};
}

class comma_locale_test : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = switch_to_italian(generated_);
    if (!reason.empty()) GTEST_SKIP() << "no comma-decimal locale: " << reason;
    ASSERT_STREQ(",", std::localeconv()->decimal_point);
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    std::error_code ec;
    if (!generated_.empty()) std::filesystem::remove_all(generated_, ec);
  }
  std::filesystem::path generated_;
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

TEST_F(comma_locale_test, every_shared_case_gives_the_same_texts) { veldrane::cases::check_every_case(); }

}  // namespace
