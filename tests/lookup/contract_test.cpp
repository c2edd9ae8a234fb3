// The property keeps the statement's text, not the composing buffer's
// reservation (a screen may hold hundreds of lookup objects). The lookups'
// statements and host binding are pinned by the shared cases (tests/cases).
#include <gtest/gtest.h>

#include "lookup/lookup.h"
#include "standin/standin.h"

namespace {

TEST(statement_memory_test, a_composed_statement_keeps_only_its_text) {
  veldrane::lookup lk(std::make_shared<veldrane::standin::host_platform>(nullptr));
  invoke(veldrane::lookup::info(), lk, "Operatori", veldrane::member_kind::method, {});
  const std::string& sql = lk.stringa_sql.as_string();
  ASSERT_FALSE(sql.empty());
  EXPECT_LT(sql.capacity(), 2 * sql.size());
}

}  // namespace
