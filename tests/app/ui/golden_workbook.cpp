#include "app_fixture.h"

#include "platform/text_codec.h"

namespace app::test {

std::vector<TFakeSheet> GoldenWorkbook() {
  using R = std::vector<std::string>;
  auto sheet = [](const char* name, std::vector<R> rows) {
    rows.insert(rows.begin(), R{"heading"});
    return TFakeSheet{name, rows};
  };
  return {
      sheet("A1", {{"SK1234567890", "FV2021001", "2021-03-05", "1000", "200", "20", ""},
                   {"", "FV2021002", "2021-03-08", "50.5", "5.05", "10", "1"}}),
      sheet("A2",
            {{"SK4444444444", "FV2021010", "2021-03-10", "2500", "7201", "", "597.67", "t", ""},
             {"SK4545454545", "FV2021011", "2021-03-11", "300", "", "IO", "27", "ks", "2"}}),
      sheet("B1", {{"CZ12121212", "25/2021", "2021-03-02", "1444.39", "288.88", "20", "288.88", ""},
                   {"", "1030/2021", "2021-03-22", "100", "20", "20", "20", "2"}}),
      sheet("B2", {{"SK6666666666", "21-19", "2021-03-04", "784.96", "156.99", "20", "156.99", ""},
                   {"SK7777777777", "2103816", "2021-03-26", "639.16", "63.92", "10", "0", "1"}}),
      sheet("B31", {{"88.64", "17.73", "17.73", ""}}),
      sheet("B32", {{"SK8888888888", "120", "24", "24", "2"}}),
      sheet(
          "C1",
          {{"SK1234567890", "FV2021001", "DB2021001", "-100", "-20", "20", "", "", "", "", "", "1"},
           {"", "FV2021003", "DB2021002", "-50", "", "", "7226", "", "-5.5", "kg", "2", ""}}),
      sheet("C2", {{"SK8787878787", "2060/2021", "DB-7", "-200", "-40", "20", "-40", "", "2"}}),
      sheet("D1", {{"416.9", "145.27", "29.05", "219.62", "21.96", ""}}),
      sheet("D2", {{"548.02", "109.6", "504.42", "50.44", "1"}}),
      sheet("SV1",
            {{"CZ12345678", "1500", ""}, {"DE123456789", "250", "2"}, {"HU12345678", "-10", "3"}}),
      sheet("SV2", {{"CZ12345678", "SK1234567890", "x", ""}, {"PL1234567890", "", "", "x"}}),
  };
}

TSettingsValues GoldenSettings() {
  TSettingsValues values = PlainSettings();
  values.Subject = {"SK2020123456",
                    "Obchod & Servis, s.r.o. Banská Bystrica",
                    "Slovenská republika",
                    "Banská Bystrica",
                    "97401",
                    "Námestie SNP",
                    "12/A",
                    "+421 905 123 456",
                    "info@obchod.sk"};
  for (auto& text : values.Subject) text = platform::Utf8ToCp1250(text);
  return values;
}

}  // namespace app::test
