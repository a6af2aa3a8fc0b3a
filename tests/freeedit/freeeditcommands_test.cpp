#include "fixtures.h"
#include "freeeditcommands.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class FreeEditCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void destinationFolder_keepsTrailingSeparator_data();
    void destinationFolder_keepsTrailingSeparator();
    void saveCancelled_reportsError17AndWritesNothing_data();
    void saveCancelled_reportsError17AndWritesNothing();
    void exit_storesAnswerAndOpensChooserOnYes_data();
    void exit_storesAnswerAndOpensChooserOnYes();
};

void FreeEditCommandsTest::destinationFolder_keepsTrailingSeparator_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fileTitle");
    QTest::addColumn<QString>("folder");
    QTest::newRow("unix path") << QStringLiteral("/home/st/mech1.kv") << QStringLiteral("mech1.kv")
                               << QStringLiteral("/home/st/");
    QTest::newRow("windows path") << QStringLiteral("C:\\KVERTA\\mech1.kv") << QStringLiteral("mech1.kv")
                                  << QStringLiteral("C:\\KVERTA\\");
    QTest::newRow("typed without extension") << QStringLiteral("/home/st/mech1") << QStringLiteral("mech1")
                                             << QStringLiteral("/home/st/");
    QTest::newRow("title not at the end: folder of the full name")
        << QStringLiteral("/home/st/mech1.kv") << QStringLiteral("other.kv") << QStringLiteral("/home/st/");
}

void FreeEditCommandsTest::destinationFolder_keepsTrailingSeparator()
{
    QFETCH(QString, fileName);
    QFETCH(QString, fileTitle);
    QFETCH(QString, folder);
    QCOMPARE(destinationFolder(fileName, fileTitle), folder);
}

void FreeEditCommandsTest::saveCancelled_reportsError17AndWritesNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fileTitle");
    QTest::newRow("dialog cancelled") << QString() << QString();
    QTest::newRow("folder without a title") << QStringLiteral("/tmp/") << QString();
}

void FreeEditCommandsTest::saveCancelled_reportsError17AndWritesNothing()
{
    QFETCH(QString, fileName);
    QFETCH(QString, fileTitle);
    QTemporaryDir data;
    QVERIFY(data.isValid());
    Session s = fixtures::fourBar(6.0f);
    s.DataFolder = data.path();
    s.OutputReady = 0.0f;
    s.OutputSaved = 0.0f;
    ScriptedDialogs d(s);
    d.expectSaveFile(QStringLiteral("Файлы KVERTA (*.kv)| *.kv"), FileChoice{fileName, fileTitle});
    d.expectError(17);
    QVERIFY(!saveFreeEdit(s, d, nullptr));
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    QCOMPARE(s.OutputReady, 0.0f);
    QCOMPARE(s.OutputSaved, 0.0f);
    QCOMPARE(QDir(data.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void FreeEditCommandsTest::exit_storesAnswerAndOpensChooserOnYes_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("chooser");
    QTest::newRow("yes") << 6 << true;
    QTest::newRow("no") << 7 << false;
}

void FreeEditCommandsTest::exit_storesAnswerAndOpensChooserOnYes()
{
    QFETCH(int, button);
    QFETCH(bool, chooser);
    Session s = fixtures::fourBar(6.0f);
    s.WindowMode = 2.0f;
    ScriptedDialogs d(s);
    d.expectYesNo(QStringLiteral("Вы уверены? Все, что не сохранено будет утеряно!"), QStringLiteral("KVERTA Mode"), button);
    QCOMPARE(confirmFreeEditExit(s, d), chooser);
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    QCOMPARE(s.Answer, QString::number(button));
    QCOMPARE(s.WindowMode, 2.0f);
    QCOMPARE(s.Zvenos[2].Name, QStringLiteral("1")); // the mechanism stays in memory
}

QTEST_GUILESS_MAIN(FreeEditCommandsTest)
#include "freeeditcommands_test.moc"
