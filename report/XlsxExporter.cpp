#include "report/XlsxExporter.h"

#include "report/XlsxEdges.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <xlsxwriter.h>

namespace
{

constexpr double pointsPerMm = 72.0 / 25.4;
constexpr double pixelsPerMm = 96.0 / 25.4;
constexpr qsizetype maxTextLength = 32767; // a longer string makes the write fail
constexpr qint64 serialEpochJulianDay = 2415019;

lxw_color_t colour(const QColor& c)
{
    const lxw_color_t rgb = lxw_color_t((c.red() << 16) | (c.green() << 8) | c.blue());
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb; // 0 means "no colour" to the library
}

// Characters a worksheet cannot hold are dropped; over-long texts are cut.
QByteArray cellText(const QString& text)
{
    QString out;
    out.reserve(qMin(text.size(), maxTextLength));
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            continue;
        out += c;
    }
    if (out.size() > maxTextLength) {
        out.truncate(maxTextLength);
        if (out.back().isHighSurrogate())
            out.chop(1);
    }
    return out.toUtf8();
}

lxw_datetime dateTimeOf(double serial)
{
    const double day = std::floor(serial);
    const QDate date = QDate::fromJulianDay(qint64(day) + serialEpochJulianDay);
    const QTime time =
        QTime::fromMSecsSinceStartOfDay(int(std::llround((serial - day) * 86400000.0)) % 86400000);
    return lxw_datetime{date.year(), date.month(),  date.day(),
                        time.hour(), time.minute(), time.second() + time.msec() / 1000.0};
}

struct Placed {
    int firstRow = 0; // within the page
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    const PreparedItem* item = nullptr;
};

// A merge over several rows: registered once its last row is being written, because the
// streamed sheet accepts nothing for rows already passed.
struct TallMerge {
    lxw_row_t firstRow = 0;
    lxw_row_t lastRow = 0;
    lxw_col_t firstColumn = 0;
    lxw_col_t lastColumn = 0;
    lxw_format* format = nullptr;
};

class SheetWriter
{
public:
    SheetWriter(const PreparedReport& report, lxw_workbook* workbook)
        : m_report(report), m_workbook(workbook), m_sheet(workbook_add_worksheet(workbook, nullptr))
    {
    }

    // Returns the library's complaint, or an empty text.
    QString write(const ReportProgress& progress, bool* cancelled)
    {
        if (!m_sheet)
            return QStringLiteral("worksheet not created");
        setUpPage();
        XlsxEdges columns;
        for (const PreparedPage& page : m_report.pages)
            for (const PreparedItem& item : page.items) {
                columns.add(item.left);
                columns.add(item.left + item.width);
            }
        columns.finish();
        if (columns.count() > LXW_COL_MAX)
            return QStringLiteral("too many columns");
        for (int c = 0; c < columns.count(); ++c)
            if (!check(worksheet_set_column_pixels(m_sheet, lxw_col_t(c), lxw_col_t(c),
                                                   std::lround(columns.size(c) * pixelsPerMm),
                                                   nullptr)))
                return m_error;
        m_busyUntil = QList<qint64>(columns.count(), -1);

        for (int p = 0; p < m_report.pageCount(); ++p) {
            if (p > 0 && m_breaks.size() < LXW_BREAKS_MAX)
                m_breaks.append(lxw_row_t(m_rowBase));
            if (!writePage(m_report.pages.at(p), columns))
                return m_error;
            if (progress && !progress(p + 1, m_report.pageCount())) {
                *cancelled = true;
                return {};
            }
        }
        if (!m_breaks.isEmpty()) {
            m_breaks.append(0);
            if (!check(worksheet_set_h_pagebreaks(m_sheet, m_breaks.data())))
                return m_error;
        }
        return {};
    }

private:
    bool check(lxw_error error)
    {
        if (error == LXW_NO_ERROR)
            return true;
        if (m_error.isEmpty())
            m_error = QString::fromUtf8(lxw_strerror(error));
        return false;
    }

    void setUpPage()
    {
        const ReportPageSetup& page = m_report.page;
        if (page.width > page.height)
            worksheet_set_landscape(m_sheet);
        if (qRound(qMin(page.width, page.height)) == 210 &&
            qRound(qMax(page.width, page.height)) == 297)
            worksheet_set_paper(m_sheet, 9); // A4
        worksheet_set_margins(m_sheet, page.margins.left() / 25.4, page.margins.right() / 25.4,
                              page.margins.top() / 25.4, page.margins.bottom() / 25.4);
    }

    bool writePage(const PreparedPage& page, const XlsxEdges& columns)
    {
        XlsxEdges rows;
        for (const PreparedItem& item : page.items) {
            rows.add(item.top);
            rows.add(item.top + item.height);
        }
        rows.finish();
        if (m_rowBase + rows.count() > LXW_ROW_MAX) {
            m_error = QStringLiteral("too many rows for a worksheet");
            return false;
        }
        QList<Placed> placed;
        placed.reserve(page.items.size());
        for (const PreparedItem& item : page.items)
            placed.append({rows.first(item.top), rows.last(item.top, item.top + item.height),
                           columns.first(item.left),
                           columns.last(item.left, item.left + item.width), &item});
        std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
            return a.firstRow != b.firstRow ? a.firstRow < b.firstRow
                                            : a.firstColumn < b.firstColumn;
        });

        qsizetype next = 0;
        for (int r = 0; r < rows.count(); ++r) {
            const lxw_row_t row = lxw_row_t(m_rowBase + r);
            if (!check(worksheet_set_row(m_sheet, row, rows.size(r) * pointsPerMm, nullptr)))
                return false;
            for (; next < placed.size() && placed.at(next).firstRow == r; ++next)
                if (!writeItem(placed.at(next), row))
                    return false;
            if (!continueTallMerges(row))
                return false;
        }
        m_rowBase += rows.count();
        return true;
    }

    bool writeItem(Placed at, lxw_row_t row)
    {
        // Overlapping cells cannot share worksheet cells: the later one gives way.
        if (m_busyUntil.at(at.firstColumn) >= qint64(row))
            return true;
        for (int c = at.firstColumn + 1; c <= at.lastColumn; ++c)
            if (m_busyUntil.at(c) >= qint64(row)) {
                at.lastColumn = c - 1;
                break;
            }
        const lxw_row_t lastRow = lxw_row_t(m_rowBase + at.lastRow);
        for (int c = at.firstColumn; c <= at.lastColumn; ++c)
            m_busyUntil[c] = qint64(lastRow);

        const PreparedItem& item = *at.item;
        lxw_format* format = formatFor(item);
        const lxw_col_t column = lxw_col_t(at.firstColumn);
        if (lastRow > row) {
            for (int c = at.firstColumn + 1; c <= at.lastColumn; ++c)
                if (format && !check(worksheet_write_blank(m_sheet, row, lxw_col_t(c), format)))
                    return false;
            m_tallMerges.append({row, lastRow, column, lxw_col_t(at.lastColumn), format});
        } else if (at.lastColumn > at.firstColumn) {
            if (!check(worksheet_merge_range(m_sheet, row, column, row, lxw_col_t(at.lastColumn),
                                             "", format)))
                return false;
        }
        return writeValue(item, row, column, format);
    }

    bool writeValue(const PreparedItem& item, lxw_row_t row, lxw_col_t column, lxw_format* format)
    {
        switch (item.kind) {
        case PreparedItem::Kind::Number:
            if (!std::isfinite(item.number)) // NaN would leave a workbook Excel calls damaged
                return !format || check(worksheet_write_blank(m_sheet, row, column, format));
            return check(worksheet_write_number(m_sheet, row, column, item.number, format));
        case PreparedItem::Kind::Date:
        case PreparedItem::Kind::DateTime: {
            lxw_datetime moment = dateTimeOf(item.number);
            return check(worksheet_write_datetime(m_sheet, row, column, &moment, format));
        }
        case PreparedItem::Kind::Text:
            break;
        }
        if (item.text.isEmpty())
            return !format || check(worksheet_write_blank(m_sheet, row, column, format));
        return check(
            worksheet_write_string(m_sheet, row, column, cellText(item.text).constData(), format));
    }

    bool continueTallMerges(lxw_row_t row)
    {
        for (qsizetype i = 0; i < m_tallMerges.size();) {
            const TallMerge& merge = m_tallMerges.at(i);
            if (merge.firstRow >= row) {
                ++i;
                continue;
            }
            if (merge.lastRow > row) {
                for (lxw_col_t c = merge.firstColumn; c <= merge.lastColumn; ++c)
                    if (merge.format &&
                        !check(worksheet_write_blank(m_sheet, row, c, merge.format)))
                        return false;
                ++i;
                continue;
            }
            // Fills this last row with blanks; the value in the first row stays.
            if (!check(worksheet_merge_range(m_sheet, merge.firstRow, merge.firstColumn,
                                             merge.lastRow, merge.lastColumn, "", merge.format)))
                return false;
            m_tallMerges.removeAt(i);
        }
        return true;
    }

    lxw_format* formatFor(const PreparedItem& item)
    {
        QString numberFormat;
        const ReportFormat& display = m_report.formats.value(item.format);
        if (item.kind == PreparedItem::Kind::Number)
            numberFormat = display.workbookNumberFormat();
        else if (item.kind != PreparedItem::Kind::Text)
            numberFormat = display.workbookDateFormat(m_report.dateFormat,
                                                      item.kind == PreparedItem::Kind::DateTime);
        const QString key = QString::number(item.style) + QLatin1Char('|') + numberFormat;
        if (lxw_format* known = m_formats.value(key))
            return known;

        const ReportStyle& style = m_report.styles.at(item.style);
        lxw_format* format = workbook_add_format(m_workbook);
        format_set_font_name(format, style.fontFamily.toUtf8().constData());
        format_set_font_size(format, style.fontSize);
        if (style.bold)
            format_set_bold(format);
        if (style.italic)
            format_set_italic(format);
        format_set_font_color(format, colour(style.color));
        if (style.fill.isValid() && style.fill.alpha() > 0) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, colour(style.fill));
        }
        if (style.frame & ReportStyle::Left)
            format_set_left(format, LXW_BORDER_THIN);
        if (style.frame & ReportStyle::Top)
            format_set_top(format, LXW_BORDER_THIN);
        if (style.frame & ReportStyle::Right)
            format_set_right(format, LXW_BORDER_THIN);
        if (style.frame & ReportStyle::Bottom)
            format_set_bottom(format, LXW_BORDER_THIN);
        const Qt::Alignment h = style.alignment & Qt::AlignHorizontal_Mask;
        format_set_align(format, h & Qt::AlignHCenter ? LXW_ALIGN_CENTER
                                 : h & Qt::AlignRight ? LXW_ALIGN_RIGHT
                                                      : LXW_ALIGN_LEFT);
        const Qt::Alignment v = style.alignment & Qt::AlignVertical_Mask;
        format_set_align(format, v & Qt::AlignVCenter  ? LXW_ALIGN_VERTICAL_CENTER
                                 : v & Qt::AlignBottom ? LXW_ALIGN_VERTICAL_BOTTOM
                                                       : LXW_ALIGN_VERTICAL_TOP);
        if (style.wordWrap)
            format_set_text_wrap(format);
        if (!numberFormat.isEmpty())
            format_set_num_format(format, numberFormat.toUtf8().constData());
        m_formats.insert(key, format);
        return format;
    }

    const PreparedReport& m_report;
    lxw_workbook* m_workbook;
    lxw_worksheet* m_sheet;
    QString m_error;
    QHash<QString, lxw_format*> m_formats;
    QList<qint64> m_busyUntil; // per column: the last row a cell already covers
    QList<TallMerge> m_tallMerges;
    QList<lxw_row_t> m_breaks;
    qint64 m_rowBase = 0;
};

bool moveOver(const QString& from, const QString& to, QString* reason)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error)
        *reason = QString::fromLocal8Bit(error.message());
    return !error;
}

} // namespace

ReportExportResult XlsxExporter::exportToFile(const PreparedReport& report, const QString& fileName,
                                              const ReportProgress& progress) const
{
    const QFileInfo target(fileName);
    QTemporaryFile temporary(
        target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    temporary.setAutoRemove(false);
    if (!temporary.open())
        return ReportExportResult::failed(fileName, temporary.errorString());
    const QString temporaryName = temporary.fileName();
    temporary.close();

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray encodedName = QFile::encodeName(temporaryName);
    lxw_workbook* workbook = workbook_new_opt(encodedName.constData(), &options);
    if (!workbook) {
        QFile::remove(temporaryName);
        return ReportExportResult::failed(fileName, QStringLiteral("workbook not created"));
    }
    bool cancelled = false;
    QString reason = SheetWriter(report, workbook).write(progress, &cancelled);
    const lxw_error closed = workbook_close(workbook);
    if (reason.isEmpty() && closed != LXW_NO_ERROR)
        reason = QString::fromUtf8(lxw_strerror(closed));
    if (cancelled || !reason.isEmpty()) {
        QFile::remove(temporaryName);
        return cancelled ? ReportExportResult::cancelled(fileName)
                         : ReportExportResult::failed(fileName, reason);
    }
    // The temporary file was made private; give the workbook the usual permissions.
    QFile::setPermissions(temporaryName, target.exists() ? target.permissions()
                                                         : QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadGroup | QFile::ReadOther);
    if (!moveOver(temporaryName, target.absoluteFilePath(), &reason)) {
        QFile::remove(temporaryName);
        return ReportExportResult::failed(fileName, reason);
    }
    return {};
}
