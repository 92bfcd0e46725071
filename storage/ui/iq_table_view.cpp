#include "storage/ui/iq_table_view.h"

#include <QHeaderView>
#include <QTableWidget>
#include <array>

#include "storage/iq_cell_edit.h"

namespace vemo {

namespace {

struct IqColumnLook {
    const char* heading;
    int width;
    Qt::Alignment alignment;
};

constexpr std::array<IqColumnLook, 4> kColumns = {{
    {"", 0, Qt::AlignLeft | Qt::AlignVCenter},
    {"Freq.", 66, Qt::AlignCenter},
    {"dAmp", 66, Qt::AlignCenter},
    {"dPhi", 68, Qt::AlignCenter},
}};

// Rows as tight as a list's: the text and a little room.
constexpr int kRowPadding = 4;

QTableWidgetItem* NewCell(int column) {
    auto* cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(kColumns[static_cast<std::size_t>(column)].alignment);
    const bool frequency = column == kIqColumnFrequency;
    cell->setForeground(frequency ? kIqFrequencyText : kIqCorrectionText);
    cell->setBackground(frequency ? kIqFrequencyBackground : kIqCorrectionBackground);
    return cell;
}

}  // namespace

void SetUpIqTableView(QTableWidget& list) {
    list.setColumnCount(static_cast<int>(kColumns.size()));
    QHeaderView& header = *list.horizontalHeader();
    header.setMinimumSectionSize(0);
    header.setStretchLastSection(false);
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        auto* heading = new QTableWidgetItem(QString::fromLatin1(kColumns[column].heading));
        heading->setTextAlignment(kColumns[column].alignment);
        list.setHorizontalHeaderItem(static_cast<int>(column), heading);
        list.setColumnWidth(static_cast<int>(column), kColumns[column].width);
    }
    list.verticalHeader()->hide();
    list.verticalHeader()->setMinimumSectionSize(0);
    list.verticalHeader()->setDefaultSectionSize(list.fontMetrics().height() + kRowPadding);
    list.setShowGrid(true);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void ShowIqTable(QTableWidget& list, const IqTable& table) {
    const std::span<const IqPoint> rows = table.Used();
    list.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < list.rowCount(); ++row) {
        const IqPoint& point = rows[static_cast<std::size_t>(row)];
        const std::array<QString, 4> texts = {QString(), QString::number(point.frequency),
                                              QString::number(point.dAmp),
                                              QString::number(point.dPhi)};
        for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
            QTableWidgetItem* cell = list.item(row, column);
            if (cell == nullptr) {
                cell = NewCell(column);
                list.setItem(row, column, cell);
            }
            cell->setText(texts[static_cast<std::size_t>(column)]);
        }
    }
}

}  // namespace vemo
