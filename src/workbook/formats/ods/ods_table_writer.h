#pragma once
// Writes one worksheet as a table:table element of content.xml, straight into memory parts of
// about 10,000 cells each, deflated as they are written, so a large sheet never becomes one tree
// nor is held uncompressed. Styles the cells need go to the export's registries; number styles
// are written as cells first use them.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/ods/ods_style_registries.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/sheet_pixel_grid.h"

namespace workbook {

class TCustomExporter;
class TExportRow;
class TExportWorkSheet;
class TWorkbook;
class TXmlNode;
class TXmlWriter;

class TODSTableWriter : public ICellWriteContext {
 public:
  // numberStyles receives number:*-style elements (it writes at office:automatic-styles' level);
  // parts receives the table's parts in order, each a buffer TCompressionStream finished.
  TODSTableWriter(TCustomExporter& exporter, TWorkbook& workbook, TODSStyleRegistries& styles,
                  TXmlWriter& numberStyles, std::vector<std::unique_ptr<TMemoryStream>>& parts);
  ~TODSTableWriter() override;

  // The sheet at index; its auto-filter goes to databaseRanges.
  void Write(TExportWorkSheet& sheet, int index, const TXmlNode& databaseRanges);

  std::uint32_t SharedStringIndex(const TExportCellString&) override { return 0; }
  void WriteODSAttachments(TXmlWriter& writer, TExportCell& cell) override;
  std::u16string ODSTextStyleName(const TExportFont& font) override;

 private:
  // Where the sheet's one XML writer writes: the current memory part, which can be handed to
  // the part list between two rows while elements around them stay open.
  class TPartSink : public TStream {
   public:
    explicit TPartSink(std::vector<std::unique_ptr<TMemoryStream>>& parts) : parts_(parts) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Hands the current part over and starts a new one (none with last).
    void NextPart(bool last);

   private:
    std::vector<std::unique_ptr<TMemoryStream>>& parts_;
    std::unique_ptr<TMemoryStream> part_;
    std::unique_ptr<TCompressionStream> packer_;
    std::int64_t written_ = 0;
  };

  void WriteColumns();
  void WriteRows();
  void WriteRow(int rowIndex, TExportRow& row);
  void WriteEmptyRows(int count);
  std::u16string CellStyleName(TExportCell& cell, bool rowStyled);
  std::u16string SpannedStyleName(TExportCell& cell);
  // Opens and closes outline groups (element) until current equals level.
  void MoveToLevel(int& current, int level, const char* element, bool hidden);

  TCustomExporter& exporter_;
  TWorkbook& workbook_;
  TODSStyleRegistries& styles_;
  TXmlWriter& numberStyles_;
  std::vector<std::unique_ptr<TMemoryStream>>& parts_;

  // Per sheet.
  TExportWorkSheet* sheet_ = nullptr;
  TSheetPixelGrid grid_;
  std::u16string defaultCellStyle_;
  std::unique_ptr<TPartSink> sink_;
  std::unique_ptr<TXmlWriter> writer_;
  long long partCells_ = 0;
  // Style names of cells without a style of their own in unstyled rows, by class and format
  // code: such cells look alike, and a key per cell would cost time.
  std::unordered_map<std::u16string, std::u16string> unstyledNames_;
};

}  // namespace workbook
