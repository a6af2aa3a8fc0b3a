#include "tests/fuzz/freeeditdriver.h"

#include "files/projectfile.h"
#include "files/projectformat.h"
#include "freeedit/freeeditcommands.h"
#include "freeedit/mechanismtree.h"
#include "freeedit/nodeeditor.h"
#include "model/dialogs.h"
#include "model/session.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace {

// What the answers may be: numbers of every form, things that are none, a value too long for its
// field, a control character; the close box and the default are picked by the bytes too.
const char* const kAnswers[] = {"0", "1", "-2.5", "1e3", "0.0001", "12,5", " 7", "abc", "", "\t", "6", "7",
                                "123456789012345678901234567890123456789012345678901234567890"};
constexpr int kAnswerCount = int(sizeof(kAnswers) / sizeof(kAnswers[0]));

struct EditDialogs : Dialogs {
    const Session* session = nullptr;
    QByteArrayView answers;
    qsizetype pos = 0;
    QString saveAs;

    QString askQuestion(const QString&, float mode, const QString& defaultText, QPoint) override
    {
        if (pos >= answers.size())
            return mode == 1.0f ? QStringLiteral("6") : QStringLiteral("1");
        const int pick = static_cast<unsigned char>(answers[pos++]) % (kAnswerCount + 2);
        return pick == kAnswerCount ? session->Answer : pick > kAnswerCount ? defaultText : QString::fromLatin1(kAnswers[pick]);
    }
    void message(const QString&, const QString&, MessageIcon) override {}
    int yesNoBox(const QString&, const QString&) override { return 6; } // the project of an earlier run is replaced
    FileChoice saveFile(const QString&) override { return {saveAs, QStringLiteral("fuzz.kv")}; }
    FileChoice openFile(const QString&) override { return {}; }
};

} // namespace

QString editRoundTrip(QByteArrayView bytes)
{
    static const QTemporaryDir folder; // one for every run: the project is written over each time
    const qsizetype whole = bytes.size() - bytes.size() % kProjectRecordSize;
    auto session = std::make_unique<Session>();
    session->ResetMechanism();
    if (!readProjectBytes(bytes.first(whole), *session))
        return QString(); // refused: the reader's own fuzzer looks at that
    session->DataFolder = folder.path();
    session->OutputReady = 1.0f;
    EditDialogs dialogs;
    dialogs.session = session.get();
    dialogs.answers = bytes.sliced(whole);
    dialogs.saveAs = QDir(folder.path()).filePath(QStringLiteral("fuzz.kv"));

    NodeEditor editor(*session, dialogs);
    for (const TreeNode& node : buildMechanismTree(*session))
        if (!node.structural)
            editor.edit(node.key);
    if (!saveFreeEdit(*session, dialogs, nullptr))
        return QString(); // a value too long for its field is refused at the save, and nothing written

    auto again = std::make_unique<Session>();
    const QString project = projectFilePath(*session, QStringLiteral("fuzz.kv"));
    if (readProjectAt(project, *again) != ReadResult::Read)
        return QStringLiteral("the saved project does not read back");
    return buildMechanismTree(*session) == buildMechanismTree(*again) ? QString() : QStringLiteral("the saved project reads back to another tree");
}
