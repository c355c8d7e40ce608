#include "app/ServerSettings.h"
#include "app/UpdateSettings.h"
#include "platform/IniFile.h"
#include "stock/StockSettings.h"
#include "stock/StockViewRules.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The Debian package as CPack builds it from this tree: its files, its declared dependencies,
// and the sample Config.ini and desktop entry it carries.
class TestPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root; // the package unpacked

    static QString buildDir()
    {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    }

    static QString output(const QString& program, const QStringList& args, int* exitCode = nullptr)
    {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(120000);
        if (exitCode)
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QString field(const QString& name) const
    {
        return output(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_deb, name}).trimmed();
    }

    // Package names of the Depends field, without versions.
    QStringList dependencies() const
    {
        QStringList names;
        for (const QString& entry : field(QStringLiteral("Depends")).split(QLatin1Char(',')))
            names << entry.trimmed().section(QLatin1Char(' '), 0, 0);
        return names;
    }

private slots:
    void initTestCase()
    {
        const QString cpack = QStandardPaths::findExecutable(QStringLiteral("cpack"));
        if (cpack.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
            QSKIP("cpack or dpkg-deb missing");
        QVERIFY(m_dir.isValid());
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(cpack,
                {QStringLiteral("--config"), buildDir() + QStringLiteral("/CPackConfig.cmake"),
                 QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), m_dir.path()});
        QVERIFY(p.waitForFinished(240000));
        QVERIFY2(p.exitCode() == 0, p.readAll().constData());
        const QStringList debs = QDir(m_dir.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(debs.size(), 1);
        m_deb = m_dir.filePath(debs.first());
        m_root = m_dir.filePath(QStringLiteral("root"));
        int status = -1;
        output(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root}, &status);
        QCOMPARE(status, 0);
    }

    void control()
    {
        QCOMPARE(field(QStringLiteral("Package")), QStringLiteral("vidarera"));
        QCOMPARE(field(QStringLiteral("Version")), QStringLiteral(VID_VERSION));
        QCOMPARE(field(QStringLiteral("Recommends")), QStringLiteral("iputils-ping"));
        QCOMPARE(QFileInfo(m_deb).fileName(),
                 QStringLiteral("vidarera_%1_%2.deb")
                     .arg(QStringLiteral(VID_VERSION), field(QStringLiteral("Architecture"))));
    }

    void files_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::newRow("program") << "./usr/bin/vidarera" << true;
        QTest::newRow("look-up command") << "./usr/bin/vidarera-stock" << true;
        QTest::newRow("desktop entry") << "./usr/share/applications/vidarera.desktop" << false;
        QTest::newRow("icon, scalable")
            << "./usr/share/icons/hicolor/scalable/apps/vidarera.svg" << false;
        QTest::newRow("icon, 256")
            << "./usr/share/icons/hicolor/256x256/apps/vidarera.png" << false;
        QTest::newRow("readme") << "./usr/share/doc/vidarera/README.md" << false;
        QTest::newRow("sample settings") << "./usr/share/doc/vidarera/Config.ini.sample" << false;
        QTest::newRow("guide") << "./usr/share/doc/vidarera/panduan.md" << false;
        QTest::newRow("guide's pictures") << "./usr/share/doc/vidarera/img/cek-stok.png" << false;
    }
    void files()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QStringList listing =
            output(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), m_deb}).split('\n');
        const auto line = std::find_if(listing.begin(), listing.end(), [&](const QString& l) {
            return l.endsWith(QLatin1Char(' ') + path);
        });
        QVERIFY2(line != listing.end(), qPrintable(path));
        QCOMPARE(line->startsWith(QStringLiteral("-rwxr-xr-x root/root")), executable);
    }

    // The libraries the programs need at run time, and the report fonts.
    void declaredDependencies_data()
    {
        QTest::addColumn<QString>("package");
        for (const char* name : {"libfbclient2", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                                 "libqt6printsupport6", "fonts-liberation2"})
            QTest::newRow(name) << QString::fromLatin1(name);
        // Debian 12 names the xlsxwriter library package after its soname.
        QTest::newRow("xlsxwriter") << QStringLiteral("libxlsxwriter");
    }
    void declaredDependencies()
    {
        QFETCH(QString, package);
        const QStringList names = dependencies();
        QVERIFY2(std::any_of(names.begin(), names.end(),
                             [&](const QString& n) {
                                 return n == package ||
                                        (n.startsWith(package) && n.back().isDigit());
                             }),
                 qPrintable(names.join(QLatin1Char(','))));
    }

    // Every library a packaged program names comes from a declared package.
    void everyLinkedLibraryDeclared()
    {
        const QStringList names = dependencies();
        static const QRegularExpression neededLine(QStringLiteral("NEEDED\\s+(\\S+)"));
        static const QRegularExpression lddLine(QStringLiteral("(\\S+) => (/\\S+)"));
        for (const char* program : {"vidarera", "vidarera-stock"}) {
            const QString file = m_root + QStringLiteral("/usr/bin/") + QLatin1String(program);
            QHash<QString, QString> pathOf; // soname -> file
            for (const auto& m : lddLine.globalMatch(output(QStringLiteral("ldd"), {file})))
                pathOf[m.captured(1)] = m.captured(2);
            const QString header = output(QStringLiteral("objdump"), {QStringLiteral("-p"), file});
            for (const auto& m : neededLine.globalMatch(header)) {
                const QString library = pathOf.value(m.captured(1));
                QVERIFY2(!library.isEmpty(), qPrintable(m.captured(1)));
                // dpkg knows a file by the path it unpacked, before or after the /usr merge.
                QString owner;
                for (const QString& path : {library, QFileInfo(library).canonicalFilePath()}) {
                    if (owner.isEmpty())
                        owner = output(QStringLiteral("dpkg"), {QStringLiteral("-S"), path})
                                    .section(QLatin1Char(':'), 0, 0);
                }
                QVERIFY2(names.contains(owner),
                         qPrintable(library + QStringLiteral(" of ") + owner));
            }
        }
    }

    // The stripped programs run and answer without a display or database.
    void packagedProgramsRun()
    {
        int status = -1;
        QCOMPARE(output(m_root + QStringLiteral("/usr/bin/vidarera"), {QStringLiteral("--version")},
                        &status),
                 QStringLiteral("Vid Arera " VID_VERSION "\n"));
        QCOMPARE(status, 0);
        QVERIFY(output(m_root + QStringLiteral("/usr/bin/vidarera-stock"),
                       {QStringLiteral("--help")}, &status)
                    .contains(QStringLiteral("--desc")));
        QCOMPARE(status, 0);
    }

    void desktopEntry()
    {
        const IniFile entry(m_root + QStringLiteral("/usr/share/applications/vidarera.desktop"));
        const QString section = QStringLiteral("Desktop Entry");
        QCOMPARE(entry.read(section, QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(entry.read(section, QStringLiteral("Name")), QStringLiteral("Vid Arera"));
        QCOMPARE(entry.read(section, QStringLiteral("Exec")), QStringLiteral("vidarera"));
        QCOMPARE(entry.read(section, QStringLiteral("Icon")), QStringLiteral("vidarera"));
        QVERIFY(entry.read(section, QStringLiteral("Categories"))
                    .split(QLatin1Char(';'))
                    .contains(QStringLiteral("Office")));
    }

    // The sample reads as the program reads it: every server key taken, and the view settings
    // the ones a fresh installation writes, in the order it writes them.
    void sampleSettings()
    {
        const QString path = m_root + QStringLiteral("/usr/share/doc/vidarera/Config.ini.sample");
        const IniFile sample(path);
        const ServerSettings servers = ServerSettings::read(sample);
        QCOMPARE(servers.lan, QStringLiteral("192.168.1.10"));
        QCOMPARE(servers.headOffice, QStringLiteral("10.10.0.5"));
        QCOMPARE(servers.fallback, QStringLiteral("10.10.0.6"));
        QCOMPARE(servers.connection.connectTimeoutSeconds, 10);
        QCOMPARE(servers.connection.charset, QStringLiteral("WIN1252"));
        const UpdateSettings update = UpdateSettings::read(sample, QStringLiteral("/usr/bin"));
        QCOMPARE(update.host, QStringLiteral("10.10.0.5"));
        QCOMPARE(update.firstFolder, QStringLiteral("/usr/bin"));
        QCOMPARE(update.timeoutSeconds, 30);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QPair<QString, QString>> written;
        bool inConfig = false;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(QLatin1Char('[')))
                inConfig = line == QStringLiteral("[Config]");
            else if (inConfig && !line.startsWith(QLatin1Char(';')) && line.contains('='))
                written << qMakePair(line.section('=', 0, 0), line.section('=', 1));
        }
        StockSettings fresh;
        fresh.filterKind = kFilterDescription;
        QCOMPARE(written, fresh.values());
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
