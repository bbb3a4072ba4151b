#include "readings/reading_table_model.h"

#include "readings/reading_list.h"
#include "readings/reading_texts.h"
#include "readings/yomi_texts.h"

ReadingTableModel::ReadingTableModel(const ReadingList &list, QObject *parent)
    : QAbstractTableModel(parent), m_list(list)
{}

int ReadingTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_positions.size());
}

int ReadingTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReadingTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const ReadingEntry &entry = m_list.entries().at(m_positions.at(index.row()));
    switch (index.column()) {
    case Number:
        return QString::number(entry.number);
    case Name:
        return entry.name;
    case Reading:
        return ReadingTexts::shown(entry);
    case Tell:
        return entry.tell;
    case Mail:
        return entry.mail;
    }
    return {};
}

QVariant ReadingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? YomiTexts::columns().at(section)
                                                     : QVariant();
    if (section < 0 || section >= m_positions.size())
        return {};
    // A row's name for a screen reader: its number and name.
    const ReadingEntry &entry = m_list.entries().at(m_positions.at(section));
    return YomiTexts::rowName(entry.number, entry.name);
}

void ReadingTableModel::setPositions(const QList<int> &positions)
{
    beginResetModel();
    m_positions = positions;
    endResetModel();
}
