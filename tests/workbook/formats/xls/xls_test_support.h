#pragma once
// Shared pieces of the XLS tests: the corpus folders and the peer scripts, run by python_peer.h.
#include <filesystem>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/python_peer.h"

namespace xls_test {

using namespace test_support;

// The .xls files of the shared corpus folders, sorted; empty when the corpus is absent. One of
// them by its file name, or "".
std::vector<std::string> CorpusXlsFiles();
std::string CorpusXlsFile(const std::string& name);

// Corpus files the peers read although their compound-file header contradicts the file (they
// declare 8388610 and 8388609 FAT sectors in files of 226 and 71 sectors): the storage refuses
// them.
inline bool HeaderContradictsFile(const std::string& path) {
  return path.ends_with("xls2csv_ole_read_MSAT_body_637.xls") ||
         path.ends_with("xls2csv_ole_read_MSAT_body_687.xls");
}

// The bytes of the BIFF8 record stream of the compound file in source, as XLSOpenWorkbookStream
// finds it.
std::vector<std::uint8_t> WorkbookStreamBytes(workbook::TStream& source);

// Where the XLS peer scripts live, for test_support::RunPeer.
inline const std::string kPeers = "workbook/formats/xls/peers/";

}  // namespace xls_test
