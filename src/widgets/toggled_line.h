#pragma once

#include <QModelIndex>

#include <functional>

class QAbstractItemView;
class QObject;

// Calls chosen with each line that a list's accessibility Toggle action selects, the only way
// Qt offers a screen reader to choose a line: that action selects a line without making it the
// current one, which the mouse and the keys always do together with selecting it. Checked once
// the event that selected it is done, since keys select a line before making it current.
void whenLineToggled(QAbstractItemView *list, QObject *context,
                     std::function<void(const QModelIndex &line)> chosen);
