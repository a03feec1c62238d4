// The game record: positions and the moves that led to them, cursor walks, draw rules and the
// per-side search budget.
#include "game.h"

#include "rules.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace quorvin {

int IndexOfPlayed(const TMoveList& list, const TPlayedMove& played) {
    if (played.Index >= 1 && played.Index <= list.Count &&
        SameMove(list.GetMove(played.Index), played.Move))
        return played.Index;
    for (int k = 1; k <= list.Count; ++k)
        if (SameMove(list.GetMove(k), played.Move)) return k;
    return 0;
}

TGame::TGame(TRules rules, const TGameOptions& options) : GameRules(rules), GameOptions(options) {
    Items.push_back({CreatePosition(rules), std::nullopt});
    Items.back().Position->SetInitial();
}

TPosition& TGame::Positions(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("The game record has no position " + std::to_string(index));
    return *Items[static_cast<std::size_t>(index)].Position;
}

const TPosition& TGame::Positions(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("The game record has no position " + std::to_string(index));
    return *Items[static_cast<std::size_t>(index)].Position;
}

const TPlayedMove* TGame::MoveLeadingTo(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("The game record has no position " + std::to_string(index));
    const std::optional<TPlayedMove>& played = Items[static_cast<std::size_t>(index)].Played;
    return played ? &*played : nullptr;
}

TPosition& TGame::AddPosition() {
    TruncateRedo();
    Items.push_back({CreatePosition(GameRules), std::nullopt});
    CurrentCount = Count();
    return *Items.back().Position;
}

void TGame::TruncateRedo() {
    Items.resize(static_cast<std::size_t>(CurrentCount));
}

void TGame::DropHistory() {
    Items.erase(Items.begin(), Items.begin() + (CurrentCount - 1));
    Items.front().Played.reset();
    CurrentCount = 1;
}

void TGame::PlayMove(int index) {
    if (index < 1 || index > CurrentPosition().Moves.Count)
        throw std::out_of_range("The position has no move " + std::to_string(index));
    // The value table changes with every search's Disposition, so the evaluation a recorded
    // position got under an earlier table is brought up to date before a move is made from
    // it: the new position's evaluation then agrees with the table in force.
    CurrentPosition().Evaluate();
    const TPlayedMove played{index, CurrentPosition().Moves.GetMove(index)};
    AddPosition().PlayMove(Positions(Count() - 2), index);
    Items.back().Played = played;
}

bool TGame::ComputerToMove() const {
    return GameOptions.ComputerSide[CurrentPosition().SideToMove];
}

bool TGame::SingleMove() const {
    return CurrentPosition().Moves.Count == 1;
}

bool TGame::RandomLevel() const {
    const TPosition& p = CurrentPosition();
    return p.FixedDepth && p.DepthLimit == 0;
}

void TGame::InheritBudget() {
    TPosition& p = CurrentPosition();
    if (CurrentCount < 3) {
        p.Budget = InitialBudget;
        p.LastTime = p.TimeLimit;
    } else {
        p.Budget = SameSideBefore().Budget;
        p.LastTime = SameSideBefore().LastTime;
    }
}

void TGame::AdaptBudget() {
    if (CurrentPosition().BudgetFresh) InheritBudget();
    TPosition& p = CurrentPosition();
    // The floor keeps the ratio finite after a search that took no measurable time.
    double ratio = p.TimeLimit / std::max(static_cast<double>(p.LastTime), 1.0 / 18.0);
    // Too fast: grow carefully; too slow: shrink by the full ratio.
    if (ratio > 1.0) ratio = std::sqrt(ratio);
    p.Budget = std::max(std::min(p.Budget * ratio, MaxBudget), MinBudget);
    p.BudgetFresh = false;
}

template <class Predicate> int TGame::RunBack(int count, Predicate holds) const {
    int run = 0;
    for (int i = count - 1; i >= 1 && holds(Positions(i)); --i) ++run;
    return run;
}

bool TGame::RepetitionDraw(int count) const {
    // Only every second position has the same side to move as the last one.
    const TPosition& now = Positions(count - 1);
    int occurrences = 1;
    for (int i = count - 3; i >= 0; i -= 2)
        if (Positions(i).SameAs(now)) ++occurrences;
    return occurrences >= 3 && GameOptions.TripleRepetitionDraw;
}

bool TGame::QuietMovesDraw(int count) const {
    const int run = RunBack(count, [](const TPosition& p) { return p.QuietKingMove; });
    return run >= QuietMovesPlies && GameOptions.QuietMovesDraw;
}

bool TGame::ThreeKingsDraw(int count) const {
    const int run = RunBack(count, [](const TPosition& p) {
        const int whiteKings = p.Counts[White][King];
        const int blackKings = p.Counts[Black][King];
        return p.Counts[White][Man] == 0 && p.Counts[Black][Man] == 0 &&
               (whiteKings == 1 || whiteKings == 3) && whiteKings + blackKings == 4;
    });
    return run >= ThreeKingsPlies && GameOptions.ThreeKingsDraw && ThreeKingsRuleApplies(GameRules);
}

TDrawRule TGame::DrawReached(int count) const {
    if (RepetitionDraw(count)) return TDrawRule::Repetition;
    if (GameRules != TRules::Vorna && QuietMovesDraw(count)) return TDrawRule::QuietMoves;
    if (ThreeKingsDraw(count)) return TDrawRule::ThreeKings;
    return TDrawRule::None;
}

bool TGame::AtStoppingPoint() const {
    return !ComputerToMove() && (!SingleMove() || !GameOptions.AutoSingleMove);
}

void TGame::Undo() {
    if (!CanUndo()) return;
    --CurrentCount;
    while (!AtStoppingPoint() && CurrentCount >= 2) --CurrentCount;
}

void TGame::Redo() {
    if (!CanRedo()) return;
    ++CurrentCount;
    while (!AtStoppingPoint() && CurrentCount < Count()) ++CurrentCount;
}

void TGame::UndoAll() {
    while (CurrentCount > 2) Undo();
    if (CurrentCount > 1) Undo();
}

void TGame::RedoAll() {
    while (CurrentCount < Count()) Redo();
}

void TGame::SetCurrent(int count) {
    if (count < 1 || count > Count())
        throw std::out_of_range("The game record holds no position " + std::to_string(count));
    CurrentCount = count;
}

} // namespace quorvin
