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

QString variable(const char* name) {
    const QByteArray value = qgetenv(name);
    return QString::fromLatin1(name) +
           (value.isEmpty() ? QStringLiteral(" is not set") : "=" + QString::fromLocal8Bit(value));
}

// The displays Qt tried and could not open, as it said while it tried them: Wayland's,
// X11's or both.
QString displayName() {
    QStringList failed;
    for (const QString& message : std::as_const(heldMessages)) {
        if (message.contains(QLatin1String("platform plugin \"wayland\"")))
            failed << variable("WAYLAND_DISPLAY");
        else if (message.contains(QLatin1String("platform plugin \"xcb\"")))
            failed << variable("DISPLAY");
    }
    if (!failed.isEmpty())
        return failed.join(QLatin1String("; "));
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return variable("WAYLAND_DISPLAY");
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        return variable("DISPLAY");
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
