#pragma once

#include "platform/core/date_time.h"

#include <map>
#include <string>
#include <string_view>

namespace dfe {

// What the host knows of the session and hands to every module: who operates, on which branch, on which
// processing date, and where the server and the database are.
struct HostContext {
    std::string operatorCode = "ADMIN";
    std::string branch = "0001";                     // the branch in process, 4 characters
    bool fixedBranch = false;                        // the module runs for that branch only
    DateTime processingDate;                         // for branches without their own date; empty means today
    std::map<std::string, DateTime> processingDates; // by branch
    std::string serverHost = "127.0.0.1";
    int serverPort = 7411;
    std::string database = "quilmar.db"; // SQLite file or PostgreSQL connection string

    // The processing date of a branch: its own, else the general one, else today.
    DateTime ProcessingDate(std::string_view branchCode) const;
};

} // namespace dfe
