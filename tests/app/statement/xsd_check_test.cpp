// The external validator's output read back as a verdict.
#include "app/statement/xsd_check.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ValidatorVerdict, IsTheLineThatNamesTheFile) {
  EXPECT_EQ(JudgeValidatorOutput("a.xml - valid\n", "a.xml"), TValidatorVerdict::Valid);
  EXPECT_EQ(JudgeValidatorOutput("a.xml - valid\r\n", "a.xml"), TValidatorVerdict::Valid);
  EXPECT_EQ(JudgeValidatorOutput("a.xml:1: error\na.xml - invalid\n", "a.xml"),
            TValidatorVerdict::Invalid);
  EXPECT_EQ(JudgeValidatorOutput("b.xml - valid\n", "a.xml"), TValidatorVerdict::Unknown);
  EXPECT_EQ(JudgeValidatorOutput("xa.xml - valid\n", "a.xml"), TValidatorVerdict::Unknown);
  EXPECT_EQ(JudgeValidatorOutput("", "a.xml"), TValidatorVerdict::Unknown);
}

}  // namespace
}  // namespace app
