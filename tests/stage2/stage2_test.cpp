#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "wizard/stage2/stage2.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString crlf = QStringLiteral("\r\n");

struct PairData {
    const char* name;
    const char* type;
    const char* link1;
    const char* link2;
};

// A session as stage 1 leaves it: one link record per pair end, later records of a name marked
// "c", each first record with its last pair as second link (Para1) and as first link (Para2),
// the type code cut to two letters.
std::unique_ptr<Session> mechanism(const QList<PairData>& pairs, const char* frame, const char* driving)
{
    auto s = std::make_unique<Session>();
    s->NewMechanism();
    for (const PairData& pair : pairs) {
        const qint16 k = s->addPara();
        PARA& p = s->Paras[k];
        p.Name = QString::fromUtf8(pair.name);
        p.ParaType = QString::fromUtf8(pair.type);
        p.Zveno1 = QString::fromUtf8(pair.link1);
        p.Zveno2 = QString::fromUtf8(pair.link2);
        p.Zveno1Index = s->addZveno();
        s->Zvenos[p.Zveno1Index].Name = p.Zveno1;
        p.Zveno2Index = s->addZveno();
        s->Zvenos[p.Zveno2Index].Name = p.Zveno2;
    }
    QStringList seen;
    for (int i = 1; i <= s->ZvenoCount; ++i) {
        ZVENO& z = s->Zvenos[i];
        if (seen.contains(z.Name)) {
            z.Mark = QStringLiteral("c");
            continue;
        }
        seen << z.Name;
        for (int k = 1; k <= s->ParaCount; ++k) {
            const PARA& p = s->Paras[k];
            if (p.Zveno2 == z.Name) {
                z.Para1 = p.Name;
                z.Para1Index = qint16(k);
            }
            if (p.Zveno1 == z.Name) {
                z.Para2 = p.Name;
                z.Para2Index = qint16(k);
            }
            if (p.Zveno1 == z.Name || p.Zveno2 == z.Name)
                z.ZType += p.ParaType;
        }
        z.ZType = z.ZType.left(2);
        if (z.Name == QString::fromUtf8(frame)) {
            z.IsFrame = 1.0f;
            s->FrameIndex = qint16(i);
        }
        if (z.Name == QString::fromUtf8(driving))
            z.IsDriving = 1.0f;
    }
    s->ForceAnalysis = 6.0f;
    s->MorePoints = 7.0f;
    s->GroupCount = 0;
    return s;
}

int linkIndex(const Session& s, const QString& name)
{
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (s.Zvenos[i].Name == name && s.Zvenos[i].Mark != QStringLiteral("c"))
            return i;
    return 0;
}

void addGroup(Session& s, const char* first, const char* second, const char* type)
{
    const qint16 g = s.addGroup();
    s.Groups[g].Name = QString::number(g);
    s.Groups[g].Zveno1Index = qint16(linkIndex(s, QString::fromUtf8(first)));
    s.Groups[g].Zveno2Index = qint16(linkIndex(s, QString::fromUtf8(second)));
    s.Groups[g].GType = QString::fromUtf8(type);
}

std::unique_ptr<Session> fourBar()
{
    auto s = mechanism({{"A", "r", "0", "1"}, {"B", "r", "1", "2"}, {"C", "r", "2", "3"}, {"D", "r", "3", "0"}}, "0", "1");
    addGroup(*s, "2", "3", "1");
    return s;
}

#define VERIFY_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

} // namespace

class Stage2Test : public QObject {
    Q_OBJECT
private slots:
    void numbers_areAskedAgainUntilValid()
    {
        auto s = mechanism({{"A", "p", "0", "1"}}, "0", "1");
        s->Answer = QStringLiteral("12");
        ScriptedDialogs d(*s);
        const QString x = QStringLiteral("Введите координату Х пары A");
        const QString y = QStringLiteral("Введите координату Y пары A");
        const QString angle = QStringLiteral("Введите угол до положительного направления пары A от оси Х");
        d.expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("abc"))
            .expectError(14)
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("1.2.3"))
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("-"))
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QString())
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("-2.5"))
            .expectQuestionClosed(y, 2, QStringLiteral("0")) // the close box brings back the last answer
            .expectQuestion(angle, 2, QStringLiteral("0"), QStringLiteral("30"));
        Stage2Context ctx{*s, d, QPoint(), nullptr, nullptr};
        QCOMPARE(FramePairCoordinates(ctx), qint16(10));
        VERIFY_SCRIPT(d);
        QCOMPARE(s->Paras[1].X, QStringLiteral("-2.5"));
        QCOMPARE(s->Paras[1].Y, QStringLiteral("-2.5"));
        QCOMPARE(s->Paras[1].XAngle, QStringLiteral("30"));
    }

    // The assembly cases no whole description reaches: a yes/no closed without an answer stores
    // nothing and lists nothing; a group without offset links or of no known type is not asked.
    void assembly_storesNothingWithoutAChoice_data()
    {
        QTest::addColumn<QString>("gtype");
        QTest::addColumn<bool>("offsets");
        QTest::addColumn<QString>("closedQuestion");
        QTest::newRow("type 1 closed") << QStringLiteral("1") << false
                                       << QStringLiteral("Группа: 1(B-C-D) Тип - 1\r\nПары B-C-D обходятся ПО часовой стрелке?");
        QTest::newRow("type 3 without offsets") << QStringLiteral("3") << false << QString();
        QTest::newRow("unknown type") << QString() << true << QString();
    }
    void assembly_storesNothingWithoutAChoice()
    {
        QFETCH(QString, gtype);
        QFETCH(bool, offsets);
        QFETCH(QString, closedQuestion);
        auto s = fourBar();
        s->Groups[1].GType = gtype;
        for (qint16 z : {s->Groups[1].Zveno1Index, s->Groups[1].Zveno2Index}) {
            s->Zvenos[z].ZType = QStringLiteral("rp");
            if (offsets)
                s->Zvenos[z].Perpendicular = QStringLiteral("0.01");
        }
        s->Answer = QStringLiteral("nonsense");
        ScriptedDialogs d(*s);
        if (!closedQuestion.isEmpty())
            d.expectQuestionClosed(closedQuestion, 1, QStringLiteral("0"));
        QStringList got;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { got << l; }, nullptr};
        QCOMPARE(GroupAssembly(ctx), qint16(120));
        VERIFY_SCRIPT(d);
        QVERIFY(got.isEmpty());
        QCOMPARE(s->Groups[1].Clockwise, QString());
        QCOMPARE(s->Groups[1].IsSharp, QString());
    }

    void basePair_prefersThePairOnTheFrame_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("other");
        // Link 1: A (on the frame) and B. Link 2: B and C, neither on the frame.
        // Link 4: E and F both on the frame: the second main pair wins.
        QTest::newRow("first pair on the frame") << QStringLiteral("1") << QStringLiteral("A") << QStringLiteral("B");
        QTest::newRow("no pair on the frame") << QStringLiteral("2") << QStringLiteral("B") << QStringLiteral("C");
        QTest::newRow("second pair on the frame") << QStringLiteral("3") << QStringLiteral("D") << QStringLiteral("C");
        QTest::newRow("both on the frame") << QStringLiteral("4") << QStringLiteral("F") << QStringLiteral("E");
    }
    void basePair_prefersThePairOnTheFrame()
    {
        QFETCH(QString, link);
        QFETCH(QString, base);
        QFETCH(QString, other);
        auto s = mechanism({{"A", "r", "0", "1"},
                            {"B", "r", "1", "2"},
                            {"C", "r", "2", "3"},
                            {"D", "r", "3", "0"},
                            {"E", "r", "0", "4"},
                            {"F", "r", "4", "0"}},
                           "0", "1");
        const BasePairs bo = BaseAndOtherPair(*s, linkIndex(*s, link));
        QCOMPARE(bo.base, base);
        QCOMPARE(bo.other, other);
    }

    void save_cancelledDialogWritesNothingAndIsNotSaved()
    {
        auto s = fourBar();
        QTemporaryDir dir;
        s->DataFolder = dir.path();
        ScriptedDialogs d(*s);
        d.expectSaveFile(kKvertaFilter, FileChoice{}).expectError(17);
        QVERIFY(!SaveDescription(*s, d, nullptr));
        VERIFY_SCRIPT(d);
        QCOMPARE(s->OutputSaved, 0.0f);
        QCOMPARE(s->WizardState, qint16(200));
    }
};

QTEST_GUILESS_MAIN(Stage2Test)
#include "stage2_test.moc"
