#pragma once
// The look every grid of the program shares: narrow cells of one fixed height
// drawn by GridCellDelegate, titles at full strength whatever the style, no
// editing in place, one rectangle of cells selected at a time.

class QTableView;

// Where a grid's cells get their colours.
enum class GridCells {
    // The model colours every cell (white): the grid's own grey lines, grey
    // title row and darker grey beyond the last row or column, on any desktop.
    Fixed,
    // The desktop's palette (the tables of the windows of our own): its base
    // colours (rows in turn no further apart than RowShade allows), the
    // style's lines and title row.
    Palette,
};

void SetGridLook(QTableView &view, GridCells cells = GridCells::Fixed);
