// The resource registry of the simulated backend, and icons and cursors from it, from the
// system and from files.
#include "platform/sim/sim_resource.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/sim/sim_file.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_module.h"
#include "platform/sim/sim_window.h"

namespace {

// A type or name: a 16-bit identifier, or a text kept in upper case (Windows compares resource
// names without case distinction).
struct ResourceKey {
    WORD id = 0;
    std::u16string text;

    static ResourceKey From(LPCWSTR name) {
        ResourceKey key;
        if (IS_INTRESOURCE(name)) {
            key.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
            return key;
        }
        for (const WCHAR* p = name; *p != 0; ++p)
            key.text.push_back(*p >= u'a' && *p <= u'z' ? static_cast<WCHAR>(*p - 32) : *p);
        return key;
    }
    bool operator==(const ResourceKey&) const = default;
};

struct Resource {
    ResourceKey type;
    ResourceKey name;
    std::vector<BYTE> bytes;
    int icon_token = 0; // its address is the shared icon or cursor handle
};

std::mutex g_lock;
// Entries are never moved or freed while registered, so handles into them stay valid.
std::vector<std::unique_ptr<Resource>> g_resources;
// Icons and cursors loaded from files; any other handle is not destroyed.
std::unordered_set<void*> g_file_images;

bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == GetModuleHandleW(nullptr);
}

// Called with g_lock held. Sets the error Windows gives for a missing type or name.
Resource* Find(const ResourceKey& type, const ResourceKey& name) {
    bool typeSeen = false;
    for (auto& r : g_resources) {
        if (!(r->type == type))
            continue;
        typeSeen = true;
        if (r->name == name)
            return r.get();
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

Resource* FromHandle(HRSRC resource) {
    for (auto& r : g_resources)
        if (reinterpret_cast<HRSRC>(r.get()) == resource)
            return r.get();
    return nullptr;
}

// One token per system icon or cursor identifier, so that different ones differ as on
// Windows. IDI_* are 32512 to 32518, IDC_* 32512 to 32651.
constexpr WORD kFirstSystemId = 32512;
constexpr WORD kLastSystemIcon = 32518;
constexpr WORD kLastSystemCursor = 32651;
char g_system_icons[kLastSystemIcon - kFirstSystemId + 1];
char g_system_cursors[kLastSystemCursor - kFirstSystemId + 1];

HANDLE LoadShared(HINSTANCE instance, LPCWSTR name, LPCWSTR groupType, bool cursor) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (instance == nullptr) {
        if (IS_INTRESOURCE(name)) {
            auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
            WORD last = cursor ? kLastSystemCursor : kLastSystemIcon;
            if (id >= kFirstSystemId && id <= last)
                return cursor ? &g_system_cursors[id - kFirstSystemId]
                              : &g_system_icons[id - kFirstSystemId];
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (!IsProgramModule(reinterpret_cast<HMODULE>(instance))) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    Resource* r = Find(ResourceKey::From(groupType), ResourceKey::From(name));
    return r == nullptr ? nullptr : &r->icon_token;
}

// A file image is a heap token that DestroyIcon/DestroyCursor give back.
struct FileImage {
    UINT type;
};

HANDLE LoadFromFile(LPCWSTR path, UINT type) {
    FILE* file = _wfopen(path, u"rb");
    if (file == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    // An icon or cursor directory: reserved 0, type 1 or 2, a count, 16 bytes per entry.
    BYTE head[6] = {};
    size_t got = std::fread(head, 1, sizeof head, file);
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fclose(file);
    unsigned kind = head[2] | (head[3] << 8);
    unsigned count = head[4] | (head[5] << 8);
    if (got != sizeof head || head[0] != 0 || head[1] != 0 || (kind != 1 && kind != 2) ||
        count == 0 || size < static_cast<long>(6 + 16 * count)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    auto* image = new FileImage{type};
    g_file_images.insert(image);
    return image;
}

BOOL DestroyFileImage(HANDLE handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_file_images.erase(handle) != 0) {
        delete static_cast<FileImage*>(handle);
        return TRUE;
    }
    // Shared handles (system icons, registered resources) stay, and Windows reports success
    // for them too.
    if (handle != nullptr)
        return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

} // namespace

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    if (name == nullptr || type == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!IsProgramModule(module)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    return reinterpret_cast<HRSRC>(Find(ResourceKey::From(type), ResourceKey::From(name)));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    std::lock_guard<std::mutex> guard(g_lock);
    Resource* r = FromHandle(resource);
    if (r == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    // As on Windows the loaded resource is its data's address.
    return r->bytes.data();
}

LPVOID LockResource(HGLOBAL loaded) {
    return loaded;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    std::lock_guard<std::mutex> guard(g_lock);
    Resource* r = FromHandle(resource);
    if (r == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return static_cast<DWORD>(r->bytes.size());
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    return static_cast<HICON>(LoadShared(instance, name, RT_GROUP_ICON, false));
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    return static_cast<HCURSOR>(LoadShared(instance, name, RT_GROUP_CURSOR, true));
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT flags) {
    if (type != IMAGE_ICON && type != IMAGE_CURSOR) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if ((flags & LR_LOADFROMFILE) != 0) {
        if (name == nullptr || IS_INTRESOURCE(name) || *name == 0) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        return LoadFromFile(name, type);
    }
    bool cursor = type == IMAGE_CURSOR;
    return LoadShared(instance, name, cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON, cursor);
}

BOOL DestroyIcon(HICON icon) {
    return DestroyFileImage(icon);
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyFileImage(cursor);
}

void sim::RegisterResource(LPCWSTR type, LPCWSTR name, const std::vector<BYTE>& bytes) {
    ResourceKey typeKey = ResourceKey::From(type);
    ResourceKey nameKey = ResourceKey::From(name);
    std::lock_guard<std::mutex> guard(g_lock);
    for (auto& r : g_resources) {
        if (r->type == typeKey && r->name == nameKey) {
            r->bytes = bytes;
            r->bytes.reserve(1); // an empty resource still has an address
            return;
        }
    }
    auto r = std::make_unique<Resource>();
    r->type = typeKey;
    r->name = nameKey;
    r->bytes = bytes;
    r->bytes.reserve(1);
    g_resources.push_back(std::move(r));
}

void sim::ResetResources() {
    std::lock_guard<std::mutex> guard(g_lock);
    g_resources.clear();
}

int sim::LiveFileImages() {
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(g_file_images.size());
}
