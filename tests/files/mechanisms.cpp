#include "tests/files/mechanisms.h"

#include <QFile>
#include <QVariant>
#include <QTest>

#include <algorithm>
#include <map>
#include <string_view>
#include <variant>

namespace testmech {

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
        std::visit([&](auto field) {
            using T = std::remove_reference_t<decltype(r.*field)>;
            r.*field = qvariant_cast<T>(QVariant(word.section(QLatin1Char('='), 1)));
        }, it->second);
    }
    return true;
}

bool apply(Session& s, const QString& line)
{
    QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString kind = w.isEmpty() ? QString() : w.takeFirst();
    if (kind.isEmpty() || kind.startsWith(QLatin1Char('#')))
        return true;
    if (kind.startsWith(QLatin1Char('@'))) {
        const QStringList lines = dataLines(kind.mid(1) + QStringLiteral(".mech"));
        return !lines.isEmpty() && std::all_of(lines.cbegin(), lines.cend(), [&](const QString& l) { return apply(s, l); });
    }
    if (kind == QStringLiteral("new")) {
        s.NewMechanism();
        return w.isEmpty();
    }
    if (kind == QStringLiteral("session"))
        return setFields(s, w, kSession);
    const QString target = w.isEmpty() ? QString() : w.takeFirst();
    const bool every = target == QStringLiteral("*");
    const int n = target == QStringLiteral("+") ? 0 : every ? 1 : target.toInt();
    if (n < 0 || n >= kSlots || (n == 0 && target != QStringLiteral("+")))
        return false;
    // A record given by number, one added, or every link.
    const auto edit = [&](auto& records, qint16 (Session::*add)(), const auto& fields) {
        const int from = n ? n : (s.*add)();
        bool ok = from > 0;
        for (int i = from; ok && i <= (every ? s.ZvenoCount : from); ++i)
            ok = setFields(records[i], w, fields);
        return ok;
    };
    if (kind == QStringLiteral("pair"))
        return edit(s.Paras, &Session::addPara, kPara);
    if (kind == QStringLiteral("link"))
        return edit(s.Zvenos, &Session::addZveno, kLink);
    if (kind == QStringLiteral("group"))
        return edit(s.Groups, &Session::addGroup, kGroup);
    ZVENO& z = s.Zvenos[n];
    if (kind == QStringLiteral("point"))
        return setFields(z.DP[++z.DPCount], w, kPoint);
    if (kind != QStringLiteral("extrapair") || w.size() != 4)
        return false;
    const int j = z.TwafzCount = qint16(qMax<qint16>(z.TwafzCount, 0) + 1);
    std::tie(z.TwafzName[j], z.TwafzIndex[j], z.TwafzLength[j], z.TwafzAngle[j]) = std::tie(w[0], w[1], w[2], w[3]);
    return true;
}

} // namespace

void build(Session& s, const QString& description)
{
    for (const QString& line : description.split(QLatin1Char(';')))
        if (!apply(s, line))
            qFatal("description line not understood: %s", qPrintable(line));
}

QStringList dataLines(const QString& name)
{
    QStringList lines = QString::fromUtf8(readBytes(QStringLiteral(TESTDATA "/") + name)).split(QLatin1Char('\n'));
    lines.removeLast(); // after the last line end
    return lines;
}

void addRows(const QString& name)
{
    static QList<QByteArray> columnNames; // the test table keeps only pointers to them
    bool named = false;
    for (const QString& line : dataLines(name)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList columns = line.split(QLatin1Char('|'));
        QTestData* row = named ? &QTest::newRow(qPrintable(columns.first().trimmed())) : nullptr;
        for (qsizetype i = 1; i < columns.size(); ++i) {
            if (row)
                *row << columns[i].trimmed();
            else
                QTest::addColumn<QString>((columnNames << columns[i].trimmed().toLatin1()).last().constData());
        }
        named = true;
    }
}

QString cell(const char* column)
{
    const QString text = *static_cast<const QString*>(QTest::qData(column, QMetaType::QString));
    return text.isEmpty() ? QString() : text;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace testmech
