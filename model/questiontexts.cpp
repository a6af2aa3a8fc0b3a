#include "model/questiontexts.h"

namespace {

const QString kEnter = QStringLiteral("Введите ");

} // namespace

QString pairXQuestion(const QString& pair)
{
    return kEnter + QStringLiteral("координату Х пары ") + pair;
}

QString pairYQuestion(const QString& pair)
{
    return kEnter + QStringLiteral("координату Y пары ") + pair;
}

QString pairAngleQuestion(const QString& pair)
{
    return kEnter + QStringLiteral("угол до положительного направления пары ") + pair + QStringLiteral(" от оси Х");
}

QString linkLengthQuestion(const QString& pair1, const QString& pair2)
{
    return kEnter + QStringLiteral("расстояние между парами: ") + pair1 + QLatin1Char('-') + pair2;
}

QString perpendicularQuestion(const QString& revolute, const QString& guide)
{
    return kEnter + QStringLiteral("длину перпендикуляра, опущеного с вращательной пары: ") + revolute +
           QStringLiteral(" на направляющую поступательной пары ") + guide;
}

QString distanceToCentreQuestion(const QString& base, const QString& centre)
{
    return kEnter + QStringLiteral("расстояние от пары ") + base + QStringLiteral(" до центра масс ") + centre;
}

QString distanceToPointQuestion(const QString& base, const QString& point)
{
    return kEnter + QStringLiteral("расстояние от пары ") + base + QStringLiteral(" до точки ") + point;
}

QString distanceToPairQuestion(const QString& base, const QString& pair)
{
    return kEnter + QStringLiteral("расстояние от пары ") + base + QStringLiteral(" до пары ") + pair;
}

QString vectorAngleQuestion(const QString& base, const QString& other, const QString& target)
{
    return kEnter + QStringLiteral("угол от вектора ") + base + other + QStringLiteral(" до вектора ") + base + target;
}

QString perpendicularAngleQuestion(const QString& base, const QString& other, const QString& target)
{
    return kEnter + QStringLiteral("угол от перпендикуляра из пары ") + base + QStringLiteral(" на направляющую пары ") + other +
           QStringLiteral(" до вектора ") + base + target;
}

QString forceQuestion(const QString& point)
{
    return kEnter + QStringLiteral("величину силы, действующей на звено в точке ") + point;
}

QString forceAngleQuestion(const QString& point)
{
    return kEnter + QStringLiteral("угол от положительного направления оси Х до вектора силы, приложенного в точке ") + point;
}

QString massQuestion(const QString& link)
{
    return kEnter + QStringLiteral("массу звена ") + link;
}

QString momentQuestion(const QString& link)
{
    return kEnter + QStringLiteral("момент инерции звена ") + link;
}

QString externalMomentQuestion(const QString& link)
{
    return kEnter + QStringLiteral("величину внешнего момента, действующего на звено ") + link;
}

QString linkDirectionQuestion(const QString& revolute, const QString& guide)
{
    return QStringLiteral("Пара ") + revolute + QStringLiteral(", перпендикуляр проведенный с нее на напраляющую поступательной пары ") +
           guide + QStringLiteral(" и точка на направляющей поступательной пары обходятся ПО часовой стрелке?");
}

QString groupHeader(const QString& name, const QString& a, const QString& b, const QString& d, const QString& type)
{
    return QStringLiteral("Группа: ") + name + QLatin1Char('(') + a + QLatin1Char('-') + b + QLatin1Char('-') + d +
           QStringLiteral(") Тип - ") + type + QStringLiteral("\r\n");
}

QString groupDirectionQuestion(const QString& chain)
{
    return QStringLiteral("Пары ") + chain + QStringLiteral(" обходятся ПО часовой стрелке?");
}

QString sliderVectorQuestion(const QString& vector, const QString& slider)
{
    return QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет острый угол с положительным направлением поступательной пары ") +
           slider + QLatin1Char('?');
}

QString pairVectorQuestion(const QString& vector, const QString& pair)
{
    return QStringLiteral("Вектор ") + vector + QStringLiteral(" составляет острый угол с положительным направлением пары ") + pair +
           QLatin1Char('?');
}
