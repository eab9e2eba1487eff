// The manual's context numbers. F1 in a dialog (or its Help button) opens the
// topic that the manual's map ties to the dialog's number: the manual's
// project (help/VLM.hhp) reads this very file, so the two cannot drift.
// Plain #define lines only: the manual's compiler reads no other form.
#pragma once

#define IDH_OPTIONS 3700
#define IDH_RENAME_FILE 3710
#define IDH_NEW_COLLECTION 3720
#define IDH_ABOUT 3730
