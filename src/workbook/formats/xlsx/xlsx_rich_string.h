#pragma once
// Rich strings of SpreadsheetML: a shared string (si), an inline string (is) or a comment's text,
// each a list of children where t adds its text and r adds the text of a run, which begins a
// formatting run unless it is the first child without properties. Phonetic runs (rPh) add
// nothing. The events of a streaming parse and the nodes of a tree are read by the same rules.
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_push_parser.h"
#include "workbook/core/xml/xml_sax_tree.h"
#include "workbook/model/font.h"

namespace workbook {

class IThemeColors;
class IColorPalette;

// A run of a rich text: from the 1-based character Position on, the text is in Font.
struct TXLSXRichTextRun {
  int Position = 1;
  TExportFont Font;
};
using TXLSXRichTextRuns = std::vector<TXLSXRichTextRun>;

// The colour sources of rich-text run fonts.
struct TXLSXColorSources {
  const IThemeColors* Theme = nullptr;
  const IColorPalette* Palette = nullptr;
};

// How a text's line breaks and "_xHHHH_" escapes are read: shared strings keep CR LF between
// lines and drop the escaped CR writers put before a break; cell strings (inline and cached
// formula strings) keep LF alone; comments decode the escapes only.
enum class TXLSXTextForm { SharedString, CellString, Comment };

// One rich string read from the events of its element's content: Begin at the element's start
// tag, then the events inside it, then Finish at its end tag.
class TXLSXRichStringReader {
 public:
  explicit TXLSXRichStringReader(const TXLSXColorSources& colors) : colors_(colors) {}

  void Begin();
  // Elements outside the spreadsheet namespace are passed over.
  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes);
  void EndElement();
  void Characters(std::string_view text);
  // The text in form and its runs (none when it has none), their positions moved with it.
  void Finish(TXLSXTextForm form, std::u16string& text, TXLSXRichTextRuns& runs);

 private:
  friend void ReadXLSXRichString(const TXmlNode&, const TXLSXColorSources&, TXLSXTextForm,
                                 std::u16string&, TXLSXRichTextRuns&);
  // A child of the string: a run (with its properties, when it has them) or any other child,
  // whose t adds its text.
  void AddChild(bool run, std::string_view text, const TXmlNode* properties);

  TXLSXColorSources colors_;
  std::string text_;  // UTF-8
  TXLSXRichTextRuns runs_;
  bool first_ = true;
  // While reading: depth below the string element, the kind of child and what it gathered.
  int depth_ = 0;
  bool inRun_ = false;
  bool capturing_ = false;
  bool hasProperties_ = false;
  std::string childText_;
  TXmlSaxTree properties_;
  int propertiesDepth_ = 0;
};

// The text of a string whose only child is one t holding utf8 (its XML content as read, no
// markup in it), in form, into text: what reading the element gives, without parsing it.
void XLSXPlainStringText(std::string_view utf8, TXLSXTextForm form, std::u16string& text);

// The same from a tree: element is the si, is or comment text element.
void ReadXLSXRichString(const TXmlNode& element, const TXLSXColorSources& colors,
                        TXLSXTextForm form, std::u16string& text, TXLSXRichTextRuns& runs);

}  // namespace workbook
