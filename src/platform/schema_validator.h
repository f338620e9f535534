#pragma once
#include "platform/services.h"

namespace platform {

// Schema validation with libxml2: the schema file must declare the namespace it is registered
// under; the document is read without entity expansion, DTD loading or network access.
class TLibXmlSchemaValidator : public ISchemaValidator {
 public:
  TSchemaVerdict Validate(const std::string& schemaFile, const std::string& namespaceUri,
                          const std::string& documentFile) override;
};

}  // namespace platform
