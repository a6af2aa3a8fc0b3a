#pragma once

#include "model/records.h"

#include <QHash>
#include <QStringList>

// Everything the program knows: the one mechanism and the globals around it. main() makes one
// and hands it to every window and routine by reference; tests make their own.
class Session {
public:
    std::array<PARA, kSlots> Paras{};
    qint16 ParaCount = 0;
    std::array<ZVENO, kSlots> Zvenos{};
    qint16 ZvenoCount = 0;
    std::array<GROUP, kSlots> Groups{};
    qint16 GroupCount = 0;

    QString Answer;
    QString HeldAnswer;
    QString ErrorDetail;
    QString ReservedWord;
    qint16 W = 0;
    qint16 WInitial = 0;
    qint16 WizardState = 0;
    float ForceAnalysis = 0.0f;
    float MorePoints = 0.0f;
    qint16 FrameIndex = 0;
    float ExtraPairsFlag = 0.0f;
    float OutputSaved = 0.0f;
    float OutputReady = 0.0f;
    float WindowMode = 0.0f;

    // The program's data folder (pictures, icon, d_files/ with the project files). main() sets it
    // below the program folder; tests point it at a temporary folder.
    QString DataFolder;
    // Where project files live, in the order they are looked for; new ones go to the first of them
    // that can be written. Empty: only the d_files folder of DataFolder.
    QStringList ProjectFolders;
    // The files the last save wrote (the analysis file, then the project file), as the windows
    // show them; empty before the first save.
    QStringList SavedFiles;
    // The project files this run read or wrote, each with a fingerprint of the bytes it left there:
    // a project is this description's own only while those bytes are still there.
    QHash<QString, QByteArray> OwnProjects;

    // A new description: empty texts, zero numbers, links not yet grouped or analysed.
    void NewMechanism();
    // Before a project is loaded: every text "/n", every index -2, counts 0.
    void ResetMechanism();

    // Adding records at the end of their arrays. Each returns the new slot, or 0 when the array
    // is full; the caller then reports the matching capacity error and changes nothing.
    qint16 addPara();
    qint16 addZveno();
    qint16 addGroup();
    qint16 addTwafz(qint16 zveno);
    qint16 addPoint(qint16 zveno);

private:
    // Every record back to its empty state; pair and link counts 0 (GroupCount is the wizard's).
    void clearRecords();
};

// Error codes for a refused addition (shown through ShowError).
inline constexpr qint16 kErrTooManyPairs = 30;
inline constexpr qint16 kErrTooManyLinks = 31;
inline constexpr qint16 kErrTooManyGroups = 32;
inline constexpr qint16 kErrTooManyExtraPairs = 33;
inline constexpr qint16 kErrTooManyPoints = 34;

// The text that marks a field that is not set.
inline const QString kNotSet = QStringLiteral("/n");
