#pragma once

#include "report/ReportLayout.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reads report layouts from their JSON data files and checks that every name they use
// (bands, data sets, named values) is defined, so a faulty layout fails when it is loaded.
// The title is the file's "title", else the first plain text of the title band.
class ReportLayoutReader
{
public:
    // A layout a feature compiles into the program under :/layouts/<name>.json.
    static std::optional<ReportLayout> fromResource(const QString& name, QString* error = nullptr);
    static std::optional<ReportLayout> fromFile(const QString& fileName, QString* error = nullptr);
    static std::optional<ReportLayout> fromJson(const QByteArray& json, QString* error = nullptr);
};
