#include "support/pesq_lista.h"
#include "support_fixture.h"

#include "platform/data/dataset.h"

namespace dfe::support {
namespace {

// The multi-select search's answer: each key chosen, as wide as its field, after one separator.
class PesqListaTest : public SupportTest {
protected:
    PesqListaTest() {
        notes.CreateDataSet(
            {FieldDef{"DSLANCAMENTO", FieldType::String, 8}, FieldDef{"NRNOTAFISC", FieldType::String, 9}});
        source.SetDataSet(&notes);
    }
    void Add(const char* key, const char* number) {
        notes.Append();
        notes.FieldByName("DSLANCAMENTO").SetAsString(key);
        notes.FieldByName("NRNOTAFISC").SetAsString(number);
        notes.Post();
    }
    bool Search(std::string& selection) {
        return PesquisaListaMsg(source, "DSLANCAMENTO", "Notas|Não há notas.", selection, 0);
    }

    DataSet notes;
    DataSource source;
};

TEST_F(PesqListaTest, TheAnswerIsEachChosenKeyAfterASeparator) {
    Add("01 - 22", "000000920");
    Add("01 - 23", "000000934");
    std::string selection = "_01 - 23 ";
    dialogs.ExpectMultiSelect("Notas|Não há notas.").Choose({"01 - 22 ", "01 - 23 "});
    ASSERT_TRUE(Search(selection));
    EXPECT_EQ(selection, "_01 - 22 _01 - 23 ");
    const DialogRecord& shown = *dialogs.Last();
    EXPECT_EQ(shown.selection.size(), 2u);

    // Cancelled: the selection stays as it was.
    dialogs.ExpectMultiSelect().Cancel();
    EXPECT_FALSE(Search(selection));
    EXPECT_EQ(selection, "_01 - 22 _01 - 23 ");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

TEST_F(PesqListaTest, NothingToChooseShowsTheEmptyText) {
    std::string selection;
    EXPECT_FALSE(Search(selection));
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors().back().text, "Não há notas.");
    EXPECT_EQ(selection, "");
}

} // namespace
} // namespace dfe::support
