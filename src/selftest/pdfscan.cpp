#include "pdfscan.h"

#include <QFile>
#include <filesystem>

namespace PdfScan {

Result find(const QString &folder, qsizetype limit)
{
    namespace fs = std::filesystem;
    Result result;
    const fs::path root(QFile::encodeName(folder).toStdString());
    std::error_code error;
    if (!fs::is_directory(root, error) || error)
        return result;
    fs::recursive_directory_iterator it(root, fs::directory_options::none, error);
    const fs::recursive_directory_iterator end;
    while (!error && it != end) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(it->path().string()));
        if (path.toLower().endsWith(QStringLiteral(".pdf")) && result.found.size() < limit) {
            const QString relative = QFile::decodeName(
                QByteArray::fromStdString(it->path().lexically_relative(root).string()));
            result.found.append(relative);
        }
        it.increment(error);
    }
    result.listed = !error;
    return result;
}

} // namespace PdfScan
