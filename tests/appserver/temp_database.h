#pragma once

#include "platform/db/sqlite_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace dfe::appserver::testing {

// A SQLite file of its own per test, removed afterwards.
class TempDatabase {
public:
    TempDatabase() {
        static int created = 0;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "suite";
        path_ = (std::filesystem::temp_directory_path() / ("dfe_appserver_" + std::to_string(getpid()) + "_" +
                                                           std::to_string(++created) + "_" + name + ".db"))
                    .string();
        Remove();
    }
    ~TempDatabase() { Remove(); }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& Path() const { return path_; }
    std::unique_ptr<db::SqliteDatabase> Open() const { return std::make_unique<db::SqliteDatabase>(path_); }

private:
    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }
    std::string path_;
};

} // namespace dfe::appserver::testing
