#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "model/records.h"

#include <optional>

class Session;

// The project file is a run of fixed 128-byte records, one value (or one pair or group) each.
inline constexpr int kProjectRecordSize = 128;

// A group's assembly choice by angle is kept after the group's fields, in the part of its record
// that the format leaves free and plain readers skip: these bytes, then the text image.
inline constexpr QByteArrayView kIsSharpMarker("\x1FZIS", 4);

// The most records a valid file can need: every array full, every link with all its sub-records.
inline constexpr int kLinkRecords = 26;  // a link without additional pairs or extra points
inline constexpr int kExtraPairRecords = 4;
inline constexpr int kPointRecords = 6;
inline constexpr int kMaxProjectRecords =
    4 + kMaxRecords * (kLinkRecords + kMaxSubRecords * (kExtraPairRecords + kPointRecords)) + 1 + kMaxRecords + 1 +
    kMaxRecords;

// The project file image of the mechanism, every record padded with zeros so that the same
// mechanism always gives the same bytes. Nothing when a value does not fit its record; then
// tooLongValue names it.
std::optional<QByteArray> projectFileBytes(const Session& session, QString* tooLongValue);

// Reads a project file image into a session that has just been reset. False when the image is
// damaged: a count or index out of its range, a text longer than its record, a record missing.
// The session is then half filled and must be reset by the caller.
bool readProjectBytes(QByteArrayView bytes, Session& session);
