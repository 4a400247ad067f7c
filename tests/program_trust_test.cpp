#include "system/program_trust.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zul {
namespace {

constexpr uint32_t kUser = 1000;
constexpr uint32_t kOther = 1001;
constexpr uint32_t kRoot = 0;

// Groups as the databases describe them: known, owner's primary, named as the owner, with members.
const GroupFacts kPrivateGroup{true, true, true, false};
const GroupFacts kSharedGroup{true, true, true, true};
const GroupFacts kNotPrimaryGroup{true, false, true, false};
const GroupFacts kOtherNamedGroup{true, true, false, false};
const GroupFacts kUnknownGroup{};

PlaceFacts Place(uint32_t mode, uint32_t owner = kUser, GroupFacts group = kUnknownGroup) {
  return PlaceFacts{mode, owner, group};
}

// One situation: the program file, its folders, and whether it is taken.
struct Case {
  const char* situation;
  PlaceFacts file;
  std::vector<PlaceFacts> way;  // the holding folder first, the root last
  bool take;
};

TEST(ProgramTrust, TakesOnlyWhatNoOtherUserCanHavePutOrChanged) {
  const PlaceFacts home = Place(0755);
  const PlaceFacts root = Place(0755, kRoot);
  const Case cases[] = {
      {"user's file in user's folder", Place(0755), {home, root}, true},
      {"root's file in root's folder", Place(0755, kRoot), {root, root}, true},
      {"file of another user", Place(0755, kOther), {home, root}, false},
      {"folder of another user", Place(0755), {Place(0755, kOther), root}, false},
      {"file writable by others", Place(0757), {home, root}, false},
      {"folder writable by others", Place(0755), {Place(0777), root}, false},
      {"sticky folder writable by others", Place(0755), {Place(01777, kRoot), root}, false},
      {"file of the owner's private group", Place(0775, kUser, kPrivateGroup), {home, root}, true},
      {"folder of the owner's private group", Place(0755), {Place(0775, kUser, kPrivateGroup), root}, true},
      {"group with members", Place(0755), {Place(0775, kUser, kSharedGroup), root}, false},
      {"group not the owner's primary", Place(0755), {Place(0775, kUser, kNotPrimaryGroup), root}, false},
      {"group not named as the owner", Place(0775, kUser, kOtherNamedGroup), {home, root}, false},
      {"group-writable, group unknown", Place(0755), {Place(0775), root}, false},
      {"group unknown, group may not write", Place(0755), {Place(0755), root}, true},
      {"sticky folder above writable by all", Place(0755), {home, Place(01777, kRoot), root}, true},
      {"sticky folder above of another user", Place(0755), {home, Place(01777, kOther), root}, false},
      {"folder above writable by others", Place(0755), {home, Place(0777, kRoot), root}, false},
      {"folder above of a shared group", Place(0755), {home, Place(0775, kRoot, kSharedGroup), root}, false},
      {"folder above of the owner's group", Place(0755), {home, Place(0775, kUser, kPrivateGroup), root}, true},
      {"folder above of another user", Place(0755), {home, Place(0755, kOther), root}, false},
      {"way not read", Place(0755), {}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSafeProgram(c.file, c.way, kUser), c.take) << c.situation;
  }
}

// The group of a place as the records of its owner and its group describe it. Only a
// group that is the owner's alone is the owner's private group: one named as the owner
// that lists members holds others too.
TEST(ProgramTrust, TellsTheOwnersPrivateGroupFromTheDatabaseRecords) {
  const UserRecord owner{"ada", 1000};
  const struct {
    const char* situation;
    std::optional<UserRecord> owner;
    std::optional<GroupRecord> group;
    GroupFacts facts;
  } cases[] = {
      {"the owner's private group", owner, GroupRecord{1000, "ada", {}}, kPrivateGroup},
      {"named as the owner, with members", owner, GroupRecord{1000, "ada", {"bob"}}, kSharedGroup},
      {"named as the owner, the owner a member", owner, GroupRecord{1000, "ada", {"ada"}}, kSharedGroup},
      {"not the owner's primary group", owner, GroupRecord{1001, "ada", {}}, kNotPrimaryGroup},
      {"named otherwise", owner, GroupRecord{1000, "staff", {}}, kOtherNamedGroup},
      {"a name that only begins as the owner's", owner, GroupRecord{1000, "adam", {}}, kOtherNamedGroup},
      {"no such group", owner, std::nullopt, kUnknownGroup},
      {"no such owner", std::nullopt, GroupRecord{1000, "ada", {}}, kUnknownGroup},
  };
  for (const auto& c : cases) {
    const GroupFacts facts = DescribeGroup(c.owner, c.group);
    EXPECT_EQ(facts, c.facts) << c.situation;
    const std::vector<PlaceFacts> way = {Place(0775, kUser, facts), Place(0755, kRoot)};
    EXPECT_EQ(IsSafeFolderWay(way, kUser), c.facts == kPrivateGroup) << c.situation;
  }
}

}  // namespace
}  // namespace zul
