#pragma once
// Conversion of the previous version's "Name.Dat" and "Data.Dat" into player files.

class Platform;

void DataImport(Platform &platform);
