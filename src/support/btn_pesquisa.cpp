#include "support/btn_pesquisa.h"

#include "platform/core/text.h"
#include "platform/data/dataset.h"
#include "platform/ui/application.h"
#include "support/current_dialogs.h"

namespace dfe::support {
namespace {

bool Pick(const std::string& title, dfe::DataSource& source, const std::vector<std::string>& fields) {
    return CurrentDialogs().PickList(PickListRequest{title, &source, fields});
}

} // namespace

bool TBtnPesquisa::Pesquisa() {
    if (!source_) return false;
    bool proceed = true;
    if (OnBeforePesq) OnBeforePesq(*this, proceed);
    if (!proceed) return false;
    const std::string title = emptyError_.empty() ? title_ : title_ + "|" + emptyError_;
    if (!Pick(title, *source_, fields_)) return false;
    DataSet* ds = source_->GetDataSet();
    std::string field = resultField_;
    if (field.empty()) field = fields_.empty() ? std::string() : fields_.front();
    if (associate_ && ds) {
        const Field* f =
            field.empty() ? (ds->FieldCount() > 0 ? &ds->FieldAt(0) : nullptr) : ds->FindField(field);
        if (f) {
            if (associate_->CanFocus()) associate_->SetFocus();
            associate_->SetText(f->AsString());
        }
    }
    if (OnAfterPesq) OnAfterPesq(*this);
    return true;
}

void TBtnPesquisa::Click() {
    SpeedButton::Click();
    Pesquisa();
}

bool Pesquisar(const std::string& title, dfe::DataSource& source, const std::vector<std::string>& fields) {
    return Pick(title, source, fields);
}

bool Pesquisar_Plus(const std::string& title, dfe::DataSource& source, const std::vector<std::string>& fields,
                    const std::string& emptyError) {
    return Pick(emptyError.empty() ? title : title + "|" + emptyError, source, fields);
}

std::optional<std::string> PesquisaLista(const std::string& title,
                                         const std::vector<std::pair<std::string, std::string>>& entries) {
    DataSet list("PesquisaLista");
    list.CreateDataSet(
        {FieldDef{"CODIGO", FieldType::String, 0}, FieldDef{"DESCRICAO", FieldType::String, 0}});
    for (const auto& [code, description] : entries) {
        list.Append();
        list.FieldByName("CODIGO").SetAsString(code);
        list.FieldByName("DESCRICAO").SetAsString(description);
        list.Post();
    }
    list.First();
    dfe::DataSource source(&list);
    if (!Pick(title, source, {"CODIGO", "DESCRICAO"})) return std::nullopt;
    return list.FieldByName("CODIGO").AsString();
}

bool Procura(DataSet& dataSet, const std::string& title) {
    return CurrentDialogs().Find(FindRequest{&dataSet, title});
}

int IndiceCol(const DBGrid& grid, std::string_view fieldName) {
    for (int i = 0; i < grid.ColumnCount(); ++i) {
        if (text::SameText(grid.Column(i).FieldName(), fieldName)) return i;
    }
    return -1;
}

} // namespace dfe::support
