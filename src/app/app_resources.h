// The pictures compiled into the program: the blend mask, the speed-button glyphs and
// indicator pictures, the setup cursors, the icon and the splash picture. The names here are
// the one place that knows their resource paths.
#pragma once

#include <QCursor>

namespace quorvin {

// Registers the compiled-in resources; any number of calls, the first one counts. The
// library calls it itself before it reads a resource; a program that reads them directly
// calls it once at start-up.
void InitAppResources();

namespace Resource {

inline constexpr const char* AlphaImage = ":/AlphaImage.png";
inline constexpr const char* Splash = ":/Splash.jpg"; // 640 x 399
inline constexpr const char* Icon32 = ":/Icons/Quorvin32.png";
inline constexpr const char* Icon48 = ":/Icons/Quorvin48.png";
inline constexpr const char* Icon64 = ":/Icons/Quorvin64.png";
inline constexpr const char* Icon128 = ":/Icons/Quorvin128.png";
inline constexpr const char* Icon256 = ":/Icons/Quorvin256.png";

// Speed-button glyphs, 32 x 32 with transparency.
inline constexpr const char* NewGameGlyph = ":/Glyphs/NewGame.png";
inline constexpr const char* OptionsGlyph = ":/Glyphs/Options.png";
inline constexpr const char* HelpGlyph = ":/Glyphs/Help.png";
inline constexpr const char* SidesGlyph = ":/Glyphs/Sides.png";
inline constexpr const char* UndoAllGlyph = ":/Glyphs/UndoAll.png";
inline constexpr const char* UndoGlyph = ":/Glyphs/Undo.png";
inline constexpr const char* RedoGlyph = ":/Glyphs/Redo.png";
inline constexpr const char* RedoAllGlyph = ":/Glyphs/RedoAll.png";
inline constexpr const char* AdviceGlyph = ":/Glyphs/Advice.png";
inline constexpr const char* AdviserGlyph = ":/Glyphs/Adviser.png"; // the adviser plays
inline constexpr const char* StopGlyph = ":/Glyphs/Stop.png";       // Break calculation
inline constexpr const char* SetupGlyph = ":/Glyphs/Setup.png";
inline constexpr const char* RotateGlyph = ":/Glyphs/Rotate.png";
inline constexpr const char* EmptySquareGlyph = ":/Glyphs/EmptySquare.png";
inline constexpr const char* WhitePawnGlyph = ":/Glyphs/WhitePawn.png";
inline constexpr const char* BlackPawnGlyph = ":/Glyphs/BlackPawn.png";
inline constexpr const char* WhiteKingGlyph = ":/Glyphs/WhiteKing.png";
inline constexpr const char* BlackKingGlyph = ":/Glyphs/BlackKing.png";
inline constexpr const char* DelegateGlyph = ":/Glyphs/Delegate.png";
inline constexpr const char* ClearGlyph = ":/Glyphs/Clear.png";
inline constexpr const char* ArrangeGlyph = ":/Glyphs/Arrange.png";
inline constexpr const char* ContinueGlyph = ":/Glyphs/Continue.png";

// The side and mover indicator pictures.
inline constexpr const char* ComputerImage = ":/Glyphs/Computer.png";
inline constexpr const char* HumanImage = ":/Glyphs/Human.png";
inline constexpr const char* WhiteImage = ":/Glyphs/White.png";
inline constexpr const char* BlackImage = ":/Glyphs/Black.png";
inline constexpr const char* EmptyImage = ":/Glyphs/Empty.png";

} // namespace Resource

// The setup tools' cursors, by their resource names.
enum class TSetupCursor { EmptySquare, WhitePawn, BlackPawn, WhiteKing, BlackKing };
// The cursor of a setup tool: an arrow with the tool's picture, hot spot at the arrow's tip.
QCursor SetupCursor(TSetupCursor tool);

} // namespace quorvin
