#include "workbook/formats/ods/ods_package_parts.h"

#include "platform/text_codec.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/ods/ods_namespaces.h"
#include "workbook/formats/ods/ods_style_registries.h"
#include "workbook/model/drawing.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void AddConfigItem(const TXmlNode& parent, std::string_view name, std::string_view type,
                   std::string_view value) {
  TXmlNode item = parent.AddChild("config:config-item");
  item.SetAttr("config:name", name);
  item.SetAttr("config:type", type);
  item.SetText(value);
}

void AddDashStyle(const TXmlNode& styles, std::string_view name, std::string_view displayName,
                  std::string_view dotsLength) {
  TXmlNode dash = styles.AddChild("draw:stroke-dash");
  dash.SetAttr("draw:name", name);
  dash.SetAttr("draw:display-name", displayName);
  dash.SetAttr("draw:style", "rect");
  dash.SetAttr("draw:dots1", "1");
  if (!dotsLength.empty()) dash.SetAttr("draw:dots1-length", dotsLength);
  dash.SetAttr("draw:distance", dotsLength.empty() ? "130%" : "400%");
}

void AddHeaderStyle(const TXmlNode& pageLayout, const char* name, double height) {
  TXmlNode properties = pageLayout.AddChild(name).AddChild("style:header-footer-properties");
  properties.SetAttr("fo:min-height", ISOFloatToStr(height) + u"cm");
  for (const char* margin :
       {"fo:margin-left", "fo:margin-right", "fo:margin-top", "fo:margin-bottom"})
    properties.SetAttr(margin, "0cm");
}

}  // namespace

void WriteODSFontFaces(const TXmlNode& parent, const THashedStrings& fontFaces) {
  for (int i = 0; i < fontFaces.Count(); ++i) {
    TXmlNode face = parent.AddChild("style:font-face");
    face.SetAttr("style:name", fontFaces[i]);
    face.SetAttr("svg:font-family", u"\"" + fontFaces[i] + u"\"");
  }
}

std::string ODSPartText(const TXmlDocument& document) {
  const std::string text = document.SaveToString();
  const std::size_t end = text.rfind('\n') == text.size() - 1 ? text.size() - 1 : text.size();
  const std::size_t start = text.compare(0, 5, "<?xml") == 0 ? text.find('\n') + 1 : 0;
  return std::string(kODSDeclarationLine) + text.substr(start, end - start);
}

std::string ODSMetaPart(const TWorkbook& workbook) {
  TXmlDocument document;
  TXmlNode root = document.CreateRoot("office:document-meta");
  DeclareODSNamespaces(root, {"office", "xlink", "dc", "meta", "ooo", "grddl"});
  root.SetAttr("office:version", "1.2");
  root.SetAttr("grddl:transformation", kODSGrddlTransformation);
  TXmlNode meta = root.AddChild("office:meta");
  meta.AddChild("meta:generator").SetText(workbook.ApplicationName);
  meta.AddChild("dc:creator").SetText(workbook.Creator);
  return ODSPartText(document);
}

std::string ODSSettingsPart(const TWorkbook& workbook) {
  TXmlDocument document;
  TXmlNode root = document.CreateRoot("office:document-settings");
  DeclareODSNamespaces(root, {"office", "xlink", "config", "ooo"});
  root.SetAttr("office:version", "1.2");
  TXmlNode set = root.AddChild("office:settings").AddChild("config:config-item-set");
  set.SetAttr("config:name", "ooo:view-settings");
  TXmlNode views = set.AddChild("config:config-item-map-indexed");
  views.SetAttr("config:name", "Views");
  TXmlNode view = views.AddChild("config:config-item-map-entry");
  TXmlNode tables = view.AddChild("config:config-item-map-named");
  tables.SetAttr("config:name", "Tables");
  for (int i = 0; i < workbook.WorkSheets.Count(); ++i)
    workbook.WorkSheets[i]->WindowSettings.WriteODSConfig(tables);
  AddConfigItem(view, "HorizontalScrollbarWidth", "int", "600");
  if (workbook.WorkSheets.Count() > 0) {
    const TExportWindowSettings& first = workbook.WorkSheets[0]->WindowSettings;
    if (first.Zoom != 100) AddConfigItem(view, "ZoomValue", "int", std::to_string(first.Zoom));
    if (!first.ShowGridLines) AddConfigItem(view, "ShowGrid", "boolean", "false");
    if (!first.ShowRowColHeaders) AddConfigItem(view, "HasColumnRowHeaders", "boolean", "false");
  }
  return ODSPartText(document);
}

std::string ODSManifestPart(const TWorkbook& workbook) {
  std::string text(kODSDeclarationLine);
  text += "<manifest:manifest xmlns:manifest=\"" + std::string(ODSNamespaceURI("manifest")) +
          "\" manifest:version=\"1.2\">";
  text +=
      "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
      "manifest:media-type=\"" +
      std::string(kODSMimeType) + "\"/>";
  for (int i = 0; i < workbook.Drawings.Count(); ++i)
    text += platform::Utf16ToUtf8(workbook.Drawings[i]->WriteODSManifestEntry(i));
  for (const char* part : {"content.xml", "styles.xml", "meta.xml", "settings.xml"})
    text += "<manifest:file-entry manifest:full-path=\"" + std::string(part) +
            "\" manifest:media-type=\"text/xml\"/>";
  text += "</manifest:manifest>";
  return text;
}

std::string ODSStylesPart(TWorkbook& workbook, TODSStyleRegistries& styles) {
  TXmlDocument document;
  TXmlNode root = document.CreateRoot("office:document-styles");
  DeclareODSNamespaces(
      root, {"office", "style",        "text", "table", "draw", "fo",    "xlink", "dc",     "meta",
             "number", "presentation", "svg",  "chart", "dr3d", "math",  "form",  "script", "ooo",
             "ooow",   "oooc",         "dom",  "rpt",   "of",   "xhtml", "grddl"});
  root.SetAttr("office:version", "1.2");
  root.SetAttr("grddl:transformation", kODSGrddlTransformation);
  TXmlNode fontFaces = root.AddChild("office:font-face-decls");
  TXmlNode officeStyles = root.AddChild("office:styles");
  TXmlNode automatic = root.AddChild("office:automatic-styles");
  TXmlNode master = root.AddChild("office:master-styles");

  AddDashStyle(officeStyles, "Fine_20_Dashed_20__28_var_29_", "Fine Dashed (var)", "400%");
  AddDashStyle(officeStyles, "Ultrafine_20_Dotted_20__28_var_29_", "Ultrafine Dotted (var)", "");
  styles.ConditionalStyles.WriteODS(officeStyles);

  for (int i = 0; i < workbook.WorkSheets.Count(); ++i) {
    TExportWorkSheet& sheet = *workbook.WorkSheets[i];
    const std::u16string number = Num(i + 1);
    TXmlNode layout = automatic.AddChild("style:page-layout");
    layout.SetAttr("style:name", u"pm" + number);
    sheet.PageSettings.WriteODS(layout.AddChild("style:page-layout-properties"));
    AddHeaderStyle(layout, "style:header-style", sheet.Header.Margin);
    AddHeaderStyle(layout, "style:footer-style", sheet.Footer.Margin);

    TXmlNode page = master.AddChild("style:master-page");
    page.SetAttr("style:name", u"mp" + number);
    page.SetAttr("style:page-layout-name", u"pm" + number);
    // The text styles of the regions are named per sheet: names must be unique in the part.
    sheet.Header.WriteODS(page.AddChild("style:header"), automatic, styles.FontFaces,
                          u"h" + number + u"_");
    sheet.Footer.WriteODS(page.AddChild("style:footer"), automatic, styles.FontFaces,
                          u"f" + number + u"_");
  }
  styles.FontFaces.Add(workbook.DefaultFontName);
  WriteODSFontFaces(fontFaces, styles.FontFaces);
  return ODSPartText(document);
}

}  // namespace workbook
