#include "support/lib00201.h"

#include <gtest/gtest.h>

namespace dfe::support::lib00201 {
namespace {

// The screens pass the key edit's text as it reads: digits only, or whatever else reached it.
TEST(Lib00201, VerificaDigitoVerificadorNFeAcceptsOnlyAWholeValidKey) {
    struct Case {
        const char* key;
        bool valid;
    };
    const Case cases[] = {
        {"35180834128745000152550010000474281920007498", true},
        {"26180875335849000115550010000016871192213331", true},
        {"35180834128745000152550010000474281920007497", false},
        {"3518083412874500015255001000047428192000749", false},
        {"351808341287450001525500100004742819200074980", false},
        {"3518.0834.1287.4500.0152.5500.1000.0474.2819.2000.7498", false},
        {"                                            ", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Verifica_DigitoVerificadorNFe(c.key), c.valid) << "'" << c.key << "'";
}

} // namespace
} // namespace dfe::support::lib00201
