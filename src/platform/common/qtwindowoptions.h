#pragma once

class QCommandLineParser;

// Qt's own window options (-platform, -display, -style, ...). QApplication takes them off the
// command line before the program reads it; a run that makes no window has no QApplication,
// so the parser must know them to accept and ignore them. They are listed in the help only
// when listed is true (--help-all).
void addQtWindowOptions(QCommandLineParser &parser, bool listed);
