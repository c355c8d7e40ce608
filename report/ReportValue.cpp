#include "report/ReportValue.h"

#include <QDateTime>

ReportValueKind reportValueKind(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return ReportValueKind::Empty;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        return ReportValueKind::Text;
    case QMetaType::QDate:
        return ReportValueKind::Date;
    case QMetaType::QDateTime:
        return ReportValueKind::DateTime;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return ReportValueKind::Number;
    default:
        break;
    }
    if (QMetaType::canConvert(value.metaType(), QMetaType::fromType<double>()))
        return ReportValueKind::Number;
    return ReportValueKind::Text;
}

double reportNumber(const QVariant& value)
{
    switch (reportValueKind(value)) {
    case ReportValueKind::Number:
        return value.toDouble();
    case ReportValueKind::Text: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok ? number : 0.0;
    }
    default:
        return 0.0;
    }
}

double reportSerialDate(const QDateTime& value)
{
    static constexpr qint64 serialEpochJulianDay = 2415019; // 1899-12-30
    const double day = double(value.date().toJulianDay() - serialEpochJulianDay);
    return day + value.time().msecsSinceStartOfDay() / 86400000.0;
}
