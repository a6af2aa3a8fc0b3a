#pragma once

#include "files/writefile.h"
// BaseAndOtherPair and RevoluteAndGuide, the pairs the questions name, live with the records.
#include "model/recordaccess.h"

#include <QPoint>
#include <QString>

#include <functional>

class CompilerView;
class Dialogs;
class Session;

// Stage 2 of the wizard and its end: procedures that ask every question of their sub-stage
// through the question dialog, store the answers as text and write one protocol line per answer.
// Each returns the state that follows; the engine sets it and runs that state next.
struct Stage2Context {
    Session& session;
    Dialogs& dialogs;
    QPoint at;                                 // where the question dialog opens
    std::function<void(const QString&)> addLine; // one line of the input protocol
    std::function<void()> refreshPairs;          // the pairs panel
};

qint16 FramePairCoordinates(Stage2Context& ctx); // state 9 -> 10
qint16 LinkDimensions(Stage2Context& ctx);       // state 10 -> 110
qint16 GroupAssembly(Stage2Context& ctx);        // state 110 -> 120
qint16 ExtraPointPositions(Stage2Context& ctx);  // state 120 -> 130
qint16 CentresOfMass(Stage2Context& ctx);        // state 130 -> 140, or 200 without force analysis
qint16 ForcePoints(Stage2Context& ctx);          // state 140 -> 150
qint16 MassesAndMoments(Stage2Context& ctx);     // state 150 -> 200

// Runs the stage-2 procedure of the given state; returns the next state, or 0 when the state
// is not one of them.
qint16 RunStage2State(Stage2Context& ctx, qint16 state);

// The end (state 200): the save dialog, then both output files (asking first before a project of
// another description is replaced). OutputSaved becomes 1.0 even when the dialog was cancelled,
// that project was kept or the write failed. Returns whether both files were written.
bool SaveDescription(Session& session, Dialogs& dialogs, CompilerView* view);

