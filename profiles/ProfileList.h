// The ordered list of profile records. The order is the auto configuration preference
// order; where the program places a profile itself it keeps Infrastructure profiles
// ahead of Ad-Hoc ones. Records live on the heap, so a Profile* stays valid (and names
// the record) while the list is reordered, until the record is removed.
//
// The list is not synchronised: its owner guards it, and the profile in use, with the
// lock it hands to the connect engine.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "profiles/Profile.h"

class ProfileList {
public:
    using Records = std::vector<std::unique_ptr<Profile>>;

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    Profile* at(size_t position) const { return records_.at(position).get(); }
    Records::const_iterator begin() const { return records_.begin(); }
    Records::const_iterator end() const { return records_.end(); }

    // Position of the record, found by identity.
    std::optional<size_t> indexOf(const Profile* profile) const;
    // Whether the record is listed, at the same cost however long the list is.
    bool contains(const Profile* profile) const { return members_.count(profile) != 0; }
    // First record with this name, or null.
    Profile* findByName(std::string_view name) const;

    // Adding a record that fails for want of memory leaves the list as it was.
    Profile* append(std::unique_ptr<Profile> profile);
    // Moves every record of `other` to the end of this list, in order; when that fails
    // for want of memory, both lists stay as they were.
    void appendAll(ProfileList&& other);
    // Inserts at `position` (at most size()).
    Profile* insert(size_t position, std::unique_ptr<Profile> profile);
    // Takes the record out of the list; null when it is not listed. Removing the
    // profile in use leaves no profile in use.
    std::unique_ptr<Profile> remove(const Profile* profile);
    // Moves the record at `from` to position `to` (both below size()); the profile in
    // use stays in use.
    void move(size_t from, size_t to);
    // Stable partition: every Infrastructure profile before every Ad-Hoc one.
    void sortInfrastructureFirst();

    // The profile of the last connect, or null.
    Profile* inUse() const { return inUse_; }
    // The list's part of marking a profile in use: a listed profile is put on the
    // prefer list and moved to the front of its group (an Infrastructure profile to
    // position 0, an Ad-Hoc one to just before the first profile that is not
    // Infrastructure, or to the end) and becomes the profile in use. A record that is
    // not listed, or null, leaves no profile in use.
    void markInUse(const Profile* profile);

    // Adds a profile that Auto Link set up: every profile with the same SSID and network
    // type is removed first, and the new one goes to position 0 under a name no other
    // profile has.
    Profile* replaceSameNetwork(std::unique_ptr<Profile> profile);

private:
    Records records_;
    std::unordered_set<const Profile*> members_;
    Profile* inUse_ = nullptr;
};

// The longest profile name (the field keeps a terminating zero).
constexpr size_t kMaxNameLength = kNameSize - 1;

// The next candidate of the unique-name rule: the trailing number counts up (Home ->
// Home2, Home1 -> Home2, Net9 -> Net10, Net19 -> Net20, Net99 -> Net100); characters
// before the number give way when the name would pass kMaxNameLength characters.
std::string nextProfileName(std::string_view name);

// `candidate`, changed by nextProfileName until no profile of the list has that name.
std::string uniqueProfileName(const ProfileList& list, std::string candidate);
