// Tests of the document model: item types, the slot table, the item store, the choices,
// how cell bytes and typed text convert into each other, and the typed settings.
#include "Choices.h"
#include "FormSlots.h"
#include "ItemGrid.h"
#include "SettingsStore.h"
#include "TextBytes.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

static QByteArrayList columnOf(const ItemGrid &grid, int col)
{
    QByteArrayList cells;
    for (int row = 1; row < grid.rows(); ++row)
        cells << grid.text(row, col);
    return cells;
}

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    // The nine display names and codes round-trip; names compare exactly.
    void itemTypes()
    {
        QSet<QString> names;
        for (int code = ItemLabel; code <= ItemImage; ++code) {
            names << ItemTypeName(code);
            QCOMPARE(ItemTypeCode(ItemTypeName(code).toUtf8()), code);
        }
        QCOMPARE(names.size(), 9);
        QCOMPARE(ItemTypeName(-1) + ItemTypeName(9), QString());
        QCOMPARE(ItemTypeCode(QStringLiteral("radio button")), -1);
    }

    // Slots go out in order; a free one is reused with its flags cleared and its properties
    // left for the caller; the table never shrinks and holds nine.
    void slotTable()
    {
        FormSlots table;
        QVERIFY(!table.AnyFormOpen());
        for (int expected = 1; expected <= 3; ++expected)
            QCOMPARE(table.AllocateFormSlot(), expected);
        WebFormInfo &second = table.FormInfo[2];
        second.OutputFile = "old.htm";
        second.Changed = second.SlotFree = true;
        QCOMPARE(table.AllocateFormSlot(), 2);
        QVERIFY(!second.SlotFree && !second.Changed && second.OutputFile == "old.htm");
        for (int expected = 4; expected <= 9; ++expected)
            QCOMPARE(table.AllocateFormSlot(), expected);
        QCOMPARE(table.AllocateFormSlot(), -1);
        QCOMPARE(table.WebForms.size(), 10);
        for (int slot = 1; slot <= 9; ++slot)
            table.FormInfo[slot].SlotFree = slot != 7;
        QVERIFY(table.AnyFormOpen());
        table.FormInfo[7].SlotFree = true;
        QVERIFY(!table.AnyFormOpen());
        QCOMPARE(table.AllocateFormSlot(), 1);
        table.reset();
        QCOMPARE(table.upperIndex(), 0);
    }

    // Rows go in where asked and keep their colours when others go, with changingRows() set
    // while the model reports it; the header and cells outside the rows stay alone. The
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
        grid.addRow(2, "Label");
        grid.addRow(3, "Image");
        grid.addRow(2, "Text Field"); // between the placeholder and Label
        grid.setCellColour(3, ColCols, 0xFF);
        grid.removeRow(1);
        QCOMPARE(columnOf(grid, ColType), (QByteArrayList{"Text Field", "Label", "Image"}));
        QCOMPARE(grid.cellColour(2, ColCols), 0xFFu);
        QCOMPARE(grid.cellColour(3, ColCols), 0u);
        QCOMPARE(changing, QList<bool>(4, true));
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
        QCOMPARE(current.size(), 0);
        QCOMPARE(grid.text(0, ColName), QByteArray("Name"));
        QVERIFY(grid.text(4, ColName).isEmpty() && grid.cellColour(0, ColName) == 0);

        // Cells hold bytes; the view gets them as text without losing any.
        grid.setText(1, ColName, "caf\xC3\xA9");
        grid.setText(1, ColLabel, "caf\xE9");
        QCOMPARE(grid.data(grid.index(0, ColName)).toString(), QStringLiteral("caf\u00e9"));
        QCOMPARE(grid.data(grid.index(0, ColLabel)).toString(), QStringLiteral("caf\u00e9"));
        QCOMPARE(grid.data(grid.index(1, ColCols), ItemGrid::ColourRole).toUInt(), 0xFFu);
        grid.removeRow(3);
        QCOMPARE(current.takeFirst(), (QVariantList{2, 2}));
        grid.clearItems();
        QCOMPARE(columnOf(grid, ColType), QByteArrayList{""});
        QCOMPARE(grid.cellColour(1, ColCols), 0u);
        QCOMPARE(current.takeFirst(), (QVariantList{1, 1}));
    }

    // A moved row takes its cells, colours and persistent indexes along; one move is
    // reported, with changingRows() set.
    void moveRowCarriesTextAndColour()
    {
        const QByteArrayList names{"A", "B", "C", "D"};
        const QList<std::tuple<int, int, QByteArrayList>> cases{{2, 3, {"A", "C", "B", "D"}},
                                                                {4, 1, {"D", "A", "B", "C"}},
                                                                {2, 2, names},
                                                                {2, 0, names}};
        for (const auto &[from, to, order] : cases) {
            ItemGrid grid;
            QAbstractItemModelTester tester(&grid);
            QList<QPersistentModelIndex> followed;
            for (int row = 1; row <= 4; ++row) {
                if (row > 1)
                    grid.addRow(row);
                grid.setText(row, ColType, names.at(row - 1));
                grid.setCellColour(row, ColName, 0x100u + quint32(row)); // a colour per row
                followed << QPersistentModelIndex(grid.index(row - 1, ColName));
            }
            QList<bool> changing;
            connect(&grid, &QAbstractItemModel::rowsMoved, this,
                    [&] { changing << grid.changingRows(); });
            grid.moveRow(from, to);
            QCOMPARE(columnOf(grid, ColType), order);
            QCOMPARE(changing, order == names ? QList<bool>{} : QList<bool>{true});
            for (int row = 1; row < grid.rows(); ++row) {
                const int was = int(names.indexOf(grid.text(row, ColType)));
                QCOMPARE(grid.cellColour(row, ColName), 0x101u + quint32(was));
                QCOMPARE(followed.at(was).row(), row - 1);
            }
        }
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
        QTest::addColumn<QByteArray>("typed"); // what typing `shown` afresh stores
        QTest::newRow("ASCII, markup included")
            << QByteArray("Name: <b>x</b>&amp;") << "Name: <b>x</b>&amp;"
            << QByteArray("Name: <b>x</b>&amp;");
        QTest::newRow("beyond ASCII")
            << QByteArray("traducci&#243;n") << "traducción" << QByteArray("traducci&#243;n");
        QTest::newRow("hexadecimal, leading zeros")
            << QByteArray("&#xF3;&#XD3;&#00233;") << "óÓé" << QByteArray("&#243;&#211;&#233;");
        QTest::newRow("beyond 16 bits")
            << QByteArray("&#x1F600;") << "\U0001F600" << QByteArray("&#128512;");
        QTest::newRow("UTF-8 from a file")
            << QByteArray("caf\xC3\xA9 &#243;") << "café ó" << QByteArray("caf&#233; &#243;");
        QTest::newRow("ISO-8859-1 from a file")
            << QByteArray("caf\xE9") << "café" << QByteArray("caf&#233;");
        // ASCII (a label's "&#60;" must not turn into markup), the range browsers read as
        // windows-1252, surrogates, beyond Unicode, malformed: all shown as written.
        const QByteArray literal =
            "&#60;b&#62; &#128; &#xD800; &#1114112; &#243 &#; &#x; &#12a; &#999999999;";
        QTest::newRow("references shown as written")
            << literal << QString::fromLatin1(literal) << literal;
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

    // File names are the file system's bytes: typed as UTF-8, kept as read when unchanged.
    void fileNames()
    {
        QCOMPARE(textToFileName(QStringLiteral("/home/ana/año.htm")),
                 QByteArray("/home/ana/a\xC3\xB1o.htm"));
        QCOMPARE(textToFileName(QStringLiteral("a\u00F1o.htm"), "a\xF1o.htm"),
                 QByteArray("a\xF1o.htm"));
        QCOMPARE(decodeBytes("a&#241;o.htm"), QStringLiteral("a&#241;o.htm"));
    }

    // A stored setting as the program takes it: a colour outside 0 to 0xFFFFFF or not a
    // decimal is yellow; only "False" in any case turns the wizard off. Both round-trip.
    void typedSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // null: missing
        QTest::addColumn<quint32>("value");  // the colour, or 1/0 for the wizard
        const QString colour = SettingsStore::HighlightColourKey;
        const QString wizard = SettingsStore::DisplayWizardKey;
        const QList<std::tuple<const char *, QString, QString, quint32>> rows{
            {"colour missing", colour, QString(), 65535},
            {"colour 0", colour, "0", 0},
            {"colour 0xFFFFFF", colour, "16777215", 0xFFFFFF},
            {"colour above 0xFFFFFF", colour, "16777216", 65535},
            {"colour negative", colour, "-1", 65535},
            {"colour not a number", colour, "red", 65535},
            {"wizard missing", wizard, QString(), 1},
            {"wizard False", wizard, "False", 0},
            {"wizard false", wizard, "false", 0},
            {"wizard True", wizard, "True", 1},
            {"wizard not a Boolean", wizard, "no", 1}};
        for (const auto &[name, key, stored, value] : rows)
            QTest::newRow(name) << key << stored << value;
    }
    void typedSettings()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(quint32, value);
        QFile::remove(SettingsStore::fileName());
        if (!stored.isNull())
            SettingsStore::write(SettingsStore::SettingsSection, key, stored);
        const bool isColour = key == SettingsStore::HighlightColourKey;
        QCOMPARE(isColour ? SettingsStore::highlightColour()
                          : quint32(SettingsStore::displayWizard()),
                 value);
        isColour ? SettingsStore::setHighlightColour(value ^ 0x10101)
                 : SettingsStore::setDisplayWizard(!value);
        QCOMPARE(isColour ? SettingsStore::highlightColour()
                          : quint32(SettingsStore::displayWizard()),
                 value ^ (isColour ? 0x10101 : 1));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
