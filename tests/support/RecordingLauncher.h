#pragma once

#include "platform/FileLauncher.h"

#include <QFile>
#include <QList>
#include <QStringList>

// Remembers every file it was asked to open, and what the file held then; opens none.
class RecordingLauncher : public FileLauncher
{
public:
    bool launch(const QString& path) override
    {
        launched << path;
        QFile file(path);
        contents << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        return true;
    }
    QStringList launched;
    QList<QByteArray> contents; // empty for a missing file
};
