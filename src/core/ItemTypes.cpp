#include "ItemTypes.h"

#include <QCoreApplication>

namespace {
// The type names are also words of the file format (column 0 of every item), so they are
// shown as they are stored and not translated.
const char *const TypeNames[] = {"Label",        "Text Field",   "Password Field",
                                 "Hidden Field", "Text Area",    "Selection",
                                 "Checkbox",     "Radio Button", "Image"};
// The column captions are only shown, and translated where they are.
const char *const ColumnCaptions[] = {
    QT_TRANSLATE_NOOP("ItemGrid", "Type"),    QT_TRANSLATE_NOOP("ItemGrid", "Name"),
    QT_TRANSLATE_NOOP("ItemGrid", "Default"), QT_TRANSLATE_NOOP("ItemGrid", "Label"),
    QT_TRANSLATE_NOOP("ItemGrid", "Cols"),    QT_TRANSLATE_NOOP("ItemGrid", "Rows"),
    QT_TRANSLATE_NOOP("ItemGrid", "Max."),    QT_TRANSLATE_NOOP("ItemGrid", "Other")};
constexpr int TypeCount = int(sizeof(TypeNames) / sizeof(TypeNames[0]));
} // namespace

QString ItemTypeName(int itemtype)
{
    if (itemtype < 0 || itemtype >= TypeCount)
        return QString();
    return QString::fromLatin1(TypeNames[itemtype]);
}

int ItemTypeCode(const QByteArray &name)
{
    for (int code = 0; code < TypeCount; ++code) {
        if (name == TypeNames[code])
            return code;
    }
    return -1;
}

int ItemTypeCode(const QString &name)
{
    return ItemTypeCode(name.toUtf8());
}

QString ItemColumnCaption(int column)
{
    if (column < 0 || column >= ItemColumnCount)
        return QString();
    return QCoreApplication::translate("ItemGrid", ColumnCaptions[column]);
}
