// OpenDocument forms of fonts: text-properties attributes.
#include <string>

#include "workbook/core/color.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/model/font.h"

namespace workbook {

namespace {

void SetOnOff(TXmlNode node, std::string_view name, std::uint8_t value, std::string_view on,
              std::string_view off) {
  if (value == 1) node.SetAttr(name, on);
  if (value == 2) node.SetAttr(name, off);
}

}  // namespace

void TExportFontStyle::WriteODS(TXmlNode node, bool withPosition) const {
  SetOnOff(node, "fo:font-style", Italic, "italic", "normal");
  SetOnOff(node, "fo:font-weight", Bold, "bold", "normal");
  if (Underline >= 1 && Underline <= 5) {
    node.SetAttr("style:text-underline-style", std::string_view(Underline == 5 ? "none" : "solid"));
    if (Underline == 2 || Underline == 4) {
      node.SetAttr("style:text-underline-type", std::string_view("double"));
    }
  }
  SetOnOff(node, "style:text-line-through-style", StrikeOut, "solid", "none");
  if (withPosition && (VertPosition == 1 || VertPosition == 2)) {
    node.SetAttr("style:text-position",
                 std::string_view(VertPosition == 1 ? "33% 58%" : "-33% 58%"));
  }
}

void TExportFont::WriteODS(TXmlNode node, THashedStrings& fontFaces, bool withPosition) const {
  // An unset name or size (overlay fonts) is left out: an empty font name or a negative size
  // would make the style invalid.
  if (!name_.empty()) {
    fontFaces.Add(name_);
    node.SetAttr("style:font-name", name_);
  }
  // ColorToARGBHex writes an automatic colour as black.
  node.SetAttr("fo:color", u"#" + ColorToARGBHex(color_, false));
  if (size_ >= 0) node.SetAttr("fo:font-size", std::to_string(size_) + "pt");
  style_.WriteODS(node, withPosition);
}

}  // namespace workbook
