#include "files/projectformat.h"

#include "files/codepage.h"
#include "model/flags.h"
#include "model/session.h"

#include <QtEndian>

#include <algorithm>
#include <bit>

namespace {

// Builds the file record by record. A value that would run past the end of its record stops the
// writer and is remembered, so the caller can name it.
class RecordWriter {
public:
    explicit RecordWriter(qsizetype records) { m_out.reserve(records * kProjectRecordSize); }

    bool ok() const { return !m_failed; }
    const QString& tooLong() const { return m_tooLong; }
    QByteArray take() { return std::move(m_out); }

    // One value in a record of its own.
    void integer(qint16 v) { record([&] { putInteger(v); }); }
    void single(float v) { record([&] { putSingle(v); }); }
    void text(const QString& v) { record([&] { putText(v); }); }

    // Several values in one record, without gaps.
    template <typename Fill>
    void record(Fill fill)
    {
        if (!ok())
            return;
        m_start = m_out.size();
        fill();
        if (ok())
            m_out.append(kProjectRecordSize - (m_out.size() - m_start), '\0');
    }

    void putInteger(qint16 v) { putNumber(v, [v] { return QString::number(v); }); }
    void putSingle(float v) { putNumber(std::bit_cast<quint32>(v), [v] { return QString::number(v); }); }
    void putText(const QString& v)
    {
        if (!ok())
            return;
        const qsizetype at = m_out.size();
        m_out.append(2, '\0');
        appendCp1251(m_out, v);
        // A text longer than a record fails here; the length field is never cut short.
        if (!fits([&v] { return v; }))
            return;
        qToLittleEndian<quint16>(quint16(m_out.size() - at - 2), m_out.data() + at);
    }
    // Bytes still free in the record being filled.
    qsizetype room() const { return kProjectRecordSize - (m_out.size() - m_start); }
    void putRaw(QByteArrayView bytes, const QString& what)
    {
        if (!ok())
            return;
        m_out.append(bytes);
        fits([&what] { return what; });
    }

private:
    template <typename T, typename Name>
    void putNumber(T v, Name what)
    {
        if (!ok())
            return;
        const qsizetype at = m_out.size();
        m_out.append(qsizetype(sizeof v), '\0');
        if (fits(what))
            qToLittleEndian<T>(v, m_out.data() + at);
    }
    // False, and the record dropped, when the record has grown past its size; what names the
    // value that did not fit (made only then).
    template <typename Name>
    bool fits(Name what)
    {
        if (m_out.size() - m_start <= kProjectRecordSize)
            return true;
        m_failed = true;
        m_tooLong = what();
        m_out.truncate(m_start);
        return false;
    }

    QByteArray m_out;
    qsizetype m_start = 0;
    bool m_failed = false;
    QString m_tooLong;
};

// Reads the records back. Any read that would leave its record or the file marks the reader
// failed; every later read then does nothing, and the caller checks ok() where a value decides
// what follows.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView data)
        : m_data(data)
    {
    }

    bool ok() const { return m_ok; }

    qint16 integer()
    {
        qint16 v = 0;
        if (begin())
            v = getInteger();
        return v;
    }
    float single()
    {
        float v = 0;
        if (begin())
            v = getSingle();
        return v;
    }
    QString text()
    {
        QString v;
        if (begin())
            v = getText();
        return v;
    }

    // Starts the next record; false when the file ends before it.
    bool begin()
    {
        if (!m_ok)
            return false;
        if ((m_next + 1) * kProjectRecordSize > m_data.size())
            return fail();
        m_record = m_data.sliced(m_next * kProjectRecordSize, kProjectRecordSize);
        m_pos = 0;
        ++m_next;
        return true;
    }

    qint16 getInteger()
    {
        const QByteArrayView b = take(2);
        return b.isEmpty() ? 0 : qFromLittleEndian<qint16>(b.data());
    }
    float getSingle()
    {
        const QByteArrayView b = take(4);
        return b.isEmpty() ? 0.0f : std::bit_cast<float>(qFromLittleEndian<quint32>(b.data()));
    }
    QString getText()
    {
        const QByteArrayView n = take(2);
        if (n.isEmpty())
            return QString();
        const QByteArrayView bytes = take(qFromLittleEndian<quint16>(n.data()));
        // Nothing typed into the program holds a control character; one here is damage, and a
        // line break would split a line of the analysis-program file.
        for (const char b : bytes)
            if (static_cast<unsigned char>(b) < 0x20 || b == 0x7F) {
                fail();
                return QString();
            }
        return fromCp1251(bytes);
    }
    // True, and the marker consumed, when the rest of the record starts with it.
    bool getMarker(QByteArrayView marker)
    {
        if (!m_ok || m_record.size() - m_pos < marker.size() || m_record.sliced(m_pos, marker.size()) != marker)
            return false;
        m_pos += marker.size();
        return true;
    }

private:
    QByteArrayView take(qsizetype n)
    {
        if (!m_ok)
            return {};
        if (n > m_record.size() - m_pos) {
            fail();
            return {};
        }
        const QByteArrayView b = m_record.sliced(m_pos, n);
        m_pos += n;
        return b;
    }
    bool fail()
    {
        m_ok = false;
        return false;
    }

    QByteArrayView m_data;
    QByteArrayView m_record;
    qsizetype m_next = 0;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

constexpr qint16 kLowestIndex = -2; // not set after a reset

bool validCount(qint16 n, int low, int high)
{
    return n >= low && n <= high;
}

bool validIndex(qint16 i)
{
    return i >= kLowestIndex && i <= kMaxRecords;
}

// The counts as written: a count beyond its array is never followed past the array's end.
qint16 recordsCount(qint16 n)
{
    return std::clamp<qint16>(n, 0, kMaxRecords);
}
qint16 extraPairsCount(qint16 n)
{
    return std::clamp<qint16>(n, -1, kMaxSubRecords);
}
qint16 pointsCount(qint16 n)
{
    return std::clamp<qint16>(n, 0, kMaxSubRecords);
}

qsizetype recordCount(const Session& s)
{
    qsizetype n = 4 + 1 + recordsCount(s.ParaCount) + 1 + recordsCount(s.GroupCount);
    for (int i = 1; i <= recordsCount(s.ZvenoCount); ++i) {
        const ZVENO& z = s.Zvenos[i];
        n += kLinkRecords + qMax<qint16>(extraPairsCount(z.TwafzCount), 0) * kExtraPairRecords +
             pointsCount(z.DPCount) * kPointRecords;
    }
    return n;
}

void writeLink(RecordWriter& w, const ZVENO& z)
{
    const qint16 extraPairs = extraPairsCount(z.TwafzCount);
    w.integer(extraPairs);
    for (int j = 1; j <= extraPairs; ++j) {
        w.text(z.TwafzAngle[j]);
        w.text(z.TwafzLength[j]);
        w.text(z.TwafzName[j]);
        w.text(z.TwafzIndex[j]);
    }
    for (const QString* t : {&z.Spare1, &z.Clockwise, &z.CMAngle, &z.Spare3, &z.Spare2, &z.CMLength, &z.CM, &z.Spare4})
        w.text(*t);
    const qint16 points = pointsCount(z.DPCount);
    w.integer(points);
    for (int j = 1; j <= points; ++j) {
        const DOP_POINT& p = z.DP[j];
        for (const QString* t : {&p.Angle, &p.Force, &p.ForceAngle, &p.Length, &p.Name, &p.Kind})
            w.text(*t);
    }
    w.integer(z.GroupNo);
    w.single(z.IsFrame);
    w.text(z.OnGuide);
    w.single(z.IsDriving);
    for (const QString* t : {&z.ZLength, &z.Mass, &z.Moment, &z.MomentVn, &z.Name, &z.Para1, &z.Para2})
        w.text(*t);
    w.integer(z.Para1Index);
    w.integer(z.Para2Index);
    w.text(z.Perpendicular);
    w.text(z.Mark);
    w.text(z.ZType);
}

void writePara(RecordWriter& w, const PARA& p)
{
    w.record([&] {
        w.putText(p.Name);
        w.putText(p.Zveno1);
        w.putInteger(p.Zveno1Index);
        w.putText(p.Zveno2);
        w.putInteger(p.Zveno2Index);
        w.putText(p.ParaType);
        w.putText(p.X);
        w.putText(p.Y);
        w.putText(p.XAngle);
    });
}

void writeGroup(RecordWriter& w, const GROUP& g)
{
    w.record([&] {
        w.putText(g.Name);
        w.putInteger(g.Zveno1Index);
        w.putInteger(g.Zveno2Index);
        w.putText(g.GType);
        w.putText(g.Clockwise);
        // An empty choice reads back the same without its marker, so a group whose texts leave
        // no room for it (one read from an older file) is still saved.
        if (g.IsSharp.isEmpty() && w.room() < kIsSharpMarker.size() + 2)
            return;
        w.putRaw(kIsSharpMarker, g.IsSharp);
        w.putText(g.IsSharp);
    });
}

bool readLink(RecordReader& r, ZVENO& z, float& extraPairsFlag)
{
    z.TwafzCount = r.integer();
    if (!r.ok() || !validCount(z.TwafzCount, -1, kMaxSubRecords))
        return false;
    for (int j = 1; j <= z.TwafzCount; ++j) {
        z.TwafzAngle[j] = r.text();
        z.TwafzLength[j] = r.text();
        z.TwafzName[j] = r.text();
        z.TwafzIndex[j] = r.text();
        extraPairsFlag = kSet;
    }
    for (QString* t : {&z.Spare1, &z.Clockwise, &z.CMAngle, &z.Spare3, &z.Spare2, &z.CMLength, &z.CM, &z.Spare4})
        *t = r.text();
    z.DPCount = r.integer();
    if (!r.ok() || !validCount(z.DPCount, 0, kMaxSubRecords))
        return false;
    for (int j = 1; j <= z.DPCount; ++j) {
        DOP_POINT& p = z.DP[j];
        for (QString* t : {&p.Angle, &p.Force, &p.ForceAngle, &p.Length, &p.Name, &p.Kind})
            *t = r.text();
    }
    z.GroupNo = r.integer();
    z.IsFrame = r.single();
    z.OnGuide = r.text();
    z.IsDriving = r.single();
    for (QString* t : {&z.ZLength, &z.Mass, &z.Moment, &z.MomentVn, &z.Name, &z.Para1, &z.Para2})
        *t = r.text();
    z.Para1Index = r.integer();
    z.Para2Index = r.integer();
    z.Perpendicular = r.text();
    z.Mark = r.text();
    z.ZType = r.text();
    return r.ok() && validIndex(z.GroupNo) && validIndex(z.Para1Index) && validIndex(z.Para2Index);
}

bool readPara(RecordReader& r, PARA& p)
{
    p = PARA{};
    if (!r.begin())
        return false;
    p.Name = r.getText();
    p.Zveno1 = r.getText();
    p.Zveno1Index = r.getInteger();
    p.Zveno2 = r.getText();
    p.Zveno2Index = r.getInteger();
    p.ParaType = r.getText();
    p.X = r.getText();
    p.Y = r.getText();
    p.XAngle = r.getText();
    return r.ok() && validIndex(p.Zveno1Index) && validIndex(p.Zveno2Index);
}

bool readGroup(RecordReader& r, GROUP& g)
{
    g = GROUP{};
    if (!r.begin())
        return false;
    g.Name = r.getText();
    g.Zveno1Index = r.getInteger();
    g.Zveno2Index = r.getInteger();
    g.GType = r.getText();
    g.Clockwise = r.getText();
    // Files written without the choice leave it empty, as they always did.
    if (r.getMarker(kIsSharpMarker))
        g.IsSharp = r.getText();
    return r.ok() && validIndex(g.Zveno1Index) && validIndex(g.Zveno2Index);
}

} // namespace

std::optional<QByteArray> projectFileBytes(const Session& s, QString* tooLongValue)
{
    RecordWriter w(recordCount(s));
    w.integer(s.FrameIndex);
    w.single(s.ForceAnalysis);
    w.single(s.MorePoints);
    const qint16 links = recordsCount(s.ZvenoCount);
    w.integer(links);
    for (int i = 1; i <= links; ++i)
        writeLink(w, s.Zvenos[i]);
    const qint16 pairs = recordsCount(s.ParaCount);
    w.integer(pairs);
    for (int i = 1; i <= pairs; ++i)
        writePara(w, s.Paras[i]);
    const qint16 groups = recordsCount(s.GroupCount);
    w.integer(groups);
    for (int i = 1; i <= groups; ++i)
        writeGroup(w, s.Groups[i]);
    if (!w.ok()) {
        if (tooLongValue)
            *tooLongValue = w.tooLong();
        return std::nullopt;
    }
    return w.take();
}

bool readProjectBytes(QByteArrayView bytes, Session& s)
{
    RecordReader r(bytes);
    s.ExtraPairsFlag = kUnset;
    s.FrameIndex = r.integer();
    s.ForceAnalysis = r.single();
    s.MorePoints = r.single();
    s.ZvenoCount = r.integer();
    if (!r.ok() || !validIndex(s.FrameIndex) || !validCount(s.ZvenoCount, 0, kMaxRecords))
        return false;
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (!readLink(r, s.Zvenos[i], s.ExtraPairsFlag))
            return false;
    s.ParaCount = r.integer();
    if (!r.ok() || !validCount(s.ParaCount, 0, kMaxRecords))
        return false;
    for (int i = 1; i <= s.ParaCount; ++i)
        if (!readPara(r, s.Paras[i]))
            return false;
    s.GroupCount = r.integer();
    if (!r.ok() || !validCount(s.GroupCount, 0, kMaxRecords))
        return false;
    for (int i = 1; i <= s.GroupCount; ++i)
        if (!readGroup(r, s.Groups[i]))
            return false;
    return true;
}
