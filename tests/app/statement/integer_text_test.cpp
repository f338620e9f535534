#include "app/statement/integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

using namespace app;

TEST(IntegerText, AcceptedForms) {
  const std::pair<const char*, std::int64_t> cases[] = {{"0", 0},
                                                        {"1234567890", 1234567890},
                                                        {"0012", 12},
                                                        {"  42", 42},
                                                        {"+7", 7},
                                                        {"-15", -15},
                                                        {"9223372036854775807", INT64_MAX},
                                                        {"-9223372036854775808", INT64_MIN}};
  for (const auto& [text, value] : cases) EXPECT_EQ(TryStrToInt64(text), value) << text;
}

TEST(IntegerText, RejectedForms) {
  for (const char* text :
       {"", " ", "-", "+", "12.5", "12,5", "1e3", "42 ", "x12", "$1F", "0x1F", "12a",
        "9223372036854775808", "-9223372036854775809", "99999999999999999999"})
    EXPECT_FALSE(TryStrToInt64(text).has_value()) << text;
}
