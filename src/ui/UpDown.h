// An up-down control attached to a text box: its arrows step the number in the box by 1
// within [minimum, maximum] and keep the box's text in step.
#pragma once

#include <QWidget>

class QLineEdit;

class UpDown : public QWidget
{
    Q_OBJECT

public:
    UpDown(QLineEdit *buddy, int minimum, int maximum, int value, QWidget *parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // The number in the buddy box, read the way CheckRange reads it, clamped.
    int value() const;
    // Steps the box's number by `steps`, clamped to the range, and writes it into the box.
    void stepBy(int steps);
    // On leaving the box: its text brought within the range by CheckRange, written back
    // only when that changes it.
    void clampBuddy();

protected:
    // The Up and Down keys in the buddy box step the number, as on a spin box.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_buddy;
    int m_minimum;
    int m_maximum;
};
