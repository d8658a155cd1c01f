#pragma once

class QCoreApplication;

// Turns SIGTERM, SIGINT and SIGHUP into an orderly end of the event loop, so that a program
// told to stop still runs its own clean-up: the simulator it started is stopped with it and
// the tables it keeps are saved. Does nothing where there are no such signals.
void quitOnTerminationSignals(QCoreApplication &app);
// A signal that came while the program was still starting: a local event loop of the start
// (a blocking bus call) may have taken it before the main loop ran, which then must not run.
bool terminationRequested();
