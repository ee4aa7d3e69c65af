#include "appserver/intake/nfe_verdicts.h"

#include "appserver/intake/xml_document.h"

#include <libxml/tree.h>
#include <libxml/valid.h>
#include <libxml/xmlschemas.h>
#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>
#include <xmlsec/keysmngr.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace dfe::appserver::intake {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNfeSchema = "nfe_v4.00.xsd";
constexpr const char* kProcSchema = "procNFe_v4.00.xsd";
constexpr int kSchemaErrorsShown = 5;

bool HoldsSchemas(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kNfeSchema, ec) && fs::is_regular_file(folder / kProcSchema, ec);
}

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

void QuietSchemaError(void*, xmlErrorPtr) {}

struct LoadedSchemas {
    xmlSchemaPtr nfe = nullptr;
    xmlSchemaPtr proc = nullptr;
};

xmlSchemaPtr LoadSchema(const fs::path& file) {
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(file.c_str());
    if (!parser) throw std::runtime_error("não foi possível ler o esquema " + file.string());
    xmlSchemaSetParserStructuredErrors(parser, QuietSchemaError, nullptr);
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!schema) throw std::runtime_error("esquema da NF-e inválido ou incompleto: " + file.string());
    return schema;
}

// Read once and kept for the life of the process: a parsed schema is shared by validations in any thread.
const LoadedSchemas& Schemas() {
    static std::mutex mutex;
    static LoadedSchemas loaded;
    const std::lock_guard lock(mutex);
    if (!loaded.nfe) {
        InitXmlLibrary();
        const fs::path folder = NfeSchemaFolder();
        xmlSchemaPtr nfe = LoadSchema(folder / kNfeSchema);
        try {
            loaded.proc = LoadSchema(folder / kProcSchema);
        } catch (...) {
            xmlSchemaFree(nfe);
            throw;
        }
        loaded.nfe = nfe;
    }
    return loaded;
}

struct SchemaErrors {
    int count = 0;
    std::string text;
};

void CollectSchemaError(void* context, xmlErrorPtr error) {
    auto* errors = static_cast<SchemaErrors*>(context);
    if (++errors->count > kSchemaErrorsShown) return;
    std::string message = error && error->message ? error->message : "erro";
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    if (!errors->text.empty()) errors->text += "; ";
    errors->text += "linha " + std::to_string(error ? error->line : 0) + ": " + message;
}

void QuietSecError(const char*, int, const char*, const char*, const char*, int, const char*) {}

void InitXmlSec() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        InitXmlLibrary();
        ready = xmlSecInit() >= 0 && xmlSecCheckVersion() == 1 && xmlSecCryptoAppInit(nullptr) >= 0 &&
                xmlSecCryptoInit() >= 0;
        // Set after xmlSecInit, which installs the printing default: a failed check is a verdict, not noise.
        xmlSecErrorsSetCallback(QuietSecError);
    });
    if (!ready) throw std::runtime_error("a biblioteca xmlsec1 (OpenSSL) não pôde ser iniciada");
}

struct KeysMngrFree {
    void operator()(xmlSecKeysMngrPtr m) const { xmlSecKeysMngrDestroy(m); }
};
struct DSigCtxFree {
    void operator()(xmlSecDSigCtxPtr c) const { xmlSecDSigCtxDestroy(c); }
};

// Setting a keys manager up loads the system's certificate store, which costs more than verifying a document:
// each thread keeps one. It holds no key; the key comes from each document's certificate.
xmlSecKeysMngrPtr ThreadKeysManager() {
    thread_local std::unique_ptr<xmlSecKeysMngr, KeysMngrFree> keys;
    if (!keys) {
        std::unique_ptr<xmlSecKeysMngr, KeysMngrFree> created(xmlSecKeysMngrCreate());
        if (!created || xmlSecCryptoAppDefaultKeysMngrInit(created.get()) < 0)
            throw std::runtime_error("xmlsec1: gerenciador de chaves indisponível");
        keys = std::move(created);
    }
    return keys.get();
}

std::string AttributeText(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value) return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

} // namespace

std::string NfeSchemaFolder() {
    std::vector<fs::path> candidates;
    if (const char* env = std::getenv("DFE_NFE_SCHEMAS"); env && *env) candidates.emplace_back(env);
    const fs::path program = ProgramFolder();
    if (!program.empty()) {
        candidates.push_back(program / ".." / "share" / "dfe" / "nfe" / "schemas");
        candidates.push_back(program / "nfe" / "schemas");
    }
#ifdef DFE_NFE_SCHEMA_SOURCE_DIR
    candidates.emplace_back(DFE_NFE_SCHEMA_SOURCE_DIR);
#endif
    for (const fs::path& folder : candidates) {
        if (HoldsSchemas(folder)) return folder.lexically_normal().string();
    }
    throw std::runtime_error("os esquemas da NF-e (" + std::string(kProcSchema) +
                             ") não foram encontrados junto ao programa nem em DFE_NFE_SCHEMAS");
}

SchemaVerdict ValidateNfeSchema(xmlDocPtr doc, bool authorizedRoot) {
    const LoadedSchemas& schemas = Schemas();
    std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> ctxt(
        xmlSchemaNewValidCtxt(authorizedRoot ? schemas.proc : schemas.nfe), xmlSchemaFreeValidCtxt);
    if (!ctxt) throw std::bad_alloc();
    SchemaErrors errors;
    xmlSchemaSetValidStructuredErrors(ctxt.get(), CollectSchemaError, &errors);
    const int rc = xmlSchemaValidateDoc(ctxt.get(), doc);
    if (rc == 0) return {true, "válido"};
    std::string text = "inválido: " + (errors.text.empty() ? "erro interno do validador" : errors.text);
    if (errors.count > kSchemaErrorsShown)
        text += " (e mais " + std::to_string(errors.count - kSchemaErrorsShown) + " erros)";
    return {false, text};
}

SignatureVerdict VerifyNfeSignature(xmlDocPtr doc, xmlNodePtr nfe, xmlNodePtr infNFe) {
    xmlNodePtr signature = xmlSecFindChild(nfe, xmlSecNodeSignature, xmlSecDSigNs);
    if (!signature) return {SignatureStatus::Absent, "assinatura ausente"};
    InitXmlSec();

    // The reference names infNFe by its Id attribute, which only a DTD or a schema would declare an ID.
    const std::string id = AttributeText(infNFe, "Id");
    if (id.empty()) return {SignatureStatus::Invalid, "assinatura inválida: infNFe sem o atributo Id"};
    xmlAttrPtr idAttr = xmlHasProp(infNFe, reinterpret_cast<const xmlChar*>("Id"));
    if (!xmlGetID(doc, reinterpret_cast<const xmlChar*>(id.c_str())))
        xmlAddID(nullptr, doc, reinterpret_cast<const xmlChar*>(id.c_str()), idAttr);

    std::unique_ptr<xmlSecDSigCtx, DSigCtxFree> dsig(xmlSecDSigCtxCreate(ThreadKeysManager()));
    if (!dsig) throw std::bad_alloc();
    // The certificate in the document gives the key; no trust chain is available offline.
    dsig->keyInfoReadCtx.flags |= XMLSEC_KEYINFO_FLAGS_X509DATA_DONT_VERIFY_CERTS;
    dsig->enabledReferenceUris =
        static_cast<xmlSecTransformUriType>(xmlSecTransformUriTypeEmpty | xmlSecTransformUriTypeSameDocument);
    dsig->keyInfoReadCtx.retrievalMethodCtx.enabledUris = xmlSecTransformUriTypeEmpty;

    if (xmlSecDSigCtxVerify(dsig.get(), signature) < 0)
        return {SignatureStatus::Invalid, "assinatura inválida: estrutura, chave ou certificado ilegível"};
    if (dsig->status != xmlSecDSigStatusSucceeded)
        return {SignatureStatus::Invalid, "assinatura inválida: o documento foi alterado depois de assinado"};
    // A valid signature over something else does not sign this document.
    if (xmlSecPtrListGetSize(&dsig->signedInfoReferences) != 1)
        return {SignatureStatus::Invalid, "assinatura inválida: deve haver uma única referência"};
    auto* reference =
        static_cast<xmlSecDSigReferenceCtxPtr>(xmlSecPtrListGetItem(&dsig->signedInfoReferences, 0));
    const std::string uri = reference && reference->uri ? reinterpret_cast<const char*>(reference->uri) : "";
    if (uri != "#" + id)
        return {SignatureStatus::Invalid,
                "assinatura inválida: a referência " + uri + " não é a infNFe " + id};
    return {SignatureStatus::Valid, "assinatura válida (certificado não verificado)"};
}

} // namespace dfe::appserver::intake
