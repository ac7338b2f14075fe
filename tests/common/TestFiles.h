// File helpers and the order form shared by the core and end-to-end tests.
#pragma once

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace TestFiles {

// The bytes of the file named by exactly the bytes `path`, which QString could not carry
// when they are not UTF-8; empty when it cannot be read.
inline QByteArray readNative(const QByteArray &path)
{
    QFile file;
    std::FILE *stream = std::fopen(path.constData(), "rb");
    if (!stream)
        return QByteArray();
    const QByteArray bytes = file.open(stream, QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    std::fclose(stream);
    return bytes;
}

// The bytes of `path`; empty when it cannot be read.
inline QByteArray read(const QString &path)
{
    return readNative(QFile::encodeName(path));
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every line followed by `lineEnd`: the shape of the files the program writes.
inline QByteArray joined(const QByteArrayList &lines, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + lineEnd;
    return bytes;
}

// The plain files in `dir`, hidden ones too: a temporary file left by a failed write shows.
inline QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace TestFiles

// The order form the conversion tests convert; its block and new page, written by hand.
namespace OrderForm {

inline const QByteArray ShortStart = "<!-- FORM_START_CMD -->";
inline const QByteArray ShortEnd = "<!-- FORM_END_CMD -->";
inline const QByteArrayList Props{
    "", "/cgi-bin/order.pl", "False", "application/x-www-form-urlencoded", "Send", "Clear"};
inline const QByteArrayList Cells{"Label",      "",         "", "Order form", "",   "", "",   "",
                                  "Text Field", "fullname", "", "Your name:", "30", "", "40", ""};
inline const QByteArrayList Block{
    "<!-- FORM_START_CMD: Do NOT edit or remove this line. -->",
    "<FORM ACTION=\"/cgi-bin/order.pl\" METHOD=\"POST\">",
    "<BR><B>Order form</B><BR>",
    "Your name:",
    "<INPUT Type=\"text\" Name=\"fullname\" Size=\"30\" Maxlength=\"40\" Value=\"\"><BR>",
    "<BR><INPUT Type=\"Submit\" Value=\"Send\">",
    "<INPUT Type=\"Reset\" Value=\"Clear\">",
    "</FORM>",
    "<!-- FORM_END_CMD: Do NOT edit or remove this line. -->",
};
inline const QByteArray NewPage =
    TestFiles::joined(QByteArrayList{"<HTML>", "<HEAD>", "<TITLE>Form created with Tabrino</TITLE>",
                                     "</HEAD>", "<BODY>"} +
                      Block + QByteArrayList{"</BODY>", "</HTML>"});

inline QByteArray wfm(const QByteArray &outputFile)
{
    return TestFiles::joined(QByteArrayList{outputFile} + Props.mid(1) + Cells +
                             QByteArrayList{"[EOF]"});
}

} // namespace OrderForm
