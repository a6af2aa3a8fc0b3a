#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class Session;

// The program run from a shell: a project opened in free-edit mode, or the analysis files and a
// table of projects made without any window.

// Exit statuses of every run from the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitBadUsage = 2;

// What the arguments ask for.
struct CommandLine {
    enum class Mode { Window, Kv, Check, Summary, Help, Version, BadUsage };
    Mode mode = Mode::Window;
    QStringList files;    // the projects named, in order
    QString outputFolder; // -o; empty: beside each project; with --summary the file to write
    bool csv = false;
    QString usageError;   // what is wrong with them, for BadUsage
    QString helpText;
};

// True when the arguments are at most one project file and no option: only then is a window
// wanted, so everything else runs without a display.
bool wantsWindow(const QStringList& arguments);

// True when the arguments ask for the summary, which lays out text and so wants a QGuiApplication.
bool wantsSummary(const QStringList& arguments);

// Reads the arguments (the program's name first). Help and version texts need the application
// object, so a QCoreApplication must exist.
CommandLine parseCommandLine(const QStringList& arguments);

// Reads the project file at path, from any folder and of any name, into the session with the
// project's own reader, as the load command does. Nothing when the file cannot be read or the
// reader refuses it: then *reason says why, in the program's words.
bool readProjectFile(const QString& path, Session& session, QString* reason);

// "zuvrack: <path>: <what>" on standard error.
void reportFileProblem(const QString& path, const QString& what);

// The analysis-program file that saving the description in free-edit mode writes.
QByteArray kvImage(const Session& session);

// One row of the project table.
struct ProjectCheck {
    QString file;
    QString title;
    int links = 0; // moving links, as the degrees of freedom count them
    int pairs = 0;
    int W = 0;
    QStringList groups; // "name:type"
    int unset = 0;      // values of the free-edit tree still "/n"
    QStringList advice; // the structure advisor's findings, the mobility line (n, p, W) aside
    QString damage;     // empty for a project the reader took
};
ProjectCheck checkProject(const QString& path);

// The table, a header line first: columns padded with spaces, or CSV with fields quoted where
// they need it.
QStringList checkTable(const QList<ProjectCheck>& rows, bool csv);

// The whole headless run: --kv, --check, --summary, --help, --version or bad usage. --summary
// wants a QGuiApplication, the others a QCoreApplication. Messages go to standard
// error; the result is the exit status.
int runCommandLine(const CommandLine& commandLine);
