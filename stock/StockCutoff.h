#pragma once

#include <QDate>

// Cut-off date of the stock figures: the month's last day when today is that day, else the
// day before it. Empty for an invalid date.
QDate stockReferenceDate(QDate today);
