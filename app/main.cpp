// Main: the program's entry point creates the main window and shows it.
#include "Form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quindra::applicationTitle));
    quindra::Form1 form;
    form.show();
    // The game ends when its last window closes: the shot-angle dialog may outlive it.
    return QApplication::exec();
}
