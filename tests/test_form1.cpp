// The real main window, offscreen: its size, menus, clock, keys and modal boxes.
#include "app/Form1.h"
#include "app/Modulo1.h"
#include "app/Twips.h"

#include <QApplication>
#include <QColorDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QtTest>

using namespace quindra;
using namespace std::string_literals;

namespace {

// Runs `answer` on the first modal widget that opens while `trigger` runs.
void answerModal(const std::function<void()>& trigger,
                 const std::function<void(QWidget*)>& answer) {
    bool answered = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && !answered) {
            answered = true;
            answer(modal);
        }
    });
    poll.start();
    trigger();
    poll.stop();
    QVERIFY(answered);
}

// The court as the screen shows it now, not a fresh paint of the game's state.
QImage courtOnScreen(QWidget& form, const QWidget* court) {
    const QImage all = form.screen()->grabWindow(form.winId()).toImage();
    const QRect place(court->mapTo(&form, QPoint(0, 0)), court->size());
    return all.copy(place).convertToFormat(QImage::Format_RGB32);
}

QImage freshCourt(QWidget* court) {
    return court->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The rightmost column, from `from` up to `to`, where rows [top, bottom) hold the light
// green of the game counts; -1 when there is none.
int inkRight(const QImage& image, int from, int to, int top, int bottom) {
    int right = -1;
    for (int x = from; x <= to; ++x)
        for (int y = top; y < bottom; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 160 && c.red() < c.green() - 40 && c.blue() < c.green() - 40)
                right = x;
        }
    return right;
}

// Shows the window and waits until it has the keyboard, as a player's window has.
bool shownActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* a : actions)
        captions << a->text();
    return captions;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void windowShape() {
        Form1 form;
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Quindra Game"));
        QCOMPARE(form.court()->width() * 15, 7455);
        QCOMPARE(form.court()->height() * 15, 5070);
        QCOMPARE(form.court()->y(), form.menuBar()->height()); // the client area below the menu
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
        QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
        // Offscreen there is no real frame: the classic frame stands in, around the menu
        // bar and the client area.
        QCOMPARE(form.outerHeight(), 15.0f * float(form.menuBar()->height() + 338 + 22 + 3));
        QCOMPARE(form.outerWidth(), 15.0f * float(497 + 3 + 3));
    }

    void menuTree() {
        Form1 form;
        const QList<QAction*> tops = form.menuBar()->actions();
        QCOMPARE(captionsOf(tops), (QStringList{"File", "Livelli", "Set", "Pallina", "Racchette",
                                                "Campo", "Opzioni", "Help", "About"}));
        const QList<QStringList> items = {
            {"Nuova Partita", "Allenamento"},
            {"Principiante", "Intermedio", "Professionista"},
            {"Uno", "Tre", "Cinque"},
            {"Colore Pallina"},
            {"Grandi", "Piccole", "Colore"},
            {"Wimbledon", "Roland Garros", "Open USA", "Personalizza il Colore"},
            {"Ri-Effetto", "Angolo", "Computer"},
            {"Comandi"},
            {"Quindra"},
        };
        for (int i = 0; i < tops.size(); ++i)
            QCOMPARE(captionsOf(tops[i]->menu()->actions()), items[i]);
        QMenu* colour = tops[4]->menu()->actions().last()->menu();
        QVERIFY(colour);
        QCOMPARE(captionsOf(colour->actions()),
                 (QStringList{"Rachetta Sinistra", "Rachetta Destra"}));
    }

    void startState() {
        Form1 form;
        const MenuTree& m = form.menuTree();
        QList<QAction*> checked;
        for (QAction* a : form.findChildren<QAction*>())
            if (a->isChecked())
                checked << a;
        QCOMPARE(captionsOf(checked).size(), 4);
        QVERIFY(m.mnuPri->isChecked() && m.mnuSet_Uno->isChecked() && m.mnuGrandi->isChecked() &&
                m.mnuWimb->isChecked());
        QVERIFY(!m.mnuRief->isChecked());
        QCOMPARE(form.Timer1().timerType(), Qt::PreciseTimer);
        QCOMPARE(form.Timer1().interval(), 100);
        QVERIFY(!form.Timer1().isActive());
        QCOMPARE(form.game().NumSet, 1);
        QVERIFY(QString::fromStdString(HelpFile).endsWith(QStringLiteral("\\quindra.hlp")));
        QVERIFY(QString::fromStdString(HelpFile).startsWith(
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
    }

    void menuCommands() {
        Form1 form;
        const MenuTree& m = form.menuTree();
        m.mnuPro->trigger();
        QCOMPARE(form.Timer1().interval(), 40);
        QVERIFY(m.mnuPro->isChecked() && !m.mnuPri->isChecked());
        QVERIFY(!form.Timer1().isActive());
        m.mnuSet_Cinque->trigger();
        QCOMPARE(form.game().NumSet, 5);
        QVERIFY(m.mnuSet_Cinque->isChecked() && !m.mnuSet_Uno->isChecked());
        m.mnuPiccole->trigger();
        QCOMPARE(form.game().Racchetta_Rossa.Height, 450.0f);
        QVERIFY(m.mnuPiccole->isChecked() && !m.mnuGrandi->isChecked());
        m.mnuRief->trigger();
        QVERIFY(m.mnuRief->isChecked() && form.game().RiEffetto);
        m.mnuRief->trigger();
        QVERIFY(!m.mnuRief->isChecked() && !form.game().RiEffetto);
        m.mnuRief->trigger();
        m.mnuAllenamento->trigger();
        QVERIFY(!m.mnuRief->isChecked()); // the new match clears the mark with the flag
        QCOMPARE(form.game().Racchetta_Blu.Height, 5052.0f);
        m.mnuOpUsa->trigger();
        QVERIFY(m.mnuOpUsa->isChecked() && !m.mnuWimb->isChecked());
        m.mnuWimb->trigger();
        m.mnuWimb->trigger(); // the checked item chosen again stays checked
        QVERIFY(m.mnuWimb->isChecked());
        QCOMPARE(form.game().Campo.BackColor, Colour(0x00004000));
    }

    void runningClockSurvivesMenus() {
        Form1 form;
        form.Timer1().start();
        form.menuTree().mnuInt->trigger();
        form.menuTree().mnuSet_Tre->trigger();
        QVERIFY(form.Timer1().isActive());
        QCOMPARE(form.Timer1().interval(), 50);
        form.menuTree().mnuNuovaPartita->trigger();
        QVERIFY(!form.Timer1().isActive());
    }

    void colourDialogPicked() {
        Form1 form;
        form.show();
        answerModal([&] { form.menuTree().mnuColPallina->trigger(); },
                    [](QWidget* modal) {
                        auto* dialog = qobject_cast<QColorDialog*>(modal);
                        QVERIFY(dialog);
                        dialog->setCurrentColor(QColor(10, 20, 30));
                        dialog->accept();
                    });
        QCOMPARE(form.game().Pallina.BackColor, rgb(10, 20, 30));
        // The next opening starts from that colour; cancelling changes nothing.
        QColor preset;
        answerModal([&] { form.menuTree().mnuCol_Sinistra->trigger(); },
                    [&](QWidget* modal) {
                        auto* dialog = qobject_cast<QColorDialog*>(modal);
                        QVERIFY(dialog);
                        preset = dialog->currentColor();
                        dialog->reject();
                    });
        QCOMPARE(preset, QColor(10, 20, 30));
        QCOMPARE(form.game().Racchetta_Blu.BackColor, Colour(0x00FF0000));
        QCOMPARE(form.game().lblPuntoBlu.ForeColor, Colour(0x00FF0000));
    }

    void matchEndMessage() {
        Form1 form;
        form.show();
        GameCore& g = form.game();
        g.lblSet_Sin[0].Caption = "5"s;
        g.lblPuntoBlu.Caption = "40"s;
        g.Pallina.Move(form.outerWidth() - 100, 2000);
        g.PassoX = 200;
        g.PassoY = 0;
        form.Timer1().setInterval(10);
        form.Timer1().start();
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        float leftWhileOpen = 0;
        bool boardShown = false;
        answerModal([&] { QVERIFY(QTest::qWaitFor([&] { return !text.isEmpty(); }, 5000)); },
                    [&](QWidget* modal) {
                        auto* box = qobject_cast<QMessageBox*>(modal);
                        QVERIFY(box);
                        text = box->text();
                        title = box->windowTitle();
                        icon = box->icon();
                        buttons = int(box->buttons().size());
                        leftWhileOpen = g.Pallina.Left;
                        // The players see the final board behind the box: "2V" and 6-0.
                        boardShown = courtOnScreen(form, form.court()) == freshCourt(form.court());
                        QVERIFY(form.Timer1().isActive()); // still on while the box waits
                        QTest::qWait(100);                 // ticks fall due meanwhile
                        g.Timer1_Timer();                  // and one arrives in the middle
                        QCOMPARE(g.Pallina.Left, leftWhileOpen);
                        QCOMPARE(g.lblPuntoBlu.Caption, std::string("2V"));
                        box->button(QMessageBox::Ok)->click();
                    });
        QVERIFY(boardShown);
        QCOMPARE(text, QStringLiteral("Ha vinto il giocatore di Sinistra.\nFine Partita"));
        QCOMPARE(title, QStringLiteral("Quindra"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
        QVERIFY(!form.Timer1().isActive());
        QCOMPARE(g.lblSet_Sin[0].Caption, std::string("0"));
        QCOMPARE(g.lblPuntoBlu.Caption, std::string("0"));
    }

    // A tick paints the ball's old and new places, a key the racquet that moved, a key
    // that changes nothing paints nothing; and the screen still shows the whole game.
    void onlyWhatChangesIsPainted() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        CourtView* court = form.court();
        QTest::qWait(20);
        GameCore& g = form.game();
        g.Racchetta_Rossa.Top = 0; // out of the ball's way: no point in this rally
        g.Pallina.Move(1200, 1000);
        g.PassoX = 200;
        g.PassoY = 37;
        int ticks = 0;
        connect(&form.Timer1(), &QTimer::timeout, [&ticks] { ++ticks; });
        const std::uint64_t before = court->paintedPixels();
        form.Timer1().setInterval(10);
        form.Timer1().start();
        QVERIFY(QTest::qWaitFor([&] { return ticks >= 20; }));
        form.Timer1().stop();
        QTest::qWait(20);
        const std::uint64_t perTick = (court->paintedPixels() - before) / std::uint64_t(ticks);
        QVERIFY2(perTick > 0 && perTick <= 2000, qPrintable(QString::number(perTick)));
        QCOMPARE(courtOnScreen(form, court), freshCourt(court));

        std::uint64_t mark = court->paintedPixels();
        QTest::keyClick(&form, Qt::Key_Down);
        QTest::qWait(20);
        const QRect racquet = toPixelRect(g.Racchetta_Rossa.Left, g.Racchetta_Rossa.Top,
                                          g.Racchetta_Rossa.Width, g.Racchetta_Rossa.Height);
        const auto racquetArea = std::uint64_t((racquet.width() + 2) * (racquet.height() + 2));
        QVERIFY(court->paintedPixels() > mark);
        QVERIFY(court->paintedPixels() - mark <= 2 * racquetArea);
        mark = court->paintedPixels();
        QTest::keyClick(&form, Qt::Key_Escape);
        QTest::keyClick(&form, Qt::Key_Q);
        QTest::qWait(20);
        QCOMPARE(court->paintedPixels(), mark);
        QCOMPARE(courtOnScreen(form, court), freshCourt(court));
    }

    void longSetsShowWholeCounts() {
        Form1 form;
        form.show();
        GameCore& g = form.game();
        g.lblSet_Sin[0].Caption = "12"s;
        g.lblSet_Dest[0].Caption = "10"s;
        g.lblSet_Sin[1].Caption = "10"s;
        g.lblSet_Dest[1].Caption = "8"s;
        const QImage court = freshCourt(form.court());
        for (const Label* label : {&g.lblSet_Sin[0], &g.lblSet_Dest[0], &g.lblSet_Sin[1]}) {
            const QRect box = toPixelRect(label->Left, label->Top, label->Width, label->Height);
            const QFontMetrics metrics(
                gameFont(QString::fromStdString(label->FontName), label->FontSize, label->bold));
            const QString caption = QString::fromStdString(label->Caption);
            // Up to the next column, 240 twips (16 pixels) on.
            const int right =
                inkRight(court, box.left(), box.left() + 15, box.top(), box.bottom() + 1);
            QVERIFY2(right > box.right(), qPrintable(caption));      // not cut at the label's edge
            QVERIFY2(right <= box.left() + 13, qPrintable(caption)); // clear of the next column
            QVERIFY2(right - box.left() + 1 >= 0.6 * metrics.horizontalAdvance(caption),
                     qPrintable(caption)); // both digits
        }
    }

    void altLeavesTheKeysWithTheGame() {
        // A style in which a tap of Alt gives the keyboard to the menu bar.
        const QString previous = QApplication::style()->name();
        QApplication::setStyle(QStringLiteral("Windows"));
        {
            Form1 form;
            QVERIFY(shownActive(form));
            GameCore& g = form.game();
            g.Racchetta_Blu.Top = 1920;
            QTest::keyClick(&form, Qt::Key_Alt);
            QTest::keyClick(&form, Qt::Key_A);
            QCOMPARE(g.Racchetta_Blu.Top, 1420.0f);
            QVERIFY(!form.menuBar()->activeAction());
        }
        QApplication::setStyle(previous);
    }

    void heldKeysRepeatEachOnTheirOwn() {
        Form1 form;
        form.show();
        std::int64_t t = 0;
        form.setRepeatClock([&t] { return t; });
        form.heldKeys().setTiming(200, 50);
        GameCore& g = form.game();
        g.Racchetta_Blu.Top = 4400;
        g.Racchetta_Rossa.Top = 4400;
        QTest::keyPress(&form, Qt::Key_A);  // two steps: key-down 65 and character 97
        QTest::keyPress(&form, Qt::Key_Up); // one step
        const auto at = [&](std::int64_t time) {
            t = time;
            form.repeatHeldKeys();
        };
        at(200);
        QCOMPARE(g.Racchetta_Blu.Top, 4400.0f - 2 * 500);
        QCOMPARE(g.Racchetta_Rossa.Top, 4400.0f - 2 * 250);
        // The desktop's own repeat of A adds nothing.
        QKeyEvent desktopRepeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"),
                                true);
        QApplication::sendEvent(&form, &desktopRepeat);
        at(250);
        QCOMPARE(g.Racchetta_Blu.Top, 4400.0f - 3 * 500);
        QCOMPARE(g.Racchetta_Rossa.Top, 4400.0f - 3 * 250);
        QTest::keyRelease(&form, Qt::Key_A);
        at(300);
        QCOMPARE(g.Racchetta_Blu.Top, 4400.0f - 3 * 500);
        QCOMPARE(g.Racchetta_Rossa.Top, 4400.0f - 4 * 250);
        QTest::keyRelease(&form, Qt::Key_Up);
        QVERIFY(!form.heldKeys().nextDue());
    }

    // One key held for a second, once with the desktop's own repeats arriving on the
    // desktop's timing and once without: the racquet moves the same.
    void desktopRepeatsAddNothing() {
        float moved[2] = {0, 0};
        for (const bool desktopRepeats : {false, true}) {
            Form1 form;
            std::int64_t t = 0;
            form.setRepeatClock([&t] { return t; });
            form.heldKeys().setTiming(250, 40);
            GameCore& g = form.game();
            g.Racchetta_Rossa.Top = 4900;
            QTest::keyPress(&form, Qt::Key_Up);
            for (t = 1; t <= 1000; ++t) {
                if (desktopRepeats && t >= 250 && (t - 250) % 40 == 0) {
                    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
                    QApplication::sendEvent(&form, &repeat);
                }
                form.repeatHeldKeys();
            }
            QTest::keyRelease(&form, Qt::Key_Up);
            moved[desktopRepeats] = 4900 - g.Racchetta_Rossa.Top;
        }
        QCOMPARE(moved[1], moved[0]);
        QCOMPARE(moved[0], 250.0f * (1 + 19)); // the press, then repeats at 250, 290 ... 970
    }

    void openMenuTakesEveryKey() {
        Form1 form;
        QVERIFY(shownActive(form));
        GameCore& g = form.game();
        g.Racchetta_Blu.Top = 1920;
        g.Racchetta_Rossa.Top = 2160;
        QTest::keyPress(&form, Qt::Key_Down); // held when the menu opens
        // Opened from the menu bar, as a player opens it.
        QAction* fileItem = form.menuBar()->actions().first();
        QMenu* file = fileItem->menu();
        form.menuBar()->setActiveAction(fileItem);
        QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QVERIFY(!form.heldKeys().nextDue());
        QWidget* popup = QApplication::activePopupWidget();
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Z, Qt::Key_X, Qt::Key_W, Qt::Key_S,
                                  Qt::Key_Space, Qt::Key_Less, Qt::Key_8, Qt::Key_2})
            QTest::keyClick(popup, key);
        QCOMPARE(g.Racchetta_Blu.Top, 1920.0f);
        QCOMPARE(g.Racchetta_Blu.Left, 720.0f);
        QCOMPARE(g.Racchetta_Rossa.Top, 2410.0f); // the one press before the menu
        QVERIFY(!form.Timer1().isActive());
        file->hide();
        QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
        QTest::keyClick(&form, Qt::Key_A);
        QTest::keyClick(&form, Qt::Key_Up);
        QCOMPARE(g.Racchetta_Blu.Top, 1420.0f);
        QCOMPARE(g.Racchetta_Rossa.Top, 2160.0f);
    }

    void computerTakesTheRightRacquet() {
        Form1 form;
        form.show();
        GameCore& g = form.game();
        const MenuTree& m = form.menuTree();
        QVERIFY(!m.mnuComputer->isChecked());
        m.mnuAllenamento->trigger();
        m.mnuComputer->trigger(); // ends the training, as "Nuova Partita" does
        QVERIFY(m.mnuComputer->isChecked() && !g.Allenamento);
        QCOMPARE(g.Racchetta_Blu.Height, g.Racchetta_Rossa.Height);
        m.mnuNuovaPartita->trigger(); // leaves the computer playing
        QVERIFY(m.mnuComputer->isChecked());

        // Its own serve: Space about a second later.
        g.Battuta = 1;
        g.batte();
        form.court()->refresh();
        m.mnuInt->trigger(); // any command wakes it
        QElapsedTimer waited;
        waited.start();
        QVERIFY(QTest::qWaitFor([&] { return form.Timer1().isActive(); }, 3000));
        QVERIFY(waited.elapsed() >= 900);

        // Mid-rally the right player's keys do nothing, the left player's still work.
        const float top = g.Racchetta_Rossa.Top;
        g.Racchetta_Blu.Top = 1920; // training left it at the top
        const float blueTop = g.Racchetta_Blu.Top;
        QTest::keyClick(&form, Qt::Key_Up);
        QTest::keyClick(&form, Qt::Key_Left);
        QCOMPARE(g.Racchetta_Rossa.Top, top);
        QCOMPARE(g.Racchetta_Rossa.Left, 6600.0f);
        QTest::keyClick(&form, Qt::Key_W);
        QCOMPARE(g.Racchetta_Blu.Top, blueTop - 250);
        // Switched off mid-rally: the racquet stays, the keys are the player's again.
        m.mnuComputer->trigger();
        QCOMPARE(g.Racchetta_Rossa.Top, top);
        QTest::keyClick(&form, Qt::Key_Up);
        QCOMPARE(g.Racchetta_Rossa.Top, top - 250);
        QTest::qWait(100);
        QCOMPARE(g.Racchetta_Rossa.Top, top - 250); // nobody else moves it
        // And training turns it off.
        m.mnuComputer->trigger();
        m.mnuAllenamento->trigger();
        QVERIFY(!m.mnuComputer->isChecked());
    }

    void keysReachTheGame() {
        Form1 form;
        form.show();
        GameCore& g = form.game();
        g.Racchetta_Blu.Top = 1920;
        QTest::keyClick(&form, Qt::Key_A); // key-down 65 and character 97
        QCOMPARE(g.Racchetta_Blu.Top, 1420.0f);
        QTest::keyClick(&form, Qt::Key_X);
        QCOMPARE(g.Racchetta_Blu.Left, 2080.0f);
        QTest::keyClick(&form, Qt::Key_Less);
        QCOMPARE(g.Racchetta_Blu.Left, 720.0f);
        QTest::keyClick(&form, Qt::Key_X);
        // On a US keyboard "<" is Shift and comma: the character alone places the racquet.
        QTest::sendKeyEvent(QTest::Click, &form, Qt::Key_Comma, QStringLiteral("<"),
                            Qt::ShiftModifier);
        QCOMPARE(g.Racchetta_Blu.Left, 720.0f);
        QTest::keyClick(&form, Qt::Key_Left);
        QCOMPARE(g.Racchetta_Rossa.Left, 5280.0f);
        const float redTop = g.Racchetta_Rossa.Top;
        QTest::keyClick(&form, Qt::Key_Up);
        QCOMPARE(g.Racchetta_Rossa.Top, redTop - 250);
        QTest::keyClick(&form, Qt::Key_Escape);
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!form.Timer1().isActive());
        QTest::keyClick(&form, Qt::Key_Space);
        QVERIFY(form.Timer1().isActive());
    }
};

QTEST_MAIN(Form1Test)
#include "test_form1.moc"
