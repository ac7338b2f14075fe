// Conversions between the raw bytes that files and cells hold and the text that widgets show.
#pragma once

#include <QByteArray>
#include <QString>

// Valid UTF-8 is shown as such; any other byte sequence one character per byte, so that
// nothing read from a file is ever lost on its way to the screen.
QString bytesToText(const QByteArray &bytes);

// Text typed into the program is stored as UTF-8. A text equal to what bytesToText shows
// for `original` gives back `original` itself, so unchanged values keep their exact bytes.
QByteArray textToBytes(const QString &text, const QByteArray &original = QByteArray());
