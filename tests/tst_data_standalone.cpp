// vid_test: links data
// The database layer on its own: this test links the data library and Qt Test only, so it
// stops building as soon as data/ reaches into another folder of the project, and it
// fails when a display, print or workbook library comes along.
#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTest>

class TestDataStandalone : public QObject
{
    Q_OBJECT
private slots:
    void loadsNoDisplayLibrary()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray loaded = maps.readAll();
        QVERIFY(loaded.contains("libQt6Core"));
        for (const char* library :
             {"libQt6Gui", "libQt6Widgets", "libQt6PrintSupport", "libxlsxwriter"})
            QVERIFY2(!loaded.contains(library), library);
    }

    void queryAndGridTextWithoutServer()
    {
        FbQuery query;
        query.setSql(QStringLiteral("select NAME from ITEMS where CODE = :CODE"));
        QCOMPARE(query.paramNames(), QStringList{QStringLiteral("CODE")});
        QVERIFY_THROWS_EXCEPTION(DbError, query.open());

        QueryTableModel grid;
        grid.setQuery(&query);
        QCOMPARE(grid.rowCount(), 0);
        const QLocale locale;
        QLocale::setDefault(QLocale::c());
        QCOMPARE(QueryTableModel::displayText(QVariant::fromValue(Decimal{150000, 2}),
                                              QStringLiteral("#,#0.00;(#,#0.00);#,#0.00 ")),
                 QStringLiteral("1,500.00"));
        QCOMPARE(QueryTableModel::displayText(QDate(2025, 3, 30)), QStringLiteral("30/03/2025"));
        QLocale::setDefault(locale);
    }
};

QTEST_GUILESS_MAIN(TestDataStandalone)
#include "tst_data_standalone.moc"
