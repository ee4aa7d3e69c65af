#pragma once

#include <string>
#include <vector>

namespace dfe {

class Form;

// The layout faults of a form, one readable line each, in the order of its control tree: a visible control
// with no size, a visible control outside its parent's client area (bounds are relative to the parent), and
// two visible siblings that overlap. Each control is judged by its own Visible, so the pages a book does not
// show, and the controls on them, are checked as laid out. Pages fill their page control or notebook: they
// are never faults themselves, and their controls are checked against the book's size.
std::vector<std::string> LayoutFaults(const Form& form);

} // namespace dfe
