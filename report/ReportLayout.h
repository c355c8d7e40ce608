#pragma once

#include "report/ReportExpression.h"
#include "report/ReportFormat.h"
#include "report/ReportStyle.h"
#include "report/ReportText.h"

#include <QList>
#include <QMarginsF>
#include <QString>
#include <QStringList>
#include <vector>

// A report layout as read from its data file. Lengths are millimetres; names of bands and
// data sets are kept in lower case.

struct ReportPageSetup {
    double width = 210; // across the page as printed
    double height = 297;
    QMarginsF margins;
};

struct ReportCell {
    double left = 0; // from the left margin
    double top = 0;  // from the band's top
    double width = 0;
    double height = 0;
    ReportText text;
    ReportFormat format;
    ReportStyle style;
};

struct ReportNamedValue {
    QString name;
    ReportExpression expression;
};

struct ReportGroup;

struct ReportBand {
    // Title, Header and Summary print once where they stand; a Data band once per row.
    enum class Type { Title, Header, Summary, Data, GroupHeader, GroupFooter };

    Type type = Type::Title;
    QString name;
    double height = 0;
    QList<ReportCell> cells;

    // Data bands only.
    QString dataSet;
    QStringList details;             // data sets re-read for every row of dataSet
    QList<ReportNamedValue> values;  // per-row values the cells and hideWhen may name
    ReportExpression hideWhen;       // when true the row keeps its place but shows nothing
    std::vector<ReportGroup> groups; // outermost first
};

// A group of a data band's rows: a new group starts wherever condition changes value.
struct ReportGroup {
    ReportExpression condition;
    ReportBand header;
    ReportBand footer;
};

struct ReportLayout {
    QString name;
    QString title; // names the report to the user; see ReportLayoutReader
    ReportPageSetup page;
    QList<ReportBand> bands;
};
