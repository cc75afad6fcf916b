#include "StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace quindra {

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList heldMessages;

QString displayName() {
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray x11 = qgetenv("DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("WAYLAND_DISPLAY=") + QString::fromLocal8Bit(wayland);
    if (!x11.isEmpty())
        return QStringLiteral("DISPLAY=") + QString::fromLocal8Bit(x11);
    return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages << qFormatLogMessage(type, context, message);
        return;
    }
    // Qt gives up only here, before any window: no display to draw on.
    const QString line =
        QStringLiteral("quindra: no display could be opened (%1). Start the game from a "
                       "desktop session, or point DISPLAY or WAYLAND_DISPLAY at a running one.\n")
            .arg(displayName());
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

StartUpGuard::StartUpGuard() {
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdMessage);
}

StartUpGuard::~StartUpGuard() {
    started();
}

void StartUpGuard::started() {
    if (!holding_)
        return;
    holding_ = false;
    qInstallMessageHandler(previousHandler);
    for (const QString& message : std::as_const(heldMessages))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    heldMessages.clear();
}

void loadDesktopLanguage(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator; // no translation for this language: Qt's English stays
}

} // namespace quindra
