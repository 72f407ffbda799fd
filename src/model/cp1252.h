// Windows-1252 (the Western European ANSI code page) to and from Unicode.
#pragma once

#include <QByteArray>
#include <QString>

namespace zelmor::model {

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, unassigned in the code page, map to U+0081.. as
// Windows does, so that every byte sequence decodes and encodes back unchanged.
QString fromCp1252(const QByteArray& bytes);
// Characters outside the code page become "?".
QByteArray toCp1252(const QString& text);

}  // namespace zelmor::model
