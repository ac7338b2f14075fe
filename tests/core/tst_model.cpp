// Tests of the document model: item type names and codes, the slot table, the item store
// behind the grid and the choice list of a Selection.
#include "Choices.h"
#include "FormSlots.h"
#include "ItemGrid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

const char *const TypeNames[] = {"Label",        "Text Field",   "Password Field",
                                 "Hidden Field", "Text Area",    "Selection",
                                 "Checkbox",     "Radio Button", "Image"};

QByteArrayList columnOf(const ItemGrid &grid, int col)
{
    QByteArrayList cells;
    for (int row = 1; row < grid.rows(); ++row)
        cells << grid.text(row, col);
    return cells;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void itemTypeNames_data();
    void itemTypeNames();
    void itemTypeCodes_data();
    void itemTypeCodes();
    void slotTable();
    void nineSlotLimit();
    void gridRowsAndCells();
    void moveRowCarriesTextAndColour_data();
    void moveRowCarriesTextAndColour();
    void currentCell();
    void choices_data();
    void choices();
};

void TestModel::itemTypeNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    for (int code = 0; code < 9; ++code)
        QTest::addRow("%d", code) << code << QString::fromLatin1(TypeNames[code]);
    for (int code : {-1, 9, 32767})
        QTest::addRow("%d", code) << code << QString();
}

void TestModel::itemTypeNames()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(ItemTypeName(code), name);
}

// Display names compare exactly: no case folding, no trimming.
void TestModel::itemTypeCodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    for (int code = 0; code < 9; ++code)
        QTest::addRow("%s", TypeNames[code]) << QString::fromLatin1(TypeNames[code]) << code;
    for (const char *other :
         {"radio button", "Radio button", "Label ", " Label", "LABEL", "Text field", "Type", ""})
        QTest::addRow("\"%s\"", other) << QString::fromLatin1(other) << -1;
    QTest::newRow("Image and NUL") << QStringLiteral("Image") + QChar(0) << -1;
}

void TestModel::itemTypeCodes()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(ItemTypeCode(name), code);
    QCOMPARE(ItemTypeCode(name.toUtf8()), code);
}

// Slots are handed out in order; the first free one is reused with its flags cleared and
// its properties left for the caller; the table never shrinks.
void TestModel::slotTable()
{
    FormSlots table;
    QCOMPARE(table.upperIndex(), 0);
    QVERIFY(!table.AnyFormOpen());
    for (int expected = 1; expected <= 5; ++expected)
        QCOMPARE(table.AllocateFormSlot(), expected);
    QVERIFY(table.AnyFormOpen());
    const WebFormInfo &fresh = table.FormInfo.at(5); // in use, unchanged, empty
    QVERIFY(!fresh.SlotFree && !fresh.Changed && !fresh.MethodGet && fresh.OutputFile.isEmpty());

    WebFormInfo &second = table.FormInfo[2];
    second.OutputFile = "old.htm";
    second.Changed = second.SlotFree = table.FormInfo[4].SlotFree = true;
    QCOMPARE(table.AllocateFormSlot(), 2);
    QVERIFY(!second.SlotFree && !second.Changed);
    QCOMPARE(second.OutputFile, QByteArray("old.htm"));
    QCOMPARE(table.AllocateFormSlot(), 4);
    QCOMPARE(table.AllocateFormSlot(), 6);

    for (int slot = 1; slot <= 6; ++slot)
        table.FormInfo[slot].SlotFree = true;
    QVERIFY(!table.AnyFormOpen());
    QCOMPARE(table.upperIndex(), 6);
    table.reset();
    QCOMPARE(table.upperIndex(), 0);
}

void TestModel::nineSlotLimit()
{
    FormSlots table;
    for (int expected = 1; expected <= 9; ++expected)
        QCOMPARE(table.AllocateFormSlot(), expected);
    QCOMPARE(table.AllocateFormSlot(), -1);
    QCOMPARE(table.AllocateFormSlot(), -1);
    QCOMPARE(table.upperIndex(), 9);
    QCOMPARE(table.WebForms.size(), 10);
    table.FormInfo[7].SlotFree = true;
    QCOMPARE(table.AllocateFormSlot(), 7);
    QCOMPARE(table.AllocateFormSlot(), -1);
}

// A new store holds the header and one empty row; rows go in where asked and take their
// colours along when others go; the header and cells outside the rows cannot be written.
void TestModel::gridRowsAndCells()
{
    ItemGrid grid;
    QAbstractItemModelTester tester(&grid);
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.rowCount(), 1);
    const QByteArrayList captions{"Type", "Name", "Default", "Label",
                                  "Cols", "Rows", "Max.",    "Other"};
    for (int col = 0; col < ItemColumnCount; ++col) {
        QCOMPARE(grid.text(0, col), captions.at(col));
        QCOMPARE(grid.headerData(col, Qt::Horizontal).toString(), QString(captions.at(col)));
    }
    QCOMPARE(columnOf(grid, ColType), QByteArrayList{""});

    grid.addRow(2, "Label");
    grid.addRow(3, "Image");
    grid.addRow(2, "Text Field"); // between the placeholder and Label
    grid.setCellColour(3, ColCols, 0xFF);
    QCOMPARE(columnOf(grid, ColType), (QByteArrayList{"", "Text Field", "Label", "Image"}));
    grid.removeRow(1);
    QCOMPARE(columnOf(grid, ColType), (QByteArrayList{"Text Field", "Label", "Image"}));
    QCOMPARE(grid.cellColour(2, ColCols), 0xFFu);
    QCOMPARE(grid.cellColour(3, ColCols), 0u);

    grid.setText(0, ColName, "changed header");
    grid.setText(4, ColName, "no such row");
    grid.setText(1, 8, "no such column");
    grid.setCellColour(0, ColName, 5);
    grid.removeRow(0);
    grid.removeRow(4);
    QCOMPARE(grid.rows(), 4);
    QCOMPARE(grid.text(0, ColName), QByteArray("Name"));
    QVERIFY(grid.text(4, ColName).isEmpty() && grid.text(1, 8).isEmpty());
    QCOMPARE(grid.cellColour(0, ColName), 0u);

    // Cells hold bytes; the view gets them as text without losing any.
    grid.setText(1, ColName, "caf\xC3\xA9");
    grid.setText(1, ColLabel, "caf\xE9");
    QCOMPARE(grid.data(grid.index(0, ColName)).toString(), QStringLiteral("caf\u00e9"));
    QCOMPARE(grid.data(grid.index(0, ColLabel)).toString(), QStringLiteral("caf\u00e9"));
    QCOMPARE(grid.data(grid.index(1, ColCols), ItemGrid::ColourRole).toUInt(), 0xFFu);

    grid.clearItems();
    QCOMPARE(columnOf(grid, ColType), QByteArrayList{""});
    QCOMPARE(grid.cellColour(1, ColCols), 0u);
}

// A moved row takes its cells and their colours along; the model reports one move.
void TestModel::moveRowCarriesTextAndColour_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArrayList>("order");
    QTest::newRow("down one") << 2 << 3 << QByteArrayList{"A", "C", "B", "D"};
    QTest::newRow("up one") << 3 << 2 << QByteArrayList{"A", "C", "B", "D"};
    QTest::newRow("first to last") << 1 << 4 << QByteArrayList{"B", "C", "D", "A"};
    QTest::newRow("last to first") << 4 << 1 << QByteArrayList{"D", "A", "B", "C"};
    QTest::newRow("onto itself") << 2 << 2 << QByteArrayList{"A", "B", "C", "D"};
    QTest::newRow("onto the header") << 2 << 0 << QByteArrayList{"A", "B", "C", "D"};
    QTest::newRow("past the end") << 4 << 5 << QByteArrayList{"A", "B", "C", "D"};
}

void TestModel::moveRowCarriesTextAndColour()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QByteArrayList, order);
    ItemGrid grid;
    QAbstractItemModelTester tester(&grid);
    const QByteArrayList names{"A", "B", "C", "D"};
    for (int row = 1; row <= names.size(); ++row) {
        if (row > 1)
            grid.addRow(row);
        grid.setText(row, ColType, names.at(row - 1));
        grid.setText(row, ColName, names.at(row - 1).toLower());
        grid.setCellColour(row, ColName, 0x100u + quint32(row)); // a colour per row
    }
    // Views follow rows through persistent indexes; each must still point at its row.
    QList<QPersistentModelIndex> followed;
    for (int row = 0; row < names.size(); ++row)
        followed << QPersistentModelIndex(grid.index(row, ColName));
    QSignalSpy moved(&grid, &QAbstractItemModel::rowsMoved);
    grid.moveRow(from, to);

    QCOMPARE(columnOf(grid, ColType), order);
    QCOMPARE(moved.size(), order == names ? 0 : 1);
    for (int row = 1; row < grid.rows(); ++row) {
        const int was = int(names.indexOf(grid.text(row, ColType))) + 1;
        QCOMPARE(grid.text(row, ColName), names.at(was - 1).toLower());
        QCOMPARE(grid.cellColour(row, ColName), 0x100u + quint32(was));
        QCOMPARE(followed.at(was - 1).row(), row - 1);
    }
}

// The current cell stays on an item row and a column, is reported once per change, and
// follows the last row when that row goes.
void TestModel::currentCell()
{
    ItemGrid grid;
    grid.addRow(2, "Label");
    grid.addRow(3, "Image");
    QSignalSpy changed(&grid, &ItemGrid::currentCellChanged);

    grid.setCurrentCell(3, 2);
    grid.setCurrentCell(3, 2);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.takeFirst(), (QVariantList{3, 2}));
    grid.setCurrentCell(0, 99);
    QCOMPARE(grid.currentRow(), 1);
    QCOMPARE(grid.currentColumn(), 7);

    grid.setCurrentCell(9, 3);
    QCOMPARE(grid.currentRow(), 3);
    changed.clear();
    grid.removeRow(3);
    QCOMPARE(grid.currentRow(), 2);
    QCOMPARE(changed.size(), 1);
    grid.clearItems();
    QCOMPARE(grid.currentRow(), 1);
    QCOMPARE(grid.currentColumn(), 1);
}

// Every choice is followed by '|'; decoding drops the text after the last one.
void TestModel::choices_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArrayList>("choices");
    QTest::addColumn<bool>("encoded"); // `list` is what EncodeChoices gives for `choices`
    QTest::newRow("two") << QByteArray("Red|Green|") << QByteArrayList{"Red", "Green"} << true;
    QTest::newRow("none") << QByteArray("") << QByteArrayList{} << true;
    QTest::newRow("empty choices") << QByteArray("||") << QByteArrayList{"", ""} << true;
    QTest::newRow("empty in the middle")
        << QByteArray("A||B|") << QByteArrayList{"A", "", "B"} << true;
    QTest::newRow("blanks, 8-bit bytes")
        << QByteArray(" a |\xE9|") << QByteArrayList{" a ", "\xE9"} << true;
    QTest::newRow("no final delimiter")
        << QByteArray("Red|Green") << QByteArrayList{"Red"} << false;
    QTest::newRow("a||b|c") << QByteArray("a||b|c") << QByteArrayList{"a", "", "b"} << false;
    QTest::newRow("no delimiter") << QByteArray("Red") << QByteArrayList{} << false;
}

void TestModel::choices()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArrayList, choices);
    QFETCH(bool, encoded);
    QCOMPARE(DecodeChoices(list), choices);
    if (encoded)
        QCOMPARE(EncodeChoices(choices), list);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
