#include "studio/qt/preview_worker.h"

#include <QMetaObject>

#include "studio/qt/preview_render.h"

namespace studio::qt {

PreviewWorker::PreviewWorker(int swatch, int sphere, QObject* parent)
    : QObject(parent), swatchSize(swatch), sphereSize(sphere), thread([this] { Loop(); }) {}

PreviewWorker::~PreviewWorker() {
    {
        const std::lock_guard lock(requestLock);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void PreviewWorker::Request(Texmap* texture, TimeValue t) {
    {
        const std::lock_guard lock(requestLock);
        pending = Job{texture, t, ++latest};
    }
    wake.notify_all();
}

PreviewWorker::Pause::Pause(PreviewWorker& w) : worker(w) {
    if (worker.pauseDepth++ > 0) return;
    ++worker.pausesWaiting;
    worker.sceneLock.lock();
    --worker.pausesWaiting;
}

PreviewWorker::Pause::~Pause() {
    if (--worker.pauseDepth > 0) return;
    worker.sceneLock.unlock();
}

void PreviewWorker::Loop() {
    for (;;) {
        Job job{};
        {
            std::unique_lock lock(requestLock);
            wake.wait(lock, [this] { return stopping || pending; });
            if (stopping) return;
            job = *pending;
            pending.reset();
        }
        QImage swatch, sphere;
        {
            const std::lock_guard scene(sceneLock);
            // A newer request made while this one waited may have retired its texture.
            if (job.generation != latest || !job.texture) continue;
            // Stop at the next row when paused, replaced or closing.
            const StopCheck stop = [this, &job] { return pausesWaiting > 0 || job.generation != latest || stopping; };
            Interval valid = WHOLE_INTERVAL;
            job.texture->Update(job.time, valid);
            swatch = RenderSwatch(*job.texture, job.time, swatchSize, stop);
            if (!swatch.isNull()) sphere = RenderSphere(*job.texture, job.time, sphereSize, stop);
        }
        if (sphere.isNull()) {
            // Stopped by a pause or a newer request: render again unless replaced.
            const std::lock_guard lock(requestLock);
            if (!pending && job.generation == latest && !stopping) pending = job;
            continue;
        }
        QMetaObject::invokeMethod(
            this, [this, swatch, sphere, g = job.generation] { Deliver(swatch, sphere, g); }, Qt::QueuedConnection);
    }
}

void PreviewWorker::Deliver(const QImage& swatch, const QImage& sphere, unsigned generation) {
    // A picture overtaken by a newer request is still shown: it is the newest there is.
    ++rendered;
    deliveredGeneration = generation;
    Q_EMIT Rendered(swatch, sphere);
}

}  // namespace studio::qt
