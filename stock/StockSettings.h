#pragma once

#include "stock/StockStatements.h"

#include <QLatin1String>
#include <QList>
#include <QPair>
#include <QString>
#include <array>
#include <functional>
#include <optional>

inline constexpr QLatin1String kSettingsSection{"Config"};

// The ten column switches that Config.ini keeps, in the order of their keys.
inline constexpr int kStoredSwitches = 10;
inline constexpr std::array<QLatin1String, kStoredSwitches> kSwitchKeys{
    QLatin1String("LTC"),      QLatin1String("MEZANINE"), QLatin1String("RAK"),
    QLatin1String("BOOKING"),  QLatin1String("ONORDER"),  QLatin1String("PEC"),
    QLatin1String("PRODUKSI"), QLatin1String("WIP"),      QLatin1String("ONSO"),
    QLatin1String("IR")};
// The slot of a switch's key in kSwitchKeys; -1 when Config.ini does not keep it.
inline int storedSwitchSlot(QLatin1String key)
{
    for (int i = 0; i < kStoredSwitches; ++i)
        if (kSwitchKeys[i] == key)
            return i;
    return -1;
}
// Ticked before anything is restored: the first five.
inline constexpr std::array<bool, kStoredSwitches> kSwitchDefaults{
    true, true, true, true, true, false, false, false, false, false};

// The states of the stock view's setting controls that Config.ini keeps.
struct StockSettings {
    std::array<bool, kStoredSwitches> ticks = kSwitchDefaults;
    StockSource source = StockSource::AllCompanies;
    int sortEntry = 0;  // of the sort list, -1 when none is selected
    int codeEntry = 0;  // of the code class list
    QString filterKind; // text of the filter kind list

    // The fourteen keys and values, in the order they are written.
    QList<QPair<QString, QString>> values() const;
};

// What a restore changes; an unset member leaves its control as it is.
struct StockSettingsRestore {
    std::array<std::optional<bool>, kStoredSwitches> ticks;
    std::optional<StockSource> source;
    std::optional<int> sortEntry;
    std::optional<QString> filterKind;
    int codeEntry = 0; // the code class is always set
    QString codeClass;
};

// Reads the keys through `read` (missing keys read as empty text).
StockSettingsRestore restoreStockSettings(const std::function<QString(const QString&)>& read);
