#pragma once
// The tax authority's CSV lists of VAT payers: recognising the kind of list, loading its entries
// and looking a VAT ID's number up in them.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/statement/settings_objects.h"

namespace app {

// Where the user downloads the lists (a zip of the CSV files); the program only opens it in
// the browser.
inline constexpr const char kVATListDownloadURL[] =
    "http://report.financnasprava.sk/report/ds_dphs_csv.zip";

enum class TVATListKind {
  Register,       // registered VAT payers: an ID missing from it is invalid
  Cancellation,   // payers with a reason for cancelling their registration: an ID found is reported
  SpecialScheme,  // payers applying the special scheme: an ID found is reported
};

// The kind told by the start of the file's first line; nothing for any other file.
std::optional<TVATListKind> VATListKindOf(std::string_view firstLine);

// The lines of an 8-bit text file, read in pieces so that the file is never whole in memory: a
// line ends at LF or CR LF; a line end at the very end of the file starts no further line. Only
// the first `keep` characters of a line are kept, so one huge line costs nothing either.
class TFileLineReader {
 public:
  TFileLineReader(std::istream& in, std::size_t keep, std::size_t chunk = 1 << 16);
  // The next line; false at the end of the file. Raises EInOutError when reading fails.
  bool Next(std::string& line);

 private:
  bool Fill();

  std::istream& in_;
  std::size_t keep_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t size_ = 0;
};

struct TVATList {
  TVATListKind Kind;
  // Sorted by Number, so that VATsearch answers right also for lists not in ascending order.
  std::vector<tVATSubject> Entries;
};

// A whole list file. Nothing for a file of an unknown kind. Raises EConvertError when a list line
// has no number in its characters 3 to 12. The list takes memory for its entries only.
std::optional<TVATList> ReadVATList(std::istream& in);

// ReadVATList of the named file; raises EInOutError when it cannot be read.
std::optional<TVATList> LoadVATList(const std::string& fileName);

// Whether the list, sorted by Number, holds an entry with the key (binary search).
bool VATsearch(const std::vector<tVATSubject>& list, std::int64_t key);

// The number a VAT ID is looked up by: its characters 3 to 12 (after the country code) read as a
// decimal number; nothing when they are not one.
std::optional<std::int64_t> VATIdKey(std::string_view vatId);

}  // namespace app
