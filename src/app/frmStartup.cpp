#include "frmStartup.h"

#include "AppInfo.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *boldLabel(const QString &text, qreal points, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

frmStartup::frmStartup(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmStartup"));
    setWindowTitle(QString());

    auto *fraStartup = new QFrame(this);
    fraStartup->setObjectName(QStringLiteral("fraStartup"));
    fraStartup->setFrameShape(QFrame::Box);

    auto *imgLogo = new QLabel(fraStartup);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QIcon(QStringLiteral(":/icons/tabrino.svg")).pixmap(96, 96));

    lblProductName = boldLabel(AppInfo::Title, 26.25, "lblProductName", fraStartup);
    lblVersion =
        boldLabel(tr("Version %1").arg(AppInfo::versionText()), 15.75, "lblVersion", fraStartup);
    lblPlatform = boldLabel(platformText(), 12, "lblPlatform", fraStartup);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblProductName);
    texts->addWidget(lblVersion);
    texts->addStretch();
    texts->addWidget(lblPlatform);
    auto *inner = new QHBoxLayout(fraStartup);
    inner->setContentsMargins(24, 24, 32, 24);
    inner->setSpacing(24);
    inner->addWidget(imgLogo, 0, Qt::AlignTop);
    inner->addLayout(texts);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(fraStartup);

    tmrUnload = new QTimer(this);
    tmrUnload->setObjectName(QStringLiteral("tmrUnload"));
    tmrUnload->setSingleShot(true);
    connect(tmrUnload, &QTimer::timeout, this, &frmStartup::tmrUnload_Timer);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmStartup::startTimer(int milliseconds)
{
    tmrUnload->start(milliseconds);
}

void frmStartup::tmrUnload_Timer()
{
    m_timeUp = true;
    close();
}

void frmStartup::keyPressEvent(QKeyEvent *event)
{
    // Escape and Enter would close a dialog; this screen takes no keys at all.
    event->accept();
}

void frmStartup::closeEvent(QCloseEvent *event)
{
    if (!m_timeUp) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString frmStartup::platformText()
{
#if defined(Q_OS_LINUX)
    const QString system = QStringLiteral("Linux");
#elif defined(Q_OS_FREEBSD)
    const QString system = QStringLiteral("FreeBSD");
#else
    const QString system = QStringLiteral("Unix");
#endif
    return tr("%1 %2-bit").arg(system, QString::number(QT_POINTER_SIZE * 8));
}
