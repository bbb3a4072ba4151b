#pragma once

#include <QAbstractTableModel>
#include <QList>

class ReadingList;

// The rows that the window Yomi shows: the entries of a reading list at the positions given,
// in their order, as 番号, 名前, よみ, 電話 and メール.
class ReadingTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReadingTableModel)

public:
    enum Column { Number, Name, Reading, Tell, Mail, ColumnCount };

    ReadingTableModel(const ReadingList &list, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setPositions(const QList<int> &positions);
    const QList<int> &positions() const { return m_positions; }

private:
    const ReadingList &m_list;
    QList<int> m_positions;
};
