#include "qtui/qt_keys.h"

#include <gtest/gtest.h>

namespace dfe::qtui {
namespace {

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    int key;
    ShiftState shift;
    char32_t typed;
};

class QtKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(QtKeyTest, TranslatesAsTheNativeMessageLoopWould) {
    const auto& c = GetParam();
    auto press = FromQtKey(c.qtKey, c.modifiers, QString::fromUtf16(c.text));
    ASSERT_TRUE(press.has_value());
    EXPECT_EQ(press->key, c.key);
    EXPECT_EQ(press->shift, c.shift);
    EXPECT_EQ(press->typed, c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, QtKeyTest,
    ::testing::Values(KeyCase{Qt::Key_A, Qt::NoModifier, u"a", 'A', {}, U'a'},
                      KeyCase{Qt::Key_A, Qt::ShiftModifier, u"A", 'A', {true, false, false}, U'A'},
                      // Ctrl+letter types no character of its own: the toolkit makes the control character.
                      KeyCase{Qt::Key_V, Qt::ControlModifier, u"\x16", 'V', {false, true, false}, 0},
                      KeyCase{Qt::Key_Tab, Qt::NoModifier, u"\t", key::Tab, {}, 0},
                      KeyCase{Qt::Key_Backtab, Qt::ShiftModifier, u"", key::Tab, {true, false, false}, 0},
                      KeyCase{Qt::Key_Return, Qt::NoModifier, u"\r", key::Enter, {}, 0},
                      KeyCase{Qt::Key_Enter, Qt::KeypadModifier, u"\r", key::Enter, {}, 0},
                      KeyCase{Qt::Key_Escape, Qt::NoModifier, u"\x1b", key::Escape, {}, 0},
                      KeyCase{Qt::Key_F12, Qt::NoModifier, u"", key::F12, {}, 0},
                      KeyCase{Qt::Key_Down, Qt::AltModifier, u"", key::Down, {false, false, true}, 0},
                      KeyCase{Qt::Key_Period, Qt::NoModifier, u".", key::Period, {}, U'.'},
                      // The keypad's decimal key keeps its own code whatever the layout types with it.
                      KeyCase{Qt::Key_Comma, Qt::KeypadModifier, u",", key::Decimal, {}, U','},
                      KeyCase{Qt::Key_Period, Qt::KeypadModifier, u".", key::Decimal, {}, U'.'},
                      KeyCase{Qt::Key_5, Qt::KeypadModifier, u"5", 101, {}, U'5'},
                      // Accented letters arrive as text only.
                      KeyCase{Qt::Key_unknown, Qt::NoModifier, u"ç", key::None, {}, U'ç'},
                      KeyCase{Qt::Key_Eacute, Qt::NoModifier, u"é", key::None, {}, U'é'}));

TEST(QtKeyTest, KeysTheToolkitDoesNotSeeAreDropped) {
    EXPECT_FALSE(FromQtKey(Qt::Key_Shift, Qt::ShiftModifier, {}).has_value());
    EXPECT_FALSE(FromQtKey(Qt::Key_Control, Qt::ControlModifier, {}).has_value());
    EXPECT_FALSE(FromQtKey(Qt::Key_unknown, Qt::NoModifier, {}).has_value());
}

} // namespace
} // namespace dfe::qtui
