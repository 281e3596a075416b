// The faults a test or the control program sets in the firmware model: refused commands,
// refused (command, address) pairs and another mask in every reply. Fixed storage,
// freestanding.
#pragma once

#include <initializer_list>
#include <stdint.h>

class CommandSet {
  public:
    CommandSet() = default;
    CommandSet(std::initializer_list<uint8_t> commands) { *this = commands; }
    CommandSet& operator=(std::initializer_list<uint8_t> commands) {
        clear();
        for (uint8_t command : commands)
            insert(command);
        return *this;
    }
    void clear() {
        for (bool& member : m_members)
            member = false;
    }
    void insert(uint8_t command) { m_members[command] = true; }
    bool contains(uint8_t command) const { return m_members[command]; }

  private:
    bool m_members[256] = {};
};

struct AddressRule {
    uint8_t command;
    uint8_t address;
};

// Up to kCapacity pairs; one more is not taken (insert says false).
class AddressRuleSet {
  public:
    static constexpr int kCapacity = 32;
    AddressRuleSet() = default;
    AddressRuleSet(std::initializer_list<AddressRule> rules) { *this = rules; }
    AddressRuleSet& operator=(std::initializer_list<AddressRule> rules) {
        clear();
        for (const AddressRule& rule : rules)
            insert(rule);
        return *this;
    }
    void clear() { m_count = 0; }
    bool insert(AddressRule rule) {
        if (m_count == kCapacity) return false;
        m_rules[m_count++] = rule;
        return true;
    }
    bool contains(uint8_t command, uint8_t address) const {
        for (int i = 0; i < m_count; ++i)
            if (m_rules[i].command == command && m_rules[i].address == address) return true;
        return false;
    }

  private:
    AddressRule m_rules[kCapacity] = {};
    int m_count = 0;
};

// A mask the firmware answers with instead of the request's.
class MaskOverride {
  public:
    MaskOverride& operator=(uint8_t mask) {
        m_set = true;
        m_mask = mask;
        return *this;
    }
    void reset() { m_set = false; }
    uint8_t valueOr(uint8_t requestMask) const { return m_set ? m_mask : requestMask; }

  private:
    bool m_set = false;
    uint8_t m_mask = 0;
};
