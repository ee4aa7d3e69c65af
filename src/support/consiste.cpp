#include "support/consiste.h"

#include "platform/ui/edit_mask.h"

#include "platform/core/decimal.h"
#include "platform/core/tax_id.h"
#include "platform/core/text.h"
#include "platform/data/field.h"
#include "support/show_msg.h"

namespace dfe::support {

std::string Ajusta(std::string_view code, int width) {
    const std::string trimmed = text::Trim(code);
    if (trimmed.empty() || width <= 0) return trimmed;
    return text::PadLeft(trimmed, static_cast<size_t>(width), '0');
}

std::string Ajusta_Inscricao(std::string_view number) {
    std::string out;
    for (char c : text::Upper(number)) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) out += c;
    }
    return out;
}

std::string PictPess(std::string_view personType) {
    if (personType == "F") return "999.999.999-99;0; ";
    if (personType == "J") return ">AA.AAA.AAA/AAAA-99;0; ";
    return "";
}

std::string FormatMaskText(const std::string& mask, const std::string& value) {
    if (mask.empty() || value.empty()) return value;
    const EditMask editMask(mask);
    return text::Encode(editMask.Display(editMask.InputsFromValue(text::Decode(value))));
}

double RoundDec(double value, int digits) {
    return decimal::Round(value, digits);
}

DateTime PriDiaMes(DateTime date) {
    if (date.IsEmpty()) return date;
    const CivilDate d = date.Date();
    return DateTime::FromDate(d.year, d.month, 1);
}

bool CPFOk(std::string_view cpf) {
    return taxid::IsValidCpf(Ajusta_Inscricao(cpf));
}

bool CGCOk(std::string_view cnpj) {
    // Lower-case letters typed without the mask count as their capitals.
    return taxid::IsValidCnpj(Ajusta_Inscricao(cnpj));
}

std::string PadL(std::string_view value, int width, char fill) {
    return width <= 0 ? std::string(value) : text::PadLeft(value, static_cast<size_t>(width), fill);
}

bool EmptyString(std::string_view value) {
    return text::Trim(value).empty();
}

void DateSetText(Field& field, std::string_view value) {
    std::string digits;
    for (char c : value) {
        if (c != '/' && c != ' ' && c != '_') digits += c;
    }
    if (digits.empty()) {
        field.Clear();
        return;
    }
    const auto date = DateTime::Parse(text::Trim(value));
    if (!date) MensErro("Data inválida.", true);
    field.SetAsDateTime(*date);
}

} // namespace dfe::support
