#pragma once
// Pictures stored once per workbook (TExportDrawings of TExportDrawing; TExportImage is an
// embedded picture file) and their placements in cells (TExportCellDrawings of
// TExportCellDrawing, each with its own frame style).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/class_rect.h"
#include "workbook/core/owned_list.h"
#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/model/drawing_style.h"
#include "workbook/model/sheet_pixel_grid.h"

namespace workbook {

class TExportCell;
class TExportCellDrawing;
class TExportDrawings;
class TZipArchive;

class TExportDrawing : public TOwnedListObject {
 public:
  std::u16string KeyName;                       // the package path a reader took the picture from
  std::vector<TExportCellDrawing*> References;  // not owned
  std::u16string Name;

  virtual std::u16string GetFileExtension() const = 0;
  virtual std::u16string GetMimeType() const = 0;
  virtual std::u16string GetODSTypeName() const = 0;
  virtual std::string GetXLSXElementName() const = 0;
  virtual std::u16string GetDescription() const { return std::u16string(); }

  // The per-format members are no virtual ones: each format's folder defines them for the one
  // kind of drawing there is, the picture file, so the model links no format code. Index is the
  // drawing's position in the workbook's list.
  // The raw text of one manifest:file-entry element.
  std::u16string WriteODSManifestEntry(int index) const;
  std::u16string GetXLSXFileName(int index) const;
  std::u16string GetODSFileName(int index) const;
  void SaveToXLSXPackage(TZipArchive& zip, int index) const;
  void SaveToODSPackage(TZipArchive& zip, int index) const;
  // The picture element's content (after its non-visual properties) in the anchor.
  void WriteXLSX(const TExportCellDrawing& cellDrawing, const TXmlNode& node, int index) const;
  // draw:image inside the frame.
  void WriteODS(TXmlWriter& writer, int index) const;
  // The picture's bytes from their start as the package entry name; the stream's position is
  // kept.
  void SaveData(TZipArchive& zip, const std::u16string& name) const;

  void AssignTo(TPersistent& dest) const override;

 protected:
  // Cell drawings still showing this one lose it.
  void DoDestroy() override;
};

class TExportImage : public TExportDrawing {
 public:
  std::u16string Extension;  // lower case, without the dot
  TMemoryStream Data;

  std::u16string GetFileExtension() const override { return Extension; }
  std::u16string GetMimeType() const override;
  std::u16string GetODSTypeName() const override { return u"image"; }
  std::string GetXLSXElementName() const override { return "pic"; }

  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

class TExportDrawings : public TOwnedListOf<TExportDrawing> {
 public:
  using TOwnedListOf::TOwnedListOf;
  // Copies the stream's bytes from its position on as a new image named after fileName (its
  // extension, lower-cased, gives the kind); EWorkbookFileNameException without an extension.
  int AddImage(TStream& stream, const std::u16string& fileName);
  int IndexOfName(const std::u16string& keyName) const;
};

class TExportCellDrawing : public TOwnedListObject {
 public:
  TClassRect Bounds;  // pixels from the cell's top-left corner
  TExportDrawingStyle Style;

  TExportDrawing* Drawing() const { return drawing_; }
  // Shows drawing (registered in its References); null shows nothing.
  void SetDrawing(TExportDrawing* drawing);

  int GetDrawingIndex() const { return drawing_ ? drawing_->GetIndex() : -1; }
  TExportCell* GetCell() const;
  TExportDrawings* GetDrawings() const;
  TExportDrawingFill& GetFill() { return Style.Fill; }
  TExportDrawingBorder& GetBorder() { return Style.Border; }
  TExportDrawingShadow& GetShadow() { return Style.Shadow; }

  // The cell where the picture's bottom-right corner lies and the offsets left inside it.
  void GetEndCell(const TSheetPixelGrid& grid, int& col, int& row, int& x, int& y) const;

  // draw:frame inside the cell's table:table-cell; styleName is the frame's "gr" style and
  // sheetName the sheet of the end-cell address.
  void WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid, const std::u16string& sheetName,
                const std::u16string& styleName) const;
  // xdr:twoCellAnchor appended to the drawing part's root; index numbers the anchor.
  void WriteXLSX(const TXmlNode& root, int index, const TSheetPixelGrid& grid) const;

  // Bounds and style copied; in another workbook the drawing is found by KeyName or copied.
  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

 protected:
  void DoDestroy() override;

 private:
  friend class TExportDrawing;
  TExportDrawing* drawing_ = nullptr;
};

// Owned by a cell (the list's owner).
class TExportCellDrawings : public TOwnedListOf<TExportCellDrawing> {
 public:
  using TOwnedListOf::TOwnedListOf;
};

}  // namespace workbook
