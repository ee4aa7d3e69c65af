#include "support/lib02800.h"

#include <gtest/gtest.h>

namespace dfe::support::lib02800 {
namespace {

// Published examples of both kinds of slip, and the same codes with one digit changed.
TEST(Lib02800, BarCodesAreCheckedByTheirDigitsAndGiveTheirTypeableLine) {
    struct Case {
        const char* code;
        bool valid;
        const char* line;
    };
    const Case cases[] = {
        // A bank slip: bank 001, currency 9, general digit 3, due factor 3737, value 1.00.
        {"00193373700000001000500940144816060680935031", true,
         "00190.50095 40144.816069 06809.350314 3 37370000000100"},
        // A collection slip (third digit 6: every digit modulo 10).
        {"84670000001435900240200240500024384221010811", true,
         "84670000001-7 43590024020-9 02405000243-5 84221010811-9"},
        {"00194373700000001000500940144816060680935031", false, ""}, // general digit
        {"00193373700000001000500940144816060680935032", false, ""}, // a digit of the free field
        {"84680000001435900240200240500024384221010811", false, ""}, // general digit
        {"84570000001435900240200240500024384221010811", false, ""}, // value kind 5 does not exist
        {"0019337370000000100050094014481606068093503", false, ""},  // 43 digits
        {"00190.50095 40144.816069 06809.350314 3 3737", false, ""}, // the typeable line is not the code
        {"", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BarCodeFault(c.code).empty(), c.valid) << c.code;
        EXPECT_EQ(TransformaBarraLinhaDigi(c.code), c.line) << c.code;
    }
}

} // namespace
} // namespace dfe::support::lib02800
