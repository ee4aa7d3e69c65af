#pragma once

// Received XML, parsed by libxml2 with the defences an untrusted file needs: no network, no DTD, no entity
// expansion, bounded size and depth.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct _xmlDoc;
struct _xmlNode;

namespace dfe::appserver::intake {

inline constexpr size_t kMaxDocumentBytes = 10 * 1024 * 1024;
inline constexpr int kMaxDepth = 64;

// A document refused at intake; what() is the reason shown to the administrator (Portuguese).
class IntakeRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct XmlDocFree {
    void operator()(_xmlDoc* doc) const;
};
using XmlDocPtr = std::unique_ptr<_xmlDoc, XmlDocFree>;

// Parses the bytes or throws IntakeRefusal: over the size limit, not UTF-8, a DOCTYPE (refused before any of
// it is read), not well-formed (with libxml2's line and message), nested deeper than kMaxDepth.
XmlDocPtr ParseUntrustedXml(std::string_view bytes);

// Sets libxml2 up once per process (thread-safe; every entry point of the intake calls it).
void InitXmlLibrary();

} // namespace dfe::appserver::intake
