// vid_test: DB
#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/FbQuery.h"
#include "platform/AppContext.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{
// Rows of our own, so the demo users other tests expect stay as they are.
constexpr int kFirstId = 9301;
constexpr int kLastId = 9399;

const char* const kRightFields[] = {"edonline", "edadmin", "editemtobuy",
                                    "edcekpo",  "edprint", "edoldstok"};
const char* const kListFields[] = {"cbsales1", "cbsales2", "cbdept1", "cbdept2", "cbdept3"};

const QString kSaveFailed = QStringLiteral("Menyimpan gagal, ada kendala koneksi jaringan !!");
const QString kDeleteFailed =
    QStringLiteral("Meghapus gagal, data tidak ditemukan / kendala koneksi jaringan !!");

void execute(const QString& sql, const QVariantMap& params = {})
{
    FbConnection c;
    c.setParams(TestServers::lanControl());
    c.execute(sql, params);
}

void insertUser(int id, const QString& nik, const QString& name)
{
    execute(QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, INFO1, INFO5, "
                           "INFO6, INFO7, INFO8, INFO9, INFO10, INFO11, INFO12, INFO13, INFO18, "
                           "INFO19) values (:ID, 2, :NIK, '0', 'Disconnected', '08:00:00', "
                           "'01/02/2026', :NAME, '0', '0', '1', 'Andi', '0', '1')"),
            {{"ID", id}, {"NIK", nik}, {"NAME", name}});
}

// Every column of a row as text, NULL told apart from empty; empty when there is no row.
QStringList row(int id)
{
    FbConnection c;
    c.setParams(TestServers::lanControl());
    FbQuery q(&c);
    q.setSql(QStringLiteral("select * from EXTENDEDDET where EXTENDEDDETID = :ID"));
    q.setParam(QStringLiteral("ID"), id);
    q.open();
    QStringList out;
    if (!q.eof())
        for (int i = 0; i < q.fieldCount(); ++i) {
            const QVariant v = q.value(0, i);
            out << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
    return out;
}

QString slot(int id, int info)
{
    return row(id).value(info + 1); // INFOn follows EXTENDEDDETID, EXTENDEDTYPEID and INFO1..n-1
}

// All user rows, to show that an action wrote nothing anywhere.
QStringList allUsers()
{
    FbConnection c;
    c.setParams(TestServers::lanControl());
    FbQuery q(&c);
    q.setSql(QStringLiteral("select * from EXTENDEDDET where EXTENDEDTYPEID=2 "
                            "order by EXTENDEDDETID"));
    QStringList out;
    for (q.open(); !q.eof(); q.next()) {
        QStringList cells;
        for (int i = 0; i < q.fieldCount(); ++i)
            cells << q.value(q.currentRow(), i).toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The editor on the LAN test server's control database, answering from a script.
struct Editor {
    ScriptedMessages messages;
    AppContext context;
    ConnectionSet connections;
    std::unique_ptr<UserProfileDialog> dialog;

    Editor()
    {
        context.messages = &messages;
        connections.setOptions(QStringLiteral("WIN1252"), 3);
        useServer(TestServers::lan());
        dialog = std::make_unique<UserProfileDialog>(connections, context);
    }
    void useServer(const QString& host)
    {
        connections.setControlServer(host, ConnectionSet::kLanPort);
    }

    QComboBox* combo(const char* name) const
    {
        return dialog->findChild<QComboBox*>(QLatin1String(name));
    }
    QLineEdit* edit(const char* name) const
    {
        return dialog->findChild<QLineEdit*>(QLatin1String(name));
    }
    QStringList items(const char* name) const
    {
        QStringList out;
        const QComboBox* c = combo(name);
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    void show()
    {
        dialog->show();
        messages.clear();
    }
    // As a choice from the drop-down list does.
    void choose(const QString& nik)
    {
        QComboBox* c = combo("cbnik");
        const int index = c->findText(nik, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY2(index >= 0, qPrintable(nik));
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    void setText(const char* name, const QString& text)
    {
        if (QComboBox* c = combo(name))
            c->setEditText(text);
        else
            edit(name)->setText(text);
    }
    QString text(const char* name) const
    {
        if (const QComboBox* c = combo(name))
            return c->currentText();
        return edit(name)->text();
    }
    // The texts of NIK, name, rights and lists, in that order.
    QStringList fields() const
    {
        QStringList out{text("cbnik"), text("edname")};
        for (const char* f : kRightFields)
            out << text(f);
        for (const char* f : kListFields)
            out << text(f);
        return out;
    }
    void press(const char* button, bool answer = true)
    {
        messages.answers = {answer};
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
};
} // namespace

// The user profile editor against the control database: lists, loading, saving, deleting,
// and what stays as it was when the user cancels or the database fails.
class TestUserProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        // A server that refuses a write of its own accord, for the failing writes.
        execute(QStringLiteral("create or alter exception TST_PROFILE_REFUSED 'Ditolak'"));
        execute(QStringLiteral(
            "create or alter trigger TST_PROFILE_REFUSE for EXTENDEDDET before update or delete "
            "as begin if ((updating and new.INFO9 = 'Tolak Simpan') or "
            "(deleting and old.INFO9 = 'Tolak Hapus')) then exception TST_PROFILE_REFUSED; end"));
    }
    void cleanupTestCase()
    {
        execute(QStringLiteral("drop trigger TST_PROFILE_REFUSE"));
        execute(QStringLiteral("drop exception TST_PROFILE_REFUSED"));
    }
    void init()
    {
        cleanup();
        insertUser(kFirstId, QStringLiteral("900001"), QStringLiteral("Uji Satu"));
        insertUser(kFirstId + 1, QStringLiteral("900002"), QStringLiteral("Uji Dua"));
    }
    void cleanup()
    {
        execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID between %1 and %2")
                    .arg(kFirstId)
                    .arg(kLastId));
    }

    void listsOnEveryShowing()
    {
        Editor e;
        e.show();
        // Budi is in two teams; he is offered once.
        const QStringList sales{"Andi", "Budi", "Citra", "Dewi", "Eko", "Ma'ruf", "Fajar"};
        const QStringList teams{"Team Proyek", "Team Retail", "Team Solo", "Team Timur"};
        for (int showing = 0; showing < 2; ++showing) {
            const QStringList niks = e.items("cbnik");
            for (const char* nik : {"100001", "100003", "100007", "12345", "900001", "900002"})
                QCOMPARE(niks.count(QLatin1String(nik)), 1);
            QCOMPARE(niks.size(), QSet<QString>(niks.begin(), niks.end()).size());
            QCOMPARE(e.items("cbsales1"), (QStringList{"1", "All Team"} + sales));
            QCOMPARE(e.items("cbsales2"), sales);
            for (const char* dept : {"cbdept1", "cbdept2", "cbdept3"}) {
                QStringList offered = e.items(dept);
                offered.sort();
                QCOMPARE(offered, teams);
            }
            e.dialog->hide();
            e.show();
        }
        QVERIFY(e.messages.shown.isEmpty());

        // The next showing takes the records as they are then; the fields start empty.
        e.choose(QStringLiteral("900001"));
        e.dialog->hide();
        execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID = %1").arg(kFirstId));
        insertUser(kFirstId + 2, QStringLiteral("900003"), QStringLiteral("Uji Tiga"));
        e.show();
        QVERIFY(!e.items("cbnik").contains(QStringLiteral("900001")));
        QCOMPARE(e.items("cbnik").count(QStringLiteral("900003")), 1);
        for (const QString& f : e.fields())
            QCOMPARE(f, QString());
    }

    void typingLoadsNothingChoosingLoads()
    {
        Editor e;
        e.show();
        QTest::keyClicks(e.combo("cbnik")->lineEdit(), QStringLiteral("100003"));
        QCOMPARE(e.fields(), QStringList{"100003"} + QStringList(12));
        e.choose(QStringLiteral("100003"));
        // NIK, name, then Cek Online, Admin, Item to Buy, PO / HPP, Print, Old Stock, lists.
        QCOMPARE(e.fields(), (QStringList{"100003", "Rina Campuran", "", "", "1", "Y", "1", "0",
                                          "Budi", "Citra", "", "", ""}));
        QVERIFY(e.messages.shown.isEmpty());
    }

    void roundTrip()
    {
        Editor e;
        e.show();
        const QStringList before = row(kFirstId);
        e.choose(QStringLiteral("900001"));
        QCOMPARE(e.text("edname"), QStringLiteral("Uji Satu"));
        e.setText("edname", QStringLiteral("Uji Satu Baru"));
        for (const char* f : kRightFields) {
            QLineEdit* field = e.edit(f);
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Backspace);
            QTest::keyClick(field, f == kRightFields[3] ? Qt::Key_Space : Qt::Key_1);
        }
        e.setText("cbsales1", QStringLiteral("All Team"));
        e.setText("cbsales2", QStringLiteral("Dewi"));
        e.setText("cbdept1", QStringLiteral("Team Proyek"));
        e.setText("cbdept2", QStringLiteral("Team Baru"));
        e.setText("cbdept3", QString());
        const QStringList edited = e.fields();

        e.press("Button1");
        QCOMPARE(e.messages.texts(), (QStringList{"Yakin update profile sudah benar ?",
                                                  "User profile berhasil diupdate"}));
        QCOMPARE(e.messages.shown[0].kind, Messages::Kind::Confirmation);
        QCOMPARE(e.messages.shown[1].kind, Messages::Kind::Information);
        for (const QString& f : e.fields())
            QCOMPARE(f, QString());
        QVERIFY(e.items("cbnik").contains(QStringLiteral("900001")));

        QStringList expected = before;
        const QList<QPair<int, QString>> written{{5, "1"},          {9, "Uji Satu Baru"},
                                                 {10, "1"},         {11, "1"},
                                                 {12, "1"},         {13, "All Team"},
                                                 {14, "Dewi"},      {15, "Team Proyek"},
                                                 {16, "Team Baru"}, {17, ""},
                                                 {18, " "},         {19, "1"}};
        for (const auto& [info, text] : written)
            expected[info + 1] = text;
        QCOMPARE(row(kFirstId), expected); // the NIK and the status slots stay
        e.messages.clear();
        e.choose(QStringLiteral("900001"));
        QCOMPARE(e.fields(), edited);

        e.press("Button2");
        QCOMPARE(e.messages.texts(),
                 (QStringList{"Yakin Hapus NIK 900001 ? ", "User profile berhasil dihapus"}));
        QCOMPARE(e.messages.shown[0].kind, Messages::Kind::Confirmation);
        QCOMPARE(e.messages.shown[1].kind, Messages::Kind::Information);
        QVERIFY(row(kFirstId).isEmpty());
        QCOMPARE(row(kFirstId + 1).value(2), QStringLiteral("900002"));
        for (const QString& f : e.fields())
            QCOMPARE(f, QString());
        // The list keeps the deleted NIK until the next showing.
        QVERIFY(e.items("cbnik").contains(QStringLiteral("900001")));
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("save") << "Button1";
        QTest::newRow("delete") << "Button2";
    }
    void cancelChangesNothing()
    {
        QFETCH(QString, button);
        Editor e;
        e.show();
        e.choose(QStringLiteral("900001"));
        e.setText("edname", QStringLiteral("Tidak Jadi"));
        e.setText("edprint", QStringLiteral("1"));
        const QStringList users = allUsers();
        const QStringList fields = e.fields();
        e.press(button.toLatin1().constData(), false);
        QCOMPARE(e.messages.shown.size(), 1);
        QCOMPARE(e.messages.shown[0].kind, Messages::Kind::Confirmation);
        QCOMPARE(allUsers(), users);
        QCOMPARE(e.fields(), fields);
    }

    void nikGoneSinceTheList()
    {
        Editor e;
        e.show();
        e.choose(QStringLiteral("900002"));
        const QStringList shown = e.fields();
        execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID = %1").arg(kFirstId));
        e.choose(QStringLiteral("900001"));
        QCOMPARE(e.messages.texts(), QStringList{"NIK tidak ditemukan"});
        QCOMPARE(e.messages.shown[0].caption, QStringLiteral("Error"));
        // The fields keep what they showed, apart from the NIK chosen.
        QCOMPARE(e.fields().mid(1), shown.mid(1));

        // Save and Delete of a NIK without a record write nothing and say nothing more.
        const QStringList users = allUsers();
        for (const char* button : {"Button1", "Button2"}) {
            e.messages.clear();
            e.press(button);
            QCOMPARE(e.messages.shown.size(), 1);
            QCOMPARE(e.messages.shown[0].kind, Messages::Kind::Confirmation);
            QCOMPARE(allUsers(), users);
        }
    }

    void failedWriteLeavesTheRow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("unreachable"); // otherwise the server refuses the write
        QTest::addColumn<QString>("warning");
        QTest::newRow("save, server unreachable") << "Button1" << true << kSaveFailed;
        QTest::newRow("save, server refuses") << "Button1" << false << kSaveFailed;
        QTest::newRow("delete, server unreachable") << "Button2" << true << kDeleteFailed;
        QTest::newRow("delete, server refuses") << "Button2" << false << kDeleteFailed;
    }
    void failedWriteLeavesTheRow()
    {
        QFETCH(QString, button);
        QFETCH(bool, unreachable);
        QFETCH(QString, warning);
        const bool save = button == QLatin1String("Button1");
        if (!unreachable && !save)
            execute(QStringLiteral("update EXTENDEDDET set INFO9 = 'Tolak Hapus' where "
                                   "EXTENDEDDETID = %1")
                        .arg(kFirstId));
        Editor e;
        e.show();
        e.choose(QStringLiteral("900001"));
        e.setText("edonline", QStringLiteral("1"));
        if (!unreachable && save)
            e.setText("edname", QStringLiteral("Tolak Simpan"));
        if (unreachable)
            e.useServer(WindowFixture::deadAddress());
        const QStringList before = row(kFirstId);
        const QStringList fields = e.fields();

        e.press(button.toLatin1().constData());
        QCOMPARE(e.messages.texts(Messages::Kind::Warning), QStringList{warning});
        QCOMPARE(e.messages.shown.size(), 2);
        QCOMPARE(row(kFirstId), before);
        QCOMPARE(e.fields(), fields);
        QVERIFY(!QGuiApplication::overrideCursor());

        // Once the fault is gone the same window does it.
        if (unreachable)
            e.useServer(TestServers::lan());
        else if (save)
            e.setText("edname", QStringLiteral("Boleh Simpan"));
        else
            execute(QStringLiteral("update EXTENDEDDET set INFO9 = 'Boleh' where "
                                   "EXTENDEDDETID = %1")
                        .arg(kFirstId));
        e.messages.clear();
        e.press(button.toLatin1().constData());
        QCOMPARE(e.messages.texts().value(1),
                 save ? QStringLiteral("User profile berhasil diupdate")
                      : QStringLiteral("User profile berhasil dihapus"));
        if (save)
            QCOMPARE(slot(kFirstId, 10), QStringLiteral("1"));
        else
            QVERIFY(row(kFirstId).isEmpty());
    }

    void unreachableOnShowingAndChoosing()
    {
        Editor e;
        e.useServer(WindowFixture::deadAddress());
        e.dialog->show();
        QCOMPARE(e.messages.texts(Messages::Kind::Error).size(), 1);
        QVERIFY(!e.messages.texts(Messages::Kind::Error)[0].isEmpty());
        QCOMPARE(e.combo("cbnik")->count(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());

        e.useServer(TestServers::lan());
        e.dialog->hide();
        e.show();
        e.choose(QStringLiteral("900001"));
        QCOMPARE(e.text("edname"), QStringLiteral("Uji Satu"));
        e.useServer(WindowFixture::deadAddress());
        e.choose(QStringLiteral("900002"));
        QCOMPARE(e.messages.texts(Messages::Kind::Error).size(), 1);
        QCOMPARE(e.text("edname"), QStringLiteral("Uji Satu"));
    }

    void hostileTexts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("info");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: stored exactly
        QTest::newRow("quotes and a statement")
            << "edname" << 9 << "O'Neil \"Bos\" ''; delete from EXTENDEDDET; --"
            << "";
        QTest::newRow("full column of non-ASCII letters")
            << "cbsales1" << 13 << QString(100, u'é') << "";
        QTest::newRow("WIN1252 letters") << "cbdept3" << 17 << "Ñoño Ø ½ € Š"
                                         << "";
        QTest::newRow("2000 characters")
            << "edname" << 9 << QString(2000, u'a')
            << "Isian \"User\" terlalu panjang: paling banyak 100 karakter, terisi 2000.";
        QTest::newRow("one over the column")
            << "cbsales2" << 14 << QString(101, u'b')
            << "Isian \"Sales 2\" terlalu panjang: paling banyak 100 karakter, terisi 101.";
        QTest::newRow("letters outside WIN1252")
            << "cbdept1" << 15 << "Tim Жуков"
            << "Isian \"Dept 1\" berisi huruf \"Ж\" yang tidak dapat disimpan.";
    }
    void hostileTexts()
    {
        QFETCH(QString, field);
        QFETCH(int, info);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        Editor e;
        e.show();
        e.choose(QStringLiteral("900001"));
        e.setText(field.toLatin1().constData(), text);
        const QStringList before = row(kFirstId);
        const QStringList fields = e.fields();
        e.press("Button1");
        if (!refusal.isEmpty()) {
            QCOMPARE(e.messages.texts(), QStringList{refusal});
            QCOMPARE(e.messages.shown[0].kind, Messages::Kind::Warning);
            QCOMPARE(row(kFirstId), before);
            QCOMPARE(e.fields(), fields);
            return;
        }
        QCOMPARE(e.messages.texts().value(1), QStringLiteral("User profile berhasil diupdate"));
        QCOMPARE(slot(kFirstId, info), text);
        e.choose(QStringLiteral("900001"));
        QCOMPARE(e.text(field.toLatin1().constData()), text);
    }

    void hostileNiks_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::newRow("quotes") << "O'Neil \"9\" ''";
        QTest::newRow("non-ASCII and blanks") << " Ñandú 900004 ";
        QTest::newRow("full column") << QString(100, u'9');
    }
    void hostileNiks()
    {
        QFETCH(QString, nik);
        insertUser(kFirstId + 10, nik, QStringLiteral("Nama Lama"));
        Editor e;
        e.show();
        e.choose(nik);
        QCOMPARE(e.text("edname"), QStringLiteral("Nama Lama"));
        e.setText("edname", QStringLiteral("Nama Baru"));
        e.press("Button1");
        QCOMPARE(e.messages.texts().value(1), QStringLiteral("User profile berhasil diupdate"));
        QCOMPARE(slot(kFirstId + 10, 1), nik);
        QCOMPARE(slot(kFirstId + 10, 9), QStringLiteral("Nama Baru"));
        e.messages.clear();
        e.choose(nik);
        e.press("Button2");
        QCOMPARE(e.messages.texts(),
                 (QStringList{"Yakin Hapus NIK " + nik + " ? ", "User profile berhasil dihapus"}));
        QVERIFY(row(kFirstId + 10).isEmpty());
    }

    void typedNiksWithoutRecord_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::newRow("quotes") << "900001' or '1'='1";
        QTest::newRow("2000 characters") << QString(2000, u'9');
        QTest::newRow("case counts") << "ABC";
        QTest::newRow("blanks count") << "900001 ";
    }
    void typedNiksWithoutRecord()
    {
        QFETCH(QString, nik);
        insertUser(kFirstId + 10, QStringLiteral("abc"), QStringLiteral("Huruf Kecil"));
        Editor e;
        e.show();
        e.setText("cbnik", nik);
        e.setText("edname", QStringLiteral("Siapa"));
        const QStringList users = allUsers();
        for (const char* button : {"Button1", "Button2"}) {
            e.messages.clear();
            e.press(button);
            QCOMPARE(e.messages.shown.size(), 1);
            QCOMPARE(allUsers(), users);
        }
    }

    void menuOpensTheEditorForAdministrators()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100001")));
        auto* entry = f.window->findChild<QAction*>(QStringLiteral("UserProfile1"));
        QVERIFY(entry->isVisible());
        bool opened = false;
        QTimer::singleShot(0, f.profile.get(), [&] {
            opened =
                f.profile->isVisible() && f.profile->findChild<QComboBox*>(QStringLiteral("cbnik"))
                                                  ->findText(QStringLiteral("100001")) >= 0;
            f.profile->reject();
        });
        entry->trigger();
        QVERIFY(opened);
    }
};

QTEST_MAIN(TestUserProfile)
#include "tst_user_profile.moc"
