#pragma once
// "About: Quindra": who made the game, and an address that opens a new mail message.
#include "FixedToolWindow.h"
#include "app/MailLink.h"

class QLabel;
class QPushButton;

namespace quindra {

// The mail link as handed to the desktop.
QString mailLink();

class About : public FixedToolWindow {
    Q_OBJECT

  public:
    explicit About(QWidget* owner);

    QLabel* Label4() const { return label4_; }
    QPushButton* Command1() const { return command1_; }

    void Label4_Click();

  private:
    QLabel* label4_ = nullptr;
    QPushButton* command1_ = nullptr;
};

} // namespace quindra
