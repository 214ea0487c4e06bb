#include "ui/tables/status_model.h"

#include "data/landmark_kind.h"
#include "data/text_codec.h"
#include "document/landmark_document.h"
#include "ui/common/data_texts.h"
#include "ui/common/record_format.h"

#include <QColor>

namespace korvland {

namespace {

constexpr BgrColour kOtherSideColour = 0x000000; // black

} // namespace

StatusModel::StatusModel(LandmarkDocument& document, QObject* parent)
    : QAbstractListModel(parent), mDocument(document) {
    connect(&document, &LandmarkDocument::recordChanged, this, [this](int index) { rowsEdited({index}); });
    connect(&document, &LandmarkDocument::recordsChanged, this, &StatusModel::rowsEdited);
}

void StatusModel::fill() {
    beginResetModel();
    mRows = mDocument.recordCount();
    endResetModel();
}

int StatusModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : mRows;
}

bool StatusModel::showsRecord(int row) const {
    return row >= 0 && row < mRows && row < mDocument.recordCount();
}

QVariant StatusModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || !showsRecord(row))
        return {};
    const LandmarkRecord& record = mDocument.record(row);
    switch (role) {
    case Qt::DisplayRole:
    // A long name is cut at the column's edge; its hint gives it whole.
    case Qt::ToolTipRole:
        return QString::fromStdString(decodeCp1252(record.nameBytes()));
    case Qt::ForegroundRole:
        return colourFromBgr(isAllied(record.side) ? kAlliedColour : kOtherSideColour);
    case Qt::CheckStateRole:
        return mDocument.isActive(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleDescriptionRole: {
        // What the colour and the tick show, in words.
        const QString kind = kindLabelText(kindInfo(classifyKind(record.loFileType, record.loFileNo)));
        //: A status row's side, read out by a screen reader.
        const QString side = isAllied(record.side) ? tr("Allied") : tr("German");
        const QString state = mDocument.isActive(row) ? tr("switched on") : tr("switched off");
        //: A status row read out by a screen reader: kind, side and state ("Town, Allied, switched off").
        return tr("%1, %2, %3").arg(kind, side, state);
    }
    default:
        return {};
    }
}

Qt::ItemFlags StatusModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

bool StatusModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || !showsRecord(index.row()))
        return false;
    emit tickRequested(index.row(), value.toInt() == Qt::Checked);
    // A tick the document refused, or one that changed nothing, shows what the record holds.
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void StatusModel::rowsEdited(const QList<int>& rows) {
    for (const int row : rows)
        if (row >= 0 && row < mRows)
            emit dataChanged(index(row), index(row));
}

} // namespace korvland
