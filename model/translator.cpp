#include "model/translator.h"

#include <utility>

QString TranslateCode(const QString& code)
{
    static const std::pair<QString, QString> table[] = {
        {QStringLiteral("basepoint"), QStringLiteral("опорная точка")},
        {QStringLiteral("joint"), QStringLiteral("шарнир")},
        {QStringLiteral("slider"), QStringLiteral("ползун")},
        {QStringLiteral("joint_on"), QStringLiteral("шарнир на звене")},
        {QStringLiteral("slider_on"), QStringLiteral("ползун на звене")},
        {QStringLiteral("connector"), QStringLiteral("звено")},
        {QStringLiteral("rr"), QStringLiteral("R")},
        {QStringLiteral("rp"), QStringLiteral("P")},
        {QStringLiteral("pr"), QStringLiteral("P")},
        {QStringLiteral("yp"), QStringLiteral("По часовой стрелке")},
        {QStringLiteral("np"), QStringLiteral("Против часовой стрелки")},
        {QStringLiteral("yG"), QStringLiteral("острый угол")},
        {QStringLiteral("nG"), QStringLiteral("тупой угол")},
    };
    for (const auto& [key, text] : table)
        if (key == code)
            return text;
    return QString();
}
