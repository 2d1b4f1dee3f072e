#pragma once
// Saving the open player as the main window does it.

#include <QString>

struct SharedData;

// Asks the questions the save needs (any answer but OK saves nothing), saves,
// and shows why a save failed, or once in a run that the dated copy could not
// be kept. True when saved.
bool SaveWithQuestions(SharedData &shared, const QString &UserName);
