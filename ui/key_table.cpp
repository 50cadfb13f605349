#include "ui/key_table.h"

#include <stdexcept>
#include <string>

namespace dhsu {
namespace {

// Rows 18, 20 and 25 to 28 are the keys of a Japanese keyboard.
constexpr KeyRow kKeys[] = {
    {"Esc", 27},          // 0
    {"F1", 112},          // 1
    {"F2", 113},          // 2
    {"F3", 114},          // 3
    {"F4", 115},          // 4
    {"F5", 116},          // 5
    {"F6", 117},          // 6
    {"F7", 118},          // 7
    {"F8", 119},          // 8
    {"F9", 120},          // 9
    {"F10", 121},         // 10
    {"F11", 122},         // 11
    {"F12", 123},         // 12
    {"F13", 124},         // 13
    {"F14", 125},         // 14
    {"F15", 126},         // 15
    {"ScrollLock", 145},  // 16
    {"Pause", 19},        // 17
    {"半角/全角", 243},   // 18
    {"TAB", 9},           // 19
    {"英数", 240},        // 20
    {"Caps Lock", 20},    // 21
    {"Shift", 16},        // 22
    {"Control", 17},      // 23
    {"Alt", 18},          // 24
    {"無変換", 29},       // 25
    {"変換", 28},         // 26
    {"ひらがな", 242},    // 27
    {"カタカナ", 241},    // 28
};

}  // namespace

std::span<const KeyRow> KeyTable() {
    return kKeys;
}

int RowOfKey(std::int32_t code) {
    for (int row = 0; row < static_cast<int>(std::size(kKeys)); ++row)
        if (kKeys[row].code == code) return row;
    return 0;
}

std::int32_t KeyOfRow(int row) {
    if (row < 0 || row >= static_cast<int>(std::size(kKeys)))
        throw std::out_of_range("There is no key in row " + std::to_string(row) + ".");
    return kKeys[row].code;
}

}  // namespace dhsu
