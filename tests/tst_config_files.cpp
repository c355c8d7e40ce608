#include "app/ServerSettings.h"
#include "platform/HttpDownloader.h"
#include "platform/IniFile.h"
#include "stock/StockSettings.h"
#include "tests/support/TestHttpServer.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

// The program's own files under crashes and odd contents: Config.ini and the updater are
// replaced whole or not at all, whatever moment the process dies, and any Config.ini reads
// without harm.
namespace
{

const QString kChildFlag = QStringLiteral("--write-loop");
constexpr int kKeys = 14;

// Section "Config" as one generation writes it: every key holds the generation's number.
QList<QPair<QString, QString>> generation(int number)
{
    QList<QPair<QString, QString>> values;
    for (int k = 0; k < kKeys; ++k)
        values << qMakePair(QStringLiteral("KEY%1").arg(k), QString::number(number));
    return values;
}

// Tells the parent that a write begins ('w') or has ended ('d').
void mark(char c)
{
    std::fputc(c, stdout);
    std::fflush(stdout);
}

// Writes forever: Config.ini generation after generation, or the updater download.
int writeLoop(const QString& kind, const QString& target, const QString& host)
{
    HttpDownloader downloader;
    const QUrl url(QStringLiteral("http://%1/vidarera/AutoUpdate.exe").arg(host));
    for (int g = 1;; ++g) {
        mark('w');
        if (kind == QLatin1String("ini"))
            IniFile(target).write(QStringLiteral("Config"), generation(g));
        else
            downloader.download(url, target, 5000, {});
        mark('d');
    }
}

} // namespace

class TestConfigFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // Starts the loop in a child process and kills it after a random moment, `times` times;
    // `check` judges the file after each kill. Returns how many kills came during a write.
    int killRepeatedly(const QString& kind, const QString& target, const QString& host, int times,
                       const std::function<void(int)>& check)
    {
        int midWrite = 0;
        for (int i = 0; i < times; ++i) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {kChildFlag, kind, target, host});
            if (!child.waitForStarted())
                qFatal("the writing child did not start");
            // Start-up of the child takes some milliseconds; spread the kills over it and
            // over several writes.
            QTest::qWait(int(QRandomGenerator::global()->bounded(20, 120)));
            child.kill();
            child.waitForFinished();
            midWrite += child.readAllStandardOutput().endsWith('w');
            check(i);
            if (QTest::currentTestFailed())
                break;
        }
        return midWrite;
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // Config.ini with a large other section, so that a write takes long enough to be hit.
    void configIniKilledWhileWriting()
    {
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Server]\r\nLAN=127.0.0.2\r\n[Padding]\r\n");
            for (int i = 0; i < 20000; ++i)
                f.write("Line" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\r\n");
        }
        QVERIFY(IniFile(path).write(QStringLiteral("Config"), generation(0)).isEmpty());
        const int hits = killRepeatedly(QStringLiteral("ini"), path, {}, 60, [&](int round) {
            const IniFile ini(path);
            const QString first = ini.read(QStringLiteral("Config"), QStringLiteral("KEY0"));
            QVERIFY2(!first.isEmpty(), qPrintable(QStringLiteral("round %1").arg(round)));
            for (int k = 1; k < kKeys; ++k)
                QCOMPARE(ini.read(QStringLiteral("Config"), QStringLiteral("KEY%1").arg(k)), first);
            QCOMPARE(ini.read(QStringLiteral("Server"), QStringLiteral("LAN")),
                     QStringLiteral("127.0.0.2"));
            QCOMPARE(ini.read(QStringLiteral("Padding"), QStringLiteral("Line19999")),
                     QString(40, QLatin1Char('x')));
        });
        qInfo("%d of 60 kills came while Config.ini was being written", hits);
        QVERIFY(hits > 0);
    }

    void updaterKilledWhileDownloading()
    {
        QByteArray body(4 << 20, Qt::Uninitialized);
        for (int i = 0; i < body.size(); ++i)
            body[i] = char('a' + i % 26);
        TestHttpServer server(body);
        QVERIFY(server.listen());
        const QString folder = dir.filePath(QStringLiteral("updater"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/AutoUpdate.exe");
        const QByteArray old = "installed updater";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        int replaced = 0;
        const int hits =
            killRepeatedly(QStringLiteral("download"), path, server.host(), 40, [&](int) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QByteArray now = f.readAll();
                QVERIFY2(now == old || now == body, qPrintable(QString::number(now.size())));
                replaced += now == body;
            });
        qInfo("%d of 40 kills came while the updater was being fetched", hits);
        QVERIFY(hits > 0);
        QVERIFY2(replaced > 0, "no download finished: the kills came too early");
        // Nothing but the updater is left in its folder.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("AutoUpdate.exe")});
    }

    // Contents found in the field: what the program reads from each.
    void oddContents_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("lan");
        QTest::addColumn<QString>("dbAktif");

        const QByteArray plain = "[Server]\nLAN=127.0.0.9\n[Config]\nDbAktif=KRT\n";
        QTest::newRow("LF") << plain << "127.0.0.9"
                            << "KRT";
        QByteArray crlf = plain;
        crlf.replace("\n", "\r\n");
        QTest::newRow("CR LF") << crlf << "127.0.0.9"
                               << "KRT";
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF") + crlf << "127.0.0.9"
                                   << "KRT";
        QTest::newRow("duplicate keys: the first wins")
            << QByteArray("[Server]\r\nLAN=127.0.0.9\r\nLAN=127.0.0.8\r\n[Config]\r\n"
                          "DbAktif=KRT\r\n[config]\r\nDbAktif=OLD STOCK\r\n")
            << "127.0.0.9"
            << "KRT";
        QByteArray garbage;
        QRandomGenerator random(14);
        for (int i = 0; i < 4096; ++i)
            garbage.append(char(random.bounded(256)));
        QTest::newRow("garbage") << garbage << ""
                                 << "";
        QTest::newRow("garbage around the sections")
            << garbage + "\r\n" + crlf + garbage.left(100) << "127.0.0.9"
            << "KRT";
        QByteArray big = crlf;
        while (big.size() < (1 << 20))
            big += "; comment " + QByteArray(100, '#') + "\r\nNoise" +
                   QByteArray::number(big.size()) + "=" + QByteArray(60, 'n') + "\r\n";
        QTest::newRow("1 MB") << big << "127.0.0.9"
                              << "KRT";
        QTest::newRow("no line end at all") << QByteArray("[Server]") << ""
                                            << "";
        QTest::newRow("empty") << QByteArray() << ""
                               << "";
    }
    void oddContents()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, lan);
        QFETCH(QString, dbAktif);
        const QString path = dir.filePath(QStringLiteral("odd.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        }
        const IniFile ini(path);
        QCOMPARE(ini.read(QStringLiteral("Server"), QStringLiteral("LAN")), lan);
        QCOMPARE(ini.read(QStringLiteral("Config"), QStringLiteral("DbAktif")), dbAktif);
        // The program's own readings take whatever is there.
        const ServerSettings servers = ServerSettings::read(ini);
        QVERIFY(!servers.lan.isEmpty());
        restoreStockSettings(
            [&ini](const QString& key) { return ini.read(kSettingsSection, key); });

        // Saving the settings changes section Config only and keeps the rest readable.
        QVERIFY(ini.write(kSettingsSection, {{QStringLiteral("DbAktif"), QStringLiteral("ALL")},
                                             {QStringLiteral("Filter"), QStringLiteral("Kode")}})
                    .isEmpty());
        const IniFile after(path);
        QCOMPARE(after.read(QStringLiteral("Server"), QStringLiteral("LAN")), lan);
        QCOMPARE(after.read(QStringLiteral("Config"), QStringLiteral("DbAktif")),
                 QStringLiteral("ALL"));
        QCOMPARE(after.read(QStringLiteral("Config"), QStringLiteral("Filter")),
                 QStringLiteral("Kode"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray written = f.readAll();
        QCOMPARE(written.startsWith("\xEF\xBB\xBF"), content.startsWith("\xEF\xBB\xBF"));
        if (content.size() > (1 << 19))
            QVERIFY(written.size() > content.size() - 100);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == kChildFlag)
        return writeLoop(args.at(2), args.at(3), args.value(4));
    TestConfigFiles test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_config_files.moc"
