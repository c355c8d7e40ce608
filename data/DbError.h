#pragma once

#include <QString>
#include <stdexcept>

// A failure of the database layer; the text is the server's own message where there is one.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message, bool connectionLost = false)
        : std::runtime_error(message.toStdString()), m_message(message),
          m_connectionLost(connectionLost)
    {
    }
    QString message() const { return m_message; }
    bool connectionLost() const { return m_connectionLost; }

private:
    QString m_message;
    bool m_connectionLost;
};
