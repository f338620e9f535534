// Page setup in OpenDocument: the page layout's properties, the header and footer regions and
// the print ranges.
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::u16string Cm(double value) { return ISOFloatToStr(value) + u"cm"; }

struct TODSField {
  const char16_t* code;
  const char* element;
};

constexpr TODSField kFields[] = {{u"[PAGENUMBER]", "text:page-number"},
                                 {u"[PAGECOUNT]", "text:page-count"},
                                 {u"[SHEETNAME]", "text:sheet-name"},
                                 {u"[DATE]", "text:date"},
                                 {u"[TIME]", "text:time"},
                                 {u"[FILENAME]", "text:file-name"}};

const TODSField* FieldAt(const std::u16string& text, std::size_t pos) {
  for (const TODSField& field : kFields)
    if (text.compare(pos, std::char_traits<char16_t>::length(field.code), field.code) == 0)
      return &field;
  return nullptr;
}

}  // namespace

std::u16string TExportRange::GetODSText() const {
  if (!WorkSheet) {
    return HasColsAndRows() ? MakeCellRangeRef(Col, Row, ColCount, false, RowCount)
                            : std::u16string();
  }
  if (HasColsAndRows())
    return MakeODSRangeRef(WorkSheet->Name, Col, Row, false, RowCount, ColCount);
  if (HasCols()) return MakeODSColRangeRef(WorkSheet->Name, Col, ColCount);
  if (HasRows()) return MakeODSRowRangeRef(WorkSheet->Name, Row, RowCount);
  return std::u16string();
}

std::u16string TExportPageSettings::GetODSPrintRanges() const {
  if (!HasPrintArea()) return std::u16string();
  TExportRange area;
  area.Assign(PrintArea);
  area.WorkSheet = owner_;
  return area.GetODSText();
}

void TExportHeader::WriteODS(TXmlNode regionNode, TXmlNode stylesNode, THashedStrings& fontFaces,
                             const std::u16string& styleName) const {
  const std::u16string textStyle = u"MT" + styleName;
  TXmlNode style = stylesNode.AddChild("style:style");
  style.SetAttr("style:name", textStyle);
  style.SetAttr("style:family", std::string_view("text"));
  Font.WriteODS(style.AddChild("style:text-properties"), fontFaces, false);

  TXmlNode paragraph = regionNode.AddChild("text:p");
  std::u16string piece;
  auto flush = [&] {
    // A CR inside a piece ends the paragraph.
    std::size_t start = 0;
    while (true) {
      const std::size_t cr = piece.find(u'\r', start);
      const std::u16string part = piece.substr(start, cr - start);
      if (!part.empty()) {
        TXmlNode span = paragraph.AddChild("text:span");
        span.SetAttr("text:style-name", textStyle);
        span.SetText(part);
      }
      if (cr == std::u16string::npos) break;
      paragraph = regionNode.AddChild("text:p");
      start = cr + 1;
    }
    piece.clear();
  };
  for (std::size_t i = 0; i < Text.size();) {
    const TODSField* field = Text[i] == u'[' ? FieldAt(Text, i) : nullptr;
    if (!field) {
      piece += Text[i++];
      continue;
    }
    flush();
    TXmlNode element = paragraph.AddChild(field->element);
    if (field->element == std::string_view("text:file-name"))
      element.SetAttr("text:display", std::string_view("name-and-extension"));
    element.SetText(std::string_view("???"));
    i += std::char_traits<char16_t>::length(field->code);
  }
  flush();
}

void TExportHeaders::WriteODS(TXmlNode regionNode, TXmlNode stylesNode, THashedStrings& fontFaces,
                              const std::u16string& stylePrefix) const {
  if (!HasText()) {
    regionNode.SetAttr("style:display", std::string_view("false"));
    return;
  }
  const std::pair<const TExportHeader*, const char*> sections[] = {{&Left, "style:region-left"},
                                                                   {&Center, "style:region-center"},
                                                                   {&Right, "style:region-right"}};
  int number = 1;
  for (const auto& [section, name] : sections) {
    const std::u16string styleName = stylePrefix + static_cast<char16_t>(u'0' + number++);
    if (!section->Text.empty())
      section->WriteODS(regionNode.AddChild(name), stylesNode, fontFaces, styleName);
  }
}

void TExportPageSettings::WriteODS(TXmlNode node) const {
  const TExportHeaders* header = owner_ ? &owner_->Header : nullptr;
  const TExportHeaders* footer = owner_ ? &owner_->Footer : nullptr;
  node.SetAttr("fo:margin-left", Cm(LeftMargin));
  node.SetAttr("fo:margin-top",
               Cm(header && header->HasText() ? TopMargin - header->Margin : TopMargin));
  node.SetAttr("fo:margin-right", Cm(RightMargin));
  node.SetAttr("fo:margin-bottom",
               Cm(footer && footer->HasText() ? BottomMargin - footer->Margin : BottomMargin));
  if (UseFirstPageNumber && FirstPageNumber >= 1)
    node.SetAttr("style:first-page-number", std::to_string(FirstPageNumber));
  if (Centering != 0) {
    static const char* const kCentering[] = {"", "horizontal", "vertical", "both"};
    node.SetAttr("style:table-centering", std::string_view(kCentering[Centering & 3]));
  }
  node.SetAttr("style:print-orientation",
               std::string_view(Orientation == 1 ? "landscape" : "portrait"));
  node.SetAttr("style:print-page-order", std::string_view(PageOrder == 0 ? "ltr" : "ttb"));
  if (FitToPage) {
    if (FitToWidth > 0) node.SetAttr("style:scale-to-X", std::to_string(FitToWidth));
    if (FitToHeight > 0) node.SetAttr("style:scale-to-Y", std::to_string(FitToHeight));
  } else if (Scale != 100) {
    node.SetAttr("style:scale-to", std::to_string(Scale) + "%");
  }
  const bool landscape = Orientation == 1;
  node.SetAttr("fo:page-width", std::string_view(landscape ? "29.7cm" : "21cm"));
  node.SetAttr("fo:page-height", std::string_view(landscape ? "21cm" : "29.7cm"));
  std::string print = "charts drawings objects zero-values";
  if (PrintHeaders) print += " headers";
  if (PrintGridLines) print += " grid";
  node.SetAttr("style:print", print);
}

}  // namespace workbook
