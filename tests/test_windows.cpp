// The shot-angle dialog, the About window and the commands window, offscreen.
#include "app/Form1.h"
#include "app/Modulo1.h"
#include "windows/About.h"
#include "windows/frmColori.h"
#include "windows/frmcomandi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace quindra;

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls << url; }
};

namespace {

frmColori* openAngle(Form1& form) {
    form.menuTree().mnuAngolo->trigger();
    frmColori* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<frmColori*>(w); d && d->isVisible())
            dialog = d;
    return dialog;
}

int openAngleWindows() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmColori*>(w) && w->isVisible())
            ++count;
    return count;
}

// Opens a modal window from the menu and hands it to `check` while it is open.
template <typename Window>
void whileOpen(QAction* item, const std::function<void(Window*)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window);
        seen = true;
        check(window);
        if (window->isVisible())
            window->close();
    });
    item->trigger();
    QVERIFY(seen);
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmColori*>(w))
                delete w;
    }

    void angleDialogShape() {
        Form1 form;
        form.Timer1().start();
        frmColori* d = openAngle(form);
        QVERIFY(d);
        QVERIFY(form.Timer1().isActive()); // the rally goes on beside the dialog
        QCOMPARE(d->windowTitle(), QStringLiteral("Angolo di Tiro"));
        QCOMPARE(d->size(), QSize(400, 109));
        QCOMPARE(d->geometry().topLeft(), QPoint(110, 140));
        QVERIFY(!d->parentWidget());
        QVERIFY(!d->isModal());
        QCOMPARE(d->HScroll1()->minimum(), 0);
        QCOMPARE(d->HScroll1()->maximum(), 100);
        QVERIFY(!d->txtPerc()->isEnabled());
        QCOMPARE(d->focusWidget(), d->HScroll1());
        QCOMPARE(d->HScroll1()->nextInFocusChain(), d->Command1());
        QVERIFY(!d->Command1()->isDefault() && !d->Command1()->autoDefault());
    }

    void angleLifeCycle() {
        Form1 form;
        frmColori* d = openAngle(form);
        QCOMPARE(d->HScroll1()->value(), 43);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("43"));
        d->Command1()->click(); // Ok without moving the bar
        QCOMPARE(AngoloTiro, std::int16_t(801));
        QCOMPARE(openAngleWindows(), 0);

        d = openAngle(form);
        QCOMPARE(d->HScroll1()->value(), 43);
        d->HScroll1()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("100"));
        d->Command2()->click(); // Annulla keeps what was stored
        QCOMPARE(AngoloTiro, std::int16_t(801));

        d = openAngle(form);
        d->HScroll1()->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("33"));
        frmColori* again = openAngle(form); // a second "Angolo" only brings it forward
        QCOMPARE(again, d);
        QCOMPARE(openAngleWindows(), 1);
        QCOMPARE(d->HScroll1()->value(), 33);
        d->showMinimized(); // "Angolo" brings a minimised dialog back as it was
        QCOMPARE(openAngle(form), d);
        QVERIFY(!d->isMinimized());
        QCOMPARE(d->HScroll1()->value(), 33);
        d->close(); // the frame's close button: no change
        QCOMPARE(AngoloTiro, std::int16_t(801));

        AngoloTiro = 1200;
        d = openAngle(form);
        QCOMPARE(d->HScroll1()->value(), 100);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("100"));
        d->HScroll1()->triggerAction(QAbstractSlider::SliderToMinimum);
        form.menuTree().mnuNuovaPartita->trigger(); // resets to 800 behind the dialog's back
        QCOMPARE(AngoloTiro, std::int16_t(800));
        d->Command1()->click();
        QCOMPARE(AngoloTiro, std::int16_t(500)); // the dialog's percentage wins
    }

    void angleDialogOutlivesTheMainWindow() {
        auto* form = new Form1;
        form->show();
        QPointer<frmColori> d = openAngle(*form);
        form->close();
        delete form;
        QVERIFY(d && d->isVisible());
        d->Command1()->click();
        QVERIFY(QTest::qWaitFor([&] { return d.isNull(); })); // unloaded once closed
    }

    void aboutWindow() {
        Form1 form;
        form.show();
        form.Timer1().start();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        whileOpen<About>(form.menuTree().mnuQuindra, [&](About* about) {
            QCOMPARE(about->windowTitle(), QStringLiteral("About: Quindra"));
            QCOMPARE(about->size(), QSize(311, 178));
            QVERIFY(about->isModal());
            QCOMPARE(about->parentWidget(), &form);
            QVERIFY(about->windowFlags().testFlag(Qt::Tool));
            QCOMPARE(about->focusWidget(), about->Command1());
            QCOMPARE(about->Label4()->text(), QString::fromLatin1(authorAddress));
            QCOMPARE(about->Label4()->cursor().hotSpot(), QPoint(13, 9));
            QCOMPARE(about->Label4()->cursor().pixmap().size(), QSize(32, 32));
            QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
            QVERIFY(catcher.urls.isEmpty()); // only the address answers a click
            QTest::mouseClick(about->Label4(), Qt::LeftButton);
            QTest::mouseClick(about->Label4(), Qt::LeftButton);
            QVERIFY(about->isVisible()); // the window stays open
            QTest::keyClick(about, Qt::Key_Escape);
            QVERIFY(about->isVisible());
            QVERIFY(form.Timer1().isActive());
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.first().toString(),
                 QStringLiteral("mailto:ruv@example.com?subject=Tennis: Per Ruvendo"));
        QCOMPARE(mailLink(), QStringLiteral("mailto:ruv@example.com?subject=Tennis: Per Ruvendo"));
        QVERIFY(form.Timer1().isActive());
    }

    void aboutOkCloses() {
        Form1 form;
        form.show();
        whileOpen<About>(form.menuTree().mnuQuindra, [](About* about) {
            about->Command1()->click();
            QVERIFY(!about->isVisible());
        });
    }

    void commandsWindow() {
        Form1 form;
        form.show();
        form.Timer1().start();
        whileOpen<frmcomandi>(form.menuTree().mnuSommario, [&](frmcomandi* w) {
            QVERIFY(w->windowTitle().trimmed().isEmpty());
            QCOMPARE(w->size(), QSize(605, 294));
            QCOMPARE(w->parentWidget(), &form);
            QVERIFY(w->isModal());
            QCOMPARE(w->Picture1()->geometry(), QRect(0, 0, 605, 253));
            QCOMPARE(w->focusWidget(), w->Picture1());
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY(w->isVisible());
            QTest::keyClick(w->Picture1(), Qt::Key_Tab);
            QCOMPARE(w->focusWidget(), w->Command1());
            // Access keys answer only in the active window.
            w->windowHandle()->requestActivate();
            QVERIFY(QTest::qWaitFor(
                [w] { return QGuiApplication::focusWindow() == w->windowHandle(); }));
            QTest::keyClick(w->focusWidget(), Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!w->isVisible()); // an access key presses the button for a moment
        });
        QVERIFY(form.Timer1().isActive());
    }

    // Windows opened and closed many times, matches restarted behind open dialogs, the
    // main window closed under the shot-angle dialog: nothing crashes, nothing is left
    // behind (the sanitizer build reports any leak).
    void lifeCycles() {
        auto* form = new Form1;
        form->show();
        const int before = int(QApplication::topLevelWidgets().size());
        for (int i = 0; i < 50; ++i) {
            whileOpen<About>(form->menuTree().mnuQuindra, [&](About*) {
                form->menuTree().mnuNuovaPartita->trigger(); // a menu command behind it
            });
            whileOpen<frmcomandi>(form->menuTree().mnuSommario, [](frmcomandi*) {});
            frmColori* d = openAngle(*form);
            QVERIFY(d);
            d->showMinimized();
            QCOMPARE(openAngle(*form), d); // brought back
            QVERIFY(!d->isMinimized());
            form->menuTree().mnuAllenamento->trigger();
            QCOMPARE(AngoloTiro, std::int16_t(800));
            d->HScroll1()->setValue(i % 101);
            (i % 2 ? d->Command1() : d->Command2())->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(int(QApplication::topLevelWidgets().size()), before);
        QCOMPARE(openAngleWindows(), 0);

        QPointer<frmColori> d = openAngle(*form);
        form->close();
        delete form;
        d->HScroll1()->setValue(100);
        d->Command1()->click();
        QCOMPARE(AngoloTiro, std::int16_t(1200));
        QVERIFY(QTest::qWaitFor([&] { return d.isNull(); }));
    }

    void commandsPicture() {
        const QPixmap picture(QStringLiteral(":/assets/comandi.png"));
        QCOMPARE(picture.size(), QSize(600, 247));
        const QPixmap about(QStringLiteral(":/assets/about.png"));
        QCOMPARE(about.size(), QSize(130, 133));
    }
};

QTEST_MAIN(WindowsTest)
#include "test_windows.moc"
