#pragma once
// Where the program's own windows open: centred on the screen, in the area
// the desktop's panels leave free, frame included once the window has one.

class QWidget;

// Centres a window on the screen of its parent window (its own screen when it
// has no parent).
void CentreOnScreen(QWidget &window);
