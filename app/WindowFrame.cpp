#include "WindowFrame.h"

#include <QWidget>

namespace quindra {

QSize outerSize(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry(); // holds the menu bar as well as the client area
    if (inner.top() - frame.top() >= thinnestTitleBar)
        return frame.size();
    const Decorations d = typicalDecorations;
    return QSize(inner.width() + d.left + d.right, inner.height() + d.top + d.bottom);
}

} // namespace quindra
