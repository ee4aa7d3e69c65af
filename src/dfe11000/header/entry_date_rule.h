#pragma once

// The dates of a document against the branch's processing date: the entry-date window with the branch's
// parameters over the general ones, and the issue-date limits before the entry date. Pure, so that the
// boundary days can be tested by table.

#include "platform/core/date_time.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dfe {
class DataSet;
}

namespace dfe::dfe11000 {

// The entry-date parameters of the branch's document parameters (cdsParamDFE), the day counts as stored:
// a null count stays null, since the release window falls back on the branch's count for it.
struct EntryDateParams {
    std::string idLancDtMen;    // IDLANCDTMEN: earlier dates are allowed within NRDIASENTR days
    std::string idLancDtMenFil; // IDLANCDTMENFIL, the branch's
    std::string idLancDtMai;    // IDLANCDTMAI: later dates are allowed within NRDIASENTRPD days
    std::string idLancDtMaiFil; // IDLANCDTMAIFIL, the branch's
    std::optional<int64_t> nrDiasEntr;
    std::optional<int64_t> nrDiasEntrFil;
    std::optional<int64_t> nrDiasEntrPd;
    std::optional<int64_t> nrDiasEntrPdFil;
};

// Without parameters loaded every flag is empty and every count null.
EntryDateParams EntryDateParamsOf(const DataSet& paramDFE);

// The message code refusing an entry date against the processing date, or nullptr. Both count in whole
// days. A granted release suspends the day counts but not the "not after"/"not before" flags.
const char* EntryDateRefusal(const EntryDateParams& params, DateTime processing, DateTime entry,
                             bool released);

enum class IssueDateVerdict { Accepted, Blocked, Questioned };

// An issue date more than `blockDays` before the entry date is refused, more than `warnDays` questioned;
// a null or zero count does not apply.
IssueDateVerdict IssueDateCheck(DateTime issue, DateTime entry, std::optional<int64_t> blockDays,
                                std::optional<int64_t> warnDays);

// An integer parameter of a parameters' row as stored: null when the field is null or missing.
std::optional<int64_t> IntegerOrNull(const DataSet& ds, const char* name);

} // namespace dfe::dfe11000
