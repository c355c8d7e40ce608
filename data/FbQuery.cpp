#include "data/FbQuery.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/SqlParameters.h"

#include <QRegularExpression>

namespace
{
// Rows asked of the server per round trip when the cursor or a grid needs more.
constexpr int kFetchBatch = 200;
} // namespace

FbQuery::FbQuery(FbConnection* connection, QObject* parent) : QObject(parent)
{
    setConnection(connection);
}

FbQuery::~FbQuery()
{
    close();
    if (m_connection)
        m_connection->unregisterQuery(this);
}

void FbQuery::setConnection(FbConnection* connection)
{
    if (m_connection == connection)
        return;
    release();
    if (m_connection)
        m_connection->unregisterQuery(this);
    m_connection = connection;
    if (m_connection)
        m_connection->registerQuery(this);
}

void FbQuery::clearSql()
{
    close();
    m_lines.clear();
}

void FbQuery::addSql(const QString& line)
{
    m_lines << line;
}

void FbQuery::setSql(const QString& text)
{
    clearSql();
    m_lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n")));
}

QString FbQuery::sqlText() const
{
    return m_lines.join(QStringLiteral("\r\n"));
}

void FbQuery::setParam(const QString& name, const QVariant& value)
{
    QString key = name.toUpper();
    if (key.startsWith(QLatin1Char(':')))
        key.remove(0, 1);
    if (!parseNamedParameters(sqlText()).names.contains(key))
        throw DbError(QStringLiteral("Parameter %1 tidak ada dalam pernyataan").arg(name));
    m_params.insert(key, value);
}

QStringList FbQuery::paramNames() const
{
    QStringList names = parseNamedParameters(sqlText()).names;
    names.removeDuplicates();
    return names;
}

FbQuery::Opening::Opening() = default;
FbQuery::Opening::Opening(Opening&&) noexcept = default;
FbQuery::Opening& FbQuery::Opening::operator=(Opening&&) noexcept = default;
FbQuery::Opening::~Opening() = default;

void FbQuery::Opening::run(const std::atomic<bool>* stop) noexcept
{
    try {
        runStatement(stop);
    } catch (const DbError& e) {
        m_error = e;
    } catch (const std::exception& e) {
        m_error = DbError(QString::fromLocal8Bit(e.what()));
    }
    if (m_error) {
        m_statement.reset();
        m_rows.clear();
    }
}

void FbQuery::Opening::runStatement(const std::atomic<bool>* stop)
{
    if (m_dropFirst) {
        m_statement.reset();
        m_connection->detach();
    }
    // A connection left open may have died since (server restarted, network gone): a
    // select is safe to run again on a fresh attachment.
    const bool reused = m_connection->isOpen();
    auto attempt = [this, stop] {
        m_connection->open();
        if (stop && *stop)
            throw DbError(QStringLiteral("Proses dibatalkan"));
        if (!m_statement)
            m_statement = std::make_unique<FbStatement>(*m_connection, FbStatement::Mode::ReadOnly);
        if (!m_statement->isPrepared() || m_statement->preparedText() != m_text)
            m_statement->prepare(m_text);
        m_statement->execute(m_values);
        m_rows.clear();
        m_allFetched = !m_statement->isSelect();
        while (!m_allFetched && (m_prefetch < 0 || int(m_rows.size()) < m_prefetch)) {
            QVector<QVariant> row;
            if (!m_statement->fetch(row)) {
                m_allFetched = true;
                m_statement->finish();
                break;
            }
            m_rows.push_back(std::move(row));
        }
    };
    try {
        attempt();
    } catch (const DbError& e) {
        if (!reused || !e.connectionLost())
            throw;
        m_statement.reset();
        attempt();
    }
}

FbQuery::Opening FbQuery::beginOpen(const OpenOptions& options)
{
    close();
    if (!m_connection)
        throw DbError(QStringLiteral("Query tidak memiliki koneksi"));
    const ParsedSql parsed = parseNamedParameters(sqlText());
    Opening opening;
    for (const QString& name : parsed.names) {
        if (!m_params.contains(name))
            throw DbError(QStringLiteral("Parameter %1 tidak diberi nilai").arg(name));
        opening.m_values << m_params.value(name);
    }
    if (options.dropConnectionFirst)
        m_connection->closeQueries();
    opening.m_connection = m_connection;
    opening.m_text = parsed.text;
    opening.m_prefetch = options.prefetchRows;
    opening.m_dropFirst = options.dropConnectionFirst;
    opening.m_statement = std::move(m_statement);
    return opening;
}

void FbQuery::finishOpen(Opening&& opening)
{
    close();
    if (opening.m_error)
        throw *opening.m_error;
    if (opening.m_connection != m_connection)
        throw DbError(QStringLiteral("Query telah berpindah koneksi"));
    m_statement = std::move(opening.m_statement);
    m_rows = std::move(opening.m_rows);
    m_allFetched = opening.m_allFetched;
    becomeActive(m_statement->columnNames());
}

void FbQuery::open()
{
    Opening opening = beginOpen();
    opening.run();
    finishOpen(std::move(opening));
}

void FbQuery::openWithRows(const QStringList& fieldNames, std::vector<QVector<QVariant>> rows)
{
    close();
    m_rows = std::move(rows);
    m_allFetched = true;
    becomeActive(fieldNames);
}

void FbQuery::becomeActive(const QStringList& fieldNames)
{
    m_fieldNames = fieldNames;
    m_fieldIndex.clear();
    for (int i = 0; i < m_fieldNames.size(); ++i)
        if (!m_fieldIndex.contains(m_fieldNames[i].toUpper()))
            m_fieldIndex.insert(m_fieldNames[i].toUpper(), i);
    m_active = true;
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    emit opened();
}

void FbQuery::close()
{
    const bool wasActive = m_active;
    if (m_statement)
        m_statement->finish();
    m_active = false;
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_fieldNames.clear();
    m_fieldIndex.clear();
    m_formats.clear();
    m_current = -1;
    m_eof = true;
    m_allFetched = true;
    m_editing = false;
    m_pending.clear();
    if (wasActive)
        emit closed();
}

void FbQuery::release()
{
    close();
    m_statement.reset();
}

bool FbQuery::fetchOne()
{
    if (m_allFetched || !m_statement)
        return false;
    QVector<QVariant> row;
    bool got = false;
    try {
        got = m_statement->fetch(row);
    } catch (...) {
        m_allFetched = true;
        throw;
    }
    if (!got) {
        m_allFetched = true;
        // End the transaction now rather than hold it open. The client reports the end of
        // the rows also when the server went away behind its last buffered rows; a lost
        // connection at the commit means the rows may be cut short, and says so.
        try {
            m_statement->commit();
        } catch (const DbError& e) {
            if (!e.connectionLost())
                return false;
            // Forgetting the dead attachment closes this query with the others on it.
            if (FbConnection* connection = m_connection)
                connection->markLost();
            throw;
        }
        return false;
    }
    m_rows.push_back(std::move(row));
    return true;
}

int FbQuery::fetchMore(int count)
{
    const int before = fetchedRows();
    while (count-- > 0 && fetchOne()) {
    }
    const int after = fetchedRows();
    if (after > before)
        emit rowsFetched(before, after - 1);
    return after - before;
}

bool FbQuery::isEmpty() const
{
    return m_rows.empty();
}

void FbQuery::first()
{
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    emit currentChanged(m_current);
}

void FbQuery::next()
{
    if (m_eof)
        return;
    if (m_current + 1 >= fetchedRows())
        fetchMore(kFetchBatch);
    if (m_current + 1 < fetchedRows()) {
        ++m_current;
        emit currentChanged(m_current);
    } else {
        m_eof = true;
    }
}

void FbQuery::setCurrentRow(int row)
{
    while (row >= fetchedRows() && !m_allFetched)
        fetchMore(kFetchBatch);
    if (row < 0 || row >= fetchedRows())
        return;
    m_current = row;
    m_eof = false;
    emit currentChanged(m_current);
}

bool FbQuery::locate(const QString& field, const QVariant& value)
{
    const int col = fieldIndex(field);
    ensureField(col, field);
    const QString wanted = value.toString();
    for (int row = 0;; ++row) {
        if (row >= fetchedRows() && fetchMore(kFetchBatch) == 0)
            return false;
        const QVariant& v = m_rows[row][col];
        if (!v.isNull() && v.toString() == wanted) {
            setCurrentRow(row);
            return true;
        }
    }
}

int FbQuery::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toUpper(), -1);
}

void FbQuery::ensureField(int index, const QString& name) const
{
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' tidak ditemukan").arg(name));
}

QVariant FbQuery::field(const QString& name) const
{
    const int col = fieldIndex(name);
    ensureField(col, name);
    if (m_current < 0 || m_current >= fetchedRows())
        return QVariant();
    for (const auto& p : m_pending)
        if (m_editing && p.first.compare(name, Qt::CaseInsensitive) == 0)
            return p.second;
    return m_rows[m_current][col];
}

QVariant FbQuery::value(int row, int column) const
{
    if (row < 0 || row >= fetchedRows() || column < 0 || column >= fieldCount())
        return QVariant();
    return m_rows[row][column];
}

void FbQuery::setDisplayFormat(const QString& field, const QString& pattern)
{
    const int col = fieldIndex(field);
    if (col >= 0)
        m_formats.insert(col, pattern);
}

void FbQuery::setUpdateTarget(const QString& table, const QString& keyField)
{
    m_updateTable = table;
    m_keyField = keyField;
}

void FbQuery::edit()
{
    if (m_current < 0)
        throw DbError(QStringLiteral("Tidak ada baris untuk diubah"));
    m_editing = true;
    m_pending.clear();
}

void FbQuery::setField(const QString& name, const QVariant& value)
{
    if (!m_editing)
        throw DbError(QStringLiteral("Data tidak dalam mode edit"));
    ensureField(fieldIndex(name), name);
    m_pending.append({name.toUpper(), value});
}

int FbQuery::post()
{
    if (!m_editing)
        return 0;
    if (m_updateTable.isEmpty() || m_keyField.isEmpty())
        throw DbError(QStringLiteral("Query ini tidak dapat diubah"));
    const int keyCol = fieldIndex(m_keyField);
    ensureField(keyCol, m_keyField);
    QStringList sets;
    QVariantMap params;
    for (int i = 0; i < m_pending.size(); ++i) {
        sets << QStringLiteral("%1 = :P%2").arg(m_pending[i].first).arg(i);
        params.insert(QStringLiteral("P%1").arg(i), m_pending[i].second);
    }
    params.insert(QStringLiteral("KEYVALUE"), m_rows[m_current][keyCol]);
    int written = 0;
    if (!sets.isEmpty())
        written = m_connection->execute(
            QStringLiteral("update %1 set %2 where %3 = :KEYVALUE")
                .arg(m_updateTable, sets.join(QStringLiteral(", ")), m_keyField),
            params);
    for (const auto& p : m_pending)
        m_rows[m_current][fieldIndex(p.first)] = p.second;
    m_editing = false;
    m_pending.clear();
    emit rowChanged(m_current);
    return written;
}
