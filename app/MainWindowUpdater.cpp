// The updater's part of the main window: the start-up check and version gate, and the
// "Update" and "About" commands.
#include "app/MainWindow.h"

#include "app/UpdateRules.h"
#include "app/UpdateSettings.h"
#include "app/Updater.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"

bool MainWindow::checkUpdaterAndVersion(const IniFile& config)
{
    Updater updater(UpdateSettings::read(config, m_context.programDir), *m_context.messages,
                    *m_context.downloader, *m_context.launcher, this);
    updater.fetchIfOutdated(m_updaterDate);
    if (updater.admitVersion(m_application.version))
        return true;
    endProgram();
    return false;
}

void MainWindow::runUpdate()
{
    Updater updater(UpdateSettings::read(IniFile(m_context.configPath()), m_context.programDir),
                    *m_context.messages, *m_context.downloader, *m_context.launcher, this);
    // The updater takes over at once: no question, no saved settings, no status stamp.
    if (updater.confirmAndLaunch())
        endProgram();
}

void MainWindow::showAbout()
{
    m_context.messages->information(UpdateRules::aboutText());
}

void MainWindow::endProgram()
{
    m_leaving = true;
    close();
}
