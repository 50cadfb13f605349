#pragma once
// The keys the shutter key can be: the rows of the shutter key dialog's list.

#include <cstdint>
#include <span>

namespace dhsu {

struct KeyRow {
    const char* name;   // UTF-8, as the list shows it
    std::int32_t code;  // Windows virtual-key code
};

// 29 rows in list order; every code appears once.
std::span<const KeyRow> KeyTable();

// The first row holding `code`; row 0 (Esc) when no row does.
int RowOfKey(std::int32_t code);

// The code of `row`, which must lie within the table (throws std::out_of_range otherwise).
std::int32_t KeyOfRow(int row);

}  // namespace dhsu
