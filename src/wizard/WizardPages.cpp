// The Quick Start Wizard's controls and layout: the picture, the four pages and the row of
// buttons, each control named as the handlers and tests know it.
#include "frmWizard.h"

#include "ui/KeyFilter.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

const QSize PictureSize(118, 252);

QLabel *createLabel(const char *name, const QString &text, QWidget *page)
{
    auto *label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QCheckBox *createCheckBox(const char *name, const QString &caption, bool checked, QWidget *page)
{
    auto *box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QPixmap wizardPicture(qreal ratio)
{
    QPixmap pixmap(PictureSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/wizard/wizard.svg"));
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(QPointF(0, 0), PictureSize));
    return pixmap;
}

} // namespace

frmWizard::frmWizard(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmWizard"));
    setModal(true);
    setSizeGripEnabled(false);

    imgSplash = new QLabel(this);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    imgSplash->setFixedSize(PictureSize);
    imgSplash->setPixmap(wizardPicture(devicePixelRatioF()));

    const WizardAnswers defaults;
    picStep = new QStackedWidget(this);
    picStep->setObjectName(QStringLiteral("picStep"));
    picStep->addWidget(createPage1());
    picStep->addWidget(createPage2(defaults));
    picStep->addWidget(createPage3(defaults));
    picStep->addWidget(createPage4(defaults));
    // The pages share one width: enough for the longest caption on one line (up to a
    // limit), so the wrapped texts break at the same place on every page.
    int width = 360;
    for (const QCheckBox *box : picStep->findChildren<QCheckBox *>())
        width = qMax(width, box->sizeHint().width());
    for (const QLabel *label : picStep->findChildren<QLabel *>())
        width = qMax(width, qMin(440, label->fontMetrics().horizontalAdvance(label->text()) + 4));
    picStep->setFixedWidth(width);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(imgSplash, 0, Qt::AlignTop);
    top->addWidget(picStep);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(createButtons());

    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &frmWizard::cmdHelp_Click);

    Form_Load();
}

QPushButton *frmWizard::createButton(const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // No default button: Enter in a text box must not finish or cancel the wizard.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget *frmWizard::createButtons()
{
    cmdHelp = createButton("cmdHelp", tr("&Help"));
    cmdBack = createButton("cmdBack", tr("< &Back"));
    cmdNext = createButton("cmdNext", tr("&Next >"));
    cmdFinish = createButton("cmdFinish", tr("&Finish"));
    cmdCancel = createButton("cmdCancel", tr("Cancel"));
    connect(cmdHelp, &QPushButton::clicked, this, &frmWizard::cmdHelp_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmWizard::cmdBack_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmWizard::cmdNext_Click);
    connect(cmdFinish, &QPushButton::clicked, this, &frmWizard::cmdFinish_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWizard::cmdCancel_Click);

    auto *row = new QWidget(this);
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdNext);
    buttons->addSpacing(12);
    buttons->addWidget(cmdFinish);
    buttons->addWidget(cmdCancel);
    return row;
}

QLineEdit *frmWizard::createTextBox(const char *name, const QString &text, int filterMode,
                                    QWidget *page)
{
    auto *box = new QLineEdit(text, page);
    box->setObjectName(QLatin1String(name));
    InstallKeyFilter(box, filterMode);
    return box;
}

QWidget *frmWizard::createPage1()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("picStep1"));
    lblWizardInfo = createLabel("lblWizardInfo", QString(), page);
    setTextColour(lblWizardInfo, QColor(0, 0, 128));
    lblWarning = createLabel("lblWarning", QString(), page);
    setTextColour(lblWarning, QColor(255, 0, 0));
    QFont bold = lblWarning->font();
    bold.setBold(true);
    lblWarning->setFont(bold);
    lblWarning->setVisible(false);
    chkDisplayWizard = createCheckBox("chkDisplayWizard", QString(), true, page);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(lblWizardInfo);
    layout->addWidget(lblWarning);
    layout->addStretch();
    layout->addWidget(chkDisplayWizard);
    return page;
}

QWidget *frmWizard::createPage2(const WizardAnswers &defaults)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("picStep2"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        createLabel("lblCGI", tr("The location of the CGI script on the server:"), page));
    txtCGI = createTextBox("txtCGI", defaults.CGIFile, FilterFileName, page);
    layout->addWidget(txtCGI);
    layout->addSpacing(8);
    layout->addWidget(createLabel(
        "lblRecipient", tr("Enter the E-mail address to which the form results should be sent:"),
        page));
    txtRecipient = createTextBox("txtRecipient", defaults.Recipient, FilterText, page);
    layout->addWidget(txtRecipient);
    layout->addSpacing(8);
    layout->addWidget(
        createLabel("lblSubject", tr("Enter the subject of the sent E-mails:"), page));
    txtSubject = createTextBox("txtSubject", defaults.Subject, FilterText, page);
    layout->addWidget(txtSubject);
    layout->addSpacing(12);
    chkEnvReport = createCheckBox(
        "chkEnvReport", tr("Send extended information about the user (e.g. web browser)."),
        defaults.EnvReport, page);
    layout->addWidget(chkEnvReport);
    layout->addStretch();
    return page;
}

QWidget *frmWizard::createPage3(const WizardAnswers &defaults)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("picStep3"));
    const QString collect[3] = {tr("Name."), tr("E-mail address."), tr("Date of birth.")};
    const QString required[3] = {tr("Must be filled in."), tr("Valid address must be given."),
                                 tr("Must be filled in.")};
    auto *fields = new QGridLayout;
    fields->setContentsMargins(12, 0, 0, 0);
    fields->setHorizontalSpacing(16);
    fields->setColumnStretch(1, 1);
    for (int i = 0; i < 3; ++i) {
        chkCollect[i] = createCheckBox(qPrintable(QStringLiteral("chkCollect%1").arg(i)),
                                       collect[i], defaults.Collect[i], page);
        chkRequired[i] = createCheckBox(qPrintable(QStringLiteral("chkRequired%1").arg(i)),
                                        required[i], defaults.Required[i], page);
        chkRequired[i]->setEnabled(defaults.Collect[i]);
        fields->addWidget(chkCollect[i], i, 0);
        fields->addWidget(chkRequired[i], i, 1);
        connect(chkCollect[i], &QCheckBox::toggled, this, [this, i] { chkCollect_Click(i); });
    }
    chkError = createCheckBox("chkError",
                              tr("Display a custom error page if a required field is missing."),
                              defaults.Error, page);
    connect(chkError, &QCheckBox::toggled, this, &frmWizard::chkError_Click);
    txtErrorURL = createTextBox("txtErrorURL", defaults.ErrorURL, FilterFileName, page);
    txtErrorURL->setEnabled(defaults.Error);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createLabel(
        "lblCollectInfo",
        tr("These items will be requested from the person filling out your form:"), page));
    layout->addLayout(fields);
    layout->addSpacing(12);
    layout->addWidget(chkError);
    layout->addWidget(createLabel("lblErrorURL", tr("URL of custom error page:"), page));
    layout->addWidget(txtErrorURL);
    layout->addStretch();
    return page;
}

QWidget *frmWizard::createPage4(const WizardAnswers &defaults)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("picStep4"));
    chkRedirect =
        createCheckBox("chkRedirect", tr("Show a custom page after the form has been submitted."),
                       defaults.Redirect, page);
    connect(chkRedirect, &QCheckBox::toggled, this, &frmWizard::chkRedirect_Click);
    txtReturnURL = createTextBox("txtReturnURL", defaults.ReturnURL, FilterFileName, page);
    txtReturnTitle = createTextBox("txtReturnTitle", defaults.ReturnTitle, FilterText, page);
    txtRedirectURL = createTextBox("txtRedirectURL", defaults.RedirectURL, FilterFileName, page);
    txtReturnURL->setEnabled(!defaults.Redirect);
    txtReturnTitle->setEnabled(!defaults.Redirect);
    txtRedirectURL->setEnabled(defaults.Redirect);
    lblFinished = createLabel("lblFinished", tr("Click Finish to create the form."), page);
    lblFinished->setWordWrap(false);
    setTextColour(lblFinished, QColor(0, 0, 128));

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chkRedirect);
    layout->addSpacing(8);
    layout->addWidget(createLabel(
        "lblReturnURL", tr("URL to link back to your site after form submission:"), page));
    layout->addWidget(txtReturnURL);
    layout->addWidget(
        createLabel("lblReturnTitle", tr("The description of the above link:"), page));
    layout->addWidget(txtReturnTitle);
    layout->addSpacing(8);
    layout->addWidget(
        createLabel("lblRedirectURL", tr("The URL to display after form submission:"), page));
    layout->addWidget(txtRedirectURL);
    layout->addStretch();
    layout->addWidget(lblFinished, 0, Qt::AlignRight);
    return page;
}
