#include "admin/UserProfileDialog.h"
#include "admin/UserProfileRules.h"
#include "data/ConnectionSet.h"
#include "data/TextCodec.h"
#include "platform/AppContext.h"
#include "tests/support/ScriptedMessages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QtTest>

using ControlRecords::UserRecord;

// The profile editor's lists, its right fields' keys and the texts it refuses to store,
// without a database.
class TestUserProfileRules : public QObject
{
    Q_OBJECT

    static QString UserRecord::*fieldOf(const QString& column)
    {
        for (const ControlRecords::ProfileSlot& s : ControlRecords::profileSlots())
            if (QLatin1String(s.column) == column)
                return s.field;
        return nullptr;
    }

private slots:
    void lists_data()
    {
        QTest::addColumn<QStringList>("niks");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QStringList>("teams");
        QTest::addColumn<QStringList>("nikList");
        QTest::addColumn<QStringList>("sales1");
        QTest::addColumn<QStringList>("sales2");
        QTest::addColumn<QStringList>("teamList");
        QTest::newRow("teams") << QStringList{"100002", "100001"}
                               << QStringList{"Andi", "Budi", "Dewi"}
                               << QStringList{"Team Proyek", "Team Retail"}
                               << QStringList{"100002", "100001"}
                               << QStringList{"1", "All Team", "Andi", "Budi", "Dewi"}
                               << QStringList{"Andi", "Budi", "Dewi"}
                               << QStringList{"Team Proyek", "Team Retail"};
        QTest::newRow("no sales teams")
            << QStringList{"100001"} << QStringList{} << QStringList{} << QStringList{"100001"}
            << QStringList{"1"} << QStringList{} << QStringList{};
        QTest::newRow("duplicates once, first place kept")
            << QStringList{"100001", "100002", "100001"}
            << QStringList{"Andi", "1", "Andi", "All Team"} << QStringList{"Team A", "Team A"}
            << QStringList{"100001", "100002"} << QStringList{"1", "All Team", "Andi"}
            << QStringList{"Andi", "1", "All Team"} << QStringList{"Team A"};
        QTest::newRow("blank entries left out, a team row still offers All Team")
            << QStringList{"", "100001"} << QStringList{""} << QStringList{""}
            << QStringList{"100001"} << QStringList{"1", "All Team"} << QStringList{}
            << QStringList{};
    }
    void lists()
    {
        QFETCH(QStringList, niks);
        QFETCH(QStringList, members);
        QFETCH(QStringList, teams);
        const ProfileChoices c = profileChoices(niks, members, teams);
        QTEST(c.niks, "nikList");
        QTEST(c.sales1, "sales1");
        QTEST(c.sales2, "sales2");
        QTEST(c.teams, "teamList");
    }

    void storable_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width"); // of every INFO column; -1: unknown
        QTest::addColumn<int>("kind");
        QTest::addColumn<QChar>("character");
        const int none = int(ProfileProblem::Kind::None);
        const int tooLong = int(ProfileProblem::Kind::TooLong);
        const int unstorable = int(ProfileProblem::Kind::Unstorable);
        QTest::newRow("quotes") << "INFO9"
                                << "O'Neil \"Bos\" '';--" << 100 << none << QChar();
        QTest::newRow("full width") << "INFO13" << QString(100, u'é') << 100 << none << QChar();
        QTest::newRow("one over") << "INFO17" << QString(101, u'x') << 100 << tooLong << QChar();
        QTest::newRow("2000 characters")
            << "INFO9" << QString(2000, u'a') << 100 << tooLong << QChar();
        QTest::newRow("width unknown") << "INFO9" << QString(2000, u'a') << -1 << none << QChar();
        QTest::newRow("WIN1252 letters") << "INFO15"
                                         << "Ñoño Ø ½ € Š" << 100 << none << QChar();
        QTest::newRow("letters outside WIN1252")
            << "INFO14"
            << "Dewi Жуков" << 100 << unstorable << QChar(u'Ж');
    }
    void storable()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(int, width);
        UserRecord profile;
        profile.*fieldOf(column) = text;
        QHash<QString, int> widths;
        if (width >= 0)
            for (const ControlRecords::ProfileSlot& s : ControlRecords::profileSlots())
                widths.insert(QLatin1String(s.column), width);
        const ProfileProblem problem = checkProfile(profile, widths, TextCodec());
        QTEST(int(problem.kind), "kind");
        QTEST(problem.character, "character");
        if (problem) {
            QVERIFY(problem.field == fieldOf(column));
            QCOMPARE(problem.width, problem.kind == ProfileProblem::Kind::TooLong ? width : 0);
        }
    }

    void firstProblemInWritingOrder()
    {
        UserRecord profile;
        profile.dept3 = QString(101, u'x');
        profile.print = QStringLiteral("Ж");
        const ProfileProblem problem =
            checkProfile(profile, {{QStringLiteral("INFO17"), 100}}, TextCodec());
        QCOMPARE(problem.kind, ProfileProblem::Kind::Unstorable);
        QVERIFY(problem.field == &UserRecord::print);
    }

    void rightKeyRule_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("1") << int(Qt::Key_1) << "1" << true;
        QTest::newRow("0") << int(Qt::Key_0) << "0" << true;
        QTest::newRow("space") << int(Qt::Key_Space) << " " << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << true;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r" << true;
        QTest::newRow("2") << int(Qt::Key_2) << "2" << false;
        QTest::newRow("letter") << int(Qt::Key_Y) << "Y" << false;
        QTest::newRow("non-ASCII letter") << int(Qt::Key_unknown) << "é" << false;
        QTest::newRow("tab moves on") << int(Qt::Key_Tab) << "\t" << true;
        QTest::newRow("arrow moves") << int(Qt::Key_Left) << "" << true;
        QTest::newRow("delete") << int(Qt::Key_Delete) << "\x7f" << true;
        QTest::newRow("paste shortcut") << int(Qt::Key_V) << "\x16" << true;
    }
    void rightKeyRule()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QTEST(rightFieldAdmits(key, text), "admitted");
    }

    void rightFieldKeys_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("1") << "" << int(Qt::Key_1) << "1";
        QTest::newRow("0") << "" << int(Qt::Key_0) << "0";
        QTest::newRow("space") << "" << int(Qt::Key_Space) << " ";
        QTest::newRow("2 swallowed") << "" << int(Qt::Key_2) << "";
        QTest::newRow("letter swallowed") << "" << int(Qt::Key_A) << "";
        QTest::newRow("minus swallowed") << "" << int(Qt::Key_Minus) << "";
        QTest::newRow("one character only") << "1" << int(Qt::Key_0) << "1";
        QTest::newRow("backspace") << "1" << int(Qt::Key_Backspace) << "";
        QTest::newRow("enter keeps the text") << "0" << int(Qt::Key_Return) << "0";
        QTest::newRow("keypad enter") << "1" << int(Qt::Key_Enter) << "1";
    }
    void rightFieldKeys()
    {
        QFETCH(QString, before);
        QFETCH(int, key);
        ScriptedMessages messages;
        AppContext context;
        context.messages = &messages;
        ConnectionSet connections;
        UserProfileDialog dialog(connections, context);
        for (const char* name :
             {"edonline", "edadmin", "editemtobuy", "edcekpo", "edprint", "edoldstok"}) {
            auto* field = dialog.findChild<QLineEdit*>(QLatin1String(name));
            QVERIFY(field);
            field->setText(before);
            field->end(false);
            QTest::keyClick(field, Qt::Key(key));
            QTEST(field->text(), "after");
        }
        // Enter in a field presses no button: no confirmation came up.
        QVERIFY(messages.shown.isEmpty());
    }

    void pasteBringsOnlyARight()
    {
        ScriptedMessages messages;
        AppContext context;
        context.messages = &messages;
        ConnectionSet connections;
        UserProfileDialog dialog(connections, context);
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("edprint"));
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        field->paste();
        QCOMPARE(field->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("1"));
        field->paste();
        QCOMPARE(field->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestUserProfileRules)
#include "tst_user_profile_rules.moc"
