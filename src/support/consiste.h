#pragma once

// The support library's validation and formatting helpers that the rules call by these names.

#include "platform/core/date_time.h"

namespace dfe {
class Field;
}

#include <string>
#include <string_view>

namespace dfe::support {

// Pads a typed code on the left with zeros to its width ("7", 4 → "0007"). Blank text stays blank, so an
// empty field is still seen as empty; text already at or over the width is returned trimmed, unchanged.
std::string Ajusta(std::string_view code, int width);

// A registration number as stored: the mask's literals and blanks removed, letters upper-cased
// ("12.abc.345/01de-35" → "12ABC34501DE35").
std::string Ajusta_Inscricao(std::string_view number);

// The edit mask of a registration number by person type: "F" CPF, "J" CNPJ (letters allowed in the first
// twelve characters); any other type gets no mask.
std::string PictPess(std::string_view personType);
// A stored value shown through an edit mask ("12ABC34501DE35" with the company mask: "12.ABC.345/01DE-35");
// no mask or no value shows the value itself.
std::string FormatMaskText(const std::string& mask, const std::string& value);

double RoundDec(double value, int digits);
DateTime PriDiaMes(DateTime date);

bool CPFOk(std::string_view cpf);  // accepts the number with or without its mask
bool CGCOk(std::string_view cnpj); // idem, numeric or alphanumeric

// Left-pads with the given character (blank by default) to the width, counting characters.
std::string PadL(std::string_view text, int width, char fill = ' ');

// True for text without a value: empty or only blanks.
bool EmptyString(std::string_view text);

// A date field's text handler: text typed through the date mask. A mask left blank ("  /  /    ") clears the
// field; a real date ("dd/mm/yyyy" or "dd/mm/yy") is stored; anything else is refused with "Data inválida."
// and the operation abandoned, the field keeping its value.
void DateSetText(Field& field, std::string_view text);

} // namespace dfe::support
