#include "data/FbStatement.h"

#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbConnection.h"
#include "data/FbStatistics.h"
#include "data/FbTransaction.h"

#include <QDateTime>
#include <cmath>
#include <cstring>
#include <ibase.h>

namespace
{

constexpr short kSqlBoolean = 32764;

bool isConnectionLostCode(ISC_STATUS code)
{
    switch (code) {
    case isc_network_error:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_lost_db_connection:
    case isc_bad_db_handle:
    case isc_shutdown:
    case isc_att_shutdown:
    case isc_conn_lost:
        return true;
    default:
        return false;
    }
}

XSQLDA* allocSqlda(int n)
{
    auto* da = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(qMax(n, 1))));
    da->version = SQLDA_VERSION1;
    da->sqln = short(qMax(n, 1));
    return da;
}

ISC_DATE toIscDate(const QDate& d)
{
    struct tm t {
    };
    t.tm_year = d.year() - 1900;
    t.tm_mon = d.month() - 1;
    t.tm_mday = d.day();
    ISC_DATE out;
    isc_encode_sql_date(&t, &out);
    return out;
}

QDate fromIscDate(ISC_DATE v)
{
    struct tm t {
    };
    isc_decode_sql_date(&v, &t);
    return QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

ISC_TIME toIscTime(const QTime& t)
{
    return ISC_TIME(t.msecsSinceStartOfDay()) * 10;
}

QTime fromIscTime(ISC_TIME v)
{
    return QTime::fromMSecsSinceStartOfDay(int(v / 10));
}

template <class T> T load(const char* p)
{
    T x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

// Binds a value of a fixed-size client type, with the type the parameter now carries.
template <class T> void store(XSQLVAR& v, QByteArray& buf, short type, const T& value)
{
    buf = QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
    v.sqltype = short(type | 1);
    v.sqllen = sizeof value;
    v.sqldata = buf.data();
}

void refuseUnencodable(const TextCodec& codec, const QString& charset, const QString& text)
{
    // The codec writes "?" for what it cannot carry: equal counts are the quick answer.
    if (codec.encode(text).count('?') == text.count(QLatin1Char('?')))
        return;
    const QChar bad = codec.firstUnencodable(text);
    if (bad.isNull())
        return;
    const qsizetype at = text.indexOf(bad);
    // A letter beyond the basic plane (an emoji) is two halves in the text.
    const QString letter = bad.isHighSurrogate() ? text.mid(at, 2) : QString(bad);
    throw DbError(QStringLiteral("Huruf \"%1\" tidak dapat dikirim ke database (set karakter %2)")
                      .arg(letter, charset));
}

} // namespace

DbError statusError(const intptr_t* status, const QString& context)
{
    const ISC_STATUS* s = status;
    const bool lost = s[0] == 1 && isConnectionLostCode(s[1]);
    QStringList parts;
    char buffer[1024];
    const ISC_STATUS* p = s;
    while (fb_interpret(buffer, sizeof buffer, &p) > 0)
        parts << QString::fromLocal8Bit(buffer);
    QString text = parts.join(QLatin1Char('\n'));
    if (text.isEmpty())
        text = QStringLiteral("Kesalahan database (kode %1)").arg(s[1]);
    if (!context.isEmpty())
        text = context + QLatin1Char('\n') + text;
    return DbError(text, lost);
}

void throwStatus(const intptr_t* status, const QString& context)
{
    throw statusError(status, context);
}

struct FbStatement::Impl {
    // What the server described of a parameter; binding a value may change it for one run.
    struct Described {
        short type, length, scale, subtype;
    };

    FbConnection& connection;
    TextCodec codec;
    std::unique_ptr<FbTransaction> own;
    FbTransaction* transaction;
    isc_stmt_handle stmt = 0;
    bool cursorOpen = false;
    XSQLDA* in = nullptr;
    XSQLDA* out = nullptr;
    std::vector<Described> described;
    std::vector<QByteArray> inBuffers;
    std::vector<short> inNulls;
    std::vector<QByteArray> outBuffers;
    std::vector<short> outNulls;
    ISC_STATUS_ARRAY status{};

    Impl(FbConnection& c, std::unique_ptr<FbTransaction> ownTransaction, FbTransaction* t)
        : connection(c), codec(c.params().charset), own(std::move(ownTransaction)),
          transaction(t ? t : own.get())
    {
    }

    ~Impl()
    {
        std::free(in);
        std::free(out);
    }

    void check(const QString& context = {})
    {
        if (status[0] == 1 && status[1]) {
            const DbError error = statusError(status, context);
            // Forgetting the dead attachment closes its queries, this statement perhaps
            // among them: nothing of this object may be touched after it.
            if (error.connectionLost())
                connection.markLost();
            throw error;
        }
    }

    void closeCursor() noexcept
    {
        if (!cursorOpen)
            return;
        cursorOpen = false;
        ISC_STATUS_ARRAY ignored;
        isc_dsql_free_statement(ignored, &stmt, DSQL_close);
    }

    void count(std::atomic<qint64> FbStatistics::*counter)
    {
        if (FbStatistics* statistics = connection.params().statistics.get())
            ++(statistics->*counter);
    }

    void describeBind();
    void describeColumns(QStringList& columns, bool select);
    void bind(int i, const QVariant& value);
    QVariant read(int i);
    QByteArray readBlob(ISC_QUAD* id);
    ISC_QUAD writeBlob(const QByteArray& bytes);
};

FbStatement::FbStatement(FbConnection& connection, Mode mode)
    : d(std::make_unique<Impl>(
          connection,
          std::make_unique<FbTransaction>(connection, mode == Mode::ReadOnly
                                                          ? FbTransaction::Mode::ReadOnly
                                                          : FbTransaction::Mode::ReadWrite),
          nullptr))
{
}

FbStatement::FbStatement(FbConnection& connection, FbTransaction& transaction)
    : d(std::make_unique<Impl>(connection, nullptr, &transaction))
{
}

FbStatement::~FbStatement()
{
    ISC_STATUS_ARRAY ignored;
    if (d->stmt)
        isc_dsql_free_statement(ignored, &d->stmt, DSQL_drop);
}

FbConnection& FbStatement::connection() const
{
    return d->connection;
}

bool FbStatement::isPrepared() const
{
    return d->stmt != 0 && !m_text.isNull();
}

void FbStatement::prepare(const QString& sql)
{
    // Text the connection's character set cannot carry would reach the server with "?" in
    // its place and ask something else; it is refused, as the server refuses text it cannot
    // transliterate.
    refuseUnencodable(d->codec, d->connection.params().charset, sql);
    d->closeCursor();
    m_text = QString();
    d->transaction->start();
    if (!d->stmt) {
        isc_dsql_allocate_statement(d->status, d->connection.handlePtr(), &d->stmt);
        d->check();
    }
    std::free(d->out);
    d->out = allocSqlda(20);
    const QByteArray text = d->codec.encode(sql);
    d->count(&FbStatistics::prepares);
    isc_dsql_prepare(d->status, d->transaction->handlePtr(), &d->stmt, 0, text.constData(),
                     SQL_DIALECT_V6, d->out);
    d->check();
    if (d->out->sqld > d->out->sqln) {
        const int n = d->out->sqld;
        std::free(d->out);
        d->out = allocSqlda(n);
        isc_dsql_describe(d->status, &d->stmt, SQL_DIALECT_V6, d->out);
        d->check();
    }

    char type_item[] = {isc_info_sql_stmt_type};
    char info[16];
    isc_dsql_sql_info(d->status, &d->stmt, 1, type_item, sizeof info, info);
    d->check();
    int type = 0;
    if (info[0] == isc_info_sql_stmt_type) {
        const short len = short(isc_vax_integer(info + 1, 2));
        type = int(isc_vax_integer(info + 3, len));
    }
    m_isSelect = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
    d->describeBind();
    d->describeColumns(m_columns, m_isSelect);
    m_text = sql;
}

void FbStatement::Impl::describeBind()
{
    std::free(in);
    in = allocSqlda(20);
    isc_dsql_describe_bind(status, &stmt, SQL_DIALECT_V6, in);
    check();
    if (in->sqld > in->sqln) {
        const int n = in->sqld;
        std::free(in);
        in = allocSqlda(n);
        isc_dsql_describe_bind(status, &stmt, SQL_DIALECT_V6, in);
        check();
    }
    described.clear();
    for (int i = 0; i < in->sqld; ++i) {
        const XSQLVAR& v = in->sqlvar[i];
        described.push_back({v.sqltype, v.sqllen, v.sqlscale, v.sqlsubtype});
    }
    inBuffers.assign(in->sqld, QByteArray());
    inNulls.assign(in->sqld, 0);
}

void FbStatement::Impl::describeColumns(QStringList& columns, bool select)
{
    const int cols = select ? out->sqld : 0;
    outBuffers.assign(cols, QByteArray());
    outNulls.assign(cols, 0);
    columns.clear();
    for (int i = 0; i < cols; ++i) {
        XSQLVAR& v = out->sqlvar[i];
        const short base = v.sqltype & ~1;
        int size = v.sqllen;
        if (base == SQL_VARYING)
            size += 2;
        outBuffers[i].resize(qMax(size, 8));
        v.sqldata = outBuffers[i].data();
        v.sqlind = &outNulls[i];
        v.sqltype = short(base | 1);
        columns << QString::fromLatin1(v.aliasname, v.aliasname_length);
    }
}

void FbStatement::execute(const QVariantList& values)
{
    if (!isPrepared())
        throw DbError(QStringLiteral("Pernyataan belum disiapkan"));
    for (const QVariant& value : values)
        if (value.metaType() == QMetaType::fromType<QString>())
            refuseUnencodable(d->codec, d->connection.params().charset, value.toString());
    d->closeCursor();
    if (d->in->sqld != values.size())
        throw DbError(
            QStringLiteral("Jumlah parameter tidak cocok: pernyataan meminta %1, diberi %2")
                .arg(d->in->sqld)
                .arg(values.size()));
    d->transaction->start();
    for (int i = 0; i < d->in->sqld; ++i) {
        XSQLVAR& v = d->in->sqlvar[i];
        const Impl::Described& t = d->described[i];
        v.sqltype = t.type;
        v.sqllen = t.length;
        v.sqlscale = t.scale;
        v.sqlsubtype = t.subtype;
        d->bind(i, values[i]);
    }
    d->count(&FbStatistics::executions);
    isc_dsql_execute(d->status, d->transaction->handlePtr(), &d->stmt, SQL_DIALECT_V6,
                     d->in->sqld ? d->in : nullptr);
    d->check();
    d->cursorOpen = m_isSelect;
}

bool FbStatement::fetch(QVector<QVariant>& row)
{
    const ISC_STATUS rc = isc_dsql_fetch(d->status, &d->stmt, SQL_DIALECT_V6, d->out);
    if (rc == 100)
        return false;
    d->check();
    const int cols = int(m_columns.size());
    row.resize(cols);
    for (int i = 0; i < cols; ++i)
        row[i] = d->read(i);
    return true;
}

int FbStatement::affectedRows()
{
    const char items[] = {isc_info_sql_records};
    char buffer[64] = {};
    isc_dsql_sql_info(d->status, &d->stmt, sizeof items, items, sizeof buffer, buffer);
    d->check();
    if (buffer[0] != isc_info_sql_records)
        return 0;
    int total = 0;
    const char* p = buffer + 3; // item, then the length of the whole list
    const char* end = buffer + sizeof buffer;
    while (p < end && *p != isc_info_end) {
        const char item = *p++;
        const short len = short(isc_vax_integer(p, 2));
        p += 2;
        const int count = int(isc_vax_integer(p, len));
        p += len;
        if (item == isc_info_req_update_count || item == isc_info_req_delete_count ||
            item == isc_info_req_insert_count)
            total += count;
    }
    return total;
}

void FbStatement::commit()
{
    d->closeCursor();
    if (d->own)
        d->own->commit();
}

void FbStatement::finish() noexcept
{
    d->closeCursor();
    if (d->own) {
        if (d->own->mode() == FbTransaction::Mode::ReadWrite) {
            d->own->rollback();
        } else {
            try {
                d->own->commit();
            } catch (const DbError&) {
            }
        }
    }
}

void FbStatement::Impl::bind(int i, const QVariant& value)
{
    XSQLVAR& v = in->sqlvar[i];
    QByteArray& buf = inBuffers[i];
    inNulls[i] = 0;
    v.sqlind = &inNulls[i];
    const short base = v.sqltype & ~1;
    if (!value.isValid() || value.isNull()) {
        inNulls[i] = -1;
        v.sqltype = short(base | 1);
        buf.resize(qMax<int>(v.sqllen + 2, 8));
        v.sqldata = buf.data();
        return;
    }
    auto asText = [&](const QString& s) {
        buf = codec.encode(s);
        v.sqltype = SQL_TEXT | 1;
        v.sqllen = short(qMin<qsizetype>(buf.size(), 32765));
        v.sqlsubtype = 0;
        v.sqldata = buf.data();
    };
    const int id = value.metaType().id();
    const bool isDecimal = value.metaType() == QMetaType::fromType<Decimal>();
    switch (base) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        Decimal dec;
        if (isDecimal) {
            dec = value.value<Decimal>();
        } else if (id == QMetaType::Double || id == QMetaType::Float) {
            dec = Decimal{qint64(value.toDouble() * std::pow(10.0, -v.sqlscale) +
                                 (value.toDouble() < 0 ? -0.5 : 0.5)),
                          -v.sqlscale};
        } else {
            bool ok = false;
            dec = Decimal::fromString(value.toString(), &ok);
            if (!ok)
                return asText(value.toString());
        }
        return store(v, buf, SQL_INT64, ISC_INT64(dec.rounded(-v.sqlscale).units));
    }
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        bool ok = false;
        const double dv = value.toDouble(&ok);
        if (!ok)
            return asText(value.toString());
        return store(v, buf, SQL_DOUBLE, dv);
    }
    case SQL_TYPE_DATE:
        if (id == QMetaType::QDate || id == QMetaType::QDateTime)
            return store(v, buf, SQL_TYPE_DATE, toIscDate(value.toDate()));
        return asText(value.toString());
    case SQL_TIMESTAMP:
        if (id == QMetaType::QDate || id == QMetaType::QDateTime) {
            const QDateTime dt = value.toDateTime();
            return store(v, buf, SQL_TIMESTAMP,
                         ISC_TIMESTAMP{toIscDate(dt.date()), toIscTime(dt.time())});
        }
        return asText(value.toString());
    case SQL_TYPE_TIME:
        if (id == QMetaType::QTime)
            return store(v, buf, SQL_TYPE_TIME, toIscTime(value.toTime()));
        return asText(value.toString());
    case SQL_BLOB:
        return store(v, buf, SQL_BLOB, writeBlob(codec.encode(value.toString())));
    case kSqlBoolean:
        return store(v, buf, kSqlBoolean, char(value.toBool() ? 1 : 0));
    default:
        if (id == QMetaType::QDate)
            return asText(value.toDate().toString(QStringLiteral("yyyy-MM-dd")));
        if (id == QMetaType::QDateTime)
            return asText(value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
        return asText(isDecimal ? value.value<Decimal>().toString() : value.toString());
    }
}

QVariant FbStatement::Impl::read(int i)
{
    const XSQLVAR& v = out->sqlvar[i];
    if (outNulls[i] < 0)
        return QVariant();
    const char* p = v.sqldata;
    const short base = v.sqltype & ~1;
    // Scaled integers are NUMERIC or DECIMAL: exact, never through a double.
    auto integer = [&](qint64 units) -> QVariant {
        if (v.sqlscale < 0)
            return QVariant::fromValue(Decimal{units, -v.sqlscale});
        return base == SQL_INT64 ? QVariant::fromValue(units) : QVariant(int(units));
    };
    switch (base) {
    case SQL_TEXT: {
        int len = v.sqllen;
        while (len > 0 && p[len - 1] == ' ')
            --len;
        return codec.decode(p, len);
    }
    case SQL_VARYING:
        return codec.decode(p + 2, load<short>(p));
    case SQL_SHORT:
        return integer(load<short>(p));
    case SQL_LONG:
        return integer(load<ISC_LONG>(p));
    case SQL_INT64:
        return integer(load<ISC_INT64>(p));
    case SQL_FLOAT:
        return double(load<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return load<double>(p);
    case SQL_TYPE_DATE:
        return fromIscDate(load<ISC_DATE>(p));
    case SQL_TYPE_TIME:
        return fromIscTime(load<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
        const auto x = load<ISC_TIMESTAMP>(p);
        return QDateTime(fromIscDate(x.timestamp_date), fromIscTime(x.timestamp_time));
    }
    case SQL_BLOB: {
        auto id = load<ISC_QUAD>(p);
        const QByteArray bytes = readBlob(&id);
        if (v.sqlsubtype == 1)
            return codec.decode(bytes.constData(), int(bytes.size()));
        return bytes;
    }
    case kSqlBoolean:
        return bool(*p);
    default:
        return QVariant();
    }
}

QByteArray FbStatement::Impl::readBlob(ISC_QUAD* id)
{
    isc_blob_handle blob = 0;
    isc_open_blob2(status, connection.handlePtr(), transaction->handlePtr(), &blob, id, 0, nullptr);
    check();
    QByteArray out;
    char segment[8192];
    unsigned short got = 0;
    for (;;) {
        const ISC_STATUS rc = isc_get_segment(status, &blob, &got, sizeof segment, segment);
        if (rc == 0 || rc == isc_segment) {
            out.append(segment, got);
            continue;
        }
        if (rc == isc_segstr_eof)
            break;
        ISC_STATUS_ARRAY st;
        isc_close_blob(st, &blob);
        check();
    }
    isc_close_blob(status, &blob);
    check();
    return out;
}

ISC_QUAD FbStatement::Impl::writeBlob(const QByteArray& bytes)
{
    isc_blob_handle blob = 0;
    ISC_QUAD id{};
    isc_create_blob2(status, connection.handlePtr(), transaction->handlePtr(), &blob, &id, 0,
                     nullptr);
    check();
    for (qsizetype pos = 0; pos < bytes.size(); pos += 32000) {
        const auto len = static_cast<unsigned short>(qMin<qsizetype>(32000, bytes.size() - pos));
        isc_put_segment(status, &blob, len, bytes.constData() + pos);
        check();
    }
    isc_close_blob(status, &blob);
    check();
    return id;
}
