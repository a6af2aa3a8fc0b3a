#pragma once

#include "model/dialogs.h"

#include <QString>

// The program's file filter: description and pattern joined by "|" (several pairs may follow one
// another), as the old common dialogs took it. Qt wants "Description (patterns)" entries joined by
// ";;"; a description that already ends with its patterns in brackets keeps them as they are.
QString qtFileFilter(const QString& filter);

// A chosen file as the commands use it: the full name and the title (the name without its folder).
// Empty name, empty choice.
FileChoice fileChoiceFor(const QString& fullName);

// The folder part of a choice: the full name with the title cut off its end, so it keeps its
// trailing separator. Empty for a cancelled choice.
QString folderOf(const FileChoice& choice);

// True when the name ends in ".kv", in any letter case.
bool hasKvExtension(const QString& fileName);
