#pragma once

// What each coded row of a closing answer becomes for the clerk: a row of the visible error list (where it
// points and what it says), a stop with its message, or nothing of its own; and what the row asks after
// that. Plain values in, plain values out, so the whole table is checked without a server or a screen.

#include "support/messages.h"

#include <string>

namespace dfe::dfe11000 {

// One row of the closing's answer.
struct ClosingRow {
    std::string code{};    // CDERRO
    std::string object{};  // CDOBJETO
    std::string object2{}; // CDOBJETO2
    std::string object3{}; // CDOBJETO3
    std::string object4{}; // CDOBJETO4
    double value = 0;      // CDOBJETO5
};

// Where the texts come from: the form's two message tables and the product-code mask.
struct ErrorTexts {
    const support::TMessages& first;
    const support::TMessages& second;
    std::string productMask;
};

enum class RowKind {
    Silent,      // nothing of its own
    Visible,     // a row of the visible list
    Stop,        // the message is shown and the closing abandoned
    MonthlyBase, // the monthly tax base module is opened
    Mark,        // a warning mark written back into the posting
    LimitAsk,    // the supplier's purchase limit: the clerk decides whether to close without it
};

struct RowOutcome {
    RowKind kind = RowKind::Silent;
    std::string position;          // Visible: where the row points (one character)
    std::string text;              // Visible and Stop: the text
    std::string tax;               // Visible: the tax abbreviation completing a fiscal message
    std::string messageCode;       // Stop and LimitAsk: the code the message goes by
    bool irregularProduct = false; // the row's product would make its stock irregular
    bool once = false;             // a visible row with the same text is not repeated
};

// The row as the visible list takes it.
RowOutcome DescribeClosingRow(const ClosingRow& row, const ErrorTexts& texts);
// What the row asks once the visible list took it (also for rows that gave nothing to the list).
RowOutcome FollowClosingRow(const ClosingRow& row, const ErrorTexts& texts);

// Lines of the form's two message tables that the error list reads.
extern const std::vector<std::string> kErrorListMessages;
extern const std::vector<std::string> kErrorListMessages2;

} // namespace dfe::dfe11000
