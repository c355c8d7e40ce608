#include "report/ReportDialogViewer.h"
#include "report/ReportEngine.h"
#include "report/ReportLayoutReader.h"
#include "report/ReportPreview.h"
#include "report/ReportVectorDataSource.h"
#include "tests/support/ScriptedMessages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

// Eight rows of 10 mm on pages with room for three.
PreparedReport eightRows()
{
    const QByteArray json = R"({"name": "rows", "page": {"width": 100, "height": 50, "margins": 10},
      "bands": [{"type": "data", "dataSet": "d", "height": 10,
                 "cells": [{"left": 0, "width": 80, "text": "[d.N]"}]}]})";
    QList<QVariantMap> rows;
    for (const char* name : {"semen", "pasir", "kabel A", "bata", "paku", "kabel B", "cat", "kayu"})
        rows << QVariantMap{{"N", QString::fromLatin1(name)}};
    VectorDataSource d(rows);
    ReportEngine engine(*ReportLayoutReader::fromJson(json));
    engine.bind("d", &d);
    return *engine.prepare();
}

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT
private slots:
    void findJumpsToThePageAndWraps()
    {
        const PreparedReport report = eightRows();
        ScriptedMessages messages;
        ReportPreview preview(report, messages);
        QCOMPARE(report.pageCount(), 3);
        QCOMPARE(preview.currentPage(), 0);

        QVERIFY(preview.findNext("KABEL"));
        QCOMPARE(preview.currentPage(), 0);
        QCOMPARE(preview.lastFound().item, 2);
        QVERIFY(preview.findNext("KABEL"));
        QCOMPARE(preview.currentPage(), 1);
        QCOMPARE(preview.findChild<QSpinBox*>("pageBox")->value(), 2);
        QVERIFY(preview.findNext("KABEL"));
        QCOMPARE(preview.currentPage(), 0);
        QVERIFY(!preview.findNext("genteng"));
        QCOMPARE(preview.currentPage(), 0);
    }

    void pageNavigationStaysInTheReport()
    {
        const PreparedReport report = eightRows();
        ScriptedMessages messages;
        ReportPreview preview(report, messages);
        preview.showPage(7);
        QCOMPARE(preview.currentPage(), 2);
        preview.showPage(-1);
        QCOMPARE(preview.currentPage(), 0);
        preview.findChild<QSpinBox*>("pageBox")->setValue(2);
        QCOMPARE(preview.currentPage(), 1);
    }

    // An export that fails tells the user, naming the file; one that works says nothing.
    void exportErrorsReachTheUser()
    {
        const PreparedReport report = eightRows();
        ScriptedMessages messages;
        ReportPreview preview(report, messages);
        QTemporaryDir dir;
        const QString good = dir.filePath("rows.pdf");
        QVERIFY(preview.exportPdf(good).ok());
        QVERIFY(QFile::exists(good));
        QVERIFY(messages.shown.isEmpty());

        const QString bad = dir.filePath("rows.pdf/rows.xlsx");
        QCOMPARE(preview.exportXlsx(bad).status, ReportExportResult::Status::Failed);
        QCOMPARE(messages.texts(Messages::Kind::Error).size(), 1);
        QVERIFY(messages.texts().first().contains(QDir::toNativeSeparators(bad)));
    }

    // The caption names the report as the user knows it: the file's title, else the first
    // plain text of the title band, else (no title at all) the layout's name.
    void captionNamesTheReport_data()
    {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QString>("caption");
        const QByteArray page = R"("page": {"width": 100, "height": 50, "margins": 10})";
        QTest::newRow("title band")
            << R"({"name": "printhppalldb", )" + page + R"(, "bands": [{"type": "title",
                 "height": 8, "cells": [{"left": 0, "width": 80, "text": "[Date]"},
                 {"left": 0, "width": 80, "text": "Stock Vora Integrasi"}]}]})"
            << QStringLiteral("Pratinjau - Stock Vora Integrasi");
        QTest::newRow("title of the file")
            << R"({"name": "piutang", "title": "Laporan Piutang", )" + page + R"(, "bands": [
                 {"type": "title", "height": 8, "cells": [{"left": 0, "width": 80,
                 "text": "PT Contoh"}]}]})"
            << QStringLiteral("Pratinjau - Laporan Piutang");
        QTest::newRow("no title") << R"({"name": "rows", )" + page + R"(, "bands": []})"
                                  << QStringLiteral("Pratinjau - rows");
    }
    void captionNamesTheReport()
    {
        QFETCH(QByteArray, layout);
        QFETCH(QString, caption);
        QString error;
        const std::optional<ReportLayout> read = ReportLayoutReader::fromJson(layout, &error);
        QVERIFY2(read, qPrintable(error));
        ReportEngine engine(*read);
        const std::optional<PreparedReport> report = engine.prepare();
        QVERIFY(report);
        ScriptedMessages messages;
        QCOMPARE(ReportPreview(*report, messages).windowTitle(), caption);
    }

    void stockLayoutsNameTheirTitle_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("title");
        for (const char* name : {"printstock", "printkrtonly", "printhpp", "printhppalldb"})
            QTest::newRow(name) << name << QStringLiteral("Stock Vora Integrasi");
        QTest::newRow("printitemtobuy")
            << "printitemtobuy" << QStringLiteral("Reminder Item to Buy");
    }
    void stockLayoutsNameTheirTitle()
    {
        QFETCH(QString, layout);
        QFETCH(QString, title);
        const std::optional<ReportLayout> read = ReportLayoutReader::fromResource(layout);
        QVERIFY(read);
        QCOMPARE(read->title, title);
    }

    void viewerShowsTheDialog()
    {
        const PreparedReport report = eightRows();
        ScriptedMessages messages;
        ReportDialogViewer viewer(messages);
        // Watches for the dialog and closes it; gives up after a while, closing whatever the
        // viewer opened instead, so that a missing dialog fails the test rather than hangs it.
        QString title;
        QElapsedTimer waited;
        waited.start();
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                title = dialog->windowTitle();
                dialog->close();
            } else if (waited.elapsed() > 5000) {
                watch.stop();
                for (QWidget* window : QApplication::topLevelWidgets())
                    window->close();
            }
        });
        watch.start();
        viewer.preview(report);
        QVERIFY2(!title.isEmpty(), "no dialog appeared");
        QVERIFY2(title.contains("rows"), qPrintable(title));
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_report_preview.moc"
