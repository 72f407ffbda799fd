#include "cp1252.h"

#include <array>

namespace zelmor::model {
namespace {

// Bytes 0x80..0x9F. The five holes of the code page keep their C1 control code points, so the
// mapping stays one to one over all 256 bytes.
constexpr std::array<char16_t, 32> kHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// The byte for a BMP code point, or '?' when the code page lacks it.
char encode(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == u) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString fromCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t{b});
    }
    return out;
}

QByteArray toCp1252(const QString& text) {
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        // A character outside the BMP is one character for the user: one '?', not two.
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            *dst++ = '?';
            ++i;
            continue;
        }
        *dst++ = encode(c.unicode());
    }
    out.truncate(dst - out.constData());
    return out;
}

}  // namespace zelmor::model
