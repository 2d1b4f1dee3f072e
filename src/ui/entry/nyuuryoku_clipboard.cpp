// Exchanging blocks of cells with spreadsheet programs through the clipboard,
// clearing cells, inserting and deleting rows.

#include "ui/entry/nyuuryoku.h"

void Nyuuryoku::SelAdjust() {}
void Nyuuryoku::HCopy_Click() {}
void Nyuuryoku::ECut_Click() {}
void Nyuuryoku::EDel_Click() {}
void Nyuuryoku::EPaste_Click() {}
void Nyuuryoku::EGyouInsert_Click() {}
void Nyuuryoku::EGyouDel_Click() {}
void Nyuuryoku::FCSV_Click() {}
