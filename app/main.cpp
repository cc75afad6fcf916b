// Main: the program's entry point creates the main window and shows it; on the command
// line it may host or join a match over the network at once.
#include "Form1.h"
#include "StartUp.h"
#include "net/CommandLine.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // The help needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(quindra::net::usageText().c_str(), stdout);
            return 0;
        }
    quindra::StartUpGuard guard;
    QApplication app(argc, argv);
    guard.started();
    // Qt has taken its own options out by now.
    std::vector<std::string> arguments;
    for (const QString& a : QCoreApplication::arguments().mid(1))
        arguments.push_back(a.toLocal8Bit().toStdString());
    const quindra::net::StartUp start = quindra::net::parseCommandLine(arguments);
    if (start.mode == quindra::net::StartUp::Mode::Error) {
        std::fprintf(stderr, "quindra: %s\n%s", start.error.c_str(),
                     quindra::net::usageText().c_str());
        return 2;
    }
    QApplication::setApplicationName(QString::fromLatin1(quindra::applicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUINDRA_APP_ID));
    quindra::loadDesktopLanguage(app);
    quindra::Form1 form;
    form.show();
    if (start.mode == quindra::net::StartUp::Mode::Host ||
        start.mode == quindra::net::StartUp::Mode::Join)
        QTimer::singleShot(0, &form, [&form, start] {
            form.startNetworkMatch(QString::fromStdString(start.host), start.port);
        });
    // The game ends when its last window closes: the shot-angle dialog may outlive it.
    return QApplication::exec();
}
