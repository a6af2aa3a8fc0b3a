#pragma once

#include <QStringList>

class Session;

// Every field a project file holds that differs between the two sessions, named; empty when they
// agree. The groups' IsSharp is compared too.
QStringList projectDifferences(const Session& expected, const Session& actual);
