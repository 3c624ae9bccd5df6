#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

struct MemoryRegistry::StoredValue {
    std::string name;
    ValueType type = ValueType::Dword;
    uint64_t number = 0; // Dword, Qword
    std::string bytes;   // String, Binary
};

struct MemoryRegistry::Node {
    using Value = StoredValue;

    std::string name;
    std::vector<std::shared_ptr<Node>> children;
    std::vector<Value> values;
    bool deleted = false;

    std::shared_ptr<Node> child(const std::string& wanted) const;
    Value* value(const std::string& wanted);
    const Value* value(const std::string& wanted) const {
        return const_cast<Node*>(this)->value(wanted);
    }
};

namespace {

// Key and value names compare without regard to (ASCII) case, as in the registry.
bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "\MOTOSKOP\CARS\" -> {"MOTOSKOP", "CARS"}; empty parts are ignored.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

void markDeleted(MemoryRegistry::Node& node) {
    node.deleted = true;
    for (auto& child : node.children)
        markDeleted(*child);
}

} // namespace

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Node::child(const std::string& wanted) const {
    for (const auto& c : children)
        if (sameName(c->name, wanted)) return c;
    return nullptr;
}

MemoryRegistry::Node::Value* MemoryRegistry::Node::value(const std::string& wanted) {
    for (auto& v : values)
        if (sameName(v.name, wanted)) return &v;
    return nullptr;
}

// One open key. It keeps its node alive, so a key deleted while open only
// makes further operations on it fail.
class MemoryRegistryKey : public RegistryKey {
  public:
    MemoryRegistryKey(MemoryRegistry& owner, std::shared_ptr<MemoryRegistry::Node> node,
                      std::string path)
        : owner_(owner), node_(std::move(node)), path_(std::move(path)) {}
    ~MemoryRegistryKey() override { owner_.keyReleased(); }
    MemoryRegistryKey(const MemoryRegistryKey&) = delete;
    MemoryRegistryKey& operator=(const MemoryRegistryKey&) = delete;

    bool valueExists(const std::string& name) override {
        return !node_->deleted && node_->value(name) != nullptr;
    }

    bool readDword(const std::string& name, uint32_t& out) override {
        if (node_->deleted) return false;
        const auto* v = node_->value(name);
        if (v == nullptr || v->type != MemoryRegistry::ValueType::Dword) return false;
        out = static_cast<uint32_t>(v->number);
        return true;
    }

    bool writeDword(const std::string& name, uint32_t value) override {
        if (node_->deleted || owner_.readOnly_) return false;
        auto* v = node_->value(name);
        if (v == nullptr) {
            node_->values.push_back({name, MemoryRegistry::ValueType::Dword, 0, {}});
            v = &node_->values.back();
        }
        v->type = MemoryRegistry::ValueType::Dword;
        v->number = value;
        v->bytes.clear();
        owner_.writes_.push_back({path_, name, value});
        return true;
    }

    bool readString(const std::string& name, std::string& out) override {
        if (node_->deleted) return false;
        const auto* v = node_->value(name);
        if (v == nullptr || v->type != MemoryRegistry::ValueType::String) return false;
        out = v->bytes;
        return true;
    }

    bool writeString(const std::string& name, const std::string& text) override {
        if (node_->deleted || owner_.readOnly_) return false;
        auto* v = node_->value(name);
        if (v == nullptr) {
            node_->values.push_back({name, MemoryRegistry::ValueType::String, 0, {}});
            v = &node_->values.back();
        }
        v->type = MemoryRegistry::ValueType::String;
        v->number = 0;
        v->bytes = text;
        owner_.writes_.push_back({path_, name, 0});
        return true;
    }

  private:
    MemoryRegistry& owner_;
    std::shared_ptr<MemoryRegistry::Node> node_;
    std::string path_;
};

MemoryRegistry::MemoryRegistry() : root_(std::make_shared<Node>()) {}
MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::find(const std::string& path) const {
    std::shared_ptr<Node> node = root_;
    for (const auto& part : splitPath(path)) {
        node = node->child(part);
        if (node == nullptr) return nullptr;
    }
    return node;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::findOrCreate(const std::string& path,
                                                                   bool& created) {
    created = false;
    std::shared_ptr<Node> node = root_;
    for (const auto& part : splitPath(path)) {
        std::shared_ptr<Node> next = node->child(part);
        if (next == nullptr) {
            next = std::make_shared<Node>();
            next->name = part;
            node->children.push_back(next);
            created = true;
        }
        node = next;
    }
    return node;
}

bool MemoryRegistry::keyExists(const std::string& path) {
    auto node = find(path);
    return node != nullptr && node != root_;
}

std::unique_ptr<RegistryKey> MemoryRegistry::openKey(const std::string& path, bool create) {
    std::shared_ptr<Node> node = find(path);
    if (node == nullptr && create && !readOnly_) {
        bool created = false;
        node = findOrCreate(path, created);
        if (created) createdKeys_.push_back(path);
    }
    if (node == nullptr || node == root_) return nullptr;
    ++openKeys_;
    ++totalOpens_;
    peakOpenKeys_ = std::max(peakOpenKeys_, openKeys_);
    return std::make_unique<MemoryRegistryKey>(*this, node, path);
}

void MemoryRegistry::createKey(const std::string& path) {
    bool created = false;
    findOrCreate(path, created);
}

MemoryRegistry::StoredValue& MemoryRegistry::putValue(const std::string& path,
                                                      const std::string& name) {
    bool created = false;
    auto node = findOrCreate(path, created);
    auto* v = node->value(name);
    if (v == nullptr) {
        node->values.push_back({name, ValueType::Dword, 0, {}});
        v = &node->values.back();
    }
    v->number = 0;
    v->bytes.clear();
    return *v;
}

void MemoryRegistry::putDword(const std::string& path, const std::string& name, uint32_t value) {
    auto& v = putValue(path, name);
    v.type = ValueType::Dword;
    v.number = value;
}

void MemoryRegistry::putQword(const std::string& path, const std::string& name, uint64_t value) {
    auto& v = putValue(path, name);
    v.type = ValueType::Qword;
    v.number = value;
}

void MemoryRegistry::putString(const std::string& path, const std::string& name,
                               const std::string& value) {
    auto& v = putValue(path, name);
    v.type = ValueType::String;
    v.bytes = value;
}

void MemoryRegistry::putBinary(const std::string& path, const std::string& name,
                               const std::vector<uint8_t>& value) {
    auto& v = putValue(path, name);
    v.type = ValueType::Binary;
    v.bytes.assign(value.begin(), value.end());
}

bool MemoryRegistry::deleteKey(const std::string& path) {
    auto parts = splitPath(path);
    if (parts.empty()) return false;
    const std::string last = parts.back();
    parts.pop_back();
    std::shared_ptr<Node> parent = root_;
    for (const auto& part : parts) {
        parent = parent->child(part);
        if (parent == nullptr) return false;
    }
    auto& kids = parent->children;
    for (auto it = kids.begin(); it != kids.end(); ++it) {
        if (sameName((*it)->name, last)) {
            markDeleted(**it);
            kids.erase(it);
            return true;
        }
    }
    return false;
}

bool MemoryRegistry::deleteValue(const std::string& path, const std::string& name) {
    auto node = find(path);
    if (node == nullptr) return false;
    auto& vals = node->values;
    for (auto it = vals.begin(); it != vals.end(); ++it) {
        if (sameName(it->name, name)) {
            vals.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<uint32_t> MemoryRegistry::dword(const std::string& path,
                                              const std::string& name) const {
    auto node = find(path);
    if (node == nullptr) return std::nullopt;
    const auto* v = node->value(name);
    if (v == nullptr || v->type != ValueType::Dword) return std::nullopt;
    return static_cast<uint32_t>(v->number);
}

std::optional<std::string> MemoryRegistry::string(const std::string& path,
                                                  const std::string& name) const {
    auto node = find(path);
    if (node == nullptr) return std::nullopt;
    const auto* v = node->value(name);
    if (v == nullptr || v->type != ValueType::String) return std::nullopt;
    return v->bytes;
}

std::optional<MemoryRegistry::ValueType> MemoryRegistry::valueType(const std::string& path,
                                                                   const std::string& name) const {
    auto node = find(path);
    if (node == nullptr) return std::nullopt;
    const auto* v = node->value(name);
    if (v == nullptr) return std::nullopt;
    return v->type;
}

std::vector<std::string> MemoryRegistry::valueNames(const std::string& path) const {
    std::vector<std::string> names;
    if (auto node = find(path))
        for (const auto& v : node->values)
            names.push_back(v.name);
    return names;
}

std::vector<std::string> MemoryRegistry::subKeyNames(const std::string& path) const {
    std::vector<std::string> names;
    if (auto node = find(path))
        for (const auto& c : node->children)
            names.push_back(c->name);
    return names;
}

namespace {
void countTree(const MemoryRegistry::Node& node, int& keys, int& values);
}

int MemoryRegistry::keyCount() const {
    int keys = 0, values = 0;
    countTree(*root_, keys, values);
    return keys - 1; // not the root itself
}

int MemoryRegistry::valueCount() const {
    int keys = 0, values = 0;
    countTree(*root_, keys, values);
    return values;
}

void MemoryRegistry::clearLogs() {
    createdKeys_.clear();
    writes_.clear();
}

namespace {
void countTree(const MemoryRegistry::Node& node, int& keys, int& values) {
    ++keys;
    values += static_cast<int>(node.values.size());
    for (const auto& child : node.children)
        countTree(*child, keys, values);
}
} // namespace
