#pragma once

// Reads a stored NF-e back against its XML, field by field, with XPath: independently of the intake's
// reading.

#include "platform/core/text.h"
#include "platform/db/database.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace dfe::appserver::testing {

inline const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

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

inline Variant FieldOf(const Packet& p, size_t row, const std::string& column) {
    const int i = p.FieldIndex(column);
    EXPECT_GE(i, 0) << column;
    return i < 0 ? Variant() : p.rows[row].values[static_cast<size_t>(i)];
}

inline void Compare(XmlProbe& xml, xmlNodePtr context, const Packet& stored, size_t row,
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
inline void ExpectStoredAsWritten(db::Database& db, const std::string& key, const std::string& bytes) {
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

} // namespace dfe::appserver::testing
