#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Places controls by their rectangles in design units (a window designed at a fixed size
// at 96 dpi) and scales every one of them, fonts included, with the window, so the same
// layout fills a laptop or a large screen.
class WindowScaler : public QObject
{
    Q_OBJECT
public:
    // `area` is the widget the design covers (a main window's central widget).
    WindowScaler(QWidget* area, QSize designSize);

    // Geometry relative to the widget's parent, in design units.
    void place(QWidget* widget, const QRect& design);
    QRect designGeometry(QWidget* widget) const;
    void setDesignTop(QWidget* widget, int top);
    void setDesignHeight(QWidget* widget, int height);

    double factorX() const { return m_fx; }
    double factorY() const { return m_fy; }
    void rescale();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> widget;
        QRect design;
        double designPointSize;
    };
    void apply(Entry& e) const;

    QWidget* m_window;
    QSize m_design;
    double m_fx = 1.0;
    double m_fy = 1.0;
    double m_dpiFactor = 1.0;
    QHash<QWidget*, Entry> m_entries;
};
