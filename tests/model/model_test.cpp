#include "model/answers.h"
#include "model/errors.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "model/translator.h"
#include "model/windowgeometry.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QList<int> ints(const QString& text)
{
    QList<int> n;
    for (const QString& w : text.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts))
        n << w.toInt();
    return n;
}

// Links St (the frame) L2 L3 L4 counted and L5 beyond the count; pairs A-D; group G1.
std::unique_ptr<Session> fixture()
{
    auto s = std::make_unique<Session>();
    buildMechanism(*s, QStringLiteral(
        "link 1 Name=St; link 2 Name=L2 Para1=a Para1Index=1 Para2=b Para2Index=2 ZType=rp;"
        "link 3 Name=L3 Para1=c Para1Index=3 Para2=d Para2Index=4 ZType=pr;"
        "link 4 Name=L4 Para1=c Para1Index=3 Para2=x Para2Index=70; link 5 Name=L5;"
        "pair 1 Name=A Zveno1=St Zveno1Index=1 Zveno2=L2 Zveno2Index=2; pair 2 Name=B Zveno1=L2 Zveno1Index=2 Zveno2=St Zveno2Index=1;"
        "pair 3 Name=C Zveno1=L3 Zveno1Index=3 Zveno2=L4 Zveno2Index=4; pair 4 Name=D Zveno1=St Zveno1Index=5 Zveno2=L4 Zveno2Index=4;"
        "group 1 Name=G1; session ZvenoCount=4 FrameIndex=1 GroupCount=0"));
    return s;
}

// The slots an adder gives until it refuses: "first last how-many", then what the next call gives.
QString slotsGiven(const std::function<qint16()>& add)
{
    QList<qint16> given;
    for (qint16 got = add(); got != 0 && given.size() < 100; got = add())
        given << got;
    const qint16 refused = add();
    return QStringLiteral("%1 %2 %3 %4").arg(given.value(0)).arg(given.value(given.size() - 1)).arg(given.size()).arg(refused);
}

QString call(const QString& f, const QString& in)
{
    auto s = fixture();
    const qint16 n = qint16(in.toInt());
    const QList<int> v = ints(in);
    const auto slash = [](const QString& a, const QString& b) -> QString { return a + u'/' + b; };
    const auto rect = [&](int i) { return QRect(v[i], v[i + 1], v[i + 2], v[i + 3]); };
    const auto rectText = [](const QRect& r) { return u"%1,%2,%3,%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); };
    const auto adding = [&](const std::function<qint16()>& add) { return (s->NewMechanism(), s->ZvenoCount = 1, slotsGiven(add)); };
    const std::map<QString, std::function<QString()>> table = {
        {u"addPara"_s, [&] { return adding([&] { return s->addPara(); }); }},
        {u"addZveno"_s, [&] { return adding([&] { return s->addZveno(); }); }},
        {u"addGroup"_s, [&] { return adding([&] { return s->addGroup(); }); }},
        {u"addTwafz"_s, [&] { return adding([&] { return s->addTwafz(n); }); }},
        {u"addPoint"_s, [&] { return adding([&] { return s->addPoint(n); }); }},
        {QStringLiteral("TranslateCode"), [&] { return TranslateCode(in); }},
        {QStringLiteral("Zeros"), [&] { return Zeros(n); }},
        {QStringLiteral("zvenoCount"), [&] { return QString::number((s->ZvenoCount = n, zvenoCount(*s))); }},
        {QStringLiteral("subCount"), [&] { return QString::number(subCount(n)); }},
        {QStringLiteral("validIndex"), [&] { return QLatin1String(validIndex(qint16(v[0]), qint16(v[1])) ? "y" : "n"); }},
        {QStringLiteral("zvenoAt"), [&] { return zvenoAt(*s, n).Name; }},
        {QStringLiteral("paraAt"), [&] { return paraAt(*s, n).Name; }},
        {QStringLiteral("groupAt"), [&] { return groupAt(*s, n).Name; }},
        {QStringLiteral("frameName"), [&] { return frameName((s->FrameIndex = n, *s)); }},
        {QStringLiteral("countedFrameName"), [&] { return countedFrameName((s->FrameIndex = n, *s)); }},
        {QStringLiteral("BaseAndOtherPair"), [&] { const BasePairs b = BaseAndOtherPair(*s, n); return slash(b.base, b.other); }},
        {QStringLiteral("questionEnds"), [&] { const QuestionEnds e = questionEnds(*s, zvenoAt(*s, n)); return slash(e.B, e.O); }},
        {QStringLiteral("BasePair"), [&] { return slash(BasePair(*s, n), OtherPair(*s, n)); }},
        {QStringLiteral("RevoluteAndGuide"), [&] { const GuidePairs g = RevoluteAndGuide(*s, n); return slash(g.revolute, g.guide); }},
        {QStringLiteral("keepOnScreen"), [&] {
             const QPoint p = keepOnScreen(QPoint(v[0], v[1]), QSize(v[2], v[3]), rect(4));
             return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
         }},
        {QStringLiteral("placeBelow"), [&] { return rectText(placeBelow(rect(0), rect(4), rect(8))); }},
        {u"stripGeometry"_s, [&] { return rectText(stripGeometry(rect(0))); }},
        {u"stripInRoom"_s, [&] { return rectText(stripInRoom(rect(0), rect(4))); }},
        {u"placeBelowInRoom"_s, [&] {
             const BelowPlacement p = placeBelowInRoom(rect(0), rect(4), rect(8), QSize(v[12], v[13]), rect(14));
             return u"%1 %2"_s.arg(rectText(p.mainFrame), rectText(p.client));
         }},
        {u"fitInRoom"_s, [&] { return rectText(fitInRoom(rect(0), QSize(v[4], v[5]), rect(6))); }},
        {u"pictureScale"_s, [&] {
             const PictureScale p = pictureScale(QSize(v[0], v[1]), QSize(v[2], v[3]), in.section(u' ', -1).toDouble());
             return u"%1x%2 x%3"_s.arg(p.pixels.width()).arg(p.pixels.height()).arg(p.wholeFactor);
         }},
        {u"twipsToPixels"_s, [&] { return QString::number(twipsToPixels(in.toDouble())); }},
        {u"followerFor"_s, [&] { return QString::number(int(followerFor(in.toFloat()))); }},
        {u"followStep"_s, [&] { // frame after frame: where each tick moves the follower
             FollowState state;
             QStringList moves;
             for (int i = 0; i + 3 < v.size(); i += 4) {
                 const std::optional<QPoint> to = followStep(state, rect(i));
                 moves << (to ? u"%1,%2"_s.arg(to->x()).arg(to->y()) : u"-"_s);
             }
             return moves.join(u' ');
         }},
    };
    return table.at(f)();
}

// The values of a group of fields of slot i, in a fixed order.
QStringList fields(const Session& s, int i, const QString& group)
{
    const ZVENO& z = s.Zvenos[i];
    const PARA& p = s.Paras[i];
    const GROUP& g = s.Groups[i];
    QStringList out;
    const auto add = [&](std::initializer_list<const QString*> texts) { for (const QString* t : texts) out << *t; };
    const auto num = [&](std::initializer_list<double> values) { for (double v : values) out << QString::number(v); };
    const auto sub = [&](int j) {
        const DOP_POINT& d = z.DP[j];
        add({&z.TwafzName[j], &z.TwafzIndex[j], &z.TwafzLength[j], &z.TwafzAngle[j], &d.Name, &d.Length, &d.Angle, &d.ForceAngle, &d.Force, &d.Kind});
    };
    const std::map<QString, std::function<void()>> groups = {
        {u"link texts"_s, [&] { add({&z.Name, &z.Para1, &z.Para2, &z.ZType, &z.ZLength, &z.OnGuide, &z.Clockwise, &z.Spare1, &z.CM, &z.CMLength,
                                     &z.CMAngle, &z.Spare2, &z.Spare3, &z.Spare4, &z.Mark, &z.Mass, &z.Moment, &z.MomentVn}); }},
        {u"perpendicular"_s, [&] { out << z.Perpendicular; }},
        {u"sub texts"_s, [&] { for (int j = 1; j < kSubSlots; ++j) sub(j); }},
        {u"sub-slot 0"_s, [&] { sub(0); }},
        {u"pair texts"_s, [&] { add({&p.Name, &p.Zveno1, &p.Zveno2, &p.ParaType, &p.X, &p.Y, &p.XAngle}); }},
        {u"group texts"_s, [&] { add({&g.Name, &g.GType, &g.Clockwise, &g.IsSharp}); }},
        {u"indices"_s, [&] { num({double(z.Para1Index), double(z.Para2Index), double(p.Zveno1Index), double(p.Zveno2Index), double(g.Zveno1Index), double(g.Zveno2Index)}); }},
        {u"link numbers"_s, [&] { num({double(z.TwafzCount), double(z.DPCount), double(z.GroupNo), z.IsFrame, z.IsDriving}); }},
        {u"counts"_s, [&] { num({double(s.ParaCount), double(s.ZvenoCount), double(s.GroupCount), double(s.W), double(s.FrameIndex), double(s.WizardState), s.ExtraPairsFlag}); }},
    };
    groups.at(group)();
    return out;
}

// Something in every corner, so that the reset routines have work to do.
std::unique_ptr<Session> dirtySession()
{
    auto s = std::make_unique<Session>();
    s->ParaCount = 5, s->ZvenoCount = 7, s->GroupCount = 3, s->W = 1, s->FrameIndex = 2, s->WizardState = 81;
    s->ExtraPairsFlag = 1.0f;
    for (int i = 0; i < kSlots; ++i) {
        s->Paras[i].Name = s->Zvenos[i].Name = s->Zvenos[i].TwafzName[0] = s->Zvenos[i].TwafzName[5] = QStringLiteral("x");
        s->Paras[i].Zveno1Index = 9, s->Zvenos[i].DPCount = 4, s->Zvenos[i].GroupNo = 7, s->Groups[i].Zveno2Index = 3;
        s->Zvenos[i].IsFrame = 1.0f, s->Zvenos[i].DP[32].Kind = QStringLiteral("f"), s->Groups[i].IsSharp = QStringLiteral("y");
    }
    return s;
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT
    using Check = void (ModelTest::*)(const QStringList&);
    const std::map<QString, Check> m_files = {
        {u"functions.txt"_s, &ModelTest::function}, {u"records.txt"_s, &ModelTest::records},
        {u"errors.txt"_s, &ModelTest::error},       {u"answers.txt"_s, &ModelTest::answer},  {u"numbers.txt"_s, &ModelTest::number},
    };

private slots:
    // Every row of every table of the data folder.
    void rows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("row");
        for (const auto& [file, check] : m_files) {
            int n = 0;
            for (const QStringList& row : dataRows(qPrintable(file)))
                QTest::addRow("%s:%d %s", qPrintable(file), ++n, qPrintable(row.mid(0, 2).join(u' '))) << file << row;
        }
    }
    void rows()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, row);
        (this->*m_files.at(file))(row);
    }

private:
    void function(const QStringList& row) { QCOMPARE(call(row[0], row[1]), row.value(2)); }

    // A reset routine on a dirty session: slot 0 and sub-slot 0 keep an empty record.
    void records(const QStringList& row)
    {
        auto s = dirtySession();
        row[0] == u"NewMechanism"_s ? s->NewMechanism() : s->ResetMechanism();
        const QStringList expected = words(row.value(2));
        const auto fresh = std::make_unique<Session>();
        for (int i = 0; i < kSlots; ++i) {
            const QStringList got = fields(*s, i, row[1]);
            QStringList want;
            for (qsizetype k = 0; k < got.size(); ++k)
                want << (expected.size() > 1 ? expected.value(k) : expected.value(0));
            QCOMPARE(got, i == 0 && row[1] != u"counts"_s ? fields(*fresh, 0, row[1]) : want);
        }
    }

    // Titles, lines joined by CR LF (none after the last), icons; no box where the table has none.
    void error(const QStringList& row)
    {
        const auto box = errorMessage(qint16(row[0].toInt()), row[1], row[2]);
        QCOMPARE(box.has_value(), row.value(3) != QStringLiteral("-"));
        if (!box)
            return;
        QCOMPARE(box->title, row[4]);
        QCOMPARE(box->text, row.mid(5).join(QStringLiteral("\r\n")));
        QCOMPARE(box->icon, row[3] == QStringLiteral("i") ? MessageIcon::Information : MessageIcon::Critical);
    }

    // Accepted answers come back unchanged; rejected ones as "/E" with exactly the box expected.
    void answer(const QStringList& row)
    {
        const QString answer = row.value(1), outcome = row.value(2);
        auto s = std::make_unique<Session>();
        s->NewMechanism();
        s->WizardState = qint16(row.value(3, QStringLiteral("14")).toInt());
        // Names taken: pair P1, point F1, extra pair T1, centre C1; Q1, Q2, Q3 lie beyond the counts.
        buildMechanism(*s, QStringLiteral("pair 1 Name=P1; pair 2 Name=Q1; link 2 CM=C1; link 3 CM=Q3; point 1 Name=F1;"
                                          "point 1 Name=Q2; extrapair 2 T1 0 0 0; session ParaCount=1 ZvenoCount=2; link 1 DPCount=1"));
        ScriptedDialogs d(*s);
        if (outcome == QStringLiteral("14") || outcome == QStringLiteral("18"))
            d.expectError(qint16(outcome.toInt()), QString(), answer);
        const QString expected = outcome == QStringLiteral("ok") ? answer : outcome == QStringLiteral("empty") ? QString() : kRejected;
        QCOMPARE(CheckAnswer(*s, d, answer, qint16(row[0].toInt())), expected);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        // Names are remembered for error 18 even when refused; other kinds leave the word alone.
        QCOMPARE(s->ReservedWord, row[0] == QStringLiteral("3") ? answer : QString());
    }

    // The number-text test, its value whatever the locale, and the 23-character layout.
    void number(const QStringList& row)
    {
        const bool isNumber = row[1] == QStringLiteral("y");
        QCOMPARE(isNumberText(row[0]), isNumber);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const auto value = numberValue(row[0]);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(value.has_value(), isNumber);
        QVERIFY(!isNumber || *value == row[2].toDouble());
        QCOMPARE(ToKvNumber(row[0]), row[3]);
    }
};

QTEST_GUILESS_MAIN(ModelTest)
#include "model_test.moc"
