#pragma once

#include <QString>

// Game mode as the main window keeps it: RunMode is also the count of main numbers per draw.
// What differs between the games is in GameRules.
namespace Game {
constexpr int None = 0;
constexpr int MiniLoto = 5;
constexpr int Loto6 = 6;
} // namespace Game

// One column of the draw table: its key, header text, the 0-based field of a data line it
// shows, and its cell width (0 = stored unpadded). Column 0 has no field (-1).
struct ColumnLayout
{
    // What a cell of the column holds, for the typed record of its row.
    enum class Role { None, DrawNo, Date, Number, Bonus, Winners, Prize, Carry };

    QString key;
    QString header;
    int field = -1;
    int width = 0;
    Role role = Role::None;
    int index = 0;  // 0-based main number (Number) or tier (Winners, Prize)
};
