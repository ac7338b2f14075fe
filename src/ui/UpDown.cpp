// The up-down control: two small arrow buttons beside a text box that step its number.
#include "UpDown.h"

#include "KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, const char *name, int height, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Like a spin box's arrows: clicked with the mouse, never a stop of the Tab key.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(qMax(14, height * 3 / 4), height);
    return button;
}

} // namespace

UpDown::UpDown(QLineEdit *buddy, int minimum, int maximum, int value, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    const int half = qMax(8, buddy->sizeHint().height() / 2);
    auto *up = arrowButton(Qt::UpArrow, "up", half, this);
    auto *down = arrowButton(Qt::DownArrow, "down", half, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    m_buddy->setText(QString::number(qBound(minimum, value, maximum)));
    m_buddy->installEventFilter(this);
}

int UpDown::value() const
{
    // Clamped while still a real number, so an overlong number cannot overflow an int.
    const double number =
        qBound(double(m_minimum), LeadingNumber(m_buddy->text()), double(m_maximum));
    return int(number);
}

void UpDown::clampBuddy()
{
    const QString checked = CheckRange(m_buddy->text(), m_minimum, m_maximum);
    if (checked != m_buddy->text())
        m_buddy->setText(checked);
}

void UpDown::stepBy(int steps)
{
    const int next = int(qBound(qint64(m_minimum), qint64(value()) + steps, qint64(m_maximum)));
    m_buddy->setText(QString::number(next));
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
