#include "editor/ui/download/version_query_worker.h"

#include <QMetaObject>

namespace keyui::download {

VersionQueryWorker::~VersionQueryWorker() {
    if (thread_.joinable()) thread_.join();
}

bool VersionQueryWorker::start(Query query) {
    if (running_.exchange(true)) return false;
    if (thread_.joinable()) thread_.join();
    thread_ = std::thread([this, query = std::move(query)] {
        const VersionQueryResult result = query();
        // Queued to this object's thread; dropped if the object is gone by
        // then, which the destructor's join rules out while this runs.
        QMetaObject::invokeMethod(this, [this, result] { finish(result); }, Qt::QueuedConnection);
    });
    return true;
}

void VersionQueryWorker::finish(const VersionQueryResult& result) {
    if (thread_.joinable()) thread_.join();
    running_ = false;
    emit answered(result);
}

}  // namespace keyui::download
