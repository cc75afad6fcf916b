#pragma once
// Draws the court and everything on it, bottom to top, from the game's elements. Between
// paints it remembers what it last showed, so that after a tick, a key or a command only
// the places that changed are painted again.
#include "ChangeRecord.h"
#include "CourtScene.h"

#include <QFont>
#include <QPixmap>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quindra {

class GameCore;
struct Label;

class CourtView : public QWidget {
  public:
    CourtView(const GameCore& game, QWidget* parent);

    // Marks for painting what changed in the game since the last call.
    void refresh();
    // The same, painted at once: for the clock's ticks and the keys, whose paints are
    // due now and would only cost another round of the event loop if posted.
    void refreshNow();

    // Pixels painted so far, and paints: what the benchmark and the tests count.
    std::uint64_t paintedPixels() const { return paintedPixels_; }
    std::uint64_t paints() const { return paints_; }
    // Called at the end of every paint.
    void setPaintObserver(std::function<void()> observer) { observer_ = std::move(observer); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawLabel(QPainter& p, const ScenePiece& piece) const;
    void drawBall(QPainter& p, const ScenePiece& piece) const;
    const QFont& fontOf(const Label& l) const;
    const QStaticText& textOf(const Label& l, const QFont& font) const;

    const GameCore& game_;
    ChangeRecord changes_;
    std::uint64_t paintedPixels_ = 0;
    std::uint64_t paints_ = 0;
    std::function<void()> observer_;
    std::vector<ScenePiece> scene_;
    // Looked up by the label's own fields, so that a lookup allocates nothing.
    struct FontKey {
        std::string name;
        double size = 0;
        bool bold = false;
        static FontKey from(const Label& l);
        bool of(const Label& l) const;
    };
    struct TextKey {
        FontKey font;
        std::string caption;
        bool of(const Label& l) const;
    };
    mutable std::vector<std::pair<FontKey, QFont>> fonts_;
    mutable std::vector<std::pair<TextKey, QStaticText>> texts_;
    mutable std::vector<std::pair<std::array<std::uint32_t, 5>, QPixmap>> ballPictures_;
};

} // namespace quindra
