#include "roster/roster_list_model.h"

#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "roster/roster_line.h"

namespace {

constexpr qsizetype nameWidth = MeiboRecord::width(MeiboRecord::Field::Namae);

} // namespace

int RosterListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size() / nameWidth);
}

QVariant RosterListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return rosterLine(slotOf(index),
                      QByteArrayView(m_names).sliced(index.row() * nameWidth, nameWidth));
}

bool RosterListModel::fill(RosterFile &file, int count, QByteArray &lastSlot)
{
    beginResetModel();
    // Slots the file does not hold, wholly or in part, read as blank.
    m_names.fill(' ', qMax(0, count) * nameWidth);
    const bool read = file.readLeadingSlots(count, [&](std::int32_t slot, QByteArrayView bytes) {
        const QByteArrayView name = bytes.first(qMin(bytes.size(), nameWidth));
        std::copy(name.begin(), name.end(), m_names.begin() + (slot - 1) * nameWidth);
        if (slot == count)
            lastSlot = bytes.toByteArray();
    });
    if (!read)
        m_names.clear();
    endResetModel();
    return read;
}

void RosterListModel::clear()
{
    beginResetModel();
    m_names.clear();
    endResetModel();
}
