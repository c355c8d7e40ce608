#include "platform/WindowScaler.h"

#include <QLabel>
#include <QtTest>

// Controls placed in design units follow the window's size, fonts included.
class TestWindowScaler : public QObject
{
    Q_OBJECT

private slots:
    void scalesGeometryAndFont_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<double>("points"); // of a font designed at 8 points
        QTest::newRow("design size") << QSize(943, 698) << QRect(100, 50, 200, 20) << 8.0;
        QTest::newRow("twice") << QSize(1886, 1396) << QRect(200, 100, 400, 40) << 16.0;
        QTest::newRow("wide only") << QSize(1886, 698) << QRect(200, 50, 400, 20) << 8.0;
        QTest::newRow("tall only") << QSize(943, 1396) << QRect(100, 100, 200, 40) << 8.0;
        QTest::newRow("four fifths") << QSize(754, 558) << QRect(80, 40, 160, 16) << 6.4;
        QTest::newRow("seven tenths: the minimum")
            << QSize(660, 489) << QRect(70, 35, 140, 14) << 6.0;
        QTest::newRow("half: the minimum") << QSize(471, 349) << QRect(50, 25, 100, 10) << 6.0;
    }
    void scalesGeometryAndFont()
    {
        QFETCH(QSize, area);
        QFETCH(QRect, expected);
        QFETCH(double, points);
        QWidget window;
        QCOMPARE(window.logicalDpiX(), 96); // the offscreen screen: points map 1:1
        window.resize(943, 698);
        WindowScaler scaler(&window, QSize(943, 698));
        auto* label = new QLabel(QStringLiteral("Kode"), &window);
        QFont font = label->font();
        font.setPointSizeF(8.0);
        label->setFont(font);
        scaler.place(label, QRect(100, 50, 200, 20));
        window.resize(area);
        QCoreApplication::processEvents();
        scaler.rescale();
        QCOMPARE(label->geometry(), expected);
        QCOMPARE(qRound(label->font().pointSizeF() * 10), qRound(points * 10));
        // Design geometry stays what was asked, whatever the scale.
        QCOMPARE(scaler.designGeometry(label), QRect(100, 50, 200, 20));
    }

    void laterChangesAreInDesignUnits()
    {
        QWidget window;
        window.resize(1886, 1396);
        WindowScaler scaler(&window, QSize(943, 698));
        scaler.rescale();
        QWidget box(&window);
        scaler.place(&box, QRect(17, 265, 920, 200));
        scaler.setDesignTop(&box, 360);
        scaler.setDesignHeight(&box, 290);
        QCOMPARE(box.geometry(), QRect(34, 720, 1840, 580));
        QCOMPARE(scaler.designGeometry(&box), QRect(17, 360, 920, 290));
    }
};

QTEST_MAIN(TestWindowScaler)
#include "tst_window_scaler.moc"
