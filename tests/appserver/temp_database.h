#pragma once

#include "appserver/schema/schema_files.h"
#include "appserver/schema/schema_migrator.h"
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
    // The schema with the demo data, as `init` makes it. Applying it (the whole municipality table) costs more
    // than most tests, so the program applies it once and each test starts from a copy.
    std::unique_ptr<db::SqliteDatabase> OpenDemo() const {
        static const DemoTemplate demo;
        std::filesystem::copy_file(demo.path, path_, std::filesystem::copy_options::overwrite_existing);
        return Open();
    }

private:
    struct DemoTemplate {
        DemoTemplate()
            : path((std::filesystem::temp_directory_path() /
                    ("dfe_appserver_" + std::to_string(getpid()) + "_demo_template.db"))
                       .string()) {
            // Closing the only connection writes the journal back, so the file alone is the whole database.
            auto db = std::make_unique<db::SqliteDatabase>(path);
            ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
        }
        ~DemoTemplate() {
            for (const char* suffix : {"", "-wal", "-shm"})
                std::filesystem::remove(path + suffix);
        }
        std::string path;
    };

    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }
    std::string path_;
};

} // namespace dfe::appserver::testing
