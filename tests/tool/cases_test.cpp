// Every shared expected-text case, through the scenario runner, one test
// each: --gtest_filter='*/lookup_operators__*' reruns one file's cases.
#include "support/cases.h"

namespace veldrane::cases {

class shared_case : public ::testing::TestWithParam<named_case> {};

TEST_P(shared_case, gives_its_expected_outputs) { check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(cases, shared_case, ::testing::ValuesIn(all()), test_name);

}  // namespace veldrane::cases
