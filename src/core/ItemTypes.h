// The nine form item types, their codes and display names, and the grid columns of an item row.
#pragma once

#include <QByteArray>
#include <QString>

enum ItemType : short {
    ItemLabel = 0,
    ItemTextField = 1,
    ItemPasswordField = 2,
    ItemHiddenField = 3,
    ItemTextArea = 4,
    ItemSelection = 5,
    ItemCheckbox = 6,
    ItemRadioButton = 7,
    ItemImage = 8,
};

// Columns of an item row; column 0 holds the type's display name.
enum ItemColumn : int {
    ColType = 0,
    ColName = 1,
    ColDefault = 2,
    ColLabel = 3,
    ColCols = 4,
    ColRows = 5,
    ColMax = 6,
    ColOther = 7,
};
constexpr int ItemColumnCount = 8;

// Display name of a type code; the empty text for any code outside 0 to 8.
QString ItemTypeName(int itemtype);

// Type code of a display name, compared exactly; -1 for any other text.
int ItemTypeCode(const QString &name);
int ItemTypeCode(const QByteArray &name);

// The header captions of the item grid, column 0 to 7.
QString ItemColumnCaption(int column);

// The state texts that item dialogs store and the generator tests exactly.
namespace ItemState {
inline const char AllowMultiple[] = "Allow multiple selections";
inline const char DisallowMultiple[] = "Disallow multiple selections";
inline const char Checked[] = "Checked";
inline const char Unchecked[] = "Unchecked";
inline const char On[] = "On";
inline const char Off[] = "Off";
} // namespace ItemState
