// The part the four power-up slot routines share.
#pragma once

// Where a slot is drawn this frame: its centre, the alpha on entry and the
// vertical bob of its creature.
struct PuSlotView {
    float x, y, a0, bob;
};
PuSlotView puSlotView(int k);
// Runs slot k: gauge, ready state, activation and hover, the in-action pulse,
// and, while the slot is in action, its action.
int puRunSlot(int k, void (*action)(int, const PuSlotView&));
// Animation picture f (1..7) of slot k at the creature's place; others draw nothing.
void paintPuAnim(int k, int f, const PuSlotView& v);
// Ends the action and empties the slot's charge.
void puEmptySlot(int k);
