#include "DatabaseLocation.h"

#include "DbError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DatabaseLocation {

QString choose(const QString& commandLineFile, const QString& workingFolder, const QString& dataFolder) {
    const QDir working(workingFolder);
    if (!commandLineFile.isEmpty())
        return QDir::cleanPath(working.absoluteFilePath(commandLineFile));

    const QString here = working.absoluteFilePath(QString::fromLatin1(FileName));
    // Any entry of that name counts, a broken one too: the open then reports what is wrong
    // with it instead of the program quietly switching to another diary.
    if (QFileInfo(here).exists() || QFileInfo(here).isSymLink())
        return QDir::cleanPath(here);

    if (dataFolder.isEmpty())
        throw DbError(QStringLiteral("There is no data folder for Trainbook on this system"));
    if (!QDir().mkpath(dataFolder))
        throw DbError(
            QStringLiteral("Could not create the folder '%1'").arg(QDir(dataFolder).absolutePath()));
    return QDir::cleanPath(QDir(dataFolder).absoluteFilePath(QString::fromLatin1(FileName)));
}

QString chooseForThisUser(const QString& commandLineFile) {
    return choose(commandLineFile, QDir::currentPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace DatabaseLocation
