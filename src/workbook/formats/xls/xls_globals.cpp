#include "workbook/formats/xls/xls_globals.h"

#include <algorithm>
#include <optional>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_data.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_strings.h"

namespace workbook {

using namespace xls_record;

namespace {

[[noreturn]] void Invalid() { throw EWorkbookFileException(WorkbookLng_InvalidXLS); }

// Whether a worksheet substream (a BOF of type worksheet) stands anywhere after position.
bool WorksheetFollows(TOleStreamReader& stream, std::int64_t position) {
  TXLSRecordReader reader(stream, position);
  while (reader.Next()) {
    if (reader.Id() == kBof && reader.Size() >= 4 &&
        XLSCurrentRecordData(reader).Word(2) == kBofWorksheet)
      return true;
  }
  return false;
}

}  // namespace

void TXLSGlobals::Read(TOleStreamReader& stream, TExportFontList& fonts,
                       TExporterXLSX_StyleSheet& styles) {
  CheckBof(stream);
  styles.BeginReadXLS();
  FirstPass(stream, styles);
  SecondPass(stream, fonts, styles);
}

void TXLSGlobals::CheckBof(TOleStreamReader& stream) {
  TXLSRecordReader reader(stream);
  if (!reader.Next()) Invalid();
  const std::uint16_t id = reader.Id();
  if (id == kBof2 || id == kBof3 || id == kBof4) throw EWorkbookFileException(WorkbookLng_OldXLS);
  if (id != kBof) Invalid();
  const TXLSRecordData data = XLSCurrentRecordData(reader);
  if (data.Word(0) < kBiff8Version) throw EWorkbookFileException(WorkbookLng_OldXLS);
  if (data.Word(2) != kBofWorkbookGlobals) Invalid();
}

void TXLSGlobals::FirstPass(TOleStreamReader& stream, TExporterXLSX_StyleSheet& styles) {
  TXLSRecordReader reader(stream);
  end_ = 0;
  reader.Next();  // the BOF checked above
  while (reader.Next()) {
    const std::uint16_t id = reader.Id();
    if (id == kEof) {
      end_ = reader.Position() + 4 + reader.Size();
      break;
    }
    switch (id) {
      case kFilePass:
        // Everything after FILEPASS is encrypted: reading on would only produce garbage.
        throw EWorkbookFileException(WorkbookLng_EncryptedFile);
      case kBoundSheet: {
        const TXLSRecordData data = XLSCurrentRecordData(reader);
        if (data.Byte(5) != 0) break;  // charts, macro sheets and modules are not worksheets
        reader.Skip(6);
        worksheetNames_.push_back(XLSReadString(reader, TXLSLengthRecord::Byte));
        break;
      }
      case kExternSheet: {
        const TXLSRecordData data = XLSCurrentRecordData(reader);
        // The count may promise more entries than the record holds (the rest would be in
        // CONTINUE records); only the entries present are taken.
        const std::size_t count = std::min<std::size_t>(data.Word(0), (data.Size() - 2) / 6);
        externSheets_.clear();
        for (std::size_t i = 0; i < count; ++i) externSheets_.push_back(data.Word(2 + i * 6 + 2));
        break;
      }
      case kName:
        if (namePosition_ == 0) namePosition_ = reader.Position();
        break;
      case kDateMode:
        date1904_ = XLSCurrentRecordData(reader).Word(0) == 1;
        break;
      case kPalette:
        palette_.ReadPalette(XLSCurrentRecordData(reader).Bytes());
        break;
      case kSST:
        sstPosition_ = reader.Position();
        break;
      case kFormat: {
        const std::uint16_t formatId = XLSCurrentRecordData(reader).Word(0);
        reader.Skip(2);
        // A damaged code is dropped: cells of that format show the general one.
        if (std::optional<std::u16string> code = XLSTryReadString(reader, TXLSLengthRecord::Word))
          styles.ReadXLSFormat(formatId, std::move(*code));
        break;
      }
      default:
        break;
    }
  }
  // Globals cut short list only the sheets before the cut, or none: loading them would pass a
  // part of the file for the whole.
  if (end_ == 0) Invalid();
  if (worksheetNames_.empty() && WorksheetFollows(stream, end_)) Invalid();
}

void TXLSGlobals::SecondPass(TOleStreamReader& stream, TExportFontList& fonts,
                             TExporterXLSX_StyleSheet& styles) {
  TXLSRecordReader reader(stream);
  reader.Next();
  fonts.Clear();
  while (reader.Next() && reader.Id() != kEof) {
    if (reader.Id() == kFont) {
      // Every font is kept in file order; the first replaces the registry's default entry 0.
      fonts.ReadXLS(XLSCurrentRecordData(reader).Bytes(), palette_);
    } else if (reader.Id() == kXF) {
      styles.ReadXLSXF(XLSCurrentRecordData(reader).Bytes(), palette_);
    } else if (reader.Id() == kXFExt) {
      styles.ReadXLSXFEXT(XLSCurrentRecordData(reader).Bytes());
    }
  }
}

}  // namespace workbook
