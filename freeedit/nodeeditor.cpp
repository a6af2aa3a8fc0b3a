#include "freeedit/nodeeditor.h"

#include "model/ask.h"
#include "model/flags.h"
#include "model/questiontexts.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "model/translator.h"

#include <QRegularExpression>

namespace {

// A record index cut out of a key, or 0 when it lies outside the array.
qint16 indexIn(const QString& digits, int last)
{
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n >= 1 && n <= last ? qint16(n) : qint16(0);
}

// The record index of a matched key, kept as text in index; 0 when the key did not match or the
// index lies outside the array.
qint16 keyIndex(const QRegularExpressionMatch& m, QString& index)
{
    if (!m.hasMatch())
        return 0;
    index = m.captured(1);
    return indexIn(index, kMaxRecords);
}

} // namespace

NodeEditor::NodeEditor(Session& session, Dialogs& dialogs)
    : m_session(session)
    , m_dialogs(dialogs)
{
}

std::optional<QString> NodeEditor::edit(const QString& key)
{
    if (key.startsWith(QLatin1Char('P')))
        return editPair(key);
    if (key.startsWith(QLatin1Char('Z')))
        return editLink(key);
    if (key.startsWith(QLatin1Char('G')))
        return editGroup(key);
    return std::nullopt;
}

QString NodeEditor::askNumber(const QString& question, QString& field)
{
    field = AskNumber(m_session, m_dialogs, question, m_at);
    return field;
}

void NodeEditor::askYesNo(const QString& question, QString& field)
{
    AskYesNoInto(m_session, m_dialogs, question, m_at, field);
}

std::optional<QString> NodeEditor::editPair(const QString& key)
{
    static const QRegularExpression shape(QStringLiteral("^P_(\\d+)_(X|Y|XAngle)$"));
    const auto m = shape.match(key);
    const qint16 i = keyIndex(m, EditPair);
    if (i == 0)
        return std::nullopt;
    PARA& p = m_session.Paras[i];
    const QString suffix = m.captured(2);
    if (suffix == QLatin1String("X"))
        return QStringLiteral("Координата Х: ") + askNumber(pairXQuestion(p.Name), p.X);
    if (suffix == QLatin1String("Y"))
        return QStringLiteral("Координата Y: ") + askNumber(pairYQuestion(p.Name), p.Y);
    return QStringLiteral("Угол с осью Х: ") + askNumber(pairAngleQuestion(p.Name), p.XAngle);
}

std::optional<QString> NodeEditor::editLink(const QString& key)
{
    static const QRegularExpression single(
        QStringLiteral("^Z_(\\d+)_(zlength|clockwise|perpendicular|CM_length|CM_angle|mass|moment|moment_vn)$"));
    static const QRegularExpression sub(
        QStringLiteral("^Z_(\\d+)_(DP_length|DP_angle|DP_force|DP_force_angle|TWAFZ_length|TWAFZ_angle)_(\\d+)$"));

    QString suffix;
    if (const auto m = single.match(key); m.hasMatch()) {
        EditLink = m.captured(1);
        suffix = m.captured(2);
    } else if (const auto s = sub.match(key); s.hasMatch()) {
        EditLink = s.captured(1);
        suffix = s.captured(2);
        EditSub = indexIn(s.captured(3), kMaxSubRecords);
        if (EditSub == 0)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const qint16 link = indexIn(EditLink, kMaxRecords);
    if (link == 0)
        return std::nullopt;

    ZVENO& L = m_session.Zvenos[link];
    const QuestionEnds e = questionEnds(m_session, L);

    if (suffix == QLatin1String("clockwise"))
        return editLinkDirection(link);
    if (suffix == QLatin1String("zlength")) {
        if (!isRevoluteLink(L))
            return std::nullopt;
        return QStringLiteral("Длина звена: ") + askNumber(linkLengthQuestion(L.Para1, L.Para2), L.ZLength);
    }
    if (suffix == QLatin1String("perpendicular")) {
        if (!isPrismaticLink(L))
            return std::nullopt;
        const GuidePairs rg = revoluteAndGuide(L);
        return QStringLiteral("Длина перпендикуляра: ") + askNumber(perpendicularQuestion(rg.revolute, rg.guide), L.Perpendicular);
    }
    if (suffix.startsWith(QLatin1String("CM_")) || suffix.startsWith(QLatin1String("mass")) ||
        suffix.startsWith(QLatin1String("moment"))) {
        if (!forceAnalysis(m_session))
            return std::nullopt;
        if (suffix == QLatin1String("CM_length")) {
            const QString value = askNumber(distanceToCentreQuestion(e.B, L.CM), L.CMLength);
            // This text names the base pair as the tree does, not as the question does.
            return QStringLiteral("Расстояние от ") + BasePair(m_session, link) + QStringLiteral(": ") + value;
        }
        if (suffix == QLatin1String("CM_angle"))
            return QStringLiteral("Угол от вектора ") + e.B + e.O + QStringLiteral(" до вектора ") + e.B + L.CM +
                   QStringLiteral(": ") +
                   askNumber(vectorAngleQuestion(e.B, e.O, L.CM), L.CMAngle);
        if (suffix == QLatin1String("mass"))
            return QStringLiteral("Масса звена: ") + askNumber(massQuestion(L.Name), L.Mass);
        if (suffix == QLatin1String("moment"))
            return QStringLiteral("Момент звена: ") + askNumber(momentQuestion(L.Name), L.Moment);
        return QStringLiteral("Внешний момент, действующий на звено: ") +
               askNumber(externalMomentQuestion(L.Name), L.MomentVn);
    }

    const bool perpendicular = L.Perpendicular != kNotSet;
    auto angleQuestion = [&](const QString& Q) -> QString {
        return perpendicular ? perpendicularAngleQuestion(e.B, e.O, Q) : vectorAngleQuestion(e.B, e.O, Q);
    };
    auto perpendicularText = [&](const QString& Q, const QString& value) -> QString {
        return QStringLiteral("Угол от перпендикуляра из пары ") + e.B + QStringLiteral(" на направляющую пары ") + e.O +
               QStringLiteral(" до вектора ") + e.B + Q + QStringLiteral(" =") + value;
    };

    if (suffix.startsWith(QLatin1String("DP_"))) {
        if (!morePoints(m_session))
            return std::nullopt;
        DOP_POINT& point = L.DP[EditSub];
        const QString& P = point.Name;
        if (suffix == QLatin1String("DP_length"))
            return QStringLiteral("Расстояние от ") + e.B + QStringLiteral(": ") +
                   askNumber(distanceToPointQuestion(e.B, P), point.Length);
        if (suffix == QLatin1String("DP_angle")) {
            const QString value = askNumber(angleQuestion(P), point.Angle);
            if (perpendicular)
                return perpendicularText(P, value);
            // Without a perpendicular this text names the pairs as the tree does.
            const QString b = BasePair(m_session, link);
            return QStringLiteral("Угол от вектора ") + b + OtherPair(m_session, link) + QStringLiteral(" до вектора ") + b +
                   P + QStringLiteral(": ") + value;
        }
        if (suffix == QLatin1String("DP_force"))
            return QStringLiteral("Сила, действующая в точке ") + P + QStringLiteral(": ") +
                   askNumber(forceQuestion(P), point.Force);
        return QStringLiteral("Угол к оси Х силы, действующей в точке ") + P + QStringLiteral(": ") +
               askNumber(forceAngleQuestion(P), point.ForceAngle);
    }

    // The additional pairs of the link.
    if (!hasExtraPairs(m_session))
        return std::nullopt;
    const QString& A = L.TwafzName[EditSub];
    if (suffix == QLatin1String("TWAFZ_length"))
        return QStringLiteral("Расстояние до пары ") + e.B + QStringLiteral(": ") +
               askNumber(distanceToPairQuestion(e.B, A), L.TwafzLength[EditSub]);
    const QString value = askNumber(angleQuestion(A), L.TwafzAngle[EditSub]);
    if (perpendicular)
        return perpendicularText(A, value);
    return QStringLiteral("Угол от вектора ") + e.B + e.O + QStringLiteral(" до вектора ") + e.B + A + QStringLiteral(" : ") +
           value;
}

std::optional<QString> NodeEditor::editLinkDirection(qint16 link)
{
    const QString name = m_session.Zvenos[link].Name;
    qint16 found = 0;
    for (int g = 1; g <= groupCount(m_session) && found == 0; ++g) {
        const GROUP& group = m_session.Groups[g];
        // A removed group points nowhere and holds no link.
        const auto holds = [&](qint16 i) { return validIndex(i, kMaxRecords) && m_session.Zvenos[i].Name == name; };
        if (holds(group.Zveno1Index) || holds(group.Zveno2Index))
            found = qint16(g);
    }
    if (found == 0)
        return std::nullopt;
    EditGroup = QString::number(found);
    const GROUP& group = m_session.Groups[found];

    std::optional<QString> text;
    // The second link of the group is asked about first.
    for (const qint16 index : {group.Zveno2Index, group.Zveno1Index}) {
        if (!validIndex(index, kMaxRecords))
            continue;
        ZVENO& L = m_session.Zvenos[index];
        if (!isPrismaticLink(L))
            continue;
        const GuidePairs rg = revoluteAndGuide(L);
        askYesNo(linkDirectionQuestion(rg.revolute, rg.guide), L.Clockwise);
        text = QStringLiteral("Направление обхода: ") + TranslateCode(L.Clockwise + QStringLiteral("p"));
    }
    return text;
}

std::optional<QString> NodeEditor::editGroup(const QString& key)
{
    static const QRegularExpression shape(QStringLiteral("^G_(\\d+)_(clockwise|is_sharp)$"));
    const auto m = shape.match(key);
    const qint16 g = keyIndex(m, EditGroup);
    if (g == 0)
        return std::nullopt;
    GROUP& group = m_session.Groups[g];
    const ZVENO& l1 = zvenoAt(m_session, group.Zveno1Index);
    const ZVENO& l2 = zvenoAt(m_session, group.Zveno2Index);
    const QString &A = l1.Para1, &Bp = l1.Para2, &C = l2.Para1, &D = l2.Para2;
    const QString& T = group.GType;
    const QString header = groupHeader(group.Name, A, Bp, D, T);
    const bool clockwiseKey = m.captured(2) == QLatin1String("clockwise");
    auto sharp = [&]() -> QString { return TranslateCode(group.IsSharp + QStringLiteral("G")); };

    std::optional<QString> text;
    if (clockwiseKey && T == QLatin1String("1")) {
        const QString chain = A + QStringLiteral("-") + Bp + QStringLiteral("-") + D;
        askYesNo(header + groupDirectionQuestion(chain), group.Clockwise);
        text = QStringLiteral("Направление обхода группы: ") + chain + QStringLiteral(": ") +
               TranslateCode(group.Clockwise + QStringLiteral("p"));
    }
    if (T == QLatin1String("2")) {
        if (isRevoluteLink(l1)) {
            askYesNo(header + sliderVectorQuestion(A + Bp, D), group.IsSharp);
            text = QStringLiteral("Вектор ") + A + Bp + QStringLiteral(" составляет ") + sharp() +
                   QStringLiteral(" с положительным направлением поступательной пары ") + D;
        } else if (isPrismaticLink(l1)) {
            askYesNo(header + sliderVectorQuestion(C + D, A), group.IsSharp);
            text = QStringLiteral("Вектор ") + C + D + QStringLiteral(" составляет ") + sharp() +
                   QStringLiteral(" с положительным направлением поступательной пары ") + A;
        }
    }
    if ((T == QLatin1String("2") || T == QLatin1String("3")) && l1.Perpendicular != kNotSet &&
        l2.Perpendicular != kNotSet) {
        askYesNo(header + pairVectorQuestion(A + D, Bp), group.IsSharp);
        text = QStringLiteral("Вектор ") + A + D + QStringLiteral(" составляет ") + sharp() +
               QStringLiteral(" с положительным направлением пары ") + Bp;
    }
    return text;
}
