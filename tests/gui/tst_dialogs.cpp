// The windows and the modal dialogs: the key filter and the range check, the radio group
// list, the List Editor with the choice box coding, the properties dialog, the translation of
// every window's texts, and for every dialog typing, leaving a box and the result protocol
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
#include "wizard/frmWizard.h"

#include <QPushButton>
#include <QTranslator>

using namespace GuiTest;

namespace {

// A window of the given kind; the properties dialog shows an empty record.
std::unique_ptr<QWidget> makeWindow(const QString &kind)
{
    const QHash<QString, std::function<QWidget *()>> make = {
        {"viewer", [] { return new frmFileViewer; }},
        {"wizard", [] { return new frmWizard; }},
        {"startup", [] { return new frmStartup; }},
        {"field", [] { return new frmEditField; }},
        {"switch", [] { return new frmEditSwitch; }},
        {"image", [] { return new frmEditImage; }},
        {"select", [] { return new frmEditSelect; }},
        {"list", [] { return new frmEditList; }},
        {"properties", [] { return new frmProperties(WebFormInfo()); }}};
    return std::unique_ptr<QWidget>(make.value(kind)());
}

// The text box `name` of `dialog`, or the edit part of the combo box of that name; none for
// no name.
QLineEdit *box(QWidget *dialog, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    if (auto *combo = dialog->findChild<QComboBox *>(name))
        return combo->lineEdit();
    return dialog->findChild<QLineEdit *>(name);
}

// Puts a mark before every text it is asked for: a text shown without the mark never went
// through the translation.
struct MarkingTranslator : QTranslator
{
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return QStringLiteral("\u00bb") + QString::fromUtf8(source);
    }
};

// The title of `top` and the captions, texts and tool tips of its children that lack the
// mark. What a box holds, the window list's document names and the product's name are not
// texts to translate; neither are actions never shown.
QStringList untranslatedTexts(QWidget *top)
{
    QStringList texts{top->windowTitle()};
    for (const QObject *object : top->findChildren<QObject *>()) {
        const auto *action = qobject_cast<const QAction *>(object);
        if (qobject_cast<const QLineEdit *>(object) ||
            (action && (!action->isVisible() || action->objectName() == "windowListEntry")))
            continue;
        for (const char *property : {"text", "title", "toolTip"})
            texts << object->property(property).toString();
    }
    texts.removeIf([](const QString &text) {
        return text.isEmpty() || text == AppInfo::Title || text.startsWith(QChar(0xbb));
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

    // The key filter: the characters of a text that pass in modes 0 (file name), 1 (number)
    // and 2 (text). The range check: the number at the start of the text within 1 and the
    // maximum, or the nearest bound.
    void inputChecks_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode"); // or the maximum
        QTest::addColumn<QString>("expected");
        const QString typed = QStringLiteral("\b\x16 *?/09:a~\x7f\u00e9");
        QTest::newRow("file name")
            << typed << int(FilterFileName) << QStringLiteral("\b\x16 /09:a~");
        QTest::newRow("number") << typed << int(FilterNumber) << QStringLiteral("\b09");
        QTest::newRow("text") << typed << int(FilterText) << QStringLiteral("\b\x16 *?/09:a~");
        const char *ranges[][3] = {
            {"0", "255", "1"},     {"300", "255", "255"},       {"", "255", "1"},
            {"007", "255", "007"}, {"40000", "32767", "32767"}, {"12abc", "255", "12abc"},
            {"-5", "255", "1"},    {"255.5", "255", "255"}};
        for (const auto &range : ranges)
            QTest::addRow("\"%s\"", range[0]) << range[0] << atoi(range[1]) << range[2];
        QTest::newRow("400 nines") << QString(400, QLatin1Char('9')) << 255 << "255";
    }
    void inputChecks()
    {
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QString passed;
        for (const QChar c : input) {
            if (const int code = FilterKey(c.unicode(), mode))
                passed += QChar(code);
        }
        QCOMPARE(mode <= FilterText ? passed : CheckRange(input, 1, mode), expected);
    }

    // A radio button's name list holds each group name of the form once, in the order first
    // found, with its bytes.
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

        frmEditSwitch d;
        d.PrepareForm(&grid, 7);
        QCOMPARE(EncodeChoices(d.cboItemName), QByteArray("size|colour|Size|size |caf\xe9|"));
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
        QCOMPARE(Prompter::shown().size(), 6); // five questions and the warning about "|"
        QCOMPARE(Prompter::shown().at(2).icon, MessageIcon::Exclamation);
        QStringList trace;
        for (const QString &step : QStringLiteral("cmdDelete cmdMoveUp 2 cmdMoveUp cmdMoveUp "
                                                  "cmdMoveDown cmdMoveDown cmdMoveDown 2 cmdDelete "
                                                  "cmdDelete cmdClear")
                                       .split(' ')) {
            doSteps(&d, step);
            QStringList choices;
            for (int row = 0; row < d.lstChoices->count(); ++row)
                choices << d.lstChoices->item(row)->text();
            trace << choices.join(QLatin1Char(','));
        }
        QCOMPARE(trace.join(QLatin1String(" | ")),
                 "A, B ,C | A, B ,C | A, B ,C |  B ,A,C |  B ,A,C | A, B ,C | A,C, B  | A,C, B  | "
                 "A,C, B  | A, B  | A, B  | ");

        // From the Selection dialog: Cancel after a change keeps the choices, OK replaces them.
        // Bytes that are not UTF-8 come back unchanged, an empty choice included; a choice
        // without its bytes is stored as references.
        frmEditSelect select;
        const QByteArray bytes("caf\xe9||\xc3\xbc\x62\x65r|\xff\xfe|");
        DecodeChoices(bytes, select.cboItemSelect);
        fillIn<frmEditList>(QStringLiteral("1 cmdDelete"), false);
        select.cmdEditList_Click();
        QCOMPARE(EncodeChoices(select.cboItemSelect), bytes);
        fillIn<frmEditList>(QStringLiteral("3 cmdMoveUp"));
        select.cmdEditList_Click();
        select.cboItemSelect->addItem(QStringLiteral("\u00e9t\u00e9"));
        QCOMPARE(EncodeChoices(select.cboItemSelect),
                 QByteArray("caf\xe9|\xc3\xbc\x62\x65r||\xff\xfe|&#233;t&#233;|"));
    }

    void properties()
    {
        startTest();
        WebFormInfo &info = m_form->info();
        frmProperties d(info);
        // Browse takes the chosen file and keeps the typed one when cancelled; Default fills in
        // the default media type; F1 in a box shows the dialog's help page.
        d.txtOutputFile->setText(QStringLiteral("typed.htm"));
        Prompter::queueAnswer(QString());
        d.cmdBrowse_Click();
        QCOMPARE(d.txtOutputFile->text(), QStringLiteral("typed.htm"));
        Prompter::queueAnswer(QStringLiteral("/site/new page.html"));
        d.cmdBrowse_Click();
        QCOMPARE(d.txtOutputFile->text(), QStringLiteral("/site/new page.html"));
        d.cmdDefault_Click();
        QCOMPARE(d.txtMediaType->text(), QStringLiteral("application/x-www-form-urlencoded"));
        QTest::keyClick(d.txtSubmit, Qt::Key_F1);
        QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("topic20.html"));
        // Only spaces around the output file and the button texts are trimmed. A file name
        // is stored as the file system knows it, other text beyond ASCII as references.
        d.txtOutputFile->setText(QStringLiteral("  a\u00f1o.htm "));
        d.txtCGIFile->setText(QStringLiteral(" /cgi "));
        d.txtMediaType->setText(QStringLiteral(" text/x "));
        d.txtSubmit->setText(QStringLiteral("   "));
        d.txtReset->setText(QStringLiteral("\tAtr\u00e1s "));
        info = d.StoreValues();
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
        fillIn<frmProperties>(QStringLiteral("cmdDefault"), false);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileProperties")));
        QCOMPARE(info.MediaType, QByteArray(" text/x "));
        QVERIFY(!info.Changed);

        // OK without any change leaves the document as it was.
        fillIn<frmProperties>(QString());
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuFileProperties")));
        QVERIFY(!info.Changed);
    }

    // Every caption, label, button, group, menu, action and tool tip of every window goes
    // through the translation.
    void translatedTexts()
    {
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        m_frame = startFrame();
        QStringList untranslated = untranslatedTexts(m_frame.get());
        for (const char *kind : {"viewer", "wizard", "startup", "field", "switch", "image",
                                 "select", "list", "properties"}) {
            const auto window = makeWindow(QLatin1String(kind));
            window->show(); // the wizard fills its texts when it is shown
            untranslated << untranslatedTexts(window.get());
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1String(" | "))));
    }

    // Each dialog: OK with an empty name is refused with a warning, the dialog open and the
    // focus on the name; Esc and the close box are Cancel. Keys typed into a box are filtered; on
    // leaving it a number box is brought within its bounds; keys that type no character keep
    // editing. Enter is OK, a blank is a name, and a numeric box with Enter in it is checked first.
    void dialogs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name"); // empty: no name to refuse
        QTest::addColumn<QString>("numberBox");
        QTest::addColumn<QString>("typedBox"); // empty: nothing typed
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left");
        const char *table[][7] = {
            {"field", "txtItemName", "txtItemColumns", "txtItemMaxLength", "4x00 00", "40000",
             "32767"},
            {"switch", "cboItemName", "", "cboItemName", "g*1\u00e9", "g*1", "g*1"},
            {"image", "txtItemName", "", "txtItemFile", "a*b?.gif", "ab.gif", "ab.gif"},
            {"select", "txtItemName", "txtItemRows", "txtItemRows", "999", "999", "255"},
            {"properties", "", "", "txtSubmit", "*a? caf\u00e9", "*a? caf", "*a? caf"}};
        for (const auto &row : table)
            QTest::newRow(row[0]) << row[0] << row[1] << row[2] << row[3]
                                  << QString::fromUtf8(row[4]) << row[5] << row[6];
    }

    void dialogs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, numberBox);
        QFETCH(QString, typedBox);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, left);
        auto dialog = makeWindow(kind);
        const auto outcome = [&dialog] {
            const QString tag = static_cast<ModalDialog *>(dialog.get())->Tag;
            return QStringLiteral("%1 %2").arg(dialog->isVisible()).arg(tag);
        };
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::mouseClick(dialog->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        if (!name.isEmpty()) {
            QCOMPARE(outcome(), QStringLiteral("1 CANCEL"));
            QCOMPARE(Prompter::shown().constFirst().icon, MessageIcon::Exclamation);
            auto *input = dialog->findChild<QWidget *>(name);
            QVERIFY(dialog->focusWidget() == input || input->isAncestorOf(dialog->focusWidget()));
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        }
        QCOMPARE(outcome(), name.isEmpty() ? QStringLiteral("0 OK") : QStringLiteral("0 CANCEL"));

        dialog = makeWindow(kind);
        dialog->show();
        dialog->close();
        QCOMPARE(outcome(), QStringLiteral("0 CANCEL"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        if (QLineEdit *edit = box(dialog.get(), typedBox)) {
            edit->clear();
            edit->setFocus();
            for (const QChar c : typed) // a letter beyond ASCII as a keyboard types it
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
            QCOMPARE(edit->text(), shown);
            QTest::keyClick(edit, Qt::Key_Tab);
            QCOMPARE(edit->text(), left);
            edit->setFocus();
            for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete})
                QTest::keyClick(edit, key);
            QCOMPARE(edit->text(), left.mid(1));
        }
        if (!name.isEmpty())
            box(dialog.get(), name)->setText(QStringLiteral(" "));
        QLineEdit *number = box(dialog.get(), numberBox);
        if (number)
            number->setText(QStringLiteral("0"));
        QWidget *target = number ? number : dialog->focusWidget();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(outcome(), QStringLiteral("0 OK"));
        QCOMPARE(number ? number->text() : QString(), number ? QStringLiteral("1") : QString());
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
