#include "ItemTypes.h"

namespace {
const char *const TypeNames[] = {"Label",        "Text Field",   "Password Field",
                                 "Hidden Field", "Text Area",    "Selection",
                                 "Checkbox",     "Radio Button", "Image"};
const char *const ColumnCaptions[] = {"Type", "Name", "Default", "Label",
                                      "Cols", "Rows", "Max.",    "Other"};
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
    return QString::fromLatin1(ColumnCaptions[column]);
}
