#include "shell/commandline.h"

#include "files/codepage.h"
#include "files/kvcompiler.h"
#include "files/projectfile.h"
#include "files/projectformat.h"
#include "advisor/advisor.h"
#include "files/savefile.h"
#include "wizard/structure.h"
#include "freeedit/mechanismtree.h"
#include "model/errors.h"
#include "model/flags.h"
#include "model/session.h"
#include "report/mechanismsummary.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// The words of an error-table message, without its number line and without what it goes on to do.
QString tableWords(qint16 code)
{
    const auto box = errorMessage(code, QString(), QString());
    QString words = box ? box->text.split(QStringLiteral("\r\n")).value(1) : QString();
    if (words.endsWith(QLatin1Char(':')))
        words.chop(1);
    return words;
}

void printLine(FILE* stream, const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stream);
}

QString csvField(const QString& field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quoted = std::any_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); }) ||
                        field.trimmed() != field;
    if (!quoted)
        return field;
    return QLatin1Char('"') + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// -o FOLDER or beside the project: <base name>.kv.
QString kvPathFor(const QString& project, const QString& folder)
{
    const QFileInfo info(project);
    const QString name = info.completeBaseName() + QStringLiteral(".kv");
    return QDir(folder.isEmpty() ? info.path() : folder).filePath(name);
}

int writeKvFiles(const CommandLine& cl)
{
    if (!cl.outputFolder.isEmpty() && !QDir().mkpath(cl.outputFolder)) {
        reportFileProblem(cl.outputFolder, tableWords(kErrWriteFailed));
        return kExitBadFile;
    }
    int status = kExitOk;
    auto session = std::make_unique<Session>();
    for (const QString& project : cl.files) {
        QString reason;
        if (!readProjectFile(project, *session, &reason)) {
            reportFileProblem(project, reason);
            status = kExitBadFile;
            continue;
        }
        const QString path = kvPathFor(project, cl.outputFolder);
        QSaveFile file(path);
        if (!prepareSaveFile(file, kvImage(*session)) || !file.commit()) {
            reportFileProblem(path, tableWords(kErrWriteFailed));
            status = kExitBadFile;
        }
    }
    return status;
}

int printCheckTable(const CommandLine& cl)
{
    QList<ProjectCheck> rows;
    int status = kExitOk;
    for (const QString& project : cl.files) {
        rows << checkProject(project);
        if (!rows.last().damage.isEmpty())
            status = kExitBadFile;
    }
    for (const QString& line : checkTable(rows, cl.csv))
        printLine(stdout, line);
    return status;
}

int writeSummary(const CommandLine& cl)
{
    const QString& project = cl.files.first();
    auto session = std::make_unique<Session>();
    QString reason;
    if (!readProjectFile(project, *session, &reason)) {
        reportFileProblem(project, reason);
        return kExitBadFile;
    }
    if (!writeSummaryFile(*session, QFileInfo(project).completeBaseName(), cl.outputFolder)) {
        reportFileProblem(cl.outputFolder, tableWords(kErrWriteFailed));
        return kExitBadFile;
    }
    return kExitOk;
}

} // namespace

void reportFileProblem(const QString& path, const QString& what)
{
    printLine(stderr, QStringLiteral("zuvrack: ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") + what);
}

bool wantsWindow(const QStringList& arguments)
{
    const QStringList rest = arguments.mid(1);
    return rest.size() <= 1 && std::none_of(rest.begin(), rest.end(), [](const QString& a) { return a.startsWith(u'-'); });
}

bool wantsSummary(const QStringList& arguments)
{
    return arguments.mid(1).contains(QStringLiteral("--summary"));
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Zuvrack: описание плоского рычажного механизма для KVERTA / describing a planar linkage for KVERTA.\n"
        "Без параметров открывается окно программы, с файлом проекта - этот проект в режиме свободного\n"
        "редактирования. / Without arguments the program's window opens; with a project file, that project\n"
        "in free-edit mode.\n"
        "Код выхода / exit status: 0 - готово / done, 1 - файл не прочитан или не записан / a file could not\n"
        "be read or written, 2 - неверные параметры / bad usage."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Эта справка / this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Версия программы / the program's version."));
    const QCommandLineOption kv(QStringLiteral("kv"),
                                QStringLiteral("Записать файл KVERTA (.kv) каждого проекта, без окна / write each "
                                               "project's KVERTA file (.kv), without a window."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Папка для файлов .kv (с --kv; иначе рядом с проектом), файл паспорта "
                                                   "(с --summary) / the folder for the .kv files (with --kv; else beside "
                                                   "each project), the summary's file (with --summary)."),
                                    QStringLiteral("FOLDER|FILE"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Таблица проектов: название, n, p, W, группы (имя:тип), число "
                                                  "незаданных значений, повреждения / a table of the projects: title, "
                                                  "n, p, W, groups (name:type), values not set, damage."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Таблица в формате CSV (с --check) / the table as CSV (with --check)."));
    const QCommandLineOption summary(QStringLiteral("summary"),
                                     QStringLiteral("Паспорт механизма в файл -o FILE.pdf или FILE.html / the mechanism's "
                                                    "printable summary into -o FILE.pdf or FILE.html."));
    parser.addOptions({help, version, kv, output, check, csv, summary});
    parser.addPositionalArgument(QStringLiteral("PROJECT.zvr"),
                                 QStringLiteral("Файлы проектов / project files."), QStringLiteral("[PROJECT.zvr...]"));

    CommandLine cl;
    const auto bad = [&cl](const QString& why) {
        cl.mode = CommandLine::Mode::BadUsage;
        cl.usageError = why;
        return cl;
    };
    if (!parser.parse(arguments))
        return bad(parser.errorText());
    cl.files = parser.positionalArguments();
    cl.outputFolder = parser.value(output);
    cl.csv = parser.isSet(csv);
    if (parser.isSet(help)) {
        cl.mode = CommandLine::Mode::Help;
        cl.helpText = parser.helpText();
        return cl;
    }
    if (parser.isSet(version)) {
        cl.mode = CommandLine::Mode::Version;
        return cl;
    }
    if (int(parser.isSet(kv)) + int(parser.isSet(check)) + int(parser.isSet(summary)) > 1)
        return bad(QStringLiteral("--kv, --check и --summary вместе не задаются / --kv, --check and --summary do not go together"));
    if (parser.isSet(output) && !parser.isSet(kv) && !parser.isSet(summary))
        return bad(QStringLiteral("-o задается только с --kv или --summary / -o goes with --kv or --summary only"));
    if (parser.isSet(summary)) {
        const QString suffix = QFileInfo(cl.outputFolder).suffix().toLower();
        if (cl.files.size() != 1)
            return bad(QStringLiteral("--summary задается с одним проектом / --summary takes one project"));
        if (suffix != QLatin1String("pdf") && suffix != QLatin1String("html"))
            return bad(QStringLiteral("--summary пишет в -o FILE.pdf или FILE.html / --summary writes to -o FILE.pdf or FILE.html"));
        cl.mode = CommandLine::Mode::Summary;
        return cl;
    }
    if (cl.csv && !parser.isSet(check))
        return bad(QStringLiteral("--csv задается только с --check / --csv goes with --check only"));
    if ((parser.isSet(kv) || parser.isSet(check)) && cl.files.isEmpty())
        return bad(QStringLiteral("не указан файл проекта / no project file given"));
    if (parser.isSet(kv))
        cl.mode = CommandLine::Mode::Kv;
    else if (parser.isSet(check))
        cl.mode = CommandLine::Mode::Check;
    else if (cl.files.size() > 1)
        return bad(QStringLiteral("в окне открывается один проект / the window opens one project"));
    return cl;
}

bool readProjectFile(const QString& path, Session& session, QString* reason)
{
    session.ResetMechanism();
    QString error;
    switch (readProjectAt(path, session, &error)) {
    case ReadResult::Read: return true;
    case ReadResult::Unopened:
        *reason = QStringLiteral("файл не открывается / cannot be opened (") + error + QLatin1Char(')');
        return false;
    case ReadResult::Empty: *reason = QStringLiteral("файл пуст / empty file"); return false;
    case ReadResult::Damaged: *reason = tableWords(kErrProjectDamaged); return false;
    }
    return false;
}

QByteArray kvImage(const Session& session)
{
    return kvFileBytes(compileKv(session).lines);
}

ProjectCheck checkProject(const QString& path)
{
    const QFileInfo info(path);
    ProjectCheck row{info.fileName(), info.completeBaseName(), 0, 0, 0, {}, 0, {}, {}};
    auto session = std::make_unique<Session>();
    if (!readProjectFile(path, *session, &row.damage))
        return row;
    for (const TreeNode& node : buildMechanismTree(*session))
        if (!node.structural && node.text.endsWith(kNotSet))
            ++row.unset;
    // The copy marks as the frame step sets them: the advice below reads them.
    CountDegreesOfFreedom(*session);
    const Mobility m = countMobility(*session);
    row.pairs = m.pairs;
    row.W = m.W;
    row.links = m.links;
    for (int g = 1; g <= session->GroupCount; ++g)
        row.groups << session->Groups[g].Name + QLatin1Char(':') + session->Groups[g].GType;
    for (const QString& line : adviseStructure(*session))
        if (!line.startsWith(QStringLiteral("n = ")))
            row.advice << line;
    return row;
}

QStringList checkTable(const QList<ProjectCheck>& rows, bool csv)
{
    QList<QStringList> table = {{QStringLiteral("file"), QStringLiteral("title"), QStringLiteral("n"),
                                 QStringLiteral("p"), QStringLiteral("W"), QStringLiteral("groups"),
                                 QStringLiteral("unset"), QStringLiteral("state"), QStringLiteral("advice")}};
    for (const ProjectCheck& r : rows) {
        if (!r.damage.isEmpty()) {
            table.append({r.file, r.title, {}, {}, {}, {}, {}, QStringLiteral("damaged: ") + r.damage, {}});
            continue;
        }
        table.append({r.file, r.title, QString::number(r.links), QString::number(r.pairs), QString::number(r.W),
                      r.groups.join(QLatin1Char(' ')), QString::number(r.unset), QStringLiteral("ok"),
                      r.advice.join(QStringLiteral(" / "))});
    }
    QList<qsizetype> widths(table.first().size(), 0);
    for (const QStringList& fields : table)
        for (qsizetype i = 0; i < fields.size(); ++i)
            widths[i] = std::max(widths[i], fields[i].size());
    QStringList lines;
    for (const QStringList& fields : table) {
        QStringList out;
        for (qsizetype i = 0; i < fields.size(); ++i)
            out << (csv ? csvField(fields[i]) : i + 1 < fields.size() ? fields[i].leftJustified(widths[i]) : fields[i]);
        lines << out.join(csv ? QStringLiteral(",") : QStringLiteral("  "));
    }
    return lines;
}

int runCommandLine(const CommandLine& cl)
{
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::fputs(cl.helpText.toUtf8().constData(), stdout);
        return kExitOk;
    case CommandLine::Mode::Version:
        printLine(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());
        return kExitOk;
    case CommandLine::Mode::Kv: return writeKvFiles(cl);
    case CommandLine::Mode::Check: return printCheckTable(cl);
    case CommandLine::Mode::Summary: return writeSummary(cl);
    case CommandLine::Mode::BadUsage:
        printLine(stderr, QStringLiteral("zuvrack: ") + cl.usageError);
        printLine(stderr, QStringLiteral("zuvrack --help: справка / help"));
        return kExitBadUsage;
    case CommandLine::Mode::Window: break;
    }
    return kExitBadUsage;
}
