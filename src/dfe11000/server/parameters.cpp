// The module's parameters: the branch's document parameters with its fiscal groups, the supplier's, the
// company's and the installation's, loaded from the server into their datasets.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/module_parameters.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/core/abort.h"
#include "platform/net/answer_reader.h"
#include "platform/net/net_errors.h"
#include "platform/net/posting_calls.h"
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

bool ModuleParameters::ParamDFELoadedFor(const std::string& branch) const {
    return paramDFEComplete_ && data_.cdsParamDFE.Active() && !data_.cdsParamDFE.IsEmpty() &&
           data_.cdsParamDFE.FieldByName("CDFILIAL").AsString() == branch;
}

void ModuleParameters::GetParamDFE(const std::string& branch) {
    if (!ParamDFELoadedFor(branch)) {
        paramDFEComplete_ = false;
        Variant parameters;
        Variant groups;
        CallOptions options;
        options.retry = true;
        server_.Sequence({&server_.netDocFiscEntr, &server_.netLancNFEntrada}, options, [&] {
            std::string key = branch;
            parameters = server_.CallIn(server_.netDocFiscEntr, "GetParamDFE", net::CallArgs().StrRef(key));
            key = branch;
            groups = server_.CallIn(server_.netLancNFEntrada, "GetImpFili", net::CallArgs().StrRef(key));
        });
        // Both or neither: the fiscal groups must never belong to another branch than the parameters.
        try {
            data_.cdsParamDFE.SetData(parameters);
            data_.cdsGrupoImpFili.SetData(groups);
        } catch (...) {
            data_.cdsParamDFE.Close();
            data_.cdsGrupoImpFili.Close();
            throw;
        }
        paramDFEComplete_ = true;
    }
    ApplySupplierSearchRule();
}

void ModuleParameters::cdsParamDFEAfterOpen() {
    const bool percent =
        !data_.cdsParamDFE.IsEmpty() && data_.cdsParamDFE.FieldByName("IDTPLANCDESC").AsString() == "P";
    const char* field = percent ? "VRDESPERITEM" : "VRDESCITEM";
    ui_.dbgItemProduto->Column(9).SetFieldName(field);
    ui_.dbgItemsNFForn->Column(8).SetFieldName(field);
    Cli_dfe11000().stColunaDesc = field;
}

void ModuleParameters::ApplySupplierSearchRule() {
    const bool offered = data_.cdsParamDFE.Active() && !data_.cdsParamDFE.IsEmpty() &&
                         data_.cdsParamDFE.FieldByName("IDCONSFORNFJ").AsString() != "N" &&
                         form_.Header().TipoOper().IDINFCPFCNPJNF == "N" &&
                         EmptyField(data_.cdsRomaneioNF, "IDDOCREPLIC") &&
                         EmptyField(data_.cdsRomaneioNF, "DSNOTAFISORIGOL");
    ui_.btpFornecedor->SetEnabled(offered);
}

void ModuleParameters::ClearSupplierParams() {
    data_.cdsParamForne.Close();
    data_.cdsProdXFornDF.Close();
    stParamForn.clear();
}

void ModuleParameters::GetParamForn(const std::string& supplier) {
    std::string key = supplier;
    CallOptions options;
    options.animation = support::kAviProcurando;
    const Variant answer =
        server_.Call(server_.netLancNFEntrada, "GetParamForn", net::CallArgs().StrRef(key), options);
    if (answer.Type() == VariantType::String) {
        ClearSupplierParams();
        support::MensErro(answer.AsString(), false);
        return;
    }
    const std::string invalid = "Resposta inválida do servidor para os parâmetros do fornecedor.";
    try {
        const net::AnswerReader reader(answer, net::kGetParamFornAnswer);
        if (reader.Received() < 2) throw net::AnswerError(invalid);
        if (reader.Text("accepted") == "N") {
            ClearSupplierParams();
            support::MensErro(reader.Text("parameters"), true);
        }
        reader.ExpectComplete();
        data_.cdsParamForne.SetData(reader.Element("parameters"));
        data_.cdsProdXFornDF.SetData(reader.Element("cdsProdXFornDF"));
        stParamForn = reader.Text("stParamForn");
    } catch (const net::AnswerError&) {
        ClearSupplierParams();
        support::MensErro(invalid, true);
    } catch (const Abort&) {
        throw;
    } catch (...) {
        ClearSupplierParams();
        throw;
    }
}

void ModuleParameters::GetParamEmpresa(const std::string& company) {
    std::string key = company;
    data_.cdsParamEmpresa.SetData(
        server_.Call(server_.netLancNFEntrada, "GetParamEmpresa", net::CallArgs().StrRef(key)));
}

void ModuleParameters::GetParamGeral() {
    data_.cdsParamGeral.SetData(server_.Call(server_.netLancNFEntrada, "GetParamGeral", net::CallArgs()));
}

} // namespace dfe::dfe11000
