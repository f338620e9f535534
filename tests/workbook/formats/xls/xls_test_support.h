#pragma once
// Shared pieces of the XLS tests: the corpus folders and the peer scripts, run by python_peer.h.
#include <filesystem>
#include <string>
#include <vector>

#include "workbook/formats/python_peer.h"

namespace xls_test {

using namespace test_support;

// The .xls files of the shared corpus folders, sorted; empty when the corpus is absent.
std::vector<std::filesystem::path> CorpusXlsFiles();

// Where the XLS peer scripts live, for test_support::RunPeer.
inline const std::string kPeers = "workbook/formats/xls/peers/";

}  // namespace xls_test
