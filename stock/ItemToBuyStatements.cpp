#include "stock/ItemToBuyStatements.h"

namespace
{

// Every quantity and order procedure of the report looks at this far date: all movements count.
const QString kFarDate = QStringLiteral("'12/12/2099'");

// The quantity of an item in warehouse n, as its two halves; `item` is the item column or
// the parameter.
QStringList warehouseQuantity(const QString& item, int n)
{
    return {QStringLiteral("(select a1.QUANTITY from GETITEMQUANTITY (") + item + QLatin1Char(',') +
                kFarDate + QStringLiteral(", -1) g"),
            QStringLiteral("join GET_ITEMByWH (") + kFarDate + QStringLiteral(", ") + item +
                QStringLiteral(", ") + QString::number(n) +
                QStringLiteral(") a1 on g.ItemNo_Qty = a1.ItemNoWH )")};
}

// Lines built piece by piece; a sub-select of the detail statement spans a line break.
class Lines
{
public:
    void line(const QString& text) { m_lines += text; }
    void piece(const QString& text) { m_lines.last() += text; }
    void pieces(const QStringList& parts)
    {
        piece(parts.first());
        for (qsizetype i = 1; i < parts.size(); ++i)
            line(parts.at(i));
    }
    QStringList take() { return m_lines; }

private:
    QStringList m_lines;
};

// "cast(" q1 " +" q2 ... then the order balance; the caller adds the minimum and the end.
void castOfSum(Lines& out, const QList<QStringList>& quantities)
{
    out.piece(QStringLiteral("cast("));
    for (qsizetype i = 0; i < quantities.size(); ++i) {
        if (i > 0)
            out.piece(QStringLiteral(" +"));
        out.pieces(quantities.at(i));
    }
    out.piece(QStringLiteral(" + td.ONORDER - ts.ONSALES"));
}

const QString kLessMinimum = QStringLiteral(" -a.MINIMUMQTY  as numeric(18,2))");

// Warehouses 1 to 4 in the order of the select list, with their column names.
const char* const kWarehouseColumns[] = {" LTC", " Mezanine", " Booking", " Rak"};

} // namespace

QStringList itemToBuyMasterStatement()
{
    const QString item = QStringLiteral("a.ITEMNO");
    // The master keeps each sub-select on one line.
    auto w = [&](int n) { return QStringList{warehouseQuantity(item, n).join(QLatin1Char(' '))}; };
    // Booking (3) is listed but never counted against the minimum.
    const QList<QStringList> counted{w(1), w(2), w(4)};

    Lines out;
    out.line(QStringLiteral("select a.ITEMNO"));
    out.line(QStringLiteral(", a.ITEMDESCRIPTION"));
    out.line(QStringLiteral(", a.PURCHPRICE"));
    out.line(QStringLiteral(", icat.NAME Category"));
    out.line(QStringLiteral(", a.RESERVED2 Subcat"));
    out.line(QStringLiteral(", ic.ChildCount"));
    out.line(QStringLiteral(", coalesce(a.MINIMUMQTY,0) MINIMUMQTY"));
    out.line(QStringLiteral(", coalesce(ts.OnSales,0) OnSales"));
    out.line(QStringLiteral(", coalesce(td.OnOrder,0) OnOrder"));
    for (int n = 1; n <= 4; ++n) {
        out.line(QStringLiteral(","));
        out.pieces(w(n));
        out.piece(QLatin1String(kWarehouseColumns[n - 1]));
    }
    out.line(QStringLiteral(","));
    castOfSum(out, counted);
    out.piece(kLessMinimum + QStringLiteral(" StockReminder"));
    out.line(QStringLiteral("from ITEM a"));
    out.line(QStringLiteral("left outer join Department DDept on DDept.DeptID=a.DeptID"));
    out.line(QStringLiteral("left outer join Project DProj on DProj.ProjectID=a.ProjectID"));
    out.line(QStringLiteral("left outer join ItemCategory ICat on ICat.CategoryID=a.CategoryID"));
    out.line(QStringLiteral("left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID"));
    out.line(QStringLiteral("left outer join IsChild(a.ItemNo, 1) ic on ic.ItemNo = a.ItemNo"));
    out.line(
        QStringLiteral("left outer join item_indented(a.ItemNo) i on a.ItemNo = i.ItemNo_Indent"));
    out.line(QStringLiteral("left outer join Get_TotItemSales(a.ItemNo, ") + kFarDate +
             QStringLiteral(") ts on a.ItemNo = ts.ItemNo"));
    out.line(QStringLiteral("left outer join Get_TotItemOrder(a.ItemNo, ") + kFarDate +
             QStringLiteral(") td on a.ItemNo = td.ItemNo"));
    out.line(QStringLiteral("WHERE"));
    out.line(QStringLiteral("a.MINIMUMQTY > 0"));
    out.line(QStringLiteral("and"));
    out.line(QString());
    castOfSum(out, counted);
    out.piece(kLessMinimum + QStringLiteral("<0"));
    out.line(QStringLiteral("order by a.FirstParentItem, i.Item_indent"));
    return out.take();
}

QStringList itemToBuyDetailStatement()
{
    const QString item = QStringLiteral(":ITEMNO");
    auto v = [&](int n) { return warehouseQuantity(item, n); };
    // Here Booking counts, and the report reads neither total anyway.
    const QList<QStringList> all{v(1), v(2), v(3), v(4)};

    Lines out;
    out.line(QStringLiteral("select a.ITEMNO"));
    out.line(QStringLiteral(", a.ITEMDESCRIPTION"));
    out.line(QStringLiteral(", a.IndentLevel"));
    out.line(QStringLiteral(", a.RATIO2"));
    out.line(QStringLiteral(", a.RATIO3"));
    out.line(QStringLiteral(", coalesce(a.MINIMUMQTY,0) MINIMUMQTY"));
    out.line(QStringLiteral(", coalesce(ts.OnSales,0) OnSales"));
    out.line(QStringLiteral(", coalesce(td.OnOrder,0) OnOrder"));
    for (int n = 1; n <= 4; ++n) {
        out.line(QStringLiteral(","));
        out.pieces(v(n));
        out.piece(QLatin1String(kWarehouseColumns[n - 1]));
    }
    out.line(QStringLiteral(","));
    castOfSum(out, all);
    out.piece(QStringLiteral(" as numeric(18,2)) TotQty"));
    out.line(QStringLiteral(","));
    castOfSum(out, all);
    out.piece(kLessMinimum + QStringLiteral(" StockReminder"));
    out.line(QStringLiteral("from ITEM a"));
    out.line(QStringLiteral("left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID"));
    out.line(QStringLiteral("left outer join Get_TotItemSales(") + item + QStringLiteral(", ") +
             kFarDate + QStringLiteral(") ts on a.ItemNo = ts.ItemNo"));
    out.line(QStringLiteral("left outer join Get_TotItemOrder(") + item + QStringLiteral(", ") +
             kFarDate + QStringLiteral(") td on a.ItemNo = td.ItemNo"));
    out.line(QStringLiteral("WHERE"));
    out.line(QStringLiteral("a.itemno = ") + item);
    out.line(QStringLiteral("order by a.FirstParentItem"));
    return out.take();
}

QString itemCodesPresentStatement(int markers)
{
    QStringList list;
    list.fill(QStringLiteral("?"), markers);
    return QStringLiteral("select ITEMNO from ITEM where ITEMNO in (%1)")
        .arg(list.join(QLatin1Char(',')));
}
