#include "shell/Association.h"

#include <QDir>

#include "shell/TfrmAskToAssociate.h"

namespace quillmap {

namespace {
const QString FileArgument = " \"%1\"";
}  // namespace

QString associationCommandText(const QString& executablePath)
{
    return '"' + QDir::toNativeSeparators(executablePath) + '"' + FileArgument;
}

QString associationCommandProgram(const QString& command)
{
    if (!command.endsWith(FileArgument)) return {};
    const QString program = command.chopped(FileArgument.size());
    if (program.size() > 2 && program.startsWith('"') && program.endsWith('"')) return program.mid(1, program.size() - 2);
    return program.contains('"') ? QString() : program;
}

bool NeedsAssociation(Registry& registry, const QString& executablePath)
{
    if (registry.read(RegistryRoot::ClassesRoot, QmpExtensionKey, {}) != QmpFileTypeName) return true;
    return registry.read(RegistryRoot::ClassesRoot, QmpOpenCommandKey, {}) != associationCommandText(executablePath);
}

void RegisterFileType(Registry& registry, const QString& executablePath)
{
    registry.write(RegistryRoot::ClassesRoot, QmpExtensionKey, {}, QmpFileTypeName);
    registry.write(RegistryRoot::ClassesRoot, QmpFileTypeName, {}, QmpFileTypeDescription);
    registry.write(RegistryRoot::ClassesRoot, QmpOpenCommandKey, {}, associationCommandText(executablePath));
}

QString neverAskKey(const QString& versionText) { return "Software\\Zentavo\\Quillmap_" + versionText; }

bool neverAskStored(Registry& registry, const QString& versionText)
{
    return registry.read(RegistryRoot::CurrentUser, neverAskKey(versionText), NeverAskValueName) == NeverAskMark;
}

void storeNeverAsk(Registry& registry, const QString& versionText)
{
    registry.write(RegistryRoot::CurrentUser, neverAskKey(versionText), NeverAskValueName, NeverAskMark);
}

bool associationPromptWanted(Registry& registry, const QString& executablePath, const QString& versionText)
{
    return NeedsAssociation(registry, executablePath) && !neverAskStored(registry, versionText);
}

bool runAssociationCheck(Registry& registry, const QString& executablePath, const QString& versionText,
                         TfrmAskToAssociate& prompt)
{
    if (!associationPromptWanted(registry, executablePath, versionText)) return false;
    prompt.exec();
    return true;
}

namespace {
QString native(const QString& subPath) { return QDir::toNativeSeparators(subPath); }
}  // namespace

ShellCommand helpCommand(const QString& appFolder)
{
    return {"open", appFolder + native("Help/index.htm"), "", appFolder, ShowShow};
}

ShellCommand browseFolderCommand(const QString& outFolder)
{
    return {"explore", outFolder, "", outFolder, ShowNormal};
}

ShellCommand testPageCommandIn(const QString& outFolder)
{
    return {"open", outFolder + native("/index.html"), "", outFolder, ShowDefault};
}

bool execute(Shell& shell, const ShellCommand& command)
{
    return shell.execute(command.verb, command.file, command.parameters, command.folder, command.showCommand);
}

}  // namespace quillmap
