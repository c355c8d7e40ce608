#include "report/ReportStyle.h"

#include <QHash>

bool ReportStyle::operator==(const ReportStyle& other) const
{
    return fontFamily == other.fontFamily && fontSize == other.fontSize && bold == other.bold &&
           italic == other.italic && color == other.color && fill == other.fill &&
           frame == other.frame && frameWidth == other.frameWidth && alignment == other.alignment &&
           wordWrap == other.wordWrap;
}

int ReportStyle::frameFromText(const QString& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
        return AllSides;
    int frame = NoFrame;
    for (const QChar c : text) {
        switch (c.toUpper().unicode()) {
        case 'L':
            frame |= Left;
            break;
        case 'T':
            frame |= Top;
            break;
        case 'R':
            frame |= Right;
            break;
        case 'B':
            frame |= Bottom;
            break;
        default:
            if (ok)
                *ok = false;
        }
    }
    return frame;
}

size_t qHash(const ReportStyle& style, size_t seed)
{
    return qHashMulti(seed, style.fontFamily, style.fontSize, style.bold, style.italic,
                      style.color.rgba(), style.fill.isValid() ? style.fill.rgba() : 0u,
                      style.frame, style.frameWidth, int(style.alignment), style.wordWrap);
}
