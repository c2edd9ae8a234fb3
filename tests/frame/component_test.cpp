#include <gtest/gtest.h>

#include <regex>

#include "frame/component.h"
#include "lookup/lookup.h"
#include "standin/standin.h"

using namespace veldrane;

namespace {

// Zero padding and the natural order of small parts: the trace test below.
TEST(instance_id_test, parts_in_natural_order_zero_padded) {
  EXPECT_EQ(instance_id_text(guid{0xE54CA00C, 0x4A7F, 0x11D3, {0xA7, 0xCA, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49}}),
            "E54CA00C4A7F11D3A7CA00400519B149");
  EXPECT_EQ(instance_id_text(guid{0, 0xFFFF, 0x8000, {}}), "00000000FFFF80000000000000000000");
}

TEST(instance_id_test, the_default_platform_makes_random_guids) {
  platform p;
  guid first, g;
  ASSERT_TRUE(p.create_guid(first));
  for (int i = 0; i < 64; ++i) {
    ASSERT_TRUE(p.create_guid(g));
    EXPECT_EQ(g.data3 & 0xF000, 0x4000);  // version 4
    EXPECT_EQ(g.data4[0] & 0xC0, 0x80);   // variant 1
  }
  EXPECT_NE(instance_id_text(g), instance_id_text(first));
}

// The trace lines of one lookup object's life.
std::vector<std::string> lifetime_trace(std::function<bool(guid&)> source) {
  auto host = std::make_shared<standin::host_platform>(nullptr);
  host->guid_source = std::move(source);
  { lookup lk(host); }
  return host->trace_lines();
}

TEST(trace_test, one_identifier_for_both_lines) {
  const auto lines = lifetime_trace(nullptr);
  ASSERT_EQ(lines.size(), 2u);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(lines[0], m, std::regex(R"(VORX:\|([0-9A-F]{32})\|INI\|VELDRANE\|CLSMG_LOOKUP)")));
  EXPECT_EQ(lines[1], "VORX:|" + m[1].str() + "|TER|VELDRANE|CLSMG_LOOKUP");
  EXPECT_NE(lifetime_trace(nullptr)[0], lines[0]);  // two objects, two identifiers
}

// A failed GUID leaves the identifier empty, and the next line asks again.
TEST(trace_test, failed_guid_leaves_the_identifier_empty_and_retries) {
  int calls = 0;
  const auto lines = lifetime_trace([&](guid& g) {
    g = guid{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    return ++calls > 1;
  });
  EXPECT_EQ(lines, (std::vector<std::string>{"VORX:||INI|VELDRANE|CLSMG_LOOKUP",
                                             "VORX:|00000001000200030405060708090A0B|TER|VELDRANE|CLSMG_LOOKUP"}));
}

}  // namespace
