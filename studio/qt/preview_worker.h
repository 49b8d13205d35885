#pragma once

// Renders the preview on a thread of its own. The newest request wins: a
// request replaces one not yet started and stops one under way. The worker
// evaluates the edited textures themselves, so the user-interface thread
// pauses it (Pause) around everything that may change them; a pause waits
// at most for the row being rendered.

#include <atomic>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include <QImage>
#include <QObject>

#include "host/mtl_base.h"

namespace studio::qt {

class PreviewWorker : public QObject {
    Q_OBJECT
public:
    PreviewWorker(int swatchSize, int sphereSize, QObject* parent = nullptr);
    ~PreviewWorker() override;

    /// Renders `texture` (null: nothing) at time `t`. Call it, while paused,
    /// before a texture it renders is deleted.
    void Request(Texmap* texture, TimeValue t);

    /// While one exists, the worker touches no texture. Pauses nest; user-interface thread only.
    class Pause {
    public:
        explicit Pause(PreviewWorker& worker);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        PreviewWorker& worker;
    };

    /// How many pictures were delivered.
    int RenderedCount() const { return rendered; }
    /// Whether the picture delivered last answers the latest request.
    bool UpToDate() const { return deliveredGeneration == latest; }

Q_SIGNALS:
    void Rendered(const QImage& swatch, const QImage& sphere);

private:
    struct Job {
        Texmap* texture;
        TimeValue time;
        unsigned generation;
    };
    void Loop();
    void Deliver(const QImage& swatch, const QImage& sphere, unsigned generation);

    const int swatchSize;
    const int sphereSize;
    std::mutex sceneLock;  // held by the worker while it evaluates
    std::mutex requestLock;
    std::condition_variable wake;
    std::optional<Job> pending;
    std::atomic<unsigned> latest{0};
    std::atomic<int> pausesWaiting{0};  // user-interface pauses waiting for the lock
    std::atomic<bool> stopping{false};
    int pauseDepth = 0;
    int rendered = 0;
    unsigned deliveredGeneration = 0;
    std::thread thread;
};

}  // namespace studio::qt
