#pragma once

#include <stdexcept>

namespace dfe {

// A misuse of the toolkit by a rule: focusing a hidden control, a page of another page control.
// Event dispatch shows it like any other error.
class UiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A test script went somewhere it did not expect (an unanswered question, a failed expectation).
// Event dispatch never swallows it, so that it reaches the test instead of a dialog.
class ScriptFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

} // namespace dfe
