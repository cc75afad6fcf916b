#include "CourtView.h"

#include "GameCore.h"
#include "Twips.h"

#include <QPainter>

namespace quindra {

namespace {

void drawShape(QPainter& p, const Shape& s, const QPalette& palette) {
    const QRect rect = toPixelRect(s.Left, s.Top, s.Width, s.Height);
    // The outline lies inside the shape, as wide as its border.
    const qreal inset = s.BorderWidth / 2.0;
    const QRectF outline = QRectF(rect).adjusted(inset, inset, -inset, -inset);
    p.setPen(QPen(toQColor(s.BorderColor, palette), s.BorderWidth, Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    p.setBrush(toQColor(s.BackColor, palette));
    if (s.kind == ShapeKind::Oval) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(outline);
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.drawRect(outline);
    }
}

void drawLine(QPainter& p, const Line& l, const QPalette& palette) {
    p.setPen(QPen(toQColor(l.BorderColor, palette), l.BorderWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(l.X1 / twipsPerPixel, l.Y1 / twipsPerPixel),
               QPointF(l.X2 / twipsPerPixel, l.Y2 / twipsPerPixel));
}

// The set columns stand 240 twips apart: a count keeps a clear gap before the next, wider
// than the space between its own digits, so 12 beside 3 never reads as 123.
const int setCaptionRoom = toPixels(240) - 5;

// `room`: how far, in pixels, the caption may reach before it meets its neighbour; 0 for
// no limit.
void drawLabel(QPainter& p, const Label& l, const QPalette& palette, int room = 0) {
    const QRect rect = toPixelRect(l.Left, l.Top, l.Width, l.Height);
    if (!l.transparent)
        p.fillRect(rect, toQColor(l.BackColor, palette));
    p.setPen(toQColor(l.ForeColor, palette));
    const QFont font = gameFont(QString::fromStdString(l.FontName), l.FontSize, l.bold);
    p.setFont(font);
    const QString caption = QString::fromStdString(l.Caption);
    const int clip = l.transparent ? Qt::TextDontClip : 0;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | clip;
    // A set can run to 12-10 and beyond: a transparent caption may run past its label,
    // and one too wide for its place is drawn narrower, clear of the next column.
    const int wide = room > 0 ? QFontMetrics(font).horizontalAdvance(caption) : 0;
    if (wide <= room) {
        p.drawText(rect, flags, caption);
        return;
    }
    p.save();
    p.translate(rect.topLeft());
    p.scale(double(room) / wide, 1.0);
    p.drawText(QRect(QPoint(0, 0), rect.size()), flags, caption);
    p.restore();
}

} // namespace

CourtView::CourtView(const GameCore& game, QWidget* parent) : QWidget(parent), game_(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CourtView::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), toQColor(colours::buttonFace, pal));

    drawShape(p, game_.Campo, pal);
    for (const Line& l : game_.lines)
        drawLine(p, l, pal);
    drawShape(p, game_.Racchetta_Blu, pal);
    drawShape(p, game_.Racchetta_Rossa, pal);
    drawLabel(p, game_.lblPuntoBlu, pal);
    drawLabel(p, game_.Label1, pal);
    drawLabel(p, game_.lblPuntoRosso, pal);
    for (int i = 0; i < GameCore::setColumns; ++i) {
        if (!game_.setColumnShown(i))
            continue;
        drawLabel(p, game_.lblSet_Sin[static_cast<std::size_t>(i)], pal, setCaptionRoom);
        drawLabel(p, game_.lblSet_Dest[static_cast<std::size_t>(i)], pal, setCaptionRoom);
    }
    drawShape(p, game_.Pallina, pal);
}

} // namespace quindra
