#include "console_host.h"

#include <algorithm>
#include <thread>

namespace generator {

namespace {

constexpr auto kTick = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

} // namespace

ConsoleHost::ConsoleHost(std::string title, std::FILE* out, bool progressBar)
    : title_(std::move(title)), out_(out), progressBar_(progressBar), nextTick_(std::chrono::steady_clock::now() + kTick)
{
}

void ConsoleHost::setStatus(const std::string& text)
{
    eraseBar();
    std::fputs(text.c_str(), out_);
    std::fputc('\n', out_);
    drawBar();
}

void ConsoleHost::setProgress(int launched, int total)
{
    launched_ = launched;
    total_ = total;
    drawBar();
}

void ConsoleHost::setFinished(int finished)
{
    if (finished == finished_)
        return;
    finished_ = finished;
    drawBar();
}

void ConsoleHost::yield()
{
    if (onIdle)
        onIdle();
}

void ConsoleHost::waitForEvents()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < nextTick_)
        std::this_thread::sleep_until(nextTick_);
    // Ticks missed while the run was busy are not delivered late in a burst.
    nextTick_ = std::max(nextTick_, now) + kTick;
    if (onTick)
        onTick();
    if (onIdle)
        onIdle();
}

void ConsoleHost::endProgress()
{
    if (barShown_)
        std::fputc('\n', out_);
    barShown_ = false;
    progressBar_ = false;
    std::fflush(out_);
}

void ConsoleHost::drawBar()
{
    if (!progressBar_ || total_ <= 0) {
        std::fflush(out_);
        return;
    }
    const int done = kBarWidth * finished_ / total_;
    const int started = kBarWidth * launched_ / total_;
    std::string bar = "\r[";
    for (int i = 0; i < kBarWidth; ++i)
        bar += i < done ? '#' : (i < started ? '-' : ' ');
    bar += "] " + std::to_string(launched_) + " lancées, " + std::to_string(finished_) + " terminées sur "
        + std::to_string(total_) + "\033[K";
    std::fputs(bar.c_str(), out_);
    std::fflush(out_);
    barShown_ = true;
}

void ConsoleHost::eraseBar()
{
    if (barShown_)
        std::fputs("\r\033[K", out_);
    barShown_ = false;
}

} // namespace generator
