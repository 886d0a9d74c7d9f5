// A fresh runtime core for each test case.
#ifndef ORVALE_TESTS_SUPPORT_RUNTIME_FIXTURE_H
#define ORVALE_TESTS_SUPPORT_RUNTIME_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "core/runtime.h"
#include "core/val.h"

namespace orv {

class RuntimeTest : public ::testing::Test {
 protected:
  // Scratch size in KiB (and entries) for the fixture; small so that exhaustion is testable.
  virtual uint16_t ScratchKib() const { return 64; }

  void SetUp() override {
    RuntimeSizes(ScratchKib(), 0, kDefaultBlockCapacity);
    ASSERT_EQ(RuntimeInit(), 0);
  }
  void TearDown() override { RuntimeFreeAll(); }
};

// The bytes of a value, or "<error N>" for an error value.
inline std::string S(Val v) {
  return v.ok() ? v.str() : "<error " + std::to_string(v.len) + ">";
}

}  // namespace orv

#endif  // ORVALE_TESTS_SUPPORT_RUNTIME_FIXTURE_H
