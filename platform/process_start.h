#pragma once

// Starting another program, detached: it runs on after this one ends.

#include <QString>
#include <QStringList>

// True when the program was started. False when it could not be found or run.
bool StartProcess(const QString& program, const QStringList& arguments);
