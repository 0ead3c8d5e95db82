#include "platform/process_start.h"

#include <QProcess>

bool StartProcess(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) {
        return false;
    }
    return QProcess::startDetached(program, arguments);
}
