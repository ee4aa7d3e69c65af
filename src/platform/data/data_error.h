#pragma once

#include <stdexcept>

namespace dfe {

// A dataset operation refused: wrong state, unknown field, a value that does not fit, a malformed filter.
// The message names the dataset or field and says why, in the clerk's language.
class DataSetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dfe
