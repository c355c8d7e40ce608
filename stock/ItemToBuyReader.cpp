#include "stock/ItemToBuyReader.h"

#include "data/ConcurrentJobs.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/SqlParameters.h"
#include "stock/ItemToBuyStatements.h"

#include <QScopeGuard>
#include <QSet>

namespace
{

const QString kItemNo = QStringLiteral("ITEMNO");
const QString kLineBreak = QStringLiteral("\r\n");
// Item codes asked about per statement run; well under the server's limit on IN lists.
constexpr int kCodesPerAsk = 500;

// A code as the server compares it, or looser: trailing blanks do not count, and neither does
// case, so a code is never taken for absent when the detail statement would find it.
QString comparable(const QString& code)
{
    qsizetype end = code.size();
    while (end > 0 && code.at(end - 1) == QLatin1Char(' '))
        --end;
    return code.left(end).toCaseFolded();
}

// The codes among `items` that the company holds (comparable()), asked in batches of one
// prepared statement.
QSet<QString> presentItems(FbConnection& connection, FbTransaction& transaction,
                           const QStringList& items, const ConcurrentJobs& jobs)
{
    QSet<QString> present;
    if (items.isEmpty())
        return present;
    FbStatement statement(connection, transaction);
    statement.prepare(itemCodesPresentStatement(kCodesPerAsk));
    QVector<QVariant> row;
    for (qsizetype first = 0; first < items.size(); first += kCodesPerAsk) {
        jobs.throwIfCancelled();
        QVariantList codes;
        for (qsizetype i = first; i < first + kCodesPerAsk; ++i)
            codes << items.at(qMin(i, items.size() - 1)); // the last batch repeats its last code
        statement.execute(codes);
        while (statement.fetch(row))
            present.insert(comparable(row.at(0).toString()));
    }
    statement.commit();
    return present;
}

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

bool ItemToBuyReader::read()
{
    m_data = {};
    m_error.clear();
    m_itemCount = -1;
    m_detailsRead = 0;
    if (m_cancelled)
        return false;
    // Company A's job hands its item codes to the jobs of B and C, which meanwhile attach
    // and prepare; no code (nullopt) when A failed.
    ItemHandOver items;
    ConcurrentJobs jobs;
    jobs.add([this, &items] { readMaster(items); }, &m_connections[0]);
    for (int company = 1; company <= 2; ++company)
        jobs.add([this, company, &items] { readDetails(company, items); },
                 &m_connections[size_t(company)]);
    // The first failure ends the others: their own ends say nothing more.
    connect(&jobs, &ConcurrentJobs::jobFinished, this, [this, &jobs](int job) {
        if (jobs.failed(job) && m_error.isEmpty() && !m_cancelled) {
            m_error = jobs.error(job);
            jobs.cancel();
        }
    });
    m_jobs = &jobs;
    const auto done = qScopeGuard([this] { m_jobs = nullptr; });
    jobs.exec();
    return !m_cancelled && m_error.isEmpty();
}

void ItemToBuyReader::cancel()
{
    m_cancelled = true;
    if (m_jobs)
        m_jobs->cancel();
}

void ItemToBuyReader::ItemHandOver::give(std::optional<QStringList> items)
{
    QMutexLocker lock(&m_lock);
    m_items = std::move(items);
    m_ready = true;
    m_given.wakeAll();
}

std::optional<QStringList> ItemToBuyReader::ItemHandOver::take(const ConcurrentJobs& jobs)
{
    QMutexLocker lock(&m_lock);
    while (!m_ready) {
        jobs.throwIfCancelled();
        m_given.wait(&m_lock, 50);
    }
    return m_items;
}

void ItemToBuyReader::readMaster(ItemHandOver& items)
{
    FbConnection& connection = m_connections[0];
    bool handedOver = false;
    const auto failed = qScopeGuard([&] {
        if (!handedOver)
            items.give(std::nullopt);
    });
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

    const int column = int(m_data.master.fields.indexOf(kItemNo));
    QStringList codes;
    if (column >= 0)
        for (const QVector<QVariant>& master : m_data.master.rows)
            codes << master.at(column).toString();
    m_itemCount = int(codes.size());
    handedOver = true;
    items.give(codes);
}

void ItemToBuyReader::readDetails(int company, ItemHandOver& items)
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
    const std::optional<QStringList> codes = items.take(*m_jobs);
    if (!codes)
        return; // A failed and says why
    // The detail has no row for a code the company lacks: such codes are not asked for.
    const QSet<QString> present = presentItems(connection, snapshot, *codes, *m_jobs);
    QVariantList values;
    QVector<QVariant> row;
    for (const QString& item : *codes) {
        m_jobs->throwIfCancelled();
        // An item listed twice by the master is read once.
        if (!present.contains(comparable(item)) || detail.rowsByItem.contains(item)) {
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
