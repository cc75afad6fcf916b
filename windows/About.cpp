#include "About.h"

#include "Controls.h"
#include "app/Colours.h"
#include "app/Twips.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace quindra {

namespace {

// Turns a click on the address label into the window's Label4_Click.
class ClickFilter : public QObject {
  public:
    ClickFilter(About* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                window_->Label4_Click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    About* window_;
};

} // namespace

QString mailLink() {
    return QString::fromStdString(mailLinkText());
}

About::About(QWidget* owner) : FixedToolWindow(owner, 4665, 2670) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About: Quindra"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colours::menu, pal));
    setPalette(pal);

    placedLabel(this, QStringLiteral("Quindra é un programma di "), 1980, 360, 2685, 255);
    placedLabel(this, QStringLiteral("Ruvendo"), 1980, 615, 1575, 255);
    placedLabel(this, QStringLiteral("Gioco libero e gratuito."), 1980, 1155, 2265, 255);
    QLabel* invite =
        placedLabel(this,
                    QStringLiteral("Per Informazioni, suggerimenti e qualsiasi opinione su "
                                   "questo gioco scrivete una email."),
                    1980, 1440, 2595, 735);
    invite->setWordWrap(true);

    label4_ = placedLabel(this, QString::fromLatin1(authorAddress), 2580, 840, 2355, 375);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setFont(gameFont(QStringLiteral("MS Sans Serif"), 9.75, false, true));
    QPalette linkPalette = label4_->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label4_->setPalette(linkPalette);
    label4_->setCursor(QCursor(QPixmap(QStringLiteral(":/assets/pointer.png")), 13, 9));
    label4_->installEventFilter(new ClickFilter(this));

    command1_ = addOkButton(1965, 2220);

    placedLabel(this, QStringLiteral("E-mail: "), 1980, 900, 615, 255);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(toPixelQRect(180, 300, 1365, 1560));
    image1->setPixmap(QPixmap(QStringLiteral(":/assets/about.png")));
    image1->setScaledContents(true);

    command1_->setFocus();
}

void About::Label4_Click() {
    // Whatever the desktop makes of the link, the window stays open and says nothing.
    QDesktopServices::openUrl(QUrl(mailLink(), QUrl::TolerantMode));
}

} // namespace quindra
