#include "appserver/cli/call_argument.h"
#include "appserver/cli/json_output.h"
#include "appserver/cli/password_input.h"
#include "platform/data/packet.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dfe::appserver {
namespace {

TEST(CallArgument, ReadsTypedPrefixesAndDefaultsToTextByReference) {
    struct Case {
        const char* text;
        net::RpcArg expected;
    };
    const Case cases[] = {
        {"0001", {net::ArgType::String, true, Variant("0001")}},
        {"str:int:5", {net::ArgType::String, true, Variant("int:5")}},
        {"int:-12", {net::ArgType::Integer, false, Variant(int64_t{-12})}},
        {"float:1,5", {net::ArgType::Double, false, Variant(1.5)}},
        {"date:2026-12-10", {net::ArgType::Date, false, Variant(DateTime::FromDate(2026, 12, 10))}},
        {"date:10/12/2026", {net::ArgType::Date, false, Variant(DateTime::FromDate(2026, 12, 10))}},
        {"bool:S", {net::ArgType::Boolean, false, Variant(true)}},
        {"null:", {net::ArgType::Variant, false, Variant::Null()}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCallArgument(c.text), c.expected) << c.text;
    for (const char* bad : {"int:x", "float:", "date:2026-02-30", "bool:talvez"}) {
        EXPECT_THROW(ParseCallArgument(bad), std::invalid_argument) << bad;
    }
}

TEST(AnswerToJson, ShowsPacketsAsRowsAndEscapesText) {
    Packet p;
    p.fields = {{"CDFILIAL", FieldType::String, 4, false},
                {"VRNOTAFISC", FieldType::Float, 0, false},
                {"DTEMISSAO", FieldType::DateTime, 0, false}};
    p.rows.push_back({RowStatus::Unmodified, {Variant("0001"), Variant(10.5), Variant::Null()}, {}});
    const Variant answer =
        Variant::Array({"S", ToDataPacket(p), "aspas \" e\nlinha", DateTime::FromDate(2026, 12, 10), true});
    EXPECT_EQ(AnswerToJson(answer),
              "[\n"
              "  \"S\",\n"
              "  [\n"
              "    {\"CDFILIAL\": \"0001\", \"VRNOTAFISC\": 10.5, \"DTEMISSAO\": null}\n"
              "  ],\n"
              "  \"aspas \\\" e\\nlinha\",\n"
              "  \"2026-12-10\",\n"
              "  true\n"
              "]");
    EXPECT_EQ(AnswerToJson(Variant(DataPacket("lixo"))).substr(0, 17), "\"<pacote ilegíve");
    EXPECT_EQ(AnswerToJson(Variant(DateTime::FromDateTime(2026, 12, 3, 9, 14, 0))),
              "\"2026-12-03T09:14:00\"");
    EXPECT_EQ(AnswerToJson(Variant(DateTime())), "null");
}

TEST(ReadNewPassword, TakesOneLineOrTwoThatAgreeOnATerminalAndNeverAnEmptyOne) {
    const struct {
        const char* input;
        bool terminal;
        const char* password; // nullptr: refused with this text in `error`
        const char* error;
    } cases[] = {
        {"Libera#2026\n", false, "Libera#2026", nullptr},
        {"com espaço \r\n", false, "com espaço ", nullptr},
        {"sem quebra", false, "sem quebra", nullptr},
        {"a1\na1\n", true, "a1", nullptr},
        {"a1\nb2\n", true, nullptr, "não conferem"},
        {"a1\n", true, nullptr, "nenhuma senha"},
        {"\n", false, nullptr, "vazia"},
        {"", false, nullptr, "nenhuma senha"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream prompts;
        try {
            EXPECT_EQ(ReadNewPassword(in, prompts, c.terminal), c.password) << c.input;
            EXPECT_EQ(c.error, nullptr) << c.input;
        } catch (const std::runtime_error& e) {
            ASSERT_NE(c.error, nullptr) << c.input << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
        // Prompts only on a terminal; the password itself is never written out.
        EXPECT_EQ(prompts.str().empty(), !c.terminal) << c.input;
        EXPECT_EQ(prompts.str().find("a1"), std::string::npos);
    }
}

} // namespace
} // namespace dfe::appserver
