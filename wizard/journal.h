#pragma once

#include "model/dialogs.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// One step of a description as the student gave it: a command of the wizard window (a typed
// answer is the answer routine with the text of the answer box) or the answer to one of the
// windows the wizard opened.
struct JournalEntry {
    enum class Kind { Typed, EndStage, Undo, StageReturn, Question, YesNo, Save, Open };
    Kind kind = Kind::Typed;
    QString answer;      // Typed, Question: the text given
    QString question;    // Question, YesNo: the text shown
    float mode = 0;      // Question
    QString defaultText; // Question; YesNo: the title
    int button = 0;      // YesNo: 6 or 7
    FileChoice file;     // Save, Open
    int protocolLength = 0; // lines of the input protocol when the step was taken (not written)
    qint16 state = 0;       // the wizard's state then, the prompt the step answered (not written)
    QString note;           // the comment written after the step (the prompt it led to)

    bool isCommand() const { return kind <= Kind::StageReturn; }
    // What the student may return to: a step that answers something (the other commands do not).
    bool isAnswer() const { return kind == Kind::Typed || kind > Kind::StageReturn; }
};

// The journal's plain-text form, one step per line:
//   > text          a typed answer          E / U / R       end of stage, undo, stage return
//   ? m|def|ans|q   a question answered (closing it gives the previous answer, kept as given)
//   Y n|title|text  a yes/no box            S name|title    the save dialog (O: the open dialog)
//   # ...           a comment for the reader (prompts, messages); replay ignores it
// Backslash, tab, CR, LF and the bar are written \\ \t \r \n \|.
QString journalLine(const JournalEntry& entry);
std::optional<JournalEntry> parseJournalLine(const QString& line);
// Every step of a journal's text, up to the first line that cannot be read (the end of a journal
// cut short by a crash is not a step).
QList<JournalEntry> parseJournal(const QByteArray& text);
// The steps of the journal file at path; none when it cannot be read or is far too large to be one.
QList<JournalEntry> readJournal(const QString& path);

// What the main window's File menu says of an interrupted description.
struct InterruptedJournal {
    QString path;
    QDateTime modified;
    QString lastPrompt; // the last prompt or question the journal names
    int steps = 0;
};
// Whether a run of the program that is still going writes the journal at path (it holds the
// journal's lock file, path + ".lock"). A run that ended, however it ended, holds none.
bool journalInUse(const QString& path);
// The newest journal in folder that was not finished, if any holds a step; not one that a run of
// the program is writing now (this one's description under way included).
std::optional<InterruptedJournal> findInterruptedJournal(const QString& folder);

// The Dialogs the wizard asks through. Every answer given is kept as a step, and written to the
// journal file (flushed to disk) before the next question is put. While replaying, the windows are
// not shown: the answers come from the steps being replayed, in order, and a question the steps do
// not answer (the journal ends, or the engine asks something else) is put to the student for real.
class AnswerJournal : public Dialogs {
public:
    explicit AnswerJournal(Dialogs& live);
    ~AnswerJournal() override;

    // What is noted with every step as it is taken (the lines of the protocol, the state).
    void setStepNotes(std::function<void(JournalEntry&)> notes) { m_stepNotes = std::move(notes); }
    // Called when a replay has caught up: where it puts its first question to the student, or at
    // its end when it puts none. The windows are shown from here on.
    void setCaughtUp(std::function<void()> caughtUp) { m_caughtUp = std::move(caughtUp); }

    // A new journal: no steps; with a file, the file is started afresh (its folder made). An empty
    // path keeps the journal in memory only. Returns false when the file cannot be written; the
    // steps are still kept.
    bool start(const QString& path);
    QString path() const { return m_path; }
    // The journal goes on in a file already written (a resumed description); the steps replayed
    // into it are written again as one whole file. False, and nothing changed, when another run
    // of the program is writing that file.
    bool continueIn(const QString& path);
    // The description was saved as projectPath: its journal is kept beside it (name.journal.txt)
    // and the file in the journal folder is removed, so it is not offered for resuming.
    void finish(const QString& projectPath);

    const QList<JournalEntry>& steps() const { return m_steps; }
    // The journal file could not be written the last time it was tried (the steps are kept all
    // the same, so return and undo still work; only a crash would lose them).
    bool failing() const { return m_failing; }

    // A command of the window; written unless it is being replayed.
    void recordCommand(JournalEntry entry);
    void note(const QString& comment); // a comment line (prompts), not while replaying

    // Replay: the steps to answer from; takeCommand() gives the next command to run (none at the
    // end or where the steps no longer fit). The steps replayed are kept but not written again.
    void beginReplay(QList<JournalEntry> steps);
    std::optional<JournalEntry> takeCommand();
    void endReplay();
    bool replaying() const { return m_replaying; }
    // Steps of the last replay that no longer fitted the description (a journal of another
    // version of the program, or edited by hand) and were left out.
    qsizetype leftOut() const { return m_leftOut; }
    // The file rewritten to hold exactly the steps kept (after a return to an earlier answer).
    bool rewrite();

    QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) override;
    void message(const QString& title, const QString& text, MessageIcon icon) override;
    int yesNoBox(const QString& text, const QString& title) override;
    FileChoice saveFile(const QString& filter) override;
    FileChoice openFile(const QString& filter) override;

private:
    // The next step to replay when it is an answer of this kind, or nothing: the question is live.
    std::optional<JournalEntry> replayed(JournalEntry::Kind kind, const QString& question = QString(), float mode = 0);
    QByteArray text() const;
    FileChoice chosenFile(JournalEntry::Kind kind, const std::function<FileChoice()>& choose);
    void keep(JournalEntry entry, bool write);
    void writeLine(const QString& line, bool sync);
    bool silent() const { return m_replaying && !m_wentLive; }
    // Holds the lock of m_path while this journal writes it; false when another run holds it.
    bool takeLock();

    Dialogs& m_live;
    std::function<void(JournalEntry&)> m_stepNotes;
    std::function<void()> m_caughtUp;
    QString m_path;
    QFile m_file;
    std::unique_ptr<QLockFile> m_lock;
    QDateTime m_started = QDateTime::currentDateTime();
    QList<JournalEntry> m_steps;
    QList<JournalEntry> m_pending;
    qsizetype m_next = 0;
    qsizetype m_leftOut = 0;
    bool m_replaying = false;
    bool m_finished = false; // kept beside its project; the folder's file is gone
    bool m_failing = false;
    bool m_wentLive = false; // a question was put for real during this replay
};
