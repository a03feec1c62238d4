// The messages of DamExchange (DXP), the protocol draughts programs use to play each other
// over a TCP connection: GAMEREQ, GAMEACC, MOVE, GAMEEND, CHAT, BACKREQ and BACKACC, each a
// string of 1 to 127 ASCII characters whose first letter names its type and whose fields
// stand at fixed places. This file only reads and writes them; it knows no board and no
// connection.
//
// Reading is strict about the fields the protocol fixes, so that a program that writes them
// wrongly is told at once; the one freedom taken is that a GAMEREQ with the initial position
// ('A') may carry more letters after it, as some programs send the position anyway.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvin::cli {

inline constexpr std::size_t DxpMaxLength = 127; // letters of one message
inline constexpr std::size_t DxpNameLength = 32; // the program names of GAMEREQ and GAMEACC
inline constexpr int DxpSquares = 50;            // International draughts, squares 1..50
inline constexpr int DxpVersion = 1;
inline constexpr int DxpMaxCaptured = 20;

// A message that cannot be read. Header is its first letter (0 for an empty message), so
// that a program can still answer a broken GAMEREQ or MOVE as the protocol asks.
class TDxpError : public std::runtime_error {
  public:
    TDxpError(char header, const std::string& what) : std::runtime_error(what), Header(header) {}
    char Header;
};

enum class TDxpColour { White, Black }; // written W and Z

// A position of a GAMEREQ: the side to move and one letter per square 1..50: e (empty),
// w and z (white and black men), W and Z (white and black kings).
struct TDxpSetup {
    TDxpColour ToMove = TDxpColour::White;
    std::string Board = std::string(DxpSquares, 'e');
    bool operator==(const TDxpSetup&) const = default;
};

struct TDxpGameReq {
    int Version = DxpVersion;
    std::string Initiator; // the program that asks for the game
    TDxpColour FollowerColour = TDxpColour::Black;
    int Minutes = 1;                // thinking time of each side for the whole game
    int Moves = 0;                  // moves in that time; 0 for no limit
    std::optional<TDxpSetup> Setup; // empty: the initial position, White to move
    bool operator==(const TDxpGameReq&) const = default;
};

enum class TDxpAcceptance {
    Accepted = 0,
    WrongVersion = 1, // the GAMEREQ's protocol version is not the one expected
    Declined = 2,     // not this game, but another one may be asked for
    NoGames = 3,      // no game at all
};

struct TDxpGameAcc {
    std::string Follower;
    TDxpAcceptance Code = TDxpAcceptance::Accepted;
    bool operator==(const TDxpGameAcc&) const = default;
};

struct TDxpMove {
    int Seconds = 0; // the time the move took, for information
    int From = 0;
    int To = 0;
    std::vector<int> Captured; // the squares of the pieces taken, in any order
    bool operator==(const TDxpMove&) const = default;
};

// Why a program ends a game, from its own side; the acknowledging GAMEEND gives Unknown.
enum class TDxpEndReason { Unknown = 0, GiveUp = 1, Draw = 2, Win = 3 };

struct TDxpGameEnd {
    TDxpEndReason Reason = TDxpEndReason::Unknown;
    bool StopAll = false; // the sender wants no further game
    bool operator==(const TDxpGameEnd&) const = default;
};

struct TDxpChat {
    std::string Text;
    bool operator==(const TDxpChat&) const = default;
};

struct TDxpBackReq {
    int MoveNumber = 1; // 1..999
    TDxpColour ToMove = TDxpColour::White;
    bool operator==(const TDxpBackReq&) const = default;
};

enum class TDxpBackAnswer { Accepted = 0, NotSupported = 1, Declined = 2 };

struct TDxpBackAcc {
    TDxpBackAnswer Code = TDxpBackAnswer::Accepted;
    bool operator==(const TDxpBackAcc&) const = default;
};

using TDxpMessage = std::variant<TDxpGameReq, TDxpGameAcc, TDxpMove, TDxpGameEnd, TDxpChat,
                                 TDxpBackReq, TDxpBackAcc>;

// Reads one message (without the '\0' that ends it on the connection). Throws TDxpError
// saying what is wrong.
TDxpMessage ParseDxpMessage(std::string_view text);

// Writes one message. Names are cut or padded to their 32 letters (leading blanks dropped),
// a chat is cut to its 126 letters, and letters outside printable ASCII become '?'. Throws
// TDxpError for numbers that do not fit their fields and for a position with a letter other
// than e, w, z, W, Z.
std::string FormatDxpMessage(const TDxpMessage& message);

// The protocol's name of a message type: "GAMEREQ", "MOVE", ...
std::string_view DxpMessageName(const TDxpMessage& message);

// A move as players write it, for logs: "32-28", "28x19 (23)".
std::string DxpMoveText(const TDxpMove& move);

} // namespace quorvin::cli
