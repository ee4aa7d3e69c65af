#pragma once

// The checks whose outcome is recorded with a stored document rather than refusing it: the national schema
// and the XML signature.

#include <string>

struct _xmlDoc;
struct _xmlNode;

namespace dfe::appserver::intake {

struct SchemaVerdict {
    bool valid = false;
    std::string text; // "válido", or the first errors with their lines
};

enum class SignatureStatus { Valid, Invalid, Absent };

struct SignatureVerdict {
    SignatureStatus status = SignatureStatus::Absent;
    std::string text;
};

// The folder holding nfe_v4.00.xsd and procNFe_v4.00.xsd: $DFE_NFE_SCHEMAS, else beside the program
// (../share/dfe/nfe/schemas or nfe/schemas), else the source tree's copy. Throws std::runtime_error when none
// holds them.
std::string NfeSchemaFolder();

// Validates against procNFe_v4.00.xsd (root nfeProc) or nfe_v4.00.xsd (root NFe). The schemas are read once
// per process; a missing schema is a server failure (std::runtime_error), not a verdict on the document.
SchemaVerdict ValidateNfeSchema(_xmlDoc* doc, bool authorizedRoot);

// Verifies the enveloped signature of the NFe element with the certificate it carries (xmlsec1, OpenSSL). The
// certificate's chain is not verified: the text says so. Only references inside the document are followed.
SignatureVerdict VerifyNfeSignature(_xmlDoc* doc, _xmlNode* nfe, _xmlNode* infNFe);

} // namespace dfe::appserver::intake
