#pragma once

#include "data/LoginState.h"

#include <QString>
#include <QStringList>

// The entries of the sales window's list and how many of them, at the top, are sales teams.
struct SalesList {
    QStringList entries;
    int teamCount = 0;
};

// A user who may see every salesman.
bool seesAllSalesmen(const SalesScope& scope);

// Every team, "All Sales", then every team member's name in the order read.
SalesList fullSalesList(const QStringList& teams, const QStringList& members);

// The user's own first entry followed by the members of the user's teams; without such a
// team the five names of the scope themselves. No team entries: the window keeps whatever
// team count it had.
SalesList restrictedSalesList(const SalesScope& scope, const QStringList& teamMembers);
