#include "files/codepage.h"

#include <array>

namespace {

constexpr char32_t kUnassigned = 0;

// The characters of Windows-1251 codes 0x80..0xBF; 0x98 has none. Codes 0xC0..0xFF are А..я in
// alphabetical order and are computed.
constexpr std::array<char32_t, 64> kUpperCodes = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    kUnassigned, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};

constexpr char32_t kCyrillicA = 0x0410; // А, code 0xC0
constexpr char32_t kCyrillicYa = 0x044F; // я, code 0xFF

constexpr char kUnknown = '?';

char32_t upperChar(unsigned char code)
{
    if (code >= 0xC0)
        return kCyrillicA + (code - 0xC0);
    return kUpperCodes[code - 0x80];
}

// Calls fn for each code point; a surrogate half that is not part of a pair counts as one
// character of its own (and has no code).
template <typename Fn>
void forEachCodePoint(QStringView text, Fn fn)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            fn(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            fn(char32_t(c.unicode()));
        }
    }
}

} // namespace

int cp1251Code(char32_t ch)
{
    if (ch < 0x80)
        return int(ch);
    if (ch >= kCyrillicA && ch <= kCyrillicYa)
        return int(0xC0 + (ch - kCyrillicA));
    for (int i = 0; i < int(kUpperCodes.size()); ++i)
        if (kUpperCodes[i] != kUnassigned && kUpperCodes[i] == ch)
            return 0x80 + i;
    return -1;
}

void appendCp1251(QByteArray& out, QStringView text)
{
    // One byte at most per UTF-16 unit: write through a pointer, then cut to what was written.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* p = out.data() + start;
    forEachCodePoint(text, [&p](char32_t ch) {
        const int code = cp1251Code(ch);
        *p++ = code < 0 ? kUnknown : char(code);
    });
    out.truncate(p - out.constData());
}

QByteArray toCp1251(QStringView text)
{
    QByteArray out;
    appendCp1251(out, text);
    return out;
}

QString fromCp1251(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (const char b : bytes) {
        const auto code = static_cast<unsigned char>(b);
        const char32_t ch = code < 0x80 ? char32_t(code) : upperChar(code);
        *p++ = ch == kUnassigned && code != 0 ? QChar(QLatin1Char(kUnknown)) : QChar(char16_t(ch));
    }
    return out;
}

char kvByte(unsigned char cp1251)
{
    if (cp1251 >= 192 && cp1251 <= 239)
        return char(cp1251 - 64);
    if (cp1251 >= 240)
        return char(cp1251 - 16);
    return char(cp1251);
}

QByteArray toKvBytes(QStringView text)
{
    QByteArray out = toCp1251(text);
    for (char& b : out)
        b = kvByte(static_cast<unsigned char>(b));
    return out;
}

QByteArray kvFileBytes(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray out(size, Qt::Uninitialized);
    char* p = out.data();
    for (const QString& line : lines) {
        forEachCodePoint(line, [&p](char32_t ch) {
            const int code = cp1251Code(ch);
            *p++ = code < 0 ? kUnknown : kvByte(static_cast<unsigned char>(code));
        });
        *p++ = '\r';
        *p++ = '\n';
    }
    out.truncate(p - out.constData());
    return out;
}
