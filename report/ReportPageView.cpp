#include "report/ReportPageView.h"

#include "report/ReportPainter.h"

#include <QPainter>

namespace
{
constexpr int border = 12; // pixels of grey around the page
}

ReportPageView::ReportPageView(const PreparedReport& report, QWidget* parent)
    : QWidget(parent), m_report(report)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void ReportPageView::setPage(int page)
{
    m_page = qBound(0, page, qMax(0, m_report.pageCount() - 1));
    update();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 8.0);
    resize(sizeHint());
    update();
}

void ReportPageView::setHighlight(ReportTextPosition position)
{
    m_highlight = position;
    update();
}

QRect ReportPageView::highlightRect() const
{
    if (!m_highlight.isValid() || m_highlight.page >= m_report.pageCount())
        return {};
    const auto& items = m_report.pages.at(m_highlight.page).items;
    if (m_highlight.item < 0 || m_highlight.item >= items.size())
        return {};
    const QRectF r = items.at(m_highlight.item).rect();
    const double s = pixelsPerMm();
    return QRectF(border + r.left() * s, border + r.top() * s, r.width() * s, r.height() * s)
        .toAlignedRect();
}

double ReportPageView::pixelsPerMm() const
{
    return logicalDpiX() / 25.4 * m_zoom;
}

QSize ReportPageView::sizeHint() const
{
    const double s = pixelsPerMm();
    return QSize(int(m_report.page.width * s) + 2 * border,
                 int(m_report.page.height * s) + 2 * border);
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const double s = pixelsPerMm();
    const QRectF paper(border, border, m_report.page.width * s, m_report.page.height * s);
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 60));
    painter.fillRect(paper, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(border, border);
    painter.setClipRect(QRectF(QPointF(0, 0), paper.size()));
    ReportPainter(m_report, painter, s)
        .paintPage(m_page, m_highlight.page == m_page ? m_highlight.item : -1);
}
