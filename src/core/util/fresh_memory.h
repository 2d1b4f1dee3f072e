#pragma once
// Memory about to be filled all at once (a player file's decoded text, its
// table of records): its pages are mapped in one call. Touched page by page,
// every new page costs a fault, and on a virtual machine a fault costs more
// than filling the page (3 MB: 8 ms of faults, 0.6 ms in one call), a third
// of opening a large player. A hint only: where the system has no such call,
// or refuses it, the pages come as they are touched.

#include <cstddef>

void PrepareToFill(void *data, std::size_t bytes);
