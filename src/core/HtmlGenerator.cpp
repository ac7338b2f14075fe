#include "HtmlGenerator.h"

#include "Choices.h"

namespace {

QByteArray attr(const QByteArray &value)
{
    QByteArray quoted = value;
    quoted.replace('"', "&quot;");
    return quoted;
}

// Inserts each line it is given after the previous one.
class BlockWriter
{
public:
    BlockWriter(TextFile &buffer, qint32 afterline) : m_buffer(buffer), m_line(afterline) {}
    BlockWriter &operator<<(const QByteArray &line)
    {
        m_buffer.InsertLine(m_line, line);
        return *this;
    }

private:
    TextFile &m_buffer;
    qint32 m_line;
};

void itemLines(const ItemGrid::Row &cell, BlockWriter &out)
{
    const QByteArray &name = cell[ColName];
    const QByteArray &deflt = cell[ColDefault];
    const QByteArray &label = cell[ColLabel];
    switch (ItemTypeCode(cell[ColType])) {
    case ItemLabel:
        out << "<BR><B>" + label + "</B><BR>";
        break;
    case ItemTextField:
    case ItemPasswordField: {
        const QByteArray type = ItemTypeCode(cell[ColType]) == ItemTextField ? "text" : "password";
        out << label;
        out << "<INPUT Type=\"" + type + "\" Name=\"" + attr(name) + "\" Size=\"" +
                   attr(cell[ColCols]) + "\" Maxlength=\"" + attr(cell[ColMax]) + "\" Value=\"" +
                   attr(deflt) + "\"><BR>";
        break;
    }
    case ItemHiddenField:
        out << "<INPUT Type=\"Hidden\" Name=\"" + attr(name) + "\" Value=\"" + attr(deflt) + "\">";
        break;
    case ItemTextArea:
        out << label + "<BR>";
        out << "<TEXTAREA Name=\"" + attr(name) + "\" Cols=\"" + attr(cell[ColCols]) +
                   "\" Rows=\"" + attr(cell[ColRows]) + "\">" + deflt + "</TEXTAREA><BR>";
        break;
    case ItemSelection: {
        out << label + "<BR>";
        const QByteArray multiple = deflt == ItemState::AllowMultiple ? " Multiple" : "";
        out << "<SELECT Name=\"" + attr(name) + "\" Size=\"" + attr(cell[ColRows]) + "\"" +
                   multiple + ">";
        for (const QByteArray &choice : DecodeChoices(cell[ColOther]))
            out << "<OPTION>" + choice;
        out << "</SELECT><BR>";
        break;
    }
    case ItemCheckbox:
        out << label;
        out << "<INPUT Type=\"checkbox\" Name=\"" + attr(name) + "\"" +
                   (deflt == ItemState::Checked ? " Checked" : "") + "><BR>";
        break;
    case ItemRadioButton:
        out << label;
        out << "<INPUT Type=\"radio\" Name=\"" + attr(name) + "\" Value=\"" + attr(cell[ColOther]) +
                   "\"" + (deflt == ItemState::On ? " Checked" : "") + "><BR>";
        break;
    case ItemImage:
        out << label;
        out << "<INPUT Type=\"image\" Name=\"" + attr(name) + "\" Src=\"" + attr(deflt) +
                   "\" Align=\"" + attr(cell[ColOther]) + "\"><BR>";
        break;
    default:
        break; // not an item type: nothing
    }
}

} // namespace

QByteArray Markers::fullLine(const QByteArray &keyword)
{
    return "<!-- " + keyword + ": Do NOT edit or remove this line. -->";
}

QByteArray Markers::shortLine(const QByteArray &keyword)
{
    return "<!-- " + keyword + " -->";
}

void GenerateFormCode(TextFile &buffer, qint32 afterline, const ItemGrid &grid,
                      const WebFormInfo &info)
{
    BlockWriter out(buffer, afterline);
    out << Markers::fullLine(Markers::StartKeyword);
    QByteArray form =
        "<FORM ACTION=\"" + attr(info.CGIFile) + "\" METHOD=\"" + (info.MethodGet ? "GET" : "POST");
    if (info.MediaType != DefaultMediaType)
        form += "\" ENCTYPE=\"" + attr(info.MediaType);
    out << form + "\">";
    for (int row = 1; row < grid.rows(); ++row)
        itemLines(grid.rowCells(row), out);
    if (!info.SubmitText.isEmpty())
        out << "<BR><INPUT Type=\"Submit\" Value=\"" + attr(info.SubmitText) + "\">";
    if (!info.ResetText.isEmpty())
        out << "<INPUT Type=\"Reset\" Value=\"" + attr(info.ResetText) + "\">";
    out << "</FORM>";
    out << Markers::fullLine(Markers::EndKeyword);
}
