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

#include <QLineEdit>

namespace
{
const QString kCloseQuestion = QStringLiteral("Anda yakin ingin menutup aplikasi ini ?");
} // namespace

bool MainWindow::FormCloseQuery()
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

void MainWindow::Exit1Click()
{
    if (!m_context.messages->confirm(kCloseQuestion))
        return;
    stampDisconnected();
    m_leaving = true;
    close();
}

void MainWindow::stampDisconnected()
{
    // The program ends whatever happens here; a row left "Online" is the known cost.
    try {
        WaitCursor wait;
        m_kontrol.setConnection(&m_db.control);
        m_kontrol.setSql(ControlRecords::onlineUsersSql());
        m_kontrol.open();
        if (m_kontrol.locate(QStringLiteral("INFO1"), m_login->nik()->text()))
            ControlRecords::stampStatus(m_kontrol, ControlRecords::kDisconnected,
                                        m_context.clock->now());
    } catch (const DbError&) {
    }
}
