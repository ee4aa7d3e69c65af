#include "host/command_line.h"
#include "host/host_config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace dfe::host {
namespace {

struct SettingCase {
    const char* key;
    const char* value;
    bool accepted;
};

class SettingTest : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SettingTest, AcceptsGoodValuesAndRefusesBadOnes) {
    HostConfig config;
    auto error = ApplySetting(config, GetParam().key, GetParam().value);
    EXPECT_EQ(!error.has_value(), GetParam().accepted)
        << GetParam().key << "=" << GetParam().value << (error ? " -> " + *error : "");
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingTest,
    ::testing::Values(SettingCase{"operator", "joao", true}, SettingCase{"operator", "", false},
                      SettingCase{"branch", "1", true}, SettingCase{"branch", "12345", false},
                      SettingCase{"branch", "../1", false}, SettingCase{"fixed_branch", "sim", true},
                      SettingCase{"fixed_branch", "talvez", false},
                      SettingCase{"processing_date", "10/12/2026", true},
                      SettingCase{"processing_date", "2026-12-10", true},
                      SettingCase{"processing_date", "31/02/2026", false},
                      SettingCase{"processing_date.0002", "09/12/2026", true},
                      SettingCase{"processing_date.", "09/12/2026", false},
                      SettingCase{"server", "10.0.0.1:9000", true},
                      SettingCase{"server", "host:99999", false}, SettingCase{"server", ":80", false},
                      SettingCase{"database", "dados/q.db", true},
                      SettingCase{"screen.DFE11000", "Pkg_dfe11000:CriaLancNFEntrada", true},
                      SettingCase{"screen.DFE11000", "Pkg_dfe11000", false},
                      SettingCase{"screen.X", "../lib:Cria", false}, SettingCase{"colour", "blue", false}));

TEST(HostConfigTest, DefaultsAndPerBranchProcessingDates) {
    HostConfig config;
    EXPECT_EQ(config.context.branch, "0001");
    EXPECT_EQ(config.context.ProcessingDate("0001"), DateTime::Today());
    ASSERT_EQ(config.screens.count("DFE11000"), 1u);
    EXPECT_EQ(config.screens["DFE11000"].package, "Pkg_dfe11000");
    ASSERT_FALSE(ApplySetting(config, "processing_date", "01/12/2026"));
    ASSERT_FALSE(ApplySetting(config, "processing_date.2", "02/12/2026"));
    EXPECT_EQ(config.context.ProcessingDate("0002"), DateTime::FromDate(2026, 12, 2));
    EXPECT_EQ(config.context.ProcessingDate("0003"), DateTime::FromDate(2026, 12, 1));
}

TEST(HostConfigTest, FileErrorsNameTheLine) {
    auto path = std::filesystem::temp_directory_path() / "quilmar_config_test.conf";
    {
        std::ofstream out(path);
        out << "# sessão\noperator = maria\n\nbranch=0003\nserver = localhost\nbranch 5\n";
    }
    HostConfig config;
    auto error = LoadConfigFile(config, path);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(":6: expected key = value"), std::string::npos) << *error;
    EXPECT_EQ(config.context.operatorCode, "MARIA");
    EXPECT_EQ(config.context.branch, "0003");
    EXPECT_EQ(config.context.serverHost, "localhost");
    std::filesystem::remove(path);
    EXPECT_TRUE(LoadConfigFile(config, path)); // missing file
}

TEST(CommandLineTest, OptionsBecomeSettingsThatWinOverTheFile) {
    auto parsed = ParseCommandLine({"--headless", "--script", "a.scn", "--branch", "7", "--fixed-branch",
                                    "--screen", "TST1=Pkg_t:Cria", "--set", "database=x.db"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.headless);
    EXPECT_EQ(parsed.options.script, std::filesystem::path("a.scn"));
    HostConfig config;
    ASSERT_FALSE(BuildConfig(config, parsed.options, std::nullopt));
    EXPECT_EQ(config.context.branch, "0007");
    EXPECT_TRUE(config.context.fixedBranch);
    EXPECT_EQ(config.context.database, "x.db");
    EXPECT_EQ(config.screens["TST1"].creator, "Cria");
}

TEST(CommandLineTest, RefusesUnknownOptionsMissingValuesAndBadSettings) {
    EXPECT_NE(ParseCommandLine({"--nada"}).error, "");
    EXPECT_NE(ParseCommandLine({"--script"}).error, "");
    EXPECT_NE(ParseCommandLine({"--screen", "semigual"}).error, "");
    auto parsed = ParseCommandLine({"--branch", "toolong"});
    HostConfig config;
    auto error = BuildConfig(config, parsed.options, std::nullopt);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("command line"), std::string::npos);
}

TEST(CommandLineTest, ChoosesTheConfigFile) {
    HostOptions options;
    auto dir = std::filesystem::temp_directory_path() / "quilmar_choose_test";
    std::filesystem::create_directories(dir);
    EXPECT_EQ(ChooseConfigFile(options, nullptr, dir), std::nullopt);
    std::ofstream(dir / "quilmar.conf") << "operator = x\n";
    EXPECT_EQ(ChooseConfigFile(options, nullptr, dir), dir / "quilmar.conf");
    EXPECT_EQ(ChooseConfigFile(options, "/etc/q.conf", dir), std::filesystem::path("/etc/q.conf"));
    options.configFile = "mine.conf";
    EXPECT_EQ(ChooseConfigFile(options, "/etc/q.conf", dir), std::filesystem::path("mine.conf"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace dfe::host
