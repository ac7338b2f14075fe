// Bringing back, at start-up, the unsaved work of a program that did not end cleanly: its
// recovery copies are offered in one question and open as changed documents.
#pragma once

#include <QList>
#include <QString>

class RecoveryStore;
class frmWebForm;
struct RecoveryCopy;

// Offers the copies no running program owns. Yes opens each one in a document window,
// No deletes them all. Returns the number of documents opened.
int OfferRecoveryCopies(RecoveryStore &store);
// Opens a copy in a new document window, marked changed, with the caption of the file it
// belongs to or as an untitled document; the copy becomes the window's own. nullptr when
// nine documents are open (the copy is then left for the next start).
frmWebForm *RestoreWebForm(const RecoveryCopy &copy, RecoveryStore &store);
QString RecoveryQuestion(const QList<RecoveryCopy> &copies);
