// Qt's own dialogs speak the desktop's language: run with an Italian desktop's locale.
#include "app/StartUp.h"

#include <QApplication>
#include <QColorDialog>
#include <QPushButton>
#include <QtTest>

class LanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void colourDialogInItalian() {
        QCOMPARE(QLocale().language(), QLocale::Italian);
        quindra::loadDesktopLanguage(*qApp);
        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        QStringList captions;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            captions << button->text();
        QVERIFY2(captions.contains(QStringLiteral("Annulla")), qPrintable(captions.join('|')));
        QVERIFY(!captions.contains(QStringLiteral("Cancel")));
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
