// Tests of the document model: item types, the slot table, the item store, the choices,
// how cell bytes and typed text convert into each other, and the typed settings.
#include "Choices.h"
#include "FormSlots.h"
#include "ItemGrid.h"
#include "SettingsStore.h"
#include "TestDocument.h"
#include "TextBytes.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using TestDocument::cellsOf;

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    // The nine display names and codes round-trip; names compare exactly.
    void itemTypes()
    {
        for (int code = ItemLabel; code <= ItemImage; ++code)
            QCOMPARE(ItemTypeCode(ItemTypeName(code).toUtf8()), code);
        QCOMPARE(ItemTypeName(-1) + ItemTypeName(9), QString());
        QCOMPARE(ItemTypeCode(QStringLiteral("radio button")), -1);
    }

    // A free slot is reused with its flags cleared and its properties left for the caller;
    // any slot in use is a form open. (Slots in order, nine at most: the window tests.)
    void slotTable()
    {
        FormSlots table;
        QVERIFY(!table.AnyFormOpen());
        for (int expected = 1; expected <= 3; ++expected)
            QCOMPARE(table.AllocateFormSlot(), expected);
        WebFormInfo &second = table.FormInfo[2];
        second.OutputFile = "old.htm";
        second.Changed = second.SlotFree = table.FormInfo[1].SlotFree = true;
        QVERIFY(table.AnyFormOpen()); // the third
        table.FormInfo[3].SlotFree = true;
        QVERIFY(!table.AnyFormOpen());
        QCOMPARE(table.AllocateFormSlot(), 1);
        QCOMPARE(table.AllocateFormSlot(), 2);
        QVERIFY(!second.SlotFree && !second.Changed && second.OutputFile == "old.htm");
        table.reset();
        QCOMPARE(table.upperIndex(), 0);
    }

    // Rows go in where asked, move and go, with their cells, colours and persistent
    // indexes, and changingRows() set while the model reports it; a move onto itself or
    // outside the items is none; the header and cells outside the rows stay alone. The
    // current cell stays on an item cell, is reported once per change and follows the last
    // row when that row goes.
    void gridRowsAndCells()
    {
        ItemGrid grid;
        QAbstractItemModelTester tester(&grid);
        QList<bool> changing;
        const auto record = [&] { changing << grid.changingRows(); };
        connect(&grid, &QAbstractItemModel::rowsInserted, this, record);
        connect(&grid, &QAbstractItemModel::rowsRemoved, this, record);
        connect(&grid, &QAbstractItemModel::rowsMoved, this, record);
        grid.addRow(2, "B");
        grid.addRow(3, "D");
        grid.addRow(2, "A"); // between the placeholder and B
        grid.addRow(4, "C");
        grid.removeRow(1);
        QCOMPARE(cellsOf(grid.itemRows()).join(), "ABCD");
        QList<QPersistentModelIndex> followed;
        for (int row = 1; row <= 4; ++row) {
            grid.setCellColour(row, ColName, 0x100u + quint32(row)); // a colour per row
            followed << QPersistentModelIndex(grid.index(row - 1, ColName));
        }
        for (const auto &[from, to] : QList<std::pair<int, int>>{{2, 3}, {4, 1}, {2, 2}, {2, 0}})
            grid.moveRow(from, to);
        grid.removeRow(1);
        QCOMPARE(cellsOf(grid.itemRows()).join(), "ACB");
        for (int row = 1; row < grid.rows(); ++row) {
            const int was = grid.text(row, ColType).at(0) - 'A';
            QCOMPARE(grid.cellColour(row, ColName), 0x101u + quint32(was));
            QCOMPARE(followed.at(was).row(), row - 1);
        }
        QCOMPARE(changing, QList<bool>(8, true));
        QVERIFY(!grid.changingRows());

        QSignalSpy current(&grid, &ItemGrid::currentCellChanged);
        grid.setCurrentCell(0, 99);
        QCOMPARE(current.takeFirst(), (QVariantList{1, 7}));
        grid.setCurrentCell(9, 2); // below the last row: on it
        grid.setCurrentCell(3, 2);
        QCOMPARE(current.takeFirst(), (QVariantList{3, 2}));
        QVERIFY(current.isEmpty());
        grid.setText(0, ColName, "changed header");
        grid.setText(4, ColName, "no such row");
        grid.setCellColour(0, ColName, 5);
        grid.removeRow(0);
        grid.removeRow(4);
        QCOMPARE(grid.rows(), 4);
        QCOMPARE(grid.text(0, ColName), QByteArray("Name"));
        QVERIFY(grid.text(4, ColName).isEmpty() && grid.cellColour(0, ColName) == 0);

        // Cells hold bytes; the view gets them as text without losing any.
        grid.setText(1, ColName, "caf\xC3\xA9");
        grid.setText(1, ColLabel, "caf\xE9");
        QCOMPARE(grid.data(grid.index(0, ColName)).toString(), QStringLiteral("caf\u00e9"));
        QCOMPARE(grid.data(grid.index(0, ColLabel)).toString(), QStringLiteral("caf\u00e9"));
        QCOMPARE(grid.data(grid.index(0, ColName), ItemGrid::ColourRole).toUInt(), 0x101u);
        grid.removeRow(3);
        QCOMPARE(current.takeFirst(), (QVariantList{2, 2}));
        grid.clearItems();
        QCOMPARE(cellsOf(grid.itemRows()), QByteArrayList(ItemColumnCount));
        QCOMPARE(grid.cellColour(1, ColName), 0u);
        QCOMPARE(current.takeFirst(), (QVariantList{1, 1}));
    }

    // Every choice is followed by '|' when encoded; decoding drops the text after the last.
    void choices()
    {
        const QList<QByteArrayList> roundTrips{{}, {"Red", "Green"}, {"A", "", " b "}};
        for (const QByteArrayList &choices : roundTrips)
            QCOMPARE(DecodeChoices(EncodeChoices(choices)), choices);
        QCOMPARE(EncodeChoices({"A", "", " b "}), QByteArray("A|| b |"));
        QCOMPARE(DecodeChoices("a||b|c"), (QByteArrayList{"a", "", "b"}));
        QCOMPARE(DecodeChoices("Red"), QByteArrayList{});
    }
    // Typed text is stored as ASCII, each other character as a numeric reference, and shown
    // as the character again; an unchanged value keeps the bytes it was read with.
    void textBytes_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("typed"); // what typing `shown` afresh stores ("": as stored)
        // ASCII (a label's "&#60;" must not turn into markup), the range browsers read as
        // windows-1252, surrogates, beyond Unicode, malformed: all shown as written.
        const QByteArray literal =
            "&#60;b&#62; &#128; &#xD800; &#1114112; &#243 &#; &#x; &#12a; &#999999999;";
        const QList<std::tuple<const char *, QByteArray, QString, QByteArray>> rows{
            {"ASCII, markup included", "Name: <b>x</b>&amp;", "Name: <b>x</b>&amp;", ""},
            {"hexadecimal, leading zeros", "&#xF3;&#XD3;&#00233;", "óÓé", "&#243;&#211;&#233;"},
            {"beyond 16 bits", "&#x1F600;", "\U0001F600", "&#128512;"},
            {"UTF-8 from a file", "caf\xC3\xA9 &#243;", "café ó", "caf&#233; &#243;"},
            {"ISO-8859-1 from a file", "caf\xE9", "café", "caf&#233;"},
            {"references shown as written", literal, QString::fromLatin1(literal), ""}};
        for (const auto &[name, stored, shown, typed] : rows)
            QTest::newRow(name) << stored << shown << (typed.isEmpty() ? stored : typed);
    }

    void textBytes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(QByteArray, typed);
        QCOMPARE(bytesToText(stored), shown);
        QCOMPARE(textToBytes(shown, stored), stored);
        QCOMPARE(textToBytes(shown), typed);
        QCOMPARE(bytesToText(typed), shown);
    }

    // A file name is shown as its bytes say: a reference in it is no character. (Typed names
    // are stored as UTF-8, unchanged ones as read: the properties dialog's test.)
    void fileNames() { QCOMPARE(decodeBytes("a&#241;o.htm"), QStringLiteral("a&#241;o.htm")); }

    // A stored setting as the program takes it: a colour outside 0 to 0xFFFFFF or not a
    // decimal is yellow; only "False" in any case turns the wizard off. Both round-trip.
    void typedSettings_data()
    {
        QTest::addColumn<bool>("colour");    // else the wizard
        QTest::addColumn<QString>("stored"); // null: missing
        QTest::addColumn<quint32>("value");  // the colour, or 1/0 for the wizard
        const QList<std::tuple<const char *, bool, QString, quint32>> rows{
            {"colour missing", true, QString(), 65535},
            {"colour 0", true, "0", 0},
            {"colour 0xFFFFFF", true, "16777215", 0xFFFFFF},
            {"colour above 0xFFFFFF", true, "16777216", 65535},
            {"colour negative", true, "-1", 65535},
            {"colour not a number", true, "red", 65535},
            {"wizard missing", false, QString(), 1},
            {"wizard False", false, "False", 0},
            {"wizard false", false, "false", 0},
            {"wizard not a Boolean", false, "no", 1}};
        for (const auto &[name, colour, stored, value] : rows)
            QTest::newRow(name) << colour << stored << value;
    }
    void typedSettings()
    {
        QFETCH(bool, colour);
        QFETCH(QString, stored);
        QFETCH(quint32, value);
        QFile::remove(SettingsStore::fileName());
        if (!stored.isNull())
            SettingsStore::write(SettingsStore::SettingsSection,
                                 colour ? SettingsStore::HighlightColourKey
                                        : SettingsStore::DisplayWizardKey,
                                 stored);
        const auto read = [colour] {
            return colour ? SettingsStore::highlightColour()
                          : quint32(SettingsStore::displayWizard());
        };
        QCOMPARE(read(), value);
        colour ? SettingsStore::setHighlightColour(value ^ 0x10101)
               : SettingsStore::setDisplayWizard(!value);
        QCOMPARE(read(), value ^ (colour ? 0x10101 : 1));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
