#pragma once

#include "data/LoginState.h"
#include "data/UserRights.h"

#include <QDateTime>
#include <QHash>
#include <QList>
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

// The longest NIK the login field takes, and the shortest one a login looks up.
constexpr int kLongestNik = 255;
constexpr int kShortestNik = 6;

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

// Every user record, for the profile editor's list and look-ups.
QString usersSql();
QString nikOf(const FbQuery& query);
// Moves to the first user row whose NIK is exactly the text (case and blanks count).
bool locateUser(FbQuery& query, const QString& nik);

// The slots the profile editor writes, in the order it writes them.
struct ProfileSlot {
    const char* column;
    QString UserRecord::*field;
};
const QList<ProfileSlot>& profileSlots();

// Writes the profile slots of the current row of a users query by the row's key in one
// transaction; the NIK and the status slots stay. Returns 0 when the row is gone.
int writeProfile(FbQuery& query, const UserRecord& profile);
// Deletes the current row by its key in one transaction; 0 when it was gone already.
int deleteCurrentRow(FbQuery& query);

// The declared width in characters of each text column of EXTENDEDDET, by column name,
// as the database describes its own table.
QString slotWidthsSql();
QHash<QString, int> readSlotWidths(FbQuery& query);

} // namespace ControlRecords
