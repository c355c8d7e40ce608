#pragma once

#include "report/ReportPrepared.h"

#include <QWidget>

// One page of a prepared report drawn at a zoom factor (1 = real size on the screen).
class ReportPageView : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPageView(const PreparedReport& report, QWidget* parent = nullptr);

    int page() const { return m_page; }
    void setPage(int page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // An item to mark, as a search found it; an invalid position clears the mark.
    void setHighlight(ReportTextPosition position);
    // Where the highlighted item lies in this widget's coordinates.
    QRect highlightRect() const;

    double pixelsPerMm() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PreparedReport& m_report;
    int m_page = 0;
    double m_zoom = 1.0;
    ReportTextPosition m_highlight;
};
