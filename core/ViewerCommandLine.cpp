#include "ViewerCommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace {

QString& replacedProgramFolder()
{
    static QString folder;
    return folder;
}

ViewerLauncher& replacedLauncher()
{
    static ViewerLauncher launcher;
    return launcher;
}

bool startDetached(const ViewerCommand& command)
{
    return QProcess::startDetached(command.program, command.arguments);
}

}  // namespace

QString ProgramFolder()
{
    if (!replacedProgramFolder().isEmpty())
        return replacedProgramFolder();
    return QCoreApplication::applicationDirPath();
}

QString ViewFilePath(const QString& name)
{
    return QDir(ProgramFolder()).filePath(name + QStringLiteral(".lrm"));
}

ViewerCommand ViewerCommandLine(const QString& viewFilePath)
{
    return {QDir(ProgramFolder()).filePath(QStringLiteral("lorimand")), {QFileInfo(viewFilePath).absoluteFilePath()}};
}

bool StartViewer(const QString& viewFilePath, QString& error)
{
    const ViewerCommand command = ViewerCommandLine(viewFilePath);
    const bool started = replacedLauncher() ? replacedLauncher()(command) : startDetached(command);
    if (!started)
        error = QStringLiteral("The viewer \"%1\" could not be started for \"%2\".")
                    .arg(command.program, command.arguments.first());
    return started;
}

QString SetProgramFolder(const QString& folder)
{
    return std::exchange(replacedProgramFolder(), folder);
}

ViewerLauncher SetViewerLauncher(ViewerLauncher launcher)
{
    return std::exchange(replacedLauncher(), std::move(launcher));
}
