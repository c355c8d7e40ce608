// Leaving the program: the question, the view settings, the status stamp.
#include "app/MainWindow.h"

#include "app/LoginPanel.h"
#include "data/DbError.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"
#include "stock/StockSettings.h"
#include "stock/StockView.h"

namespace
{
const QString kCloseQuestion = QStringLiteral("Anda yakin ingin menutup aplikasi ini ?");
} // namespace

bool MainWindow::confirmClose()
{
    if (!m_context.messages->confirm(kCloseQuestion))
        return false;
    const QString failure =
        IniFile(m_context.configPath()).write(kSettingsSection, m_stock->settingsToSave());
    if (!failure.isEmpty()) {
        m_context.messages->error(failure);
        return false;
    }
    stampDisconnected();
    m_leaving = true;
    return true;
}

void MainWindow::exitChosen()
{
    if (!m_context.messages->confirm(kCloseQuestion))
        return;
    stampDisconnected();
    m_leaving = true;
    close();
}

void MainWindow::stampDisconnected()
{
    // An empty field would find a row whose NIK is empty text: nobody to stamp.
    const QString nik = m_loginPanel->nik();
    if (nik.isEmpty())
        return;
    // The program ends whatever happens here; a row left "Online" is the known cost.
    try {
        WaitCursor wait;
        m_control.setConnection(&m_db.control);
        m_control.setSql(ControlRecords::onlineUsersSql());
        m_control.open();
        if (m_control.locate(QStringLiteral("INFO1"), nik))
            ControlRecords::stampStatus(m_control, ControlRecords::kDisconnected,
                                        m_context.clock->now());
    } catch (const DbError&) {
    }
}
