#pragma once

#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "appserver/temp_database.h"
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/header/access_key_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/creator.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/keyboard_hook.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/data/handler_guard.h"
#include "platform/db/database.h"
#include "platform/db/tadoib_query.h"
#include "platform/net/connection_names.h"
#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/zymora.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace dfe::dfe11000::testing {

// The posting screen over the embedded server and a fresh demo database, as the host runs it, with the
// scripted dialogs. Every call to the server is counted by method; a test may answer a method itself.
class ModuleTest : public ::testing::Test {
protected:
    // Answers a method in place of the server; nothing lets the server answer.
    using Override = std::function<std::optional<Variant>(const net::RpcRequest&)>;

    ModuleTest() {
        auto db = temp_.OpenDemo();
        server_ = std::make_unique<appserver::EmbeddedServer>(std::move(db));
        lookups_ = temp_.Open();
        db::TADOIBQuery::SetDefaultDatabase(lookups_.get());
        auto real = server_->Handler();
        counting_ = std::make_shared<const net::FrameHandler>([this, real](std::string_view frame) {
            const net::RpcRequest request = net::DecodeRequest(net::UnwrapFrame(frame));
            ++calls_[request.method];
            if (auto it = overrides_.find(request.method); it != overrides_.end()) {
                if (std::optional<Variant> answer = it->second(request)) {
                    net::RpcResponse response;
                    response.result = std::move(*answer);
                    return net::EncodeFrame(net::EncodeResponse(response));
                }
            }
            return (*real)(frame);
        });
        net::RegisterInProcessServer(counting_);

        InitializeModuleState();
        support::zymora::LocalContext() = HostContext();
        support::zymora::LocalContext().serverHost = std::string(net::kInProcessHost);
        support::zymora::LocalContext().branch = "0001";
        app.SetDialogs(&dialogs);
        app.SetScreenSize(1280, 1024);
        mainForm = &app.CreateForm<Form>();
        mainForm->SetName("frmPrincipal");
        mainForm->SetBounds(0, 0, 1280, 984);
        app.SetMainForm(mainForm);
        mainForm->Show();
    }

    ~ModuleTest() override {
        app.DestroyAllForms();
        db::TADOIBQuery::SetDefaultDatabase(nullptr);
        net::RegisterInProcessServer(nullptr);
        support::zymora::LocalContext() = HostContext();
        InitializeModuleState();
    }

    // Opens the screen as the host's menu does and answers what the first showing asks.
    TfrmLancNFEntrada& Open() {
        app.Dispatch([] { ShowPostingForm(); });
        TfrmLancNFEntrada* form = Cli_dfe11000().frmLancNFEntrada;
        if (!form) throw std::runtime_error("the posting form did not open: " + dialogs.Describe());
        return *form;
    }

    // Writes an entry operation type into the test database: every attribute of the operation type "N" (the
    // participant kind "F") unless given, by column name; other columns of the table may be given too.
    void DefineOperationType(const std::string& code, const std::map<std::string, std::string>& given = {}) {
        std::map<std::string, std::string> values;
        for (const char* column : OperationType::Columns())
            values[column] = "N";
        values["IDORIGDESTOP"] = "F";
        for (const auto& [column, value] : given)
            values[column] = value;
        db::SqlParams params{{"CODE", Variant(code)}};
        std::string assignments = "IDENTRSAIDOP = 'E', IDUTILOPER = 'S'";
        for (const auto& [column, value] : values) {
            assignments += ", " + column + " = :" + column;
            params.emplace_back(column, value.empty() ? Variant::Null() : Variant(value));
        }
        // Demo postings refer to the demo types: an existing type is changed in place.
        lookups_->Execute(
            "INSERT INTO TIPOOPERAC (CDTIPOOPER, NMTIPOOPER, IDENTRSAIDOP) SELECT :CODE, :NAME, 'E'"
            " WHERE NOT EXISTS (SELECT 1 FROM TIPOOPERAC WHERE CDTIPOOPER = :CODE)",
            {{"CODE", Variant(code)}, {"NAME", Variant("Tipo " + code)}});
        lookups_->Execute("UPDATE TIPOOPERAC SET " + assignments + " WHERE CDTIPOOPER = :CODE", params);
        // An open screen reads a type again with its next posting; the tests change it in mid-posting.
        if (TfrmLancNFEntrada* form = Cli_dfe11000().frmLancNFEntrada) form->Header().ForgetOperationType();
    }

    int Calls(const std::string& method) const {
        auto it = calls_.find(method);
        return it == calls_.end() ? 0 : it->second;
    }
    void Answer(const std::string& method, Override answer) { overrides_[method] = std::move(answer); }

    appserver::testing::TempDatabase temp_;
    std::unique_ptr<appserver::EmbeddedServer> server_;
    std::unique_ptr<db::Database> lookups_;
    std::shared_ptr<const net::FrameHandler> counting_;
    std::map<std::string, int> calls_;
    std::map<std::string, Override> overrides_;
    Application app;
    ScriptedDialogs dialogs;
    Form* mainForm = nullptr;
};

} // namespace dfe::dfe11000::testing

namespace dfe::dfe11000::testing {

// Opens the posting datasets with their fields and shows the record page, so that its controls can take
// the focus.
inline void PrepareRecordPage(TfrmLancNFEntrada& form) {
    form.data.cdsNotaFiscal.CreateDataSet();
    form.data.cdsNotaFiscal.Append();
    form.data.cdsNotaFiscal.FieldByName("CDFILIAL").SetAsString("0001");
    form.data.cdsNotaFiscal.FieldByName("NRLANCTONF").SetAsString("1");
    form.data.cdsNotaFiscal.Post();
    for (DataSet* ds : {&form.data.cdsItemProduto, &form.data.cdsItemNotaFisc, &form.data.cdsTrabItProImpos,
                        &form.data.cdsTrabImposNFTot, &form.data.cdsItemEncargo, &form.data.cdsDadosAdic,
                        &form.data.cdsContaPagar})
        ds->CreateDataSet();
    // A confirmed filter with one posting listed, so that leaving the branch panel goes on to the record.
    form.data.cdsRomaneioNF.CreateDataSet();
    form.data.cdsRomaneioNF.Append();
    form.data.cdsRomaneioNF.FieldByName("NRLANCTONF").SetAsString("1");
    form.data.cdsRomaneioNF.FieldByName("IDUTILVENC").SetAsString("S");
    form.data.cdsRomaneioNF.FieldByName("CDTIPOOPER").SetAsString("01");
    form.data.cdsRomaneioNF.Post();
    form.Branch().boFiltroConfirmado = true;
    form.tshFormulario.SetEnabled(true);
    form.ui.tshVencimento->SetEnabled(true);
    form.pgcPadrao.SetActivePage(&form.tshFormulario);
    form.ui.dbeCdInscEsta->SetFocus();
}

// An item row as a load brings it: stored without the rules of a row the clerk types, for tests about
// something else than items.
inline void AddLoadedItem(DataSet& items, const std::map<std::string, Variant>& fields) {
    DetachedHandler<DataSet::Handler> start(items.BeforeInsert);
    DetachedHandler<DataSet::Handler> before(items.BeforePost);
    DetachedHandler<DataSet::Handler> after(items.AfterPost);
    if (!items.Active()) items.CreateDataSet();
    items.Append();
    for (const auto& [name, value] : fields)
        items.FieldByName(name).SetValue(value);
    items.Post();
}

} // namespace dfe::dfe11000::testing
