// What both halves of the writer plugin need of UNO: its strings, and local files as URLs.
#pragma once

#include <rtl/ustring.hxx>

#include <QFileInfo>
#include <QString>
#include <QUrl>

namespace zelmor::reports::office {

inline rtl::OUString toOu(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                         static_cast<sal_Int32>(text.size()));
}

inline QString toQt(const rtl::OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

inline QString fileUrl(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

}  // namespace zelmor::reports::office
