#include "sim/Registry.h"

#include <algorithm>
#include <cctype>

namespace sim {
namespace {

std::string folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool sameRegistryName(const std::string& a, const std::string& b) { return folded(a) == folded(b); }

const MemoryRegistry::Value* MemoryRegistry::find(const std::string& key,
                                                  const std::string& name) const {
    const auto it = values_.find({folded(key), folded(name)});
    return it == values_.end() ? nullptr : &it->second;
}

std::optional<std::string> MemoryRegistry::readText(const std::string& key,
                                                    const std::string& name) {
    const Value* value = find(key, name);
    if (!value) return std::nullopt;
    if (const auto* number = std::get_if<uint32_t>(value)) return std::to_string(*number);
    return std::get<std::string>(*value);
}

std::optional<uint32_t> MemoryRegistry::readNumber(const std::string& key,
                                                   const std::string& name) {
    const Value* value = find(key, name);
    if (!value || !std::holds_alternative<uint32_t>(*value)) return std::nullopt;
    return std::get<uint32_t>(*value);
}

bool MemoryRegistry::writeText(const std::string& key, const std::string& name,
                               const std::string& text) {
    values_[{folded(key), folded(name)}] = text;
    return true;
}

bool MemoryRegistry::writeNumber(const std::string& key, const std::string& name, uint32_t value) {
    values_[{folded(key), folded(name)}] = value;
    return true;
}

}  // namespace sim
