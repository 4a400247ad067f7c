#include "consoletools/list_descriptor.h"

namespace zul {

std::vector<Text> ReadListNames(const ListDescriptor* list) {
  if (list == nullptr || list->data == nullptr || list->dimensions != 1 ||
      list->entry_type != kListEntryTypeText || list->entry_size != sizeof(ByteString))
    return {};
  const uint32_t count = list->entry_count;
  const int64_t span = static_cast<int64_t>(list->bounds[0].upper) - list->bounds[0].lower + 1;
  if (span != static_cast<int64_t>(count) || count > kListMaxEntries) return {};
  const ByteString* entries = list->data;
  std::vector<Text> names;
  for (uint32_t i = 0; i < count; ++i) {
    Text name = ByteStringText(entries[i]);
    const std::size_t zero = name.find('\0');
    if (zero != Text::npos) name.resize(zero);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace zul
