#include "report/ReportText.h"

ReportText ReportText::parse(const QString& text, QString* error)
{
    ReportText out;
    QString literal;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('[')) {
            literal += c;
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('[')) {
            literal += c;
            i += 2;
            continue;
        }
        qsizetype end = i + 1;
        QChar quote;
        while (end < text.size()) {
            const QChar d = text.at(end);
            if (!quote.isNull()) {
                if (d == quote)
                    quote = QChar();
            } else if (d == QLatin1Char('\'') || d == QLatin1Char('"')) {
                quote = d;
            } else if (d == QLatin1Char(']')) {
                break;
            }
            ++end;
        }
        if (end >= text.size()) {
            if (error)
                *error = QStringLiteral("missing \"]\" in \"%1\"").arg(text);
            return {};
        }
        QString expressionError;
        const ReportExpression expression =
            ReportExpression::parse(text.mid(i + 1, end - i - 1), &expressionError);
        if (expression.isNull()) {
            if (error)
                *error = expressionError;
            return {};
        }
        if (!literal.isEmpty())
            out.m_parts.append({literal, {}});
        literal.clear();
        out.m_parts.append({{}, expression});
        i = end + 1;
    }
    if (!literal.isEmpty())
        out.m_parts.append({literal, {}});
    if (error)
        error->clear();
    return out;
}

bool ReportText::isLiteral() const
{
    for (const Part& part : m_parts)
        if (!part.expression.isNull())
            return false;
    return true;
}

bool ReportText::isSingleExpression() const
{
    return m_parts.size() == 1 && !m_parts.first().expression.isNull();
}

QList<ReportFieldRef> ReportText::fields() const
{
    QList<ReportFieldRef> out;
    for (const Part& part : m_parts)
        for (const ReportFieldRef& ref : part.expression.fields())
            if (!out.contains(ref))
                out.append(ref);
    return out;
}

QStringList ReportText::names() const
{
    QStringList out;
    for (const Part& part : m_parts)
        for (const QString& name : part.expression.names())
            if (!out.contains(name))
                out.append(name);
    return out;
}

QList<ReportAggregate> ReportText::aggregates() const
{
    QList<ReportAggregate> out;
    for (const Part& part : m_parts)
        out += part.expression.aggregates();
    return out;
}
