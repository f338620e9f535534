#pragma once
// TODSCellReader: one table cell of content.xml, gathered from the parser's events (the cell's
// start tag, then what lies inside it) and made into a model cell at its end. Nothing of the
// cell's XML is kept beyond the few attributes read and the text of a text cell.
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/xml/xml_push_parser.h"
#include "workbook/formats/ods/ods_namespaces.h"
#include "workbook/formats/text/recent_texts.h"

namespace workbook {

class TExportCell;
class TExportRow;

class TODSCellReader {
 public:
  // blocks: the workbook's, where the cells' short texts are made.
  explicit TODSCellReader(TItemBlocks& blocks) : blocks_(blocks), recentTexts_{&blocks} {}

  // The cell element's start tag.
  void Start(const TXmlSaxAttributes& attributes);
  // An element inside the cell; level 1 for the cell's children.
  void StartElement(std::string_view localName, TODSNamespace ns,
                    const TXmlSaxAttributes& attributes, int level);
  void EndElement(int level);
  void Characters(std::string_view text);

  // A value type, a formula or a paragraph: an empty cell only moves the position.
  bool HasContent() const { return type_ != TType::None || hasFormula_ || paragraphs_ > 0; }
  // table:number-columns-repeated.
  std::int64_t Repeat() const { return repeat_; }
  // Makes the cell read at col of row.
  TExportCell* Create(TExportRow& row, int col);

 private:
  // office:value-type; None when absent, Other for a type without a value of its own (string).
  // Error: an error (#DIV/0!), whose text is the paragraph's, as LibreOffice marks one with
  // calcext:value-type, whatever office:value-type says.
  enum class TType { None, Number, Date, Time, Boolean, Other, Error };

  void AppendSpaces(std::size_t count);

  TType type_ = TType::None;
  // The value attribute of the type (office:value, office:date-value, ...), as written.
  std::string value_;
  bool hasFormula_ = false;
  std::string formula_;
  std::int64_t repeat_ = 1;
  int paragraphs_ = 0;
  // Within a text:p of the cell, and the level of an element whose content adds nothing (0: none).
  bool inParagraph_ = false;
  int skipLevel_ = 0;
  // The paragraphs' text, as UTF-8, for a cell whose type takes it.
  std::string text_;
  // The text as the cell takes it; kept, so that a text costs the cell no passing allocation.
  std::u16string text16_;
  TItemBlocks& blocks_;
  // Short texts repeated down a column (partners, accounts, codes) are held once: a file of this
  // format has no table of shared texts.
  TRecentTexts recentTexts_;
};

}  // namespace workbook
