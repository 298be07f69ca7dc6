#include "common/posted_records.h"

#include <mutex>
#include <unordered_map>

namespace {

struct Registry {
    std::mutex lock;  // senders post from worker threads, the UI thread claims
    std::unordered_map<const void*, std::type_index> live;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterPostedRecord(const void* record, std::type_index type) {
    if (!record) return;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.live.insert_or_assign(record, type);
}

bool ClaimPostedRecord(const void* record, std::type_index type) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.live.find(record);
    if (it == r.live.end() || it->second != type) return false;
    r.live.erase(it);
    return true;
}

void ForgetPostedRecord(const void* record) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.live.erase(record);
}

size_t LivePostedRecordCount() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.live.size();
}
