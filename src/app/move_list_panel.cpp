// The move list beside the board; see move_list_panel.h.
#include "move_list_panel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvin {

namespace {

constexpr int Columns = 2;
const QString Gap = QStringLiteral("...");

} // namespace

TMoveListPanel::TMoveListPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("MoveListPanel"));
    setFixedWidth(PanelWidth);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);

    Table = new QTableWidget(0, Columns, this);
    Table->setObjectName(QStringLiteral("MoveListTable"));
    // The window's keys stay the window's: the list takes no focus and is never edited; the
    // mark is drawn by the panel, not by a selection the user could move.
    Table->setFocusPolicy(Qt::NoFocus);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::NoSelection);
    Table->setShowGrid(false);
    Table->setWordWrap(false);
    Table->setTextElideMode(Qt::ElideRight);
    Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table->horizontalHeader()->setHighlightSections(false);
    QHeaderView* numbers = Table->verticalHeader();
    numbers->setSectionResizeMode(QHeaderView::Fixed);
    numbers->setDefaultSectionSize(fontMetrics().height() + 6);
    numbers->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    numbers->setHighlightSections(false);
    numbers->setSectionsClickable(false);
    connect(Table, &QTableWidget::cellClicked, this,
            [this](int row, int column) { CellClicked(row, column); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Table);
}

void TMoveListPanel::ShowMoves(const TMoveListContents& contents) {
    Shown = contents;
    const int cells = CellIndex(MoveCount());
    const int lines = MoveCount() == 0 ? 0 : (cells + 1) / Columns;

    Table->setUpdatesEnabled(false);
    Table->clearContents();
    Table->setRowCount(lines);
    Table->setHorizontalHeaderLabels({Shown.FirstSide, Shown.SecondSide});
    QStringList numbers;
    for (int line = 0; line < lines; ++line) numbers << QString::number(line + 1) + '.';
    Table->setVerticalHeaderLabels(numbers);

    if (Shown.StartsInSecondColumn && lines > 0) {
        auto* gap = new QTableWidgetItem(Gap);
        gap->setFlags(Qt::ItemIsEnabled);
        gap->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        Table->setItem(0, 0, gap);
    }
    QFont bold = Table->font();
    bold.setBold(true);
    for (int move = 0; move < MoveCount(); ++move) {
        const QString name = QString::fromStdString(Shown.Moves[std::size_t(move)]);
        auto* item = new QTableWidgetItem(name);
        item->setFlags(Qt::ItemIsEnabled);
        item->setToolTip(name);
        if (move == MarkedMove()) {
            item->setBackground(palette().brush(QPalette::Active, QPalette::Highlight));
            item->setForeground(palette().brush(QPalette::Active, QPalette::HighlightedText));
            item->setFont(bold);
        } else if (IsAhead(move)) {
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
        Table->setItem(CellIndex(move) / Columns, CellIndex(move) % Columns, item);
    }
    Table->setUpdatesEnabled(true);

    if (QTableWidgetItem* marked = ItemOfMove(MarkedMove()))
        Table->scrollToItem(marked, QAbstractItemView::EnsureVisible);
    else
        Table->scrollToTop();
}

void TMoveListPanel::Clear() {
    TMoveListContents empty;
    empty.FirstSide = Shown.FirstSide;
    empty.SecondSide = Shown.SecondSide;
    ShowMoves(empty);
}

int TMoveListPanel::LineCount() const {
    return Table->rowCount();
}

QString TMoveListPanel::LineText(int line) const {
    QString text = QString::number(line + 1) + '.';
    for (int column = 0; column < Columns; ++column)
        if (const QTableWidgetItem* item = Table->item(line, column)) text += ' ' + item->text();
    return text;
}

QRect TMoveListPanel::MoveRect(int move) const {
    const QTableWidgetItem* item = ItemOfMove(move);
    return item ? Table->visualItemRect(item) : QRect();
}

QWidget* TMoveListPanel::Viewport() const {
    return Table->viewport();
}

int TMoveListPanel::MoveOfCell(int row, int column) const {
    const int move = row * Columns + column - CellIndex(0);
    return move >= 0 && move < MoveCount() ? move : -1;
}

QTableWidgetItem* TMoveListPanel::ItemOfMove(int move) const {
    if (move < 0 || move >= MoveCount()) return nullptr;
    return Table->item(CellIndex(move) / Columns, CellIndex(move) % Columns);
}

void TMoveListPanel::CellClicked(int row, int column) {
    const int move = MoveOfCell(row, column);
    if (move >= 0) emit MoveChosen(move + 1);
}

} // namespace quorvin
