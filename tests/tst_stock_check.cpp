#include "stock/StockLayout.h"

#include <QStringList>
#include <QTest>

namespace
{

// "shown/top/height/grid height" with "-" for what the layout leaves as it is.
QString describe(const PanelPlacement& p)
{
    auto part = [](const std::optional<int>& v) {
        return v ? QString::number(*v) : QStringLiteral("-");
    };
    const QString shown = p.visible ? (*p.visible ? QStringLiteral("show") : QStringLiteral("hide"))
                                    : QStringLiteral("-");
    return QStringList{shown, part(p.top), part(p.height), part(p.gridHeight)}.join(
        QLatin1Char('/'));
}

QString describe(const StockLayout& layout)
{
    QStringList parts;
    for (const PanelPlacement& p : layout.panels)
        parts << describe(p);
    if (layout.warn)
        parts << QStringLiteral("warn");
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestStockCheck : public QObject
{
    Q_OBJECT

private slots:
    void threeCompanies_data();
    void threeCompanies();
    void single();
};

void TestStockCheck::threeCompanies_data()
{
    QTest::addColumn<bool>("krtEmpty");
    QTest::addColumn<bool>("sokaEmpty");
    QTest::addColumn<bool>("kwEmpty");
    QTest::addColumn<QString>("layout");

    const QString thirds = "-/-/200/170 show/265/200/170 show/480/200/170";
    const QString withB = "-/-/290/265 show/360/290/265 hide/-/-/-";
    const QString withC = "-/-/290/265 hide/-/-/- show/360/290/265";
    QTest::newRow("none empty") << false << false << false << thirds;
    QTest::newRow("krt empty") << true << false << false << thirds;
    QTest::newRow("kw empty") << false << false << true << withB;
    QTest::newRow("soka empty") << false << true << false << withC;
    // The kw rule comes first: B's empty box stands under A.
    QTest::newRow("soka and kw empty") << false << true << true << withB;
    QTest::newRow("krt and kw empty") << true << false << true << withB;
    QTest::newRow("krt and soka empty") << true << true << false << withC;
    QTest::newRow("all empty") << true << true << true << "-/-/-/- -/-/-/- -/-/-/- warn";
}

void TestStockCheck::threeCompanies()
{
    QFETCH(bool, krtEmpty);
    QFETCH(bool, sokaEmpty);
    QFETCH(bool, kwEmpty);
    QFETCH(QString, layout);
    QCOMPARE(describe(threeCompanyLayout(krtEmpty, sokaEmpty, kwEmpty)), layout);
}

void TestStockCheck::single()
{
    const QString full = QStringLiteral("-/-/650/620 hide/-/-/- hide/-/-/-");
    QCOMPARE(describe(singleLayout(false)), full);
    QCOMPARE(describe(singleLayout(true)), full + QStringLiteral(" warn"));
}

QTEST_MAIN(TestStockCheck)
#include "tst_stock_check.moc"
