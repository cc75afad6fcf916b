#pragma once
// "Angolo di Tiro": the shot angle as a percentage on a scroll bar. Modeless and
// without an owner, so it can stay open beside the game and even outlive it.
#include <QWidget>

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace quindra {

class frmColori : public QWidget {
    Q_OBJECT

  public:
    explicit frmColori(QWidget* parent = nullptr);

    QScrollBar* HScroll1() const { return hScroll1_; }
    QLineEdit* txtPerc() const { return txtPerc_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }

  private:
    void Form_Load();
    void HScroll1_Change(int Index);
    void Command1_Click();
    void Command2_Click();

    QScrollBar* hScroll1_ = nullptr;
    QLineEdit* txtPerc_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace quindra
