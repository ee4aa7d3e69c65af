#include "appserver/modules/tax_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/tax_call_args.h"
#include "appserver/modules/tax_engine.h"
#include "appserver/rpc/method_registry.h"
#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

#include <algorithm>
#include <map>
#include <set>

namespace dfe::appserver {
namespace {

using tax::TaxRow;

FieldDef S(const char* name, int width) {
    return FieldDef{name, FieldType::String, width, false};
}
FieldDef F(const char* name) {
    return FieldDef{name, FieldType::Float, 0, false};
}

// The item's tax rows as the client's cdsImpoItemAF reads them.
const PacketLayout& ImpoItemAFLayout() {
    static const PacketLayout layout = {
        S("CDPRODUTO", 10),      S("CDMARCA", 5),         S("CDIMPOSTOIT", 2),  S("SGIMPOSTO", 10),
        S("IDTRATIMPO", 1),      S("IDPREIMPENTR", 1),    F("VRALIQIMPOIT"),    F("VRIMPOSIT"),
        F("VRCONTIMPOIT"),       F("VRBCALCIMPOIT"),      F("VRPDEDIMPOIT"),    F("VRREDBCIMPOIT"),
        S("CDFISCIMPOIT", 1),    S("IDTRIMPSTII", 1),     S("CDSITUTRIBIT", 3), S("CDFISCOPERIT", 11),
        S("CDSUFXCFOPIT", 3),    S("CDSITUTRIBITNFE", 2), S("IDMODBCITNFE", 1), S("IDMODBCSTITNFE", 1),
        S("CDTPCREDPICOITE", 3), S("CDNATUBCALPCIT", 2),  F("VRADICALIQFECP"),
    };
    return layout;
}

// The document totals in the layout of the client's cdsTrabImposNFTot; positions of its value and base.
constexpr size_t kTotalValue = 1, kTotalBase = 8;
const PacketLayout& TrabImposNFTotLayout() {
    static const PacketLayout layout = {
        S("SGIMPOSTO", 10), F("VRIMPOSTOT"),    S("CDFILIMPTOT", 4), S("NRLANCIMPTOT", 10),
        S("CDIMPOSTOT", 2), S("IDERROSTOT", 5), S("IDAVISOSTOT", 5), S("IDTRATIMPO", 1),
        F("VRBCALIMPTOT"),  S("IDPRODNOTA", 1),
    };
    return layout;
}

const PacketLayout& ContAFLayout() {
    static const PacketLayout layout = {S("CDFILDEST", 4), S("CDFILLANC", 4), S("NRAUTOFORN", 10)};
    return layout;
}

Variant Money(int64_t cents) {
    return Variant(decimal::Unscaled(cents, 2));
}
Variant Rate(int64_t rate) {
    return Variant(decimal::Unscaled(rate, 4));
}
Variant TextOrNull(const std::string& text) {
    return text.empty() ? Variant::Null() : Variant(text);
}

// A NUMERIC column as an exact fixed-point amount: its double is the nearest to the stored decimal (15
// digits at most), whose shortest form reads back that decimal exactly.
int64_t Scaled(const db::ResultRow& row, int column, int digits) {
    if (row.IsNull(column)) return 0;
    if (auto value = decimal::Scaled(row.Float(column), digits)) return *value;
    throw MethodRefusal("Valor numérico fora do limite na coluna " + std::string(row.ColumnName(column)) +
                        ".");
}
std::string Text(const db::ResultRow& row, int column) {
    const auto text = row.TextOrNull(column);
    return text ? text::Trim(*text) : std::string();
}

int64_t Cents(double value, const char* what) {
    if (auto cents = decimal::Scaled(value, 2)) return *cents;
    throw MethodRefusal(std::string("O valor ") + what + " está fora do limite.");
}

bool IsFlag(const std::string& flag) {
    return flag.empty() || flag == "S" || flag == "N";
}

// A posting already stored has a number of digits; a new one is "NOVOCODIGO" or empty.
bool IsStoredPosting(const std::string& number) {
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ---------------------------------------------------------------------------------------------------------
// GetProxCodProd

constexpr int64_t kLastWorkCode = 999999999;

Variant GetProxCodProd(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    if (branch.empty()) throw MethodRefusal("A filial deve ser informada para " + call.Method() + ".");
    db::Database& db = call.Db();
    const db::SqlParams params = {{"P_CDFILIAL", branch}};
    if (db.Query("SELECT CDFILIAL FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL", params).rows.empty())
        throw MethodRefusal("A filial " + branch + " não está cadastrada.");
    // The row first, so two first calls of a branch wait on each other instead of both inserting.
    db.Execute("INSERT INTO CODTRABIMPO (CDFILIAL, NRULTCODTRAB) VALUES (:P_CDFILIAL, 0)"
               " ON CONFLICT (CDFILIAL) DO NOTHING",
               params);
    db.Execute("UPDATE CODTRABIMPO SET NRULTCODTRAB = NRULTCODTRAB + 1 WHERE CDFILIAL = :P_CDFILIAL", params);
    int64_t last = 0;
    db.ForEachRow("SELECT NRULTCODTRAB FROM CODTRABIMPO WHERE CDFILIAL = :P_CDFILIAL", params,
                  [&](const db::ResultRow& row) { last = row.Integer(0); });
    if (last <= 0 || last > kLastWorkCode)
        throw MethodRefusal("Os códigos de trabalho da filial " + branch + " se esgotaram.");
    // "W" and nine digits: never a posting number, never "NOVOCODIGO".
    const std::string code = "W" + text::PadLeft(std::to_string(last), 9, '0');
    return net::AnswerWriter(net::kGetProxCodProdAnswer).Set("accepted", "S").Set("workCode", code).Finish();
}

// ---------------------------------------------------------------------------------------------------------
// GetImpoItem

void CheckArguments(const MethodContext& call, const net::GetImpoItemArgs& a) {
    auto refuse = [&](const std::string& why) { throw MethodRefusal(why); };
    if (a.operationType.empty())
        refuse("O tipo de operação deve ser informado para gerar os impostos do item.");
    if (a.product.empty()) refuse("O produto deve ser informado para gerar os impostos do item.");
    if (a.itemSequence.empty())
        refuse("A sequência do item deve ser informada para gerar os impostos do item.");
    if (a.workCode.empty() || a.workCode == "NOVOCODIGO")
        refuse("O código de trabalho (" + std::string(net::kGetProxCodProd) + ") deve ser informado para " +
               call.Method() + ".");
    const std::pair<const std::string*, const char*> flags[] = {{&a.returnWithOrigin, "13"},
                                                                {&a.listMode, "19"},
                                                                {&a.listModeInserting, "20"},
                                                                {&a.regenerate, "26"}};
    for (const auto& [flag, position] : flags) {
        if (!IsFlag(*flag))
            refuse("Argumento " + std::string(position) + " de " + call.Method() +
                   " deve ser \"S\" ou \"N\".");
    }
    if (a.itemTotal < 0 || a.quantity < 0 || a.discount < 0)
        refuse("Quantidade, valor e desconto do item não podem ser negativos.");
    if (a.discount > a.itemTotal) refuse("O desconto do item não pode passar do seu valor total.");
}

struct Operation {
    std::string direction;
    tax::OperationFiscal fiscal;
};

Operation ReadOperation(db::Database& db, const std::string& type) {
    std::optional<Operation> found;
    db.ForEachRow(
        "SELECT T.IDENTRSAIDOP, F.CDCFOPBASE, F.CDCFOPBASEST, F.CDSUFXCFOP, F.IDUSOCONSUMO, F.IDSERVICO"
        " FROM TIPOOPERAC T LEFT JOIN TPOPERFISC F ON F.CDTIPOOPER = T.CDTIPOOPER"
        " WHERE T.CDTIPOOPER = :P_CDTIPOOPER",
        {{"P_CDTIPOOPER", type}}, [&](const db::ResultRow& row) {
            Operation op;
            op.direction = Text(row, 0);
            if (!row.IsNull(1)) {
                op.fiscal.cfopBase = Text(row, 1);
                op.fiscal.cfopBaseSt = Text(row, 2);
                if (!Text(row, 3).empty()) op.fiscal.cfopSuffix = Text(row, 3);
                op.fiscal.useOrConsumption = Text(row, 4) == "S";
                op.fiscal.services = Text(row, 5) == "S";
            }
            found = op;
        });
    if (!found) throw MethodRefusal("O tipo de operação " + type + " não está cadastrado.");
    return *found;
}

tax::StateIcms ReadStateIcms(db::Database& db, const std::string& state) {
    std::optional<tax::StateIcms> found;
    db.ForEachRow(
        "SELECT VRALIQINTERNA, VRALIQFCP, IDSULSUDESTE FROM ICMSESTADO WHERE SGESTADO = :P_SGESTADO",
        {{"P_SGESTADO", state}}, [&](const db::ResultRow& row) {
            found = tax::StateIcms{Scaled(row, 0, 4), Scaled(row, 1, 4), Text(row, 2) == "S"};
        });
    if (!found) throw MethodRefusal("O estado " + state + " não tem alíquota de ICMS cadastrada.");
    return *found;
}

std::string FirstText(db::Database& db, std::string_view sql, const db::SqlParams& params) {
    std::string text;
    bool read = false;
    db.ForEachRow(sql, params, [&](const db::ResultRow& row) {
        if (!read) text = Text(row, 0);
        read = true;
    });
    return text;
}

// The fiscal group of the operation when the client has none: the branch's group for the type and the kind
// of participant, else the branch's parameter.
std::string DeriveGroup(db::Database& db, const net::GetImpoItemArgs& a, const std::string& branch,
                        const std::string& direction) {
    const std::string kind = !a.supplier.empty()        ? "F"
                             : !a.customer.empty()      ? "C"
                             : !a.issuingBranch.empty() ? "L"
                                                        : "";
    std::string group = FirstText(db,
                                  "SELECT CDGRUPOFISC FROM GRUPOFISCOPER WHERE CDFILIAL = :P_CDFILIAL"
                                  " AND IDENTRSAIDOP = :P_IDENTRSAIDOP AND CDTIPOOPER = :P_CDTIPOOPER"
                                  " AND (IDORIGDESTNF = :P_IDORIGDESTNF OR IDORIGDESTNF = '*')"
                                  " ORDER BY CASE WHEN IDORIGDESTNF = '*' THEN 1 ELSE 0 END",
                                  {{"P_CDFILIAL", branch},
                                   {"P_IDENTRSAIDOP", direction},
                                   {"P_CDTIPOOPER", a.operationType},
                                   {"P_IDORIGDESTNF", kind}});
    if (group.empty())
        group = FirstText(db, "SELECT CDGRUPOFISC FROM PARAMDFE WHERE CDFILIAL = :P_CDFILIAL",
                          {{"P_CDFILIAL", branch}});
    return group;
}

tax::ItemInput ReadItemInput(MethodContext& call, net::GetImpoItemArgs& a, const std::string& branch) {
    db::Database& db = call.Db();
    tax::ItemInput item;
    const Operation op = ReadOperation(db, a.operationType);
    item.operation = op.fiscal;

    bool productFound = false;
    db.ForEachRow("SELECT CDARVPROD, CDNCM FROM PRODUTO WHERE CDPRODUTO = :P_CDPRODUTO",
                  {{"P_CDPRODUTO", a.product}}, [&](const db::ResultRow& row) {
                      item.tree = Text(row, 0);
                      item.ncm = Text(row, 1);
                      productFound = true;
                  });
    if (!productFound) throw MethodRefusal("O produto " + a.product + " não está cadastrado.");

    bool branchFound = false;
    db.ForEachRow("SELECT SGESTADO FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL", {{"P_CDFILIAL", branch}},
                  [&](const db::ResultRow& row) {
                      item.destinationState = Text(row, 0);
                      branchFound = true;
                  });
    if (!branchFound) throw MethodRefusal("A filial " + branch + " não está cadastrada.");

    item.originState = a.participantState;
    if (item.originState.empty() && !a.supplier.empty())
        item.originState = FirstText(db,
                                     "SELECT SGESTADO FROM ENDEFORN WHERE CDFORNECED = :P_CDFORNECED"
                                     " AND IDTPENDEFORN = 'P'",
                                     {{"P_CDFORNECED", a.supplier}});
    if (item.originState.empty()) item.originState = item.destinationState;
    item.destinationIcms = ReadStateIcms(db, item.destinationState);
    if (item.originState != "EX") item.originIcms = ReadStateIcms(db, item.originState);
    if (!a.productOrigin.empty()) {
        if (a.productOrigin[0] < '0' || a.productOrigin[0] > '8')
            throw MethodRefusal("A origem do produto " + a.productOrigin + " não existe (0 a 8).");
        item.origin = a.productOrigin;
    }

    if (a.fiscalGroup.empty()) {
        a.fiscalGroup = DeriveGroup(db, a, branch, op.direction);
        call.SetArg(4, Variant(a.fiscalGroup));
    }
    item.operationGroup = a.fiscalGroup;

    const db::SqlParams branchParams = {{"P_CDFILIAL", branch}, {"P_CDGRUPOFISC", a.fiscalGroup}};
    db.ForEachRow(
        "SELECT G.CDIMPOSTO, G.CDGRUPOFISC, I.SGIMPOSTO, I.IDTRATIMPO FROM GRUPOIMPFILI G"
        " JOIN IMPOSTO I ON I.CDIMPOSTO = G.CDIMPOSTO WHERE G.CDFILIAL = :P_CDFILIAL ORDER BY G.CDIMPOSTO",
        branchParams, [&](const db::ResultRow& row) {
            item.taxes.push_back({Text(row, 0), Text(row, 1), Text(row, 2), Text(row, 3)});
        });
    db.ForEachRow("SELECT CDGRUPOFISC, CDIMPOSTO, CDNCM, CDARVPROD, IDABRANGENCIA, IDAPLICACAO, VRALIQIMPO,"
                  " VRPERREDBC, VRMVA, CDSITUTRIB, CDFISCIMPO FROM REGRAIMPOSTO"
                  " WHERE CDGRUPOFISC = :P_CDGRUPOFISC OR CDGRUPOFISC IN"
                  " (SELECT CDGRUPOFISC FROM GRUPOIMPFILI WHERE CDFILIAL = :P_CDFILIAL)",
                  branchParams, [&](const db::ResultRow& row) {
                      tax::Rule rule;
                      rule.group = Text(row, 0);
                      rule.tax = Text(row, 1);
                      rule.ncmPrefix = Text(row, 2);
                      rule.treeNode = Text(row, 3);
                      const std::string scope = Text(row, 4), application = Text(row, 5);
                      rule.scope = scope.empty() ? 'T' : scope[0];
                      rule.application = application.empty() ? 'M' : application[0];
                      if (!row.IsNull(6)) rule.rate = Scaled(row, 6, 4);
                      rule.baseReduction = Scaled(row, 7, 4);
                      rule.margin = Scaled(row, 8, 4);
                      rule.cst = Text(row, 9);
                      rule.fiscalCode = Text(row, 10);
                      item.rules.push_back(std::move(rule));
                  });

    item.value = Cents(a.itemTotal, "total do item") - Cents(a.discount, "desconto do item");
    return item;
}

// What an item added to the totals last time: by tax code, value and base in cents.
using Contribution = std::map<std::string, std::pair<int64_t, int64_t>>;

Contribution PreviousContribution(db::Database& db, const net::GetImpoItemArgs& a,
                                  const std::string& branch) {
    const db::SqlParams key = {
        {"P_CDFILIAL", branch}, {"P_CDCODTRAB", a.workCode}, {"P_NRSEQITPROD", a.itemSequence}};
    Contribution previous;
    auto read = [&](const db::ResultRow& row) {
        previous[Text(row, 0)] = {Scaled(row, 1, 2), Scaled(row, 2, 2)};
    };
    bool worked = false;
    // A work row of another posting (the form kept its work code) is not this item's.
    db.ForEachRow(
        "SELECT NRLANCTONF FROM IMPOTRABITEM WHERE CDFILIAL = :P_CDFILIAL AND CDCODTRAB = :P_CDCODTRAB"
        " AND NRSEQITPROD = :P_NRSEQITPROD",
        key, [&](const db::ResultRow& row) { worked = Text(row, 0) == a.postingNumber; });
    if (worked) {
        db.ForEachRow(
            "SELECT CDIMPOSTO, VRIMPOSTOIT, VRBASECALCIT FROM IMPOTRABVALOR WHERE CDFILIAL = :P_CDFILIAL"
            " AND CDCODTRAB = :P_CDCODTRAB AND NRSEQITPROD = :P_NRSEQITPROD",
            key, read);
    } else if (IsStoredPosting(a.postingNumber)) {
        db.ForEachRow(
            "SELECT CDIMPOSTO, VRIMPOSTOIT, VRBASECALCIT FROM ITEMPROIMPOS WHERE CDFILIAL = :P_CDFILIAL"
            " AND NRLANCTONF = :P_NRLANCTONF AND NRSEQITPROD = :P_NRSEQITPROD",
            {{"P_CDFILIAL", branch}, {"P_NRLANCTONF", a.postingNumber}, {"P_NRSEQITPROD", a.itemSequence}},
            read);
    }
    return previous;
}

void StoreContribution(MethodContext& call, const net::GetImpoItemArgs& a, const std::string& branch,
                       const std::vector<TaxRow>& rows) {
    db::Database& db = call.Db();
    const db::SqlParams key = {
        {"P_CDFILIAL", branch}, {"P_CDCODTRAB", a.workCode}, {"P_NRSEQITPROD", a.itemSequence}};
    db.Execute("DELETE FROM IMPOTRABVALOR WHERE CDFILIAL = :P_CDFILIAL AND CDCODTRAB = :P_CDCODTRAB"
               " AND NRSEQITPROD = :P_NRSEQITPROD",
               key);
    db.Execute("DELETE FROM IMPOTRABITEM WHERE CDFILIAL = :P_CDFILIAL AND CDCODTRAB = :P_CDCODTRAB"
               " AND NRSEQITPROD = :P_NRSEQITPROD",
               key);
    db::SqlParams item = key;
    item.emplace_back("P_NRLANCTONF", a.postingNumber);
    item.emplace_back("P_DTREGISTRO", call.Now());
    db.Execute("INSERT INTO IMPOTRABITEM (CDFILIAL, CDCODTRAB, NRSEQITPROD, NRLANCTONF, DTREGISTRO)"
               " VALUES (:P_CDFILIAL, :P_CDCODTRAB, :P_NRSEQITPROD, :P_NRLANCTONF, :P_DTREGISTRO)",
               item);
    for (const TaxRow& row : rows) {
        db::SqlParams values = key;
        values.emplace_back("P_CDIMPOSTO", row.tax);
        values.emplace_back("P_VRIMPOSTOIT", Money(row.value));
        values.emplace_back("P_VRBASECALCIT", Money(row.base));
        db.Execute("INSERT INTO IMPOTRABVALOR (CDFILIAL, CDCODTRAB, NRSEQITPROD, CDIMPOSTO, VRIMPOSTOIT, "
                   "VRBASECALCIT)"
                   " VALUES (:P_CDFILIAL, :P_CDCODTRAB, :P_NRSEQITPROD, :P_CDIMPOSTO, :P_VRIMPOSTOIT, "
                   ":P_VRBASECALCIT)",
                   values);
    }
}

Packet ItemRowsPacket(const net::GetImpoItemArgs& a, const std::vector<TaxRow>& rows) {
    Packet packet;
    packet.fields = ImpoItemAFLayout();
    for (const TaxRow& r : rows) {
        packet.rows.push_back(PacketRow{RowStatus::Unmodified,
                                        {Variant(a.product),
                                         TextOrNull(a.brand),
                                         Variant(r.tax),
                                         Variant(r.abbreviation),
                                         TextOrNull(r.treatment),
                                         Variant("N"),
                                         Rate(r.rate),
                                         Money(r.value),
                                         Money(r.accountingValue),
                                         Money(r.base),
                                         Money(0),
                                         Rate(r.baseReduction),
                                         Variant(r.fiscalCode),
                                         Variant(r.stFlag),
                                         TextOrNull(r.cst),
                                         Variant(r.cfop),
                                         Variant(r.cfopSuffix),
                                         TextOrNull(r.cstNfe),
                                         TextOrNull(r.baseModality),
                                         TextOrNull(r.stBaseModality),
                                         TextOrNull(r.creditType),
                                         TextOrNull(r.creditBasis),
                                         Rate(r.fcpRate)},
                                        {}});
    }
    return packet;
}

std::string PacketText(const PacketRow& row, int field) {
    if (field < 0) return {};
    const Variant& v = row.values[static_cast<size_t>(field)];
    return v.IsNull() ? std::string() : text::Trim(v.AsString());
}

int64_t PacketCents(const PacketRow& row, int field, const std::string& code) {
    if (field < 0) return 0;
    const Variant& v = row.values[static_cast<size_t>(field)];
    if (v.IsNull()) return 0;
    if (!v.IsNumeric()) throw MethodRefusal("O total do imposto " + code + " não é um número.");
    return Cents(v.AsFloat(), ("do total do imposto " + code).c_str());
}

// The client's totals with this item's previous contribution replaced by the new one; document-level taxes
// ("C") as sent: a tax the clerk totals for the whole document is not also summed from the items, which would
// give the document two totals of one tax. New item taxes are appended.
Packet Totals(const net::GetImpoItemArgs& a, const std::string& branch, const Contribution& previous,
              const std::vector<TaxRow>& rows) {
    Packet sent;
    if (a.documentTotals.IsPacket()) {
        try {
            sent = FromDataPacket(a.documentTotals.AsPacket());
        } catch (const PacketError& e) {
            throw MethodRefusal(std::string("O pacote dos totais de impostos é inválido: ") + e.what());
        }
    }
    const int code = sent.FieldIndex("CDIMPOSTOT");
    if (!sent.fields.empty() && code < 0)
        throw MethodRefusal("O pacote dos totais de impostos não tem o campo CDIMPOSTOT.");
    const PacketLayout& layout = TrabImposNFTotLayout();
    std::vector<int> from;
    for (const FieldDef& f : layout)
        from.push_back(sent.FieldIndex(f.name));
    const int value = sent.FieldIndex("VRIMPOSTOT"), base = sent.FieldIndex("VRBCALIMPTOT"),
              kind = sent.FieldIndex("IDPRODNOTA");

    std::map<std::string, const TaxRow*> fresh;
    for (const TaxRow& r : rows)
        fresh[r.tax] = &r;

    Packet out;
    out.fields = layout;
    std::set<std::string> seen;
    for (const PacketRow& row : sent.rows) {
        if (row.status == RowStatus::Deleted) continue;
        PacketRow copy{RowStatus::Unmodified, {}, {}};
        for (size_t i = 0; i < layout.size(); ++i)
            copy.values.push_back(from[i] < 0 ? Variant::Null() : row.values[static_cast<size_t>(from[i])]);
        const std::string tax = PacketText(row, code);
        if (!seen.insert(tax).second)
            throw MethodRefusal("Os totais de impostos trazem o imposto " + tax + " mais de uma vez.");
        if (PacketText(row, kind) != "C") {
            int64_t total = PacketCents(row, value, tax), totalBase = PacketCents(row, base, tax);
            if (auto it = previous.find(tax); it != previous.end()) {
                total -= it->second.first;
                totalBase -= it->second.second;
            }
            if (auto it = fresh.find(tax); it != fresh.end()) {
                total += it->second->value;
                totalBase += it->second->base;
            }
            copy.values[kTotalValue] = Money(total);
            copy.values[kTotalBase] = Money(totalBase);
        }
        out.rows.push_back(std::move(copy));
    }
    for (const TaxRow& r : rows) {
        if (seen.count(r.tax)) continue;
        out.rows.push_back(PacketRow{RowStatus::Unmodified,
                                     {Variant(r.abbreviation), Money(r.value), Variant(branch),
                                      TextOrNull(a.postingNumber), Variant(r.tax), Variant("0"), Variant("0"),
                                      TextOrNull(r.treatment), Money(r.base), Variant("P")},
                                     {}});
    }
    try {
        ValidatePacket(out);
    } catch (const PacketError& e) {
        throw MethodRefusal(std::string("Os totais de impostos não cabem no seu leiaute: ") + e.what());
    }
    return out;
}

Variant GetImpoItem(MethodContext& call) {
    net::GetImpoItemArgs a = FromCall<net::GetImpoItemArgs>(call);
    CheckArguments(call, a);
    const std::string branch = !a.branch.empty() ? a.branch : a.receivingBranch;
    if (branch.empty())
        throw MethodRefusal("A filial do item deve ser informada para gerar os seus impostos.");
    const std::string receiving = !a.receivingBranch.empty() ? a.receivingBranch : branch;

    const tax::ItemInput item = ReadItemInput(call, a, receiving);
    const std::vector<TaxRow> rows = tax::ComputeTaxes(item);
    const Contribution previous = PreviousContribution(call.Db(), a, branch);
    const Packet totals = Totals(a, branch, previous, rows);
    StoreContribution(call, a, branch, rows);

    return net::AnswerWriter(net::kGetImpoItemAnswer)
        .Set("cdsImpoItemAF", Variant(ToDataPacket(ItemRowsPacket(a, rows))))
        .Set("cdsImpoNFAF", Variant(ToDataPacket(totals)))
        // The client stops generating the following items when told "N"; it asked with its own flag.
        .Set("regenerate", a.regenerate == "N" ? "N" : "S")
        .Finish();
}

// ---------------------------------------------------------------------------------------------------------
// GetContAF

Variant GetContAF(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), ContAFLayout(),
                               "SELECT DISTINCT CDFILDEST, CDFILLANC, NRAUTOFORN FROM NFRELACAF"
                               " WHERE CDFILLANC = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                               " AND NVL(IDDELETE, 'N') <> 'S' ORDER BY CDFILDEST, CDFILLANC, NRAUTOFORN",
                               KeyParams(key)));
}

} // namespace

void RegisterTaxMethods(MethodRegistry& registry) {
    // Handing out a work code and keeping an item's taxes under it are writes: a repeated request is answered
    // from its record, so a code is never handed out twice and an item never counted twice.
    registry.Add(net::kLancNFEntrada, net::kGetProxCodProd, MethodKind::Write, GetProxCodProd);
    registry.Add(net::kLancNFEntrada, net::GetImpoItemArgs::kMethod, MethodKind::WorkWrite, GetImpoItem);
    registry.Add(net::kLancNFEntrada, net::kGetContAF, MethodKind::Read, GetContAF);
}

} // namespace dfe::appserver
