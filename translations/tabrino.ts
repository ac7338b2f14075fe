<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CommandActions</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Con&amp;vert to HTML</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Form Position...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prop&amp;erties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quick Start Wizard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text Field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password Field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hidden Field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text &amp;Area...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Checkbox...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Radio button...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Auto Cell Sizing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlight Colour...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Internal Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh Internal Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;External Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>The output file already exists but the form location cannot be determined.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to read the file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write to the output file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form successfully written to file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion operation failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a new form location (&apos;Select Form Position&apos; on the &apos;File&apos; menu).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify an output file (&apos;Properties&apos; on the &apos;File&apos; menu).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConvertCommand</name>
    <message>
        <source>Please select a new form location first (tabrino-convert --position LINE %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify an output file (tabrino-convert FORM.wfm OUTPUT).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--position needs a line number (1 or more)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--position takes a line number and one page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected a form file and at most one output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--remove-existing goes with --position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line 0 would put the form&apos;s start marker on the first line, where no conversion accepts it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the line after which the form goes (1 or more); the file has not been changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]
       tabrino-convert --position LINE [--remove-existing] PAGE.htm

Converts a Web Form File into an HTML page, exactly as Convert to HTML does.
OUTPUT defaults to the output file named in the form&apos;s properties. When OUTPUT
exists, the form replaces the block between its marker lines and the rest of the
page is kept; otherwise a new page is written.

  --preview          always write a new page, as the internal preview does
  --position LINE    mark PAGE.htm for a form: put the marker lines after line
                     LINE (1 or more); the next conversion into PAGE.htm fills
                     the space between them
  --remove-existing  with --position: first remove a form block written earlier
                     (without it such a page is left unchanged)
  --help             show this text
  --version          show the version

Exit status: 0 written, 1 refused or failed, 2 bad usage or unreadable form file.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentGuard</name>
    <message>
        <source>The file [%1] has been changed by another program since it was opened or saved here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save over it and lose those changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file [%1] has been changed by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to reload it and lose your changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to reload it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentLifecycle</name>
    <message>
        <source>The maximum number of files is already open.  Unable to create a new file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Web Form File to Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Web Form File to Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select HTML File to Select Position</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentRecovery</name>
    <message>
        <source>Tabrino ended without saving the changes to these forms:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to restore them? If you answer No, the changes are deleted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileFilters</name>
    <message>
        <source>Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web form</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileReading</name>
    <message>
        <source>Not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too large to be read into memory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>%1 Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open the help file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help pages are not installed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ItemEditing</name>
    <message>
        <source>Edit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the new label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amend the label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace all occurances of the old name with the new?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ItemGrid</name>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cols</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModalDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify the item name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NativePath</name>
    <message>
        <source>The file name contains a NUL byte</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageSplice</name>
    <message>
        <source>The file became shorter while it was read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PositionMarkers</name>
    <message>
        <source>Unable to read the file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file [%1] has %2 lines, too many to list for choosing a form position.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has not been changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to set form position in file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form position set in file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has not been changed; add --remove-existing to remove that code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 is outside the file, which has %2 lines.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML code generated by this application was found in the selected file.  Remove the existing code?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>The file is already open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only write-only mode is supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file name specified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing canceled by the application</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartupOptions</name>
    <message>
        <source>Usage: tabrino [FORM.wfm]
Design HTML forms and write them into web pages.

All arguments, joined by single spaces, are the path of a Web Form File to open,
relative to the current folder. Without one, the Quick Start Wizard opens (unless it
is switched off), and then a new form.

  -h, --help     show this text
  --version      show the version
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>SAVE: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOAD: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOAD: File does not exist or is zero bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE: There is nothing to save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE: No file specified</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebFormFile</name>
    <message>
        <source>Unable to open the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save the file [%1].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The maximum number of files is already open.  Unable to open the selected file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file [%1] ended before its closing [EOF] line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The items read up to that point have been loaded.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDesign</name>
    <message>
        <source>New file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move item up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move item down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert label...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert text field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert password field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert hidden field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert text area...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert selection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert checkbox...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert radio button...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A designer for HTML forms: build a form item by item, preview it, and write it into a web page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1 version %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEditField</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default &amp;entry:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display &amp;columns:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display &amp;rows:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum &amp;length:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEditImage</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source &amp;file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alignment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Image File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEditList</name>
    <message>
        <source>List Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter choice to add to the list:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choices may not contain the list item delimeter character.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEditSelect</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit List...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow &amp;multiple selections?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display &amp;rows:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Choices:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEditSwitch</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default &amp;state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmFileViewer</name>
    <message>
        <source>Select Web Form Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the line immediately BEFORE the required form position.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select the line after which the form is to go.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmProperties</name>
    <message>
        <source>Web Form Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: If the &quot;Submit text&quot; setting is set to blank, you must provide an image on the form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;CGI file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media &amp;type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Submit text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reset text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Output File for HTML Code</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmStartup</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2-bit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmWebForm</name>
    <message>
        <source>The form [%1] has changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmWizard</name>
    <message>
        <source>Quick Start Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 will help you get on the road quickly by creating a form for use with the FormMail script.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must know the location of the CGI script on your web server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the %1 when %2 starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING: The %1 has previously created a Web Form File (tb_wizqs.wfm) and converted it to HTML.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files will be overwritten if you complete the Wizard, losing any changes you have made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - %2 (step %3 of %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to generate the form: close a Web Form File and then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location of the CGI script on the server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the E-mail address to which the form results should be sent:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the subject of the sent E-mails:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send extended information about the user (e.g. web browser).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E-mail address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date of birth.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Must be filled in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid address must be given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display a custom error page if a required field is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These items will be requested from the person filling out your form:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL of custom error page:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a custom page after the form has been submitted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Finish to create the form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL to link back to your site after form submission:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The description of the above link:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The URL to display after form submission:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
