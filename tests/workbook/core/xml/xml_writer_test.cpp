#include "workbook/core/xml/xml_writer.h"

#include <gtest/gtest.h>

#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_reader.h"

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
    writer.WriteElementString("v", "");
    writer.EndDocument();
    writer.Flush();
  }
  EXPECT_EQ(out.AsString(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<row r=\"1\"><c t=\"inlineStr\" x=\"a&amp;b&lt;c&gt;&quot;d&quot;&#13;&#10;&#9;e\">"
            "<is><t>Ľščť &lt;&amp;&gt; \xF0\x9F\x98\x80 ]]&gt;</t></is></c><c/><v></v></row>\n");
}

TEST(XmlWriter, FragmentsWithoutDeclarationRoundTrip) {
  TMemoryStream out;
  {
    TXmlWriter writer(out);
    writer.StartElement("row");
    writer.WriteAttribute("note", u"line1\r\nline2\ttab \"q\" 'a'");
    writer.WriteString(u"text & more");
    writer.WriteRaw("<raw/>");
    writer.FullEndElement();
    writer.Flush();
  }
  EXPECT_EQ(out.AsString().substr(0, 5), "<row ");
  TXmlReader reader(out.Memory(), static_cast<std::size_t>(out.Size()));
  ASSERT_TRUE(reader.Read());
  EXPECT_EQ(reader.Attr16("note"), u"line1\r\nline2\ttab \"q\" 'a'");
  ASSERT_TRUE(reader.Read());
  EXPECT_EQ(reader.Value(), "text & more");
  ASSERT_TRUE(reader.Read());
  EXPECT_EQ(reader.LocalName(), "raw");
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
