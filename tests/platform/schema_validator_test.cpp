#include "platform/schema_validator.h"

#include <gtest/gtest.h>

#include <array>
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

// The valid verdict: the window test of the XSD check shows it for an export.

// Documents the schema refuses, each with the reason's telling part: an unexpected element, a
// document cut short, and an external entity, which must not be read (no "root:" of
// /etc/passwd in the reason).
TEST_F(SchemaValidator, InvalidDocumentsGiveAReason) {
  std::string unexpected = Sample();
  const auto at = unexpected.find("<Druh>");
  ASSERT_NE(at, std::string::npos);
  unexpected.insert(at, "<Unexpected/>");
  const std::string entity =
      "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
      "<KVDPH xmlns=\"" +
      kNs2014 + "\">&x;</KVDPH>";
  const std::array<std::string, 3> cases[] = {
      {"bad.xml", unexpected, "Unexpected"}, {"broken.xml", "<KVDPH", ""}, {"xxe.xml", entity, ""}};
  for (const auto& [name, text, telling] : cases) {
    const auto verdict =
        validator_.Validate(kAuthority + "/kv_dph_2014.xsd", kNs2014, Write(name, text));
    const std::string reason = Utf16ToUtf8(verdict.Reason);
    EXPECT_FALSE(verdict.Valid) << name;
    EXPECT_FALSE(reason.empty()) << name;
    EXPECT_NE(reason.find(telling), std::string::npos) << name << ": " << reason;
    EXPECT_EQ(reason.find("root:"), std::string::npos) << name << ": " << reason;
  }
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
