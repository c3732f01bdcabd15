#pragma once

#include <QString>

// Which Trainbook.db the program opens when it starts.
//
// A file named on the command line comes first; then Trainbook.db in the working folder, so
// that starting the program in a folder that holds its database keeps working as it always
// has; otherwise (started from a launcher, in the home folder) Trainbook.db in the user's
// data folder, which is created when it is missing.
namespace DatabaseLocation {

inline constexpr const char* FileName = "Trainbook.db";

// The file to open, as an absolute path. `commandLineFile` is the --db value (empty when not
// given); `workingFolder` the folder the program was started in; `dataFolder` the user's data
// folder for the program. Throws DbError when the data folder cannot be created.
QString choose(const QString& commandLineFile, const QString& workingFolder, const QString& dataFolder);

// choose() with the process's working folder and QStandardPaths::AppDataLocation.
QString chooseForThisUser(const QString& commandLineFile);

} // namespace DatabaseLocation
