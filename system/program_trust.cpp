#include "system/program_trust.h"

namespace zul {

namespace {

// The permission bits as POSIX numbers them.
constexpr uint32_t kSticky = 01000;
constexpr uint32_t kGroupWrite = 0020;
constexpr uint32_t kOthersWrite = 0002;
constexpr uint32_t kRoot = 0;

// A group that holds the owner alone: writing by it is writing by the owner.
bool IsOwnersPrivateGroup(const GroupFacts& group) {
  return group.known && group.owners_primary && group.named_as_owner && !group.has_members;
}

bool OwnedByUserOrRoot(const PlaceFacts& place, uint32_t user) {
  return place.owner == user || place.owner == kRoot;
}

// Owned by the user or root, and no one else may write to it.
bool NoOtherWriter(const PlaceFacts& place, uint32_t user) {
  if (!OwnedByUserOrRoot(place, user) || (place.mode & kOthersWrite) != 0) return false;
  return (place.mode & kGroupWrite) == 0 || IsOwnersPrivateGroup(place.group);
}

}  // namespace

GroupFacts DescribeGroup(const std::optional<UserRecord>& owner, const std::optional<GroupRecord>& group) {
  GroupFacts facts;
  if (!owner || !group) return facts;
  facts.known = true;
  facts.owners_primary = owner->primary_group == group->id;
  facts.named_as_owner = owner->name == group->name;
  facts.has_members = !group->members.empty();
  return facts;
}

bool IsSafeFolderWay(const std::vector<PlaceFacts>& way, uint32_t user) {
  if (way.empty() || !NoOtherWriter(way[0], user)) return false;
  for (std::size_t i = 1; i < way.size(); ++i) {
    const PlaceFacts& above = way[i];
    const bool sticky = (above.mode & kSticky) != 0;
    if (!(sticky ? OwnedByUserOrRoot(above, user) : NoOtherWriter(above, user))) return false;
  }
  return true;
}

bool IsSafeProgram(const PlaceFacts& file, const std::vector<PlaceFacts>& way, uint32_t user) {
  return NoOtherWriter(file, user) && IsSafeFolderWay(way, user);
}

}  // namespace zul
