// The shot-angle dialog, the About window and the commands window, offscreen.
#include "app/Form1.h"
#include "app/Modulo1.h"
#include "app/StartUp.h"
#include "windows/About.h"
#include "windows/frmColori.h"
#include "windows/frmcomandi.h"

#include <QApplication>
#include <QColorDialog>
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

// "Angolo" from the menu: the one shot-angle dialog shown, or none if not exactly one.
frmColori* openAngle(Form1& form) {
    form.menuTree()[MenuItem::mnuAngolo]->trigger();
    QList<frmColori*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<frmColori*>(w); d && d->isVisible())
            open << d;
    return open.size() == 1 ? open.first() : nullptr;
}

// Opens a modal window from the menu and hands it to `check` while it is open.
template <typename Window>
void whileOpen(QAction* item, const std::function<void(Window*)>& check) {
    Window* seen = nullptr;
    QTimer::singleShot(0, [&] {
        if ((seen = qobject_cast<Window*>(QApplication::activeModalWidget())))
            check(seen), seen->close();
    });
    item->trigger();
    QVERIFY(seen);
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void angleDialog() {
        Form1 form;
        form.table().setClockEnabled(true);
        frmColori* d = openAngle(form);
        QVERIFY(d);
        QVERIFY(form.timer(TimerId::Clock).isActive()); // the rally goes on beside the dialog
        QCOMPARE(d->windowTitle() + " " + QString::number(d->HScroll1()->maximum()),
                 QStringLiteral("Angolo di Tiro 100"));
        QVERIFY(!d->isModal() && !d->txtPerc()->isEnabled());
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("43")); // 800 shows as 43 ...
        d->Command1()->click(); // ... and Ok without moving the bar gives 801
        QCOMPARE(AngoloTiro, std::int16_t(801));
        QVERIFY(!d->isVisible());

        d = openAngle(form);
        d->HScroll1()->triggerAction(QAbstractSlider::SliderToMaximum);
        d->Command2()->click(); // Annulla keeps what was stored
        QCOMPARE(AngoloTiro, std::int16_t(801));

        d = openAngle(form);
        d->HScroll1()->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("33"));
        d->showMinimized(); // a second "Angolo" brings it back as it was
        QCOMPARE(openAngle(form), d);
        QVERIFY(!d->isMinimized());
        QCOMPARE(d->HScroll1()->value(), 33);
        d->close(); // the frame's close button: no change
        QCOMPARE(AngoloTiro, std::int16_t(801));

        AngoloTiro = 1200;
        d = openAngle(form);
        QCOMPARE(d->txtPerc()->text(), QStringLiteral("100"));
        d->HScroll1()->triggerAction(QAbstractSlider::SliderToMinimum);
        form.menuTree()[MenuItem::mnuNuovaPartita]->trigger(); // 800 behind the dialog's back ...
        d->Command1()->click();
        QCOMPARE(AngoloTiro, std::int16_t(500)); // ... and the dialog's percentage wins
        // Percentages far out of range saturate rather than wrap.
        QCOMPARE(PercInAngolo(4700), std::int16_t(32767));
        QCOMPARE(AngoloInPerc(-32768), std::int16_t(-4753));
    }

    // About: only the address answers a click, with a mail to the author; Escape leaves it
    // open, Ok closes it; the rally goes on behind it.
    void aboutWindow() {
        Form1 form;
        form.show();
        form.table().setClockEnabled(true);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        whileOpen<About>(form.menuTree()[MenuItem::mnuQuindra], [&](About* about) {
            QCOMPARE(about->windowTitle(), QStringLiteral("About: Quindra"));
            QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
            QTest::mouseClick(about->Label4(), Qt::LeftButton);
            QTest::keyClick(about, Qt::Key_Escape);
            QVERIFY(about->isVisible());
            about->Command1()->click();
            QVERIFY(!about->isVisible());
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        whileOpen<frmcomandi>(form.menuTree()[MenuItem::mnuSommario],
                              [](frmcomandi* w) { QVERIFY(w->isModal()); });
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toString(),
                 QStringLiteral("mailto:ruv@example.com?subject=Tennis: Per Ruvendo"));
        QVERIFY(form.timer(TimerId::Clock).isActive());
    }

    // The main window closed under the shot-angle dialog: the dialog stays and still sets
    // the angle, and is unloaded once closed (the sanitizer build reports any leak).
    void angleDialogOutlivesTheMainWindow() {
        auto* form = new Form1;
        QPointer<frmColori> d = openAngle(*form);
        delete form;
        d->HScroll1()->setValue(100);
        d->Command1()->click();
        QCOMPARE(AngoloTiro, std::int16_t(1200));
        QVERIFY(QTest::qWaitFor([&] { return d.isNull(); }));
    }

    // Qt's own dialogs speak the desktop's language.
    void qtDialogsInItalian() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        loadDesktopLanguage(*qApp);
        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        QStringList captions;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            captions << button->text();
        QVERIFY2(captions.contains("Annulla"), qPrintable(captions.join('|')));
    }
};

QTEST_MAIN(WindowsTest)
#include "test_windows.moc"
