// The resource table of the simulated backend.
#include "platform/sim/sim_resource.h"

#include <memory>
#include <mutex>
#include <string>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_module.h"
#include "platform/sim/sim_thread.h"
#include "platform/sim/sim_window.h"

namespace {

// A resource id as Windows compares it: a number, or a text without case.
struct ResourceId {
    WORD number = 0;
    std::u16string text;

    static ResourceId From(LPCWSTR id) {
        ResourceId result;
        if (IS_INTRESOURCE(id)) {
            result.number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id));
            return result;
        }
        for (; *id != 0; ++id)
            result.text.push_back(*id >= u'a' && *id <= u'z' ? *id - u'a' + u'A' : *id);
        return result;
    }
    bool operator==(const ResourceId& other) const {
        return number == other.number && text == other.text;
    }
};

struct Resource {
    HMODULE module;
    ResourceId type;
    ResourceId name;
    std::vector<BYTE> bytes;
};

// Resources are registered by tests and read by any thread; kept until reset, so the records
// that handles point at live as long as the registration.
std::mutex g_lock;
std::vector<std::unique_ptr<Resource>>& Table() {
    static auto* table = new std::vector<std::unique_ptr<Resource>>;
    return *table;
}

HMODULE ModuleOrProgram(HMODULE module) {
    return module != nullptr ? module : GetModuleHandleW(nullptr);
}

Resource* FromHandle(HRSRC handle) {
    for (auto& resource : Table()) {
        if (reinterpret_cast<HRSRC>(resource.get()) == handle)
            return resource.get();
    }
    return nullptr;
}

} // namespace

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    if (name == nullptr || type == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const HMODULE wanted = ModuleOrProgram(module);
    const ResourceId wanted_type = ResourceId::From(type);
    const ResourceId wanted_name = ResourceId::From(name);
    std::lock_guard<std::mutex> guard(g_lock);
    for (auto& resource : Table()) {
        if (resource->module == wanted && resource->type == wanted_type &&
            resource->name == wanted_name)
            return reinterpret_cast<HRSRC>(resource.get());
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    Resource* resource = FromHandle(handle);
    return resource != nullptr ? static_cast<DWORD>(resource->bytes.size()) : 0;
}

HGLOBAL LoadResource(HMODULE, HRSRC handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    Resource* resource = FromHandle(handle);
    return resource != nullptr ? static_cast<HGLOBAL>(resource->bytes.data()) : nullptr;
}

LPVOID LockResource(HGLOBAL loaded) {
    return loaded;
}

namespace sim {

void RegisterResource(HMODULE module, LPCWSTR type, LPCWSTR name, std::vector<BYTE> bytes) {
    auto resource = std::make_unique<Resource>(Resource{
        ModuleOrProgram(module), ResourceId::From(type), ResourceId::From(name), std::move(bytes)});
    std::lock_guard<std::mutex> guard(g_lock);
    auto& table = Table();
    for (auto& existing : table) {
        if (existing->module == resource->module && existing->type == resource->type &&
            existing->name == resource->name) {
            existing = std::move(resource);
            return;
        }
    }
    table.push_back(std::move(resource));
}

void ResetResources() {
    std::lock_guard<std::mutex> guard(g_lock);
    Table().clear();
}

} // namespace sim
