#pragma once

// The arithmetic of an item's taxes, apart from the tables it is read from so it can be worked by hand in
// tests. Amounts are integer cents and rates integer ten-thousandths of a percent (18% is 180000), so no
// binary floating point stands between the rules and a stored cent. Every tax value, base and margin is
// rounded half away from zero to the cent once, where it is computed (`decimal::MulDivRound`).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dfe::appserver::tax {

inline constexpr int64_t kPercent = 10000;        // one percent in rate units
inline constexpr int64_t kWhole = 100 * kPercent; // 100%

// Tax codes the arithmetic knows by meaning; any other tax is a plain rate on the item's value.
inline constexpr const char* kIcms = "01";
inline constexpr const char* kIpi = "02";
inline constexpr const char* kIcmsSt = "05";
inline constexpr const char* kFcp = "09";

// One row of REGRAIMPOSTO.
struct Rule {
    std::string group;
    std::string tax;
    std::string ncmPrefix;  // '' every product
    std::string treeNode;   // '' every product; else the node or any product under it
    char scope = 'T';       // 'I' internal, 'X' interstate and import, 'T' both
    char application = 'M'; // 'M' goods, 'S' services, 'T' both
    std::optional<int64_t> rate;
    int64_t baseReduction = 0;
    int64_t margin = 0; // MVA
    std::string cst;    // without the origin digit; empty: derived
    std::string fiscalCode = "1";
};

// A state's ICMS (ICMSESTADO).
struct StateIcms {
    int64_t internalRate = 0;
    int64_t fcpRate = 0;
    bool southSoutheast = false;
};

// A tax the receiving branch bears (GRUPOIMPFILI with IMPOSTO).
struct BranchTax {
    std::string tax;
    std::string group;
    std::string abbreviation;
    std::string treatment; // 'R' retained
};

// The fiscal side of the operation type (TPOPERFISC); a type without one posts 949.
struct OperationFiscal {
    std::string cfopBase = "949";
    std::string cfopBaseSt;
    std::string cfopSuffix = "001";
    bool useOrConsumption = false;
    bool services = false;
};

struct ItemInput {
    int64_t value = 0;        // item total less its discount, in cents
    std::string ncm;          // the product's NCM ('' none)
    std::string tree;         // the product's tree code
    std::string origin = "0"; // IDORIGEMPROD: 1, 2, 3 and 8 are imported goods
    std::string originState;  // the participant's state; "EX" abroad
    std::string destinationState;
    StateIcms originIcms;
    StateIcms destinationIcms;
    OperationFiscal operation;
    std::string operationGroup; // the fiscal group of the operation (argument 5)
    std::vector<BranchTax> taxes;
    std::vector<Rule> rules; // of every group the taxes name
};

// One computed tax of the item, in the answer's terms.
struct TaxRow {
    std::string tax;
    std::string abbreviation;
    std::string treatment;
    int64_t rate = 0;
    int64_t value = 0;           // cents
    int64_t base = 0;            // cents
    int64_t accountingValue = 0; // cents
    int64_t baseReduction = 0;
    std::string fiscalCode;
    std::string cst;    // 3 characters: origin digit and CST for ICMS, "0" and CST for the others
    std::string cstNfe; // 2 characters
    std::string cfop;
    std::string cfopSuffix;
    std::string stFlag = "N";   // IDTRIMPSTII
    std::string baseModality;   // IDMODBCITNFE
    std::string stBaseModality; // IDMODBCSTITNFE
    std::string creditType;     // CDTPCREDPICOITE
    std::string creditBasis;    // CDNATUBCALPCIT
    int64_t fcpRate = 0;        // VRADICALIQFECP on the ICMS row
};

// The tax rows of the item, in tax code order: the taxes of the branch that a rule matches.
std::vector<TaxRow> ComputeTaxes(const ItemInput& item);

// Interstate ICMS rate between two states for goods of that origin (Senate resolutions 22/1989, 13/2012).
int64_t InterstateRate(const ItemInput& item);

// MVA adjusted for an interstate purchase, so the ST pays the destination's rate on the margin and not the
// difference of the rates: ((1 + MVA) * (1 - interstate) / (1 - internal)) - 1.
int64_t AdjustedMargin(int64_t margin, int64_t interstateRate, int64_t internalRate);

} // namespace dfe::appserver::tax
