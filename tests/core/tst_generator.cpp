// Tests of the HTML form generator: the lines per item type, and what is quoted.
#include "HtmlGenerator.h"
#include "TestDocument.h"

#include <QTest>

using namespace TestDocument;

// The lines of a block generated into a buffer, from the form tag to the last before </FORM>.
static QByteArrayList formLines(const QByteArrayList &cells, const WebFormInfo &info)
{
    TextFile buffer;
    buffer.ResetFile("<BODY>");
    GenerateFormCode(buffer, 1, *gridOf(cells), info);
    QByteArrayList lines;
    buffer.ToListbox(lines);
    return lines.mid(2, lines.size() - 4);
}

// The lines of the items alone: between the form tag and a new document's two buttons.
static QByteArrayList itemLines(const QByteArrayList &cells)
{
    const QByteArrayList lines = formLines(cells, newInfo());
    return lines.mid(1, lines.size() - 3);
}

class TestGenerator : public QObject
{
    Q_OBJECT

private slots:
    // The form tag and buttons: ENCTYPE for any media type but the exact default (as in the
    // conversion tests); a button only for a caption; of attribute values only '"' is escaped.
    void formTagAndButtons_data()
    {
        QTest::addColumn<QByteArrayList>("props"); // CGI, "True" for GET, media, submit, reset
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("GET, submit only")
            << QByteArrayList{"/c", "True", "a\"b", "Go \"now\"", ""}
            << QByteArrayList{"<FORM ACTION=\"/c\" METHOD=\"GET\" ENCTYPE=\"a&quot;b\">",
                              "<BR><INPUT Type=\"Submit\" Value=\"Go &quot;now&quot;\">"};
        QTest::newRow("default media with a blank, reset only")
            << QByteArrayList{"/c", "False", "application/x-www-form-urlencoded ", "", "<Undo>"}
            << QByteArrayList{"<FORM ACTION=\"/c\" METHOD=\"POST\" "
                              "ENCTYPE=\"application/x-www-form-urlencoded \">",
                              "<INPUT Type=\"Reset\" Value=\"<Undo>\">"};
        QTest::newRow("quotes, empty media and captions")
            << QByteArrayList{"/\"?a=1&b=<2>'", "False", "", "", ""}
            << QByteArrayList{"<FORM ACTION=\"/&quot;?a=1&b=<2>'\" METHOD=\"POST\" ENCTYPE=\"\">"};
    }
    void formTagAndButtons()
    {
        QFETCH(QByteArrayList, props);
        QFETCH(QByteArrayList, lines);
        QCOMPARE(formLines({}, infoOf(QByteArrayList{""} + props)), lines);
    }

    // The same cells under each type (the row's name), each holding a '"': a type reads only
    // its own cells, attribute values get &quot;, and label, option and text-area texts go in raw.
    void quotingPerType_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        const QByteArray label = "<I>\"L\"</I>";
        const auto add = [](const char *type, const QByteArrayList &lines) {
            QTest::newRow(type) << lines;
        };
        add("Password Field", {label, "<INPUT Type=\"password\" Name=\"n&quot;\" Size=\"c&quot;\" "
                                      "Maxlength=\"m&quot;\" Value=\"d&quot;&amp;\"><BR>"});
        add("Hidden Field", {"<INPUT Type=\"Hidden\" Name=\"n&quot;\" Value=\"d&quot;&amp;\">"});
        add("Text Area", {label + "<BR>", "<TEXTAREA Name=\"n&quot;\" Cols=\"c&quot;\" "
                                          "Rows=\"r&quot;\">d\"&amp;</TEXTAREA><BR>"});
        add("Selection", {label + "<BR>", "<SELECT Name=\"n&quot;\" Size=\"r&quot;\">",
                          "<OPTION>\"o\"", "<OPTION><b>", "</SELECT><BR>"});
        add("Checkbox", {label, "<INPUT Type=\"checkbox\" Name=\"n&quot;\"><BR>"});
        add("Radio Button",
            {label, "<INPUT Type=\"radio\" Name=\"n&quot;\" Value=\"&quot;o&quot;|<b>|\"><BR>"});
        add("Image", {label, "<INPUT Type=\"image\" Name=\"n&quot;\" Src=\"d&quot;&amp;\" "
                             "Align=\"&quot;o&quot;|<b>|\"><BR>"});
    }
    void quotingPerType()
    {
        QFETCH(QByteArrayList, lines);
        QCOMPARE(itemLines({QTest::currentDataTag(), "n\"", "d\"&amp;", "<I>\"L\"</I>", "c\"",
                            "r\"", "m\"", "\"o\"|<b>|"}),
                 lines);
    }

    // The switches compare exactly. Rows come out in grid order, duplicates included; a
    // Type that is not exactly a display name (the empty placeholder too) gives nothing.
    void switchesAndUnknownTypes()
    {
        const auto line = [](const char *type, const char *state) {
            return itemLines({type, "n", state, "", "", "", "", "v"}).at(1);
        };
        QCOMPARE(line("Selection", "Allow multiple selections"),
                 "<SELECT Name=\"n\" Size=\"\" Multiple>");
        QCOMPARE(line("Selection", "allow multiple selections"), "<SELECT Name=\"n\" Size=\"\">");
        QCOMPARE(line("Checkbox", "Checked"), "<INPUT Type=\"checkbox\" Name=\"n\" Checked><BR>");
        QCOMPARE(line("Checkbox", "checked"), "<INPUT Type=\"checkbox\" Name=\"n\"><BR>");
        QCOMPARE(line("Radio Button", "On"),
                 "<INPUT Type=\"radio\" Name=\"n\" Value=\"v\" Checked><BR>");
        QCOMPARE(line("Radio Button", "on"), "<INPUT Type=\"radio\" Name=\"n\" Value=\"v\"><BR>");

        const QByteArrayList hidden{"Hidden Field", "a", "1", "", "", "", "", ""};
        const QByteArrayList others{"Button", "b", "2", "Press", "", "", "", "",
                                    "Label ", "",  "",  "Blank", "", "", "", "",
                                    "Label",  "",  "",  "Last",  "", "", "", ""};
        const QByteArray hiddenLine = "<INPUT Type=\"Hidden\" Name=\"a\" Value=\"1\">";
        QCOMPARE(itemLines(QByteArrayList(8, "") + hidden + others + hidden),
                 (QByteArrayList{hiddenLine, "<BR><B>Last</B><BR>", hiddenLine}));
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
