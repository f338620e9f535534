// The external validator's output read back as a verdict.
#include "app/statement/xsd_check.h"

#include <gtest/gtest.h>

#include <utility>

namespace app {
namespace {

TEST(ValidatorVerdict, IsTheLineThatNamesTheFile) {
  const std::pair<const char*, TValidatorVerdict> cases[] = {
      {"a.xml - valid\n", TValidatorVerdict::Valid},
      {"a.xml - valid\r\n", TValidatorVerdict::Valid},
      {"a.xml:1: error\na.xml - invalid\n", TValidatorVerdict::Invalid},
      {"b.xml - valid\n", TValidatorVerdict::Unknown},
      {"xa.xml - valid\n", TValidatorVerdict::Unknown},
      {"", TValidatorVerdict::Unknown}};
  for (const auto& [output, verdict] : cases)
    EXPECT_EQ(JudgeValidatorOutput(output, "a.xml"), verdict) << output;
}

}  // namespace
}  // namespace app
