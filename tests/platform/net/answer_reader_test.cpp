#include "platform/net/answer_reader.h"
#include "platform/net/net_errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace dfe::net {
namespace {

constexpr std::string_view kElements[] = {"accepted", "message", "cdsHeader", "stMode"};
constexpr AnswerLayout kLayout{"GetTeste", kElements};

const DataPacket kHeader(std::string("header bytes"));

Variant Answer(std::vector<Variant> items, int lowBound = 0) {
    return Variant::Array(std::move(items), lowBound);
}

TEST(AnswerReader, ReadsElementsByName) {
    const AnswerReader r(Answer({"S", "", kHeader, "UTILIZA"}), kLayout);
    EXPECT_TRUE(r.Complete());
    EXPECT_EQ(r.Text("accepted"), "S");
    EXPECT_EQ(r.Text("stMode"), "UTILIZA");
    EXPECT_EQ(r.Packet("cdsHeader"), kHeader);
    EXPECT_EQ(r.PacketOrNull("cdsHeader"), &r.Packet("cdsHeader"));
    EXPECT_EQ(r.Element("message"), Variant(""));
    EXPECT_FALSE(r.IsNull("message"));
}

TEST(AnswerReader, PositionsCountFromTheFirstElementAndExtraElementsAreIgnored) {
    const AnswerReader r(Answer({"S", Variant::Null(), Variant::Null(), "X", "appended"}, 1), kLayout);
    EXPECT_EQ(r.Text("accepted"), "S");
    EXPECT_EQ(r.Text("message"), ""); // null text reads empty
    EXPECT_TRUE(r.IsNull("cdsHeader"));
    EXPECT_EQ(r.PacketOrNull("cdsHeader"), nullptr);
    EXPECT_EQ(r.Text("stMode"), "X");
    EXPECT_NO_THROW(r.ExpectComplete());
}

// A refusal carries only its first two elements; they read, the rest fails when read.
TEST(AnswerReader, ARefusalsLeadingElementsReadFromAShortAnswer) {
    const AnswerReader r(Answer({"N", "Lançamento não encontrado."}), kLayout);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.Text("accepted"), "N");
    EXPECT_EQ(r.Text("message"), "Lançamento não encontrado.");
    EXPECT_THROW(r.Packet("cdsHeader"), AnswerError);
}

struct ErrorCase {
    const char* name;
    Variant answer;
    std::function<void(const AnswerReader&)> read;
    const char* text; // all of the message
};

TEST(AnswerReader, MalformedAnswersNameTheMethodAndTheElement) {
    const ErrorCase cases[] = {
        {"short array", Answer({"S", ""}), [](const AnswerReader& r) { r.PacketOrNull("cdsHeader"); },
         "Resposta inválida de GetTeste: falta o elemento 3 (cdsHeader), vieram 2 elementos."},
        {"short array checked whole", Answer({"S", "", kHeader}),
         [](const AnswerReader& r) { r.ExpectComplete(); },
         "Resposta inválida de GetTeste: falta o elemento 4 (stMode), vieram 3 elementos."},
        {"not an array", Variant("S"), nullptr,
         "Resposta inválida de GetTeste: esperava uma lista de 4 elementos e recebeu um texto."},
        {"text where a packet is expected", Answer({"S", "", "header", ""}),
         [](const AnswerReader& r) { r.PacketOrNull("cdsHeader"); },
         "Resposta inválida de GetTeste: o elemento 3 (cdsHeader) deveria ser um pacote de dados ou nulo e é "
         "um "
         "texto."},
        {"null where a packet is required", Answer({"S", "", Variant::Null(), ""}),
         [](const AnswerReader& r) { r.Packet("cdsHeader"); },
         "Resposta inválida de GetTeste: o elemento 3 (cdsHeader) deveria ser um pacote de dados e é um "
         "valor "
         "nulo."},
        {"packet where a text is expected", Answer({"S", "", kHeader, kHeader}),
         [](const AnswerReader& r) { r.Text("stMode"); },
         "Resposta inválida de GetTeste: o elemento 4 (stMode) deveria ser um texto e é um pacote de dados."},
        {"number where a text is expected", Answer({int64_t{1}, "", kHeader, ""}),
         [](const AnswerReader& r) { r.Text("accepted"); },
         "Resposta inválida de GetTeste: o elemento 1 (accepted) deveria ser um texto e é um número "
         "inteiro."},
    };
    for (const ErrorCase& c : cases) {
        try {
            const AnswerReader r(c.answer, kLayout);
            if (c.read) c.read(r);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const AnswerError& e) {
            EXPECT_EQ(std::string(e.what()), c.text) << c.name;
        }
    }
}

// A name the layout lacks is the code's slip, kept apart from a bad answer.
TEST(AnswerReader, AnUnknownNameIsALogicError) {
    const AnswerReader r(Answer({"S", "", kHeader, ""}), kLayout);
    try {
        r.Text("cdsHeadr");
        ADD_FAILURE() << "no error";
    } catch (const AnswerError&) {
        ADD_FAILURE() << "taken for a bad answer";
    } catch (const std::logic_error& e) {
        EXPECT_EQ(std::string(e.what()), "A resposta de GetTeste não tem o elemento cdsHeadr.");
    }
}

TEST(AnswerWriter, WritesInTheLayoutsOrderWhateverTheOrderOfSetting) {
    AnswerWriter w(kLayout);
    w.Set("stMode", "NAO").Set("cdsHeader", kHeader).Set("message", "").Set("accepted", "S");
    const Variant answer = w.Finish();
    EXPECT_EQ(answer, Answer({"S", "", kHeader, "NAO"}));
    // Spent: a second answer starts from nothing.
    EXPECT_THROW(w.Finish(), std::logic_error);
}

TEST(AnswerWriter, RefusesWhatWouldMisplaceAnElement) {
    const struct {
        const char* name;
        std::function<void(AnswerWriter&)> write;
        const char* text;
    } cases[] = {
        {"missing elements", [](AnswerWriter& w) { w.Set("accepted", "S").Set("stMode", "").Finish(); },
         "A resposta de GetTeste ficou sem: message, cdsHeader."},
        {"unknown name", [](AnswerWriter& w) { w.Set("cdsItems", kHeader); },
         "A resposta de GetTeste não tem o elemento cdsItems."},
        {"set twice", [](AnswerWriter& w) { w.Set("message", "").Set("message", "x"); },
         "O elemento message da resposta de GetTeste foi escrito duas vezes."},
    };
    for (const auto& c : cases) {
        AnswerWriter w(kLayout);
        try {
            c.write(w);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const std::logic_error& e) {
            EXPECT_EQ(std::string(e.what()), c.text) << c.name;
        }
    }
}

} // namespace
} // namespace dfe::net
