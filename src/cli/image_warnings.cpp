#include "cli/image_warnings.h"

#include <QMutex>
#include <QMutexLocker>

#include <cstring>

namespace vintora {

namespace {

QMutex g_mutex;
QStringList g_warnings;
bool g_catching = false;
QtMessageHandler g_previous = nullptr;

bool isImageLibraryWarning(QtMsgType type, const QMessageLogContext &context)
{
    constexpr const char kCategory[] = "qt.gui.imageio";
    // libpng's warnings come as information, others as warnings.
    return type != QtFatalMsg && context.category
           && std::strncmp(context.category, kCategory, sizeof kCategory - 1) == 0;
}

void catchImageWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (isImageLibraryWarning(type, context)) {
        const QMutexLocker lock(&g_mutex);
        if (g_catching) {
            if (!g_warnings.contains(text))
                g_warnings.append(text);
            return;
        }
    }
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

ImageWarningCatcher::ImageWarningCatcher()
{
    const QMutexLocker lock(&g_mutex);
    g_warnings.clear();
    g_catching = true;
    g_previous = qInstallMessageHandler(catchImageWarnings);
}

ImageWarningCatcher::~ImageWarningCatcher()
{
    qInstallMessageHandler(g_previous);
    const QMutexLocker lock(&g_mutex);
    g_catching = false;
}

QStringList ImageWarningCatcher::warnings() const
{
    const QMutexLocker lock(&g_mutex);
    return g_warnings;
}

} // namespace vintora
