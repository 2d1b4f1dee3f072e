#pragma once

class Platform;

// Warns (without stopping) when the Japanese font or the code page 932
// converter is missing.
void KankyouCheck(Platform &platform);
// The same with the findings given, for tests.
void KankyouCheckWith(Platform &platform, bool converterFound, bool japaneseFontFound);
