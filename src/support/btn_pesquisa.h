#pragma once

#include "platform/ui/button.h"
#include "platform/ui/db_grid.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dfe::support {

// The search button: shows a pick list of its data source and puts the chosen row's value into the edit
// it is associated with. OnBeforePesq may cancel the search (or prepare the source); OnAfterPesq runs after
// a row was chosen.
class TBtnPesquisa : public SpeedButton {
public:
    std::string_view Kind() const override { return "BtnPesquisa"; }

    Control* Associate() const { return associate_; }
    void SetAssociate(Control* edit) { associate_ = edit; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    dfe::DataSource* GetDataSource() const { return source_; }
    void SetDataSource(dfe::DataSource* source) { source_ = source; }
    // Shown instead of the list when the source has no rows.
    const std::string& EmptyError() const { return emptyError_; }
    void SetEmptyError(std::string text) { emptyError_ = std::move(text); }
    // The columns shown (empty: every visible field) and the field whose value fills the edit (empty: the
    // first shown column).
    const std::vector<std::string>& Fields() const { return fields_; }
    void SetFields(std::vector<std::string> fields) { fields_ = std::move(fields); }
    void SetResultField(std::string field) { resultField_ = std::move(field); }

    // The search as the click runs it; true when a row was chosen.
    bool Pesquisa();
    void Click() override;

    std::function<void(TBtnPesquisa&, bool& proceed)> OnBeforePesq;
    std::function<void(TBtnPesquisa&)> OnAfterPesq;

private:
    Control* associate_ = nullptr;
    std::string title_;
    dfe::DataSource* source_ = nullptr;
    std::string emptyError_;
    std::vector<std::string> fields_;
    std::string resultField_;
};

// The pick list from code over a data source; true when the clerk chose a row (the dataset stands on it).
bool Pesquisar(const std::string& title, dfe::DataSource& source,
               const std::vector<std::string>& fields = {});
// The same with the text shown when there is nothing to choose.
bool Pesquisar_Plus(const std::string& title, dfe::DataSource& source, const std::vector<std::string>& fields,
                    const std::string& emptyError);
// A pick list over fixed entries (code, description); the chosen code, or nothing when cancelled.
std::optional<std::string> PesquisaLista(const std::string& title,
                                         const std::vector<std::pair<std::string, std::string>>& entries);
// The find dialog over a dataset; true when a row was found (the dataset stands on it).
bool Procura(DataSet& dataSet, const std::string& title = "Procurar");

// The index of the grid's column showing the field, or -1.
int IndiceCol(const DBGrid& grid, std::string_view fieldName);

} // namespace dfe::support
