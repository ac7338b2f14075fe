// Tests of the HTML form generator: the exact lines written per item type, the form tag and
// buttons, the switches and choice lists, and what is quoted and what goes in raw.
#include "HtmlGenerator.h"
#include "TestDocument.h"

#include <QTest>

using namespace TestDocument;

namespace {

const QByteArray StartMarker = "<!-- FORM_START_CMD: Do NOT edit or remove this line. -->";
const QByteArray EndMarker = "<!-- FORM_END_CMD: Do NOT edit or remove this line. -->";

// The block, generated after the single line of a buffer.
QByteArrayList block(const ItemGrid &grid, const WebFormInfo &info)
{
    TextFile buffer;
    buffer.ResetFile("<BODY>");
    GenerateFormCode(buffer, 1, grid, info);
    QByteArrayList lines;
    buffer.ToListbox(lines);
    lines.removeFirst();
    return lines;
}

// Only the lines of the items: without buttons the block is start marker, form tag, the
// items, </FORM> and end marker.
QByteArrayList itemLines(const QByteArrayList &cells)
{
    WebFormInfo info = newInfo();
    info.SubmitText.clear();
    info.ResetText.clear();
    const QByteArrayList lines = block(*gridOf(cells), info);
    return lines.mid(2, lines.size() - 4);
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void frameAndButtons_data();
    void frameAndButtons();
    void formTag_data();
    void formTag();
    void linesPerType_data();
    void linesPerType();
    void switches_data();
    void switches();
    void choices_data();
    void choices();
    void rowsInGridOrderUnknownSkipped();
};

void TestGenerator::workedExample()
{
    WebFormInfo info = newInfo();
    info.CGIFile = "/cgi-bin/order.pl";
    info.SubmitText = "Send";
    info.ResetText = "Clear";
    // clang-format off
    const auto grid = gridOf({
        "Label", "", "", "Order form", "", "", "", "",
        "Text Field", "fullname", "", "Your name:", "30", "", "40", "",
        "Hidden Field", "source", "web", "", "", "", "", "",
        "Text Area", "notes", "none", "Notes:", "40", "4", "", "",
        "Selection", "size", "Disallow multiple selections", "Size:", "", "1", "", "Small|Medium|Large|",
        "Checkbox", "gift", "Checked", "Gift wrap", "", "", "", "",
        "Radio Button", "ship", "Off", "Express", "", "", "", "express",
        "Image", "go", "go.gif", "", "", "", "", "Middle",
    });
    // clang-format on
    QCOMPARE(
        block(*grid, info),
        (QByteArrayList{
            StartMarker,
            "<FORM ACTION=\"/cgi-bin/order.pl\" METHOD=\"POST\">",
            "<BR><B>Order form</B><BR>",
            "Your name:",
            "<INPUT Type=\"text\" Name=\"fullname\" Size=\"30\" Maxlength=\"40\" Value=\"\"><BR>",
            "<INPUT Type=\"Hidden\" Name=\"source\" Value=\"web\">",
            "Notes:<BR>",
            "<TEXTAREA Name=\"notes\" Cols=\"40\" Rows=\"4\">none</TEXTAREA><BR>",
            "Size:<BR>",
            "<SELECT Name=\"size\" Size=\"1\">",
            "<OPTION>Small",
            "<OPTION>Medium",
            "<OPTION>Large",
            "</SELECT><BR>",
            "Gift wrap",
            "<INPUT Type=\"checkbox\" Name=\"gift\" Checked><BR>",
            "Express",
            "<INPUT Type=\"radio\" Name=\"ship\" Value=\"express\"><BR>",
            "",
            "<INPUT Type=\"image\" Name=\"go\" Src=\"go.gif\" Align=\"Middle\"><BR>",
            "<BR><INPUT Type=\"Submit\" Value=\"Send\">",
            "<INPUT Type=\"Reset\" Value=\"Clear\">",
            "</FORM>",
            EndMarker,
        }));
}

// A document without items (its placeholder row only) gives the frame of the block; a
// button line appears only when its caption is not empty, and its caption is quoted.
void TestGenerator::frameAndButtons_data()
{
    QTest::addColumn<QByteArray>("submit");
    QTest::addColumn<QByteArray>("reset");
    QTest::addColumn<QByteArrayList>("buttons");
    QTest::newRow("both") << QByteArray("Submit") << QByteArray("Reset")
                          << QByteArrayList{"<BR><INPUT Type=\"Submit\" Value=\"Submit\">",
                                            "<INPUT Type=\"Reset\" Value=\"Reset\">"};
    QTest::newRow("neither") << QByteArray() << QByteArray() << QByteArrayList{};
    QTest::newRow("submit only") << QByteArray("Go \"now\"") << QByteArray()
                                 << QByteArrayList{
                                        "<BR><INPUT Type=\"Submit\" Value=\"Go &quot;now&quot;\">"};
    QTest::newRow("reset only") << QByteArray() << QByteArray("<Undo>")
                                << QByteArrayList{"<INPUT Type=\"Reset\" Value=\"<Undo>\">"};
}

void TestGenerator::frameAndButtons()
{
    QFETCH(QByteArray, submit);
    QFETCH(QByteArray, reset);
    QFETCH(QByteArrayList, buttons);
    WebFormInfo info = newInfo();
    info.SubmitText = submit;
    info.ResetText = reset;
    const QByteArrayList frame{StartMarker, "<FORM ACTION=\"\" METHOD=\"POST\">"};
    const QByteArrayList end{"</FORM>", EndMarker};
    QCOMPARE(block(ItemGrid(), info), frame + buttons + end);
}

// ENCTYPE appears for any media type but the exact default; '"' in an attribute value
// becomes &quot; and nothing else is escaped.
void TestGenerator::formTag_data()
{
    QTest::addColumn<QByteArray>("cgi");
    QTest::addColumn<bool>("get");
    QTest::addColumn<QByteArray>("media");
    QTest::addColumn<QByteArray>("tag");

    const QByteArray standard = "application/x-www-form-urlencoded";
    QTest::newRow("POST") << QByteArray("/c") << false << standard
                          << QByteArray("<FORM ACTION=\"/c\" METHOD=\"POST\">");
    QTest::newRow("GET") << QByteArray("/c") << true << standard
                         << QByteArray("<FORM ACTION=\"/c\" METHOD=\"GET\">");
    QTest::newRow("multipart")
        << QByteArray("/c") << false << QByteArray("multipart/form-data")
        << QByteArray("<FORM ACTION=\"/c\" METHOD=\"POST\" ENCTYPE=\"multipart/form-data\">");
    QTest::newRow("capital A") << QByteArray("/c") << true << "A" + standard.mid(1)
                               << "<FORM ACTION=\"/c\" METHOD=\"GET\" ENCTYPE=\"A" +
                                      standard.mid(1) + "\">";
    QTest::newRow("trailing blank")
        << QByteArray("/c") << false << standard + " "
        << "<FORM ACTION=\"/c\" METHOD=\"POST\" ENCTYPE=\"" + standard + " \">";
    QTest::newRow("empty type") << QByteArray() << false << QByteArray()
                                << QByteArray("<FORM ACTION=\"\" METHOD=\"POST\" ENCTYPE=\"\">");
    QTest::newRow("quotes")
        << QByteArray("/a\"b\".pl") << false << QByteArray("x\"y")
        << QByteArray("<FORM ACTION=\"/a&quot;b&quot;.pl\" METHOD=\"POST\" ENCTYPE=\"x&quot;y\">");
    QTest::newRow("nothing else escaped")
        << QByteArray("/f?a=1&b=<2>'") << false << standard
        << QByteArray("<FORM ACTION=\"/f?a=1&b=<2>'\" METHOD=\"POST\">");
}

void TestGenerator::formTag()
{
    QFETCH(QByteArray, cgi);
    QFETCH(bool, get);
    QFETCH(QByteArray, media);
    QFETCH(QByteArray, tag);
    WebFormInfo info = newInfo();
    info.CGIFile = cgi;
    info.MethodGet = get;
    info.MediaType = media;
    QCOMPARE(block(ItemGrid(), info).at(1), tag);
}

// The same cells under every type, each holding a '"': a type reads only its own cells,
// attribute values get &quot;, and label, option and text-area texts go in raw.
void TestGenerator::linesPerType_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArrayList>("lines");
    const QByteArray label = "<I>\"L\"</I>";
    QTest::newRow("Label") << QByteArray("Label") << QByteArrayList{"<BR><B>" + label + "</B><BR>"};
    QTest::newRow("Text Field") << QByteArray("Text Field")
                                << QByteArrayList{
                                       label,
                                       "<INPUT Type=\"text\" Name=\"n&quot;\" Size=\"c&quot;\" "
                                       "Maxlength=\"m&quot;\" Value=\"d&quot;&amp;\"><BR>"};
    QTest::newRow("Password Field")
        << QByteArray("Password Field")
        << QByteArrayList{label, "<INPUT Type=\"password\" Name=\"n&quot;\" Size=\"c&quot;\" "
                                 "Maxlength=\"m&quot;\" Value=\"d&quot;&amp;\"><BR>"};
    QTest::newRow("Hidden Field")
        << QByteArray("Hidden Field")
        << QByteArrayList{"<INPUT Type=\"Hidden\" Name=\"n&quot;\" Value=\"d&quot;&amp;\">"};
    QTest::newRow("Text Area")
        << QByteArray("Text Area")
        << QByteArrayList{label + "<BR>",
                          "<TEXTAREA Name=\"n&quot;\" Cols=\"c&quot;\" Rows=\"r&quot;\">"
                          "d\"&amp;</TEXTAREA><BR>"};
    QTest::newRow("Selection") << QByteArray("Selection")
                               << QByteArrayList{label + "<BR>",
                                                 "<SELECT Name=\"n&quot;\" Size=\"r&quot;\">",
                                                 "<OPTION>\"o\"", "<OPTION><b>", "</SELECT><BR>"};
    QTest::newRow("Checkbox") << QByteArray("Checkbox")
                              << QByteArrayList{label,
                                                "<INPUT Type=\"checkbox\" Name=\"n&quot;\"><BR>"};
    QTest::newRow("Radio Button")
        << QByteArray("Radio Button")
        << QByteArrayList{
               label, "<INPUT Type=\"radio\" Name=\"n&quot;\" Value=\"&quot;o&quot;|<b>|\"><BR>"};
    QTest::newRow("Image") << QByteArray("Image")
                           << QByteArrayList{
                                  label,
                                  "<INPUT Type=\"image\" Name=\"n&quot;\" Src=\"d&quot;&amp;\" "
                                  "Align=\"&quot;o&quot;|<b>|\"><BR>"};
}

void TestGenerator::linesPerType()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(
        itemLines({type, "n\"", "d\"&amp;", "<I>\"L\"</I>", "c\"", "r\"", "m\"", "\"o\"|<b>|"}),
        lines);
}

// The three switches compare exactly; every other text, the dialogs' opposite words
// included, leaves them off.
void TestGenerator::switches_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<QByteArray>("line");
    const auto add = [](const char *type, const char *state, const char *line) {
        QTest::addRow("%s \"%s\"", type, state)
            << QByteArray(type) << QByteArray(state) << QByteArray(line);
    };
    add("Selection", "Allow multiple selections", "<SELECT Name=\"n\" Size=\"\" Multiple>");
    for (const char *off : {"Disallow multiple selections", "allow multiple selections",
                            "Allow multiple selections "})
        add("Selection", off, "<SELECT Name=\"n\" Size=\"\">");
    add("Checkbox", "Checked", "<INPUT Type=\"checkbox\" Name=\"n\" Checked><BR>");
    for (const char *off : {"checked", "Unchecked", ""})
        add("Checkbox", off, "<INPUT Type=\"checkbox\" Name=\"n\"><BR>");
    add("Radio Button", "On", "<INPUT Type=\"radio\" Name=\"n\" Value=\"v\" Checked><BR>");
    for (const char *off : {"on", "ON", "Off", "Checked"})
        add("Radio Button", off, "<INPUT Type=\"radio\" Name=\"n\" Value=\"v\"><BR>");
}

void TestGenerator::switches()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, state);
    QFETCH(QByteArray, line);
    QCOMPARE(itemLines({type, "n", state, "", "", "", "", "v"}).at(1), line);
}

// The Other cell of a Selection is cut at each '|'; the text after the last one is no
// choice.
void TestGenerator::choices_data()
{
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QByteArrayList>("options");
    QTest::newRow("three") << QByteArray("Small|Medium|Large|")
                           << QByteArrayList{"<OPTION>Small", "<OPTION>Medium", "<OPTION>Large"};
    QTest::newRow("no final delimiter") << QByteArray("Red|Green") << QByteArrayList{"<OPTION>Red"};
    QTest::newRow("empty choice") << QByteArray("A||B|")
                                  << QByteArrayList{"<OPTION>A", "<OPTION>", "<OPTION>B"};
    QTest::newRow("no delimiter at all") << QByteArray("Red") << QByteArrayList{};
    QTest::newRow("blanks kept") << QByteArray(" a | b |")
                                 << QByteArrayList{"<OPTION> a ", "<OPTION> b "};
}

void TestGenerator::choices()
{
    QFETCH(QByteArray, other);
    QFETCH(QByteArrayList, options);
    const QByteArrayList select{"Size:<BR>", "<SELECT Name=\"size\" Size=\"1\">"};
    QCOMPARE(itemLines({"Selection", "size", "", "Size:", "", "1", "", other}),
             select + options + QByteArrayList{"</SELECT><BR>"});
}

// Rows come out in grid order, duplicates included; a row whose Type is not exactly a
// display name (the empty placeholder too) gives nothing.
void TestGenerator::rowsInGridOrderUnknownSkipped()
{
    // clang-format off
    const QByteArrayList cells{
        "", "", "", "placeholder", "", "", "", "",
        "Hidden Field", "a", "1", "", "", "", "", "",
        "Button", "b", "2", "Press", "", "", "", "",
        "label", "", "", "lower case", "", "", "", "",
        "Label ", "", "", "blank after", "", "", "", "",
        "Hidden Field", "a", "1", "", "", "", "", "",
        "Label", "", "", "Last", "", "", "", "",
    };
    // clang-format on
    const QByteArray hidden = "<INPUT Type=\"Hidden\" Name=\"a\" Value=\"1\">";
    QCOMPARE(itemLines(cells), (QByteArrayList{hidden, hidden, "<BR><B>Last</B><BR>"}));
}

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
