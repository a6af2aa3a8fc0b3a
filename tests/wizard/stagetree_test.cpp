#include "wizard/stagetree.h"
#include "tests/support/testtable.h"

#include <QTest>

class StageTreeTest : public QObject {
    Q_OBJECT
private slots:
    void tree_nodesInOrderWithTheirParents();
    void states_promptMarksAndPicture_data();
    void states_promptMarksAndPicture();
};

void StageTreeTest::tree_nodesInOrderWithTheirParents()
{
    QStringList nodes, expected;
    for (const StageNode& node : stageTree())
        nodes << QStringList{node.key, node.parent, node.text}.join(QStringLiteral(" | "));
    for (const QStringList& row : dataRows("tree.txt"))
        expected << row.join(QStringLiteral(" | "));
    QCOMPARE(nodes, expected);
}

void StageTreeTest::states_promptMarksAndPicture_data()
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList& row : dataRows("states.txt"))
        QTest::addRow("%s W=%s", qPrintable(row.at(0)), qPrintable(row.at(1))) << row;
}

void StageTreeTest::states_promptMarksAndPicture()
{
    QFETCH(QStringList, row);
    QCOMPARE(row.size(), 6);
    const qint16 state = qint16(row.at(0).toInt());
    QCOMPARE(StatePrompt(state, qint16(row.at(1).toInt())), row.at(2));
    const StageMarks marks = stageMarks(state);
    QCOMPARE(marks.checked, words(row.at(3)));
    QCOMPARE(marks.expanded, words(row.at(4)));
    const StagePicture picture = stagePicture(state);
    const QStringList actions = {QStringLiteral("Nothing"), QStringLiteral("Keep"), QStringLiteral("Load")};
    QCOMPARE(actions.at(picture.action) + (picture.file.isEmpty() ? QString() : QLatin1Char(' ') + picture.file),
             row.at(5));
}

QTEST_GUILESS_MAIN(StageTreeTest)
#include "stagetree_test.moc"
