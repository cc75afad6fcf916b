#pragma once
// The frame shared by the About and commands windows: a small fixed tool window,
// modal over the main window, closed by its button or its frame, never by Escape.
#include <QDialog>

class QPushButton;

namespace quindra {

class FixedToolWindow : public QDialog {
    Q_OBJECT

  public:
    FixedToolWindow(QWidget* owner, double clientWidth, double clientHeight);

  protected:
    // The bold "&Ok" button that closes the window (access key O).
    QPushButton* addOkButton(double left, double top);
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace quindra
