#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// An INI file as Windows programs keep it: sections and keys matched without regard to
// case, the first of duplicate keys wins, unreadable lines are carried along untouched.
class IniFile
{
public:
    // Reads the file once, here; a missing file reads as empty.
    explicit IniFile(const QString& path);

    const QString& path() const { return m_path; }
    // Missing file, section or key reads as empty text.
    QString read(const QString& section, const QString& key) const;
    // Sets the keys in one section, keeping every other section, key and their order.
    // Written through a temporary file and a rename, so an interrupted write leaves the
    // old file whole; where the folder takes no new file, the existing file is rewritten in
    // place. Returns the error text ("Unable to write to <path>") or empty text.
    QString write(const QString& section, const QList<QPair<QString, QString>>& values) const;

private:
    QStringList lines() const;
    bool hasUtf8Bom() const;
    QString m_path;
    QStringList m_lines;
};
