#pragma once

// Registers the program's pictures and sounds (kept in a static library, so
// they are registered explicitly).
void InitLedraResources();
