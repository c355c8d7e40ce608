#include "report/XlsxEdges.h"

#include <algorithm>
#include <cmath>

qint64 XlsxEdges::key(double mm)
{
    return qint64(std::llround(mm * 100.0));
}

void XlsxEdges::add(double mm)
{
    m_added.insert(key(mm));
}

void XlsxEdges::finish()
{
    m_edges = QList<qint64>(m_added.begin(), m_added.end());
    m_added.clear();
    std::sort(m_edges.begin(), m_edges.end());
}

double XlsxEdges::size(int index) const
{
    return (m_edges.at(index + 1) - m_edges.at(index)) / 100.0;
}

int XlsxEdges::indexOf(qint64 k) const
{
    const auto it = std::lower_bound(m_edges.begin(), m_edges.end(), k);
    return int(it - m_edges.begin());
}

int XlsxEdges::first(double from) const
{
    return qBound(0, indexOf(key(from)), qMax(count() - 1, 0));
}

int XlsxEdges::last(double from, double to) const
{
    return qBound(first(from), indexOf(key(to)) - 1, qMax(count() - 1, 0));
}
