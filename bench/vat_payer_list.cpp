// Loads a VAT-payer register of the authority's layout: a generated file of SIZE megabytes
// (default 300) in the temporary folder, read through the check's own loader; prints the entries,
// the time and the process's peak memory, which should stay near what the entries hold.
//
//   bench_vat_payer_list [MEGABYTES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/statement/vat_payer_list.h"
#include "measure.h"

int main(int argc, char** argv) {
  const long megabytes = argc > 1 ? std::atol(argv[1]) : 300;
  const auto path = std::filesystem::temp_directory_path() / "bench_vat_payer_list.csv";
  {
    std::ofstream out(path, std::ios::binary);
    out << "ZoznamSubjektovRegistrovanychkDPH;06.12.2026\r\nIC_DPH;ICO;NAZOV;ADRESA\r\n";
    std::string line;
    for (long i = 0; out.tellp() < megabytes << 20; ++i) {
      line = "SK" + std::to_string(2020000000 + i) + ";" + std::to_string(30000000 + i) +
             ";Firma " + std::to_string(i) + " s.r.o.;Hlavna " + std::to_string(i % 200) +
             ", 811 01 Bratislava\r\n";
      out << line;
    }
  }
  const long before = bench::PeakKilobytes();
  const auto start = std::chrono::steady_clock::now();
  const auto list = app::LoadVATList(path.string());
  const double seconds = bench::Seconds(start);
  std::size_t text = 0;
  for (const app::tVATSubject& entry : list->Entries) text += entry.Text.size();
  std::printf(
      "file %ld MB, %zu entries (%zu MB of numbers and texts)\n%.2f s, peak %ld MB "
      "(%ld MB before the load)\n",
      megabytes, list->Entries.size(), (text + list->Entries.size() * sizeof(std::int64_t)) >> 20,
      seconds, bench::PeakKilobytes() >> 10, before >> 10);
  std::filesystem::remove(path);
  return 0;
}
