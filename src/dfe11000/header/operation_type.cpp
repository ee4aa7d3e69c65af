// The operation type: its attributes (TipoOper) and the lookup of the types the branch may use.
#include "dfe11000/header/operation_type.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/data/handler_guard.h"
#include "support/consiste.h"

#include <array>

namespace dfe::dfe11000 {
namespace {

// The columns behind each element, in element order; 11 and 12 read the same column.
constexpr std::array<const char*, OperationType::kElements> kTipoOperColumns = {
    "IDOPERDEVONF",     "IDUTLLISTORI",     "IDNFORIGOBRI",     "DSOPERNFORIG",      "IDDCORIGRELAC",
    "IDATUESTTPOP",     "IDINFCPFCNPJNF",   "IDNFPRESTSERV",    "IDNFESTCANC",       "IDNFAJUSTE",
    "IDOBINFCSTICMENT", "IDOBINFCSTCFOPEN", "IDOBINFCSTCFOPEN", "IDTIPOOPERELE",     "IDNFRETIND",
    "IDOPTRIANGULAR",   "IDORIGDESTOP",     "IDENTRTERCEIRO",   "IDUTLOCPRESTSERV",  "IDCMPVNDBONI",
    "CDTIPOOPERBONIF",  "IDBLOQPRESTTPOP",  "IDNFIMPORTACAO",   "IDNFIMPORTACAOIND", "IDSUGQTDTOTDEV",
    "IDNOTADEVO"};

// What an empty column stands for.
const char* DefaultOf(size_t element) {
    if (element == 16) return "F";
    if (element >= 20 && element <= 23) return "N";
    return "";
}

constexpr std::array<std::string OperationType::*, OperationType::kElements> kMembers = {
    &OperationType::IDOPERDEVONF,       &OperationType::IDUTLLISTORI,     &OperationType::IDNFORIGOBRI,
    &OperationType::DSOPERNFORIG,       &OperationType::IDDCORIGRELAC,    &OperationType::IDATUESTTPOP,
    &OperationType::IDINFCPFCNPJNF,     &OperationType::IDNFPRESTSERV,    &OperationType::IDNFESTCANC,
    &OperationType::IDNFAJUSTE,         &OperationType::IDOBINFCSTICMENT, &OperationType::IDOBINFCSTCFOPEN,
    &OperationType::IDOBINFCSTCFOPEN12, &OperationType::IDTIPOOPERELE,    &OperationType::IDNFRETIND,
    &OperationType::IDOPTRIANGULAR,     &OperationType::IDORIGDESTOP,     &OperationType::IDENTRTERCEIRO,
    &OperationType::IDUTLOCPRESTSERV,   &OperationType::IDCMPVNDBONI,     &OperationType::CDTIPOOPERBONIF,
    &OperationType::IDBLOQPRESTTPOP,    &OperationType::IDNFIMPORTACAO,   &OperationType::IDNFIMPORTACAOIND,
    &OperationType::IDSUGQTDTOTDEV,     &OperationType::IDNOTADEVO};

} // namespace

const std::array<const char*, OperationType::kElements>& OperationType::Columns() {
    return kTipoOperColumns;
}

const std::string& OperationType::Element(size_t element) const {
    static const std::string none;
    return element < kElements ? this->*kMembers[element] : none;
}

std::string& OperationType::Element(size_t element) {
    static std::string none;
    none.clear();
    return element < kElements ? this->*kMembers[element] : none;
}

std::string HeaderRules::TypedOrCurrentType() const {
    // The typed code is padded as every other rule pads it, so "1" reads type "01".
    const std::string typed = ui_.dbeCdTipoOper->Text();
    return support::Ajusta(support::EmptyString(typed) ? stTipoOperAtual : typed, 2);
}

OperationType HeaderRules::TipoOper() {
    db::TADOIBQuery& query = lookups_.qryTpOper;
    const std::string code = TypedOrCurrentType();
    if (operationType_ && query.Active() && query.ParamByName("P_CDTIPOOPER").AsString() == code)
        return *operationType_;
    query.Close();
    query.ParamByName("P_CDTIPOOPER") = Variant(code);
    query.Open();
    OperationType type;
    for (size_t i = 0; i < OperationType::kElements; ++i) {
        std::string value = FieldText(query, kTipoOperColumns[i]);
        type.Element(i) = value.empty() ? DefaultOf(i) : std::move(value);
    }
    operationType_ = type;
    return type;
}

void HeaderRules::ForgetOperationType() {
    operationType_.reset();
    lookups_.qryTpOper.Close();
}

void HeaderRules::qryTipoOperacBeforeOpen() {
    lookups_.qryTipoOperac.ParamByName("P_CDTIPOOPER") =
        Cli_dfe11000().stTodos == "N" ? Variant(TypedOrCurrentType()) : Variant::Null();
    lookups_.qryTipoOperac.ParamByName("P_CDFILIAL") = Variant(ui_.medCdFilial->Text());
    const std::string block = FieldText(data_.cdsParamDFE, "IDUTBLOQOPAF");
    lookups_.qryTipoOperac.ParamByName("P_IDUTBLOQOPAF") = Variant(block.empty() ? std::string("N") : block);
}

void HeaderRules::ReopenTipoOperacForCurrent() {
    lookups_.qryTipoOperac.Close();
    lookups_.qryTipoOperac.ParamByName("P_CDTIPOOPER") = Variant(support::Ajusta(stTipoOperAtual, 2));
    lookups_.qryTipoOperac.ParamByName("P_CDFILIAL") = Variant(ui_.medCdFilial->Text());
    const std::string block = FieldText(data_.cdsParamDFE, "IDUTBLOQOPAF");
    lookups_.qryTipoOperac.ParamByName("P_IDUTBLOQOPAF") = Variant(block.empty() ? std::string("N") : block);
    {
        // The code is the current type's, whatever is typed or searched.
        const DetachedHandler quiet(lookups_.qryTipoOperac.BeforeOpen);
        lookups_.qryTipoOperac.Open();
    }
    stIdUtilEmisNF = FieldText(lookups_.qryTipoOperac, "IDUTILEMISNF");
}

void HeaderRules::ReopenTipoOperac() {
    lookups_.qryTipoOperac.Close();
    lookups_.qryTipoOperac.Open();
    if (Cli_dfe11000().stTodos == "N") stIdUtilEmisNF = FieldText(lookups_.qryTipoOperac, "IDUTILEMISNF");
}

} // namespace dfe::dfe11000
