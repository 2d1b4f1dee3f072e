#pragma once
// The previous-version import as the person meets it: the question, the
// folder, the conversion (core/file/data_import.h) and its messages.

class DataFolder;
class Platform;

// Converts the old files into player files of folder.
void DataImport(Platform &platform, const DataFolder &folder);
