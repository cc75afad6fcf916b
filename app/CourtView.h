#pragma once
// Draws the court and everything on it, bottom to top, from the game's elements.
#include <QWidget>

namespace quindra {

class GameCore;

class CourtView : public QWidget {
  public:
    CourtView(const GameCore& game, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const GameCore& game_;
};

} // namespace quindra
