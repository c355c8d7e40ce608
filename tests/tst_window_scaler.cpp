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
        QTest::newRow("design size") << QSize(943, 698) << QRect(100, 50, 200, 20);
        QTest::newRow("twice") << QSize(1886, 1396) << QRect(200, 100, 400, 40);
        QTest::newRow("wide only") << QSize(1886, 698) << QRect(200, 50, 400, 20);
    }
    void scalesGeometryAndFont()
    {
        QFETCH(QSize, area);
        QFETCH(QRect, expected);
        QWidget window;
        window.resize(943, 698);
        WindowScaler scaler(&window, QSize(943, 698));
        auto* label = new QLabel(QStringLiteral("Kode"), &window);
        const double designPoints = label->font().pointSizeF();
        scaler.place(label, QRect(100, 50, 200, 20));
        window.resize(area);
        QCoreApplication::processEvents();
        scaler.rescale();
        QCOMPARE(label->geometry(), expected);
        const double factor = qMin(area.width() / 943.0, area.height() / 698.0);
        QCOMPARE(qRound(label->font().pointSizeF() * 10),
                 qRound(qMax(6.0, designPoints * factor / (window.logicalDpiX() / 96.0)) * 10));
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
