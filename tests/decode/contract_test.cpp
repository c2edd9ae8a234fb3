#include <gtest/gtest.h>

#include "decode/decode.h"

using namespace veldrane;

namespace {

TEST(decode_member_table_test, interface_shape) {
  const auto& ci = decode::info();
  ASSERT_EQ(ci.members.size(), 115u);
  EXPECT_EQ(find_member(ci, "CodiceDitta", member_kind::get)->dispid(), 0x68030074);
  EXPECT_EQ(find_member(ci, "ArrayFields", member_kind::set)->dispid(), 0x40030002);
  EXPECT_EQ(find_member(ci, "FilereByIdForExt", member_kind::method)->dispid(), 0x600300cb);
  EXPECT_TRUE(find_member(ci, "Sottprogetto", member_kind::method)->hidden);
  const auto* mov = find_member(ci, "DepositoTrasferimentoMov", member_kind::method);
  EXPECT_EQ(mov->params[1].type, param_type::integer);
  EXPECT_TRUE(mov->params[2].has_default);
  const auto* ext = find_member(ci, "OpzioneExt", member_kind::method);
  EXPECT_EQ(ext->required_count(), 2u);
}

}  // namespace
