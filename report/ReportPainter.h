#pragma once

#include "report/ReportPrepared.h"

#include <QFont>
#include <QList>
#include <QRectF>

class QPainter;

// Draws prepared pages on any paint device: the painter's origin is the page's top-left
// corner and pixelsPerMm its scale, so the same code serves PDF, printer and screen.
class ReportPainter
{
public:
    ReportPainter(const PreparedReport& report, QPainter& painter, double pixelsPerMm);

    void paintPage(int page, int highlightedItem = -1);

private:
    QRectF box(const PreparedItem& item) const;

    const PreparedReport& m_report;
    QPainter& m_painter;
    double m_scale;
    QList<QFont> m_fonts; // one per style, sized for this device
};
