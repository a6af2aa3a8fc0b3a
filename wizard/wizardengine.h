#pragma once

#include "wizard/journal.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class CompilerView;
struct Stage2Context;
class Dialogs;
class Session;

// What the wizard window shows, held as plain data by the engine; the window copies it.
struct WizardDisplay {
    QString prompt;     // lbl_Question
    QString answerText; // txt_Answer
    QStringList input;  // lst_Input, the input protocol
    bool backEnabled = false;     // btn_BCK
    bool endStageEnabled = false; // btn_EndStage
    bool prevEnabled = false;     // btn_PREV
    // The return menu "Список возврата": items 1..9 (slot 0 unused); the menu itself stays hidden
    // and disabled, the wizard only enables items as stages end.
    std::array<bool, 10> stageItemEnabled{};
    bool returnMenuVisible = false;
    bool returnMenuEnabled = false;
    QStringList pairs; // List1
    QStringList links; // List2
    int DrivingListMark = 0; // protocol length just before the last driving-link answer
    int GroupsListMark = 0;  // protocol length when stage 1.5 began
    int focusRequests = 0;   // grows each time the answer box should take the focus
};

// The question-and-answer engine of the wizard. It never touches a widget: it asks through
// Dialogs, keeps the display as data and emits changed() after each change.
class WizardEngine : public QObject {
    Q_OBJECT
public:
    WizardEngine(Session& session, Dialogs& dialogs, QObject* parent = nullptr);
    ~WizardEngine() override;

    const WizardDisplay& display() const;

    // The window's top-left corner; questions open at 1.2 times it.
    void setWindowOrigin(QPoint origin);
    QPoint questionPosition() const;

    // What runs a stage-2 procedure state and says which state follows (0: none). The engine
    // starts with the real procedures; a test of stage 1 may stop the chain at stage 2 here.
    using ProcedureRunner = std::function<qint16(Stage2Context&, qint16)>;
    void setProcedureRunner(ProcedureRunner runner);

    // Where the compiler shows the file it writes at the end (none in tests).
    void setCompilerView(CompilerView* view);

    // The text of the answer box as the student types it (no signal).
    void setAnswerText(const QString& text);

    // A new description: empty mechanism, empty panels and protocol, state 11; a new journal.
    void startNewDescription();

    // Every answer the student gives is journalled; with a folder, to a file of its own there.
    void setJournalFolder(const QString& folder);
    const AnswerJournal& journal() const { return m_journal; }
    // An interrupted description again: its journal replayed through the engine, without a window
    // shown, up to where it stopped; the journal goes on in the same file. False when the file
    // cannot be read, holds no step, or another run of the program is writing it.
    bool resume(const QString& journalPath);
    // Back to just before step k of the journal (0: the start), by replaying the steps before it.
    void returnToStep(qsizetype k);
    // Back to just before the last answer given (the way back out of a stage-2 question).
    void returnToPreviousAnswer();
    // The journal step that wrote line `line` of the input protocol, or -1.
    qsizetype stepOfLine(int line) const;

    // Runs a command of the student where a question may be left for the answer before it
    // (ReturnToPreviousAnswer): the engine then goes back to that answer, as often as asked.
    void runCommand(std::function<void()> command);
    // A command step of a journal, as the window gives it (Typed: the answer box, then Work).
    void runStep(const JournalEntry& step);

    // The answer routine: the answer box's text in the current state.
    void Work();
    // The four command buttons (end of stage also comes from Shift+Enter).
    void EndStage();
    void Undo();
    void StageReturn();
    void FreeLancerMode();
    // The "UPDATE" label: the pairs panel again.
    void refreshPairs();

signals:
    void changed();
    void freeEditRequested();
    // A replay (a resumed description, a return to an earlier answer) has caught up with the
    // steps: the records and the display are those of the last one, and what follows is live.
    void replayCaughtUp();

private:
    // Noted once, for the outermost command the student gave (the engine also calls them itself).
    class CommandScope {
    public:
        CommandScope(WizardEngine& engine, JournalEntry::Kind kind);
        ~CommandScope();
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;
    private:
        WizardEngine& m_engine;
    };
    void resetDescription();
    void replay(QList<JournalEntry> steps);

    // Stage 1 (states 11..72).
    void statePairType();
    void statePairLink(int which);
    void statePairName();
    void stateFrame();
    void stateDriving();
    void procedureCentresOfMass();
    void holdAnswer(const QString& answer, qint16 next);
    void statePointLink(qint16 next);
    void statePointName(const QString& kind, const QString& label, qint16 back);
    void procedureMorePoints();
    // Stage 1.5 (states 81, 82).
    void stateGroupFirst();
    void stateGroupSecond();
    // Procedure states from stage 2 on: the one place where they are dispatched.
    void runProcedure(qint16 state);

    // The answer pattern: an accepted answer in the mode, or nothing (box cleared).
    bool takeAnswer(qint16 mode, QString& accepted);
    // After the frame or a driving link was looked up: error when none was found, otherwise the
    // protocol line; the answer box is cleared either way. Returns whether one was found.
    bool linkNamed(int found, qint16 error, const QString& line);
    QString ask(const QString& question, float mode, const QString& defaultText);
    void showError(qint16 code);
    void setState(qint16 state);
    void showPrompt();
    void clearAnswer();
    void focusAnswer();
    void refreshLinks();
    void refreshPanels();
    void appendLine(const QString& line);
    void removeLastLine();
    void enableStageItem(int item);
    void enterGroups();
    void notify();

    Session& m_session;
    AnswerJournal m_journal; // asks through the dialogs given, keeping every answer
    Dialogs& m_dialogs;
    QString m_journalFolder;
    int m_commandDepth = 0;
    WizardDisplay m_display;
    QPoint m_origin;
    CompilerView* m_compilerView = nullptr;
    ProcedureRunner m_runner;
};
