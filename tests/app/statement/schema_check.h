#pragma once
// Validation of a written document against one of the tax authority's schemas with libxml2, for
// the tests: the violations with their line numbers.
#include <string>
#include <vector>

namespace app::test {

struct TViolation {
  int Line = 0;
  std::string Message;
};

// The folder of the authority's files, or empty when it is not there.
std::string AuthorityDir();

// The document's violations of the schema; one entry of line 0 when the document or the schema
// cannot be read.
std::vector<TViolation> SchemaViolations(const std::string& schema_file,
                                         const std::string& document_bytes);

// One "line: message" line per violation, for test failures.
std::string DescribeViolations(const std::vector<TViolation>& violations);

}  // namespace app::test
