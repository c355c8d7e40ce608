#include "data/SqlText.h"

QString sqlQuoted(const QString& text, QChar quote)
{
    QString result;
    result.reserve(text.size() + 2);
    result += quote;
    for (const QChar c : text) {
        result += c;
        if (c == quote)
            result += quote;
    }
    result += quote;
    return result;
}
