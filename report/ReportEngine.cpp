#include "report/ReportEngine.h"

#include "data/DateRules.h"
#include "report/ReportExpressionContext.h"
#include "report/ReportValue.h"

#include <QSet>

namespace
{

constexpr double fitTolerance = 0.001; // mm; keeps rounding from pushing a band over

// One preparation: the page being filled, the running totals and what the expressions read.
class Run : public ReportExpressionContext
{
public:
    Run(const ReportLayout& layout, const QHash<QString, ReportDataSource*>& sources,
        const ReportEngine::MasterRowHandler& handler, const QLocale& locale,
        const QString& dateFormat, const QDateTime& printTime)
        : m_layout(layout), m_sources(sources), m_handler(handler), m_printTime(printTime)
    {
        m_report.name = layout.name;
        m_report.title = layout.title;
        m_report.page = layout.page;
        m_report.locale = locale;
        m_report.dateFormat = dateFormat;
        m_report.formats.append(ReportFormat());
    }

    PreparedReport run()
    {
        collect();
        newPage();
        for (const ReportBand& band : m_layout.bands) {
            if (band.type == ReportBand::Type::Data)
                printData(band);
            else
                place(band, false);
        }
        return std::move(m_report);
    }

    QVariant field(const QString& dataSet, const QString& field) const override
    {
        if (m_snapshot && dataSet == m_snapshotDataSet)
            return m_snapshot->value(field);
        ReportDataSource* source = m_sources.value(dataSet);
        if (!source || source->eof())
            return {};
        return source->value(field);
    }

    QVariant name(const QString& name) const override
    {
        if (name == QLatin1String("date"))
            return m_printTime.date();
        if (name == QLatin1String("time"))
            return m_printTime.time().toString(QLatin1String(kTimeFormat));
        if (name == QLatin1String("page"))
            return m_report.pageCount();
        if (m_valuesBand)
            for (const ReportNamedValue& value : m_valuesBand->values)
                if (value.name == name)
                    return value.expression.evaluate(*this);
        return {};
    }

    double aggregate(const void* key) const override { return m_totals.value(key); }

private:
    // Style and format tables, and which SUMs each data band feeds.
    void collect()
    {
        QHash<ReportStyle, int> styleIds;
        QHash<QString, int> formatIds;
        auto index = [&](const ReportBand& band) {
            QList<quint16>& styles = m_cellStyles[&band];
            QList<quint16>& formats = m_cellFormats[&band];
            for (const ReportCell& cell : band.cells) {
                auto style = styleIds.constFind(cell.style);
                if (style == styleIds.constEnd()) {
                    style = styleIds.insert(cell.style, int(m_report.styles.size()));
                    m_report.styles.append(cell.style);
                }
                styles.append(quint16(*style));
                int format = 0;
                if (!cell.format.isEmpty()) {
                    auto found = formatIds.constFind(cell.format.text());
                    if (found == formatIds.constEnd()) {
                        found = formatIds.insert(cell.format.text(), int(m_report.formats.size()));
                        m_report.formats.append(cell.format);
                    }
                    format = *found;
                }
                formats.append(quint16(format));
                for (const ReportAggregate& aggregate : cell.text.aggregates())
                    m_aggregates[aggregate.band].append(aggregate);
            }
        };
        for (const ReportBand& band : m_layout.bands) {
            index(band);
            for (const ReportNamedValue& value : band.values)
                for (const ReportAggregate& aggregate : value.expression.aggregates())
                    m_aggregates[aggregate.band].append(aggregate);
            for (const ReportGroup& group : band.groups) {
                index(group.header);
                index(group.footer);
            }
        }
    }

    void newPage()
    {
        m_report.pages.append(PreparedPage());
        m_y = m_layout.page.margins.top();
    }

    void place(const ReportBand& band, bool hidden)
    {
        const double bottom = m_layout.page.height - m_layout.page.margins.bottom();
        if (m_y + band.height > bottom + fitTolerance &&
            m_y > m_layout.page.margins.top() + fitTolerance)
            newPage();
        if (!hidden) {
            const QList<quint16>& styles = m_cellStyles.value(&band);
            const QList<quint16>& formats = m_cellFormats.value(&band);
            for (qsizetype i = 0; i < band.cells.size(); ++i)
                addItem(band.cells.at(i), styles.at(i), formats.at(i));
        }
        m_y += band.height;
    }

    void addItem(const ReportCell& cell, quint16 styleId, quint16 formatId)
    {
        PreparedItem item;
        item.left = float(m_layout.page.margins.left() + cell.left);
        item.top = float(m_y + cell.top);
        item.width = float(cell.width);
        item.height = float(cell.height);
        item.style = styleId;
        item.format = formatId;
        if (cell.text.isSingleExpression()) {
            const QVariant value = cell.text.parts().first().expression.evaluate(*this);
            switch (reportValueKind(value)) {
            case ReportValueKind::Number:
                item.kind = PreparedItem::Kind::Number;
                item.number = reportNumber(value);
                break;
            case ReportValueKind::Date:
            case ReportValueKind::DateTime: {
                const QDateTime moment = value.typeId() == QMetaType::QDate
                                             ? value.toDate().startOfDay()
                                             : value.toDateTime();
                const bool withTime = moment.time() != QTime(0, 0);
                item.kind = withTime ? PreparedItem::Kind::DateTime : PreparedItem::Kind::Date;
                item.text = cell.format.date(moment, withTime, m_report.dateFormat);
                item.number = reportSerialDate(moment);
                break;
            }
            case ReportValueKind::Text:
                item.text = value.toString();
                break;
            case ReportValueKind::Empty:
                break;
            }
        } else {
            for (const ReportText::Part& part : cell.text.parts())
                item.text += part.expression.isNull() ? part.literal
                                                      : show(part.expression.evaluate(*this), cell);
        }
        const ReportStyle& style = m_report.styles.at(styleId);
        if (item.kind == PreparedItem::Kind::Text && item.text.isEmpty() &&
            style.frame == ReportStyle::NoFrame && !style.fill.isValid())
            return; // nothing to see
        m_report.pages.last().items.append(std::move(item));
    }

    QString show(const QVariant& value, const ReportCell& cell) const
    {
        switch (reportValueKind(value)) {
        case ReportValueKind::Number:
            return cell.format.number(reportNumber(value), m_report.locale);
        case ReportValueKind::Date:
        case ReportValueKind::DateTime: {
            const QDateTime moment = value.typeId() == QMetaType::QDate
                                         ? value.toDate().startOfDay()
                                         : value.toDateTime();
            return cell.format.date(moment, moment.time() != QTime(0, 0), m_report.dateFormat);
        }
        case ReportValueKind::Text:
            return value.toString();
        case ReportValueKind::Empty:
            break;
        }
        return {};
    }

    void printData(const ReportBand& band)
    {
        ReportDataSource* source = m_sources.value(band.dataSet);
        QList<ReportDataSource*> details;
        for (const QString& name : band.details)
            details.append(m_sources.value(name));

        // Footers print after the cursor has left their group, so they read the fields of
        // the group's last row from a copy.
        QSet<QString> kept;
        for (const ReportGroup& group : band.groups)
            for (const ReportCell& cell : group.footer.cells)
                for (const ReportFieldRef& ref : cell.text.fields())
                    if (ref.dataSet == band.dataSet)
                        kept.insert(ref.field);
        for (const ReportNamedValue& value : band.values)
            for (const ReportFieldRef& ref : value.expression.fields())
                if (ref.dataSet == band.dataSet)
                    kept.insert(ref.field);
        QHash<QString, QVariant> lastRow;

        const QList<ReportAggregate> fed = m_aggregates.value(band.name);
        QList<QVariant> keys(qsizetype(band.groups.size()));
        bool firstRow = true;
        m_valuesBand = &band;
        for (source->first(); !source->eof(); source->next()) {
            if (!details.isEmpty()) {
                if (m_handler)
                    m_handler(band.dataSet, *source);
                for (ReportDataSource* detail : details)
                    detail->first();
            }
            qsizetype changed = firstRow ? 0 : qsizetype(band.groups.size());
            for (qsizetype g = 0; g < qsizetype(band.groups.size()); ++g) {
                const QVariant key = band.groups[size_t(g)].condition.evaluate(*this);
                if (!firstRow && changed == qsizetype(band.groups.size()) && key != keys.at(g))
                    changed = g;
                keys[g] = key;
            }
            if (!firstRow)
                printFooters(band, changed, lastRow);
            for (qsizetype g = changed; g < qsizetype(band.groups.size()); ++g) {
                const ReportGroup& group = band.groups[size_t(g)];
                for (const ReportCell& cell : group.footer.cells)
                    for (const ReportAggregate& aggregate : cell.text.aggregates())
                        m_totals.remove(aggregate.key);
                place(group.header, false);
            }
            for (const ReportAggregate& aggregate : fed)
                m_totals[aggregate.key] += reportNumber(aggregate.argument.evaluate(*this));
            const bool hidden =
                !band.hideWhen.isNull() && reportNumber(band.hideWhen.evaluate(*this)) != 0.0;
            place(band, hidden);
            for (const QString& field : std::as_const(kept))
                lastRow.insert(field, this->field(band.dataSet, field));
            firstRow = false;
        }
        if (!firstRow)
            printFooters(band, 0, lastRow);
        m_valuesBand = nullptr;
    }

    // Footers of the groups from `outermost` inwards, innermost first.
    void printFooters(const ReportBand& band, qsizetype outermost,
                      const QHash<QString, QVariant>& lastRow)
    {
        m_snapshot = &lastRow;
        m_snapshotDataSet = band.dataSet;
        for (qsizetype g = qsizetype(band.groups.size()) - 1; g >= outermost; --g)
            place(band.groups[size_t(g)].footer, false);
        m_snapshot = nullptr;
    }

    const ReportLayout& m_layout;
    const QHash<QString, ReportDataSource*>& m_sources;
    const ReportEngine::MasterRowHandler& m_handler;
    QDateTime m_printTime;

    PreparedReport m_report;
    double m_y = 0;
    QHash<const ReportBand*, QList<quint16>> m_cellStyles;
    QHash<const ReportBand*, QList<quint16>> m_cellFormats;
    QHash<QString, QList<ReportAggregate>> m_aggregates; // by the band they sum over
    QHash<const void*, double> m_totals;
    const ReportBand* m_valuesBand = nullptr;
    const QHash<QString, QVariant>* m_snapshot = nullptr;
    QString m_snapshotDataSet;
};

} // namespace

ReportEngine::ReportEngine(ReportLayout layout) : m_layout(std::move(layout)) {}

void ReportEngine::bind(const QString& dataSet, ReportDataSource* source)
{
    m_sources.insert(dataSet.toLower(), source);
}

std::optional<PreparedReport> ReportEngine::prepare(QString* error)
{
    for (const ReportBand& band : m_layout.bands) {
        if (band.type != ReportBand::Type::Data)
            continue;
        const QStringList names = QStringList(band.details) << band.dataSet;
        for (const QString& name : names) {
            if (!m_sources.value(name)) {
                if (error)
                    *error = QStringLiteral("report %1: no source bound to data set \"%2\"")
                                 .arg(m_layout.name, name);
                return std::nullopt;
            }
        }
    }
    if (error)
        error->clear();
    const QDateTime printTime = m_printTime.isValid() ? m_printTime : QDateTime::currentDateTime();
    Run run(m_layout, m_sources, m_masterRowHandler, m_locale, m_dateFormat, printTime);
    return run.run();
}
