#include <gtest/gtest.h>

#include "frame/members.h"
#include "lookup/lookup.h"
#include "standin/standin.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

TEST(member_table_test, names_are_found_ignoring_case) {
  EXPECT_NE(find_member(lookup::info(), "OPERATORI", member_kind::method), nullptr);
  EXPECT_NE(find_member(lookup::info(), "codiceditta", member_kind::get), nullptr);
  EXPECT_EQ(find_member(lookup::info(), "Operatori", member_kind::get), nullptr);
}

// Assigned as a client assigns it: the framework's active interface or
// Nothing; any other object is refused and changes nothing.
TEST(member_table_test, active_interface_takes_only_the_framework_object) {
  auto host = std::make_shared<standin::host_platform>(standin::default_profile());
  lookup lk(host);
  const auto& ci = lookup::info();
  const value ai{object_ptr(host->active_interface())};
  invoke(ci, lk, "ActiveInterface", member_kind::set, {ai});
  EXPECT_EQ(invoke(ci, lk, "ActiveInterface", member_kind::get, {}), ai);
  EXPECT_AUTOMATION_ERROR(
      invoke(ci, lk, "ActiveInterface", member_kind::set, {value(object_ptr(std::make_shared<object>()))}),
      err::type_mismatch);
  EXPECT_EQ(lk.active_interface(), host->active_interface());
  invoke(ci, lk, "ActiveInterface", member_kind::set, {value::nothing()});
  EXPECT_EQ(lk.active_interface(), nullptr);
}

TEST(bind_arguments_test, as_typed_dispatch_does) {
  const param_info params[] = {{"Segno", param_type::integer},
                               {"Dep", param_type::string, true, true, "X"},
                               {"Campo", param_type::variant, true}};
  // Bound in place, as the dispatch does before the call.
  auto bind_arguments = [](std::span<const param_info> ps, std::vector<value> args, std::string_view source) {
    bind_arguments_in_place(ps, args, source);
    return args;
  };
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
