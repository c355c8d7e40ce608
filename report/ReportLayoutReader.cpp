#include "report/ReportLayoutReader.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace
{

const QStringList builtinNames = {QStringLiteral("date"), QStringLiteral("time"),
                                  QStringLiteral("page")};

QString titleBandText(const ReportLayout& layout)
{
    for (const ReportBand& band : layout.bands) {
        if (band.type != ReportBand::Type::Title)
            continue;
        for (const ReportCell& cell : band.cells) {
            if (!cell.text.isLiteral())
                continue;
            QString text;
            for (const ReportText::Part& part : cell.text.parts())
                text += part.literal;
            if (!text.trimmed().isEmpty())
                return text.trimmed();
        }
    }
    return {};
}

class Reader
{
public:
    std::optional<ReportLayout> read(const QJsonObject& root)
    {
        ReportLayout layout;
        layout.name = root.value(QLatin1String("name")).toString();
        if (!readPage(root.value(QLatin1String("page")).toObject(), layout.page))
            return std::nullopt;
        const QJsonObject styles = root.value(QLatin1String("styles")).toObject();
        for (auto it = styles.begin(); it != styles.end(); ++it) {
            ReportStyle style;
            if (!applyStyle(it.value().toObject(), style, QStringLiteral("style ") + it.key()))
                return std::nullopt;
            m_styles.insert(it.key(), style);
        }
        const QJsonArray bands = root.value(QLatin1String("bands")).toArray();
        for (qsizetype i = 0; i < bands.size(); ++i) {
            ReportBand band;
            if (!readBand(bands.at(i).toObject(), band, QStringLiteral("band %1").arg(i + 1)))
                return std::nullopt;
            layout.bands.append(std::move(band));
        }
        if (!check(layout))
            return std::nullopt;
        layout.title = root.value(QLatin1String("title")).toString();
        if (layout.title.isEmpty())
            layout.title = titleBandText(layout);
        return layout;
    }

    QString error;

private:
    bool fail(const QString& message)
    {
        if (error.isEmpty())
            error = message;
        return false;
    }

    static bool readNumber(const QJsonObject& object, const char* key, double* out)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            return true;
        if (!value.isDouble())
            return false;
        *out = value.toDouble();
        return true;
    }

    bool readPage(const QJsonObject& page, ReportPageSetup& out)
    {
        if (!readNumber(page, "width", &out.width) || !readNumber(page, "height", &out.height) ||
            out.width <= 0 || out.height <= 0)
            return fail(QStringLiteral("page: width and height must be positive numbers"));
        const QJsonValue margins = page.value(QLatin1String("margins"));
        if (margins.isDouble()) {
            const double m = margins.toDouble();
            out.margins = QMarginsF(m, m, m, m);
        } else if (margins.isObject()) {
            const QJsonObject m = margins.toObject();
            double left = 0, top = 0, right = 0, bottom = 0;
            if (!readNumber(m, "left", &left) || !readNumber(m, "top", &top) ||
                !readNumber(m, "right", &right) || !readNumber(m, "bottom", &bottom))
                return fail(QStringLiteral("page: margins must be numbers"));
            out.margins = QMarginsF(left, top, right, bottom);
        } else if (!margins.isUndefined()) {
            return fail(QStringLiteral("page: margins must be a number or an object"));
        }
        if (out.margins.left() + out.margins.right() >= out.width ||
            out.margins.top() + out.margins.bottom() >= out.height)
            return fail(QStringLiteral("page: the margins leave no room"));
        return true;
    }

    bool applyStyle(const QJsonObject& object, ReportStyle& style, const QString& where)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString key = it.key();
            const QJsonValue value = it.value();
            bool ok = true;
            if (key == QLatin1String("font")) {
                style.fontFamily = value.toString();
                ok = value.isString();
            } else if (key == QLatin1String("size")) {
                style.fontSize = value.toDouble();
                ok = value.isDouble() && style.fontSize > 0;
            } else if (key == QLatin1String("bold")) {
                style.bold = value.toBool();
                ok = value.isBool();
            } else if (key == QLatin1String("italic")) {
                style.italic = value.toBool();
                ok = value.isBool();
            } else if (key == QLatin1String("color") || key == QLatin1String("fill")) {
                const QColor color = QColor::fromString(value.toString());
                ok = value.isString() && color.isValid();
                (key == QLatin1String("color") ? style.color : style.fill) = color;
            } else if (key == QLatin1String("frame")) {
                style.frame = ReportStyle::frameFromText(value.toString(), &ok);
                ok = ok && value.isString();
            } else if (key == QLatin1String("frameWidth")) {
                style.frameWidth = value.toDouble();
                ok = value.isDouble() && style.frameWidth >= 0;
            } else if (key == QLatin1String("halign")) {
                const QString text = value.toString();
                const Qt::Alignment h = text == QLatin1String("left")     ? Qt::AlignLeft
                                        : text == QLatin1String("center") ? Qt::AlignHCenter
                                        : text == QLatin1String("right")  ? Qt::AlignRight
                                                                          : Qt::Alignment();
                ok = h != Qt::Alignment();
                style.alignment = (style.alignment & Qt::AlignVertical_Mask) | h;
            } else if (key == QLatin1String("valign")) {
                const QString text = value.toString();
                const Qt::Alignment v = text == QLatin1String("top")      ? Qt::AlignTop
                                        : text == QLatin1String("center") ? Qt::AlignVCenter
                                        : text == QLatin1String("bottom") ? Qt::AlignBottom
                                                                          : Qt::Alignment();
                ok = v != Qt::Alignment();
                style.alignment = (style.alignment & Qt::AlignHorizontal_Mask) | v;
            } else if (key == QLatin1String("wrap")) {
                style.wordWrap = value.toBool();
                ok = value.isBool();
            }
            if (!ok)
                return fail(QStringLiteral("%1: bad value for \"%2\"").arg(where, key));
        }
        return true;
    }

    bool readCell(const QJsonObject& object, double bandHeight, ReportCell& cell,
                  const QString& where)
    {
        cell.height = -1;
        if (!readNumber(object, "left", &cell.left) || !readNumber(object, "top", &cell.top) ||
            !readNumber(object, "width", &cell.width) ||
            !readNumber(object, "height", &cell.height))
            return fail(where + QStringLiteral(": positions must be numbers"));
        if (cell.height < 0)
            cell.height = bandHeight - cell.top;
        if (cell.width <= 0 || cell.height <= 0)
            return fail(where + QStringLiteral(": a cell needs a width and a height"));
        const QString styleName = object.value(QLatin1String("style")).toString();
        if (!styleName.isEmpty()) {
            if (!m_styles.contains(styleName))
                return fail(QStringLiteral("%1: unknown style \"%2\"").arg(where, styleName));
            cell.style = m_styles.value(styleName);
        }
        if (!applyStyle(object, cell.style, where))
            return false;
        QString textError;
        cell.text = ReportText::parse(object.value(QLatin1String("text")).toString(), &textError);
        if (!textError.isEmpty())
            return fail(where + QStringLiteral(": ") + textError);
        cell.format = ReportFormat(object.value(QLatin1String("format")).toString());
        return true;
    }

    bool readCells(const QJsonObject& object, ReportBand& band, const QString& where)
    {
        if (!readNumber(object, "height", &band.height) || band.height <= 0)
            return fail(where + QStringLiteral(": a band needs a positive height"));
        const QJsonArray cells = object.value(QLatin1String("cells")).toArray();
        for (qsizetype i = 0; i < cells.size(); ++i) {
            ReportCell cell;
            if (!readCell(cells.at(i).toObject(), band.height, cell,
                          QStringLiteral("%1, cell %2").arg(where).arg(i + 1)))
                return false;
            band.cells.append(std::move(cell));
        }
        return true;
    }

    ReportExpression expression(const QJsonValue& value, const QString& where)
    {
        QString parseError;
        ReportExpression out = ReportExpression::parse(value.toString(), &parseError);
        if (out.isNull())
            fail(where + QStringLiteral(": ") + parseError);
        return out;
    }

    bool readBand(const QJsonObject& object, ReportBand& band, const QString& where)
    {
        static const QHash<QString, ReportBand::Type> types = {
            {QStringLiteral("title"), ReportBand::Type::Title},
            {QStringLiteral("header"), ReportBand::Type::Header},
            {QStringLiteral("summary"), ReportBand::Type::Summary},
            {QStringLiteral("data"), ReportBand::Type::Data}};
        const QString type = object.value(QLatin1String("type")).toString();
        if (!types.contains(type))
            return fail(QStringLiteral("%1: unknown type \"%2\"").arg(where, type));
        band.type = types.value(type);
        band.name = object.value(QLatin1String("name")).toString().toLower();
        if (!readCells(object, band, where))
            return false;
        if (band.type != ReportBand::Type::Data)
            return true;

        band.dataSet = object.value(QLatin1String("dataSet")).toString().toLower();
        if (band.dataSet.isEmpty())
            return fail(where + QStringLiteral(": a data band needs a dataSet"));
        if (band.name.isEmpty())
            band.name = band.dataSet;
        for (const QJsonValue& detail : object.value(QLatin1String("details")).toArray())
            band.details.append(detail.toString().toLower());
        for (const QJsonValue& entry : object.value(QLatin1String("values")).toArray()) {
            const QJsonObject value = entry.toObject();
            const QString name = value.value(QLatin1String("name")).toString().toLower();
            if (name.isEmpty())
                return fail(where + QStringLiteral(": a value needs a name"));
            ReportExpression expr = expression(value.value(QLatin1String("expr")),
                                               QStringLiteral("%1, value %2").arg(where, name));
            if (expr.isNull())
                return false;
            band.values.append({name, expr});
        }
        if (object.contains(QLatin1String("hideWhen"))) {
            band.hideWhen = expression(object.value(QLatin1String("hideWhen")),
                                       where + QStringLiteral(", hideWhen"));
            if (band.hideWhen.isNull())
                return false;
        }
        const QJsonArray groups = object.value(QLatin1String("groups")).toArray();
        for (qsizetype i = 0; i < groups.size(); ++i) {
            const QJsonObject g = groups.at(i).toObject();
            const QString groupWhere = QStringLiteral("%1, group %2").arg(where).arg(i + 1);
            ReportGroup group;
            group.condition = expression(g.value(QLatin1String("condition")),
                                         groupWhere + QStringLiteral(", condition"));
            if (group.condition.isNull())
                return false;
            group.header.type = ReportBand::Type::GroupHeader;
            group.footer.type = ReportBand::Type::GroupFooter;
            for (auto [key, part] :
                 {std::pair{"header", &group.header}, std::pair{"footer", &group.footer}}) {
                if (!g.contains(QLatin1String(key)))
                    continue;
                if (!readCells(g.value(QLatin1String(key)).toObject(), *part,
                               groupWhere + QStringLiteral(", ") + QLatin1String(key)))
                    return false;
            }
            band.groups.push_back(std::move(group));
        }
        return true;
    }

    // Every name used must be defined: data sets by data bands, SUM bands by data band names,
    // unqualified names by the band's earlier named values or the built-ins.
    bool check(const ReportLayout& layout)
    {
        QSet<QString> dataSets, dataBands;
        for (const ReportBand& band : layout.bands) {
            if (band.type != ReportBand::Type::Data)
                continue;
            if (dataBands.contains(band.name))
                return fail(QStringLiteral("two data bands are named \"%1\"").arg(band.name));
            dataBands.insert(band.name);
            dataSets.insert(band.dataSet);
            for (const QString& detail : band.details)
                dataSets.insert(detail);
        }
        for (const ReportBand& band : layout.bands) {
            const QString where = band.name.isEmpty() ? QStringLiteral("a band")
                                                      : QStringLiteral("band ") + band.name;
            QStringList known = builtinNames;
            for (const ReportNamedValue& value : band.values) {
                if (!checkNames(value.expression.names(), known, where) ||
                    !checkRefs(value.expression.fields(), value.expression.aggregates(), dataSets,
                               dataBands, where))
                    return false;
                known.append(value.name);
            }
            QList<const ReportBand*> parts = {&band};
            for (const ReportGroup& group : band.groups) {
                parts << &group.header << &group.footer;
                if (!checkNames(group.condition.names(), known, where) ||
                    !checkRefs(group.condition.fields(), {}, dataSets, dataBands, where))
                    return false;
            }
            if (!checkNames(band.hideWhen.names(), known, where) ||
                !checkRefs(band.hideWhen.fields(), {}, dataSets, dataBands, where))
                return false;
            for (const ReportBand* part : parts)
                for (const ReportCell& cell : part->cells)
                    if (!checkNames(cell.text.names(), known, where) ||
                        !checkRefs(cell.text.fields(), cell.text.aggregates(), dataSets, dataBands,
                                   where))
                        return false;
        }
        return true;
    }

    bool checkNames(const QStringList& names, const QStringList& known, const QString& where)
    {
        for (const QString& name : names)
            if (!known.contains(name))
                return fail(QStringLiteral("%1: unknown name \"%2\"").arg(where, name));
        return true;
    }

    bool checkRefs(const QList<ReportFieldRef>& fields, const QList<ReportAggregate>& aggregates,
                   const QSet<QString>& dataSets, const QSet<QString>& dataBands,
                   const QString& where)
    {
        for (const ReportFieldRef& ref : fields)
            if (!dataSets.contains(ref.dataSet))
                return fail(QStringLiteral("%1: unknown data set \"%2\"").arg(where, ref.dataSet));
        for (const ReportAggregate& aggregate : aggregates)
            if (!dataBands.contains(aggregate.band))
                return fail(
                    QStringLiteral("%1: SUM over unknown band \"%2\"").arg(where, aggregate.band));
        return true;
    }

    QHash<QString, ReportStyle> m_styles;
};

} // namespace

std::optional<ReportLayout> ReportLayoutReader::fromResource(const QString& name, QString* error)
{
    return fromFile(QStringLiteral(":/layouts/%1.json").arg(name), error);
}

std::optional<ReportLayout> ReportLayoutReader::fromFile(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return std::nullopt;
    }
    std::optional<ReportLayout> layout = fromJson(file.readAll(), error);
    if (!layout && error)
        *error = QStringLiteral("%1: %2").arg(fileName, *error);
    return layout;
}

std::optional<ReportLayout> ReportLayoutReader::fromJson(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError
                         ? QStringLiteral("%1 at offset %2")
                               .arg(parseError.errorString())
                               .arg(parseError.offset)
                         : QStringLiteral("a layout must be a JSON object");
        return std::nullopt;
    }
    Reader reader;
    std::optional<ReportLayout> layout = reader.read(document.object());
    if (error)
        *error = reader.error;
    return layout;
}
