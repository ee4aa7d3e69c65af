#include "dfe11000/items/typed_number.h"

#include "platform/core/decimal.h"
#include "platform/data/field.h"

#include <optional>
#include <string_view>

namespace dfe::dfe11000 {

void RoundTypedNumber(Field& field, int digits) {
    field.OnSetText = [digits](Field& f, std::string_view text) {
        const std::optional<double> value = decimal::Parse(text);
        if (!value) {
            f.SetAsString(text); // blank clears; anything else is refused by the field with its reason
            return;
        }
        f.SetAsFloat(decimal::Round(*value, digits));
    };
}

} // namespace dfe::dfe11000
