#include "toolkit/services.h"

#include <QDir>
#include <QFileInfo>

namespace zelmor::tk {

QString Platform::dataFile(const QString& name) const {
    for (const QString& folder : dataFolders()) {
        if (folder.isEmpty()) continue;
        QString path = QDir(folder).filePath(name);
        // A folder or a pipe of that name is no data file: the next place may hold the real one.
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QStringList installedDataFolders(const QString& executableFolder, const QString& organization,
                                 const QString& application) {
    if (executableFolder.isEmpty()) return {};
    QString installed = QDir(executableFolder).filePath(QStringLiteral(ZELMOR_DATADIR_FROM_BINDIR));
    if (!organization.isEmpty()) installed += QLatin1Char('/') + organization;
    if (!application.isEmpty()) installed += QLatin1Char('/') + application;
    return {QDir::cleanPath(installed), executableFolder};
}

}  // namespace zelmor::tk
