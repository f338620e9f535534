#pragma once
// The comments of one worksheet while the XLSX writer writes it: the comments part and the legacy
// VML part that places the comment boxes.
#include <memory>
#include <string>
#include <vector>

#include "workbook/model/cell_comment.h"
#include "workbook/model/sheet_pixel_grid.h"

namespace workbook {

class TExportWorkSheet;
class TZipArchive;

class TExporterXLSX_Comment : public TExportCellComment {
 public:
  int Col = 0;
  int Row = 0;
};

// The comments of one worksheet while it is written, and the two parts they become.
class TExporterXLSX_CommentsInWorkSheet {
 public:
  explicit TExporterXLSX_CommentsInWorkSheet(TExportWorkSheet& sheet) : sheet_(sheet) {}

  // Copies comment with its cell's position; returns its index.
  int AddComment(const TExportCellComment& comment);
  int GetCount() const { return static_cast<int>(comments_.size()); }
  // xl/commentsN.xml ("/xl/..." with absolute, for relationship targets).
  std::u16string GetCommentsFileName(bool absolute) const;
  // xl/drawings/vmlDrawingN.vml likewise.
  std::u16string GetVmlDrawingFileName(bool absolute) const;
  void WriteCommentsXML(TZipArchive& zip) const;
  void WriteVMLDrawing(TZipArchive& zip, const TSheetPixelGrid& grid) const;
  // The parts' bytes, as the two writers add them.
  std::string CommentsXML() const;
  std::string VMLDrawing(const TSheetPixelGrid& grid) const;

 private:
  TExportWorkSheet& sheet_;
  std::vector<std::unique_ptr<TExporterXLSX_Comment>> comments_;
};

}  // namespace workbook
