#include "data/SqlParameters.h"
#include "stock/ItemToBuyStatements.h"

#include <QTest>

// Golden statements of the item-to-buy report, written out in full from the report's description.
namespace golden
{

const QStringList kMaster{
    QStringLiteral("select a.ITEMNO"),
    QStringLiteral(", a.ITEMDESCRIPTION"),
    QStringLiteral(", a.PURCHPRICE"),
    QStringLiteral(", icat.NAME Category"),
    QStringLiteral(", a.RESERVED2 Subcat"),
    QStringLiteral(", ic.ChildCount"),
    QStringLiteral(", coalesce(a.MINIMUMQTY,0) MINIMUMQTY"),
    QStringLiteral(", coalesce(ts.OnSales,0) OnSales"),
    QStringLiteral(", coalesce(td.OnOrder,0) OnOrder"),
    QStringLiteral(
        ",(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
        "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH ) LTC"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
                   "Mezanine"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 3) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
                   "Booking"),
    QStringLiteral(
        ",(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
        "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) Rak"),
    QStringLiteral(",cast((select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g "
                   "join GET_ITEMByWH ('12/12/2099', a.ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH "
                   ") +(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
                   "+(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) + "
                   "td.ONORDER - ts.ONSALES -a.MINIMUMQTY  as numeric(18,2)) StockReminder"),
    QStringLiteral("from ITEM a"),
    QStringLiteral("left outer join Department DDept on DDept.DeptID=a.DeptID"),
    QStringLiteral("left outer join Project DProj on DProj.ProjectID=a.ProjectID"),
    QStringLiteral("left outer join ItemCategory ICat on ICat.CategoryID=a.CategoryID"),
    QStringLiteral("left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID"),
    QStringLiteral("left outer join IsChild(a.ItemNo, 1) ic on ic.ItemNo = a.ItemNo"),
    QStringLiteral("left outer join item_indented(a.ItemNo) i on a.ItemNo = i.ItemNo_Indent"),
    QStringLiteral("left outer join Get_TotItemSales(a.ItemNo, '12/12/2099') ts on a.ItemNo = "
                   "ts.ItemNo"),
    QStringLiteral("left outer join Get_TotItemOrder(a.ItemNo, '12/12/2099') td on a.ItemNo = "
                   "td.ItemNo"),
    QStringLiteral("WHERE"),
    QStringLiteral("a.MINIMUMQTY > 0"),
    QStringLiteral("and"),
    QStringLiteral("cast((select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g "
                   "join GET_ITEMByWH ('12/12/2099', a.ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH "
                   ") +(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
                   "+(select a1.QUANTITY from GETITEMQUANTITY (a.ITEMNO,'12/12/2099', -1) g join "
                   "GET_ITEMByWH ('12/12/2099', a.ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) + "
                   "td.ONORDER - ts.ONSALES -a.MINIMUMQTY  as numeric(18,2))<0"),
    QStringLiteral("order by a.FirstParentItem, i.Item_indent"),
};

const QStringList kDetail{
    QStringLiteral("select a.ITEMNO"),
    QStringLiteral(", a.ITEMDESCRIPTION"),
    QStringLiteral(", a.IndentLevel"),
    QStringLiteral(", a.RATIO2"),
    QStringLiteral(", a.RATIO3"),
    QStringLiteral(", coalesce(a.MINIMUMQTY,0) MINIMUMQTY"),
    QStringLiteral(", coalesce(ts.OnSales,0) OnSales"),
    QStringLiteral(", coalesce(td.OnOrder,0) OnOrder"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "LTC"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "Mezanine"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 3) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "Booking"),
    QStringLiteral(",(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "Rak"),
    QStringLiteral(",cast((select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 3) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+ td.ONORDER - ts.ONSALES as numeric(18,2)) TotQty"),
    QStringLiteral(",cast((select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 1) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 2) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 3) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+(select a1.QUANTITY from GETITEMQUANTITY (:ITEMNO,'12/12/2099', -1) g"),
    QStringLiteral(
        "join GET_ITEMByWH ('12/12/2099', :ITEMNO, 4) a1 on g.ItemNo_Qty = a1.ItemNoWH ) "
        "+ td.ONORDER - ts.ONSALES -a.MINIMUMQTY  as numeric(18,2)) StockReminder"),
    QStringLiteral("from ITEM a"),
    QStringLiteral("left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID"),
    QStringLiteral("left outer join Get_TotItemSales(:ITEMNO, '12/12/2099') ts on a.ItemNo = "
                   "ts.ItemNo"),
    QStringLiteral("left outer join Get_TotItemOrder(:ITEMNO, '12/12/2099') td on a.ItemNo = "
                   "td.ItemNo"),
    QStringLiteral("WHERE"),
    QStringLiteral("a.itemno = :ITEMNO"),
    QStringLiteral("order by a.FirstParentItem"),
};

} // namespace golden

class TestItemToBuyStatements : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QStringList>("actual");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("master") << itemToBuyMasterStatement() << golden::kMaster;
        QTest::newRow("detail") << itemToBuyDetailStatement() << golden::kDetail;
    }
    void text()
    {
        QFETCH(QStringList, actual);
        QFETCH(QStringList, expected);
        // Line by line first, so a failure names the line that differs.
        for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
        QCOMPARE(actual.size(), expected.size());
    }

    // The details bind the master's item code by name; the master itself takes no parameter.
    void parameters_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("count");
        QTest::newRow("master") << itemToBuyMasterStatement() << 0;
        QTest::newRow("detail") << itemToBuyDetailStatement() << 27;
    }
    void parameters()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, count);
        const QStringList names = parseNamedParameters(lines.join(QStringLiteral("\r\n"))).names;
        QCOMPARE(names.size(), count);
        for (const QString& name : names)
            QCOMPARE(name, QStringLiteral("ITEMNO"));
    }
};

QTEST_APPLESS_MAIN(TestItemToBuyStatements)
#include "tst_item_to_buy_statements.moc"
