#include "data/SalesTeamRecords.h"

#include "data/FbQuery.h"
#include "data/SqlText.h"

namespace ControlRecords
{

namespace
{
QString slot(const FbQuery& query, const char* name)
{
    if (!query.isActive() || query.eof() || query.fieldIndex(QLatin1String(name)) < 0)
        return {};
    return query.field(QLatin1String(name)).toString();
}
} // namespace

QString salesTeamNamesSql()
{
    return QStringLiteral("select distinct(INFO1) from EXTENDEDDET where EXTENDEDTYPEID=8");
}

QString salesTeamMembersSql()
{
    return QStringLiteral("select INFO2 from EXTENDEDDET where EXTENDEDTYPEID=8");
}

QString teamMembersSql(const QString& team)
{
    return QStringLiteral(
               "select a.INFO1, a.INFO2 from EXTENDEDDET a where a.EXTENDEDTYPEID=8 and a.INFO1=") +
           sqlQuoted(team);
}

QString teamTargetSql(const QString& team)
{
    return QStringLiteral("select INFO1,INFO2,INFO3,INFO4 from EXTENDEDDET where EXTENDEDTYPEID=8 "
                          "and INFO1=") +
           sqlQuoted(team) + QStringLiteral("\norder by info4 desc");
}

QString salesmanTargetSql(const QString& salesman)
{
    return QStringLiteral("select INFO1,INFO2,INFO3 from EXTENDEDDET where EXTENDEDTYPEID=8 and "
                          "INFO2=") +
           sqlQuoted(salesman);
}

QString teamName(const FbQuery& query)
{
    return slot(query, "INFO1");
}

QString salesmanTarget(const FbQuery& query)
{
    return slot(query, "INFO3");
}

QString teamTarget(const FbQuery& query)
{
    return slot(query, "INFO4");
}

} // namespace ControlRecords
