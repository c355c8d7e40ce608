#pragma once

#include <QColor>
#include <QString>
#include <Qt>

// How a report cell looks. Sizes in points, line width in millimetres.
struct ReportStyle {
    enum Frame { NoFrame = 0, Left = 1, Top = 2, Right = 4, Bottom = 8, AllSides = 15 };

    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    QColor fill; // invalid: transparent
    int frame = NoFrame;
    double frameWidth = 0.26;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;

    bool operator==(const ReportStyle& other) const;
    // Parses "LTRB"-style frame texts ("" for none, "all" for every side).
    static int frameFromText(const QString& text, bool* ok = nullptr);
};

size_t qHash(const ReportStyle& style, size_t seed = 0);
