// The start selector's work: the whole filtering run in one call.
#pragma once

// Tests the screen and the document, settles the three values (last-used,
// then recorded, then the dialog), and filters every colour plane through the
// host's advanceState. Works on the current call with the handles locked and
// reports through its result word; every refusal shows its message first and
// reports userCanceledErr.
void DoStart();
