#pragma once
// The user data file "<player>.pcd": code page 932 text with CR LF line ends,
// four sections <States>, <StoreData>, <MachineData>, <Data>.

#include <QByteArray>
#include <QString>

namespace UserDataFile {

inline constexpr char16_t kLineEnd[] = u"\r\n";

// The longest name or comment taken from another program's file (a CSV
// import): far beyond what is typed, short enough to show in a cell.
inline constexpr qsizetype kMaxTextLength = 4096;

QString StatesMarker();    // "<States>"
QString StoreMarker();     // "<StoreData>"
QString MachineMarker();   // "<MachineData>"
QString DataMarker();      // "<Data>"
QString PcdExtension();    // ".pcd"
QString BackupExtension(); // ".Bak"

// A text item as written: in double quotes.
QString Quoted(const QString &text);

// True when a text item can be stored unchanged: no double quote (the format
// has no escape) and every character carried by code page 932.
bool CanCarryText(const QString &text);
// The first character that keeps a text item from being stored (a double
// quote, or what code page 932 cannot carry); empty when there is none.
QString FirstUncarried(const QString &text);

// Encodes a section's text; false when a character cannot be carried.
bool EncodeSection(const QString &sectionText, QByteArray &out);

// Header of a new player's file, up to and including the "<Data>" line.
QString NewPlayerHeader();
// Complete content of a new player's file.
QString NewPlayerFileText();

} // namespace UserDataFile
