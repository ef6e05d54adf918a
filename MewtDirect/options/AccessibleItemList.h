#pragma once

namespace mewt {

// Our lists (the sidebar's, the notices', a drop-down's) as a screen reader meets them: one list
// item per row on show, read by its text or, for a row drawn by a widget, by that widget's name and
// hint. A row is showing only while its list is seen (not in a closed window or drop-down, nor on a
// sidebar page put aside) and the row lies in view. Selecting a row (the table's row selection, or
// the row's toggle action) selects it in the list. Installs the factory once per process.
void installAccessibleItemLists();

} // namespace mewt
