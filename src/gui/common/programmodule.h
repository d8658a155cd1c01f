#pragma once

#include <QString>
#include <QtGlobal>

// The program's own modules: beside the program in a build tree, in the library folder once
// installed. The named function of one, or null with the loader's reason in error.
QFunctionPointer resolveProgramModule(const QString &module, const char *function, QString *error);
