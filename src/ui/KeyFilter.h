// The key filter and the numeric range check that every text box of the program uses.
#pragma once

#include <QString>

class QLineEdit;
class QComboBox;

enum FilterMode {
    FilterFileName = 0, // refuses "*" and "?", and every code above 126
    FilterNumber = 1,   // refuses everything but the digits 0 to 9, and every code above 126
    FilterText = 2,     // refuses every code above 126
};

// The code of a typed character, or 0 to swallow it. Backspace (8) always passes.
int FilterKey(int keyAscii, int mode);

// The value of the number at the start of `text`: optional leading blanks, an optional
// sign, digits and an optional decimal part; anything else ends it. No number reads as 0.
double LeadingNumber(const QString &text);

// The box's text when its leading number lies within [minimum, maximum]; otherwise the
// nearest bound as decimal text. A text without a leading number reads as 0.
QString CheckRange(const QString &text, int minimum, int maximum);

// Filters every character typed into `box` (key presses, not pasted text).
void InstallKeyFilter(QLineEdit *box, int mode);
void InstallKeyFilter(QComboBox *box, int mode); // an editable combo box
