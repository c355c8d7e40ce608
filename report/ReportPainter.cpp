#include "report/ReportPainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QSet>

namespace
{

constexpr double paddingX = 0.5; // mm between a cell's frame and its text
constexpr double paddingY = 0.25;
const QColor highlightColor(255, 200, 0, 110);

struct LineKey {
    qint64 x1, y1, x2, y2;
    bool operator==(const LineKey&) const = default;
};

size_t qHash(const LineKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.x1, k.y1, k.x2, k.y2);
}

} // namespace

ReportPainter::ReportPainter(const PreparedReport& report, QPainter& painter, double pixelsPerMm)
    : m_report(report), m_painter(painter), m_scale(pixelsPerMm)
{
    // Point sizes are turned into pixels with the device's own resolution; scale them so a
    // 10 pt font is 10/72 inch on the page whatever that resolution is.
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    const double pointScale = 25.4 * pixelsPerMm / (deviceDpi > 0 ? deviceDpi : 72);
    for (const ReportStyle& style : report.styles) {
        QFont font(style.fontFamily);
        font.setPointSizeF(style.fontSize * pointScale);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        m_fonts.append(font);
    }
}

QRectF ReportPainter::box(const PreparedItem& item) const
{
    return QRectF(item.left * m_scale, item.top * m_scale, item.width * m_scale,
                  item.height * m_scale);
}

// Fills, then texts, then frames: each pass keeps the painter's state changes (and so the
// size and time of a PDF) low, and frames shared by neighbouring cells are drawn once.
void ReportPainter::paintPage(int page, int highlightedItem)
{
    if (page < 0 || page >= m_report.pageCount())
        return;
    const QList<PreparedItem>& items = m_report.pages.at(page).items;

    for (const PreparedItem& item : items) {
        const QColor& fill = m_report.styles.at(item.style).fill;
        if (fill.isValid())
            m_painter.fillRect(box(item), fill);
    }

    int currentStyle = -1;
    for (const PreparedItem& item : items) {
        const QString text = m_report.itemText(item);
        if (text.isEmpty())
            continue;
        const ReportStyle& style = m_report.styles.at(item.style);
        if (item.style != currentStyle) {
            m_painter.setFont(m_fonts.at(item.style));
            m_painter.setPen(style.color);
            currentStyle = item.style;
        }
        const QRectF inner = box(item).adjusted(paddingX * m_scale, paddingY * m_scale,
                                                -paddingX * m_scale, -paddingY * m_scale);
        int flags = int(style.alignment);
        if (style.wordWrap)
            flags |= Qt::TextWordWrap;
        // Without Qt::TextDontClip the painter clips text that overflows the cell.
        m_painter.drawText(inner, flags, text);
    }

    QHash<double, QList<QLineF>> linesByWidth;
    QSet<LineKey> drawn;
    auto addLine = [&](double width, QPointF a, QPointF b) {
        const LineKey key{qRound64(a.x()), qRound64(a.y()), qRound64(b.x()), qRound64(b.y())};
        if (!drawn.contains(key)) {
            drawn.insert(key);
            linesByWidth[width].append(QLineF(a, b));
        }
    };
    for (const PreparedItem& item : items) {
        const ReportStyle& style = m_report.styles.at(item.style);
        if (style.frame == ReportStyle::NoFrame)
            continue;
        const QRectF r = box(item);
        const double width = style.frameWidth;
        if (style.frame & ReportStyle::Left)
            addLine(width, r.topLeft(), r.bottomLeft());
        if (style.frame & ReportStyle::Top)
            addLine(width, r.topLeft(), r.topRight());
        if (style.frame & ReportStyle::Right)
            addLine(width, r.topRight(), r.bottomRight());
        if (style.frame & ReportStyle::Bottom)
            addLine(width, r.bottomLeft(), r.bottomRight());
    }
    for (auto it = linesByWidth.cbegin(); it != linesByWidth.cend(); ++it) {
        QPen pen(Qt::black, qMax(it.key() * m_scale, 1.0));
        pen.setCapStyle(Qt::SquareCap);
        m_painter.setPen(pen);
        m_painter.drawLines(it.value());
    }

    if (highlightedItem >= 0 && highlightedItem < items.size())
        m_painter.fillRect(box(items.at(highlightedItem)), highlightColor);
}
