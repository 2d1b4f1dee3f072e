#include "core/util/later_work.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace {
class LaterWorker {
public:
    ~LaterWorker()
    {
        {
            const std::lock_guard lock(mutex_);
            ending_ = true;
        }
        wake_.notify_one();
        if (worker_.joinable())
            worker_.join();
    }

    void add(std::function<void()> work)
    {
        {
            std::unique_lock lock(mutex_);
            if (!worker_.joinable() && !startWorker()) {
                lock.unlock();
                work(); // no thread to be had
                return;
            }
            waiting_.push_back(std::move(work));
        }
        wake_.notify_one();
    }

    void hold()
    {
        const std::lock_guard lock(mutex_);
        ++holds_;
    }
    void release()
    {
        {
            const std::lock_guard lock(mutex_);
            --holds_;
        }
        wake_.notify_one();
    }

    void waitUntilDone()
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return (waiting_.empty() || holds_ > 0) && !working_; });
    }

private:
    bool startWorker()
    {
        try {
            worker_ = std::thread([this] { work(); });
            return true;
        } catch (const std::system_error &) {
            return false;
        }
    }

    void work()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return ending_ || (holds_ == 0 && !waiting_.empty()); });
            if (waiting_.empty())
                return; // ending, nothing left
            std::deque<std::function<void()>> now;
            now.swap(waiting_);
            working_ = true;
            lock.unlock();
            for (std::function<void()> &w : now)
                w();
            now.clear(); // what the work held goes here too, not under the lock
            lock.lock();
            working_ = false;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::deque<std::function<void()>> waiting_;
    int holds_ = 0;
    bool working_ = false;
    bool ending_ = false;
    std::thread worker_;
};

LaterWorker &worker()
{
    static LaterWorker instance;
    return instance;
}
} // namespace

void DoLater(std::function<void()> work)
{
    worker().add(std::move(work));
}

LaterWorkHeld::LaterWorkHeld()
{
    worker().hold();
}

LaterWorkHeld::~LaterWorkHeld()
{
    worker().release();
}

void WaitForLaterWork()
{
    worker().waitUntilDone();
}
