#include "frame/glimmerpad_tool.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

#include "platform/process_start.h"

namespace {

constexpr char kProgramName[] = "glimmerpad";
constexpr char kInstanceVariable[] = "LEXICOVE_INSTANCE";
constexpr char kCloseOption[] = "--close";

}  // namespace

QString CGlimmerpadTool::FindProgram() {
    return QStandardPaths::findExecutable(QString::fromLatin1(kProgramName));
}

bool CGlimmerpadTool::Show() const {
    return Run({});
}

bool CGlimmerpadTool::Close() const {
    return Run({QString::fromLatin1(kCloseOption)});
}

bool CGlimmerpadTool::Run(const QStringList& arguments) const {
    const QString program = FindProgram();
    if (program.isEmpty()) {
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (instanceName_.isEmpty()) {
        environment.remove(QString::fromLatin1(kInstanceVariable));
    } else {
        environment.insert(QString::fromLatin1(kInstanceVariable), instanceName_);
    }
    return StartProcess(program, arguments, environment);
}
