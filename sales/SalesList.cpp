#include "sales/SalesList.h"

#include "sales/SalesCheckRules.h"

bool seesAllSalesmen(const SalesScope& scope)
{
    return scope.sales1 == QLatin1String("1");
}

SalesList fullSalesList(const QStringList& teams, const QStringList& members)
{
    return {teams + QStringList{QLatin1String(kAllSalesEntry)} + members, int(teams.size())};
}

SalesList restrictedSalesList(const SalesScope& scope, const QStringList& teamMembers)
{
    if (teamMembers.isEmpty())
        return {{scope.sales1, scope.sales2, scope.dept1, scope.dept2, scope.dept3}, 0};
    return {QStringList{scope.sales1} + teamMembers, 0};
}
