// The windows and the modal dialogs: the key filter and the range check, the per-type
// preparation, the List Editor with the choice box coding, the properties dialog, and for every
// window the translation of its texts and for every dialog F1 help and the result protocol
// with its refusal of an empty name.
#include "GuiTestSupport.h"

#include "AppInfo.h"
#include "app/frmStartup.h"
#include "editor/frmEditField.h"
#include "editor/frmEditImage.h"
#include "editor/frmEditList.h"
#include "editor/frmEditSelect.h"
#include "editor/frmEditSwitch.h"
#include "output/frmFileViewer.h"
#include "output/frmProperties.h"
#include "ui/HelpWindow.h"
#include "ui/KeyFilter.h"
#include "ui/UpDown.h"
#include "wizard/frmWizard.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTranslator>
#include <QUndoStack>
#include <tuple>

using namespace GuiTest;

namespace {

// A window of the given kind; the properties dialog shows an empty record.
std::unique_ptr<QWidget> makeWindow(const QString &kind)
{
    if (kind == QLatin1String("viewer"))
        return std::make_unique<frmFileViewer>();
    if (kind == QLatin1String("wizard"))
        return std::make_unique<frmWizard>();
    if (kind == QLatin1String("startup"))
        return std::make_unique<frmStartup>();
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
    return std::make_unique<frmProperties>(WebFormInfo());
}

std::unique_ptr<ModalDialog> makeDialog(const QString &kind)
{
    return std::unique_ptr<ModalDialog>(static_cast<ModalDialog *>(makeWindow(kind).release()));
}

// The text box `name` of `dialog`, or the edit part of the combo box of that name.
QLineEdit *box(QWidget *dialog, const QString &name)
{
    if (auto *combo = dialog->findChild<QComboBox *>(name))
        return combo->lineEdit();
    return dialog->findChild<QLineEdit *>(name);
}

void click(QWidget *dialog, const char *button)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

bool showActive(QWidget *dialog)
{
    dialog->show();
    dialog->activateWindow();
    return QTest::qWaitForWindowActive(dialog);
}

// The texts of a combo box's or list's entries.
template <typename View> QStringList texts(const View *view)
{
    QStringList items;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        items << view->model()->index(row, 0).data().toString();
    return items;
}

// Puts a mark before every text it is asked for: a text shown without the mark never went
// through the translation.
class MarkingTranslator : public QTranslator
{
public:
    static inline const QString Mark = QStringLiteral("\u00bb");
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return Mark + QString::fromUtf8(source);
    }
};

// The captions, labels, button texts, menu titles and tool tips of `top` and its children
// that lack the mark; the product's name is a name, not a text to translate.
QStringList untranslatedTexts(const QWidget *top)
{
    QStringList texts{top->windowTitle()};
    for (const QLabel *label : top->findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : top->findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QGroupBox *group : top->findChildren<QGroupBox *>())
        texts << group->title();
    for (const QMenu *menu : top->findChildren<QMenu *>())
        texts << menu->title();
    for (const QAction *action : top->findChildren<QAction *>()) {
        if (action->isVisible() && action->objectName() != QLatin1String("windowListEntry"))
            texts << action->text() << action->toolTip();
    }
    texts.removeIf([](const QString &text) {
        return text.isEmpty() || text == AppInfo::Title || text.startsWith(MarkingTranslator::Mark);
    });
    return texts;
}

} // namespace

class tst_Dialogs : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(false); }
    void cleanup()
    {
        HelpWindow::CloseHelp();
        closeFrame(m_frame);
    }

    // The key filter: each code with its result in modes 0 (file name), 1 (number) and 2
    // (text). The range check: the number at the start of the text within 1 and the maximum,
    // or the nearest bound.
    void inputChecks_data()
    {
        QTest::addColumn<QString>("input"); // a key's code, or a text to range check
        QTest::addColumn<int>("mode");      // or the maximum
        QTest::addColumn<QString>("expected");
        const int keys[][4] = {{8, 8, 8, 8},         {22, 22, 0, 22},      {' ', ' ', 0, ' '},
                               {'*', 0, 0, '*'},     {'?', 0, 0, '?'},     {'/', '/', 0, '/'},
                               {'0', '0', '0', '0'}, {'9', '9', '9', '9'}, {':', ':', 0, ':'},
                               {'a', 'a', 0, 'a'},   {'~', '~', 0, '~'},   {127, 0, 0, 0},
                               {0xE9, 0, 0, 0}};
        for (const auto &k : keys) {
            for (int mode = FilterFileName; mode <= FilterText; ++mode)
                QTest::addRow("code %d, mode %d", k[0], mode)
                    << QString::number(k[0]) << mode << QString::number(k[mode + 1]);
        }
        const QList<std::tuple<QString, int, QString>> ranges = {
            {"0", 255, "1"},         {"300", 255, "255"},
            {"", 255, "1"},          {"12", 255, "12"},
            {"007", 255, "007"},     {"40000", 32767, "32767"},
            {"12abc", 255, "12abc"}, {"-5", 255, "1"},
            {"255.5", 255, "255"},   {QString(400, QLatin1Char('9')), 255, "255"}};
        for (const auto &[text, maximum, expected] : ranges)
            QTest::addRow("\"%s\"", qPrintable(text.left(8))) << text << maximum << expected;
    }
    void inputChecks()
    {
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        if (mode <= FilterText)
            QCOMPARE(FilterKey(input.toInt(), mode), expected.toInt());
        else
            QCOMPARE(CheckRange(input, 1, mode), expected);
    }

    // Keys typed into a box are filtered; on leaving it a number box is brought within its
    // bounds once; keys that type no character keep editing.
    void typingAndLeaving_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left");
        const char *table[][5] = {
            {"field", "txtItemColumns", "1x2 3", "123", "123"},
            {"image", "txtItemFile", "a*b?.gif", "ab.gif", "ab.gif"},
            {"field", "txtItemName", "*a? caf\u00e9", "*a? caf", "*a? caf"},
            {"switch", "cboItemName", "g*1\u00e9", "g*1", "g*1"},
            {"field", "txtItemColumns", "0", "0", "1"},
            {"field", "txtItemColumns", "300", "300", "255"},
            {"field", "txtItemRows", "999", "999", "255"},
            {"field", "txtItemMaxLength", "40000", "40000", "32767"},
            {"select", "txtItemRows", "999", "999", "255"},
        };
        for (const auto &row : table)
            QTest::addRow("%s %s %s", row[0], row[1], row[2])
                << row[0] << row[1] << QString::fromUtf8(row[2]) << row[3] << row[4];
    }
    void typingAndLeaving()
    {
        QFETCH(QString, kind);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, left);
        auto dialog = makeDialog(kind);
        QVERIFY(showActive(dialog.get()));
        QLineEdit *edit = box(dialog.get(), boxName);
        edit->clear();
        edit->setFocus();
        for (const QChar c : typed) // a letter beyond ASCII as a keyboard types it
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        QCOMPARE(edit->text(), shown);
        QSignalSpy changed(edit, &QLineEdit::textChanged);
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), left);
        QCOMPARE(changed.size(), int(left != shown));
        edit->setFocus();
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_End, Qt::Key_Backspace})
            QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), left.mid(1, left.size() - 2));
    }

    void groupsGreyedPerType_data()
    {
        QTest::addColumn<int>("itemtype");
        QTest::addColumn<QString>("greyed"); // the text boxes greyed out with their labels
        QTest::newRow("text field") << 1 << "txtItemRows";
        QTest::newRow("password field") << 2 << "txtItemRows";
        QTest::newRow("hidden field")
            << 3 << "txtItemLabel txtItemColumns txtItemRows txtItemMaxLength";
        QTest::newRow("text area") << 4 << "txtItemMaxLength";
        QTest::newRow("checkbox") << 6 << "txtItemValue";
    }

    void groupsGreyedPerType()
    {
        QFETCH(int, itemtype);
        QFETCH(QString, greyed);
        auto dialog = makeDialog(QLatin1String(itemtype == 6 ? "switch" : "field"));
        if (auto *field = qobject_cast<frmEditField *>(dialog.get()))
            field->PrepareForm(itemtype);
        else
            static_cast<frmEditSwitch *>(dialog.get())->PrepareForm(nullptr, itemtype);
        QStringList greyedSeen;
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            auto *input = qobject_cast<QLineEdit *>(label->buddy());
            if (!input)
                continue;
            const bool off = !input->isEnabled();
            if (off)
                greyedSeen << input->objectName();
            QCOMPARE(label->isEnabled(), !off);
            const QPalette palette = input->palette();
            QCOMPARE(palette.color(QPalette::Base) == palette.color(QPalette::Button), off);
            if (auto *upDown = dialog->findChild<UpDown *>("ud" + input->objectName().mid(3)))
                QCOMPARE(upDown->isEnabled(), !off);
        }
        QCOMPARE(greyedSeen.join(' '), greyed);
    }

    void radioGroupNames()
    {
        ItemGrid grid;
        const QList<QPair<QByteArray, QByteArray>> items = {
            {"Radio Button", "size"},   {"Checkbox", "extra"},     {"Radio Button", "colour"},
            {"Radio Button", "size"},   {"Text Field", "name"},    {"Radio Button", "Size"},
            {"Radio Button", "colour"}, {"Radio Button", "size "}, {"Radio Button", "caf\xe9"}};
        for (const auto &item : items) {
            grid.addRow(grid.rows(), item.first);
            grid.setText(grid.rows() - 1, ColName, item.second);
        }
        grid.removeRow(1); // the placeholder
        grid.setCurrentCell(4, ColLabel);

        frmEditSwitch d;
        d.PrepareForm(&grid, 7);
        QCOMPARE(texts(d.cboItemName),
                 (QStringList{"size", "colour", "Size", "size ", "caf\u00e9"}));
        QCOMPARE(d.cboItemName->currentText(), QString());
        QCOMPARE(grid.currentRow(), 4);
        QCOMPARE(grid.currentColumn(), int(ColName));
        // A group picked from the list keeps its buttons' bytes; a typed one is stored as typed.
        d.cboItemName->setCurrentText(QStringLiteral("caf\u00e9"));
        QCOMPARE(d.nameBytes("size"), QByteArray("caf\xe9"));
        d.cboItemName->setCurrentText(QStringLiteral("\u00e9t\u00e9"));
        QCOMPARE(d.nameBytes("size"), QByteArray("&#233;t&#233;"));
    }

    // The List Editor's Add asks again after each choice, refuses one with "|", and ends on
    // an empty answer. Delete and the moves need a selected choice (else they beep); the
    // first choice cannot go up, nor the last down.
    void listEditor()
    {
        frmEditList d;
        for (const QVariant &answer :
             {QVariant("A"), QVariant("a|b"), QVariant(int(QMessageBox::Ok)), QVariant(" B "),
              QVariant("C"), QVariant("")})
            Prompter::queueAnswer(answer); // the button answers the warning about "|"
        d.cmdAdd_Click();
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QStringList shown;
        for (const Prompter::Shown &s : Prompter::shown())
            shown << s.title + QLatin1String(": ") + s.text;
        QCOMPARE(shown.size(), 6);
        QCOMPARE(shown.at(1), "Tabrino: Enter choice to add to the list:");
        QCOMPARE(shown.at(2),
                 "Tabrino: Choices may not contain the list item delimeter character.");
        QCOMPARE(Prompter::shown().at(2).icon, MessageIcon::Exclamation);
        QStringList trace;
        for (const QString &step : QStringLiteral("cmdDelete cmdMoveUp cmdMoveDown 2 cmdMoveUp "
                                                  "cmdMoveUp cmdMoveDown cmdMoveDown cmdMoveDown 2 "
                                                  "cmdDelete cmdDelete cmdClear")
                                       .split(' ')) {
            doSteps(&d, step);
            trace << texts(d.lstChoices).join(QLatin1Char(','));
        }
        QCOMPARE(trace.join(QLatin1String(" | ")),
                 "A, B ,C | A, B ,C | A, B ,C | A, B ,C |  B ,A,C |  B ,A,C | A, B ,C | A,C, B  | "
                 "A,C, B  | A,C, B  | A, B  | A, B  | ");

        // From the Selection dialog: Cancel after a change keeps the choices, OK replaces them
        // and selects the first. Bytes that are not UTF-8 are shown one character per byte and
        // come back unchanged, an empty choice included; a choice without its bytes is stored
        // as references.
        frmEditSelect select;
        const QByteArray bytes("caf\xe9||\xc3\xbc\x62\x65r|\xff\xfe|");
        DecodeChoices(bytes, select.cboItemSelect);
        whenModal<frmEditList>([](frmEditList *editor) {
            doSteps(editor, QStringLiteral("1 cmdDelete"));
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        select.cmdEditList_Click();
        QCOMPARE(texts(select.cboItemSelect),
                 (QStringList{QStringLiteral("caf\u00e9"), QString(), QStringLiteral("\u00fcber"),
                              QStringLiteral("\u00ff\u00fe")}));
        QCOMPARE(EncodeChoices(select.cboItemSelect), bytes);
        select.cboItemSelect->setCurrentIndex(2);
        fillIn<frmEditList>(QStringLiteral("3 cmdMoveUp"));
        select.cmdEditList_Click();
        QCOMPARE(texts(select.cboItemSelect).join(QLatin1Char('|')),
                 QStringLiteral("caf\u00e9|\u00fcber||\u00ff\u00fe"));
        QCOMPARE(select.cboItemSelect->currentIndex(), 0);
        select.cboItemSelect->addItem(QStringLiteral("\u00e9t\u00e9"));
        QCOMPARE(EncodeChoices(select.cboItemSelect),
                 QByteArray("caf\xe9|\xc3\xbc\x62\x65r||\xff\xfe|&#233;t&#233;|"));
        DecodeChoices("", select.cboItemSelect);
        QCOMPARE(select.cboItemSelect->count(), 0);
        QCOMPARE(EncodeChoices(select.cboItemSelect), QByteArray());
    }

    void properties()
    {
        m_frame = startFrame();
        frmWebForm *form = m_frame->activeForm();
        WebFormInfo &info = form->info();
        {
            frmProperties d(info);
            QCOMPARE(d.lblAdvice->text(), "Note: If the \"Submit text\" setting is set to blank, "
                                          "you must provide an image on the form.");
            // Browse takes the chosen file and keeps the typed one when cancelled.
            d.txtOutputFile->setText(QStringLiteral("typed.htm"));
            Prompter::queueAnswer(QString());
            d.cmdBrowse_Click();
            QCOMPARE(d.txtOutputFile->text(), QStringLiteral("typed.htm"));
            Prompter::queueAnswer(QStringLiteral("/site/new page.html"));
            d.cmdBrowse_Click();
            QCOMPARE(d.txtOutputFile->text(), QStringLiteral("/site/new page.html"));
            // Only spaces around the output file and the button texts are trimmed. A file name
            // is stored as the file system knows it, other text beyond ASCII as references.
            d.txtOutputFile->setText(QStringLiteral("  a\u00f1o.htm "));
            d.txtCGIFile->setText(QStringLiteral(" /cgi "));
            d.txtMediaType->setText(QStringLiteral(" text/x "));
            d.txtSubmit->setText(QStringLiteral("   "));
            d.txtReset->setText(QStringLiteral("\tAtr\u00e1s "));
            info = d.StoreValues();
        }
        QVERIFY(info.Changed);
        QCOMPARE((QList<QByteArray>{info.OutputFile, info.CGIFile, info.MediaType, info.SubmitText,
                                    info.ResetText}),
                 (QList<QByteArray>{"a\xc3\xb1o.htm", " /cgi ", " text/x ", "", "\tAtr&#225;s"}));

        // Unchanged values keep bytes that are not UTF-8, also when trimmed.
        info.OutputFile = " caf\xe9.htm";
        info = frmProperties(info).StoreValues();
        QCOMPARE(info.OutputFile, QByteArray("caf\xe9.htm"));

        // Default then Cancel: nothing stored, not even the change mark.
        info.Changed = false;
        QString defaultType;
        whenModal<frmProperties>([&defaultType](frmProperties *d) {
            d->cmdDefault_Click();
            defaultType = d->txtMediaType->text();
            click(d, "cmdCancel");
        });
        QVERIFY(triggerAction(form, QStringLiteral("mnuFileProperties")));
        QCOMPARE(defaultType, QStringLiteral("application/x-www-form-urlencoded"));
        QCOMPARE(info.MediaType, QByteArray(" text/x "));
        QVERIFY(!info.Changed);

        // OK without any change leaves the document as it was: not changed, no step to undo.
        whenModal<frmProperties>([](frmProperties *d) { click(d, "cmdOK"); });
        QVERIFY(triggerAction(form, QStringLiteral("mnuFileProperties")));
        QVERIFY(!info.Changed);
        QVERIFY(!form->history()->canUndo());
        QCOMPARE(info.MediaType, QByteArray(" text/x "));
    }

    // Every window: each caption, label, button, menu and tool tip goes through the
    // translation. Each dialog: F1 shows its help topic; OK with an empty name is refused with
    // a warning, the dialog open and the focus on the name; Esc and the close box are Cancel;
    // Enter is OK, a blank is a name, and a numeric box with Enter in it is checked first.
    void windows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title"); // empty: not checked
        QTest::addColumn<QString>("topic"); // empty: no dialog
        QTest::addColumn<QString>("name");  // empty: no name to refuse
        QTest::addColumn<QString>("numberBox");
        const char *table[][5] = {{"frame", "", "", "", ""},
                                  {"viewer", "", "", "", ""},
                                  {"wizard", "", "", "", ""},
                                  {"startup", "", "", "", ""},
                                  {"field", "", "topic30.html", "txtItemName", "txtItemColumns"},
                                  {"switch", "", "topic30.html", "cboItemName", ""},
                                  {"image", "", "topic30.html", "txtItemName", ""},
                                  {"select", "", "topic30.html", "txtItemName", "txtItemRows"},
                                  {"list", "List Editor", "topic30.html", "", ""},
                                  {"properties", "Web Form Properties", "topic20.html", "", ""}};
        for (const auto &row : table)
            QTest::newRow(row[0]) << row[0] << row[1] << row[2] << row[3] << row[4];
    }

    void windows()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, topic);
        QFETCH(QString, name);
        QFETCH(QString, numberBox);
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        QTranslator *installed = &marking;
        const auto removeMarking =
            qScopeGuard([installed] { QCoreApplication::removeTranslator(installed); });
        std::unique_ptr<QWidget> window;
        QWidget *shown = nullptr;
        if (kind == QLatin1String("frame")) {
            m_frame = startFrame();
            shown = m_frame.get();
        } else {
            window = makeWindow(kind);
            window->show(); // the wizard fills its texts when it is shown
            shown = window.get();
        }
        if (!title.isEmpty())
            QCOMPARE(shown->windowTitle(), MarkingTranslator::Mark + title);
        const QStringList untranslated = untranslatedTexts(shown);
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1String(" | "))));
        if (topic.isEmpty())
            return;

        auto dialog = makeDialog(kind);
        const auto outcome = [&dialog] {
            return QStringLiteral("%1 %2").arg(dialog->isVisible()).arg(dialog->Tag);
        };
        QVERIFY(showActive(dialog.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(HelpWindow::current() ? HelpWindow::current()->currentPage() : QString(), topic);
        HelpWindow::CloseHelp();
        QVERIFY(showActive(dialog.get()));
        click(dialog.get(), "cmdOK");
        if (!name.isEmpty()) {
            QCOMPARE(outcome(), QStringLiteral("1 CANCEL"));
            QCOMPARE(lastMessage(), MarkingTranslator::Mark + "Please specify the item name.");
            QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
            auto *input = dialog->findChild<QWidget *>(name);
            QVERIFY(dialog->focusWidget() == input || input->isAncestorOf(dialog->focusWidget()));
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        }
        QCOMPARE(outcome(), name.isEmpty() ? QStringLiteral("0 OK") : QStringLiteral("0 CANCEL"));
        dialog = makeDialog(kind);
        dialog->show();
        dialog->close();
        QCOMPARE(outcome(), QStringLiteral("0 CANCEL"));

        dialog = makeDialog(kind);
        if (!name.isEmpty())
            box(dialog.get(), name)->setText(QStringLiteral(" "));
        QLineEdit *number = numberBox.isEmpty() ? nullptr : box(dialog.get(), numberBox);
        if (number)
            number->setText(QStringLiteral("0"));
        QVERIFY(showActive(dialog.get()));
        QWidget *target = number ? number : dialog->focusWidget();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(outcome(), QStringLiteral("0 OK"));
        QCOMPARE(number ? number->text() : QString(), number ? QStringLiteral("1") : QString());
        QCOMPARE(Prompter::shown().size(), int(!name.isEmpty()));
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
