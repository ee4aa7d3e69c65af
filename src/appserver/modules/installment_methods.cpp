#include "appserver/modules/installment_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/tax_call_args.h"
#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

#include <optional>

namespace dfe::appserver {
namespace {

// The payment terms found for the key: nothing when the AF or supplier has no payment form or condition.
struct Terms {
    std::string condition;
};

std::optional<Terms> ReadTerms(db::Database& db, std::string_view sql, const db::SqlParams& params,
                               bool& found) {
    std::optional<Terms> terms;
    db.ForEachRow(sql, params, [&](const db::ResultRow& row) {
        found = true;
        const auto form = row.TextOrNull(0), condition = row.TextOrNull(1);
        if (form && !text::Trim(*form).empty() && condition && !text::Trim(*condition).empty())
            terms = Terms{text::Trim(*condition)};
    });
    return terms;
}

std::optional<Terms> SupplierTerms(db::Database& db, const std::string& supplier) {
    if (supplier.empty() || text::Length(supplier) > 21)
        throw MethodRefusal("Argumento 2 (fornecedor) de CriaVencimentos deve ser um código de fornecedor.");
    bool found = false;
    auto terms =
        ReadTerms(db, "SELECT IDTPFORPGTFO, CDCONDPAGTO FROM FORNECEDOR WHERE CDFORNECED = :P_CDFORNECED",
                  {{"P_CDFORNECED", supplier}}, found);
    if (!found) throw MethodRefusal("O fornecedor " + supplier + " não está cadastrado.");
    return terms;
}

// "CDFILDEST||CDFILLANC||NRAUTOFORN".
std::optional<Terms> AuthorizationTerms(db::Database& db, const std::string& key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = key.find("||", start)) != std::string::npos; start = bar + 2)
        parts.push_back(text::Trim(key.substr(start, bar - start)));
    parts.push_back(text::Trim(key.substr(start)));
    if (parts.size() != 3 || parts[0].empty() || parts[1].empty() || parts[2].empty() ||
        parts[0].size() > 4 || parts[1].size() > 4 || parts[2].size() > 10)
        throw MethodRefusal(
            "Argumento 2 (autorização) de CriaVencimentos deve ser filial de destino, filial de "
            "lançamento e número da AF separados por \"||\": " +
            key + ".");
    bool found = false;
    auto terms =
        ReadTerms(db,
                  "SELECT IDTPFORPGTAF, CDCONDPAGTO FROM AUTORIZFORN WHERE CDFILDEST = :P_CDFILDEST"
                  " AND CDFILLANC = :P_CDFILLANC AND NRAUTOFORN = :P_NRAUTOFORN",
                  {{"P_CDFILDEST", parts[0]}, {"P_CDFILLANC", parts[1]}, {"P_NRAUTOFORN", parts[2]}}, found);
    if (!found) throw MethodRefusal("A autorização de fornecimento " + key + " não está cadastrada.");
    return terms;
}

// "30/60/90": the days of each installment from the issue date; "0" is cash.
std::optional<std::vector<int>> ParseDays(const std::string& text) {
    std::vector<int> days;
    size_t start = 0;
    while (true) {
        const size_t slash = text.find('/', start);
        const std::string part =
            text::Trim(text.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (part.empty() || part.size() > 4) return std::nullopt;
        int day = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            day = day * 10 + (c - '0');
        }
        days.push_back(day);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return days;
}

Variant CriaVencimentos(MethodContext& call) {
    const net::CriaVencimentosArgs a = FromCall<net::CriaVencimentosArgs>(call);
    if (a.kind != "A" && a.kind != "E")
        throw MethodRefusal("Argumento 1 (tipo) de CriaVencimentos deve ser \"A\" (autorização) ou \"E\" "
                            "(fornecedor).");
    if (a.issueDate.IsEmpty())
        throw MethodRefusal(
            "Argumento 4 (data de emissão) de CriaVencimentos deve ser informado: os vencimentos "
            "contam dela.");
    const std::optional<int64_t> amount = decimal::Scaled(a.amount, 2);
    if (!amount || *amount < 0)
        throw MethodRefusal("Argumento 3 (valor) de CriaVencimentos deve ser um valor não negativo.");

    db::Database& db = call.Db();
    const std::optional<Terms> terms =
        a.kind == "A" ? AuthorizationTerms(db, a.key) : SupplierTerms(db, a.key);
    if (!terms) return Variant(net::kNoPaymentForm);
    bool conditionFound = false;
    std::string daysText;
    db.ForEachRow("SELECT DSPRAZOS FROM CONDPAGTO WHERE CDCONDPAGTO = :P_CDCONDPAGTO",
                  {{"P_CDCONDPAGTO", terms->condition}}, [&](const db::ResultRow& row) {
                      conditionFound = true;
                      daysText = text::Trim(row.Text(0));
                  });
    if (!conditionFound) return Variant(net::kNoPaymentForm);
    const std::optional<std::vector<int>> days = ParseDays(daysText);
    if (!days)
        throw MethodRefusal("A condição de pagamento " + terms->condition + " tem prazos inválidos: \"" +
                            daysText + "\".");

    // Equal installments cut to the cent; the last takes what the cut left, so they add up to the amount.
    const int64_t count = static_cast<int64_t>(days->size());
    const int64_t each = *amount / count;
    const DateTime issueDay(static_cast<double>(a.issueDate.WholeDays()));
    std::vector<Variant> dayItems, dueItems, valueItems;
    for (int64_t i = 0; i < count; ++i) {
        const int day = (*days)[static_cast<size_t>(i)];
        dayItems.emplace_back(day);
        dueItems.emplace_back(issueDay.AddDays(day));
        valueItems.emplace_back(decimal::Unscaled(i + 1 < count ? each : *amount - each * (count - 1), 2));
    }
    call.SetArg(2, Variant(decimal::Unscaled(*amount, 2)));
    return Variant::Array({Variant::Array(std::move(dayItems), 1), Variant::Array(std::move(dueItems), 1),
                           Variant::Array(std::move(valueItems), 1)},
                          1);
}

} // namespace

void RegisterInstallmentMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, net::CriaVencimentosArgs::kMethod, MethodKind::Read, CriaVencimentos);
}

} // namespace dfe::appserver
