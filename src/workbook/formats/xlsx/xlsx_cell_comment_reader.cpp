// Comments of an XLSX comments part and their boxes from the VML part.
#include <cmath>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/formats/xlsx/xlsx_rich_string.h"
#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/limits.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// The number at the start of a VML length ("112.5pt"), 0 when none.
double LeadingNumber(std::string_view value) {
  std::size_t start = value.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0;
  std::size_t end = start;
  while (end < value.size() && ((value[end] >= '0' && value[end] <= '9') || value[end] == '.'))
    ++end;
  double number = 0;
  const std::string_view digits = value.substr(start, end - start);
  if (!ISOTryStrToFloat(std::u16string(digits.begin(), digits.end()), number)) return 0;
  return number;
}

// A VML length in pixels, kept to a size a box can have: points, or pixels with "px" (as some
// producers write them).
int LengthToPixels(std::string_view value) {
  const double number = LeadingNumber(value);
  const bool inPixels = value.find("px") != std::string_view::npos;
  const double pixels = std::round(inPixels ? number : number / 0.75);
  return pixels > 100000 ? 100000 : static_cast<int>(pixels);
}

bool IsHexColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return false;
  for (char c : text.substr(1))
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

char FirstLower(std::string_view text) {
  if (text.empty()) return 0;
  const char c = text[0];
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr std::string_view kVMLNamespace = "urn:schemas-microsoft-com:vml";
constexpr std::string_view kVMLExcelNamespace = "urn:schemas-microsoft-com:office:excel";

// The first child element of node in that namespace with that local name: producers pick their
// own prefixes for the VML namespaces (v:, ns0:).
TXmlNode VMLChild(const TXmlNode& node, std::string_view namespaceURI, std::string_view localName) {
  for (TXmlNode child = node.FirstElement(); child; child = child.NextElement())
    if (child.LocalName() == localName && child.NamespaceURI() == namespaceURI) return child;
  return TXmlNode();
}

// A 0-based position of x:Column or x:Row; -1 when it is no number or too large.
int Position(const TXmlNode& node, int limit) {
  const std::string_view text = node ? node.Text() : std::string_view();
  if (text.empty() || text.size() > 9) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value < limit ? value : -1;
}

}  // namespace

void TExportCellComment::ReadXLSX(const TXmlNode& comment, const IThemeColors* theme,
                                  const IColorPalette* palette) {
  richText_.reset();
  std::u16string text;
  TXLSXRichTextRuns runs;
  ReadXLSXRichString(comment.Child("text"), {theme, palette}, TXLSXTextForm::Comment, text, runs);
  for (const TXLSXRichTextRun& run : runs) GetRichText().AddTag(run.Position, run.Font);
  SetText(text);
}

void TExportCellComment::ReadXLSXVml(const TXmlNode& shape) {
  std::string_view style = shape.Attr("style");
  while (!style.empty()) {
    const std::size_t end = style.find(';');
    const std::string_view pair = style.substr(0, end);
    style = end == std::string_view::npos ? std::string_view() : style.substr(end + 1);
    const std::size_t colon = pair.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view name = pair.substr(0, colon);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name == "width")
      Bounds.SetWidth(LengthToPixels(pair.substr(colon + 1)));
    else if (name == "height")
      Bounds.SetHeight(LengthToPixels(pair.substr(colon + 1)));
  }
  const std::string_view fill = shape.Attr("fillcolor");
  if (IsHexColor(fill)) Color = ARGBHexToColor(std::u16string(fill.begin(), fill.end()));

  const TXmlNode data = VMLChild(shape, kVMLExcelNamespace, "ClientData");
  switch (FirstLower(VMLChild(data, kVMLExcelNamespace, "TextHAlign").Text())) {
    case 'c':
      Alignment = 2;
      break;
    case 'f':
      Alignment = 4;
      break;
    case 'j':
      Alignment = 5;
      break;
    case 'l':
      Alignment = 1;
      break;
    case 'r':
      Alignment = 3;
      break;
    default:
      Alignment = 0;
  }
  switch (FirstLower(VMLChild(data, kVMLExcelNamespace, "TextVAlign").Text())) {
    case 'b':
      VAlignment = 3;
      break;
    case 'c':
      VAlignment = 2;
      break;
    case 'd':
      VAlignment = 5;
      break;
    case 'j':
      VAlignment = 4;
      break;
    case 't':
      VAlignment = 1;
      break;
    default:
      VAlignment = 0;
  }
}

void ReadXLSXComments(TExportWorkSheet& sheet, const TXmlNode& commentsRoot,
                      const TXmlNode& vmlRoot, const IThemeColors* theme,
                      const IColorPalette* palette) {
  for (const TXmlNode& comment : commentsRoot.FindPath("commentList").Elements("comment")) {
    int col = 0, row = 0;
    if (!ParseCellRefColRow(comment.Attr16("ref"), col, row) || col < 0 || row < 0 ||
        col >= kMaxSheetCols || row >= kMaxSheetRows)
      continue;
    sheet.FindCreateCell(col, row, TCellClass::Empty, false)
        ->GetComment()
        .ReadXLSX(comment, theme, palette);
  }
  if (!vmlRoot) return;
  for (TXmlNode shape = vmlRoot.FirstElement(); shape; shape = shape.NextElement()) {
    if (shape.LocalName() != "shape" || shape.NamespaceURI() != kVMLNamespace) continue;
    const TXmlNode data = VMLChild(shape, kVMLExcelNamespace, "ClientData");
    const int col = Position(VMLChild(data, kVMLExcelNamespace, "Column"), kMaxSheetCols);
    const int row = Position(VMLChild(data, kVMLExcelNamespace, "Row"), kMaxSheetRows);
    TExportCell* cell = nullptr;
    if (col < 0 || row < 0 || !sheet.FindCell(col, row, cell) || !cell) continue;
    // Shapes of other kinds (form controls) name cells without a comment.
    if (TExportCellComment* comment = cell->CommentIfAny()) comment->ReadXLSXVml(shape);
  }
}

}  // namespace workbook
