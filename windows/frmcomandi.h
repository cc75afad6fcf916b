#pragma once
// The key commands of both players, as one picture, and an "&Ok" button.
#include "FixedToolWindow.h"

#include <QFrame>
#include <QPixmap>

class QPushButton;

namespace quindra {

// A sunken box that draws its picture at its own size from the top-left corner.
class PictureBox : public QFrame {
  public:
    PictureBox(const QPixmap& picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

class frmcomandi : public FixedToolWindow {
    Q_OBJECT

  public:
    explicit frmcomandi(QWidget* owner);

    PictureBox* Picture1() const { return picture1_; }
    QPushButton* Command1() const { return command1_; }

  private:
    PictureBox* picture1_ = nullptr;
    QPushButton* command1_ = nullptr;
};

} // namespace quindra
