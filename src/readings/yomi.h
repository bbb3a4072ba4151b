#pragma once

#include <QList>
#include <QWidget>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class ReadingList;
class ReadingTableModel;
struct RosterState;

// The window "Yomi": every non-blank slot in 五十音順 or by number, a search that filters as the
// user types, an index by gojūon row, and the readings confirmed into yomi.txt.
class Yomi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Yomi)

public:
    // The roster's file is its lock, taken for each write of yomi.txt when the main window does
    // not hold it.
    explicit Yomi(RosterState &roster, QWidget *parent = nullptr);
    ~Yomi() override;

    // Reads the roster and the readings again, keeping the search and the chosen entry.
    void reload();
    // The slots of the rows chosen in the table (Ctrl or Shift with a click choose several),
    // which the printing windows may print.
    QList<std::int32_t> chosenSlots() const;

signals:
    // この番号を表示, a double click or Enter on a row: the main window is to show the entry.
    void entryChosen(int number);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void placeControls();
    void connectSignals();

    // Shows the entries that the search matches in the chosen order; the entry of that number
    // stays chosen when it is among them, else the first.
    void refill(int keepNumber);
    int chosenPosition() const;
    int chosenNumber() const;
    void choose(int row);
    void jumpToRow(int gojuonRow);
    void sortBy(int column);
    void registerReading();
    void adoptGuess();
    void showChosen();
    void confirm(const QString &reading);
    void updateChosen();

    RosterState &m_roster;
    std::unique_ptr<ReadingList> m_list;
    bool m_byNumber = false;

    QLabel *m_searchLabel = nullptr;
    QLineEdit *m_searchBox = nullptr;
    QWidget *m_indexBar = nullptr;
    QList<QPushButton *> m_indexButtons;
    QTableView *m_table = nullptr;
    ReadingTableModel *m_model = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_readingLabel = nullptr;
    QLineEdit *m_readingBox = nullptr;
    QPushButton *m_register = nullptr;
    QPushButton *m_adopt = nullptr;
    QPushButton *m_show = nullptr;
};
