#include "cli/parallelcheck.h"

#include "cli/cliio.h"
#include "html/foreignpage.h"

#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace tavlo {

namespace {

using std::chrono::nanoseconds;

// The processor time a thread has used: a page's limit counts the work of its check,
// not the time other programs of a busy machine take from it.
nanoseconds usedBy(clockid_t thread)
{
    timespec now{};
    clock_gettime(thread, &now);
    return std::chrono::seconds(now.tv_sec) + nanoseconds(now.tv_nsec);
}

enum class JobState { Waiting, Running, Done, GivenUp };

// Shared by the workers and the caller; the last of them to let go frees it, so a
// worker left running past the end of the run never touches freed memory.
struct Run {
    Run(const std::vector<PageJob>& jobs, const CheckSettings& settings)
        : jobs(jobs)
        , settings(settings)
        , states(jobs.size(), JobState::Waiting)
        , clocks(jobs.size())
        , started(jobs.size())
        , outcomes(jobs.size())
    {}
    std::vector<PageJob> jobs;
    CheckSettings settings;
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t next = 0;
    std::vector<JobState> states;
    std::vector<clockid_t> clocks;    // of the thread that checks the page
    std::vector<nanoseconds> started; // on that clock
    std::vector<PageOutcome> outcomes;
    int stillRunningGivenUp = 0;
};

PageOutcome checkOne(const PageJob& job, const CheckSettings& settings)
{
    PageOutcome outcome;
    outcome.trouble = job.trouble;
    if (!outcome.trouble.isEmpty())
        return outcome;
    std::optional<QByteArray> bytes = job.bytes;
    if (!bytes) {
        bytes = readInput(job.path, outcome.trouble);
        if (!bytes)
            return outcome;
    }
    if (notAPage(*bytes)) {
        outcome.trouble = QStringLiteral("not an HTML page");
        return outcome;
    }
    if (worthChecking(*bytes))
        outcome.findings = checkPage(*bytes, job.path, settings);
    return outcome;
}

void work(std::shared_ptr<Run> run)
{
    std::unique_lock lock(run->mutex);
    while (run->next < run->jobs.size()) {
        const std::size_t i = run->next++;
        run->states[i] = JobState::Running;
        pthread_getcpuclockid(pthread_self(), &run->clocks[i]);
        run->started[i] = usedBy(run->clocks[i]);
        lock.unlock();
        PageOutcome outcome = checkOne(run->jobs[i], run->settings);
        lock.lock();
        if (run->states[i] == JobState::GivenUp) {
            // The caller has gone on with a new worker in this one's place.
            --run->stillRunningGivenUp;
            return;
        }
        run->outcomes[i] = std::move(outcome);
        run->states[i] = JobState::Done;
        run->changed.notify_all();
    }
}

} // namespace

bool checkInParallel(const std::vector<PageJob>& jobs, const CheckSettings& settings,
                     std::chrono::milliseconds timeout,
                     const std::function<void(std::size_t, PageOutcome&&)>& done)
{
    auto run = std::make_shared<Run>(jobs, settings);
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < std::min(cores, jobs.size()); ++i)
        workers.emplace_back(work, run);

    std::unique_lock lock(run->mutex);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        while (run->states[i] != JobState::Done) {
            if (run->states[i] == JobState::Waiting) {
                run->changed.wait(lock);
                continue;
            }
            // The worker lives while its page is Running, so its clock can be read.
            const nanoseconds left = timeout - (usedBy(run->clocks[i]) - run->started[i]);
            if (left > nanoseconds::zero()) {
                run->changed.wait_for(lock,
                                      std::max<nanoseconds>(left, std::chrono::milliseconds(10)));
                continue;
            }
            run->states[i] = JobState::GivenUp;
            ++run->stillRunningGivenUp;
            run->outcomes[i].trouble = QStringLiteral("too complex to check within %1 seconds")
                                           .arg(QString::number(double(timeout.count()) / 1000.0));
            workers.emplace_back(work, run);
            break;
        }
        PageOutcome outcome = std::move(run->outcomes[i]);
        lock.unlock();
        done(i, std::move(outcome));
        lock.lock();
    }
    const bool abandoned = run->stillRunningGivenUp > 0;
    lock.unlock();
    // The workers given up are still busy: they are let go, not waited for.
    for (std::thread& worker : workers) {
        if (abandoned)
            worker.detach();
        else
            worker.join();
    }
    return abandoned;
}

} // namespace tavlo
