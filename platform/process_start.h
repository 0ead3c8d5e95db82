#pragma once

// Starting another program, detached: it runs on after this one ends.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// True when the program was started, with standard input from the null device and the given
// environment. False when it could not be found or run.
bool StartProcess(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
