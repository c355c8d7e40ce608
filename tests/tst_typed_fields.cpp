// vid_test: DB
#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/MainWindowObjectNames.h"
#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "data/TextCodec.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/StockObjectNames.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/PrivateServer.h"
#include "tests/support/WindowFixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// Every field a user types into, with the texts that break hand-made statements: nothing
// breaks, no database changes but by the action's own write, and the program finds what a
// direct statement with the text bound as a parameter finds. Where the database cannot hold
// the text, the direct statement fails too, and the user is told.
namespace
{

namespace StockNames = StockObjectNames;

QList<QPair<const char*, QString>> inputs()
{
    return {{"quotes", QStringLiteral("O'Neil \"9\" ''")},
            {"percent", QStringLiteral("%")},
            {"underscore", QStringLiteral("_")},
            {"double dash", QStringLiteral("-- x")},
            {"semicolon", QStringLiteral("; delete from ITEM")},
            {"block comment", QStringLiteral("/* */")},
            {"e acute u umlaut", QStringLiteral("é ü")},
            {"Cyrillic", QStringLiteral("Жуков")},
            {"emoji", QStringLiteral("😀")},
            {"tab", QStringLiteral("a\tb")},
            {"2 000 characters", QString(2000, QLatin1Char('k'))},
            {"20 000 characters", QString(20000, QLatin1Char('k'))},
            {"empty", QString()}};
}

const char* const kFields[] = {"NIK",          "description",  "code",
                               "type",         "sales name",   "sales date",
                               "profile name", "profile list", "profile NIK"};

// Rows of this test alone, one per input, holding the input where the column can.
constexpr int kFirstUserId = 9600;   // users with NIK "10000" + input
constexpr int kProfileUserId = 9599; // the user the profile editor changes
const QString kProfileNik = QStringLiteral("955599");
const QString kNikPrefix = QStringLiteral("10000");

// What a direct statement gives: its first column, or the database's refusal.
struct Direct {
    QStringList rows;
    QString error;
};

} // namespace

class TestTypedFields : public QObject
{
    Q_OBJECT
    PrivateServer server{71};
    std::unique_ptr<WindowFixture> m_desk;
    QString m_deskField;

    ConnectionParams params(const QString& database, const QString& charset = {}) const
    {
        ConnectionParams p = server.params(database);
        if (!charset.isEmpty())
            p.charset = charset;
        return p;
    }
    QString krt() const { return ConnectionSet::krtDatabase(QStringLiteral("2025")); }

    // The text bound as it was typed, on a UTF8 connection: the database itself says
    // whether its character set holds the text.
    Direct direct(const QString& database, const QString& sql, const QString& text)
    {
        Direct out;
        // Text the database's character set holds goes as such; other text goes in UTF8,
        // for the database to refuse.
        const bool holds = TextCodec().firstUnencodable(text).isNull();
        FbConnection c;
        c.setParams(params(database, holds ? QString() : QStringLiteral("UTF8")));
        FbQuery q(&c);
        q.setSql(sql);
        if (!q.paramNames().isEmpty())
            q.setParam(QStringLiteral("TEXT"), text);
        try {
            for (q.open(); !q.eof(); q.next())
                out.rows << q.value(q.currentRow(), 0).toString();
        } catch (const DbError& e) {
            out.error = e.message();
        }
        out.rows.sort();
        return out;
    }

    void execute(const QString& database, const QString& sql, const QVariantMap& values)
    {
        FbConnection c;
        c.setParams(params(database));
        c.execute(sql, values);
    }

    // Every row the program could change or a statement could damage, by table and key.
    QMap<QString, QString> fingerprint()
    {
        QMap<QString, QString> rows;
        const QPair<QString, QString> tables[] = {
            {ConnectionSet::controlDatabase(),
             QStringLiteral("select 'EXTENDEDDET:' || EXTENDEDDETID, a.* from EXTENDEDDET a")},
            {krt(), QStringLiteral("select 'ITEM:' || ITEMNO, a.* from ITEM a")},
            {krt(), QStringLiteral("select 'SALESMAN:' || SALESMANID, a.* from SALESMAN a")},
            {krt(), QStringLiteral("select 'ARINV:' || ARINVOICEID, a.* from ARINV a")},
            {ConnectionSet::oldStockDatabase(),
             QStringLiteral("select 'OLD:' || ITEMNO, a.* from ITEM a")}};
        for (const auto& [database, sql] : tables) {
            FbConnection c;
            c.setParams(params(database));
            FbQuery q(&c);
            q.setSql(sql);
            for (q.open(); !q.eof(); q.next()) {
                QStringList values;
                for (int i = 1; i < q.fieldCount(); ++i)
                    values << q.value(q.currentRow(), i).toString();
                rows.insert(q.value(q.currentRow(), 0).toString(), values.join(QLatin1Char('|')));
            }
        }
        return rows;
    }
    // The keys of the rows that differ.
    static QStringList changed(const QMap<QString, QString>& before,
                               const QMap<QString, QString>& after)
    {
        QStringList keys;
        for (auto it = before.begin(); it != before.end(); ++it)
            if (after.value(it.key()) != it.value())
                keys << it.key();
        for (auto it = after.begin(); it != after.end(); ++it)
            if (!before.contains(it.key()))
                keys << it.key();
        return keys;
    }

    // A logged-in window for the field's rows, reused while the field stays the same.
    WindowFixture& desk(const QString& field, bool fresh = false)
    {
        if (fresh || !m_desk || m_deskField != field) {
            m_desk.reset();
            m_desk = std::make_unique<WindowFixture>(WindowFixture::Servers{
                server.address(), WindowFixture::deadAddress(), WindowFixture::deadAddress()});
            m_deskField = field;
        }
        m_desk->messages.clear();
        return *m_desk;
    }

    // The window for a field's row: started for the NIK, else logged in, with the sales
    // window up for its fields.
    WindowFixture& prepared(const QString& field)
    {
        const bool nik = field == QLatin1String("NIK");
        WindowFixture& d = desk(field, nik);
        if (nik) {
            d.start();
        } else if (!d.window->loggedIn()) {
            d.login(QStringLiteral("100001"));
            if (field.startsWith(QLatin1String("sales"))) {
                d.omset->show();
                QTest::qWait(20);
            }
        }
        d.messages.clear();
        return d;
    }

    static QStringList gridItems(WindowFixture& d)
    {
        QueryTableModel* model = d.window->stockView().dataSource(0);
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList items;
        for (int r = 0; r < model->rowCount(); ++r)
            items << model->query()->value(r, 0).toString();
        items.sort();
        return items;
    }

    // Key by key, as a keyboard types: letters beyond ASCII included.
    static void typeKeys(QWidget* widget, const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
            const QString key = text.mid(i, length);
            i += length - 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
            QCoreApplication::sendEvent(widget, &press);
            QCoreApplication::sendEvent(widget, &release);
        }
    }

    static QString salesFigures(WindowFixture& d)
    {
        QStringList out;
        for (const char* label : {"lbldivisi", "lblomset", "lbltarget", "lblpersen"})
            out << byName<QLabel>(d.omset.get(), label)->text();
        return out.join(QLatin1Char('|'));
    }
    static void typeSalesName(WindowFixture& d, const QString& text)
    {
        QLineEdit* edit = byName<QComboBox>(d.omset.get(), "cbnamasales")->lineEdit();
        edit->setText(text);
        emit edit->textEdited(text); // as typing does: the list completes the text
    }

    // What a stock search finds and what the same condition finds directly.
    void stockSearch(WindowFixture& d, const QString& input, const char* source,
                     const char* fieldName, const QString& database, const QString& condition)
    {
        auto* field = byName<QLineEdit>(d.window.get(), fieldName);
        byName<QRadioButton>(d.window.get(), source)->setChecked(true);
        field->setText(input);
        const QString typed = field->text();
        QTest::keyClick(field, Qt::Key_Return);
        const Direct expected = direct(
            database,
            QStringLiteral("select a.ITEMNO from ITEM a where a.ITEMDESCRIPTION containing '' "
                           "and a.ITEMNO containing '' and ") +
                condition +
                QStringLiteral(" and a.ITEMTYPE=0 and left(a.ITEMNO,1) in ('3','5','7','9')"),
            typed);
        const QStringList errors = d.messages.texts(Messages::Kind::Error);
        if (!expected.error.isEmpty()) {
            QCOMPARE(errors.size(), 1);
            QVERIFY(gridItems(d).isEmpty());
            return;
        }
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(gridItems(d), expected.rows);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), "the private server did not start");
        // Rows that hold each input where the column can: the searches must find exactly
        // these, as the direct statement does.
        const TextCodec codec;
        int n = 0;
        for (const auto& [tag, text] : inputs()) {
            ++n;
            if (!codec.firstUnencodable(text).isNull())
                continue;
            const QString nik = kNikPrefix + text;
            if (nik.size() <= 100)
                execute(ConnectionSet::controlDatabase(),
                        QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, "
                                       "INFO1, INFO9, INFO13) values (:ID, 2, :NIK, :NAME, '1')"),
                        {{QStringLiteral("ID"), kFirstUserId + n},
                         {QStringLiteral("NIK"), nik},
                         {QStringLiteral("NAME"), QStringLiteral("Uji %1").arg(n)}});
            const QString description = QStringLiteral("Uji ") + text + QStringLiteral(" Barang");
            if (description.size() <= 100)
                execute(krt(),
                        QStringLiteral("insert into ITEM (ITEMNO, ITEMDESCRIPTION) values (:NO, "
                                       ":TEXT)"),
                        {{QStringLiteral("NO"), QStringLiteral("3-U%1").arg(n)},
                         {QStringLiteral("TEXT"), description}});
            const QString code = QStringLiteral("3-V%1").arg(n) + text;
            if (code.size() <= 30)
                execute(krt(),
                        QStringLiteral("insert into ITEM (ITEMNO, ITEMDESCRIPTION) values (:NO, "
                                       "'Uji kode')"),
                        {{QStringLiteral("NO"), code}});
            if (text.size() < 190)
                execute(ConnectionSet::oldStockDatabase(),
                        QStringLiteral("insert into ITEM (ITEMNO, ITEMDESCRIPTION, NOTES) values "
                                       "(:NO, 'Uji tipe', :TEXT)"),
                        {{QStringLiteral("NO"), QStringLiteral("3-W%1").arg(n)},
                         {QStringLiteral("TEXT"), QStringLiteral("Uji ") + text}});
        }
        // A question mark stands in for every letter a character set lacks: a search for
        // such letters must not find it.
        execute(krt(),
                QStringLiteral("insert into ITEM (ITEMNO, ITEMDESCRIPTION) values ('3-Q1', "
                               "'Tanya ?? ? Barang')"),
                {});
        execute(ConnectionSet::controlDatabase(),
                QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, INFO1, "
                               "INFO9) values (:ID, 2, :NIK, 'Belum')"),
                {{QStringLiteral("ID"), kProfileUserId}, {QStringLiteral("NIK"), kProfileNik}});
    }
    void cleanupTestCase()
    {
        m_desk.reset();
        server.stop();
    }

    void typed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        for (const char* field : kFields)
            for (const auto& [tag, text] : inputs())
                QTest::addRow("%s / %s", field, tag) << QString::fromLatin1(field) << text;
    }
    void typed()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        WindowFixture& d = prepared(field);
        const QMap<QString, QString> before = fingerprint();
        QStringList mayChange; // the rows the action itself writes

        if (field == QLatin1String("NIK")) {
            auto* nik = byName<QLineEdit>(d.window.get(), MainWindowObjectNames::nikEdit);
            nik->setText(kNikPrefix + input);
            const QString typed = nik->text();
            QTest::keyClick(nik, Qt::Key_Return);
            const Direct user = direct(
                ConnectionSet::controlDatabase(),
                QStringLiteral("select EXTENDEDDETID from EXTENDEDDET where EXTENDEDTYPEID=2 and "
                               "INFO1 = cast(:TEXT as varchar(32000) character set WIN1252)"),
                typed);
            if (typed.size() < 6) {
                // Too short to be looked up.
                QCOMPARE(d.messages.texts(), QStringList());
                QVERIFY(!d.window->loggedIn());
            } else if (!user.error.isEmpty()) {
                QCOMPARE(d.messages.texts(Messages::Kind::Error).size(), 1);
                QVERIFY(!d.window->loggedIn());
            } else if (user.rows.isEmpty()) {
                QCOMPARE(d.messages.texts(), QStringList());
                QVERIFY(!d.window->loggedIn());
            } else {
                QCOMPARE(user.rows.size(), 1);
                QVERIFY(d.window->loggedIn());
                QCOMPARE(d.window->loginState().nik, typed);
                mayChange << QStringLiteral("EXTENDEDDET:") + user.rows.first();
            }
        } else if (field == QLatin1String("description")) {
            stockSearch(d, input, StockNames::krtOnlyButton, StockNames::descriptionEdit, krt(),
                        QStringLiteral("a.ITEMDESCRIPTION containing cast(:TEXT as "
                                       "varchar(32000) character set WIN1252)"));
        } else if (field == QLatin1String("code")) {
            stockSearch(
                d, input, StockNames::krtOnlyButton, StockNames::codeEdit, krt(),
                QStringLiteral(
                    "a.ITEMNO containing cast(:TEXT as varchar(32000) character set WIN1252)"));
        } else if (field == QLatin1String("type")) {
            stockSearch(
                d, input, StockNames::oldStockButton, StockNames::typeEdit,
                ConnectionSet::oldStockDatabase(),
                QStringLiteral(
                    "a.NOTES containing cast(:TEXT as varchar(32000) character set WIN1252)"));
        } else if (field == QLatin1String("sales name")) {
            // A name no team and no salesman has: what every such name must give.
            typeSalesName(d, QStringLiteral("Tidak Ada Siapapun"));
            byName<QPushButton>(d.omset.get(), "btncek")->click();
            const QString nobody = salesFigures(d);
            d.messages.clear();
            typeSalesName(d, input);
            const QString typed = byName<QComboBox>(d.omset.get(), "cbnamasales")->currentText();
            byName<QPushButton>(d.omset.get(), "btncek")->click();
            Direct found = direct(
                ConnectionSet::controlDatabase(),
                QStringLiteral("select INFO2 from EXTENDEDDET where "
                               "EXTENDEDTYPEID=8 and (INFO1 = cast(:TEXT as "
                               "varchar(32000) character set WIN1252) or INFO2 = cast(:TEXT as "
                               "varchar(32000) character set WIN1252))"),
                typed);
            const Direct salesmen = direct(krt(),
                                           QStringLiteral("select FIRSTNAME from SALESMAN where "
                                                          "FIRSTNAME = cast(:TEXT as "
                                                          "varchar(32000) character set WIN1252)"),
                                           typed);
            found.rows += salesmen.rows;
            QVERIFY2(found.rows.isEmpty(), qPrintable(found.rows.join(QLatin1Char(','))));
            if (typed.isEmpty()) {
                QCOMPARE(d.messages.texts(), QStringList());
            } else if (!found.error.isEmpty() || !salesmen.error.isEmpty()) {
                QCOMPARE(d.messages.texts(Messages::Kind::Error).size(), 1);
            } else {
                QVERIFY2(d.messages.texts().isEmpty(),
                         qPrintable(d.messages.texts().join(QLatin1Char('\n')).left(300)));
                QCOMPARE(salesFigures(d), nobody);
            }
        } else if (field == QLatin1String("sales date")) {
            auto* box = byName<QComboBox>(d.omset.get(), "cbnamasales");
            box->setCurrentIndex(box->findText(QStringLiteral("Andi")));
            auto* start = byName<QDateEdit>(d.omset.get(), "DateAwal");
            start->setFocus();
            typeKeys(start, input);
            QVERIFY(start->date().isValid());
            byName<QPushButton>(d.omset.get(), "btncek")->click();
            const QString typedFigures = salesFigures(d);
            // The same period chosen without typing gives the same figures.
            start->setDate(start->date());
            byName<QPushButton>(d.omset.get(), "btncek")->click();
            QCOMPARE(salesFigures(d), typedFigures);
            QCOMPARE(d.messages.texts(Messages::Kind::Error), QStringList());
        } else {
            // The profile editor: the name, a list field, or the NIK typed instead of chosen.
            d.profile->show();
            auto* niks = byName<QComboBox>(d.profile.get(), "cbnik");
            const bool typedNik = field == QLatin1String("profile NIK");
            if (typedNik) {
                niks->setEditText(kNikPrefix + input);
                byName<QLineEdit>(d.profile.get(), "edname")->setText(QStringLiteral("Disimpan"));
            } else {
                const int index = niks->findText(kProfileNik);
                niks->setCurrentIndex(index);
                emit niks->activated(index);
            }
            QString typed;
            if (field == QLatin1String("profile name")) {
                auto* name = byName<QLineEdit>(d.profile.get(), "edname");
                name->setText(input);
                typed = name->text();
            } else if (field == QLatin1String("profile list")) {
                auto* list = byName<QComboBox>(d.profile.get(), "cbdept1");
                list->setEditText(input);
                typed = list->currentText();
            } else {
                typed = niks->currentText();
            }
            d.messages.clear();
            d.messages.answers = {true};
            byName<QPushButton>(d.profile.get(), "Button1")->click();
            // What the column takes, by the database's own conversion.
            const Direct fits = direct(
                ConnectionSet::controlDatabase(),
                QStringLiteral("select cast(cast(:TEXT as varchar(32000) character set WIN1252) "
                               "as varchar(100)) from RDB$DATABASE"),
                typed);
            if (typedNik) {
                const Direct user =
                    direct(ConnectionSet::controlDatabase(),
                           QStringLiteral("select EXTENDEDDETID from EXTENDEDDET "
                                          "where EXTENDEDTYPEID=2 and INFO1 = "
                                          "cast(:TEXT as varchar(32000) character set WIN1252)"),
                           typed);
                if (!user.rows.isEmpty()) {
                    QCOMPARE(d.messages.texts(Messages::Kind::Information),
                             QStringList{QStringLiteral("User profile berhasil diupdate")});
                    mayChange << QStringLiteral("EXTENDEDDET:") + user.rows.first();
                } else {
                    // Nobody to save: nothing written, at most a refusal of the text.
                    QVERIFY(d.messages.texts(Messages::Kind::Information).isEmpty());
                }
            } else if (fits.error.isEmpty()) {
                QCOMPARE(d.messages.texts(Messages::Kind::Information),
                         QStringList{QStringLiteral("User profile berhasil diupdate")});
                mayChange << QStringLiteral("EXTENDEDDET:%1").arg(kProfileUserId);
                const Direct stored = direct(
                    ConnectionSet::controlDatabase(),
                    QStringLiteral("select %1 from EXTENDEDDET where EXTENDEDDETID = %2")
                        .arg(field == QLatin1String("profile name") ? QStringLiteral("INFO9")
                                                                    : QStringLiteral("INFO15"))
                        .arg(kProfileUserId),
                    QString());
                QCOMPARE(stored.rows.value(0), typed);
            } else {
                QCOMPARE(d.messages.texts(Messages::Kind::Warning).size(), 1);
            }
            QCOMPARE(d.messages.texts(Messages::Kind::Error), QStringList());
            d.profile->hide();
        }

        QStringList differ = changed(before, fingerprint());
        for (const QString& key : std::as_const(mayChange))
            differ.removeAll(key);
        QCOMPARE(differ, QStringList());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestTypedFields)
#include "tst_typed_fields.moc"
