#pragma once
// The automatic styles one ODS export collects while it writes its tables: each registry hands out
// a style name per distinct key and later writes one style element per entry into content.xml.
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/hashed_strings.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/formats/ods/ods_conditional_formatting.h"
#include "workbook/formats/ods/ods_conditional_styles.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/drawing_style.h"
#include "workbook/model/font.h"

namespace workbook {

class TExportCell;
class TExportCellCustomNumber;
class TXmlWriter;

// "co" + n: column widths in pixels (negative: the sheet's default) and page breaks.
class TExporterODS_ColStyles {
 public:
  TExporterODS_ColStyles();
  std::u16string Add(double width, bool pageBreak);
  void WriteODS(const TXmlNode& automaticStyles) const;

 private:
  struct TEntry {
    double Width;
    bool PageBreak;
  };
  THashedStrings keys_;
  std::vector<TEntry> entries_;
};

// "ro" + n: row heights in pixels (negative: not written), the height kind (2: automatic) and
// page breaks.
class TExporterODS_RowStyles {
 public:
  TExporterODS_RowStyles();
  std::u16string Add(double height, int heightKind, bool pageBreak);
  void WriteODS(const TXmlNode& automaticStyles) const;

 private:
  struct TEntry {
    double Height;
    int HeightKind;
    bool PageBreak;
  };
  THashedStrings keys_;
  std::vector<TEntry> entries_;
};

// "N" + (n + 500): the number styles of the format codes cells use. A new style is written at
// once by the first cell that needs it, so the writer must be at office:automatic-styles' level.
class TExporterODS_NumberStyles {
 public:
  // The style name of the cell's format code, empty for a cell without one.
  std::u16string Add(TExportCell& cell, TXmlWriter& writer);
  int IndexOf(const std::u16string& formatCode) const { return keys_.IndexOf(formatCode); }
  static std::u16string Name(int index);

 private:
  THashedStrings keys_;
};

// "T" + n: fonts of rich-text runs.
class TExporterODS_FontStyles {
 public:
  std::u16string Add(const TExportFont& font);
  void WriteODS(const TXmlNode& automaticStyles, THashedStrings& fontFaces) const;

 private:
  THashedStrings keys_;
  std::vector<TExportFont> fonts_;
};

// "gr" + n: frames of pictures and comment boxes.
class TExporterODS_DrawingStyles {
 public:
  std::u16string Add(const TExportDrawingStyle& style);
  void WriteODS(const TXmlNode& automaticStyles) const;

 private:
  THashedStrings keys_;
  std::vector<std::unique_ptr<TExportDrawingStyle>> styles_;
};

// "ce" + n (table cells) or "P" + n (paragraphs of comment texts): a cell style with its number
// style and the conditional formats of the cell it was first made for.
class TExporterODS_CellStyles {
 public:
  TExporterODS_CellStyles(const char16_t* prefix, const char* family)
      : prefix_(prefix), family_(family) {}
  // cell may be null (rows, columns, sheet defaults); numberStyle is the "N" name or empty.
  std::u16string Add(TExportCellStyle& style, TExportCell* cell, const std::u16string& numberStyle);
  void WriteODS(const TXmlNode& automaticStyles, THashedStrings& fontFaces,
                TExporterODS_ConditionalFormattingStyles& conditionalStyles) const;

 private:
  struct TEntry {
    std::unique_ptr<TExportCellStyle> Style;
    std::u16string NumberStyle;
    std::vector<std::unique_ptr<TExportConditionalFormattingRule_ODS>> Rules;
  };
  void WriteEntry(const TEntry& entry, int index, const TXmlNode& automaticStyles,
                  THashedStrings& fontFaces,
                  TExporterODS_ConditionalFormattingStyles& conditionalStyles) const;

  const char16_t* prefix_;
  const char* family_;
  THashedStrings keys_;
  std::vector<TEntry> entries_;
};

// Every registry of one export.
struct TODSStyleRegistries {
  TExporterODS_ColStyles ColStyles;
  TExporterODS_RowStyles RowStyles;
  TExporterODS_CellStyles CellStyles{u"ce", "table-cell"};
  TExporterODS_CellStyles ParagraphStyles{u"P", "paragraph"};
  TExporterODS_NumberStyles NumberStyles;
  TExporterODS_FontStyles FontStyles;
  TExporterODS_DrawingStyles DrawingStyles;
  TExporterODS_ConditionalFormattingStyles ConditionalStyles;
  THashedStrings FontFaces;
};

}  // namespace workbook
