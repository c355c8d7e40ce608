// vid_test: DB
#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/MainWindowObjectNames.h"
#include "data/DbError.h"
#include "data/FbQuery.h"
#include "tests/support/ByName.h"
#include "tests/support/PrivateServer.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <cstdio>
#include <iostream>
#include <string>

// Two workstations on the same control records, each a program process of its own: logins
// and closings of the same and of different users in either order, and profiles saved at the
// same time. The records end as the later action wrote them, no action loses another's
// write, and nobody is told of an error.
namespace
{

const QString kChildFlag = QStringLiteral("--workstation");
const QString kAdmin = QStringLiteral("100001");
// Users of this test alone.
constexpr int kFirstId = 9701;
const QString kUserP = QStringLiteral("977701");
const QString kUserQ = QStringLiteral("977702");

// The program in a child process, driven line by line on its standard input; every command
// answers one line with the messages it showed, joined by " | ".
//   login NIK HH:MM:SS     close HH:MM:SS     exit HH:MM:SS
//   profile NIK NAME PRINT (load the user, set the name and the print right)
//   save [TIMES]           (press Save, confirming, as often as told)
int workstation(const QString& address)
{
    WindowFixture desk({address, WindowFixture::deadAddress(), WindowFixture::deadAddress()});
    desk.start();
    desk.window->show();
    std::string line;
    while (std::getline(std::cin, line)) {
        const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '));
        const QString command = words.value(0);
        auto at = [&desk](const QString& time) {
            desk.clock.moment.setTime(QTime::fromString(time, QStringLiteral("HH:mm:ss")));
        };
        desk.messages.clear();
        if (command == QLatin1String("login")) {
            at(words.value(2));
            desk.login(words.value(1));
        } else if (command == QLatin1String("close")) {
            at(words.value(1));
            desk.window->close();
        } else if (command == QLatin1String("exit")) {
            at(words.value(1));
            byName<QAction>(desk.window.get(), MainWindowObjectNames::exit)->trigger();
        } else if (command == QLatin1String("profile")) {
            desk.profile->show();
            auto* niks = byName<QComboBox>(desk.profile.get(), "cbnik");
            const int index = niks->findText(words.value(1));
            niks->setCurrentIndex(index);
            emit niks->activated(index);
            byName<QLineEdit>(desk.profile.get(), "edname")->setText(words.value(2));
            byName<QLineEdit>(desk.profile.get(), "edprint")->setText(words.value(3));
        } else if (command == QLatin1String("save")) {
            auto* name = byName<QLineEdit>(desk.profile.get(), "edname");
            auto* print = byName<QLineEdit>(desk.profile.get(), "edprint");
            auto* niks = byName<QComboBox>(desk.profile.get(), "cbnik");
            const QStringList fields{niks->currentText(), name->text(), print->text()};
            for (int i = 0; i < qMax(1, words.value(1).toInt()); ++i) {
                // A save empties the fields: the user types them again for the next one.
                niks->setEditText(fields[0]);
                name->setText(fields[1]);
                print->setText(fields[2]);
                desk.messages.answers = {true};
                byName<QPushButton>(desk.profile.get(), "Button1")->click();
            }
        }
        QStringList shown;
        for (const auto& s : std::as_const(desk.messages.shown))
            shown << s.text;
        std::cout << shown.join(QStringLiteral(" | ")).toStdString() << std::endl;
    }
    return 0;
}

} // namespace

class TestTwoWorkstations : public QObject
{
    Q_OBJECT
    PrivateServer server{72};

    // A workstation process, started and logged nowhere yet.
    struct Station {
        QProcess process;
        QString send(const QString& command)
        {
            process.write(command.toUtf8() + '\n');
            while (!process.canReadLine())
                if (!process.waitForReadyRead(60000))
                    return QStringLiteral("(no answer)");
            return QString::fromUtf8(process.readLine()).trimmed();
        }
    };
    std::unique_ptr<Station> station()
    {
        auto s = std::make_unique<Station>();
        s->process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        s->process.start(QCoreApplication::applicationFilePath(), {kChildFlag, server.address()});
        if (!s->process.waitForStarted())
            qFatal("a workstation did not start");
        return s;
    }
    static void end(Station& s)
    {
        s.process.closeWriteChannel();
        if (!s.process.waitForFinished(30000))
            s.process.kill();
    }

    void execute(const QString& sql, const QVariantMap& values = {})
    {
        FbConnection c;
        c.setParams(server.params(ConnectionSet::controlDatabase()));
        c.execute(sql, values);
    }
    // Status, time and date, name and print right of a user.
    QString row(const QString& nik)
    {
        FbConnection c;
        c.setParams(server.params(ConnectionSet::controlDatabase()));
        FbQuery q(&c);
        q.setSql(QStringLiteral("select INFO6, INFO7, INFO9, INFO5 from EXTENDEDDET where "
                                "EXTENDEDTYPEID=2 and INFO1 = :NIK"));
        q.setParam(QStringLiteral("NIK"), nik);
        q.open();
        QStringList values;
        for (int i = 0; !q.eof() && i < q.fieldCount(); ++i)
            values << q.value(0, i).toString();
        return values.join(QLatin1Char('|'));
    }

private slots:
    void initTestCase() { QVERIFY2(server.start(), "the private server did not start"); }
    void cleanupTestCase() { server.stop(); }
    void init()
    {
        execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID between %1 and %2")
                    .arg(kFirstId)
                    .arg(kFirstId + 1));
        for (const auto& [id, nik] : {std::pair{kFirstId, kUserP}, {kFirstId + 1, kUserQ}})
            execute(QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, INFO1, "
                                   "INFO5, INFO6, INFO7, INFO9) values (:ID, 2, :NIK, '0', "
                                   "'Disconnected', '08:00:00', 'Awal')"),
                    {{QStringLiteral("ID"), id}, {QStringLiteral("NIK"), nik}});
    }

    // Logins and closings; B's NIK is P's or Q's. The rows as the later writer left them.
    void loginAndClose_data()
    {
        QTest::addColumn<QString>("nikB");
        QTest::addColumn<bool>("bClosesFirst");
        QTest::addColumn<QString>("rowP");
        QTest::addColumn<QString>("rowQ");
        // A logs in at 09:00:01, B at 09:00:02; the first to close at 09:00:03, the other at
        // 09:00:04. The first close of a shared user marks it; the second finds nobody online.
        QTest::newRow("same NIK, A closes first")
            << kUserP << false << "Disconnected|09:00:03|Awal|0"
            << "Disconnected|08:00:00|Awal|0";
        QTest::newRow("same NIK, B closes first")
            << kUserP << true << "Disconnected|09:00:03|Awal|0"
            << "Disconnected|08:00:00|Awal|0";
        QTest::newRow("different NIKs, A closes first")
            << kUserQ << false << "Disconnected|09:00:03|Awal|0"
            << "Disconnected|09:00:04|Awal|0";
        QTest::newRow("different NIKs, B closes first")
            << kUserQ << true << "Disconnected|09:00:04|Awal|0"
            << "Disconnected|09:00:03|Awal|0";
    }
    void loginAndClose()
    {
        QFETCH(QString, nikB);
        QFETCH(bool, bClosesFirst);
        QFETCH(QString, rowP);
        QFETCH(QString, rowQ);
        auto a = station();
        auto b = station();
        QCOMPARE(a->send(QStringLiteral("login %1 09:00:01").arg(kUserP)),
                 QStringLiteral("Selamat Datang Awal"));
        QCOMPARE(b->send(QStringLiteral("login %1 09:00:02").arg(nikB)),
                 QStringLiteral("Selamat Datang Awal"));
        QCOMPARE(row(nikB), QStringLiteral("Online|09:00:02|Awal|0"));
        const QString question = QStringLiteral("Anda yakin ingin menutup aplikasi ini ?");
        Station& first = bClosesFirst ? *b : *a;
        Station& second = bClosesFirst ? *a : *b;
        QCOMPARE(first.send(QStringLiteral("close 09:00:03")), question);
        QCOMPARE(second.send(QStringLiteral("close 09:00:04")), question);
        end(*a);
        end(*b);
        QCOMPARE(row(kUserP), rowP);
        QCOMPARE(row(kUserQ), rowQ);
    }

    // Two administrators save at once, each many times: every save goes through and the row
    // ends whole as one of them wrote it last; the other user's row keeps its own save.
    void profilesSavedAtOnce_data()
    {
        QTest::addColumn<QString>("nikB");
        QTest::newRow("same user") << kUserP;
        QTest::newRow("different users") << kUserQ;
    }
    void profilesSavedAtOnce()
    {
        QFETCH(QString, nikB);
        auto a = station();
        auto b = station();
        QVERIFY(a->send(QStringLiteral("login %1 09:00:01").arg(kAdmin)).startsWith("Selamat"));
        QVERIFY(b->send(QStringLiteral("login %1 09:00:02").arg(kAdmin)).startsWith("Selamat"));
        a->send(QStringLiteral("profile %1 DariA 1").arg(kUserP));
        b->send(QStringLiteral("profile %1 DariB 0").arg(nikB));
        constexpr int kSaves = 25;
        // Both at once: the commands go out before either answer is read.
        a->process.write(QStringLiteral("save %1\n").arg(kSaves).toUtf8());
        b->process.write(QStringLiteral("save %1\n").arg(kSaves).toUtf8());
        QStringList answers;
        for (Station* s : {a.get(), b.get()}) {
            while (!s->process.canReadLine())
                QVERIFY(s->process.waitForReadyRead(120000));
            answers << QString::fromUtf8(s->process.readLine()).trimmed();
        }
        end(*a);
        end(*b);
        const QString saved = QStringLiteral("Yakin update profile sudah benar ? | "
                                             "User profile berhasil diupdate");
        for (const QString& answer : answers)
            QCOMPARE(answer.split(QStringLiteral(" | Yakin")).size(), kSaves);
        for (const QString& answer : answers)
            QVERIFY2(!answer.contains(QStringLiteral("gagal")), qPrintable(answer.left(300)));
        QVERIFY(answers[0].startsWith(saved) && answers[1].startsWith(saved));
        // Each user's status slots are the login's own, untouched by the saves.
        const QStringList endings{QStringLiteral("Disconnected|08:00:00|DariA|1"),
                                  QStringLiteral("Disconnected|08:00:00|DariB|0")};
        if (nikB == kUserP) {
            QVERIFY2(endings.contains(row(kUserP)), qPrintable(row(kUserP)));
        } else {
            QCOMPARE(row(kUserP), endings[0]);
            QCOMPARE(row(kUserQ), endings[1]);
        }
    }

    // A user logs in at one workstation while an administrator, who loaded that user before,
    // saves the profile at another: the save keeps the login's online stamp, the stamp keeps
    // the saved profile.
    void profileSavedWhileTheUserLogsIn()
    {
        auto admin = station();
        auto user = station();
        QVERIFY(admin->send(QStringLiteral("login %1 09:00:01").arg(kAdmin)).startsWith("Selamat"));
        admin->send(QStringLiteral("profile %1 Baru 1").arg(kUserP));
        QCOMPARE(user->send(QStringLiteral("login %1 09:00:02").arg(kUserP)),
                 QStringLiteral("Selamat Datang Awal"));
        QCOMPARE(admin->send(QStringLiteral("save")),
                 QStringLiteral("Yakin update profile sudah benar ? | "
                                "User profile berhasil diupdate"));
        QCOMPARE(row(kUserP), QStringLiteral("Online|09:00:02|Baru|1"));
        QCOMPARE(user->send(QStringLiteral("exit 09:00:03")),
                 QStringLiteral("Anda yakin ingin menutup aplikasi ini ?"));
        QCOMPARE(row(kUserP), QStringLiteral("Disconnected|09:00:03|Baru|1"));
        end(*admin);
        end(*user);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == kChildFlag)
        return workstation(args.at(2));
    TestTwoWorkstations test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_two_workstations.moc"
