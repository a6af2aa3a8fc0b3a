#include "tests/descriptions/descriptionfiles.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "wizard/wizardengine.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFilter = QStringLiteral("Файлы KVERTA (*.kv)| *.kv");

// The project file of an analysis-program file: its title without the last three characters, in
// lower case, in d_files of the data folder.
QString projectPath(const QString& dataFolder, const QString& title)
{
    return QDir(dataFolder).filePath(QStringLiteral("d_files/") + title.chopped(3).toLower() + QStringLiteral(".zvr"));
}

} // namespace

// Whole descriptions from the first pair to the written files, each kept in data/ as the
// student's answers, the questions and messages expected, the protocol and both files.
class DescriptionsTest : public QObject {
    Q_OBJECT
private slots:
    void wholeDescription_data();
    void wholeDescription();
};

void DescriptionsTest::wholeDescription_data()
{
    addDescriptionRows();
}

void DescriptionsTest::wholeDescription()
{
    QFETCH(QString, name);
    const Description script = loadDescription(name);
    QVERIFY2(script.error.isEmpty(), qPrintable(script.error));

    QTemporaryDir data;
    QTemporaryDir out;
    QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")));
    Session s;
    s.DataFolder = data.path();
    ScriptedDialogs d(s);
    WizardEngine e(s, d);

    QString title;
    QList<const DescriptionStep*> actions;
    for (const DescriptionStep& step : script.steps) {
        switch (step.kind) {
        case DescriptionStep::Type:
        case DescriptionStep::EndStage: actions << &step; break;
        case DescriptionStep::Ask: d.expectQuestion(step.text, step.mode, step.defaultText, step.answer); break;
        case DescriptionStep::AskClosed: d.expectQuestionClosed(step.text, step.mode, step.defaultText); break;
        case DescriptionStep::Error: d.expectError(step.code); break;
        case DescriptionStep::Save:
            title = step.text;
            d.expectSaveFile(kFilter, FileChoice{QDir(out.path()).filePath(title), title});
            break;
        }
    }
    QVERIFY(!title.isEmpty());

    e.startNewDescription();
    for (const DescriptionStep* step : actions) {
        if (step->kind == DescriptionStep::EndStage) {
            e.EndStage();
        } else {
            e.setAnswerText(step->text);
            e.Work();
        }
    }

    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    QCOMPARE(e.display().input, script.protocol);
    QCOMPARE(int(s.WizardState), 200);
    QCOMPARE(e.display().prompt, QStringLiteral("К О Н Е Ц !!!"));
    QCOMPARE(s.OutputSaved, 1.0f);

    QString error;
    const QByteArray kv = expectedKvBytes(name, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QByteArray actualKv = readAll(QDir(out.path()).filePath(title));
    QVERIFY2(!actualKv.isNull(), "no analysis-program file");
    QVERIFY2(actualKv == kv, qPrintable(kvDifference(actualKv, kv)));

    const QByteArray zvr = expectedZvrBytes(name, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QByteArray actualZvr = readAll(projectPath(data.path(), title));
    QVERIFY2(!actualZvr.isNull(), "no project file");
    QVERIFY2(actualZvr == zvr, qPrintable(zvrDifference(actualZvr, zvr)));
}

QTEST_GUILESS_MAIN(DescriptionsTest)
#include "descriptions_test.moc"
