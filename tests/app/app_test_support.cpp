// Set-up shared by the app tests; see app_test_support.h.
#include "app_test_support.h"
#include "game_settings.h"

#include "data_module.h"
#include "geometry.h"
#include "rules.h"

namespace quorvin::test {

QString BuildFolder() {
    return QStringLiteral(QUORVIN_BUILD_DIR);
}

QImage BoardPicture(const QString& name) {
    QImage picture;
    LoadPicture(picture, BuildFolder() + QStringLiteral("/Images/Board/") + name);
    return picture;
}

void ResetApp(TRules rules, int rows, int files, bool coloring) {
    Settings().RestoreDefaults();
    OverrideProgramFolder(BuildFolder());
    ApplyBoard(rules, rows, files, coloring);
}

std::unique_ptr<TPosition> EmptyPosition() {
    auto position = CreatePosition(Settings().Rules());
    position->ClearBoard();
    position->SetSideToMove(White);
    return position;
}

int SquareOf(int file, int row) {
    for (int s = 1; s <= SquareCount; ++s)
        if (SquareCell[s][0] == file && SquareCell[s][1] == row) return s;
    return 0;
}

QImage Part(const QImage& image, const QRect& rect) {
    return image.copy(rect).convertToFormat(QImage::Format_RGB32);
}

int DifferingPixels(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < std::min(x.height(), y.height()); ++row)
        for (int col = 0; col < std::min(x.width(), y.width()); ++col)
            count += x.pixel(col, row) != y.pixel(col, row);
    return count;
}

} // namespace quorvin::test
