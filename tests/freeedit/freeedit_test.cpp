#include "model/answers.h"
#include "freeedit/freeeditcommands.h"
#include "freeedit/nodeeditor.h"
#include "files/projectfile.h"
#include "tests/support/scripteddialogs.h"
#include "tests/freeedit/treelines.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/testtable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The free-edit engine: the tree built from the records, the node editor, the save command.
class FreeEditTest : public QObject {
    Q_OBJECT
private slots:
    void tree_isBuiltNodeByNode_data()
    {
        QTest::addColumn<QString>("mech");
        QTest::addColumn<QStringList>("expected");
        for (const TableSection& row : tableSections(QStringLiteral(TESTDATA "/trees.txt")))
            QTest::newRow(qPrintable(row.title)) << row.lines.first().mid(5) << row.lines.mid(1);
    }

    void tree_isBuiltNodeByNode()
    {
        QFETCH(QString, mech);
        QFETCH(QStringList, expected);
        QCOMPARE(treeLines(buildMechanismTree(mechanism(mech))), expected);
    }

    void largestMechanism_sectionsAndMarksCoverEveryNode()
    {
        const Session s = mechanism(u"@largest"_s);
        const QList<TreeNode> nodes = buildMechanismTree(s);
        const QList<QList<TreeNode>> sections{Load_PARAS(s), Load_ZVENOS(s), Load_GROUPS(s)};
        QCOMPARE(nodes, sections[0] + sections[1] + sections[2]);
        QCOMPARE(sections[1].first().key + sections[2].first().key, u"ZVENOSGROUPS"_s);
        // pairs: root + 64 x (pair, X, Y, angle); links: root + 64 x (link, length, direction,
        // perpendicular, 32 x 3 additional pair nodes, 3 centre of mass nodes, mass, moment, external
        // moment, points root, 32 x 5 point nodes); groups: root + 64 x (group, two choices)
        QCOMPARE(nodes.size(), 1 + 64 * 4 + 1 + 64 * (1 + 3 + 32 * 3 + 3 + 3 + 1 + 32 * 5) + 1 + 64 * 3);
        QCOMPARE(nodes.last().key, u"G_64_is_sharp"_s);
        const QStringList marks = nodeMarks(nodes);
        QCOMPARE(marks.size(), nodes.size() + 1);
        QStringList keys;
        for (qsizetype n = 0; n < nodes.size(); ++n) {
            QCOMPARE(marks[n + 1], nodes[n].structural ? u"/n"_s : QString());
            keys << nodes[n].key;
        }
        QCOMPARE(keys.removeDuplicates(), 0);
        // Counts past the arrays, no frame, a removed group's indices outside them: the same nodes.
        const QString noFrame = u"@largest; session FrameIndex=99; group 1 Zveno1Index=-1 Zveno2Index=400"_s;
        const Session damaged = mechanism(noFrame + u"; session ParaCount=300 GroupCount=70; link 2 TwafzCount=90"_s);
        QCOMPARE(buildMechanismTree(damaged).size(), buildMechanismTree(mechanism(noFrame)).size());
    }

    void edit_asksItsQuestionsAndChangesOneValue_data()
    {
        QTest::addColumn<QStringList>("lines");
        for (const TableSection& row : tableSections(QStringLiteral(TESTDATA "/edits.txt")))
            QTest::newRow(qPrintable(row.title)) << row.lines;
    }

    void edit_asksItsQuestionsAndChangesOneValue()
    {
        QFETCH(QStringList, lines);
        Session s;
        ScriptedDialogs d(s);
        QStringList keys, changes;
        std::optional<QString> returns;
        for (const QString& line : lines) {
            const QString word = line.section(u' ', 0, 0), rest = line.section(u' ', 1);
            const QString question = rest.mid(2).section(u" => "_s, 0, 0);
            const QString answer = rest.section(u" => "_s, 1);
            if (word == u"mech"_s)
                s = mechanism(rest);
            else if (word == u"answer"_s)
                s.Answer = rest;
            else if (word == u"key"_s)
                keys = rest.split(u' ');
            else if (word == u"ask"_s && answer == u"closed"_s)
                d.expectQuestionClosed(question, rest.left(1).toFloat(), u"0"_s);
            else if (word == u"ask"_s)
                d.expectQuestion(question, rest.left(1).toFloat(), u"0"_s, answer.mid(1, answer.size() - 2));
            else if (word == u"error"_s)
                d.expectError(qint16(rest.toInt()));
            else if (word == u"returns"_s)
                returns = rest;
            else if (word == u"changes"_s)
                changes << rest;
            else
                QFAIL(qPrintable(u"unknown line: "_s + line));
        }
        const QStringList before = treeLines(buildMechanismTree(s));
        NodeEditor editor(s, d);
        for (const QString& key : keys) {
            const std::optional<QString> got = editor.edit(key);
            QVERIFY2(got == returns, qPrintable(key + u" gave "_s + got.value_or(u"nothing"_s)));
        }
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        // Rebuilt from the records, the tree differs in the edited values only.
        QCOMPARE(changedLines(before, treeLines(buildMechanismTree(s))), changes);
    }

    void loadSaveEditSave_changesOnlyTheEditedValues()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const auto choice = [&](const QString& name) { return FileChoice{folder + name, name}; };
        const auto lines = [&](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).split(u'\n') : QStringList();
        };
        // Saved from the wizard's records, loaded, saved unchanged, two values edited, saved again.
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s), loaded, again;
        s.DataFolder = loaded.DataFolder = again.DataFolder = folder + u"data"_s;
        ScriptedDialogs d(s), dl(loaded), da(again);
        d.expectSaveFile(kKvertaFilter, choice(u"orig.kv"_s));
        QVERIFY(saveFreeEdit(s, d, nullptr));
        QCOMPARE(LoadFile(loaded, dl, folder, u"orig.kv"_s), LoadResult::Loaded);
        QCOMPARE(loaded.Paras[loaded.ParaCount + 1].Name, kNotSet); // slots past the counts as a reset leaves them
        const QStringList tree = treeLines(buildMechanismTree(loaded));
        dl.expectSaveFile(kKvertaFilter, choice(u"same.kv"_s))
            .expectQuestion(u"Введите расстояние между парами: A-B"_s, 2.0f, u"0"_s, u"0.15"_s)
            .expectQuestion(u"Введите массу звена 2"_s, 2.0f, u"0"_s, u"2.5"_s)
            .expectSaveFile(kKvertaFilter, choice(u"new.kv"_s));
        QVERIFY(saveFreeEdit(loaded, dl, nullptr));
        NodeEditor editor(loaded, dl);
        QVERIFY(editor.edit(u"Z_2_zlength"_s) && editor.edit(u"Z_4_mass"_s));
        QVERIFY(saveFreeEdit(loaded, dl, nullptr));
        QVERIFY2((d.problems() + dl.problems()).isEmpty(), qPrintable((d.problems() + dl.problems()).join(u'\n')));

        QCOMPARE(LoadFile(again, da, folder, u"new.kv"_s), LoadResult::Loaded);
        QCOMPARE(changedLines(tree, treeLines(buildMechanismTree(again))),
                 (QStringList{u"Z_2_zlength =Длина звена: 0.15"_s, u"Z_4_mass =Масса звена: 2.5"_s}));
        QCOMPARE(lines(folder + u"same.kv"_s), lines(folder + u"orig.kv"_s));
        QCOMPARE(changedLines(lines(folder + u"orig.kv"_s), lines(folder + u"new.kv"_s)),
                 (QStringList{ToKvNumber(u"0.15"_s).trimmed(), ToKvNumber(u"2.5"_s).trimmed()}));
        QCOMPARE(lines(projectFilePath(s, u"same.kv"_s)), lines(projectFilePath(s, u"orig.kv"_s)));
    }
};

QTEST_GUILESS_MAIN(FreeEditTest)
#include "freeedit_test.moc"
