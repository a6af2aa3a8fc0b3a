#include "tests/support/mechanismbuilder.h"

#include "tests/support/testtable.h"

#include <QRegularExpression>
#include <QVariant>

#include <algorithm>
#include <map>
#include <string_view>
#include <variant>

namespace {

template <typename R>
using Fields = std::map<std::string_view, std::variant<QString R::*, qint16 R::*, float R::*>>;

#define F(R, f) {#f, &R::f}
const Fields<Session> kSession = {F(Session, FrameIndex), F(Session, ForceAnalysis), F(Session, MorePoints),
    F(Session, ExtraPairsFlag), F(Session, ZvenoCount), F(Session, ParaCount), F(Session, GroupCount)};
const Fields<PARA> kPara = {F(PARA, Name), F(PARA, Zveno1), F(PARA, Zveno1Index), F(PARA, Zveno2),
    F(PARA, Zveno2Index), F(PARA, ParaType), F(PARA, X), F(PARA, Y), F(PARA, XAngle)};
const Fields<ZVENO> kLink = {F(ZVENO, Name), F(ZVENO, IsFrame), F(ZVENO, IsDriving), F(ZVENO, Para1),
    F(ZVENO, Para1Index), F(ZVENO, Para2), F(ZVENO, Para2Index), F(ZVENO, ZType), F(ZVENO, ZLength),
    F(ZVENO, OnGuide), F(ZVENO, Clockwise), F(ZVENO, Spare1), F(ZVENO, Perpendicular), F(ZVENO, TwafzCount),
    F(ZVENO, CM), F(ZVENO, CMLength), F(ZVENO, CMAngle), F(ZVENO, Spare2), F(ZVENO, Spare3), F(ZVENO, Spare4),
    F(ZVENO, DPCount), F(ZVENO, Mark), F(ZVENO, GroupNo), F(ZVENO, Mass), F(ZVENO, Moment), F(ZVENO, MomentVn)};
const Fields<GROUP> kGroup = {F(GROUP, Name), F(GROUP, Zveno1Index), F(GROUP, Zveno2Index), F(GROUP, GType),
    F(GROUP, Clockwise), F(GROUP, IsSharp)};
const Fields<DOP_POINT> kPoint = {F(DOP_POINT, Name), F(DOP_POINT, Length), F(DOP_POINT, Angle),
    F(DOP_POINT, ForceAngle), F(DOP_POINT, Force), F(DOP_POINT, Kind)};
#undef F

// Sets "field=value" words on a record; false on a word the record has no field for.
template <typename R>
bool setFields(R& r, const QStringList& words, const Fields<R>& fields)
{
    for (const QString& word : words) {
        const auto it = fields.find(word.section(QLatin1Char('='), 0, 0).toStdString());
        if (!word.contains(QLatin1Char('=')) || it == fields.end())
            return false;
        const QVariant value(word.section(QLatin1Char('='), 1));
        std::visit([&](auto f) { r.*f = qvariant_cast<std::remove_reference_t<decltype(r.*f)>>(value); }, it->second);
    }
    return true;
}

bool apply(Session& s, const QString& line)
{
    // "_" and "field=_" are empty texts.
    QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    w.replaceInStrings(QRegularExpression(QStringLiteral("^_$|(?<==)_$")), QString());
    const QString kind = w.value(0), target = w.value(1);
    if (kind.isEmpty() || kind.startsWith(QLatin1Char('#')))
        return true;
    if (kind.startsWith(QLatin1Char('@'))) {
        for (const TableSection& t : tableSections(QStringLiteral(ZUVRACK_MECHANISMS)))
            if (t.title == kind.mid(1))
                return w.size() == 1 && std::all_of(t.lines.cbegin(), t.lines.cend(), [&](const QString& l) { return apply(s, l); });
        return false;
    }
    if (kind == QStringLiteral("repeat")) {
        const int count = target.toInt(), inner = w.value(2).toInt();
        const QString body = line.section(QLatin1Char(' '), inner ? 3 : 2);
        for (int n = 1; n <= count; ++n)
            for (int j = 1; j <= qMax(inner, 1); ++j)
                if (!apply(s, QString(body).replace(QStringLiteral("%1"), QString::number(n))
                                  .replace(QStringLiteral("%2"), QString::number(n % count + 1))
                                  .replace(QStringLiteral("%3"), QString::number(j))))
                    return false;
        return count > 0;
    }
    if (kind == QStringLiteral("new") || kind == QStringLiteral("reset"))
        return (kind == QStringLiteral("new") ? s.NewMechanism() : s.ResetMechanism()), w.size() == 1;
    if (kind == QStringLiteral("session"))
        return setFields(s, w.mid(1), kSession);
    const bool every = target == QStringLiteral("*"), added = target == QStringLiteral("+");
    const int n = added ? 0 : every ? 1 : target.toInt();
    if (n < 0 || n >= kSlots || (n == 0 && !added))
        return false;
    w = w.mid(2);
    // A record given by number (the count raised to it), one added, or every link.
    const auto edit = [&](auto& records, qint16 (Session::*add)(), qint16 Session::*count, const auto& fields) {
        if (n && !every)
            s.*count = qMax(s.*count, qint16(n));
        const int from = n ? n : (s.*add)();
        bool ok = from > 0;
        for (int i = from; ok && i <= (every ? s.ZvenoCount : from); ++i)
            ok = setFields(records[i], w, fields);
        return ok;
    };
    if (kind == QStringLiteral("pair"))
        return edit(s.Paras, &Session::addPara, &Session::ParaCount, kPara);
    if (kind == QStringLiteral("link"))
        return edit(s.Zvenos, &Session::addZveno, &Session::ZvenoCount, kLink);
    if (kind == QStringLiteral("group"))
        return edit(s.Groups, &Session::addGroup, &Session::GroupCount, kGroup);
    ZVENO& z = s.Zvenos[n];
    if (kind == QStringLiteral("point"))
        return z.DPCount + 1 < kSubSlots && setFields(z.DP[++z.DPCount], w, kPoint);
    const int j = qMax<qint16>(z.TwafzCount, 0) + 1;
    if (kind != QStringLiteral("extrapair") || w.size() != 4 || j >= kSubSlots)
        return false;
    z.TwafzCount = qint16(j);
    std::tie(z.TwafzName[j], z.TwafzIndex[j], z.TwafzLength[j], z.TwafzAngle[j]) = std::tuple(w[0], w[1], w[2], w[3]);
    return true;
}

} // namespace

void buildMechanism(Session& s, const QString& description)
{
    for (const QString& line : description.split(QRegularExpression(QStringLiteral("[;\n]"))))
        if (!apply(s, line.trimmed()))
            qFatal("mechanism line not understood: %s", qPrintable(line));
}

Session mechanism(const QString& description)
{
    Session s;
    s.NewMechanism();
    buildMechanism(s, description);
    return s;
}
