#include "app/statement/sum_texts.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/format_settings.h"

using namespace app;

namespace {

class SumTexts : public ::testing::Test {
 protected:
  // The main window's formats: "1 234,56 €".
  void SetUp() override {
    saved_ = platform::FormatSettings();
    platform::FormatSettings().ThousandSeparator = u' ';
    platform::FormatSettings().DecimalSeparator = u',';
    platform::FormatSettings().CurrencyString = u"€";
    platform::FormatSettings().CurrencyDecimals = 2;
  }
  void TearDown() override { platform::FormatSettings() = saved_; }
  platform::TFormatSettings saved_;
};

// Up to 15 digits before the point, and the out-of-range text (never stray bytes) beyond.
TEST_F(SumTexts, CurrencyAndQuantity) {
  const long double huge = std::numeric_limits<long double>::max();
  struct Case {
    long double sum;
    std::u16string currency;
    std::u16string quantity;
  } cases[] = {
      {1234.56L, u"1 234,56 €", u"1234,56"},
      {-1234.5L, u"-1 234,50 €", u"-1234,50"},
      {-0.004L, u"0,00 €", u"0,00"},
      {999999.996L, u"1 000 000,00 €", u"1000000,00"},
      {999999999999999.L, u"999 999 999 999 999,00 €", u"999999999999999,00"},
      {1e15L, u"mimo rozsahu", u"mimo rozsahu"},
      {1e61L, u"mimo rozsahu", u"mimo rozsahu"},
      {-1e61L, u"mimo rozsahu", u"mimo rozsahu"},
      {huge, u"mimo rozsahu", u"mimo rozsahu"},
      {-huge, u"mimo rozsahu", u"mimo rozsahu"},
      {std::numeric_limits<long double>::quiet_NaN(), u"mimo rozsahu", u"mimo rozsahu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.sum));
    EXPECT_EQ(CurrencyText(c.sum), c.currency);
    EXPECT_EQ(QuantityText(c.sum), c.quantity);
  }
}

TEST_F(SumTexts, QuantityKeysShowNoCurrency) {
  EXPECT_EQ(SumText("A2-Mn", 5.5L), u"5,50");
  EXPECT_EQ(SumText("C1-Mn", 5.5L), u"5,50");
  EXPECT_EQ(SumText("A2-Z", 5.5L), u"5,50 €");
}

}  // namespace
