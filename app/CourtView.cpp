#include "CourtView.h"

#include "GameCore.h"
#include "Twips.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace quindra {

namespace {

// Fills only what lies where the paint is, rectangle by rectangle of the painted region:
// a fill elsewhere costs time and shows nothing.
void fillWithin(QPainter& p, const QRegion& region, const QRect& r, const QColor& colour) {
    for (const QRect& painted : region) {
        const QRect part = r & painted;
        if (!part.isEmpty())
            p.fillRect(part, colour);
    }
}

// The ball, smoothed, drawn once into a picture and then only copied.
QPixmap ovalPicture(const Shape& s, QSize size, const QPalette& palette, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const qreal inset = s.BorderWidth / 2.0;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(toQColor(s.BorderColor, palette), s.BorderWidth));
    p.setBrush(toQColor(s.BackColor, palette));
    p.drawEllipse(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(inset, inset, -inset, -inset));
    return picture;
}

} // namespace

CourtView::CourtView(const GameCore& game, QWidget* parent)
    : QWidget(parent), game_(game), changes_(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CourtView::refresh() {
    // Rectangle by rectangle: Qt gathers them into one paint at the next idle moment.
    for (const PixelRect& r : changes_.collect(fromQRect(rect())))
        update(toQRect(r));
}

void CourtView::refreshNow() {
    QRegion region;
    for (const PixelRect& r : changes_.collect(fromQRect(rect())))
        region += toQRect(r);
    if (!region.isEmpty())
        repaint(region);
}

CourtView::FontKey CourtView::FontKey::from(const Label& l) {
    return {l.FontName, l.FontSize, l.bold};
}

bool CourtView::FontKey::of(const Label& l) const {
    return size == l.FontSize && bold == l.bold && name == l.FontName;
}

bool CourtView::TextKey::of(const Label& l) const {
    return font.of(l) && caption == l.Caption;
}

const QFont& CourtView::fontOf(const Label& l) const {
    // A label's font never changes: each is built once, not at every paint.
    for (const auto& [key, font] : fonts_)
        if (key.of(l))
            return font;
    fonts_.emplace_back(FontKey::from(l),
                        gameFont(QString::fromStdString(l.FontName), l.FontSize, l.bold));
    return fonts_.back().second;
}

const QStaticText& CourtView::textOf(const Label& l, const QFont& font) const {
    // A caption's layout is made once and kept: laying out text at every paint would cost
    // more than the rest of a tick.
    for (const auto& [key, text] : texts_)
        if (key.of(l))
            return text;
    if (texts_.size() >= 64)
        texts_.clear();
    QStaticText text(QString::fromStdString(l.Caption));
    text.setTextFormat(Qt::PlainText);
    text.prepare(QTransform(), font);
    texts_.emplace_back(TextKey{FontKey::from(l), l.Caption}, text);
    return texts_.back().second;
}

// `room`: how far, in pixels, the caption may reach before it meets its neighbour; 0 for
// no limit.
void CourtView::drawLabel(QPainter& p, const ScenePiece& piece) const {
    const Label& l = *piece.label;
    const int room = piece.room;
    const QRect rect = toQRect(piece.place);
    const QPalette& pal = palette();
    if (!l.transparent)
        p.fillRect(rect, toQColor(l.BackColor, pal));
    p.setPen(toQColor(l.ForeColor, pal));
    const QFont& font = fontOf(l);
    p.setFont(font);
    const QStaticText& text = textOf(l, font);
    // A set can run to 12-10 and beyond: a transparent caption may run past its label,
    // and one too wide for its place is drawn narrower, clear of the next column. An
    // opaque label keeps its text within its box.
    const double wide = text.size().width();
    const bool narrower = room > 0 && wide > room;
    if (l.centred) {
        const QSizeF size = text.size();
        p.drawStaticText(QPointF(rect.left() + (rect.width() - size.width()) / 2,
                                 rect.top() + (rect.height() - size.height()) / 2),
                         text);
        return;
    }
    if (l.transparent && !narrower) {
        p.drawStaticText(rect.topLeft(), text);
        return;
    }
    p.save();
    if (!l.transparent)
        p.setClipRect(rect, Qt::IntersectClip);
    p.translate(rect.topLeft());
    if (narrower)
        p.scale(room / wide, 1.0);
    p.drawStaticText(QPointF(0, 0), text);
    p.restore();
}

void CourtView::drawBall(QPainter& p, const ScenePiece& piece) const {
    const Shape& ball = *piece.ball;
    // What the painter draws into: the window's backing store, or a picture. Its own
    // ratio is a stored figure, where the widget's would be asked of the screen.
    const qreal ratio = p.paintEngine()->paintDevice()->devicePixelRatioF();
    const QRect rect = toQRect(piece.place);
    const std::array<std::uint32_t, 5> key = {std::uint32_t(rect.width()),
                                              std::uint32_t(rect.height()), ball.BackColor,
                                              ball.BorderColor, std::uint32_t(ratio * 100)};
    // Edges round each on their own, so the ball is 8 or 9 pixels wide by where it is:
    // a picture for each size.
    auto found = std::find_if(ballPictures_.begin(), ballPictures_.end(),
                              [&key](const auto& entry) { return entry.first == key; });
    if (found == ballPictures_.end()) {
        if (ballPictures_.size() >= 8)
            ballPictures_.clear(); // colours changed: start again
        ballPictures_.emplace_back(key, ovalPicture(ball, rect.size(), palette(), ratio));
        found = std::prev(ballPictures_.end());
    }
    p.drawPixmap(rect.topLeft(), found->second);
}

void CourtView::paintEvent(QPaintEvent* event) {
    const QRegion& region = event->region();
    for (const QRect& r : region)
        paintedPixels_ +=
            static_cast<std::uint64_t>(r.width()) * static_cast<std::uint64_t>(r.height());
    ++paints_;
    // A whole paint (the window shown or uncovered) shows the game as it is now. A rally's
    // paints never reach round the whole court, and are told apart without a region sum.
    if (region.boundingRect().contains(rect()) && QRegion(rect()).subtracted(region).isEmpty())
        changes_.rememberAll();
    {
        QPainter p(this);
        courtScene(game_, 96, scene_);
        for (const ScenePiece& piece : scene_) {
            if (!region.intersects(toQRect(piece.reach)))
                continue;
            switch (piece.kind) {
            case ScenePiece::Kind::Fill:
                fillWithin(p, region, toQRect(piece.place), toQColor(piece.colour, palette()));
                break;
            case ScenePiece::Kind::Caption:
                drawLabel(p, piece);
                break;
            case ScenePiece::Kind::Ball:
                drawBall(p, piece);
                break;
            }
        }
    }
    if (observer_)
        observer_();
}

} // namespace quindra
