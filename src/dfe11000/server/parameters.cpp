// The module's parameters: the branch's document parameters with its fiscal groups, the supplier's, the
// company's and the installation's, loaded from the server into their datasets.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/net/check_result.h"
#include "support/show_avi.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

bool EmptyField(const DataSet& ds, const char* name) {
    if (!ds.Active() || ds.IsEmpty()) return true;
    const Field* field = ds.FindField(name);
    return !field || field->AsString().empty();
}

} // namespace

bool TfrmLancNFEntrada::ParamDFELoadedFor(const std::string& branch) const {
    return paramDFEComplete_ && cdsParamDFE.Active() && !cdsParamDFE.IsEmpty() &&
           cdsParamDFE.FieldByName("CDFILIAL").AsString() == branch;
}

void TfrmLancNFEntrada::GetParamDFE(const std::string& branch) {
    if (!ParamDFELoadedFor(branch)) {
        paramDFEComplete_ = false;
        support::ShowAviScope busy(App().MainForm());
        net::ConnectionReference docFisc(References(), netDocFiscEntr);
        net::ConnectionReference lanc(References(), netLancNFEntrada);
        Variant parameters;
        Variant groups;
        RunWithRetry(netDocFiscEntr, [&] {
            std::string key = branch;
            parameters =
                net::CheckResultServ(netDocFiscEntr.Call("GetParamDFE", net::CallArgs().StrRef(key)));
            if (!netLancNFEntrada.Connected()) netLancNFEntrada.Connect();
            key = branch;
            groups = net::CheckResultServ(netLancNFEntrada.Call("GetImpFili", net::CallArgs().StrRef(key)));
        });
        // Both or neither: the fiscal groups must never belong to another branch than the parameters.
        try {
            cdsParamDFE.SetData(parameters);
            cdsGrupoImpFili.SetData(groups);
        } catch (...) {
            cdsParamDFE.Close();
            cdsGrupoImpFili.Close();
            throw;
        }
        paramDFEComplete_ = true;
    }
    ApplySupplierSearchRule();
}

void TfrmLancNFEntrada::cdsParamDFEAfterOpen() {
    const bool percent = !cdsParamDFE.IsEmpty() && cdsParamDFE.FieldByName("IDTPLANCDESC").AsString() == "P";
    const char* field = percent ? "VRDESPERITEM" : "VRDESCITEM";
    dbgItemProduto->Column(9).SetFieldName(field);
    dbgItemsNFForn->Column(8).SetFieldName(field);
    Cli_dfe11000().stColunaDesc = field;
}

void TfrmLancNFEntrada::ApplySupplierSearchRule() {
    const bool offered = cdsParamDFE.Active() && !cdsParamDFE.IsEmpty() &&
                         cdsParamDFE.FieldByName("IDCONSFORNFJ").AsString() != "N" &&
                         TipoOperElem(6) == "N" && EmptyField(cdsRomaneioNF, "IDDOCREPLIC") &&
                         EmptyField(cdsRomaneioNF, "DSNOTAFISORIGOL");
    btpFornecedor->SetEnabled(offered);
}

void TfrmLancNFEntrada::ClearSupplierParams() {
    cdsParamForne.Close();
    cdsProdXFornDF.Close();
    stParamForn.clear();
}

void TfrmLancNFEntrada::GetParamForn(const std::string& supplier) {
    support::ShowAviScope busy(App().MainForm(), support::kAviProcurando);
    net::ConnectionReference lanc(References(), netLancNFEntrada);
    std::string key = supplier;
    const Variant answer =
        net::CheckResultServ(netLancNFEntrada.Call("GetParamForn", net::CallArgs().StrRef(key)));
    if (answer.Type() == VariantType::String) {
        ClearSupplierParams();
        support::MensErro(answer.AsString(), false);
        return;
    }
    if (!answer.IsArray() || answer.AsArray().Size() < 2) {
        ClearSupplierParams();
        support::MensErro("Resposta inválida do servidor para os parâmetros do fornecedor.", true);
    }
    const std::vector<Variant>& items = answer.AsArray().Items();
    if (items[0].AsString() == "N") {
        ClearSupplierParams();
        support::MensErro(items[1].AsString(), true);
    }
    if (items.size() < 4) {
        ClearSupplierParams();
        support::MensErro("Resposta inválida do servidor para os parâmetros do fornecedor.", true);
    }
    try {
        cdsParamForne.SetData(items[1]);
        cdsProdXFornDF.SetData(items[3]);
        stParamForn = items[2].AsString();
    } catch (...) {
        ClearSupplierParams();
        throw;
    }
}

void TfrmLancNFEntrada::GetParamEmpresa(const std::string& company) {
    std::string key = company;
    cdsParamEmpresa.SetData(
        CallServer(*this, netLancNFEntrada, "GetParamEmpresa", net::CallArgs().StrRef(key)));
}

void TfrmLancNFEntrada::GetParamGeral() {
    cdsParamGeral.SetData(CallServer(*this, netLancNFEntrada, "GetParamGeral", net::CallArgs()));
}

} // namespace dfe::dfe11000
