// The lookup's own side of the host binding; its statements are pinned by
// the shared cases (tests/cases).
#include <gtest/gtest.h>

#include "lookup/lookup.h"
#include "standin/standin.h"

using namespace veldrane;

namespace {

struct lookup_on_host {
  explicit lookup_on_host(standin::json profile)
      : host(std::make_shared<standin::host_platform>(std::move(profile))), lk(host) {
    if (auto ai = host->active_interface()) lk.set_active_interface(ai);
  }
  std::shared_ptr<standin::host_platform> host;
  lookup lk;
};

TEST(host_binding_test, filter_builder_is_made_and_bound_once) {
  lookup_on_host t(standin::json{{"company", 3}, {"userText1", "U1"}, {"userText4", "U4"}, {"filtersApply", true}});
  t.lk.filter_builder();
  t.lk.set_codice_ditta(9);  // a later change does not reach the builder
  t.lk.filter_builder();
  EXPECT_EQ(t.host->host_log(),
            (std::vector<std::string>{"FilterBuilder created", "FilterBuilder.Connection=Connection",
                                      "FilterBuilder.ConnectionText=Provider=StandIn;Data Source=:memory:",
                                      "FilterBuilder.Text7=U4", "FilterBuilder.Text9=U1", "FilterBuilder.Text11=U1",
                                      "FilterBuilder.Company=3", "FilterBuilder.Flag14=False"}));
}

// The property keeps the statement's text, not the composing buffer's
// reservation (a screen may hold hundreds of lookup objects).
TEST(statement_memory_test, a_composed_statement_keeps_only_its_text) {
  lookup_on_host t(nullptr);
  t.lk.set_codice_ditta(1);
  invoke(lookup::info(), t.lk, "Operatori", member_kind::method, {});
  const std::string& sql = t.lk.stringa_sql.as_string();
  ASSERT_FALSE(sql.empty());
  EXPECT_LT(sql.capacity(), 2 * sql.size());
}

}  // namespace
