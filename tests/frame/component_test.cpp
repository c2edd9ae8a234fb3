#include <gtest/gtest.h>

#include <regex>

#include "frame/component.h"
#include "lookup/lookup.h"
#include "standin/standin.h"

using namespace veldrane;

namespace {

guid make_guid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::array<std::uint8_t, 8> d4) {
  guid g;
  g.data1 = d1;
  g.data2 = d2;
  g.data3 = d3;
  g.data4 = d4;
  return g;
}

TEST(instance_id_test, parts_in_natural_order_zero_padded) {
  EXPECT_EQ(instance_id_text(make_guid(0xE54CA00C, 0x4A7F, 0x11D3, {0xA7, 0xCA, 0x00, 0x40, 0x05, 0x19, 0xB1, 0x49})),
            "E54CA00C4A7F11D3A7CA00400519B149");
  EXPECT_EQ(instance_id_text(make_guid(0xA, 0xB, 0xC, {0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14})),
            "0000000A000B000C0D0E0F1011121314");
  EXPECT_EQ(instance_id_text(make_guid(0, 0xFFFF, 0x8000, {})), std::string("00000000") + "FFFF" + "8000" + "0000000000000000");
}

std::vector<std::string> lifetime_trace(std::function<bool(guid&)> source) {
  auto host = std::make_shared<standin::host_platform>(nullptr);
  host->guid_source = std::move(source);
  { lookup lk(host); }
  return host->trace_lines();
}

TEST(trace_test, one_identifier_for_both_lines) {
  auto lines = lifetime_trace(nullptr);
  ASSERT_EQ(lines.size(), 2u);
  std::smatch m1, m2;
  const std::regex form(R"(VORX:\|([0-9A-F]{32})\|(INI|TER)\|VELDRANE\|CLSMG_LOOKUP)");
  ASSERT_TRUE(std::regex_match(lines[0], m1, form)) << lines[0];
  ASSERT_TRUE(std::regex_match(lines[1], m2, form)) << lines[1];
  EXPECT_EQ(m1[2], "INI");
  EXPECT_EQ(m2[2], "TER");
  EXPECT_EQ(m1[1], m2[1]);
  // Two objects, two identifiers.
  EXPECT_NE(lifetime_trace(nullptr)[0], lines[0]);
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

TEST(trace_test, failed_guid_leaves_the_identifier_empty_and_retries) {
  int calls = 0;
  auto lines = lifetime_trace([&](guid& g) {
    if (++calls == 1) return false;
    g = make_guid(1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11});
    return true;
  });
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "VORX:||INI|VELDRANE|CLSMG_LOOKUP");
  EXPECT_EQ(lines[1], "VORX:|00000001000200030405060708090A0B|TER|VELDRANE|CLSMG_LOOKUP");
}

TEST(lookup_lifecycle_test, state_at_creation) {
  auto host = std::make_shared<standin::host_platform>(nullptr);
  lookup lk(host);
  EXPECT_EQ(lk.titolo, value(""));
  EXPECT_EQ(lk.stringa_sql, value(""));
  EXPECT_EQ(lk.array_fields, value(""));
  EXPECT_TRUE(lk.id_lookup.is_empty());
  EXPECT_TRUE(lk.solo_lingue_per_ditta);
  EXPECT_EQ(lk.active_interface(), nullptr);
  EXPECT_EQ(lk.codice_ditta(), 0);
}

}  // namespace
