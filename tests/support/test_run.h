#pragma once
// The run of a test executable: settings and data kept away from the person's
// own folders, and every Qt warning a test failure (a warning is Qt telling of
// a fault: a bad model index, a failed connection, a painter used wrongly).

// Before the application object is made.
void PrepareTestRun();
// Runs every test; the exit status of the executable.
int RunTests(int &argc, char **argv);
