#pragma once
// Text the player file cannot hold: a character code page 932 has no code for
// (a player file written as UTF-8 by another program reads back with such
// characters) or a double quote. A save finds the first one, names it and the
// record or name that holds it, and can replace every one by "？".

#include "core/model/data_change.h"

#include <QString>
#include <optional>

struct SharedData;

struct UncarriedText {
    enum class Kind { Comment, Store, Machine };
    Kind kind = Kind::Comment;
    qint32 number = 0; // the record's number (its row in the entry window), or the list position
    QString character; // the first character that cannot be held, as it stands
    qint32 others = 0; // further comments and names holding such characters
};

// The first comment (in table order), else store name, else machine name that
// the file cannot hold; std::nullopt when everything can be saved.
std::optional<UncarriedText> FindUncarriedText(const SharedData &shared);

// "3行目（2026/01/05 の記録）のコメントに、ファイルに書けない文字「�」（U+FFFD）があります。"
// and, when there are others, how many.
QString DescribeUncarriedText(const SharedData &shared, const UncarriedText &found);

// The records and lists with every character the file cannot hold replaced
// by "？" (only what needs it is named in the change).
DataChange ReplaceUncarriedText(const SharedData &shared);
