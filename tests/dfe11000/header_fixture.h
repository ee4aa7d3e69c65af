#pragma once

#include "module_fixture.h"

#include "dfe11000/module/pending.h"
#include "platform/data/packet.h"

#include <functional>
#include <string>

namespace dfe::dfe11000::testing {

// The posting screen on its record page with a new posting being included (header and list row inserted)
// for a branch; a rule is run as an event is, and the code of the message it showed is returned.
class HeaderTest : public ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        PrepareRecordPage(*form);
        // Returns ask for their origin-document count; none of these postings has origin documents.
        Answer("GetCountNFOrig", [](const net::RpcRequest&) {
            Packet p;
            p.fields = {FieldDef{"NRREGISTROS", FieldType::Integer}};
            p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant(int64_t{0})}, {}});
            return Variant(ToDataPacket(p));
        });
    }

    void Include(const std::string& branch = "0001") {
        Cancel();
        form->ui.medCdFilial->SetText(branch);
        app.Dispatch([&] { form->Parameters().GetParamDFE(branch); });
        form->data.dtsRomaneioNF->SetEnabled(true); // as after a confirmed filter
        form->data.cdsRomaneioNF.Append();
        form->data.cdsNotaFiscal.Append();
        form->data.cdsNotaFiscal.FieldByName("CDFILIAL").SetAsString(branch);
    }

    void Cancel() {
        if (InState(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
        if (InState(form->data.cdsRomaneioNF)) form->data.cdsRomaneioNF.Cancel();
    }

    void Type(const char* field, const std::string& value) {
        if (!InState(form->data.cdsRomaneioNF)) form->data.cdsRomaneioNF.Edit();
        form->data.cdsRomaneioNF.FieldByName(field).SetAsString(value);
    }

    // The code of the last error the rule showed; empty when it passed silently.
    std::string Run(const std::function<void()>& rule) {
        dialogs.ClearRecords();
        app.Dispatch(rule);
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string() : errors.back().code;
    }

    std::string Header(const char* field) const {
        return form->data.cdsNotaFiscal.FieldByName(field).AsString();
    }
    std::string Row(const char* field) const {
        return form->data.cdsRomaneioNF.FieldByName(field).AsString();
    }

    TfrmLancNFEntrada* form = nullptr;

private:
    static bool InState(const DataSet& ds) {
        return ds.State() == DataSetState::Edit || ds.State() == DataSetState::Insert;
    }
};

} // namespace dfe::dfe11000::testing
