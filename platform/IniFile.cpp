#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool sectionName(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool keyValue(const QString& line, QString* key, QString* value)
{
    const int eq = int(line.indexOf(QLatin1Char('=')));
    if (eq <= 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

} // namespace

IniFile::IniFile(const QString& path) : m_path(path), m_lines(lines()) {}

bool IniFile::hasUtf8Bom() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) && file.read(3) == kUtf8Bom;
}

QStringList IniFile::lines() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    // An editor may have saved the file as UTF-8 with a byte order mark, which the local
    // code page would read as letters in front of the first section.
    const QString text = bytes.startsWith(kUtf8Bom) ? QString::fromUtf8(bytes.mid(3))
                                                    : QString::fromLocal8Bit(bytes);
    QStringList out = text.split(QLatin1Char('\n'));
    for (QString& l : out)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QString IniFile::read(const QString& section, const QString& key) const
{
    bool inSection = false;
    QString name, k, v;
    for (const QString& line : m_lines) {
        if (sectionName(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyValue(line, &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return {};
}

QString IniFile::write(const QString& section, const QList<QPair<QString, QString>>& values) const
{
    // Afresh: another program may have changed the file since it was read.
    QStringList out = lines();
    QString name, k, v;
    for (const auto& [key, value] : values) {
        int sectionStart = -1;
        int sectionEnd = int(out.size());
        int found = -1;
        for (int i = 0; i < out.size(); ++i) {
            if (sectionName(out[i], &name)) {
                if (sectionStart >= 0) {
                    sectionEnd = i;
                    break;
                }
                if (name.compare(section, Qt::CaseInsensitive) == 0)
                    sectionStart = i;
                continue;
            }
            if (sectionStart >= 0 && found < 0 && keyValue(out[i], &k, &v) &&
                k.compare(key, Qt::CaseInsensitive) == 0)
                found = i;
        }
        const QString line = key + QLatin1Char('=') + value;
        if (found >= 0) {
            out[found] = line;
        } else if (sectionStart >= 0) {
            // After the section's last key, before any blank lines that end it.
            int at = sectionEnd;
            while (at - 1 > sectionStart && out[at - 1].trimmed().isEmpty())
                --at;
            out.insert(at, line);
        } else {
            if (!out.isEmpty() && !out.last().trimmed().isEmpty())
                out << QString();
            out << QLatin1Char('[') + section + QLatin1Char(']') << line;
        }
    }
    const QString failure =
        QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(m_path));
    // Written back in the encoding it was read in.
    const QString text = out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray bytes = hasUtf8Bom() ? kUtf8Bom + text.toUtf8() : text.toLocal8Bit();
    // The user's configuration folder may not exist before the first save.
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly))
        return file.write(bytes) == bytes.size() && file.commit() ? QString() : failure;
    // A folder closed to the user (a program installed in a system folder) may still hold a
    // writable file: write it in place, without the safety of the rename.
    QFile inPlace(m_path);
    if (!inPlace.exists() || !inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failure;
    if (inPlace.write(bytes) != bytes.size() || !inPlace.flush())
        return failure;
    return {};
}
