#pragma once

#include <QChar>
#include <QString>

// A text as one SQL string literal: quote, the text with every quote doubled, quote.
// Whatever the text holds, the database reads it back as exactly that text.
QString sqlQuoted(const QString& text, QChar quote = QLatin1Char('\''));
