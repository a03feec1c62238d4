// Every message text the program composes and looks up in a language file's "Messages", by
// its English text. Window captions, hints and list items are not here: a language file
// reaches those through its "Translations". A test holds this list against the sources and
// against the shipped translation, so that a new message cannot go out untranslated.
#pragma once

#include <array>
#include <string_view>

namespace quorvin {

inline constexpr auto MessageKeys = std::to_array<std::string_view>({
    // Side names in messages, and the words of the engine's forecast.
    "White",
    "Black",
    "Victory",
    "Defeat",
    "in",
    "half-move(s)",
    "Forecast:",
    // The end of a game.
    "Information",
    "The game is finished.",
    "have lost.",
    "Triple recurrence of the position. A drawn game.",
    "32 moves without captures and crownes. A drawn game.",
    "15 moves (3 kings vs 1). A drawn game.",
    // New game, the caption, the title and the About box.
    "Confirmation",
    "New game - are you sure?",
    "Set up position|",
    "By rules of",
    "Quorvin",
    "Version",
    // Errors and help.
    "Error",
    "Unknown error",
    "Help",
    // Games and positions from files and the clipboard.
    "The file holds no game.",
    "The moves before it are loaded.",
    "No position could be read from the clipboard.",
    "Paste a position of another board and rules?",
});

} // namespace quorvin
