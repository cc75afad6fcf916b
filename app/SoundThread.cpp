#include "SoundThread.h"

namespace quindra {

SoundThread::SoundThread(Device device, std::chrono::milliseconds silence)
    : device_(std::move(device)), silence_(silence), thread_([this] { run(); }) {}

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
    bool resting = true;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            const auto woken = [this] { return woken_ || quit_; };
            if (!resting && !wake_.wait_for(lock, silence_, woken)) {
                lock.unlock();
                device_.rest();
                resting = true;
                continue;
            }
            wake_.wait(lock, woken);
            if (quit_)
                break;
            woken_ = false;
        }
        device_.playOut();
        resting = false;
    }
    device_.close();
}

} // namespace quindra
