// Test hook of the durable save: a test makes one checked step of the next saves
// fail (creating the temporary file, a write, a flush, the close or the replace)
// and sees that the old Varnock.ini survives. Nothing in the program calls it.
#pragma once

// Makes the step with this number fail in every save that follows (1 = creating
// the temporary file, counted anew in each save); 0 turns the hook off.
void FailSaveAtStep(int step);

// The number of checked steps that the last save went through.
int SaveStepsTaken();
