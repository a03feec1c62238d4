// render_board: draws a position with the game's board drawing into a PNG, so that tests and
// people can look at the board without a display.
//
//   render_board (--preset P | --rules N --rows R --files F [--coloring] | --file POS.qvp)
//                [--set 0..4 | --light N --dark N] [--mark 0|1] [--top] [--highlight S,S,...]
//                [--king S,S,...] [--mark-blocked] [--cell PX] [--data DIR] --out FILE.png
//
// --king crowns the pieces on the listed squares (an empty square gets a White king), so a
// picture can show kings in an initial position. --data reads the pictures from DIR/Images
// instead of the program's folder. The PNG is Files x cell wide and Rows x cell high.
#include "data_module.h"
#include "draw.h"
#include "game_settings.h"
#include "position_file.h"
#include "rules.h"
#include "settings.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

using namespace quorvin;

namespace {

struct TOptions {
    std::optional<std::string> Preset, File;
    std::optional<int> Rules, Rows, Files;
    bool Coloring = false;
    int Light = 0, Dark = 0, Mark = 0, Cell = 40;
    bool Top = false, MarkBlocked = false;
    std::set<int> Highlight, Kings;
    QString Data, Out;
};

[[noreturn]] void Usage(const std::string& problem) {
    throw std::invalid_argument(
        problem +
        "\nusage: render_board (--preset P | --rules N --rows R --files F [--coloring] | "
        "--file POS.qvp) [--set 0..4 | --light N --dark N] [--mark 0|1] [--top] "
        "[--highlight S,S,...] [--king S,S,...] [--mark-blocked] [--cell PX] [--data DIR] "
        "--out FILE.png");
}

int Number(const QString& text, const char* what) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) Usage(std::string("not a number for ") + what + ": " + text.toStdString());
    return n;
}

std::set<int> Squares(const QString& text, const char* what) {
    std::set<int> squares;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts))
        squares.insert(Number(part, what));
    return squares;
}

TOptions Parse(const QStringList& args) {
    TOptions o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) Usage("missing value after " + a.toStdString());
            return args[++i];
        };
        if (a == "--preset")
            o.Preset = value().toStdString();
        else if (a == "--file")
            o.File = value().toStdString();
        else if (a == "--rules")
            o.Rules = Number(value(), "--rules");
        else if (a == "--rows")
            o.Rows = Number(value(), "--rows");
        else if (a == "--files")
            o.Files = Number(value(), "--files");
        else if (a == "--coloring")
            o.Coloring = true;
        else if (a == "--set")
            o.Light = o.Dark = Number(value(), "--set");
        else if (a == "--light")
            o.Light = Number(value(), "--light");
        else if (a == "--dark")
            o.Dark = Number(value(), "--dark");
        else if (a == "--mark")
            o.Mark = Number(value(), "--mark");
        else if (a == "--top")
            o.Top = true;
        else if (a == "--mark-blocked")
            o.MarkBlocked = true;
        else if (a == "--highlight")
            o.Highlight = Squares(value(), "--highlight");
        else if (a == "--king")
            o.Kings = Squares(value(), "--king");
        else if (a == "--cell")
            o.Cell = Number(value(), "--cell");
        else if (a == "--data")
            o.Data = value();
        else if (a == "--out")
            o.Out = value();
        else
            Usage("unknown argument " + a.toStdString());
    }
    const int sources = int(o.Preset.has_value()) + int(o.File.has_value()) +
                        int(o.Rules.has_value() || o.Rows || o.Files);
    if (sources != 1) Usage("give exactly one of --preset, --file, or --rules/--rows/--files");
    if (o.Rules && !(o.Rows && o.Files)) Usage("--rules needs --rows and --files");
    if (o.Out.isEmpty()) Usage("--out is required");
    if (o.Cell < 1 || o.Cell > 1000) Usage("--cell must be 1..1000");
    return o;
}

// The position to draw: a file's, or the initial arrangement of the chosen rules and board.
// The game record is kept alive for as long as the position is drawn.
struct TShown {
    std::unique_ptr<TGame> Game;
    std::unique_ptr<TPosition> Initial;
    TPosition* Position = nullptr;
};

TShown MakePosition(const TOptions& o) {
    TShown shown;
    if (o.File) {
        shown.Game = std::make_unique<TGame>(ApplyPositionFile(ReadPositionFile(*o.File)));
        shown.Position = &shown.Game->CurrentPosition();
        return shown;
    }
    TRules rules;
    int rows, files;
    bool coloring;
    if (o.Preset) {
        const auto preset = FindPreset(*o.Preset);
        if (!preset) Usage("unknown preset " + *o.Preset);
        rules = preset->Rules;
        rows = preset->Rows;
        files = preset->Files;
        coloring = preset->Coloring;
    } else {
        rules = RulesFromIndex(*o.Rules);
        rows = *o.Rows;
        files = *o.Files;
        coloring = o.Coloring;
    }
    ApplyBoard(rules, rows, files, coloring);
    shown.Initial = CreatePosition(rules);
    shown.Initial->SetInitial();
    shown.Position = shown.Initial.get();
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        const TOptions o = Parse(app.arguments());
        if (!o.Data.isEmpty()) OverrideProgramFolder(o.Data);
        TShown shown = MakePosition(o);
        TSettings& s = Settings();
        s.Set(TSetting::LightPicture, o.Light);
        s.Set(TSetting::DarkPicture, o.Dark);
        s.Set(TSetting::SelectPicture, o.Mark);
        s.Set(TSetting::WhiteTop, o.Top);
        s.Set(TSetting::MarkBlocked, o.MarkBlocked);
        for (int square : o.Kings) {
            if (square < 1 || square > SquareCount)
                Usage("--king square " + std::to_string(square) + " is not on the board");
            const TSquare r = shown.Position->At(square);
            shown.Position->Put(square, r.Empty || r.Side == White ? WhiteKing : BlackKing);
        }

        TBoardGrid grid;
        grid.SetPositionSource([&] { return shown.Position; });
        grid.SetHighlightTest([&](int square) { return o.Highlight.count(square) > 0; });
        grid.SetLayout(BoardFiles, BoardRows, o.Cell);
        if (!grid.Canvas().save(o.Out, "PNG"))
            throw std::runtime_error("Cannot write " + o.Out.toStdString());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "render_board: %s\n", e.what());
        return 1;
    }
    return 0;
}
