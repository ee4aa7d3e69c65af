#include "demo_server.h"

#include "platform/core/text.h"
#include "platform/data/packet.h"
#include "platform/net/origin_calls.h"

#include <functional>
#include <map>
#include <tuple>

namespace dfe::appserver {
namespace {

// The client's declared fields of each dataset the posting methods fill (calculated fields excluded): the
// contract every answer keeps, field for field, in name, type and width. S<n> string of n characters, F
// float, D date-time.
const std::pair<const char*, const char*> kClientFields[] = {
    {"cdsRomaneioNF",
     "NRNOTAFISC S20, NRINSJURNF S20, NMRAZSOCFORN S40, CDSERIEENTR S5, DTEMISSAO D, DTENTRSAID D, "
     "VRNOTAFISC F, CDFILIAL S4, NRLANCTONF S10, CDEMPRESA S2, CDFILIRECE S4, IDTPIJURNF S1, IDSTATUS S1, "
     "IDENTRSAIDOP S1, IDBLOQUEADO S1, CDTIPOOPER S2, NMTIPOOPER S30, CDFILIEMIT S4, CDCLIENTE S21, "
     "IDORIGDESTNF S1, NMRAZSOCCLIE S50, NMFILIAL S30, NRLANCESTQ S10, NMRAZSOCEMPR S80, IDUTILVENC S1, "
     "IDNFDEVOOL S1, DSNOTAFISORIGOL S30, IDDOCREPLIC S14, IDNFGERADAVIAXML S1, IDSTATUSMANIF S1, "
     "IDDOCCREDST S14, CDFORNECED S21"},
    {"cdsNotaFiscal",
     "CDFILIAL S4, DTENTRSAID D, CDSERIEENTR S5, NRLANCTONF S10, VRPRODUTOS F, IDTPIJURTRAN S1, "
     "CDEMPRESA S2, VRNOTAFISC F, NRINSJURTRAN S20, CDINSCESTA S16, NRPLACAVEIC S7, DSMODDOCFISC S40, "
     "CDINSCMUNI S16, SGUFVEIC S2, DSCDFISOPENF S50, CDFILIRECE S4, IDPGTOFRETE S1, IDDOCCONTAB S1, "
     "IDTPIJURNF S1, DSQTDEVOLU S6, IDSTATUS S1, NRINSJURNF S20, DSESPECVOLU S10, VRPBRUTOVOLU F, "
     "DSMARCAVOLU S60, VRPLIQUVOLU F, CDFORNECED S21, DSNUMEVOLU S15, IDENTRSAIDOP S1, IDDOCFINANC S1, "
     "IDBLOQUEADO S1, NRNOTAFISC S20, CDTIPOOPER S2, IDDOCFISCAL S1, DTEMISSAO D, IDERROS S30, "
     "IDAVISOS S30, CDMODDOCFISC S2, IDSISTEMA S3, CDFILIEMIT S4, CDCLIENTE S21, IDORIGDESTNF S1, "
     "CDINTEGRACAO S16, DTLANCAMENNF D, CDALMOXARIFE S6, CDLOCALESTOQ S6, IDGERAVENC S1, IDUTILVENC S1, "
     "CDFISOPENTF S5, IDNOTAIMPAF S1, DTCOMPFATUR D, NRCPFCNPJNF S20, NRACESSONFE S50, IDSTATUSNFE S1, "
     "NRNOTAFISCALELE S9, DSOBSSTATUSNFE S1000, NRPROTOCOLONFE S15, IDTIPOEMISNFE S1, IDTPAMBNFE S1, "
     "DTHRPROTOCOLNFE D, IDNFGERADAVIAXML S1, CDCHAVEACESNFPS S50, HORA S5, DSCFOPINFUSU S50, "
     "CDCFOPINFUSU S11, IDSTATUSMANIF S1, CDFORNECEDREME S21, IDTPIJURFORREME S1, NRINSJURFORREME S20, "
     "NRNFREMESSA S20, SGESTADO S2, CDMUNICIPIO S5, CDIBGEORIG S10, CDIBGEDEST S10, CDTIPOCTE S1, "
     "NRACESSONFEREF S44, CDFINEMIDOCNF S40, CDMODDOCARREC S40, NRDOCARRECAD S40, NRSEQCAPADOC S10, "
     "NMESTADO S40, NMMUNICIPIO S60, IDNATFRETECTE S1, CDSERVICOPROD S30"},
    {"cdsItemNotaFisc",
     "LANCAMENTO S17, NRLANCTONF S10, CDSERIEENTR S5, NRNOTAFISC S20, NMRAZSOCFORN S40, CDFILIAL S4, "
     "VRNOTAFISC F, CDFILIALIT S4, NRLANCTONFIT S10, NRSEQUITNOTA S3, CDSERIE S5, NRINSJURNF S20"},
    {"cdsItemProduto",
     "CDPRODUTO S10, NMPRODUTO S50, CDSITUTRIBPR S3, SGUNIDADE S10, QTITEMPROD F, VRUNITITEM F, "
     "VRTOTAITEM F, VRDESCITEM F, VRDESPERITEM F, IDAVISOSITEM S5, CDFILIAL S4, CDPRODEMIS S20, "
     "IDCONFORITEM S1, NRLANCTONF S10, NRSEQITPROD S4, IDATUVRESTOQ S1, CDSUFXCFOPPR S3, VRCONTITEM F, "
     "VRBRUTITEM F, CDPRODANT S20, CDFILDEST S4, NRAUTOFORN S10, CDMARCA S5, DTPROGENTAF D, "
     "DSPRODEMIS S3000, IDDELETE S1, CDALMOXARIFE S6, CDLOCALESTOQ S6, NRLOTEESTQ S20, NRSUBLOTE S4, "
     "CDFILIMOVI S4, CDPRODESTO S10, CDARVPROD S20, CDFISOPEITEM S4, QTITEMORIG F, VRCONTIORIG F, "
     "VRDESCORIG F, VRFATOCONV F, VRBRUTIORIG F, QTITRELACNFSUBS F, IDITEMORIGEM S1, IDORIGEMPROD S1, "
     "VRENCARGOIMPXML F, QTITPRODTRIBXML F, VRFATCONTRIBXML F, IDPRODBONIF S1, CDSIMPLESNACIONAL S5, "
     "QTITEMPRODXML F, VRUNITITEMXML F, VRTOTAITEMXML F, NMPRODUTOXML S120, SGUNIDADEXML S10, "
     "NRSEQITSAID S4, CDPRODINTE S60"},
    {"cdsItemEncargo",
     "NMENCARGO S20, VRITEMENCA F, CDFILIAL S4, NRLANCTONF S10, CDENCARGO S2, IDENCARGO S1"},
    {"cdsContaPagar",
     "QTDIASVENPAG F, DTORIGVENPAG D, VRORIGPAG F, IDSTATPAG S1, CDFILIAL S4, NRLANCTONF S10, "
     "NRSEQVENPAG S2, NRPARCELAPAG S2, DTATUAVENPAG D, VRATUAPAG F, CDFILIBPAG S4, NRLANBOLPAG S10, "
     "DSCONTAPAG S100, CDTPCTPAGAR S6, CDCLASSFINA S6, DSLINHBARPAG S55, CDBARRAPAG S44, CDEMPRESA S2"},
    {"cdsDadosAdic",
     "CDFILIAL S4, NRLANCTONF S10, NRDADOADIC S3, CDMENSAGEM S3, DSDADOADIC S3000, IDLOCALEMIS S1"},
    {"cdsImposNFTot",
     "CDFILIAL S4, NRLANCTONF S10, CDIMPOSTO S2, VRTOTIMPONF F, VRTOTBCALCNF F, IDERROSIMPTT S5, "
     "IDAVISIMPTT S5, SGIMPOSTO S10, IDPRODNOTA S1, IDCONSISTENT S1, IDTRATIMPO S1"},
    {"cdsItemProImpos",
     "CDPRODUTO S10, SGIMPOSTO S10, VRALIQITEM F, VRIMPOSTOIT F, CDFILIAL S4, NRLANCTONF S10, "
     "NRSEQITPROD S4, CDIMPOSTO S2, VRCONTITIMP F, VRPERREDBCIT F, VRBASECALCIT F, VRPARDEDIT F, "
     "CDFISCALIT S1, CDSITUTRIBIT S3, CDSUFXCFOPIT S3, IDERROSIMPIT S5, IDAVISIMPIT S5, IDCONSISTENT S1, "
     "IDTRATIMPO S1, NRITPROIMPOS S1, IDVALORINFIT S1, CDFISCOPERIT S11, VR1PERREDBCIT F, IDTRIMPSTII S1, "
     "CDSITUTRIBITNFE S2, IDMODBCITNFE S1, IDMODBCSTITNFE S1, CDTPCREDPICOITE S3, CDNATUBCALPCIT S2, "
     "VRADICALIQFECP F, VRADICFECP F"},
    {"cdsItensNFOrig", "CDFILIALIT S4, NRLANCTONFIT S10"},
    {"cdsItemNFOrigem",
     "NRSEQITPROD S4, CDPRODUTO S10, CDARVPROD S20, NMPRODUTO S50, CDNVPRODUTO S1, SGUNIDADE S10, "
     "CDSITUTRIBPR S3, CDPRODESTO S10, VRDESCITEM F, VRCONTITEM F, VRBRUTITEM F, QTITEMPROD F, "
     "VRTOTAITEM F, VRUNITITEM F, NRLOTEESTQ S20, NRSUBLOTE S4"},
    {"cdsNFRelacAF",
     "CDFILIAL S4, CDFILLANC S4, NRLANCTONF S10, CDFILDEST S4, NRAUTOFORN S10, CDPRODUTO S10, CDMARCA S5, "
     "DTPROGENTAF D, QTNFRELACAF F, VRNFRELACAF F, IDDELETE S1, CDFORNECED S21"},
    {"cdsListServProd", "CDSERVICOPROD S30, DSSERVICOPROD S4000"},
    {"cdsIbge", "CDIBGE S10, NMMUNICIPIO S50"},
    {"cdsNFOrigem",
     "CDSERIEENTR S5, NRNOTAFISC S20, CDFILIAL S4, NRLANCTONF S10, NRINSJURNF S20, NMRAZSOCFORN S40, "
     "ENTRADA S10, VRNOTAFISC F, DTENTRSAID D, CDFORNECED S21, IDTPIJURNF S1"},
    {"cdsNFOrigSaid",
     "CDFILIAL S4, NRLANCTONF S10, IDTPIJURNF S1, NRINSJURNF S20, CDSERIE S5, NRNOTAFISC S20, DTEMISSAO D, "
     "VRNOTAFISC F, DTENTRSAID D, DATAEMISSAO S8, VALORNF S20, QTDNFCE F"},
    {"cdsNFOrigLista",
     "IDMARCADO S1, CDFILIAL S4, NRLANCTONF S10, IDTPIJURNF S1, NRINSJURNF S20, CDSERIE S5, NRNOTAFISC S20, "
     "DTEMISSAO D, VRNOTAFISC F, DTENTRSAID D, DSLANCAMENTO S17, QTDNFCE F"},
    {"cdsDevolucao", "CDFILIAL S4, NRLANCTONF S10"},
    {"cdsItemNF",
     "IDMARCADO S1, DSLANCAMENTO S17, CDFILIAL S4, NRLANCTONF S10, NRNOTAFISC S20, CDSERIEENTR S5, "
     "NMRAZSOCFORN S50, VRNOTAFISC S13, VRNOTA F, CDFILIRECE S4"},
    {"cdsProdFili", "CDALMOXARIFE S6, CDLOCALESTOQ S6"},
    {"cdsVerifLote", "IDUTCTRLLOTE S1"},
    {"cdsDadosLoteXML", "NRLOTEPRODXML S20, DTFABPRODXML D, DTVALPRODXML D"},
    {"cdsProdRelacServ", "CDPRODUTO S10, CDARVPROD S20, NMPRODUTO S50, SGUNIDADE S10, CDPRODESTO S10"},
    {"cdsVd_QuantDev", "QTITEMDEVO F"},
    {"cdsCustoCmpProd", "VRLIQCMPPROD F"},
    {"cdsVerifNFImpAF",
     "CDFILIAL S4, NRLANCTONF S10, NRSEQITPROD S4, CDPRODUTO S10, CDFILDEST S4, NRAUTOFORN S10"},
    {"cdsEtiqRegera", "NRSEQITPROD S4, IDSTATUSETIQ S1"},
    {"cdsVd_ProdAudit",
     "CDFILIAL S4, NRLANCTONF S10, NRSEQITPROD S4, DTAUDITORIA D, CDOPERADOR S12, DSAUDITORIA S255"},
};

std::vector<FieldDef> Expected(std::string_view dataset) {
    for (const auto& [name, fields] : kClientFields) {
        if (dataset != name) continue;
        std::vector<FieldDef> defs;
        for (const std::string& item : text::Split(fields, ',')) {
            const std::string entry = text::Trim(item);
            const size_t blank = entry.find(' ');
            FieldDef f{entry.substr(0, blank), FieldType::String, 0, false};
            const std::string kind = entry.substr(blank + 1);
            if (kind == "F")
                f.type = FieldType::Float;
            else if (kind == "D")
                f.type = FieldType::DateTime;
            else
                f.size = std::stoi(kind.substr(1));
            defs.push_back(f);
        }
        return defs;
    }
    ADD_FAILURE() << dataset;
    return {};
}

std::string Describe(const FieldDef& f) {
    return f.name + " " + FieldTypeName(f.type) + (f.type == FieldType::String ? std::to_string(f.size) : "");
}

class AnswerLayouts : public testing::DemoServer {
protected:
    void ExpectLayout(const Packet& p, std::string_view dataset, const std::string& context) {
        const std::vector<FieldDef> expected = Expected(dataset);
        ASSERT_EQ(p.fields.size(), expected.size()) << context;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(Describe(p.fields[i]), Describe(expected[i])) << context;
        }
        EXPECT_NO_THROW(ValidatePacket(p)) << context;
    }
    Variant Key(const char* method, const std::string& branch, const std::string& number) {
        std::string b = branch, n = number;
        return Call(method, net::CallArgs().StrRef(b).StrRef(n));
    }
};

// A posting with every part and one without any: an empty answer keeps the layout too.
const std::pair<const char*, const char*> kPostings[] = {
    {"0001", "0000000001"}, {"0001", "0000000007"}, {"0001", "0000000006"}, {"0001", "0000009999"}};

TEST_F(AnswerLayouts, GeneralDataPacketsAreTheClientsDatasets) {
    const char* datasets[] = {"cdsNotaFiscal",  "cdsItemNotaFisc", "cdsItemProduto", "cdsItemEncargo",
                              "cdsContaPagar",  "cdsDadosAdic",    "cdsImposNFTot",  "cdsItemProImpos",
                              "cdsItensNFOrig", "cdsNFRelacAF"};
    for (const auto& [branch, number] : kPostings) {
        std::string tpOper = "N", state = "BROWSE", listDevol;
        const Variant answer = Call("GetNFDadosGerais", net::CallArgs()
                                                            .Str(branch)
                                                            .Str(number)
                                                            .Str("")
                                                            .Str("")
                                                            .Str("")
                                                            .StrRef(tpOper)
                                                            .Var(Variant("N"))
                                                            .Var(Variant("N"))
                                                            .Str("F")
                                                            .Var(Variant("N"))
                                                            .StrRef(state)
                                                            .StrRef(listDevol));
        if (answer.AsArray()[0] != Variant("S")) continue; // the missing posting
        for (int i = 0; i < 10; ++i) {
            ExpectLayout(PacketOf(answer.AsArray()[i + 2]), datasets[i],
                         std::string(number) + " " + datasets[i]);
        }
    }
}

TEST_F(AnswerLayouts, EveryLoaderAnswersItsDatasetsFields) {
    const std::pair<const char*, const char*> loaders[] = {
        {"GetNotaFiscal", "cdsNotaFiscal"},   {"GetItemEncargo", "cdsItemEncargo"},
        {"GetContaPagar", "cdsContaPagar"},   {"GetDadosAdic", "cdsDadosAdic"},
        {"GetImposNFTot", "cdsImposNFTot"},   {"GetItemProImpos", "cdsItemProImpos"},
        {"GetItensNFOrig", "cdsItensNFOrig"}, {"GetNFRelacAF", "cdsNFRelacAF"},
    };
    for (const auto& [branch, number] : kPostings) {
        for (const auto& [method, dataset] : loaders) {
            ExpectLayout(Rows(Key(method, branch, number)), dataset, std::string(method) + " " + number);
        }
        std::string b = branch, n = number, orig = "N", tpOper = "N", tp, nr, fili;
        ExpectLayout(Rows(Call("GetItemProduto", net::CallArgs()
                                                     .StrRef(b)
                                                     .StrRef(n)
                                                     .StrRef(orig)
                                                     .StrRef(tpOper)
                                                     .Var(Variant("N"))
                                                     .Var(Variant("N")))),
                     "cdsItemProduto", number);
        ExpectLayout(
            Rows(Call("GetItemNotaFisc", net::CallArgs().Str(b).Str(n).StrRef(tp).StrRef(nr).StrRef(fili))),
            "cdsItemNotaFisc", number);
        std::string single = "N";
        ExpectLayout(Rows(Call("GetItemNFOrigem", net::CallArgs().StrRef(single).StrRef(b).StrRef(n))),
                     "cdsItemNFOrigem", number);
    }
    ExpectLayout(Rows(Call("GetListServProd", net::CallArgs())), "cdsListServProd", "GetListServProd");
    ExpectLayout(Rows(Call("GetIBGE", net::CallArgs())), "cdsIbge", "GetIBGE");
}

// Found and not found, every origin search answers its dataset's fields.
TEST_F(AnswerLayouts, OriginSearchesAnswerTheirDatasetsFields) {
    for (const char* branch : {"0001", "0009"}) {
        net::GetNFOrigemArgs incoming{"", "T", "", "T", branch, {"T", "T", "T"}};
        ExpectLayout(Rows(Call(incoming.kMethod, net::ToCallArgs(incoming))), "cdsNFOrigem", branch);
        net::GetNFOrigSaidArgs outgoing{branch, {"T", "T", "T"}, "",           "L", "", "_S_51_",
                                        "07",   Variant("S"),    Variant("N"), "T", "T"};
        ExpectLayout(Rows(Call(outgoing.kMethod, net::ToCallArgs(outgoing))), "cdsNFOrigSaid", branch);
        net::GetNFOrigListaArgs list{branch, {"T", "T", "T"}, "", "_S_51_", "07", Variant("S")};
        ExpectLayout(Rows(Call(list.kMethod, net::ToCallArgs(list))), "cdsNFOrigLista", branch);
        net::GetItemNFArgs related{branch, "04", {"", "", ""}, "", "T"};
        ExpectLayout(Rows(Call(related.kMethod, net::ToCallArgs(related))), "cdsItemNF", branch);
    }
    for (const char* remittance : {"0000000008", "0000000002"}) {
        ExpectLayout(Rows(Call("GetDevolucao", net::CallArgs().Str("0002").Str(remittance))), "cdsDevolucao",
                     remittance);
    }
    std::string list = "0001 - 0000000091_0001 - 0000000092_", none;
    ExpectLayout(Rows(Call("GetItemNFOrigem", net::CallArgs().StrRef(list).StrRef(none).StrRef(none))),
                 "cdsItemNFOrigem", "origin list");
}

TEST_F(AnswerLayouts, TheListIsTheListDataset) {
    for (const char* branch : {"0001", "0009"}) {
        std::string b = branch, series = "T", empty, kind, all = "T";
        DateTime none;
        const Packet p = Rows(Call("GetRomaneioNF", net::CallArgs()
                                                        .StrRef(b)
                                                        .StrRef(series)
                                                        .StrRef(empty)
                                                        .StrRef(empty)
                                                        .StrRef(empty)
                                                        .DateRef(none)
                                                        .DateRef(none)
                                                        .DateRef(none)
                                                        .DateRef(none)
                                                        .StrRef(kind)
                                                        .StrRef(all)
                                                        .StrRef(empty)));
        ExpectLayout(p, "cdsRomaneioNF", branch);
    }
}

// Found and not found, the item rules' questions answer their datasets' fields.
TEST_F(AnswerLayouts, TheItemRulesQuestionsAnswerTheirDatasetsFields) {
    net::TNetConnection stock(net::kEstoque);
    stock.SetHost(std::string(net::kInProcessHost));
    stock.Connect();
    const auto strings = [](std::initializer_list<const char*> values) {
        net::CallArgs args;
        for (const char* v : values)
            args.Str(v);
        return args;
    };
    std::string origins = "_0001 - 0000000090_";
    const auto returned = [&](const char* posting) {
        return net::CallArgs()
            .Str("0001")
            .Str(posting)
            .Str("1.01.003")
            .Var(Variant(12.99))
            .StrRef(origins)
            .Str("")
            .Str("");
    };
    const struct {
        bool onStock;
        const char* method;
        net::CallArgs found, none;
        const char* dataset;
    } questions[] = {
        {true, "GetProdFiliNFE", strings({"0003", "0000000201"}), strings({"0009", "0000000201"}),
         "cdsProdFili"},
        {false, "GetProdFili", strings({"0003", "0000000201"}), strings({"", "0000000201"}), "cdsVerifLote"},
        {false, "GetDadosLoteXML", strings({"35261211222333000181550010000123451123456781", "0001"}),
         strings({"", "0001"}), "cdsDadosLoteXML"},
        {false, "GetProdRelacServ", strings({"14.01"}), strings({"01.01"}), "cdsProdRelacServ"},
        {false, "GetVd_QuantDev", returned(""), returned("0000009999"), "cdsVd_QuantDev"},
        {false, "GetCustoCmpProd", strings({"0003", "0000000201"}), strings({"0003", "0000000402"}),
         "cdsCustoCmpProd"},
        {false, "GetVerifNFImpAF", strings({"0001", "0000000006"}), strings({"0001", "0000000001"}),
         "cdsVerifNFImpAF"},
        {false, "GetVerifEtiq", strings({"0003", "0000000005"}), strings({"0001", "0000000001"}),
         "cdsEtiqRegera"},
        {false, "GetProdAudit", strings({"0003", "0000000005", "0002"}),
         strings({"0003", "0000000005", "0001"}), "cdsVd_ProdAudit"},
    };
    for (const auto& q : questions) {
        for (const bool found : {true, false}) {
            const net::CallArgs& args = found ? q.found : q.none;
            const Packet p = Rows(q.onStock ? stock.Call(q.method, args) : Call(q.method, args));
            if (found) {
                EXPECT_FALSE(p.rows.empty()) << q.method;
            }
            ExpectLayout(p, q.dataset, std::string(q.method) + (found ? " found" : " none"));
        }
    }
}

// What the server stores can always be loaded: every posting column is as wide as the client's field.
TEST_F(AnswerLayouts, StoredColumnsAreAsWideAsTheClientsFields) {
    auto db = temp_.Open();
    const std::pair<const char*, const char*> tables[] = {
        {"NOTAFISCAL", "cdsNotaFiscal"},     {"ITEMPRODUTO", "cdsItemProduto"},
        {"ITEMPROIMPOS", "cdsItemProImpos"}, {"IMPOSNFTOT", "cdsImposNFTot"},
        {"CONTAPAGAR", "cdsContaPagar"},     {"DADOSADIC", "cdsDadosAdic"},
        {"ITEMNOTAFISC", "cdsItemNotaFisc"}, {"NFRELACAF", "cdsNFRelacAF"},
        {"SERVICOPROD", "cdsListServProd"},  {"ITEMENCARGO", "cdsItemEncargo"},
        {"ITEMNFORIG", "cdsItensNFOrig"},    {"ETIQPRODUTO", "cdsEtiqRegera"},
        {"AUDITITEMNF", "cdsVd_ProdAudit"},  {"NFEITEMLOTE", "cdsDadosLoteXML"},
        {"PRODUTOFILIAL", "cdsProdFili"},
    };
    for (const auto& [table, dataset] : tables) {
        const Packet columns = db->Query("SELECT name, type FROM pragma_table_info(:P_T)", {{"P_T", table}});
        for (const FieldDef& f : Expected(dataset)) {
            for (const PacketRow& c : columns.rows) {
                if (c.values[0].AsString() != f.name || f.type != FieldType::String) continue;
                EXPECT_EQ(c.values[1].AsString(), "VARCHAR(" + std::to_string(f.size) + ")")
                    << table << "." << f.name;
            }
        }
    }
}

} // namespace
} // namespace dfe::appserver
