#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// --version and --help answer and end before any window, so they need no display.
class TestProgramOptions : public QObject
{
    Q_OBJECT

    static QString program()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../app/vidarera");
    }

private slots:
    void answersWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version") << QStringList{"--version"}
                                 << QStringLiteral("Vid Arera " VID_VERSION "\n");
        QTest::newRow("help") << QStringList{"--help"} << QStringLiteral("Pemakaian: vidarera");
        QTest::newRow("help among Qt's own options")
            << QStringList{"-style", "fusion", "-h"} << QStringLiteral("vidarera-stock --help");
    }
    void answersWithoutDisplay()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        QProcess p;
        // A display platform with no display: a window would end the program with an error.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        p.setProcessEnvironment(env);
        p.start(program(), args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(p.readAllStandardOutput()).contains(expected),
                 p.readAllStandardError().constData());
    }

    // The help names the Config.ini the program would use: beside a copy of the program in a
    // folder it may write.
    void helpNamesTheSettingsFile()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("vidarera"));
        QVERIFY(QFile::copy(program(), copy));
        QProcess p;
        p.start(copy, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput())
                    .contains(QStringLiteral("Pengaturan: ") + dir.filePath("Config.ini")));
    }
};

QTEST_GUILESS_MAIN(TestProgramOptions)
#include "tst_program_options.moc"
