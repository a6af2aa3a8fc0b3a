#include "model/answers.h"
#include "freeedit/freeeditcommands.h"
#include "freeedit/nodeeditor.h"
#include "files/projectfile.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/scripteddialogs.h"
#include "tests/freeedit/treelines.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/testtable.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The free-edit engine: the tree built from the records, the node editor, the save command.
class FreeEditTest : public QObject {
    Q_OBJECT
    // A file of data/ as rows, one a section, its lines in one column.
    static void sections(const char* file)
    {
        QTest::addColumn<QStringList>("lines");
        for (const TableSection& row : tableSections(QStringLiteral(TESTDATA "/") + QLatin1String(file)))
            QTest::newRow(qPrintable(row.title)) << row.lines;
    }

private slots:
    // The first line of a section names the mechanism ("mech ..."), the others are its tree.
    void tree_isBuiltNodeByNode_data() { sections("trees.txt"); }
    void tree_isBuiltNodeByNode()
    {
        QFETCH(QStringList, lines);
        QCOMPARE(treeLines(buildMechanismTree(mechanism(lines.first().mid(5)))), lines.mid(1));
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
        QStringList keys, marks{nodeMarks(nodes).value(0)};
        for (const TreeNode& n : nodes)
            keys << n.key, marks << (n.structural ? u"/n"_s : QString());
        QCOMPARE(nodeMarks(nodes), marks);
        QCOMPARE(keys.removeDuplicates(), 0);
        // Counts past the arrays, no frame, a removed group's indices outside them: the same nodes.
        const QString noFrame = u"@largest; session FrameIndex=99; group 1 Zveno1Index=-1 Zveno2Index=400"_s;
        const Session damaged = mechanism(noFrame + u"; session ParaCount=300 GroupCount=70; link 2 TwafzCount=90"_s);
        QCOMPARE(buildMechanismTree(damaged).size(), buildMechanismTree(mechanism(noFrame)).size());
    }

    void edit_asksItsQuestionsAndChangesOneValue_data() { sections("edits.txt"); }

    void edit_asksItsQuestionsAndChangesOneValue()
    {
        QFETCH(QStringList, lines);
        Session s;
        ScriptedDialogs d(s);
        QStringList keys, changes;
        std::optional<QString> returns;
        for (const QString& line : lines) {
            const QString rest = line.section(u' ', 1), question = rest.mid(2).section(u" => "_s, 0, 0), answer = rest.section(u" => "_s, 1);
            switch (QStringList{u"mech"_s, u"answer"_s, u"key"_s, u"ask"_s, u"error"_s, u"returns"_s, u"changes"_s}.indexOf(line.section(u' ', 0, 0))) {
            case 0: s = mechanism(rest); break;
            case 1: s.Answer = rest; break;
            case 2: keys = rest.split(u' '); break;
            case 3: answer == u"closed"_s ? d.expectQuestionClosed(question, rest.left(1).toFloat(), u"0"_s)
                                          : d.expectQuestion(question, rest.left(1).toFloat(), u"0"_s, answer.mid(1, answer.size() - 2)); break;
            case 4: d.expectError(qint16(rest.toInt())); break;
            case 5: returns = rest; break;
            case 6: changes << rest; break;
            default: QFAIL(qPrintable(u"unknown line: "_s + line));
            }
        }
        const QStringList before = treeLines(buildMechanismTree(s));
        NodeEditor editor(s, d);
        for (const QString& key : keys)
            QCOMPARE(editor.edit(key).value_or(u"(nothing)"_s), returns.value_or(u"(nothing)"_s));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        // Rebuilt from the records, the tree differs in the edited values only.
        QCOMPARE(changedLines(before, treeLines(buildMechanismTree(s))), changes);
    }

    void loadSaveEditSave_changesOnlyTheEditedValues()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const auto choice = [&](const QString& name) { return FileChoice{folder + name, name}; };
        const auto lines = [](const QString& path) { return QString::fromLatin1(readFileBytes(path)).split(u'\n'); };
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
        NodeEditor editor(loaded, dl);
        QVERIFY(saveFreeEdit(loaded, dl, nullptr) && editor.edit(u"Z_2_zlength"_s) && editor.edit(u"Z_4_mass"_s) &&
                saveFreeEdit(loaded, dl, nullptr));
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
