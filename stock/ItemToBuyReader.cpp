#include "stock/ItemToBuyReader.h"

#include "data/ConcurrentJobs.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/SqlParameters.h"

#include <QScopeGuard>

namespace
{

const QString kItemNo = QStringLiteral("ITEMNO");
const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

ItemToBuyReader::ItemToBuyReader(const std::array<ConnectionParams, 3>& companies,
                                 const QStringList& masterStatement,
                                 const QStringList& detailStatement, QObject* parent)
    : QObject(parent)
{
    for (int i = 0; i < 3; ++i)
        m_connections[size_t(i)].setParams(companies[size_t(i)]);
    m_masterText = masterStatement.join(kLineBreak);
    const ParsedSql detail = parseNamedParameters(detailStatement.join(kLineBreak));
    m_detailText = detail.text;
    m_detailParameters = int(detail.names.size()); // ITEMNO, as often as it appears
}

ItemToBuyReader::~ItemToBuyReader() = default;

bool ItemToBuyReader::runJobs(ConcurrentJobs& jobs)
{
    m_jobs = &jobs;
    const auto done = qScopeGuard([this] { m_jobs = nullptr; });
    jobs.exec();
    if (m_cancelled)
        return false;
    for (int i = 0; i < jobs.count(); ++i) {
        if (jobs.failed(i)) {
            m_error = jobs.error(i);
            return false;
        }
    }
    return true;
}

bool ItemToBuyReader::read()
{
    m_data = {};
    m_error.clear();
    m_itemCount = -1;
    m_detailsRead = 0;
    if (m_cancelled)
        return false;
    {
        ConcurrentJobs master;
        master.add([this] { readMaster(); }, &m_connections[0]);
        if (!runJobs(master))
            return false;
    }
    const int column = int(m_data.master.fields.indexOf(kItemNo));
    QStringList items;
    if (column >= 0)
        for (const QVector<QVariant>& row : m_data.master.rows)
            items << row.at(column).toString();
    m_itemCount = int(items.size());
    ConcurrentJobs details;
    for (int company = 1; company <= 2; ++company)
        details.add([this, company, &items] { readDetails(company, items); },
                    &m_connections[size_t(company)]);
    return runJobs(details);
}

void ItemToBuyReader::cancel()
{
    m_cancelled = true;
    if (m_jobs)
        m_jobs->cancel();
}

void ItemToBuyReader::readMaster()
{
    FbConnection& connection = m_connections[0];
    // The attachment ends with the job, whatever happens; statement and transaction first.
    const auto detach = qScopeGuard([&connection] { connection.detach(); });
    connection.open();
    m_jobs->throwIfCancelled();
    FbTransaction snapshot(connection, FbTransaction::Mode::Snapshot);
    FbStatement statement(connection, snapshot);
    statement.prepare(m_masterText);
    statement.execute({});
    m_data.master.fields = statement.columnNames();
    QVector<QVariant> row;
    while (statement.fetch(row))
        m_data.master.rows.push_back(row);
    statement.commit();
    snapshot.commit();
}

void ItemToBuyReader::readDetails(int company, const QStringList& items)
{
    FbConnection& connection = m_connections[size_t(company)];
    ItemToBuyData::Detail& detail = m_data.details[size_t(company - 1)];
    const auto detach = qScopeGuard([&connection] { connection.detach(); });
    connection.open();
    m_jobs->throwIfCancelled();
    FbTransaction snapshot(connection, FbTransaction::Mode::Snapshot);
    FbStatement statement(connection, snapshot);
    statement.prepare(m_detailText);
    detail.fields = statement.columnNames();
    QVariantList values;
    QVector<QVariant> row;
    for (const QString& item : items) {
        m_jobs->throwIfCancelled();
        // An item listed twice by the master is read once.
        if (detail.rowsByItem.contains(item)) {
            ++m_detailsRead;
            continue;
        }
        values.fill(item, m_detailParameters);
        statement.execute(values);
        std::vector<QVector<QVariant>>& rows = detail.rowsByItem[item];
        while (statement.fetch(row))
            rows.push_back(row);
        ++m_detailsRead;
    }
    statement.commit();
    snapshot.commit();
}
