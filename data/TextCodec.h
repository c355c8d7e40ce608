#pragma once

#include <QByteArray>
#include <QString>

// Encodes and decodes text in the connection character set. WIN1252 is done here
// because Qt's own converters know only UTF and Latin-1.
class TextCodec
{
public:
    explicit TextCodec(const QString& charset = QStringLiteral("WIN1252"));
    QString decode(const char* data, int size) const;
    QByteArray encode(const QString& text) const;
    // The first character the character set cannot hold (encode writes "?" for it);
    // a null QChar when every character fits.
    QChar firstUnencodable(const QString& text) const;

private:
    enum class Kind { Win1252, Utf8, Latin1 } m_kind;
};
