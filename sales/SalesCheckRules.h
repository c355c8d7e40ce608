#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// The entries of the sales list that are not salesman names.
inline constexpr char kAllSalesEntry[] = "All Sales";
inline constexpr char kAllTeamEntry[] = "All Team";

// What "Cek" does for the text of the sales box and the list position of the selected
// entry (-1 for none); the first teamCount entries of the list are sales teams.
enum class SalesCheck { AllSalesRanking, Team, AllTeamRanking, Salesman, Nothing };
SalesCheck chooseCheck(const QString& text, int position, int teamCount);

// What "Detail Invoice" does for the same three.
enum class InvoiceDetail { TeamRanking, Invoices, Nothing };
InvoiceDetail chooseInvoiceDetail(const QString& text, int position, int teamCount);

// What one company's statement gave: the invoiced amount before tax and the returns.
struct CompanySales {
    double invoiced = 0;
    double returns = 0;
};
// Invoiced less returns, summed over the companies.
double achievedAmount(const QList<CompanySales>& companies);

// Whole days between the two dates, whichever comes first.
int periodDays(QDate start, QDate end);

// A target as stored (decimal text); nothing when the text is not a number.
std::optional<double> parseTarget(const QString& text);

// "p1% / p2%": the achievement against the target and against the target pro-rated over a
// 360-day year for the days of the period, two decimals each; "-" where the target or the
// days are 0 and the value has no meaning.
QString percentageText(double achieved, double target, int days, const QLocale& locale);

// The congratulation is due when the achievement passes the target.
bool targetPassed(double achieved, double target);
QString congratulation(const QString& name);
// The error of a target that is not a number.
QString targetNotANumber(const QString& text);
