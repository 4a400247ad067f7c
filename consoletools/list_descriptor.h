// The list descriptor through which a table of texts reaches the console-tools
// library, and the names read from it: a one-dimensional array record of text
// entries, little-endian.
//
//   offset  size  field
//   0       P     data: the entries, each a byte string or null when empty
//   P       1     flags, 0x0C
//   P+1     1     reserved
//   P+2     1     entry type, 0x2E (text)
//   P+3     1     dimension count, 1
//   P+4     4     entry count
//   P+8     4     byte size of the data, entry count * entry size
//   P+12    4     reserved
//   P+16    4     entry size, P
//   P+20    92    bounds: seven triples (lower, upper, stride of the next
//                 dimension), then the eighth lower and upper bound
//
// P is the size of a pointer: 4 in a 32-bit build, where the record is 116
// bytes; a 64-bit build widens the data pointer and the entries to 8 bytes and
// the record to 120 bytes. Only the first bounds pair is used; the rest are 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/text.h"
#include "consoletools/byte_string.h"

namespace zul {

#pragma pack(push, 1)
struct ListDescriptor {
  struct Bounds {
    int32_t lower;
    int32_t upper;
    int32_t stride;
  };
  ByteString* data;
  uint8_t flags;
  uint8_t reserved1;
  uint8_t entry_type;
  uint8_t dimensions;
  uint32_t entry_count;
  uint32_t byte_size;
  uint32_t reserved2;
  uint32_t entry_size;
  Bounds bounds[7];
  int32_t last_lower;
  int32_t last_upper;
};
#pragma pack(pop)

constexpr uint8_t kListDescriptorFlags = 0x0C;
constexpr uint8_t kListEntryTypeText = 0x2E;
static_assert(sizeof(ListDescriptor) == 112 + sizeof(void*), "descriptor layout");

// The most entries a list descriptor may describe; a longer one offers no names.
constexpr uint32_t kListMaxEntries = 32767;

// The names `list` offers: its non-empty entries in table order. A name ends at
// its first zero byte (the list box's answer separates names with zero bytes), so
// an entry that starts with one is empty too. A null descriptor, null data, a
// dimension count other than 1, an entry type other than text, an entry size other
// than a byte string's, or an entry count that is not upper - lower + 1 (or above
// kListMaxEntries) offers no names.
std::vector<Text> ReadListNames(const ListDescriptor* list);

}  // namespace zul
