#include "data/TextCodec.h"

namespace
{
// Code points of bytes 0x80..0x9F in Windows-1252; 0 where the byte is unassigned.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

TextCodec::TextCodec(const QString& charset)
{
    const QString cs = charset.toUpper();
    if (cs == QLatin1String("UTF8") || cs == QLatin1String("UNICODE_FSS"))
        m_kind = Kind::Utf8;
    else if (cs == QLatin1String("WIN1252"))
        m_kind = Kind::Win1252;
    else
        m_kind = Kind::Latin1;
}

QString TextCodec::decode(const char* data, int size) const
{
    if (m_kind == Kind::Utf8)
        return QString::fromUtf8(data, size);
    QString out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        char16_t c = b;
        if (m_kind == Kind::Win1252 && b >= 0x80 && b < 0xA0 && kHigh[b - 0x80])
            c = kHigh[b - 0x80];
        out[i] = QChar(c);
    }
    return out;
}

QByteArray TextCodec::encode(const QString& text) const
{
    if (m_kind == Kind::Utf8)
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c < 0x100) || (m_kind == Kind::Latin1 && c < 0x100)) {
            b = char(c);
        } else if (m_kind == Kind::Win1252) {
            for (int i = 0; i < 32; ++i)
                if (kHigh[i] == c && c)
                    b = char(0x80 + i);
        }
        out.append(b);
    }
    return out;
}

QChar TextCodec::firstUnencodable(const QString& text) const
{
    if (m_kind == Kind::Utf8)
        return {};
    for (const QChar c : text)
        if (c != QLatin1Char('?') && encode(QString(c)) == "?")
            return c;
    return {};
}
