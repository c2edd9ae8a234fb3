// Every shared expected-text case, through the scenario runner.
#include "support/cases.h"

TEST(cases_test, every_case_gives_its_expected_outputs) { veldrane::cases::check_every_case(); }
