#pragma once

#include "data/DateRules.h"
#include "report/ReportDataSource.h"
#include "report/ReportLayout.h"
#include "report/ReportPrepared.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

// Lays a report layout out on pages over the rows of the data sets bound to it. Each data
// band walks its data set from the first row to the end and leaves it at end of data.
class ReportEngine
{
public:
    // Called for every row of a data band that has details, before the row is printed, so
    // the caller can re-read the details for the master's current row.
    using MasterRowHandler = std::function<void(const QString& dataSet, ReportDataSource& master)>;

    explicit ReportEngine(ReportLayout layout);

    const ReportLayout& layout() const { return m_layout; }

    // The source is not owned and must outlive prepare(). Names match without regard to case.
    void bind(const QString& dataSet, ReportDataSource* source);
    void setMasterRowHandler(MasterRowHandler handler) { m_masterRowHandler = std::move(handler); }
    // Separators of "%n"-style numbers; defaults to the system locale.
    void setLocale(const QLocale& locale) { m_locale = locale; }
    // How dates without a format of their own are shown; defaults to "dd/MM/yyyy".
    void setDateFormat(const QString& format) { m_dateFormat = format; }
    // The moment [Date] and [Time] show; defaults to the time prepare() starts.
    void setPrintTime(const QDateTime& time) { m_printTime = time; }

    std::optional<PreparedReport> prepare(QString* error = nullptr);

private:
    ReportLayout m_layout;
    QHash<QString, ReportDataSource*> m_sources;
    MasterRowHandler m_masterRowHandler;
    QLocale m_locale;
    QString m_dateFormat = QLatin1String(kShortDateFormat);
    QDateTime m_printTime;
};
