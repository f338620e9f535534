#include "platform/schema_validator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/platform_error.h"
#include "platform/text_codec.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

const std::string kAuthority = std::string(SHARED_DIR) + "/authority";
const std::string kNs2014 = "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2014.xsd";

class SchemaValidator : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kAuthority + "/kv_dph_2014.xsd"))
      GTEST_SKIP() << "the authority's schemas are not beside the project (" << kAuthority << ")";
    folder_ = fs::temp_directory_path() /
              (std::string("schema_validator_") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override {
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }
  std::string Sample() {
    std::ifstream in(kAuthority + "/samples/kv_dph_2014_sample.xml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path folder_;
  TLibXmlSchemaValidator validator_;
};

}  // namespace

TEST_F(SchemaValidator, TheAuthoritysSampleIsValid) {
  auto verdict = validator_.Validate(kAuthority + "/kv_dph_2014.xsd", kNs2014,
                                     kAuthority + "/samples/kv_dph_2014_sample.xml");
  EXPECT_TRUE(verdict.Valid) << Utf16ToUtf8(verdict.Reason);
  EXPECT_TRUE(verdict.Reason.empty());
}

TEST_F(SchemaValidator, AnInvalidDocumentGivesOneReason) {
  std::string text = Sample();
  auto at = text.find("<Druh>");
  ASSERT_NE(at, std::string::npos);
  text.insert(at, "<Unexpected/>");
  auto verdict = validator_.Validate(kAuthority + "/kv_dph_2014.xsd", kNs2014, Write("bad.xml", text));
  EXPECT_FALSE(verdict.Valid);
  EXPECT_NE(Utf16ToUtf8(verdict.Reason).find("Unexpected"), std::string::npos)
      << Utf16ToUtf8(verdict.Reason);
}

TEST_F(SchemaValidator, MalformedDocumentIsInvalidNotAnError) {
  auto verdict =
      validator_.Validate(kAuthority + "/kv_dph_2014.xsd", kNs2014, Write("broken.xml", "<KVDPH"));
  EXPECT_FALSE(verdict.Valid);
  EXPECT_FALSE(verdict.Reason.empty());
}

TEST_F(SchemaValidator, ExternalEntitiesAreNotRead) {
  std::string doc =
      "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
      "<KVDPH xmlns=\"" + kNs2014 + "\">&x;</KVDPH>";
  auto verdict = validator_.Validate(kAuthority + "/kv_dph_2014.xsd", kNs2014, Write("xxe.xml", doc));
  EXPECT_FALSE(verdict.Valid);
  EXPECT_EQ(Utf16ToUtf8(verdict.Reason).find("root:"), std::string::npos);
}

TEST_F(SchemaValidator, SchemaProblemsAreErrors) {
  EXPECT_THROW(validator_.Validate(kAuthority + "/kv_dph_2014.xsd",
                                   "https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_2016.xsd",
                                   kAuthority + "/samples/kv_dph_2014_sample.xml"),
               EPlatformError);
  EXPECT_THROW(validator_.Validate((folder_ / "kv_dph_2017.xsd").string(), kNs2014,
                                   kAuthority + "/samples/kv_dph_2014_sample.xml"),
               EPlatformError);
}
