#pragma once

// The document's identity: its model, series, number, issue and entry dates and total value, the duplicate
// number check against the other postings, the date-range rule of the filter, and the exits of the panels
// that hold them.

#include "dfe11000/module/module_part.h"
#include "platform/ui/date_edit.h"

#include <string>

namespace dfe {
class Control;
} // namespace dfe

namespace dfe::dfe11000 {

class DocumentRules : public ModulePart {
public:
    explicit DocumentRules(TfrmLancNFEntrada& form);
    void Wire();

    // ---- The document model
    void Vd_ModDocFisc(bool required);
    // The CT-e notebook's page and the freight-nature group follow the document model.
    void ShowModelPages(const std::string& model);
    void dbeModDocFisExit();
    void dbeModDocFisChange();
    void btpModDocFiscBeforePesq();
    void btpModDocFiscAfterPesq();

    // ---- Series and number
    void Vd_Serie();
    void Vd_Numero();
    // Refuses a number another posting of the same participant and series already holds.
    void Valida_Numero();
    void Vd_NrInteiro();
    void dbeSerieEnter();
    void dbeSerieExit();
    void dbeSerieChange();
    void btpSerieNFBeforePesq();
    void btpSerieNFAfterPesq();
    void qrySerieEntrBeforeOpen();
    void dbeNumeroExit();
    void dbeNumeroChange();

    // ---- Dates and value
    void Vd_DataEmiss(bool required);
    void Vd_DataEntr(bool required, bool reload);
    void Vd_ValorNF();
    void dbdDtEmissaoExit();
    void dbdDtEmissaoChange();
    void dbdEntrSaidExit();
    void dbdEntrSaidChange();
    // The filter's date ranges: the range's name is the message of the start edit's name.
    void Vd_Datas(DateEdit& start, DateEdit& end);

    // ---- The panels' exits
    void grbFornecedorExit();
    void grbDestRemeExit();
    void Panel3Exit();
    void panEmisDataExit();

private:
    void RegenerateInstallmentsAfterEntryDate();
    // Whether the access key is mandatory for the branch or the posting's supplier.
    bool KeyMandatory() const;
    void LoadModels(const std::string& model, const std::string& all, bool electronicWhereKeyed);
    void Refuse(Control* focus, const char* code);
    void RefuseText(Control* focus, const char* code, const std::string& text);
    void RefuseOnRecordPage(Control* focus, const char* code);
    void RefuseInvalidDate(Control& edit);
    [[noreturn]] void RefuseNumber(const std::string& number);
    // The processing date the entry date is measured from.
    DateTime ProcessingDate(bool reload);
    bool HeaderBeingChanged() const;

    // The entry date as the clerk entered its edit, to tell a changed date on leaving it.
    TypedDate entryOnEnter_;
};

} // namespace dfe::dfe11000
