#include "wizard/journal.h"

#include "files/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString kHeader = QStringLiteral("# Журнал описания механизма, начат ");
const QString kMessageNote = QStringLiteral("! ");
const QString kJournalSuffix = QStringLiteral(".journal");
// Interrupted journals kept in the folder; older ones make room for new descriptions.
constexpr int kKeptJournals = 20;

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '|': out += QLatin1String("\\|"); break;
        default: out += c;
        }
    }
    return out;
}

// The fields of a line's rest, split at the bars that are not escaped, each unescaped.
QStringList fields(const QString& rest)
{
    QStringList out(1);
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest.at(i);
        if (c == u'|') {
            out << QString();
        } else if (c == u'\\' && i + 1 < rest.size()) {
            const QChar n = rest.at(++i);
            out.last() += n == u't' ? QChar(u'\t') : n == u'r' ? QChar(u'\r') : n == u'n' ? QChar(u'\n') : n;
        } else {
            out.last() += c;
        }
    }
    return out;
}

// Replaced whole or not at all: a crash or a full disk while writing leaves the old file.
bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile save(path);
    return prepareSaveFile(save, bytes) && save.commit();
}

QString firstLine(const QString& text)
{
    return text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0);
}

QString lockPath(const QString& journal)
{
    return journal + QStringLiteral(".lock");
}

// A journal another computer's run has not written for this long was left there by a run that
// ended: a home folder shared over the network, and the student has moved to another computer.
constexpr qint64 kIdleForeignJournalSecs = 10 * 60;

// Takes the lock of a journal; false while a run still going holds it. A run of this computer is
// known by its process; one of another computer only by its journal being written lately.
bool tryJournalLock(QLockFile& lock, const QString& journal)
{
    if (lock.tryLock(0))
        return true;
    if (lock.error() != QLockFile::LockFailedError)
        return false;
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application) || host.isEmpty() || host == QSysInfo::machineHostName())
        return false;
    if (QFileInfo(journal).lastModified().secsTo(QDateTime::currentDateTime()) <= kIdleForeignJournalSecs)
        return false;
    return lock.removeStaleLockFile() && lock.tryLock(0);
}

// The journal's lock, held, or nothing; inUse says whether a run still going holds it. A folder
// that takes no lock file gives nothing and is not in use: it takes no journal either, which the
// writes say. A lock of a run still going never goes stale by its age.
std::unique_ptr<QLockFile> takeJournalLock(const QString& journal, bool& inUse)
{
    auto lock = std::make_unique<QLockFile>(lockPath(journal));
    lock->setStaleLockTime(0);
    inUse = false;
    if (tryJournalLock(*lock, journal))
        return lock;
    inUse = lock->error() == QLockFile::LockFailedError;
    return nullptr;
}

// The journals of a folder, the newest first.
QFileInfoList journalsIn(const QString& folder)
{
    return QDir(folder).entryInfoList({QLatin1Char('*') + kJournalSuffix}, QDir::Files, QDir::Time);
}

} // namespace

QString journalLine(const JournalEntry& e)
{
    using K = JournalEntry::Kind;
    const auto joined = [](std::initializer_list<QString> parts) {
        QStringList out;
        for (const QString& p : parts)
            out << escaped(p);
        return out.join(u'|');
    };
    switch (e.kind) {
    case K::Typed: return QStringLiteral("> ") + escaped(e.answer);
    case K::EndStage: return QStringLiteral("E");
    case K::Undo: return QStringLiteral("U");
    case K::StageReturn: return QStringLiteral("R");
    case K::Question:
        return QStringLiteral("? ") + joined({QString::number(e.mode), e.defaultText, e.answer, e.question});
    case K::YesNo: return QStringLiteral("Y ") + joined({QString::number(e.button), e.defaultText, e.question});
    case K::Save: return QStringLiteral("S ") + joined({e.file.fileName, e.file.fileTitle});
    case K::Open: return QStringLiteral("O ") + joined({e.file.fileName, e.file.fileTitle});
    }
    return QString();
}

std::optional<JournalEntry> parseJournalLine(const QString& line)
{
    using K = JournalEntry::Kind;
    JournalEntry e;
    if (line == QLatin1String("E") || line == QLatin1String("U") || line == QLatin1String("R")) {
        e.kind = line == QLatin1String("E") ? K::EndStage : line == QLatin1String("U") ? K::Undo : K::StageReturn;
        return e;
    }
    const QString head = line.left(2);
    const QString rest = line.mid(2);
    const QStringList f = fields(rest);
    bool ok = false;
    if (head == QLatin1String("> ")) {
        e.kind = K::Typed;
        e.answer = f.join(u'|'); // a typed answer is one field; a bar in it came escaped
        return e;
    }
    if (head == QLatin1String("? ") && f.size() == 4) {
        e.kind = K::Question;
        e.mode = f[0].toFloat(&ok);
        e.defaultText = f[1];
        e.answer = f[2];
        e.question = f[3];
        return ok ? std::optional(e) : std::nullopt;
    }
    if (head == QLatin1String("Y ") && f.size() == 3) {
        e.kind = K::YesNo;
        e.button = f[0].toInt(&ok);
        e.defaultText = f[1];
        e.question = f[2];
        return ok && (e.button == 6 || e.button == 7) ? std::optional(e) : std::nullopt;
    }
    if ((head == QLatin1String("S ") || head == QLatin1String("O ")) && f.size() == 2) {
        e.kind = head == QLatin1String("S ") ? K::Save : K::Open;
        e.file = {f[0], f[1]};
        return e;
    }
    return std::nullopt;
}

QList<JournalEntry> parseJournal(const QByteArray& text)
{
    QList<JournalEntry> steps;
    // Only whole lines: a crash may have cut the last one.
    const qsizetype end = text.lastIndexOf('\n');
    if (end < 0)
        return steps;
    for (const QString& line : QString::fromUtf8(text.left(end)).split(u'\n')) {
        if (line.startsWith(u'#')) {
            if (!steps.isEmpty() && !line.startsWith(kHeader))
                steps.last().note = fields(line.mid(2)).join(u'|');
            continue;
        }
        if (line.isEmpty())
            continue;
        const auto step = parseJournalLine(line);
        if (!step)
            break;
        steps << *step;
    }
    return steps;
}

QList<JournalEntry> readJournal(const QString& path)
{
    QFile file(path);
    // A journal is a few kilobytes; anything far larger is not one of ours.
    if (file.size() > 4 * 1024 * 1024 || !file.open(QIODevice::ReadOnly))
        return {};
    return parseJournal(file.readAll());
}


bool journalInUse(const QString& path)
{
    bool inUse = false;
    takeJournalLock(path, inUse); // a lock taken goes again at once, and its file with it
    return inUse;
}

std::optional<InterruptedJournal> findInterruptedJournal(const QString& folder)
{
    if (folder.isEmpty())
        return std::nullopt;
    // The description under way in this run holds its journal's lock as any other run does.
    for (const QFileInfo& info : journalsIn(folder)) {
        if (journalInUse(info.filePath()))
            continue;
        const QList<JournalEntry> steps = readJournal(info.filePath());
        if (steps.isEmpty())
            continue;
        InterruptedJournal found{info.filePath(), info.lastModified(), QString(), int(steps.size())};
        for (qsizetype i = steps.size() - 1; i >= 0 && found.lastPrompt.isEmpty(); --i) {
            if (steps[i].note.startsWith(kMessageNote))
                continue;
            found.lastPrompt = !steps[i].note.isEmpty() ? steps[i].note : firstLine(steps[i].question);
        }
        return found;
    }
    return std::nullopt;
}

AnswerJournal::AnswerJournal(Dialogs& live) : m_live(live) {}

AnswerJournal::~AnswerJournal() = default;

bool AnswerJournal::start(const QString& path)
{
    // A journal left without a single step tells nothing; it goes when the next one starts.
    if (m_steps.isEmpty() && !m_path.isEmpty() && m_path != path)
        QFile::remove(m_path);
    m_file.close();
    m_lock.reset();
    m_steps.clear();
    m_path = path;
    m_started = QDateTime::currentDateTime();
    m_failing = false;
    if (path.isEmpty())
        return true;
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    // Another run's journal stays however old it is: that run is still writing it.
    const QFileInfoList old = journalsIn(info.absolutePath());
    for (qsizetype i = kKeptJournals; i < old.size(); ++i) {
        if (old[i].filePath() == path || journalInUse(old[i].filePath()))
            continue;
        QFile::remove(old[i].filePath());
        QFile::remove(lockPath(old[i].filePath())); // left by a run that crashed
    }
    return rewrite();
}

bool AnswerJournal::continueIn(const QString& path)
{
    if (path != m_path) {
        bool inUse = false;
        std::unique_ptr<QLockFile> lock = takeJournalLock(path, inUse);
        if (inUse)
            return false;
        m_lock = std::move(lock);
        m_path = path;
    }
    m_file.close();
    return true;
}

bool AnswerJournal::takeLock()
{
    if (m_path.isEmpty() || m_lock)
        return true;
    bool inUse = false;
    m_lock = takeJournalLock(m_path, inUse);
    return !inUse;
}

QByteArray AnswerJournal::text() const
{
    QString text = kHeader + QLocale::c().toString(m_started, QStringLiteral("dd.MM.yyyy HH:mm:ss")) + QLatin1Char('\n');
    for (const JournalEntry& step : m_steps) {
        text += journalLine(step) + QLatin1Char('\n');
        if (!step.note.isEmpty())
            text += QStringLiteral("# ") + escaped(step.note) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool AnswerJournal::rewrite()
{
    m_finished = false;
    if (m_path.isEmpty())
        return true;
    takeLock(); // given up when the description was finished
    m_file.close();
    m_file.setFileName(m_path);
    m_failing = !writeWhole(m_path, text()) ||
                !m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    return !m_failing;
}

void AnswerJournal::finish(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return;
    const QFileInfo project(projectPath);
    // Saved again under another name after the end: each project keeps the journal as it stands.
    if (!writeWhole(project.dir().filePath(project.completeBaseName() + QStringLiteral(".journal.txt")), text()))
        return;
    m_file.close();
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_lock.reset();
    // Nothing more is written until the student goes back to an earlier answer, which makes it
    // an unfinished description again.
    m_finished = true;
}

void AnswerJournal::writeLine(const QString& line, bool sync)
{
    if (m_path.isEmpty() || m_finished)
        return;
    // Not open (a write failed before): the whole journal again, this line included.
    if (!m_file.isOpen()) {
        rewrite();
        return;
    }
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    if (m_file.write(bytes) != bytes.size()) {
        m_file.close(); // tried afresh, whole, with the next step
        m_failing = true;
        return;
    }
#ifdef Q_OS_UNIX
    // A step is on the disk before the next question: a power cut loses at most the answer being
    // typed. The comments (prompts, messages) are not needed to replay and wait for the system.
    if (sync)
        ::fdatasync(m_file.handle());
#else
    Q_UNUSED(sync);
#endif
}

void AnswerJournal::keep(JournalEntry entry, bool write)
{
    if (m_stepNotes)
        m_stepNotes(entry);
    m_steps << entry;
    if (write)
        writeLine(journalLine(entry), true);
}

void AnswerJournal::recordCommand(JournalEntry entry)
{
    keep(std::move(entry), !m_replaying);
}

void AnswerJournal::note(const QString& comment)
{
    if (m_steps.isEmpty() || comment.isEmpty() || m_steps.last().note == comment)
        return;
    m_steps.last().note = comment;
    if (!silent())
        writeLine(QStringLiteral("# ") + escaped(comment), false);
}

void AnswerJournal::beginReplay(QList<JournalEntry> steps)
{
    m_file.close();
    m_steps.clear();
    m_pending = std::move(steps);
    m_next = 0;
    m_leftOut = 0;
    m_replaying = true;
    m_wentLive = false;
}

std::optional<JournalEntry> AnswerJournal::takeCommand()
{
    if (m_wentLive || m_next >= m_pending.size())
        return std::nullopt;
    if (!m_pending[m_next].isCommand()) {
        m_leftOut = m_pending.size() - m_next; // an answer where a command was due: the rest does not fit
        m_next = m_pending.size();
        return std::nullopt;
    }
    return m_pending[m_next++];
}

void AnswerJournal::endReplay()
{
    if (!m_replaying)
        return;
    if (!m_wentLive) {
        rewrite();
        if (m_caughtUp)
            m_caughtUp();
    }
    m_pending.clear();
    m_next = 0;
    m_replaying = false;
    m_wentLive = false;
}

std::optional<JournalEntry> AnswerJournal::replayed(JournalEntry::Kind kind, const QString& question, float mode)
{
    if (!m_replaying || m_wentLive)
        return std::nullopt;
    if (m_next < m_pending.size()) {
        const JournalEntry& step = m_pending[m_next];
        if (step.kind == kind && step.question == question && step.mode == mode) {
            ++m_next;
            keep(step, false);
            return step;
        }
    }
    // The journal ends here, or asks what the engine does not: from here on the student answers.
    m_leftOut = m_pending.size() - m_next;
    m_next = m_pending.size();
    m_wentLive = true;
    rewrite();
    if (m_caughtUp)
        m_caughtUp();
    return std::nullopt;
}

QString AnswerJournal::askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at)
{
    if (const auto step = replayed(JournalEntry::Kind::Question, question, mode))
        return step->answer;
    const QString answer = m_live.askQuestion(question, mode, defaultText, at);
    JournalEntry e;
    e.kind = JournalEntry::Kind::Question;
    e.question = question;
    e.mode = mode;
    e.defaultText = defaultText;
    e.answer = answer;
    keep(e, true);
    return answer;
}

void AnswerJournal::message(const QString& title, const QString& text, MessageIcon icon)
{
    if (silent())
        return;
    note(kMessageNote + firstLine(text));
    m_live.message(title, text, icon);
}

int AnswerJournal::yesNoBox(const QString& text, const QString& title)
{
    if (const auto step = replayed(JournalEntry::Kind::YesNo, text))
        return step->button;
    JournalEntry e;
    e.kind = JournalEntry::Kind::YesNo;
    e.question = text;
    e.defaultText = title;
    e.button = m_live.yesNoBox(text, title);
    keep(e, true);
    return e.button;
}

FileChoice AnswerJournal::chosenFile(JournalEntry::Kind kind, const std::function<FileChoice()>& choose)
{
    if (const auto step = replayed(kind))
        return step->file;
    JournalEntry e;
    e.kind = kind;
    e.file = choose();
    keep(e, true);
    return e.file;
}

FileChoice AnswerJournal::saveFile(const QString& filter)
{
    return chosenFile(JournalEntry::Kind::Save, [&] { return m_live.saveFile(filter); });
}

FileChoice AnswerJournal::openFile(const QString& filter)
{
    return chosenFile(JournalEntry::Kind::Open, [&] { return m_live.openFile(filter); });
}
