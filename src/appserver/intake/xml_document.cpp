#include "appserver/intake/xml_document.h"

#include "platform/core/text.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <mutex>

namespace dfe::appserver::intake {
namespace {

struct ParseGuard {
    bool doctype = false;
};

// Called when "<!DOCTYPE" is met, before its internal subset is read: nothing of it is ever declared.
void RefuseDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    static_cast<ParseGuard*>(ctxt->_private)->doctype = true;
    xmlStopParser(ctxt);
}

// Errors are read from the context, never printed by the library.
void Quiet(void*, xmlErrorPtr) {}

struct ParserCtxtFree {
    void operator()(xmlParserCtxtPtr ctxt) const { xmlFreeParserCtxt(ctxt); }
};

// Walks the elements in document order by their links: no memory, whatever the shape.
int MaxDepth(xmlNodePtr root) {
    int depth = 1, deepest = 1;
    xmlNodePtr node = root;
    while (node) {
        xmlNodePtr child = node->children;
        while (child && child->type != XML_ELEMENT_NODE)
            child = child->next;
        if (child) {
            node = child;
            deepest = std::max(deepest, ++depth);
            continue;
        }
        while (node && node != root) {
            xmlNodePtr sibling = node->next;
            while (sibling && sibling->type != XML_ELEMENT_NODE)
                sibling = sibling->next;
            if (sibling) {
                node = sibling;
                break;
            }
            node = node->parent;
            --depth;
        }
        if (node == root) break;
    }
    return deepest;
}

std::string Trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

void XmlDocFree::operator()(_xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

void InitXmlLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

XmlDocPtr ParseUntrustedXml(std::string_view bytes) {
    InitXmlLibrary();
    if (bytes.size() > kMaxDocumentBytes)
        throw IntakeRefusal("arquivo grande demais (" + std::to_string(bytes.size()) + " bytes; o limite é " +
                            std::to_string(kMaxDocumentBytes) + ")");
    if (bytes.empty()) throw IntakeRefusal("arquivo vazio: não é XML");
    if (!text::IsValidUtf8(bytes)) throw IntakeRefusal("o arquivo não está em UTF-8: não é uma NF-e");

    std::unique_ptr<xmlParserCtxt, ParserCtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) throw std::bad_alloc();
    ParseGuard guard;
    ctxt->_private = &guard;
    ctxt->sax->internalSubset = RefuseDoctype;
    ctxt->sax->serror = Quiet;
    ctxt->sax->error = nullptr;
    ctxt->sax->warning = nullptr;
    ctxt->vctxt.error = nullptr;
    ctxt->vctxt.warning = nullptr;
    // No XML_PARSE_NOENT (entities are never substituted), no DTD loading, no network.
    const int options = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
    XmlDocPtr doc(xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                    nullptr, options));
    if (guard.doctype)
        throw IntakeRefusal("o documento declara um DOCTYPE (DTD ou entidades): recusado sem ser lido");
    if (!doc || !ctxt->wellFormed) {
        const xmlError* error = xmlCtxtGetLastError(ctxt.get());
        const std::string message = error ? Trimmed(error->message) : "erro desconhecido";
        if (message.find("depth") != std::string::npos)
            throw IntakeRefusal("elementos aninhados profundamente demais (o limite é " +
                                std::to_string(kMaxDepth) + " níveis)");
        throw IntakeRefusal("XML malformado" + (error ? " (linha " + std::to_string(error->line) + ")" : "") +
                            ": " + message);
    }
    if (doc->encoding && !text::SameText(reinterpret_cast<const char*>(doc->encoding), "UTF-8"))
        throw IntakeRefusal("o documento declara a codificação " +
                            std::string(reinterpret_cast<const char*>(doc->encoding)) + "; uma NF-e é UTF-8");
    xmlNodePtr root = xmlDocGetRootElement(doc.get());
    if (!root) throw IntakeRefusal("XML sem elemento raiz");
    if (MaxDepth(root) > kMaxDepth)
        throw IntakeRefusal("elementos aninhados profundamente demais (o limite é " +
                            std::to_string(kMaxDepth) + " níveis)");
    return doc;
}

} // namespace dfe::appserver::intake
