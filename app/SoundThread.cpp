#include "SoundThread.h"

namespace quindra {

SoundThread::SoundThread(Device device) : device_(std::move(device)), thread_([this] { run(); }) {}

SoundThread::~SoundThread() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SoundThread::wake() {
    {
        const std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

void SoundThread::run() {
    device_.open();
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return woken_ || quit_; });
            if (quit_)
                break;
            woken_ = false;
        }
        device_.playOut();
    }
    device_.close();
}

} // namespace quindra
