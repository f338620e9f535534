#pragma once
// The package parts the worksheets take as their own: the sheet parts and their drawing,
// comments and VML parts. Each belongs to one sheet; a part that a second relationship names
// again would be read over and over (a small file naming one part thousands of times takes
// gigabytes), so it is refused as the damaged file it is.
#include <string>
#include <unordered_set>

namespace workbook {

class TXLSXPartClaims {
 public:
  // Raises EWorkbookFileException when the part was claimed before.
  void Claim(const std::string& part);

 private:
  std::unordered_set<std::string> claimed_;
};

}  // namespace workbook
