/* Identifiers of the input dialog's templates and controls. The resource compiler reads this
   file too (input_dialog.rc), so it holds only macros. */
#ifndef KEYSEQ_INPUT_DIALOG_IDS_H
#define KEYSEQ_INPUT_DIALOG_IDS_H

/* The template with a prompt above the field, and the small one without. */
#define IDD_INPUT_PROMPT 28675
#define IDD_INPUT_PLAIN 28676

#define IDC_INPUT_PROMPT 28677
#define IDC_INPUT_EDIT 28678
#define IDC_INPUT_PASSWORD 28679
#define IDC_INPUT_FRAME 65535

#endif
