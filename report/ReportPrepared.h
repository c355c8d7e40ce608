#pragma once

#include "report/ReportFormat.h"
#include "report/ReportLayout.h"
#include "report/ReportStyle.h"

#include <QList>
#include <QLocale>
#include <QRectF>
#include <QString>

// One thing printed on a page: a cell's box with its text, in millimetres from the page's
// top-left corner. Numbers keep their value and format instead of a text, which keeps
// large reports small and lets a workbook store them as numbers.
struct PreparedItem {
    enum class Kind : quint8 { Text, Number, Date, DateTime };

    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    QString text;       // Text, Date and DateTime as shown
    double number = 0;  // Number: the value; Date, DateTime: the serial day
    quint16 style = 0;  // index into PreparedReport::styles
    quint16 format = 0; // index into PreparedReport::formats
    Kind kind = Kind::Text;

    QRectF rect() const { return QRectF(left, top, width, height); }
};

struct PreparedPage {
    QList<PreparedItem> items;
};

// Where a text was found: page and item index.
struct ReportTextPosition {
    int page = -1;
    int item = -1;
    bool isValid() const { return page >= 0; }
};

// A report laid out on pages, ready to show, print and export.
class PreparedReport
{
public:
    QString name;
    QString title; // what the user knows the report by; may be empty
    ReportPageSetup page;
    QLocale locale;
    QString dateFormat;
    QList<ReportStyle> styles;
    QList<ReportFormat> formats;
    QList<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    qsizetype itemCount() const;
    QString itemText(const PreparedItem& item) const;

    // The next item after `after` whose text contains `text`, regardless of case; searching
    // wraps around to the first page.
    ReportTextPosition find(const QString& text, ReportTextPosition after = {}) const;
};
