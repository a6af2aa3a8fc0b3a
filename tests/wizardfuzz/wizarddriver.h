#pragma once

#include <QByteArray>
#include <QString>

// Plays a byte string against the wizard engine as a student would: typed answers, command
// buttons and dialog answers, all chosen by the bytes. After every step it checks that the
// records are still consistent; the first broken rule is returned (empty when all held).
QString playWizard(const QByteArray& bytes);
