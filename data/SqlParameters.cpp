#include "data/SqlParameters.h"

namespace
{
bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
} // namespace

ParsedSql parseNamedParameters(const QString& sql)
{
    ParsedSql out;
    out.text.reserve(sql.size());
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside stays inside the literal.
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out.text += sql.mid(i, j - i + 1);
            i = j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            int j = int(sql.indexOf(QLatin1Char('\n'), i));
            if (j < 0)
                j = n;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            int j = int(sql.indexOf(QLatin1String("*/"), i + 2));
            j = j < 0 ? n : j + 2;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql[i + 1]) &&
                   (i == 0 || !isNameChar(sql[i - 1]))) {
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            out.names << sql.mid(i + 1, j - i - 1).toUpper();
            out.text += QLatin1Char('?');
            i = j;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}
