#include "stock/StockSettings.h"

#include "stock/StockViewRules.h"

namespace
{

const QString kKeySource = QStringLiteral("DbAktif");
const QString kKeySort = QStringLiteral("Sortby");
const QString kKeyCode = QStringLiteral("Kode");
const QString kKeyFilter = QStringLiteral("Filter");

const QString kValueAll = QStringLiteral("ALL");
const QString kValueDescription = QStringLiteral("Deskripsi");
const QString kValueCode = QStringLiteral("Kode");
const QString kValueType = QStringLiteral("Tipe");

QString sourceValue(StockSource source)
{
    switch (source) {
    case StockSource::KrtOnly:
        return kSourceCaptionKrt;
    case StockSource::OldStock:
        return kSourceCaptionOld;
    case StockSource::AllCompanies:
        break;
    }
    return kValueAll;
}

} // namespace

QList<QPair<QString, QString>> StockSettings::values() const
{
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < kStoredSwitches; ++i)
        out.append({kSwitchKeys[i], ticks[i] ? QStringLiteral("1") : QStringLiteral("0")});
    out.append({kKeySource, sourceValue(source)});
    out.append({kKeySort, sortEntry == 0 ? kValueDescription : kValueCode});
    out.append({kKeyCode, codeEntry == 2   ? QStringLiteral("2")
                          : codeEntry == 1 ? QStringLiteral("1")
                                           : QStringLiteral("0")});
    QString filter = kValueCode;
    if (filterKind == kFilterDescription)
        filter = kValueDescription;
    else if (filterKind == kFilterType)
        filter = kValueType;
    out.append({kKeyFilter, filter});
    return out;
}

StockSettingsRestore restoreStockSettings(const std::function<QString(const QString&)>& read)
{
    StockSettingsRestore r;
    for (int i = 0; i < kStoredSwitches; ++i) {
        // Only the value that turns a switch away from its default counts.
        const QString value = read(kSwitchKeys[i]);
        if (kSwitchDefaults[i] && value == QLatin1String("0"))
            r.ticks[i] = false;
        else if (!kSwitchDefaults[i] && value == QLatin1String("1"))
            r.ticks[i] = true;
    }

    const QString source = read(kKeySource);
    if (source == kSourceCaptionKrt)
        r.source = StockSource::KrtOnly;
    else if (source == kSourceCaptionOld)
        r.source = StockSource::OldStock;

    if (read(kKeySort) == kValueCode)
        r.sortEntry = 1;

    const QString filter = read(kKeyFilter);
    if (filter == kValueCode)
        r.filterKind = QString(kFilterCode);
    else if (filter == kValueType)
        r.filterKind = QString(kFilterType);

    const QString code = read(kKeyCode);
    r.codeEntry = code == QLatin1String("1") ? 1 : code == QLatin1String("2") ? 2 : 0;
    r.codeClass = codeClassForEntry(r.codeEntry);
    return r;
}
