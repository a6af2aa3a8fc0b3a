#include "advisor/advisor.h"
#include "diagram/diagrammodel.h"
#include "diagram/panelplace.h"
#include "diagram/ui/diagramview.h"
#include "files/projectformat.h"
#include "model/session.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/testtable.h"
#include "wizard/mechanism.h"

#include <QTest>

namespace {

// The records of a case: "zvr <name>" reads the project file a stored description writes,
// "build <description>" builds them with the mechanism builder.
bool load(const QString& source, Session& s)
{
    if (source.startsWith(QStringLiteral("build "))) {
        buildMechanism(s, source.mid(6));
        return true;
    }
    QString error;
    const QByteArray bytes =
        encodeZvrListing(QStringLiteral(ZUVRACK_DESCRIPTIONS_DATA "/") + source.mid(4) + QStringLiteral(".zvr.txt"), &error);
    s.ResetMechanism();
    return error.isEmpty() && readProjectBytes(bytes, s);
}

// The model written out one line per node, edge and layer, so that a table can hold it.
QStringList modelLines(const DiagramModel& d)
{
    QStringList lines;
    for (const DiagramNode& n : d.nodes) {
        QStringList marks;
        for (const DiagramMark& m : n.marks)
            marks << m.kind + QLatin1Char(':') + m.name;
        lines << QStringLiteral("node %1 %2 group=%3 colour=%4 at=%5.%6 cell=%9.%10 pairs=%7 marks=%8")
                     .arg(n.name, n.frame ? QStringLiteral("frame") : n.driving ? QStringLiteral("driving") : QStringLiteral("link"))
                     .arg(n.group)
                     .arg(n.colour)
                     .arg(n.layer)
                     .arg(n.position)
                     .arg(n.pairCount)
                     .arg(marks.join(QLatin1Char(',')))
                     .arg(n.column)
                     .arg(n.row);
    }
    const auto nodeName = [&](int i) { return i < 0 ? QStringLiteral("?") : d.nodes[i].name; };
    for (const DiagramEdge& e : d.edges)
        lines << QStringLiteral("edge %1 %2 %3-%4").arg(e.name, e.type, nodeName(e.from), nodeName(e.to));
    for (const QList<int>& layer : d.layers) {
        QStringList names;
        for (int i : layer)
            names << nodeName(i);
        lines << QStringLiteral("layer ") + names.join(QLatin1Char(' '));
    }
    return lines;
}

// Whether a path enters the inside of a box: a point inside it, or a segment across one of its sides.
bool crossesBox(const QPolygonF& path, const QRectF& box)
{
    const QRectF inside = box.adjusted(1, 1, -1, -1);
    const QLineF sides[] = {{inside.topLeft(), inside.topRight()}, {inside.topRight(), inside.bottomRight()},
                            {inside.bottomRight(), inside.bottomLeft()}, {inside.bottomLeft(), inside.topLeft()}};
    for (int k = 1; k < path.size(); ++k) {
        const QLineF segment(path[k - 1], path[k]);
        if (inside.contains(segment.p1()) || inside.contains(segment.p2()))
            return true;
        for (const QLineF& side : sides)
            if (segment.intersects(side, nullptr) == QLineF::BoundedIntersection)
                return true;
    }
    return false;
}

} // namespace

class AdvisorTest : public QObject {
    Q_OBJECT

private slots:
    void structure_givesAdviceAndModel_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("expected");
        for (const TableSection& section : tableSections(QStringLiteral(TESTDATA "/structures.txt")))
            QTest::newRow(qPrintable(section.title)) << section.lines.value(0) << section.lines.mid(1);
    }
    void structure_givesAdviceAndModel()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, expected);
        Session s;
        QVERIFY2(load(source, s), qPrintable(source));
        // "rebuild" runs the step after the driving link, when every link learns its pairs;
        // "then" lines are built on what stands after it.
        while (!expected.isEmpty() && !expected.first().startsWith(QStringLiteral("advice "))) {
            const QString step = expected.takeFirst();
            if (step == QStringLiteral("rebuild"))
                RebuildPairLinks(s);
            else
                buildMechanism(s, step.mid(5));
        }
        QStringList actual;
        for (const QString& line : adviseStructure(s))
            actual << QStringLiteral("advice ") + line;
        actual << modelLines(buildDiagram(s));
        QCOMPARE(actual.join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
        // Its drawing in a small area: every box readable, inside the sheet and clear of the others;
        // the SVG has one rounded box per node.
        const DiagramModel d = buildDiagram(s);
        const DiagramGeometry g = layoutGeometry(d, QRectF(0, 0, 400, 300));
        for (int i = 0; i < g.nodes.size(); ++i) {
            QVERIFY(g.nodes[i].width() >= 76 && g.nodes[i].height() >= 34);
            QVERIFY(QRectF(QPointF(), g.size).contains(g.nodes[i]));
            for (int j = 0; j < i; ++j)
                QVERIFY(!g.nodes[i].intersects(g.nodes[j]));
        }
        // No pair's line runs through a box other than those of its own two links.
        for (int k = 0; k < d.edges.size(); ++k)
            for (int i = 0; i < g.nodes.size(); ++i)
                if (i != d.edges[k].from && i != d.edges[k].to)
                    QVERIFY2(!crossesBox(g.edges[k], g.nodes[i]), qPrintable(d.edges[k].name + QLatin1Char(' ') + d.nodes[i].name));
        QCOMPARE(QString::fromUtf8(diagramSvg(d)).count(QStringLiteral(" rx=\"8\"")), d.nodes.size());
    }

    void answer_givesHint_data() { addRows("answers.txt"); }
    void answer_givesHint()
    {
        const Session s;
        QCOMPARE(adviseAnswer(s, qint16(cell("state").toInt()), cell("typed")), cell("hint"));
    }

    void question_givesUnitAndHint_data() { addRows("questions.txt"); }
    void question_givesUnitAndHint()
    {
        QCOMPARE(questionUnit(cell("question")), cell("unit"));
        QCOMPARE(adviseQuestion(cell("question"), cell("typed")), cell("hint"));
    }

    void panel_placedWhereThereIsRoom_data() { addRows("placement.txt"); }
    void panel_placedWhereThereIsRoom()
    {
        const auto rect = [](const QString& text) {
            const QStringList n = text.split(QLatin1Char(','));
            return QRect(n.value(0).toInt(), n.value(1).toInt(), n.value(2).toInt(), n.value(3).toInt());
        };
        QCOMPARE(panelPlace(rect(cell("window")), rect(cell("screen"))), rect(cell("place")));
    }

    void adviceLine_picksOneFinding_data() { addRows("advice.txt"); }
    void adviceLine_picksOneFinding()
    {
        Session s;
        QVERIFY(load(cell("source"), s));
        QCOMPARE(adviceLine(s, qint16(cell("state").toInt()), cell("typed")), cell("line"));
    }
};

QTEST_GUILESS_MAIN(AdvisorTest)
#include "advisor_test.moc"
