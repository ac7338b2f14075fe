#include "TextBytes.h"

#include <QStringDecoder>

QString bytesToText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QByteArray textToBytes(const QString &text, const QByteArray &original)
{
    if (!original.isEmpty() && bytesToText(original) == text)
        return original;
    return text.toUtf8();
}
