#pragma once

#include <QString>

// Short record codes to the Russian text shown to the student; empty text for an unknown code.
QString TranslateCode(const QString& code);
