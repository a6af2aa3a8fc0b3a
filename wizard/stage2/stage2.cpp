#include "wizard/stage2/stage2.h"

#include "model/answers.h"
#include "model/ask.h"
#include "model/dialogs.h"
#include "model/errors.h"
#include "model/flags.h"
#include "model/questiontexts.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "files/savefile.h"
#include "files/writefile.h"

#include <QDir>

namespace {

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

QString askNumber(Stage2Context& ctx, const QString& question, bool refuseZero = false)
{
    return AskNumber(ctx.session, ctx.dialogs, question, ctx.at, refuseZero);
}

// The yes/no step of a choice kept as "y"/"n", with the protocol line of each answer.
void askChoice(Stage2Context& ctx, const QString& question, QString& field, const QString& yesLine, const QString& noLine)
{
    AskYesNoInto(ctx.session, ctx.dialogs, question, ctx.at, field, ctx.addLine, yesLine, noLine);
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
QString askSame(Stage2Context& ctx, const QString& question, const QString& unit, bool refuseZero = false)
{
    const QString what = question.mid(QStringLiteral("Введите ").size());
    return askValue(ctx, question, what.left(1).toUpper() + what.mid(1), unit, refuseZero);
}

const QString kMetres = QStringLiteral(" м");
const QString kDegrees = QStringLiteral(" град");

bool offGuide(const ZVENO& z)
{
    return z.Perpendicular != kNotSet;
}

// The angle from the vector BO to the vector BT.
QString askVectorAngle(Stage2Context& ctx, const BasePairs& bo, const QString& target)
{
    return askSame(ctx, vectorAngleQuestion(bo.base, bo.other, target), kDegrees);
}

// The angle of a point T on a link: from the perpendicular when the link's revolute pair lies off
// the guide, otherwise from the vector BO.
QString askAngleTo(Stage2Context& ctx, const ZVENO& z, const BasePairs& bo, const QString& target)
{
    if (offGuide(z))
        return askSame(ctx, perpendicularAngleQuestion(bo.base, bo.other, target), kDegrees);
    return askVectorAngle(ctx, bo, target);
}

// Every extra point of every link that has some, but those of one kind: the pairs panel is
// refreshed and the base pair taken once per link.
template <typename Visit>
void forEachPoint(Stage2Context& ctx, const QString& skipKind, Visit visit)
{
    Session& s = ctx.session;
    for (int i = 1; i <= zvenoCount(s); ++i) {
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

qint16 FramePairCoordinates(Stage2Context& ctx)
{
    Session& s = ctx.session;
    const QString frame = countedFrameName(s);
    for (int k = 1; k <= paraCount(s); ++k) {
        PARA& p = s.Paras[k];
        if (p.Zveno1 != frame && p.Zveno2 != frame)
            continue;
        const QString name = p.Name;
        p.X = askNumber(ctx, pairXQuestion(name));
        p.Y = askNumber(ctx, pairYQuestion(name));
        if (p.ParaType == QStringLiteral("p"))
            p.XAngle = askNumber(ctx, pairAngleQuestion(name));
        addLine(ctx, QStringLiteral("Звено ") + name + QStringLiteral(": Координаты (X,Y): (") + p.X + QLatin1Char(',') + p.Y +
                         QLatin1Char(')'));
        refreshPairs(ctx);
    }
    return 10;
}

qint16 LinkDimensions(Stage2Context& ctx)
{
    Session& s = ctx.session;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (isCopyLink(z) || isFrameLink(z))
            continue;
        if (isRevoluteLink(z)) {
            const QString value = askNumber(ctx, linkLengthQuestion(z.Para1, z.Para2));
            addLine(ctx, QStringLiteral("Расстояние между шаринирами ") + z.Para1 + QLatin1Char('-') + z.Para2 + QStringLiteral(" = ") +
                             value + kMetres);
            z.ZLength = value;
        } else if (isPrismaticLink(z)) {
            const GuidePairs rg = revoluteAndGuide(z);
            const QString lies = QStringLiteral("Вращательная пара ") + rg.revolute;
            const YesNo onGuide = AskYesNo(s, ctx.dialogs,
                                           QStringLiteral("Лежит ли вращательная пара ") + rg.revolute +
                                               QStringLiteral(" на направляющей пары ") + rg.guide + QLatin1Char('?'),
                                           ctx.at);
            if (onGuide == YesNo::Yes) {
                z.OnGuide = QStringLiteral("yes");
                addLine(ctx, lies + QStringLiteral(" лежит на направляющей пары ") + rg.guide);
            } else {
                z.OnGuide = QStringLiteral("no");
                z.Perpendicular = askNumber(ctx, perpendicularQuestion(rg.revolute, rg.guide));
                addLine(ctx, lies + QStringLiteral(" не лежит на направляющей пары ") + rg.guide);
                addLine(ctx, QStringLiteral("--------- Перпендикуляр от вращательной пары ") + rg.revolute +
                                 QStringLiteral(" до направляющей поступательной пары ") + rg.guide + QStringLiteral(" = ") +
                                 z.Perpendicular + kMetres);
            }
        }
    }
    return 110;
}

qint16 GroupAssembly(Stage2Context& ctx)
{
    Session& s = ctx.session;
    for (int g = 1; g <= groupCount(s); ++g) {
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
        const QString header = groupHeader(group.Name, a, b, d, t);
        // "Вектор <v> составляет острый|тупой угол с положительным направлением <tail>"
        const auto sharpness = [&](const QString& question, const QString& vector, const QString& tail) {
            const QString start = QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет ");
            const QString angle = QStringLiteral(" угол с положительным направлением ") + tail;
            askChoice(ctx, header + question, group.IsSharp, start + QStringLiteral("острый") + angle,
                      start + QStringLiteral("тупой") + angle);
        };

        if (t == QStringLiteral("1")) {
            const QString pairs = QStringLiteral("Пары ") + abd;
            askChoice(ctx, header + groupDirectionQuestion(abd), group.Clockwise,
                      pairs + QStringLiteral(" обходятся по часовой стрелке"),
                      pairs + QStringLiteral(" обходятся обходятся против часовой стрелке"));
        }
        if (t == QStringLiteral("2")) {
            QString vector, pair;
            if (isRevoluteLink(z1)) {
                vector = a + b;
                pair = d;
            } else if (isPrismaticLink(z1)) {
                vector = c + d;
                pair = a;
            }
            sharpness(sliderVectorQuestion(vector, pair), vector, QStringLiteral("поступательной пары ") + pair);
        }
        if (t == QStringLiteral("2") || t == QStringLiteral("3")) {
            for (int link : {first, second}) {
                ZVENO& z = s.Zvenos[link];
                if (!offGuide(z))
                    continue;
                const GuidePairs rg = revoluteAndGuide(z);
                askChoice(ctx, linkDirectionQuestion(rg.revolute, rg.guide), z.Clockwise,
                          QStringLiteral("Пары обходятся по часовой стрелке"), QStringLiteral("Пары обходятся против часовой стрелки"));
            }
            if (offGuide(z1) && offGuide(z2))
                sharpness(pairVectorQuestion(a + d, b), a + d, QStringLiteral("пары ") + b);
        }
    }
    return 120;
}

qint16 ExtraPointPositions(Stage2Context& ctx)
{
    Session& s = ctx.session;
    if (hasExtraPairs(s)) {
        for (int i = 1; i <= zvenoCount(s); ++i) {
            ZVENO& z = s.Zvenos[i];
            if (isCopyLink(z) || z.TwafzCount <= 0)
                continue;
            const BasePairs bo = BaseAndOtherPair(s, i);
            for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
                const QString t = z.TwafzName[j];
                z.TwafzLength[j] = askSame(ctx, distanceToPairQuestion(bo.base, t), kMetres, true);
                z.TwafzAngle[j] = askAngleTo(ctx, z, bo, t);
            }
        }
    }
    if (!isNo(s.MorePoints)) {
        forEachPoint(ctx, QStringLiteral("f"), [&](const ZVENO& z, const BasePairs& bo, DOP_POINT& p) {
            p.Length = askSame(ctx, distanceToPointQuestion(bo.base, p.Name), kMetres);
            // A point on the base pair itself has no direction to ask for.
            p.Angle = p.Length == QStringLiteral("0") ? QStringLiteral("0") : askAngleTo(ctx, z, bo, p.Name);
        });
    }
    return 130;
}

qint16 CentresOfMass(Stage2Context& ctx)
{
    Session& s = ctx.session;
    if (isNo(s.ForceAnalysis))
        return 200;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.CM.isEmpty() || isFrameLink(z))
            continue;
        const BasePairs bo = BaseAndOtherPair(s, i);
        z.CMLength = askSame(ctx, distanceToCentreQuestion(bo.base, z.CM), kMetres);
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
        p.ForceAngle = askSame(ctx, forceAngleQuestion(n), kDegrees);
        p.Force = askValue(ctx, forceQuestion(n), QStringLiteral("Величина силы, действующей на звено в точке ") + n, QStringLiteral(" Н"));
    });
    return 150;
}

qint16 MassesAndMoments(Stage2Context& ctx)
{
    Session& s = ctx.session;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (isFrameLink(z) || isCopyLink(z) || z.CM.isEmpty())
            continue;
        const QString l = z.Name;
        z.Mass = askValue(ctx, massQuestion(l), QStringLiteral("Масса звена ") + l, QStringLiteral(" кг"));
        z.Moment = askValue(ctx, momentQuestion(l), QStringLiteral("Момент инерции ") + l, QStringLiteral(" кг*м2"));
        if (!isDrivingLink(z))
            z.MomentVn = askValue(ctx, externalMomentQuestion(l),
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
        saveDescriptionFiles(session, dialogs, view, destinationFolder(choice.fileName, choice.fileTitle), choice.fileTitle);
    // Set whatever the dialog gave: the description is finished, and free-edit, which has its own
    // save, may take it over even when nothing was written here (a failure has been reported).
    session.OutputSaved = kSet;
    return written;
}
