#include "TextBytes.h"

#include <QFile>
#include <QStringDecoder>

namespace {

constexpr char32_t FirstShownReference = 0xA0; // 0x80-0x9F mean windows-1252 to browsers
constexpr char32_t LastCodePoint = 0x10FFFF;

bool isSurrogate(char32_t code)
{
    return code >= 0xD800 && code <= 0xDFFF;
}

// The value of an ASCII digit in `base` (10 or 16), or -1.
int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (base == 16 && u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (base == 16 && u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The code point of the reference "&#N;" or "&#xH;" that starts at `at`, its length put in
// `length`; 0 when there is none there or it names no character to show.
char32_t referenceAt(const QString &text, qsizetype at, qsizetype &length)
{
    constexpr qsizetype MaxDigits = 8; // keeps the value within 32 bits
    if (text.mid(at, 2) != QLatin1String("&#"))
        return 0;
    qsizetype i = at + 2;
    const bool hex =
        i < text.size() && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'));
    const int base = hex ? 16 : 10;
    if (hex)
        ++i;
    const qsizetype digitsStart = i;
    char32_t code = 0;
    for (int digit; i < text.size() && i - digitsStart < MaxDigits &&
                    (digit = digitValue(text.at(i), base)) >= 0;
         ++i)
        code = code * base + char32_t(digit);
    if (i == digitsStart || i >= text.size() || text.at(i) != QLatin1Char(';'))
        return 0;
    if (code < FirstShownReference || code > LastCodePoint || isSurrogate(code))
        return 0;
    length = i + 1 - at;
    return code;
}

} // namespace

QString decodeBytes(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QString bytesToText(const QByteArray &bytes)
{
    const QString raw = decodeBytes(bytes);
    if (!raw.contains(QLatin1String("&#")))
        return raw;
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        qsizetype length = 0;
        const char32_t code = referenceAt(raw, i, length);
        if (code == 0) {
            text.append(raw.at(i++));
            continue;
        }
        text.append(QString::fromUcs4(&code, 1));
        i += length;
    }
    return text;
}

QByteArray textToBytes(const QString &text, const QByteArray &original)
{
    if (!original.isEmpty() && bytesToText(original) == text)
        return original;
    QByteArray bytes;
    bytes.reserve(text.size());
    // toUcs4 joins surrogate pairs and turns a lone surrogate into U+FFFD.
    for (const char32_t code : text.toUcs4()) {
        if (code < 0x80)
            bytes.append(char(code));
        else
            bytes.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return bytes;
}

QByteArray textToFileName(const QString &text, const QByteArray &original)
{
    if (!original.isEmpty() && decodeBytes(original) == text)
        return original;
    return QFile::encodeName(text);
}
