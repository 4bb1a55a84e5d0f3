// The part of the system registry (under HKEY_LOCAL_MACHINE) that the card's driver keeps
// its values in. The library uses the real registry; native tests keep it in memory.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace sim {

class Registry {
public:
    virtual ~Registry() = default;
    // A text value as it is, a number in decimal; nothing when the value is missing.
    virtual std::optional<std::string> readText(const std::string& key,
                                                const std::string& name) = 0;
    virtual std::optional<uint32_t> readNumber(const std::string& key, const std::string& name) = 0;
    // Create the key as needed; false when the value could not be written.
    virtual bool writeText(const std::string& key, const std::string& name,
                           const std::string& text) = 0;
    virtual bool writeNumber(const std::string& key, const std::string& name, uint32_t value) = 0;
};

// Keys and value names compare without regard to case, as in the system registry.
class MemoryRegistry : public Registry {
public:
    std::optional<std::string> readText(const std::string& key, const std::string& name) override;
    std::optional<uint32_t> readNumber(const std::string& key, const std::string& name) override;
    bool writeText(const std::string& key, const std::string& name,
                   const std::string& text) override;
    bool writeNumber(const std::string& key, const std::string& name, uint32_t value) override;

private:
    using Value = std::variant<std::string, uint32_t>;
    const Value* find(const std::string& key, const std::string& name) const;
    std::map<std::pair<std::string, std::string>, Value> values_;
};

// Whether two registry names are the same name.
bool sameRegistryName(const std::string& a, const std::string& b);

}  // namespace sim
