#include "data/DateRules.h"

QString shortDate(QDate date)
{
    return date.isValid() ? date.toString(QLatin1String(kShortDateFormat)) : QString();
}

QString monthDayYear(QDate date)
{
    // Month, day and year taken from the short date text, so both keep one separator.
    const QString text = shortDate(date);
    if (text.isEmpty())
        return {};
    return text.mid(3, 3) + text.mid(0, 3) + text.mid(6, 4);
}
