// The company's state registration in force on a date: its first and last days count, an open end never
// ends, and a registration the company does not hold is never in force.
#include "module_fixture.h"

#include "support/inscricao_vigencia.h"

namespace dfe::dfe11000::testing {
namespace {

using RegistrationValidity = ModuleTest;

TEST_F(RegistrationValidity, TheValidityDaysCountAndAnOpenEndNeverEnds) {
    lookups_->Execute("UPDATE INSCESTADUAL SET DTINIVIGENCIA = '2026-01-01', DTFIMVIGENCIA = '2026-12-10'"
                      " WHERE CDEMPRESA = '01' AND CDINSCESTA = '110042490114'");
    struct Case {
        const char* registration;
        DateTime date;
        bool inForce;
    };
    const Case cases[] = {
        {"110042490114", DateTime::FromDate(2025, 12, 31), false},
        {"110042490114", DateTime::FromDate(2026, 1, 1), true},
        {"110042490114", DateTime::FromDateTime(2026, 12, 10, 18, 0, 0, 0), true},
        {"110042490114", DateTime::FromDate(2026, 12, 11), false},
        {"999999999999", DateTime::FromDate(2026, 6, 1), false}, // not the company's
        {"", DateTime::FromDate(2026, 6, 1), true},              // nothing to check
    };
    for (const Case& c : cases)
        EXPECT_EQ(support::Verifica_Vigencia_Insc(c.registration, "01", c.date), c.inForce)
            << c.registration << " " << c.date.Format("dd/mm/yyyy hh:nn");
    lookups_->Execute("UPDATE INSCESTADUAL SET DTFIMVIGENCIA = NULL WHERE CDINSCESTA = '110042490114'");
    EXPECT_TRUE(support::Verifica_Vigencia_Insc("110042490114", "01", DateTime::FromDate(2040, 1, 1)));
}

} // namespace
} // namespace dfe::dfe11000::testing
