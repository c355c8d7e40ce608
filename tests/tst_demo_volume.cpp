#include "tests/support/TestServers.h"

#include <QFile>
#include <QMultiHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// Debian's own interpreter, the one the database scripts use.
const QString kPython = QStringLiteral("/usr/bin/python3");

// Fixed-width records of the generator: every field is a flag character and its width.
constexpr int kIntField = 13;
constexpr int kInfoField = 101;
constexpr int kFirstNameWidth = 40;

const QStringList kFixedSalesmen = {"Andi",  "Budi", "Citra",  "Dewi",   "Eko",
                                    "Fajar", "Gita", "Hendra", "Ma'ruf", "Kantor"};
const QStringList kFixedTeams = {"Team Proyek", "Team Retail", "Team Timur", "Team Solo"};

// Runs the generator for one database into a folder of its own; its exit code.
int generate(const QString& workDir, const QString& database, const QStringList& volume,
             QString* errors = nullptr)
{
    QProcess process;
    process.start(kPython, QStringList{TestServers::sourceFile("db/demo_data.py"), "--db", database,
                                       "--items", "300", "--work", workDir, "--target",
                                       workDir + "/out.fdb"} +
                               volume);
    if (!process.waitForFinished(120000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitCode();
}

QList<QByteArray> records(const QString& workDir, const QString& table)
{
    QFile file(workDir + '/' + table + ".dat");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString text(const QByteArray& record, int offset, int width)
{
    return QString::fromLatin1(record.mid(offset + 1, width)).trimmed();
}

} // namespace

// The demo generator's sales volume options; its default output is what the database
// tests already check against the documented values.
class TestDemoVolume : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Invoices, salesmen and teams as asked for; the added salesmen shared out over the
    // added teams, each in exactly one.
    void requestedCounts()
    {
        const QStringList volume = {"--salesmen", "25", "--teams", "7"};
        const QString none = m_dir.filePath("krt-none");
        const QString many = m_dir.filePath("krt-many");
        const QString control = m_dir.filePath("edp");
        QCOMPARE(generate(none, "krt", volume + QStringList{"--invoices", "0"}), 0);
        QCOMPARE(generate(many, "krt", volume + QStringList{"--invoices", "1000"}), 0);
        QCOMPARE(generate(control, "edp", volume + QStringList{"--invoices", "1000"}), 0);

        QCOMPARE(records(many, "ARINV").size() - records(none, "ARINV").size(), 1000);

        QStringList salesmen;
        for (const QByteArray& record : records(many, "SALESMAN"))
            salesmen << text(record, kIntField, kFirstNameWidth);
        QCOMPARE(QSet<QString>(salesmen.begin(), salesmen.end()).size(), salesmen.size());
        QCOMPARE(salesmen.size(), 24); // Hendra works for the other two companies only
        QStringList fixed = kFixedSalesmen;
        fixed.removeOne("Hendra");
        for (const QString& name : fixed)
            QVERIFY2(salesmen.contains(name), qPrintable(name));

        QMultiHash<QString, QString> teamOf; // salesman -> team
        QSet<QString> teams;
        for (const QByteArray& record : records(control, "EXTENDEDDET")) {
            if (text(record, kIntField, kIntField - 1) != "8")
                continue;
            const QString team = text(record, 2 * kIntField, kInfoField - 1);
            const QString member = text(record, 2 * kIntField + kInfoField, kInfoField - 1);
            teams << team;
            if (!kFixedTeams.contains(team))
                teamOf.insert(member, team);
        }
        QCOMPARE(teams.size(), 7);
        QStringList added = salesmen;
        for (const QString& name : kFixedSalesmen)
            added.removeOne(name);
        QCOMPARE(added.size(), 15);
        for (const QString& name : added)
            QCOMPARE(teamOf.count(name), 1);
        QCOMPARE(teamOf.size(), 15);
    }

    void refusedVolume_data()
    {
        QTest::addColumn<QStringList>("volume");
        QTest::addColumn<QString>("error");
        QTest::newRow("fewer salesmen than the fixed ones")
            << QStringList{"--salesmen", "9"} << "--salesmen must be at least 10";
        QTest::newRow("fewer teams than the fixed ones")
            << QStringList{"--teams", "3"} << "--teams must be at least 4";
        QTest::newRow("an added team without a salesman")
            << QStringList{"--salesmen", "12", "--teams", "7"}
            << "every added team needs an added salesman";
    }
    void refusedVolume()
    {
        QFETCH(QStringList, volume);
        QFETCH(QString, error);
        QString errors;
        QVERIFY(generate(m_dir.filePath(QTest::currentDataTag()), "edp", volume, &errors) != 0);
        QVERIFY2(errors.contains(error), qPrintable(errors));
    }
};

QTEST_MAIN(TestDemoVolume)
#include "tst_demo_volume.moc"
