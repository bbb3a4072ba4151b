#include "widgets/toggled_line.h"

#include <QAbstractItemView>
#include <QPersistentModelIndex>
#include <QTimer>

void whenLineToggled(QAbstractItemView *list, QObject *context,
                     std::function<void(const QModelIndex &line)> chosen)
{
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, context,
                     [list, context, chosen](const QItemSelection &selected) {
                         if (selected.isEmpty())
                             return;
                         const QPersistentModelIndex line(selected.indexes().first());
                         QTimer::singleShot(0, context, [list, line, chosen] {
                             if (line.isValid() && list->selectionModel()->isSelected(line)
                                 && list->currentIndex() != line)
                                 chosen(line);
                         });
                     });
}
