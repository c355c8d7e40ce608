#pragma once

#include "report/ReportExpression.h"

#include <QList>
#include <QString>

// A cell's text: literal text with expressions in square brackets, as in
// "Sales Name : [krt.SALESMANNAME]" or "[Date] - [Time]". "[[" stands for a literal "[".
class ReportText
{
public:
    struct Part {
        QString literal; // when expression is null
        ReportExpression expression;
    };

    ReportText() = default;
    static ReportText parse(const QString& text, QString* error);

    const QList<Part>& parts() const { return m_parts; }
    bool isLiteral() const;
    // The whole text is one expression, so its value keeps its type (number, date).
    bool isSingleExpression() const;

    QList<ReportFieldRef> fields() const;
    QStringList names() const;
    QList<ReportAggregate> aggregates() const;

private:
    QList<Part> m_parts;
};
