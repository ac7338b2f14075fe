#include "FormSlots.h"

FormSlots::FormSlots()
{
    reset();
}

void FormSlots::reset()
{
    WebForms = {nullptr};
    FormInfo = {WebFormInfo{}};
}

int FormSlots::AllocateFormSlot()
{
    const int n = upperIndex();
    for (int slot = 1; slot <= n; ++slot) {
        WebFormInfo &info = FormInfo[slot];
        if (info.SlotFree) {
            info.SlotFree = false;
            info.Changed = false;
            return slot;
        }
    }
    if (n >= MaxSlots)
        return -1;
    WebForms.append(nullptr);
    FormInfo.append(WebFormInfo{});
    return n + 1;
}

bool FormSlots::AnyFormOpen() const
{
    for (int slot = 1; slot <= upperIndex(); ++slot) {
        if (!FormInfo.at(slot).SlotFree)
            return true;
    }
    return false;
}

bool FormSlots::isInUse(int slot) const
{
    return slot >= 1 && slot <= upperIndex() && !FormInfo.at(slot).SlotFree;
}

FormSlots &Slots()
{
    static FormSlots table;
    return table;
}
