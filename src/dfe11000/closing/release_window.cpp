#include "dfe11000/closing/release_window.h"

namespace dfe::dfe11000 {

bool ReleaseNeeded(const EntryDateParams& p, DateTime processing, DateTime entry) {
    const double pd = static_cast<double>(processing.WholeDays());
    const double d = entry.Days();
    auto days = [](std::optional<int64_t> count) { return static_cast<double>(count.value_or(0)); };
    if ((p.idLancDtMenFil == "S" && d < pd - days(p.nrDiasEntrFil)) ||
        (p.idLancDtMaiFil == "S" && d > pd + days(p.nrDiasEntrPdFil)))
        return true;
    // A general count left null borrows the branch's when its flag asks for the window.
    std::optional<int64_t> back = p.nrDiasEntr;
    if (!back && p.idLancDtMen == "S") back = p.nrDiasEntrFil;
    std::optional<int64_t> ahead = p.nrDiasEntrPd;
    if (!ahead && p.idLancDtMai == "S") ahead = p.nrDiasEntrPdFil;
    return (p.idLancDtMen == "S" && d < pd - days(back)) || (p.idLancDtMai == "S" && d > pd + days(ahead));
}

} // namespace dfe::dfe11000
