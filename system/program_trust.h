// The decision whether a program found by name beside the chooser or in the working directory
// may run: only when no user but its own and root could have put it there or changed it.
// Pure: it reads nothing itself; process_posix.cpp gathers the facts from the file system and
// the records of the user and group databases.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zul {

// What the user and group databases say of the group of a file or folder.
struct GroupFacts {
  bool known = false;           // the group and the owner of the place were both found
  bool owners_primary = false;  // it is the owner's primary group
  bool named_as_owner = false;  // its name is the owner's user name
  bool has_members = false;     // it lists members
  bool operator==(const GroupFacts&) const = default;
};

// A user as the user database gives it: the name and the id of the primary group.
struct UserRecord {
  std::string name;
  uint32_t primary_group = 0;
};

// A group as the group database gives it: its id, its name and the members it lists.
struct GroupRecord {
  uint32_t id = 0;
  std::string name;
  std::vector<std::string> members;
};

// What the records say of the group `group` of a place that `owner` owns; either is
// nullopt when its database has no entry for it, and the group is then not known.
GroupFacts DescribeGroup(const std::optional<UserRecord>& owner, const std::optional<GroupRecord>& group);

// A file or folder on the way to a program: its mode bits as stat gives them, its owner's user
// id, and its group (only looked at where the group may write).
struct PlaceFacts {
  uint32_t mode = 0;
  uint32_t owner = 0;
  GroupFacts group;
};

// Whether no one but `user` and root can change what `way` holds: `way[0]` is the folder that
// holds a program, each next entry the folder above the one before, up to the root. The first is
// owned by the user or root and writable by neither others nor a group, unless that group is the
// owner's user private group (named as the owner, the owner's primary group, without members).
// Every folder above is owned by the user or root and, unless it is sticky, follows the same
// rule. An empty way (one that could not be read) is not safe.
bool IsSafeFolderWay(const std::vector<PlaceFacts>& way, uint32_t user);

// Whether the program `file` (links followed), held by the first folder of `way`, may run: the
// file follows the rule of the holding folder, and the way is safe.
bool IsSafeProgram(const PlaceFacts& file, const std::vector<PlaceFacts>& way, uint32_t user);

}  // namespace zul
