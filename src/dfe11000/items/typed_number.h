#pragma once

namespace dfe {
class Field;
}

namespace dfe::dfe11000 {

// Typed values keep the decimals of their display; a blank cell stays empty (null), which the checks tell
// apart from zero.
void RoundTypedNumber(Field& field, int digits);

} // namespace dfe::dfe11000
