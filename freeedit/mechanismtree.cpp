#include "freeedit/mechanismtree.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "model/translator.h"

namespace {

QString num(int i)
{
    return QString::number(i);
}

class Builder {
public:
    void structural(const QString& key, const QString& parent, const QString& text, bool expanded = false)
    {
        nodes.append(TreeNode{key, parent, text, true, expanded, false});
    }
    void value(const QString& key, const QString& parent, const QString& text)
    {
        nodes.append(TreeNode{key, parent, text, false, false, false});
    }
    QList<TreeNode> nodes;
};

} // namespace

QList<TreeNode> Load_PARAS(const Session& s)
{
    Builder b;
    const QString root = QStringLiteral("PARAS");
    b.structural(root, QString(), QStringLiteral("Пары"), true);
    const QString frame = frameName(s);
    for (int i = 1; i <= paraCount(s); ++i) {
        const PARA& p = s.Paras[i];
        const bool prismatic = p.ParaType == QLatin1String("p");
        if (p.Zveno1 != frame && p.Zveno2 != frame && !prismatic)
            continue; // a revolute pair between two moving links has no coordinates of its own
        const QString key = QStringLiteral("P_") + num(i);
        b.structural(key, root, p.Name);
        b.value(key + QStringLiteral("_X"), key, QStringLiteral("Координата Х: ") + p.X);
        b.value(key + QStringLiteral("_Y"), key, QStringLiteral("Координата Y: ") + p.Y);
        if (prismatic)
            b.value(key + QStringLiteral("_XAngle"), key, QStringLiteral("Угол с осью Х: ") + p.XAngle);
    }
    return b.nodes;
}

QList<TreeNode> Load_ZVENOS(const Session& s)
{
    Builder b;
    const QString root = QStringLiteral("ZVENOS");
    b.structural(root, QString(), QStringLiteral("Звенья"), true);
    const bool forces = forceAnalysis(s);
    const bool points = morePoints(s);
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (isFrameLink(z) || isCopyLink(z))
            continue;
        const QString B = BasePair(s, qint16(i));
        const QString O = OtherPair(s, qint16(i));
        const QString key = QStringLiteral("Z_") + num(i);
        b.structural(key, root, z.Name);
        if (isRevoluteLink(z))
            b.value(key + QStringLiteral("_zlength"), key, QStringLiteral("Длина звена: ") + z.ZLength);
        if (z.OnGuide == QLatin1String("no")) {
            b.value(key + QStringLiteral("_clockwise"), key,
                    QStringLiteral("Направление обхода: ") + TranslateCode(z.Clockwise + QStringLiteral("p")));
            b.value(key + QStringLiteral("_perpendicular"), key,
                    QStringLiteral("Длина перпендикуляра: ") + z.Perpendicular);
        }
        for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
            const QString sub = key + QStringLiteral("_TWAFZ_") + num(j);
            b.structural(sub, key, QStringLiteral("Дополнительная пара: ") + z.TwafzName[j]);
            b.value(key + QStringLiteral("_TWAFZ_length_") + num(j), sub,
                    QStringLiteral("Расстояние до пары ") + B + QStringLiteral(": ") + z.TwafzLength[j]);
            b.value(key + QStringLiteral("_TWAFZ_angle_") + num(j), sub,
                    QStringLiteral("Угол от вектора ") + B + O + QStringLiteral(" до вектора ") + B + z.TwafzName[j] +
                        QStringLiteral(" : ") + z.TwafzAngle[j]);
        }
        if (forces) {
            const QString cm = key + QStringLiteral("_CM");
            b.structural(cm, key, QStringLiteral("Центр масс: ") + z.CM);
            b.value(cm + QStringLiteral("_length"), cm, QStringLiteral("Расстояние от ") + B + QStringLiteral(": ") + z.CMLength);
            b.value(cm + QStringLiteral("_angle"), cm,
                    QStringLiteral("Угол от вектора ") + B + O + QStringLiteral(" до вектора ") + B + z.CM +
                        QStringLiteral(": ") + z.CMAngle);
            b.value(key + QStringLiteral("_mass"), key, QStringLiteral("Масса звена: ") + z.Mass);
            b.value(key + QStringLiteral("_moment"), key, QStringLiteral("Момент звена: ") + z.Moment);
            if (!isDrivingLink(z))
                b.value(key + QStringLiteral("_moment_vn"), key,
                        QStringLiteral("Внешний момент, действующий на звено: ") + z.MomentVn);
        }
        if (points && z.DPCount != 0) {
            const QString dp = key + QStringLiteral("_DP");
            b.structural(dp, key, QStringLiteral("Дополнительные точки"));
            for (int j = 1; j <= subCount(z.DPCount); ++j) {
                const DOP_POINT& p = z.DP[j];
                const QString point = dp + QStringLiteral("_") + num(j);
                b.structural(point, dp, QStringLiteral("Точка: ") + p.Name);
                const bool force = p.Kind == QLatin1String("f");
                if (force || p.Kind == QLatin1String("o")) {
                    b.value(dp + QStringLiteral("_length_") + num(j), point,
                            QStringLiteral("Расстояние от ") + B + QStringLiteral(": ") + p.Length);
                    b.value(dp + QStringLiteral("_angle_") + num(j), point,
                            QStringLiteral("Угол от вектора ") + B + O + QStringLiteral(" до вектора ") + B + p.Name +
                                QStringLiteral(": ") + p.Angle);
                }
                if (force) {
                    b.value(dp + QStringLiteral("_force_") + num(j), point,
                            QStringLiteral("Сила, действующая в точке ") + p.Name + QStringLiteral(": ") + p.Force);
                    b.value(dp + QStringLiteral("_force_angle_") + num(j), point,
                            QStringLiteral("Угол к оси Х силы, действующей в точке ") + p.Name + QStringLiteral(": ") +
                                p.ForceAngle);
                }
            }
        }
    }
    return b.nodes;
}

QList<TreeNode> Load_GROUPS(const Session& s)
{
    Builder b;
    const QString root = QStringLiteral("GROUPS");
    b.structural(root, QString(), QStringLiteral("Группы"), true);
    for (int g = 1; g <= groupCount(s); ++g) {
        const GROUP& group = s.Groups[g];
        const ZVENO& l1 = zvenoAt(s, group.Zveno1Index);
        const ZVENO& l2 = zvenoAt(s, group.Zveno2Index);
        const QString &A = l1.Para1, &Bp = l1.Para2, &C = l2.Para1, &D = l2.Para2;
        const QString key = QStringLiteral("G_") + num(g);
        const QString sharp = TranslateCode(group.IsSharp + QStringLiteral("G"));
        b.structural(key, root, QStringLiteral("Номер KVERTA: ") + group.Name);
        const QString clockwise = key + QStringLiteral("_clockwise");
        if (group.GType == QLatin1String("1"))
            b.value(clockwise, key,
                    QStringLiteral("Направление обхода группы: ") + A + QStringLiteral("-") + Bp + QStringLiteral("-") + D +
                        QStringLiteral(": ") + TranslateCode(group.Clockwise + QStringLiteral("p")));
        else if (group.GType == QLatin1String("2") && isRevoluteLink(l1))
            b.value(clockwise, key,
                    QStringLiteral("Вектор ") + A + Bp + QStringLiteral(" составляет ") + sharp +
                        QStringLiteral(" с положительным направлением поступательной пары ") + D);
        else if (group.GType == QLatin1String("2") && isPrismaticLink(l1))
            b.value(clockwise, key,
                    QStringLiteral("Вектор ") + C + D + QStringLiteral(" составляет ") + sharp +
                        QStringLiteral(" с положительным направлением поступательной пары ") + A);
        if ((group.GType == QLatin1String("2") || group.GType == QLatin1String("3")) && l1.Perpendicular != kNotSet &&
            l2.Perpendicular != kNotSet)
            b.value(key + QStringLiteral("_is_sharp"), key,
                    QStringLiteral("Вектор ") + A + D + QStringLiteral(" составляет ") + sharp +
                        QStringLiteral(" с положительным направлением пары ") + Bp);
    }
    return b.nodes;
}

QList<TreeNode> buildMechanismTree(const Session& session)
{
    return Load_PARAS(session) + Load_ZVENOS(session) + Load_GROUPS(session);
}

QStringList nodeMarks(const QList<TreeNode>& nodes)
{
    QStringList marks(nodes.size() + 1);
    for (qsizetype n = 0; n < nodes.size(); ++n)
        if (nodes[n].structural)
            marks[n + 1] = kStructuralMark;
    return marks;
}
