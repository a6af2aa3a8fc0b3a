#include "tests/wizardfuzz/wizarddriver.h"

#include "model/dialogs.h"
#include "model/session.h"
#include "wizard/wizardengine.h"

#include <QSet>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Answers the fuzzer can type: pair types, link numbers, names, numbers and things that are none
// of them.
const char* const kWords[] = {"r", "p", "R", "P", "x", "0", "1", "2", "3", "4", "5", "6", "7", "12", "99", "A", "B",
                              "C", "D", "E", "S1", "S2", "F", "K", "AB", "", " ", "1.5", "-2", "0.0", "abc", "1.2.3",
                              "-", ".", "ABC", "\xd0\xb6\xd0\xb6", "6", "7"};
constexpr int kWordCount = int(sizeof(kWords) / sizeof(kWords[0]));

// A byte from here on starts a text of its own: its length is the byte less this, its characters
// (UTF-8) follow. The answers of a stored description come in that way.
constexpr int kLiteral = 0xE0;

// The bytes read one at a time, each taken modulo a range; -1 once they run out.
struct Bytes {
    QByteArray data;
    qsizetype pos = 0;
    bool more() const { return pos < data.size(); }
    int next(int range) { return !more() || range <= 0 ? -1 : static_cast<unsigned char>(data[pos++]) % range; }
    // A text the byte at hand starts, taking it and the text; none when it starts none.
    std::optional<QString> literal()
    {
        if (!more() || static_cast<unsigned char>(data[pos]) < kLiteral)
            return std::nullopt;
        const qsizetype length = static_cast<unsigned char>(data[pos++]) - kLiteral;
        const QByteArray text = data.mid(pos, length);
        pos += text.size();
        return QString::fromUtf8(text);
    }
    // A typed answer: a text of its own or one of the words.
    QString word()
    {
        if (const auto text = literal())
            return *text;
        const int pick = next(kWordCount);
        return pick < 0 ? QString() : QString::fromUtf8(kWords[pick]);
    }
};

// Answers every dialog from the bytes: a word, the close box (the previous answer), the default or,
// where the wizard allows it, going back to the answer before.
struct FuzzDialogs : Dialogs, Bytes {
    const Session* session = nullptr;
    QString askQuestion(const QString&, float mode, const QString& defaultText, QPoint) override
    {
        // Once the bytes run out every loop must still end: "yes" (no question repeats on it),
        // the empty centre-of-mass name, and a number that no check refuses.
        if (const auto text = literal())
            return *text;
        const int pick = next(kWordCount + 3);
        if (pick == kWordCount + 2 && ReturnPoint::active())
            throw ReturnToPreviousAnswer{};
        if (pick < 0)
            return mode == 1.0f ? QStringLiteral("6") : defaultText.isEmpty() ? QString() : QStringLiteral("1");
        return pick == kWordCount ? session->Answer : pick > kWordCount ? defaultText : QString::fromUtf8(kWords[pick]);
    }
    void message(const QString&, const QString&, MessageIcon) override {}
    int yesNoBox(const QString&, const QString&) override { return next(2) == 0 ? 6 : 7; }
    FileChoice saveFile(const QString&) override { return {}; }
    FileChoice openFile(const QString&) override { return {}; }
};

bool indexOk(qint16 index, qint16 count, std::initializer_list<qint16> unset)
{
    return (index >= 1 && index <= count) || std::find(unset.begin(), unset.end(), index) != unset.end();
}

QString checkRecords(const Session& s)
{
    for (const auto& [name, count] : {std::pair<const char*, qint16>{"ParaCount", s.ParaCount},
                                      {"ZvenoCount", s.ZvenoCount}, {"GroupCount", s.GroupCount}})
        if (count < 0 || count > kMaxRecords)
            return QStringLiteral("%1 out of range: %2").arg(QLatin1String(name)).arg(count);
    for (int i = 1; i <= s.ParaCount; ++i)
        if (!indexOk(s.Paras[i].Zveno1Index, s.ZvenoCount, {0, -2}) || !indexOk(s.Paras[i].Zveno2Index, s.ZvenoCount, {0, -2}))
            return QStringLiteral("pair %1 points at a link that is not there").arg(i);
    for (int i = 1; i <= s.ZvenoCount; ++i) {
        const ZVENO& z = s.Zvenos[i];
        const QString link = QStringLiteral("link %1 ").arg(i);
        if (!indexOk(z.Para1Index, s.ParaCount, {0, -2}) || !indexOk(z.Para2Index, s.ParaCount, {0, -2}))
            return link + QStringLiteral("points at a pair that is not there");
        if (z.TwafzCount < -1 || z.TwafzCount > kMaxSubRecords || z.DPCount < 0 || z.DPCount > kMaxSubRecords)
            return link + QStringLiteral("has %1 additional pairs and %2 points").arg(z.TwafzCount).arg(z.DPCount);
        if (z.GroupNo < -1 || z.GroupNo > s.GroupCount)
            return link + QStringLiteral("is in group %1 of %2").arg(z.GroupNo).arg(s.GroupCount);
    }
    QSet<qint16> grouped;
    for (int g = 1; g <= s.GroupCount; ++g) {
        for (qint16 z : {s.Groups[g].Zveno1Index, s.Groups[g].Zveno2Index}) {
            if (!indexOk(z, s.ZvenoCount, {0, -1, -2}))
                return QStringLiteral("group %1 points at a link that is not there").arg(g);
            if (z >= 1 && grouped.contains(z))
                return QStringLiteral("link %1 is in two groups").arg(z);
            grouped.insert(z);
        }
    }
    if (s.FrameIndex != 0 && !indexOk(s.FrameIndex, s.ZvenoCount, {0, -2}) && s.ZvenoCount > 0)
        return QStringLiteral("FrameIndex %1 of %2 links").arg(s.FrameIndex).arg(s.ZvenoCount);
    return QString();
}

} // namespace

QByteArray wizardSeed(const QString& script)
{
    QByteArray bytes;
    const auto text = [&bytes](const QString& t) {
        const QByteArray utf8 = t.toUtf8().left(0xFF - kLiteral);
        bytes.append(char(kLiteral + utf8.size())).append(utf8);
    };
    for (const QString& line : script.split(u'\n')) {
        const QString head = line.section(u' ', 0, 0), rest = line.section(u' ', 1);
        if (head == QLatin1String(">"))
            bytes.append(char(5)), text(rest); // 5: the first action that types an answer
        else if (head == QLatin1String("E"))
            bytes.append(char(0));
        else if (head == QLatin1String("?"))
            text(rest.section(u'|', 2, 2));
        else if (head == QLatin1String("?x") || head == QLatin1String("?<"))
            bytes.append(char(head == QLatin1String("?x") ? kWordCount : kWordCount + 2)); // the close box, or back
    }
    return bytes;
}

QString playWizard(const QByteArray& data, WizardEnd* end)
{
    auto session = std::make_unique<Session>();
    FuzzDialogs bytes;
    bytes.data = data;
    bytes.session = session.get();
    WizardEngine engine(*session, bytes);
    engine.startNewDescription();
    int steps = 0;
    while (bytes.more() && steps++ < 4000) {
        const int action = bytes.next(16);
        // As the window runs a command: a question left for the answer before goes back to it.
        engine.runCommand([&] {
            switch (action) {
            case 0: return engine.EndStage();
            case 1: return engine.Undo();
            case 2: return engine.StageReturn();
            case 3: return engine.FreeLancerMode();
            case 4: return engine.refreshPairs();
            default: engine.setAnswerText(bytes.word()), engine.Work();
            }
        });
        const QString broken = checkRecords(*session);
        if (!broken.isEmpty())
            return QStringLiteral("after step %1 (state %2): %3").arg(steps).arg(session->WizardState).arg(broken);
    }
    if (end)
        *end = {session->WizardState, engine.display().input};
    return QString();
}
