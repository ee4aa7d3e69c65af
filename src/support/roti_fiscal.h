#pragma once

// The fiscal routines' data module: its message table turns the four-character codes the server writes into
// the texts the clerk reads. A looked-up text starts with its own code.

#include "support/messages.h"

#include <string>
#include <string_view>

namespace dfe::support {

class TdtmRotiFiscal {
public:
    TdtmRotiFiscal();

    // The code followed by its text; empty for a code the table does not hold.
    std::string Msg(std::string_view code) const;
    // What a stored value shows: a code's text without the code, at most 200 characters, completed with the
    // tax abbreviation where it has a place for it; anything else unchanged.
    std::string DisplayText(std::string_view stored, std::string_view tax) const;

private:
    TMessages messages_;
};

} // namespace dfe::support
