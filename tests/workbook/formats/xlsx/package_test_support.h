#pragma once
// Zip packages for the tests of the XLSX part readers: built from texts, or opened from a file,
// with their parts parsed as trees.
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/zip/zip_archive.h"

namespace workbook::test {

class Package {
 public:
  // A package holding Parts (name to bytes).
  explicit Package(const std::map<std::string, std::string>& parts) {
    {
      TZipArchive zip(stream_, TZipArchiveMode::Create);
      for (const auto& [name, bytes] : parts) {
        TMemoryStream part;
        part.WriteString(bytes);
        part.SetPosition(0);
        zip.AddFile(platform::Utf8ToUtf16(name), part);
      }
      zip.Save();
    }
    Open();
  }
  // The package in File.
  explicit Package(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    stream_.WriteString(bytes.str());
    Open();
  }
  TZipArchive& Zip() { return *zip_; }
  // The part parsed as a tree; a null node when it is absent.
  TXmlNode Tree(const std::string& name) {
    std::unique_ptr<TMemoryStream> part;
    std::int64_t size = 0;
    if (!zip_->ExtractToMemoryStream(platform::Utf8ToUtf16(name), part, size) || !part)
      return TXmlNode();
    auto& doc = docs_[name];
    doc = std::make_unique<TXmlDocument>();
    doc->LoadFromStream(*part);
    return doc->DocumentElement();
  }

 private:
  void Open() {
    stream_.SetPosition(0);
    zip_ = std::make_unique<TZipArchive>(stream_, TZipArchiveMode::Read);
  }
  TMemoryStream stream_;
  std::unique_ptr<TZipArchive> zip_;
  std::map<std::string, std::unique_ptr<TXmlDocument>> docs_;
};

}  // namespace workbook::test
