// backup: a verified copy of the database, for scheduled backups from the shell.

#include "Backup.h"
#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"

#include <QFileInfo>

namespace Cli {

int backup(const QStringList& args) {
    expectArgs(args, 1);
    const QString target = args.first();
    const qint64 rows = Backup::copyVerified(CLibrary::defaultAccessFile(), target);
    out() << QFileInfo(target).absoluteFilePath() << ": " << rows << (rows == 1 ? " row" : " rows")
          << Qt::endl;
    return 0;
}

} // namespace Cli
