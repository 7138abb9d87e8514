#pragma once
// Readable failure output for the runtime's string type.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }
