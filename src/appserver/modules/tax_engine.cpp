#include "appserver/modules/tax_engine.h"

#include "platform/core/decimal.h"

#include <algorithm>
#include <map>

namespace dfe::appserver::tax {
namespace {

using decimal::MulDivRound;

enum class Reach { Internal, Interstate, Abroad };

Reach ReachOf(const ItemInput& item) {
    if (item.originState == "EX") return Reach::Abroad;
    return item.originState == item.destinationState ? Reach::Internal : Reach::Interstate;
}

bool ImportedGoods(const std::string& origin) {
    return origin == "1" || origin == "2" || origin == "3" || origin == "8";
}

int64_t Percent(int64_t base, int64_t rate) {
    return MulDivRound(base, rate, kWhole);
}

bool Matches(const Rule& rule, const ItemInput& item, Reach reach) {
    if (!rule.ncmPrefix.empty() && item.ncm.compare(0, rule.ncmPrefix.size(), rule.ncmPrefix) != 0)
        return false;
    if (!rule.treeNode.empty() && item.tree != rule.treeNode &&
        item.tree.compare(0, rule.treeNode.size() + 1, rule.treeNode + ".") != 0)
        return false;
    if (rule.scope != 'T' && rule.scope != (reach == Reach::Internal ? 'I' : 'X')) return false;
    const char application = item.operation.services ? 'S' : 'M';
    return rule.application == 'T' || rule.application == application;
}

// The most specific rule of the group for the tax: longest NCM prefix and tree node, then a named scope and
// application over "both".
const Rule* BestRule(const ItemInput& item, const std::string& group, const std::string& tax, Reach reach) {
    const Rule* best = nullptr;
    auto weight = [](const Rule& r) {
        return (r.ncmPrefix.size() + r.treeNode.size()) * 4 + (r.scope != 'T' ? 2 : 0) +
               (r.application != 'T' ? 1 : 0);
    };
    for (const Rule& rule : item.rules) {
        if (rule.group != group || rule.tax != tax || !Matches(rule, item, reach)) continue;
        if (!best || weight(rule) > weight(*best)) best = &rule;
    }
    return best;
}

// The operation's fiscal group rules a tax when it has rules for it; otherwise the branch's group does.
const Rule* RuleFor(const ItemInput& item, const BranchTax& tax, Reach reach) {
    if (!item.operationGroup.empty() && std::any_of(item.rules.begin(), item.rules.end(), [&](const Rule& r) {
            return r.group == item.operationGroup && r.tax == tax.tax;
        }))
        return BestRule(item, item.operationGroup, tax.tax, reach);
    return BestRule(item, tax.group, tax.tax, reach);
}

TaxRow StartRow(const BranchTax& tax, const Rule& rule) {
    TaxRow row;
    row.tax = tax.tax;
    row.abbreviation = tax.abbreviation;
    row.treatment = tax.treatment;
    row.fiscalCode = rule.fiscalCode.empty() ? "1" : rule.fiscalCode;
    return row;
}

void SetCst(TaxRow& row, const std::string& firstDigit, const std::string& cst) {
    row.cstNfe = cst;
    row.cst = cst.empty() ? "" : firstDigit + cst;
}

} // namespace

int64_t InterstateRate(const ItemInput& item) {
    if (ImportedGoods(item.origin)) return 4 * kPercent;
    if (item.originIcms.southSoutheast && !item.destinationIcms.southSoutheast) return 7 * kPercent;
    return 12 * kPercent;
}

int64_t AdjustedMargin(int64_t margin, int64_t interstateRate, int64_t internalRate) {
    if (internalRate >= kWhole) return margin;
    return MulDivRound(kWhole + margin, kWhole - interstateRate, kWhole - internalRate) - kWhole;
}

std::vector<TaxRow> ComputeTaxes(const ItemInput& item) {
    const Reach reach = ReachOf(item);
    const bool consumption = item.operation.useOrConsumption;
    const std::string originDigit = item.origin.empty() ? "0" : item.origin.substr(0, 1);

    std::map<std::string, std::pair<const BranchTax*, const Rule*>> applicable; // by tax code: ordered
    for (const BranchTax& tax : item.taxes) {
        if (const Rule* rule = RuleFor(item, tax, reach)) applicable[tax.tax] = {&tax, rule};
    }
    auto find = [&](const char* code) -> std::pair<const BranchTax*, const Rule*> {
        const auto it = applicable.find(code);
        return it == applicable.end() ? std::pair<const BranchTax*, const Rule*>{nullptr, nullptr}
                                      : it->second;
    };

    std::map<std::string, TaxRow> rows;

    // IPI first: it enters the ICMS base of goods for use or consumption and always the ST base.
    int64_t ipi = 0;
    if (auto [tax, rule] = find(kIpi); rule) {
        TaxRow row = StartRow(*tax, *rule);
        row.rate = rule->rate.value_or(0);
        row.base = item.value;
        row.value = ipi = Percent(row.base, row.rate);
        SetCst(row, "0", consumption ? "49" : (rule->cst.empty() ? "00" : rule->cst));
        if (consumption) row.fiscalCode = "3";
        rows[kIpi] = row;
    }

    const auto [stTax, stRule] = find(kIcmsSt);
    std::string icmsCst;
    int64_t icms = 0;
    int64_t icmsRate = 0;
    int64_t icmsBase = item.value + (consumption ? ipi : 0);
    if (auto [tax, rule] = find(kIcms); rule) {
        TaxRow row = StartRow(*tax, *rule);
        icmsRate = reach == Reach::Interstate ? InterstateRate(item)
                                              : rule->rate.value_or(item.destinationIcms.internalRate);
        row.baseReduction = rule->baseReduction;
        icmsBase -= Percent(icmsBase, rule->baseReduction);
        row.rate = icmsRate;
        row.base = icmsBase;
        row.value = icms = Percent(icmsBase, icmsRate);
        icmsCst = !rule->cst.empty()        ? rule->cst
                  : stRule                  ? "10"
                  : rule->baseReduction > 0 ? "20"
                  : icmsRate == 0           ? "40"
                                            : "00";
        SetCst(row, originDigit, icmsCst);
        row.baseModality = "3";
        if (consumption) row.fiscalCode = "3";
        rows[kIcms] = row;
    }

    if (auto [tax, rule] = find(kFcp); rule) {
        const int64_t rate = rule->rate.value_or(item.destinationIcms.fcpRate);
        if (rate > 0) {
            TaxRow row = StartRow(*tax, *rule);
            row.rate = rate;
            row.base = icmsBase;
            row.value = Percent(icmsBase, rate);
            SetCst(row, originDigit, icmsCst.empty() ? rule->cst : icmsCst);
            rows[kFcp] = row;
            if (rows.count(kIcms)) rows[kIcms].fcpRate = rate;
        }
    }

    bool stApplied = false;
    if (stRule) {
        TaxRow row = StartRow(*stTax, *stRule);
        const int64_t internal = stRule->rate.value_or(item.destinationIcms.internalRate);
        const int64_t margin = reach == Reach::Interstate && icmsRate < internal
                                   ? AdjustedMargin(stRule->margin, icmsRate, internal)
                                   : stRule->margin;
        const int64_t grossed = item.value + ipi;
        row.rate = internal;
        row.base = grossed + Percent(grossed, margin);
        row.value = std::max<int64_t>(0, Percent(row.base, internal) - icms);
        SetCst(row, originDigit, icmsCst.empty() ? (stRule->cst.empty() ? "10" : stRule->cst) : icmsCst);
        row.stFlag = "S";
        row.stBaseModality = "4";
        rows[kIcmsSt] = row;
        stApplied = true;
    }

    for (const auto& [code, taxRule] : applicable) {
        if (rows.count(code) || code == kIpi || code == kIcms || code == kFcp || code == kIcmsSt) continue;
        const auto [tax, rule] = taxRule;
        TaxRow row = StartRow(*tax, *rule);
        row.rate = rule->rate.value_or(0);
        row.base = item.value;
        row.value = Percent(row.base, row.rate);
        if (code == "03" || code == "04") { // PIS and COFINS: no credit on what the company consumes
            SetCst(row, "0", consumption ? "70" : (rule->cst.empty() ? "50" : rule->cst));
            if (consumption) row.fiscalCode = "3";
            row.creditType = "101";
            row.creditBasis = item.operation.services ? "03" : "01";
        } else {
            SetCst(row, "0", rule->cst);
        }
        rows[code] = row;
    }

    const char prefix = reach == Reach::Internal ? '1' : reach == Reach::Interstate ? '2' : '3';
    const std::string& base =
        stApplied && !item.operation.cfopBaseSt.empty() ? item.operation.cfopBaseSt : item.operation.cfopBase;
    const int64_t accounting = item.value + ipi + (stApplied ? rows[kIcmsSt].value : 0);
    std::vector<TaxRow> result;
    result.reserve(rows.size());
    for (auto& [code, row] : rows) {
        row.cfop = prefix + base;
        row.cfopSuffix = item.operation.cfopSuffix;
        row.accountingValue = accounting;
        result.push_back(std::move(row));
    }
    return result;
}

} // namespace dfe::appserver::tax
