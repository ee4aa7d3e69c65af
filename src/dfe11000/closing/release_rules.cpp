#include "dfe11000/closing/release_rules.h"

#include "dfe11000/closing/release_window.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/net/answer_reader.h"
#include "platform/net/release_calls.h"
#include "support/conf_senha.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Lanc_Bloq_Impl|Implantação (último lançamento do dia) já realizada para a data informada, a "
    "confirmação deste lançamento pode provocar irregularidades no estoque. Deseja confirmar a operação?",
};

DateTime DateOf(const DataSet& ds, const char* name) {
    const Field* field = ds.Active() && !ds.IsEmpty() ? ds.FindField(name) : nullptr;
    return field && !field->IsNull() ? field->AsDateTime() : DateTime();
}

} // namespace

ReleaseRules::ReleaseRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

void ReleaseRules::SenhaLiberacao() {
    ModuleState& st = Cli_dfe11000();
    const DateTime entry = form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados
                               ? DateOf(data_.cdsRomaneioNF, "DTENTRSAID")
                               : ReadTypedDate(ui_.dbdEntrSaid->EditText()).date;
    // A posting without entry date has no window to leave.
    if (entry.IsEmpty() || !ReleaseNeeded(EntryDateParamsOf(data_.cdsParamDFE), st.dtDataProc, entry)) return;
    if (st.boAltLiberacao) return;
    const support::ReleaseCheck check = [this](const std::string& op, const std::string& password) {
        std::string branch = ui_.medCdFilial->Text();
        std::string posting = FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
        const Variant answer = server_.Call(server_.netAutoriza, net::kConfSenhaLiberacao,
                                            net::CallArgs().Str(op).Str(password).Str(branch).Str(posting),
                                            CallOptions{.busyText = "Verificando a senha de liberação..."});
        const net::AnswerReader reader(answer, net::kConfSenhaLiberacaoAnswer);
        return support::ReleaseVerdict{reader.Text("accepted") == "S", reader.Text("message")};
    };
    if (!support::CriaConf_Senha(ui_.medCdFilial->Text(), FieldText(data_.cdsRomaneioNF, "NRLANCTONF"),
                                 check))
        ThrowAbort();
    st.boAltLiberacao = true;
    st.boBloqueia = false;
}

void ReleaseRules::Verif_Liberacao() {
    DataSet& answer = data_.cdsLiberacao;
    if (answer.Active()) answer.EmptyDataSet();
    const DataSet& nf = data_.cdsNotaFiscal;
    const Variant packet = server_.Call(server_.netLancNFEntrada, "Verif_Liberacao",
                                        net::CallArgs()
                                            .Str(FieldText(nf, "CDFILIRECE"))
                                            .Date(DateOf(nf, "DTENTRSAID"))
                                            .Str(FieldText(nf, "CDFILIAL"))
                                            .Str(FieldText(nf, "NRLANCTONF")));
    answer.SetData(packet);
    bool implanted = false;
    for (answer.First(); !answer.Eof() && !implanted; answer.Next())
        implanted = text::SameText(FieldText(answer, "CDERRO"), "Lib00200_2");
    if (!implanted) return;
    if (support::ShowMsg(form_.msgPadrao, "Lanc_Bloq_Impl", DialogType::Confirmation, mb::YesNo) != mr::Yes)
        ThrowAbort();
    Cli_dfe11000().boAlteraLib = true;
}

} // namespace dfe::dfe11000
