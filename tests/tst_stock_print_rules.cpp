#include "stock/StockPrintRules.h"

#include <QTest>

Q_DECLARE_METATYPE(StockSource)
Q_DECLARE_METATYPE(StockTemplate)

class TestStockPrintRules : public QObject
{
    Q_OBJECT
private slots:
    void chooseTemplate_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<bool>("priceRight");
        QTest::addColumn<QString>("name");
        QTest::newRow("KRT with price") << StockSource::KrtOnly << true << "printhpp";
        QTest::newRow("KRT without price") << StockSource::KrtOnly << false << "printkrtonly";
        QTest::newRow("all with price") << StockSource::AllCompanies << true << "printhppalldb";
        QTest::newRow("all without price") << StockSource::AllCompanies << false << "printstock";
        QTest::newRow("old stock with price") << StockSource::OldStock << true << "printstock";
        QTest::newRow("old stock without price") << StockSource::OldStock << false << "printstock";
    }

    void chooseTemplate()
    {
        QFETCH(StockSource, source);
        QFETCH(bool, priceRight);
        QFETCH(QString, name);
        QCOMPARE(templateName(::chooseTemplate(source, priceRight)), name);
    }

    void filterFilledIn_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("filled");
        QTest::newRow("both empty") << ""
                                    << "" << false;
        QTest::newRow("description of two") << "ab"
                                            << "" << false;
        QTest::newRow("description of three") << "abc"
                                              << "" << true;
        QTest::newRow("code of three") << ""
                                       << "3A1" << true;
        QTest::newRow("code of two") << ""
                                     << "3A" << false;
        QTest::newRow("short both") << "ab"
                                    << "3A" << false;
        QTest::newRow("description placeholder") << "Filter Deskripsi"
                                                 << "" << false;
        QTest::newRow("code placeholder") << ""
                                          << "Filter Kode Item" << false;
        QTest::newRow("both placeholders") << "Filter Deskripsi"
                                           << "Filter Kode Item" << false;
        QTest::newRow("placeholder and code") << "Filter Deskripsi"
                                              << "123" << true;
        QTest::newRow("placeholder in other case counts") << "filter deskripsi"
                                                          << "" << true;
        QTest::newRow("three blanks count") << "   "
                                            << "" << true;
        QTest::newRow("non-ASCII counted as characters") << "m\u00b2x"
                                                         << "" << true;
    }

    void filterFilledIn()
    {
        QFETCH(QString, description);
        QFETCH(QString, code);
        QFETCH(bool, filled);
        QCOMPARE(::filterFilledIn(description, code), filled);
    }

    void printShortcut_data()
    {
        QTest::addColumn<bool>("krtOnly");
        QTest::addColumn<bool>("priceRight");
        QTest::addColumn<bool>("krtAtEnd");
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("KRT, price, rows ahead") << true << true << false << true;
        QTest::newRow("KRT, price, at end") << true << true << true << false;
        QTest::newRow("KRT, no price") << true << false << false << false;
        QTest::newRow("other source") << false << true << false << false;
    }

    void printShortcut()
    {
        QFETCH(bool, krtOnly);
        QFETCH(bool, priceRight);
        QFETCH(bool, krtAtEnd);
        QFETCH(bool, shortcut);
        QCOMPARE(::printShortcut(krtOnly, priceRight, krtAtEnd), shortcut);
    }
};

QTEST_GUILESS_MAIN(TestStockPrintRules)
#include "tst_stock_print_rules.moc"
