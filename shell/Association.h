#pragma once
// The .qmp file type in the registry, the never-ask mark, the start-up check, and the shell
// commands Help and Browse "Out".
#include <QString>

#include "shell/Platform.h"

namespace quillmap {

class TfrmAskToAssociate;

inline const QString QmpExtensionKey = ".qmp";
inline const QString QmpFileTypeName = "QMAPFile";
inline const QString QmpFileTypeDescription = "Quillmap Project";
inline const QString QmpOpenCommandKey = "QMAPFile\\shell\\open\\command";
inline const QString NeverAskValueName = "neverAsk2Associate";
inline const QString NeverAskMark = "YES";

// The open command for project files: the executable's full path (native separators) and "%1",
// each in double quotation marks, one blank between. Unquoted, a path with blanks such as
// C:\Program Files\... would make Windows try C:\Program.exe first.
QString associationCommandText(const QString& executablePath);

// The executable of an open command of ours: the quoted form above, or the unquoted path that
// earlier versions wrote. Empty for any other command.
QString associationCommandProgram(const QString& command);

// True unless .qmp is associated exactly as RegisterFileType would do it for this executable.
bool NeedsAssociation(Registry& registry, const QString& executablePath);

// Writes the three HKEY_CLASSES_ROOT entries in order; a failed write throws and skips the rest.
void RegisterFileType(Registry& registry, const QString& executablePath);

// "Software\Zentavo\Quillmap_" + the version text, under HKEY_CURRENT_USER.
QString neverAskKey(const QString& versionText);
bool neverAskStored(Registry& registry, const QString& versionText);
void storeNeverAsk(Registry& registry, const QString& versionText);

// Whether the start-up check shows the prompt: not associated and no never-ask mark.
bool associationPromptWanted(Registry& registry, const QString& executablePath, const QString& versionText);

// The start-up check, run by the main window's FormShow after the command-line project: shows
// the prompt modally when wanted and waits for it. True when it was shown.
bool runAssociationCheck(Registry& registry, const QString& executablePath, const QString& versionText,
                         TfrmAskToAssociate& prompt);

// Show commands of ShellExecute: SW_SHOWNORMAL, SW_SHOW, SW_SHOWDEFAULT.
inline constexpr int ShowNormal = 1;
inline constexpr int ShowShow = 5;
inline constexpr int ShowDefault = 10;

// What one shell command hands to the shell.
struct ShellCommand {
    QString verb, file, parameters, folder;
    int showCommand = 0;
    bool operator==(const ShellCommand&) const = default;
};

// appFolder ends with a separator. Help goes through the main window's ShellOpen (verb "open").
ShellCommand helpCommand(const QString& appFolder);
// Browse "Out" and, after "Build and Test", the test page (through ShellOpen) of the out folder
// the build writes into: the program's own or the user's (no separator at its end).
ShellCommand browseFolderCommand(const QString& outFolder);
ShellCommand testPageCommandIn(const QString& outFolder);

bool execute(Shell& shell, const ShellCommand& command);

}  // namespace quillmap
