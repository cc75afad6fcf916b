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
template <class Rect>
void fillWithin(QPainter& p, const QRegion& region, const Rect& r, const QColor& colour) {
    for (const QRect& painted : region) {
        const Rect part = r & Rect(painted);
        if (!part.isEmpty())
            p.fillRect(part, colour);
    }
}

// A rectangle as fills: its outline lies inside the shape, as wide as its border. Where a
// painted part reaches the outline, the border's colour goes under it and the inside over
// it; a part wholly inside (the ball in mid-court) takes the inside's colour alone.
void drawRectangle(QPainter& p, const Shape& s, const QPalette& palette, const QRegion& region) {
    const QRect rect = toPixelQRect(s.Left, s.Top, s.Width, s.Height);
    const int w = s.BorderWidth;
    const QRect inside = rect.adjusted(w, w, -w, -w);
    const QColor border = toQColor(s.BorderColor, palette);
    const QColor back = toQColor(s.BackColor, palette);
    for (const QRect& painted : region) {
        const QRect part = rect & painted;
        if (part.isEmpty())
            continue;
        if (!inside.contains(part))
            p.fillRect(part, border);
        const QRect within = inside & part;
        if (!within.isEmpty())
            p.fillRect(within, back);
    }
}

// The ball, smoothed, drawn once into a picture and then only copied.
QPixmap ovalPicture(const Shape& s, const QPalette& palette, qreal ratio) {
    const QRect rect = toPixelQRect(s.Left, s.Top, s.Width, s.Height);
    QPixmap picture(rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const qreal inset = s.BorderWidth / 2.0;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(toQColor(s.BorderColor, palette), s.BorderWidth));
    p.setBrush(toQColor(s.BackColor, palette));
    p.drawEllipse(
        QRectF(QPointF(0, 0), QSizeF(rect.size())).adjusted(inset, inset, -inset, -inset));
    return picture;
}

// The court's lines run along the axes: each is a band of its width around its ends.
void drawLine(QPainter& p, const Line& l, const QPalette& palette, const QRegion& region) {
    const QColor colour = toQColor(l.BorderColor, palette);
    const qreal half = l.BorderWidth / 2.0;
    const QPointF from(l.X1 / twipsPerPixel, l.Y1 / twipsPerPixel);
    const QPointF to(l.X2 / twipsPerPixel, l.Y2 / twipsPerPixel);
    QRectF band;
    if (from.x() == to.x())
        band = QRectF(from.x() - half, std::min(from.y(), to.y()), l.BorderWidth,
                      std::abs(to.y() - from.y()));
    else if (from.y() == to.y())
        band = QRectF(std::min(from.x(), to.x()), from.y() - half, std::abs(to.x() - from.x()),
                      l.BorderWidth);
    if (band.isValid()) {
        fillWithin(p, region, band, colour);
        return;
    }
    p.setPen(QPen(colour, l.BorderWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
}

QRect labelPlace(const Label& l) {
    return toPixelQRect(l.Left, l.Top, l.Width, l.Height);
}

QRect paintedPlace(const Label& l) {
    return toQRect(captionArea(toPixelRect(l.Left, l.Top, l.Width, l.Height), l.transparent));
}

QRect shapePlace(const Shape& s) {
    return toQRect(shapeArea(toPixelRect(s.Left, s.Top, s.Width, s.Height)));
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
void CourtView::drawLabel(QPainter& p, const Label& l, int room) const {
    const QRect rect = labelPlace(l);
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

void CourtView::drawBall(QPainter& p) const {
    const Shape& ball = game_.Pallina;
    // What the painter draws into: the window's backing store, or a picture. Its own
    // ratio is a stored figure, where the widget's would be asked of the screen.
    const qreal ratio = p.paintEngine()->paintDevice()->devicePixelRatioF();
    const QRect rect = toPixelQRect(ball.Left, ball.Top, ball.Width, ball.Height);
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
        ballPictures_.emplace_back(key, ovalPicture(ball, palette(), ratio));
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
        const QPalette& pal = palette();
        const QRect bounds = region.boundingRect();
        const QRect court =
            toPixelQRect(game_.Campo.Left, game_.Campo.Top, game_.Campo.Width, game_.Campo.Height);
        if (!court.contains(bounds))
            fillWithin(p, region, rect(), toQColor(colours::buttonFace, pal)); // the strip below
        drawRectangle(p, game_.Campo, pal, region);
        for (const Line& l : game_.lines)
            drawLine(p, l, pal, region);
        // Beyond the court and its lines, only what lies where the paint is.
        for (const Shape* racquet : {&game_.Racchetta_Blu, &game_.Racchetta_Rossa})
            if (region.intersects(shapePlace(*racquet)))
                drawRectangle(p, *racquet, pal, region);
        for (const Label* l : {&game_.lblPuntoBlu, &game_.Label1, &game_.lblPuntoRosso})
            if (region.intersects(paintedPlace(*l)))
                drawLabel(p, *l, 0);
        for (int i = 0; i < GameCore::setColumns; ++i) {
            if (!game_.setColumnShown(i))
                continue;
            for (const Label* l : {&game_.lblSet_Sin[static_cast<std::size_t>(i)],
                                   &game_.lblSet_Dest[static_cast<std::size_t>(i)]})
                if (region.intersects(paintedPlace(*l)))
                    drawLabel(p, *l, setCaptionRoom);
        }
        if (region.intersects(shapePlace(game_.Pallina)))
            drawBall(p);
        if (game_.paused() && region.intersects(paintedPlace(game_.lblPausa)))
            drawLabel(p, game_.lblPausa, 0);
    }
    if (observer_)
        observer_();
}

} // namespace quindra
