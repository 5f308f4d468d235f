#include "e2e/harness/registryValue.h"

#include "e2e/harness/environment.h"

namespace e2e {

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool keyExists(HKEY root, const std::string& path, REGSAM view) {
    Key key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) ==
           ERROR_SUCCESS;
}

// `path` without its last `count` parts.
std::string withoutLastParts(std::string path, int count) {
    for (int i = 0; i < count; ++i) {
        const std::size_t slash = path.find_last_of('\\');
        path = slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    return path;
}

}  // namespace

std::string appDefaultsKey(const std::string& programFileName) {
    return "Software\\Wine\\AppDefaults\\" + programFileName;
}

std::string dllOverridesKey(const std::string& programFileName) {
    return appDefaultsKey(programFileName) + "\\DllOverrides";
}

REGSAM programRegistryView() {
    return programIs32Bit() ? KEY_WOW64_32KEY : 0;
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, const std::string& keyPath,
                                         const std::string& name, REGSAM view)
    : root_(root), view_(view), keyPath_(keyPath), name_(name) {
    while (!keyExists(root_, withoutLastParts(keyPath_, missingKeys_), view_) &&
           !withoutLastParts(keyPath_, missingKeys_).empty()) {
        ++missingKeys_;
    }
    Key key;
    if (missingKeys_ > 0 || RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_QUERY_VALUE | view_,
                                          key.receive()) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name_.c_str(), nullptr, &type_, nullptr, &size) !=
        ERROR_SUCCESS) {
        return;
    }
    data_.assign(size, '\0');
    if (RegQueryValueExA(key.get(), name_.c_str(), nullptr, &type_,
                         reinterpret_cast<BYTE*>(&data_[0]), &size) == ERROR_SUCCESS) {
        data_.resize(size);
        valueExisted_ = true;
    }
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (valueExisted_) {
        Key key;
        if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_SET_VALUE | view_, key.receive()) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key.get(), name_.c_str(), 0, type_,
                           reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        }
        return;
    }
    remove();
    // The keys made for the value, deepest first, as long as they are empty.
    for (int i = 0; i < missingKeys_; ++i) {
        if (RegDeleteKeyA(root_, withoutLastParts(keyPath_, i).c_str()) != ERROR_SUCCESS) {
            break;
        }
    }
}

bool ScopedRegistryValue::set(const std::string& text) {
    Key key;
    if (RegCreateKeyExA(root_, keyPath_.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view_, nullptr,
                        key.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(key.get(), name_.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool ScopedRegistryValue::remove() {
    Key key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_SET_VALUE | view_, key.receive()) != ERROR_SUCCESS) {
        return true;  // no key, no value
    }
    const LONG result = RegDeleteValueA(key.get(), name_.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace e2e
