// Conversions between the raw bytes that files and cells hold and the text that widgets show.
#pragma once

#include <QByteArray>
#include <QString>

// Bytes as a file holds them: valid UTF-8 is shown as such, any other byte sequence one
// character per byte, so that nothing read from a file is ever lost on its way to the screen.
QString decodeBytes(const QByteArray &bytes);

// A stored value as the grid and the dialogs show it: decodeBytes, with every numeric
// character reference to a character beyond ASCII ("&#243;", "&#xF3;") shown as that
// character. References to ASCII characters stay as they are: a label's "&#60;" must not
// come back as a "<" that would then be stored as markup.
QString bytesToText(const QByteArray &bytes);

// Typed text as it is stored: ASCII as typed, every other character as a numeric character
// reference ("ó" becomes "&#243;"), which a page of any character set shows right and a
// browser submits in the page's own encoding. A text equal to what bytesToText shows for
// `original` gives back `original` itself, so unchanged values keep their exact bytes.
QByteArray textToBytes(const QString &text, const QByteArray &original = QByteArray());

// A typed file name as the file system knows it (UTF-8); an unchanged name keeps `original`.
QByteArray textToFileName(const QString &text, const QByteArray &original = QByteArray());
