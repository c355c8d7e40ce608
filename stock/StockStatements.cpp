#include "stock/StockStatements.h"

#include "data/SqlText.h"

namespace
{

// Warehouses in the order of the select list: column stem, warehouse number, table alias.
struct Warehouse {
    const char* stem;
    int number;
    const char* alias;
};

constexpr Warehouse kWarehouses[] = {
    {"KAPUK", 0, "a0"}, {"LTC", 1, "a1"},      {"MEZANINE", 2, "a2"}, {"BOOKING", 3, "a3"},
    {"PEC", 5, "a5"},   {"PRODUKSI", 6, "a6"}, {"WIP", 11, "a7"},     {"RAK", 4, "a4"},
};

// The quote text opens and closes the literal; inside, each occurrence of it is doubled.
QString literal(const QString& quote, const QString& text)
{
    if (quote.size() == 1)
        return sqlQuoted(text, quote.front());
    QString body = text;
    if (!quote.isEmpty())
        body.replace(quote, quote + quote);
    return quote + body + quote;
}

QString warehouseSelect(const Warehouse& w, const QString& suffix, const QString& date)
{
    const QString column = QLatin1String(w.stem) + QLatin1Char('_') + suffix;
    const QString alias = QLatin1String(w.alias);
    return QStringLiteral("(select ") + alias + QStringLiteral(".QUANTITY ") + column +
           QStringLiteral(" from GetItemQuantity (a.ITEMNO,") + date +
           QStringLiteral(",-1) g join GET_ITEMByWH (") + date + QStringLiteral(",a.ITEMNO,") +
           QString::number(w.number) + QStringLiteral(") ") + alias +
           QStringLiteral(" on g.ItemNo_Qty = ") + alias +
           QStringLiteral(".ItemNoWH where 1=1 and g.ITEMNO = a.ITEMNO) ") + column;
}

QString warehouseSelects(const QString& suffix, const QString& date, bool kapukOnly)
{
    QString result;
    for (const Warehouse& w : kWarehouses) {
        if (!result.isEmpty())
            result += QLatin1Char(',');
        result += warehouseSelect(w, suffix, date);
        if (kapukOnly)
            break;
    }
    return result;
}

// The average cost, 0 where either balance is 0; the text between the select head and the
// name of the cost column.
QString averageCost(const QString& date)
{
    return date +
           QStringLiteral(") eb) = 0 THEN 0 WHEN (SELECT eb.COSTBAL FROM GET_OBITEMS "
                          "(a.ITEMNO,") +
           date +
           QStringLiteral(") eb) = 0 THEN 0 ELSE (SELECT eb.COSTBAL FROM GET_OBITEMS "
                          "(a.ITEMNO,") +
           date + QStringLiteral(") eb) / (SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,") + date;
}

QString firstLine(StockSource source, const QString& suffix, const StockFilters& f)
{
    const QString date = f.quote + f.cutoff + f.quote;
    QString line;
    switch (source) {
    case StockSource::AllCompanies:
        line = QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, "
                              "coalesce(sum(ir.QUANTITY - ir.QTYTRANSFERED),0) AS IR_") +
               suffix +
               QStringLiteral(", a.PURCHPRICE,CASE WHEN (SELECT eb.QTYBAL FROM GET_OBITEMS "
                              "(a.ITEMNO,") +
               averageCost(date) + QStringLiteral(") eb) END AS HPP_") + suffix +
               QStringLiteral(", ad.ONORDER ONPO_") + suffix +
               QStringLiteral(", az.ONSALES ONSO_") + suffix + QLatin1Char(',') +
               warehouseSelects(suffix, date, false) +
               QStringLiteral(" from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, ") + date +
               QStringLiteral(") AD on AD.ITEMNO = a.ITEMNO LEFT OUTER JOIN "
                              "Get_TotItemSales(a.ITEMNO, ") +
               date +
               QStringLiteral(") AZ on AZ.ITEMNO = a.ITEMNO LEFT OUTER JOIN IREQDET ir ON "
                              "ir.ITEMNO = a.ITEMNO AND ir.CLOSED = '0' where a.ITEMDESCRIPTION "
                              "containing ");
        break;
    case StockSource::KrtOnly:
    case StockSource::OldStock: {
        const bool old = source == StockSource::OldStock;
        line =
            old ? QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, "
                                 "a.reserved2 SUBKATEGORI ,a.reserved3 MFD ,a.reserved4 KONDISI "
                                 ",a.reserved5 CATATAN, a.Notes TIPE_BARANG ,CASE WHEN (SELECT "
                                 "eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,")
                : QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, "
                                 "a.PURCHPRICE,CASE WHEN (SELECT eb.QTYBAL FROM GET_OBITEMS "
                                 "(a.ITEMNO,");
        line += averageCost(date) + QStringLiteral(") eb) END AS HPP ,ad.ONORDER ONPO_") + suffix +
                QLatin1Char(',') + warehouseSelects(suffix, date, old) +
                QStringLiteral(" from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, ") + date +
                QStringLiteral(") AD on AD.ITEMNO = a.ITEMNO where a.ITEMDESCRIPTION containing ");
        break;
    }
    }
    line += literal(f.quote, f.description) + QStringLiteral("and a.ITEMNO containing ") +
            literal(f.quote, f.code);
    if (source == StockSource::OldStock)
        line += QStringLiteral("and a.NOTES containing ") + literal(f.quote, f.type);
    return line;
}

QString effectiveSuffix(StockSource source, const QString& suffix)
{
    return source == StockSource::AllCompanies ? suffix : QString(kSuffixKrt);
}

} // namespace

QStringList stockStatement(StockSource source, const QString& suffix, const StockFilters& filters)
{
    const QString s = effectiveSuffix(source, suffix);
    QStringList lines{firstLine(source, s, filters), QStringLiteral("and a.ITEMTYPE=0"),
                      QStringLiteral("and left (a.ITEMNO,1) in") + filters.codeClass};
    QString sortBy = filters.sortBy;
    if (source == StockSource::AllCompanies) {
        lines += QStringLiteral("GROUP BY a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, "
                                "az.ONSALES, ad.ONORDER");
        // NOTES is not grouped, so the database refuses to order the grouped rows by it.
        if (sortBy == kSortByType)
            sortBy = kSortByCode;
    }
    lines += QStringLiteral("Order by ") + sortBy;
    return lines;
}

QString costColumn(StockSource source, const QString& suffix)
{
    if (source == StockSource::AllCompanies)
        return QStringLiteral("HPP_") + suffix;
    return QStringLiteral("HPP");
}

QVector<GridColumnSpec> companyColumns(StockSource source, const QString& suffix)
{
    const QString s = QLatin1Char('_') + effectiveSuffix(source, suffix);
    if (source == StockSource::OldStock) {
        return {
            {QStringLiteral("ITEMNO"), QStringLiteral("Kode Barang"), 0},
            {QStringLiteral("ITEMDESCRIPTION"), QStringLiteral("Deskripsi Barang"), 150},
            {QStringLiteral("TIPE_BARANG"), QStringLiteral("Tipe Barang"), 150},
            {QStringLiteral("KAPUK") + s, QStringLiteral("QTY"), 0},
            {QStringLiteral("MFD"), QStringLiteral("MFD"), 0},
            {QStringLiteral("KONDISI"), QStringLiteral("KONDISI"), 100},
            {QStringLiteral("CATATAN"), QStringLiteral("KETERANGAN"), 150},
        };
    }
    QVector<GridColumnSpec> columns{
        {QStringLiteral("ITEMNO"), QStringLiteral("Kode Barang"), 0},
        {QStringLiteral("ITEMDESCRIPTION"), QStringLiteral("Deskripsi Barang"), 0},
        {QStringLiteral("UNITPRICE"), QStringLiteral("Harga Barang"), 0},
        {QStringLiteral("LTC") + s, QStringLiteral("LTC"), 0},
        {QStringLiteral("MEZANINE") + s, QStringLiteral("MEZANINE"), 0},
        {QStringLiteral("RAK") + s, QStringLiteral("RAK"), 0},
        {QStringLiteral("BOOKING") + s, QStringLiteral("BOOKING"), 0},
        {QStringLiteral("ONPO") + s, QStringLiteral("ON ORDER"), 0},
        {QStringLiteral("PEC") + s, QStringLiteral("PEC"), 0},
        {QStringLiteral("PRODUKSI") + s, QStringLiteral("PRODUKSI"), 0},
        {QStringLiteral("WIP") + s, QStringLiteral("WIP"), 0},
        {QStringLiteral("PURCHPRICE"), QStringLiteral("Harga Beli"), 0},
        {costColumn(source, suffix), QStringLiteral("HPP"), 0},
    };
    if (source == StockSource::AllCompanies) {
        columns += {QStringLiteral("ONSO") + s, QStringLiteral("ON SO"), 0};
        columns += {QStringLiteral("IR") + s, QStringLiteral("IR"), 0};
    }
    return columns;
}

QVector<GridColumnSpec> startColumns()
{
    static constexpr const char* kFields[kStockGridColumns] = {
        "Kode", "Deskripsi", "Harga", "LTC",      "Mezanine", "Rak",   "Booking", "Kapuk",
        "PEC",  "Produksi",  "WIP",   "Purchase", "HPP",      "On SO", "IR"};
    static constexpr int kWidths[kStockGridColumns] = {85, 200, 90, 45, 70, 45, 60, 70,
                                                       45, 60,  45, 64, 64, 64, 64};
    QVector<GridColumnSpec> columns;
    for (int i = 0; i < kStockGridColumns; ++i) {
        const QString field = QLatin1String(kFields[i]);
        columns += {field, field, kWidths[i]};
    }
    columns[7].title = QStringLiteral("On PO");
    return columns;
}
