#pragma once
// TExporterXLSX_Drawings: the cell drawings of one worksheet being written, in the order its
// cells hand them over. Their positions number the anchors of the sheet's drawing part and the
// relationships to the pictures.
#include <string>
#include <vector>

namespace workbook {

class TExportCellDrawing;
class TZipArchive;
struct TSheetPixelGrid;

class TExporterXLSX_Drawings {
 public:
  // Only placements that show a drawing are kept. Cells with drawings are never freed while
  // their sheet is written, so the placements stay valid.
  void Add(TExportCellDrawing& drawing);
  int Count() const { return static_cast<int>(items_.size()); }
  TExportCellDrawing& GetItem(int index) const {
    return *items_.at(static_cast<std::size_t>(index));
  }
  void Clear() { items_.clear(); }

  // Writes "xl/drawings/drawing" + (sheetIndex + 1) + ".xml" with its relationships part and
  // returns the part's name with a leading "/".
  std::string WriteXLSX(TZipArchive& zip, int sheetIndex, const TSheetPixelGrid& grid) const;

 private:
  std::vector<TExportCellDrawing*> items_;
};

}  // namespace workbook
