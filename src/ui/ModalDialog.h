// The base of every dialog that returns values: the modal result protocol.
//
// Tag is "CANCEL" once the dialog is made; OK sets it to "OK" and asks to close; Cancel, Esc
// and the close box ask to close with the tag unchanged. While the tag is not empty a close
// request only hides the dialog, which ends exec(), so the caller can still read its
// controls; the caller then sets Tag to "" and destroys it. A dialog may refuse OK by
// putting the tag back to "CANCEL" and staying open (acceptOk() returning false).
#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLayout;
class QLineEdit;

class ModalDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ModalDialog(QWidget *parent = nullptr, int helpTopic = 0);

    QString Tag = QStringLiteral("CANCEL");

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    // Called on a close request while Tag is "OK"; false keeps the dialog open (the
    // implementation shows its own warning and puts Tag back to "CANCEL").
    virtual bool acceptOk() { return true; }
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;
    void setVisible(bool visible) override;

    // The buttons cmdOK ("OK", the default button) and cmdCancel ("Cancel"), wired to the
    // protocol, in the platform's order.
    QDialogButtonBox *createOkCancel(Qt::Orientation orientation = Qt::Horizontal);
    // Makes `layout` the dialog's layout at a fixed size: no resize grip, no maximise.
    void setFixedLayout(QLayout *layout);

    // The item dialogs' check on OK: an exactly empty name (blanks count as a name) is
    // refused with a warning, the tag goes back to "CANCEL" and the focus to `nameInput`.
    bool requireName(const QString &name, QWidget *nameInput);

    // A label whose caption's access key moves the focus to `buddy`.
    static QLabel *makeLabel(const QString &caption, const char *name, QWidget *buddy,
                             QWidget *parent);
    // A text box whose typed characters pass the key filter in `filterMode`.
    static QLineEdit *makeTextBox(const char *name, int filterMode, QWidget *parent);
    // Greys out an input group: the label and the box disabled, the box painted in the
    // button colour, and its up-down, if any, disabled.
    static void disableGroup(QWidget *label, QWidget *box, QWidget *upDown = nullptr);
    // Whether `event` takes the focus from a box to another control of the dialog (not to
    // a context menu or another window).
    static bool isLostFocus(const QEvent *event);

private:
    // A close request: ends the modal showing unless the tag is "OK" and acceptOk() refuses.
    void requestClose();
    void centreOverMainFrame();

    int m_helpTopic; // opened by F1; 0 for none
};
