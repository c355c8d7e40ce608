#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/QtMessages.h"
#include "tests/support/WindowFixture.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// Window and message box titles are exactly the program's own.
class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { nameApplication(); }

    void noDisplayNameForThePlatformToAppend()
    {
        // A display name set apart from the application name is appended to every title.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }

    void mainWindow()
    {
        const QString dead = WindowFixture::deadAddress();
        WindowFixture f({dead, dead, dead});
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vid Arera Intergrasi VORA"));
    }

    void messageBoxes_data()
    {
        QTest::addColumn<Messages::Kind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << Messages::Kind::Plain << QString() << "Vid Arera";
        QTest::newRow("information") << Messages::Kind::Information << QString() << "Information";
        QTest::newRow("warning") << Messages::Kind::Warning << QString() << "Warning";
        QTest::newRow("error") << Messages::Kind::Error << QString() << "Error";
        QTest::newRow("confirmation") << Messages::Kind::Confirmation << QString() << "Confirm";
        QTest::newRow("own caption") << Messages::Kind::Error << "Gagal"
                                     << "Gagal";
    }
    void messageBoxes()
    {
        QFETCH(Messages::Kind, kind);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QtMessages messages(QStringLiteral("Vid Arera"));
        QString shown;
        QTimer answer;
        int tries = 0;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                shown = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            } else if (++tries > 200) {
                QApplication::exit(); // no box: fail below rather than hang
            }
        });
        answer.start(10);
        messages.show(kind, QStringLiteral("teks"), caption);
        QCOMPARE(shown, title);
    }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
