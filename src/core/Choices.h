// The choice list of a Selection item: every choice followed by "|", the last one included.
#pragma once

#include <QByteArray>
#include <QList>

QByteArray EncodeChoices(const QList<QByteArray> &choices);

// One choice per "|"; two adjacent delimiters give an empty choice, and text after the
// last "|" (or a text without any) is not a choice.
QList<QByteArray> DecodeChoices(const QByteArray &list);

inline constexpr char ChoiceDelimiter = '|';
