#include "appserver/intake/nfe_content.h"

#include "appserver/intake/xml_document.h"
#include "platform/core/date_time.h"
#include "platform/core/text.h"

#include <libxml/tree.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <unordered_set>

namespace dfe::appserver::intake {
namespace {

enum class Kind { Text, Number, Date, Stamp };

// A stored column and where the document keeps it: a path of element names below the row's element;
// alternatives separated by "|" (the first present wins). Text widths are in characters; 0 is unbounded.
struct Column {
    const char* name;
    const char* path;
    Kind kind;
    size_t width = 0;
};

bool IsNfeElement(xmlNodePtr node, std::string_view name) {
    if (node->type != XML_ELEMENT_NODE) return false;
    const auto* own = reinterpret_cast<const char*>(node->name);
    return std::strncmp(own, name.data(), name.size()) == 0 && own[name.size()] == '\0' && node->ns &&
           node->ns->href && std::strcmp(reinterpret_cast<const char*>(node->ns->href), kNfeNamespace) == 0;
}

xmlNodePtr Child(xmlNodePtr parent, std::string_view name) {
    if (!parent) return nullptr;
    for (xmlNodePtr c = parent->children; c; c = c->next) {
        if (IsNfeElement(c, name)) return c;
    }
    return nullptr;
}

std::vector<xmlNodePtr> Children(xmlNodePtr parent, std::string_view name) {
    std::vector<xmlNodePtr> found;
    if (!parent) return found;
    for (xmlNodePtr c = parent->children; c; c = c->next) {
        if (IsNfeElement(c, name)) found.push_back(c);
    }
    return found;
}

// The first element child whatever its name (the one group of a choice such as ICMS/ICMS00).
xmlNodePtr FirstElement(xmlNodePtr parent) {
    if (!parent) return nullptr;
    for (xmlNodePtr c = parent->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE) return c;
    }
    return nullptr;
}

xmlNodePtr AtPath(xmlNodePtr node, std::string_view path) {
    while (node && !path.empty()) {
        const size_t slash = path.find('/');
        node = Child(node, path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return node;
}

// The first of the "|" alternatives that is present, with the path that found it.
std::pair<xmlNodePtr, std::string_view> Find(xmlNodePtr node, std::string_view alternatives) {
    while (true) {
        const size_t bar = alternatives.find('|');
        const std::string_view one = alternatives.substr(0, bar);
        if (xmlNodePtr found = AtPath(node, one)) return {found, one};
        if (bar == std::string_view::npos) return {nullptr, one};
        alternatives = alternatives.substr(bar + 1);
    }
}

std::string Content(xmlNodePtr node) {
    // Nearly every field is one text node: read it in place.
    if (xmlNodePtr only = node->children; only && !only->next && only->type == XML_TEXT_NODE && only->content)
        return reinterpret_cast<const char*>(only->content);
    if (!node->children) return {};
    xmlChar* value = xmlNodeGetContent(node);
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::string Attribute(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::string Where(xmlNodePtr node, std::string_view path) {
    return std::string(path) + " (linha " + std::to_string(xmlGetLineNo(node)) + ")";
}

int Digits(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

bool DigitsAt(std::string_view text, size_t at, size_t count) {
    return text.size() >= at + count && text::IsDigits(text.substr(at, count));
}

// AAAA-MM-DD, and for a stamp Thh:mm:ss followed by the offset (kept as the issuer's local time).
std::optional<DateTime> ParseXmlDate(std::string_view text, bool stamp) {
    if (!DigitsAt(text, 0, 4) || text.size() < 10 || text[4] != '-' || !DigitsAt(text, 5, 2) ||
        text[7] != '-' || !DigitsAt(text, 8, 2))
        return std::nullopt;
    const int y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
    if (m < 1 || m > 12 || d < 1 || d > 31 || y < 1900) return std::nullopt;
    if (!stamp) {
        if (text.size() != 10) return std::nullopt;
        const DateTime date = DateTime::FromDate(y, m, d);
        return date.Date().day == d ? std::optional(date) : std::nullopt;
    }
    if (text.size() < 19 || text[10] != 'T' || !DigitsAt(text, 11, 2) || text[13] != ':' ||
        !DigitsAt(text, 14, 2) || text[16] != ':' || !DigitsAt(text, 17, 2))
        return std::nullopt;
    const int h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
    if (h > 23 || mi > 59 || s > 59) return std::nullopt;
    const DateTime when = DateTime::FromDateTime(y, m, d, h, mi, s);
    return when.Date().day == d ? std::optional(when) : std::nullopt;
}

std::optional<double> ParseDecimal(std::string_view text) {
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

Variant ReadValue(xmlNodePtr node, std::string_view path, Kind kind, size_t width) {
    const std::string text = Content(node);
    switch (kind) {
    case Kind::Text:
        if (width && text::Length(text) > width)
            throw IntakeRefusal("o campo " + Where(node, path) + " tem " +
                                std::to_string(text::Length(text)) + " caracteres; o limite é " +
                                std::to_string(width));
        return Variant(text);
    case Kind::Number:
        if (auto value = ParseDecimal(text); value && std::isfinite(*value)) return Variant(*value);
        throw IntakeRefusal("valor numérico inválido em " + Where(node, path) + ": \"" + text + "\"");
    case Kind::Date:
    case Kind::Stamp:
        if (auto value = ParseXmlDate(text, kind == Kind::Stamp)) return Variant(*value);
        throw IntakeRefusal("data inválida em " + Where(node, path) + ": \"" + text + "\"");
    }
    return Variant::Null();
}

void ReadColumns(xmlNodePtr node, std::initializer_list<Column> columns, ColumnValues& row) {
    for (const Column& c : columns) {
        const auto [found, path] = Find(node, c.path);
        row.emplace_back(c.name, found ? ReadValue(found, path, c.kind, c.width) : Variant::Null());
    }
}

std::string Padded(std::string_view digits, size_t width) {
    return text::PadLeft(digits, width, '0');
}

std::string TextAt(xmlNodePtr node, std::string_view alternatives) {
    const auto [found, path] = Find(node, alternatives);
    return found ? Content(found) : std::string();
}

// --- taxes -----------------------------------------------------------------------------------------------

Kind TaxColumnKind(std::string_view column) {
    return column.starts_with("VR") || column.starts_with("QT") ? Kind::Number : Kind::Text;
}

size_t TaxColumnWidth(std::string_view column) {
    if (column == "CDSITUTRIBIT" || column == "CDENQIPI") return 3;
    if (column == "CDCLASSTRIB") return 6;
    return 1;
}

struct TaxField {
    const char* column;
    const char* path; // below the group element
};

class TaxReader {
public:
    TaxReader(const std::string& key, const std::string& sequence, std::vector<ColumnValues>& rows)
        : key_(key), sequence_(sequence), rows_(rows) {}

    void Add(const char* tax, xmlNodePtr group, std::initializer_list<TaxField> fields,
             std::initializer_list<std::pair<const char*, Variant>> fixed = {}) {
        const std::string_view groupName = reinterpret_cast<const char*>(group->name);
        if (groupName.size() > 20)
            throw IntakeRefusal("grupo de imposto desconhecido (linha " +
                                std::to_string(xmlGetLineNo(group)) + ")");
        ColumnValues row{{"NRACESSONFE", Variant(key_)},
                         {"NRSEQIMPOIT", Variant(sequence_)},
                         {"SGIMPOSTO", Variant(tax)},
                         {"DSGRUPOXML", Variant(std::string(groupName))}};
        // A column the group lacks stays out of the row: it is stored as null.
        for (const auto& [column, value] : fixed) {
            if (!value.IsNull()) row.emplace_back(column, value);
        }
        for (const TaxField& f : fields) {
            const auto [found, path] = Find(group, f.path);
            if (found)
                row.emplace_back(f.column,
                                 ReadValue(found, path, TaxColumnKind(f.column), TaxColumnWidth(f.column)));
        }
        rows_.push_back(std::move(row));
    }

private:
    const std::string& key_;
    const std::string& sequence_;
    std::vector<ColumnValues>& rows_;
};

void ReadIcms(TaxReader& taxes, xmlNodePtr icms) {
    xmlNodePtr group = FirstElement(icms);
    if (!group) return;
    taxes.Add("ICMS", group,
              {{"CDSITUTRIBIT", "CST|CSOSN"},
               {"IDORIGEMPROD", "orig"},
               {"IDMODBCITNFE", "modBC"},
               {"VRPERREDBCIT", "pRedBC"},
               {"VRBASECALCIT", "vBC"},
               {"VRALIQITEM", "pICMS|pCredSN"},
               {"VRIMPOSTOIT", "vICMS|vCredICMSSN"},
               {"VRADICALIQFECP", "pFCP"},
               {"VRADICFECP", "vFCP"},
               {"VRICMSDESON", "vICMSDeson"}});
    if (Child(group, "vBCST") || Child(group, "vICMSST")) {
        taxes.Add("ICMSST", group,
                  {{"CDSITUTRIBIT", "CST|CSOSN"},
                   {"IDORIGEMPROD", "orig"},
                   {"IDMODBCSTITNFE", "modBCST"},
                   {"VRMVAST", "pMVAST"},
                   {"VRPERREDBCIT", "pRedBCST"},
                   {"VRBASECALCIT", "vBCST"},
                   {"VRALIQITEM", "pICMSST"},
                   {"VRIMPOSTOIT", "vICMSST"},
                   {"VRADICALIQFECP", "pFCPST"},
                   {"VRADICFECP", "vFCPST"}});
    } else if (Child(group, "vBCSTRet") || Child(group, "vICMSSTRet")) {
        // Tax withheld earlier in the chain (CST 60, CSOSN 500): what the supplier declares as retained.
        taxes.Add("ICMSST", group,
                  {{"CDSITUTRIBIT", "CST|CSOSN"},
                   {"IDORIGEMPROD", "orig"},
                   {"VRBASECALCIT", "vBCSTRet"},
                   {"VRALIQITEM", "pST"},
                   {"VRIMPOSTOIT", "vICMSSTRet"},
                   {"VRADICALIQFECP", "pFCPSTRet"},
                   {"VRADICFECP", "vFCPSTRet"}});
    }
}

void ReadContribution(TaxReader& taxes, xmlNodePtr tax, const char* name, const char* rate,
                      const char* value) {
    xmlNodePtr group = FirstElement(tax);
    if (!group) return;
    const std::string rateText = rate, valueText = value;
    taxes.Add(name, group,
              {{"CDSITUTRIBIT", "CST"},
               {"VRBASECALCIT", "vBC"},
               {"VRALIQITEM", rateText.c_str()},
               {"QTUNIDTRIBIT", "qBCProd"},
               {"VRUNIDTRIBIT", "vAliqProd"},
               {"VRIMPOSTOIT", valueText.c_str()}});
}

void ReadContributionSt(TaxReader& taxes, xmlNodePtr group, const char* name, const char* rate,
                        const char* value) {
    const std::string rateText = rate, valueText = value;
    taxes.Add(name, group,
              {{"VRBASECALCIT", "vBC"},
               {"VRALIQITEM", rateText.c_str()},
               {"QTUNIDTRIBIT", "qBCProd"},
               {"VRUNIDTRIBIT", "vAliqProd"},
               {"VRIMPOSTOIT", valueText.c_str()}});
}

void ReadIbsCbs(TaxReader& taxes, xmlNodePtr ibscbs) {
    const Variant cst = Child(ibscbs, "CST") ? Variant(Content(Child(ibscbs, "CST"))) : Variant::Null();
    const Variant classification =
        Child(ibscbs, "cClassTrib") ? Variant(Content(Child(ibscbs, "cClassTrib"))) : Variant::Null();
    if ((!cst.IsNull() && cst.AsString().size() > 3) ||
        (!classification.IsNull() && classification.AsString().size() > 6))
        throw IntakeRefusal("CST ou cClassTrib do IBS/CBS longo demais (linha " +
                            std::to_string(xmlGetLineNo(ibscbs)) + ")");
    xmlNodePtr gIbsCbs = Child(ibscbs, "gIBSCBS");
    if (!gIbsCbs) {
        taxes.Add("IBSCBS", ibscbs, {}, {{"CDSITUTRIBIT", cst}, {"CDCLASSTRIB", classification}});
        return;
    }
    Variant base = Variant::Null();
    if (xmlNodePtr vBC = Child(gIbsCbs, "vBC")) base = ReadValue(vBC, "gIBSCBS/vBC", Kind::Number, 0);
    const struct {
        const char* tax;
        const char* group;
        const char* rate;
        const char* value;
    } parts[] = {{"IBSUF", "gIBSUF", "pIBSUF", "vIBSUF"},
                 {"IBSMUN", "gIBSMun", "pIBSMun", "vIBSMun"},
                 {"CBS", "gCBS", "pCBS", "vCBS"}};
    for (const auto& p : parts) {
        xmlNodePtr group = Child(gIbsCbs, p.group);
        if (!group) continue;
        taxes.Add(p.tax, group, {{"VRALIQITEM", p.rate}, {"VRIMPOSTOIT", p.value}},
                  {{"CDSITUTRIBIT", cst}, {"CDCLASSTRIB", classification}, {"VRBASECALCIT", base}});
    }
}

void ReadTaxes(TaxReader& taxes, xmlNodePtr imposto) {
    if (xmlNodePtr icms = Child(imposto, "ICMS")) ReadIcms(taxes, icms);
    if (xmlNodePtr uf = Child(imposto, "ICMSUFDest")) {
        taxes.Add("ICMSUFDEST", uf,
                  {{"VRBASECALCIT", "vBCUFDest"},
                   {"VRALIQITEM", "pICMSUFDest"},
                   {"VRIMPOSTOIT", "vICMSUFDest"},
                   {"VRADICALIQFECP", "pFCPUFDest"},
                   {"VRADICFECP", "vFCPUFDest"}});
    }
    if (xmlNodePtr ipi = Child(imposto, "IPI")) {
        if (xmlNodePtr group = Child(ipi, "IPITrib") ? Child(ipi, "IPITrib") : Child(ipi, "IPINT")) {
            const Variant enq = Child(ipi, "cEnq") ? ReadValue(Child(ipi, "cEnq"), "IPI/cEnq", Kind::Text, 3)
                                                   : Variant::Null();
            taxes.Add("IPI", group,
                      {{"CDSITUTRIBIT", "CST"},
                       {"VRBASECALCIT", "vBC"},
                       {"VRALIQITEM", "pIPI"},
                       {"QTUNIDTRIBIT", "qUnid"},
                       {"VRUNIDTRIBIT", "vUnid"},
                       {"VRIMPOSTOIT", "vIPI"}},
                      {{"CDENQIPI", enq}});
        }
    }
    if (xmlNodePtr ii = Child(imposto, "II"))
        taxes.Add("II", ii, {{"VRBASECALCIT", "vBC"}, {"VRIMPOSTOIT", "vII"}});
    if (xmlNodePtr pis = Child(imposto, "PIS")) ReadContribution(taxes, pis, "PIS", "pPIS", "vPIS");
    if (xmlNodePtr pisSt = Child(imposto, "PISST")) ReadContributionSt(taxes, pisSt, "PISST", "pPIS", "vPIS");
    if (xmlNodePtr cofins = Child(imposto, "COFINS"))
        ReadContribution(taxes, cofins, "COFINS", "pCOFINS", "vCOFINS");
    if (xmlNodePtr cofinsSt = Child(imposto, "COFINSST"))
        ReadContributionSt(taxes, cofinsSt, "COFINSST", "pCOFINS", "vCOFINS");
    if (xmlNodePtr is = Child(imposto, "IS")) {
        taxes.Add("IS", is,
                  {{"CDSITUTRIBIT", "CSTIS"},
                   {"CDCLASSTRIB", "cClassTribIS"},
                   {"VRBASECALCIT", "vBCIS"},
                   {"VRALIQITEM", "pIS"},
                   {"VRIMPOSTOIT", "vIS"}});
    }
    if (xmlNodePtr ibscbs = Child(imposto, "IBSCBS")) ReadIbsCbs(taxes, ibscbs);
}

// --- document ----------------------------------------------------------------------------------------------

std::string KeyOf(xmlNodePtr infNFe, const NfeNodes& nodes) {
    std::string id = Attribute(infNFe, "Id");
    if (id.starts_with("NFe")) id.erase(0, 3);
    if (!id.empty()) return id;
    return nodes.infProt ? TextAt(nodes.infProt, "chNFe") : std::string();
}

void ReadHeader(xmlNodePtr inf, NfeContent& out) {
    ColumnValues& h = out.header;
    h.emplace_back("NRACESSONFE", Variant(out.key));
    h.emplace_back("IDTPIJURNF", Variant(out.issuerType));
    h.emplace_back("NRINSJURNF", Variant(out.issuerId));
    ReadColumns(inf,
                {{"NMRAZSOCEMIT", "emit/xNome", Kind::Text, 60},
                 {"NMFANTEMIT", "emit/xFant", Kind::Text, 60},
                 {"CDINSCESTAEMIT", "emit/IE", Kind::Text, 14},
                 {"SGESTADOEMIT", "emit/enderEmit/UF", Kind::Text, 2},
                 {"CDIBGEORIG", "emit/enderEmit/cMun", Kind::Text, 10},
                 {"IDCRTEMIT", "emit/CRT", Kind::Text, 1},
                 {"NRINSJUREMPR", "dest/CNPJ|dest/CPF|dest/idEstrangeiro", Kind::Text, 20},
                 {"NMRAZSOCDEST", "dest/xNome", Kind::Text, 60},
                 {"CDINSCESTADEST", "dest/IE", Kind::Text, 14},
                 {"SGESTADODEST", "dest/enderDest/UF", Kind::Text, 2},
                 {"CDIBGEDEST", "dest/enderDest/cMun", Kind::Text, 10},
                 {"CDUFNFE", "ide/cUF", Kind::Text, 2},
                 {"CDNUMERICONFE", "ide/cNF", Kind::Text, 8},
                 {"CDDVNFE", "ide/cDV", Kind::Text, 1},
                 {"NMNATOPER", "ide/natOp", Kind::Text, 60},
                 {"CDMODDOCFISC", "ide/mod", Kind::Text, 2},
                 {"CDSERIEENTR", "ide/serie", Kind::Text, 5},
                 {"NRNOTAFISC", "ide/nNF", Kind::Text, 9},
                 {"DTEMISSAO", "ide/dhEmi", Kind::Stamp},
                 {"DTENTRSAID", "ide/dhSaiEnt", Kind::Stamp},
                 {"IDTPNFNFE", "ide/tpNF", Kind::Text, 1},
                 {"IDFINNFE", "ide/finNFe", Kind::Text, 1},
                 {"IDTIPOEMISNFE", "ide/tpEmis", Kind::Text, 1},
                 {"IDTPAMBNFE", "ide/tpAmb", Kind::Text, 1},
                 {"VRBCICMS", "total/ICMSTot/vBC", Kind::Number},
                 {"VRICMS", "total/ICMSTot/vICMS", Kind::Number},
                 {"VRICMSDESON", "total/ICMSTot/vICMSDeson", Kind::Number},
                 {"VRFCP", "total/ICMSTot/vFCP", Kind::Number},
                 {"VRBCST", "total/ICMSTot/vBCST", Kind::Number},
                 {"VRST", "total/ICMSTot/vST", Kind::Number},
                 {"VRFCPST", "total/ICMSTot/vFCPST", Kind::Number},
                 {"VRPRODUTOS", "total/ICMSTot/vProd", Kind::Number},
                 {"VRFRETE", "total/ICMSTot/vFrete", Kind::Number},
                 {"VRSEGURO", "total/ICMSTot/vSeg", Kind::Number},
                 {"VRDESCONTO", "total/ICMSTot/vDesc", Kind::Number},
                 {"VRII", "total/ICMSTot/vII", Kind::Number},
                 {"VRIPI", "total/ICMSTot/vIPI", Kind::Number},
                 {"VRPIS", "total/ICMSTot/vPIS", Kind::Number},
                 {"VRCOFINS", "total/ICMSTot/vCOFINS", Kind::Number},
                 {"VROUTRASDESP", "total/ICMSTot/vOutro", Kind::Number},
                 {"VRNOTAFISC", "total/ICMSTot/vNF", Kind::Number},
                 {"VRBCIBSCBS", "total/IBSCBSTot/vBCIBSCBS", Kind::Number},
                 {"VRIBS", "total/IBSCBSTot/gIBS/vIBS", Kind::Number},
                 {"VRCBS", "total/IBSCBSTot/gCBS/vCBS", Kind::Number},
                 {"IDPGTOFRETEXML", "transp/modFrete", Kind::Text, 1},
                 {"NRINSJURTRANXML", "transp/transporta/CNPJ|transp/transporta/CPF", Kind::Text, 14},
                 {"NMRAZSOCTRANXML", "transp/transporta/xNome", Kind::Text, 60},
                 {"NRPLACAVEICXML", "transp/veicTransp/placa", Kind::Text, 7},
                 {"SGUFVEICXML", "transp/veicTransp/UF", Kind::Text, 2},
                 {"NRFATURAXML", "cobr/fat/nFat", Kind::Text, 60},
                 {"VRORIGFATXML", "cobr/fat/vOrig", Kind::Number},
                 {"VRDESCFATXML", "cobr/fat/vDesc", Kind::Number},
                 {"VRLIQFATXML", "cobr/fat/vLiq", Kind::Number},
                 {"DSINFADFISCO", "infAdic/infAdFisco", Kind::Text},
                 {"DSINFCOMPL", "infAdic/infCpl", Kind::Text}},
                h);
    const std::string carrier = TextAt(inf, "transp/transporta/CNPJ|transp/transporta/CPF");
    h.emplace_back("IDTPIJURTRANXML",
                   carrier.empty() ? Variant::Null()
                                   : Variant(Child(AtPath(inf, "transp/transporta"), "CPF") ? "F" : "J"));
}

void ReadItems(xmlNodePtr inf, NfeContent& out) {
    std::unordered_set<std::string> sequences;
    for (xmlNodePtr det : Children(inf, "det")) {
        const std::string number = Attribute(det, "nItem");
        if (!text::IsDigits(number) || number.size() > 3)
            throw IntakeRefusal("item sem número válido (nItem \"" + number + "\", linha " +
                                std::to_string(xmlGetLineNo(det)) + ")");
        const std::string sequence = Padded(number, 4);
        if (!sequences.insert(sequence).second)
            throw IntakeRefusal("item " + number + " repetido (linha " + std::to_string(xmlGetLineNo(det)) +
                                ")");
        ColumnValues item{{"NRACESSONFE", Variant(out.key)},
                          {"NRSEQITPROD", Variant(sequence)},
                          {"NRITEMXML", Variant(number)}};
        xmlNodePtr prod = Child(det, "prod");
        if (!prod) throw IntakeRefusal("item " + number + " sem o grupo prod");
        ReadColumns(prod,
                    {{"CDPRODUTO", "cProd", Kind::Text, 60},  {"CDEANPROD", "cEAN", Kind::Text, 14},
                     {"NMPRODUTO", "xProd", Kind::Text, 120}, {"CDNCM", "NCM", Kind::Text, 8},
                     {"CDCEST", "CEST", Kind::Text, 7},       {"CDFISOPEITEM", "CFOP", Kind::Text, 4},
                     {"SGUNIDADE", "uCom", Kind::Text, 6},    {"QTITEMPROD", "qCom", Kind::Number},
                     {"VRUNITITEM", "vUnCom", Kind::Number},  {"VRTOTAITEM", "vProd", Kind::Number},
                     {"SGUNIDTRIB", "uTrib", Kind::Text, 6},  {"QTITEMPRODTRIB", "qTrib", Kind::Number},
                     {"VRUNITTRIB", "vUnTrib", Kind::Number}, {"VRFRETEITEM", "vFrete", Kind::Number},
                     {"VRSEGUROITEM", "vSeg", Kind::Number},  {"VRDESCITEM", "vDesc", Kind::Number},
                     {"VROUTROITEM", "vOutro", Kind::Number}, {"IDINDTOT", "indTot", Kind::Text, 1},
                     {"NRPEDIDOXML", "xPed", Kind::Text, 15}, {"NRITEMPEDIDOXML", "nItemPed", Kind::Text, 6}},
                    item);
        if (item[3].second.IsNull() || item[5].second.IsNull())
            throw IntakeRefusal("item " + number + " sem código (cProd) ou descrição (xProd)");
        xmlNodePtr imposto = Child(det, "imposto");
        xmlNodePtr icmsGroup = FirstElement(Child(imposto, "ICMS"));
        ReadColumns(icmsGroup,
                    {{"IDORIGEMPROD", "orig", Kind::Text, 1}, {"CDSITUTRIBPR", "CST|CSOSN", Kind::Text, 3}},
                    item);
        ReadColumns(det, {{"DSINFADPROD", "infAdProd", Kind::Text}}, item);
        out.items.push_back(std::move(item));

        int lot = 0;
        for (xmlNodePtr rastro : Children(prod, "rastro")) {
            ColumnValues row{{"NRACESSONFE", Variant(out.key)},
                             {"NRSEQITPROD", Variant(sequence)},
                             {"NRSEQLOTE", Variant(int64_t{++lot})}};
            ReadColumns(rastro,
                        {{"NRLOTEPRODXML", "nLote", Kind::Text, 20},
                         {"QTLOTEPRODXML", "qLote", Kind::Number},
                         {"DTFABPRODXML", "dFab", Kind::Date},
                         {"DTVALPRODXML", "dVal", Kind::Date},
                         {"CDAGREGPRODXML", "cAgreg", Kind::Text, 20}},
                        row);
            if (row[3].second.IsNull()) throw IntakeRefusal("lote sem número (nLote) no item " + number);
            out.lots.push_back(std::move(row));
        }
        if (imposto) {
            TaxReader taxes(out.key, sequence, out.taxes);
            ReadTaxes(taxes, imposto);
        }
    }
    if (out.items.empty()) throw IntakeRefusal("NF-e sem itens (det)");
}

void ReadCharges(NfeContent& out) {
    const struct {
        const char* column;
        const char* kind;
        const char* name;
    } charges[] = {
        {"VRFRETE", "F", "Frete"}, {"VRSEGURO", "S", "Seguro"}, {"VROUTRASDESP", "O", "Outras despesas"}};
    for (const auto& c : charges) {
        for (const auto& [column, value] : out.header) {
            if (column == c.column && !value.IsNull() && value.AsFloat() > 0) {
                out.charges.push_back({{"NRACESSONFE", Variant(out.key)},
                                       {"IDENCARGO", Variant(c.kind)},
                                       {"NMENCARGO", Variant(c.name)},
                                       {"VRITEMENCA", value}});
            }
        }
    }
}

void ReadPayments(xmlNodePtr inf, NfeContent& out) {
    int n = 0;
    for (xmlNodePtr dup : Children(Child(inf, "cobr"), "dup")) {
        ColumnValues row{{"NRACESSONFE", Variant(out.key)},
                         {"NRSEQVENPAG", Variant(Padded(std::to_string(++n), 3))}};
        ReadColumns(dup,
                    {{"NRPARCELAPAG", "nDup", Kind::Text, 60},
                     {"DTORIGVENPAG", "dVenc", Kind::Date},
                     {"VRORIGPAG", "vDup", Kind::Number}},
                    row);
        if (row[4].second.IsNull())
            throw IntakeRefusal("duplicata " + std::to_string(n) + " sem valor (vDup)");
        out.installments.push_back(std::move(row));
    }
    n = 0;
    for (xmlNodePtr detPag : Children(Child(inf, "pag"), "detPag")) {
        ColumnValues row{{"NRACESSONFE", Variant(out.key)}, {"NRSEQPAGTO", Variant(int64_t{++n})}};
        ReadColumns(detPag,
                    {{"IDINDPAGXML", "indPag", Kind::Text, 1},
                     {"IDTPPAGXML", "tPag", Kind::Text, 2},
                     {"VRPAGXML", "vPag", Kind::Number}},
                    row);
        if (row[3].second.IsNull() || row[4].second.IsNull())
            throw IntakeRefusal("pagamento " + std::to_string(n) + " sem meio (tPag) ou valor (vPag)");
        out.payments.push_back(std::move(row));
    }
    n = 0;
    for (xmlNodePtr vol : Children(Child(inf, "transp"), "vol")) {
        ColumnValues row{{"NRACESSONFE", Variant(out.key)}, {"NRSEQVOLU", Variant(int64_t{++n})}};
        ReadColumns(vol,
                    {{"DSQTDEVOLUXML", "qVol", Kind::Text, 15},
                     {"DSESPECVOLUXML", "esp", Kind::Text, 60},
                     {"DSMARCAVOLUXML", "marca", Kind::Text, 60},
                     {"DSNUMEVOLUXML", "nVol", Kind::Text, 60},
                     {"VRPLIQUVOLUXML", "pesoL", Kind::Number},
                     {"VRPBRUTOVOLUXML", "pesoB", Kind::Number}},
                    row);
        out.volumes.push_back(std::move(row));
    }
}

// A protocol that neither authorizes nor denies (a rejection attached by mistake) leaves the document
// pending.
void ReadProtocol(xmlNodePtr infProt, NfeContent& out) {
    ColumnValues& h = out.header;
    if (!infProt) {
        h.emplace_back("IDSTATUSNFE", Variant("P"));
        h.emplace_back("DSOBSSTATUSNFE", Variant("sem protocolo de autorização"));
        for (const char* column : {"CDSTATPROTNFE", "NRPROTOCOLONFE", "DTHRPROTOCOLNFE"})
            h.emplace_back(column, Variant::Null());
        return;
    }
    h.emplace_back("IDSTATUSNFE", Variant(ProtocolStatus(out.protocol.status)));
    ReadColumns(infProt,
                {{"DSOBSSTATUSNFE", "xMotivo", Kind::Text, 1000},
                 {"CDSTATPROTNFE", "cStat", Kind::Text, 3},
                 {"NRPROTOCOLONFE", "nProt", Kind::Text, 15},
                 {"DTHRPROTOCOLNFE", "dhRecbto", Kind::Stamp}},
                h);
}

} // namespace

const char* ProtocolStatus(const std::string& cStat) {
    if (cStat == "100" || cStat == "150") return "A";
    if (cStat == "110" || cStat == "301" || cStat == "302" || cStat == "303") return "D";
    return "P";
}

NfeNodes LocateNfe(xmlDocPtr doc) {
    xmlNodePtr root = xmlDocGetRootElement(doc);
    const std::string rootName = root ? reinterpret_cast<const char*>(root->name) : "";
    NfeNodes nodes;
    if (IsNfeElement(root, "nfeProc")) {
        nodes.authorizedRoot = true;
        nodes.nfe = Child(root, "NFe");
        nodes.infProt = AtPath(root, "protNFe/infProt");
    } else if (IsNfeElement(root, "NFe")) {
        nodes.nfe = root;
    } else {
        throw IntakeRefusal("não é uma NF-e: o elemento raiz é " + rootName +
                            (root && root->ns && root->ns->href
                                 ? " (" + std::string(reinterpret_cast<const char*>(root->ns->href)) + ")"
                                 : std::string(" sem namespace")));
    }
    nodes.infNFe = Child(nodes.nfe, "infNFe");
    if (!nodes.infNFe) throw IntakeRefusal("não é uma NF-e: falta o grupo infNFe");
    const std::string version = Attribute(nodes.infNFe, "versao");
    if (version != "4.00")
        throw IntakeRefusal("leiaute da NF-e \"" + version + "\" não suportado (somente 4.00)");
    return nodes;
}

NfeContent ReadNfeContent(const NfeNodes& nodes) {
    xmlNodePtr inf = nodes.infNFe;
    NfeContent out;
    out.key = KeyOf(inf, nodes);
    if (out.key.empty()) throw IntakeRefusal("NF-e sem chave de acesso (infNFe/@Id)");
    if (xmlNodePtr cnpj = AtPath(inf, "emit/CNPJ")) {
        out.issuerType = "J";
        out.issuerId = Content(cnpj);
    } else if (xmlNodePtr cpf = AtPath(inf, "emit/CPF")) {
        out.issuerType = "F";
        out.issuerId = Content(cpf);
    } else {
        throw IntakeRefusal("NF-e sem o CNPJ ou CPF do emitente");
    }
    if (out.issuerId.size() > 14) throw IntakeRefusal("CNPJ ou CPF do emitente longo demais");
    out.recipientId = TextAt(inf, "dest/CNPJ|dest/CPF");
    out.recipientRegistry = TextAt(inf, "dest/IE");
    out.emitted = TextAt(inf, "ide/dhEmi");
    if (nodes.infProt) {
        out.hasProtocol = true;
        out.protocol = {TextAt(nodes.infProt, "chNFe"), TextAt(nodes.infProt, "cStat"),
                        TextAt(nodes.infProt, "xMotivo"), TextAt(nodes.infProt, "nProt"),
                        TextAt(nodes.infProt, "dhRecbto")};
    }
    ReadHeader(inf, out);
    // The key's own fields are checked against it later; the environment is the one other field every
    // document must have.
    if (TextAt(inf, "ide/tpAmb").empty()) throw IntakeRefusal("NF-e sem o ambiente (ide/tpAmb)");
    ReadProtocol(nodes.infProt, out);
    ReadItems(inf, out);
    ReadCharges(out);
    ReadPayments(inf, out);
    return out;
}

} // namespace dfe::appserver::intake
