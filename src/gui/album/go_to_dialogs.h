#pragma once
// The two go-to dialogs of the album view: a page number to reach, and a
// tab chosen from the album's tabs.
#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;

namespace lumora {

class GoToPageDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLowest = 1;
    static constexpr int kHighest = 32760;

    GoToPageDialog(int initialNumber, QWidget* parent = nullptr);
    int Number() const { return number_; }

    // Refuses what is not a whole number in 1-32760 with the program's
    // message; the dialog then stays open.
    void accept() override;

private:
    QLineEdit* edit_;
    int number_ = kLowest;
};

class GoToTabDialog final : public QDialog {
    Q_OBJECT
public:
    GoToTabDialog(const QStringList& tabNames, QWidget* parent = nullptr);
    int ChosenTab() const;

private:
    QListWidget* list_;
};

// The number the dialog offers: the right-hand page of the spread shown, 1
// before the first page.
int GoToPageInitialNumber(int position);

}  // namespace lumora
