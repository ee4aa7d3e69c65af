// The installments generated from the server's schedule.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/data/handler_guard.h"
#include "platform/net/check_result.h"
#include "platform/net/net_errors.h"
#include "platform/net/tax_calls.h"
#include "support/consiste.h"
#include "support/show_msg.h"

#include <cmath>
#include <vector>

namespace dfe::dfe11000 {
namespace {

long long Cents(double value) {
    return std::llround(value * 100);
}

// A walk over a dataset that leaves it on its first row, its controls woken again, however it ends.
class WalkQuietly {
public:
    explicit WalkQuietly(DataSet& ds) : ds_(ds), pause_(ds) {}
    ~WalkQuietly() {
        if (ds_.Active()) ds_.First();
    }
    WalkQuietly(const WalkQuietly&) = delete;
    WalkQuietly& operator=(const WalkQuietly&) = delete;

private:
    DataSet& ds_;
    ControlsPause pause_;
};

} // namespace

struct PayableRules::Schedule {
    struct Installment {
        double days = 0;
        DateTime due;
        double value = 0;
    };
    std::vector<Installment> installments;
};

// Days, due dates and values, each a row of N. Anything else is the server's fault and is told as such: the
// installments the clerk has are not touched for an answer nobody can read.
PayableRules::Schedule PayableRules::ReadSchedule(const Variant& answer) const {
    const auto refuse = [](const std::string& what) {
        throw net::AnswerError("CriaVencimentos: o servidor respondeu fora do formato esperado (" + what +
                               ").");
    };
    if (!answer.IsArray()) refuse("esperava as parcelas e recebeu " + answer.AsString());
    const VariantArray& rows = answer.AsArray();
    if (rows.Size() != 3) refuse("esperava três linhas: dias, vencimentos e valores");
    const VariantArray* columns[3];
    for (int i = 0; i < 3; ++i) {
        const Variant& row = rows[rows.LowBound() + i];
        if (!row.IsArray()) refuse("a linha " + std::to_string(i + 1) + " não é uma lista");
        columns[i] = &row.AsArray();
    }
    const size_t count = columns[0]->Size();
    if (columns[1]->Size() != count || columns[2]->Size() != count) refuse("linhas de tamanhos diferentes");
    Schedule schedule;
    try {
        for (size_t n = 0; n < count; ++n) {
            Schedule::Installment installment;
            const int at = static_cast<int>(n);
            installment.days = (*columns[0])[columns[0]->LowBound() + at].AsFloat();
            installment.due = (*columns[1])[columns[1]->LowBound() + at].AsDateTime();
            installment.value = (*columns[2])[columns[2]->LowBound() + at].AsFloat();
            schedule.installments.push_back(installment);
        }
    } catch (const ConversionError& error) {
        refuse(error.what());
    }
    return schedule;
}

double PayableRules::TotalVencimentos() {
    DataSet& installments = data_.cdsContaPagar;
    if (!installments.Active()) return 0;
    WalkQuietly walk(installments);
    // Kept to the thousandth, as values are typed, so that adding many does not drift.
    long long thousandths = 0;
    for (installments.First(); !installments.Eof(); installments.Next())
        thousandths += std::llround(FieldNumber(installments, "VRORIGPAG") * 1000);
    return static_cast<double>(thousandths) / 1000;
}

double PayableRules::TotalBrutoVenc() {
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active()) items.CreateDataSet();
    db::TADOIBQuery& excluded = lookups_.qrySubtVrBruto;
    long long cents = 0;
    WalkQuietly walk(items);
    for (items.First(); !items.Eof(); items.Next()) {
        excluded.Close();
        excluded.ParamByName("P_IDENTRSAIDOP") = Variant(FieldText(data_.cdsNotaFiscal, "IDENTRSAIDOP"));
        excluded.ParamByName("P_CDTIPOOPER") = Variant(FieldText(data_.cdsNotaFiscal, "CDTIPOOPER"));
        excluded.ParamByName("P_CDFISOPEITEM") = Variant(FieldText(items, "CDFISOPEITEM"));
        excluded.Open();
        if (!excluded.IsEmpty()) cents += Cents(FieldNumber(items, "VRBRUTITEM"));
    }
    return static_cast<double>(cents) / 100;
}

bool PayableRules::SingleAuthorization() {
    DataSet& relation = data_.cdsNFRelacAF;
    if (!relation.Active() || relation.IsEmpty()) return false;
    std::string first;
    bool same = true;
    for (int row = 1; row <= relation.RecordCount() && same; ++row) {
        relation.ReadRecordAt(row, [&] {
            const std::string number = FieldText(relation, "NRAUTOFORN");
            if (row == 1) first = number;
            same = number == first;
        });
    }
    return same;
}

void PayableRules::GravaVencimento() {
    DataSet& header = data_.cdsNotaFiscal;
    ModuleState& state = Cli_dfe11000();
    if (FieldNumber(header, "VRNOTAFISC") == 0) return;

    form_.Header().ReopenTipoOperac();
    const std::string generates = FieldText(lookups_.qryTipoOperac, "IDGERAVENC");
    const std::string uses = FieldText(lookups_.qryTipoOperac, "IDUTILVENC");
    SetWhileEditing(header, "IDGERAVENC", generates);
    SetWhileEditing(header, "IDUTILVENC", uses);
    if (uses == "N" || (generates == "N" && !state.boVencAF)) return;
    if (!OneOf(FieldText(header, "IDORIGDESTNF"), {"F", ""})) return;
    if (FieldText(header, "IDDOCFINANC") == "L") return;
    const std::string integration = FieldText(header, "CDINTEGRACAO");
    if (!integration.empty() && integration.rfind("E-", 0) != 0) return;

    const long long owed =
        std::max(0LL, Cents(FieldNumber(header, "VRNOTAFISC")) - Cents(form_.Taxes().TotalImpoRetido()) -
                          Cents(TotalBrutoVenc()));
    if (owed <= 0) return;

    const auto key = [](const DataSet& ds) {
        return FieldText(ds, "CDFILDEST") + "||" + FieldText(ds, "CDFILLANC") + "||" +
               FieldText(ds, "NRAUTOFORN");
    };
    net::CriaVencimentosArgs args;
    Variant answer;
    CallOptions options;
    options.checkResult = false;
    server_.Sequence({&server_.netLancNFEntrada}, options, [&] {
        data_.cdsContAF.SetData(server_.CallIn(
            server_.netLancNFEntrada, net::kGetContAF,
            net::CallArgs().Str(FieldText(header, "CDFILIAL")).Str(FieldText(header, "NRLANCTONF"))));
        args = net::CriaVencimentosArgs{};
        if ((state.boImportaAF || state.boVencAF) && SingleAuthorization()) {
            args.kind = "A";
            data_.cdsNFRelacAF.First();
            args.key = key(data_.cdsNFRelacAF);
        } else if (data_.cdsContAF.RecordCount() == 1) {
            args.kind = "A";
            data_.cdsContAF.First();
            args.key = key(data_.cdsContAF);
        } else {
            args.kind = "E";
            args.key = FieldText(header, "CDFORNECED");
        }
        // No supplier yet: no terms to split by.
        if (args.key.empty()) return;
        args.amount = static_cast<double>(owed) / 100;
        args.issueDate = header.FieldByName("DTEMISSAO").AsDateTime();
        args.entryDate = header.FieldByName("DTENTRSAID").AsDateTime();
        args.receivingBranch = FieldText(header, "CDFILIRECE");
        answer = server_.CallIn(server_.netLancNFEntrada, net::CriaVencimentosArgs::kMethod,
                                net::ToCallArgs(args), false);
    });
    if (answer.IsUnassigned()) return;
    net::CheckResultServ(answer);
    if (!answer.IsArray() && answer.AsString() == net::kNoPaymentForm) {
        support::MensErro(form_.msgPadrao2, "FormaPgto_AF_N_Def", true);
        ThrowAbort();
    }
    const Schedule schedule = ReadSchedule(answer);

    DataSet& installments = data_.cdsContaPagar;
    if (!installments.Active()) form_.Loader().GetContaPagarOfHeader();
    if (FieldText(lookups_.qryFornecedor, "IDTPFORPGTFO").empty() && !installments.IsEmpty()) return;
    const bool alwaysAgain = FieldText(data_.cdsParamDFE, "IDTRATAVENC") == "M" &&
                             FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S";
    const double current = support::RoundDec(TotalVencimentos(), 2);
    if (current == support::RoundDec(args.amount, 2) && !alwaysAgain) return;
    // An empty schedule leaves the installments as they are.
    if (schedule.installments.empty()) return;

    WalkQuietly walk(installments);
    // The clerk's deletion question is not asked for a replacement the rules decided.
    const DetachedHandler quiet(installments.BeforeDelete);
    installments.First();
    while (!installments.IsEmpty())
        installments.Delete();
    int sequence = 0;
    for (const Schedule::Installment& due : schedule.installments) {
        installments.Append();
        installments.FieldByName("CDEMPRESA").SetAsString(ui_.dbeCdEmpresa->Text());
        installments.FieldByName("CDFILIAL").SetAsString(FieldText(header, "CDFILIAL"));
        installments.FieldByName("NRLANCTONF").SetAsString(FieldText(header, "NRLANCTONF"));
        installments.FieldByName("NRSEQVENPAG").SetAsString(support::Ajusta(std::to_string(++sequence), 2));
        installments.FieldByName("NRPARCELAPAG").SetAsString("00");
        installments.FieldByName("IDSTATPAG").SetAsString("A");
        installments.FieldByName("QTDIASVENPAG").SetAsFloat(due.days);
        installments.FieldByName("DTORIGVENPAG").SetAsDateTime(due.due);
        installments.FieldByName("DTATUAVENPAG").SetAsDateTime(due.due);
        installments.FieldByName("VRORIGPAG").SetAsFloat(due.value);
        installments.FieldByName("VRATUAPAG").SetAsFloat(due.value);
        installments.Post();
    }
}

} // namespace dfe::dfe11000
