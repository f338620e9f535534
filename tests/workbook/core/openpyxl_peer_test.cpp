// Number-format classification, reference parsing and shared-formula offsets against
// python3-openpyxl, on every format code, cell reference and formula of the shared corpus's XLSX
// files (and openpyxl's built-in format table).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "workbook/core/cell_refs.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/number_format_code.h"
#include "workbook/formats/python_peer.h"

namespace workbook {
namespace {

// Prints tab-separated lines: "fmt CODE-HEX IS-DATE", "ref TOKEN BOUNDS|error",
// "f FORMULA-HEX COL-OFFSET ROW-OFFSET RESULT-HEX|error" (texts in UTF-8 hex).
constexpr const char* kPeerScript = R"PY(
import glob, html, re, sys, zipfile
from openpyxl.formula.translate import Translator
from openpyxl.styles.numbers import BUILTIN_FORMATS, is_date_format
from openpyxl.utils.cell import range_boundaries

codes, refs, formulas = set(BUILTIN_FORMATS.values()), set(), set()
for name in sorted(glob.glob(sys.argv[1] + '/**/*.xlsx', recursive=True)):
    try:
        z = zipfile.ZipFile(name)
        parts = z.namelist()
    except Exception:
        continue
    for part in parts:
        if not part.endswith('.xml'):
            continue
        s = z.read(part).decode('utf8', 'replace')
        if part == 'xl/styles.xml':
            codes.update(html.unescape(m.group(1)) for m in
                         re.finditer(r'<(?:\w+:)?numFmt [^>]*formatCode="([^"]*)"', s))
        if part.startswith('xl/worksheets/'):
            for m in re.finditer(r'\s(?:r|ref|sqref)="([^"]*)"', s):
                refs.update(t for t in m.group(1).split() if not t.isdigit())
            formulas.update(html.unescape(m.group(1)) for m in
                            re.finditer(r'<(?:\w+:)?f(?: [^>]*)?>([^<]+)</(?:\w+:)?f>', s))
for c in sorted(codes):
    print('fmt', c.encode().hex(), int(is_date_format(c)), sep='\t')
for r in sorted(refs):
    try:
        b = ' '.join(str(-1 if x is None else x) for x in range_boundaries(r))
    except Exception:
        b = 'error'
    print('ref', r, b, sep='\t')
for f in sorted(formulas):
    for dc, dr in ((1, 1), (2, 0), (0, 3)):
        try:
            t = Translator('=' + f, origin='C3').translate_formula(
                chr(ord('C') + dc) + str(3 + dr))[1:].encode().hex()
        except Exception:
            t = 'error'
        print('f', f.encode().hex(), dc, dr, t, sep='\t')
)PY";

std::u16string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return platform::Utf8ToUtf16(bytes);
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  return fields;
}

class OpenpyxlPeerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string corpus = std::string(SHARED_DIR) + "/corpus";
    if (!std::filesystem::is_directory(corpus)) {
      skipReason_ = "shared corpus not found at " + corpus;
      return;
    }
    if (!test_support::PythonAvailable() ||
        std::system("/usr/bin/python3 -c 'import openpyxl' >/dev/null 2>&1") != 0) {
      skipReason_ = "/usr/bin/python3 with openpyxl is not installed";
      return;
    }
    test_support::TScratchDir dir;
    const std::string script =
        std::string("import sys\nsys.argv = ['', '") + corpus + "']\n" + kPeerScript;
    for (const std::string& line : Split(test_support::RunPython(dir, script), '\n'))
      lines_.push_back(Split(line, '\t'));
  }

  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
  }

  static std::vector<std::vector<std::string>> Lines(const std::string& kind) {
    std::vector<std::vector<std::string>> result;
    for (const auto& fields : lines_)
      if (!fields.empty() && fields[0] == kind) result.push_back(fields);
    return result;
  }

  static inline std::string skipReason_;
  static inline std::vector<std::vector<std::string>> lines_;
};

TEST_F(OpenpyxlPeerTest, DateFormatsAgree) {
  const auto lines = Lines("fmt");
  ASSERT_GT(lines.size(), 40u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 3u);
    const std::u16string code = FromHex(f[1]);
    TNumberFormatRec rec;
    const bool isDate = ParseNumberFormat(code, rec) == TNumberFormatClass::DateTime;
    EXPECT_EQ(isDate, f[2] == "1") << platform::Utf16ToUtf8(code);
  }
}

TEST_F(OpenpyxlPeerTest, ReferencesAgree) {
  const auto lines = Lines("ref");
  ASSERT_GT(lines.size(), 1000u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 3u);
    const std::u16string text = platform::Utf8ToUtf16(f[1]);
    std::string ours = "error";
    const size_t colon = f[1].find(':');
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (colon == std::string::npos) {
      if (ParseCellRefColRow(text, c1, r1))
        ours = std::to_string(c1 + 1) + " " + std::to_string(r1 + 1) + " " +
               std::to_string(c1 + 1) + " " + std::to_string(r1 + 1);
    } else if (ParseCellRangeRefColRow(text, c1, r1, c2, r2, true)) {
      ours = std::to_string(c1 + 1) + " " + std::to_string(r1 + 1) + " " + std::to_string(c2 + 1) +
             " " + std::to_string(r2 + 1);
    } else if (ParseColRangeRef(text, c1, c2)) {
      ours = std::to_string(c1 + 1) + " -1 " + std::to_string(c2 + 1) + " -1";
    } else if (ParseRowRangeRef(text, r1, r2)) {
      ours = "-1 " + std::to_string(r1 + 1) + " -1 " + std::to_string(r2 + 1);
    }
    EXPECT_EQ(ours, f[2]) << f[1];
  }
}

TEST_F(OpenpyxlPeerTest, SharedFormulaOffsetsAgree) {
  const auto lines = Lines("f");
  ASSERT_GT(lines.size(), 50u);
  for (const auto& f : lines) {
    ASSERT_EQ(f.size(), 5u);
    if (f[4] == "error") continue;
    const std::u16string formula = FromHex(f[1]);
    EXPECT_EQ(platform::Utf16ToUtf8(OffsetFormulaRefs(formula, std::stoi(f[2]), std::stoi(f[3]))),
              platform::Utf16ToUtf8(FromHex(f[4])))
        << platform::Utf16ToUtf8(formula) << " by " << f[2] << "," << f[3];
  }
}

}  // namespace
}  // namespace workbook
