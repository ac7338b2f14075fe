// The result of a core operation as the user sees it: what happened, the exact message
// and the icon of its message box. The window layer shows it; the converter prints it.
#pragma once

#include <QString>

enum class MessageIcon { None, Critical, Exclamation, Question, Information };

struct Outcome
{
    enum Result { Written, Refused, Failed };

    Result result = Written;
    QString message; // empty when nothing is to be shown
    MessageIcon icon = MessageIcon::None;

    bool ok() const { return result == Written; }

    static Outcome written(const QString &message = QString())
    {
        return {Written, message, message.isEmpty() ? MessageIcon::None : MessageIcon::Information};
    }
    static Outcome refused(const QString &message, MessageIcon icon)
    {
        return {Refused, message, icon};
    }
    static Outcome failed(const QString &message, MessageIcon icon = MessageIcon::Critical)
    {
        return {Failed, message, icon};
    }
};

// Messages name files in square brackets and put the reason on a second line after CR LF.
inline const QString CrLf = QStringLiteral("\r\n");
