// The pieces as the board shows them: turned discs with a bevelled rim, engraved rings and a
// gold crown for kings, lit from the upper left. Painted as vectors so that the same drawing
// serves the 89-pixel board pictures, the button glyphs, the cursors, the icon and the splash.
#pragma once

#include <QImage>
#include <QPainter>

namespace quorvin::art {

enum class TSide { White, Black };

struct TPieceLook {
    TSide Side = TSide::White;
    bool King = false;
    double CrownScale = 1.0; // the crown's size relative to a finished king's
};

// Paints a piece centred on `centre` whose outer rim has the given radius.
void PaintPiece(QPainter& p, QPointF centre, double radius, const TPieceLook& look);

// Paints the crown alone, centred on `centre`, `width` wide.
void PaintCrown(QPainter& p, QPointF centre, double width);

// The radius of a piece on an 89-pixel board picture. The board blends the picture through a
// mask that fades from 36 to 43 pixels from the centre; the piece's own crisp edge lies at the
// start of the fade, and the dark ring painted round it out to ShadowRadius comes out of the
// blend as a soft shadow on the square.
inline constexpr double BoardPieceRadius = 38.5;
inline constexpr double ShadowRadius = 42.5;
// The animation frames are drawn with hard transparency instead of the blend: their ring ends
// where the blended shadow is half faded.
inline constexpr double FrameShadowRadius = 40.0;
inline constexpr int PictureSize = 89;

// An 89 x 89 picture of a piece on a transparent background.
QImage PiecePicture(const TPieceLook& look);
// Frame 1..8 of a man becoming a king: the crown grows in and the inner ring fades.
QImage CrowningFrame(TSide side, int frame);
// Frame 1..8 of a Vorna capture: the man turns over like a coin, White in frames 1-4 and
// Black in frames 5-8.
QImage ChangeFrame(int frame);
// The highlight marks: 0 a gold frame round the square, 1 green corner brackets.
QImage SelectMark(int index);
// The blend mask: a grey disc, 255 inside, falling off over the rim to 0 outside.
QImage AlphaMask();

} // namespace quorvin::art
