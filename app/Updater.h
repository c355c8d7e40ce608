#pragma once

#include "app/UpdateSettings.h"

#include <QDateTime>
#include <QString>
#include <optional>

class Downloader;
class FileLauncher;
class Messages;
class QWidget;

// The updater program installed beside this one: its age against the release, fetching a
// newer one, the version gate, and handing over to it.
class Updater
{
public:
    Updater(const UpdateSettings& settings, Messages& messages, Downloader& downloader,
            FileLauncher& launcher, QWidget* window = nullptr);

    // Start-up: fetches the updater when the release date is later than the installed one.
    void fetchIfOutdated(const QDateTime& releaseDate);
    // Start-up: true when this program may run beside the released version; otherwise the
    // user is warned, the updater launched, and the program must end.
    bool admitVersion(const QString& released);
    // The "Update" command: true when the user agreed and the updater was launched; the
    // program must end.
    bool confirmAndLaunch();

    // The installed updater's time and folder (the first folder wins); none when neither
    // folder holds a readable one.
    struct Installed {
        QString folder;
        QDateTime time;
    };
    std::optional<Installed> installed() const;

private:
    void download(const std::optional<Installed>& current);
    void launch();

    UpdateSettings m_settings;
    Messages& m_messages;
    Downloader& m_downloader;
    FileLauncher& m_launcher;
    QWidget* m_window;
};
