#include "storage/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString WithSlash(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

// The folder up to and including the first case-insensitive match of word, plus "/"; empty when the
// word does not occur.
QString UpToMatch(const QString& folder, const QString& word) {
    const qsizetype at = folder.indexOf(word, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : folder.left(at + word.size()) + '/';
}

QString RunningProgramPath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo("/proc/self/exe").canonicalFilePath();
}

TFolderSet ComputeRunningFolders() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) throw EFolderError("Could not find My Documents folder location.");
    return ComputeFolders(RunningProgramPath(), documents);
}

} // namespace

QString BaseNameOf(const QString& programPath) {
    return QFileInfo(programPath).completeBaseName();
}

QString FolderOf(const QString& programPath) {
    const qsizetype slash = programPath.lastIndexOf('/');
    return slash < 0 ? QString("./") : programPath.left(slash + 1);
}

QString DataRootOf(const QString& programFolder, const QString& programFilesFolder) {
    QString root = UpToMatch(programFolder, "Varnholt");
    if (root.isEmpty()) root = UpToMatch(programFolder, "4qz");
    return root.isEmpty() ? WithSlash(programFilesFolder) + "Varnholt/" : root;
}

TFolderSet ComputeFolders(const QString& programPath, const QString& documentsFolder,
                          const QString& programFilesFolder) {
    TFolderSet set;
    set.ProgramFilesFolder = WithSlash(programFilesFolder);
    set.ProgramBaseName = BaseNameOf(programPath);
    set.ProgramFolder = FolderOf(programPath);
    set.MyDocumentsFolder = WithSlash(documentsFolder);
    set.UserDataFolder = set.MyDocumentsFolder + "Varnholt/" + set.ProgramBaseName + '/';
    set.DataRoot = DataRootOf(set.ProgramFolder, set.ProgramFilesFolder);
    set.DatabaseFolder = set.DataRoot + "Common Files/";
    return set;
}

QString ResolveUserDataFolder(const QString& wanted, const QString& programFolder) {
    return QDir().mkpath(wanted) ? wanted : programFolder;
}

const TFolderSet& InitFolders() {
    static const TFolderSet folders = ComputeRunningFolders();
    return folders;
}

const QString& ProgramFolder() {
    return InitFolders().ProgramFolder;
}
const QString& ProgramBaseName() {
    return InitFolders().ProgramBaseName;
}
const QString& DataRoot() {
    return InitFolders().DataRoot;
}
const QString& DatabaseFolder() {
    return InitFolders().DatabaseFolder;
}
const QString& UserDataFolder() {
    // Created on first use, so runs that never need it leave the documents folder alone.
    static const QString folder = ResolveUserDataFolder(InitFolders().UserDataFolder, ProgramFolder());
    return folder;
}
const QString& MyDocumentsFolder() {
    return InitFolders().MyDocumentsFolder;
}

QString SettingsKeyPath(const QString& fileName) {
    const QString base = fileName.isEmpty() ? ProgramBaseName() : BaseNameOf(fileName);
    return "Software/Varnholt/" + base;
}
