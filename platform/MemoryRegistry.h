#pragma once
// An in-memory registry for the tests: a tree of keys holding values of any
// type, looked up without regard to case like the real one. It can be made
// read-only, and it counts the keys handed out so a test can check that every
// operation let go of its keys before returning.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

class MemoryRegistry : public Registry {
  public:
    enum class ValueType { Dword, String, Binary, Qword };

    struct Write {
        std::string path; // as the writer's key was opened, e.g. "\MOTOSKOP\Com"
        std::string name;
        uint32_t value; // 0 for a string
    };

    MemoryRegistry();
    ~MemoryRegistry() override;

    bool keyExists(const std::string& path) override;
    std::unique_ptr<RegistryKey> openKey(const std::string& path, bool create) override;

    // Read-only: no key can be created and no value written through openKey.
    // The set-up helpers below still work.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Set-up helpers (create the key when missing).
    void createKey(const std::string& path);
    void putDword(const std::string& path, const std::string& name, uint32_t value);
    void putQword(const std::string& path, const std::string& name, uint64_t value);
    void putString(const std::string& path, const std::string& name, const std::string& value);
    void putBinary(const std::string& path, const std::string& name,
                   const std::vector<uint8_t>& value);
    bool deleteKey(const std::string& path); // with its subtree
    bool deleteValue(const std::string& path, const std::string& name);

    // Inspection.
    std::optional<uint32_t> dword(const std::string& path, const std::string& name) const;
    std::optional<std::string> string(const std::string& path, const std::string& name) const;
    std::optional<ValueType> valueType(const std::string& path, const std::string& name) const;
    std::vector<std::string> valueNames(const std::string& path) const;  // in creation order
    std::vector<std::string> subKeyNames(const std::string& path) const; // in creation order
    int keyCount() const;                                                // every key below the root
    int valueCount() const;                                              // every value in the tree

    // Keys created through openKey(path, true), in order, and every value written
    // through a RegistryKey, in order.
    const std::vector<std::string>& createdKeys() const { return createdKeys_; }
    const std::vector<Write>& writes() const { return writes_; }
    void clearLogs();

    // Keys handed out and not yet released; the most that were out at once.
    int openKeys() const { return openKeys_; }
    int peakOpenKeys() const { return peakOpenKeys_; }
    int totalOpens() const { return totalOpens_; }

    struct Node;

  private:
    friend class MemoryRegistryKey;
    std::shared_ptr<Node> find(const std::string& path) const;
    std::shared_ptr<Node> findOrCreate(const std::string& path, bool& created);
    struct StoredValue;
    StoredValue& putValue(const std::string& path, const std::string& name);
    void keyReleased() { --openKeys_; }

    std::shared_ptr<Node> root_;
    bool readOnly_ = false;
    int openKeys_ = 0;
    int peakOpenKeys_ = 0;
    int totalOpens_ = 0;
    std::vector<std::string> createdKeys_;
    std::vector<Write> writes_;
};
