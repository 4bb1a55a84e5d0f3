#include "profiles/ProfileList.h"

#include <algorithm>
#include <iterator>

std::optional<size_t> ProfileList::indexOf(const Profile* profile) const {
    if (!contains(profile)) return std::nullopt;
    for (size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].get() == profile) return i;
    }
    return std::nullopt;
}

Profile* ProfileList::findByName(std::string_view name) const {
    for (const auto& record : records_) {
        if (fieldText(record->name) == name) return record.get();
    }
    return nullptr;
}

Profile* ProfileList::append(std::unique_ptr<Profile> profile) {
    return insert(records_.size(), std::move(profile));
}

Profile* ProfileList::insert(size_t position, std::unique_ptr<Profile> profile) {
    Profile* record = profile.get();
    // Room first, so that nothing can fail once the record is a member.
    if (records_.size() == records_.capacity()) {
        records_.reserve(std::max<size_t>(8, records_.capacity() * 2));
    }
    members_.insert(record);
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(position), std::move(profile));
    return record;
}

void ProfileList::appendAll(ProfileList&& other) {
    records_.reserve(records_.size() + other.size());
    size_t added = 0;
    try {
        for (; added < other.records_.size(); ++added) members_.insert(other.records_[added].get());
    } catch (...) {
        for (size_t i = 0; i < added; ++i) members_.erase(other.records_[i].get());
        throw;
    }
    for (auto& record : other.records_) records_.push_back(std::move(record));
    other.records_.clear();
    other.members_.clear();
    other.inUse_ = nullptr;
}

std::unique_ptr<Profile> ProfileList::remove(const Profile* profile) {
    const auto position = indexOf(profile);
    if (!position) return nullptr;
    std::unique_ptr<Profile> record = std::move(records_[*position]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(*position));
    members_.erase(record.get());
    if (inUse_ == record.get()) inUse_ = nullptr;
    return record;
}

void ProfileList::move(size_t from, size_t to) {
    const auto first = records_.begin();
    const auto source = first + static_cast<std::ptrdiff_t>(from);
    const auto target = first + static_cast<std::ptrdiff_t>(to);
    if (from < to) {
        std::rotate(source, source + 1, target + 1);
    } else {
        std::rotate(target, source, source + 1);
    }
}

void ProfileList::sortInfrastructureFirst() {
    std::stable_partition(records_.begin(), records_.end(),
                          [](const auto& record) { return isInfrastructure(*record); });
}

void ProfileList::markInUse(const Profile* profile) {
    const auto position = indexOf(profile);
    if (!position) {
        inUse_ = nullptr;
        return;
    }
    Profile* record = records_[*position].get();
    record->preferred = 1;
    size_t target = 0;
    if (!isInfrastructure(*record)) {
        // The head of the Ad-Hoc group, counted without the record itself.
        target = records_.size() - 1;
        for (size_t i = 0, counted = 0; i < records_.size(); ++i) {
            if (i == *position) continue;
            if (!isInfrastructure(*records_[i])) {
                target = counted;
                break;
            }
            ++counted;
        }
    }
    move(*position, target);
    inUse_ = record;
}

Profile* ProfileList::replaceSameNetwork(std::unique_ptr<Profile> profile) {
    const std::string ssid = fieldText(profile->ssid);
    const uint32_t networkType = profile->networkType;
    for (size_t i = records_.size(); i-- > 0;) {
        const Profile& record = *records_[i];
        if (record.networkType == networkType && fieldText(record.ssid) == ssid) {
            remove(&record);
        }
    }
    // A profile of another network may carry the name.
    setFieldText(profile->name, uniqueProfileName(*this, fieldText(profile->name)));
    return insert(0, std::move(profile));
}

std::string nextProfileName(std::string_view name) {
    size_t digitsStart = name.size();
    while (digitsStart > 0 && name[digitsStart - 1] >= '0' && name[digitsStart - 1] <= '9') {
        --digitsStart;
    }
    std::string stem(name.substr(0, digitsStart));
    std::string number(name.substr(digitsStart));
    if (number.empty()) {
        number = "2";
    } else {
        // Count up in decimal, keeping the width unless the carry runs out of digits.
        size_t i = number.size();
        while (i > 0 && number[i - 1] == '9') number[--i] = '0';
        if (i == 0) {
            number.insert(number.begin(), '1');
        } else {
            ++number[i - 1];
        }
    }
    if (stem.size() + number.size() > kMaxNameLength) {
        if (number.size() > kMaxNameLength) number.erase(0, number.size() - kMaxNameLength);
        stem.resize(kMaxNameLength - number.size());
    }
    return stem + number;
}

std::string uniqueProfileName(const ProfileList& list, std::string candidate) {
    if (candidate.size() > kMaxNameLength) candidate.resize(kMaxNameLength);
    while (list.findByName(candidate) != nullptr) candidate = nextProfileName(candidate);
    return candidate;
}
