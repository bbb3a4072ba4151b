#pragma once

#include <QAbstractListModel>
#include <QByteArray>

#include <cstdint>

class RosterFile;

// The roster list's lines: line k shows slot k's number and its whole 30-character name. A
// fill keeps the listed slots' name bytes as one read of the file found them; a line's text is
// made only when a view asks for it, so a list of 32767 lines costs what its visible lines do.
class RosterListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RosterListModel)

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Lists slots 1 to count as the file holds them now and hands over the last one's bytes;
    // false, with the list left empty, when the file cannot be read.
    bool fill(RosterFile &file, int count, QByteArray &lastSlot);
    void clear();

    // The slot that a line shows.
    static int slotOf(const QModelIndex &index) { return index.row() + 1; }

private:
    QByteArray m_names; // each listed slot's name field, its width apiece
};

