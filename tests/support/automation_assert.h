// Assertions on automation errors: the number, not just that something threw.
#pragma once

#include <gtest/gtest.h>

#include "convert/error.h"

#define EXPECT_AUTOMATION_ERROR(statement, expected_number)                                     \
  do {                                                                                           \
    try {                                                                                        \
      statement;                                                                                 \
      ADD_FAILURE() << "expected automation error " << (expected_number) << ", nothing raised"; \
    } catch (const ::veldrane::automation_error& e_) {                                          \
      EXPECT_EQ(e_.number(), (expected_number)) << e_.description() << " (" << e_.source() << ")"; \
    }                                                                                            \
  } while (0)
