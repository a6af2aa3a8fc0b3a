#include "wizard/stage2/stage2.h"

#include "model/answers.h"
#include "model/ask.h"
#include "model/dialogs.h"
#include "model/errors.h"
#include "model/session.h"
#include "files/writefile.h"

#include <QDir>

namespace {

const QString kDefault = QStringLiteral("0");
const QString kNotSetText = QStringLiteral("/n");

enum class YesNo { Yes, No, Neither };

// Yes and No come back as "6" and "7", read as numbers; a closed dialog may bring anything.
YesNo yesNo(const QString& answer)
{
    const auto v = numberValue(answer);
    if (v && *v == 6.0)
        return YesNo::Yes;
    if (v && *v == 7.0)
        return YesNo::No;
    return YesNo::Neither;
}

YesNo askYesNo(Stage2Context& ctx, const QString& question)
{
    return yesNo(AskQuestion(ctx.session, ctx.dialogs, question, 1.0f, kDefault, ctx.at));
}

// Asks until a number comes back: the answer check first, then the number-text test, which
// stops "1.2.3", "." and "-" from reaching the files. With refuseZero the text "0" itself is
// refused too (a further pair cannot sit on the base pair).
QString askNumber(Stage2Context& ctx, const QString& question, bool refuseZero = false)
{
    for (;;) {
        const QString answer = AskQuestion(ctx.session, ctx.dialogs, question, 2.0f, kDefault, ctx.at);
        if (CheckAnswer(ctx.session, ctx.dialogs, answer, kModeNumber) == kRejected || !isNumberText(answer)) {
            ShowError(ctx.session, ctx.dialogs, 5);
            continue;
        }
        if (refuseZero && answer == QStringLiteral("0")) {
            ShowError(ctx.session, ctx.dialogs, 21);
            continue;
        }
        return answer;
    }
}

void addLine(Stage2Context& ctx, const QString& line)
{
    if (ctx.addLine)
        ctx.addLine(line);
}

void refreshPairs(Stage2Context& ctx)
{
    if (ctx.refreshPairs)
        ctx.refreshPairs();
}

// Stages 2.4 to 2.7 share one shape: a number question, then the line "<what> =<value><unit>".
QString askValue(Stage2Context& ctx, const QString& question, const QString& what, const QString& unit,
                 bool refuseZero = false)
{
    const QString value = askNumber(ctx, question, refuseZero);
    addLine(ctx, what + QStringLiteral(" =") + value + unit);
    return value;
}

// The common case of it: "Введите <what>" asked, "<What>" listed.
QString askSame(Stage2Context& ctx, const QString& what, const QString& unit, bool refuseZero = false)
{
    const QString listed = what.left(1).toUpper() + what.mid(1);
    return askValue(ctx, QStringLiteral("Введите ") + what, listed, unit, refuseZero);
}

const QString kMetres = QStringLiteral(" м");
const QString kDegrees = QStringLiteral(" град");

bool validIndex(qint16 index, qint16 count)
{
    return index >= 1 && index <= count && index < kSlots;
}

QString pairName(const Session& s, qint16 index)
{
    return validIndex(index, s.ParaCount) ? s.Paras[index].Name : QString();
}

QString frameName(const Session& s)
{
    return validIndex(s.FrameIndex, s.ZvenoCount) ? s.Zvenos[s.FrameIndex].Name : QString();
}

bool touchesFrame(const Session& s, qint16 pair, const QString& frame)
{
    if (!validIndex(pair, s.ParaCount))
        return false;
    const PARA& p = s.Paras[pair];
    const auto linkName = [&](qint16 z) { return validIndex(z, s.ZvenoCount) ? s.Zvenos[z].Name : QString(); };
    return (validIndex(p.Zveno1Index, s.ZvenoCount) && linkName(p.Zveno1Index) == frame) ||
           (validIndex(p.Zveno2Index, s.ZvenoCount) && linkName(p.Zveno2Index) == frame);
}

bool isCopy(const ZVENO& z)
{
    return z.Mark == QStringLiteral("c");
}

bool isFrame(const ZVENO& z)
{
    return z.IsFrame == 1.0f;
}

bool offGuide(const ZVENO& z)
{
    return z.Perpendicular != kNotSetText;
}

int linkCount(const Session& s)
{
    return qBound(0, int(s.ZvenoCount), int(kMaxRecords));
}

int subCount(qint16 count)
{
    return qBound(0, int(count), int(kMaxSubRecords));
}

// The angle from the vector BO to the vector BT.
QString askVectorAngle(Stage2Context& ctx, const BasePairs& bo, const QString& target)
{
    return askSame(ctx, QStringLiteral("угол от вектора ") + bo.base + bo.other + QStringLiteral(" до вектора ") + bo.base + target,
                   kDegrees);
}

// The angle of a point T on a link: from the perpendicular when the link's revolute pair lies off
// the guide, otherwise from the vector BO.
QString askAngleTo(Stage2Context& ctx, const ZVENO& z, const BasePairs& bo, const QString& target)
{
    if (offGuide(z))
        return askSame(ctx,
                       QStringLiteral("угол от перпендикуляра из пары ") + bo.base + QStringLiteral(" на направляющую пары ") +
                           bo.other + QStringLiteral(" до вектора ") + bo.base + target,
                       kDegrees);
    return askVectorAngle(ctx, bo, target);
}

// Every extra point of every link that has some, but those of one kind: the pairs panel is
// refreshed and the base pair taken once per link.
template <typename Visit>
void forEachPoint(Stage2Context& ctx, const QString& skipKind, Visit visit)
{
    Session& s = ctx.session;
    for (int i = 1; i <= linkCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.DPCount <= 0)
            continue;
        refreshPairs(ctx);
        const BasePairs bo = BaseAndOtherPair(s, i);
        for (int j = 1; j <= subCount(z.DPCount); ++j)
            if (z.DP[j].Kind != skipKind)
                visit(z, bo, z.DP[j]);
    }
}

} // namespace

BasePairs BaseAndOtherPair(const Session& s, int zveno)
{
    if (zveno < 1 || zveno >= kSlots)
        return {};
    const ZVENO& z = s.Zvenos[zveno];
    const QString frame = frameName(s);
    BasePairs bo{pairName(s, z.Para1Index), pairName(s, z.Para2Index)};
    if (touchesFrame(s, z.Para2Index, frame))
        bo = {pairName(s, z.Para2Index), pairName(s, z.Para1Index)};
    else if (touchesFrame(s, z.Para1Index, frame))
        bo = {pairName(s, z.Para1Index), pairName(s, z.Para2Index)};
    return bo;
}

GuidePairs RevoluteAndGuide(const Session& s, int zveno)
{
    if (zveno < 1 || zveno >= kSlots)
        return {};
    const ZVENO& z = s.Zvenos[zveno];
    if (z.ZType == QStringLiteral("pr"))
        return {z.Para2, z.Para1};
    return {z.Para1, z.Para2};
}

qint16 FramePairCoordinates(Stage2Context& ctx)
{
    Session& s = ctx.session;
    const QString frame = frameName(s);
    for (int k = 1; k <= qMin(int(s.ParaCount), int(kMaxRecords)); ++k) {
        PARA& p = s.Paras[k];
        if (p.Zveno1 != frame && p.Zveno2 != frame)
            continue;
        const QString name = p.Name;
        // The "Х" of the two questions is Cyrillic, as the students have always seen it.
        p.X = askNumber(ctx, QStringLiteral("Введите координату Х пары ") + name);
        p.Y = askNumber(ctx, QStringLiteral("Введите координату Y пары ") + name);
        if (p.ParaType == QStringLiteral("p"))
            p.XAngle = askNumber(ctx, QStringLiteral("Введите угол до положительного направления пары ") + name +
                                          QStringLiteral(" от оси Х"));
        addLine(ctx, QStringLiteral("Звено ") + name + QStringLiteral(": Координаты (X,Y): (") + p.X + QLatin1Char(',') + p.Y +
                         QLatin1Char(')'));
        refreshPairs(ctx);
    }
    return 10;
}

qint16 LinkDimensions(Stage2Context& ctx)
{
    Session& s = ctx.session;
    for (int i = 1; i <= linkCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (isCopy(z) || isFrame(z))
            continue;
        if (z.ZType == QStringLiteral("rr")) {
            const QString between = z.Para1 + QLatin1Char('-') + z.Para2;
            const QString value = askNumber(ctx, QStringLiteral("Введите расстояние между парами: ") + between);
            addLine(ctx, QStringLiteral("Расстояние между шаринирами ") + between + QStringLiteral(" = ") + value +
                             QStringLiteral(" м"));
            z.ZLength = value;
        } else if (z.ZType == QStringLiteral("rp") || z.ZType == QStringLiteral("pr")) {
            const GuidePairs rg = RevoluteAndGuide(s, i);
            const YesNo onGuide = askYesNo(ctx, QStringLiteral("Лежит ли вращательная пара ") + rg.revolute +
                                                    QStringLiteral(" на направляющей пары ") + rg.guide + QLatin1Char('?'));
            if (onGuide == YesNo::Yes) {
                z.OnGuide = QStringLiteral("yes");
                addLine(ctx, QStringLiteral("Вращательная пара ") + rg.revolute + QStringLiteral(" лежит на направляющей пары ") +
                                 rg.guide);
            } else {
                z.OnGuide = QStringLiteral("no");
                z.Perpendicular = askNumber(ctx, QStringLiteral("Введите длину перпендикуляра, опущеного с вращательной пары: ") +
                                                     rg.revolute + QStringLiteral(" на направляющую поступательной пары ") +
                                                     rg.guide);
                addLine(ctx, QStringLiteral("Вращательная пара ") + rg.revolute + QStringLiteral(" не лежит на направляющей пары ") +
                                 rg.guide);
                addLine(ctx, QStringLiteral("--------- Перпендикуляр от вращательной пары ") + rg.revolute +
                                 QStringLiteral(" до направляющей поступательной пары ") + rg.guide + QStringLiteral(" = ") +
                                 z.Perpendicular + QStringLiteral(" м"));
            }
        }
    }
    return 110;
}

qint16 GroupAssembly(Stage2Context& ctx)
{
    Session& s = ctx.session;
    const int groups = qBound(0, int(s.GroupCount), int(kMaxRecords));
    for (int g = 1; g <= groups; ++g) {
        GROUP& group = s.Groups[g];
        if (group.Name == QStringLiteral("0"))
            continue;
        if (!validIndex(group.Zveno1Index, s.ZvenoCount) || !validIndex(group.Zveno2Index, s.ZvenoCount))
            continue; // a removed group
        const int first = group.Zveno1Index;
        const int second = group.Zveno2Index;
        ZVENO& z1 = s.Zvenos[first];
        ZVENO& z2 = s.Zvenos[second];
        const QString a = z1.Para1, b = z1.Para2, c = z2.Para1, d = z2.Para2;
        const QString t = group.GType;
        const QString abd = a + QLatin1Char('-') + b + QLatin1Char('-') + d;
        const QString header = QStringLiteral("Группа: ") + group.Name + QLatin1Char('(') + abd + QStringLiteral(") Тип - ") + t;
        const QString crlf = QStringLiteral("\r\n");

        if (t == QStringLiteral("1")) {
            switch (askYesNo(ctx, header + crlf + QStringLiteral("Пары ") + abd + QStringLiteral(" обходятся ПО часовой стрелке?"))) {
            case YesNo::Yes:
                group.Clockwise = QStringLiteral("y");
                addLine(ctx, QStringLiteral("Пары ") + abd + QStringLiteral(" обходятся по часовой стрелке"));
                break;
            case YesNo::No:
                group.Clockwise = QStringLiteral("n");
                addLine(ctx, QStringLiteral("Пары ") + abd + QStringLiteral(" обходятся обходятся против часовой стрелке"));
                break;
            case YesNo::Neither: break;
            }
        }
        if (t == QStringLiteral("2")) {
            QString vector, pair;
            if (z1.ZType == QStringLiteral("rr")) {
                vector = a + b;
                pair = d;
            } else if (z1.ZType == QStringLiteral("rp") || z1.ZType == QStringLiteral("pr")) {
                vector = c + d;
                pair = a;
            }
            const QString tail = QStringLiteral(" угол с положительным направлением поступательной пары ") + pair;
            switch (askYesNo(ctx, header + crlf + QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет острый") + tail +
                                      QLatin1Char('?'))) {
            case YesNo::Yes:
                group.IsSharp = QStringLiteral("y");
                addLine(ctx, QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет острый") + tail);
                break;
            case YesNo::No:
                group.IsSharp = QStringLiteral("n");
                addLine(ctx, QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет тупой") + tail);
                break;
            case YesNo::Neither: break;
            }
        }
        if (t == QStringLiteral("2") || t == QStringLiteral("3")) {
            for (int link : {first, second}) {
                ZVENO& z = s.Zvenos[link];
                if (!offGuide(z))
                    continue;
                const GuidePairs rg = RevoluteAndGuide(s, link);
                switch (askYesNo(ctx, QStringLiteral("Пара ") + rg.revolute +
                                          QStringLiteral(", перпендикуляр проведенный с нее на напраляющую поступательной пары ") +
                                          rg.guide +
                                          QStringLiteral(" и точка на направляющей поступательной пары обходятся ПО часовой стрелке?"))) {
                case YesNo::Yes:
                    z.Clockwise = QStringLiteral("y");
                    addLine(ctx, QStringLiteral("Пары обходятся по часовой стрелке"));
                    break;
                case YesNo::No:
                    z.Clockwise = QStringLiteral("n");
                    addLine(ctx, QStringLiteral("Пары обходятся против часовой стрелки"));
                    break;
                case YesNo::Neither: break;
                }
            }
            if (offGuide(z1) && offGuide(z2)) {
                const QString tail = QStringLiteral(" угол с положительным направлением пары ") + b;
                switch (askYesNo(ctx, header + crlf + QStringLiteral("Вектор ") + a + d + QStringLiteral(" составляет острый") + tail +
                                          QLatin1Char('?'))) {
                case YesNo::Yes:
                    group.IsSharp = QStringLiteral("y");
                    addLine(ctx, QStringLiteral("Вектор ") + a + d + QStringLiteral(" составляет острый") + tail);
                    break;
                case YesNo::No:
                    group.IsSharp = QStringLiteral("n");
                    addLine(ctx, QStringLiteral("Вектор ") + a + d + QStringLiteral(" составляет тупой") + tail);
                    break;
                case YesNo::Neither: break;
                }
            }
        }
    }
    return 120;
}

qint16 ExtraPointPositions(Stage2Context& ctx)
{
    Session& s = ctx.session;
    if (s.ExtraPairsFlag == 1.0f) {
        for (int i = 1; i <= linkCount(s); ++i) {
            ZVENO& z = s.Zvenos[i];
            if (isCopy(z) || z.TwafzCount <= 0)
                continue;
            const BasePairs bo = BaseAndOtherPair(s, i);
            for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
                const QString t = z.TwafzName[j];
                z.TwafzLength[j] = askSame(ctx, QStringLiteral("расстояние от пары ") + bo.base + QStringLiteral(" до пары ") + t,
                                           kMetres, true);
                z.TwafzAngle[j] = askAngleTo(ctx, z, bo, t);
            }
        }
    }
    if (s.MorePoints != 7.0f) {
        forEachPoint(ctx, QStringLiteral("f"), [&](const ZVENO& z, const BasePairs& bo, DOP_POINT& p) {
            p.Length = askSame(ctx, QStringLiteral("расстояние от пары ") + bo.base + QStringLiteral(" до точки ") + p.Name, kMetres);
            // A point on the base pair itself has no direction to ask for.
            p.Angle = p.Length == QStringLiteral("0") ? QStringLiteral("0") : askAngleTo(ctx, z, bo, p.Name);
        });
    }
    return 130;
}

qint16 CentresOfMass(Stage2Context& ctx)
{
    Session& s = ctx.session;
    if (s.ForceAnalysis == 7.0f)
        return 200;
    for (int i = 1; i <= linkCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.CM.isEmpty() || isFrame(z))
            continue;
        const BasePairs bo = BaseAndOtherPair(s, i);
        z.CMLength = askSame(ctx, QStringLiteral("расстояние от пары ") + bo.base + QStringLiteral(" до центра масс ") + z.CM, kMetres);
        z.CMAngle = askVectorAngle(ctx, bo, z.CM);
    }
    return 140;
}

qint16 ForcePoints(Stage2Context& ctx)
{
    forEachPoint(ctx, QStringLiteral("o"), [&](const ZVENO&, const BasePairs& bo, DOP_POINT& p) {
        const QString n = p.Name;
        p.Length = askValue(ctx, QStringLiteral("Введите расстояние от пары ") + bo.base + QStringLiteral(" до точки приложения силы ") + n,
                            QStringLiteral("Расстояние от пары ") + bo.base + QStringLiteral(" до точки ") + n, kMetres);
        p.Angle = askVectorAngle(ctx, bo, n);
        // The "Х" of the axis is Cyrillic here too.
        p.ForceAngle = askSame(ctx, QStringLiteral("угол от положительного направления оси Х до вектора силы, приложенного в точке ") + n,
                               kDegrees);
        p.Force = askValue(ctx, QStringLiteral("Введите величину силы, действующей на звено в точке ") + n,
                           QStringLiteral("Величина силы, действующей на звено в точке ") + n, QStringLiteral(" Н"));
    });
    return 150;
}

qint16 MassesAndMoments(Stage2Context& ctx)
{
    Session& s = ctx.session;
    for (int i = 1; i <= linkCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (isFrame(z) || isCopy(z) || z.CM.isEmpty())
            continue;
        const QString l = z.Name;
        z.Mass = askValue(ctx, QStringLiteral("Введите массу звена ") + l, QStringLiteral("Масса звена ") + l, QStringLiteral(" кг"));
        z.Moment = askValue(ctx, QStringLiteral("Введите момент инерции звена ") + l, QStringLiteral("Момент инерции ") + l,
                            QStringLiteral(" кг*м2"));
        if (z.IsDriving != 1.0f)
            z.MomentVn = askValue(ctx, QStringLiteral("Введите величину внешнего момента, действующего на звено ") + l,
                                  QStringLiteral("Величина внешнего момента, действующего на звено ") + l, QStringLiteral(" Н*м"));
    }
    return 200;
}

qint16 RunStage2State(Stage2Context& ctx, qint16 state)
{
    switch (state) {
    case 9: return FramePairCoordinates(ctx);
    case 10: return LinkDimensions(ctx);
    case 110: return GroupAssembly(ctx);
    case 120: return ExtraPointPositions(ctx);
    case 130: return CentresOfMass(ctx);
    case 140: return ForcePoints(ctx);
    case 150: return MassesAndMoments(ctx);
    default: return 0;
    }
}

bool SaveDescription(Session& session, Dialogs& dialogs, CompilerView* view)
{
    session.WizardState = 200;
    const FileChoice choice = dialogs.saveFile(kKvertaFilter);
    const bool written =
        WriteFile(session, dialogs, view, destinationFolder(choice.fileName, choice.fileTitle), choice.fileTitle);
    if (written)
        session.OutputSaved = 1.0f;
    return written;
}
