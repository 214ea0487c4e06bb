#pragma once

#include <QAbstractListModel>
#include <QList>

namespace korvland {

class LandmarkDocument;

// The status table's rows over the document: row i is record i, its name (whole in the
// hint), its side's colour, a tick while it is switched on, and for assistive technologies
// its kind, side and state. The rows are the records of the set when the table was last
// filled; every edit, undo and redo shows in them at once. A tick or untick from the view
// (mouse, space bar, assistive technology) is not stored here but handed on as tickRequested,
// so that it changes the landmark the one way every window does.
class StatusModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit StatusModel(LandmarkDocument& document, QObject* parent = nullptr);

    // One row per record of the set as it is now.
    void fill();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    // The user ticked (true) or unticked the row of record `row`.
    void tickRequested(int row, bool ticked);

  private:
    void rowsEdited(const QList<int>& rows);
    // Whether row `row` shows a record of the set (rows of a file read since the last
    // filling do not).
    bool showsRecord(int row) const;

    LandmarkDocument& mDocument;
    int mRows = 0;
};

} // namespace korvland
