#include "platform/process_start.h"

#include <QProcess>

bool StartProcess(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment) {
    if (program.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}
