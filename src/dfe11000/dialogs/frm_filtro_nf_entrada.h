#pragma once

#include "dfe11000/posting/romaneio_filter.h"
#include "platform/core/date_time.h"
#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "support/btn_pesquisa.h"
#include "support/frm_padrao.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// Participant kinds of the filter, in the order of the combo box and of the notebook's pages.
enum FiltroParticipante : int {
    kFiltroCliente = 0,
    kFiltroFornecedor = 1,
    kFiltroFilial = 2,
    kFiltroTodos = 3
};

// "Filtro de Lançamento de Notas Fiscais" (DFE11300): which postings of the branch the list shows. The
// posting form owns it; it is hidden, not freed, between showings so that reopening shows the last filter.
class TfrmFiltroNFEntrada : public support::TfrmRotiGeral {
public:
    TfrmFiltroNFEntrada(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmFiltroNFEntrada() override;

    // What the last confirmation chose; reopening the dialog restores it.
    struct Remembered {
        int kind = kFiltroTodos;
        std::string participant;
        std::string participantName;
        std::string cdCliente;
        DateTime emisIni, emisFim, entrIni, entrFim;
        bool todasSeries = true;
        bool todosTiposOper = true;
        std::string series;
        std::string tiposOper;
    };

    // Cleared when the dialog is created, set by confirm and include: true once either happened.
    bool boConfirma = false;
    // True while the dialog is shown.
    bool boFiltroAberto = false;
    // The series and operation types chosen, as comma lists ("1,2"); empty: none chosen.
    std::string stListaSerie;
    std::string stListaTipoOper;

    // ---- Controls
    GroupBox* grbDestRem = nullptr;
    ComboBox* cbbDestRem = nullptr;
    Notebook* nbkCliente = nullptr;
    MaskEdit* medCliente = nullptr;
    support::TBtnPesquisa* btpCliente = nullptr;
    Edit* edtNmCliente = nullptr;
    MaskEdit* medFornecedor = nullptr;
    support::TBtnPesquisa* btpFornecedor = nullptr;
    Edit* edtNmFornecedor = nullptr;
    MaskEdit* medFilial = nullptr;
    support::TBtnPesquisa* btpFilial = nullptr;
    Edit* edtNmFilial = nullptr;
    Edit* edtTodos = nullptr;
    GroupBox* grbEmissao = nullptr;
    DateEdit* depEmisIni = nullptr;
    DateEdit* depEmisFim = nullptr;
    GroupBox* grbEntrada = nullptr;
    DateEdit* depEntrIni = nullptr;
    DateEdit* depEntrFim = nullptr;
    GroupBox* grbSerie = nullptr;
    RadioButton* rdgLista = nullptr;
    RadioButton* rdgTodos = nullptr;
    support::TBtnPesquisa* btpSerie = nullptr;
    GroupBox* grbTipoOper = nullptr;
    RadioButton* rdgListaTipoOper = nullptr;
    RadioButton* rdgTodosTipoOper = nullptr;
    support::TBtnPesquisa* btpTipoOper = nullptr;
    SpeedButton* sbtConfirma = nullptr;
    SpeedButton* sbtCancel = nullptr;
    SpeedButton* sbtDesfazer = nullptr;
    SpeedButton* sbtIncNF = nullptr;

    // ---- Lookups
    db::TADOIBQuery qryFornecedor{"qryFornecedor"};
    db::TADOIBQuery qryCliente{"qryCliente"};
    db::TADOIBQuery qryFilial{"qryFilial"};
    db::TADOIBQuery qrySerieEntr{"qrySerieEntr"};
    db::TADOIBQuery qryTipoOper{"qryTipoOper"};
    DataSource* dtsFornecedor = nullptr;
    DataSource* dtsCliente = nullptr;
    DataSource* dtsFilial = nullptr;
    DataSource* dtsSerieEntr = nullptr;
    DataSource* dtsTipoOper = nullptr;

    // ---- Life of the dialog
    void FormCreate();
    void FormActivate();
    void FormClose(CloseAction& action);
    void FormKeyDown(int& key, ShiftState shift);
    // The default periods: this month up to the branch's processing date (no issue period for blind entry).
    void Atualiza_Datas();

    // ---- Participant
    void cbbDestRemChange();
    void Vd_Cliente();
    void Vd_Fornecedor();
    void Vd_Filial();
    // The customer code of the number last checked or chosen by the search (empty when several share it).
    const std::string& CdCliente() const { return cdCliente_; }

    // ---- Commands
    void sbtConfirmaClick();
    void sbtIncNFClick();
    void sbtDesfazerClick();
    void sbtCancelClick();
    void btpSerieClick();
    void btpTipoOperClick();

    // The list arguments the current choices ask for.
    RomaneioFilter BuildFilter() const;
    const Remembered& LastFilter() const { return remembered_; }
    TfrmLancNFEntrada& Posting() const { return posting_; }

private:
    void BuildLayout();
    void BuildParticipant();
    void BuildPeriods();
    void BuildLists();
    void BuildCommands();
    void WireEvents();
    void DeclareLookups();
    void WireSearches();
    // Sets an edit's text or mask without its change handler clearing the name beside it.
    void SetQuietly(MaskEdit& edit, const std::string& text);
    void SetMaskQuietly(MaskEdit& edit, const std::string& mask);
    [[noreturn]] void Refuse(Control& control, const char* code);
    void ChooseList(support::TBtnPesquisa& button, db::TADOIBQuery& query, const char* codeField,
                    const char* textField, const char* title, std::string& list);
    void Remember();
    void Restore();
    // Reports the confirmation and ends the showing.
    void EndConfirmed();

    TfrmLancNFEntrada& posting_;
    Remembered remembered_;
    std::string cdCliente_;
    std::string cdClienteNumber_;
};

// Opens the filter dialog modally (created at its first showing); true when this showing was confirmed or
// asked to include a posting.
bool CriaFiltroNFEntrada(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
