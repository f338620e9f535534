#pragma once
// A workbook saved as a file through the handler its name's extension picks, as a peer is to read
// it; delimited text as comma-separated values.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_codec.h"
#include "workbook/core/stream.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"

namespace workbook::test {

// Writes book to path; returns path.
inline std::string WriteBookFile(TWorkbook& book, const std::string& path) {
  TCustomExporter* writer = nullptr;
  TExporterCSVComma comma;
  if (path.ends_with(".csv"))
    writer = &comma;
  else
    EXPECT_TRUE(FindExporterForFile(platform::Utf8ToUtf16(path), writer));
  TMemoryStream bytes;
  writer->ExportToStream(bytes, book);
  bytes.SaveToFile(path);
  return path;
}

}  // namespace workbook::test
