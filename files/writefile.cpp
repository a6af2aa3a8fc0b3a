#include "writefile.h"

bool WriteFile(Session&, Dialogs&, CompilerView*, const QString&, const QString&)
{
    return false; // placeholder until the compiler lands
}
