// The DamExchange messages as text (every type read and written back, broken ones refused
// with their header kept) and as moves and positions of the 10 x 10 board.
#include "dxp_board.h"
#include "dxp_protocol.h"

#include "fen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
std::string Padded(const std::string& name) {
    return name + std::string(DxpNameLength - name.size(), ' ');
}

const std::string InitialBoard = std::string(20, 'z') + std::string(10, 'e') + std::string(20, 'w');
} // namespace

TEST(DxpProtocol, EveryMessageTypeReadsAndWritesBackTheSame) {
    TDxpGameReq setUp;
    setUp.Initiator = "Tester";
    setUp.FollowerColour = TDxpColour::White;
    setUp.Minutes = 5;
    setUp.Moves = 40;
    setUp.Setup = TDxpSetup{TDxpColour::Black, std::string(49, 'e') + "Z"};
    TDxpGameReq initial;
    initial.Initiator = "Quorvin 4.02";
    const std::vector<std::pair<std::string, TDxpMessage>> cases = {
        {"R01" + Padded("Quorvin 4.02") + "Z001000A", initial},
        {"R01" + Padded("Tester") + "W005040BZ" + std::string(49, 'e') + "Z", setUp},
        // The protocol's own examples.
        {"ATornado voor Windows 4.0        0", TDxpGameAcc{"Tornado voor Windows 4.0"}},
        {"M0012061100", TDxpMove{12, 6, 11, {}}},
        {"M001205250422122320", TDxpMove{12, 5, 25, {22, 12, 23, 20}}},
        {"E00", TDxpGameEnd{}},
        {"E21", TDxpGameEnd{TDxpEndReason::Draw, true}},
        {"CWhat do you think about move 35?", TDxpChat{"What do you think about move 35?"}},
        {"B005Z", TDxpBackReq{5, TDxpColour::Black}},
        {"K1", TDxpBackAcc{TDxpBackAnswer::NotSupported}},
        {"A" + Padded("Refuser") + "3", TDxpGameAcc{"Refuser", TDxpAcceptance::NoGames}},
    };
    for (const auto& [text, message] : cases) {
        const TDxpMessage read = ParseDxpMessage(text);
        EXPECT_EQ(read, message) << text;
        EXPECT_EQ(FormatDxpMessage(read), text) << text;
    }
    // The position some programs send after 'A' anyway is no part of the request.
    const TDxpMessage extra = ParseDxpMessage("R01" + Padded("X") + "Z001000AW" + InitialBoard);
    EXPECT_FALSE(std::get<TDxpGameReq>(extra).Setup.has_value());
}

TEST(DxpProtocol, BrokenMessagesAreRefusedNamingTheFieldAndKeepingTheHeader) {
    const std::string req = "R01" + Padded("X");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"X123", "unknown message type 'X'"},
        {"M00120611", "too short for its number captured"},
        {"M0012061101", "too short for its captured piece"},
        {"M0012651100", "from field 65 is outside 1..50"},
        {"M00120611000", "1 letters too many"},
        {"M0012061121" + std::string(42, '1'), "number captured 21 is outside 0..20"},
        {"M00a2061100", "time is \"00a2\", not 4 digits"},
        {"E40", "reason 4 is outside 0..3"},
        {"E001", "1 letters too many"},
        {req + "Z001000C", "starting position is 'C', not A or B"},
        {req + "Q001000A", "follower colour is 'Q', not W or Z"},
        {req + "Z001000BW" + std::string(49, 'e') + "x", "square 50 of the position is 'x'"},
        {req + "Z001000BW" + std::string(49, 'e'), "too short for its position"},
        {"A" + Padded("Y") + "7", "acceptance code 7 is outside 0..3"},
        {"B000W", "move number 0 is outside 1..999"},
        {"B001", "too short for its colour to move"},
        {"K3", "acceptance code 3 is outside 0..2"},
        {"C" + std::string(127, 'a'), "the most is 127"},
        {"Cna\xefve", "outside ASCII"},
    };
    for (const auto& [text, says] : cases) {
        try {
            ParseDxpMessage(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const TDxpError& e) {
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
            EXPECT_EQ(e.Header, text.empty() ? 0 : text[0]) << text;
        }
    }
}

TEST(DxpProtocol, WritingFitsFieldsOrRefusesWhatCannotBeSent) {
    // Names are cut to their field without leading blanks; chats are printable ASCII.
    EXPECT_EQ(FormatDxpMessage(TDxpGameAcc{"  " + std::string(40, 'n')}),
              "A" + std::string(32, 'n') + "0");
    EXPECT_EQ(FormatDxpMessage(TDxpChat{"caf\xc3\xa9\n"}), "Ccaf???");
    EXPECT_EQ(FormatDxpMessage(TDxpChat{std::string(200, 'c')}).size(), DxpMaxLength);
    EXPECT_THROW(FormatDxpMessage(TDxpMove{0, 0, 11, {}}), TDxpError);
    EXPECT_THROW(FormatDxpMessage(TDxpMove{0, 6, 11, std::vector<int>(21, 7)}), TDxpError);
    TDxpGameReq request;
    request.Minutes = 1000;
    EXPECT_THROW(FormatDxpMessage(request), TDxpError);
    request.Minutes = 1;
    request.Setup = TDxpSetup{TDxpColour::White, std::string(50, 'b')};
    EXPECT_THROW(FormatDxpMessage(request), TDxpError);
}

TEST(DxpBoard, PositionsAndMovesCrossBothWays) {
    UseDxpBoard();
    const TGame start(TRules::International);
    EXPECT_EQ(DxpSetupOf(start.CurrentPosition()), (TDxpSetup{TDxpColour::White, InitialBoard}));

    // Every legal move of these positions names itself through a MOVE's text.
    const TNotation notation;
    for (const char* fen : {"W:W31-50:B1-20", "B:W27,28,32,33,K46:B1-15,18,19,22",
                            "W:WK46,28:B8,9,10,13,14,17,19,20,23,24,37"}) {
        TGame game(TRules::International);
        ApplyFen(ParseFen(notation, fen), game.CurrentPosition());
        TPosition& p = game.CurrentPosition();
        p.ClassifyNode(false);
        ASSERT_GT(p.Moves.Count, 0) << fen;
        TGame again(TRules::International);
        ApplyFen(FenOfDxpSetup(DxpSetupOf(p)), again.CurrentPosition());
        EXPECT_EQ(FormatFen(notation, again.CurrentPosition()), FormatFen(notation, p)) << fen;
        for (int i = 1; i <= p.Moves.Count; ++i) {
            const TDxpMessage sent = ParseDxpMessage(FormatDxpMessage(DxpMoveOf(p, i, 3)));
            const int found = FindDxpMove(p, std::get<TDxpMove>(sent));
            EXPECT_TRUE(SameMove(p.Moves.GetMove(found), p.Moves.GetMove(i)) ||
                        DxpMoveOf(p, found, 3) == DxpMoveOf(p, i, 3))
                << fen << " move " << i;
        }
    }

    TGame game(TRules::International);
    ApplyFen(ParseFen(notation, "W:W28:B23,32"), game.CurrentPosition());
    TPosition& p = game.CurrentPosition();
    p.ClassifyNode(false);
    // A capture named by its squares alone, and moves that are no legal move.
    EXPECT_EQ(DxpMoveOf(p, FindDxpMove(p, TDxpMove{0, 28, 19, {}}), 0),
              (TDxpMove{0, 28, 19, {23}}));
    EXPECT_THROW(FindDxpMove(p, TDxpMove{0, 28, 22, {}}), TDxpError);
    EXPECT_THROW(FindDxpMove(p, TDxpMove{0, 28, 19, {24}}), TDxpError);
}

TEST(DxpBoard, AGameRequestStartsOnlyFromAPlayablePosition) {
    UseDxpBoard();
    TDxpGameReq request;
    EXPECT_EQ(DxpStartGame(request).CurrentPosition().Counts[White][Man], 20);
    request.Setup = TDxpSetup{TDxpColour::Black, std::string(20, 'z') + std::string(7, 'e') + "w" +
                                                     std::string(22, 'e')};
    EXPECT_EQ(DxpStartGame(request).CurrentPosition().SideToMove, Black);
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"w" + std::string(48, 'e') + "z", "crowned"},                 // white man on 1
        {std::string(49, 'e') + "Z", "no move"},                       // nothing to move
        {std::string(21, 'z') + std::string(28, 'e') + "w", "pieces"}, // 21 black men
    };
    for (const auto& [board, says] : refused) {
        request.Setup = TDxpSetup{TDxpColour::Black, board};
        if (says == "no move") request.Setup->ToMove = TDxpColour::White;
        try {
            DxpStartGame(request);
            ADD_FAILURE() << board;
        } catch (const TDxpError& e) {
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
            EXPECT_EQ(e.Header, 'R');
        }
    }
}
