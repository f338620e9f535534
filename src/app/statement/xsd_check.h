#pragma once
// Checking a saved control statement against the tax authority's XSD of the chosen version: in
// process through the schema validator, or, where the version query says the system lacks it,
// through the external validator xmlstarlet.
#include <string>
#include <vector>

#include "app/statement/control_statement_xml.h"

namespace app {

// "kv_dph_2014.xsd" ... "kv_dph_2021.xsd".
std::string XsdFileName(TKVFormat format);

// xmlstarlet val -e -s <xsd> <file>: the file name goes to the validator as one argument, as it
// stands, never through a shell.
std::vector<std::string> ValidatorArguments(TKVFormat format, const std::string& file);

enum class TValidatorVerdict { Valid, Invalid, Unknown };

// xmlstarlet prints its error lines first (standard error) and its verdict line "<file> - valid"
// or "<file> - invalid" last (standard output), so the verdict is the line that starts so.
TValidatorVerdict JudgeValidatorOutput(const std::string& output, const std::string& file);

// The whole check of the file (UTF-8 path) with its message box. Both roads take the XSD from
// startupDir, whatever folder the open dialog has made current.
void CheckStatementFile(TKVFormat format, const std::string& file, const std::string& startupDir);

}  // namespace app
