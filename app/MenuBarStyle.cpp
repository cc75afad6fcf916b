#include "MenuBarStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>

namespace quindra {

namespace {

class NoAltNavigationStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void keepKeysFromTheMenuBar(QMenuBar* bar) {
    // The proxy follows the application's style for everything else.
    auto* style = new NoAltNavigationStyle(QApplication::style()->name());
    style->setParent(bar);
    bar->setStyle(style);
}

} // namespace quindra
