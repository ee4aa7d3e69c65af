#include "appserver/intake/nfe_inbox.h"

#include "appserver/intake/xml_document.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace dfe::appserver::intake {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReasonSuffix = ".motivo.txt";

bool IsCandidate(const fs::directory_entry& entry) {
    std::error_code ec;
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file(ec) && !name.starts_with(".") && !name.ends_with(kReasonSuffix);
}

// A free name in the folder: the file's own, else with .1, .2... before it is taken.
fs::path FreeName(const fs::path& folder, const fs::path& name) {
    fs::path target = folder / name;
    for (int n = 1; fs::exists(target); ++n)
        target = folder / (name.string() + "." + std::to_string(n));
    return target;
}

} // namespace

std::vector<fs::path> IntakeFilesOf(const std::vector<std::string>& paths) {
    std::vector<fs::path> files;
    for (const std::string& p : paths) {
        if (!fs::is_directory(p)) {
            files.emplace_back(p);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const fs::directory_entry& entry : fs::directory_iterator(p)) {
            if (IsCandidate(entry)) inFolder.push_back(entry.path());
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

IntakeResult IntakeFile(db::Database& db, const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        IntakeResult refused;
        refused.reason = "o arquivo não pôde ser lido";
        return refused;
    }
    // One byte past the limit is enough to refuse a huge file without reading it all.
    std::string bytes(kMaxDocumentBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return IntakeNfe(db, bytes, file.filename().string());
}

NfeInbox::NfeInbox(fs::path folder, OpenDatabase open, std::ostream& out)
    : folder_(std::move(folder)), open_(std::move(open)), out_(out) {
    fs::create_directories(folder_ / "accepted");
    fs::create_directories(folder_ / "refused");
}

NfeInbox::~NfeInbox() {
    Stop();
}

int NfeInbox::Scan() {
    int taken = 0;
    std::map<fs::path, Seen> now;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
        if (!IsCandidate(entry)) continue;
        Seen current{entry.file_size(ec), entry.last_write_time(ec)};
        if (ec) continue;
        const auto before = seen_.find(entry.path());
        if (before != seen_.end() && before->second.size == current.size &&
            before->second.time == current.time) {
            current.reported = before->second.reported;
            Take(entry.path(), current);
            if (!fs::exists(entry.path())) {
                ++taken;
                continue;
            }
        }
        now.emplace(entry.path(), current);
    }
    seen_ = std::move(now);
    return taken;
}

void NfeInbox::Take(const fs::path& file, Seen& seen) {
    IntakeResult result;
    try {
        if (!db_) db_ = open_();
        result = IntakeFile(*db_, file);
    } catch (const std::exception& e) {
        // Not the document's fault: it stays in the inbox and is tried again.
        db_.reset();
        if (!seen.reported)
            out_ << file.filename().string() << ": não recebida agora (" << e.what()
                 << "); fica na caixa de entrada" << std::endl;
        seen.reported = true;
        return;
    }
    const fs::path target = FreeName(folder_ / (result.Accepted() ? "accepted" : "refused"), file.filename());
    std::error_code ec;
    fs::rename(file, target, ec);
    if (ec) {
        out_ << file.filename().string() << ": não foi possível mover para " << target.string() << ": "
             << ec.message() << std::endl;
        return;
    }
    if (!result.Accepted()) {
        std::ofstream reason(target.string() + kReasonSuffix, std::ios::binary | std::ios::trunc);
        reason << result.reason << "\n";
    }
    out_ << DescribeIntake(file.filename().string(), result) << std::endl;
}

void NfeInbox::Start(std::chrono::milliseconds interval) {
    thread_ = std::thread([this, interval] {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            lock.unlock();
            try {
                Scan();
            } catch (const std::exception& e) {
                out_ << "caixa de entrada " << folder_.string() << ": " << e.what() << std::endl;
            }
            lock.lock();
            wake_.wait_for(lock, interval, [this] { return stopping_; });
        }
    });
}

void NfeInbox::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

} // namespace dfe::appserver::intake
