#pragma once

// NF-e files taken in from the file system: named on the command line, or dropped into the server's inbox.

#include "appserver/intake/nfe_intake.h"
#include "platform/db/database.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace dfe::appserver::intake {

// The files named: a folder stands for its regular files (not its subfolders), in name order.
std::vector<std::filesystem::path> IntakeFilesOf(const std::vector<std::string>& paths);

// Reads the file (never more than the size limit allows) and takes it in.
IntakeResult IntakeFile(db::Database& db, const std::filesystem::path& file);

// Watches a folder: each new file, once its size and time stop changing between two looks, is taken in and
// moved to accepted/ or refused/ (with FILE.motivo.txt beside it). A database failure leaves the file where
// it is, to be tried again. One line per document goes to `out`.
class NfeInbox {
public:
    using OpenDatabase = std::function<std::unique_ptr<db::Database>()>;
    NfeInbox(std::filesystem::path folder, OpenDatabase open, std::ostream& out);
    ~NfeInbox();
    NfeInbox(const NfeInbox&) = delete;
    NfeInbox& operator=(const NfeInbox&) = delete;

    // One look at the folder; returns how many files were taken in (accepted or refused).
    int Scan();
    // Looks every `interval` on a thread of its own until Stop().
    void Start(std::chrono::milliseconds interval);
    void Stop();

private:
    struct Seen {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        bool reported = false; // a failure already told
    };
    void Take(const std::filesystem::path& file, Seen& seen);

    std::filesystem::path folder_;
    OpenDatabase open_;
    std::ostream& out_;
    std::unique_ptr<db::Database> db_;
    std::map<std::filesystem::path, Seen> seen_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace dfe::appserver::intake
