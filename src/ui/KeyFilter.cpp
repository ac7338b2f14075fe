// The key filter, the leading-number reading and the range check of the text boxes.
#include "KeyFilter.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int CodeBackspace = 8;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool passes(const QString &text, int mode)
{
    for (const QChar c : text) {
        if (FilterKey(c.unicode(), mode) == 0)
            return false;
    }
    return true;
}

// Hooked into a text box: drops every key press whose character FilterKey refuses.
class KeyPressFilter : public QObject
{
public:
    KeyPressFilter(int mode, QObject *parent) : QObject(parent), m_mode(mode)
    {
        setObjectName(QStringLiteral("keyFilter"));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return refuses(static_cast<const QKeyEvent *>(event));
        if (event->type() == QEvent::InputMethod)
            filterCommit(static_cast<QInputMethodEvent *>(event));
        return QObject::eventFilter(watched, event);
    }

private:
    bool refuses(const QKeyEvent *event) const
    {
        // Keys that type no character (arrows, Home, Delete, Enter, Tab, Esc, function
        // keys) are not typed text: they keep editing, moving and closing the dialog.
        const int key = event->key();
        if (key >= Qt::Key_Escape && key < Qt::Key_unknown)
            return false;
        const QString text = event->text();
        return !text.isEmpty() && !passes(text, m_mode);
    }

    // Text composed through an input method (dead keys, compose) is typed text as well.
    void filterCommit(QInputMethodEvent *event) const
    {
        const QString commit = event->commitString();
        QString kept;
        for (const QChar c : commit) {
            if (FilterKey(c.unicode(), m_mode) != 0)
                kept.append(c);
        }
        if (kept != commit)
            event->setCommitString(kept, event->replacementStart(), event->replacementLength());
    }

    int m_mode;
};

} // namespace

int FilterKey(int keyAscii, int mode)
{
    if (keyAscii == CodeBackspace)
        return keyAscii;
    if (mode == FilterFileName && (keyAscii == '*' || keyAscii == '?'))
        return 0;
    if (mode == FilterNumber && (keyAscii < '0' || keyAscii > '9'))
        return 0;
    if (keyAscii > 126)
        return 0;
    return keyAscii;
}

double LeadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    double sign = 1.0;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        if (text.at(i) == QLatin1Char('-'))
            sign = -1.0;
        ++i;
    }
    // Summed digit by digit rather than parsed, so the reading never depends on the
    // locale's decimal point and an overlong number simply becomes very large.
    double value = 0.0;
    for (; i < n && isAsciiDigit(text.at(i)); ++i)
        value = value * 10.0 + (text.at(i).unicode() - '0');
    if (i < n && text.at(i) == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < n && isAsciiDigit(text.at(i)); ++i, scale /= 10.0)
            value += (text.at(i).unicode() - '0') * scale;
    }
    return sign * value;
}

QString CheckRange(const QString &text, int minimum, int maximum)
{
    const double value = LeadingNumber(text);
    if (value < double(minimum))
        return QString::number(minimum);
    if (value > double(maximum))
        return QString::number(maximum);
    return text;
}

void InstallKeyFilter(QLineEdit *box, int mode)
{
    box->installEventFilter(new KeyPressFilter(mode, box));
}

void InstallKeyFilter(QComboBox *box, int mode)
{
    if (QLineEdit *edit = box->lineEdit())
        InstallKeyFilter(edit, mode);
}
