#pragma once

namespace mewt {

// A drop-down as a screen reader meets it: named by its label ("language"), with the chosen entry
// ("system") as its value, read through the text interface. Qt names a drop-down by its chosen
// entry on Linux, so the label reaches no reader, and a change of entry reads as a change of name.
// Installs the factory once per process.
void installAccessibleChoices();

} // namespace mewt
