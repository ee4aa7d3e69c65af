// The filter's lookups, their searches and the list searches of series and operation types.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/core/text.h"
#include "platform/ui/edit_mask.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

// The registration number shown with the mask of its person type; an empty number stays empty.
void ShowMaskedNumber(DataSet& query, const char* numberField, const char* typeField) {
    Field* number = query.FindField(numberField);
    if (!number) return;
    number->OnGetText = [&query, typeField](Field& field, std::string& text, bool) {
        const std::string value = field.AsString();
        const Field* type = query.FindField(typeField);
        const std::string mask = type ? support::PictPess(type->AsString()) : std::string();
        if (value.empty() || mask.empty()) {
            text = value;
            return;
        }
        const EditMask edit(mask);
        text = text::Encode(edit.Display(edit.InputsFromValue(text::Decode(value))));
    };
}

void LabelField(DataSet& query, const char* field, const char* label) {
    if (Field* f = query.FindField(field)) f->SetDisplayLabel(label);
}

void HideField(DataSet& query, const char* field) {
    if (Field* f = query.FindField(field)) f->SetVisible(false);
}

void Reopen(db::TADOIBQuery& query, std::initializer_list<std::pair<const char*, const char*>> params) {
    query.Close();
    for (const auto& [name, value] : params)
        query.ParamByName(name) = Variant(std::string(value));
    query.Open();
}

// "1,2" → {"1", "2"}; blanks around a code are dropped, empty codes skipped.
std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> codes;
    for (const std::string& code : text::Split(list, ','))
        if (std::string trimmed = text::Trim(code); !trimmed.empty()) codes.push_back(trimmed);
    return codes;
}

} // namespace

void TfrmFiltroNFEntrada::DeclareLookups() {
    qryFornecedor.SetSQL("SELECT IDTPIJURFORN, NRINSJURFORN, NMRAZSOCFORN, NMFANTFORN FROM FORNECEDOR "
                         "WHERE ((NRINSJURFORN = :P_NRINSJURFORN) OR (:P_TODOS = 'T')) ORDER BY 3");
    qryCliente.SetSQL("SELECT CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMRAZSOCCLIE, NMFANTCLIE FROM CLIENTE "
                      "WHERE ((NRINSJURCLIE = :P_NRINSJURCLIE) OR (:P_TODOS = 'T')) AND "
                      "((CDCLIENTE = :P_CDCLIENTE) OR (:P_TODOSCLIE = 'T')) ORDER BY NRINSJURCLIE");
    qryFilial.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL "
                     "WHERE ((CDFILIAL = :P_CDFILIAL) OR (:P_TCDFILIAL = 'T')) ORDER BY 1");
    qrySerieEntr.SetSQL("SELECT CDSERIEENTR, DSSERIEENTR FROM SERIEENTR "
                        "WHERE ((CDSERIEENTR = :P_SERIE) OR (:P_TODOS = 'T')) ORDER BY CDSERIEENTR");
    qryTipoOper.SetSQL("SELECT CDTIPOOPER, NMTIPOOPER FROM TIPOOPERAC WHERE (IDENTRSAIDOP = 'E') AND "
                       "(IDUTILOPER <> 'N') AND ((CDTIPOOPER = :P_TIPOOPER) OR (:P_TODOS = 'T')) "
                       "ORDER BY CDTIPOOPER");

    qryFornecedor.AfterOpen = [](DataSet& q) {
        HideField(q, "IDTPIJURFORN");
        LabelField(q, "NRINSJURFORN", "Inscrição");
        LabelField(q, "NMRAZSOCFORN", "Razão Social");
        LabelField(q, "NMFANTFORN", "Nome Fantasia");
        ShowMaskedNumber(q, "NRINSJURFORN", "IDTPIJURFORN");
    };
    qryCliente.AfterOpen = [](DataSet& q) {
        HideField(q, "CDCLIENTE");
        HideField(q, "IDTPIJURCLIE");
        LabelField(q, "NRINSJURCLIE", "Inscrição");
        LabelField(q, "NMRAZSOCCLIE", "Razão Social");
        LabelField(q, "NMFANTCLIE", "Nome Fantasia");
        ShowMaskedNumber(q, "NRINSJURCLIE", "IDTPIJURCLIE");
    };
    qryFilial.AfterOpen = [](DataSet& q) {
        LabelField(q, "CDFILIAL", "Filial");
        LabelField(q, "NMFILIAL", "Nome");
    };
}

void TfrmFiltroNFEntrada::WireSearches() {
    btpCliente->SetFields({"NRINSJURCLIE", "NMRAZSOCCLIE", "NMFANTCLIE"});
    btpCliente->SetResultField("NRINSJURCLIE");
    btpCliente->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) {
        Reopen(qryCliente,
               {{"P_NRINSJURCLIE", ""}, {"P_TODOS", "T"}, {"P_CDCLIENTE", ""}, {"P_TODOSCLIE", "T"}});
    };
    btpCliente->OnAfterPesq = [this](support::TBtnPesquisa&) {
        edtNmCliente->SetText(qryCliente.FieldByName("NMRAZSOCCLIE").AsString());
        cdCliente_ = qryCliente.FieldByName("CDCLIENTE").AsString();
        cdClienteNumber_ = qryCliente.FieldByName("NRINSJURCLIE").AsString();
    };

    btpFornecedor->SetFields({"NRINSJURFORN", "NMRAZSOCFORN", "NMFANTFORN"});
    btpFornecedor->SetResultField("NRINSJURFORN");
    btpFornecedor->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) {
        Reopen(qryFornecedor, {{"P_NRINSJURFORN", ""}, {"P_TODOS", "T"}});
    };
    btpFornecedor->OnAfterPesq = [this](support::TBtnPesquisa&) {
        edtNmFornecedor->SetText(qryFornecedor.FieldByName("NMRAZSOCFORN").AsString());
    };

    btpFilial->SetFields({"CDFILIAL", "NMFILIAL"});
    btpFilial->SetResultField("CDFILIAL");
    btpFilial->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) {
        Reopen(qryFilial, {{"P_CDFILIAL", ""}, {"P_TCDFILIAL", "T"}});
    };
    btpFilial->OnAfterPesq = [this](support::TBtnPesquisa&) {
        edtNmFilial->SetText(qryFilial.FieldByName("NMFILIAL").AsString());
    };

    // The list buttons choose several codes instead of one row.
    btpSerie->OnBeforePesq = [this](support::TBtnPesquisa&, bool& proceed) {
        proceed = false;
        btpSerieClick();
    };
    btpTipoOper->OnBeforePesq = [this](support::TBtnPesquisa&, bool& proceed) {
        proceed = false;
        btpTipoOperClick();
    };
}

void TfrmFiltroNFEntrada::btpSerieClick() {
    Reopen(qrySerieEntr, {{"P_SERIE", ""}, {"P_TODOS", "T"}});
    ChooseList(*btpSerie, qrySerieEntr, "CDSERIEENTR", "DSSERIEENTR", "Série", stListaSerie);
}

void TfrmFiltroNFEntrada::btpTipoOperClick() {
    Reopen(qryTipoOper, {{"P_TIPOOPER", ""}, {"P_TODOS", "T"}});
    ChooseList(*btpTipoOper, qryTipoOper, "CDTIPOOPER", "NMTIPOOPER", "Tipo de Operação", stListaTipoOper);
}

void TfrmFiltroNFEntrada::ChooseList(support::TBtnPesquisa& button, db::TADOIBQuery& query,
                                     const char* codeField, const char* textField, const char* title,
                                     std::string& list) {
    if (query.IsEmpty()) {
        support::MensErro(button.EmptyError(), false);
        return;
    }
    MultiSelectRequest request;
    request.title = title;
    request.preselected = SplitList(list);
    for (query.First(); !query.Eof(); query.Next())
        request.items.push_back(MultiSelectItem{query.FieldByName(codeField).AsString(),
                                                query.FieldByName(textField).AsString()});
    query.First();
    const auto chosen = support::CurrentDialogs().SelectMany(request);
    if (!chosen) return;
    std::string joined;
    for (const std::string& code : *chosen)
        joined += (joined.empty() ? "" : ",") + code;
    list = joined;
}

} // namespace dfe::dfe11000
