#pragma once

#include <QStringList>

class Session;

// The two current-information panels, rebuilt from the records each time: the pairs (List1)
// and the links with their extra points (List2), copies of a link left out.
QStringList Show_PARAS(const Session& session);
QStringList Show_ZVENOS(const Session& session);
