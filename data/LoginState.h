#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The logged-in user's sales scope: which salesmen and teams the sales and receivables
// features may show.
struct SalesScope {
    QString sales1, sales2, dept1, dept2, dept3;
};

// The session of the user logged in at this workstation, owned by the main window and
// read by the features that depend on who is logged in.
struct LoginState {
    bool loggedIn = false;
    QString nik;
    QString name;
    QDate loginDate;
    QString periodStart; // the sales period's first day, dd/MM/yyyy, from the application record
    SalesScope sales;
    QStringList receivablesSummarySql; // completed with the user's sales filter at login
    QStringList receivablesDetailSql;
};
