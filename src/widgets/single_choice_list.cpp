#include "widgets/single_choice_list.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace {

class SingleChoiceSelection final : public QItemSelectionModel
{
public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;

    void select(const QItemSelection &selection, SelectionFlags command) override
    {
        const QModelIndex line =
            selection.isEmpty() ? QModelIndex() : QModelIndex(selection.first().topLeft());
        const bool chooses = line.isValid()
                             && (command.testFlag(Select)
                                 || (command.testFlag(Toggle) && !isSelected(line)));
        if (chooses) {
            // Current first, so that a handler of the selection finds both in step.
            setCurrentIndex(line, NoUpdate);
            QItemSelectionModel::select(QItemSelection(line, line),
                                        ClearAndSelect | (command & (Rows | Columns)));
            return;
        }
        if (!hasSelection())
            QItemSelectionModel::select(selection, command);
    }

    void clear() override
    {
        QItemSelectionModel::select(QItemSelection(), Clear);
        clearCurrentIndex();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress
            || !choosesCurrentLine(static_cast<const QKeyEvent *>(event)->key()))
            return QItemSelectionModel::eventFilter(watched, event);
        if (currentIndex().isValid())
            select(currentIndex(), ClearAndSelect);
        return true;
    }

private:
    // Space always; an arrow key while no line is chosen yet one is current, as the first line
    // is once the list took the focus.
    bool choosesCurrentLine(int key) const
    {
        if (key == Qt::Key_Space)
            return true;
        return (key == Qt::Key_Down || key == Qt::Key_Up) && !hasSelection()
               && currentIndex().isValid();
    }
};

} // namespace

void makeSingleChoiceList(QAbstractItemView *list)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QItemSelectionModel *plain = list->selectionModel();
    auto *selection = new SingleChoiceSelection(list->model(), list);
    list->setSelectionModel(selection);
    delete plain;
    list->installEventFilter(selection);
}
