// International draughts as DamExchange writes it: the board of a GAMEREQ and the fields of
// a MOVE, turned into the engine's positions and legal moves and back. DXP numbers the
// squares 1..50 as the International diagram does, White's men starting on 31..50.
//
// Positions are those of the current geometry, which must be the 10 x 10 board
// (UseDxpBoard); the geometry is the process's own, so a program builds it once before any
// thread of its plays.
#pragma once

#include "dxp_protocol.h"

#include "fen.h"
#include "game.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvin::cli {

// Makes International draughts' 10 x 10 board the current geometry.
void UseDxpBoard();

TDxpColour DxpColourOf(int side);
int SideOfDxpColour(TDxpColour colour);

// The GAMEREQ position of p.
TDxpSetup DxpSetupOf(const TPosition& p);
// A GAMEREQ position as the engine reads it.
TFenPosition FenOfDxpSetup(const TDxpSetup& setup);
// A game of International draughts from a GAMEREQ's start (the initial position when it
// has none). Throws TDxpError when the position cannot arise in a game (a man on the row
// where it would have been crowned, more pieces than a side starts with) or has no legal
// move for the side to move.
TGame DxpStartGame(const TDxpGameReq& request);

// The MOVE of move `index` of p.Moves.
TDxpMove DxpMoveOf(const TPosition& p, int index, int seconds);
// The index in p.Moves (filled with the legal moves) of the move a MOVE names: its start,
// its end and the set of pieces it takes. A capture may also be given without the pieces
// taken when no other capture joins the same squares. Throws TDxpError when it names no
// legal move.
int FindDxpMove(const TPosition& p, const TDxpMove& move);

// The openings of a match: one FEN a line; blank lines and lines starting with # are
// skipped. Throws std::runtime_error naming the file and the line of a position that cannot
// be read, or when there is none.
std::vector<TFenPosition> ReadDxpOpenings(const std::string& fileName);

} // namespace quorvin::cli
