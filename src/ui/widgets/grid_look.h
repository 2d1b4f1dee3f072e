#pragma once
// The look every grid of the program shares: the grid's own grey lines and
// title row, narrow cells of one fixed height drawn by GridCellDelegate, no
// editing in place, one rectangle of cells selected at a time.

class QTableView;

void SetGridLook(QTableView &view);
