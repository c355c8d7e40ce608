// Start-up of the main window: dates, server choice, application record, connections,
// stock queries and grids, and the view settings of Config.ini.
#include "app/MainWindow.h"

#include "app/LoginPanel.h"
#include "app/ServerChoice.h"
#include "app/ServerSettings.h"
#include "app/UpdateRules.h"
#include "data/DateRules.h"
#include "data/DbError.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform/Pinger.h"
#include "platform/WaitCursor.h"
#include "stock/StockCutoff.h"
#include "stock/StockView.h"

void MainWindow::runStartup()
{
    if (m_startupRan)
        return;
    m_startupRan = true;

    // 1-2. Dates.
    const QDate today = m_context.clock->today();
    m_session.loginDate = today;
    m_stock->setCutoff(monthDayYear(stockReferenceDate(today)));
    // 4. Focus.
    m_loginPanel->focusNik();
    connectAndConfigure();
}

void MainWindow::connectAndConfigure()
{
    // 3. Port.
    m_db.serverPort = ConnectionSet::kRemotePort;
    // 5. Server.
    const IniFile config(m_context.configPath());
    connectToServer(config);
    // 6. Application record.
    if (!readApplicationRecord())
        return;
    // 7. Updater and version gate.
    if (!checkUpdaterAndVersion(config))
        return;
    // 8. Company connections, configured and left closed.
    m_db.configureCompanies(m_application.suffixKrt, m_application.suffixSoka,
                            m_application.suffixKw);
    // 9-11. Stock queries, grids, view settings.
    m_stock->applyStartSql();
    m_stock->prepareGrids();
    m_stock->restoreSettings(config);
    m_startupComplete = true;
}

void MainWindow::connectToServer(const IniFile& config)
{
    const ServerSettings servers = ServerSettings::read(config);
    m_db.setOptions(servers.connection.charset, servers.connection.connectTimeoutSeconds);
    // The wait cursor shows during the echo and each attach, never over a message.
    struct BusyPinger : Pinger {
        Pinger& inner;
        explicit BusyPinger(Pinger& p) : inner(p) {}
        bool echo(const QString& address, int timeoutMs) override
        {
            WaitCursor wait;
            return inner.echo(address, timeoutMs);
        }
    } pinger(*m_context.pinger);
    const ServerChoice choice = chooseServer(
        pinger, servers,
        [this](const QString& host, int port) {
            WaitCursor wait;
            m_db.setControlServer(host, port);
            try {
                m_db.control.open();
                return true;
            } catch (const DbError&) {
                // A failure on the server kept shows when the application record is read.
                return false;
            }
        },
        [this](const QString& message) { m_context.messages->plain(message); });
    m_db.serverAddress = choice.address;
    m_db.serverPort = choice.port;
    m_offline = choice.offline();
}

bool MainWindow::readApplicationRecord()
{
    try {
        WaitCursor wait;
        m_control.setConnection(&m_db.control);
        m_control.setSql(ControlRecords::applicationRecordSql());
        m_control.open();
        m_application = ControlRecords::readApplicationRecord(m_control);
    } catch (const DbError& e) {
        m_context.messages->error(e.message());
        return false;
    }
    m_updaterDate = UpdateRules::parseReleaseDate(m_application.updaterDate);
    if (!m_updaterDate.isValid()) {
        m_context.messages->error(
            QStringLiteral("'%1' is not a valid date and time").arg(m_application.updaterDate));
        return false;
    }
    return true;
}
