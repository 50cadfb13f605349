#include "ui/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace dhsu {
namespace {

TEST(KeyTableTest, TwentyNineRowsWithDistinctCodesThatFindTheirOwnRow) {
    const auto table = KeyTable();
    ASSERT_EQ(table.size(), 29u);
    std::set<std::int32_t> codes;
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        EXPECT_TRUE(codes.insert(table[row].code).second) << "code of row " << row << " repeats";
        EXPECT_EQ(RowOfKey(table[row].code), row);
        EXPECT_EQ(KeyOfRow(row), table[row].code);
    }
}

// Each name with the Windows key code it stands for, in list order.
TEST(KeyTableTest, EveryNameCarriesItsOwnKeyCode) {
    const std::pair<const char*, std::int32_t> expected[] = {
        {"Esc", 27},
        {"F1", 112},
        {"F2", 113},
        {"F3", 114},
        {"F4", 115},
        {"F5", 116},
        {"F6", 117},
        {"F7", 118},
        {"F8", 119},
        {"F9", 120},
        {"F10", 121},
        {"F11", 122},
        {"F12", 123},
        {"F13", 124},
        {"F14", 125},
        {"F15", 126},
        {"ScrollLock", 145},
        {"Pause", 19},
        {"\xE5\x8D\x8A\xE8\xA7\x92/\xE5\x85\xA8\xE8\xA7\x92", 243},  // 半角/全角
        {"TAB", 9},
        {"\xE8\x8B\xB1\xE6\x95\xB0", 240},  // 英数
        {"Caps Lock", 20},
        {"Shift", 16},
        {"Control", 17},
        {"Alt", 18},
        {"\xE7\x84\xA1\xE5\xA4\x89\xE6\x8F\x9B", 29},               // 無変換
        {"\xE5\xA4\x89\xE6\x8F\x9B", 28},                           // 変換
        {"\xE3\x81\xB2\xE3\x82\x89\xE3\x81\x8C\xE3\x81\xAA", 242},  // ひらがな
        {"\xE3\x82\xAB\xE3\x82\xBF\xE3\x82\xAB\xE3\x83\x8A", 241},  // カタカナ
    };
    const auto table = KeyTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t row = 0; row < table.size(); ++row) {
        EXPECT_EQ(table[row].name, std::string(expected[row].first)) << "row " << row;
        EXPECT_EQ(table[row].code, expected[row].second) << expected[row].first;
    }
}

TEST(KeyTableTest, CodeOutsideTheTableOpensOnEsc) {
    EXPECT_EQ(RowOfKey(65), 0);  // "A", from a hand-edited setting
    EXPECT_EQ(RowOfKey(0), 0);
    EXPECT_EQ(RowOfKey(-1), 0);
    EXPECT_EQ(KeyOfRow(RowOfKey(65)), 27);
}

TEST(KeyTableTest, RowOutsideTheTableHasNoKey) {
    EXPECT_THROW(KeyOfRow(-1), std::out_of_range);
    EXPECT_THROW(KeyOfRow(29), std::out_of_range);
}

// Byte for byte, so the names show the same whatever encoding the source was read in.
TEST(KeyTableTest, JapaneseKeyNamesAreUtf8) {
    const auto name = [](int row) { return std::string(KeyTable()[row].name); };
    EXPECT_EQ(name(18), "\xE5\x8D\x8A\xE8\xA7\x92/\xE5\x85\xA8\xE8\xA7\x92");  // 半角/全角
    EXPECT_EQ(name(20), "\xE8\x8B\xB1\xE6\x95\xB0");                           // 英数
    EXPECT_EQ(name(25), "\xE7\x84\xA1\xE5\xA4\x89\xE6\x8F\x9B");               // 無変換
    EXPECT_EQ(name(26), "\xE5\xA4\x89\xE6\x8F\x9B");                           // 変換
    EXPECT_EQ(name(27), "\xE3\x81\xB2\xE3\x82\x89\xE3\x81\x8C\xE3\x81\xAA");   // ひらがな
    EXPECT_EQ(name(28), "\xE3\x82\xAB\xE3\x82\xBF\xE3\x82\xAB\xE3\x83\x8A");   // カタカナ
}

}  // namespace
}  // namespace dhsu
