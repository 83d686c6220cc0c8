#pragma once

// Runs the keyboard version query on a thread of its own, so that the window
// keeps repainting and answering while the interface library waits for the
// keyboard: the library's waits run the event loop of the thread that calls
// it, and this thread has its own. The answer comes back on the thread that
// started the query.

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

#include "editor/ui/download/version_query.h"

namespace keyui::download {

class VersionQueryWorker : public QObject {
    Q_OBJECT
public:
    using Query = std::function<VersionQueryResult()>;

    explicit VersionQueryWorker(QObject* parent = nullptr) : QObject(parent) {}
    // Waits for a query that is still running: the library must not be
    // unloaded under it.
    ~VersionQueryWorker() override;
    VersionQueryWorker(const VersionQueryWorker&) = delete;
    VersionQueryWorker& operator=(const VersionQueryWorker&) = delete;

    // Starts `query`; false while another one runs.
    bool start(Query query);

signals:
    void answered(const keyui::download::VersionQueryResult& result);

private:
    void finish(const VersionQueryResult& result);

    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace keyui::download
