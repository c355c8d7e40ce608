#include "cli/LookupTable.h"

#include "data/Decimal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace
{

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return true;
    default:
        return v.metaType() == QMetaType::fromType<Decimal>();
    }
}

QString numberText(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toString();
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    return QString::number(v.toLongLong());
}

QString plainText(const QVariant& v)
{
    if (v.isNull())
        return {};
    return isNumber(v) ? numberText(v) : v.toString();
}

QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
    for (const QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString body = text;
    body.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + body + QLatin1Char('"');
}

QString jsonString(const QString& text)
{
    // A one-element array lets QJsonDocument do the escaping: "[\"...\"]".
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

QByteArray tableText(const LookupTable& table)
{
    const int columns = int(table.titles.size());
    QVector<int> widths(columns);
    QVector<bool> numeric(columns, false);
    for (int c = 0; c < columns; ++c)
        widths[c] = int(table.titles[c].size());
    for (const auto& row : table.rows) {
        for (int c = 0; c < columns; ++c) {
            widths[c] = std::max(widths[c], int(plainText(row.value(c)).size()));
            numeric[c] = numeric[c] || isNumber(row.value(c));
        }
    }
    auto line = [&](const QStringList& cells) {
        QString out;
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out += QStringLiteral("  ");
            out += numeric[c] ? cells[c].rightJustified(widths[c])
                              : cells[c].leftJustified(c + 1 < columns ? widths[c] : 0);
        }
        return out + QLatin1Char('\n');
    };
    QString out = line(table.titles);
    QStringList rule;
    for (int c = 0; c < columns; ++c)
        rule << QString(widths[c], QLatin1Char('-'));
    out += line(rule);
    for (const auto& row : table.rows) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << plainText(row.value(c));
        out += line(cells);
    }
    return out.toUtf8();
}

QByteArray csvText(const LookupTable& table)
{
    QString out;
    QStringList header;
    for (const QString& title : table.titles)
        header << csvField(title);
    out += header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const auto& row : table.rows) {
        QStringList cells;
        for (int c = 0; c < table.titles.size(); ++c)
            cells << csvField(plainText(row.value(c)));
        out += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QByteArray jsonText(const LookupTable& table)
{
    // Written by hand to keep the columns in grid order and the numbers exact.
    QString out = QStringLiteral("[");
    for (int r = 0; r < table.rows.size(); ++r) {
        out += r == 0 ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
        for (int c = 0; c < table.titles.size(); ++c) {
            const QVariant v = table.rows[r].value(c);
            if (c > 0)
                out += QStringLiteral(", ");
            out += jsonString(table.titles[c]) + QStringLiteral(": ");
            out += v.isNull()    ? QStringLiteral("null")
                   : isNumber(v) ? numberText(v)
                                 : jsonString(v.toString());
        }
        out += QLatin1Char('}');
    }
    out += table.rows.isEmpty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out.toUtf8();
}
