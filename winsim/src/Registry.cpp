// The registry: three predefined roots, keys with typed values. Names are
// compared without regard to ASCII case; values enumerate sorted by name,
// as Wine's registry keeps them.
#include "Internal.h"
#include "winsim.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winsim {
namespace detail {
namespace {

std::string Fold(const std::string &s)
{
    std::string f = s;
    for (char &c : f)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return f;
}

struct Key {
    std::map<std::string, std::shared_ptr<Key>> children;  // by folded name
    std::vector<RegValue> values;                            // sorted by folded name
    bool deleted = false;

    RegValue *Find(const std::string &name)
    {
        for (RegValue &v : values)
            if (Fold(v.name) == Fold(name)) return &v;
        return nullptr;
    }
    void Put(const std::string &name, DWORD type, const std::vector<BYTE> &data)
    {
        if (RegValue *v = Find(name)) {
            v->type = type;
            v->data = data;
            return;
        }
        values.push_back({name, type, data});
        std::stable_sort(values.begin(), values.end(), [](const RegValue &a, const RegValue &b) {
            return Fold(a.name) < Fold(b.name);
        });
    }
};

struct OpenKey {
    std::shared_ptr<Key> key;
    REGSAM access;
};

struct RegistryState {
    std::shared_ptr<Key> roots[3];
    std::map<HKEY, OpenKey> open;
    uintptr_t nextHandle = 0x4000;
    RegistryState()
    {
        for (auto &r : roots) r = std::make_shared<Key>();
    }
};

RegistryState &Reg()
{
    static RegistryState *state = new RegistryState;
    return *state;
}

int RootIndex(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT) return 0;
    if (key == HKEY_CURRENT_USER) return 1;
    if (key == HKEY_LOCAL_MACHINE) return 2;
    return -1;
}

// The key behind a handle, or an error code.
LONG Resolve(HKEY handle, REGSAM need, std::shared_ptr<Key> *key)
{
    auto &r = Reg();
    int root = RootIndex(handle);
    if (root >= 0) {
        *key = r.roots[root];
        return ERROR_SUCCESS;
    }
    auto it = r.open.find(handle);
    if (it == r.open.end()) return ERROR_INVALID_HANDLE;
    if (it->second.key->deleted) return ERROR_KEY_DELETED;
    if ((it->second.access & need) != need) return ERROR_ACCESS_DENIED;
    *key = it->second.key;
    return ERROR_SUCCESS;
}

// Splits a key path; empty parts (doubled or trailing separators) are
// skipped, a leading separator is refused, as Wine does.
LONG SplitPath(LPCSTR path, std::vector<std::string> *parts)
{
    parts->clear();
    if (!path || !*path) return ERROR_SUCCESS;
    if (*path == '\\') return ERROR_BAD_PATHNAME;
    std::string part;
    for (const char *p = path;; p++) {
        if (*p == '\\' || *p == 0) {
            if (!part.empty()) parts->push_back(part);
            part.clear();
            if (*p == 0) break;
        } else {
            part += *p;
        }
    }
    return ERROR_SUCCESS;
}

// The key behind a handle and the parts of a sub-key path below it.
LONG ResolvePath(HKEY handle, LPCSTR subKey, std::shared_ptr<Key> *parent,
                 std::vector<std::string> *parts)
{
    LONG rc = Resolve(handle, 0, parent);
    return rc == ERROR_SUCCESS ? SplitPath(subKey, parts) : rc;
}

std::shared_ptr<Key> Walk(std::shared_ptr<Key> from, const std::vector<std::string> &parts,
                          bool create, bool *created)
{
    for (const std::string &part : parts) {
        auto &child = from->children[Fold(part)];
        if (!child) {
            if (!create) {
                from->children.erase(Fold(part));
                return nullptr;
            }
            child = std::make_shared<Key>();
            *created = true;
        }
        from = child;
    }
    return from;
}

HKEY NewHandle(const std::shared_ptr<Key> &key, REGSAM access)
{
    auto &r = Reg();
    HKEY h = reinterpret_cast<HKEY>(r.nextHandle);
    r.nextHandle += 4;
    r.open[h] = {key, access};
    return h;
}

std::shared_ptr<Key> PathKey(const std::string &path, bool create)
{
    std::vector<std::string> parts;
    SplitPath(path.c_str(), &parts);
    bool created = false;
    return Walk(Reg().roots[1], parts, create, &created);
}

bool IsString(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

void ResetRegistry()
{
    auto &r = Reg();
    for (auto &root : r.roots) root = std::make_shared<Key>();
    // Handles stay open but now refer to keys that are gone.
    for (auto &h : r.open) h.second.key->deleted = true;
}

}  // namespace detail

bool RegKeyExists(const std::string &path)
{
    return detail::PathKey(path, false) != nullptr;
}

std::vector<RegValue> RegValues(const std::string &path)
{
    auto key = detail::PathKey(path, false);
    return key ? key->values : std::vector<RegValue>();
}

bool RegGet(const std::string &path, const std::string &name, RegValue *out)
{
    auto key = detail::PathKey(path, false);
    RegValue *v = key ? key->Find(name) : nullptr;
    if (v && out) *out = *v;
    return v != nullptr;
}

void RegPut(const std::string &path, const std::string &name, DWORD type,
            const std::vector<BYTE> &data)
{
    detail::PathKey(path, true)->Put(name, type, data);
}

void RegPutDword(const std::string &path, const std::string &name, DWORD value)
{
    std::vector<BYTE> data(4);
    memcpy(data.data(), &value, 4);
    RegPut(path, name, REG_DWORD, data);
}

}  // namespace winsim

using winsim::detail::Enter;
using winsim::detail::Key;
using winsim::detail::Reg;
using winsim::detail::Resolve;

extern "C" {

LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM sam,
                            LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition)
{
    DWORD injected;
    if (Enter("RegCreateKeyExA", &injected)) return static_cast<LONG>(injected);
    std::shared_ptr<Key> parent;
    std::vector<std::string> parts;
    LONG rc = winsim::detail::ResolvePath(key, subKey, &parent, &parts);
    if (rc != ERROR_SUCCESS) return rc;
    bool created = false;
    if (!winsim::detail::Walk(parent, parts, false, &created)) {
        // Creating needs the right to add below the starting key.
        rc = Resolve(key, KEY_CREATE_SUB_KEY, &parent);
        if (rc != ERROR_SUCCESS) return rc;
    }
    std::shared_ptr<Key> k = winsim::detail::Walk(parent, parts, true, &created);
    *result = winsim::detail::NewHandle(k, sam);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM sam, PHKEY result)
{
    DWORD injected;
    if (Enter("RegOpenKeyExA", &injected)) return static_cast<LONG>(injected);
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    // A predefined key with no subkey comes back as itself.
    if ((!subKey || !*subKey) && winsim::detail::RootIndex(key) >= 0) {
        *result = key;
        return ERROR_SUCCESS;
    }
    std::shared_ptr<Key> parent;
    std::vector<std::string> parts;
    LONG rc = winsim::detail::ResolvePath(key, subKey, &parent, &parts);
    if (rc != ERROR_SUCCESS) return rc;
    bool created = false;
    std::shared_ptr<Key> k = winsim::detail::Walk(parent, parts, false, &created);
    if (!k) return ERROR_FILE_NOT_FOUND;
    *result = winsim::detail::NewHandle(k, sam);
    return ERROR_SUCCESS;
}

LONG WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE *data,
                           DWORD size)
{
    DWORD injected;
    if (Enter("RegSetValueExA", &injected)) return static_cast<LONG>(injected);
    std::shared_ptr<Key> k;
    LONG rc = Resolve(key, KEY_SET_VALUE, &k);
    if (rc != ERROR_SUCCESS) return rc;
    if (!data && size) return ERROR_INVALID_PARAMETER;
    // NT counts the terminating zero of a string the caller forgot to count
    // (it looks one byte past the given size, as Windows does).
    if (size && winsim::detail::IsString(type) && data[size - 1] && !data[size]) size++;
    k->Put(name ? name : "", type, std::vector<BYTE>(data, data + size));
    return ERROR_SUCCESS;
}

LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD size)
{
    DWORD injected;
    if (Enter("RegQueryValueExA", &injected)) return static_cast<LONG>(injected);
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<Key> k;
    LONG rc = Resolve(key, KEY_QUERY_VALUE, &k);
    const winsim::RegValue *v = rc == ERROR_SUCCESS ? k->Find(name ? name : "") : nullptr;
    if (rc == ERROR_SUCCESS && !v) rc = ERROR_FILE_NOT_FOUND;
    if (rc != ERROR_SUCCESS) {
        if (type && rc != ERROR_INVALID_HANDLE) *type = REG_NONE;
        return rc;
    }
    if (type) *type = v->type;
    DWORD need = static_cast<DWORD>(v->data.size());
    if (data) {
        if (need > *size) {
            *size = need;  // the caller's buffer is left alone
            return ERROR_MORE_DATA;
        }
        if (need) memcpy(data, v->data.data(), need);  // an empty value has no buffer
        // A stored string without its zero gets one if there is room.
        if (winsim::detail::IsString(v->type) && need && need < *size && data[need - 1])
            data[need] = 0;
    }
    if (size) *size = need;
    return ERROR_SUCCESS;
}

LONG WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                          LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    DWORD injected;
    if (Enter("RegEnumValueA", &injected)) return static_cast<LONG>(injected);
    if (reserved || (name && !nameSize) || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<Key> k;
    LONG rc = Resolve(key, KEY_QUERY_VALUE, &k);
    if (rc != ERROR_SUCCESS) return rc;
    if (index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
    const winsim::RegValue &v = k->values[index];
    DWORD need = static_cast<DWORD>(v.data.size());
    if (data && need > *dataSize) {
        // Nothing is copied, not even the name.
        if (type) *type = v.type;
        *dataSize = need;
        return ERROR_MORE_DATA;
    }
    if (name) {
        if (v.name.size() >= *nameSize) {
            if (*nameSize) {
                memcpy(name, v.name.data(), *nameSize - 1);
                name[*nameSize - 1] = 0;
            }
            return ERROR_MORE_DATA;
        }
        memcpy(name, v.name.c_str(), v.name.size() + 1);
        *nameSize = static_cast<DWORD>(v.name.size());
    }
    if (type) *type = v.type;
    if (data) memcpy(data, v.data.data(), need);
    if (dataSize) *dataSize = need;
    return ERROR_SUCCESS;
}

LONG WINAPI RegDeleteValueA(HKEY key, LPCSTR name)
{
    DWORD injected;
    if (Enter("RegDeleteValueA", &injected)) return static_cast<LONG>(injected);
    std::shared_ptr<Key> k;
    LONG rc = Resolve(key, KEY_SET_VALUE, &k);
    if (rc != ERROR_SUCCESS) return rc;
    winsim::RegValue *v = k->Find(name ? name : "");
    if (!v) return ERROR_FILE_NOT_FOUND;
    k->values.erase(k->values.begin() + (v - k->values.data()));
    return ERROR_SUCCESS;
}

LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey)
{
    DWORD injected;
    if (Enter("RegDeleteKeyA", &injected)) return static_cast<LONG>(injected);
    std::shared_ptr<Key> parent;
    std::vector<std::string> parts;
    LONG rc = winsim::detail::ResolvePath(key, subKey, &parent, &parts);
    if (rc != ERROR_SUCCESS) return rc;
    if (parts.empty()) return ERROR_ACCESS_DENIED;  // a key does not delete itself here
    std::string leaf = winsim::detail::Fold(parts.back());
    parts.pop_back();
    bool created = false;
    std::shared_ptr<Key> above = winsim::detail::Walk(parent, parts, false, &created);
    if (!above || !above->children.count(leaf)) return ERROR_FILE_NOT_FOUND;
    auto it = above->children.find(leaf);
    if (!it->second->children.empty()) return ERROR_ACCESS_DENIED;  // only a leaf goes
    it->second->deleted = true;
    above->children.erase(it);
    return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY key)
{
    DWORD injected;
    if (Enter("RegCloseKey", &injected)) return static_cast<LONG>(injected);
    if (winsim::detail::RootIndex(key) >= 0) return ERROR_SUCCESS;
    return Reg().open.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // extern "C"
