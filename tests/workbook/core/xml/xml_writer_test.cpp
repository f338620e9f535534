#include "workbook/core/xml/xml_writer.h"

#include <gtest/gtest.h>

#include "workbook/core/xml/xml_error.h"

using namespace workbook;

TEST(XmlWriter, WritesEscapedUtf8) {
  TMemoryStream out;
  {
    TXmlWriter writer(out);
    writer.StartDocument();
    writer.StartElement("row");
    writer.WriteAttribute("r", "1");
    writer.StartElement("c");
    writer.WriteAttribute("t", u"inlineStr");
    writer.WriteAttribute("x", "a&b<c>\"d\"\r\n\te");
    writer.StartElement("is");
    writer.WriteElementString("t", u"Ľščť <&> \U0001F600 \x01]]>\xFFFF");
    writer.EndElement();
    writer.EndElement();
    writer.StartElement("c");
    writer.EndElement();
    writer.StartElement("c");
    writer.WriteString(u"a&b");
    writer.WriteRaw("<raw/>");
    writer.FullEndElement();
    writer.WriteElementString("v", "");
    writer.EndDocument();
    writer.Flush();
  }
  EXPECT_EQ(out.AsString(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<row r=\"1\"><c t=\"inlineStr\" x=\"a&amp;b&lt;c&gt;&quot;d&quot;&#13;&#10;&#9;e\">"
            "<is><t>Ľščť &lt;&amp;&gt; \xF0\x9F\x98\x80 ]]&gt;</t></is></c><c/><c>a&amp;b<raw/></c>"
            "<v></v></row>\n");
}

namespace {

class TFullStream : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};

}  // namespace

TEST(XmlWriter, StreamFailureAndMisuseAreXmlErrors) {
  TFullStream full;
  TXmlWriter writer(full);
  writer.StartElement("a");
  EXPECT_THROW(
      {
        writer.WriteString(std::string(100000, 'x'));
        writer.EndElement();
        writer.Flush();
      },
      EXmlError);
  // Misuse too, without printing.
  TMemoryStream out;
  TXmlWriter misused(out);
  testing::internal::CaptureStderr();
  EXPECT_THROW(misused.EndElement(), EXmlError);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
