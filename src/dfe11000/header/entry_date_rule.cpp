#include "dfe11000/header/entry_date_rule.h"

#include "platform/data/dataset.h"

namespace dfe::dfe11000 {
namespace {

std::string Flag(const DataSet& ds, const char* name) {
    const Field* field = ds.FindField(name);
    return field ? field->AsString() : std::string();
}

} // namespace

std::optional<int64_t> IntegerOrNull(const DataSet& ds, const char* name) {
    if (!ds.Active() || ds.IsEmpty()) return std::nullopt;
    const Field* field = ds.FindField(name);
    if (!field || field->IsNull()) return std::nullopt;
    return field->AsInteger();
}

EntryDateParams EntryDateParamsOf(const DataSet& paramDFE) {
    EntryDateParams p;
    if (!paramDFE.Active() || paramDFE.IsEmpty()) return p;
    p.idLancDtMen = Flag(paramDFE, "IDLANCDTMEN");
    p.idLancDtMenFil = Flag(paramDFE, "IDLANCDTMENFIL");
    p.idLancDtMai = Flag(paramDFE, "IDLANCDTMAI");
    p.idLancDtMaiFil = Flag(paramDFE, "IDLANCDTMAIFIL");
    p.nrDiasEntr = IntegerOrNull(paramDFE, "NRDIASENTR");
    p.nrDiasEntrFil = IntegerOrNull(paramDFE, "NRDIASENTRFIL");
    p.nrDiasEntrPd = IntegerOrNull(paramDFE, "NRDIASENTRPD");
    p.nrDiasEntrPdFil = IntegerOrNull(paramDFE, "NRDIASENTRPDFIL");
    return p;
}

const char* EntryDateRefusal(const EntryDateParams& p, DateTime processing, DateTime entry, bool released) {
    const int64_t pd = processing.WholeDays();
    const int64_t d = entry.WholeDays();
    if (p.idLancDtMaiFil == "N" && p.idLancDtMai == "N" && d > pd) return "Data_Mai";
    if (p.idLancDtMenFil == "N" && p.idLancDtMen == "N" && d < pd) return "Data_Men";
    if (released) return nullptr;
    // The branch's window, when it applies, decides alone.
    if (p.idLancDtMenFil == "S" && d < pd) {
        if (d < pd - p.nrDiasEntrFil.value_or(0)) return "Data_M";
    } else if (p.idLancDtMen == "S" && d < pd && d < pd - p.nrDiasEntr.value_or(0)) {
        return "Data_M";
    }
    if (p.idLancDtMaiFil == "S" && d > pd) {
        if (d > pd + p.nrDiasEntrPdFil.value_or(0)) return "Data_M";
    } else if (p.idLancDtMai == "S" && d > pd && d > pd + p.nrDiasEntrPd.value_or(0)) {
        return "Data_M";
    }
    return nullptr;
}

IssueDateVerdict IssueDateCheck(DateTime issue, DateTime entry, std::optional<int64_t> blockDays,
                                std::optional<int64_t> warnDays) {
    const int64_t e = issue.WholeDays();
    const int64_t d = entry.WholeDays();
    if (blockDays.value_or(0) != 0 && e < d - *blockDays) return IssueDateVerdict::Blocked;
    if (warnDays.value_or(0) != 0 && e < d - *warnDays) return IssueDateVerdict::Questioned;
    return IssueDateVerdict::Accepted;
}

} // namespace dfe::dfe11000
