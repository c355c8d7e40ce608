#include "data/ControlRecords.h"

#include "data/DateRules.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/SqlText.h"

namespace ControlRecords
{

namespace
{
const QString kOnlineSelect =
    QStringLiteral("select EXTENDEDDETID, INFO1, INFO6, INFO7, INFO8, INFO9 from EXTENDEDDET");
const QString kOnlineCondition = QStringLiteral("where INFO6='Online' ");
const QString kOnlineOrder = QStringLiteral("order by EXTENDEDDETID asc");

QString slot(const FbQuery& query, const char* name)
{
    if (query.eof() || query.fieldIndex(QLatin1String(name)) < 0)
        return {};
    return query.field(QLatin1String(name)).toString();
}
} // namespace

QString applicationRecordSql()
{
    return QStringLiteral(
        "select * from EXTENDEDDET where EXTENDEDTYPEID=3 and INFO1='VADIDUDIRARA' ");
}

ApplicationRecord readApplicationRecord(const FbQuery& query)
{
    return {slot(query, "INFO2"), slot(query, "INFO3"), slot(query, "INFO4"),
            slot(query, "INFO5"), slot(query, "INFO6"), slot(query, "INFO8")};
}

QString userByNikSql()
{
    // Cast so that a typed NIK longer than the column compares instead of overflowing.
    return QStringLiteral("select * from EXTENDEDDET where EXTENDEDTYPEID=2 and "
                          "INFO1=cast(:NIK as varchar(%1))")
        .arg(kLongestNik);
}

UserRecord readUser(const FbQuery& query)
{
    UserRecord u;
    u.nik = slot(query, "INFO1");
    u.print = slot(query, "INFO5");
    u.name = slot(query, "INFO9");
    u.online = slot(query, "INFO10");
    u.admin = slot(query, "INFO11");
    u.itemToBuy = slot(query, "INFO12");
    u.sales1 = slot(query, "INFO13");
    u.sales2 = slot(query, "INFO14");
    u.dept1 = slot(query, "INFO15");
    u.dept2 = slot(query, "INFO16");
    u.dept3 = slot(query, "INFO17");
    u.price = slot(query, "INFO18");
    u.oldStock = slot(query, "INFO19");
    return u;
}

UserRights rightsOf(const UserRecord& user)
{
    UserRights r;
    r.print = UserRights::granted(user.print);
    r.onlineList = UserRights::granted(user.online);
    r.admin = UserRights::granted(user.admin);
    r.itemToBuy = UserRights::granted(user.itemToBuy);
    r.price = UserRights::granted(user.price);
    r.oldStock = UserRights::granted(user.oldStock);
    r.sales = !user.sales1.isEmpty();
    return r;
}

SalesScope salesScopeOf(const UserRecord& user)
{
    return {user.sales1, user.sales2, user.dept1, user.dept2, user.dept3};
}

QString onlineUsersSql()
{
    return kOnlineSelect + QLatin1Char('\n') + kOnlineCondition;
}

QString onlineListSql()
{
    return onlineUsersSql() + QLatin1Char('\n') + kOnlineOrder;
}

QString onlineListSql(const QString& date)
{
    return kOnlineSelect + QLatin1Char('\n') + QStringLiteral("where INFO6='Online' and INFO8=") +
           sqlQuoted(date) + QLatin1Char('\n') + kOnlineOrder;
}

QString memberName(const FbQuery& query)
{
    return slot(query, "INFO2");
}

void makeWritable(FbQuery& query)
{
    query.setUpdateTarget(QStringLiteral("EXTENDEDDET"), QStringLiteral("EXTENDEDDETID"));
}

QString usersSql()
{
    return QStringLiteral("select * from EXTENDEDDET where EXTENDEDTYPEID=2");
}

QString nikOf(const FbQuery& query)
{
    return slot(query, "INFO1");
}

bool locateUser(FbQuery& query, const QString& nik)
{
    return query.locate(QStringLiteral("INFO1"), nik);
}

const QList<ProfileSlot>& profileSlots()
{
    static const QList<ProfileSlot> written{
        {"INFO5", &UserRecord::print},      {"INFO9", &UserRecord::name},
        {"INFO10", &UserRecord::online},    {"INFO11", &UserRecord::admin},
        {"INFO12", &UserRecord::itemToBuy}, {"INFO13", &UserRecord::sales1},
        {"INFO14", &UserRecord::sales2},    {"INFO15", &UserRecord::dept1},
        {"INFO16", &UserRecord::dept2},     {"INFO17", &UserRecord::dept3},
        {"INFO18", &UserRecord::price},     {"INFO19", &UserRecord::oldStock}};
    return written;
}

int writeProfile(FbQuery& query, const UserRecord& profile)
{
    makeWritable(query);
    query.edit();
    for (const ProfileSlot& s : profileSlots())
        query.setField(QLatin1String(s.column), profile.*s.field);
    return query.post();
}

int deleteCurrentRow(FbQuery& query)
{
    return query.connection()->execute(
        QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID = :KEYVALUE"),
        {{QStringLiteral("KEYVALUE"), query.field(QStringLiteral("EXTENDEDDETID"))}});
}

QString slotWidthsSql()
{
    return QStringLiteral(
        "select trim(r.RDB$FIELD_NAME) as SLOT, f.RDB$CHARACTER_LENGTH as WIDTH "
        "from RDB$RELATION_FIELDS r join RDB$FIELDS f on f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE "
        "where r.RDB$RELATION_NAME = 'EXTENDEDDET' and f.RDB$CHARACTER_LENGTH is not null");
}

QHash<QString, int> readSlotWidths(FbQuery& query)
{
    QHash<QString, int> widths;
    for (; !query.eof(); query.next())
        widths.insert(query.field(QStringLiteral("SLOT")).toString(),
                      query.field(QStringLiteral("WIDTH")).toInt());
    return widths;
}

void stampStatus(FbQuery& query, const QString& status, const QDateTime& now)
{
    makeWritable(query);
    query.edit();
    query.setField(QStringLiteral("INFO7"), now.time().toString(QLatin1String(kTimeFormat)));
    query.setField(QStringLiteral("INFO8"), shortDate(now.date()));
    query.setField(QStringLiteral("INFO6"), status);
    query.post();
}

} // namespace ControlRecords
