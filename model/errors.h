#pragma once

#include "model/dialogs.h"

#include <QString>
#include <QStringList>

#include <optional>

class Session;

// One message box of the error table.
struct ErrorMessage {
    QString title;
    QString text; // lines joined by CR LF
    MessageIcon icon = MessageIcon::Critical;
};

// Errors of our own beyond the classic table.
inline constexpr qint16 kErrProjectDamaged = 202;
inline constexpr qint16 kErrWriteFailed = 203;
inline constexpr qint16 kErrValueTooLong = 204;

// The box for an error code, or nothing for a code (or a code-15 detail) that has no box.
// errorDetail is ErrorDetail (code 15 reads it as a number; the file errors show it as the
// file or value concerned); reservedWord is quoted by code 18.
std::optional<ErrorMessage> errorMessage(qint16 code, const QString& errorDetail, const QString& reservedWord);

// Shows the box for the code through the dialogs, reading ErrorDetail and ReservedWord.
void ShowError(const Session& session, Dialogs& dialogs, qint16 code);
