#include "tests/wizardfuzz/wizarddriver.h"

#include "model/dialogs.h"
#include "model/session.h"
#include "wizard/wizardengine.h"

#include <QSet>

#include <memory>

namespace {

// Answers the fuzzer can type: pair types, link numbers, names, numbers and things that are none
// of them.
const char* const kWords[] = {"r", "p", "R", "P", "x", "0", "1", "2", "3", "4", "5", "6", "7", "12", "99", "A", "B",
                              "C", "D", "E", "S1", "S2", "F", "K", "AB", "", " ", "1.5", "-2", "0.0", "abc", "1.2.3",
                              "-", ".", "ABC", "\xd0\xb6\xd0\xb6", "6", "7"};
constexpr int kWordCount = int(sizeof(kWords) / sizeof(kWords[0]));

class Bytes {
public:
    explicit Bytes(const QByteArray& data)
        : m_data(data)
    {
    }
    bool more() const { return m_pos < m_data.size(); }
    int next(int range)
    {
        if (!more() || range <= 0)
            return -1;
        return static_cast<unsigned char>(m_data[m_pos++]) % range;
    }

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
};

class FuzzDialogs : public Dialogs {
public:
    FuzzDialogs(Bytes& bytes, const Session& session)
        : m_bytes(bytes)
        , m_session(session)
    {
    }
    QString askQuestion(const QString&, float mode, const QString& defaultText, QPoint) override
    {
        // Once the bytes run out every loop must still end: "yes" (no question repeats on it),
        // the empty centre-of-mass name, and a number that no check refuses.
        const int pick = m_bytes.next(kWordCount + 2);
        if (pick < 0)
            return mode == 1.0f ? QStringLiteral("6") : defaultText.isEmpty() ? QString() : QStringLiteral("1");
        if (pick == kWordCount)
            return m_session.Answer; // the close box
        if (pick == kWordCount + 1)
            return defaultText;
        return QString::fromUtf8(kWords[pick]);
    }
    void message(const QString&, const QString&, MessageIcon) override {}
    int yesNoBox(const QString&, const QString&) override { return m_bytes.next(2) == 0 ? 6 : 7; }
    FileChoice saveFile(const QString&) override { return {}; }
    FileChoice openFile(const QString&) override { return {}; }

private:
    Bytes& m_bytes;
    const Session& m_session;
};

bool indexOk(qint16 index, qint16 count, std::initializer_list<qint16> unset)
{
    for (qint16 u : unset)
        if (index == u)
            return true;
    return index >= 1 && index <= count;
}

QString checkRecords(const Session& s)
{
    if (s.ParaCount < 0 || s.ParaCount > kMaxRecords)
        return QStringLiteral("ParaCount out of range: %1").arg(s.ParaCount);
    if (s.ZvenoCount < 0 || s.ZvenoCount > kMaxRecords)
        return QStringLiteral("ZvenoCount out of range: %1").arg(s.ZvenoCount);
    if (s.GroupCount < 0 || s.GroupCount > kMaxRecords)
        return QStringLiteral("GroupCount out of range: %1").arg(s.GroupCount);
    for (int i = 1; i <= s.ParaCount; ++i) {
        const PARA& p = s.Paras[i];
        if (!indexOk(p.Zveno1Index, s.ZvenoCount, {0, -2}) || !indexOk(p.Zveno2Index, s.ZvenoCount, {0, -2}))
            return QStringLiteral("pair %1 points at a link that is not there").arg(i);
    }
    for (int i = 1; i <= s.ZvenoCount; ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (!indexOk(z.Para1Index, s.ParaCount, {0, -2}) || !indexOk(z.Para2Index, s.ParaCount, {0, -2}))
            return QStringLiteral("link %1 points at a pair that is not there").arg(i);
        if (z.TwafzCount < -1 || z.TwafzCount > kMaxSubRecords)
            return QStringLiteral("link %1 has %2 additional pairs").arg(i).arg(z.TwafzCount);
        if (z.DPCount < 0 || z.DPCount > kMaxSubRecords)
            return QStringLiteral("link %1 has %2 points").arg(i).arg(z.DPCount);
        if (z.GroupNo < -1 || z.GroupNo > s.GroupCount)
            return QStringLiteral("link %1 is in group %2 of %3").arg(i).arg(z.GroupNo).arg(s.GroupCount);
    }
    QSet<qint16> grouped;
    for (int g = 1; g <= s.GroupCount; ++g) {
        const GROUP& group = s.Groups[g];
        if (!indexOk(group.Zveno1Index, s.ZvenoCount, {0, -1, -2}) || !indexOk(group.Zveno2Index, s.ZvenoCount, {0, -1, -2}))
            return QStringLiteral("group %1 points at a link that is not there").arg(g);
        for (qint16 z : {group.Zveno1Index, group.Zveno2Index}) {
            if (z < 1)
                continue;
            if (grouped.contains(z))
                return QStringLiteral("link %1 is in two groups").arg(z);
            grouped.insert(z);
        }
    }
    if (s.FrameIndex != 0 && !indexOk(s.FrameIndex, s.ZvenoCount, {0, -2}) && s.ZvenoCount > 0)
        return QStringLiteral("FrameIndex %1 of %2 links").arg(s.FrameIndex).arg(s.ZvenoCount);
    return QString();
}

} // namespace

QString playWizard(const QByteArray& data)
{
    Bytes bytes(data);
    auto session = std::make_unique<Session>();
    FuzzDialogs dialogs(bytes, *session);
    WizardEngine engine(*session, dialogs);
    engine.startNewDescription();
    int steps = 0;
    while (bytes.more() && steps++ < 4000) {
        const int action = bytes.next(16);
        switch (action) {
        case 0: engine.EndStage(); break;
        case 1: engine.Undo(); break;
        case 2: engine.StageReturn(); break;
        case 3: engine.FreeLancerMode(); break;
        case 4: engine.refreshPairs(); break;
        default: {
            const int word = bytes.next(kWordCount);
            engine.setAnswerText(word < 0 ? QString() : QString::fromUtf8(kWords[word]));
            engine.Work();
            break;
        }
        }
        const QString broken = checkRecords(*session);
        if (!broken.isEmpty())
            return QStringLiteral("after step %1 (state %2): %3").arg(steps).arg(session->WizardState).arg(broken);
    }
    return QString();
}
