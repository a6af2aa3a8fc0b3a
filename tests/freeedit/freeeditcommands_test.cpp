#include "fixtures.h"
#include "answers.h"
#include "freeeditcommands.h"
#include "mechanismtree.h"
#include "nodeeditor.h"
#include "projectfile.h"
#include "scripteddialogs.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FreeEditCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void destinationFolder_keepsTrailingSeparator_data();
    void destinationFolder_keepsTrailingSeparator();
    void saveCancelled_reportsError17AndWritesNothing_data();
    void saveCancelled_reportsError17AndWritesNothing();
    void saveTwice_secondFilesCarryTheEdits();
    void teacherRoundTrip_loadEditSaveLoad_changesOnlyTheEditedValues();
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

namespace {

const QString kFilter = QStringLiteral("Файлы KVERTA (*.kv)| *.kv");

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList treeTexts(const Session& s)
{
    QStringList texts;
    for (const TreeNode& node : buildMechanismTree(s))
        texts << node.key + QLatin1Char('=') + node.text;
    return texts;
}

} // namespace

void FreeEditCommandsTest::saveTwice_secondFilesCarryTheEdits()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Session s = fixtures::fourBar(6.0f);
    s.DataFolder = dir.filePath(QStringLiteral("data"));
    const QString kv = dir.filePath(QStringLiteral("mech.kv"));
    ScriptedDialogs d(s);
    d.expectSaveFile(kFilter, FileChoice{kv, QStringLiteral("mech.kv")});
    d.expectQuestion(QStringLiteral("Введите массу звена 2"), 2.0f, QStringLiteral("0"), QStringLiteral("7.5"));
    d.expectSaveFile(kFilter, FileChoice{kv, QStringLiteral("mech.kv")});

    QVERIFY(saveFreeEdit(s, d, nullptr));
    const QByteArray first = contents(kv);
    const QByteArray firstProject = contents(projectFilePath(s, QStringLiteral("mech.kv")));
    QVERIFY(!first.isEmpty());
    QVERIFY(!firstProject.isEmpty());
    QCOMPARE(s.OutputSaved, 0.0f); // the free-edit save leaves the wizard's flag alone

    NodeEditor editor(s, d);
    QVERIFY(editor.edit(QStringLiteral("Z_4_mass")));
    QVERIFY(saveFreeEdit(s, d, nullptr));
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    const QByteArray second = contents(kv);
    QVERIFY(second != first);
    QVERIFY(second.contains(QByteArray(ToKvNumber(QStringLiteral("7.5")).toLatin1() + "\r\n")));
    QVERIFY(!first.contains(ToKvNumber(QStringLiteral("7.5")).toLatin1()));
    QVERIFY(contents(projectFilePath(s, QStringLiteral("mech.kv"))) != firstProject);
}

void FreeEditCommandsTest::teacherRoundTrip_loadEditSaveLoad_changesOnlyTheEditedValues()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString folder = dir.path() + QLatin1Char('/');

    // The description as the wizard saved it.
    Session original = fixtures::fourBar(6.0f);
    original.DataFolder = data;
    ScriptedDialogs quiet(original);
    QVERIFY(WriteFile(original, quiet, nullptr, folder, QStringLiteral("orig.kv")));

    // Loaded, two values changed in the tree, saved under a new name.
    Session loaded;
    loaded.DataFolder = data;
    ScriptedDialogs d(loaded);
    QCOMPARE(LoadFile(loaded, d, folder, QStringLiteral("orig.kv")), LoadResult::Loaded);
    const QStringList treeBefore = treeTexts(loaded);
    d.expectQuestion(QStringLiteral("Введите расстояние между парами: A-B"), 2.0f, QStringLiteral("0"), QStringLiteral("0.15"));
    d.expectQuestion(QStringLiteral("Введите массу звена 2"), 2.0f, QStringLiteral("0"), QStringLiteral("2.5"));
    d.expectSaveFile(kFilter, FileChoice{folder + QStringLiteral("new.kv"), QStringLiteral("new.kv")});
    NodeEditor editor(loaded, d);
    QCOMPARE(editor.edit(QStringLiteral("Z_2_zlength")), std::optional<QString>(QStringLiteral("Длина звена: 0.15")));
    QCOMPARE(editor.edit(QStringLiteral("Z_4_mass")), std::optional<QString>(QStringLiteral("Масса звена: 2.5")));
    QVERIFY(saveFreeEdit(loaded, d, nullptr));
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));

    // Loaded again: the new values are there and nothing else moved.
    Session again;
    again.DataFolder = data;
    ScriptedDialogs d2(again);
    QCOMPARE(LoadFile(again, d2, folder, QStringLiteral("new.kv")), LoadResult::Loaded);
    QCOMPARE(again.Zvenos[2].ZLength, QStringLiteral("0.15"));
    QCOMPARE(again.Zvenos[4].Mass, QStringLiteral("2.5"));
    const QStringList treeAfter = treeTexts(again);
    QCOMPARE(treeAfter.size(), treeBefore.size());
    QStringList changed;
    for (qsizetype i = 0; i < treeAfter.size(); ++i)
        if (treeAfter[i] != treeBefore[i])
            changed << treeAfter[i];
    QCOMPARE(changed, (QStringList{QStringLiteral("Z_2_zlength=Длина звена: 0.15"), QStringLiteral("Z_4_mass=Масса звена: 2.5")}));

    // The two analysis-program files differ in the two value lines only.
    const QList<QByteArray> oldLines = contents(folder + QStringLiteral("orig.kv")).split('\n');
    const QList<QByteArray> newLines = contents(folder + QStringLiteral("new.kv")).split('\n');
    QCOMPARE(newLines.size(), oldLines.size());
    QList<QByteArray> differing;
    for (qsizetype i = 0; i < newLines.size(); ++i)
        if (newLines[i] != oldLines[i])
            differing << newLines[i];
    QCOMPARE(differing, (QList<QByteArray>{ToKvNumber(QStringLiteral("0.15")).toLatin1() + '\r',
                                           ToKvNumber(QStringLiteral("2.5")).toLatin1() + '\r'}));
    // The project files are the same size: fixed records, only two values changed.
    QCOMPARE(contents(projectFilePath(again, QStringLiteral("new.kv"))).size(),
             contents(projectFilePath(again, QStringLiteral("orig.kv"))).size());
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
