#include "app/Updater.h"

#include "app/UpdateRules.h"
#include "platform/Downloader.h"
#include "platform/FileLauncher.h"
#include "platform/Messages.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>

namespace
{
const QString kDownloadNotice = QStringLiteral("Download updater");
const QString kNoFolder = QStringLiteral("Terjadi kesalahan !! Direktori tidak ketemu");
const QString kVersionRefused =
    QStringLiteral("Versi program tidak terbaru, silahkan update software anda");
const QString kUpdateQuestion = QStringLiteral("Anda yakin ingin menjalankan update aplikasi ?");
const QString kDownloading = QStringLiteral("Mengunduh updater ...");
const QString kCancel = QStringLiteral("Batal");
constexpr qint64 kProgressUnit = 1024; // the dialog counts in KiB: sizes beyond int
} // namespace

Updater::Updater(const UpdateSettings& settings, Messages& messages, Downloader& downloader,
                 FileLauncher& launcher, QWidget* window)
    : m_settings(settings), m_messages(messages), m_downloader(downloader), m_launcher(launcher),
      m_window(window)
{
}

std::optional<Updater::Installed> Updater::installed() const
{
    for (const QString& folder : {m_settings.firstFolder, m_settings.secondFolder}) {
        QFile file(UpdateRules::updaterPath(folder));
        if (file.open(QIODevice::ReadOnly))
            return Installed{folder, file.fileTime(QFileDevice::FileModificationTime)};
    }
    return std::nullopt;
}

void Updater::fetchIfOutdated(const QDateTime& releaseDate)
{
    const std::optional<Installed> current = installed();
    const std::optional<QDateTime> time =
        current ? std::optional<QDateTime>(current->time) : std::nullopt;
    if (!UpdateRules::isUpdaterOutdated(time, releaseDate))
        return;
    m_messages.plain(kDownloadNotice);
    download(current);
}

void Updater::download(const std::optional<Installed>& current)
{
    // The new updater replaces the one the check read, so the next start sees it; without
    // one, the second folder comes first.
    QString folder;
    if (current)
        folder = current->folder;
    else if (QDir(m_settings.secondFolder).exists())
        folder = m_settings.secondFolder;
    else if (QDir(m_settings.firstFolder).exists())
        folder = m_settings.firstFolder;
    if (folder.isEmpty()) {
        m_messages.plain(kNoFolder);
        return;
    }

    QProgressDialog progress(kDownloading, kCancel, 0, 0, m_window);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    // A failed download leaves the old updater whole and start-up goes on, unannounced.
    m_downloader.download(UpdateRules::updaterUrl(m_settings.host),
                          UpdateRules::updaterPath(folder), m_settings.timeoutSeconds * 1000,
                          [&progress](qint64 received, qint64 total) {
                              if (total > 0)
                                  progress.setMaximum(int(total / kProgressUnit) + 1);
                              progress.setValue(int(received / kProgressUnit));
                              return !progress.wasCanceled();
                          });
}

bool Updater::admitVersion(const QString& released)
{
    if (UpdateRules::isAcceptedVersion(released))
        return true;
    m_messages.warning(kVersionRefused);
    launch();
    return false;
}

bool Updater::confirmAndLaunch()
{
    if (!m_messages.confirm(kUpdateQuestion))
        return false;
    launch();
    return true;
}

void Updater::launch()
{
    // One of the two folders normally holds nothing; that launch fails quietly.
    m_launcher.launch(UpdateRules::updaterPath(m_settings.firstFolder));
    m_launcher.launch(UpdateRules::updaterPath(m_settings.secondFolder));
}
