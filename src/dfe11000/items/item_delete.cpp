// Deleting an item of the item grid marks it (it stays, drawn as deleted, and leaves the totals and taxes);
// the same command on a marked item restores it. Elsewhere a delete removes the row.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "platform/core/abort.h"
#include "platform/core/decimal.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

bool Yes(const support::TMessages& table, const char* code) {
    return support::ShowMsg(table, code, DialogType::Confirmation, mb::YesNo) == 6;
}

} // namespace

// The posting's stored labels, asked once per posting.
void ItemRules::LoadLabels() {
    ModuleState& state = Cli_dfe11000();
    if (state.boConsEtiq) return;
    data_.cdsEtiqRegera.SetData(server_.Call(server_.netLancNFEntrada, "GetVerifEtiq",
                                             net::CallArgs()
                                                 .Str(FieldText(data_.cdsNotaFiscal, "CDFILIAL"))
                                                 .Str(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"))));
    state.boConsEtiq = true;
}

// Labels already used cannot be given back by deleting the item that made them.
void ItemRules::CheckLabels() {
    if (FieldText(lookups_.qryFiliRece, "IDFUNCAOFILI") != "O" ||
        FieldText(data_.cdsParamDFE, "IDETIQPRODOL") != "S")
        return;
    LoadLabels();
    DataSet& labels = data_.cdsEtiqRegera;
    const std::string sequence = FieldText(data_.cdsItemProduto, "NRSEQITPROD");
    bool used = false;
    for (int row = 1; row <= labels.RecordCount() && !used; ++row)
        labels.ReadRecordAt(row, [&] {
            used = FieldText(labels, "NRSEQITPROD") == sequence && FieldText(labels, "IDSTATUSETIQ") != "A";
        });
    if (used) support::MensErro(form_.msgPadrao2, "Etiq_Usad", true);
}

// The AF relations of the item (same product and brand, at the item's unit price) follow its mark.
void ItemRules::FlagAfRelations(const char* flag) {
    DataSet& relations = data_.cdsNFRelacAF;
    const DataSet& items = data_.cdsItemProduto;
    if (!relations.Active() || relations.IsEmpty()) {
        relations.SetData(server_.Call(server_.netLancNFEntrada, "GetNFRelacAF",
                                       net::CallArgs()
                                           .Str(FieldText(data_.cdsNotaFiscal, "CDFILIAL"))
                                           .Str(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"))));
    }
    const std::vector<Variant> key = {
        Variant(FieldText(items, "CDFILIAL")), Variant(FieldText(items, "NRLANCTONF")),
        Variant(FieldText(items, "CDPRODUTO")), Variant(FieldText(items, "CDMARCA"))};
    if (!relations.Locate("CDFILIAL;NRLANCTONF;CDPRODUTO;CDMARCA", key)) return;
    // Prices are kept to the thousandth: compared there, never as text ("10.5" and "10.50" are one price).
    const double price = decimal::Round(items.FieldByName("VRUNITITEM").AsFloat(), 3);
    const auto matches = [&] {
        return FieldText(relations, "CDFILIAL") == key[0].AsString() &&
               FieldText(relations, "NRLANCTONF") == key[1].AsString() &&
               FieldText(relations, "CDPRODUTO") == key[2].AsString() &&
               FieldText(relations, "CDMARCA") == key[3].AsString();
    };
    for (; !relations.Eof() && matches(); relations.Next()) {
        if (decimal::Round(relations.FieldByName("VRNFRELACAF").AsFloat(), 3) != price) continue;
        relations.Edit();
        relations.FieldByName("IDDELETE").SetAsString(flag);
        relations.Post();
    }
}

void ItemRules::MarkDeleted() {
    DataSet& items = data_.cdsItemProduto;
    if (!Yes(form_.msgPadrao, "Excl_Item")) {
        Cli_dfe11000().boAltLiberacao = false;
        return;
    }
    data_.cdsVd_ProdAudit.SetData(server_.Call(server_.netLancNFEntrada, "GetProdAudit",
                                               net::CallArgs()
                                                   .Str(FieldText(items, "CDFILIAL"))
                                                   .Str(FieldText(items, "NRLANCTONF"))
                                                   .Str(FieldText(items, "NRSEQITPROD"))));
    if (!data_.cdsVd_ProdAudit.IsEmpty()) support::MensErro(form_.msgPadrao, "Prod_Audit", true);

    const std::string fiscal = FieldText(data_.cdsParamDFE, "DSPARFILFIS");
    if (!fiscal.empty() && fiscal[0] == 'S') {
        data_.cdsVerifNFImpAF.SetData(server_.Call(server_.netLancNFEntrada, "GetVerifNFImpAF",
                                                   net::CallArgs()
                                                       .Str(FieldText(data_.cdsNotaFiscal, "CDFILIAL"))
                                                       .Str(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"))));
        if (!data_.cdsVerifNFImpAF.IsEmpty()) {
            boProdAFConfirmado = false;
            CriaProdNFAF(form_);
        }
    }
    FlagAfRelations("S");

    // The item's taxes go with it; those of the other items stay.
    DataSet& taxes = data_.cdsTrabItProImpos;
    if (taxes.Active()) {
        const std::string sequence = FieldText(items, "NRSEQITPROD");
        const bool filtered = taxes.Filtered();
        taxes.SetFiltered(false);
        for (taxes.First(); !taxes.Eof();) {
            if (FieldText(taxes, "NRSEQIMPOIT") == sequence) {
                taxes.Delete();
            } else {
                taxes.Next();
            }
        }
        taxes.SetFiltered(filtered);
    }
    if (data_.cdsNotaFiscal.State() == DataSetState::Browse) data_.cdsNotaFiscal.Edit();
    items.Edit();
    items.FieldByName("IDDELETE").SetAsString("S");
    items.Post();
}

void ItemRules::RestoreDeleted() {
    DataSet& items = data_.cdsItemProduto;
    if (!Yes(form_.msgPadrao, "Cancel_Item")) return;
    FlagAfRelations("N");
    if (form_.Header().TipoOper().IDNFPRESTSERV == "S" && ServiceProducts()) {
        if (!data_.cdsProdRelacServ.Active()) LoadServiceProducts();
        if (!data_.cdsProdRelacServ.Locate("CDARVPROD", Variant(FieldText(items, "CDARVPROD"))))
            support::MensErro(form_.msgPadrao2, "Prod_N_Rel_serv", true);
    }
    if (data_.cdsNotaFiscal.State() == DataSetState::Browse) data_.cdsNotaFiscal.Edit();
    items.Edit();
    items.FieldByName("IDDELETE").SetAsString("N");
    items.Post();
    // Its taxes went with the mark; the post generates them only while the posting's taxes are being
    // changed, so the restored row asks for them itself.
    if (!Cli_dfe11000().boAlteraNF && !OneOf(form_.Header().CurrentType(), {"05", "07", "09", "10", "14"}))
        form_.Taxes().CriaImpostos();
}

void ItemRules::cdsItemProdutoBeforeDelete() {
    DataSet& items = data_.cdsItemProduto;
    const OperationType type = form_.Header().TipoOper();
    if (type.IDNFRETIND == "S" && FieldText(items, "IDITEMORIGEM") == "S")
        support::MensErro(form_.msgPadrao2, "BLOQ_DEL_ITEM_ORIGEM", true);
    InventoryGuard();
    CheckLabels();
    Control* active = form_.ActiveControl();
    if (active == ui_.dbgItemsNFForn) ThrowAbort();
    if (active != ui_.dbgItemProduto || Cli_dfe11000().boManipStatus) return;
    if (FieldText(items, "IDDELETE") == "S") {
        RestoreDeleted();
    } else {
        MarkDeleted();
    }
    ThrowAbort();
}

} // namespace dfe::dfe11000
