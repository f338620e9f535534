// Pictures of an XLSX drawing part placed on a worksheet.
#include <algorithm>
#include <cmath>

#include "platform/text_codec.h"
#include "workbook/core/drawingml_nodes.h"
#include "workbook/core/path_utils.h"
#include "workbook/formats/xlsx/xlsx_drawing.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::string_view kImageRelType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

// A whole number of a marker, fallback when it is none; kept within +-limit.
long long Number(std::string_view text, long long fallback, long long limit) {
  if (text.empty()) return fallback;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return fallback;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    value = std::min(value * 10 + (text[i] - '0'), limit);
  }
  return text[0] == '-' ? -value : value;
}

long long Number(const TXmlNode& node, long long fallback, long long limit) {
  return Number(node ? node.Text() : std::string_view(), fallback, limit);
}

// An extent: 0 unless a number of 0 or more.
long long Digits(std::string_view text, long long limit) {
  return std::max(Number(text, 0, limit), 0LL);
}

// A picture of a million pixels each way is more than any sheet shows.
constexpr long long kMaxEMU = 1000000LL * kEMUPerPixel;

int EMUToPixels(long long emu) {
  return static_cast<int>(std::llround(static_cast<double>(emu) / kEMUPerPixel));
}

struct TMarker {
  int Col = 0, Row = 0, ColOff = 0, RowOff = 0;
};

bool ReadMarker(const TXmlNode& node, TMarker& marker) {
  if (!node) return false;
  const long long col = Number(DrawingMLPath(node, "xdr:col"), -1, kMaxSheetCols);
  const long long row = Number(DrawingMLPath(node, "xdr:row"), -1, kMaxSheetRows);
  if (col < 0 || row < 0 || col >= kMaxSheetCols || row >= kMaxSheetRows) return false;
  marker.Col = static_cast<int>(col);
  marker.Row = static_cast<int>(row);
  marker.ColOff = EMUToPixels(Number(DrawingMLPath(node, "xdr:colOff"), 0, kMaxEMU));
  marker.RowOff = EMUToPixels(Number(DrawingMLPath(node, "xdr:rowOff"), 0, kMaxEMU));
  return true;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The package path of the image relationship id, empty when there is none of the image type.
std::string ImageTarget(const TXmlNode& relsRoot, std::string_view id, const std::string& base) {
  if (!relsRoot || id.empty()) return std::string();
  for (const TXmlNode& rel : relsRoot.Elements("Relationship"))
    if (rel.Attr("Id") == id)
      return rel.Attr("Type") == kImageRelType
                 ? CombineRelativePath(base, rel.Attr("Target"), '/', "")
                 : std::string();
  return std::string();
}

TExportDrawing* FindOrAddImage(TWorkbook& workbook, TZipArchive& zip, const std::u16string& path,
                               const std::u16string& shapeName) {
  const int known = workbook.Drawings.IndexOfName(path);
  if (known >= 0) return workbook.Drawings.GetItem(known);
  const std::u16string extension = ExtractFileExtWithoutDot(path);
  if (extension.empty()) return nullptr;  // no kind to store it as
  std::unique_ptr<TMemoryStream> data;
  std::int64_t size = 0;
  if (!zip.ExtractToMemoryStream(path, data, size) || !data) return nullptr;
  std::u16string name = shapeName.empty() ? ExtractFileNameWithoutExt(path) : shapeName;
  name = ReplaceInvalidFileNameChars(name, u'_');
  const int index = workbook.Drawings.AddImage(*data, name + u"." + extension);
  TExportDrawing* drawing = workbook.Drawings.GetItem(index);
  drawing->KeyName = path;
  return drawing;
}

}  // namespace

void ReadXLSXDrawingPart(TExportWorkSheet& sheet, const TXmlNode& drawingRoot,
                         const TXmlNode& relsRoot, const std::u16string& drawingPath,
                         TZipArchive& zip, const TSheetPixelGrid& grid, const IThemeColors* theme) {
  TWorkbook* workbook = sheet.GetWorkbook();
  if (!workbook || !drawingRoot) return;
  const std::string base = Folder(platform::Utf16ToUtf8(drawingPath));
  for (TXmlNode anchor = drawingRoot.FirstElement(); anchor; anchor = anchor.NextElement()) {
    const TXmlNode pic = DrawingMLPath(anchor, "xdr:pic");
    if (!pic) continue;
    const std::string target = ImageTarget(
        relsRoot, RelationshipId(DrawingMLPath(pic, "xdr:blipFill/a:blip"), "embed"), base);
    TMarker from, to;
    if (target.empty() || !ReadMarker(DrawingMLPath(anchor, "xdr:from"), from)) continue;
    int right = 0, bottom = 0;
    if (ReadMarker(DrawingMLPath(anchor, "xdr:to"), to)) {
      TExportWorkSheet::GetPixelPosition(grid, right, bottom, from.Col, to.Col, to.ColOff, from.Row,
                                         to.Row, to.RowOff);
    } else {
      // A one-cell anchor gives the size instead of the far corner.
      const TXmlNode ext = DrawingMLPath(anchor, "xdr:ext");
      right = from.ColOff + EMUToPixels(Digits(ext.Attr("cx"), kMaxEMU));
      bottom = from.RowOff + EMUToPixels(Digits(ext.Attr("cy"), kMaxEMU));
    }
    right = std::max(right, from.ColOff);
    bottom = std::max(bottom, from.RowOff);
    TExportDrawing* drawing = FindOrAddImage(
        *workbook, zip, platform::Utf8ToUtf16(target),
        platform::Utf8ToUtf16(DrawingMLPath(pic, "xdr:nvPicPr/xdr:cNvPr").Attr("name")));
    if (!drawing) continue;
    TExportCell* cell = sheet.FindCreateCell(from.Col, from.Row, TCellClass::Empty, false);
    TExportCellDrawing* placed = cell->GetDrawings().AddNew();
    placed->Bounds = TClassRect(from.ColOff, from.RowOff, right, bottom);
    placed->SetDrawing(drawing);
    if (const TXmlNode spPr = DrawingMLPath(pic, "xdr:spPr")) placed->Style.ReadXLSX(spPr, theme);
  }
}

}  // namespace workbook
