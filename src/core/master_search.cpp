// The master search; see master_search.h.
#include "master_search.h"

#include "move_generation.h"
#include "root_search.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace quorvin {

namespace {
constexpr int PollInterval = 1024;
constexpr int AspirationWindow = 30;
// Room for the moves of most nodes; a longer list grows its frame's arrays once.
constexpr int OrderRoom = 256;

int ToTable(int score, int ply) {
    if (score > MasterWinBound) return score + ply;
    if (score < -MasterWinBound) return score - ply;
    return score;
}

int FromTable(int score, int ply) {
    if (score > MasterWinBound) return score - ply;
    if (score < -MasterWinBound) return score + ply;
    return score;
}

int PiecesOf(const TPosition& p) {
    return p.Counts[White][Man] + p.Counts[White][King] + p.Counts[Black][Man] +
           p.Counts[Black][King];
}

bool ThreeKingsOnBoard(const TPosition& p) {
    const int whiteKings = p.Counts[White][King];
    const int blackKings = p.Counts[Black][King];
    return p.Counts[White][Man] == 0 && p.Counts[Black][Man] == 0 &&
           (whiteKings == 1 || whiteKings == 3) && whiteKings + blackKings == 4;
}

std::uint16_t MoveKey(const TMoveList& list, int index) {
    return static_cast<std::uint16_t>(list.FromOf(index) << 8 | list.ToOf(index));
}
} // namespace

double MasterScoreAsMen(int score) {
    if (MasterIsForced(score)) {
        const int plies = MasterWin - std::abs(score);
        return score > 0 ? -LossScore - plies : LossScore + plies;
    }
    return score / 100.0;
}

TMasterHistory MasterHistoryOf(const TGame& game) {
    TMasterHistory h;
    const TGameOptions& options = game.Options();
    h.Repetition = options.TripleRepetitionDraw;
    h.QuietMoves = options.QuietMovesDraw && game.Rules() != TRules::Vorna;
    h.ThreeKings = options.ThreeKingsDraw && ThreeKingsRuleApplies(game.Rules());
    for (int i = 0; i + 1 < game.Current(); ++i) h.Keys.push_back(MasterKey(game.Positions(i)));
    for (int i = game.Current() - 1; i >= 1 && game.Positions(i).QuietKingMove; --i) ++h.QuietRun;
    for (int i = game.Current() - 1; i >= 1 && ThreeKingsOnBoard(game.Positions(i)); --i)
        ++h.ThreeKingsRun;
    return h;
}

struct TMasterSearch::TFrame {
    std::unique_ptr<TPosition> Position;
    std::uint64_t Key = 0;
    int QuietRun = 0;
    int ThreeKingsRun = 0;
    std::array<std::uint16_t, 2> Killers{};
    std::vector<int> Scores;               // ordering scores of the moves not yet tried
    std::vector<std::uint16_t> Order;      // move indices, best first once picked
    std::vector<std::uint16_t> TriedQuiet; // quiet moves searched before a cut-off
};

TMasterSearch::TMasterSearch(std::size_t hashMiB) : EvalCache(EvalCacheSize), Table(hashMiB) {
    HistoryTable.assign(static_cast<std::size_t>(2 * (MaxSquares + 1) * (MaxSquares + 1)), 0);
}

TMasterSearch::~TMasterSearch() = default;

void TMasterSearch::Clear() {
    Table.Clear();
    std::fill(EvalCache.begin(), EvalCache.end(), TEvalEntry{});
    std::fill(HistoryTable.begin(), HistoryTable.end(), 0);
    for (TFrame& f : Frames) f.Killers = {};
}

void TMasterSearch::Prepare(const TPosition& root) {
    if (FrameType != &typeid(root) || Frames.empty()) {
        Frames.clear();
        Frames.resize(MasterMaxPly + 2);
        for (TFrame& f : Frames) {
            f.Position = root.NewPosition();
            f.Scores.resize(OrderRoom);
            f.Order.resize(OrderRoom);
            f.TriedQuiet.reserve(OrderRoom);
        }
        FrameType = &typeid(root);
    }
    const TRules rules = RulesOfPosition(root);
    if (!Board.Fits(rules)) {
        BuildMasterBoard(Board, root);
        Clear();
    }
    // The tables of king endings are worked out once a game comes near them, and kept.
    const int pieces = PiecesOf(root);
    RootPieces = pieces;
    UseEndings = pieces <= KingEndingsFromPieces ? Endings.Build(root) : Endings.Fit(root);
    Table.NewSearch();
    // Older history counts weigh less in a new search.
    for (int& h : HistoryTable) h /= 4;
    for (TFrame& f : Frames) f.Killers = {};
}

TMasterResult TMasterSearch::Think(const TGame& game, const TMasterLimits& limits,
                                   TSearchState& control, const TReport& report,
                                   bool answerSingle) {
    return Think(game.CurrentPosition(), MasterHistoryOf(game), limits, control, report,
                 answerSingle);
}

TMasterResult TMasterSearch::Think(const TPosition& root, const TMasterHistory& history,
                                   const TMasterLimits& limits, TSearchState& control,
                                   const TReport& report, bool answerSingle) {
    StartMs = TickCount();
    Prepare(root);
    Control = &control;
    Limits = limits;
    Rules = history;
    NodeCount = 0;
    NextPoll = NextPump = 0;
    Aborted = false;

    TFrame& top = Frames[0];
    *top.Position = root;
    top.Key = MasterKey(root);
    top.QuietRun = history.QuietRun;
    top.ThreeKingsRun = history.ThreeKingsRun;
    HistoryLength = static_cast<int>(history.Keys.size());
    KeyStack.assign(history.Keys.begin(), history.Keys.end());
    KeyStack.resize(static_cast<std::size_t>(HistoryLength + MasterMaxPly + 2), 0);
    KeyStack[static_cast<std::size_t>(HistoryLength)] = top.Key;
    SetTimes(root);

    TMasterResult result;
    if (top.Position->Moves.Count == 0 && top.Position->ClassifyNode(false) != NodeHasMoves)
        return result;
    if (top.Position->Moves.Count == 1 && answerSingle) {
        result.Move = 1;
        result.Pv = {1};
        return result;
    }
    result = NarrowLayout ? Run<std::uint64_t>(report) : Run<TBits>(report);
    result.Ms = TickCount() - StartMs;
    result.Nodes = NodeCount;
    return result;
}

void TMasterSearch::SetTimes(const TPosition& root) {
    SoftMs = HardMs = 0;
    if (Limits.MoveTimeMs > 0) {
        SoftMs = HardMs = Limits.MoveTimeMs;
        return;
    }
    if (Limits.ClockMs < 0) return;
    // Moves still to play: fewer as the men leave the board.
    const int men = root.Counts[White][Man] + root.Counts[Black][Man];
    const double phase = std::min(1.0, men / static_cast<double>(Board.InitialMen));
    int movesLeft = static_cast<int>(std::lround(15 + 15 * phase));
    if (Limits.MovesToGo > 0) movesLeft = std::min(movesLeft, Limits.MovesToGo);
    const double clock = static_cast<double>(Limits.ClockMs);
    const double increment = static_cast<double>(Limits.IncrementMs);
    // A little is kept back against the delays of pipes and sockets.
    const double usable = std::max(1.0, clock + increment - std::min(0.05 * clock, 500.0));
    const double share = (clock + increment * (movesLeft - 1)) / movesLeft;
    SoftMs = std::max<long long>(1, std::llround(std::min(share, usable)));
    HardMs = std::max<long long>(
        1, std::llround(std::min(4.0 * share, usable * (movesLeft > 1 ? 0.5 : 0.9))));
    SoftMs = std::min(SoftMs, HardMs);
}

bool TMasterSearch::Poll() {
    NextPoll = NodeCount + PollInterval;
    if (Limits.Nodes > 0) {
        if (NodeCount < Limits.Nodes)
            NextPoll = std::min(NextPoll, Limits.Nodes);
        else if (RootDepth > 1)
            Aborted = true;
    }
    if (NodeCount >= NextPump) {
        NextPump = NodeCount + PumpInterval;
        Control->Nodes = NodeCount;
        if (Control->PumpHook) Control->PumpHook();
    }
    if (Control->StopRequested()) Aborted = true;
    if (HardMs > 0 && RootDepth > 1 && TickCount() - StartMs >= HardMs) Aborted = true;
    return Aborted;
}

void TMasterSearch::NoteLeaf(int ply) {
    ++LeafCount;
    LeafPlies += ply;
    MinLeaf = std::min(MinLeaf, ply);
    SelDepth = std::max(SelDepth, ply);
}

bool TMasterSearch::DrawnByRules(int ply) const {
    const TFrame& f = Frames[static_cast<std::size_t>(ply)];
    if (Rules.QuietMoves && f.QuietRun >= TGame::QuietMovesPlies) return true;
    if (Rules.ThreeKings && f.ThreeKingsRun >= TGame::ThreeKingsPlies) return true;
    // Only quiet king moves can lead back to a position; four plies at the least.
    if (Rules.Repetition && f.QuietRun >= 4) {
        const int top = HistoryLength + ply;
        for (int back = 4; back <= f.QuietRun && back <= top; back += 2)
            if (KeyStack[static_cast<std::size_t>(top - back)] == f.Key) return true;
    }
    return false;
}

int TMasterSearch::Evaluate(int ply) {
    NoteLeaf(ply);
    const TFrame& f = Frames[static_cast<std::size_t>(ply)];
    TEvalEntry& e = EvalCache[f.Key & (EvalCacheSize - 1)];
    if (e.Key != f.Key) {
        e.Key = f.Key;
        e.Score = MasterEvaluate(*f.Position, Board);
    }
    if (Contempt == 0) return e.Score;
    // Counted from the full board, so that a table entry means the same in the next search.
    const int bonus = Contempt * PiecesOf(*f.Position) / Board.InitialMen;
    return ply % 2 == 0 ? e.Score + bonus : e.Score - bonus;
}

int TMasterSearch::EndingScore(int ply) {
    NoteLeaf(ply);
    const TFrame& f = Frames[static_cast<std::size_t>(ply)];
    const TKingEndingResult r = Endings.Probe(*f.Position);
    if (r.Kind == TKingEndingResult::TKind::Draw) return 0;
    // A draw rule ends the game first unless the result comes in time.
    int room = MasterMaxPly;
    if (Rules.QuietMoves) room = std::min(room, TGame::QuietMovesPlies - f.QuietRun);
    if (Rules.ThreeKings && ThreeKingsOnBoard(*f.Position))
        room = std::min(room, TGame::ThreeKingsPlies - f.ThreeKingsRun);
    if (r.Plies > room) return 0;
    return r.Kind == TKingEndingResult::TKind::Win ? MasterWin - ply - r.Plies
                                                   : -MasterWin + ply + r.Plies;
}

template <class W> void TMasterSearch::MakeChild(int ply, int index) {
    TFrame& f = Frames[static_cast<std::size_t>(ply)];
    TFrame& c = Frames[static_cast<std::size_t>(ply + 1)];
    TPosition& child = *c.Position;
    child.PlayMoveIn<W>(*f.Position, index);
    c.Key = MasterChildKey<W>(f.Key, *f.Position, child);
    if (UseTable) Table.Prefetch(c.Key);
    __builtin_prefetch(&EvalCache[c.Key & (EvalCacheSize - 1)]);
    c.QuietRun = child.QuietKingMove ? f.QuietRun + 1 : 0;
    c.ThreeKingsRun = ThreeKingsOnBoard(child) ? f.ThreeKingsRun + 1 : 0;
    KeyStack[static_cast<std::size_t>(HistoryLength + ply + 1)] = c.Key;
}

template <class W> bool TMasterSearch::OpponentThreatens(const TPosition& p) {
    using S = TSquareSetOf<W>;
    const S own(p.Own), enemy(p.Enemy);
    const S empty = S(PlayableBits) & ~(own | enemy);
    ThreatList.Reset(1, true);
    return generation::Captures(ThreatList, p.Switches(), p.Opponent, enemy, own, empty,
                                S(p.Kings));
}

template <class W> bool TMasterSearch::CaptureNextTo(const TPosition& p) {
    using S = TSquareSetOf<W>;
    const TRuleSwitches& rules = p.Switches();
    const S own(p.Own), enemy(p.Enemy);
    const S empty = S(PlayableBits) & ~(own | enemy);
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & S(p.Kings);
    return generation::NeighbourJumpers(rules, p.SideToMove, own & ~kings, kings,
                                        generation::JumpSets(enemy, empty))
        .Any();
}

void TMasterSearch::OrderMoves(int ply, int ttMove) {
    TFrame& f = Frames[static_cast<std::size_t>(ply)];
    const TPosition& p = *f.Position;
    const TMoveList& list = p.Moves;
    const int n = list.Count;
    if (static_cast<int>(f.Scores.size()) < n) {
        f.Scores.resize(static_cast<std::size_t>(n));
        f.Order.resize(static_cast<std::size_t>(n));
    }
    const bool captures = list.CaptureLength() > 0;
    const int side = p.SideToMove;
    for (int i = 1; i <= n; ++i) {
        int score;
        if (i == ttMove) {
            score = 1 << 30;
        } else if (captures) {
            const int taken = list.CaptureCountOf(i);
            int kings = 0;
            for (int k = 1; k <= taken; ++k)
                kings += p.Kings.Has(BitOfSquare[list.CapturedOf(i, k)]);
            score = (1 << 24) + taken * 4096 + kings * 1024 +
                    HistoryOf(side, list.FromOf(i), list.ToOf(i)) / 64;
        } else {
            const int from = list.FromOf(i), to = list.ToOf(i);
            const std::uint16_t key = MoveKey(list, i);
            if (key == f.Killers[0])
                score = (1 << 22) + 1;
            else if (key == f.Killers[1])
                score = 1 << 22;
            else
                score = HistoryOf(side, from, to);
            if (PromotionRow[to][side] && !p.Kings.Has(BitOfSquare[from])) score += 1 << 23;
        }
        f.Scores[static_cast<std::size_t>(i - 1)] = score;
        f.Order[static_cast<std::size_t>(i - 1)] = static_cast<std::uint16_t>(i);
    }
}

int TMasterSearch::PickMove(int ply, int from) {
    TFrame& f = Frames[static_cast<std::size_t>(ply)];
    const int n = f.Position->Moves.Count;
    int best = from;
    for (int k = from + 1; k < n; ++k)
        if (f.Scores[static_cast<std::size_t>(k)] > f.Scores[static_cast<std::size_t>(best)])
            best = k;
    std::swap(f.Scores[static_cast<std::size_t>(from)], f.Scores[static_cast<std::size_t>(best)]);
    std::swap(f.Order[static_cast<std::size_t>(from)], f.Order[static_cast<std::size_t>(best)]);
    return f.Order[static_cast<std::size_t>(from)];
}

void TMasterSearch::UpdatePv(int ply, int index) {
    auto& line = PvTable[static_cast<std::size_t>(ply)];
    const auto& next = PvTable[static_cast<std::size_t>(ply + 1)];
    line[static_cast<std::size_t>(ply)] = static_cast<std::uint16_t>(index);
    int length = PvLength[static_cast<std::size_t>(ply + 1)];
    if (length < ply + 1) length = ply + 1;
    for (int k = ply + 1; k < length; ++k)
        line[static_cast<std::size_t>(k)] = next[static_cast<std::size_t>(k)];
    PvLength[static_cast<std::size_t>(ply)] = length;
}

std::vector<int> TMasterSearch::CollectPv() const {
    std::vector<int> pv;
    for (int k = 0; k < PvLength[0]; ++k) pv.push_back(PvTable[0][static_cast<std::size_t>(k)]);
    return pv;
}

template <class W> TMasterResult TMasterSearch::Run(const TReport& report) {
    TMasterResult result;
    TFrame& top = Frames[0];
    const int n = top.Position->Moves.Count;
    int ttMove = 0;
    if (const TMasterEntry* e = UseTable ? Table.Probe(top.Key) : nullptr; e && e->Move <= n)
        ttMove = e->Move;
    // The first order: the table's move, then the order of any node; ties keep the list's.
    OrderMoves(0, ttMove);
    RootMoves.clear();
    for (int k = 0; k < n; ++k) RootMoves.push_back({PickMove(0, k)});
    result.Move = RootMoves.front().Index;

    int previous = 0;
    for (int depth = 1; depth <= std::max(1, Limits.Depth); ++depth) {
        RootDepth = depth;
        SelDepth = 0;
        MinLeaf = MasterMaxPly;
        LeafCount = LeafPlies = 0;
        int window = AspirationWindow;
        int alpha = -MasterInfinity, beta = MasterInfinity;
        if (depth >= 4 && !MasterIsForced(previous)) {
            alpha = previous - window;
            beta = previous + window;
        }
        int score = 0;
        for (;;) {
            score = SearchRoot<W>(depth, alpha, beta);
            if (Aborted) break;
            if (score <= alpha && alpha > -MasterInfinity) {
                alpha = std::max(-MasterInfinity, alpha - window);
                window *= 2;
            } else if (score >= beta && beta < MasterInfinity) {
                beta = std::min(MasterInfinity, beta + window);
                window *= 2;
            } else {
                break;
            }
        }
        // The best move so far stands first, also in a broken-off iteration.
        result.Move = RootMoves.front().Index;
        TMasterIteration it;
        it.Depth = depth;
        it.SelectiveDepth = SelDepth;
        it.MinLeafDepth = LeafCount > 0 ? MinLeaf : 0;
        it.MeanLeafDepth = LeafCount > 0 ? static_cast<double>(LeafPlies) / LeafCount : 0.0;
        it.Nodes = NodeCount;
        it.Ms = TickCount() - StartMs;
        it.Complete = !Aborted;
        if (Aborted) {
            // A move searched to the end in the broken-off iteration may have taken the lead;
            // the line and the score of the last complete iteration stand otherwise.
            if (!result.Pv.empty() && result.Pv.front() != result.Move) {
                result.Pv = {result.Move};
                result.Ponder = 0;
            }
            break;
        }
        previous = score;
        // The score shown leaves out what the pieces on the board at the root add.
        if (!MasterIsForced(score)) score -= Contempt * RootPieces / Board.InitialMen;
        result.Score = score;
        result.Depth = depth;
        result.Searched = true;
        result.Pv = CollectPv();
        if (result.Pv.empty() || result.Pv.front() != result.Move) result.Pv = {result.Move};
        result.Ponder = result.Pv.size() >= 2 ? result.Pv[1] : 0;
        it.Score = score;
        it.Pv = result.Pv;
        if (report) report(it);

        const long long elapsed = TickCount() - StartMs;
        // A forced result searched deep enough does not change.
        if (MasterIsForced(score) && depth > MasterWin - std::abs(score) + 2 &&
            (SoftMs > 0 || Limits.Nodes > 0))
            break;
        // On a clock, no iteration is begun that is not expected to end in time.
        if (Limits.MoveTimeMs <= 0 && SoftMs > 0 && elapsed * 2 > SoftMs) break;
        if (Limits.Nodes > 0 && NodeCount >= Limits.Nodes) break;
    }
    return result;
}

template <class W> int TMasterSearch::SearchRoot(int depth, int alpha, int beta) {
    PvLength[0] = 0;
    ++NodeCount;
    int best = -MasterInfinity;
    const int n = static_cast<int>(RootMoves.size());
    for (int k = 0; k < n; ++k) {
        const int index = RootMoves[static_cast<std::size_t>(k)].Index;
        const TMoveList& list = Frames[0].Position->Moves;
        const bool quiet = list.CaptureLength() == 0;
        MakeChild<W>(0, index);
        int score;
        if (k == 0) {
            score = -Search<W>(1, depth - 1, -beta, -alpha, true);
        } else {
            const int reduction = Selective && depth >= 3 && quiet && k >= 3 ? 1 : 0;
            score = -Search<W>(1, depth - 1 - reduction, -alpha - 1, -alpha, false);
            if (!Aborted && score > alpha && reduction > 0)
                score = -Search<W>(1, depth - 1, -alpha - 1, -alpha, false);
            if (!Aborted && score > alpha && score < beta)
                score = -Search<W>(1, depth - 1, -beta, -alpha, true);
        }
        if (Aborted) break;
        if (score > best) best = score;
        if (score > alpha) {
            UpdatePv(0, index);
            // The new best goes first; the others keep their order.
            std::rotate(RootMoves.begin(), RootMoves.begin() + k, RootMoves.begin() + k + 1);
            if (score >= beta) break;
            alpha = score;
        }
    }
    return best;
}

template <class W> int TMasterSearch::Search(int ply, int depth, int alpha, int beta, bool pvNode) {
    PvLength[static_cast<std::size_t>(ply)] = ply;
    if (DrawnByRules(ply)) {
        NoteLeaf(ply);
        // A side without a move has lost, whatever draw rule the position meets as well.
        return Frames[static_cast<std::size_t>(ply)].Position->ClassifyFresh<W>(true) == NodeLost
                   ? -MasterWin + ply
                   : 0;
    }
    if (UseEndings && TKingEndings::Covers(*Frames[static_cast<std::size_t>(ply)].Position))
        return EndingScore(ply);
    if (depth <= 0) return Quiesce<W>(ply, alpha, beta, 0);
    if (++NodeCount >= NextPoll && Poll()) return 0;
    TFrame& f = Frames[static_cast<std::size_t>(ply)];
    TPosition& p = *f.Position;
    if (ply >= MasterMaxPly) return Evaluate(ply);
    // No line can do better than a win at the next ply, nor worse than a loss here.
    alpha = std::max(alpha, -MasterWin + ply);
    beta = std::min(beta, MasterWin - ply - 1);
    if (alpha >= beta) return alpha;

    int ttMove = 0;
    if (const TMasterEntry* e = UseTable ? Table.Probe(f.Key) : nullptr) {
        ttMove = e->Move;
        const int score = FromTable(e->Score, ply);
        const auto bound = static_cast<TBound>(e->Bound);
        if (!pvNode && (e->Depth == depth || (Selective && e->Depth > depth)) &&
            (bound == TBound::Exact || (bound == TBound::Lower && score >= beta) ||
             (bound == TBound::Upper && score <= alpha)))
            return score;
    }

    if (p.ClassifyFresh<W>(false) == NodeLost) {
        NoteLeaf(ply);
        return -MasterWin + ply;
    }
    const int n = p.Moves.Count;
    if (ttMove > n) ttMove = 0;
    const bool captures = p.Moves.CaptureLength() > 0;

    // A shallow search that clears a raised bound lets a quiet node be cut at once.
    if (Selective && !pvNode && !captures && depth >= 3 && !MasterIsForced(beta)) {
        const int margin = depth * 15;
        const int raised = beta + margin;
        const int score = Search<W>(ply, depth * 2 / 5, raised - 1, raised, false);
        if (Aborted) return 0;
        if (score >= raised) return score - margin;
        // The shallow search listed the moves afresh, in the same order.
    }

    // A forced move costs no depth.
    const int extension = n == 1 && ply < 2 * RootDepth + 8 ? 1 : 0;
    OrderMoves(ply, ttMove);
    f.TriedQuiet.clear();
    const int oldAlpha = alpha;
    int best = -MasterInfinity, bestMove = 0;
    for (int k = 0; k < n; ++k) {
        const int index = PickMove(ply, k);
        const TMoveList& list = p.Moves;
        const int from = list.FromOf(index), to = list.ToOf(index);
        const std::uint16_t key = MoveKey(list, index);
        const bool promotion = PromotionRow[to][p.SideToMove] && !p.Kings.Has(BitOfSquare[from]);
        const bool quiet = !captures && !promotion;
        const bool killer = key == f.Killers[0] || key == f.Killers[1];
        MakeChild<W>(ply, index);
        const int newDepth = depth - 1 + extension;
        int score;
        if (k == 0) {
            score = -Search<W>(ply + 1, newDepth, -beta, -alpha, pvNode);
        } else {
            int reduction = 0;
            if (Selective && depth >= 3 && quiet && !killer && k >= (pvNode ? 3 : 1))
                reduction = !pvNode && k >= 4 ? 2 : 1;
            // A move that lets the opponent take is a sacrifice or, far more often, a blunder.
            if (reduction > 0 && !pvNode && depth >= 3 &&
                CaptureNextTo<W>(*Frames[static_cast<std::size_t>(ply + 1)].Position))
                reduction += depth >= 6 ? 2 : 1;
            score = -Search<W>(ply + 1, newDepth - reduction, -alpha - 1, -alpha, false);
            if (!Aborted && score > alpha && reduction > 0)
                score = -Search<W>(ply + 1, newDepth, -alpha - 1, -alpha, false);
            if (!Aborted && pvNode && score > alpha && score < beta)
                score = -Search<W>(ply + 1, newDepth, -beta, -alpha, true);
        }
        if (Aborted) return 0;
        if (score > best) {
            best = score;
            bestMove = index;
            if (score > alpha) {
                if (pvNode) UpdatePv(ply, index);
                if (score >= beta) {
                    if (quiet) {
                        if (f.Killers[0] != key) {
                            f.Killers[1] = f.Killers[0];
                            f.Killers[0] = key;
                        }
                        const int bonus = std::min(depth * depth, 400);
                        auto reward = [&](int& h, int amount) {
                            h += amount - h * std::abs(amount) / 16384;
                        };
                        reward(HistoryOf(p.SideToMove, from, to), bonus);
                        for (const std::uint16_t tried : f.TriedQuiet)
                            reward(HistoryOf(p.SideToMove, list.FromOf(tried), list.ToOf(tried)),
                                   -bonus);
                    }
                    break;
                }
                alpha = score;
            }
        }
        if (quiet) f.TriedQuiet.push_back(static_cast<std::uint16_t>(index));
    }
    const TBound bound = best >= beta      ? TBound::Lower
                         : best > oldAlpha ? TBound::Exact
                                           : TBound::Upper;
    if (UseTable)
        Table.Store(f.Key, ToTable(best, ply), bound == TBound::Upper ? ttMove : bestMove, depth,
                    bound);
    return best;
}

template <class W> int TMasterSearch::Quiesce(int ply, int alpha, int beta, int qply) {
    PvLength[static_cast<std::size_t>(ply)] = ply;
    if (++NodeCount >= NextPoll && Poll()) return 0;
    TFrame& f = Frames[static_cast<std::size_t>(ply)];
    TPosition& p = *f.Position;
    if (UseEndings && TKingEndings::Covers(p)) return EndingScore(ply);
    if (ply >= MasterMaxPly) return Evaluate(ply);
    const int kind = p.ClassifyFresh<W>(true);
    if (kind == NodeLost) {
        NoteLeaf(ply);
        return -MasterWin + ply;
    }
    if (kind == NodeQuiet) {
        // Where the opponent threatens to take, the position is not quiet yet: one ply more.
        if (qply == 0 && ply < 2 * RootDepth + 8 && OpponentThreatens<W>(p))
            return Search<W>(ply, 1, alpha, beta, false);
        return Evaluate(ply);
    }
    // Captures are compulsory: every one is searched and there is no standing pat.
    int best = -MasterInfinity;
    const int n = p.Moves.Count;
    for (int i = 1; i <= n; ++i) {
        MakeChild<W>(ply, i);
        const int score = -Quiesce<W>(ply + 1, -beta, -std::max(alpha, best), qply + 1);
        if (Aborted) return 0;
        if (score > best) {
            best = score;
            if (best >= beta) break;
        }
    }
    return best;
}

} // namespace quorvin
