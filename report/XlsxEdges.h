#pragma once

#include <QList>
#include <QSet>

// The boundaries that cell edges in millimetres make along one axis of a worksheet: every
// distinct edge starts a column (or row), and a cell covers the columns between its edges.
class XlsxEdges
{
public:
    void add(double mm);
    // Call after the last add() and before the lookups.
    void finish();

    // Columns (or rows) between the edges.
    int count() const { return m_edges.size() > 1 ? int(m_edges.size()) - 1 : 0; }
    double size(int index) const; // mm
    // The first and last column an extent from..to covers (last >= first).
    int first(double from) const;
    int last(double from, double to) const;

private:
    static qint64 key(double mm);
    int indexOf(qint64 key) const;
    QSet<qint64> m_added;
    QList<qint64> m_edges; // hundredths of a millimetre, ascending
};
