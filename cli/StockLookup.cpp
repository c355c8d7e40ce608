#include "cli/StockLookup.h"

#include "app/ServerChoice.h"
#include "app/ServerSettings.h"
#include "cli/LookupColumns.h"
#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/DateRules.h"
#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/UserRights.h"
#include "stock/StockCutoff.h"

#include <QDate>

StockLookup::StockLookup(ConnectionSet& connections, Pinger& pinger)
    : m_db(connections), m_pinger(pinger)
{
}

void StockLookup::connect(const LookupOptions& options, const ServerSettings& servers)
{
    m_db.setOptions(servers.connection.charset, servers.connection.connectTimeoutSeconds);
    QString failure;
    auto attach = [this, &failure](const QString& host, int port) {
        m_db.setControlServer(host, port);
        try {
            m_db.control.open();
            return true;
        } catch (const DbError& e) {
            failure = QStringLiteral("Koneksi server bermasalah (%1/%2): %3")
                          .arg(host)
                          .arg(port)
                          .arg(e.message());
            return false;
        }
    };
    if (!options.server.isEmpty()) {
        m_db.serverAddress = options.server;
        m_db.serverPort = options.serverPort;
        if (!attach(options.server, options.serverPort))
            throw DbError(failure);
        return;
    }
    const ServerChoice choice = chooseServer(m_pinger, servers, attach);
    // The last server tried names the failure.
    if (!choice.attached)
        throw DbError(failure);
    m_db.serverAddress = choice.address;
    m_db.serverPort = choice.port;
}

bool StockLookup::priceRight(const QString& nik)
{
    const QString unknown = QStringLiteral("NIK %1 tidak dikenal").arg(nik);
    if (nik.size() < ControlRecords::kShortestNik)
        throw UnknownUser(unknown.toStdString());
    FbQuery user(&m_db.control);
    user.setSql(ControlRecords::userByNikSql());
    user.setParam(QStringLiteral("NIK"), nik);
    user.open();
    if (!user.locate(QStringLiteral("INFO1"), nik))
        throw UnknownUser(unknown.toStdString());
    return UserRights::granted(ControlRecords::readUser(user).price);
}

LookupTable StockLookup::run(const LookupOptions& options, const ServerSettings& servers)
{
    connect(options, servers);
    FbQuery control(&m_db.control);
    control.setSql(ControlRecords::applicationRecordSql());
    control.open();
    const ControlRecords::ApplicationRecord app = ControlRecords::readApplicationRecord(control);
    const bool price = !options.nik.isEmpty() && priceRight(options.nik);
    m_db.configureCompanies(app.suffixKrt, app.suffixSoka, app.suffixKw);

    StockFilters filters;
    filters.cutoff = monthDayYear(stockReferenceDate(QDate::currentDate()));
    filters.codeClass = options.codeClass;
    filters.sortBy = options.sortBy;
    switch (options.field) {
    case SearchField::Description:
        filters.description = options.text;
        break;
    case SearchField::Code:
        filters.code = options.text;
        break;
    case SearchField::Type:
        filters.type = options.text;
        break;
    }

    LookupTable table;
    table.titles = lookupTitles(options.source, price);
    switch (options.source) {
    case StockSource::KrtOnly:
        appendRows(options.source, kSuffixKrt, kCompanyKrt, filters, price, table);
        break;
    case StockSource::OldStock:
        appendRows(options.source, kSuffixKrt, kCompanyOld, filters, price, table);
        break;
    case StockSource::AllCompanies:
        appendRows(options.source, kSuffixKrt, kCompanyKrt, filters, price, table);
        appendRows(options.source, kSuffixSm, kCompanySoka, filters, price, table);
        appendRows(options.source, kSuffixKw, kCompanyKw, filters, price, table);
        break;
    }
    return table;
}

void StockLookup::appendRows(StockSource source, const QString& suffix, const QString& company,
                             const StockFilters& filters, bool price, LookupTable& table)
{
    FbConnection& connection = source == StockSource::OldStock ? m_db.oldStock
                               : suffix == kSuffixSm           ? m_db.soka
                               : suffix == kSuffixKw           ? m_db.kw
                                                               : m_db.krt;
    FbQuery query(&connection);
    for (const QString& line : stockStatement(source, suffix, filters))
        query.addSql(line);
    query.open();
    while (!query.allFetched())
        query.fetchMore(1000);

    const QVector<GridColumnSpec> columns = lookupColumns(source, suffix, price);
    QVector<int> fieldOf;
    for (const GridColumnSpec& column : columns)
        fieldOf << query.fieldIndex(column.field);
    const QStringList money{QStringLiteral("UNITPRICE"), QStringLiteral("PURCHPRICE"),
                            costColumn(source, suffix)};
    for (int r = 0; r < query.fetchedRows(); ++r) {
        QVector<QVariant> row{company};
        for (int c = 0; c < columns.size(); ++c) {
            QVariant v = fieldOf[c] < 0 ? QVariant() : query.value(r, fieldOf[c]);
            // Money to the cent, as the grid shows it.
            if (money.contains(columns[c].field) && v.metaType() == QMetaType::fromType<Decimal>())
                v = QVariant::fromValue(v.value<Decimal>().rounded(2));
            row << v;
        }
        table.rows << row;
    }
}
