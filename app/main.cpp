// Main: the program's entry point creates the main window and shows it.
#include "Form1.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    quindra::StartUpGuard guard;
    QApplication app(argc, argv);
    guard.started();
    QApplication::setApplicationName(QString::fromLatin1(quindra::applicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUINDRA_APP_ID));
    quindra::loadDesktopLanguage(app);
    quindra::Form1 form;
    form.show();
    // The game ends when its last window closes: the shot-angle dialog may outlive it.
    return QApplication::exec();
}
