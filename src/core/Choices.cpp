#include "Choices.h"

QByteArray EncodeChoices(const QList<QByteArray> &choices)
{
    QByteArray list;
    for (const QByteArray &choice : choices) {
        list.append(choice);
        list.append(ChoiceDelimiter);
    }
    return list;
}

QList<QByteArray> DecodeChoices(const QByteArray &list)
{
    QList<QByteArray> choices;
    qsizetype start = 0;
    for (qsizetype end = list.indexOf(ChoiceDelimiter); end >= 0;
         end = list.indexOf(ChoiceDelimiter, start)) {
        choices.append(list.mid(start, end - start));
        start = end + 1;
    }
    return choices;
}
