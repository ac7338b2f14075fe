// The program-wide slot table: one document window and one form record per slot.
#pragma once

#include "WebFormInfo.h"

#include <QList>
#include <QObject>
#include <QPointer>

// Slots are numbered 1 to 9; index 0 exists but never holds a document. The table grows
// one slot at a time and never shrinks; a closed document's slot is marked free and
// reused by the next document.
class FormSlots
{
public:
    static constexpr int MaxSlots = 9;

    FormSlots();

    // Back to the start-up state: only index 0.
    void reset();

    // The slot for a new document, or -1 when nine documents are open. A reused slot
    // keeps its old properties; the caller sets them.
    int AllocateFormSlot();
    bool AnyFormOpen() const;

    int upperIndex() const { return int(FormInfo.size()) - 1; }
    bool isInUse(int slot) const;

    QList<QPointer<QObject>> WebForms;
    QList<WebFormInfo> FormInfo;
};

// The one slot table of the program.
FormSlots &Slots();
