#include "sales/SalesCheckRules.h"

#include "data/NumberFormat.h"

#include <cstdlib>

SalesCheck chooseCheck(const QString& text, int position, int teamCount)
{
    if (text == QLatin1String(kAllSalesEntry))
        return SalesCheck::AllSalesRanking;
    if (position < teamCount)
        return SalesCheck::Team;
    if (text == QLatin1String(kAllTeamEntry))
        return SalesCheck::AllTeamRanking;
    if (!text.isEmpty())
        return SalesCheck::Salesman;
    return SalesCheck::Nothing;
}

InvoiceDetail chooseInvoiceDetail(const QString& text, int position, int teamCount)
{
    if (position < teamCount)
        return InvoiceDetail::TeamRanking;
    if (text.isEmpty())
        return InvoiceDetail::Nothing;
    return InvoiceDetail::Invoices;
}

double achievedAmount(const QList<CompanySales>& companies)
{
    double invoiced = 0;
    double returns = 0;
    for (const CompanySales& c : companies) {
        invoiced += c.invoiced;
        returns += c.returns;
    }
    return invoiced - returns;
}

int periodDays(QDate start, QDate end)
{
    return int(std::abs(start.daysTo(end)));
}

std::optional<double> parseTarget(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString percentageText(double achieved, double target, int days, const QLocale& locale)
{
    const QString pattern = QStringLiteral("0.00");
    const QString undefined = QStringLiteral("-");
    const bool hasTarget = target != 0;
    const QString whole =
        hasTarget ? formatFloat(pattern, achieved / target * 100, locale) + QLatin1Char('%')
                  : undefined;
    const QString prorated =
        hasTarget && days != 0
            ? formatFloat(pattern, achieved / (days * target / 360) * 100, locale) +
                  QLatin1Char('%')
            : undefined;
    return whole + QStringLiteral(" / ") + prorated;
}

bool targetPassed(double achieved, double target)
{
    return target < achieved;
}

QString congratulation(const QString& name)
{
    return QStringLiteral("Selamat pencapaian omset ") + name + QStringLiteral(" sudah 100%");
}

QString targetNotANumber(const QString& text)
{
    return QStringLiteral("Target \"%1\" bukan angka.").arg(text);
}
