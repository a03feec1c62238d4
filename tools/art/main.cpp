// quorvin_art: draws every picture the game ships and writes it under the given data folder:
// the board pictures into Images/Board/ (JPEG and GIF, read at run time), and the glyphs,
// cursors, icon, splash and blend mask into Resources/ together with the resource list that
// compiles them into the program. Run it after changing any drawing code and commit the output.
#include "glyphs.h"
#include "picture_writers.h"
#include "pieces.h"
#include "splash.h"
#include "textures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <exception>

using namespace quorvin::art;

namespace {

// The colour GIF readers see in transparent pixels; dark and neutral, so that a reader which
// ignores transparency shows a shadow rather than a glaring colour.
constexpr QRgb TransparentRgb = 0xff202020;

void Save(const QImage& image, const QString& path) {
    if (!image.save(path)) throw std::runtime_error("Cannot write " + path.toStdString());
}

void WriteBoardPictures(const QDir& board) {
    for (int set = 0; set < SetCount; ++set) {
        WriteJpeg(SquarePicture(set, false), board.filePath(QString("UnUsed%1.jpg").arg(set)), 88);
        WriteJpeg(SquarePicture(set, true), board.filePath(QString("Used%1.jpg").arg(set)), 88);
    }
    for (int mark = 0; mark < 2; ++mark)
        WriteGif(SelectMark(mark), board.filePath(QString("Select%1.gif").arg(mark)),
                 TransparentRgb);
    WriteGif(PiecePicture({TSide::White, false}), board.filePath("WhitePawn.gif"), TransparentRgb);
    WriteGif(PiecePicture({TSide::White, true}), board.filePath("WhiteKing.gif"), TransparentRgb);
    WriteGif(PiecePicture({TSide::Black, false}), board.filePath("BlackPawn.gif"), TransparentRgb);
    WriteGif(PiecePicture({TSide::Black, true}), board.filePath("BlackKing.gif"), TransparentRgb);
    for (int frame = 1; frame <= 8; ++frame) {
        WriteGif(ChangeFrame(frame), board.filePath(QString("VornaChange%1.gif").arg(frame)),
                 TransparentRgb);
        WriteGif(CrowningFrame(TSide::White, frame),
                 board.filePath(QString("WhiteToKing%1.gif").arg(frame)), TransparentRgb);
        WriteGif(CrowningFrame(TSide::Black, frame),
                 board.filePath(QString("BlackToKing%1.gif").arg(frame)), TransparentRgb);
    }
}

QStringList WriteResources(const QDir& resources) {
    QStringList files;
    auto add = [&](const QImage& image, const QString& name) {
        Save(image, resources.filePath(name));
        files << name;
    };
    add(AlphaMask(), "AlphaImage.png");
    for (const TNamedPicture& glyph : Glyphs()) add(glyph.Picture, "Glyphs/" + glyph.Name);
    for (const TNamedPicture& cursor : Cursors()) add(cursor.Picture, "Cursors/" + cursor.Name);
    for (int size : {32, 48, 64, 128, 256})
        add(ProgramIcon(size), QString("Icons/Quorvin%1.png").arg(size));
    WriteJpeg(SplashPicture(), resources.filePath("Splash.jpg"), 90);
    files << "Splash.jpg";
    return files;
}

void WriteResourceList(const QDir& resources, const QStringList& files) {
    QFile file(resources.filePath("resources.qrc"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("Cannot write resources.qrc");
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<!-- Written by quorvin_art; do not edit. -->\n"
        << "<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
    for (const QString& f : files) out << "    <file>" << f << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvin_art DATA_FOLDER\n");
        return 2;
    }
    try {
        const QDir data(QString::fromLocal8Bit(argv[1]));
        for (const char* sub :
             {"Images/Board", "Resources/Glyphs", "Resources/Cursors", "Resources/Icons"})
            if (!data.mkpath(sub)) throw std::runtime_error(std::string("Cannot create ") + sub);
        WriteBoardPictures(QDir(data.filePath("Images/Board")));
        const QDir resources(data.filePath("Resources"));
        WriteResourceList(resources, WriteResources(resources));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvin_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
