#include "platform/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopLauncher::launch(const QString& path)
{
    // A missing file is a quiet failure, not a desktop error dialog.
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
