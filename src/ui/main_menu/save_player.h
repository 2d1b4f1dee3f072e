#pragma once
// Saving the open player as the main window does it.

#include <QString>

struct SharedData;

struct SaveAnswer {
    bool saved = false;
    // Not saved: the person chose to see this record (its number, the entry
    // window's row) whose comment the file cannot hold.
    qint32 showRecord = 0;
};

// Offers the conflict copies that arrived since the player was opened, asks
// what to do when its files were saved elsewhere meanwhile (copy_offers.h),
// asks the questions the save needs (any answer but OK saves nothing), saves,
// and shows why a save failed, or once in a run that the dated copy could not
// be kept. Text the file cannot hold is named; the person can have it
// replaced by "？" and saved, or see the record.
SaveAnswer SaveWithQuestions(SharedData &shared, const QString &UserName);
