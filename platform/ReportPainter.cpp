#include "ReportPainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace
{

constexpr double paddingX = 0.5; // mm between a cell's frame and its text
constexpr double paddingY = 0.25;
const QColor highlightColor(255, 200, 0, 110);

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

void ReportPainter::paintPage(int page, int highlightedItem)
{
    if (page < 0 || page >= m_report.pageCount())
        return;
    const QList<PreparedItem>& items = m_report.pages.at(page).items;
    for (const PreparedItem& item : items)
        paintItem(item);
    if (highlightedItem >= 0 && highlightedItem < items.size()) {
        const QRectF r = items.at(highlightedItem).rect();
        m_painter.fillRect(QRectF(r.topLeft() * m_scale, r.size() * m_scale), highlightColor);
    }
}

void ReportPainter::paintItem(const PreparedItem& item)
{
    const ReportStyle& style = m_report.styles.at(item.style);
    const QRectF box(item.left * m_scale, item.top * m_scale, item.width * m_scale,
                     item.height * m_scale);
    if (style.fill.isValid())
        m_painter.fillRect(box, style.fill);

    const QString text = m_report.itemText(item);
    if (!text.isEmpty()) {
        const QRectF inner = box.adjusted(paddingX * m_scale, paddingY * m_scale,
                                          -paddingX * m_scale, -paddingY * m_scale);
        int flags = int(style.alignment);
        if (style.wordWrap)
            flags |= Qt::TextWordWrap;
        m_painter.setFont(m_fonts.at(item.style));
        m_painter.setPen(style.color);
        // Without Qt::TextDontClip the painter clips text that overflows the cell.
        m_painter.drawText(inner, flags, text);
    }

    if (style.frame != ReportStyle::NoFrame) {
        QPen pen(Qt::black, qMax(style.frameWidth * m_scale, 1.0));
        pen.setCapStyle(Qt::SquareCap);
        m_painter.setPen(pen);
        if (style.frame & ReportStyle::Left)
            m_painter.drawLine(box.topLeft(), box.bottomLeft());
        if (style.frame & ReportStyle::Top)
            m_painter.drawLine(box.topLeft(), box.topRight());
        if (style.frame & ReportStyle::Right)
            m_painter.drawLine(box.topRight(), box.bottomRight());
        if (style.frame & ReportStyle::Bottom)
            m_painter.drawLine(box.bottomLeft(), box.bottomRight());
    }
}
