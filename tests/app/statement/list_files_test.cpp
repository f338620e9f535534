#include "app/statement/list_files.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace app;

// Every slot holds its own number: the lines show which slot each key is written from.
TEST(SumsFile, KeysInOrderWithTheirSlots) {
  tDataTotals totals;
  for (std::size_t i = 0; i < totals.Sum.size(); ++i) totals.Sum[i] = static_cast<double>(i + 1);
  std::istringstream expected(
      "A1-Z;1 A1-D;2 A2-Z;3 A2-Mn;4 B1-Z;5 B1-D;6 B1-O;7 B2-Z;8 B2-D;9 "
      "B2-O;10 B31-Z;11 B31-D;12 B31-O;13 B32-Z;14 B32-D;15 B32-O;16 C1-ZR;17 C1-DR;18 C1-Mn;19 "
      "C2-ZR;20 C2-DR;21 C2-OR;22 D1-SumaObratov;24 D1-Z;25 D1-D;26 D1-ZZn;27 D1-DZn;28 D2-Z;29 "
      "D2-D;30 D2-ZZn;31 D2-DZn;32 SV-Z;33");
  TTextLines lines = {"Sekcia - udaj;Sucet"};
  for (std::string line; std::getline(expected, line, ' ');) lines.push_back(line);
  EXPECT_EQ(SumsFileLines(totals), lines);
}

// Sums of amounts and quantities, all kept to the cent.
TEST(SumsFile, NumberForm) {
  struct Case {
    double sum;
    const char* text;
  } cases[] = {{1000, "1000"},
               {0.1, "0,1"},
               {1234.5, "1234,5"},
               {-250.75, "-250,75"},
               {0.1 + 0.2, "0,3"},
               {12345678901.23, "12345678901,23"},
               {-0.0, "0"},
               {-0.004, "0"},
               {0.995, "1"},
               // A plain decimal to the cent: no exponent, no digits cut.
               {1e15, "1000000000000000"},
               {-2.5e17, "-250000000000000000"},
               {12345678901234.56, "12345678901234,56"}};
  for (const auto& c : cases) {
    tDataTotals totals;
    totals.Sum[0] = c.sum;
    EXPECT_EQ(SumsFileLines(totals)[1], std::string("A1-Z;") + c.text) << c.sum;
  }
}
