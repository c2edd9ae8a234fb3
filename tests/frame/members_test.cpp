#include <gtest/gtest.h>

#include "frame/members.h"
#include "lookup/lookup.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

TEST(member_table_test, lookup_interface_shape) {
  const auto& ci = lookup::info();
  ASSERT_EQ(ci.members.size(), 122u);
  struct {
    std::size_t index;  // position in interface order, from 1
    const char* name;
    member_kind kind;
    std::int32_t dispid;
    bool hidden;
  } rows[] = {
      {1, "ActiveInterface", member_kind::get, 0x40030032, false},
      {12, "Richiedenti", member_kind::method, 0x60030002, true},
      {24, "Agenti", member_kind::method, 0x6003000E, true},
      {73, "Operatori", member_kind::method, 0x60030049, false},
      {76, "IDLookup", member_kind::set, 0x4003004A, false},
      {93, "CodiceDitta", member_kind::let, 0x68030072, false},
      {94, "CodiceDitta", member_kind::get, 0x68030072, false},
      {110, "RiferAmmPA", member_kind::method, 0x600300A7, true},
      {122, "UfficiPACliForDest", member_kind::method, 0x600300E2, false},
  };
  for (const auto& r : rows) {
    const auto& m = ci.members[r.index - 1];
    EXPECT_EQ(m.name, r.name) << r.index;
    EXPECT_EQ(m.kind, r.kind) << r.name;
    EXPECT_EQ(m.dispid(), r.dispid) << r.name;
    EXPECT_EQ(m.hidden, r.hidden) << r.name;
  }
  // Every method but one ends with its optional sort column.
  for (const auto& m : ci.members) {
    if (m.kind != member_kind::method || m.name == "FiltriMovPerIndiciMargini") continue;
    ASSERT_GT(m.param_count, 0) << m.name;
    const auto& last = m.parameters().back();
    EXPECT_EQ(last.name, "CampoOrdinamento") << m.name;
    EXPECT_TRUE(last.optional) << m.name;
  }
}

TEST(member_table_test, names_are_found_ignoring_case) {
  EXPECT_NE(find_member(lookup::info(), "OPERATORI", member_kind::method), nullptr);
  EXPECT_NE(find_member(lookup::info(), "codiceditta", member_kind::get), nullptr);
  EXPECT_EQ(find_member(lookup::info(), "Operatori", member_kind::get), nullptr);
}

TEST(bind_arguments_test, as_typed_dispatch_does) {
  const param_info params[] = {{"Segno", param_type::integer},
                               {"Dep", param_type::string, true, true, "X"},
                               {"Campo", param_type::variant, true}};
  auto bound = bind_arguments(params, {value("3")}, "test");
  EXPECT_EQ(bound[0], value(std::int16_t{3}));
  EXPECT_EQ(bound[1], value("X"));
  EXPECT_TRUE(bound[2].is_missing());
  EXPECT_AUTOMATION_ERROR(bind_arguments(params, {}, "test"), err::argument_not_optional);
  // Passed explicitly, the missing marker reaches a required Variant, not a
  // typed parameter.
  const param_info variants[] = {{"TipoCf", param_type::variant}, {"Campo", param_type::variant, true}};
  EXPECT_TRUE(bind_arguments(variants, {value::missing()}, "test")[0].is_missing());
  EXPECT_AUTOMATION_ERROR(bind_arguments(params, {value::missing()}, "test"), err::argument_not_optional);
  EXPECT_AUTOMATION_ERROR(bind_arguments(params, {value(1), value(2), value(3), value(4)}, "test"),
                          err::wrong_argument_count);
  EXPECT_AUTOMATION_ERROR(bind_arguments(params, {value("abc")}, "test"), err::type_mismatch);
  EXPECT_AUTOMATION_ERROR(bind_arguments(params, {value(std::int32_t{70000})}, "test"), err::overflow);
}

}  // namespace
