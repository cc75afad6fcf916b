#pragma once
// The yardstick: a bare Qt window of the court's size with a menu bar, moving one
// ball-sized square on a precise timer and repainting only its old and new places.
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace quindra::bench {

class BareCourt : public QWidget {
  public:
    explicit BareCourt(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(497, 338);
    }
    QRect square{60, 150, 9, 9};
    std::uint64_t painted = 0;
    std::uint64_t paints = 0;

  protected:
    void paintEvent(QPaintEvent* event) override {
        for (const QRect& r : event->region())
            painted += std::uint64_t(r.width()) * std::uint64_t(r.height());
        ++paints;
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 128, 0));
        p.fillRect(square, QColor(255, 255, 0));
    }
};

class BareWindow : public QMainWindow {
  public:
    BareWindow() {
        for (const char* title : {"File", "Livelli", "Set", "Pallina", "Racchette", "Campo"})
            menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
        court_ = new BareCourt(this);
        setCentralWidget(court_);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { step(); });
    }
    QTimer& timer() { return timer_; }
    std::uint64_t paints() const { return court_->paints; }
    std::uint64_t paintedPixels() const { return court_->painted; }

  private:
    void step() {
        const QRect old = court_->square;
        QRect next = old.translated(dx_, dy_);
        if (next.left() < 0 || next.right() >= court_->width())
            dx_ = -dx_;
        if (next.top() < 0 || next.bottom() >= court_->height())
            dy_ = -dy_;
        next = old.translated(dx_, dy_);
        court_->square = next;
        court_->update(old);
        court_->update(next);
    }
    BareCourt* court_;
    QTimer timer_;
    int dx_ = 13;
    int dy_ = 3;
};

} // namespace quindra::bench
