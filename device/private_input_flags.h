// The console's private input flags: quick edit, insert and auto position. The console
// changes them only when a mode is set together with the extended flags, and reports them
// only while the last mode set carried those flags; a plain mode such as 16 leaves them as
// they were and says nothing of them. Remembering what was last told lets the device read
// back a mode that says quick edit as it is in force. Pure: it calls no console.
#pragma once

#include <cstdint>

namespace zul {

struct PrivateInputFlags {
  bool known = false;  // whether any mode read or set so far told them
  uint32_t flags = 0;  // the extended flags with the private bits told, when known
};

// What is known after `mode` was read from or set on the console: the private bits it
// tells when it carries the extended flags, else what was known before.
PrivateInputFlags NotePrivateFlags(PrivateInputFlags known, uint32_t mode);

// Whether `mode`, as read, tells the private flags: it carries the extended flags.
bool TellsPrivateFlags(uint32_t mode);

// `mode` as read when it tells the private flags; else with them as a new console has
// them (quick edit, insert and auto position on) and the extended flags that set them.
uint32_t WithDefaultPrivateFlags(uint32_t mode);

// A mode read from the console, with the remembered private flags added when it tells
// none itself; as read when nothing is known.
uint32_t WithPrivateFlags(uint32_t mode, PrivateInputFlags known);

}  // namespace zul
