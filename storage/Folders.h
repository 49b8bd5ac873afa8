#pragma once
// The folders the program works with and the name of its settings key. The values are computed once,
// at start-up, from the running executable; the pure functions below compute them from an explicit
// program path so that every rule can be exercised without installing anything.
#include "storage/MessageError.h"

#include <QString>
#include <stdexcept>

// Every folder text ends in "/".
struct TFolderSet {
    QString ProgramFilesFolder; // "/opt/"
    QString ProgramBaseName;    // executable name without folder and extension (no "/")
    QString ProgramFolder;
    QString MyDocumentsFolder;
    QString UserDataFolder;
    QString DataRoot;
    QString DatabaseFolder;
};

// Raised at start-up when the user's documents folder cannot be found.
class EFolderError : public EMessageError {
public:
    using EMessageError::EMessageError;
};

// The executable's file name without folder and extension ("/a/b/quorvane.bin" gives "quorvane").
QString BaseNameOf(const QString& programPath);
// The folder of a program path, with a trailing "/".
QString FolderOf(const QString& programPath);
// The data root for a program folder: when the folder holds "Varnholt" in any letter case, the folder
// up to and including that match; else when it holds "4qz" in any letter case, up to and including
// that match; else programFilesFolder + "Varnholt/". The path keeps its own letter case.
QString DataRootOf(const QString& programFolder, const QString& programFilesFolder = "/opt/");
// Computes every folder from explicit inputs without touching the disk; UserDataFolder is the wanted
// folder under the documents folder (see ResolveUserDataFolder for the one actually used).
TFolderSet ComputeFolders(const QString& programPath, const QString& documentsFolder,
                          const QString& programFilesFolder = "/opt/");
// Creates the wanted user data folder with any missing parents; returns it, or programFolder when it
// cannot be created.
QString ResolveUserDataFolder(const QString& wanted, const QString& programFolder);

// The values of the running program, computed on first use (start-up calls InitFolders so that a
// missing documents folder stops the program with EFolderError "Could not find My Documents folder
// location."). The set's UserDataFolder is the wanted folder; UserDataFolder() gives the one in use,
// creating it (or falling back to ProgramFolder) on its first call.
const TFolderSet& InitFolders();
const QString& ProgramFolder();
const QString& ProgramBaseName();
const QString& DataRoot();
const QString& DatabaseFolder();
const QString& UserDataFolder();
const QString& MyDocumentsFolder();

// "Software/Varnholt/" + the base name of fileName, or of the running executable when it is empty.
// The settings store itself is QSettings("Varnholt", base name).
QString SettingsKeyPath(const QString& fileName = QString());
