#include "freeedit/nodeeditor.h"

#include "model/answers.h"
#include "model/ask.h"
#include "model/errors.h"
#include "freeedit/mechanismtree.h"
#include "model/session.h"
#include "model/translator.h"

#include <QRegularExpression>

namespace {

constexpr float kTextMode = 2.0f;
constexpr float kYesNoMode = 1.0f;
const QString kDefault = QStringLiteral("0");

// A record index cut out of a key, or 0 when it lies outside the array.
qint16 indexIn(const QString& digits, int last)
{
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n >= 1 && n <= last ? qint16(n) : qint16(0);
}

bool isPrismaticType(const QString& zType)
{
    return zType == QLatin1String("rp") || zType == QLatin1String("pr");
}

// The base and other pair of a link as the questions name them: the pair found on the frame last
// wins, so when both lie on the frame the second one is the base.
struct Ends {
    QString B;
    QString O;
};

Ends questionEnds(const Session& s, const ZVENO& z)
{
    Ends e{z.Para1, z.Para2};
    if (pairOnFrame(s, z.Para1Index))
        e = {z.Para1, z.Para2};
    if (pairOnFrame(s, z.Para2Index))
        e = {z.Para2, z.Para1};
    return e;
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
    for (;;) {
        AskQuestion(m_session, m_dialogs, question, kTextMode, kDefault, m_at);
        const QString checked = CheckAnswer(m_session, m_dialogs, m_session.Answer, kModeNumber);
        // Text such as "1.2.3" or "-" passes the character test but is no number the analysis
        // program could read.
        if (checked != kRejected && isNumberText(m_session.Answer)) {
            field = m_session.Answer;
            return field;
        }
        ShowError(m_session, m_dialogs, 5);
    }
}

void NodeEditor::askYesNo(const QString& question, QString& field)
{
    AskQuestion(m_session, m_dialogs, question, kYesNoMode, kDefault, m_at);
    const auto code = numberValue(m_session.Answer);
    if (code == 6.0)
        field = QStringLiteral("y");
    else if (code == 7.0)
        field = QStringLiteral("n");
}

std::optional<QString> NodeEditor::editPair(const QString& key)
{
    static const QRegularExpression shape(QStringLiteral("^P_(\\d+)_(X|Y|XAngle)$"));
    const auto m = shape.match(key);
    if (!m.hasMatch())
        return std::nullopt;
    EditPair = m.captured(1);
    const qint16 i = indexIn(EditPair, kMaxRecords);
    if (i == 0)
        return std::nullopt;
    PARA& p = m_session.Paras[i];
    const QString suffix = m.captured(2);
    if (suffix == QLatin1String("X"))
        return QStringLiteral("Координата Х: ") + askNumber(QStringLiteral("Введите координату Х пары ") + p.Name, p.X);
    if (suffix == QLatin1String("Y"))
        return QStringLiteral("Координата Y: ") + askNumber(QStringLiteral("Введите координату Y пары ") + p.Name, p.Y);
    return QStringLiteral("Угол с осью Х: ") +
           askNumber(QStringLiteral("Введите угол до положительного направления пары ") + p.Name + QStringLiteral(" от оси Х"),
                     p.XAngle);
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
    const Ends e = questionEnds(m_session, L);
    const bool forces = m_session.ForceAnalysis == 6.0f;
    const bool points = m_session.MorePoints == 6.0f;
    const bool extraPairs = m_session.ExtraPairsFlag == 1.0f;

    if (suffix == QLatin1String("clockwise"))
        return editLinkDirection(link);
    if (suffix == QLatin1String("zlength")) {
        if (L.ZType != QLatin1String("rr"))
            return std::nullopt;
        return QStringLiteral("Длина звена: ") +
               askNumber(QStringLiteral("Введите расстояние между парами: ") + L.Para1 + QStringLiteral("-") + L.Para2,
                         L.ZLength);
    }
    if (suffix == QLatin1String("perpendicular")) {
        if (!isPrismaticType(L.ZType))
            return std::nullopt;
        const bool rp = L.ZType == QLatin1String("rp");
        const QString& revolute = rp ? L.Para1 : L.Para2;
        const QString& prismatic = rp ? L.Para2 : L.Para1;
        return QStringLiteral("Длина перпендикуляра: ") +
               askNumber(QStringLiteral("Введите длину перпендикуляра, опущеного с вращательной пары: ") + revolute +
                             QStringLiteral(" на направляющую поступательной пары ") + prismatic,
                         L.Perpendicular);
    }
    if (suffix.startsWith(QLatin1String("CM_")) || suffix.startsWith(QLatin1String("mass")) ||
        suffix.startsWith(QLatin1String("moment"))) {
        if (!forces)
            return std::nullopt;
        if (suffix == QLatin1String("CM_length")) {
            const QString value =
                askNumber(QStringLiteral("Введите расстояние от пары ") + e.B + QStringLiteral(" до центра масс ") + L.CM,
                          L.CMLength);
            // This text names the base pair as the tree does, not as the question does.
            return QStringLiteral("Расстояние от ") + BasePair(m_session, link) + QStringLiteral(": ") + value;
        }
        if (suffix == QLatin1String("CM_angle"))
            return QStringLiteral("Угол от вектора ") + e.B + e.O + QStringLiteral(" до вектора ") + e.B + L.CM +
                   QStringLiteral(": ") +
                   askNumber(QStringLiteral("Введите угол от вектора ") + e.B + e.O + QStringLiteral(" до вектора ") + e.B + L.CM,
                             L.CMAngle);
        if (suffix == QLatin1String("mass"))
            return QStringLiteral("Масса звена: ") + askNumber(QStringLiteral("Введите массу звена ") + L.Name, L.Mass);
        if (suffix == QLatin1String("moment"))
            return QStringLiteral("Момент звена: ") +
                   askNumber(QStringLiteral("Введите момент инерции звена ") + L.Name, L.Moment);
        return QStringLiteral("Внешний момент, действующий на звено: ") +
               askNumber(QStringLiteral("Введите величину внешнего момента, действующего на звено ") + L.Name, L.MomentVn);
    }

    const bool perpendicular = L.Perpendicular != kNotSet;
    auto angleQuestion = [&](const QString& Q) -> QString {
        if (perpendicular)
            return QStringLiteral("Введите угол от перпендикуляра из пары ") + e.B + QStringLiteral(" на направляющую пары ") +
                   e.O + QStringLiteral(" до вектора ") + e.B + Q;
        return QStringLiteral("Введите угол от вектора ") + e.B + e.O + QStringLiteral(" до вектора ") + e.B + Q;
    };
    auto perpendicularText = [&](const QString& Q, const QString& value) -> QString {
        return QStringLiteral("Угол от перпендикуляра из пары ") + e.B + QStringLiteral(" на направляющую пары ") + e.O +
               QStringLiteral(" до вектора ") + e.B + Q + QStringLiteral(" =") + value;
    };

    if (suffix.startsWith(QLatin1String("DP_"))) {
        if (!points)
            return std::nullopt;
        DOP_POINT& point = L.DP[EditSub];
        const QString& P = point.Name;
        if (suffix == QLatin1String("DP_length"))
            return QStringLiteral("Расстояние от ") + e.B + QStringLiteral(": ") +
                   askNumber(QStringLiteral("Введите расстояние от пары ") + e.B + QStringLiteral(" до точки ") + P,
                             point.Length);
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
                   askNumber(QStringLiteral("Введите величину силы, действующей на звено в точке ") + P, point.Force);
        return QStringLiteral("Угол к оси Х силы, действующей в точке ") + P + QStringLiteral(": ") +
               askNumber(QStringLiteral("Введите угол от положительного направления оси Х до вектора силы, приложенного в точке ") +
                             P,
                         point.ForceAngle);
    }

    // The additional pairs of the link.
    if (!extraPairs)
        return std::nullopt;
    const QString& A = L.TwafzName[EditSub];
    if (suffix == QLatin1String("TWAFZ_length"))
        return QStringLiteral("Расстояние до пары ") + e.B + QStringLiteral(": ") +
               askNumber(QStringLiteral("Введите расстояние от пары ") + e.B + QStringLiteral(" до пары ") + A,
                         L.TwafzLength[EditSub]);
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
    for (int g = 1; g <= std::min<int>(m_session.GroupCount, kMaxRecords) && found == 0; ++g) {
        const GROUP& group = m_session.Groups[g];
        const qint16 i1 = indexIn(QString::number(group.Zveno1Index), kMaxRecords);
        const qint16 i2 = indexIn(QString::number(group.Zveno2Index), kMaxRecords);
        // A removed group points nowhere and holds no link.
        if ((i1 != 0 && m_session.Zvenos[i1].Name == name) || (i2 != 0 && m_session.Zvenos[i2].Name == name))
            found = qint16(g);
    }
    if (found == 0)
        return std::nullopt;
    EditGroup = QString::number(found);
    const GROUP& group = m_session.Groups[found];

    std::optional<QString> text;
    // The second link of the group is asked about first.
    for (const qint16 index : {group.Zveno2Index, group.Zveno1Index}) {
        const qint16 i = indexIn(QString::number(index), kMaxRecords);
        if (i == 0)
            continue;
        ZVENO& L = m_session.Zvenos[i];
        if (!isPrismaticType(L.ZType))
            continue;
        const bool rp = L.ZType == QLatin1String("rp");
        const QString& X = rp ? L.Para1 : L.Para2;
        const QString& Y = rp ? L.Para2 : L.Para1;
        askYesNo(QStringLiteral("Пара ") + X +
                     QStringLiteral(", перпендикуляр проведенный с нее на напраляющую поступательной пары ") + Y +
                     QStringLiteral(" и точка на направляющей поступательной пары обходятся ПО часовой стрелке?"),
                 L.Clockwise);
        text = QStringLiteral("Направление обхода: ") + TranslateCode(L.Clockwise + QStringLiteral("p"));
    }
    return text;
}

std::optional<QString> NodeEditor::editGroup(const QString& key)
{
    static const QRegularExpression shape(QStringLiteral("^G_(\\d+)_(clockwise|is_sharp)$"));
    const auto m = shape.match(key);
    if (!m.hasMatch())
        return std::nullopt;
    EditGroup = m.captured(1);
    const qint16 g = indexIn(EditGroup, kMaxRecords);
    if (g == 0)
        return std::nullopt;
    GROUP& group = m_session.Groups[g];
    const ZVENO& l1 = zvenoAt(m_session, group.Zveno1Index);
    const ZVENO& l2 = zvenoAt(m_session, group.Zveno2Index);
    const QString &A = l1.Para1, &Bp = l1.Para2, &C = l2.Para1, &D = l2.Para2;
    const QString& T = group.GType;
    const QString header = QStringLiteral("Группа: ") + group.Name + QStringLiteral("(") + A + QStringLiteral("-") + Bp +
                           QStringLiteral("-") + D + QStringLiteral(") Тип - ") + T + QStringLiteral("\r\n");
    const bool clockwiseKey = m.captured(2) == QLatin1String("clockwise");
    auto sharp = [&]() -> QString { return TranslateCode(group.IsSharp + QStringLiteral("G")); };

    std::optional<QString> text;
    if (clockwiseKey && T == QLatin1String("1")) {
        const QString chain = A + QStringLiteral("-") + Bp + QStringLiteral("-") + D;
        askYesNo(header + QStringLiteral("Пары ") + chain + QStringLiteral(" обходятся ПО часовой стрелке?"), group.Clockwise);
        text = QStringLiteral("Направление обхода группы: ") + chain + QStringLiteral(": ") +
               TranslateCode(group.Clockwise + QStringLiteral("p"));
    }
    if (T == QLatin1String("2")) {
        if (l1.ZType == QLatin1String("rr")) {
            askYesNo(header + QStringLiteral("Вектор ") + A + Bp +
                         QStringLiteral(" составляет острый угол с положительным направлением поступательной пары ") + D +
                         QStringLiteral("?"),
                     group.IsSharp);
            text = QStringLiteral("Вектор ") + A + Bp + QStringLiteral(" составляет ") + sharp() +
                   QStringLiteral(" с положительным направлением поступательной пары ") + D;
        } else if (isPrismaticType(l1.ZType)) {
            askYesNo(header + QStringLiteral("Вектор ") + C + D +
                         QStringLiteral(" составляет острый угол с положительным направлением поступательной пары ") + A +
                         QStringLiteral("?"),
                     group.IsSharp);
            text = QStringLiteral("Вектор ") + C + D + QStringLiteral(" составляет ") + sharp() +
                   QStringLiteral(" с положительным направлением поступательной пары ") + A;
        }
    }
    if ((T == QLatin1String("2") || T == QLatin1String("3")) && l1.Perpendicular != kNotSet &&
        l2.Perpendicular != kNotSet) {
        askYesNo(header + QStringLiteral("Вектор ") + A + D +
                     QStringLiteral(" составляет острый угол с положительным направлением пары ") + Bp + QStringLiteral("?"),
                 group.IsSharp);
        text = QStringLiteral("Вектор ") + A + D + QStringLiteral(" составляет ") + sharp() +
               QStringLiteral(" с положительным направлением пары ") + Bp;
    }
    return text;
}
