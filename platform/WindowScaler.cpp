#include "platform/WindowScaler.h"

#include <QEvent>
#include <QFont>
#include <QWidget>

WindowScaler::WindowScaler(QWidget* window, QSize designSize)
    : QObject(window), m_window(window), m_design(designSize)
{
    m_dpiFactor = window->logicalDpiX() / 96.0;
    window->installEventFilter(this);
}

void WindowScaler::place(QWidget* widget, const QRect& design)
{
    auto it = m_entries.find(widget);
    if (it == m_entries.end())
        it = m_entries.insert(widget, Entry{widget, design, widget->font().pointSizeF()});
    it->design = design;
    apply(*it);
}

QRect WindowScaler::designGeometry(QWidget* widget) const
{
    return m_entries.value(widget).design;
}

void WindowScaler::setDesignTop(QWidget* widget, int top)
{
    QRect r = designGeometry(widget);
    r.moveTop(top);
    place(widget, r);
}

void WindowScaler::setDesignHeight(QWidget* widget, int height)
{
    QRect r = designGeometry(widget);
    r.setHeight(height);
    place(widget, r);
}

void WindowScaler::apply(Entry& e) const
{
    if (!e.widget)
        return;
    const QRect& d = e.design;
    e.widget->setGeometry(qRound(d.x() * m_fx), qRound(d.y() * m_fy), qRound(d.width() * m_fx),
                          qRound(d.height() * m_fy));
    if (e.designPointSize > 0) {
        QFont f = e.widget->font();
        f.setPointSizeF(qMax(6.0, e.designPointSize * qMin(m_fx, m_fy) / m_dpiFactor));
        e.widget->setFont(f);
    }
}

void WindowScaler::rescale()
{
    const QSize area = m_window->size();
    m_fx = area.width() / double(m_design.width());
    m_fy = area.height() / double(m_design.height());
    for (Entry& e : m_entries)
        apply(e);
}

bool WindowScaler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        rescale();
    return QObject::eventFilter(watched, event);
}
