#pragma once

#include "data/LoginState.h"
#include "data/UserRights.h"

#include <QDateTime>
#include <QString>

class FbQuery;

// The program's own rows in the ERP extension table EXTENDEDDET: which INFO slot holds
// what, for the user, application and sales-team records. No other code names a slot.
namespace ControlRecords
{

constexpr int kUserType = 2;
constexpr int kApplicationType = 3;
constexpr int kSalesTeamType = 8;

inline const QString kOnline = QStringLiteral("Online");
inline const QString kDisconnected = QStringLiteral("Disconnected");

struct ApplicationRecord {
    QString suffixKrt;   // INFO2
    QString suffixSoka;  // INFO3
    QString suffixKw;    // INFO4
    QString version;     // INFO5
    QString periodStart; // INFO6, dd/MM/yyyy
    QString updaterDate; // INFO8, dd/MM/yyyy with an optional time
};

struct UserRecord {
    QString nik;       // INFO1
    QString print;     // INFO5
    QString name;      // INFO9
    QString online;    // INFO10
    QString admin;     // INFO11
    QString itemToBuy; // INFO12
    QString sales1;    // INFO13
    QString sales2;    // INFO14
    QString dept1;     // INFO15
    QString dept2;     // INFO16
    QString dept3;     // INFO17
    QString price;     // INFO18
    QString oldStock;  // INFO19
};

// The application record; every slot reads empty when the query has no row.
QString applicationRecordSql();
ApplicationRecord readApplicationRecord(const FbQuery& query);

// The longest NIK the login field takes.
constexpr int kLongestNik = 255;

// The user with the NIK bound as parameter NIK.
QString userByNikSql();
UserRecord readUser(const FbQuery& query);
// What the user's slots grant, and whose sales the user sees.
UserRights rightsOf(const UserRecord& user);
SalesScope salesScopeOf(const UserRecord& user);

// Users marked online, with the key the status stamp writes by.
QString onlineUsersSql();
// The online list in key order: every user marked online, or those stamped on a date
// ("dd/MM/yyyy").
QString onlineListSql();
QString onlineListSql(const QString& date);

// The salesman name of a sales-team row.
QString memberName(const FbQuery& query);

// Stamps the current row of a query on EXTENDEDDET with a status: INFO7 time, INFO8 date,
// INFO6 the status, in this order, written by the row's key in one transaction.
void stampStatus(FbQuery& query, const QString& status, const QDateTime& now);

// Makes a query on EXTENDEDDET writable by its key.
void makeWritable(FbQuery& query);

} // namespace ControlRecords
