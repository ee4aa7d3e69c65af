#pragma once

// "Lançamento de Notas Fiscais" (DFE11000): the posting form. It owns every dataset, lookup, connection
// and control, each kind declared once, and one rules object per subsystem; it wires the events to them.
// A rule reaches what it works on through the form (ModulePart), and another subsystem's rules through
// that subsystem's public interface.

#include "dfe11000/closing/closing_flags.h"
#include "dfe11000/module/module_lookups.h"
#include "dfe11000/module/module_state.h"
#include "dfe11000/module/posting_controls.h"
#include "dfe11000/posting/posting_data.h"
#include "dfe11000/server/server_gateway.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

// The fiscal routines' data module of the support library; its routines arrive with the rules that call
// them, the form only owns its life.
class TdtmRotiFiscal {};

class TfrmFiltroNFEntrada;
class ModuleParameters;
class HeaderRules;
class DocumentRules;
class AccessKeyRules;
class OriginRules;
class ReleaseRules;
class ParticipantRules;
class TransportRules;
class ItemRules;
class ChargeRules;
class RelatedDocumentRules;
class TaxRules;
class ClosingRules;
class ErrorListRules;
class PayableRules;
class ScreenLayout;
class BranchPanel;
class KeyboardHook;
class PostingList;
class PostingLoader;
class PostingEditor;

class TfrmLancNFEntrada : public support::TfrmPadrao {
public:
    explicit TfrmLancNFEntrada(Application& app);
    ~TfrmLancNFEntrada() override;

    // ---- What the form owns
    PostingDataSets data;
    ModuleLookups lookups;
    ServerGateway server;
    PostingControls ui;
    // Frees the filter dialog, which only this form creates.
    struct FiltroDeleter {
        void operator()(TfrmFiltroNFEntrada* dialog) const;
    };
    // Created by the first filter, kept (hidden) until this form closes.
    std::unique_ptr<TfrmFiltroNFEntrada, FiltroDeleter> frmFiltroNFEntrada;
    std::unique_ptr<TdtmRotiFiscal> dtmRotiFiscal;
    // The form's second message table.
    support::TMessages msgPadrao2;
    // What a closing run, its error list and its error dialog tell each other.
    ClosingFlags closingFlags;

    // ---- The rules, one object per subsystem
    ModuleParameters& Parameters() const { return *parameters_; }
    HeaderRules& Header() const { return *header_; }
    DocumentRules& Document() const { return *document_; }
    AccessKeyRules& AccessKey() const { return *accessKey_; }
    OriginRules& Origin() const { return *origin_; }
    ParticipantRules& Participants() const { return *participants_; }
    TransportRules& Transport() const { return *transport_; }
    ItemRules& Items() const { return *items_; }
    ChargeRules& Charges() const { return *charges_; }
    RelatedDocumentRules& RelatedDocuments() const { return *related_; }
    TaxRules& Taxes() const { return *taxes_; }
    PayableRules& Payables() const { return *payables_; }
    ClosingRules& Closing() const { return *closing_; }
    ErrorListRules& Errors() const { return *errors_; }
    ScreenLayout& Layout() const { return *layout_; }
    BranchPanel& Branch() const { return *branch_; }
    KeyboardHook& Keys() const { return *keys_; }
    PostingList& List() const { return *list_; }
    PostingLoader& Loader() const { return *loader_; }
    PostingEditor& Editing() const { return *editing_; }
    ReleaseRules& Release() const { return *release_; }

    // ---- The standard commands of the base form
    void sbtIncluirClick() override;
    void sbtAlterarClick() override;
    void sbtConfirmarClick() override;
    void sbtCancelarClick() override;
    void sbtProcurarClick() override;

private:
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormCloseQuery(bool& canClose);
    void FormClose(CloseAction& action);
    void SizeToMainWindow(int margin);
    void BuildLayout();
    void WireEvents();

    std::unique_ptr<ModuleParameters> parameters_;
    std::unique_ptr<HeaderRules> header_;
    std::unique_ptr<DocumentRules> document_;
    std::unique_ptr<AccessKeyRules> accessKey_;
    std::unique_ptr<OriginRules> origin_;
    std::unique_ptr<ParticipantRules> participants_;
    std::unique_ptr<TransportRules> transport_;
    std::unique_ptr<ItemRules> items_;
    std::unique_ptr<ScreenLayout> layout_;
    std::unique_ptr<BranchPanel> branch_;
    std::unique_ptr<KeyboardHook> keys_;
    std::unique_ptr<PostingList> list_;
    std::unique_ptr<PostingLoader> loader_;
    std::unique_ptr<PostingEditor> editing_;
    std::unique_ptr<ReleaseRules> release_;
    std::unique_ptr<ChargeRules> charges_;
    std::unique_ptr<RelatedDocumentRules> related_;
    std::unique_ptr<TaxRules> taxes_;
    std::unique_ptr<PayableRules> payables_;
    std::unique_ptr<ClosingRules> closing_;
    std::unique_ptr<ErrorListRules> errors_;
};

} // namespace dfe::dfe11000
