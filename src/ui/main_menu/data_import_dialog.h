#pragma once
// The previous-version import as the person meets it: the question, the
// folder, the conversion (core/file/data_import.h) and its messages.

class Platform;

void DataImport(Platform &platform);
