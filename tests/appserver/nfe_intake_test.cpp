#include "appserver/intake/demo_nfe.h"
#include "appserver/intake/nfe_intake.h"
#include "nfe_files.h"
#include "platform/core/text.h"
#include "temp_database.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace dfe::appserver::testing {
namespace {

const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

using intake::IntakeNfe;
using intake::IntakeOutcome;
using intake::IntakeResult;

// Reads the document with XPath, independently of the intake's reading, to compare what was stored.
class XmlProbe {
public:
    explicit XmlProbe(const std::string& bytes)
        : doc_(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, XML_PARSE_NONET),
               xmlFreeDoc),
          ctx_(xmlXPathNewContext(doc_.get()), xmlXPathFreeContext) {
        const std::string prefix = "n", uri = "http://www.portalfiscal.inf.br/nfe";
        xmlXPathRegisterNs(ctx_.get(), Xml(prefix), Xml(uri));
    }
    std::vector<xmlNodePtr> Nodes(const std::string& xpath, xmlNodePtr context = nullptr) {
        ctx_->node = context ? context : xmlDocGetRootElement(doc_.get());
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> r(
            xmlXPathEvalExpression(Xml(xpath), ctx_.get()), xmlXPathFreeObject);
        std::vector<xmlNodePtr> nodes;
        if (r && r->nodesetval) {
            for (int i = 0; i < r->nodesetval->nodeNr; ++i)
                nodes.push_back(r->nodesetval->nodeTab[i]);
        }
        return nodes;
    }
    std::string Text(const std::string& xpath, xmlNodePtr context) {
        ctx_->node = context;
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> r(
            xmlXPathEvalExpression(Xml("string(" + xpath + ")"), ctx_.get()), xmlXPathFreeObject);
        return r && r->stringval ? reinterpret_cast<const char*>(r->stringval) : "";
    }

private:
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc_;
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> ctx_;
};

// T text, N number, D date, S date and time (the issuer's local time; the offset is not kept).
struct Expect {
    const char* column;
    const char* xpath;
    char kind;
};

Variant FieldOf(const Packet& p, size_t row, const std::string& column) {
    const int i = p.FieldIndex(column);
    EXPECT_GE(i, 0) << column;
    return i < 0 ? Variant() : p.rows[row].values[static_cast<size_t>(i)];
}

void Compare(XmlProbe& xml, xmlNodePtr context, const Packet& stored, size_t row,
             std::initializer_list<Expect> list, const std::string& where) {
    for (const Expect& e : list) {
        const std::string text = xml.Text(e.xpath, context);
        const Variant value = FieldOf(stored, row, e.column);
        const std::string what = where + " " + e.column + " (" + e.xpath + ")";
        if (text.empty()) {
            EXPECT_TRUE(value.IsNull()) << what << " holds " << value.AsString();
            continue;
        }
        ASSERT_FALSE(value.IsNull()) << what << " should be " << text;
        switch (e.kind) {
        case 'T':
            EXPECT_EQ(value.AsString(), text) << what;
            break;
        case 'N':
            EXPECT_DOUBLE_EQ(value.AsFloat(), std::stod(text)) << what;
            break;
        case 'D':
        case 'S': {
            const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)),
                      d = std::stoi(text.substr(8, 2));
            const DateTime expected =
                e.kind == 'D'
                    ? DateTime::FromDate(y, m, d)
                    : DateTime::FromDateTime(y, m, d, std::stoi(text.substr(11, 2)),
                                             std::stoi(text.substr(14, 2)), std::stoi(text.substr(17, 2)));
            EXPECT_NEAR(value.AsDateTime().Days(), expected.Days(), 1e-6) << what << " " << text;
            break;
        }
        }
    }
}

// Every stored value of the document against the XML, field by field.
void ExpectStoredAsWritten(db::Database& db, const std::string& key, const std::string& bytes) {
    XmlProbe xml(bytes);
    const auto infs = xml.Nodes("//n:infNFe");
    ASSERT_EQ(infs.size(), 1u);
    xmlNodePtr inf = infs[0];
    const db::SqlParams byKey{{"K", key}};
    const Packet header = db.Query("SELECT * FROM NFERECEBIDA WHERE NRACESSONFE = :K", byKey);
    ASSERT_EQ(header.rows.size(), 1u) << key;
    Compare(xml, inf, header, 0,
            {{"NRINSJURNF", "n:emit/n:CNPJ|n:emit/n:CPF", 'T'},
             {"NMRAZSOCEMIT", "n:emit/n:xNome", 'T'},
             {"NMFANTEMIT", "n:emit/n:xFant", 'T'},
             {"CDINSCESTAEMIT", "n:emit/n:IE", 'T'},
             {"SGESTADOEMIT", "n:emit/n:enderEmit/n:UF", 'T'},
             {"CDIBGEORIG", "n:emit/n:enderEmit/n:cMun", 'T'},
             {"IDCRTEMIT", "n:emit/n:CRT", 'T'},
             {"NRINSJUREMPR", "n:dest/n:CNPJ|n:dest/n:CPF|n:dest/n:idEstrangeiro", 'T'},
             {"NMRAZSOCDEST", "n:dest/n:xNome", 'T'},
             {"CDINSCESTADEST", "n:dest/n:IE", 'T'},
             {"SGESTADODEST", "n:dest/n:enderDest/n:UF", 'T'},
             {"CDIBGEDEST", "n:dest/n:enderDest/n:cMun", 'T'},
             {"CDUFNFE", "n:ide/n:cUF", 'T'},
             {"CDNUMERICONFE", "n:ide/n:cNF", 'T'},
             {"CDDVNFE", "n:ide/n:cDV", 'T'},
             {"NMNATOPER", "n:ide/n:natOp", 'T'},
             {"CDMODDOCFISC", "n:ide/n:mod", 'T'},
             {"CDSERIEENTR", "n:ide/n:serie", 'T'},
             {"NRNOTAFISC", "n:ide/n:nNF", 'T'},
             {"DTEMISSAO", "n:ide/n:dhEmi", 'S'},
             {"DTENTRSAID", "n:ide/n:dhSaiEnt", 'S'},
             {"IDTPNFNFE", "n:ide/n:tpNF", 'T'},
             {"IDFINNFE", "n:ide/n:finNFe", 'T'},
             {"IDTIPOEMISNFE", "n:ide/n:tpEmis", 'T'},
             {"IDTPAMBNFE", "n:ide/n:tpAmb", 'T'},
             {"VRBCICMS", "n:total/n:ICMSTot/n:vBC", 'N'},
             {"VRICMS", "n:total/n:ICMSTot/n:vICMS", 'N'},
             {"VRICMSDESON", "n:total/n:ICMSTot/n:vICMSDeson", 'N'},
             {"VRFCP", "n:total/n:ICMSTot/n:vFCP", 'N'},
             {"VRBCST", "n:total/n:ICMSTot/n:vBCST", 'N'},
             {"VRST", "n:total/n:ICMSTot/n:vST", 'N'},
             {"VRFCPST", "n:total/n:ICMSTot/n:vFCPST", 'N'},
             {"VRPRODUTOS", "n:total/n:ICMSTot/n:vProd", 'N'},
             {"VRFRETE", "n:total/n:ICMSTot/n:vFrete", 'N'},
             {"VRSEGURO", "n:total/n:ICMSTot/n:vSeg", 'N'},
             {"VRDESCONTO", "n:total/n:ICMSTot/n:vDesc", 'N'},
             {"VRII", "n:total/n:ICMSTot/n:vII", 'N'},
             {"VRIPI", "n:total/n:ICMSTot/n:vIPI", 'N'},
             {"VRPIS", "n:total/n:ICMSTot/n:vPIS", 'N'},
             {"VRCOFINS", "n:total/n:ICMSTot/n:vCOFINS", 'N'},
             {"VROUTRASDESP", "n:total/n:ICMSTot/n:vOutro", 'N'},
             {"VRNOTAFISC", "n:total/n:ICMSTot/n:vNF", 'N'},
             {"VRBCIBSCBS", "n:total/n:IBSCBSTot/n:vBCIBSCBS", 'N'},
             {"VRIBS", "n:total/n:IBSCBSTot/n:gIBS/n:vIBS", 'N'},
             {"VRCBS", "n:total/n:IBSCBSTot/n:gCBS/n:vCBS", 'N'},
             {"IDPGTOFRETEXML", "n:transp/n:modFrete", 'T'},
             {"NRINSJURTRANXML", "n:transp/n:transporta/n:CNPJ|n:transp/n:transporta/n:CPF", 'T'},
             {"NMRAZSOCTRANXML", "n:transp/n:transporta/n:xNome", 'T'},
             {"NRPLACAVEICXML", "n:transp/n:veicTransp/n:placa", 'T'},
             {"SGUFVEICXML", "n:transp/n:veicTransp/n:UF", 'T'},
             {"NRFATURAXML", "n:cobr/n:fat/n:nFat", 'T'},
             {"VRORIGFATXML", "n:cobr/n:fat/n:vOrig", 'N'},
             {"VRDESCFATXML", "n:cobr/n:fat/n:vDesc", 'N'},
             {"VRLIQFATXML", "n:cobr/n:fat/n:vLiq", 'N'},
             {"DSINFADFISCO", "n:infAdic/n:infAdFisco", 'T'},
             {"DSINFCOMPL", "n:infAdic/n:infCpl", 'T'},
             {"NRPROTOCOLONFE", "/n:nfeProc/n:protNFe/n:infProt/n:nProt", 'T'},
             {"CDSTATPROTNFE", "/n:nfeProc/n:protNFe/n:infProt/n:cStat", 'T'},
             {"DTHRPROTOCOLNFE", "/n:nfeProc/n:protNFe/n:infProt/n:dhRecbto", 'S'}},
            "cabeçalho");
    const Packet xmlRow = db.Query("SELECT DSXML, QTBYTESXML FROM NFERECEBXML WHERE NRACESSONFE = :K", byKey);
    ASSERT_EQ(xmlRow.rows.size(), 1u);
    EXPECT_EQ(xmlRow.rows[0].values[0].AsString(), bytes) << "the XML is kept byte for byte";

    const Packet items =
        db.Query("SELECT * FROM NFERECEBITEM WHERE NRACESSONFE = :K ORDER BY NRSEQITPROD", byKey);
    const auto dets = xml.Nodes("n:det", inf);
    ASSERT_EQ(items.rows.size(), dets.size());
    size_t lotsExpected = 0, taxesExpected = 0;
    for (size_t i = 0; i < dets.size(); ++i) {
        const std::string where = "item " + std::to_string(i + 1);
        Compare(xml, dets[i], items, i,
                {{"NRITEMXML", "@nItem", 'T'},
                 {"CDPRODUTO", "n:prod/n:cProd", 'T'},
                 {"CDEANPROD", "n:prod/n:cEAN", 'T'},
                 {"NMPRODUTO", "n:prod/n:xProd", 'T'},
                 {"CDNCM", "n:prod/n:NCM", 'T'},
                 {"CDCEST", "n:prod/n:CEST", 'T'},
                 {"CDFISOPEITEM", "n:prod/n:CFOP", 'T'},
                 {"SGUNIDADE", "n:prod/n:uCom", 'T'},
                 {"QTITEMPROD", "n:prod/n:qCom", 'N'},
                 {"VRUNITITEM", "n:prod/n:vUnCom", 'N'},
                 {"VRTOTAITEM", "n:prod/n:vProd", 'N'},
                 {"SGUNIDTRIB", "n:prod/n:uTrib", 'T'},
                 {"QTITEMPRODTRIB", "n:prod/n:qTrib", 'N'},
                 {"VRUNITTRIB", "n:prod/n:vUnTrib", 'N'},
                 {"VRFRETEITEM", "n:prod/n:vFrete", 'N'},
                 {"VRSEGUROITEM", "n:prod/n:vSeg", 'N'},
                 {"VRDESCITEM", "n:prod/n:vDesc", 'N'},
                 {"VROUTROITEM", "n:prod/n:vOutro", 'N'},
                 {"IDINDTOT", "n:prod/n:indTot", 'T'},
                 {"NRPEDIDOXML", "n:prod/n:xPed", 'T'},
                 {"NRITEMPEDIDOXML", "n:prod/n:nItemPed", 'T'},
                 {"IDORIGEMPROD", "n:imposto/n:ICMS/*/n:orig", 'T'},
                 {"CDSITUTRIBPR", "n:imposto/n:ICMS/*/n:CST|n:imposto/n:ICMS/*/n:CSOSN", 'T'},
                 {"DSINFADPROD", "n:infAdProd", 'T'}},
                where);
        const std::string sequence = FieldOf(items, i, "NRSEQITPROD").AsString();
        EXPECT_EQ(sequence, text::PadLeft(xml.Text("@nItem", dets[i]), 4, '0'));
        const db::SqlParams byItem{{"K", key}, {"S", sequence}};

        const Packet lots = db.Query("SELECT * FROM NFERECEBLOTE WHERE NRACESSONFE = :K AND NRSEQITPROD = :S"
                                     " ORDER BY NRSEQLOTE",
                                     byItem);
        const auto rastros = xml.Nodes("n:prod/n:rastro", dets[i]);
        ASSERT_EQ(lots.rows.size(), rastros.size()) << where;
        lotsExpected += rastros.size();
        for (size_t l = 0; l < rastros.size(); ++l) {
            Compare(xml, rastros[l], lots, l,
                    {{"NRLOTEPRODXML", "n:nLote", 'T'},
                     {"QTLOTEPRODXML", "n:qLote", 'N'},
                     {"DTFABPRODXML", "n:dFab", 'D'},
                     {"DTVALPRODXML", "n:dVal", 'D'},
                     {"CDAGREGPRODXML", "n:cAgreg", 'T'}},
                    where + " lote");
        }

        const Packet taxes =
            db.Query("SELECT * FROM NFERECEBIMPOSTO WHERE NRACESSONFE = :K AND NRSEQIMPOIT = :S", byItem);
        auto taxRow = [&](const std::string& tax) -> std::optional<size_t> {
            for (size_t r = 0; r < taxes.rows.size(); ++r) {
                if (FieldOf(taxes, r, "SGIMPOSTO").AsString() == tax) return r;
            }
            return std::nullopt;
        };
        size_t groups = 0;
        auto check = [&](const std::string& tax, const std::string& groupPath,
                         std::initializer_list<Expect> list) {
            const auto found = xml.Nodes(groupPath, dets[i]);
            if (found.empty()) return;
            ++groups;
            const auto row = taxRow(tax);
            ASSERT_TRUE(row) << where << " lacks " << tax;
            EXPECT_EQ(FieldOf(taxes, *row, "DSGRUPOXML").AsString(),
                      reinterpret_cast<const char*>(found[0]->name));
            Compare(xml, found[0], taxes, *row, list, where + " " + tax);
        };
        check("ICMS", "n:imposto/n:ICMS/*",
              {{"CDSITUTRIBIT", "n:CST|n:CSOSN", 'T'},
               {"IDORIGEMPROD", "n:orig", 'T'},
               {"IDMODBCITNFE", "n:modBC", 'T'},
               {"VRPERREDBCIT", "n:pRedBC", 'N'},
               {"VRBASECALCIT", "n:vBC", 'N'},
               {"VRALIQITEM", "n:pICMS|n:pCredSN", 'N'},
               {"VRIMPOSTOIT", "n:vICMS|n:vCredICMSSN", 'N'},
               {"VRADICFECP", "n:vFCP", 'N'},
               {"VRICMSDESON", "n:vICMSDeson", 'N'}});
        check("ICMSST", "n:imposto/n:ICMS/*[n:vBCST]",
              {{"IDMODBCSTITNFE", "n:modBCST", 'T'},
               {"VRMVAST", "n:pMVAST", 'N'},
               {"VRBASECALCIT", "n:vBCST", 'N'},
               {"VRALIQITEM", "n:pICMSST", 'N'},
               {"VRIMPOSTOIT", "n:vICMSST", 'N'},
               {"VRADICALIQFECP", "n:pFCPST", 'N'},
               {"VRADICFECP", "n:vFCPST", 'N'}});
        check("ICMSUFDEST", "n:imposto/n:ICMSUFDest",
              {{"VRBASECALCIT", "n:vBCUFDest", 'N'},
               {"VRALIQITEM", "n:pICMSUFDest", 'N'},
               {"VRIMPOSTOIT", "n:vICMSUFDest", 'N'},
               {"VRADICFECP", "n:vFCPUFDest", 'N'}});
        check("IPI", "n:imposto/n:IPI/n:IPITrib|n:imposto/n:IPI/n:IPINT",
              {{"CDSITUTRIBIT", "n:CST", 'T'},
               {"VRBASECALCIT", "n:vBC", 'N'},
               {"VRALIQITEM", "n:pIPI", 'N'},
               {"VRIMPOSTOIT", "n:vIPI", 'N'},
               {"CDENQIPI", "../n:cEnq", 'T'}});
        check("PIS", "n:imposto/n:PIS/*",
              {{"CDSITUTRIBIT", "n:CST", 'T'},
               {"VRBASECALCIT", "n:vBC", 'N'},
               {"VRALIQITEM", "n:pPIS", 'N'},
               {"VRIMPOSTOIT", "n:vPIS", 'N'}});
        check("COFINS", "n:imposto/n:COFINS/*",
              {{"CDSITUTRIBIT", "n:CST", 'T'},
               {"VRBASECALCIT", "n:vBC", 'N'},
               {"VRALIQITEM", "n:pCOFINS", 'N'},
               {"VRIMPOSTOIT", "n:vCOFINS", 'N'}});
        for (const auto& [tax, group, rate, value] : {std::tuple{"IBSUF", "gIBSUF", "pIBSUF", "vIBSUF"},
                                                      std::tuple{"IBSMUN", "gIBSMun", "pIBSMun", "vIBSMun"},
                                                      std::tuple{"CBS", "gCBS", "pCBS", "vCBS"}}) {
            const std::string rateXPath = std::string("n:") + rate, valueXPath = std::string("n:") + value;
            check(tax, std::string("n:imposto/n:IBSCBS/n:gIBSCBS/n:") + group,
                  {{"CDSITUTRIBIT", "../../n:CST", 'T'},
                   {"CDCLASSTRIB", "../../n:cClassTrib", 'T'},
                   {"VRBASECALCIT", "../n:vBC", 'N'},
                   {"VRALIQITEM", rateXPath.c_str(), 'N'},
                   {"VRIMPOSTOIT", valueXPath.c_str(), 'N'}});
        }
        EXPECT_EQ(taxes.rows.size(), groups) << where << ": one row per tax group, no more";
        taxesExpected += groups;
    }
    EXPECT_EQ(db.Query("SELECT * FROM NFERECEBLOTE WHERE NRACESSONFE = :K", byKey).rows.size(), lotsExpected);
    EXPECT_EQ(db.Query("SELECT * FROM NFERECEBIMPOSTO WHERE NRACESSONFE = :K", byKey).rows.size(),
              taxesExpected);

    const Packet dups =
        db.Query("SELECT * FROM NFERECEBVENC WHERE NRACESSONFE = :K ORDER BY NRSEQVENPAG", byKey);
    const auto dupNodes = xml.Nodes("n:cobr/n:dup", inf);
    ASSERT_EQ(dups.rows.size(), dupNodes.size());
    for (size_t d = 0; d < dupNodes.size(); ++d) {
        Compare(
            xml, dupNodes[d], dups, d,
            {{"NRPARCELAPAG", "n:nDup", 'T'}, {"DTORIGVENPAG", "n:dVenc", 'D'}, {"VRORIGPAG", "n:vDup", 'N'}},
            "duplicata");
    }
    const Packet pays =
        db.Query("SELECT * FROM NFERECEBPAGTO WHERE NRACESSONFE = :K ORDER BY NRSEQPAGTO", byKey);
    const auto payNodes = xml.Nodes("n:pag/n:detPag", inf);
    ASSERT_EQ(pays.rows.size(), payNodes.size());
    for (size_t p = 0; p < payNodes.size(); ++p) {
        Compare(
            xml, payNodes[p], pays, p,
            {{"IDINDPAGXML", "n:indPag", 'T'}, {"IDTPPAGXML", "n:tPag", 'T'}, {"VRPAGXML", "n:vPag", 'N'}},
            "pagamento");
    }
    const Packet vols =
        db.Query("SELECT * FROM NFERECEBVOLU WHERE NRACESSONFE = :K ORDER BY NRSEQVOLU", byKey);
    const auto volNodes = xml.Nodes("n:transp/n:vol", inf);
    ASSERT_EQ(vols.rows.size(), volNodes.size());
    for (size_t v = 0; v < volNodes.size(); ++v) {
        Compare(xml, volNodes[v], vols, v,
                {{"DSQTDEVOLUXML", "n:qVol", 'T'},
                 {"DSESPECVOLUXML", "n:esp", 'T'},
                 {"DSMARCAVOLUXML", "n:marca", 'T'},
                 {"DSNUMEVOLUXML", "n:nVol", 'T'},
                 {"VRPLIQUVOLUXML", "n:pesoL", 'N'},
                 {"VRPBRUTOVOLUXML", "n:pesoB", 'N'}},
                "volume");
    }
    const Packet charges = db.Query("SELECT IDENCARGO, VRITEMENCA FROM NFERECEBENCARGO WHERE NRACESSONFE = :K"
                                    " ORDER BY IDENCARGO",
                                    byKey);
    std::map<std::string, double> expectedCharges;
    for (const auto& [kind, path] :
         {std::pair{"F", "n:total/n:ICMSTot/n:vFrete"}, std::pair{"S", "n:total/n:ICMSTot/n:vSeg"},
          std::pair{"O", "n:total/n:ICMSTot/n:vOutro"}}) {
        const std::string v = xml.Text(path, inf);
        if (!v.empty() && std::stod(v) > 0) expectedCharges[kind] = std::stod(v);
    }
    std::map<std::string, double> storedCharges;
    for (const PacketRow& r : charges.rows)
        storedCharges[r.values[0].AsString()] = r.values[1].AsFloat();
    EXPECT_EQ(storedCharges, expectedCharges);
}

class NfeIntake : public ::testing::Test {
protected:
    void SetUp() override { db_ = temp_.OpenDemo(); }
    IntakeResult Take(const std::string& bytes, const std::string& name = "teste.xml") {
        return IntakeNfe(*db_, bytes, name);
    }
    size_t Stored(const char* table = "NFERECEBIDA") {
        return static_cast<size_t>(
            db_->Query("SELECT COUNT(*) FROM " + std::string(table)).rows[0].values[0].AsInteger());
    }
    Packet Header(const std::string& key) {
        return db_->Query("SELECT * FROM NFERECEBIDA WHERE NRACESSONFE = :K", {{"K", key}});
    }

    TempDatabase temp_;
    std::unique_ptr<db::SqliteDatabase> db_;
};

TEST_F(NfeIntake, TakesInTheConsistentSamplesWithTheirVerdictsAndEveryValueAsWritten) {
    const auto samples = SharedSamples();
    if (samples.empty()) GTEST_SKIP() << "../shared/nfe/samples is not beside the clone";
    for (const char* name : {"35180834128745000152550010000474281920007498-nfe.xml",
                             "35180834128745000152550010000474501597356342-nfe.xml"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(samples / name);
        const IntakeResult r = Take(bytes, name);
        ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
        EXPECT_EQ(r.key, std::string(name).substr(0, 44));
        const Packet h = Header(r.key);
        // Pretty-printed public copies: the schema holds, the signature no longer does.
        EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "S");
        EXPECT_EQ(FieldOf(h, 0, "DSESQUEMA").AsString(), "válido");
        EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "I");
        EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), "A");
        EXPECT_EQ(FieldOf(h, 0, "DSOBSSTATUSNFE").AsString(), "Autorizado o uso da NF-e");
        EXPECT_TRUE(FieldOf(h, 0, "CDFILIRECE").IsNull()) << "not addressed to the demo company";
        EXPECT_TRUE(FieldOf(h, 0, "CDFORNECED").IsNull());
        EXPECT_NE(r.verdicts.find("esquema válido; assinatura inválida"), std::string::npos) << r.verdicts;
        ExpectStoredAsWritten(*db_, r.key, bytes);
    }
}

TEST_F(NfeIntake, RefusesTheSamplesWhoseKeysDoNotMatchTheirFields) {
    const auto samples = SharedSamples();
    if (samples.empty()) GTEST_SKIP() << "../shared/nfe/samples is not beside the clone";
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"26180875335849000115550010000016871192213331-nfe.xml", "dígito verificador (cDV) é 9, na chave 1"},
        {"NFe35200159594315000157550010000000012062777161.xml", "tipo de emissão (tpEmis) é 1, na chave 2"}};
    for (const auto& c : cases) {
        const IntakeResult r = Take(ReadBytes(samples / c.file), c.file);
        EXPECT_EQ(r.outcome, IntakeOutcome::Refused) << c.file;
        EXPECT_NE(r.reason.find("não confere com o documento"), std::string::npos) << r.reason;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    }
    EXPECT_EQ(Stored(), 0u);
}

TEST_F(NfeIntake, StoresTheDocumentsWrittenForTheDemoCompanyAsWrittenAndMatchesRecipientAndSupplier) {
    const struct {
        const char* file;
        const char* branch;
        const char* supplier;
        const char* status;
        const char* taxes; // tax rows the document must carry, in the table's order
        size_t lots, installments;
    } cases[] = {
        {"35_serra_azul_000012480.xml", "0001", "J11222333000181", "A", "COFINS ICMS ICMSST IPI PIS", 3, 3},
        {"35_moinho_paulista_000000891.xml", "0002", "J45678901000175", "P",
         "CBS COFINS IBSMUN IBSUF ICMS PIS", 0, 2},
        {"41_joao_silva_cpf_000000057.xml", "0003", "F12345678909", "A", "COFINS ICMS PIS", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string bytes = ReadBytes(DemoNfe(c.file));
        const IntakeResult r = Take(bytes, c.file);
        ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
        const Packet h = Header(r.key);
        EXPECT_EQ(FieldOf(h, 0, "CDFILIRECE").AsString(), c.branch);
        EXPECT_EQ(FieldOf(h, 0, "CDEMPRESA").AsString(), "01");
        EXPECT_EQ(FieldOf(h, 0, "CDFORNECED").AsString(), c.supplier);
        EXPECT_EQ(FieldOf(h, 0, "IDTPIJURNF").AsString(), std::string(c.supplier).substr(0, 1));
        EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), c.status);
        // Unsigned copies: the schema wants the signature, and says so.
        EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "N");
        EXPECT_NE(FieldOf(h, 0, "DSESQUEMA").AsString().find("Signature"), std::string::npos);
        EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "A");
        const Packet taxes =
            db_->Query("SELECT DISTINCT SGIMPOSTO FROM NFERECEBIMPOSTO WHERE NRACESSONFE = :K"
                       " ORDER BY SGIMPOSTO",
                       {{"K", r.key}});
        std::string names;
        for (const PacketRow& row : taxes.rows)
            names += (names.empty() ? "" : " ") + row.values[0].AsString();
        EXPECT_EQ(names, c.taxes);
        EXPECT_EQ(db_->Query("SELECT * FROM NFERECEBLOTE WHERE NRACESSONFE = :K", {{"K", r.key}}).rows.size(),
                  c.lots);
        EXPECT_EQ(db_->Query("SELECT * FROM NFERECEBVENC WHERE NRACESSONFE = :K", {{"K", r.key}}).rows.size(),
                  c.installments);
        ExpectStoredAsWritten(*db_, r.key, bytes);
    }
}

TEST_F(NfeIntake, VerifiesASignatureWithTheCertificateItCarriesAndSeesATamperedCopy) {
    const std::string signedBytes = ReadBytes(TestNfe("35_serra_azul_000012490_assinada.xml"));
    const IntakeResult r = Take(signedBytes);
    ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
    Packet h = Header(r.key);
    EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "V");
    EXPECT_EQ(FieldOf(h, 0, "DSASSINATURA").AsString(), "assinatura válida (certificado não verificado)");
    EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "S");

    // The same document with one product description changed after signing.
    db_->ExecuteScript("DELETE FROM NFERECEBIMPOSTO; DELETE FROM NFERECEBLOTE; DELETE FROM NFERECEBITEM;"
                       " DELETE FROM NFERECEBVENC; DELETE FROM NFERECEBPAGTO; DELETE FROM NFERECEBVOLU;"
                       " DELETE FROM NFERECEBENCARGO; DELETE FROM NFERECEBXML; DELETE FROM NFERECEBIDA;");
    const IntakeResult tampered = Take(Replaced(signedBytes, "MANTEIGA COM SAL", "MANTEIGA SEM SAL"));
    ASSERT_EQ(tampered.outcome, IntakeOutcome::Stored) << tampered.reason;
    h = Header(tampered.key);
    EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "I");
    EXPECT_NE(FieldOf(h, 0, "DSASSINATURA").AsString().find("alterado depois de assinado"),
              std::string::npos);
}

TEST_F(NfeIntake, TheSameKeyIsOneDocumentAndOnlyAnAuthorizedCopyReplacesABareOne) {
    const std::string bare = ReadBytes(DemoNfe("35_moinho_paulista_000000891.xml"));
    const IntakeResult first = Take(bare);
    ASSERT_EQ(first.outcome, IntakeOutcome::Stored) << first.reason;
    EXPECT_EQ(Take(bare).outcome, IntakeOutcome::Duplicate);
    EXPECT_EQ(Stored(), 1u);
    const size_t items = Stored("NFERECEBITEM");
    db_->Execute("UPDATE NFERECEBIDA SET IDIMPORTADA = 'S'");

    const std::string protocol =
        "<protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SP_NFE_PL_010</verAplic><chNFe>" +
        first.key +
        "</chNFe><dhRecbto>2026-12-10T14:06:00-03:00</dhRecbto><nProt>135260004700001</nProt><digVal>"
        "AAAAAAAAAAAAAAAAAAAAAAAAAAA=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da "
        "NF-e</xMotivo></infProt>"
        "</protNFe>";
    std::string authorized = Replaced(bare, "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">",
                                      "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
                                      "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">");
    authorized = Replaced(authorized, "</NFe>", "</NFe>" + protocol + "</nfeProc>");
    const IntakeResult update = Take(authorized);
    ASSERT_EQ(update.outcome, IntakeOutcome::Updated) << update.reason;
    const Packet h = Header(first.key);
    EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), "A");
    EXPECT_EQ(FieldOf(h, 0, "NRPROTOCOLONFE").AsString(), "135260004700001");
    EXPECT_EQ(FieldOf(h, 0, "IDIMPORTADA").AsString(), "S") << "what the clerk did with it stays";
    EXPECT_EQ(Stored(), 1u);
    EXPECT_EQ(Stored("NFERECEBITEM"), items);
    ExpectStoredAsWritten(*db_, first.key, authorized);

    EXPECT_EQ(Take(bare).outcome, IntakeOutcome::Duplicate) << "a bare copy never replaces an authorized one";
    EXPECT_EQ(Take(authorized).outcome, IntakeOutcome::Duplicate);
}

TEST_F(NfeIntake, StoresADocumentWholeOrNotAtAll) {
    // A failure while the installments are written (the last detail but two) must take the header with it.
    db_->ExecuteScript("CREATE TRIGGER NFERECEBVENC_FALHA BEFORE INSERT ON NFERECEBVENC"
                       " BEGIN SELECT RAISE(ABORT, 'disco cheio'); END;");
    EXPECT_THROW(Take(ReadBytes(DemoNfe("35_serra_azul_000012480.xml"))), db::DatabaseError);
    for (const char* table :
         {"NFERECEBIDA", "NFERECEBXML", "NFERECEBITEM", "NFERECEBIMPOSTO", "NFERECEBLOTE"})
        EXPECT_EQ(Stored(table), 0u) << table;
}

TEST_F(NfeIntake, RefusesHostileAndBrokenInputWithItsReasonAndStoresNothing) {
    const std::string good = ReadBytes(DemoNfe("35_serra_azul_000012480.xml"));
    const std::string key = "35261211222333000181550010000124801273645100";
    std::string deep = "<a>";
    for (int i = 0; i < 5000; ++i)
        deep += "<a>";
    std::string nested = "<a>";
    for (int i = 0; i < 100; ++i)
        nested += "<b>";
    for (int i = 0; i < 100; ++i)
        nested += "</b>";
    nested += "</a>";
    std::string huge = good;
    huge.insert(huge.find("</infCpl>"), std::string(11 * 1024 * 1024, 'x'));
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
        "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">&lol3;</NFe>";
    const std::string external = Replaced(
        good, "<nfeProc", "<!DOCTYPE nfeProc [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><nfeProc");
    const std::string dtd =
        Replaced(good, "<nfeProc", "<!DOCTYPE nfeProc SYSTEM \"http://example.com/nfe.dtd\"><nfeProc");
    std::string wrongDigit = good;
    for (size_t at = wrongDigit.find(key); at != std::string::npos; at = wrongDigit.find(key))
        wrongDigit.replace(at, key.size(), key.substr(0, 43) + "1");
    wrongDigit = Replaced(wrongDigit, "<cDV>0</cDV>", "<cDV>1</cDV>");
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"external entity", external, "DOCTYPE"},
        {"DTD", dtd, "DOCTYPE"},
        {"entity expansion", laughs, "DOCTYPE"},
        {"huge file", huge, "grande demais"},
        {"deep nesting", deep, "profundamente demais"},
        {"nesting past the document's limit", nested, "profundamente demais"},
        {"not XML", "%PDF-1.4 isto não é XML", "XML malformado (linha 1)"},
        {"truncated", good.substr(0, good.size() / 2), "XML malformado"},
        {"empty", "", "vazio"},
        {"not UTF-8", Replaced(good, "Laticínios", "Latic\xEDnios"), "UTF-8"},
        {"declared Latin-1", Replaced(good, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\""), "ISO-8859-1"},
        {"CT-e root", ReadBytes(TestNfe("cte_57.xml")), "não é uma NF-e: o elemento raiz é cteProc"},
        {"other layout", Replaced(good, "<infNFe versao=\"4.00\"", "<infNFe versao=\"3.10\""), "3.10"},
        {"wrong check digit", wrongDigit, "dígito verificador errado (1; o correto é 0)"},
        {"key against number", Replaced(good, "<nNF>12480</nNF>", "<nNF>12481</nNF>"),
         "número (nNF) é 000012481"},
        {"key against series", Replaced(good, "<serie>1</serie>", "<serie>2</serie>"), "série (serie) é 002"},
        {"key against state", Replaced(good, "<cUF>35</cUF>", "<cUF>41</cUF>"), "UF (cUF) é 41"},
        {"key against month", Replaced(good, "<dhEmi>2026-12-09", "<dhEmi>2026-11-09"),
         "ano e mês de emissão"},
        {"key against issuer", Replaced(good, "<CNPJ>11222333000181</CNPJ>", "<CNPJ>11222333000262</CNPJ>"),
         "CNPJ/CPF do emitente é 11222333000262"},
        {"key against numeric code", Replaced(good, "<cNF>27364510</cNF>", "<cNF>27364511</cNF>"),
         "código numérico"},
        {"protocol of another key",
         Replaced(good, "<chNFe>" + key, "<chNFe>35261211222333000181550010000124701516273842"),
         "o protocolo de autorização é da chave"},
        {"bad number", Replaced(good, "<vNF>", "<vNF>1,5"), "valor numérico inválido"},
        {"bad date", Replaced(good, "<dVenc>2027-01-08", "<dVenc>2027-02-30"), "data inválida"},
        {"text too long",
         Replaced(good, "<xNome>Transportadora Rota Sul Ltda", "<xNome>" + std::string(70, 'T')),
         "o limite é 60"},
    };
    for (const auto& c : cases) {
        const IntakeResult r = Take(c.bytes);
        EXPECT_EQ(r.outcome, IntakeOutcome::Refused) << c.what;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.what << ": " << r.reason;
    }
    EXPECT_EQ(Stored(), 0u);
    EXPECT_EQ(Stored("NFERECEBXML"), 0u);
    EXPECT_EQ(Take(good).outcome, IntakeOutcome::Stored) << "and the intake still works";
}

TEST(AccessKeyMismatch, NamesEveryFieldThatDiffersFromTheKey) {
    const std::string key = "35261211222333000181550010000124801273645100";
    const intake::KeyFields fields{
        "35", "2026-12-09T10:15:00-03:00", "11222333000181", "55", "1", "12480", "1", "27364510", "0"};
    EXPECT_EQ(intake::AccessKeyMismatch(key, fields), "");
    intake::KeyFields cpf = fields;
    EXPECT_EQ(intake::AccessKeyMismatch(
                  "41261200012345678909550010000000571192837465",
                  {"41", "2026-12-08T07:30:00-03:00", "12345678909", "55", "1", "57", "1", "19283746", "5"}),
              "")
        << "a CPF issuer fills the 14 positions with zeros on the left";
    cpf.model = "65";
    cpf.checkDigit = "7";
    EXPECT_EQ(intake::AccessKeyMismatch(key, cpf),
              "a chave de acesso " + key +
                  " não confere com o documento: modelo (mod) é 65, na chave 55; "
                  "dígito verificador (cDV) é 7, na chave 0");
    EXPECT_NE(
        intake::AccessKeyMismatch("3526121122233300018155001000012480127364510", fields).find("44 dígitos"),
        std::string::npos);
    EXPECT_NE(
        intake::AccessKeyMismatch("3526121122233300018155001000012480127364510X", fields).find("44 dígitos"),
        std::string::npos);
}

TEST(DemoNfe, InitStoresTheDemoCompanysDocumentsThroughTheIntakeOnce) {
    TempDatabase temp;
    auto db = temp.OpenDemo();
    const auto lines = StoreDemoNfe(*db);
    ASSERT_EQ(lines.size(), EmbeddedDemoNfeFiles().size());
    for (const std::string& line : lines)
        EXPECT_NE(line.find(": aceita "), std::string::npos) << line;
    const Packet branches =
        db->Query("SELECT CDFILIRECE, COUNT(*) FROM NFERECEBIDA GROUP BY CDFILIRECE ORDER BY 1");
    ASSERT_EQ(branches.rows.size(), 3u) << "every branch of the demo has documents";
    // The keys the demo's manifestations and key checks name have their documents.
    for (const char* key :
         {"35261211222333000181550010000124701516273842", "35261245678901000175550010000008901627384955"})
        EXPECT_EQ(db->Query("SELECT 1 FROM NFERECEBIDA WHERE NRACESSONFE = :K", {{"K", key}}).rows.size(), 1u)
            << key;
    for (const std::string& line : StoreDemoNfe(*db))
        EXPECT_NE(line.find(": já recebida "), std::string::npos) << line;
}

} // namespace
} // namespace dfe::appserver::testing
