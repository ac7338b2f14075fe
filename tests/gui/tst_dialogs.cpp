// The modal dialogs and their input checks: the key filter and the range check, the
// result protocol with its refusal of an empty name, the per-type preparation, the List
// Editor, the choice box coding, the properties dialog and F1 help.
#include "GuiTestSupport.h"

#include "app/HelpWindow.h"
#include "editor/KeyFilter.h"
#include "editor/UpDown.h"
#include "editor/frmEditField.h"
#include "editor/frmEditImage.h"
#include "editor/frmEditSwitch.h"
#include "html/frmEditList.h"
#include "html/frmEditSelect.h"
#include "html/frmProperties.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace GuiTest;

namespace {

const QString NameWarning = QStringLiteral("Please specify the item name.");
const QString AddPrompt = QStringLiteral("Enter choice to add to the list:");

// A dialog of the given kind; the properties dialog reads the record of `form`.
std::unique_ptr<ModalDialog> makeDialog(const QString &kind, frmWebForm *form = nullptr)
{
    if (kind == QLatin1String("field"))
        return std::make_unique<frmEditField>();
    if (kind == QLatin1String("switch"))
        return std::make_unique<frmEditSwitch>();
    if (kind == QLatin1String("image"))
        return std::make_unique<frmEditImage>();
    if (kind == QLatin1String("select"))
        return std::make_unique<frmEditSelect>();
    if (kind == QLatin1String("list"))
        return std::make_unique<frmEditList>();
    return std::make_unique<frmProperties>(form);
}

// The text box `name` of `dialog`, or the edit part of the combo box of that name.
QLineEdit *box(QWidget *dialog, const QString &name)
{
    if (auto *combo = dialog->findChild<QComboBox *>(name))
        return combo->lineEdit();
    return dialog->findChild<QLineEdit *>(name);
}

// The input whose text the item dialogs check on OK.
QWidget *nameInput(ModalDialog *dialog)
{
    if (auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("cboItemName")))
        return combo;
    return dialog->findChild<QLineEdit *>(QStringLiteral("txtItemName"));
}

void setName(ModalDialog *dialog, const QString &name)
{
    QWidget *input = nameInput(dialog);
    if (auto *combo = qobject_cast<QComboBox *>(input))
        combo->setCurrentText(name);
    else
        static_cast<QLineEdit *>(input)->setText(name);
}

void click(QWidget *dialog, const char *button)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

// Types `text` key by key as a keyboard would; a letter beyond ASCII comes as the key of
// that letter carrying the letter as its text.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

bool showActive(QWidget *dialog)
{
    dialog->show();
    dialog->activateWindow();
    return QTest::qWaitForWindowActive(dialog);
}

// Runs `dialog` modally while `drive` works it; a guard closes it should `drive` fail to.
int execWhile(ModalDialog *dialog, std::function<void(ModalDialog *)> drive)
{
    whenModal<ModalDialog>(drive);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, dialog, [dialog] {
        dialog->Tag = QStringLiteral("GUARD");
        dialog->cmdCancel_Click();
    });
    guard.start(20000);
    return dialog->exec();
}

QStringList texts(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList texts(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// The offscreen platform notes every fixed-size window it shows; nothing to see here.
QtMessageHandler g_previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        g_previousHandler(type, context, message);
}

bool greyed(QWidget *label, QLineEdit *box)
{
    return !label->isEnabled() && !box->isEnabled() &&
           box->palette().color(QPalette::Base) == box->palette().color(QPalette::Button);
}

} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(quietHandler); }
    void init() { resetSettings(); }
    void cleanup()
    {
        HelpWindow::CloseHelp();
        closeFrame(m_frame);
    }

    void filterKey_data();
    void filterKey();
    void checkRange_data();
    void checkRange();
    void keysAreFilteredAsTyped_data();
    void keysAreFilteredAsTyped();
    void editingKeysKeepWorking();
    void numberBoxesAreCheckedOnLeaving_data();
    void numberBoxesAreCheckedOnLeaving();
    void upDownStepsWithinItsRange();
    void fieldGroupsGreyedPerType_data();
    void fieldGroupsGreyedPerType();
    void switchPreparation();
    void dialogsLookAndStart_data();
    void dialogsLookAndStart();
    void emptyNameIsRefused_data();
    void emptyNameIsRefused();
    void enterIsOkAndEscIsCancel_data();
    void enterIsOkAndEscIsCancel();
    void closeBoxCancelsUntilTheTagIsCleared();
    void imageBrowse();
    void listEditorAddAsksAgain();
    void listEditorDeleteMoveClear();
    void listEditorCancelAndOk();
    void choiceBoxCoding();
    void propertiesLoadAndStore();
    void propertiesDefaultCancelBrowse();
    void f1OpensTheDialogsTopic_data();
    void f1OpensTheDialogsTopic();

private:
    frmWebForm *startDocument()
    {
        m_frame = startFrame();
        return m_frame->activeForm();
    }

    std::unique_ptr<frmDesign> m_frame;
};

void tst_Dialogs::filterKey_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("expected");
    struct Key
    {
        const char *row;
        int code, fileName, number, text; // the result in modes 0, 1 and 2
    };
    const Key table[] = {
        {"backspace", 8, 8, 8, 8},    {"Ctrl+V", 22, 22, 0, 22},    {"blank", 32, 32, 0, 32},
        {"star", '*', 0, 0, '*'},     {"question", '?', 0, 0, '?'}, {"slash", '/', '/', 0, '/'},
        {"zero", '0', '0', '0', '0'}, {"nine", '9', '9', '9', '9'}, {"colon", ':', ':', 0, ':'},
        {"letter", 'a', 'a', 0, 'a'}, {"tilde", '~', '~', 0, '~'},  {"127", 127, 0, 0, 0},
        {"e acute", 0xE9, 0, 0, 0},
    };
    for (const Key &k : table) {
        QTest::addRow("%s 0", k.row) << k.code << int(FilterFileName) << k.fileName;
        QTest::addRow("%s 1", k.row) << k.code << int(FilterNumber) << k.number;
        QTest::addRow("%s 2", k.row) << k.code << int(FilterText) << k.text;
    }
}

void tst_Dialogs::filterKey()
{
    QFETCH(int, code);
    QFETCH(int, mode);
    QFETCH(int, expected);
    QCOMPARE(FilterKey(code, mode), expected);
}

void tst_Dialogs::checkRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << "0" << 255 << "1";
    QTest::newRow("above") << "300" << 255 << "255";
    QTest::newRow("empty") << "" << 255 << "1";
    QTest::newRow("within") << "12" << 255 << "12";
    QTest::newRow("leading zeros kept") << "007" << 255 << "007";
    QTest::newRow("max length") << "40000" << 32767 << "32767";
    QTest::newRow("trailing letters") << "12abc" << 255 << "12abc";
    QTest::newRow("negative") << "-5" << 255 << "1";
    QTest::newRow("decimal kept") << "3.7" << 255 << "3.7";
    QTest::newRow("decimal above") << "255.5" << 255 << "255";
    QTest::newRow("decimal below") << ".5" << 255 << "1";
    QTest::newRow("leading blanks") << "  9" << 255 << "  9";
    QTest::newRow("plus sign") << "+9" << 255 << "+9";
    QTest::newRow("no number") << "abc" << 255 << "1";
    QTest::newRow("overlong") << QString(400, QLatin1Char('9')) << 255 << "255";
}

void tst_Dialogs::checkRange()
{
    QFETCH(QString, text);
    QFETCH(int, maximum);
    QFETCH(QString, expected);
    QCOMPARE(CheckRange(text, 1, maximum), expected);
}

void tst_Dialogs::keysAreFilteredAsTyped_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    struct Typing
    {
        const char *row, *kind, *boxName, *typed, *expected;
    };
    const Typing table[] = {
        {"letter into columns", "field", "txtItemColumns", "a", ""},
        {"digits into max length", "field", "txtItemMaxLength", "1x2 3", "123"},
        {"star into a name", "field", "txtItemName", "*a?", "*a?"},
        {"blanks into a default", "field", "txtItemDefault", " a b", " a b"},
        {"star into the image file", "image", "txtItemFile", "*", ""},
        {"file name", "image", "txtItemFile", "a*b?.gif", "ab.gif"},
        {"switch name", "switch", "cboItemName", "g*1", "g*1"},
        {"switch value", "switch", "txtItemValue", "?", "?"},
        {"selection rows", "select", "txtItemRows", "x9-", "9"},
        {"selection label", "select", "txtItemLabel", "Size?", "Size?"},
        {"output file", "properties", "txtOutputFile", "a?b", "ab"},
        {"CGI file", "properties", "txtCGIFile", "*/cgi", "/cgi"},
        {"submit text", "properties", "txtSubmit", "a?b*", "a?b*"},
        {"media type", "properties", "txtMediaType", "t/x?", "t/x?"},
        {"above 126 in a name", "field", "txtItemName", "caf\u00e9", "caf"},
        {"above 126 in a label", "image", "txtItemLabel", "\u00e9", ""},
        {"above 126 in a switch name", "switch", "cboItemName", "\u00e9", ""},
    };
    for (const Typing &t : table)
        QTest::newRow(t.row) << QString::fromLatin1(t.kind) << QString::fromLatin1(t.boxName)
                             << QString::fromUtf8(t.typed) << QString::fromLatin1(t.expected);
}

void tst_Dialogs::keysAreFilteredAsTyped()
{
    QFETCH(QString, kind);
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    frmWebForm *form = kind == QLatin1String("properties") ? startDocument() : nullptr;
    auto dialog = makeDialog(kind, form);
    QVERIFY(showActive(dialog.get()));
    QLineEdit *edit = box(dialog.get(), boxName);
    QVERIFY(edit);
    edit->clear();
    edit->setFocus();
    type(edit, typed);
    QCOMPARE(edit->text(), expected);
}

void tst_Dialogs::editingKeysKeepWorking()
{
    frmEditField dialog;
    QVERIFY(showActive(&dialog));
    QLineEdit *columns = dialog.txtItemColumns;
    columns->setFocus();
    columns->setText(QStringLiteral("123"));
    QTest::keyClick(columns, Qt::Key_Home);
    QTest::keyClick(columns, Qt::Key_Delete);
    QTest::keyClick(columns, Qt::Key_End);
    QTest::keyClick(columns, Qt::Key_Left);
    QTest::keyClick(columns, Qt::Key_Backspace);
    QCOMPARE(columns->text(), QStringLiteral("3"));

    // Ctrl+V types the control character 22: refused in a numeric box, a paste elsewhere.
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    const auto ctrlV = [](QLineEdit *edit) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_V, QStringLiteral("\x16"),
                            Qt::ControlModifier);
    };
    ctrlV(columns);
    QCOMPARE(columns->text(), QStringLiteral("3"));
    dialog.txtItemName->setFocus();
    ctrlV(dialog.txtItemName);
    QCOMPARE(dialog.txtItemName->text(), QStringLiteral("77"));
}

void tst_Dialogs::numberBoxesAreCheckedOnLeaving_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    struct Leaving
    {
        const char *row, *kind, *boxName, *start, *typed, *expected;
    };
    const Leaving table[] = {
        {"columns 0", "field", "txtItemColumns", "40", "0", "1"},
        {"columns 300", "field", "txtItemColumns", "40", "300", "255"},
        {"columns empty", "field", "txtItemColumns", "40", "", "1"},
        {"columns 12", "field", "txtItemColumns", "40", "12", "12"},
        {"rows 007", "field", "txtItemRows", "4", "007", "007"},
        {"rows 256", "field", "txtItemRows", "4", "256", "255"},
        {"max length", "field", "txtItemMaxLength", "999", "40000", "32767"},
        {"selection rows 0", "select", "txtItemRows", "4", "0", "1"},
        {"selection rows 999", "select", "txtItemRows", "4", "999", "255"},
    };
    for (const Leaving &t : table)
        QTest::newRow(t.row) << QString::fromLatin1(t.kind) << QString::fromLatin1(t.boxName)
                             << QString::fromLatin1(t.start) << QString::fromLatin1(t.typed)
                             << QString::fromLatin1(t.expected);
}

void tst_Dialogs::numberBoxesAreCheckedOnLeaving()
{
    QFETCH(QString, kind);
    QFETCH(QString, boxName);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    auto dialog = makeDialog(kind);
    QVERIFY(showActive(dialog.get()));
    QLineEdit *edit = box(dialog.get(), boxName);
    QCOMPARE(edit->text(), start);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), typed); // nothing is checked while typing
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), expected);
}

void tst_Dialogs::upDownStepsWithinItsRange()
{
    frmEditField dialog;
    QVERIFY(showActive(&dialog));
    auto *up = dialog.udItemColumns->findChild<QToolButton *>(QStringLiteral("up"));
    auto *down = dialog.udItemColumns->findChild<QToolButton *>(QStringLiteral("down"));
    QVERIFY(up && down);
    QCOMPARE(up->focusPolicy(), Qt::NoFocus); // not a stop of the Tab key
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(dialog.txtItemColumns->text(), QStringLiteral("41"));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(dialog.txtItemColumns->text(), QStringLiteral("39"));
    dialog.txtItemColumns->setText(QStringLiteral("255"));
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(dialog.txtItemColumns->text(), QStringLiteral("255"));
    dialog.txtItemColumns->setText(QStringLiteral("1"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(dialog.txtItemColumns->text(), QStringLiteral("1"));
    dialog.txtItemMaxLength->setFocus();
    QTest::keyClick(dialog.txtItemMaxLength, Qt::Key_Up);
    QCOMPARE(dialog.txtItemMaxLength->text(), QStringLiteral("1000"));
    QCOMPARE(dialog.udItemMaxLength->value(), 1000);
}

void tst_Dialogs::fieldGroupsGreyedPerType_data()
{
    QTest::addColumn<int>("itemtype");
    QTest::addColumn<bool>("label");
    QTest::addColumn<bool>("columns");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<bool>("maxLength");
    QTest::newRow("text field") << 1 << false << false << true << false;
    QTest::newRow("password field") << 2 << false << false << true << false;
    QTest::newRow("hidden field") << 3 << true << true << true << true;
    QTest::newRow("text area") << 4 << false << false << false << true;
}

void tst_Dialogs::fieldGroupsGreyedPerType()
{
    QFETCH(int, itemtype);
    QFETCH(bool, label);
    QFETCH(bool, columns);
    QFETCH(bool, rows);
    QFETCH(bool, maxLength);
    frmEditField d;
    d.PrepareForm(itemtype);
    QVERIFY(!greyed(d.lblItemName, d.txtItemName));
    QVERIFY(!greyed(d.lblItemDefault, d.txtItemDefault));
    QCOMPARE(greyed(d.lblItemLabel, d.txtItemLabel), label);
    QCOMPARE(greyed(d.lblItemColumns, d.txtItemColumns), columns);
    QCOMPARE(greyed(d.lblItemRows, d.txtItemRows), rows);
    QCOMPARE(greyed(d.lblItemMaxLength, d.txtItemMaxLength), maxLength);
    QCOMPARE(d.udItemColumns->isEnabled(), !columns);
    QCOMPARE(d.udItemRows->isEnabled(), !rows);
    QCOMPARE(d.udItemMaxLength->isEnabled(), !maxLength);
    // A group that stays enabled keeps its ordinary background.
    if (!rows)
        QVERIFY(d.txtItemRows->palette().color(QPalette::Base) !=
                d.txtItemRows->palette().color(QPalette::Button));
}

void tst_Dialogs::switchPreparation()
{
    frmWebForm *form = startDocument();
    ItemGrid &grid = form->grid();
    const QList<QPair<QByteArray, QByteArray>> items = {
        {"Radio Button", "size"},   {"Checkbox", "extra"},    {"Radio Button", "colour"},
        {"Radio Button", "size"},   {"Text Field", "name"},   {"Radio Button", "Size"},
        {"Radio Button", "colour"}, {"Radio Button", "size "}};
    for (const auto &item : items) {
        grid.addRow(grid.rows(), item.first);
        grid.setText(grid.rows() - 1, ColName, item.second);
    }
    grid.removeRow(1); // the placeholder
    grid.setCurrentCell(4, ColLabel);

    frmEditSwitch d;
    d.PrepareForm(form, 7);
    QCOMPARE(texts(d.cboItemName),
             (QStringList{"size", "colour", "Size", "size "})); // exact comparison
    QCOMPARE(d.cboItemName->currentText(), QString());
    QCOMPARE(grid.currentRow(), 4);
    QCOMPARE(grid.currentColumn(), int(ColName));
    QVERIFY(grid.cellColour(4, ColName) != 0); // the highlight moved with the current cell
    QCOMPARE(grid.cellColour(4, ColLabel), quint32(0));
    QVERIFY(!greyed(d.lblItemValue, d.txtItemValue));

    // A typed name stays as typed: not completed, not matched to an entry blind to case.
    QVERIFY(showActive(&d));
    for (const QString &typed : {QStringLiteral("s"), QStringLiteral("SIZE")}) {
        d.cboItemName->setFocus();
        d.cboItemName->clearEditText();
        type(d.cboItemName->lineEdit(), typed);
        QTest::keyClick(d.cboItemName, Qt::Key_Tab);
        QCOMPARE(d.cboItemName->currentText(), typed);
    }

    // A checkbox greys out the value and offers no names.
    frmEditSwitch checkbox;
    checkbox.PrepareForm(form, 6);
    QVERIFY(greyed(checkbox.lblItemValue, checkbox.txtItemValue));
    QVERIFY(!greyed(checkbox.lblItemLabel, checkbox.txtItemLabel));
    QCOMPARE(checkbox.cboItemName->count(), 0);
    QCOMPARE(checkbox.chkItemDefault->text(), QStringLiteral("Default &state:"));
}

void tst_Dialogs::dialogsLookAndStart_data()
{
    // The inputs in Tab order from the first, which has the focus at the start; and each
    // label as "objectName=caption".
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("field")
        << QStringLiteral("field")
        << QStringList{"txtItemName",    "txtItemDefault", "txtItemLabel",
                       "txtItemColumns", "txtItemRows",    "txtItemMaxLength"}
        << QStringList{"lblItemName=&Name:",         "lblItemDefault=Default &entry:",
                       "lblItemLabel=&Label:",       "lblItemColumns=Display &columns:",
                       "lblItemRows=Display &rows:", "lblItemMaxLength=Maximum &length:"};
    QTest::newRow("switch")
        << QStringLiteral("switch")
        << QStringList{"cboItemName", "txtItemLabel", "txtItemValue", "chkItemDefault"}
        << QStringList{"lblItemName=&Name:", "lblItemLabel=&Label:", "lblItemValue=&Value:"};
    QTest::newRow("image") << QStringLiteral("image")
                           << QStringList{"txtItemName", "txtItemFile", "cmdBrowse", "txtItemLabel",
                                          "cboItemAlign"}
                           << QStringList{"lblItemName=&Name:", "lblItemFile=Source &file:",
                                          "lblItemLabel=&Label:", "lblItemAlign=&Alignment:"};
    QTest::newRow("select") << QStringLiteral("select")
                            << QStringList{"txtItemName",   "txtItemLabel", "txtItemRows",
                                           "cboItemSelect", "cmdEditList",  "chkItemMultiple"}
                            << QStringList{"lblItemName=&Name:", "lblItemLabel=&Label:",
                                           "lblItemRows=Display &rows:", "lblItemSelect=&Choices:"};
    QTest::newRow("properties") << QStringLiteral("properties")
                                << QStringList{"txtOutputFile", "cmdBrowse",    "txtCGIFile",
                                               "optMethod0",    "txtMediaType", "cmdDefault",
                                               "txtSubmit",     "txtReset"}
                                << QStringList{"lblOutputFile=Output &file:",
                                               "lblCGIFile=&CGI file:", "lblMediaType=Media &type:",
                                               "lblSubmit=&Submit text:", "lblReset=&Reset text:"};
    QTest::newRow("list") << QStringLiteral("list")
                          << QStringList{"lstChoices", "cmdAdd",      "cmdDelete",
                                         "cmdMoveUp",  "cmdMoveDown", "cmdClear"}
                          << QStringList{};
}

void tst_Dialogs::dialogsLookAndStart()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, tabOrder);
    QFETCH(QStringList, labels);
    frmWebForm *form = startDocument();
    auto dialog = makeDialog(kind, form);
    QCOMPARE(dialog->Tag, QStringLiteral("CANCEL"));
    QVERIFY(showActive(dialog.get()));
    QStringList reached{QApplication::focusWidget()->objectName()};
    while (reached.size() < tabOrder.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, tabOrder);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // then the buttons
    QVERIFY(QApplication::focusWidget()->objectName().startsWith(QLatin1String("cmd")));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize()); // fixed size
    QVERIFY(!dialog->isSizeGripEnabled());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    const QPoint offset = dialog->frameGeometry().center() - m_frame->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() < 8, "centred over the main frame");
    auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    QVERIFY(ok && cancel);
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    if (kind != QLatin1String("list"))
        QCOMPARE(dialog->findChild<QGroupBox *>(QStringLiteral("fraSettings"))->title(),
                 QStringLiteral("Settings"));
    for (const QString &entry : labels) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        auto *label = dialog->findChild<QLabel *>(name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), entry.section(QLatin1Char('='), 1));
        QVERIFY(label->buddy());
        // The access key moves the focus to the label's input; a key that two captions
        // share ("&Label:", "Maximum &length:") moves it there on the second press.
        const QChar key = label->text().at(label->text().indexOf(QLatin1Char('&')) + 1);
        for (int press = 0; press < 2 && QApplication::focusWidget() != label->buddy(); ++press)
            QTest::keyClick(dialog.get(), key.toLower().toLatin1(), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), label->buddy());
    }
}

void tst_Dialogs::emptyNameIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("field") << "field";
    QTest::newRow("switch") << "switch";
    QTest::newRow("image") << "image";
    QTest::newRow("select") << "select";
}

void tst_Dialogs::emptyNameIsRefused()
{
    QFETCH(QString, kind);
    auto dialog = makeDialog(kind);
    dialog->setWindowTitle(QStringLiteral("Insert item"));
    bool openAfterOk = false;
    QString tagAfterOk;
    bool focusOnName = false;
    execWhile(dialog.get(), [&](ModalDialog *d) {
        click(d, "cmdOK");
        openAfterOk = d->isVisible();
        tagAfterOk = d->Tag;
        QWidget *input = nameInput(d);
        focusOnName = d->focusWidget() == input || input->isAncestorOf(d->focusWidget());
        click(d, "cmdCancel");
    });
    QVERIFY(openAfterOk);
    QCOMPARE(tagAfterOk, QStringLiteral("CANCEL"));
    QVERIFY(focusOnName);
    QCOMPARE(Prompter::shown().size(), 1);
    QCOMPARE(Prompter::shown().constFirst().text, NameWarning);
    QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
    QCOMPARE(dialog->Tag, QStringLiteral("CANCEL"));
    QVERIFY(!dialog->isVisible());

    // Blanks count as a name; an OK after the refusal reports OK.
    Prompter::clearShown();
    execWhile(dialog.get(), [](ModalDialog *d) {
        click(d, "cmdOK");
        setName(d, QStringLiteral(" "));
        click(d, "cmdOK");
    });
    QCOMPARE(dialog->Tag, QStringLiteral("OK"));
    QCOMPARE(Prompter::shown().size(), 1);
}

void tst_Dialogs::enterIsOkAndEscIsCancel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("tag");
    for (const char *kind : {"field", "switch", "image", "select"}) {
        QTest::addRow("%s Enter", kind) << kind << int(Qt::Key_Return) << "OK";
        QTest::addRow("%s Esc", kind) << kind << int(Qt::Key_Escape) << "CANCEL";
    }
}

void tst_Dialogs::enterIsOkAndEscIsCancel()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    QFETCH(QString, tag);
    auto dialog = makeDialog(kind);
    setName(dialog.get(), QStringLiteral("n"));
    execWhile(dialog.get(), [key](ModalDialog *d) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    });
    QCOMPARE(dialog->Tag, tag);
    QVERIFY(Prompter::shown().isEmpty());
}

void tst_Dialogs::closeBoxCancelsUntilTheTagIsCleared()
{
    frmEditField dialog;
    dialog.txtItemName->setText(QStringLiteral("n"));
    dialog.txtItemColumns->setText(QStringLiteral("0"));
    // Enter in a numeric box leaves it: the check runs before the values are read.
    execWhile(&dialog, [&dialog](ModalDialog *) {
        dialog.txtItemColumns->setFocus();
        QTest::keyClick(dialog.txtItemColumns, Qt::Key_Return);
    });
    QCOMPARE(dialog.Tag, QStringLiteral("OK"));
    QCOMPARE(dialog.txtItemColumns->text(), QStringLiteral("1"));

    dialog.Tag = QStringLiteral("CANCEL");
    bool hiddenByCloseBox = false;
    execWhile(&dialog, [&](ModalDialog *d) {
        d->close();
        hiddenByCloseBox = !d->isVisible();
    });
    QVERIFY(hiddenByCloseBox);
    QCOMPARE(dialog.Tag, QStringLiteral("CANCEL"));

    // With the tag cleared by the caller, a close really closes.
    dialog.Tag.clear();
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);
    QVERIFY(dialog.close());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(finished.size(), 1);
}

void tst_Dialogs::imageBrowse()
{
    frmEditImage d;
    QCOMPARE(texts(d.cboItemAlign), (QStringList{"Top", "Middle", "Bottom"}));
    QCOMPARE(d.cboItemAlign->currentText(), QStringLiteral("Top"));
    QVERIFY(!d.cboItemAlign->isEditable());
    QCOMPARE(d.cmdBrowse->text(), QStringLiteral("&Browse..."));
    d.txtItemFile->setText(QStringLiteral("typed.gif"));
    Prompter::queueAnswer(QString()); // cancelled
    d.cmdBrowse_Click();
    QCOMPARE(d.txtItemFile->text(), QStringLiteral("typed.gif"));
    Prompter::queueAnswer(QStringLiteral("/pictures/logo.jpg"));
    d.cmdBrowse_Click();
    QCOMPARE(d.txtItemFile->text(), QStringLiteral("/pictures/logo.jpg"));
    QCOMPARE(Prompter::pendingAnswers(), 0);
}

void tst_Dialogs::listEditorAddAsksAgain()
{
    frmEditList d;
    QCOMPARE(d.windowTitle(), QStringLiteral("List Editor"));
    Prompter::queueAnswer(QStringLiteral("Red"));
    Prompter::queueAnswer(QStringLiteral("a|b"));
    Prompter::queueAnswer(int(QMessageBox::Ok)); // the warning about "|"
    Prompter::queueAnswer(QStringLiteral(" Green "));
    Prompter::queueAnswer(QString());
    d.cmdAdd_Click();
    QCOMPARE(texts(d.lstChoices), (QStringList{"Red", " Green "}));
    QCOMPARE(Prompter::pendingAnswers(), 0); // the empty answer ended it
    QStringList asked;
    for (const Prompter::Shown &shown : Prompter::shown())
        asked << shown.title + QLatin1Char(':') + shown.text;
    const QString question = QStringLiteral("Tabrino:") + AddPrompt;
    const QString warning =
        QStringLiteral("Tabrino:Choices may not contain the list item delimeter character.");
    QCOMPARE(asked, (QStringList{question, question, warning, question, question}));
    QCOMPARE(Prompter::shown().at(2).icon, MessageIcon::Exclamation);
    QCOMPARE(d.lstChoices->item(1)->data(Qt::UserRole).toByteArray(), QByteArray(" Green "));
}

void tst_Dialogs::listEditorDeleteMoveClear()
{
    frmEditList d;
    d.lstChoices->addItems({"A", "B", "C"});
    // Nothing selected: Delete and the moves change nothing (they beep).
    d.cmdDelete_Click();
    d.cmdMoveUp_Click();
    d.cmdMoveDown_Click();
    QCOMPARE(texts(d.lstChoices), (QStringList{"A", "B", "C"}));

    d.lstChoices->setCurrentRow(1);
    d.cmdMoveUp_Click();
    QCOMPARE(texts(d.lstChoices), (QStringList{"B", "A", "C"}));
    QCOMPARE(d.lstChoices->selectedItems().constFirst()->text(), QStringLiteral("B"));
    d.cmdMoveUp_Click(); // the first cannot go up
    QCOMPARE(texts(d.lstChoices), (QStringList{"B", "A", "C"}));
    d.MoveChoice(1);
    d.MoveChoice(1);
    QCOMPARE(texts(d.lstChoices), (QStringList{"A", "C", "B"}));
    d.cmdMoveDown_Click(); // the last cannot go down
    QCOMPARE(texts(d.lstChoices), (QStringList{"A", "C", "B"}));
    QCOMPARE(d.lstChoices->currentRow(), 2);

    d.lstChoices->setCurrentRow(1);
    d.cmdDelete_Click();
    QCOMPARE(texts(d.lstChoices), (QStringList{"A", "B"}));
    d.cmdDelete_Click(); // nothing selected any more
    QCOMPARE(texts(d.lstChoices), (QStringList{"A", "B"}));
    d.cmdClear_Click();
    QCOMPARE(d.lstChoices->count(), 0);
}

void tst_Dialogs::listEditorCancelAndOk()
{
    frmEditSelect select;
    DecodeChoices("Small|Medium|Large|", select.cboItemSelect);

    // Cancel after adding and deleting leaves the choices as they were.
    whenModal<frmEditList>([](frmEditList *editor) {
        Prompter::queueAnswer(QStringLiteral("Huge"));
        editor->cmdAdd_Click();
        editor->lstChoices->setCurrentRow(0);
        editor->cmdDelete_Click();
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    select.cmdEditList_Click();
    QCOMPARE(texts(select.cboItemSelect), (QStringList{"Small", "Medium", "Large"}));
    QVERIFY(!select.findChild<frmEditList *>()); // the editor is gone

    // OK replaces the choices and selects the first.
    select.cboItemSelect->setCurrentIndex(2);
    whenModal<frmEditList>([](frmEditList *editor) {
        editor->lstChoices->setCurrentRow(2);
        editor->cmdMoveUp_Click();
        Prompter::queueAnswer(QStringLiteral("XL"));
        editor->cmdAdd_Click();
        click(editor, "cmdOK");
    });
    select.cmdEditList_Click();
    QCOMPARE(texts(select.cboItemSelect), (QStringList{"Small", "Large", "Medium", "XL"}));
    QCOMPARE(select.cboItemSelect->currentIndex(), 0);
    QCOMPARE(EncodeChoices(select.cboItemSelect), QByteArray("Small|Large|Medium|XL|"));

    // Clear List and OK empty the choice box.
    whenModal<frmEditList>([](frmEditList *editor) {
        editor->cmdClear_Click();
        editor->cmdOK_Click();
    });
    select.cmdEditList_Click();
    QCOMPARE(select.cboItemSelect->count(), 0);
    QCOMPARE(EncodeChoices(select.cboItemSelect), QByteArray());
}

void tst_Dialogs::choiceBoxCoding()
{
    QComboBox box;
    box.addItems({"Red", "Green"});
    QCOMPARE(EncodeChoices(&box), QByteArray("Red|Green|"));
    box.clear();
    QCOMPARE(EncodeChoices(&box), QByteArray());

    DecodeChoices("Red|Green", &box);
    QCOMPARE(texts(&box), QStringList{"Red"});
    QCOMPARE(box.currentIndex(), 0);
    DecodeChoices("|", &box);
    QCOMPARE(texts(&box), QStringList{""});
    DecodeChoices("A||B|", &box);
    QCOMPARE(texts(&box), (QStringList{"A", "", "B"}));
    QCOMPARE(EncodeChoices(&box), QByteArray("A||B|"));
    DecodeChoices("", &box);
    QCOMPARE(box.count(), 0);
    QCOMPARE(box.currentIndex(), -1);

    // Bytes that are not UTF-8 are shown one character per byte and come back unchanged.
    const QByteArray bytes("caf\xe9|\xc3\xbc\x62\x65r|\xff\xfe|");
    DecodeChoices(bytes, &box);
    QCOMPARE(texts(&box), (QStringList{QStringLiteral("caf\u00e9"), QStringLiteral("\u00fcber"),
                                       QStringLiteral("\u00ff\u00fe")}));
    QCOMPARE(EncodeChoices(&box), bytes);
    box.addItem(QStringLiteral("\u00e9t\u00e9")); // typed: stored as UTF-8
    QCOMPARE(EncodeChoices(&box), bytes + QByteArray("\xc3\xa9t\xc3\xa9|"));
}

void tst_Dialogs::propertiesLoadAndStore()
{
    frmWebForm *form = startDocument();
    WebFormInfo &info = form->info();
    info.OutputFile = "/web/order.htm";
    info.CGIFile = "/cgi-bin/mail.pl";
    info.MethodGet = true;
    info.MediaType = "text/plain";
    info.SubmitText = "Send";
    info.ResetText = "Clear";
    frmProperties d(form);
    QCOMPARE(d.windowTitle(), QStringLiteral("Web Form Properties"));
    QCOMPARE(d.txtOutputFile->text(), QStringLiteral("/web/order.htm"));
    QCOMPARE(d.txtCGIFile->text(), QStringLiteral("/cgi-bin/mail.pl"));
    QVERIFY(d.optMethod[0]->isChecked());
    QVERIFY(!d.optMethod[1]->isChecked());
    QCOMPARE(d.optMethod[0]->objectName(), QStringLiteral("optMethod0"));
    QCOMPARE(d.optMethod[1]->text(), QStringLiteral("Post"));
    QCOMPARE(d.txtMediaType->text(), QStringLiteral("text/plain"));
    QCOMPARE(d.txtSubmit->text(), QStringLiteral("Send"));
    QCOMPARE(d.txtReset->text(), QStringLiteral("Clear"));
    QCOMPARE(d.lblAdvice->text(),
             QStringLiteral("Note: If the \"Submit text\" setting is set to blank, you must "
                            "provide an image on the form."));

    d.txtOutputFile->setText(QStringLiteral("  out.htm "));
    d.txtCGIFile->setText(QStringLiteral(" /cgi "));
    d.optMethod[1]->setChecked(true);
    d.txtMediaType->setText(QStringLiteral(" text/x "));
    d.txtSubmit->setText(QStringLiteral("   "));
    d.txtReset->setText(QStringLiteral("\tUndo "));
    d.StoreValues();
    QVERIFY(info.Changed);
    QCOMPARE(info.OutputFile, QByteArray("out.htm"));
    QCOMPARE(info.CGIFile, QByteArray(" /cgi "));
    QVERIFY(!info.MethodGet);
    QCOMPARE(info.MediaType, QByteArray(" text/x "));
    QCOMPARE(info.SubmitText, QByteArray());
    QCOMPARE(info.ResetText, QByteArray("\tUndo")); // only spaces are trimmed

    // Unchanged values keep bytes that are not UTF-8, also when trimmed.
    info.OutputFile = " caf\xe9.htm";
    info.Changed = false;
    frmProperties again(form);
    again.StoreValues();
    QCOMPARE(info.OutputFile, QByteArray("caf\xe9.htm"));
    QVERIFY(info.Changed);
}

void tst_Dialogs::propertiesDefaultCancelBrowse()
{
    frmWebForm *form = startDocument();
    WebFormInfo &info = form->info();
    info.MediaType = "multipart/form-data";
    info.SubmitText = "Go";

    // Default then Cancel: nothing stored, not even the change mark.
    whenModal<frmProperties>([](frmProperties *d) {
        d->cmdDefault_Click();
        d->txtSubmit->setText(QStringLiteral("Other"));
        click(d, "cmdCancel");
    });
    QVERIFY(triggerAction(form, QStringLiteral("mnuFileProperties")));
    QCOMPARE(info.MediaType, QByteArray("multipart/form-data"));
    QCOMPARE(info.SubmitText, QByteArray("Go"));
    QVERIFY(!info.Changed);

    // OK without any change still marks the document changed.
    whenModal<frmProperties>([](frmProperties *d) { click(d, "cmdOK"); });
    ShowProperties(form);
    QVERIFY(info.Changed);
    QCOMPARE(info.MediaType, QByteArray("multipart/form-data"));

    // Default touches only the media type; Browse takes a chosen path, keeps it on cancel.
    frmProperties d(form);
    d.txtCGIFile->setText(QStringLiteral("x"));
    d.cmdDefault_Click();
    QCOMPARE(d.txtMediaType->text(), QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(d.txtCGIFile->text(), QStringLiteral("x"));
    d.txtOutputFile->setText(QStringLiteral("kept.htm"));
    Prompter::queueAnswer(QString());
    d.cmdBrowse_Click();
    QCOMPARE(d.txtOutputFile->text(), QStringLiteral("kept.htm"));
    Prompter::queueAnswer(QStringLiteral("/site/new page.html"));
    d.cmdBrowse_Click();
    QCOMPARE(d.txtOutputFile->text(), QStringLiteral("/site/new page.html"));
}

void tst_Dialogs::f1OpensTheDialogsTopic_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("page");
    for (const char *kind : {"field", "switch", "image", "select", "list"})
        QTest::newRow(kind) << kind << "topic30.html";
    QTest::newRow("properties") << "properties"
                                << "topic20.html";
}

void tst_Dialogs::f1OpensTheDialogsTopic()
{
    QFETCH(QString, kind);
    QFETCH(QString, page);
    frmWebForm *form = kind == QLatin1String("properties") ? startDocument() : nullptr;
    auto dialog = makeDialog(kind, form);
    QString shownPage;
    execWhile(dialog.get(), [&shownPage](ModalDialog *d) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        if (HelpWindow::current())
            shownPage = HelpWindow::current()->currentPage();
        d->cmdCancel_Click();
    });
    QVERIFY2(Prompter::shown().isEmpty(), qPrintable(lastMessage()));
    QCOMPARE(shownPage, page);
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
